// Vehicle master records, vehicle checks, the vehicle selection and the
// vehicle frames of the settings page.
#include "app/mainwindow/form1.h"

#include "app/backup/sicherung.h"
#include "app/mainwindow/mw_glue.h"
#include "app/records/dateien.h"
#include "app/records/fahrtdatensatz.h"
#include "platform/forms/events.h"
#include "platform/io/recordfile.h"
#include "platform/vb/error.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QListWidget>

namespace kmk {

namespace {
int wert(bool b) { return b ? 1 : 0; }
qint16 flag(QCheckBox* box) { return flagVon(forms::value(box) == 1); }
} // namespace

void Form1::OptionenInKfz(KfzGrundeinstellung& K) const
{
    K.Sprachausgabe = flag(Check3);
    K.OhneZeiten = flag(Check8);
    K.ZeitenVorgeben = flag(Check4);
    K.PrivatNurKm = flag(Check10);
    K.KalenderHeute = flag(Check11);
    K.WenigAbfragen = flag(Check12);
    K.MitVerpflegungspauschale = flag(Check5);
    K.Journalfunktion = flag(Check1);
}

// The page shows a damaged stored record only in part; before what it shows
// replaces the record, the file is kept aside and the user told. False when
// the copy could not be made: the record is then not written.
bool Form1::beschaedigtenKfzSatzSichern(int n)
{
    const QString name = mw::JD().Kfzdatei;
    const QString pfad = mw::pfad(name);
    QByteArray bisher;
    if (!io::RecordFile(pfad, KfzGrundeinstellung::Laenge).read(n, bisher) || bisher == mw::KFZ().zuBytes()
        || !KfzGrundeinstellung::ausBytes(bisher).unzeigbar())
        return true;
    const QString kopie = BeschaedigtSichern(mw::G(), pfad);
    if (kopie.isEmpty()) {
        mw::plainMessage(QStringLiteral("Die Fahrzeugdatei \"%1\" ist beschädigt und konnte nicht gesichert werden. "
                                        "Sie wird nicht überschrieben.").arg(name));
        return false;
    }
    mw::plainMessage(QStringLiteral("Die Fahrzeugdatei \"%1\" war beschädigt: Fahrzeug %2 wird so gespeichert, wie es "
                                    "angezeigt wird. Die alte Datei liegt unter \"%3\".")
                         .arg(name).arg(n).arg(kopie));
    return true;
}

bool Form1::AutoDat(int n, bool schreiben)
{
    if (n < 1 || n > 4)
        return false;
    auto& K = mw::KFZ();
    auto& V = mw::VS();
    const int i = n - 1;
    if (schreiben) {
        // The buffer holds the vehicle last read or written, which may be
        // another one: what the page leaves as it was (an empty odometer
        // field, the reserved word) must come from this vehicle's own record.
        mw::KfzLesen(n);
        K.Kennzeichen = vb::Trim(KfzEingabe[i]->text());
        K.Halter = vb::Trim(HalterEingabe[i]->text());
        K.Standort = vb::Trim(StandortEingabe[i]->text());
        K.Firmenfahrzeug = flagVon(FirmenPkw[i]->isChecked());
        K.Privatfahrzeug = flagVon(PrivatPkw[i]->isChecked());
        const QString km = vb::Trim(KmEingabe[i]->text());
        forms::setText(KmEingabe[i], km);
        if (!km.isEmpty()) {
            try {
                K.Anfangskm = vb::CLng(vb::Val(km));
            } catch (const vb::RuntimeError&) {
                // The field holds at most nine digits; keep the old reading.
            }
        }
        OptionenInKfz(K);
        K.Warnhinweise = V.Warnhinweise;
        K.Warnhinweise2 = V.Warnhinweise2;
        K.MitZeiten = V.MitZeiten;
        K.ZeitenVorgeben = V.ZeitenVorgeben;
        K.ErweiterterAusdruck = V.ErweiterterAusdruck;
        K.Journalfunktion = V.Journalfunktion;
        if (!beschaedigtenKfzSatzSichern(n))
            return false;
        const bool ok = mw::KfzSchreiben(n);
        // The type may have changed on the page: the entry page follows it.
        AutoBP();
        return ok;
    }

    mw::KfzLesen(n);
    V.Warnhinweise2 = K.Warnhinweise2;
    V.Warnhinweise = K.Warnhinweise;
    V.ErweiterterAusdruck = K.ErweiterterAusdruck;
    V.MitZeiten = K.MitZeiten;
    V.KalenderHeute = K.KalenderHeute;
    V.WenigAbfragen = K.WenigAbfragen;
    V.PrivatNurKm = K.PrivatNurKm;
    V.ZeitenVorgeben = K.ZeitenVorgeben;
    V.Journalfunktion = K.Journalfunktion;
    // A box that already shows the copy raises no click: these two flags
    // would keep the settings' value while the box shows the vehicle's.
    V.Sprachausgabe = flagVon(K.Sprachausgabe != 0);
    V.OhneZeiten = flagVon(K.OhneZeiten != 0);

    forms::setValue(Check3, wert(K.Sprachausgabe));
    forms::setValue(Check8, wert(K.OhneZeiten));
    forms::setValue(Check4, wert(K.ZeitenVorgeben));
    forms::setValue(Check10, wert(K.PrivatNurKm));
    forms::setValue(Check11, wert(K.KalenderHeute));
    forms::setValue(Check12, wert(K.WenigAbfragen));
    forms::setValue(Check5, wert(K.MitVerpflegungspauschale));
    forms::setValue(Check1, wert(K.Journalfunktion));

    if (K.OhneZeiten) {
        forms::setValue(Check8, 1);
        V.Warnhinweise = FALSCH;
        V.Warnhinweise2 = FALSCH;
        V.ZeitenVorgeben = FALSCH;
        V.MitVerpflegungspauschale = FALSCH;
        V.MitZeiten = FALSCH;
        K.ZeitenVorgeben = FALSCH;
        K.MitVerpflegungspauschale = FALSCH;
        K.MitZeiten = FALSCH;
        Check4->hide();
        forms::setValue(Check4, 2);
        Check5->hide();
        forms::setValue(Check5, 2);
        Zeitfelder(false);
        showCtl("Frame5", false);
        mw::EditpufferZeitenLoeschen();
    } else {
        forms::setValue(Check8, 0);
        V.Warnhinweise = WAHR;
        V.Warnhinweise2 = WAHR;
        K.Warnhinweise = WAHR;
        K.Warnhinweise2 = WAHR;
        Check4->show();
        forms::setValue(Check4, 1);
        Check5->show();
        forms::setValue(Check5, 0);
        V.ZeitenVorgeben = WAHR;
        V.MitVerpflegungspauschale = WAHR;
        V.MitZeiten = WAHR;
        K.ZeitenVorgeben = WAHR;
        K.MitVerpflegungspauschale = WAHR;
        K.MitZeiten = WAHR;
        Zeitfelder(true);
        showCtl("Frame5", true);
    }

    forms::setValue(Check4, wert(K.ZeitenVorgeben));
    forms::setValue(Check10, wert(K.PrivatNurKm));
    forms::setValue(Check11, wert(K.KalenderHeute));
    forms::setValue(Check12, wert(K.WenigAbfragen));
    forms::setValue(Check5, wert(K.MitVerpflegungspauschale));
    if (K.MitVerpflegungspauschale) {
        V.MitVerpflegungspauschale = WAHR;
        V.Warnhinweise2 = WAHR;
        V.ZeitenVorgeben = WAHR;
        K.MitVerpflegungspauschale = WAHR;
        K.Warnhinweise2 = WAHR;
        K.ZeitenVorgeben = WAHR;
    } else {
        V.MitVerpflegungspauschale = FALSCH;
        K.MitVerpflegungspauschale = FALSCH;
    }
    forms::setValue(Check1, wert(K.Journalfunktion));
    // The extended printout is the vehicle's too; its box must say so.
    if (Check6)
        forms::setValue(Check6, wert(K.ErweiterterAusdruck));
    AutoBP();
    return true;
}

bool Form1::EingabeTestAuto(int i)
{
    if (i < 0 || i > 3)
        return false;
    int meldung = 0;
    if (vb::Trim(KfzEingabe[i]->text()).isEmpty())
        meldung = 10;
    else if (vb::Trim(KmEingabe[i]->text()).isEmpty() || vb::Trim(KmEingabe[i]->text()) == "0")
        meldung = 11;
    else if (vb::Trim(StandortEingabe[i]->text()).isEmpty())
        meldung = 12;
    else if (vb::Trim(HalterEingabe[i]->text()).isEmpty())
        meldung = 13;
    else if (!FirmenPkw[i]->isChecked() && !PrivatPkw[i]->isChecked())
        meldung = 39;
    if (meldung == 0)
        return true;
    mw::MeldungAnzeigen(meldung);
    return false;
}

void Form1::GrundTest()
{
    for (int i = 0; i < 4; ++i)
        mw::KfzBelegt(i + 1) = !KfzEingabe[i]->text().isEmpty() && !KmEingabe[i]->text().isEmpty();
}

int Form1::AutoTest()
{
    int ergebnis = 0;
    for (int i = 0; i < 4; ++i) {
        QRadioButton* opt = AutoOpt(i);
        if (!KfzEingabe[i]->text().isEmpty() && !KmEingabe[i]->text().isEmpty()) {
            const QString kz = vb::Trim(KfzEingabe[i]->text());
            if (opt) {
                opt->setText(QStringLiteral("%1 %2").arg(i + 1).arg(kz).trimmed());
                opt->show();
            }
            Aktu_Auto[i]->setText(QStringLiteral("%1. %2").arg(i + 1).arg(kz).trimmed());
            Aktu_Auto[i]->show();
            mw::KfzBelegt(i + 1) = true;
            ergebnis = i + 1;
        } else {
            if (opt) {
                opt->setText(QString());
                opt->hide();
            }
            Aktu_Auto[i]->setText(QString());
            Aktu_Auto[i]->hide();
            mw::KfzBelegt(i + 1) = false;
        }
    }
    for (int i = 0; i < 4; ++i) {
        QRadioButton* opt = AutoOpt(i);
        if (opt && opt->isChecked() && mw::KfzBelegt(i + 1))
            mw::Fahrtdatei() = mw::JD().Fahrtdateien[i + 1];
    }
    if (ergebnis > 0) {
        showCtl("Frame1", true);
        // A private car shows its own frame in this place (AutoBP).
        const bool privat = mw::KFZ().Privatfahrzeug && !mw::KFZ().Firmenfahrzeug;
        if (mw::VS().MitVerpflegungspauschale) {
            showCtl("Frame5", !privat);
            showCtl("Frame7", false);
        } else {
            showCtl("Frame5", false);
            if (mw::KFZ().Firmenfahrzeug)
                showCtl("Frame7", true);
        }
        showCtl("Text1", false);
    } else {
        showCtl("Frame1", false);
        showCtl("Frame5", false);
        showCtl("Text1", true);
        // Set, not appended: repeated tests must not pile the notice up.
        setCtlText("Text1", QStringLiteral("Sie müssen erst die Grundeinstellungen für ")
                                + QStringLiteral("mindestens ein Fahrzeug ausfüllen, bevor ")
                                + QStringLiteral("Sie in dieser Seite Fahrten eintragen können."));
    }
    return ergebnis;
}

void Form1::DateiTest()
{
    kmk::DateiTest(mw::G());
}

bool Form1::Autowechsel(int i)
{
    bool ok = false;
    if (AutoTest() > 0) {
        mw::AktuellesFahrzeug() = i + 1;
        AutoDat(i + 1, false);
        ok = true;
    } else {
        mw::MeldungAnzeigen(1);
    }
    DateiTest();
    return ok;
}

void Form1::AutoBP()
{
    const auto& K = mw::KFZ();
    const auto& V = mw::VS();
    if (K.Privatfahrzeug) {
        for (const char* c : {"Label3", "Label9", "EinkmAn", "AnzKmAb", "QKSpin6"})
            showCtl(QString::fromLatin1(c), false);
        Zeitfelder(false);
        for (const char* c : {"Label118", "PersAnz", "QKSpin5"})
            showCtl(QString::fromLatin1(c), true);
        showCtl("Frame5", false);
        showCtl("Frame7", false);
        showCtl("Frame8", true);
        for (const char* c : {"OptWA", "OptPri", "OptEhr", "OptFam"})
            showCtl(QString::fromLatin1(c), false);
        if (auto* g = ctl<QRadioButton>("OptGesch")) {
            forms::setOptionValue(g, true);
            g->setText(QStringLiteral("Geschäftsfahrt mit Privat - Pkw"));
        }
        setCtlText("Text3", QString::number(K.Anfangskm));
    }
    if (K.Firmenfahrzeug) {
        for (const char* c : {"Label3", "Label9", "EinkmAn", "AnzKmAb", "QKSpin6"})
            showCtl(QString::fromLatin1(c), true);
        Zeitfelder(V.OhneZeiten == 0);
        for (const char* c : {"Label118", "PersAnz", "QKSpin5"})
            showCtl(QString::fromLatin1(c), false);
        showCtl("Frame5", V.MitVerpflegungspauschale != 0);
        showCtl("Frame7", V.MitVerpflegungspauschale == 0);
        showCtl("Frame8", false);
        for (const char* c : {"OptWA", "OptPri", "OptEhr", "OptFam"})
            showCtl(QString::fromLatin1(c), true);
        setCtlText("OptGesch", QStringLiteral("Geschäftsfahrt"));
    }
}

void Form1::ErsteLadenDefault()
{
    // Until the record display is in: position on the last stored trip.
    mw::Satzanzahl() = mw::FahrtAnzahl(mw::Fahrtdatei());
    mw::Satznummer() = mw::Satzanzahl();
    mw::Pufferindex() = mw::Satzanzahl() > 1 ? 3 : 1;
    setCtlText("FahrtNr", vb::Str(qint64(mw::Satznummer())));
}

// Steps 4 to 9 of a switch, shared by both vehicle groups.
bool Form1::FahrzeugWechseln(int index)
{
    if (!Autowechsel(index))
        return false;   // no vehicle set up: nothing to switch to
    mw::Fahrtdatei() = mw::JD().Fahrtdateien[index + 1];
    mw::AktuellesFahrzeug() = quint8(index + 1);
    mw::VS().LetztesFahrzeug = qint16(mw::AktuellesFahrzeug());
    DateiTest();
    if (mw::FahrtdateiVorhanden(index + 1)) {
        if (services.ErsteLaden)
            services.ErsteLaden();
        else
            ErsteLadenDefault();
        run(services.PauschaleAnzeigen);
        run(services.SperrTest);
    } else {
        mw::Pufferindex() = 1;
        mw::Satzanzahl() = 0;
        run(services.FahrtLoschen);
        mw::Satznummer() = 0;
        setCtlText("FahrtNr", vb::Str(qint64(0)));
        run(services.PauschaleAnzeigen);
        run(services.SperrTest);
        if (auto* l = ctl<QListWidget>("FahrtListe"))
            l->clear();
    }
    setCtlText("Label73", mw::KFZ().Kennzeichen.leftJustified(KfzGrundeinstellung::BreiteKennzeichen, ' ', true));
    return true;
}

void Form1::Aktu_Auto_Click(int index)
{
    if (index < 0 || index > 3)
        return;
    const int alt = mw::AktuellesFahrzeug();
    if (alt >= 1 && alt <= 4)
        AutoDat(alt, true);
    if (QRadioButton* o = AutoOpt(index))
        forms::setOptionValue(o, true);
    run(services.Datenzurucksetzen);
    if (!FahrzeugWechseln(index))
        return;
    for (int k = 0; k < 4; ++k) {
        const bool b = (k == index);
        for (QWidget* w : {static_cast<QWidget*>(Aktu_Auto[k]), static_cast<QWidget*>(Label12[k]),
                           static_cast<QWidget*>(Label13[k]), static_cast<QWidget*>(Label14[k]),
                           static_cast<QWidget*>(Label15[k]), static_cast<QWidget*>(FirmenPkw[k]),
                           static_cast<QWidget*>(PrivatPkw[k])})
            setBold(w, b);
    }
    AutoBP();
    if (mw::AktuellesFahrzeug() != 0)
        run(services.Prozentverteilung);
}

void Form1::AutoOpt_Click(int index)
{
    if (index < 0 || index > 3)
        return;
    run(services.Datenzurucksetzen);
    forms::setOptionValue(Aktu_Auto[index], true);
    if (!FahrzeugWechseln(index))
        return;
    for (int k = 0; k < 4; ++k)
        if (QRadioButton* o = AutoOpt(k))
            setBold(o, k == index);
    AutoBP();
    if (mw::AktuellesFahrzeug() != 0)
        run(services.Prozentverteilung);
}

bool Form1::FirmenPkw_MouseDown(int index) { return FahrzeugtypWechseln(index, true); }
bool Form1::PrivatPkw_MouseDown(int index) { return FahrzeugtypWechseln(index, false); }

bool Form1::FahrzeugtypWechseln(int index, bool firma)
{
    if (index < 0 || index > 3)
        return true;
    DateiTest();
    QRadioButton* neu = firma ? FirmenPkw[index] : PrivatPkw[index];
    QRadioButton* bisher = firma ? PrivatPkw[index] : FirmenPkw[index];
    if (!(mw::FahrtdateiVorhanden(index + 1) && bisher->isChecked()))
        return true;
    if (mw::FahrtAnzahl(mw::JD().Fahrtdateien[index + 1]) < 1) {
        // Only the current vehicle's record is in memory.
        if (index + 1 == mw::AktuellesFahrzeug()) {
            mw::KFZ().Firmenfahrzeug = flagVon(firma);
            mw::KFZ().Privatfahrzeug = flagVon(!firma);
            AutoBP();
        }
        return true;
    }
    mw::MeldungAnzeigen(95);
    forms::setOptionValue(bisher, true);
    forms::setOptionValue(neu, false);
    return false;
}

void Form1::Command1_Click(int index)
{
    if (index < 0 || index > 3)
        return;
    if (!EingabeTestAuto(index))
        return;
    const int n = index + 1;
    // A record that could not be written is not reported as saved.
    if (!AutoDat(n, true))
        return;
    const QString kz = vb::Trim(KfzEingabe[index]->text()).trimmed();
    if (QRadioButton* o = AutoOpt(index)) {
        o->show();
        forms::setOptionValue(o, true);
        o->setText(QStringLiteral("%1 %2").arg(n).arg(kz));
    }
    Aktu_Auto[index]->setText(QStringLiteral("%1. %2").arg(n).arg(kz));
    forms::setOptionValue(Aktu_Auto[index], true);
    Aktu_Auto[index]->show();
    mw::plainMessage(QStringLiteral("Es wurde Fahrzeug %1 und die aktuellen Voreinstellungen gespeichert!").arg(n));
}

} // namespace kmk
