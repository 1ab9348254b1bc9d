#pragma once
// Moving through the stored trips: F4 first, F5 back, F6 forward, F7 last.
// Each ends an open new entry without saving it. At the ends of the file
// a beep and "Dateianfang !" / "Dateiende !"; without a trip file only
// Satznummer becomes 0.

#include "app/entry/eintragsseite.h"

namespace kmk {

void Datensatzeins(Eintragsseite& s);
void Datensatzzurueck(Eintragsseite& s);
void Datensatzvor(Eintragsseite& s);
void LetzterDatensatz(Eintragsseite& s);

} // namespace kmk
