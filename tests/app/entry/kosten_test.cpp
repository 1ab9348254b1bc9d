// The cost frame of the entry page typed and clicked like a person: units,
// amounts, price and its own save.

#include "tests/app/entry/fenster.h"

#include "app/entry/eingabefelder.h"
#include "app/mainwindow/form2.h"
#include "app/mainwindow/meldungen.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/mainwindow/sstab.h"
#include "app/records/dateien.h"
#include "platform/com/controlhost.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/vb/date.h"
#include "platform/vb/text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kmk;
using kmktest::Fenster;

TEST(Tippen, CostsUnitsAmountsPriceAndTheirOwnSave)
{
    Fenster w;
    w.fahrt("10.03.2016", "100", "Bonn");
    const QByteArray vorher = w.fahrten();
    ASSERT_EQ(vorher.size(), FahrtDatensatz::Laenge);
    w.maus("CBenzin_0");
    ASSERT_FALSE(w.f->ctl("FrBenzin")->isHidden());
    auto* art = w.combo("CbbKArt");
    art->setFocus();
    QTest::keyClick(art, Qt::Key_Down);
    EXPECT_EQ(w.text("Label35"), "Liter");
    QTest::keyClick(art, Qt::Key_Down);
    EXPECT_EQ(w.text("Label35"), "kWH");
    QTest::keyClick(art, Qt::Key_Down);
    EXPECT_EQ(w.text("Label35"), "Kilogramm");
    w.tippen("TLiter", "a45,5,x");
    EXPECT_EQ(w.text("TLiter"), "45,5");
    w.tippen("TBGesamt", ",80");
    EXPECT_EQ(w.text("TBGesamt"), "80");
    w.verlassen("TBGesamt", "TWbez");
    EXPECT_EQ(w.text("TBGesamt"), QString::fromUtf8("80,00 €"));
    EXPECT_EQ(w.text("Label30"), QString::fromUtf8("1,76 €"));
    w.tippen("TWbez", "oelwechsel");
    w.tippen("TWGesamt", "12,5");
    w.verlassen("TWGesamt", "TWbez");
    EXPECT_EQ(w.text("TWGesamt"), QString::fromUtf8("12,50 €"));
    EXPECT_EQ(w.puffer().BetragWartung.raw, 125000);
    // A lone comma is no amount: the stored value stays.
    w.leeren("TWGesamt");
    w.tippen("TWGesamt", ",");
    w.verlassen("TWGesamt", "TWbez");
    EXPECT_EQ(w.puffer().BetragWartung.raw, 125000);
    w.leeren("TWGesamt");
    w.tippen("TWGesamt", "12,5");
    w.verlassen("TWGesamt", "TWbez");

    w.f->ctl<QWidget>("CB_BSpeichern")->show();
    w.maus("CB_BSpeichern");
    const QByteArray nachher = w.fahrten();
    ASSERT_EQ(nachher.size(), vorher.size());
    EXPECT_EQ(nachher.left(FahrtOffset::Kraftstoffmenge), vorher.left(FahrtOffset::Kraftstoffmenge));
    EXPECT_EQ(nachher.mid(FahrtOffset::Eintragungsdatum), vorher.mid(FahrtOffset::Eintragungsdatum));
    const FahrtDatensatz s = w.satz(1);
    EXPECT_EQ(s.Kraftstoffmenge, 45.5);
    EXPECT_EQ(s.BetragKraftstoff.raw, 800000);
    EXPECT_EQ(s.BetragWartung.raw, 125000);
    EXPECT_EQ(s.Kraftstoffart, QString("Kg").leftJustified(10));
    EXPECT_EQ(s.Wartungstext, QString("Oelwechsel").leftJustified(50));
}

// The user looks up each receipt in another program between the amounts,
// or drags the amounts from there: each field left runs its leave check
// when the next one is clicked or dropped into, so the record holds what
// the page shows.
TEST(Tippen, CostAmountsReachTheRecordThroughASwitchToAnotherProgram)
{
    Fenster w;
    struct Fall { const char* feld; const char* betrag; QString angezeigt; };
    const Fall faelle[] = {{"TLiter", "45,5", "45,5"},
                           {"TBGesamt", "66,6", QString::fromUtf8("66,60 €")},
                           {"TWGesamt", "12,34", QString::fromUtf8("12,34 €")}};
    enum Weg { Getippt, Gezogen, AngeklicktUndGezogen };
    for (Weg weg : {Getippt, Gezogen, AngeklicktUndGezogen}) {
        SCOPED_TRACE(testing::Message() << "Weg " << weg);
        w.taste(Qt::Key_F9);
        w.ausfuellen(QString("1%1.03.2016").arg(int(weg)), "100", "Bonn");
        w.neu("EinGrund", "Kunde Tanken");
        ASSERT_FALSE(w.f->ctl("FrBenzin")->isHidden());
        for (const Fall& f : faelle) {
            if (weg == AngeklicktUndGezogen)
                w.zurueckKlicken(f.feld);
            w.wegschalten();
            if (weg == Getippt) {
                w.zurueckKlicken(f.feld);
                w.tippen(f.feld, QString::fromLatin1(f.betrag));
            } else {
                w.ziehen(f.feld, QString::fromLatin1(f.betrag));
            }
            EXPECT_EQ(w.text(f.feld), QString::fromLatin1(f.betrag)) << f.feld;
        }
        w.wegschalten();
        w.zurueckKlicken("EinGesprach");
        for (const Fall& f : faelle)
            EXPECT_EQ(w.text(f.feld), f.angezeigt) << f.feld;
        const qsizetype vorher = w.satzanzahl();
        w.maus("EintragSpeichern");
        ASSERT_EQ(w.satzanzahl(), vorher + 1);
        const FahrtDatensatz s = w.satz(int(vorher + 1));
        EXPECT_EQ(s.Kraftstoffmenge, 45.5);
        EXPECT_EQ(s.BetragKraftstoff.raw, 666000);
        EXPECT_EQ(s.BetragWartung.raw, 123400);
    }
}

// F8 with the caret still in an amount: the field's leave check runs
// first, as on a click of the save button, and the amount is stored.
TEST(Tippen, F8WithTheCaretInAnAmountStoresTheAmount)
{
    struct Fall { const char* feld; const char* betrag; qint64 kraftstoff, wartung; double menge; };
    const Fall faelle[] = {{"TBGesamt", "66,6", 666000, 0, 0},
                           {"TLiter", "45,5", 0, 0, 45.5},
                           {"TWGesamt", "12,34", 0, 123400, 0}};
    for (const Fall& f : faelle) {
        Fenster w;
        w.taste(Qt::Key_F9);
        w.ausfuellen("10.03.2016", "100", "Bonn");
        w.neu("EinGrund", "Kunde Tanken");
        w.tippen(f.feld, QString::fromLatin1(f.betrag));
        w.taste(Qt::Key_F8);
        EXPECT_EQ(w.u.meldungen, QList<int>{5}) << f.feld;
        ASSERT_EQ(w.satzanzahl(), 1) << f.feld;
        EXPECT_EQ(w.satz(1).BetragKraftstoff.raw, f.kraftstoff) << f.feld;
        EXPECT_EQ(w.satz(1).BetragWartung.raw, f.wartung) << f.feld;
        EXPECT_EQ(w.satz(1).Kraftstoffmenge, f.menge) << f.feld;
    }
}

// A leave check that refuses stops F8: an arrival below the departure of
// a stored trip gives message 96 and no correction.
TEST(Tippen, F8AfterARefusedLeaveCheckSavesNothing)
{
    Fenster w;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.fahrt("10.03.2016", "100", "Bonn");
    w.fahrt("11.03.2016", "100", "Bonn");
    ASSERT_EQ(w.satzanzahl(), 2);
    const QByteArray vorher = w.fahrten();
    w.taste(Qt::Key_F4);
    ASSERT_EQ(fahrten1().Satznummer, 1);
    w.neu("EinkmAn", "10");
    w.u.meldungen.clear();
    w.taste(Qt::Key_F8);
    EXPECT_EQ(w.u.meldungen, QList<int>{96});
    EXPECT_EQ(w.fahrten(), vorher);
}

// The cost frame lies over the trip list or the help box and hides what
// lies beneath; closed by any road, it gives the place back.
TEST(Tippen, TheCostFrameCoversTheLowerAreaAndGivesItBackWhenItCloses)
{
    Fenster w;
    w.fahrt("10.03.2016", "100", "Bonn");
    w.taste(Qt::Key_F9);
    QWidget* rahmen = w.f->ctl("FrBenzin");
    const auto hilfe = [&] { w.maus("Tabellezeigen_"); };
    const auto liste = [&] { w.maus("AutoDatEnde"); };
    const auto euro = [&] {
        w.maus("CBenzin_0");
        if (rahmen->isVisible()) {   // opaque, and nothing above it
            EXPECT_TRUE(rahmen->autoFillBackground());
            QWidget* oben = rahmen->parentWidget()->childAt(rahmen->geometry().center());
            EXPECT_TRUE(oben == rahmen || rahmen->isAncestorOf(oben));
        }
    };
    const auto ende = [&] { w.taste(Qt::Key_End); };
    const auto kunde = [&] {
        w.leeren("EinGrund");
        w.tippen("EinGrund", "Kunde");
    };
    const auto schliessen = [&] { w.maus("CBFListe"); };
    struct Fall { const char* wege; std::vector<std::function<void()>> schritte; bool hilfe; };
    const Fall faelle[] = {
        {"Hilfe, zweimal Euro", {hilfe, euro, euro}, true},
        {"Hilfe, Euro, Zweck Kunde", {hilfe, euro, kunde}, true},
        {"Hilfe, zweimal Ende", {hilfe, ende, ende}, true},
        {"Hilfe, Euro, Ende", {hilfe, euro, ende}, true},
        {"Liste, zweimal Euro", {liste, euro, euro}, false},
        {"Liste, Euro, Zweck Kunde", {liste, euro, kunde}, false},
        {"Hilfe, Euro, Fenster schliessen", {hilfe, euro, schliessen}, false},
    };
    for (const Fall& f : faelle) {
        for (const auto& schritt : f.schritte)
            schritt();
        EXPECT_TRUE(rahmen->isHidden()) << f.wege;
        EXPECT_EQ(w.f->ctl("TEinHilfe")->isHidden(), !f.hilfe) << f.wege;
        EXPECT_EQ(w.f->ctl("CBTextfensterEin")->isHidden(), !f.hilfe) << f.wege;
        EXPECT_EQ(w.f->ctl("FahrtListe")->isHidden(), f.hilfe) << f.wege;
    }
}

TEST(Tippen, PurposeWordsOpenTheCostFrameHelpLinesAndTimeChecksOnLeaving)
{
    Fenster w;
    forms::setValue(w.f->Check8, 0);   // times are entered
    w.taste(Qt::Key_F9);
    auto* rahmen = w.f->ctl("FrBenzin");
    w.tippen("EinGrund", "Zur Inspektion");
    EXPECT_FALSE(rahmen->isHidden());
    w.leeren("EinGrund");
    w.tippen("EinGrund", "Messe");
    EXPECT_TRUE(rahmen->isHidden());
    w.leeren("EinGrund");
    w.tippen("EinGrund", "Tankstelle");
    EXPECT_FALSE(rahmen->isHidden());
    auto* grund = w.combo("EinGrund");
    grund->setItems({"Tankstelle Nord"});
    grund->setFocus();
    QTest::keyClick(grund, Qt::Key_Down);   // chosen from the list
    EXPECT_EQ(grund->text(), "Tankstelle Nord");
    EXPECT_TRUE(rahmen->isHidden());
    auto* fahrer = w.combo("EinFahrer");
    fahrer->setItems({"Berta"});
    fahrer->setFocus();
    QTest::keyClick(fahrer, Qt::Key_Down);
    EXPECT_EQ(w.puffer().Fahrer, "Berta");

    w.tippen("EinGesprach", " ");
    w.verlassen("EinGesprach", "EinGrund");
    w.feld("EinGesprach")->setFocus();
    EXPECT_EQ(w.text("TEinHilfe"), kmk::Hilfstext(43));
    EXPECT_EQ(w.text("EinGesprach"), "");

    w.u.meldungen.clear();
    w.leeren("EinZeitAn");
    w.tippen("EinZeitAn", "25:00");
    w.verlassen("EinZeitAn", "EinGrund");
    EXPECT_EQ(w.u.meldungen, QList<int>{113});
    w.leeren("EinZeitAn");
    w.tippen("EinZeitAn", "23.00");
    EXPECT_EQ(w.text("EinZeitAn"), "23.00");
    w.leeren("EinZeitAb");
    w.tippen("EinZeitAb", "8.3a0");
    EXPECT_EQ(w.text("EinZeitAb"), "830");
}

TEST(Tippen, CostUnitsAmountsAndPrice)
{
    Fenster w;
    w.mitZeiten();
    w.taste(Qt::Key_F9);
    w.maus("CBenzin_0");
    ASSERT_FALSE(w.f->ctl("FrBenzin")->isHidden());
    struct Art { const char* text; const char* einheit; };
    for (const Art& a : {Art{"kWh", "kWH"}, Art{"KG", "kWH"}, Art{"kg", "Kilogramm"}, Art{"Liter", "Liter"},
                         Art{"Kg", "Kilogramm"}})
    {
        w.setzen("CbbKArt", a.text);
        EXPECT_EQ(w.text("Label35"), a.einheit) << a.text;
    }
    w.setzen("CbbKArt", "Elektrostrom-Mix");
    EXPECT_EQ(w.text("CbbKArt"), "Elektrostrom-Mix");
    EXPECT_EQ(fahrten1().Satzpuffer[0].Kraftstoffart.trimmed(), "Elektrostr");

    w.tippen("TLiter", "0,8");
    w.tippen("TBGesamt", "a12,5.,0");
    EXPECT_EQ(w.text("TBGesamt"), "12,50");
    w.neu("TBGesamt", "12,5");
    w.verlassen("TBGesamt", "TWbez");
    EXPECT_EQ(w.text("TBGesamt"), QString::fromUtf8("12,50 €"));
    EXPECT_EQ(fahrten1().Satzpuffer[0].BetragKraftstoff.raw, 125000);
    EXPECT_EQ(w.text("Label30"), "");                 // 0,8 reads as zero
    w.neu("TLiter", "5");
    w.verlassen("TLiter", "TWbez");
    EXPECT_EQ(w.text("Label30"), QString::fromUtf8("2,50 €"));
    EXPECT_DOUBLE_EQ(fahrten1().Satzpuffer[0].Kraftstoffmenge, 5.0);
    w.tippen("TWGesamt", "1234,5");
    w.verlassen("TWGesamt", "TWbez");
    EXPECT_EQ(w.text("TWGesamt"), QString::fromUtf8("1.234,50 €"));
    EXPECT_EQ(fahrten1().Satzpuffer[0].BetragWartung.raw, 12345000);
}
