#pragma once
// Copying a vehicle's trip file back from a full backup folder, started
// with Ctrl+Alt+1 .. Ctrl+Alt+4 on the main keyboard.
//
//   if (int k = Wiederherstellungstaste(keyCode, shift, QGuiApplication::keyboardModifiers()))
//       Wiederherstellen(st, Dir1->selectedFolder(), k, dienste);

#include <QString>

#include <functional>

#include "app/records/fahrten1.h"

namespace kmk {

// Vehicle 1..4 for exactly Ctrl+Alt with the digit 1..4 of the main
// keyboard (runtime key codes 49..52, shift state 6); 0 otherwise. AltGr,
// Shift, the Meta key and the numeric keypad never count.
int Wiederherstellungstaste(int keyCode, int shift, Qt::KeyboardModifiers modifiers);

struct Wiederherstellungsdienste {
    std::function<void(const QString&)> meldung;   // plain message box
    std::function<void()> listenNeu;               // AListe, then KListe
    std::function<void(int)> fahrzeugWaehlen;      // vehicle button index k - 1
};

enum class Wiederherstellung { Kopiert, KeineQuelle, GleicheDatei, Fehler };

// Copies <folder>/<trip file of vehicle k> over the program folder's copy:
// the source path is shown first, the current file is kept in the backup
// folder as "Auto<k>_vor_Wiederherstellen_<yyyymmdd_hhmm>.dat", the copy is
// atomic, then the lists are rebuilt and vehicle k is chosen. Nothing
// happens when either file is missing or both are the same file; a trip
// file the user may not write gives the save roads' write message and
// nothing is written.
Wiederherstellung Wiederherstellen(Fahrten1& st, const QString& ordner, int fahrzeug,
                                   const Wiederherstellungsdienste& dienste);

// A free name in 'ordner' for a safety copy: "<stamm>_<yyyymmdd_hhmm>.dat",
// with "_2", "_3" ... added when that exists.
QString Sicherheitskopiename(const QString& ordner, const QString& stamm);
// True for exactly the file names Sicherheitskopiename gives for 'stamm'.
bool IstSicherheitskopiename(const QString& name, const QString& stamm);
// The stems of the safety copies: before a restore or a deletion of a trip
// file ("Auto1_vor_Wiederherstellen", "Auto1_vor_Loeschen"), of what was
// left of a damaged data file ("Auto1_26_beschaedigt") and before an import
// of the trip memory ("Kund2026_vor_Import").
QString StammVorWiederherstellen(int fahrzeug);
QString StammVorLoeschen(int fahrzeug);
QString StammBeschaedigt(const QString& dateiname);
QString StammVorImport(const QString& jahr);

} // namespace kmk
