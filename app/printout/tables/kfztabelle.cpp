// Logbook of a company car.

#include "app/printout/seiteneinrichtung.h"
#include "app/printout/tables/tabellen.h"
#include "app/records/hilfen.h"
#include "platform/vb/date.h"

namespace kmk::tabellen {

namespace {

using T = sheet::Tabellenblatt;
using F = FahrtDatensatz;

void text(T& t, const QString& s) { t.Zelltext(s); }

std::vector<Spalte> spalten(const Tabellenkontext& k)
{
    const QString ab = QStringLiteral("Abfahrt"), an = QStringLiteral("Ankunft");
    const QString gef = QStringLiteral("Gefahr.");
    std::vector<Spalte> s;
    s.push_back({1800, {}, QStringLiteral("Gesprächspartner"), 1, [](T& t, const F& f) { text(t, f.Gespraechspartner); }});
    s.push_back({1200, ab, QStringLiteral("Datum"), 3, [](T& t, const F& f) { datumZelle(t, f.DatumAb); }});
    if (k.zeiten())
        s.push_back({800, ab, QStringLiteral("Zeit"), 3, [](T& t, const F& f) { text(t, MinutenInZeit(f.ZeitAb)); }});
    s.push_back({800, ab, QStringLiteral("km"), 3, [](T& t, const F& f) { t.Zellwert(f.KmAb); }});
    s.push_back({1600, {}, QStringLiteral("Grund"), 1, [](T& t, const F& f) { text(t, f.Grund); }});
    s.push_back({1600, {}, QStringLiteral("Von"), 1, [](T& t, const F& f) { text(t, f.Von); }});
    s.push_back({1600, {}, QStringLiteral("Über"), 1, [](T& t, const F& f) { text(t, f.Ueber); }});
    s.push_back({1600, {}, QStringLiteral("Nach"), 1, [](T& t, const F& f) { text(t, f.Nach); }});
    s.push_back({1200, an, QStringLiteral("Datum"), 3, [](T& t, const F& f) { datumZelle(t, f.DatumAn); }});
    if (k.zeiten())
        s.push_back({800, an, QStringLiteral("Zeit"), 3, [](T& t, const F& f) { text(t, MinutenInZeit(f.ZeitAn)); }});
    s.push_back({800, an, QStringLiteral("km"), 3, [](T& t, const F& f) { t.Zellwert(f.KmAn); }});
    s.push_back({800, gef, QStringLiteral("km"), 3, [](T& t, const F& f) { t.Zellwert(f.GefahreneKm); }});
    if (k.zeiten())
        s.push_back({800, gef, QStringLiteral("Zeit"), 3,
                     [](T& t, const F& f) { text(t, MinutenInStunden(f.AbwesenheitFahrt)); }});
    if (k.pauschalen()) {
        s.push_back({800, QStringLiteral("Verpfle."), QStringLiteral("zuschuß"), 3, [](T& t, const F& f) {
                         if (f.Teilpauschale2 > 0)
                             t.Zellwert(f.Teilpauschale2);
                     }});
        s.push_back({800, QStringLiteral("Gesamt"), QStringLiteral("Verpfl."), 3, [](T& t, const F& f) {
                         if (f.PauschaleGesamt > 0)
                             t.Zellwert(f.PauschaleGesamt);
                     }});
    }
    s.push_back({1000, QStringLiteral("Fahrt"), QStringLiteral("Art"), 3, [](T& t, const F& f) { artZelle(t, f); }});
    // Written by statuszelle, for the records it marks only: otherwise a
    // cancelled trip and its correction stand alike, and an auditor adding
    // the kilometres counts the trip twice.
    s.push_back({1700, k.journal() ? QStringLiteral("Journal") : QStringLiteral("Änderungs"), QStringLiteral("Datum"), 3,
                 nullptr});
    return s;
}

} // namespace

static QString LegendeFahrtarten()
{
    return QStringLiteral("Fahrtarten: 1=Fahrten z. Wohn- und Arbeitsstätte 2=Privatfahrten 3=Geschäftsfahrten "
                          "4= Fahrten i. Zshg. m. stfr. Umsätzen  5=Familienheimfahrten");
}

Bau KFZTabelle(sheet::Tabellenblatt& t, const Tabellenkontext& k)
{
    if (k.ohneFahrten()) {
        // Another vehicle's logbook must not stay on the page under this one's name.
        t.Zuruecksetzen();
        return Bau::Unberuehrt;
    }
    Seiteneinrichtung(t, 17, k.kfz);
    t.Papiergroesse(9);
    t.Querformat(true);
    if (!k.listbar())
        return Bau::Anfangskm;

    const std::vector<Fahrt> fahrten = FahrtenLesen(k.fahrtdateiPfad);
    const std::vector<Spalte> s = spalten(k);
    Spaltenbreiten(t, s);
    t.Blattname(1, QStringLiteral("Kilometrika ") + k.jahr);
    waehle(t, 1, 1);
    t.Zelltext(LegendeFahrtarten());
    Abkuerzungszeile(t);
    Tabellenkopf(t, s);

    int zeile = 4;
    for (const Fahrt& f : fahrten) {
        if (!k.nimmt(f.satz))
            continue;
        Datenzeile(t, ++zeile, s, f.satz);
        statuszelle(t, zeile, int(s.size()), f.satz);
    }
    return Bau::Gebaut;
}

} // namespace kmk::tabellen
