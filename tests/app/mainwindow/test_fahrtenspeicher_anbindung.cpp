// The trip memory on the main window: lists at start-up, its keys, its
// buttons and its two windows.
#include "test_startup_umgebung.h"

#include "app/mainwindow/anbindung_fahrtenspeicher.h"
#include "app/mainwindow/sstab.h"
#include "app/tripmemory/fahrtenspeicher.h"
#include "app/tripmemory/fkunden.h"
#include "app/tripmemory/fsuchen.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using kmktest::Umgebung;

TEST(FahrtenspeicherAnbindung, StartUpFillsTheListsAndTheWindowsAreTheRealOnes)
{
    Umgebung u;
    {
        kmk::Fahrtenspeichersatz s;
        s.Fahrtart = 3;
        s.GefahreneKm = 12;
        s.Von = "Köln";
        s.Nach = "Hof";
        s.Grund = "Besuch";
        s.Gespraechspartner = "Amt";
        ASSERT_TRUE(u.schreibe("Kund2016.dat", s.zuBytes()));
    }
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    EXPECT_EQ(f.ctl<QListWidget>("List8")->count(), 1);
    EXPECT_EQ(f.ctl<QListWidget>("List2")->count(), 2);
    EXPECT_EQ(f.ctl<forms::ComboBox>("EinNach")->count(), 2);   // typed text and "Hof"
    ASSERT_NE(kmk::fahrtenspeicherVon(&f), nullptr);

    f.ctl<QPushButton>("KundenBearbeiten")->click();
    auto* editor = qobject_cast<kmk::FKunden*>(f.FKunden);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->CTNach->text(), "Hof");
    editor->CSchliessen_Click();

    f.CDateiSuchen->click();
    ASSERT_NE(qobject_cast<kmk::FSuchen*>(f.FSuchen), nullptr);
    EXPECT_TRUE(f.FSuchen->isVisible());
    f.FSuchen->hide();

    // F3 after a line was chosen asks and removes nothing from a one-record file.
    forms::setListIndex(f.ctl<QListWidget>("List8"), 0);
    QTest::keyClick(f.ctl<QListWidget>("List8"), Qt::Key_F3);
    ASSERT_FALSE(u.meldungen.isEmpty());
    EXPECT_EQ(u.meldungen.last(), 30);
    EXPECT_EQ(u.lies("Kund2016.dat").size(), 460);
}

TEST(FahrtenspeicherAnbindung, F10FillsANewEntryAndItsEditBuffer)
{
    Umgebung u;
    kmk::KfzGrundeinstellung k;
    k.Kennzeichen = "B-AB 1";
    k.Anfangskm = 12000;
    k.Firmenfahrzeug = -1;
    ASSERT_TRUE(u.schreibe("Auto2016.dat", k.zuBytes()));
    kmk::Fahrtenspeichersatz s;
    s.Fahrtart = 4;
    s.GefahreneKm = 250;
    s.Von = "München";
    s.Nach = "Hof";
    s.Grund = "Messe";
    s.Gespraechspartner = "Amt";
    ASSERT_TRUE(u.schreibe("Kund2016.dat", s.zuBytes()));
    ASSERT_TRUE(u.starte());
    kmk::Form1& w = *u.form;

    auto* list8 = w.ctl<QListWidget>("List8");
    QTest::keyClick(list8, Qt::Key_F9);
    ASSERT_TRUE(kmk::fahrten1().NeuerEintragOffen);
    forms::setListIndex(list8, 0);
    QTest::keyClick(list8, Qt::Key_F10);
    EXPECT_EQ(w.ctl<QLineEdit>("EinkmAn")->text(), "12250");
    EXPECT_EQ(w.ctl<QLineEdit>("EinGefKm")->text().trimmed(), "250");
    EXPECT_TRUE(w.ctl<QRadioButton>("OptEhr")->isChecked());
    const kmk::FahrtDatensatz& puffer = kmk::fahrten1().Satzpuffer[0];
    EXPECT_EQ(puffer.Von.trimmed(), "München");
    EXPECT_EQ(puffer.Gespraechspartner.trimmed(), "Amt");
    EXPECT_EQ(puffer.GefahreneKm, 250);

    // The letter filter lists by text; a line chosen there names its record.
    forms::setText(w.ctl<QLineEdit>("Text9"), "*hof");
    ASSERT_EQ(list8->count(), 1);
    forms::setListIndex(list8, 0);
    EXPECT_EQ(kmk::fahrtenspeicherVon(&w)->gewaehlterSatz(), 1);
    forms::setText(w.ctl<QLineEdit>("Text9"), "x");
    EXPECT_EQ(list8->count(), 0);

    // A text chosen from a drop-down reaches the edit buffer too.
    auto* grund = w.ctl<forms::ComboBox>("EinGrund");
    grund->setText("Me");
    w.services.AListe();
    ASSERT_EQ(grund->count(), 2);
    EXPECT_EQ(grund->text(), "Me");
    grund->setListIndex(1);
    EXPECT_EQ(grund->text(), "Messe");
    EXPECT_EQ(puffer.Grund.trimmed(), "Messe");
}

TEST(FahrtenspeicherAnbindung, EnterInThePickListFillsOnlyANewEntryAndMovesOn)
{
    for (const bool neu : {false, true}) {
        Umgebung u;
        kmk::KfzGrundeinstellung k;
        k.Kennzeichen = "B-ZP 1";
        k.Anfangskm = 1000;
        k.Firmenfahrzeug = -1;
        ASSERT_TRUE(u.schreibe("Auto2016.dat", k.zuBytes()));
        kmk::Fahrtenspeichersatz s;
        s.Fahrtart = 4;
        s.GefahreneKm = 77;
        s.Von = "Bonn";
        s.Nach = "Köln";
        s.Grund = "Termin";
        ASSERT_TRUE(u.schreibe("Kund2016.dat", s.zuBytes()));
        ASSERT_TRUE(u.starte());
        u.form->show();
        u.form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(u.form.get()));
        u.form->SSTab1->setCurrentIndex(2);
        auto* list8 = u.form->ctl<QListWidget>("List8");
        ASSERT_TRUE(list8 && list8->count() == 1);
        if (neu)
            QTest::keyClick(list8, Qt::Key_F9);
        ASSERT_EQ(kmk::fahrten1().NeuerEintragOffen, neu);
        const QString vorher = u.form->ctl<QLineEdit>("EinGefKm")->text();
        forms::setListIndex(list8, 0);
        list8->setFocus();
        u.meldungen.clear();
        QTest::keyClick(list8, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !list8->hasFocus(); }, 1000)) << neu;
        EXPECT_TRUE(u.meldungen.isEmpty()) << neu;
        const QString gefahren = u.form->ctl<QLineEdit>("EinGefKm")->text().trimmed();
        EXPECT_EQ(gefahren, neu ? QString("77") : vorher.trimmed()) << neu;
    }
}

// With only date and km for private trips, a business record taken over
// from a private trip shows its route and times again, by key as by Enter.
TEST(FahrtenspeicherAnbindung, HandOverIntoAPrivateTripShowsTheFieldsOfItsType)
{
    for (const Qt::Key taste : {Qt::Key_F10, Qt::Key_Return}) {
        SCOPED_TRACE(taste);
        Umgebung u;
        kmk::KfzGrundeinstellung k;
        k.Kennzeichen = "B-AB 1";
        k.Firmenfahrzeug = -1;
        k.PrivatNurKm = -1;
        ASSERT_TRUE(u.schreibe("Auto2016.dat", k.zuBytes()));
        kmk::Fahrtenspeichersatz s;
        s.Fahrtart = 3;
        s.GefahreneKm = 40;
        s.Von = "Köln";
        s.Nach = "Hof";
        s.Grund = "Messe";
        ASSERT_TRUE(u.schreibe("Kund2016.dat", s.zuBytes()));
        ASSERT_TRUE(u.starte());
        kmk::Form1& w = *u.form;
        w.show();
        forms::setValue(w.Check8, 0);   // with times
        auto* list8 = w.ctl<QListWidget>("List8");
        QTest::keyClick(list8, Qt::Key_F9);
        QTest::mouseClick(w.ctl<QRadioButton>("OptPri"), Qt::LeftButton, {}, QPoint(6, 9));
        ASSERT_TRUE(w.ctl<QWidget>("EinVon")->isHidden() && w.ctl<QWidget>("EinZeitAb")->isHidden());

        forms::setListIndex(list8, 0);
        QTest::keyClick(list8, taste);
        EXPECT_TRUE(w.ctl<QRadioButton>("OptGesch")->isChecked());
        for (const char* n : {"EinVon", "EinNach", "EinGrund", "EinZeitAb", "EinZeitAn"})
            EXPECT_FALSE(w.ctl<QWidget>(n)->isHidden()) << n;
        EXPECT_EQ(w.ctl<forms::ComboBox>("EinVon")->text(), "Köln");
    }
}
