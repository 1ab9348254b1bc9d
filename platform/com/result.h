#pragma once
// Result codes of the component layer and the error a host sees when a
// control refuses a call.

#include "platform/vb/error.h"

#include <QString>
#include <cstdint>

namespace com {

using HRESULT = std::int32_t;

constexpr HRESULT hr(std::uint32_t bits) { return static_cast<HRESULT>(bits); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = hr(0x80004001);
constexpr HRESULT E_NOINTERFACE = hr(0x80004002);
constexpr HRESULT E_POINTER = hr(0x80004003);
constexpr HRESULT E_FAIL = hr(0x80004005);
constexpr HRESULT E_INVALIDARG = hr(0x80070057);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hr(0x80040111);
constexpr HRESULT REGDB_E_CLASSNOTREG = hr(0x80040154);
constexpr HRESULT CO_E_DLLNOTFOUND = hr(0x800401F8);
constexpr HRESULT CO_E_ERRORINDLL = hr(0x800401F9);
constexpr HRESULT SELFREG_E_TYPELIB = hr(0x80040200);
constexpr HRESULT SELFREG_E_CLASS = hr(0x80040201);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = hr(0x80020003);
constexpr HRESULT DISP_E_TYPEMISMATCH = hr(0x80020005);
constexpr HRESULT DISP_E_EXCEPTION = hr(0x80020009);
constexpr HRESULT DISP_E_OVERFLOW = hr(0x8002000A);
constexpr HRESULT DISP_E_BADPARAMCOUNT = hr(0x8002000E);

// Automation errors in the 0x800A facility carry the runtime's error number.
constexpr HRESULT ctlError(int number) { return hr(0x800A0000u | std::uint32_t(number & 0xFFFF)); }
constexpr HRESULT CTL_E_INVALIDPROPERTYVALUE = ctlError(380);   // 0x800A017C
constexpr HRESULT CTL_E_SETNOTSUPPORTED = ctlError(383);
constexpr HRESULT CTL_E_GETNOTSUPPORTED = ctlError(394);
constexpr HRESULT CTL_E_INVALIDPICTURE = ctlError(481);         // 0x800A01E1

constexpr bool succeeded(HRESULT h) { return h >= 0; }
constexpr bool failed(HRESULT h) { return h < 0; }

// The runtime error number a caller sees for a failed call.
int errorNumberOf(HRESULT h);

// What a host throws when a control refuses a property or method: the
// runtime's error (380, 481, ...) with the control's own text.
struct ComError : vb::RuntimeError {
    HRESULT result;
    QString description;
    ComError(HRESULT h, const QString& text);
};

} // namespace com
