#pragma once
// The year's recalculation of the meal allowances: every trip file of a
// company car is recalculated record by record with the rules of
// pauschalregeln.h and written back in one atomic rewrite.
//
//   aktualisieren(st, neuLaden);   // Pause key, title page button, start-up
//
// While st.NeuberechnungStart is set (the one-time run for years before
// 2015) the fixed amounts 12 and 24 apply, otherwise the configured rates.

#include <QString>
#include <QStringList>
#include <functional>

#include "app/records/fahrten1.h"

namespace kmk {

// What one run did, for the caller and the tests.
struct Neuberechnung {
    int dateien = 0;         // files recalculated
    int geschrieben = 0;     // files rewritten (something changed)
    QStringList fehler;      // files that could not be read or written
    // Every file was done; only then is the run said to be complete.
    bool vollstaendig() const { return fehler.isEmpty(); }
};

// Recalculates the trip files of the vehicles 1..4 that exist and belong
// to a company car. A file whose first driver is "Leer" was done by the
// old one-time run and is skipped during that run. A file that cannot be
// read or written gets the write message and stays as it was. Afterwards
// the current vehicle's count is read again and 'neuLaden' shows it; then
// the completion notice, only when every file was done. A caller marks
// the run done (PauschalenAktualisiert) only then.
Neuberechnung aktualisieren(Fahrten1& st, const std::function<void()>& neuLaden = {});

// The configured rates; a rate text that is no number counts as 0.
// *keineZahl reports such a text.
struct Saetze;
Saetze KonfigurierteSaetze(const Fahrten1& st, bool* keineZahl = nullptr);
// The plain notice shown once at start-up when a rate text is no number.
QString TextSatzKeineZahl();

} // namespace kmk
