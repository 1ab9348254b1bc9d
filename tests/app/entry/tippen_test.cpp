// The entry page typed like a person: keys and clicks on the real main
// window with its hosted calendar and spin buttons.

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

namespace {

qint32 tag(int d, int m, int y = 2016) { return vb::DateSerial(y, m, d); }

} // namespace


TEST(Tippen, EnterMovesOnCapitalFirstLetterCutAtFiftyAndTheOdometerPingPong)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    w.tippen("EinNach", "bonn");
    EXPECT_EQ(w.text("EinNach"), "Bonn");
    EXPECT_EQ(w.puffer().Nach, "Bonn");
    w.tippen("EinGesprach", QString::fromUtf8("ßtraße"));
    EXPECT_EQ(w.text("EinGesprach"), QString::fromUtf8("ßtraße"));

    QTest::keyClick(w.feld("EinNach"), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.feld("EinNach")->hasFocus(); }, 1000));
    EXPECT_EQ(w.text("EinNach"), "Bonn");

    const QString sechzig = QString("x").repeated(60);
    w.leeren("EinVon");
    w.tippen("EinVon", sechzig);
    EXPECT_EQ(w.text("EinVon"), "X" + QString("x").repeated(49));
    EXPECT_EQ(w.puffer().Von.size(), 50);
    w.tippen("EinUber", QString("y").repeated(260));
    EXPECT_EQ(w.text("EinUber").size(), 255);
    w.bild("eintrag_tippen");

    EXPECT_EQ(w.text("AnzKmAb"), "345");
    w.leeren("EinGefKm");
    w.tippen("EinGefKm", "1a00");
    EXPECT_EQ(w.text("EinGefKm"), "100");
    EXPECT_EQ(w.text("EinkmAn"), "445");
    QTest::keyClick(w.feld("EinGefKm"), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.feld("EinGesprach")->hasFocus(); }, 1000));
    w.leeren("EinkmAn");
    w.tippen("EinkmAn", "300");
    EXPECT_EQ(w.text("EinGefKm"), "-45");
    w.verlassen("EinkmAn", "EinGrund");
    EXPECT_EQ(w.text("EinkmAn"), "345");
    EXPECT_EQ(w.text("EinGefKm"), "0");
}

TEST(Tippen, LockedFieldsRefuseKeysDeleteAndPaste)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    w.tippen("EinNach", "Bonn");
    fahrten1().Satzgesperrt = true;
    w.tippen("EinNach", "er");
    QTest::keyClick(w.feld("EinNach"), Qt::Key_Home);
    QTest::keyClick(w.feld("EinNach"), Qt::Key_Delete);
    QTest::keyClick(w.feld("EinNach"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.text("EinNach"), "Bonn");
    const QString an = w.text("EinDatumAn");
    w.tippen("EinDatumAn", "1");
    EXPECT_EQ(w.text("EinDatumAn"), an);
    w.leeren("EinDatumAb");
    w.tippen("EinDatumAb", "1a.");
    EXPECT_EQ(w.text("EinDatumAb"), "1.");
    fahrten1().Satzgesperrt = false;
}

// Ctrl+C copies from a locked route or purpose as from any text; the
// number and time fields swallow the key by their filters, as they always
// did, locked or not.
TEST(Tippen, CtrlCCopiesFromALockedTextField)
{
    Fenster w;
    w.mitZeiten();
    w.taste(Qt::Key_F9);
    QClipboard* ablage = QGuiApplication::clipboard();
    struct Fall { const char* feld; const char* text; bool kopiert; };
    for (const Fall& f : {Fall{"EinNach", "Bonn", true}, Fall{"EinGrund", "Kunde", true},
                          Fall{"EinkmAn", "445", false}, Fall{"EinZeitAb", "09:30", false}}) {
        w.setzen(f.feld, f.text);
        fahrten1().Satzgesperrt = true;
        ablage->setText("vorher");
        QLineEdit* e = w.feld(f.feld);
        e->setFocus();
        e->selectAll();
        // As X11 delivers the key: its text is the control code 3.
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_C, QString(QChar(3)), Qt::ControlModifier);
        EXPECT_EQ(ablage->text(), f.kopiert ? f.text : "vorher") << f.feld;
        EXPECT_EQ(w.text(f.feld), f.text) << f.feld;
        fahrten1().Satzgesperrt = false;
    }
}

// Every road of a text that arrives in one piece, into every kind of field:
// what a typed key would refuse is refused as a whole, a character outside
// the code page shows as the "?" it is stored as, and a locked field takes
// nothing at all.
TEST(Tippen, PastedDroppedAndInputMethodTextFollowsTheKeyRules)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    w.f->showCtl("FrBenzin", true);
    QClipboard* ablage = QGuiApplication::clipboard();
    enum Weg { StrgV, UmschaltEinfg, Menue, Ziehen, Eingabemethode, Mittelklick };
    auto einfuegen = [&](Weg weg, QLineEdit* e, const QString& t) {
        QWidget* ziel = w.combo(e->parentWidget()->objectName().toLatin1()) ? e->parentWidget() : e;
        const QPoint mitte = e->rect().center();
        switch (weg) {
        case StrgV:
        case UmschaltEinfg:
            ablage->setText(t);
            QTest::keyClick(ziel, weg == StrgV ? Qt::Key_V : Qt::Key_Insert,
                            weg == StrgV ? Qt::ControlModifier : Qt::ShiftModifier);
            break;
        case Menue: {
            ablage->setText(t);
            QContextMenuEvent m(QContextMenuEvent::Keyboard, mitte, e->mapToGlobal(mitte));
            QApplication::sendEvent(e, &m);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            for (QAction* a : menu->actions())
                if (a->text().contains(QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText)))
                    a->trigger();
            menu->close();
            break;
        }
        case Ziehen:
            kmktest::ablegen(e, t);
            break;
        case Eingabemethode: {
            QInputMethodEvent m;
            m.setCommitString(t);
            QApplication::sendEvent(ziel, &m);
            break;
        }
        case Mittelklick:
            ablage->setText(t, QClipboard::Selection);
            QTest::mouseClick(e, Qt::MiddleButton, {}, mitte);
            break;
        }
    };
    struct Fall { const char* feld; bool gesperrt; const char* vorher; QString text; QString danach; };
    const Fall faelle[] = {
        {"EinNach", false, "", QString::fromUtf8("Łódź"), QString::fromUtf8("?ód?")},
        {"EinNach", false, "", QString::fromUtf8("Jose\u0301"), QString::fromUtf8("José")},   // accent apart
        {"EinVon", false, "", QString::fromUtf8("Köln\r\n😀"), QString::fromUtf8("Köln ?")},
        {"TLiter", false, "", "-5,5", ""},
        {"TLiter", false, "", "5,5", "5,5"},
        {"TBGesamt", false, "", "12.50", ""},
        {"EinGefKm", false, "", "1x", ""},
        {"EinGrund", false, "", "Kunde\tBesuch\nZwei", "Kunde Besuch Zwei"},
        {"EinZeitAb", false, "", "09:30", "09:30"},
        {"EinZeitAn", false, "", "09:30", "09:30"},
        {"EinkmAn", false, "", "10500\r\n", "10500"},
        {"EinNach", true, "Leipzig", "MITTE", "Leipzig"},
        {"EinkmAn", true, "102", "-9998", "102"},
    };
    for (Weg weg : {StrgV, UmschaltEinfg, Menue, Ziehen, Eingabemethode, Mittelklick}) {
        if (weg == Mittelklick && !ablage->supportsSelection())
            continue;   // no X11 selection on this platform
        for (const Fall& f : faelle) {
            SCOPED_TRACE(testing::Message() << "Weg " << weg << ", " << f.feld << " " << f.text.toStdString());
            fahrten1().Satzgesperrt = false;
            QLineEdit* e = w.feld(f.feld);
            forms::setText(w.f->ctl(f.feld), QString::fromUtf8(f.vorher));
            fahrten1().Satzgesperrt = f.gesperrt;
            e->setFocus();
            e->end(false);
            einfuegen(weg, e, f.text);
            EXPECT_EQ(w.text(f.feld), f.danach);
        }
    }
    fahrten1().Satzgesperrt = false;
}

// A letter and its accent copied as two characters are the one letter of
// the code page on the page and in the record.
TEST(Tippen, AnAccentPastedApartFromItsLetterIsStoredAsTheLetter)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    w.ausfuellen("15.06.2016", "100", "Bonn");
    w.leeren("EinNach");
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Jose\u0301"));
    QTest::keyClick(w.combo("EinNach"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.text("EinNach"), QString::fromUtf8("José"));
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.satzanzahl(), 1);
    EXPECT_EQ(w.fahrten().mid(FahrtOffset::Nach, 5), QByteArray("Jos\xE9 "));
}

TEST(Tippen, SpinButtonsStepTimesAcrossMidnightPassengersAndKilometres)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    forms::setText(w.edit("EinZeitAn"), "23:58");
    w.spin("QKSpin4", true);
    EXPECT_EQ(w.text("EinZeitAn"), "00:01");
    w.spin("QKSpin4", false);
    EXPECT_EQ(w.text("EinZeitAn"), "23:59");
    forms::setText(w.edit("EinZeitAb"), "23:30");
    w.spin("QKSpin2", true);
    EXPECT_EQ(w.text("EinZeitAb"), "00:30");
    forms::setText(w.edit("EinZeitAb"), "");
    w.spin("QKSpin1", true);
    EXPECT_EQ(w.text("EinZeitAb"), "08:01");
    forms::setText(w.edit("EinZeitAn"), "25:70");
    w.spin("QKSpin3", true);
    EXPECT_EQ(w.text("EinZeitAn"), "25:70");

    w.spin("QKSpin7", true);
    w.spin("QKSpin7", true);
    EXPECT_EQ(w.text("EinkmAn"), "347");
    EXPECT_EQ(w.text("EinGefKm"), "2");
    // Down to the departure reading and no further: no beep, no message 96.
    int beeps = 0;
    w.felder()->dienste().beep = [&beeps] { ++beeps; };
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.u.meldungen.clear();
    for (int i = 0; i < 4; ++i)
        w.spin("QKSpin7", false);
    EXPECT_EQ(w.text("EinkmAn"), "345");
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(w.u.meldungen, QList<int>{});
    w.spin("QKSpin6", false);
    EXPECT_EQ(w.text("EinkmAn"), "344");
    EXPECT_EQ(w.text("EinGefKm"), "-1");
}

TEST(Tippen, PrivateCarPassengersAndCostFollowTheField)
{
    Fenster w(false);
    w.taste(Qt::Key_F9);
    ASSERT_FALSE(w.edit("PersAnz")->isHidden());
    w.leeren("EinGefKm");
    w.tippen("EinGefKm", "100");
    w.tippen("PersAnz", "9");
    EXPECT_EQ(w.text("aktuFahrko"), "48,00");   // typed, not one key late
    w.spin("QKSpin5", false);
    EXPECT_EQ(w.text("PersAnz"), " 4");
    EXPECT_EQ(w.text("aktuFahrko"), "38,00");
    w.spin("QKSpin5", true);
    w.spin("QKSpin5", true);   // five at most
    EXPECT_EQ(w.text("PersAnz"), " 5");
    EXPECT_EQ(w.text("aktuFahrko"), "40,00");
    w.spin("QKSpin7", false);
    EXPECT_EQ(w.text("EinGefKm"), " 99");
    w.neu("EinGefKm", "2");
    w.spin("QKSpin7", false);
    w.spin("QKSpin7", false);   // one at least
    EXPECT_EQ(w.text("EinGefKm"), " 1");
    w.bild("privatfahrzeug");
}

TEST(Tippen, CalendarFillsBothDatesAndRefusesADayBeforeTheLastArrival)
{
    Fenster w;
    w.fahrt("10.03.2016", "100", "Bonn");
    ASSERT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    w.taste(Qt::Key_F9);
    w.u.meldungen.clear();
    fahrten1().Voreinstellung.Journalfunktion = 0;
    w.kalender(vb::DateSerial(2016, 3, 12));
    EXPECT_EQ(w.text("EinDatumAb"), "12.03.2016");
    EXPECT_EQ(w.text("EinDatumAn"), "12.03.2016");
    EXPECT_EQ(w.puffer().DatumAb, vb::DateSerial(2016, 3, 12));
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.kalender(vb::DateSerial(2016, 3, 9));
    EXPECT_EQ(w.text("EinDatumAb"), "10.03.2016");
    EXPECT_EQ(w.text("EinDatumAn"), "10.03.2016");
    EXPECT_EQ(w.f->ctl<com::ControlHost>("QKC")->property("Date").toInt(), vb::DateSerial(2016, 3, 10));
    EXPECT_EQ(w.u.meldungen, QList<int>{21});
    w.kalender(vb::DateSerial(2016, 3, 9));
    w.maus("QKC", Qt::RightButton);
    EXPECT_EQ(w.text("EinDatumAb"), "10.03.2016");
    // With the journal on, a day more than eight days back is a notice.
    fahrten1().Voreinstellung.Journalfunktion = -1;
    w.u.meldungen.clear();
    w.kalender(vb::DateSerial(2016, 6, 6));
    EXPECT_EQ(w.u.meldungen, QList<int>{101});
    EXPECT_EQ(w.text("LEinDatum"), "Eintragungsdatum 15.06.2016");
    w.u.meldungen.clear();
    w.kalender(vb::DateSerial(2016, 6, 16));
    EXPECT_EQ(w.u.meldungen, QList<int>{98});
}

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

// The time fields and the arrival reading check themselves when left for
// another program and the user clicks into another field on coming back.
TEST(Tippen, TimeAndOdometerChecksRunThroughASwitchToAnotherProgram)
{
    Fenster w;
    w.mitZeiten();
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.taste(Qt::Key_F9);
    w.ausfuellen("10.03.2016", "100", "Bonn");
    for (auto [feld, zeit] : {std::pair{"EinZeitAb", "09:30"}, std::pair{"EinZeitAn", "17:45"}}) {
        w.zurueckKlicken(feld);
        w.leeren(feld);
        w.tippen(feld, zeit);
        w.wegschalten();
    }
    w.zurueckKlicken("EinNach");
    // 495 minutes: 8 hours 15 as the duration text shows them.
    EXPECT_EQ(vb::Trim(w.text("LZeitFahrt")), "8,15");

    w.u.meldungen.clear();
    w.neu("EinkmAn", "300");
    w.wegschalten();
    w.zurueckKlicken("EinGrund");
    EXPECT_EQ(w.u.meldungen, QList<int>{96});
    EXPECT_EQ(w.text("EinkmAn"), "345");
    EXPECT_EQ(w.text("EinGefKm"), "0");
}

// The save question stands where the user can still check every filled
// entry field before answering, wholly on the screen.
TEST(Tippen, TheSaveQuestionLeavesEveryEntryFieldInView)
{
    Fenster w;
    w.mitZeiten();
    w.taste(Qt::Key_F9);
    w.ausfuellen("15.06.2016", "100", "Bonn");
    kmk::Form2Dialog echt;
    kmk::ScopedMeldungsdialog mitDemDialog(&echt);
    kmk::Form2::setWartezeit(0);
    QStringList verdeckt;
    QString frage;
    bool ganz = false;
    QObject test;   // an answer not yet given dies with the test
    QTimer::singleShot(20, &test, [&] {
        auto* d = qobject_cast<kmk::Form2*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        frage = d->MText()->text();
        const QRect ort = d->frameGeometry();
        ganz = d->screen()->availableGeometry().contains(ort);
        for (const char* n : {"EinDatumAb", "EinZeitAb", "AnzKmAb", "EinVon", "EinUber", "EinNach", "EinDatumAn",
                              "EinZeitAn", "EinkmAn", "EinGefKm", "EinGrund", "EinGesprach", "EinFahrer", "OptGesch"}) {
            QWidget* c = w.f->ctl(n);
            if (!c || !c->isVisible() || QRect(c->mapToGlobal(QPoint(0, 0)), c->size()).intersects(ort))
                verdeckt << n;
        }
        QTest::mouseClick(d->zuruck(), Qt::LeftButton);
    });
    w.maus("EintragSpeichern");
    kmk::Form2::setWartezeit(500);
    EXPECT_TRUE(frage.contains(QString::fromUtf8("angehängt!"))) << frage.toStdString();
    EXPECT_TRUE(ganz);
    EXPECT_EQ(verdeckt, QStringList());
    EXPECT_EQ(w.satzanzahl(), 1);
}

TEST(Tippen, ANewEntrySavedSurvivesARestartByteForByteAndAReturnTripFollows)
{
    Fenster w;
    w.fahrt("10.03.2016", "100", "Bonn");
    const QByteArray gespeichert = w.fahrten();
    ASSERT_EQ(gespeichert.size(), FahrtDatensatz::Laenge) << w.u.meldungen.size();
    FahrtDatensatz s = w.satz(1);
    EXPECT_EQ(s.DatumAb, vb::DateSerial(2016, 3, 10));
    EXPECT_EQ(s.KmAb, 345);
    EXPECT_EQ(s.KmAn, 445);
    EXPECT_EQ(s.GefahreneKm, 100);
    EXPECT_EQ(s.Fahrtart, 3);
    EXPECT_EQ(s.Von, QString::fromUtf8("Köln").leftJustified(50));
    EXPECT_EQ(s.Nach, QString("Bonn").leftJustified(50));
    EXPECT_EQ(s.Grund, QString("Kundenbesuch").leftJustified(50));
    EXPECT_EQ(s.Fahrer, QString("Anna").leftJustified(50));
    EXPECT_FALSE(fahrten1().NeuerEintragOffen);

    w.f->close();
    w.starten();
    w.zeigen();
    EXPECT_EQ(w.fahrten(), gespeichert);
    EXPECT_EQ(fahrten1().Satzanzahl, 1);
    EXPECT_EQ(w.text("EinNach"), "Bonn");
    EXPECT_EQ(w.text("EinkmAn"), "445");

    w.taste(Qt::Key_F12);
    EXPECT_EQ(vb::Trim(w.text("EinVon")), "Bonn");
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.fahrten().size(), 2 * FahrtDatensatz::Laenge);
    EXPECT_EQ(w.fahrten().left(FahrtDatensatz::Laenge), gespeichert);
    EXPECT_EQ(vb::Trim(w.satz(2).Nach), QString::fromUtf8("Köln"));
    EXPECT_EQ(w.satz(2).KmAb, 445);
}

// A return trip's texts end where their words end: a click at the end of
// one and typing add to it, and the record holds it padded as ever.
TEST(Tippen, AReturnTripsTextsTakeWhatIsTypedAtTheirEnd)
{
    Fenster w;
    w.fahrt("10.03.2016", "100", "Bonn");   // from Köln via A3, Kundenbesuch
    ASSERT_EQ(w.satzanzahl(), 1);
    w.taste(Qt::Key_F12);
    struct Fall { const char* feld; const char* getippt; QString danach; };
    const Fall faelle[] = {{"EinNach", "Augsburg", QString::fromUtf8("KölnAugsburg")},
                           {"EinUber", " B2", "A3 B2"},
                           {"EinGrund", "s", "Kundenbesuchs"}};
    for (const Fall& f : faelle) {
        QLineEdit* e = w.feld(f.feld);
        QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() - 4, e->height() / 2));
        w.tippen(f.feld, QString::fromLatin1(f.getippt));
        EXPECT_EQ(w.text(f.feld), f.danach) << f.feld;
    }
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.satzanzahl(), 2);
    const FahrtDatensatz r = w.satz(2);
    EXPECT_EQ(r.Nach, faelle[0].danach.leftJustified(50));
    EXPECT_EQ(r.Ueber, faelle[1].danach.leftJustified(255));
    EXPECT_EQ(r.Grund, faelle[2].danach.leftJustified(50));
}

// 31.11. names no day: the buffer still holds the dates shown before, and
// the order check measured by them would report 67 and overwrite the times.
TEST(Tippen, AnImpossibleDateWithWarningsOnGivesTheDateMessageAndKeepsTheTypedTimes)
{
    Fenster w;
    w.fahrt("10.03.2016", "100", "Bonn");
    ASSERT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    fahrten1().Voreinstellung.Journalfunktion = 0;
    forms::setValue(w.f->Check8, 0);   // with times
    w.f->Check8_Click();
    for (const bool warnungen : {true, false}) {
        fahrten1().Voreinstellung.Warnhinweise = warnungen ? -1 : 0;
        w.taste(Qt::Key_F9);
        w.ausfuellen("31.11.2016", "100", "Bonn");
        for (auto [feld, zeit] : {std::pair{"EinZeitAb", "09:00"}, std::pair{"EinZeitAn", "11:00"}}) {
            w.leeren(feld);
            w.tippen(feld, zeit);
        }
        w.u.meldungen.clear();
        w.maus("EintragSpeichern");
        EXPECT_EQ(w.u.meldungen, QList<int>{109}) << warnungen;
        EXPECT_EQ(w.text("EinZeitAb"), "09:00") << warnungen;
        EXPECT_EQ(w.text("EinZeitAn"), "11:00") << warnungen;
        EXPECT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    }
}

TEST(Tippen, SaveButtonShowsTheLastMissingFieldAndRightClickOverwritesAndCuts)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    // No trip type and no departure date: the date comes later in the scan.
    ASSERT_EQ(WidgetEingabeseite(w.f).fahrtart(), 0);
    w.tippen("EinUber", "A3");
    w.tippen("EinNach", "Bonn");
    w.leeren("EinDatumAb");
    w.u.meldungen.clear();
    w.maus("EintragSpeichern");
    EXPECT_EQ(w.u.meldungen, (QList<int>{105, 61}));   // the field's own leave check, then the scan
    w.f->ctl<QRadioButton>("OptGesch")->click();
    w.leeren("EinNach");
    w.u.meldungen.clear();
    w.maus("EintragSpeichern");
    EXPECT_EQ(w.u.meldungen, QList<int>{35});
    EXPECT_TRUE(w.fahrten().isEmpty());

    for (int t = 10; t <= 12; ++t)
        w.fahrt(QString("%1.03.2016").arg(t), "10", "Bonn");
    ASSERT_EQ(w.fahrten().size(), 3 * FahrtDatensatz::Laenge);
    w.maus("AutoDatZuruck");
    ASSERT_EQ(fahrten1().Satznummer, 2);
    w.leeren("EinGrund");
    w.tippen("EinGrund", "Messe");
    w.u.meldungen.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(w.u.meldungen, (QList<int>{6, 31}));
    ASSERT_EQ(w.fahrten().size(), 2 * FahrtDatensatz::Laenge);
    EXPECT_EQ(w.satz(2).Grund, QString("Messe").leftJustified(50));
    EXPECT_EQ(w.satz(2).Eintragsstatus, 0);

    // A cut that fails: the page is not moved on to the last trip.
    w.fahrt("13.03.2016", "10", "Bonn");
    w.maus("AutoDatZuruck");
    ASSERT_EQ(fahrten1().Satznummer, 2);
    const auto schneiden = w.felder()->dienste().Datensatzloschen;
    w.felder()->dienste().Datensatzloschen = [] { return false; };
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(fahrten1().Satznummer, 2);
    w.felder()->dienste().Datensatzloschen = schneiden;

    // A write-protected file: the write message ends it, question 31 never comes.
    w.leeren("EinGrund");
    w.tippen("EinGrund", "Kunde");
    const QByteArray geschuetzt = w.fahrten();
    ASSERT_TRUE(QFile::setPermissions(w.u.pfad("Auto1_16.dat"), QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                                     | QFileDevice::ReadOther));
    w.u.meldungen.clear();
    w.u.fakes.dialogs.shown.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(w.u.meldungen, QList<int>{6});
    EXPECT_EQ(w.u.klartexte(), QStringList{kmk::TextSchreibfehler(w.u.pfad("Auto1_16.dat"))});
    EXPECT_EQ(w.fahrten(), geschuetzt);
}

TEST(Tippen, ACorrectionGoesThroughTheJournal)
{
    Fenster w;
    for (int t = 10; t <= 12; ++t)
        w.fahrt(QString("%1.03.2016").arg(t), "20", "Bonn");
    ASSERT_EQ(w.fahrten().size(), 3 * FahrtDatensatz::Laenge);
    const QByteArray erster = w.fahrten().left(FahrtDatensatz::Laenge);
    w.maus("AutoDatZuruck");
    ASSERT_EQ(fahrten1().Satznummer, 2);
    w.leeren("EinNach");
    w.tippen("EinNach", "Siegburg");
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.fahrten().size(), 4 * FahrtDatensatz::Laenge);
    EXPECT_EQ(w.fahrten().left(FahrtDatensatz::Laenge), erster);
    EXPECT_EQ(w.satz(2).Eintragsstatus, 1);
    EXPECT_EQ(w.satz(2).Nach, QString("Bonn").leftJustified(50));
    EXPECT_EQ(w.satz(3).Eintragsstatus, 2);
    EXPECT_EQ(w.satz(3).Nach, QString("Siegburg").leftJustified(50));
    EXPECT_EQ(w.satz(4).DatumAb, vb::DateSerial(2016, 3, 12));
}

TEST(Tippen, SaveQuestionsEightDaysBackStillChecksFormatsAndNoToTheGapStopsSilently)
{
    Fenster w;
    forms::setValue(w.f->Check8, 0);   // times are entered
    fahrten1().Voreinstellung.Journalfunktion = -1;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.fahrt("01.06.2016", "10", "Bonn");   // 14 days back: question 100, yes
    ASSERT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    EXPECT_TRUE(w.u.meldungen.contains(100));

    // Yes to 100, then a time that is no time of day: 113, nothing saved.
    w.taste(Qt::Key_F9);
    w.ausfuellen("01.06.2016", "10", "Bonn");
    w.leeren("EinZeitAn");
    w.tippen("EinZeitAn", "24:30");
    w.u.meldungen.clear();
    w.maus("EintragSpeichern");
    EXPECT_EQ(w.u.meldungen, (QList<int>{100, 113}));
    EXPECT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);

    // Six days after the last trip: question 71; no ends it without question 6.
    w.leeren("EinZeitAn");
    w.tippen("EinZeitAn", "12:00");
    for (const char* d : {"EinDatumAb", "EinDatumAn"}) {
        w.leeren(d);
        w.tippen(d, "07.06.2016");
    }
    w.u.dialog.antworten = {false};
    w.u.meldungen.clear();
    w.maus("EintragSpeichern");
    EXPECT_EQ(w.u.meldungen, QList<int>{71});
    EXPECT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
}

TEST(Tippen, RightClickOnALockedTripShowsMessage14AndChangesNothing)
{
    Fenster w;
    for (int t = 10; t <= 11; ++t)
        w.fahrt(QString("%1.03.2016").arg(t), "20", "Bonn");
    const QByteArray vorher = w.fahrten();
    fahrten1().Satzgesperrt = true;
    w.u.meldungen.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(w.u.meldungen, QList<int>{14});
    EXPECT_EQ(w.fahrten(), vorher);
    fahrten1().Satzgesperrt = false;
    w.maus("EintragSpeichern", Qt::MiddleButton);
    EXPECT_EQ(w.fahrten(), vorher);
}

TEST(Tippen, PrivateCarShareTripMemoryFilterAndHelpButton)
{
    Fenster w(false);
    w.fahrt("10.03.2016", "3000", "Bonn");
    ASSERT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    fahrten1().Kfz.Anfangskm = 10000;
    w.leeren("Text3");
    w.tippen("Text3", "15a000");
    EXPECT_EQ(w.text("Text3"), "15000");
    w.maus("Command18");
    EXPECT_EQ(w.text("Text4"), " 3000");
    EXPECT_EQ(w.text("Text5"), "2000");
    EXPECT_EQ(w.text("Text6"), "60,00");
    EXPECT_EQ(w.text("Text7"), "40,00");
    EXPECT_EQ(fahrten1().KmBetrieblich, 3000);
    EXPECT_EQ(fahrten1().AnteilPrivat, 40.0);
    w.u.meldungen.clear();
    w.leeren("Text3");
    w.tippen("Text3", "10000");
    w.maus("Command18");
    EXPECT_EQ(w.u.meldungen, QList<int>{91});
    EXPECT_EQ(w.text("Text4"), " 3000");

    auto* alle = w.f->ctl<QListWidget>("List1");
    auto* wahl = w.f->ctl<QListWidget>("List8");
    alle->clear();
    alle->addItems({"Bonn Hbf", "bonner Str.", "Köln Bonn", "Aachen"});
    w.tippen("Text9", "BON");
    EXPECT_EQ(wahl->count(), 2);
    w.leeren("Text9");
    w.tippen("Text9", "*bon");
    EXPECT_EQ(wahl->count(), 3);
    w.leeren("Text9");
    w.tippen("Text9", "*");
    EXPECT_EQ(wahl->count(), 4);
    w.leeren("Text9");
    EXPECT_EQ(wahl->count(), 0);

    w.maus("Tabellezeigen_", Qt::RightButton);
    ASSERT_EQ(w.u.fakes.help.calls.size(), 1);
    EXPECT_EQ(w.u.fakes.help.calls[0].topic, "Inhaltsverzeichnis.htm");
    w.maus("CBenzin_0");
    w.f->ctl("FahrtListe")->show();
    w.maus("Tabellezeigen_");
    EXPECT_TRUE(w.f->ctl("FrBenzin")->isHidden());
    EXPECT_TRUE(w.f->ctl("FahrtListe")->isHidden());
    EXPECT_FALSE(w.f->ctl("TEinHilfe")->isHidden());
    EXPECT_FALSE(w.f->FrBenzinOffen);
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

TEST(Tippen, RightClickOfAPrivateCarOverwritesOnlyAShownStoredTrip)
{
    Fenster w(false);
    w.fahrt("10.03.2016", "100", "Bonn");
    ASSERT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    w.leeren("EinGefKm");
    w.tippen("EinGefKm", "120");
    w.u.meldungen.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(w.u.meldungen, QList<int>{6});
    ASSERT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    EXPECT_EQ(w.satz(1).GefahreneKm, 120);

    // A write-protected file: the message, and the typed km stay on the page.
    ASSERT_TRUE(QFile::setPermissions(w.u.pfad("Auto1_16.dat"), QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                                     | QFileDevice::ReadOther));
    w.leeren("EinGefKm");
    w.tippen("EinGefKm", "130");
    w.u.fakes.dialogs.shown.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(w.u.klartexte(), QStringList{kmk::TextSchreibfehler(w.u.pfad("Auto1_16.dat"))});
    EXPECT_EQ(w.satz(1).GefahreneKm, 120);
    EXPECT_EQ(w.text("EinGefKm"), "130");
    ASSERT_TRUE(QFile::setPermissions(w.u.pfad("Auto1_16.dat"), QFileDevice::ReadOwner | QFileDevice::WriteOwner));

    w.taste(Qt::Key_F9);
    w.u.meldungen.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_TRUE(w.u.meldungen.isEmpty());
    EXPECT_EQ(w.satz(1).GefahreneKm, 120);
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

TEST(Tippen, RightClickStopsAtNoToTheGapQuestion)
{
    Fenster w;
    fahrten1().Voreinstellung.Journalfunktion = 0;
    w.fahrt("01.03.2016", "20", "Bonn");
    w.fahrt("02.03.2016", "20", "Bonn");
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.fahrt("20.03.2016", "20", "Bonn");   // yes to the gap question
    ASSERT_EQ(w.fahrten().size(), 3 * FahrtDatensatz::Laenge);
    const QByteArray vorher = w.fahrten();
    w.u.dialog.antworten = {false};
    w.u.meldungen.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(w.u.meldungen, QList<int>{71});
    EXPECT_EQ(w.fahrten(), vorher);
}

TEST(Tippen, AClickOnADayOfTheCalendarFillsBothDates)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    auto* h = w.f->ctl<com::ControlHost>("QKC");
    QWidget* c = h->controlWidget();
    w.leeren("EinDatumAb");
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(c->width() / 2, c->height() * 3 / 4));
    const qint32 tag = h->property("Date").toInt();
    EXPECT_EQ(w.text("EinDatumAb"), vb::DateText(tag));
    EXPECT_EQ(w.text("EinDatumAn"), vb::DateText(tag));
    EXPECT_EQ(w.puffer().DatumAn, tag);
    EXPECT_NE(w.text("EinDatumAb"), "");
}

TEST(Tippen, TypedKeysEnterCapitalsCutsAndOdometer)
{
    Fenster w;
    w.mitZeiten();
    w.taste(Qt::Key_F9);
    w.maus("CBenzin_0");
    for (const char* n : {"EinDatumAb", "EinDatumAn", "EinZeitAb", "EinZeitAn", "EinkmAn", "EinVon", "TWbez"})
        EXPECT_TRUE(w.enterGehtWeiter(n)) << n;
    w.neu("EinZeitAb", "8.3a0");
    EXPECT_EQ(w.text("EinZeitAb"), "830");
    w.neu("EinZeitAn", "8.3a0");
    EXPECT_EQ(w.text("EinZeitAn"), "8.30");
    w.neu("EinDatumAn", "1x.2(&");
    EXPECT_EQ(w.text("EinDatumAn"), "1.2(&");   // the codes of the arrow keys pass as characters
    // Leaving shows the first thing wrong with the text.
    struct Verlassen { const char* feld; const char* text; QList<int> meldungen; };
    for (const Verlassen& v : {Verlassen{"EinDatumAb", "31.02.", {105}}, Verlassen{"EinZeitAb", "1200", {111}},
                               Verlassen{"EinZeitAn", "12:60", {114}}, Verlassen{"EinZeitAn", "07:45", {}}}) {
        w.neu(v.feld, v.text);
        w.u.meldungen.clear();
        w.verlassen(v.feld, "EinNach");
        EXPECT_EQ(w.u.meldungen, v.meldungen) << v.feld << " " << v.text;
        EXPECT_EQ(w.text(v.feld), v.text);
    }

    struct Text { const char* feld; QString getippt, gezeigt; };
    for (const Text& t : {Text{"EinVon", QString::fromUtf8("ßtadt"), QString::fromUtf8("ßtadt")},
                          Text{"EinUber", QString::fromUtf8("über a1"), QString::fromUtf8("Über a1")},
                          Text{"EinGrund", QString::fromUtf8("ölwechsel"), QString::fromUtf8("Ölwechsel")},
                          Text{"EinFahrer", "anna", "Anna"}, Text{"TWbez", "filter", "Filter"}})
    {
        w.neu(t.feld, t.getippt);
        EXPECT_EQ(w.text(t.feld), t.gezeigt) << t.feld;
    }
    EXPECT_EQ(fahrten1().Satzpuffer[0].Fahrer.trimmed(), "Anna");
    // A driver chosen from the list is stored as well as a typed one.
    w.f->ctl<forms::ComboBox>("EinFahrer")->addItem("Berta");
    w.feld("EinFahrer")->setFocus();
    QTest::keyClick(w.f->ctl<forms::ComboBox>("EinFahrer"), Qt::Key_Down);
    EXPECT_EQ(w.text("EinFahrer"), "Berta");
    EXPECT_EQ(fahrten1().Satzpuffer[0].Fahrer.trimmed(), "Berta");
    const QString sechzig = "N" + QString("n").repeated(59);
    for (const char* n : {"EinNach", "EinGrund", "EinGesprach", "TWbez"})
        w.setzen(n, sechzig);
    for (const char* n : {"EinNach", "EinGrund", "EinGesprach", "TWbez"})
        EXPECT_EQ(w.text(n), sechzig.left(50)) << n;
    const FahrtDatensatz& p = fahrten1().Satzpuffer[0];
    EXPECT_EQ(p.Nach, sechzig.left(50));
    EXPECT_EQ(p.Gespraechspartner, sechzig.left(50));
    EXPECT_EQ(p.Wartungstext, sechzig.left(50));

    // Driven km with a point: read up to the number's end and rounded half
    // to even; a changed arrival writes the driven km back.
    struct Km { const char* getippt; const char* gefahren; const char* ankunft; };
    for (const Km& k : {Km{"100.5", "100.5", "445"}, Km{"101.5", "102", "447"}, Km{"100.6", "101", "446"}}) {
        w.neu("EinGefKm", k.getippt);
        EXPECT_EQ(w.text("EinGefKm"), k.gefahren) << k.getippt;
        EXPECT_EQ(w.text("EinkmAn"), k.ankunft) << k.getippt;
    }
    w.neu("EinkmAn", "500");
    EXPECT_EQ(w.text("EinGefKm"), "155");
    w.spin("QKSpin6", true);
    EXPECT_EQ(w.text("EinkmAn"), "501");
    EXPECT_EQ(w.text("EinGefKm"), "156");
    w.spin("QKSpin7", true);
    EXPECT_EQ(w.text("EinkmAn"), "502");
    EXPECT_EQ(w.text("EinGefKm"), "157");
    EXPECT_EQ(p.KmAn, 502);
    EXPECT_EQ(p.GefahreneKm, 157);
}

TEST(Tippen, TimeSpinsWrapAtMidnight)
{
    Fenster w;
    w.mitZeiten();
    w.taste(Qt::Key_F9);
    struct Schritt { const char* spin; const char* feld; const char* vorher; bool hoch; const char* nachher; };
    for (const Schritt& s : {Schritt{"QKSpin1", "EinZeitAb", "00:01", false, "23:59"},
                             Schritt{"QKSpin1", "EinZeitAb", "23:58", true, "00:01"},
                             Schritt{"QKSpin1", "EinZeitAb", "", false, "07:59"},
                             Schritt{"QKSpin2", "EinZeitAb", "", false, "07:00"},
                             Schritt{"QKSpin2", "EinZeitAb", "8:5", true, "09:05"},
                             Schritt{"QKSpin3", "EinZeitAn", "", true, "01:00"},
                             Schritt{"QKSpin3", "EinZeitAn", "00:15", false, "23:15"},
                             Schritt{"QKSpin4", "EinZeitAn", "00:00", false, "23:59"},
                             Schritt{"QKSpin4", "EinZeitAn", "12:59", true, "13:00"},
                             Schritt{"QKSpin4", "EinZeitAn", "", true, "00:01"}}) {
        w.setzen(s.feld, s.vorher);
        w.spin(s.spin, s.hoch);
        EXPECT_EQ(w.text(s.feld), s.nachher) << s.spin << " " << s.vorher;
    }
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

TEST(Tippen, CalendarFillsBothDatesWithWholeDayJournalNotices)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    fahrten1().Voreinstellung.Journalfunktion = -1;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    // Whole days: eight days back is no notice yet, nine are.
    struct Klick { qint32 tag; QList<int> meldungen; };
    for (const Klick& k : {Klick{tag(15, 6), {}}, Klick{tag(7, 6), {}}, Klick{tag(6, 6), {101}}, Klick{tag(16, 6), {98}}}) {
        w.u.meldungen.clear();
        w.kalender(k.tag);
        EXPECT_EQ(w.u.meldungen, k.meldungen) << k.tag;
        EXPECT_EQ(w.text("EinDatumAb"), QDate(1899, 12, 30).addDays(k.tag).toString("dd.MM.yyyy")) << k.tag;
        EXPECT_EQ(w.text("EinDatumAn"), w.text("EinDatumAb"));
        EXPECT_EQ(fahrten1().Satzpuffer[0].DatumAb, k.tag);
    }
    EXPECT_EQ(w.text("LEinDatum"), "Eintragungsdatum 15.06.2016");
}

TEST(Tippen, CalendarPresetsTimesOnlyAwayFromTheLastArrivalDay)
{
    Fenster w;
    w.mitZeiten();
    fahrten1().Voreinstellung.Journalfunktion = 0;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.taste(Qt::Key_F9);
    w.fuellen("15.06.2016", "08:00", "12:00");
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.satzanzahl(), 1);
    fahrten1().Voreinstellung.ZeitenVorgeben = -1;
    w.taste(Qt::Key_F9);   // the shown new entry follows the last arrival by 2 and 5 minutes
    EXPECT_EQ(w.text("EinZeitAb"), "12:02");
    EXPECT_EQ(w.text("EinZeitAn"), "12:05");
    struct Klick { qint32 tag; const char* datum; const char* ab; const char* an; QList<int> meldungen; };
    for (const Klick& k : {Klick{tag(15, 6), "15.06.2016", "12:02", "12:05", {}},
                           Klick{tag(14, 6), "15.06.2016", "08:00", "12:00", {21}},   // put back, times preset
                           Klick{tag(17, 6), "17.06.2016", "08:00", "12:00", {}}}) {
        w.u.meldungen.clear();
        w.kalender(k.tag);
        EXPECT_EQ(w.text("EinDatumAb"), k.datum) << k.tag;
        EXPECT_EQ(w.text("EinDatumAn"), k.datum) << k.tag;
        EXPECT_EQ(w.text("EinZeitAb"), k.ab) << k.tag;
        EXPECT_EQ(w.text("EinZeitAn"), k.an) << k.tag;
        EXPECT_EQ(w.u.meldungen, k.meldungen) << k.tag;
        EXPECT_EQ(fahrten1().Satzpuffer[0].DatumAb, k.tag);
    }
}

TEST(Tippen, PrivateCarCostsPerTripAndTheSumOfTheShare)
{
    Fenster w(false);
    fahrten1().Voreinstellung.Journalfunktion = 0;
    for (const char* datum : {"15.06.2016", "16.06.2016"}) {
        w.taste(Qt::Key_F9);
        w.fuellen(datum, "08:00", "12:00");
        w.neu("EinGefKm", "5");
        w.neu("PersAnz", "1");
        EXPECT_EQ(w.text("aktuFahrko"), "1,60");
        w.maus("EintragSpeichern");
    }
    ASSERT_EQ(w.satzanzahl(), 2);
    // The sum keeps its cents: 1,60 + 1,60, not rounded trip by trip.
    w.neu("Text3", "1345");
    w.maus("Command18");
    EXPECT_EQ(w.text("Text4"), " 10");
    EXPECT_EQ(w.text("Text5"), "990");
    EXPECT_EQ(w.text("Text6"), "1,00");
    EXPECT_EQ(w.text("Text7"), "99,00");
    EXPECT_EQ(w.text("Text8"), "3,20");
    EXPECT_EQ(fahrten1().KmPrivat, 990);
    EXPECT_DOUBLE_EQ(fahrten1().Fahrtkostensumme, 3.2);
    EXPECT_DOUBLE_EQ(fahrten1().AnteilPrivat, 99.0);
}

TEST(Tippen, PrivateCarShareWithoutTripsAsksForEntriesFirst)
{
    Fenster w(false);
    w.neu("Text3", "5000");
    const QString vorher = w.text("Text4");
    w.u.meldungen.clear();
    w.maus("Command18");
    EXPECT_EQ(w.u.meldungen, QList<int>{92});
    EXPECT_EQ(w.text("Text4"), vorher);
}
