#pragma once
// Life of one control library: objects and locks that keep it loaded, its
// help folder and its private defaults file.

#include "platform/com/result.h"

#include <QString>

namespace ctl {

class Module {
public:
    static void objectCreated();
    static void objectDestroyed();
    static void lock(bool on);
    // S_OK when no object lives and no lock is held, else S_FALSE.
    static com::HRESULT canUnloadNow();
    static int liveObjects();
};

// The folder of the help files: the registry value
// "Software\Marwelin\Kitbarro\HelpDirectory", else the library's own folder
// followed by "/Help".
QString helpDirectory(const QString& libraryPath);

} // namespace ctl
