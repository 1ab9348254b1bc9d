// Fuel and workshop costs of a trip: the frame, its fields and its save.

#include "app/entry/eingabefelder.h"

#include "app/entry/tasten.h"
#include "app/records/dateien.h"
#include "platform/forms/seams.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

namespace kmk {

namespace {

// The number at the start of a text, read up to the first character that
// is neither a digit nor '.': "0,80" counts as zero.
double fuehrendeZahl(const QString& t)
{
    QString z;
    for (QChar c : vb::Trim(t)) {
        if (!c.isDigit() && c != QLatin1Char('.'))
            break;
        z += c;
    }
    return vb::Val(z);
}

bool alsBetrag(const QString& text, vb::Currency& out)
{
    double wert = 0;
    if (!BetragLesen(text, wert))
        return false;
    try {
        out = vb::Currency::fromDouble(wert);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

// The page shows a stored amount or quantity with two decimals: read back
// as shown, it keeps the value the file holds.
void uebernehmen(vb::Currency& gespeichert, vb::Currency gelesen)
{
    if (gelesen.toGerman() != gespeichert.toGerman())
        gespeichert = gelesen;
}

void uebernehmen(double& gespeichert, double gelesen)
{
    const auto gezeigt = [](double v) { return vb::FormatDe(v, QStringLiteral("#,##0.00")); };
    if (gezeigt(gelesen) != gezeigt(gespeichert))
        gespeichert = gelesen;
}

} // namespace

void Eintragsfelder::kostenrahmen(bool zeigen)
{
    const bool offen = seite_.sichtbar("FrBenzin");
    seite_.zeigen("FrBenzin", zeigen);
    if (!offen || zeigen || seite_.sichtbar("FahrtListe"))
        return;
    seite_.zeigen("TEinHilfe", true);
    seite_.zeigen("CBTextfensterEin", true);
}

void Eintragsfelder::CBenzin_Click()
{
    if (*frOffen_) {
        *frOffen_ = false;
        kostenrahmen(false);
        return;
    }
    *frOffen_ = true;
    kostenrahmen(true);
    seite_.zeigen("TEinHilfe", false);
    seite_.zeigen("CBTextfensterEin", false);
}

void Eintragsfelder::Ende_Taste()
{
    *frOffen_ = !*frOffen_;
    kostenrahmen(*frOffen_);
}

void Eintragsfelder::CBFListe_Click()
{
    // "Fenster schließen - Fahrtenliste anzeigen": the list, as its caption says.
    Listenumschaltung();
    kostenrahmen(false);
    *frOffen_ = false;
}

void Eintragsfelder::CB_BSpeichern_Click()
{
    if (dienste_.Uberschreiben_Benzin) {
        dienste_.Uberschreiben_Benzin();
    } else {
        const Dateiergebnis r = Uberschreiben_BenzinDatei(e_.st);
        if (!r && !r.meldung.isEmpty())
            forms::services().dialogs->msgBox(r.meldung);
    }
    Eintragung::run(dienste_.Ges_Verbrauch);
}

void Eintragsfelder::CbbKArt_Change()
{
    QString t = seite_.text("CbbKArt");
    if (t == QLatin1String("Liter"))
        seite_.setText("Label35", QStringLiteral("Liter"));
    else if (t == QLatin1String("kWh"))
        seite_.setText("Label35", QStringLiteral("kWH"));
    else if (t == QLatin1String("Kg") || t == QLatin1String("kg"))
        seite_.setText("Label35", QStringLiteral("Kilogramm"));
    e_.st.FolgepruefungAus = false;
    t = gekuerzt("CbbKArt", ersterGross("CbbKArt", t), 50);
    // A stored unit is shown trimmed: read back unchanged, it keeps its blanks.
    if (t != vb::Trim(e_.puffer().Kraftstoffart))
        e_.puffer().Kraftstoffart = t.left(FahrtDatensatz::BreiteKraftstoffart);
}

void Eintragsfelder::CbbKArt_Validate()
{
    const QString t = seite_.text("CbbKArt");
    // A stored unit is shown trimmed: read back as shown, it keeps its blanks.
    if (!t.isEmpty() && t != vb::Trim(e_.puffer().Kraftstoffart))
        e_.puffer().Kraftstoffart = vb::Trim(t).left(FahrtDatensatz::BreiteKraftstoffart);
}

void Eintragsfelder::Betrag_KeyPress(const QString& feld, int& k)
{
    k = PruefeZeichen(k, seite_.text(feld));
}

void Eintragsfelder::PreisAnzeigen()
{
    const QString betrag = seite_.text("TBGesamt");
    const QString menge = seite_.text("TLiter");
    vb::Currency b, m;
    if (fuehrendeZahl(betrag) > 0 && fuehrendeZahl(menge) > 0 && alsBetrag(betrag, b) && alsBetrag(menge, m)
        && m.raw > 0) {
        const double preis = vb::roundHalfAway(b.toDouble() / m.toDouble(), 4);
        seite_.setText("Label30", vb::BetragOderMarke(vb::Currency::ausDouble(preis)));
    } else {
        seite_.setText("Label30", QString());
    }
}

void Eintragsfelder::TLiter_Validate()
{
    PreisAnzeigen();
    const QString t = seite_.text("TLiter");
    vb::Currency menge;
    if (!t.isEmpty() && alsBetrag(t, menge))
        uebernehmen(e_.puffer().Kraftstoffmenge, menge.toDouble());
}

void Eintragsfelder::TBGesamt_Validate()
{
    const QString t = seite_.text("TBGesamt");
    if (!t.isEmpty()) {
        // A text that is no amount keeps the stored value and stays as typed.
        const QString normal = CheckCurrency(t);
        vb::Currency betrag;
        if (alsBetrag(normal, betrag)) {
            uebernehmen(e_.puffer().BetragKraftstoff, betrag);
            seite_.setText("TBGesamt", normal);
        }
    }
    PreisAnzeigen();
}

void Eintragsfelder::TWGesamt_Validate()
{
    const QString t = seite_.text("TWGesamt");
    if (t.isEmpty())
        return;
    const QString normal = CheckCurrency(t);
    vb::Currency betrag;
    if (alsBetrag(normal, betrag)) {
        uebernehmen(e_.puffer().BetragWartung, betrag);
        seite_.setText("TWGesamt", normal);
    }
}

void Eintragsfelder::TWbez_Change()
{
    e_.st.FolgepruefungAus = false;
    QString t = seite_.text("TWbez");
    t = gekuerzt("TWbez", ersterGross("TWbez", t), FahrtDatensatz::BreiteWartungstext);
    e_.puffer().Wartungstext = t;
}

void Eintragsfelder::TWbez_Validate()
{
    const QString t = seite_.text("TWbez");
    if (t != vb::Trim(e_.puffer().Wartungstext))
        e_.puffer().Wartungstext = t.left(FahrtDatensatz::BreiteWartungstext);
}

} // namespace kmk
