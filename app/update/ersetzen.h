#pragma once
// Putting a downloaded program in place of the running one. The file is
// checked first (an executable of the same kind as the running program),
// gets the program file's mode and is renamed over it in one step; the
// running program keeps its old file open, so the new version runs at the
// next start. The old file stays beside it as "<program>.alt" until that
// start has come up, so a broken update can be undone by hand.

#include <QString>

namespace upd {

// The file is a whole executable for this computer: an ELF header of the
// same class, byte order and machine as `reference` (the running program),
// of type executable or shared object, whose program-header table, every
// loadable segment and section-header table lie inside the file, so a file
// cut short anywhere is refused. `why` gets a German reason.
bool istProgrammDatei(const QString& path, const QString& reference, QString* why = nullptr);

QString alteKopie(const QString& programm);

// Mode of the program onto `neu`, old program kept as alteKopie (unless a
// copy is kept already: the program this run started with), then `neu`
// renamed over the program. False (with `fehler`) leaves the program file as it was.
bool programmErsetzen(const QString& neu, const QString& programm, QString* fehler = nullptr);

// Called once a start has come up: the kept old program is no longer needed.
void alteKopieEntfernen(const QString& programm);

} // namespace upd
