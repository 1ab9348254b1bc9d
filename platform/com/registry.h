#pragma once
// The registry of component classes: one private-profile file that maps class
// ids and programmatic ids to the library that serves them, plus the loading
// of those libraries.
//
// Location: the file named by the environment variable KILOMETRIKA_REGISTRY,
// else "Kilometrika/registry.ini" in the user's configuration folder. The
// folder of that file also stands in for the system folder where libraries
// keep their private defaults files (e.g. "RU4DUD.INI").
//
// Sections written by registration:
//   [CLSID\{clsid}]   @=<type name>, ProgID=, InprocServer32=<library path>,
//                     TypeLib={typelib}, Control=1 (controls only)
//   [<progid>]        @=<type name>, CLSID={clsid}
//   [TypeLib\{guid}]  @=<name>, Path=<library path>, HelpDir=<folder>,
//                     Version=<major.minor>, LCID=<hex> (when given)
//   [Interface\{iid}] @=<name>, TypeLib={typelib}, Version=<major.minor>

#include "platform/com/control.h"

#include <QString>
#include <optional>

namespace com {

QString registryPath();
QString systemFolder();

class Registry {
public:
    explicit Registry(QString path = registryPath());
    const QString& path() const { return path_; }

    QString value(const QString& section, const QString& key) const;
    bool setValue(const QString& section, const QString& key, const QString& value);
    bool removeSection(const QString& section);

    bool registerClass(const Guid& clsid, const QString& progId, const QString& typeName,
                       const QString& libraryPath, const Guid& typeLib, bool isControl);
    bool unregisterClass(const Guid& clsid, const QString& progId);
    bool registerTypeLib(const Guid& typeLib, const QString& name, const QString& libraryPath,
                         const QString& helpDir, const QString& version = {}, quint32 lcid = 0);
    bool unregisterTypeLib(const Guid& typeLib);
    bool registerInterface(const Guid& iid, const QString& name, const Guid& typeLib, const QString& version);
    bool unregisterInterface(const Guid& iid);

    std::optional<Guid> clsidFromProgId(const QString& progId) const;
    QString progIdFromClsid(const Guid& clsid) const;
    QString libraryOf(const Guid& clsid) const;

private:
    QString path_;
};

// The registration a control library makes for itself: type library, control
// class and property page class. Returns S_OK, SELFREG_E_TYPELIB or SELFREG_E_CLASS.
HRESULT registerControlLibrary(const ClassInfo& info, const QString& libraryPath, const QString& helpDir);
HRESULT unregisterControlLibrary(const ClassInfo& info);

// The file of the loaded library that holds `address` (empty when unknown).
QString modulePath(const void* address);

// Accepts a programmatic id or a class id in braces. Loads the registered
// library once and keeps it loaded. `object` receives the new control.
HRESULT createControl(const QString& progIdOrClsid, IControl** object, QString* error = nullptr);
// Asks the library file through its DllCanUnloadNow (S_OK, S_FALSE, or an error
// when it is not loaded by this process).
HRESULT canUnloadNow(const QString& libraryPath);

} // namespace com
