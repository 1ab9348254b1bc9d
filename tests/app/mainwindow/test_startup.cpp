// Start-up of the main window on fresh program folders.
#include "test_startup_umgebung.h"

#include "platform/forms/dirlist.h"
#include "app/mainwindow/fstart.h"
#include "platform/com/controlhost.h"
#include "app/mainwindow/nebenfenster.h"
#include "app/mainwindow/sstab.h"
#include "app/records/kfzgrundeinstellung.h"
#include "app/records/voreinstellung.h"
#include "platform/forms/events.h"
#include "platform/vb/date.h"
#include "platform/vb/fields.h"
#include "platform/vb/text.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QListWidget>
#include <gtest/gtest.h>

#include <sys/stat.h>

using kmktest::Umgebung;

namespace {

// The settings record of a first start, built field by field.
QByteArray erwarteteVoreinstellung(const QString& programmpfad, bool kalenderHeute, const QByteArray& reserve48)
{
    QByteArray r(329, '\0');
    vb::setFlag(r, 10, true);                  // OhneZeiten
    vb::setFlag(r, 18, kalenderHeute);         // KalenderHeute
    vb::setU8(r, 22, 6);                       // DruckskalaIndex
    vb::setU8(r, 23, 15);                      // ZoomIndex
    vb::setFlag(r, 32, true);                  // PrivatNurKm
    vb::setBytes(r, 48, reserve48);
    vb::setText(r, 73, 250, programmpfad + "Sicherheit/");
    vb::setFlag(r, 323, true);                 // Journalfunktion
    vb::setI16(r, 325, 20);                    // Sicherungsintervall
    return r;
}

QByteArray erwartetesLeeresFahrzeug()
{
    QByteArray r(109, '\0');
    vb::setText(r, 0, 15, QString());
    vb::setText(r, 19, 30, QString());
    vb::setText(r, 49, 30, QString());
    vb::setFlag(r, 79, true);    // company car
    vb::setFlag(r, 97, true);    // no times
    vb::setFlag(r, 99, true);    // private trips: km only
    vb::setFlag(r, 101, true);   // calendar on today (the box is ticked)
    vb::setFlag(r, 107, true);   // journal
    return r;
}

} // namespace

TEST(Startup, FreshFolder2016WritesTheFirstStartFilesByteForByte)
{
    Umgebung u("2016", "Kxt", QDate(2016, 6, 15));
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(u.form->windowTitle(), QString("Brimo Kilometrika 2016 --- Version  21.0.1"));
    EXPECT_EQ(u.form->SSTab1->TabCaption(0), QString("Kilometrika 2016"));
    EXPECT_EQ(u.form->SSTab1->Tab(), 2);
    EXPECT_EQ(u.form->Label106->text(), QString("V  21.0.1"));
    EXPECT_EQ(u.form->Label107->text(), QString("Version 2016"));
    EXPECT_EQ(u.form->CDateiSuchen->text(), QString("Fahrtenspeicher aus  2015 suchen"));
    EXPECT_TRUE(u.meldungen.isEmpty());
    EXPECT_TRUE(u.klartexte().isEmpty());

    const QString pp = kmk::fahrten1().Programmpfad;
    EXPECT_TRUE(pp.endsWith('/'));
    EXPECT_FALSE(pp.endsWith("//"));
    const QByteArray vor = u.lies("Vor2016.dat");
    ASSERT_EQ(vor.size(), 329);
    // The reserved text at 48..72 is no option; it is compared as written.
    EXPECT_EQ(vor, erwarteteVoreinstellung(pp, true, vor.mid(48, 25)));
    for (char c : vor.mid(48, 25))
        EXPECT_TRUE(c == ' ' || c == '\0');

    const QByteArray kfz = u.lies("Auto2016.dat");
    ASSERT_EQ(kfz.size(), 436);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(kfz.mid(n * 109, 109), erwartetesLeeresFahrzeug()) << "record " << n + 1;

    EXPECT_TRUE(QFileInfo(u.pfad("Sicherheit")).isDir());
    EXPECT_EQ(kmk::fahrten1().Sicherungspfad, pp + "Sicherheit/");
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 0);

    // The settings page: four empty company cars, no vehicle offered.
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(u.form->FirmenPkw[k]->isChecked());
        EXPECT_FALSE(u.form->PrivatPkw[k]->isChecked());
        EXPECT_TRUE(u.form->KfzEingabe[k]->text().isEmpty());
        EXPECT_TRUE(u.form->Aktu_Auto[k]->isHidden());
    }
    // The boxes of a first start.
    EXPECT_EQ(u.form->Check1->checkState(), Qt::Checked);
    EXPECT_EQ(u.form->Check3->checkState(), Qt::Unchecked);
    EXPECT_EQ(u.form->Check8->checkState(), Qt::Checked);
    EXPECT_EQ(u.form->Check10->checkState(), Qt::Checked);
    EXPECT_EQ(u.form->Check11->checkState(), Qt::Checked);
    EXPECT_EQ(u.form->Check12->checkState(), Qt::Unchecked);
    EXPECT_TRUE(u.form->Check4->isHidden());
    EXPECT_TRUE(u.form->Check5->isHidden());
    EXPECT_TRUE(u.form->Check1->font().bold());
    EXPECT_FALSE(u.form->Check3->font().bold());

    // The zoom and print-scale lists.
    auto* l4 = u.form->ctl<QListWidget>("List4");
    auto* l5 = u.form->ctl<QListWidget>("List5");
    ASSERT_TRUE(l4 && l5);
    EXPECT_EQ(l4->count(), 31);
    EXPECT_EQ(l5->count(), 23);
    EXPECT_EQ(l4->currentItem()->text(), QString("85"));
    EXPECT_EQ(l5->currentItem()->text(), QString("80"));
    EXPECT_EQ(kmk::fahrten1().Druckskala, 80);
    EXPECT_EQ(u.form->Dir1->Path() + "/", pp + "Sicherheit/");
}

TEST(Startup, TodayOutsideTheYearLeavesCalendarTodayOffInTheSettingsOnly)
{
    Umgebung u("2016", "Kxt", QDate(2017, 1, 1));
    ASSERT_TRUE(u.starte());
    const QByteArray vor = u.lies("Vor2016.dat");
    ASSERT_EQ(vor.size(), 329);
    EXPECT_EQ(vor, erwarteteVoreinstellung(kmk::fahrten1().Programmpfad, false, vor.mid(48, 25)));
    // The box keeps its tick, so the vehicles' copy says on.
    EXPECT_EQ(u.lies("Auto2016.dat").mid(109, 109), erwartetesLeeresFahrzeug());
    EXPECT_EQ(u.form->Check11->checkState(), Qt::Checked);
}

TEST(Startup, EntryCalendarStartsOnTodayWithinTheYear)
{
    for (QDate heute : {QDate(2016, 1, 1), QDate(2016, 12, 31), QDate(2016, 7, 4)}) {
        Umgebung u("2016", "Kxt", heute);
        ASSERT_TRUE(u.starte());
        QWidget* qkc = u.form->ctl("QKC");
        ASSERT_NE(qkc, nullptr);
        EXPECT_EQ(kmk::mw::calGet(qkc, "Date"), vb::DateSerial(heute.year(), heute.month(), heute.day()));
        EXPECT_EQ(u.form->ctl<QLabel>("LEinDatum")->text(), "Eintragungsdatum " + heute.toString("dd.MM.yyyy"));
    }
    Umgebung u("2016", "Kxt", QDate(2017, 3, 1));
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(kmk::mw::calGet(u.form->ctl("QKC"), "Date"), 42370);   // 1 January 2016
}

TEST(Startup, MissingConfigurationEndsWithThePlainMessageAndWritesNothing)
{
    Umgebung u("2016", "Kxt", QDate(2016, 6, 15), false);
    EXPECT_FALSE(u.starte());
    EXPECT_EQ(u.klartexte(), QStringList{"Es fehlt eine wichtige Sytemdatei. Das Programm wird beendet!"});
    EXPECT_TRUE(u.dateien().isEmpty());
}

TEST(Startup, UnusableYearsShowMessage90OnceThenTheFatalMessage)
{
    for (const char* jahr : {"2051", "2006"}) {
        Umgebung u(jahr, "Kxt");
        EXPECT_FALSE(u.starte());
        EXPECT_EQ(u.meldungen, QList<int>{90}) << jahr;
        EXPECT_EQ(u.klartexte(), QStringList{"Bei der Jahreseinstellung ist ein fehler aufgetreten!"});
        EXPECT_EQ(u.dateien(), QStringList{"DTSD.kxt"});
    }
    // A year text that is no year: no catalogue message, the same end.
    Umgebung u("abcd", "Kxt");
    EXPECT_FALSE(u.starte());
    EXPECT_TRUE(u.meldungen.isEmpty());
    EXPECT_EQ(u.klartexte(), QStringList{"Bei der Jahreseinstellung ist ein fehler aufgetreten!"});
}

TEST(Startup, EveryYearFrom2007To2050Starts)
{
    struct Fall { const char* jahr; qint32 anfang; qint32 ende; const char* version; };
    const Fall faelle[] = {{"2007", 39083, 39447, "12"}, {"2020", 43831, 44196, "25"},
                           {"2050", 54789, 55153, "55"}, {"2016", 42370, 42735, "21"}};
    for (const Fall& f : faelle) {
        Umgebung u(f.jahr, "Ptq", QDate(2030, 5, 5));
        ASSERT_TRUE(u.starte()) << f.jahr;
        EXPECT_EQ(u.form->windowTitle(),
                  QString("Brimo Kilometrika %1 --- Version  %2.0.1").arg(f.jahr, f.version));
        for (const char* name : {"QKC", "QKC2", "QKC3"}) {
            QWidget* k = u.form->ctl(name);
            ASSERT_NE(k, nullptr);
            EXPECT_EQ(kmk::mw::calGet(k, "MinDate"), f.anfang) << f.jahr << name;
            EXPECT_EQ(kmk::mw::calGet(k, "MaxDate"), f.ende) << f.jahr << name;
        }
        EXPECT_EQ(kmk::mw::calGet(u.form->ctl("QKC3"), "Date"), f.ende);
        EXPECT_TRUE(u.klartexte().isEmpty() || QString(f.jahr) < "2015");
    }
}

TEST(Startup, OldYearsRecalculateTheAllowancesOncePerSettingsFile)
{
    Umgebung u("2014", "Kxt", QDate(2014, 3, 3));
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(u.klartexte(), QStringList{"Die Reisekostenpauschale werden aktualisiert"});
    EXPECT_EQ(u.aktualisiert, 1);
    EXPECT_TRUE(kmk::fahrten1().NeuberechnungStart);
    EXPECT_TRUE(vb::getFlag(u.lies("Vor2014.dat"), 46));

    u.fakes.dialogs.shown.clear();
    ASSERT_TRUE(u.starte());
    EXPECT_TRUE(u.klartexte().isEmpty());
    EXPECT_EQ(u.aktualisiert, 1);

    Umgebung neu("2015", "Kxt", QDate(2015, 3, 3));
    ASSERT_TRUE(neu.starte());
    EXPECT_TRUE(neu.klartexte().isEmpty());
    EXPECT_EQ(neu.aktualisiert, 0);
    EXPECT_FALSE(kmk::fahrten1().NeuberechnungStart);
}

TEST(Startup, BrandVariantIconsAndTitlePage)
{
    {
        Umgebung u("2016", "Kxt");
        // An icon file that is no picture keeps the default icon; start-up goes on.
        QFile f(u.pfad("KILOMETRIKA.ICO"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("kein Bild");
        f.close();
        ASSERT_TRUE(u.starte());
        EXPECT_EQ(kmk::fahrten1().Markenvariante, 1);
        EXPECT_TRUE(u.form->Picture1->isHidden());
        EXPECT_FALSE(u.form->Label122N->isHidden());
        EXPECT_FALSE(u.form->Label55->isHidden());
        // The download window loaded knowing the variant.
        auto* dl = qobject_cast<kmk::FDownloadFenster*>(u.form->FDownload);
        ASSERT_NE(dl, nullptr);
        EXPECT_EQ(dl->geladenMitVariante(), 1);
        EXPECT_TRUE(dl->isHidden());
        for (QWidget* w : {u.form->FKunden, u.form->FSuchen, u.form->FText})
            ASSERT_NE(w, nullptr);
        EXPECT_EQ(u.form->FText->windowTitle(), QString("Brimo Kilometrika Hilfstexte"));
    }
    {
        Umgebung u("2016", "Ptq");
        ASSERT_TRUE(u.starte());   // no icon file at all
        EXPECT_EQ(kmk::fahrten1().Markenvariante, 2);
        EXPECT_TRUE(u.form->Label122N->isHidden());
        EXPECT_TRUE(u.form->Label55->isHidden());
    }
    {
        Umgebung u("2016", "Rnz");
        ASSERT_TRUE(u.starte());
        EXPECT_EQ(kmk::fahrten1().Markenvariante, 10);
        EXPECT_FALSE(u.form->Picture1->isHidden());
    }
    {
        Umgebung u("2016", "kxt");   // other case: no brand
        ASSERT_TRUE(u.starte());
        EXPECT_EQ(kmk::fahrten1().Markenvariante, 0);
        EXPECT_EQ(u.form->FDownload, nullptr);
    }
}

TEST(Startup, ZoomAndPrintScaleOutOfRangeFallBackToTheDefaults)
{
    Umgebung u("2016", "Kxt");
    ASSERT_TRUE(u.starte());
    kmk::VoreinstellungSatz v = kmk::VoreinstellungSatz::ausBytes(u.lies("Vor2016.dat"));
    v.ZoomIndex = 31;
    v.DruckskalaIndex = 23;
    v.Druckanpassung = -1;
    QFile f(u.pfad("Vor2016.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(v.zuBytes());
    f.close();
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(u.form->ctl<QListWidget>("List4")->currentItem()->text(), QString("85"));
    EXPECT_EQ(u.form->ctl<QListWidget>("List5")->currentItem()->text(), QString("80"));
    EXPECT_FALSE(u.form->ctl<QListWidget>("List5")->isEnabled());
    EXPECT_TRUE(u.form->ctl("Label76")->isHidden());
    EXPECT_EQ(u.form->ctl<QAbstractButton>("Command8")->text(), QString("Mit autom. Druckanpassung"));

    v.ZoomIndex = 25;
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(v.zuBytes());
    f.close();
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(u.form->ctl<QListWidget>("List4")->currentItem()->text(), QString("140"));
}

TEST(Startup, ClosingWritesTheCurrentVehicleIntoTheSettings)
{
    Umgebung u("2016", "Kxt");
    ASSERT_TRUE(u.starte());
    int vollsicherung = 0;
    u.form->services.SicherheitscopyNeu = [&] { ++vollsicherung; };
    kmk::fahrten1().AktuellesFahrzeug = 3;
    u.form->Form_QueryUnload();
    EXPECT_EQ(vollsicherung, 1);
    EXPECT_EQ(vb::getI16(u.lies("Vor2016.dat"), 327), 3);
    // Both close paths meeting make one backup.
    u.form->Form_QueryUnload();
    u.form->Command17_Click();
    EXPECT_EQ(vollsicherung, 1);

    // "Beenden" keeps the last vehicle as it was.
    ASSERT_TRUE(u.starte());
    kmk::fahrten1().AktuellesFahrzeug = 2;
    int schnell = 0;
    u.form->services.Sicherheitscopy = [&] { ++schnell; };
    u.form->Command17_Click();
    EXPECT_EQ(schnell, 1);
    EXPECT_EQ(vb::getI16(u.lies("Vor2016.dat"), 327), 3);

    // An older write-protected copy the quick backup cannot replace is said.
    ASSERT_TRUE(u.starte());
    ASSERT_TRUE(u.schreibe("Sicherheit/Vor2016.dat", "alt"));
    ASSERT_TRUE(QFile::setPermissions(u.pfad("Sicherheit/Vor2016.dat"), QFileDevice::ReadOwner));
    u.fakes.dialogs.shown.clear();
    u.form->Command17_Click();
    EXPECT_EQ(u.klartexte(), QStringList{"Beim erstellen der Sicherheitscopy ist ein Fehler aufgetreten!"});
    EXPECT_EQ(u.lies("Sicherheit/Vor2016.dat"), "alt");
}

TEST(Startup, SplashEndsTheProgramWithStatusOneAfterAFatalMessage)
{
    Umgebung u("2016", "Kxt", QDate(2016, 6, 15), false);
    kmk::FStart splash;
    EXPECT_EQ(splash.Timer1->interval(), 2000);
    EXPECT_TRUE(splash.Timer1->isActive());
    QEventLoop loop;
    QTimer::singleShot(0, &splash, [&] { splash.Timer1_Timer(); });
    QTimer::singleShot(5000, &loop, [&] { loop.exit(99); });
    EXPECT_EQ(loop.exec(), 1);
    EXPECT_EQ(splash.form1(), nullptr);
    EXPECT_TRUE(u.dateien().isEmpty());
}

TEST(Startup, SplashShowsTheMainWindowAndCloses)
{
    Umgebung u;
    auto* splash = new kmk::FStart;
    splash->show();
    splash->Timer1_Timer();
    EXPECT_FALSE(splash->Timer1->isActive());
    ASSERT_NE(splash->form1(), nullptr);
    EXPECT_TRUE(splash->form1()->isVisible());
    EXPECT_FALSE(splash->isVisible());
    EXPECT_EQ(splash->form1()->windowTitle(), QString("Brimo Kilometrika 2016 --- Version  21.0.1"));
    splash->form1()->hide();
    delete splash->form1();
    delete splash;
}

namespace {
void schreibe(const QString& pfad, const QByteArray& inhalt);
} // namespace

TEST(Startup, AShortVehicleFileLeavesTheMissingRowsEmpty)
{
    Umgebung u;
    kmk::KfzGrundeinstellung k;
    k.Kennzeichen = "B-AB 1";
    k.Anfangskm = 77;
    k.Halter = "Eins";
    k.Standort = "Aachen";
    k.Privatfahrzeug = -1;
    QFile f(u.pfad("Auto2016.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(k.zuBytes());
    f.close();
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(u.form->KfzEingabe[0]->text(), QString("B-AB 1"));
    EXPECT_EQ(u.form->KmEingabe[0]->text(), QString("77"));
    EXPECT_TRUE(u.form->PrivatPkw[0]->isChecked());
    for (int i = 1; i < 4; ++i) {
        EXPECT_TRUE(u.form->KfzEingabe[i]->text().isEmpty());
        EXPECT_TRUE(u.form->KmEingabe[i]->text().isEmpty());
        EXPECT_TRUE(u.form->Aktu_Auto[i]->isHidden());
    }
    EXPECT_FALSE(u.form->Aktu_Auto[0]->isHidden());
    EXPECT_EQ(u.lies("Auto2016.dat").size(), 109);

    // A record cleared to zero bytes is an empty slot, not a vehicle.
    k.Kennzeichen = "K-XY 9";
    QByteArray zwei = k.zuBytes();
    zwei.append(QByteArray(109, '\0'));
    vb::setText(zwei, 109 + 19, 30, "Erika");
    schreibe(u.pfad("Auto2016.dat"), zwei);
    ASSERT_TRUE(u.starte());
    EXPECT_TRUE(u.form->KfzEingabe[1]->text().isEmpty());
    EXPECT_TRUE(u.form->KmEingabe[1]->text().isEmpty());
    EXPECT_EQ(u.form->HalterEingabe[1]->text(), QString("Erika"));
    EXPECT_TRUE(u.form->Aktu_Auto[1]->isHidden());
    EXPECT_FALSE(kmk::fahrten1().KfzBelegt[2]);
}

TEST(Startup, UnregisteredControlsLeavePlaceholdersAndStartUpGoesOn)
{
    Umgebung u("2007", "Kxt", QDate(2007, 5, 5));
    const QByteArray alt = qgetenv("KILOMETRIKA_REGISTRY");
    qputenv("KILOMETRIKA_REGISTRY", QFile::encodeName(u.pfad("leer.ini")));
    const bool ok = u.starte();
    qputenv("KILOMETRIKA_REGISTRY", alt);
    ASSERT_TRUE(ok);
    QWidget* qkc = u.form->ctl("QKC");
    ASSERT_NE(qkc, nullptr);
    EXPECT_EQ(qobject_cast<com::ControlHost*>(qkc), nullptr);
    EXPECT_EQ(kmk::mw::calGet(qkc, "MinDate"), 39083);
    EXPECT_EQ(kmk::mw::calGet(qkc, "MaxDate"), 39447);
    EXPECT_EQ(kmk::mw::calGet(qkc, "Date"), vb::DateSerial(2007, 5, 5));
    EXPECT_NE(u.form->ctl("QKSpin1"), nullptr);
    EXPECT_EQ(u.form->windowTitle(), QString("Brimo Kilometrika 2007 --- Version  12.0.1"));
}

TEST(Startup, DamagedFilesNeitherCrashNorStopTheStart)
{
    {
        // A configuration that is no sequence of hexadecimal pairs.
        Umgebung u("2016", "Kxt", QDate(2016, 6, 15), false);
        QFile f(u.pfad("DTSD.kxt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(329, 'Z'));
        f.close();
        EXPECT_FALSE(u.starte());
        EXPECT_EQ(u.klartexte(), QStringList{"Bei der Jahreseinstellung ist ein fehler aufgetreten!"});
        EXPECT_EQ(u.dateien(), QStringList{"DTSD.kxt"});
    }
    {
        // Vehicle and settings files that cannot be opened as files.
        Umgebung u;
        QDir(u.dir.path()).mkdir("Auto2016.dat");
        QDir(u.dir.path()).mkdir("Vor2016.dat");
        ASSERT_TRUE(u.starte());
        EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 0);
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(u.form->Aktu_Auto[k]->isHidden());
        EXPECT_TRUE(QFileInfo(u.pfad("Vor2016.dat")).isDir());
    }
    {
        // A settings file cut short: read as far as it goes.
        Umgebung u;
        ASSERT_TRUE(u.starte());
        QFile f(u.pfad("Vor2016.dat"));
        ASSERT_TRUE(f.resize(40));
        ASSERT_TRUE(u.starte());
        EXPECT_EQ(u.form->windowTitle(), QString("Brimo Kilometrika 2016 --- Version  21.0.1"));
    }
}

namespace {
void schreibe(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}
} // namespace

TEST(Startup, LastYearsTripMemoryIsTakenOverFromTheNeighbouringInstallation)
{
    kmktest::Umgebung u;
    QDir basis(u.dir.path());
    basis.mkdir("Kilo2016");
    basis.mkdir("Kilo2015");
    const QString dieses = u.dir.path() + "/Kilo2016";
    const QString letztes = u.dir.path() + "/Kilo2015";
    ASSERT_TRUE(kmktest::schreibeDtsd(dieses, "2016", "Kxt"));
    kmk::setProgrammPfadVorgabe(dieses);

    // Last year's data without its program is not an installation: nothing copied.
    const QByteArray speicher(460 * 2, 'x');
    schreibe(letztes + "/Kund2015.dat", speicher);
    ASSERT_TRUE(u.starte());
    EXPECT_FALSE(QFile::exists(dieses + "/Kund2016.dat"));

    schreibe(letztes + "/Kilometrika", "#!");
    ASSERT_TRUE(u.starte());
    QFile kopie(dieses + "/Kund2016.dat");
    ASSERT_TRUE(kopie.open(QIODevice::ReadOnly));
    EXPECT_EQ(kopie.readAll(), speicher);
    kopie.close();

    // This year's own trip memory is never replaced.
    schreibe(dieses + "/Kund2016.dat", "eigen");
    ASSERT_TRUE(u.starte());
    QFile eigen(dieses + "/Kund2016.dat");
    ASSERT_TRUE(eigen.open(QIODevice::ReadOnly));
    EXPECT_EQ(eigen.readAll(), QByteArray("eigen"));
}

TEST(Startup, AnEmptySettingsFileIsWrittenWithTheFirstStartDefaults)
{
    Umgebung u;
    schreibe(u.pfad("Vor2016.dat"), QByteArray());
    ASSERT_TRUE(u.starte());
    const QString pp = kmk::fahrten1().Programmpfad;
    const QByteArray vor = u.lies("Vor2016.dat");
    ASSERT_EQ(vor.size(), 329);
    EXPECT_EQ(vor, erwarteteVoreinstellung(pp, true, vor.mid(48, 25)));
    EXPECT_EQ(kmk::fahrten1().Sicherungspfad, pp + "Sicherheit/");
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.Sicherungsintervall, 20);
    EXPECT_EQ(u.form->ctl<QListWidget>("List4")->currentItem()->text(), QString("85"));
}

TEST(Startup, ASettingsFileCutBeforeTheBackupFolderKeepsTheBackupsUnderTheProgramFolder)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    QFile f(u.pfad("Vor2016.dat"));
    ASSERT_TRUE(f.resize(40));
    ASSERT_TRUE(u.starte());
    const QString pp = kmk::fahrten1().Programmpfad;
    EXPECT_EQ(kmk::fahrten1().Sicherungspfad, pp + "Sicherheit/");
    EXPECT_EQ(u.form->Dir1->Path() + "/", pp + "Sicherheit/");
    // The rest is kept aside and the settings start afresh.
    EXPECT_EQ(u.lies("Vor2016.dat").size(), 329);

    // A folder of blanks is no folder either.
    kmk::VoreinstellungSatz v = kmk::VoreinstellungSatz::ausBytes(u.lies("Vor2016.dat").leftJustified(329, '\0'));
    v.Sicherungsordner = "   ";
    schreibe(u.pfad("Vor2016.dat"), v.zuBytes());
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(kmk::fahrten1().Sicherungspfad, pp + "Sicherheit/");
}

TEST(Startup, WithoutAVehicleTheBoxesShowTheStoredSettings)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    forms::setValue(u.form->Check3, 1);
    forms::setValue(u.form->Check8, 0);   // times on: preset and allowance with them
    forms::setValue(u.form->Check4, 0);
    u.form->Form_QueryUnload();
    const QByteArray vor = u.lies("Vor2016.dat");

    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 0);
    EXPECT_EQ(forms::value(f.Check1), 1);
    EXPECT_EQ(forms::value(f.Check3), 1);
    EXPECT_EQ(forms::value(f.Check8), 0);
    EXPECT_EQ(forms::value(f.Check5), 1);
    EXPECT_EQ(forms::value(f.Check4), 0);
    EXPECT_EQ(forms::value(f.Check10), 1);
    EXPECT_EQ(forms::value(f.Check11), 1);
    EXPECT_EQ(forms::value(f.Check12), 0);
    EXPECT_TRUE(f.Check1->font().bold());
    EXPECT_FALSE(f.Check4->isHidden());
    // Unused slots show empty rows, as on the first start.
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(f.KmEingabe[k]->text().isEmpty()) << k;
    // The options in force are those stored, unchanged by showing them.
    u.form->Form_QueryUnload();
    EXPECT_EQ(u.lies("Vor2016.dat"), vor);

    // A first vehicle takes its copy from what the boxes show.
    forms::setText(f.KfzEingabe[0], "B-AB 1");
    forms::setText(f.KmEingabe[0], "1000");
    forms::setText(f.StandortEingabe[0], "Aachen");
    forms::setText(f.HalterEingabe[0], "Eins");
    f.Command1_Click(0);
    const kmk::KfzGrundeinstellung k = kmk::KfzGrundeinstellung::ausBytes(u.lies("Auto2016.dat").left(109));
    EXPECT_EQ(k.Journalfunktion, -1);
    EXPECT_EQ(k.PrivatNurKm, -1);
    EXPECT_EQ(k.Sprachausgabe, -1);
}

TEST(Startup, LeftoverTemporariesGoAndAFifoSettingsFileIsRefusedWithAMessage)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    const QByteArray vorher = u.lies("Auto2016.dat");
    u.form.reset();
    // what an interrupted rewrite leaves (its writer's number is no process's),
    // beside files that are not its own
    for (const char* n : {".Auto1_16.dat.neu-99999999-1x3k9", ".Vor2016.dat.neu-99999999-0", "Notizen.neu-1x", "Sicherheit/.Vor2016.dat.neu-99999999-7"}) {
        QFile f(u.pfad(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << n;
        f.write(QByteArray(100, 'x'));
    }
    QFile::remove(u.pfad("Vor2016.dat"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(u.pfad("Vor2016.dat")).constData(), 0600), 0);

    ASSERT_TRUE(u.starte());   // goes on as with a missing settings file
    EXPECT_FALSE(QFile::exists(u.pfad(".Auto1_16.dat.neu-99999999-1x3k9")));
    EXPECT_FALSE(QFile::exists(u.pfad(".Vor2016.dat.neu-99999999-0")));
    EXPECT_TRUE(QFile::exists(u.pfad("Notizen.neu-1x")));
    EXPECT_FALSE(QFile::exists(u.pfad("Sicherheit/.Vor2016.dat.neu-99999999-7")));   // the backup folder's too
    ASSERT_FALSE(u.klartexte().isEmpty());
    EXPECT_EQ(u.klartexte().first(),
              QString("Die Datei \"Vor2016.dat\" ist keine gewöhnliche Datei und kann nicht gelesen werden. "
                      "Sie wird wie eine fehlende Datei behandelt."));
    EXPECT_EQ(u.lies("Auto2016.dat"), vorher);
    EXPECT_FALSE(QFileInfo(u.pfad("Vor2016.dat")).isFile());
}

TEST(Startup, TheStoredPrintRangeComesBack)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    u.form.reset();
    auto v = kmk::VoreinstellungSatz::ausBytes(u.lies("Vor2016.dat"));
    v.DruckAb = vb::DateSerial(2016, 3, 15);    // 42444
    v.DruckBis = vb::DateSerial(2016, 10, 20);  // 42663
    {
        QFile f(u.pfad("Vor2016.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(v.zuBytes());
    }
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    EXPECT_EQ(kmk::mw::calGet(f.ctl("QKC2"), "Date"), 42444);
    EXPECT_EQ(kmk::mw::calGet(f.ctl("QKC3"), "Date"), 42663);
    EXPECT_EQ(f.ctl<QLabel>("Label29")->text(), QString("Druck beginnt mit: 15.03.2016"));
    EXPECT_EQ(f.ctl<QLabel>("Label47")->text(), QString("Druck endet mit: 20.10.2016"));
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.DruckAb, 42444);
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.DruckBis, 42663);
}

TEST(Startup, AVehicleFileHoldingLessThanOneVehicleIsKeptBeforeItIsWrittenAnew)
{
    Umgebung u("2016", "Kxt");
    QByteArray rest(50, ' ');
    rest.replace(0, 8, "MS-K 123");
    QFile f(u.pfad("Auto2016.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(rest);
    f.close();
    ASSERT_TRUE(u.starte());
    // The rest of the damaged file is kept, the user is told, and the
    // file holds four empty vehicles again.
    const QStringList kopien = QDir(u.pfad("Sicherheit")).entryList({"Auto2016_beschaedigt_*.dat"}, QDir::Files);
    ASSERT_EQ(kopien.size(), 1);
    QFile k(u.pfad("Sicherheit/" + kopien[0]));
    ASSERT_TRUE(k.open(QIODevice::ReadOnly));
    EXPECT_EQ(k.readAll(), rest);
    ASSERT_EQ(u.klartexte().size(), 1);
    EXPECT_TRUE(u.klartexte()[0].startsWith(QString::fromUtf8("Die Fahrzeugdatei \"Auto2016.dat\" war beschädigt")));
    EXPECT_EQ(u.lies("Auto2016.dat").size(), 4 * 109);
}

TEST(Startup, ASettingsFileCutShortOfARecordIsKeptAndStartedAfreshWithTheJournalOn)
{
    Umgebung u("2016", "Kxt");
    ASSERT_TRUE(u.starte());
    QFile f(u.pfad("Vor2016.dat"));
    ASSERT_TRUE(f.resize(100));
    const QByteArray rest = u.lies("Vor2016.dat");
    ASSERT_TRUE(u.starte());
    const QStringList kopien = QDir(u.pfad("Sicherheit")).entryList({"Vor2016_beschaedigt_*.dat"}, QDir::Files);
    ASSERT_EQ(kopien.size(), 1);
    QFile k(u.pfad("Sicherheit/" + kopien[0]));
    ASSERT_TRUE(k.open(QIODevice::ReadOnly));
    EXPECT_EQ(k.readAll(), rest);
    ASSERT_FALSE(u.klartexte().isEmpty());
    EXPECT_TRUE(u.klartexte()[0].startsWith(QString::fromUtf8("Die Einstellungsdatei \"Vor2016.dat\" war beschädigt")));
    const QByteArray neu = u.lies("Vor2016.dat");
    ASSERT_EQ(neu.size(), 329);
    EXPECT_EQ(vb::getI16(neu, 323), -1);   // the journal stays on
    EXPECT_NE(kmk::fahrten1().Voreinstellung.Journalfunktion, 0);
}

TEST(Startup, AFolderInATripFilesPlaceIsNamedAtStart)
{
    Umgebung u("2016", "Kxt");
    ASSERT_TRUE(QDir(u.dir.path()).mkdir("Auto1_16.dat"));
    ASSERT_TRUE(u.starte());
    EXPECT_TRUE(u.klartexte().contains(QString::fromUtf8(
        "Die Datei \"Auto1_16.dat\" ist keine gewöhnliche Datei und kann nicht gelesen werden. "
        "Sie wird wie eine fehlende Datei behandelt.")));
}

TEST(Startup, AFileLargerThanItsFormatIsKeptAsideOnlyAsFarAsTheFormatReachesAndOneRecord)
{
    struct Fall { const char* datei; qint64 groesse; qint64 kopiert; const char* text; };
    const Fall faelle[] = {
        {"Auto1_16.dat", 32767LL * 671 + 1, 32767LL * 671 + 1,
         "Die Datei \"Auto1_16.dat\" endet mit einem unvollständigen Datensatz. Er wird beim nächsten Speichern "
         "überschrieben. Die Datei wurde vorher unter \"%1\" gesichert."},
        {"Auto1_16.dat", 32768LL * 671 + 1, 32768LL * 671,
         "Die Datei \"Auto1_16.dat\" ist größer, als eine Fahrtdatei sein kann, und endet mit einem unvollständigen "
         "Datensatz. Ihre ersten 32768 Datensätze wurden unter \"%1\" gesichert."},
        {"Kund2016.dat", 801LL * 460 + 1, 801LL * 460,
         "Die Datei \"Kund2016.dat\" ist größer, als ein Fahrtenspeicher sein kann, und endet mit einem "
         "unvollständigen Datensatz. Ihre ersten 801 Datensätze wurden unter \"%1\" gesichert."},
    };
    for (const Fall& f : faelle) {
        Umgebung u("2016", "Kxt");
        {
            QFile d(u.pfad(f.datei));
            ASSERT_TRUE(d.open(QIODevice::WriteOnly));
            d.write("Anfang");
            ASSERT_TRUE(d.resize(f.groesse));   // the rest sparse
        }
        ASSERT_TRUE(u.starte());
        const QString kopie = u.pfad("Sicherheit/" + QFileInfo(f.datei).completeBaseName()
                                     + "_beschaedigt_20160615_1200.dat");
        EXPECT_EQ(QFileInfo(kopie).size(), f.kopiert) << f.groesse;
        EXPECT_EQ(QFileInfo(u.pfad(f.datei)).size(), f.groesse);
        ASSERT_FALSE(u.klartexte().isEmpty());
        EXPECT_EQ(u.klartexte()[0], QString::fromUtf8(f.text).arg(kopie));
    }
}

TEST(Startup, ATripFileEndingInPartOfARecordIsKeptAsideAndNamed)
{
    Umgebung u("2016", "Kxt");
    QByteArray inhalt(2 * 671 + 300, 'x');
    schreibe(u.pfad("Auto1_16.dat"), inhalt);
    schreibe(u.pfad("Kund2016.dat"), QByteArray(300, 'k'));
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(QDir(u.pfad("Sicherheit")).entryList({"Kund2016_beschaedigt_*.dat"}, QDir::Files).size(), 1);
    const QStringList kopien = QDir(u.pfad("Sicherheit")).entryList({"Auto1_16_beschaedigt_*.dat"}, QDir::Files);
    ASSERT_EQ(kopien.size(), 1);
    QFile k(u.pfad("Sicherheit/" + kopien[0]));
    ASSERT_TRUE(k.open(QIODevice::ReadOnly));
    EXPECT_EQ(k.readAll(), inhalt);
    ASSERT_FALSE(u.klartexte().isEmpty());
    EXPECT_TRUE(u.klartexte()[0].startsWith(QString::fromUtf8(
        "Die Datei \"Auto1_16.dat\" endet mit einem unvollständigen Datensatz.")));
    EXPECT_EQ(u.lies("Auto1_16.dat"), inhalt);   // the start itself writes nothing
}
