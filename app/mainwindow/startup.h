#pragma once
// Where the program folder comes from: the folder of the executable, or a
// folder given on the command line or in KILOMETRIKA_PROGRAMMPFAD.

#include <QString>

namespace kmk {

// Set by main() from its command line; empty = none.
void setProgrammPfadVorgabe(const QString& ordner);
// The program folder with exactly one trailing '/'.
QString ProgrammPfadErmitteln();

} // namespace kmk
