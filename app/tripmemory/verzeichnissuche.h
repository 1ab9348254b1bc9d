#pragma once
// Walks the folders below a start folder, depth first in pre-order (a
// folder, then each of its subfolders in name order with everything below
// it), and reports every plain file whose name equals the one sought,
// ignoring letter case; hidden files count.
//
// Only real folders are entered: no symbolic links, no hidden folders, no
// other file system than the start folder's, no pseudo file system (proc,
// sysfs, ...), and no folder twice. Unreadable folders are skipped.

#include <QString>

#include <functional>

namespace kmk {

struct Verzeichnissuche {
    // "Suche in <folder>" for each folder entered.
    std::function<void(const QString& ordner)> anzeige;
    std::function<void(const QString& datei)> treffer;
    // Asked after each folder (let the window work here); true ends the walk.
    std::function<bool()> abbrechen;

    // Returns the number of hits.
    int suchen(const QString& start, const QString& dateiname);
};

// True for file systems that hold no user files (proc, sysfs, devtmpfs, ...).
bool pseudoDateisystem(const QByteArray& typ);

} // namespace kmk
