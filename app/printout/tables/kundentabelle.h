#pragma once
// The customer list "Kunden - Liste": one row per record of the year's
// trip memory, record n on row n + 3.

#include "app/printout/tables/bausatz.h"

namespace kmk::tabellen {

// 'kundendatei' is the absolute path of the trip-memory file; without it
// the sheet stays as the page set-up leaves it.
void KundenTabelle(sheet::Tabellenblatt& t, const QString& kundendatei, const KfzGrundeinstellung& kfz);

} // namespace kmk::tabellen
