#pragma once
// The trip list of the entry page: the shown trip and up to three before
// it, newest first, one fixed-layout line each.

#include <QString>

#include "app/entry/eintragsseite.h"
#include "app/records/fahrtdatensatz.h"

namespace io {
class RecordFile;
}

namespace kmk {

// One line: number with sign blank and journal mark (five blanks, " sto."
// or " geä."), then, each after a tab, departure date, departure km, Von,
// Nach (as stored), arrival km, driven km and contact person (as stored).
QString Fahrtlistenzeile(qint32 nummer, const FahrtDatensatz& f);

// Refills FahrtListe from the open trip file for Satznummer and
// Satzanzahl; elements 8..11 keep the listed records. While a new entry
// is open (Satznummer past the end) the list keeps its lines.
void Fahrtenliste(Eintragsseite& s, const io::RecordFile& datei);

} // namespace kmk
