// kmk-regsvr [/u] [/s] <library>: registers a control library into the
// component registry (or removes it) through the library's own entry points.

#include "platform/com/registry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <cstdio>

namespace {
void report(bool silent, const QString& text)
{
    if (!silent)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    bool unregister = false;
    bool silent = false;
    QString path;
    for (const QString& arg : app.arguments().mid(1)) {
        const QString a = arg.toLower();
        if (a == QLatin1String("/u") || a == QLatin1String("-u"))
            unregister = true;
        else if (a == QLatin1String("/s") || a == QLatin1String("-s"))
            silent = true;
        else if (path.isEmpty())
            path = arg;
        else {
            report(false, QStringLiteral("Zu viele Argumente: %1").arg(arg));
            return 2;
        }
    }
    if (path.isEmpty()) {
        report(false, QStringLiteral("Aufruf: kmk-regsvr [/u] [/s] <Bibliothek>"));
        return 2;
    }
    path = QFileInfo(path).absoluteFilePath();
    QLibrary lib(path);
    if (!lib.load()) {
        report(silent, QStringLiteral("Die Bibliothek %1 kann nicht geladen werden: %2").arg(path, lib.errorString()));
        return 3;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto fn = reinterpret_cast<com::DllRegisterServerFn>(lib.resolve(entry));
    if (!fn) {
        report(silent, QStringLiteral("%1 hat keinen Einsprungpunkt %2.").arg(path, QString::fromLatin1(entry)));
        return 4;
    }
    const com::HRESULT h = fn();
    if (com::failed(h)) {
        report(silent, QStringLiteral("%1 in %2 ist fehlgeschlagen (0x%3).")
                           .arg(QString::fromLatin1(entry), path)
                           .arg(quint32(h), 8, 16, QLatin1Char('0')));
        return 5;
    }
    report(silent, QStringLiteral("%1 in %2 war erfolgreich (%3).")
                       .arg(QString::fromLatin1(entry), path, com::registryPath()));
    return 0;
}
