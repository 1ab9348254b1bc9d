// The trip-share sheet "Prozentverteilung der Fahrten".

#include "app/printout/seiteneinrichtung.h"
#include "app/printout/tables/tabellen.h"
#include "platform/vb/date.h"

namespace kmk::tabellen {

namespace {

using T = sheet::Tabellenblatt;

void zelle(T& t, int zeile, int spalte, int ausrichtung, bool fett = false)
{
    waehle(t, zeile, spalte);
    if (fett)
        t.Fettschrift(true);
    t.Ausrichtung(ausrichtung);
}

void rahmenUndKopf(T& t, const Tabellenkontext& k, const QString& fahrzeug)
{
    Seiteneinrichtung(t, 4, k.kfz);
    const int breiten[] = {3800, 2200, 2200};
    for (int s = 1; s <= 3; ++s)
        t.Spaltenbreite(s, breiten[s - 1]);
    t.Querformat(false);
    t.Blattname(1, QStringLiteral("Prozentverteilung der Fahrten"));
    const QString kopf[] = {
        QStringLiteral("Auswertungszeitraum vom     ") + vb::DateText(k.bereich.ab) + QStringLiteral("   bis     ")
            + vb::DateText(k.bereich.bis),
        QStringLiteral("Die Auswertung ist für das Fahrzeug mit dem amtlichen Kennzeichen    ")
            + fahrzeug.leftJustified(40, QLatin1Char(' '), true),
        QStringLiteral("Halter des Fahrzeugs :  ") + k.kfz.Halter,
    };
    for (int z = 1; z <= 3; ++z) {
        waehle(t, z, 1);
        t.Fettschrift(true);
        t.Zelltext(kopf[z - 1]);
    }
    zelle(t, 7, 1, 1, true);
    t.Zelltext(QStringLiteral("Fahrtarten"));
    zelle(t, 7, 2, 3, true);
    t.Zelltext(QStringLiteral("Nutzung in % "));
    zelle(t, 7, 3, 3, true);
    t.Zelltext(QStringLiteral("Gesamte Km "));
}

// One row from row 9 on: the trip type, its share (left empty without a
// text) and its kilometres.
void anteilzeile(T& t, int z, const QString& art, const QString& anteil, double km)
{
    zelle(t, z, 1, 1);
    t.Zelltext(art);
    zelle(t, z, 2, 3);
    if (!anteil.isEmpty())
        t.Zelltext(anteil);
    zelle(t, z, 3, 3);
    t.Zellwert(km);
}

void summeUndRahmen(T& t)
{
    zelle(t, 14, 3, 3);
    t.Zellformel(QStringLiteral("Sum(C9:C13)"));
    for (int s = 1; s <= 3; ++s) {
        t.Zellauswahl(13, s);
        t.Zellrahmen(-1, 0, 0, 0, 1, 1, 3, 1, 1, 1, 1);
    }
}

} // namespace

void ProzentTabelleFirma(sheet::Tabellenblatt& t, const Tabellenkontext& k, const QString& fahrzeug,
                         const Firmenanteile& a)
{
    rahmenUndKopf(t, k, fahrzeug);
    const QString arten[] = {QStringLiteral("Fahrten z. Wohn- und Arbeitsstätte"), QStringLiteral("Private Fahrten"),
                             QStringLiteral("Geschäftsfahrten"), QStringLiteral("Fahrten im Zshg. mit stfr. Umsätzen"),
                             QStringLiteral("Familienheimfahrten")};
    for (int art = 1; art <= 5; ++art)
        anteilzeile(t, 8 + art, arten[art - 1], a.texte[art], a.km[art]);
    summeUndRahmen(t);
}

void ProzentTabellePrivat(sheet::Tabellenblatt& t, const Tabellenkontext& k, const QString& fahrzeug,
                          const Privatanteile& p)
{
    rahmenUndKopf(t, k, fahrzeug);
    anteilzeile(t, 9, QStringLiteral("Private Fahrten"), Kommazahl(p.privatanteil), p.privatkm);
    anteilzeile(t, 10, QStringLiteral("Geschäftsfahrten"), Kommazahl(p.geschaeftsanteil), p.geschaeftskm);
    summeUndRahmen(t);
}

} // namespace kmk::tabellen
