#pragma once
// Where the program folder comes from: the folder of the executable, or a
// folder given on the command line or in KILOMETRIKA_PROGRAMMPFAD; and the
// version the program shows of itself.

#include <QString>

namespace kmk {

// Set by main() from its command line; empty = none.
void setProgrammPfadVorgabe(const QString& ordner);
// The program folder with exactly one trailing '/'. Also before the
// application object is made.
QString ProgrammPfadErmitteln();

// The build number the main window starts with.
inline constexpr int kBuildnummer = 1;
// The version the caption shows: the year's main version (it keeps its
// leading blank), ".0." and the build number: " 21.0.1" for 2016, build 1.
QString Programmversion(const QString& hauptversion, int buildnummer);
// The answer to "Kilometrika --version": "Kilometrika " and the version the
// caption shows, for the year of the program folder's "DTSD.kxt" (read, and
// nothing else; no display needed). Without a usable year the caption would
// never show: then only the build part, "Kilometrika .0.1".
QString Versionszeile();

} // namespace kmk
