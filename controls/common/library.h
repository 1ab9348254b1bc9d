#pragma once
// What makes a control library besides its control: the names and ids it
// registers under, its class description, its property page object and its
// four entry points.

#include "controls/common/module.h"
#include "controls/common/propertypage.h"
#include "platform/com/control.h"

#include <vector>

namespace ctl {

struct LibraryIdentity {
    const char *clsid, *dispIid, *eventIid, *typeLib, *propPage;
    const char *className, *progId, *typeName;            // "QKCalendar", "QKCAL.QKCalCtrl.1", ...
    const char *typeLibName, *pageClassName, *pageProgId, *pageTypeName;
    const char* defaultsSection;                          // "QKCalendar Settings"
};

// The identity part of the class description plus `members`, with the member
// `defaultMember` repeated as "_Default" under the standard value id.
com::ClassInfo describeClass(const LibraryIdentity& identity, std::vector<com::MemberInfo> members,
                             com::DispId defaultMember);

// KeyDown, KeyPress and KeyUp, raised by every control.
std::vector<com::EventInfo> keyEvents();

// The property page object of control class T with the page `Layout` builds.
template <class T, PageLayout (*Layout)(T*)>
class PropertyPageObject : public com::IPropertyPage {
public:
    PropertyPageObject() { Module::objectCreated(); }
    int run(com::IControl* object) override
    {
        auto* control = dynamic_cast<T*>(object);
        if (!control)
            return 0;
        PropertyPageDialog dlg(object, Layout(control), control);
        return control->runModal(&dlg);
    }
    void release() override { delete this; }

protected:
    ~PropertyPageObject() override { Module::objectDestroyed(); }
};

struct ControlLibrary {
    const LibraryIdentity* identity;
    const com::ClassInfo& (*classInfo)();
    com::IControl* (*newControl)();
    com::IPropertyPage* (*newPropertyPage)();
};

com::HRESULT registerLibrary(const ControlLibrary& library);
com::HRESULT unregisterLibrary(const ControlLibrary& library);
com::HRESULT getClassObject(const ControlLibrary& library, const com::Guid* clsid, const com::Guid* iid, void** object);

} // namespace ctl

// The exported entry points; expanded in the library's own source so that
// they are the only names the library shows.
#define CTL_ENTRY_POINT extern "C" __attribute__((visibility("default"))) com::HRESULT
#define CTL_LIBRARY_ENTRY_POINTS(library)                                                   \
    CTL_ENTRY_POINT DllRegisterServer() { return ctl::registerLibrary(library); }           \
    CTL_ENTRY_POINT DllUnregisterServer() { return ctl::unregisterLibrary(library); }       \
    CTL_ENTRY_POINT DllGetClassObject(const com::Guid* clsid, const com::Guid* iid, void** object) \
    {                                                                                       \
        return ctl::getClassObject(library, clsid, iid, object);                            \
    }                                                                                       \
    CTL_ENTRY_POINT DllCanUnloadNow() { return ctl::Module::canUnloadNow(); }
