#pragma once
// Backups of the year's data files, as plain copies:
//  - the quick backup after every n-th save and on "Beenden": each
//    non-empty trip file as "Auto<k>_AnzahlEintra_<n>.dat" plus the master,
//    settings and trip-memory files, into the program folder's "Sicherheit";
//  - the full backup when the window closes and from the folder list's
//    menu: a new folder "Au1-12 E_Au3-4 E" in the backup folder holding
//    every data file under its own name.
// Each copy is written under a temporary name and renamed when complete; a
// full backup folder appears under its name only once every copy is in.
//
//   Sicherheitscopy(st, [](const QString& t) { plainMessage(t); });
//   SicherheitscopyNeu(st, [](const QString& t) { plainMessage(t); });

#include <QString>

#include <array>
#include <functional>

#include "app/records/fahrten1.h"

namespace kmk {

// The copy used by both backups; tests replace it to make a copy fail.
using Kopierfunktion = std::function<bool(const QString& von, const QString& nach)>;
Kopierfunktion& sicherungsKopie();

// Number of trips of each vehicle's trip file (index 1..4), from the file sizes.
std::array<qint32, 5> Fahrtenzahlen(const Fahrten1& st);
// "Au1-12 E_Au3-4 E" for the counts; empty when no vehicle has trips.
QString Vollsicherungsname(const std::array<qint32, 5>& anzahl);
// True for exactly the names Vollsicherungsname gives.
bool IstVollsicherungsname(const QString& name);
// "Auto2_AnzahlEintra_40.dat".
QString Schnellsicherungsname(int fahrzeug, qint32 anzahl);
// True for exactly the names Schnellsicherungsname gives for a count > 0.
bool IstSchnellsicherungsname(const QString& name);
// The save interval of the settings; 0 or less counts as 20.
int Sicherungsintervall(const VoreinstellungSatz& v);
// The program folder's own backup folder ("…/Sicherheit/").
QString Standardsicherungsordner(const Fahrten1& st);
// The backup folder of the settings when it is an absolute, existing
// folder here; else the standard one (created when missing).
QString Sicherungsordner(const Fahrten1& st);

// A name this program gives a file of its year in the backup folders,
// exactly as its maker spells it: the data files, the quick backups, the
// copies kept before a restore, a deletion or an import, and what was left
// of a damaged data file ("Auto1_vor_Loeschen_20260105_1200.dat",
// "Auto1_26_beschaedigt_…"), each told by its maker's own recogniser.
bool EigenerDateiname(const Fahrten1& st, const QString& name);
// Keeps a damaged data file (at most its first 'hoechstens' bytes, all when
// < 0) in the backup folder as "<name>_beschaedigt_…" before it is written
// anew; the copy's path, empty when it could not be made.
QString BeschaedigtSichern(const Fahrten1& st, const QString& pfad, qint64 hoechstens = -1);

// Removes what a backup or a restore cut off by a crash left in the current
// backup folder and the program folder's own: the temporaries of the
// program's own file names (EigenerDateiname, io::removeRewriteLeftovers)
// and the hidden folders a full backup is built in, each only when it holds
// the builder's marker and that process no longer runs (a second running
// copy may be building one). Links are never followed; nothing else is
// touched, whatever its name. Returns how many entries went.
int SicherungsresteEntfernen(const Fahrten1& st);

// Quick backup. Resets the settings' backup folder to the standard one.
// Silent when every copy is written; otherwise 'meldung' shows the
// backup's failure message once.
void Sicherheitscopy(Fahrten1& st, const std::function<void(const QString&)>& meldung = {});
// Full backup; 'meldung' shows the plain message boxes.
void SicherheitscopyNeu(Fahrten1& st, const std::function<void(const QString&)>& meldung);

} // namespace kmk
