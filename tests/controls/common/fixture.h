#pragma once
// Registers the built control libraries into a private registry for the
// whole test binary, and lets modal dialogs run without blocking. Shared by
// the tests of both control libraries.

#include "platform/com/controlhost.h"
#include "platform/com/registry.h"
#include "platform/vb/error.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLibrary>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace testenv {

inline QString binDir()
{
    const QString dir = qEnvironmentVariable("KMK_BIN_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../bin") : dir;
}

inline QString library(const char* name) { return binDir() + QStringLiteral("/lib%1.so").arg(QLatin1String(name)); }

inline com::HRESULT callEntry(const QString& path, const char* entry)
{
    QLibrary lib(path);
    if (!lib.load())
        return com::CO_E_DLLNOTFOUND;
    auto fn = reinterpret_cast<com::DllRegisterServerFn>(lib.resolve(entry));
    return fn ? fn() : com::CO_E_ERRORINDLL;
}

// Every dialog a control shows lands here instead of blocking.
inline std::function<int(QDialog*)>& dialogHandler()
{
    static std::function<int(QDialog*)> handler;
    return handler;
}

class Environment : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("KILOMETRIKA_REGISTRY", dir_.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
        ASSERT_EQ(callEntry(library("QKCAL32"), "DllRegisterServer"), com::S_OK);
        ASSERT_EQ(callEntry(library("QKSPIN32"), "DllRegisterServer"), com::S_OK);
        com::ControlHost::setDialogRunner([](QDialog* d) { return dialogHandler() ? dialogHandler()(d) : 0; });
    }
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// The run-time error number a call raised, 0 when it went through.
inline int refusal(const std::function<void()>& f)
{
    try {
        f();
    } catch (const vb::RuntimeError& e) {
        return e.number;
    }
    return 0;
}

inline Environment* const env =
    static_cast<Environment*>(::testing::AddGlobalTestEnvironment(new Environment));

} // namespace testenv
