#include "platform/com/registry.h"

#include "platform/com/object.h"
#include "platform/com/profile.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStandardPaths>
#include <dlfcn.h>
#include <map>
#include <memory>

namespace com {

namespace {
const QString kDefault = QStringLiteral("@");

QString clsidSection(const Guid& g) { return QStringLiteral("CLSID\\") + g.toString(); }
QString typeLibSection(const Guid& g) { return QStringLiteral("TypeLib\\") + g.toString(); }
QString interfaceSection(const Guid& g) { return QStringLiteral("Interface\\") + g.toString(); }

std::map<QString, std::unique_ptr<QLibrary>>& loadedLibraries()
{
    static std::map<QString, std::unique_ptr<QLibrary>> libs;
    return libs;
}

QLibrary* loadLibrary(const QString& path, QString* error)
{
    const QString key = QFileInfo(path).absoluteFilePath();
    auto& libs = loadedLibraries();
    auto it = libs.find(key);
    if (it != libs.end())
        return it->second.get();
    auto lib = std::make_unique<QLibrary>(key);
    if (!lib->load()) {
        if (error)
            *error = lib->errorString();
        return nullptr;
    }
    QLibrary* raw = lib.get();
    libs.emplace(key, std::move(lib));
    return raw;
}
} // namespace

QString registryPath()
{
    const QByteArray env = qgetenv("KILOMETRIKA_REGISTRY");
    if (!env.isEmpty())
        return QFileInfo(QString::fromLocal8Bit(env)).absoluteFilePath();
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Kilometrika/registry.ini");
}

QString systemFolder()
{
    return QFileInfo(registryPath()).absolutePath();
}

Registry::Registry(QString path) : path_(std::move(path)) {}

QString Registry::value(const QString& section, const QString& key) const
{
    return PrivateProfile(path_).readString(section, key, QString());
}

bool Registry::setValue(const QString& section, const QString& key, const QString& value)
{
    return PrivateProfile(path_).writeString(section, key, value);
}

bool Registry::removeSection(const QString& section)
{
    return PrivateProfile(path_).removeSection(section);
}

bool Registry::registerClass(const Guid& clsid, const QString& progId, const QString& typeName,
                             const QString& libraryPath, const Guid& typeLib, bool isControl)
{
    PrivateProfile f(path_);
    const QString s = clsidSection(clsid);
    bool ok = f.removeSection(s);
    ok = ok && f.writeString(s, kDefault, typeName);
    ok = ok && f.writeString(s, QStringLiteral("ProgID"), progId);
    ok = ok && f.writeString(s, QStringLiteral("InprocServer32"), libraryPath);
    if (!typeLib.isNull())
        ok = ok && f.writeString(s, QStringLiteral("TypeLib"), typeLib.toString());
    if (isControl)
        ok = ok && f.writeString(s, QStringLiteral("Control"), QStringLiteral("1"));
    if (!progId.isEmpty()) {
        ok = ok && f.removeSection(progId);
        ok = ok && f.writeString(progId, kDefault, typeName);
        ok = ok && f.writeString(progId, QStringLiteral("CLSID"), clsid.toString());
    }
    return ok;
}

bool Registry::unregisterClass(const Guid& clsid, const QString& progId)
{
    PrivateProfile f(path_);
    bool ok = f.removeSection(clsidSection(clsid));
    if (!progId.isEmpty())
        ok = f.removeSection(progId) && ok;
    return ok;
}

bool Registry::registerTypeLib(const Guid& typeLib, const QString& name, const QString& libraryPath,
                               const QString& helpDir, const QString& version, quint32 lcid)
{
    PrivateProfile f(path_);
    const QString s = typeLibSection(typeLib);
    bool ok = f.removeSection(s);
    ok = ok && f.writeString(s, kDefault, name);
    ok = ok && f.writeString(s, QStringLiteral("Path"), libraryPath);
    ok = ok && f.writeString(s, QStringLiteral("HelpDir"), helpDir);
    if (!version.isEmpty()) {
        ok = ok && f.writeString(s, QStringLiteral("Version"), version);
        ok = ok && f.writeString(s, QStringLiteral("LCID"), QString::number(lcid, 16));
    }
    return ok;
}

bool Registry::unregisterTypeLib(const Guid& typeLib)
{
    return PrivateProfile(path_).removeSection(typeLibSection(typeLib));
}

bool Registry::registerInterface(const Guid& iid, const QString& name, const Guid& typeLib, const QString& version)
{
    PrivateProfile f(path_);
    const QString s = interfaceSection(iid);
    bool ok = f.removeSection(s);
    ok = ok && f.writeString(s, kDefault, name);
    ok = ok && f.writeString(s, QStringLiteral("TypeLib"), typeLib.toString());
    ok = ok && f.writeString(s, QStringLiteral("Version"), version);
    return ok;
}

bool Registry::unregisterInterface(const Guid& iid)
{
    return PrivateProfile(path_).removeSection(interfaceSection(iid));
}

std::optional<Guid> Registry::clsidFromProgId(const QString& progId) const
{
    if (auto g = Guid::parse(progId); g && progId.trimmed().startsWith(QLatin1Char('{')))
        return g;
    const QString text = value(progId, QStringLiteral("CLSID"));
    if (text.isEmpty())
        return std::nullopt;
    return Guid::parse(text);
}

QString Registry::progIdFromClsid(const Guid& clsid) const
{
    return value(clsidSection(clsid), QStringLiteral("ProgID"));
}

QString Registry::libraryOf(const Guid& clsid) const
{
    return value(clsidSection(clsid), QStringLiteral("InprocServer32"));
}

HRESULT registerControlLibrary(const ClassInfo& info, const QString& libraryPath, const QString& helpDir)
{
    Registry reg;
    if (!reg.registerTypeLib(info.typeLib, info.typeLibName, libraryPath, helpDir))
        return SELFREG_E_TYPELIB;
    if (!reg.registerClass(info.clsid, info.progId, info.typeName, libraryPath, info.typeLib, true))
        return SELFREG_E_CLASS;
    if (!info.propPage.isNull()
        && !reg.registerClass(info.propPage, info.pageProgId, info.pageTypeName, libraryPath, Guid{}, false))
        return SELFREG_E_CLASS;
    return S_OK;
}

HRESULT unregisterControlLibrary(const ClassInfo& info)
{
    Registry reg;
    if (!reg.unregisterTypeLib(info.typeLib))
        return SELFREG_E_TYPELIB;
    bool ok = reg.unregisterClass(info.clsid, info.progId);
    if (!info.propPage.isNull())
        ok = reg.unregisterClass(info.propPage, info.pageProgId) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

QString modulePath(const void* address)
{
    Dl_info dl{};
    if (dladdr(address, &dl) == 0 || !dl.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(dl.dli_fname)).absoluteFilePath();
}

namespace {
// The class factory of a registered class, from its library.
HRESULT classFactory(const QString& progIdOrClsid, IClassFactory** factory, QString* error)
{
    *factory = nullptr;
    Registry reg;
    const auto clsid = reg.clsidFromProgId(progIdOrClsid);
    const QString path = clsid ? reg.libraryOf(*clsid) : QString();
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("Klasse nicht registriert: %1").arg(progIdOrClsid);
        return REGDB_E_CLASSNOTREG;
    }
    QString loadError;
    QLibrary* lib = loadLibrary(path, &loadError);
    if (!lib) {
        if (error)
            *error = QStringLiteral("Die Bibliothek %1 kann nicht geladen werden: %2").arg(path, loadError);
        return CO_E_DLLNOTFOUND;
    }
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(lib->resolve("DllGetClassObject"));
    if (!getClassObject) {
        if (error)
            *error = QStringLiteral("%1 ist keine Komponentenbibliothek.").arg(path);
        return CO_E_ERRORINDLL;
    }
    HRESULT h = getClassObject(&*clsid, &IID_IClassFactory, reinterpret_cast<void**>(factory));
    if (failed(h) || !*factory) {
        if (error)
            *error = QStringLiteral("Die Klasse %1 ist nicht verfügbar.").arg(progIdOrClsid);
        return failed(h) ? h : CLASS_E_CLASSNOTAVAILABLE;
    }
    return S_OK;
}

// An instance of a registered class; 'was' names its kind in the message.
HRESULT createInstance(const QString& progIdOrClsid, const Guid& iid, void** object, const QString& was,
                       QString* error)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT h = classFactory(progIdOrClsid, &factory, error);
    if (failed(h))
        return h;
    h = factory->createInstance(iid, object);
    factory->release();
    if (failed(h) && error)
        *error = QStringLiteral("%1 %2 kann nicht erstellt werden.").arg(was, progIdOrClsid);
    return h;
}
} // namespace

HRESULT createControl(const QString& progIdOrClsid, IControl** object, QString* error)
{
    return createInstance(progIdOrClsid, IID_IControl, reinterpret_cast<void**>(object),
                          QStringLiteral("Das Steuerelement"), error);
}

HRESULT createObject(const QString& progIdOrClsid, IObject** object, QString* error)
{
    return createInstance(progIdOrClsid, IID_IObject, reinterpret_cast<void**>(object), QStringLiteral("Das Objekt"),
                          error);
}

HRESULT registerComponentLibrary(const ClassInfo& info, const QString& libraryPath, const TypeLibDetails& lib)
{
    Registry reg;
    if (!reg.registerTypeLib(info.typeLib, info.typeLibName, libraryPath, QFileInfo(libraryPath).absolutePath(),
                             lib.version, lib.lcid))
        return SELFREG_E_TYPELIB;
    for (const auto& [iid, name] : {std::pair{info.dispIid, lib.dispName}, std::pair{info.eventIid, lib.eventName}})
        if (!name.isEmpty() && !reg.registerInterface(iid, name, info.typeLib, lib.version))
            return SELFREG_E_TYPELIB;
    if (!reg.registerClass(info.clsid, info.progId, info.typeName, libraryPath, info.typeLib, false))
        return SELFREG_E_CLASS;
    return S_OK;
}

HRESULT unregisterComponentLibrary(const ClassInfo& info, const TypeLibDetails& lib)
{
    Registry reg;
    bool ok = reg.unregisterTypeLib(info.typeLib);
    for (const auto& [iid, name] : {std::pair{info.dispIid, lib.dispName}, std::pair{info.eventIid, lib.eventName}})
        if (!name.isEmpty())
            ok = reg.unregisterInterface(iid) && ok;
    if (!ok)
        return SELFREG_E_TYPELIB;
    return reg.unregisterClass(info.clsid, info.progId) ? S_OK : SELFREG_E_CLASS;
}

HRESULT canUnloadNow(const QString& libraryPath)
{
    const QString key = QFileInfo(libraryPath).absoluteFilePath();
    auto& libs = loadedLibraries();
    auto it = libs.find(key);
    if (it == libs.end())
        return E_FAIL;
    auto fn = reinterpret_cast<DllCanUnloadNowFn>(it->second->resolve("DllCanUnloadNow"));
    return fn ? fn() : E_FAIL;
}

} // namespace com
