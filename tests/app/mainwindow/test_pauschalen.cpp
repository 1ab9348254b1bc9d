// The allowances in the started main window: the one-time recalculation of
// old years, the Pause key's procedure and a rate that is no number.

#include <gtest/gtest.h>

#include <QTest>

#include "test_startup_umgebung.h"

#include "app/allowance/aktualisieren.h"
#include "app/mainwindow/anbindung_pauschalen.h"
#include "app/mainwindow/sstab.h"
#include "app/records/dateien.h"
#include "app/records/jahr.h"
#include "platform/vb/date.h"
#include "platform/vb/fields.h"

using kmktest::Umgebung;
using namespace kmk;

namespace {

// A company car with one business trip of 540 minutes booked at 14.
void legeFahrtAn(Umgebung& u, const QString& jahr)
{
    Fahrten1 st;
    st.setzeProgrammpfad(u.dir.path());
    st.Jahr = jahr;
    Jahr_ini(st);
    KfzDateiAnlegen(st);
    FahrtDatensatz s;
    s.Fahrtart = 3;
    s.DatumAb = s.DatumAn = vb::DateSerial(jahr.toInt(), 2, 3);
    s.ZeitAb = 480;
    s.ZeitAn = 1020;
    s.Teilpauschale2 = s.PauschaleGesamt = 14;
    QFile f(u.pfad(st.fahrtdateiName(1)));
    f.open(QIODevice::WriteOnly);
    f.write(s.zuBytes());
}

bool starteMitPauschalen(Umgebung& u)
{
    u.form.reset();
    fahrten1() = Fahrten1{};
    u.form = std::make_unique<Form1>();
    return u.form->Form_Load();
}

} // namespace

TEST(Pauschalen, AnOldYearIsRecalculatedOnceAtStartWithTwelve)
{
    Umgebung u("2014", "Kxt", QDate(2014, 3, 3));
    legeFahrtAn(u, "2014");
    ASSERT_TRUE(starteMitPauschalen(u));
    EXPECT_EQ(FahrtLesen(u.pfad("Auto1_14.dat"), 1).Teilpauschale2, 12);
    EXPECT_EQ(FahrtLesen(u.pfad("Auto1_14.dat"), 1).PauschaleGesamt, 12);
    EXPECT_TRUE(u.klartexte().contains("Die Reisekostenpauschale werden aktualisiert"));
    EXPECT_TRUE(u.klartexte().contains("Aktualisierung ist abgeschlossen!"));
    EXPECT_TRUE(vb::getFlag(u.lies("Vor2014.dat"), 46));

    // Once only: a second start leaves the file alone.
    legeFahrtAn(u, "2014");
    u.fakes.dialogs.shown.clear();
    ASSERT_TRUE(starteMitPauschalen(u));
    EXPECT_EQ(FahrtLesen(u.pfad("Auto1_14.dat"), 1).Teilpauschale2, 14);
    EXPECT_FALSE(u.klartexte().contains("Aktualisierung ist abgeschlossen!"));

    // The Pause key recalculates with the configured rate.
    u.form->show();
    QTest::keyClick(u.form->SSTab1, Qt::Key_Pause);
    EXPECT_EQ(FahrtLesen(u.pfad("Auto1_14.dat"), 1).Teilpauschale2, 14);
    EXPECT_EQ(FahrtLesen(u.pfad("Auto1_14.dat"), 1).PauschaleGesamt, 14);
    EXPECT_FALSE(fahrten1().NeuberechnungStart);
    EXPECT_TRUE(vb::getFlag(u.lies("Vor2014.dat"), 46));

    // The title page's button takes the same steps.
    auto* knopf = u.form->ctl<QPushButton>("CommandNeuBerechnen");
    if (!knopf) {
        knopf = new QPushButton(u.form->ctl("Seite0"));
        knopf->setObjectName("CommandNeuBerechnen");
    }
    verbindeNeuBerechnen(*u.form);
    verbindeNeuBerechnen(*u.form);
    legeFahrtAn(u, "2014");
    fahrten1().NeuberechnungStart = true;
    u.fakes.dialogs.shown.clear();
    knopf->click();
    EXPECT_EQ(FahrtLesen(u.pfad("Auto1_14.dat"), 1).Teilpauschale2, 14);
    EXPECT_FALSE(fahrten1().NeuberechnungStart);
    EXPECT_EQ(u.klartexte(),
              (QStringList{"Die Reisekostenpauschale werden aktualisiert", "Aktualisierung ist abgeschlossen!"}));
    EXPECT_EQ(u.klartexte().mid(u.klartexte().size() - 2),
              (QStringList{"Die Reisekostenpauschale werden aktualisiert", "Aktualisierung ist abgeschlossen!"}));
}

// A trip file the user may not write is left as it was: the start-up run
// of an old year and the Pause key say so, never that they are done, and
// the start-up run stays due until every file could be written.
TEST(Pauschalen, ARecalculationThatCouldNotWriteAFileIsNotDone)
{
    Umgebung u("2014", "Kxt", QDate(2014, 3, 3));
    legeFahrtAn(u, "2014");
    const QString datei = u.pfad("Auto1_14.dat");
    FahrtDatensatz falsch = FahrtLesen(datei, 1);
    falsch.PauschaleGesamt = 99;   // every run has something to write
    ASSERT_TRUE(u.schreibe("Auto1_14.dat", falsch.zuBytes()));
    const QByteArray vorher = u.lies("Auto1_14.dat");
    ASSERT_TRUE(QFile::setPermissions(datei, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    const QStringList gesagt{"Die Reisekostenpauschale werden aktualisiert", TextSchreibfehler(datei)};

    ASSERT_TRUE(starteMitPauschalen(u));
    EXPECT_EQ(u.klartexte(), gesagt);
    ASSERT_GE(u.lies("Vor2014.dat").size(), 48);
    EXPECT_FALSE(vb::getFlag(u.lies("Vor2014.dat"), 46));

    u.form->show();
    u.fakes.dialogs.shown.clear();
    QTest::keyClick(u.form->SSTab1, Qt::Key_Pause);
    EXPECT_EQ(u.klartexte(), gesagt);
    EXPECT_FALSE(vb::getFlag(u.lies("Vor2014.dat"), 46));
    EXPECT_EQ(u.lies("Auto1_14.dat"), vorher);

    // Writable again: the next start does the run and marks it done.
    ASSERT_TRUE(QFile::setPermissions(datei, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    u.fakes.dialogs.shown.clear();
    ASSERT_TRUE(starteMitPauschalen(u));
    EXPECT_TRUE(u.klartexte().contains("Aktualisierung ist abgeschlossen!"));
    EXPECT_TRUE(vb::getFlag(u.lies("Vor2014.dat"), 46));
    EXPECT_EQ(FahrtLesen(datei, 1).Teilpauschale2, 12);
}

TEST(Pauschalen, ADoneFlagThatCannotBeStoredIsSaidAsEveryWriteFailure)
{
    Umgebung u("2014", "Kxt", QDate(2014, 3, 3));
    legeFahrtAn(u, "2014");
    ASSERT_TRUE(starteMitPauschalen(u));
    ASSERT_TRUE(u.schreibe("Vor2014.dat", u.lies("Vor2014.dat").replace(46, 2, QByteArray(2, '\0'))));
    legeFahrtAn(u, "2014");
    const QString einstellungen = u.pfad("Vor2014.dat");
    ASSERT_TRUE(QFile::setPermissions(einstellungen, QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                         | QFileDevice::ReadOther));
    u.fakes.dialogs.shown.clear();
    ASSERT_TRUE(starteMitPauschalen(u));
    EXPECT_EQ(u.klartexte(), (QStringList{"Die Reisekostenpauschale werden aktualisiert",
                                          "Aktualisierung ist abgeschlossen!", TextSchreibfehler(einstellungen)}));
    EXPECT_FALSE(vb::getFlag(u.lies("Vor2014.dat"), 46));
}

TEST(Pauschalen, ARateThatIsNoNumberIsToldOnceAtStart)
{
    Umgebung u("2016", "Kxt", QDate(2016, 3, 3), false);
    Jahrgangsdaten klar;
    klar.Jahr = "2016";
    klar.Markenkennung = "Kxt";
    klar.PauschaleTeiltag = "vierz";
    klar.PauschaleVolltag = "28";
    ASSERT_TRUE(JahrgangDatSchreiben(ordnerMitTrenner(u.dir.path()), klar));
    ASSERT_TRUE(starteMitPauschalen(u));
    EXPECT_EQ(u.klartexte().count(TextSatzKeineZahl()), 1);
    u.form->services.Ges_Verbrauch();
    EXPECT_EQ(u.klartexte().count(TextSatzKeineZahl()), 1);
}

TEST(Pauschalen, TheChosenVehicleShowsItsKmSharesAndConsumption)
{
    Umgebung u("2016", "Kxt", QDate(2016, 3, 3));
    Fahrten1 st;
    st.setzeProgrammpfad(u.dir.path());
    st.Jahr = "2016";
    Jahr_ini(st);
    KfzDateiAnlegen(st);
    ASSERT_TRUE(KfzLesen(st, 1));
    st.Kfz.Kennzeichen = "K-AB 123";
    st.Kfz.Anfangskm = 1000;
    ASSERT_TRUE(KfzSchreiben(st, 1).ok);
    FahrtDatensatz geschaeft, privat;
    geschaeft.Fahrtart = 3;
    geschaeft.GefahreneKm = 300;
    geschaeft.Kraftstoffmenge = 24;
    geschaeft.BetragKraftstoff = vb::Currency::fromDouble(36);
    privat.Fahrtart = 2;
    privat.GefahreneKm = 100;
    QFile f(u.pfad("Auto1_16.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(geschaeft.zuBytes() + privat.zuBytes());
    f.close();

    ASSERT_TRUE(starteMitPauschalen(u));
    u.form->Aktu_Auto_Click(0);
    ASSERT_EQ(fahrten1().AktuellesFahrzeug, 1);
    EXPECT_EQ(u.form->ctl<QLabel>("LabGesch")->text(), " 300");
    EXPECT_EQ(u.form->ctl<QLabel>("LabPriP")->text(), "25,00%");
    EXPECT_EQ(u.form->ctl<QLabel>("Labbetrieb")->text(), "75,00%");
    EXPECT_EQ(u.form->ctl<QLabel>("Label31")->text(), "6,00 L");
    EXPECT_EQ(u.form->ctl<QLabel>("Label27")->text(), QString::fromUtf8("36,00 €"));
    EXPECT_NE(pauschalanzeige(*u.form), nullptr);
    EXPECT_TRUE(u.klartexte().isEmpty());
}
