// Help lines on the real main window: what the user sees in the help boxes
// when moving the mouse and tabbing through the pages.
#include "test_startup_umgebung.h"
#include "tests/support/zeiger.h"

#include "app/mainwindow/hilfezeilen.h"
#include "app/mainwindow/sstab.h"

#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using kmktest::Umgebung;

namespace {

struct Hauptfenster : ::testing::Test {
    Umgebung u;
    kmk::Form1* f = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(u.schreibeHilfstexte());
        ASSERT_TRUE(u.starte());
        f = u.form.get();
        f->show();
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f));
        ASSERT_TRUE(kmktest::zeigerBeiseite(f));
    }

    // The entry grid as it shows once a vehicle is set up.
    void zeigeEintragsfelder()
    {
        f->ctl("Frame1")->show();
        f->ctl("Text1")->hide();
    }
    QString box(const char* name) { return f->ctl<QPlainTextEdit>(name)->toPlainText(); }
    void ueber(const QString& name)
    {
        QWidget* w = f->ctl(name);
        if (!w)
            w = f->ctl(name + "_0");
        ASSERT_NE(w, nullptr) << qPrintable(name);
        ASSERT_TRUE(kmktest::zeigerAuf(w, QPoint(qMin(4, w->width() / 2), qMin(4, w->height() / 2)))) << qPrintable(name);
    }
};

TEST_F(Hauptfenster, EveryRowOfTheTableFindsItsControlAndBox)
{
    // one help box per page, in the order of the pages
    const char* boxen[] = {"TTitelHilfe", "TGrHilfe", "TEinHilfe", "TAusHilfe", "TDruckHilfe"};
    for (int seite = 0; seite < 5; ++seite) {
        QWidget* b = f->ctl(boxen[seite]);
        ASSERT_NE(b, nullptr) << boxen[seite];
        EXPECT_TRUE(f->SSTab1->widget(seite)->isAncestorOf(b)) << boxen[seite];
    }

    kmk::Hilfezeilen hz(kmk::hilfstexte());
    EXPECT_GE(hz.attachTable(f), 124);
    EXPECT_TRUE(hz.missing().isEmpty()) << qPrintable(hz.missing().join(", "));
}

TEST_F(Hauptfenster, MouseOverControlsWritesTheirPagesBox)
{
    f->SSTab1->setTab(2);
    zeigeEintragsfelder();
    ueber("Label1");
    EXPECT_EQ(box("TEinHilfe"), "Hilfe 44");
    ueber("OptFam");
    EXPECT_EQ(box("TEinHilfe"), "Hilfe 40");
    ueber("AutoOpt");
    EXPECT_EQ(box("TEinHilfe"), "Hilfe 34");

    f->SSTab1->setTab(1);
    ueber("Check3");
    EXPECT_EQ(box("TGrHilfe"), "Hilfe 14");
    EXPECT_TRUE(f->ctl("TGrHilfe")->hasFocus());
    ueber("KmEingabe");
    EXPECT_EQ(box("TGrHilfe"), "Hilfe 22");

    f->SSTab1->setTab(4);
    ueber("Command6");
    EXPECT_EQ(box("TDruckHilfe"), "Hilfe 89");
    ueber("List5");
    EXPECT_EQ(box("TDruckHilfe"), "Hilfe 99");
}

TEST_F(Hauptfenster, ControlsInsideAVehicleFrameKeepTheirOwnText)
{
    f->SSTab1->setTab(1);
    QWidget* rahmen = f->ctl("GrundAuto_1");
    ASSERT_NE(rahmen, nullptr);
    ASSERT_TRUE(kmktest::zeigerAuf(rahmen, QPoint(rahmen->width() - 3, rahmen->height() - 3)));
    EXPECT_EQ(box("TGrHilfe"), "Hilfe 19");   // the frame itself
    // option and button ignore the movement; the frame must not take it over
    ASSERT_TRUE(kmktest::zeigerAuf(f->ctl("FirmenPkw_1"), QPoint(30, 5)));
    EXPECT_EQ(box("TGrHilfe"), "Hilfe 30");
    ASSERT_TRUE(kmktest::zeigerAuf(f->ctl("PrivatPkw_1"), QPoint(30, 5)));
    EXPECT_EQ(box("TGrHilfe"), "Hilfe 31");
    ASSERT_TRUE(kmktest::zeigerAuf(f->ctl("Command1_1"), QPoint(30, 5)));
    EXPECT_EQ(box("TGrHilfe"), "Hilfe 32");
    ASSERT_TRUE(kmktest::zeigerAuf(f->ctl("KfzEingabe_1"), QPoint(5, 5)));
    EXPECT_EQ(box("TGrHilfe"), "Hilfe 21");
}

TEST_F(Hauptfenster, TabStripAndPrintoutPlateLabelWriteOtherPagesBoxes)
{
    f->SSTab1->setTab(4);
    const QString druck = box("TDruckHilfe");
    QTabBar* bar = f->SSTab1->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(kmktest::zeigerAuf(bar, bar->tabRect(1).center()));
    EXPECT_EQ(box("TEinHilfe"), "Hilfe 7");
    EXPECT_EQ(box("TDruckHilfe"), druck);

    // the plate label stands on the printout page but explains itself in the
    // box of the evaluation page
    ueber("Label73");
    EXPECT_EQ(box("TAusHilfe"), "Hilfe 87");
    EXPECT_EQ(box("TDruckHilfe"), druck);
}

TEST_F(Hauptfenster, TabbingIntoADateFieldSuspendsTheOrderCheck)
{
    f->SSTab1->setTab(2);
    zeigeEintragsfelder();
    QWidget* datum = f->ctl("EinDatumAn");
    ASSERT_NE(datum, nullptr);
    kmk::fahrten1().FolgepruefungAus = false;
    datum->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box("TEinHilfe"), "Hilfe 50");
    EXPECT_TRUE(kmk::fahrten1().FolgepruefungAus);

    kmk::fahrten1().FolgepruefungAus = false;
    f->ctl("EinNach")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box("TEinHilfe"), "Hilfe 49");
    EXPECT_FALSE(kmk::fahrten1().FolgepruefungAus);
}

} // namespace
