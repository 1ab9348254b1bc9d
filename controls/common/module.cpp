#include "controls/common/module.h"

#include "platform/com/registry.h"

#include <QFileInfo>

namespace ctl {

namespace {
int g_objects = 0;
int g_locks = 0;
} // namespace

void Module::objectCreated() { ++g_objects; }
void Module::objectDestroyed() { --g_objects; }
void Module::lock(bool on) { g_locks += on ? 1 : (g_locks > 0 ? -1 : 0); }
com::HRESULT Module::canUnloadNow() { return g_objects == 0 && g_locks == 0 ? com::S_OK : com::S_FALSE; }
int Module::liveObjects() { return g_objects; }

QString helpDirectory(const QString& libraryPath)
{
    const QString value = com::Registry().value(QStringLiteral("Software\\Marwelin\\Kitbarro\\HelpDirectory"),
                                                QStringLiteral("@"));
    if (!value.isEmpty())
        return value;
    return QFileInfo(libraryPath).absolutePath() + QStringLiteral("/Help");
}

} // namespace ctl
