// The entry page of a private car typed like a person: passengers, cost
// per trip and the share of the trips.

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

#include "platform/vb/fields.h"

using namespace kmk;
using kmktest::Fenster;

namespace {

// Two business trips of 5 km on 15. and 16.06., with the persons given.
void zweiFahrten(Fenster& w, const char* personen)
{
    for (const char* datum : {"15.06.2016", "16.06.2016"}) {
        w.taste(Qt::Key_F9);
        w.fuellen(datum, "08:00", "12:00");
        w.neu("EinGefKm", "5");
        if (personen)
            w.neu("PersAnz", personen);
        w.maus("EintragSpeichern");
    }
}

} // namespace

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

    // Once a company car: the first trip cancelled and replaced by a
    // correction of 3 km. The cancelled one counts neither km nor costs.
    QByteArray datei = w.fahrten();
    datei[528] = char(1);
    QByteArray korrektur = datei.mid(0, FahrtDatensatz::Laenge);
    FahrtDatensatz k = FahrtDatensatz::ausBytes(korrektur);
    k.Eintragsstatus = 2;
    k.GefahreneKm = 3;
    k.Fahrtkosten = 0.96;
    datei.insert(FahrtDatensatz::Laenge, k.zuBytes());
    ASSERT_TRUE(w.u.schreibe("Auto1_16.dat", datei));
    w.maus("Command18");
    EXPECT_EQ(w.text("Text4"), " 8");
    EXPECT_EQ(w.text("Text8"), "2,56");
}

// Stored costs whose sum is beyond a double: the mark, the file named once,
// the file as it was.
TEST(Tippen, PrivateCarShareOfDamagedCostsShowsTheMark)
{
    Fenster w(false);
    fahrten1().Voreinstellung.Journalfunktion = 0;
    zweiFahrten(w, nullptr);
    ASSERT_EQ(w.satzanzahl(), 2);
    QByteArray b = w.fahrten();
    for (int n = 0; n < 2; ++n)
        vb::setDouble(b, n * FahrtDatensatz::Laenge + 518, 1e308);
    ASSERT_TRUE(w.u.schreibe("Auto1_16.dat", b));
    w.u.fakes.dialogs.shown.clear();
    w.neu("Text3", "1345");
    w.maus("Command18");
    w.maus("Command18");
    EXPECT_EQ(w.text("Text8"), QStringLiteral("Überlauf"));
    EXPECT_EQ(w.text("Text4"), " 10");
    ASSERT_EQ(w.u.klartexte().size(), 1);
    EXPECT_TRUE(w.u.klartexte()[0].contains(QStringLiteral("\"Auto1_16.dat\"")));
    EXPECT_EQ(w.fahrten(), b);
}

// The last of the four vehicles sums its own trips too.
TEST(Tippen, PrivateCarShareOfTheFourthVehicle)
{
    Fenster w(false);
    fahrten1().Voreinstellung.Journalfunktion = 0;
    forms::setText(w.f->KfzEingabe[3], "B-XY 4");
    forms::setText(w.f->KmEingabe[3], "1000");
    forms::setText(w.f->StandortEingabe[3], "Bonn");
    forms::setText(w.f->HalterEingabe[3], "Vier");
    forms::setOptionValue(w.f->PrivatPkw[3], true);
    w.f->Command1_Click(3);
    forms::setOptionValue(w.f->AutoOpt(3), true);
    ASSERT_EQ(fahrten1().AktuellesFahrzeug, 4);
    zweiFahrten(w, "1");
    ASSERT_EQ(w.u.lies("Auto4_16.dat").size(), 2 * 671);
    w.neu("Text3", "2000");
    w.maus("Command18");
    EXPECT_EQ(w.text("Text4"), " 10");
    EXPECT_EQ(w.text("Text5"), "990");
    EXPECT_EQ(w.text("Text8"), "3,20");
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
