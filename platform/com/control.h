#pragma once
// The interfaces between a host and an in-process control library. All calls
// happen on the window thread and are synchronous: an event reaches every
// sink before the call that raised it returns.

#include "platform/com/dispatch.h"
#include "platform/com/propertybag.h"

class QDialog;
class QWidget;

namespace com {

// Receives the events of one control (Change, MouseUp, SpinUp, ...).
class IEventSink {
public:
    virtual ~IEventSink() = default;
    virtual void onEvent(DispId id, QVariantList& args) = 0;
};

// What the control may ask of the place it sits in.
class IControlSite {
public:
    virtual ~IControlSite() = default;
    // False at design time (run-time-only members refuse then).
    virtual bool ambientUserMode() const = 0;
    virtual bool ambientUIDead() const = 0;
    // A property has been set (data-binding notification).
    virtual void onPropertyChanged(DispId id) = 0;
    // Shows a modal dialog of the control (property page, About box) and
    // returns its result; a host may run it differently (tests do).
    virtual int runModal(QDialog* dialog) = 0;
};

class IControl {
public:
    virtual const ClassInfo& classInfo() const = 0;
    virtual HRESULT invoke(DispId id, InvokeKind kind, QVariantList& args, QVariant* result,
                           ExcepInfo* exc) = 0;
    // The control's own window; the host embeds it.
    virtual QWidget* widget() = 0;
    virtual void setClientSite(IControlSite* site) = 0;
    virtual void advise(IEventSink* sink) = 0;
    virtual void unadvise(IEventSink* sink) = 0;
    // A new control: take the defaults (design-time defaults file included).
    virtual void initNew() = 0;
    virtual HRESULT load(const PropertyBag& bag) = 0;
    virtual HRESULT save(PropertyBag& bag) = 0;
    virtual bool isDirty() const = 0;
    // Shows the control's property page modally through the site.
    virtual void showPropertyPage() = 0;
    // The control as a picture of `target` pixels, for a host that shows it
    // where its window is not (a form being drawn or printed): painted at the
    // control's own size and stretched onto the target pixel for pixel, as
    // the original drew itself into a metafile. E_INVALIDARG for an empty target.
    virtual HRESULT drawPicture(const QSize& target, Picture* picture) = 0;
    // The host lets go; the control and its window are destroyed.
    virtual void release() = 0;

protected:
    virtual ~IControl() = default;
};

class IClassFactory {
public:
    // Creates a control (iid = IID_IControl). The caller owns it until release().
    virtual HRESULT createInstance(const Guid& iid, void** object) = 0;
    virtual HRESULT lockServer(bool lock) = 0;
    virtual void release() = 0;

protected:
    virtual ~IClassFactory() = default;
};

// The property page class of a library, created through its factory with
// IID_IPropertyPage.
class IPropertyPage {
public:
    // Runs the page for one control modally through the control's site.
    virtual int run(IControl* object) = 0;
    virtual void release() = 0;

protected:
    virtual ~IPropertyPage() = default;
};

inline constexpr Guid IID_IControl = makeGuid(0x6B1A5C01, 0x4D2E, 0x4F10, 0x9A, 0x31, 0x4B, 0x4D, 0x4B, 0x43, 0x54, 0x01);
inline constexpr Guid IID_IClassFactory = makeGuid(0x00000001, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
inline constexpr Guid IID_IPropertyPage = makeGuid(0x6B1A5C02, 0x4D2E, 0x4F10, 0x9A, 0x31, 0x4B, 0x4D, 0x4B, 0x43, 0x54, 0x02);

// Entry points every control library exports with C linkage.
using DllGetClassObjectFn = HRESULT (*)(const Guid* clsid, const Guid* iid, void** object);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();

} // namespace com
