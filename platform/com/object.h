#pragma once
// A creatable component without a window (the download component): the
// same late-bound calls and event sinks as a control, nothing else.
//
//   com::IObject* o = nullptr;
//   if (com::succeeded(com::createObject("Netzladen.clsDownload", &o))) {
//       o->advise(&sink);
//       o->invoke(id, com::InvokeKind::Method, args, &result, &exc);
//       o->release();
//   }

#include "platform/com/control.h"

namespace com {

class IObject {
public:
    virtual const ClassInfo& classInfo() const = 0;
    virtual HRESULT invoke(DispId id, InvokeKind kind, QVariantList& args, QVariant* result, ExcepInfo* exc) = 0;
    virtual void advise(IEventSink* sink) = 0;
    virtual void unadvise(IEventSink* sink) = 0;
    // The caller lets go; the object is destroyed.
    virtual void release() = 0;

protected:
    virtual ~IObject() = default;
};

// Its own id: a factory asked for a component must never hand out a control or a page.
inline constexpr Guid IID_IObject = makeGuid(0x6B1A5C03, 0x4D2E, 0x4F10, 0x9A, 0x31, 0x4B, 0x4D, 0x4B, 0x43, 0x54, 0x03);

// Accepts a programmatic id or a class id in braces, as createControl does.
HRESULT createObject(const QString& progIdOrClsid, IObject** object, QString* error = nullptr);

// What a component library registers of its type library beside the name:
// version and locale, and the names of the class's dispatch and event
// interfaces (an interface without a name is not registered).
struct TypeLibDetails {
    QString version;   // "1.0"
    quint32 lcid = 0;
    QString dispName, eventName;
};

// The registration a component library makes for itself: type library,
// its named interfaces and the class (no control flag, no property page).
HRESULT registerComponentLibrary(const ClassInfo& info, const QString& libraryPath, const TypeLibDetails& lib = {});
HRESULT unregisterComponentLibrary(const ClassInfo& info, const TypeLibDetails& lib = {});

} // namespace com
