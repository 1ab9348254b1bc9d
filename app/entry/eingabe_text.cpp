// Text, odometer, passenger and trip-type fields of the entry page.

#include "app/entry/eingabefelder.h"

#include "app/entry/pruefungen.h"
#include "app/entry/tasten.h"
#include "platform/vb/text.h"

namespace kmk {

namespace {

int schnitt(const QString& feld)
{
    return feld == QLatin1String("EinUber") ? FahrtDatensatz::BreiteUeber : 50;
}

// The purpose words that open the cost frame; a list choice knows the
// first six only.
bool kostenwort(const QString& grund, bool mitTankstelle)
{
    static const char* const woerter[] = {"Tanken", "Werkstatt", "Inspektion", "Reparatur", "Service", "Wartung",
                                          "Tankstelle"};
    const int n = mitTankstelle ? 7 : 6;
    for (int i = 0; i < n; ++i)
        if (grund.contains(QLatin1String(woerter[i]), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

void Eintragsfelder::inPuffer(const QString& feld, const QString& text)
{
    FahrtDatensatz& p = e_.puffer();
    if (feld == QLatin1String("EinVon"))
        p.Von = text.left(FahrtDatensatz::BreiteVon);
    else if (feld == QLatin1String("EinUber"))
        p.Ueber = text.left(FahrtDatensatz::BreiteUeber);
    else if (feld == QLatin1String("EinNach"))
        p.Nach = text.left(FahrtDatensatz::BreiteNach);
    else if (feld == QLatin1String("EinGrund"))
        p.Grund = text.left(FahrtDatensatz::BreiteGrund);
    else if (feld == QLatin1String("EinGesprach"))
        p.Gespraechspartner = text.left(FahrtDatensatz::BreiteGespraechspartner);
    else if (feld == QLatin1String("EinFahrer"))
        p.Fahrer = text.left(FahrtDatensatz::BreiteFahrer);
}

QString Eintragsfelder::ersterGross(const QString& feld, const QString& t)
{
    if (t.size() != 1)
        return t;
    // One character at a time: "ß" has no capital of its own and stays.
    const QString gross(t.at(0).toUpper());
    if (gross != t)
        seite_.setText(feld, gross);
    seite_.setCaret(feld, 1);
    return seite_.text(feld);
}

QString Eintragsfelder::gekuerzt(const QString& feld, const QString& t, int breite)
{
    if (t.size() <= breite)
        return t;
    seite_.setText(feld, t.left(breite));
    seite_.setCaret(feld, -1);
    return seite_.text(feld);
}

void Eintragsfelder::Text_Change(const QString& feld)
{
    e_.st.FolgepruefungAus = false;
    QString t = seite_.text(feld);
    t = gekuerzt(feld, ersterGross(feld, t), schnitt(feld));
    if (feld == QLatin1String("EinGrund")) {
        const FahrtDatensatz& p = e_.puffer();
        kostenrahmen(kostenwort(t, true) || p.BetragKraftstoff.raw > 0 || p.BetragWartung.raw > 0);
    }
    inPuffer(feld, t);
}

void Eintragsfelder::Text_Click(const QString& feld)
{
    e_.st.FolgepruefungAus = false;
    QString t = seite_.text(feld);
    t = ersterGross(feld, t);
    if (feld == QLatin1String("EinGrund"))
        kostenrahmen(kostenwort(t, false));
    inPuffer(feld, t);
}

void Eintragsfelder::Text_KeyPress(int& k)
{
    // Ctrl+C (code 3) copies from a locked text as from any other; the lock
    // keeps the text itself.
    if (gesperrt() && k != 3) {
        k = 0;
        return;
    }
    enterWeiter(k);
}

void Eintragsfelder::Text_GotFocus(const QString& feld, int hilfetext)
{
    if (dienste_.hilfetext)
        dienste_.hilfetext(hilfetext);
    seite_.setText(feld, vb::Trim(seite_.text(feld)));
}

void Eintragsfelder::EinGefKm_KeyPress(int& k)
{
    if (gesperrt())
        k = 0;
    nurZiffernUnd(k, {8, 13, 38, 40, 46});
    if (k == 13) {
        k = 0;
        seite_.fokus("EinGesprach");
    }
}

void Eintragsfelder::EinkmAn_KeyPress(int& k)
{
    if (gesperrt())
        k = 0;
    nurZiffernUnd(k, {8, 13, 38, 40, 46});
    enterWeiter(k);
}

void Eintragsfelder::PersAnz_KeyPress(int& k)
{
    nurZiffernUnd(k, {8, 13, 38, 40, 46});
    enterWeiter(k);
}

void Eintragsfelder::Fahrtart_MouseUp(int button)
{
    if (button == 1)
        e_.pauschaleAnzeigen();
}

void Eintragsfelder::Fahrtart_Click(int typ)
{
    if (typ == 2)
        return;
    // The stored trip on show; a new entry's holds no trip type.
    const FahrtDatensatz& gezeigt = e_.st.Satzpuffer[1];
    const std::pair<const char*, const QString*> felder[] = {
        {"EinVon", &gezeigt.Von},   {"EinUber", &gezeigt.Ueber},           {"EinNach", &gezeigt.Nach},
        {"EinGrund", &gezeigt.Grund}, {"EinGesprach", &gezeigt.Gespraechspartner}, {"EinFahrer", &gezeigt.Fahrer}};
    for (const auto& [name, gespeichert] : felder) {
        const QString feld = QString::fromLatin1(name);
        if (IstPrivatplatzhalter(gezeigt.Fahrtart, *gespeichert)
            && IstPrivatplatzhalter(gezeigt.Fahrtart, seite_.text(feld)))
            seite_.setText(feld, QString());
    }
}

} // namespace kmk
