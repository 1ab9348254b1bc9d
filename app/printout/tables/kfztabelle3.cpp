// Business trips with a private car, with their costs.

#include "app/printout/seiteneinrichtung.h"
#include "app/printout/tables/tabellen.h"

#include <cmath>

namespace kmk::tabellen {

namespace {

using T = sheet::Tabellenblatt;
using F = FahrtDatensatz;

const QString Betrag = QStringLiteral("#,##0.00");
const QString Ganzzahl = QStringLiteral("0");
// Right of the costs, without a heading: only a cancelled record and its
// correction have a cell there, as wide as the logbook's journal column.
constexpr int Vermerkspalte = 11;

std::vector<Spalte> spalten()
{
    const QString leer;
    return {
        {1900, leer, QStringLiteral("Gesprächspartner"), 1, [](T& t, const F& f) { t.Zelltext(f.Gespraechspartner); }},
        {1200, QStringLiteral("Abfahrt"), QStringLiteral("Datum"), 3, [](T& t, const F& f) { datumZelle(t, f.DatumAb); }},
        {1600, leer, QStringLiteral("Grund"), 1, [](T& t, const F& f) { t.Zelltext(f.Grund); }},
        {1600, leer, QStringLiteral("Von"), 1, [](T& t, const F& f) { t.Zelltext(f.Von); }},
        {1600, leer, QStringLiteral("Über"), 1, [](T& t, const F& f) { t.Zelltext(f.Ueber); }},
        {1600, leer, QStringLiteral("Nach"), 1, [](T& t, const F& f) { t.Zelltext(f.Nach); }},
        {1200, QStringLiteral("Ankunft"), QStringLiteral("Datum"), 3, [](T& t, const F& f) { datumZelle(t, f.DatumAn); }},
        {800, QStringLiteral("Gefahr."), QStringLiteral("km"), 3,
         [](T& t, const F& f) {
             t.Zahlenformat(Ganzzahl);
             t.Zellwert(f.GefahreneKm);
         }},
        {1000, QStringLiteral("Mitfahrer"), QStringLiteral("Anzahl"), 3,
         [](T& t, const F& f) {
             t.Zahlenformat(Ganzzahl);
             t.Zellwert(f.Mitfahrer);
         }},
        {1000, QStringLiteral("Fahrt"), QStringLiteral("Kosten"), 3,
         [](T& t, const F& f) {
             t.Zahlenformat(Betrag);
             t.Zellwert(f.Fahrtkosten);
         }},
    };
}

// Empties what an earlier table left in columns 1 to 12, rows 3 to 9000,
// and in the first two cells of column 1. Only cells that exist are
// touched, so the clearing creates none.
void leeren(T& t, const sheet::Blatt& bestand)
{
    std::vector<std::pair<int32_t, int32_t>> belegt;
    for (const auto& [zeile, zellen] : bestand.zeilen()) {
        for (const auto& [spalte, zelle] : zellen) {
            const bool bereich = spalte <= 12 && zeile >= 3 && zeile <= 9000;
            const bool kopf = spalte == 1 && zeile <= 2;
            if ((bereich || kopf) && !zelle.leer())
                belegt.emplace_back(zeile, spalte);
        }
    }
    for (const auto& [zeile, spalte] : belegt) {
        waehle(t, zeile, spalte);
        t.Zelltext(QString());
    }
}

} // namespace

Bau KFZTabelle3(sheet::Tabellenblatt& t, const Tabellenkontext& k, const sheet::Blatt& bestand)
{
    leeren(t, bestand);
    if (k.ohneFahrten())
        return Bau::Anfangskm;
    Seiteneinrichtung(t, 10, k.kfz);
    t.Papiergroesse(9);
    if (!k.listbar())
        return Bau::Gebaut;

    const std::vector<Fahrt> fahrten = FahrtenLesen(k.fahrtdateiPfad);
    const std::vector<Spalte> s = spalten();
    Spaltenbreiten(t, s);
    t.Spaltenbreite(Vermerkspalte, 1700);
    t.Blattname(1, QStringLiteral("Kilometrika"));
    waehle(t, 1, 1);
    t.Fettschrift(true);
    t.Ausrichtung(1);
    t.Zelltext(QStringLiteral("Betriebsfahrten mit dem Privat - Pkw"));
    Tabellenkopf(t, s);

    int zeile = 4;
    double summe = 0;
    for (const Fahrt& f : fahrten) {
        if (!k.nimmt(f.satz))
            continue;
        Datenzeile(t, ++zeile, s, f.satz);
        // A cancelled trip stays listed, marked as the logbook marks it,
        // but its correction carries the cost: counted twice it would
        // overstate the claimed costs.
        statuszelle(t, zeile, Vermerkspalte, f.satz);
        if (f.satz.Eintragsstatus != 1)
            summe += f.satz.Fahrtkosten;
    }

    const int summenzeile = zeile + 2;
    waehle(t, summenzeile, 9);
    t.Ausrichtung(1);
    t.Schriftgroesse(9);
    t.Zelltext(QStringLiteral("Summe"));
    waehle(t, summenzeile, 10);
    t.Zahlenformat(Betrag);
    t.Ausrichtung(3);
    t.Schriftgroesse(9);
    if (std::isfinite(summe)) {
        t.Zellwert(summe);
    } else {
        t.Zelltext(vb::Ueberlaufmarke());
        UeberlaufMelden(k);
    }
    return Bau::Gebaut;
}

} // namespace kmk::tabellen
