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
