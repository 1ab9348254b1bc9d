// The trip memory on the main window: lists at start-up, its keys, its
// buttons and its two windows.
#include "test_startup_umgebung.h"

#include "app/mainwindow/anbindung_fahrtenspeicher.h"
#include "app/tripmemory/fahrtenspeicher.h"
#include "app/tripmemory/fkunden.h"
#include "app/tripmemory/fsuchen.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"

#include <QListWidget>
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
        QFile f(u.pfad("Kund2016.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(s.zuBytes());
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
