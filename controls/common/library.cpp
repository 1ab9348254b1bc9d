#include "controls/common/library.h"

#include "controls/common/controlbase.h"
#include "controls/common/inidefaults.h"
#include "platform/com/profile.h"
#include "platform/com/registry.h"

#include <algorithm>
#include <climits>

namespace ctl {

namespace {
com::Guid guid(const char* text) { return *com::Guid::parse(QString::fromLatin1(text)); }

void startLibrary(const ControlLibrary& library)
{
    if (libraryDefaults())
        return;
    setLibraryDefaults(new IniDefaults(QStringLiteral("RU4DUD.INI"), QString::fromLatin1(library.identity->defaultsSection)));
    com::PrivateProfile(libraryDefaults()->filePath()).removeLeftovers();
}

// A factory that makes objects of one interface only.
template <class I>
com::IClassFactory* factory(const com::Guid& iface, I* (*make)())
{
    return new ClassFactory([iface, make](const com::Guid& want, void** out) {
        if (want != iface)
            return com::E_NOINTERFACE;
        *out = make();
        return com::S_OK;
    });
}
} // namespace

com::ClassInfo describeClass(const LibraryIdentity& identity, std::vector<com::MemberInfo> members,
                             com::DispId defaultMember)
{
    auto text = [](const char* t) { return QString::fromLatin1(t); };
    com::ClassInfo ci{guid(identity.clsid), guid(identity.dispIid), guid(identity.eventIid), guid(identity.typeLib),
                      guid(identity.propPage), text(identity.className), text(identity.progId), text(identity.typeName),
                      text(identity.typeLibName), text(identity.pageClassName), text(identity.pageProgId),
                      text(identity.pageTypeName), std::move(members), {}, {}};
    // The interface lists its own members by dispatch id, after the stock
    // properties and before AboutBox.
    auto rank = [](com::DispId id) { return id > 0 ? id : (id == com::dispid::AboutBox ? INT_MAX : 0); };
    std::stable_sort(ci.members.begin(), ci.members.end(),
                     [&](const com::MemberInfo& a, const com::MemberInfo& b) { return rank(a.id) < rank(b.id); });
    com::MemberInfo def = *ci.member(defaultMember);
    def.id = com::dispid::Value;
    def.name = QStringLiteral("_Default");
    ci.members.push_back(def);
    return ci;
}

std::vector<com::EventInfo> keyEvents()
{
    auto key = std::vector<com::ParamInfo>{{QStringLiteral("KeyCode"), com::VarType::I2, true}, {QStringLiteral("Shift"), com::VarType::I2}};
    return {{com::dispid::KeyDown, QStringLiteral("KeyDown"), key},
            {com::dispid::KeyPress, QStringLiteral("KeyPress"), {{QStringLiteral("KeyAscii"), com::VarType::I2, true}}},
            {com::dispid::KeyUp, QStringLiteral("KeyUp"), key}};
}

com::HRESULT registerLibrary(const ControlLibrary& library)
{
    // The description lives in the library itself, so its address names the file.
    const QString path = com::modulePath(reinterpret_cast<const void*>(&library));
    return com::registerControlLibrary(library.classInfo(), path, helpDirectory(path));
}

com::HRESULT unregisterLibrary(const ControlLibrary& library)
{
    return com::unregisterControlLibrary(library.classInfo());
}

com::HRESULT getClassObject(const ControlLibrary& library, const com::Guid* clsid, const com::Guid* iid, void** object)
{
    if (!clsid || !iid || !object)
        return com::E_POINTER;
    *object = nullptr;
    if (*iid != com::IID_IClassFactory)
        return com::E_NOINTERFACE;
    startLibrary(library);
    const com::ClassInfo& info = library.classInfo();
    if (*clsid == info.clsid)
        *object = factory(com::IID_IControl, library.newControl);
    else if (*clsid == info.propPage)
        *object = factory(com::IID_IPropertyPage, library.newPropertyPage);
    else
        return com::CLASS_E_CLASSNOTAVAILABLE;
    return com::S_OK;
}

} // namespace ctl
