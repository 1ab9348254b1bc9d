#pragma once
// The two evaluations of a vehicle's trips, as figures: operating costs
// (refuellings and workshop costs with their totals) and the shares of
// the driven kilometres by trip type. The sheets are written from these
// (betriebskostentabelle.h, prozenttabelle.h).

#include "app/printout/tables/bausatz.h"
#include "platform/vb/number.h"

#include <array>
#include <optional>

namespace kmk::tabellen {

// ---- operating costs ----
struct Kostenzeile {
    qint32 datum = 0;       // DatumAb
    qint32 kmStand = 0;     // KmAn
    bool tanken = false;    // false: a workshop cost
    QString bezeichner;     // "Tanken" or the workshop text as stored
    double menge = 0.0;     // quantity of a refuelling
    vb::Currency betrag;
};

// A sum or price beyond the currency range (damaged amounts) has no value.
struct Betriebskosten {
    std::vector<Kostenzeile> zeilen;
    double km = 0.0;        // driven since the first refuelling of the range
    double menge = 0.0;     // fuel quantity, with its decimals
    std::optional<vb::Currency> kraftstoff = vb::Currency{}, wartung = vb::Currency{},
                                durchschnittspreis = vb::Currency{};
};

// Trips of the range that are not cancelled, in file order; a trip with
// both amounts gives the workshop row first. The km count starts with
// the trip of the first refuelling.
Betriebskosten BetriebskostenErmitteln(const std::vector<Fahrt>& fahrten, Druckbereich bereich);

// ---- trip shares ----
// Km and share per trip type 1..5 of a company car's trips in the range
// (cancelled trips and type 0 add nothing). 'texte' holds "75,00%" or,
// when no km were driven, "Leer".
struct Firmenanteile {
    std::array<qint64, 6> km{};       // index 1..5
    std::array<double, 6> prozent{};  // index 1..5
    std::array<QString, 6> texte;     // index 1..5
};
Firmenanteile FirmenanteileErmitteln(const std::vector<Fahrt>& fahrten, Druckbereich bereich);

// Business and private use of a private car over the year: every trip but
// a cancelled one is business, the rest of the driven km up to the
// closing reading is private. Private km can come out negative when the
// trips exceed the odometer difference.
struct Privatanteile {
    qint64 geschaeftskm = 0;
    double privatkm = 0;             // whole km; a typed reading may be far beyond 32 bits
    double geschaeftsanteil = 0.0;
    double privatanteil = 0.0;
    double fahrtkostensumme = 0.0;
};
Privatanteile PrivatanteileErmitteln(const std::vector<Fahrt>& fahrten, qint32 anfangskm, double schlusskm);
// The same from business km and costs already summed.
Privatanteile PrivatanteileBerechnen(qint64 geschaeftskm, double fahrtkostensumme, qint32 anfangskm, double schlusskm);

// A closing odometer reading as typed: a whole or decimal number ("35000",
// "35000,5", "35.000"), nothing else. Empty when it is no number.
std::optional<double> KmStandLesen(const QString& text);

// A percentage as the sheet shows a floating-point number put as text:
// up to 15 significant digits, decimal comma, no sign blank ("60",
// "33,3333333333333").
QString Kommazahl(double v);

} // namespace kmk::tabellen
