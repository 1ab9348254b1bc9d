#include "app/entry/neueintrag.h"

#include "app/entry/anzeige.h"
#include "app/entry/felder.h"
#include "app/entry/laden.h"
#include "app/records/dateien.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/io/folders.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QCheckBox>
#include <QRadioButton>

namespace kmk {

namespace {

// Record number, buffers, prefill and display of a new entry.
void oeffnen(Eintragsseite& s)
{
    Fahrten1& st = s.st;
    st.FolgepruefungAus = true;
    SperrTest(s);
    const QString pfad = st.fahrtdateiPfad();
    const bool vorhanden = !pfad.isEmpty() && io::FileExists(pfad);
    // Counted from the file: a count taken from a read that stops at the
    // format's limit would put the new entry onto a stored trip.
    if (vorhanden)
        st.Satzanzahl = Fahrtanzahl(pfad);
    st.Satznummer = vorhanden ? st.Satzanzahl + 1 : 1;
    st.Pufferindex = st.Satznummer >= 2 ? 2 : 1;
    if (st.Pufferindex > 1) {
        FLaden(s);
        if (s.dienste.FahrtLoschen)
            s.dienste.FahrtLoschen();
    }
    st.NeuerEintragOffen = true;
    DatensatzAnzeigen(s);
    Roteeingabe(s);
}

void fokus(Eintragsseite& s)
{
    const char* ziel = s.st.Voreinstellung.PrivatNurKm ? "EinGefKm" : "EinGesprach";
    if (QWidget* w = s.ctl(QString::fromLatin1(ziel)))
        w->setFocus();
}

void kmUndPauschale(Eintragsseite& s)
{
    if (s.dienste.KmBerechnen)
        s.dienste.KmBerechnen(false);
    s.pauschaleAnzeigen();
}

// The driver of a new entry: the last trip's as stored, the placeholder of
// a private trip passed over; none when every trip holds it.
QString letzterFahrer(const Fahrten1& st)
{
    return LetzterEchterText(st, &FahrtDatensatz::Fahrer).value_or(QString());
}

// A text of the trip a return trip is taken from; its placeholder stays
// out, so the required-field checks ask for the real one.
QString echt(const FahrtDatensatz& f, const QString& text)
{
    return Privatplatzhalter(f, text) ? QString() : text;
}

} // namespace

void NeuEintrag(Eintragsseite& s)
{
    Fahrten1& st = s.st;
    if (st.Satznummer < 500 && st.Voreinstellung.OhneZeiten && s.dienste.Prozentverteilung)
        s.dienste.Prozentverteilung();
    oeffnen(s);

    for (const char* n : {"OptWA", "OptPri", "OptGesch"})
        forms::setOptionValue(s.ctl<QRadioButton>(QString::fromLatin1(n)), false);
    if (s.privatwagen() || st.Voreinstellung.WenigAbfragen)
        forms::setOptionValue(s.ctl<QRadioButton>("OptGesch"), true);
    for (const char* n : {"OptEhr", "OptFam"})
        forms::setOptionValue(s.ctl<QRadioButton>(QString::fromLatin1(n)), false);
    st.Satzpuffer[0].Fahrtart = 0;

    st.Satzpuffer[0].Eintragungsdatum = st.Voreinstellung.Journalfunktion ? s.heute() : 1;
    if (auto* c = s.ctl<QCheckBox>("Check13"))
        c->setText(QString());
    felder::zeigen(s, "CB_BSpeichern", false);
    fokus(s);
    kmUndPauschale(s);
    st.FolgepruefungAus = false;
    if (felder::lesen(s, "EinDatumAn") == QLatin1String("30.12.1899"))
        felder::setzen(s, "EinDatumAn", felder::lesen(s, "EinDatumAb"));
    if (auto* fahrer = s.ctl<forms::ComboBox>("EinFahrer"); fahrer && fahrer->count() > 0)
        fahrer->setText(letzterFahrer(st));
}

void Rueckfahrt(Eintragsseite& s)
{
    NeuEintrag(s);
    oeffnen(s);
    fokus(s);
    kmUndPauschale(s);
    s.st.FolgepruefungAus = false;

    const FahrtDatensatz letzter = s.st.Satzpuffer[2];
    felder::fahrtartZeigen(s, letzter.Fahrtart);
    felder::setzen(s, "EinGefKm", QString::number(letzter.GefahreneKm));
    // Without the blanks of the stored width, so a click at the end of a
    // text puts the caret after its last letter and typing is not cut.
    felder::setzen(s, "EinGrund", vb::RTrim(echt(letzter, letzter.Grund)));
    felder::setzen(s, "EinVon", echt(letzter, letzter.Nach));
    felder::setzen(s, "EinNach", vb::RTrim(echt(letzter, letzter.Von)));
    felder::setzen(s, "EinUber", vb::RTrim(echt(letzter, letzter.Ueber)));
    felder::setzen(s, "EinGesprach", QStringLiteral("Rückfahrt"));
    felder::setzen(s, "EinFahrer", letzterFahrer(s.st));
}

} // namespace kmk
