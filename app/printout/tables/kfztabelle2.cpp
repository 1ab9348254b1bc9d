// Compact logbook: two rows per trip. No button offers it.

#include "app/printout/seiteneinrichtung.h"
#include "app/printout/tables/tabellen.h"
#include "app/records/hilfen.h"

namespace kmk::tabellen {

namespace {

using T = sheet::Tabellenblatt;
using F = FahrtDatensatz;

std::vector<Spalte> spalten(bool zeiten, bool pauschalen)
{
    const QString ab = QStringLiteral("Abfahrt"), an = QStringLiteral("Ankunft"), gef = QStringLiteral("Gefahr.");
    std::vector<Spalte> s;
    s.push_back({1800, {}, {}, 1, [](T& t, const F&) { t.Zelltext(QStringLiteral("Gesprächspartner")); }});
    s.push_back({1900, {}, QStringLiteral("Gesprächspartner"), 1, [](T& t, const F& f) { t.Zelltext(f.Gespraechspartner); }});
    s.push_back({1200, ab, QStringLiteral("Datum"), 3, [](T& t, const F& f) { datumZelle(t, f.DatumAb); }});
    if (zeiten)
        s.push_back({800, ab, QStringLiteral("Zeit"), 3, [](T& t, const F& f) { t.Zelltext(MinutenInZeit(f.ZeitAb)); }});
    s.push_back({800, ab, QStringLiteral("km"), 3, [](T& t, const F& f) { t.Zellwert(f.KmAb); }});
    s.push_back({1600, {}, QStringLiteral("Grund"), 1, [](T& t, const F& f) { t.Zelltext(f.Grund); }});
    s.push_back({1600, {}, QStringLiteral("Von"), 1, [](T& t, const F& f) { t.Zelltext(f.Von); }});
    s.push_back({1600, {}, QStringLiteral("Nach"), 1, [](T& t, const F& f) { t.Zelltext(f.Nach); }});
    s.push_back({1200, an, QStringLiteral("Datum"), 3, [](T& t, const F& f) { datumZelle(t, f.DatumAn); }});
    if (zeiten)
        s.push_back({800, an, QStringLiteral("Zeit"), 3, [](T& t, const F& f) { t.Zelltext(MinutenInZeit(f.ZeitAn)); }});
    s.push_back({800, an, QStringLiteral("km"), 3, [](T& t, const F& f) { t.Zellwert(f.KmAn); }});
    s.push_back({800, gef, QStringLiteral("km"), 3, [](T& t, const F& f) { t.Zellwert(f.GefahreneKm); }});
    if (zeiten)
        s.push_back({800, gef, QStringLiteral("Zeit"), 3,
                     [](T& t, const F& f) { t.Zelltext(MinutenInStunden(f.AbwesenheitFahrt)); }});
    if (pauschalen) {
        s.push_back({800, QStringLiteral("Verpfle."), QStringLiteral("zuschuß"), 3, [](T& t, const F& f) {
                         if (f.Teilpauschale2 > 0)
                             t.Zellwert(f.Teilpauschale2);
                     }});
        s.push_back({800, QStringLiteral("Gesamt"), QStringLiteral("Verpfl."), 3,
                     [](T& t, const F& f) { t.Zellwert(f.PauschaleGesamt); }});
    }
    s.push_back({1000, QStringLiteral("Fahrt"), QStringLiteral("Art"), 3, [](T& t, const F& f) { artZelle(t, f); }});
    return s;
}

} // namespace

Bau KfzTabelle2(sheet::Tabellenblatt& t, const Tabellenkontext& k)
{
    if (k.ohneFahrten())
        return Bau::Unberuehrt;
    Seiteneinrichtung(t, 16, k.kfz);
    t.Papiergroesse(9);
    if (!k.listbar())
        return Bau::Gebaut;

    const bool zeiten = k.vor.Zeitspalten != 0;
    const bool pauschalen = k.vor.Pauschalspalten() != 0;
    const std::vector<Fahrt> fahrten = FahrtenLesen(k.fahrtdateiPfad);
    const std::vector<Spalte> s = spalten(zeiten, pauschalen);
    Spaltenbreiten(t, s);
    t.Blattname(1, QStringLiteral("Kilometrika"));
    waehle(t, 1, 1);
    if (k.vor.ErweiterterAusdruck != 0 && pauschalen)
        t.Zelltext(QStringLiteral("Auflistung der Fahrtarten:  (1) = Fahrten zwischen Wohn- und Arbeitsstätte  "
                                  "(2) = Privatfahrten  (3) = Geschäftsfahrten  (4) = Fahrten i. Zshg. m. stfr. "
                                  "Umsätzen  (5) = Familienheimfahrten"));
    else
        t.Zelltext(QStringLiteral("Fahrtarten: 1=Fahrten z. Wohn- und Arbeitsstätte 2=Privatfahrten "
                                  "3=Geschäftsfahrten 4= Fahrten i. Zshg. m. stfr. Umsätzen 5=Familienheimfahrten"));
    Abkuerzungszeile(t);
    Tabellenkopf(t, s);

    int genommen = 0;
    for (const Fahrt& f : fahrten) {
        if (!k.nimmt(f.satz))
            continue;
        ++genommen;
        const int zeile = 2 * genommen + 3;
        for (size_t i = 0; i < s.size(); ++i) {
            waehle(t, zeile, int(i) + 1);
            t.Ausrichtung(s[i].ausrichtung);
            s[i].inhalt(t, f.satz);
        }
        waehle(t, zeile + 1, 1);
        t.Ausrichtung(1);
        t.Zelltext(QStringLiteral("Wegstrecke"));
        waehle(t, zeile + 1, 2);
        t.Ausrichtung(1);
        t.Zelltext(f.satz.Ueber);
    }
    return Bau::Gebaut;
}

} // namespace kmk::tabellen
