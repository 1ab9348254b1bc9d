#include "app/printout/tables/tabellenseite.h"

#include <algorithm>
#include <cmath>

#include "app/records/dateien.h"

#include "app/printout/ausdruckseite.h"
#include "app/printout/tables/kundentabelle.h"
#include "platform/forms/events.h"
#include "platform/forms/seams.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kmk::tabellen {

namespace {

// Km kept in the year's 32-bit state: a sum beyond it stops at its end.
int auf32(double km)
{
    return std::isfinite(km) ? int(std::clamp(km, -2147483648.0, 2147483647.0)) : 0;
}

} // namespace

Tabellenseite::Tabellenseite(QWidget* fenster, Fahrten1& st, Blattquelle blatt, TabellenDienste dienste)
    : m_fenster(fenster), m_st(st), m_blatt(std::move(blatt)), m_d(std::move(dienste))
{
}

QWidget* Tabellenseite::ctl(const char* name) const
{
    return forms::control(m_fenster, QString::fromLatin1(name));
}

QString Tabellenseite::text(const char* name) const
{
    QWidget* w = ctl(name);
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    return {};
}

Tabellenkontext Tabellenseite::kontext() const
{
    if (m_d.DateiTest)
        m_d.DateiTest();
    Tabellenkontext k;
    k.vor = m_st.Voreinstellung;
    k.kfz = m_st.Kfz;
    k.jahr = m_st.Jahr;
    k.fahrtdateiPfad = m_st.fahrtdateiPfad();
    const int fz = m_st.AktuellesFahrzeug;
    k.fahrtdateiVorhanden = fz >= 1 && fz <= 4 && m_st.FahrtdateiVorhanden[fz];
    k.fahrzeugBelegt = m_d.AutoTest ? m_d.AutoTest() > 0 : fz > 0;
    k.pufferindex = m_st.Pufferindex;
    k.satznummer = m_st.Satznummer;
    k.fahrtenzahl = k.fahrtdateiVorhanden ? Fahrtanzahl(k.fahrtdateiPfad) : 0;
    k.bereich = {kalenderDatum(ctl("QKC2"), m_st.Voreinstellung.DruckAb),
                 kalenderDatum(ctl("QKC3"), m_st.Voreinstellung.DruckBis)};
    k.filter = {text("Label49"), m_st.Kundenfilter, m_st.Fahrtartfilter};
    return k;
}

void Tabellenseite::nachBau(Bau b)
{
    if (b == Bau::Meldung88 && m_d.meldung)
        m_d.meldung(88);
    if (b == Bau::Anfangskm) {
        const QString km = vb::Trim(vb::Str(qint64(m_st.Kfz.Anfangskm)));
        if (auto* l = qobject_cast<QLabel*>(ctl("AnzKmAb")))
            l->setText(km);
        if (auto* e = qobject_cast<QLineEdit*>(ctl("EinkmAn")))
            forms::setText(e, km);
    }
}

void Tabellenseite::KFZTabelle()
{
    if (sheet::BlattSteuerung* t = m_blatt())
        nachBau(tabellen::KFZTabelle(*t, kontext()));
}

void Tabellenseite::KFZTabelle3()
{
    if (sheet::BlattSteuerung* t = m_blatt())
        nachBau(tabellen::KFZTabelle3(*t, kontext(), t->blatt()));
}

void Tabellenseite::KfzTabelle4()
{
    if (sheet::BlattSteuerung* t = m_blatt())
        nachBau(tabellen::KfzTabelle4(*t, kontext()));
}

void Tabellenseite::KfzTabelle2()
{
    if (sheet::BlattSteuerung* t = m_blatt())
        nachBau(tabellen::KfzTabelle2(*t, kontext()));
}

void Tabellenseite::Blankoformular()
{
    if (m_d.DateiTest)
        m_d.DateiTest();
    if (sheet::BlattSteuerung* t = m_blatt())
        tabellen::Blankoformular(*t, m_st.Voreinstellung, m_st.Kfz);
}

void Tabellenseite::KundenTabelle()
{
    if (sheet::BlattSteuerung* t = m_blatt())
        tabellen::KundenTabelle(*t, m_st.pfad(m_st.Kundendatei), m_st.Kfz);
}

void Tabellenseite::BetriebskostenTabelle()
{
    if (sheet::BlattSteuerung* t = m_blatt())
        tabellen::BetriebskostenTabelle(*t, kontext(), text("CbbKArt"));
}

void Tabellenseite::ProzentTabelle(int modus)
{
    const Tabellenkontext k = kontext();
    const int fz = m_st.AktuellesFahrzeug;
    const QString fahrzeug = fz >= 1 && fz <= 4 ? text(QStringLiteral("AutoOpt_%1").arg(fz - 1).toLatin1().constData())
                                                : QString();
    for (int i = 1; i <= 5; ++i) {
        m_st.KmJeFahrtart[i] = 0;
        m_st.ProzentJeFahrtart[i] = 0;
    }

    if (k.kfz.Firmenfahrzeug != 0) {
        Firmenanteile a;
        // Without a trip file or trips: zero km and no share texts.
        const std::vector<Fahrt> fahrten = k.fahrtdateiVorhanden ? FahrtenLesen(k.fahrtdateiPfad) : std::vector<Fahrt>{};
        if (!fahrten.empty())
            a = FirmenanteileErmitteln(fahrten, k.bereich);
        for (int i = 1; i <= 5; ++i) {
            m_st.KmJeFahrtart[i] = auf32(double(a.km[i]));
            m_st.ProzentJeFahrtart[i] = a.prozent[i];
        }
        if (modus == 1)
            if (sheet::BlattSteuerung* t = m_blatt())
                ProzentTabelleFirma(*t, k, fahrzeug, a);
    }

    if (k.kfz.Privatfahrzeug != 0) {
        forms::Dialogs* dialoge = forms::services().dialogs;
        bool ok = false;
        const QString antwort =
            dialoge ? dialoge->inputBox(QStringLiteral("Bitte geben Sie den abschliessenden Km - Stand ein"),
                                        QStringLiteral("Eingabefeld aktueller Kilometerstand"),
                                        vb::Trim(vb::Str(qint64(k.kfz.Anfangskm))), &ok)
                    : QString();
        if (!ok)
            return;  // cancelled: nothing is built or changed
        Privatanteile gezeigt{m_st.KmBetrieblich, double(m_st.KmPrivat), m_st.AnteilBetrieblich, m_st.AnteilPrivat,
                              m_st.Fahrtkostensumme};
        const std::optional<double> schluss = KmStandLesen(antwort);
        if (schluss && *schluss > k.kfz.Anfangskm) {
            // Without the trip file the business figures stay as they were.
            const bool lesen = k.fahrtdateiVorhanden && k.satznummer >= 1;
            const Privatanteile p =
                lesen ? PrivatanteileErmitteln(FahrtenLesen(k.fahrtdateiPfad), k.kfz.Anfangskm, *schluss)
                      : PrivatanteileBerechnen(m_st.KmBetrieblich, m_st.Fahrtkostensumme, k.kfz.Anfangskm, *schluss);
            // The state keeps 32-bit km; the sheet shows the figures in full.
            m_st.KmBetrieblich = auf32(double(p.geschaeftskm));
            m_st.KmPrivat = auf32(p.privatkm);
            m_st.AnteilPrivat = p.privatanteil;
            m_st.AnteilBetrieblich = p.geschaeftsanteil;
            m_st.Fahrtkostensumme = p.fahrtkostensumme;
            gezeigt = p;
        } else if (dialoge) {
            dialoge->msgBox(QStringLiteral("Sie müssen den richtigen abschliessenden Km - Stand eintragen!"));
        }
        if (modus == 3)
            if (sheet::BlattSteuerung* t = m_blatt())
                ProzentTabellePrivat(*t, k, fahrzeug, gezeigt);
    }
}

} // namespace kmk::tabellen
