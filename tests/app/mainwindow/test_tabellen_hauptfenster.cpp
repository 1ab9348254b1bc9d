// The tables on the main window: the filter lists after start-up, the
// printout page's buttons and its coming to the front.
#include "test_startup_umgebung.h"

#include "app/mainwindow/sstab.h"
#include "app/records/fahrtdatensatz.h"
#include "app/tripmemory/kundendatei.h"
#include "platform/forms/events.h"
#include "platform/sheet/druck.h"
#include "platform/sheet/steuerelement.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using kmktest::Umgebung;

namespace {

// Vehicle 1, a company car, with three trips of January 2016.
void fahrzeugMitFahrten(Umgebung& u, int fahrten)
{
    kmk::Form1& f = *u.form;
    forms::setText(f.KfzEingabe[0], "MS-K 1");
    forms::setText(f.KmEingabe[0], "10000");
    forms::setText(f.StandortEingabe[0], "Münster");
    forms::setText(f.HalterEingabe[0], "Kilometrika GmbH");
    f.Command1_Click(0);
    QFile datei(u.pfad("Auto1_16.dat"));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    for (int i = 0; i < fahrten; ++i) {
        kmk::FahrtDatensatz s;
        s.DatumAb = s.DatumAn = 42373 + i;  // from 04.01.2016
        s.KmAb = 10000 + 10 * i;
        s.GefahreneKm = 10;
        s.KmAn = s.KmAb + 10;
        s.Fahrtart = 3;
        s.MitPauschale = -1;
        s.Gespraechspartner = QString("Kunde %1").arg(i + 1);
        datei.write(s.zuBytes());
    }
    datei.close();
    f.Form_QueryUnload();
}

// Remembers the orientation each preview was opened with.
struct Vorschau : sheet::Druckdienste {
    QList<bool> quer;
    void vorschau(const sheet::Blatt& b, QPrinter&, QWidget*) override { quer << b.seite.quer; }
    void einrichtung(QPrinter&, QWidget*) override {}
};

sheet::Steuerelement* blatt(const Umgebung& u)
{
    return u.form->findChild<sheet::Steuerelement*>("F1Book1");
}

} // namespace

TEST(TabellenHauptfenster, FiltersStartOffAndThePrintoutPageBuildsTheVehicleTable)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    fahrzeugMitFahrten(u, 3);
    ASSERT_TRUE(u.starte());

    EXPECT_EQ(u.form->ctl<QLabel>("Label49")->text(), QString(" Alle Datensätze anzeigen"));
    EXPECT_EQ(u.form->ctl<QLabel>("Label72")->text(), QString(" Alle Fahrten"));
    EXPECT_EQ(u.form->ctl<QListWidget>("List3")->count(), 6);

    ASSERT_NE(blatt(u), nullptr);
    u.form->SSTab1->setTab(4);
    const sheet::Blatt& b = blatt(u)->blatt();
    EXPECT_EQ(b.name, "Kilometrika 2016");
    EXPECT_EQ(b.anzeigetext(5, 1).trimmed(), "Kunde 1");
    EXPECT_EQ(b.anzeigetext(7, 1).trimmed(), "Kunde 3");

    // The trip-type filter of the evaluation page, then the table button.
    u.form->ctl<QListWidget>("List3")->setCurrentRow(2);
    u.form->ctl<QPushButton>("Command6")->click();
    EXPECT_EQ(blatt(u)->blatt().letzteZeile(), 4);

    // The blank form stays portrait in the preview; the logbook turns.
    Vorschau vorschau;
    sheet::ScopedDruckdienste dienste(&vorschau);
    u.form->ctl<QPushButton>("Command3")->click();
    EXPECT_EQ(blatt(u)->blatt().name, "Kilometrika");
    EXPECT_EQ(blatt(u)->blatt().anzeigetext(1, 1), "Fahrt Nr. ");
    u.form->ctl<QPushButton>("SSCDruckvor")->click();
    u.form->ctl<QPushButton>("Command6")->click();
    u.form->ctl<QPushButton>("SSCDruckvor")->click();
    EXPECT_EQ(vorschau.quer, (QList<bool>{false, true}));
}

TEST(TabellenHauptfenster, FullTableWithoutATripShowsMessage88Once)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    fahrzeugMitFahrten(u, 0);
    ASSERT_TRUE(u.starte());
    kmk::fahrten1().Voreinstellung.ErweiterterAusdruck = -1;
    u.meldungen.clear();
    u.form->SSTab1->setTab(4);
    EXPECT_EQ(u.meldungen, QList<int>{88});
}


TEST(TabellenHauptfenster, ContactChosenFromTheTripMemoryFiltersTheLogbook)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    fahrzeugMitFahrten(u, 3);
    kmk::Kundendatei speicher(u.pfad("Kund2016.dat"));
    for (const char* kontakt : {"Kunde 3", "Kunde 2"}) {
        kmk::Fahrtenspeichersatz s;
        s.Fahrtart = 3;
        s.Gespraechspartner = kontakt;
        s.Nach = "Köln";
        ASSERT_TRUE(speicher.anhaengen(s));
    }
    ASSERT_TRUE(u.starte());
    auto* list2 = u.form->ctl<QListWidget>("List2");
    ASSERT_EQ(list2->count(), 3);
    list2->setCurrentRow(2);
    EXPECT_EQ(kmk::fahrten1().Kundenfilter, QString("Kunde 2").leftJustified(50));
    u.form->ctl<QPushButton>("Command6")->click();
    EXPECT_EQ(blatt(u)->blatt().letzteZeile(), 5);
    EXPECT_EQ(blatt(u)->blatt().anzeigetext(5, 1).trimmed(), "Kunde 2");
}
