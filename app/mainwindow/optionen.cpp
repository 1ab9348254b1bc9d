// The option check boxes of the settings page and the evaluation page.
#include "app/mainwindow/form1.h"

#include "app/mainwindow/mw_glue.h"
#include "app/records/fahrtdatensatz.h"
#include "platform/forms/events.h"
#include "platform/vb/error.h"

namespace kmk {

namespace {
// Common rule: the flag follows the tick (value 1 only), bold while ticked.
qint16 gemeinsam(QCheckBox* box)
{
    const bool an = forms::value(box) == 1;
    setBold(box, an);
    return flagVon(an);
}
} // namespace

void Form1::Zeitfelder(bool sichtbar) const
{
    for (const char* n : {"QKSpin1", "QKSpin2", "QKSpin3", "QKSpin4", "EinZeitAb", "EinZeitAn", "Label2", "Label8"})
        showCtl(QString::fromLatin1(n), sichtbar);
}

void Form1::Check1_Click()
{
    mw::VS().Journalfunktion = gemeinsam(Check1);
    showCtl("LEinDatum", mw::VS().Journalfunktion != 0 && !mw::G().Satzpuffer[0].storniertOderGeaendert());
}

void Form1::Check3_Click() { mw::VS().Sprachausgabe = gemeinsam(Check3); }
void Form1::Check4_Click() { mw::VS().ZeitenVorgeben = gemeinsam(Check4); }
void Form1::Check6_Click()
{
    if (Check6)
        mw::VS().ErweiterterAusdruck = gemeinsam(Check6);
}
void Form1::Check10_Click() { mw::VS().PrivatNurKm = gemeinsam(Check10); }
void Form1::Check12_Click() { mw::VS().WenigAbfragen = gemeinsam(Check12); }

void Form1::Check5_Click()
{
    auto& V = mw::VS();
    V.MitVerpflegungspauschale = gemeinsam(Check5);
    if (V.MitVerpflegungspauschale) {
        V.Warnhinweise = WAHR;
        V.Warnhinweise2 = WAHR;
        V.ZeitenVorgeben = WAHR;
    }
    EintragsseiteAbgleichen();
}

void Form1::Check8_Click()
{
    auto& V = mw::VS();
    V.OhneZeiten = gemeinsam(Check8);
    if (V.OhneZeiten) {
        V.Warnhinweise2 = FALSCH;
        V.Warnhinweise = FALSCH;
        Check5->hide();
        forms::setValue(Check5, 0);
        Check4->hide();
        forms::setValue(Check4, 0);
        V.ZeitenVorgeben = FALSCH;
        V.MitVerpflegungspauschale = FALSCH;
        V.MitZeiten = FALSCH;
        Zeitfelder(false);
        mw::EditpufferZeitenLoeschen();
        mw::Pauschalfahrt() = false;
        showCtl("Frame5", false);
    } else {
        V.Warnhinweise2 = WAHR;
        V.Warnhinweise = WAHR;
        Check4->show();
        forms::setValue(Check4, 1);
        V.ZeitenVorgeben = FALSCH;
        Check5->show();
        forms::setValue(Check5, 1);
        V.ZeitenVorgeben = WAHR;
        V.MitVerpflegungspauschale = WAHR;
        V.MitZeiten = WAHR;
        Zeitfelder(true);
        showCtl("Frame5", true);
    }
    EintragsseiteAbgleichen();
}

void Form1::EintragsseiteAbgleichen()
{
    // The boxes switch the time fields and the information frame for every
    // vehicle; a private car has neither, and the three frames share one
    // place, so only one of them may show.
    const auto& K = mw::KFZ();
    const auto& V = mw::VS();
    bool belegt = false;
    for (int k = 1; k <= 4; ++k)
        belegt = belegt || mw::KfzBelegt(k);
    if (!belegt)
        return;   // the page shows its notice; the fields are out of sight
    if (K.Firmenfahrzeug) {
        Zeitfelder(V.OhneZeiten == 0);
        showCtl("Frame5", V.MitVerpflegungspauschale != 0);
        showCtl("Frame7", V.MitVerpflegungspauschale == 0);
    } else if (K.Privatfahrzeug) {
        Zeitfelder(false);
        showCtl("Frame5", false);
        showCtl("Frame7", false);
    }
}

void Form1::Check11_Click()
{
    auto& V = mw::VS();
    V.KalenderHeute = gemeinsam(Check11);
    const qint32 heute = mw::heute();
    const auto& J = mw::JD();
    const int ix = J.Jahresindex;
    if (ix < 0 || ix > 43 || heute < J.Jahresanfang[ix] || heute > J.Jahresende[ix])
        V.KalenderHeute = FALSCH;
    if (!V.KalenderHeute)
        return;
    QWidget* qkc = ctl("QKC");
    if (!qkc)
        return;
    try {
        if (heute >= mw::calGet(qkc, "MinDate") && heute <= mw::calGet(qkc, "MaxDate"))
            mw::calPut(qkc, "Date", heute);
    } catch (const vb::RuntimeError&) {
        // The calendar keeps its date.
    }
}

} // namespace kmk
