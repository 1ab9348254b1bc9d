// Netzladen: the class factory, the object count, the four entry points
// and the resources a host may read: the two interface ids and the version.

#include "download/clsdownload.h"
#include "platform/com/registry.h"
#include "platform/com/resources.h"

#include <atomic>

namespace netzladen {
namespace {

std::atomic<int> g_objects{0};
std::atomic<int> g_locks{0};

class CountedDownload : public ClsDownload {
public:
    CountedDownload() { ++g_objects; }
    ~CountedDownload() override { --g_objects; }
};

class Factory : public com::IClassFactory {
public:
    com::HRESULT createInstance(const com::Guid& iid, void** object) override
    {
        if (!object)
            return com::E_POINTER;
        *object = nullptr;
        if (iid != com::IID_IObject)
            return com::E_NOINTERFACE;
        *object = static_cast<com::IObject*>(new CountedDownload);
        return com::S_OK;
    }
    com::HRESULT lockServer(bool lock) override
    {
        g_locks += lock ? 1 : -1;
        return com::S_OK;
    }
    void release() override { delete this; }
};

} // namespace
} // namespace netzladen

#define NETZLADEN_ENTRY extern "C" __attribute__((visibility("default"))) com::HRESULT
#define NETZLADEN_RESOURCE extern "C" __attribute__((visibility("default"))) const

NETZLADEN_RESOURCE com::IdRecord _IID_CLSDOWNLOAD = com::idRecord(netzladen::kIid);
NETZLADEN_RESOURCE com::IdRecord _SRCIID_CLSDOWNLOAD = com::idRecord(netzladen::kEventIid);
NETZLADEN_RESOURCE com::VersionRecord VS_VERSION_INFO = {"1.00", "1.00", 0x0407, 1200, "OLESelfRegister"};

namespace {
// Type library 1.0, English (0x0409), with its two interfaces.
com::TypeLibDetails typeLib()
{
    return {QStringLiteral("1.0"), 0x0409, QStringLiteral("_clsDownload"), QStringLiteral("__clsDownload")};
}
} // namespace

NETZLADEN_ENTRY DllRegisterServer()
{
    const QString path = com::modulePath(reinterpret_cast<const void*>(&netzladen::ClsDownload::info));
    return com::registerComponentLibrary(netzladen::ClsDownload::info(), path, typeLib());
}

NETZLADEN_ENTRY DllUnregisterServer()
{
    return com::unregisterComponentLibrary(netzladen::ClsDownload::info(), typeLib());
}

NETZLADEN_ENTRY DllGetClassObject(const com::Guid* clsid, const com::Guid* iid, void** object)
{
    if (!clsid || !iid || !object)
        return com::E_POINTER;
    *object = nullptr;
    if (*iid != com::IID_IClassFactory)
        return com::E_NOINTERFACE;
    if (*clsid != netzladen::kClsid)
        return com::CLASS_E_CLASSNOTAVAILABLE;
    *object = static_cast<com::IClassFactory*>(new netzladen::Factory);
    return com::S_OK;
}

NETZLADEN_ENTRY DllCanUnloadNow()
{
    return netzladen::g_objects == 0 && netzladen::g_locks == 0 ? com::S_OK : com::S_FALSE;
}
