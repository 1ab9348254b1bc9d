// The customer list: every record of the year's trip memory.

#include "app/printout/seiteneinrichtung.h"
#include "app/printout/tables/kundentabelle.h"
#include "app/tripmemory/kundendatei.h"
#include "platform/vb/text.h"

namespace kmk::tabellen {

void KundenTabelle(sheet::Tabellenblatt& t, const QString& kundendatei, const KfzGrundeinstellung& kfz)
{
    Seiteneinrichtung(t, 7, kfz);
    const Kundendatei datei(kundendatei);
    if (!datei.vorhanden())
        return;
    const QList<Fahrtenspeichersatz> saetze = datei.alle();

    const int breiten[] = {1800, 1800, 1800, 1800, 1800, 1000, 1000};
    for (int s = 1; s <= 7; ++s)
        t.Spaltenbreite(s, breiten[s - 1]);
    t.Querformat(true);
    t.Blattname(1, QStringLiteral("Kunden - Liste"));
    const char* koepfe[] = {"Gesprächspartner", "von", "über", "nach", "Grund", "km", "Fahrtart"};
    t.Zeile(3);
    for (int s = 1; s <= 7; ++s) {
        t.Spalte(s);
        t.Zelltext(QString::fromUtf8(koepfe[s - 1]));
        t.Ausrichtung(3);
    }
    t.DrucktitelLetzteZeile(3);
    t.DrucktitelErsteZeile(1);

    for (int n = 1; n <= saetze.size(); ++n) {
        const Fahrtenspeichersatz& r = saetze[n - 1];
        const int zeile = n + 3;
        const QString texte[] = {r.Gespraechspartner, r.Von, r.Ueber, r.Nach, r.Grund};
        for (int s = 1; s <= 5; ++s) {
            waehle(t, zeile, s);
            t.Ausrichtung(s == 5 ? 3 : 1);
            t.Zelltext(vb::Trim(texte[s - 1]));
        }
        waehle(t, zeile, 6);
        t.Ausrichtung(3);
        t.Zellwert(r.GefahreneKm);
        waehle(t, zeile, 7);
        t.Ausrichtung(3);
        t.Zellwert(r.Fahrtart);
    }
}

} // namespace kmk::tabellen
