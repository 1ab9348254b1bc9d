#pragma once
// The table builders of the printout page. Each writes one table into the
// spreadsheet control, starting with the common page set-up, and keeps no
// state between builds. They read only what they are given; what the
// page must do afterwards (a message, the start odometer in the km boxes)
// comes back as the result.
//
//   sheet::RecordingSheet t;                 // or the page's control
//   Tabellenkontext k = ...;                 // year, vehicle, range, filters
//   if (KFZTabelle(t, k) == Bau::Anfangskm) ...

#include "app/printout/tables/auswertungen.h"
#include "app/printout/tables/bausatz.h"
#include "platform/sheet/blatt.h"

namespace kmk::tabellen {

// Logbook of a company car: one row per trip, 12, 15 or 17 columns by the
// time and allowance settings, landscape.
Bau KFZTabelle(sheet::Tabellenblatt& t, const Tabellenkontext& k);

// Business trips with a private car, with their costs and a sum row.
// 'bestand' is what the sheet holds now: its cells in columns 1 to 12,
// rows 3 to 9000, and the first two cells of column 1 are emptied first,
// whatever the build does next.
Bau KFZTabelle3(sheet::Tabellenblatt& t, const Tabellenkontext& k, const sheet::Blatt& bestand);

// The full trip table: a framed block per trip with its journal lines,
// seven blocks to a portrait page.
Bau KfzTabelle4(sheet::Tabellenblatt& t, const Tabellenkontext& k);

// Seven empty trip blocks for handwritten records, one portrait page.
// Only the time setting of 'vor' matters.
void Blankoformular(sheet::Tabellenblatt& t, const VoreinstellungSatz& vor, const KfzGrundeinstellung& kfz);

// Compact logbook: two rows per trip, optional time and allowance
// columns. Offered by no button.
Bau KfzTabelle2(sheet::Tabellenblatt& t, const Tabellenkontext& k);

// ---- evaluations ----
// Operating costs of the range; 'einheit' is the fuel unit of the entry
// page ("Liter", "kWh", "Kg").
void BetriebskostenTabelle(sheet::Tabellenblatt& t, const Tabellenkontext& k, const QString& einheit);

// The trip-share sheet of a company car.
void ProzentTabelleFirma(sheet::Tabellenblatt& t, const Tabellenkontext& k, const QString& fahrzeug,
                         const Firmenanteile& a);
// The trip-share sheet of a private car.
void ProzentTabellePrivat(sheet::Tabellenblatt& t, const Tabellenkontext& k, const QString& fahrzeug,
                          const Privatanteile& p);

} // namespace kmk::tabellen
