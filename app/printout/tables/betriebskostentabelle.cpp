// The operating-cost sheet "Betriebskosten".

#include "app/printout/seiteneinrichtung.h"
#include "app/printout/tables/tabellen.h"
#include "platform/vb/date.h"

#include <cmath>

namespace kmk::tabellen {

namespace {

using T = sheet::Tabellenblatt;

// The texts that follow the fuel unit of the entry page.
struct Einheit {
    QString kopf, verbrauch, suffix, preis, je100, je100Text;
};

Einheit einheitTexte(const QString& box)
{
    if (box == QLatin1String("Liter"))
        return {"Liter", "Verbrauch in Liter", " Liter", "durchschnittlicher Literpreis",
                "Verbrauch in Liter pro 100 km", " L / 100 Km"};
    if (box == QLatin1String("kWh"))
        return {"kWh", "Verbrauch in kWh", " kWh", "durchschnittlicher Preis je kWh", "Verbrauch in kWh pro 100 km",
                " kWh / 100 Km"};
    if (box == QLatin1String("Kg"))
        return {"Kilogrammg", "Verbrauch in Kilogrammg", " Kilogramm", "durchschnittlicher Preis je Kilogramm",
                "Verbrauch in Kilogramm pro 100 km", " Kg / 100 Km"};
    return {};
}

QString euro(std::optional<vb::Currency> c) { return vb::BetragOderMarke(c); }

void kopfzelle(T& t, int zeile, const QString& text, int ausrichtung = 0)
{
    waehle(t, zeile, 1);
    t.Fettschrift(true);
    t.Schriftgroesse(10);
    if (ausrichtung)
        t.Ausrichtung(ausrichtung);
    t.Zelltext(text);
}

void gerahmt(T& t, int zeile, int spalte)
{
    t.Zellauswahl(zeile, spalte);
    t.Zellrahmen(-1, 0, 0, 0, 1, 1, 3, 1, 1, 1, 1);
}

void datenzelle(T& t, int zeile, int spalte, int ausrichtung = 3)
{
    waehle(t, zeile, spalte);
    t.Fettschrift(false);
    t.Schriftgroesse(10);
    t.Ausrichtung(ausrichtung);
}

} // namespace

void BetriebskostenTabelle(sheet::Tabellenblatt& t, const Tabellenkontext& k, const QString& einheit)
{
    Seiteneinrichtung(t, 5, k.kfz);
    t.Querformat(false);
    t.Seitenrand(sheet::RandUnten, 0.7);
    t.Seitenrand(sheet::RandOben, 0.7);
    t.Randabstand(sheet::AbstandFuss, 0.3);
    t.Randabstand(sheet::AbstandKopf, 0.3);
    const int breiten[] = {2200, 2200, 4200, 2200, 2200};
    for (int s = 1; s <= 5; ++s)
        t.Spaltenbreite(s, breiten[s - 1]);
    t.Blattname(1, QStringLiteral("Betriebskosten"));

    const Einheit e = einheitTexte(einheit);
    kopfzelle(t, 1,
              QStringLiteral("Betriebskosten - Auswertungszeitraum vom     ") + vb::DateText(k.bereich.ab)
                  + QStringLiteral("   bis     ") + vb::DateText(k.bereich.bis));
    kopfzelle(t, 2,
              QStringLiteral("Die Betriebskosten - Auswertung ist für das Fahrzeug mit dem amtlichen Kennzeichen    ")
                  + k.kfz.Kennzeichen);
    kopfzelle(t, 3, QStringLiteral("Halter des Fahrzeugs :  ") + k.kfz.Halter, 1);

    const QString koepfe[] = {QStringLiteral("Datum"), QStringLiteral("km - Stand"), QStringLiteral("Bezeichner / Art"),
                              e.kopf, QStringLiteral("Gesamtsumme")};
    for (int s = 1; s <= 5; ++s) {
        waehle(t, 12, s);
        t.Fettschrift(true);
        t.Ausrichtung(3);
        if (!koepfe[s - 1].isEmpty())
            t.Zelltext(koepfe[s - 1]);
        gerahmt(t, 12, s);
    }

    const Betriebskosten b =
        k.fahrtdateiVorhanden ? BetriebskostenErmitteln(FahrtenLesen(k.fahrtdateiPfad), k.bereich) : Betriebskosten{};
    int zeile = 12;
    for (const Kostenzeile& z : b.zeilen) {
        ++zeile;
        datenzelle(t, zeile, 1);
        datumZelle(t, z.datum);
        gerahmt(t, zeile, 1);
        datenzelle(t, zeile, 2);
        t.Zellwert(z.kmStand);
        gerahmt(t, zeile, 2);
        datenzelle(t, zeile, 3, 1);
        t.Zelltext(z.bezeichner);
        gerahmt(t, zeile, 3);
        datenzelle(t, zeile, 4);
        if (z.tanken)
            t.Zellwert(z.menge);
        else
            t.Zelltext(QStringLiteral("----"));
        gerahmt(t, zeile, 4);
        datenzelle(t, zeile, 5, 4);
        t.Zelltext(euro(z.betrag));
        gerahmt(t, zeile, 5);
    }

    const double je100 = b.km > 0 ? b.menge / b.km * 100.0 : 0.0;
    // Damaged stored values (huge amounts, an infinite quantity) give the
    // mark in place of the figure.
    bool ueberlauf = false;
    auto zahl = [&](double v, const char* muster, const QString& einheit) {
        if (std::isfinite(v))
            return vb::FormatDe(v, muster) + einheit;
        ueberlauf = true;
        return vb::Ueberlaufmarke();
    };
    auto betrag = [&](std::optional<vb::Currency> c) {
        ueberlauf = ueberlauf || !c;
        return euro(c);
    };
    const QString summen[][2] = {
        {QStringLiteral("gef. km im Zeitraum ab erstem tanken"), zahl(b.km, "#,##0", QStringLiteral(" Kilometer"))},
        {e.verbrauch, zahl(b.menge, "#,##0.00", e.suffix)},
        {e.preis, betrag(b.durchschnittspreis)},
        {e.je100, e.je100Text.isEmpty() ? QString() : zahl(je100, "#,##0.00", e.je100Text)},
        {QStringLiteral("Treibstoff ges."), betrag(b.kraftstoff)},
        {QStringLiteral("Wartung ges."), betrag(b.wartung)},
        {QStringLiteral("Betriebsausgaben ges."), betrag(vb::Summe(b.wartung, b.kraftstoff))},
    };
    if (ueberlauf)
        UeberlaufMelden(k);
    for (int i = 0; i < 7; ++i) {
        for (int s : {3, 5}) {
            const QString& text = summen[i][s == 3 ? 0 : 1];
            if (text.isEmpty())
                continue;
            waehle(t, 4 + i, s);
            t.Fettschrift(true);
            t.Schriftgroesse(10);
            t.Ausrichtung(s == 3 ? 1 : 4);
            t.Zelltext(text);
        }
    }
}

} // namespace kmk::tabellen
