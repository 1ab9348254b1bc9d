#include "platform/com/result.h"

namespace com {

int errorNumberOf(HRESULT h)
{
    const auto bits = static_cast<std::uint32_t>(h);
    if ((bits & 0xFFFF0000u) == 0x800A0000u)
        return int(bits & 0xFFFFu);
    switch (h) {
    case DISP_E_MEMBERNOTFOUND:
        return 438;   // object doesn't support this property or method
    case DISP_E_TYPEMISMATCH:
        return 13;
    case DISP_E_OVERFLOW:
        return 6;
    case DISP_E_BADPARAMCOUNT:
        return 450;   // wrong number of arguments
    case REGDB_E_CLASSNOTREG:
    case CLASS_E_CLASSNOTAVAILABLE:
    case CO_E_DLLNOTFOUND:
    case CO_E_ERRORINDLL:
        return 429;   // cannot create object
    default:
        return 5;     // invalid procedure call
    }
}

ComError::ComError(HRESULT h, const QString& text)
    : vb::RuntimeError(errorNumberOf(h), text.toStdString()), result(h), description(text)
{
}

} // namespace com
