// The vehicle frames of the settings page and the vehicle selection.
#include "test_startup_umgebung.h"

#include "app/records/kfzgrundeinstellung.h"
#include "app/records/voreinstellung.h"
#include "platform/forms/events.h"
#include "platform/vb/fields.h"
#include "platform/vb/text.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using kmktest::Umgebung;

namespace {

void fuelle(kmk::Form1& f, int i, const QString& kz, const QString& km, const QString& ort, const QString& halter)
{
    forms::setText(f.KfzEingabe[i], kz);
    forms::setText(f.KmEingabe[i], km);
    forms::setText(f.StandortEingabe[i], ort);
    forms::setText(f.HalterEingabe[i], halter);
}

kmk::KfzGrundeinstellung satz(const Umgebung& u, int n)
{
    return kmk::KfzGrundeinstellung::ausBytes(u.lies("Auto2016.dat").mid((n - 1) * 109, 109));
}

void leereFahrtdatei(const Umgebung& u, int fahrzeug, int saetze)
{
    QFile f(u.pfad(QString("Auto%1_16.dat").arg(fahrzeug)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(671 * saetze, '\0'));
}

} // namespace

TEST(Fahrzeug, SavingChecksTheFrameInOrderAndCaptionsTheButtons)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    const QByteArray vorher = u.lies("Auto2016.dat");

    f.Command1_Click(0);
    QTest::keyClicks(f.KfzEingabe[0], "b-AB 123");
    EXPECT_EQ(f.KfzEingabe[0]->text(), QString("B-AB 123"));
    f.Command1_Click(0);
    forms::setText(f.KmEingabe[0], "0");
    f.Command1_Click(0);
    forms::setText(f.KmEingabe[0], "12345");
    f.Command1_Click(0);
    QTest::keyClicks(f.StandortEingabe[0], " k");
    f.StandortEingabe[0]->insert(QString::fromUtf8("öln"));
    EXPECT_EQ(f.StandortEingabe[0]->text(), QString("Köln"));
    f.Command1_Click(0);
    QTest::keyClicks(f.HalterEingabe[0], "muster GmbH");
    EXPECT_EQ(f.HalterEingabe[0]->text(), QString("Muster GmbH"));
    forms::setOptionValue(f.FirmenPkw[0], false);
    f.Command1_Click(0);
    EXPECT_EQ(u.meldungen, (QList<int>{10, 11, 11, 12, 13, 39}));
    EXPECT_EQ(u.lies("Auto2016.dat"), vorher);
    EXPECT_TRUE(u.klartexte().isEmpty());

    forms::setOptionValue(f.FirmenPkw[0], true);
    f.Command1_Click(0);
    EXPECT_EQ(u.klartexte(), QStringList{"Es wurde Fahrzeug 1 und die aktuellen Voreinstellungen gespeichert!"});
    EXPECT_EQ(f.AutoOpt(0)->text(), QString("1 B-AB 123"));
    EXPECT_EQ(f.Aktu_Auto[0]->text(), QString("1. B-AB 123"));
    EXPECT_TRUE(f.AutoOpt(0)->isChecked());
    EXPECT_TRUE(f.Aktu_Auto[0]->isChecked());
    for (int k = 1; k < 4; ++k) {
        EXPECT_TRUE(f.AutoOpt(k)->isHidden());
        EXPECT_TRUE(f.Aktu_Auto[k]->isHidden());
    }
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1);
    EXPECT_EQ(kmk::fahrten1().Fahrtdatei, QString("Auto1_16.dat"));
    EXPECT_EQ(f.ctl<QLabel>("Label73")->text(), QString("B-AB 123       "));
    EXPECT_TRUE(f.Label12[0]->font().bold());
    EXPECT_FALSE(f.Label12[1]->font().bold());

    const QByteArray rec = u.lies("Auto2016.dat").mid(0, 109);
    EXPECT_EQ(vb::getText(rec, 0, 15), QString("B-AB 123       "));
    EXPECT_EQ(vb::getI32(rec, 15), 12345);
    EXPECT_EQ(vb::getText(rec, 19, 30).trimmed(), QString("Muster GmbH"));
    EXPECT_EQ(vb::getText(rec, 49, 30).trimmed(), QString("Köln"));
    EXPECT_TRUE(vb::getFlag(rec, 79));
    EXPECT_FALSE(vb::getFlag(rec, 81));
    EXPECT_TRUE(vb::getFlag(rec, 97));     // no times, as the boxes say
    EXPECT_TRUE(vb::getFlag(rec, 107));    // journal
    // The other slots are untouched.
    EXPECT_EQ(u.lies("Auto2016.dat").mid(109), vorher.mid(109));
    // No trip file: the page is ready for a first trip.
    EXPECT_EQ(kmk::fahrten1().Satznummer, 0);
    EXPECT_EQ(f.ctl<QLineEdit>("FahrtNr")->text(), QString(" 0"));
}

TEST(Fahrzeug, OdometerFieldTakesDigitsAndBlanksUpToNine)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    QLineEdit* km = u.form->KmEingabe[2];
    QTest::keyClicks(km, "12a,3 4.x");
    EXPECT_EQ(km->text(), QString("123 4"));
    km->clear();
    QTest::keyClicks(km, "12345678901");
    EXPECT_EQ(km->text(), QString("123456789"));
    // First letters become capitals; the holder loses a leading blank, the
    // plate keeps it.
    QTest::keyClicks(u.form->KfzEingabe[2], "m");
    EXPECT_EQ(u.form->KfzEingabe[2]->text(), QString("M"));
    QTest::keyClicks(u.form->HalterEingabe[2], " k");
    EXPECT_EQ(u.form->HalterEingabe[2]->text(), QString("K"));
    QTest::keyClicks(u.form->KfzEingabe[3], " b");
    EXPECT_EQ(u.form->KfzEingabe[3]->text(), QString(" b"));
}

TEST(Fahrzeug, SwitchingWritesTheOutgoingVehicleAndRestoresTheIncomingOptions)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    fuelle(f, 0, "B-AB 1", "1000", "Aachen", "Eins");
    f.Command1_Click(0);
    fuelle(f, 1, "B-CD 2", "2000", "Bonn", "Zwei");
    f.Command1_Click(1);
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 2);
    forms::setValue(f.Check3, 1);        // vehicle 2 speaks
    forms::setValue(f.Check8, 0);        // and records times
    EXPECT_TRUE(f.Check3->font().bold());

    // An unsaved edit of vehicle 2 travels with the switch.
    forms::setText(f.KfzEingabe[1], "B-XY 9");
    forms::setOptionValue(f.Aktu_Auto[0], true);
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1);
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.LetztesFahrzeug, 1);
    const kmk::KfzGrundeinstellung zwei = satz(u, 2);
    EXPECT_EQ(zwei.Kennzeichen.trimmed(), QString("B-XY 9"));
    EXPECT_EQ(zwei.Sprachausgabe, -1);
    EXPECT_EQ(zwei.OhneZeiten, 0);
    EXPECT_EQ(zwei.ZeitenVorgeben, -1);
    EXPECT_EQ(zwei.MitZeiten, -1);

    // Vehicle 1's own copy is on the boxes now.
    EXPECT_EQ(forms::value(f.Check3), 0);
    EXPECT_EQ(forms::value(f.Check8), 1);
    EXPECT_TRUE(f.Check4->isHidden());
    EXPECT_TRUE(f.Check5->isHidden());
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.Sprachausgabe, 0);
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.OhneZeiten, -1);
    EXPECT_TRUE(f.AutoOpt(0)->isChecked());
    EXPECT_FALSE(f.AutoOpt(1)->isChecked());
    EXPECT_TRUE(f.Label12[0]->font().bold());
    EXPECT_FALSE(f.Label12[1]->font().bold());
    EXPECT_TRUE(f.ctl("EinZeitAb")->isHidden());
    EXPECT_EQ(f.ctl<QLabel>("Label73")->text(), QString("B-AB 1         "));

    // And back from the entry page: vehicle 2 speaks and records times again,
    // with the time preset and the allowance on.
    forms::setOptionValue(f.AutoOpt(1), true);
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 2);
    EXPECT_TRUE(f.Aktu_Auto[1]->isChecked());
    EXPECT_EQ(forms::value(f.Check3), 1);
    EXPECT_EQ(forms::value(f.Check8), 0);
    EXPECT_EQ(forms::value(f.Check4), 1);
    EXPECT_EQ(forms::value(f.Check5), 1);
    EXPECT_FALSE(f.Check4->isHidden());
    EXPECT_FALSE(f.ctl("EinZeitAb")->isHidden());
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.MitVerpflegungspauschale, -1);
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.ZeitenVorgeben, -1);
    EXPECT_EQ(satz(u, 1).Kennzeichen.trimmed(), QString("B-AB 1"));
    EXPECT_EQ(satz(u, 1).OhneZeiten, -1);

    // A trip file of one record has no stored trip before it to compare
    // with: through the entry page and through the window's plain default.
    leereFahrtdatei(u, 1, 1);
    leereFahrtdatei(u, 2, 2);
    for (const bool eintragsseite : {true, false}) {
        if (!eintragsseite)
            f.services.ErsteLaden = f.services.PauschaleAnzeigen = {};
        forms::setOptionValue(f.AutoOpt(0), true);
        EXPECT_EQ(kmk::fahrten1().Pufferindex, 1) << eintragsseite;
        forms::setOptionValue(f.AutoOpt(1), true);
        EXPECT_EQ(kmk::fahrten1().Pufferindex, 3) << eintragsseite;
    }
}

TEST(Fahrzeug, StartSelectsTheLastVehicleAndShowsItsLastTrip)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    fuelle(*u.form, 0, "B-AB 1", "1000", "Aachen", "Eins");
    u.form->Command1_Click(0);
    leereFahrtdatei(u, 1, 3);
    u.form->Form_QueryUnload();
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1);
    EXPECT_EQ(kmk::fahrten1().Satzanzahl, 3);
    EXPECT_EQ(kmk::fahrten1().Satznummer, 3);
    EXPECT_TRUE(u.form->Aktu_Auto[0]->isChecked());
    EXPECT_TRUE(u.form->AutoOpt(0)->isChecked());
    EXPECT_EQ(u.form->KfzEingabe[0]->text(), QString("B-AB 1"));
    // A shown stored trip keeps its own dates.
    EXPECT_NE(u.form->ctl<QLineEdit>("EinDatumAb")->text(), QString("15.06.2016"));

    // An empty trip file: the entry fields take the calendar's date.
    leereFahrtdatei(u, 1, 0);
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(kmk::fahrten1().Satzanzahl, 0);
    EXPECT_EQ(u.form->ctl<QLineEdit>("EinDatumAb")->text(), QString("15.06.2016"));
    EXPECT_EQ(u.form->ctl<QLineEdit>("EinDatumAn")->text(), QString("15.06.2016"));

    // A last vehicle whose slot is empty: nothing is selected.
    kmk::fahrten1().AktuellesFahrzeug = 3;
    u.form->Form_QueryUnload();
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 0);
    EXPECT_FALSE(u.form->Aktu_Auto[2]->isChecked());
}

TEST(Fahrzeug, TypeGuardRefusesAChangeWhileTheTripFileHoldsTrips)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    fuelle(f, 0, "B-AB 1", "1000", "Aachen", "Eins");
    forms::setOptionValue(f.PrivatPkw[0], true);
    f.Command1_Click(0);
    ASSERT_TRUE(f.PrivatPkw[0]->isChecked());
    EXPECT_FALSE(f.ctl("Frame8")->isHidden());
    EXPECT_EQ(f.ctl<QAbstractButton>("OptGesch")->text(), QString("Geschäftsfahrt mit Privat - Pkw"));
    EXPECT_TRUE(f.ctl<QRadioButton>("OptGesch")->isChecked());
    leereFahrtdatei(u, 1, 1);
    u.meldungen.clear();

    QTest::mouseClick(f.FirmenPkw[0], Qt::LeftButton);
    EXPECT_EQ(u.meldungen, QList<int>{95});
    EXPECT_TRUE(f.PrivatPkw[0]->isChecked());
    EXPECT_FALSE(f.FirmenPkw[0]->isChecked());
    // The keyboard goes through the same guard.
    f.FirmenPkw[0]->setFocus();
    QTest::keyClick(f.FirmenPkw[0], Qt::Key_Space);
    QTest::keyClick(f.PrivatPkw[0], Qt::Key_Up);
    QTest::keyClick(f.PrivatPkw[0], Qt::Key_Down);
    EXPECT_EQ(u.meldungen, (QList<int>{95, 95}));
    EXPECT_TRUE(f.PrivatPkw[0]->isChecked());
    EXPECT_EQ(kmk::fahrten1().Kfz.Privatfahrzeug, -1);

    // An empty trip file lets the change through and sets the page up.
    leereFahrtdatei(u, 1, 0);
    QTest::mouseClick(f.FirmenPkw[0], Qt::LeftButton);
    EXPECT_EQ(u.meldungen.size(), 2);
    EXPECT_TRUE(f.FirmenPkw[0]->isChecked());
    EXPECT_EQ(kmk::fahrten1().Kfz.Firmenfahrzeug, -1);
    EXPECT_EQ(kmk::fahrten1().Kfz.Privatfahrzeug, 0);
    EXPECT_TRUE(f.ctl("Frame8")->isHidden());
    EXPECT_EQ(f.ctl<QAbstractButton>("OptGesch")->text(), QString("Geschäftsfahrt"));
    EXPECT_TRUE(f.ctl<QRadioButton>("OptGesch")->isChecked());

    // Another vehicle's frame never touches the current vehicle's record.
    leereFahrtdatei(u, 2, 0);
    forms::setOptionValue(f.PrivatPkw[1], true);
    QTest::mouseClick(f.FirmenPkw[1], Qt::LeftButton);
    EXPECT_TRUE(f.FirmenPkw[1]->isChecked());
    EXPECT_EQ(kmk::fahrten1().Kfz.Firmenfahrzeug, -1);
    QTest::mouseClick(f.PrivatPkw[1], Qt::LeftButton);
    EXPECT_TRUE(f.PrivatPkw[1]->isChecked());
    EXPECT_EQ(kmk::fahrten1().Kfz.Firmenfahrzeug, -1);
    EXPECT_EQ(kmk::fahrten1().Kfz.Privatfahrzeug, 0);
    EXPECT_EQ(u.meldungen.size(), 2);
}

TEST(Fahrzeug, NoVehicleShowsTheNoticeOnTheEntryPage)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(u.form->AutoTest(), 0);
    EXPECT_EQ(u.form->AutoTest(), 0);
    auto* t = u.form->ctl("Text1");
    ASSERT_NE(t, nullptr);
    EXPECT_FALSE(t->isHidden());
    ASSERT_NE(u.form->ctl("Frame1"), nullptr);
    EXPECT_TRUE(u.form->ctl("Frame1")->isHidden());
    // Slots 1 and 3 filled: the highest is 3, the others are hidden.
    fuelle(*u.form, 0, "A", "0", "", "");
    fuelle(*u.form, 2, "C", "5", "", "");
    EXPECT_EQ(u.form->AutoTest(), 3);
    EXPECT_FALSE(u.form->Aktu_Auto[0]->isHidden());
    EXPECT_TRUE(u.form->Aktu_Auto[1]->isHidden());
    EXPECT_FALSE(u.form->Aktu_Auto[2]->isHidden());
    EXPECT_TRUE(u.form->Aktu_Auto[3]->isHidden());
    EXPECT_TRUE(t->isHidden());
    EXPECT_FALSE(u.form->ctl("Frame1")->isHidden());
}

TEST(Fahrzeug, AVehicleThatCannotBeWrittenIsNotReportedAsSaved)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    // The master file is replaced by a folder: every write fails.
    QFile::remove(u.pfad("Auto2016.dat"));
    ASSERT_TRUE(QDir(u.dir.path()).mkdir("Auto2016.dat"));
    fuelle(*u.form, 0, "B-AB 1", "1000", "Aachen", "Eins");
    u.form->Command1_Click(0);
    ASSERT_EQ(u.klartexte().size(), 1);
    EXPECT_FALSE(u.klartexte()[0].contains("gespeichert!"));
    EXPECT_FALSE(u.klartexte()[0].isEmpty());
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 0);
    EXPECT_TRUE(u.form->Aktu_Auto[0]->isHidden());
}

TEST(Fahrzeug, SavingTheCurrentVehicleWithANewTypeSetsTheEntryPageUp)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    fuelle(f, 0, "B-AB 1", "1000", "Aachen", "Eins");
    f.Command1_Click(0);
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1);
    ASSERT_FALSE(f.ctl("EinkmAn")->isHidden());

    // No trip file yet: the type may change, and saving lays the page out anew.
    QTest::mouseClick(f.PrivatPkw[0], Qt::LeftButton);
    ASSERT_TRUE(f.PrivatPkw[0]->isChecked());
    f.Command1_Click(0);
    EXPECT_EQ(satz(u, 1).Privatfahrzeug, -1);
    EXPECT_TRUE(f.ctl("EinkmAn")->isHidden());
    EXPECT_FALSE(f.ctl("PersAnz")->isHidden());
    EXPECT_FALSE(f.ctl("Frame8")->isHidden());
    EXPECT_EQ(f.ctl<QAbstractButton>("OptGesch")->text(), QString("Geschäftsfahrt mit Privat - Pkw"));
    EXPECT_TRUE(f.ctl<QRadioButton>("OptGesch")->isChecked());
    EXPECT_EQ(f.ctl<QLineEdit>("Text3")->text(), QString("1000"));

    QTest::mouseClick(f.FirmenPkw[0], Qt::LeftButton);
    f.Command1_Click(0);
    EXPECT_EQ(satz(u, 1).Firmenfahrzeug, -1);
    EXPECT_FALSE(f.ctl("EinkmAn")->isHidden());
    EXPECT_TRUE(f.ctl("PersAnz")->isHidden());
    EXPECT_TRUE(f.ctl("Frame8")->isHidden());
    EXPECT_EQ(f.ctl<QAbstractButton>("OptGesch")->text(), QString("Geschäftsfahrt"));
}

TEST(Fahrzeug, AfterARestartTheBoxesShowTheOptionsInForce)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    fuelle(f, 0, "B-AB 1", "1000", "Aachen", "Eins");
    f.Command1_Click(0);
    forms::setValue(f.Check8, 0);   // times on for vehicle 1, saved with it
    f.Command1_Click(0);
    // Then changed and closed without saving the vehicle: its own copy wins.
    forms::setValue(f.Check8, 1);
    forms::setValue(f.Check3, 1);
    u.form->Form_QueryUnload();
    ASSERT_EQ(satz(u, 1).OhneZeiten, 0);
    ASSERT_EQ(satz(u, 1).Sprachausgabe, 0);

    ASSERT_TRUE(u.starte());
    kmk::Form1& g = *u.form;
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1);
    const auto& v = kmk::fahrten1().Voreinstellung;
    EXPECT_EQ(forms::value(g.Check8), 0);
    EXPECT_EQ(v.OhneZeiten, 0);
    EXPECT_EQ(v.MitZeiten, -1);
    EXPECT_EQ(forms::value(g.Check3), 0);
    EXPECT_EQ(v.Sprachausgabe, 0);
    for (const char* n : {"EinZeitAb", "EinZeitAn", "Label2", "Label8", "QKSpin1", "QKSpin4"})
        EXPECT_FALSE(g.ctl(n)->isHidden()) << n;
    // The settings written at the next close agree with the boxes.
    g.Form_QueryUnload();
    const kmk::VoreinstellungSatz gespeichert = kmk::VoreinstellungSatz::ausBytes(u.lies("Vor2016.dat"));
    EXPECT_EQ(gespeichert.OhneZeiten, 0);
    EXPECT_EQ(gespeichert.Sprachausgabe, 0);
    EXPECT_EQ(gespeichert.LetztesFahrzeug, 1);
}

TEST(Fahrzeug, TheExtendedPrintoutBoxFollowsTheVehicle)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    ASSERT_NE(f.Check6, nullptr);
    fuelle(f, 0, "B-AB 1", "1000", "Aachen", "Eins");
    f.Command1_Click(0);
    forms::setValue(f.Check6, 1);
    fuelle(f, 1, "B-CD 2", "2000", "Bonn", "Zwei");
    f.Command1_Click(1);   // vehicle 1 leaves with the extended printout
    EXPECT_EQ(satz(u, 1).ErweiterterAusdruck, -1);
    forms::setValue(f.Check6, 0);

    forms::setOptionValue(f.Aktu_Auto[0], true);
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.ErweiterterAusdruck, -1);
    EXPECT_EQ(forms::value(f.Check6), 1);
    EXPECT_TRUE(f.Check6->font().bold());
    forms::setOptionValue(f.AutoOpt(1), true);
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.ErweiterterAusdruck, 0);
    EXPECT_EQ(forms::value(f.Check6), 0);
}

TEST(Fahrzeug, AnEmptyOdometerFieldKeepsTheVehiclesOwnReadingNotAnothers)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    fuelle(f, 1, "B-ZW 2", "77777", "Bonn", "Zwei");
    f.Command1_Click(1);
    fuelle(f, 0, "B-AB 1", "12345", "Aachen", "Eins");
    f.Command1_Click(0);
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1);
    // The reserved word of each record, as another version may have left it.
    QByteArray datei = u.lies("Auto2016.dat");
    vb::setI16(datei, 91, 0x0101);
    vb::setI16(datei, 109 + 91, 0x0202);
    {
        QFile out(u.pfad("Auto2016.dat"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(datei);
    }

    // Vehicle 1's reading is cleared without saving; saving vehicle 2 then
    // writes vehicle 1 on the way (the switch) while vehicle 2 is in memory.
    forms::setText(f.KmEingabe[0], "");
    f.Command1_Click(1);
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 2);
    EXPECT_EQ(satz(u, 1).Anfangskm, 12345);
    EXPECT_EQ(satz(u, 2).Anfangskm, 77777);
    // and the other way round, the current vehicle 2 cleared, vehicle 1 saved
    forms::setText(f.KmEingabe[1], " ");
    forms::setText(f.KmEingabe[0], "12345");
    f.Command1_Click(0);
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1);

    ASSERT_TRUE(u.starte());
    const QByteArray nachher = u.lies("Auto2016.dat");
    EXPECT_EQ(vb::getI32(nachher, 15), 12345);
    EXPECT_EQ(vb::getI32(nachher, 109 + 15), 77777);
    EXPECT_EQ(vb::getI16(nachher, 91), 0x0101);
    EXPECT_EQ(vb::getI16(nachher, 109 + 91), 0x0202);
    EXPECT_EQ(u.form->KmEingabe[0]->text(), QString("12345"));
    EXPECT_EQ(u.form->KmEingabe[1]->text(), QString("77777"));
}

// The start writes the current vehicle from the page. A stored record the
// page cannot show as it is (km beyond nine digits, a NUL in the plate, a
// flag neither 0 nor -1) is kept aside with a message first; an intact
// one is not written at all, so a protected file gives no message.
TEST(Fahrzeug, TheStartWritesADamagedVehicleOnlyAfterACopyAndAnIntactOneNever)
{
    // A blank before a text: the page shows and saves the text without it.
    const struct { int offset; char byte; } faelle[] = {{18, 0x7F}, {3, 0x00}, {80, 0x7F}, {0, ' '}, {19, ' '}, {49, ' '},
                                                        {-1, 0}};
    for (const auto& fall : faelle) {
        Umgebung u;
        ASSERT_TRUE(u.starte());
        fuelle(*u.form, 0, "B-KM 100", "10000", "Berlin", "Kilometrika");
        u.form->Command1_Click(0);
        u.form->Form_QueryUnload();
        QByteArray datei = u.lies("Auto2016.dat");
        if (fall.offset >= 0)
            datei[fall.offset] = fall.byte;
        ASSERT_TRUE(u.schreibe("Auto2016.dat", datei));
        if (fall.offset < 0)
            ASSERT_TRUE(QFile::setPermissions(u.pfad("Auto2016.dat"), QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                                        | QFileDevice::ReadOther));
        u.fakes.dialogs.shown.clear();
        ASSERT_TRUE(u.starte());
        ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1) << fall.offset;
        const QStringList kopien = QDir(u.pfad("Sicherheit")).entryList({"Auto2016_beschaedigt_*.dat"}, QDir::Files);
        if (fall.offset < 0) {
            EXPECT_TRUE(u.klartexte().isEmpty()) << u.klartexte().join("|").toStdString();
            EXPECT_TRUE(kopien.isEmpty());
            EXPECT_EQ(u.lies("Auto2016.dat"), datei);
            continue;
        }
        ASSERT_EQ(kopien.size(), 1) << fall.offset;
        EXPECT_EQ(u.lies("Sicherheit/" + kopien[0]), datei) << fall.offset;
        ASSERT_EQ(u.klartexte().size(), 1) << fall.offset;
        EXPECT_TRUE(u.klartexte()[0].startsWith(QString::fromUtf8("Die Fahrzeugdatei \"Auto2016.dat\" war beschädigt")));
        EXPECT_NE(u.lies("Auto2016.dat"), datei) << fall.offset;
    }
}
