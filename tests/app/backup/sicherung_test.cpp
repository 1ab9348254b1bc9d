// Quick and full backups, the backup folder page and the restore.
#include "app/backup/sicherung.h"
#include "app/backup/sicherungsseite.h"
#include "app/backup/wiederherstellen.h"
#include "app/records/jahr.h"
#include "platform/forms/dirlist.h"
#include "platform/forms/fakes.h"
#include "platform/io/atomic.h"
#include "platform/io/folders.h"
#include "platform/io/schritte.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace kmk;

namespace {

struct Ordner {
    QTemporaryDir dir;
    forms::ScopedFakes fakes;
    Fahrten1 st;
    QStringList meldungen;

    Ordner()
    {
        st.setzeProgrammpfad(dir.path());
        st.Jahr = "2016";
        Jahr_ini(st);
        st.Kundendatei = "Kund2016.dat";
        st.AktuellesFahrzeug = 1;
        st.Fahrtdatei = st.fahrtdateiName(1);
        st.Sicherungspfad = st.Programmpfad + "Sicherheit/";
        st.Voreinstellung.Sicherungsordner = st.Sicherungspfad;
        QDir(dir.path()).mkpath("Sicherheit");
        for (const char* n : {"Auto2016.dat", "Vor2016.dat", "Kund2016.dat"})
            schreibe(n, QByteArray(n) + " v1");
    }
    QString pfad(const QString& n) const { return dir.filePath(n); }
    void schreibe(const QString& n, const QByteArray& b) const
    {
        QFile f(pfad(n));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(b);
    }
    void fahrten(int fahrzeug, int anzahl, char zeichen = 'x') const
    {
        schreibe(QString("Auto%1_16.dat").arg(fahrzeug), QByteArray(671 * anzahl, zeichen));
    }
    QByteArray inhalt(const QString& n) const
    {
        QFile f(pfad(n));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList eintraege(const QString& unter) const
    {
        return QDir(pfad(unter)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    void voll() { SicherheitscopyNeu(st, [this](const QString& t) { meldungen << t; }); }
};

} // namespace

TEST(Sicherung, NamesAndInterval)
{
    EXPECT_EQ(Vollsicherungsname({0, 12, 0, 4, 0}), "Au1-12 E_Au3-4 E");
    EXPECT_EQ(Vollsicherungsname({0, 0, 7, 0, 0}), "_Au2-7 E");
    EXPECT_EQ(Vollsicherungsname({0, 1, 2, 3, 4}), "Au1-1 E_Au2-2 E_Au3-3 E_Au4-4 E");
    EXPECT_EQ(Vollsicherungsname({}), "");
    EXPECT_EQ(Schnellsicherungsname(2, 40), "Auto2_AnzahlEintra_40.dat");
    const std::pair<qint16, int> intervalle[] = {{20, 20}, {10, 10}, {1, 1}, {0, 20}, {-3, 20}};
    for (const auto& [gespeichert, gilt] : intervalle) {
        VoreinstellungSatz v;
        v.Sicherungsintervall = gespeichert;
        EXPECT_EQ(Sicherungsintervall(v), gilt) << gespeichert;
    }
}

TEST(Sicherung, FullBackupCopiesEveryDataFileOnceIntoItsNamedFolder)
{
    Ordner o;
    o.fahrten(1, 12, 'a');
    o.fahrten(2, 0);   // empty: neither name piece nor copy
    o.fahrten(3, 4, 'c');
    o.voll();
    EXPECT_TRUE(o.meldungen.isEmpty());
    EXPECT_EQ(o.eintraege("Sicherheit"), QStringList{"Au1-12 E_Au3-4 E"});
    const QString ziel = "Sicherheit/Au1-12 E_Au3-4 E/";
    EXPECT_EQ(o.eintraege(ziel), (QStringList{"Auto1_16.dat", "Auto2016.dat", "Auto3_16.dat", "Kund2016.dat", "Vor2016.dat"}));
    for (const char* n : {"Auto1_16.dat", "Auto3_16.dat", "Vor2016.dat"})
        EXPECT_EQ(o.inhalt(ziel + n), o.inhalt(n)) << n;

    // The same counts and the same files again: nothing is copied.
    int kopien = 0;
    Kopierfunktion echt = sicherungsKopie();
    sicherungsKopie() = [&](const QString& von, const QString& nach) { return ++kopien, echt(von, nach); };
    o.voll();
    EXPECT_EQ(kopien, 0);
    sicherungsKopie() = echt;
}

TEST(Sicherung, AFullBackupAfterAChangeInPlaceIsMadeAgainUnderItsName)
{
    Ordner o;
    o.fahrten(1, 3, 'a');
    o.voll();
    // Fuel entered on a stored trip: the counts, and so the name, stay.
    o.fahrten(1, 3, 'b');
    o.schreibe("Vor2016.dat", "v2");
    o.voll();
    EXPECT_TRUE(o.meldungen.isEmpty());
    EXPECT_EQ(o.eintraege("Sicherheit"), QStringList{"Au1-3 E"});
    const QString ziel = "Sicherheit/Au1-3 E/";
    EXPECT_EQ(o.eintraege(ziel), (QStringList{"Auto1_16.dat", "Auto2016.dat", "Kund2016.dat", "Vor2016.dat"}));
    for (const char* n : {"Auto1_16.dat", "Auto2016.dat", "Kund2016.dat", "Vor2016.dat"})
        EXPECT_EQ(o.inhalt(ziel + n), o.inhalt(n)) << n;
}

TEST(Sicherung, AKillAtAnyStepOfAFullBackupLeavesOneWholeBackupAndNothingHidden)
{
    // A first backup and one made again after a change in place.
    for (const bool nochmal : {false, true}) {
        for (long schritt = 1;; ++schritt) {
            Ordner o;
            o.fahrten(1, 3, 'a');
            if (nochmal)
                o.voll();
            o.fahrten(1, 3, 'b');
            const pid_t kind = ::fork();
            if (kind == 0) {
                io::pruefstand::absturzBei(schritt);
                o.voll();
                ::_exit(0);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(kind, &status, 0), kind);
            ASSERT_TRUE(WIFEXITED(status));
            SicherungsresteEntfernen(o.st);
            EXPECT_EQ(o.eintraege("Sicherheit").filter(QRegularExpression("^\\.")), QStringList{}) << schritt;
            const QString ziel = "Sicherheit/Au1-3 E/";
            if (nochmal || QFileInfo::exists(o.pfad(ziel))) {
                EXPECT_EQ(o.eintraege(ziel), (QStringList{"Auto1_16.dat", "Auto2016.dat", "Kund2016.dat", "Vor2016.dat"}))
                    << nochmal << " " << schritt;
                const QByteArray fahrten = o.inhalt(ziel + "Auto1_16.dat");
                EXPECT_TRUE(fahrten == QByteArray(3 * 671, 'a') || fahrten == QByteArray(3 * 671, 'b')) << schritt;
            }
            EXPECT_EQ(o.inhalt("Auto1_16.dat"), QByteArray(3 * 671, 'b'));
            if (WEXITSTATUS(status) == 0)
                break;   // the backup ran to its end
        }
    }
}

TEST(Sicherung, FullBackupWithoutTripsCreatesNothing)
{
    Ordner o;
    o.fahrten(1, 0);
    o.voll();
    EXPECT_TRUE(o.eintraege("Sicherheit").isEmpty());
    EXPECT_TRUE(o.meldungen.isEmpty());
}

TEST(Sicherung, FullBackupGoesToTheStandardFolderWhenTheStoredOneIsNoFolderHere)
{
    for (const char* gespeichert : {"C:\\Kilo\\Sicherheit\\", "Sicherheit/", "/gibt/es/nicht/"}) {
        Ordner o;
        o.fahrten(2, 7);
        o.st.Voreinstellung.Sicherungsordner = gespeichert;
        o.voll();
        EXPECT_EQ(o.eintraege("Sicherheit"), QStringList{"_Au2-7 E"}) << gespeichert;
    }
}

TEST(Sicherung, AFailedCopyLeavesNoFolderUnderABackupName)
{
    for (int fehlschlag = 1; fehlschlag <= 4; ++fehlschlag) {
        Ordner o;
        o.fahrten(1, 3);
        const QByteArray vorher = o.inhalt("Auto1_16.dat");
        int aufruf = 0;
        Kopierfunktion echt = sicherungsKopie();
        sicherungsKopie() = [&](const QString& von, const QString& nach) {
            return ++aufruf == fehlschlag ? false : echt(von, nach);
        };
        o.voll();
        sicherungsKopie() = echt;
        EXPECT_TRUE(o.eintraege("Sicherheit").isEmpty()) << fehlschlag;
        EXPECT_EQ(o.meldungen, QStringList{"Beim erstellen der Sicherheitscopy ist ein Fehler aufgetreten!"});
        EXPECT_EQ(o.inhalt("Auto1_16.dat"), vorher);
    }
}

TEST(Sicherung, AFullBackupHasTheRightsOfTheUsersOtherFoldersAndFiles)
{
    struct Fall { mode_t umask; mode_t ordner; mode_t datei; };
    for (const Fall f : {Fall{022, 0755, 0644}, Fall{027, 0750, 0640}, Fall{002, 0775, 0664}}) {
        const mode_t vorher = ::umask(f.umask);
        Ordner o;
        o.fahrten(1, 2);
        o.voll();
        ::umask(vorher);
        struct stat s {};
        ASSERT_EQ(::stat(QFile::encodeName(o.pfad("Sicherheit/Au1-2 E")).constData(), &s), 0);
        EXPECT_EQ(s.st_mode & 07777, f.ordner) << std::oct << f.umask;
        for (const char* n : {"Auto1_16.dat", "Vor2016.dat"}) {
            ASSERT_EQ(::stat(QFile::encodeName(o.pfad(QString("Sicherheit/Au1-2 E/") + n)).constData(), &s), 0);
            EXPECT_EQ(s.st_mode & 07777, f.datei) << n << " " << std::oct << f.umask;
        }
    }
}

TEST(Sicherung, QuickBackupKeepsEachCountOnceAndRefreshesTheOtherFiles)
{
    Ordner o;
    o.fahrten(1, 40);
    o.fahrten(3, 5, 'c');
    o.schreibe("Sicherheit/Auto3_AnzahlEintra_5.dat", "alt");
    o.st.Satznummer = 40;
    o.st.Voreinstellung.Sicherungsordner = o.pfad("anderswo/");
    Sicherheitscopy(o.st);
    EXPECT_EQ(o.st.Voreinstellung.Sicherungsordner, o.st.Programmpfad + "Sicherheit/");
    EXPECT_EQ(o.eintraege("Sicherheit"), (QStringList{"Auto1_AnzahlEintra_40.dat", "Auto2016.dat",
                                                      "Auto3_AnzahlEintra_5.dat", "Kund2016.dat", "Vor2016.dat"}));
    EXPECT_EQ(o.inhalt("Sicherheit/Auto1_AnzahlEintra_40.dat"), o.inhalt("Auto1_16.dat"));
    EXPECT_EQ(o.inhalt("Sicherheit/Auto3_AnzahlEintra_5.dat"), "alt");

    // The same count again: the whole backup is skipped.
    o.schreibe("Vor2016.dat", "v2");
    Sicherheitscopy(o.st);
    EXPECT_EQ(o.inhalt("Sicherheit/Vor2016.dat"), "Vor2016.dat v1");

    // One trip more: the settings copy is refreshed, not kept stale.
    o.fahrten(1, 41);
    o.st.Satznummer = 41;
    Sicherheitscopy(o.st);
    EXPECT_EQ(o.inhalt("Sicherheit/Vor2016.dat"), "v2");
    EXPECT_TRUE(QFile::exists(o.pfad("Sicherheit/Auto1_AnzahlEintra_41.dat")));
}

TEST(Sicherung, ALinkPlantedAtACopysNameIsReplacedAndItsTargetStaysAsItWas)
{
    // At each name a backup writes into the backup folder; a safety copy
    // (restore, deletion, import, damaged file) takes the same road.
    for (const char* name : {"Vor2016.dat", "Auto2016.dat", "Kund2016.dat", "Auto1_AnzahlEintra_3.dat"}) {
        Ordner o;
        o.fahrten(1, 3, 'a');
        o.st.Satznummer = 3;
        QDir(o.dir.path()).mkpath("Fremd");
        o.schreibe("Fremd/ziel.dat", "fremd");
        const QString link = o.pfad(QString("Sicherheit/") + name);
        // To a file, and to nothing for the quick backup file (which is
        // never written over when it is there).
        const bool insLeere = QString(name).contains("Anzahl");
        ASSERT_TRUE(QFile::link(o.pfad(insLeere ? "Fremd/neu.dat" : "Fremd/ziel.dat"), link));
        Sicherheitscopy(o.st);
        EXPECT_FALSE(QFileInfo(link).isSymLink()) << name;
        EXPECT_EQ(o.inhalt(QString("Sicherheit/") + name), o.inhalt(insLeere ? "Auto1_16.dat" : name)) << name;
        EXPECT_EQ(o.eintraege("Fremd"), QStringList{"ziel.dat"}) << name;
        EXPECT_EQ(o.inhalt("Fremd/ziel.dat"), "fremd") << name;
    }
}

TEST(Sicherung, AQuickBackupThatCannotWriteACopySaysSoOnce)
{
    // Older write-protected copies in the backup folder, or no folder to write into.
    struct Fall { QStringList geschuetzt; bool ordnerIstDatei; bool meldung; };
    const Fall faelle[] = {
        {{}, false, false},
        {{"Auto2016.dat"}, false, true},
        {{"Vor2016.dat"}, false, true},
        {{"Auto2016.dat", "Vor2016.dat"}, false, true},
        {{}, true, true},
    };
    for (const Fall& f : faelle) {
        Ordner o;
        o.fahrten(1, 5);
        o.st.Satznummer = 5;
        if (f.ordnerIstDatei) {
            QDir(o.dir.path()).rmdir("Sicherheit");
            o.schreibe("Sicherheit", "keine Sicherung");
        }
        for (const QString& n : f.geschuetzt) {
            o.schreibe("Sicherheit/" + n, "alt");
            ASSERT_EQ(::chmod(QFile::encodeName(o.pfad("Sicherheit/" + n)).constData(), 0444), 0);
        }
        QStringList gezeigt;
        Sicherheitscopy(o.st, [&](const QString& t) { gezeigt << t; });
        const std::string fall = (f.geschuetzt.join(',') + (f.ordnerIstDatei ? "Datei" : "")).toStdString();
        EXPECT_EQ(gezeigt, f.meldung ? QStringList{"Beim erstellen der Sicherheitscopy ist ein Fehler aufgetreten!"}
                                     : QStringList{}) << fall;
        for (const QString& n : f.geschuetzt)
            EXPECT_EQ(o.inhalt("Sicherheit/" + n), "alt") << fall;
        if (!f.ordnerIstDatei) {
            EXPECT_EQ(o.inhalt("Sicherheit/Auto1_AnzahlEintra_5.dat"), o.inhalt("Auto1_16.dat")) << fall;
        }
    }
    // Only the trip file's own copy fails.
    Ordner o;
    o.fahrten(1, 5);
    o.st.Satznummer = 5;
    Kopierfunktion echt = sicherungsKopie();
    sicherungsKopie() = [&](const QString& von, const QString& nach) {
        return !nach.endsWith("/Auto1_AnzahlEintra_5.dat") && echt(von, nach);
    };
    QStringList gezeigt;
    Sicherheitscopy(o.st, [&](const QString& t) { gezeigt << t; });
    sicherungsKopie() = echt;
    EXPECT_EQ(gezeigt, QStringList{"Beim erstellen der Sicherheitscopy ist ein Fehler aufgetreten!"});
}

// A copy has its source's rights, so the copy of a protected file is
// protected too: the next backup must not stumble over it while it still
// holds the same bytes.
TEST(Sicherung, TheCopyOfAProtectedFileDoesNotHinderTheNextQuickBackup)
{
    Ordner o;
    ASSERT_EQ(::chmod(QFile::encodeName(o.pfad("Vor2016.dat")).constData(), 0444), 0);
    for (int anzahl : {5, 6}) {
        o.fahrten(1, anzahl);
        o.st.Satznummer = anzahl;
        QStringList gezeigt;
        Sicherheitscopy(o.st, [&](const QString& t) { gezeigt << t; });
        EXPECT_EQ(gezeigt, QStringList{}) << anzahl;
        EXPECT_EQ(o.inhalt(QString("Sicherheit/Auto1_AnzahlEintra_%1.dat").arg(anzahl)), o.inhalt("Auto1_16.dat"));
    }
    EXPECT_EQ(o.inhalt("Sicherheit/Vor2016.dat"), "Vor2016.dat v1");
}

TEST(Sicherung, QuickBackupOfTheCurrentVehicleIsMadeWhenAnotherHasItsCountAlready)
{
    Ordner o;
    o.fahrten(1, 4, 'a');
    o.fahrten(2, 5, 'b');
    o.st.Satznummer = 4;
    Sicherheitscopy(o.st);
    EXPECT_TRUE(QFile::exists(o.pfad("Sicherheit/Auto2_AnzahlEintra_5.dat")));

    // Vehicle 1 reaches vehicle 2's count: its own state is not backed up yet.
    o.fahrten(1, 5, 'a');
    o.st.Satznummer = 5;
    Sicherheitscopy(o.st);
    EXPECT_EQ(o.inhalt("Sicherheit/Auto1_AnzahlEintra_5.dat"), QByteArray(5 * 671, 'a'));
    EXPECT_EQ(o.inhalt("Sicherheit/Auto2_AnzahlEintra_5.dat"), QByteArray(5 * 671, 'b'));
}

TEST(Wiederherstellung, OnlyCtrlAltWithADigitOfTheMainKeyboard)
{
    const auto ca = Qt::ControlModifier | Qt::AltModifier;
    struct Fall { int code; int shift; Qt::KeyboardModifiers m; int k; };
    const Fall faelle[] = {
        {49, 6, ca, 1}, {52, 6, ca, 4}, {53, 6, ca, 0}, {48, 6, ca, 0},
        {50, 7, ca | Qt::ShiftModifier, 0}, {50, 2, Qt::ControlModifier, 0}, {50, 4, Qt::AltModifier, 0},
        {50, 6, ca | Qt::KeypadModifier, 0}, {98, 6, ca | Qt::KeypadModifier, 0},
        {50, 6, ca | Qt::GroupSwitchModifier, 0}, {50, 6, ca | Qt::MetaModifier, 0},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Wiederherstellungstaste(f.code, f.shift, f.m), f.k) << f.code << " " << f.shift;
}

TEST(Wiederherstellung, CopiesBackKeepingASafetyCopyAndChoosesTheVehicle)
{
    Ordner o;
    o.fahrten(2, 9, 'n');
    QDir(o.dir.path()).mkpath("Sicherheit/_Au2-7 E");
    o.schreibe("Sicherheit/_Au2-7 E/Auto2_16.dat", QByteArray(7 * 671, 'b'));
    QStringList gezeigt;
    int listen = 0, gewaehlt = -1;
    Wiederherstellungsdienste d;
    d.meldung = [&](const QString& t) { gezeigt << t; };
    d.listenNeu = [&] { ++listen; };
    d.fahrzeugWaehlen = [&](int i) { gewaehlt = i; };

    // Missing source or same file: nothing happens.
    EXPECT_EQ(Wiederherstellen(o.st, o.pfad("Sicherheit"), 2, d), Wiederherstellung::KeineQuelle);
    EXPECT_EQ(Wiederherstellen(o.st, o.dir.path(), 2, d), Wiederherstellung::GleicheDatei);
    EXPECT_TRUE(gezeigt.isEmpty());

    const QString quelle = o.pfad("Sicherheit/_Au2-7 E");
    EXPECT_EQ(Wiederherstellen(o.st, quelle, 2, d), Wiederherstellung::Kopiert);
    EXPECT_EQ(gezeigt, QStringList{quelle + "/Auto2_16.dat"});
    EXPECT_EQ(o.inhalt("Auto2_16.dat"), QByteArray(7 * 671, 'b'));
    EXPECT_EQ(o.inhalt("Sicherheit/Auto2_vor_Wiederherstellen_20160615_1200.dat"), QByteArray(9 * 671, 'n'));
    EXPECT_EQ(listen, 1);
    EXPECT_EQ(gewaehlt, 1);
}

TEST(Wiederherstellung, OnlyAPlainFileOfWholeTripsWithinTheLimitIsTakenBack)
{
    struct Fall { const char* was; qint64 laenge; bool verweis; bool genommen; };
    const Fall faelle[] = {
        {"12 bytes of text", 12, false, false},
        {"cut in its last trip", 3 * 671 - 1, false, false},
        {"one byte grown", 3 * 671 + 1, false, false},
        {"32,768 trips", 32768LL * 671, false, false},
        {"a link to whole trips", 3 * 671, true, false},
        {"32,767 trips", 32767LL * 671, false, true},
        {"three trips", 3 * 671, false, true},
    };
    for (const Fall& f : faelle) {
        Ordner o;
        o.fahrten(1, 5, 'n');
        QDir(o.dir.path()).mkpath("Sicherheit/Au1-3 E");
        const QString quelle = o.pfad("Sicherheit/Au1-3 E/Auto1_16.dat");
        o.schreibe(f.verweis ? QString("echt.dat") : QString("Sicherheit/Au1-3 E/Auto1_16.dat"),
                   QByteArray(f.laenge, 'b'));
        if (f.verweis)
            ASSERT_TRUE(QFile::link(o.pfad("echt.dat"), quelle));
        QStringList gezeigt;
        Wiederherstellungsdienste d;
        d.meldung = [&](const QString& t) { gezeigt << t; };
        const Wiederherstellung w = Wiederherstellen(o.st, o.pfad("Sicherheit/Au1-3 E"), 1, d);
        EXPECT_EQ(w == Wiederherstellung::Kopiert, f.genommen) << f.was;
        if (f.genommen)
            continue;
        EXPECT_EQ(o.inhalt("Auto1_16.dat"), QByteArray(5 * 671, 'n')) << f.was;
        EXPECT_EQ(o.eintraege("Sicherheit"), QStringList{"Au1-3 E"}) << f.was;
        EXPECT_EQ(gezeigt, QStringList{"Die Datei \"" + quelle + "\" ist keine vollständige Fahrtdatei und wird "
                                       "nicht wiederhergestellt. Die bisherige Fahrtdatei ist unverändert."})
            << f.was;
    }
}

TEST(Wiederherstellung, ASecondRestoreInTheSameMinuteKeepsTheFirstSafetyCopy)
{
    Ordner o;
    o.fahrten(2, 9, 'n');
    for (const char* ordner : {"Sicherheit/_Au2-7 E", "Sicherheit/_Au2-5 E"})
        QDir(o.dir.path()).mkpath(ordner);
    o.schreibe("Sicherheit/_Au2-7 E/Auto2_16.dat", QByteArray(7 * 671, 'b'));
    o.schreibe("Sicherheit/_Au2-5 E/Auto2_16.dat", QByteArray(5 * 671, 'c'));
    const Wiederherstellungsdienste d;
    ASSERT_EQ(Wiederherstellen(o.st, o.pfad("Sicherheit/_Au2-7 E"), 2, d), Wiederherstellung::Kopiert);
    ASSERT_EQ(Wiederherstellen(o.st, o.pfad("Sicherheit/_Au2-5 E"), 2, d), Wiederherstellung::Kopiert);
    EXPECT_EQ(o.inhalt("Sicherheit/Auto2_vor_Wiederherstellen_20160615_1200.dat"), QByteArray(9 * 671, 'n'));
    EXPECT_EQ(o.inhalt("Sicherheit/Auto2_vor_Wiederherstellen_20160615_1200_2.dat"), QByteArray(7 * 671, 'b'));
    EXPECT_EQ(o.inhalt("Auto2_16.dat"), QByteArray(5 * 671, 'c'));
}

TEST(Sicherungsseite, DeletingRefusesTheProgramAndBackupFoldersAndAllAboveThem)
{
    Ordner o;
    QDir(o.dir.path()).mkpath("Sicherheit/Au1-7 E");
    QDir(o.dir.path()).mkpath("Sicherheit/_Au2-7 E");
    QDir(o.dir.path()).mkpath("Sicherheit/Fremd");
    QFile::link(o.dir.path(), o.pfad("Sicherheit/Verweis"));
    forms::DirListBox dir1;
    QLabel ls;
    QList<int> fragen;
    Sicherungsseite s{o.st, &dir1, nullptr, &ls};
    s.MeldungAnzeigen = [&](int n) { fragen << n; return true; };
    s.meldung = [&](const QString& t) { o.meldungen << t; };

    auto loesche = [&](const QString& liste, const QString& gewaehlt) {
        fragen.clear();
        o.meldungen.clear();
        dir1.setPath(liste);
        for (int i = 0; i < dir1.count(); ++i)
            if (dir1.item(i)->data(Qt::UserRole).toString() == QDir::cleanPath(gewaehlt))
                dir1.setCurrentRow(i);
        Verloeschen_Click(s);
    };
    const QString programm = QDir::cleanPath(o.dir.path());
    const QString eltern = QFileInfo(programm).absolutePath();
    // The program folder, a folder above it, and the backup folder.
    loesche(eltern, programm);
    EXPECT_EQ(o.meldungen, QStringList{"Sie können nicht das Kilometrikaverzeichnis löschen!"});
    loesche(QFileInfo(eltern).absolutePath(), eltern);   // holds the program folder
    EXPECT_EQ(o.meldungen, QStringList{"Sie können nicht das Kilometrikaverzeichnis löschen!"});
    loesche(eltern, QFileInfo(eltern).absolutePath());   // a parent in the chain
    EXPECT_EQ(fragen, QList<int>{120});
    loesche(programm, o.pfad("Sicherheit"));
    EXPECT_TRUE(o.meldungen.value(0).startsWith("Löschverzeichnis ist gleich Sicherheitsverzeichnis"));
    EXPECT_TRUE(QDir(o.pfad("Sicherheit")).exists());

    loesche(o.pfad("Sicherheit"), o.pfad("Sicherheit/Au1-7 E"));
    EXPECT_EQ(fragen, (QList<int>{117, 118}));
    EXPECT_EQ(o.st.Sicherungsname, "Au1-7 E");
    EXPECT_FALSE(QDir(o.pfad("Sicherheit/Au1-7 E")).exists());
    loesche(o.pfad("Sicherheit"), o.pfad("Sicherheit/_Au2-7 E"));
    EXPECT_EQ(fragen, (QList<int>{121, 118}));

    // A link to the program folder goes as a link; what it points to stays.
    loesche(o.pfad("Sicherheit"), o.pfad("Sicherheit/Verweis"));
    EXPECT_EQ(fragen, (QList<int>{121, 118}));
    EXPECT_FALSE(QFileInfo(o.pfad("Sicherheit/Verweis")).isSymLink());
    EXPECT_TRUE(QFile::exists(o.pfad("Vor2016.dat")));
}

TEST(Sicherungsseite, CreatingAFolderTakesOneNameOnly)
{
    Ordner o;
    forms::DirListBox dir1;
    dir1.setPath(o.pfad("Sicherheit"));
    QLabel ls;
    Sicherungsseite s{o.st, &dir1, nullptr, &ls};
    s.meldung = [&](const QString& t) { o.meldungen << t; };
    int gespeichert = 0;
    s.VorDatSpeichern = [&] { return ++gespeichert > 0; };
    for (const char* name : {"../raus", "a/b", "..", "a\\b"}) {
        o.fakes.dialogs.inputAnswers = {name};
        VerErstellen_Click(s);
    }
    EXPECT_EQ(o.meldungen.size(), 4);
    EXPECT_EQ(gespeichert, 0);
    EXPECT_EQ(o.eintraege("Sicherheit"), QStringList{});
    o.fakes.dialogs.inputAnswers = {"0"};
    VerErstellen_Click(s);
    EXPECT_EQ(o.st.Sicherungspfad, o.st.Programmpfad + "Sicherheit/0/");
    EXPECT_EQ(o.st.Voreinstellung.Sicherungsordner, o.st.Sicherungspfad);
    EXPECT_EQ(gespeichert, 1);

    // A folder the settings record cannot hold is not stored.
    ls.setText(o.pfad(QString(260, 'x')));
    CSicherSpeicher_Click(s);
    EXPECT_EQ(gespeichert, 1);
    EXPECT_EQ(o.meldungen.size(), 5);
}

TEST(Wiederherstellung, AFailedCopyLeavesTheTripFileAsItWas)
{
    Ordner o;
    o.fahrten(1, 9, 'n');
    QDir(o.dir.path()).mkpath("Sicherheit/Au1-20 E");
    o.schreibe("Sicherheit/Au1-20 E/Auto1_16.dat", QByteArray(20 * 671, 'b'));
    const QStringList vorher = o.eintraege(".");
    QStringList gezeigt;
    Wiederherstellungsdienste d;
    d.meldung = [&](const QString& t) { gezeigt << t; };
    {
        // Writes beyond 15 trips fail, as on a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit alt{};
        getrlimit(RLIMIT_FSIZE, &alt);
        rlimit neu = alt;
        neu.rlim_cur = 15 * 671;
        setrlimit(RLIMIT_FSIZE, &neu);
        EXPECT_EQ(Wiederherstellen(o.st, o.pfad("Sicherheit/Au1-20 E"), 1, d), Wiederherstellung::Fehler);
        setrlimit(RLIMIT_FSIZE, &alt);
    }
    EXPECT_EQ(o.inhalt("Auto1_16.dat"), QByteArray(9 * 671, 'n'));
    EXPECT_EQ(o.eintraege("."), vorher);
    EXPECT_EQ(gezeigt.size(), 2);
}

TEST(Wiederherstellung, AWriteProtectedTripFileGetsTheSaveMessageAndNothingIsWritten)
{
    Ordner o;
    o.fahrten(1, 9, 'n');
    QDir(o.dir.path()).mkpath("Sicherheit/Au1-20 E");
    o.schreibe("Sicherheit/Au1-20 E/Auto1_16.dat", QByteArray(20 * 671, 'b'));
    ASSERT_EQ(::chmod(QFile::encodeName(o.pfad("Auto1_16.dat")).constData(), 0444), 0);
    const QStringList vorher = o.eintraege("Sicherheit");
    QStringList gezeigt;
    int listen = 0;
    Wiederherstellungsdienste d;
    d.meldung = [&](const QString& t) { gezeigt << t; };
    d.listenNeu = [&] { ++listen; };
    const QString quelle = o.pfad("Sicherheit/Au1-20 E");
    EXPECT_EQ(Wiederherstellen(o.st, quelle, 1, d), Wiederherstellung::Fehler);
    EXPECT_EQ(gezeigt, (QStringList{quelle + "/Auto1_16.dat",
                                    QString::fromUtf8("Die Datei \"Auto1_16.dat\" konnte nicht geschrieben werden. "
                                                      "Die gespeicherten Daten sind unverändert.")}));
    EXPECT_EQ(o.inhalt("Auto1_16.dat"), QByteArray(9 * 671, 'n'));
    EXPECT_EQ(o.eintraege("Sicherheit"), vorher);   // not even the safety copy
    EXPECT_EQ(listen, 0);
}

TEST(Sicherung, WhatACrashLeftInTheBackupFoldersGoesAndNothingElse)
{
    Ordner o;
    QDir(o.dir.path()).mkpath("Extern");
    QDir(o.dir.path()).mkpath("Fremd");
    o.schreibe("Fremd/wichtig.dat", "x");
    o.st.Voreinstellung.Sicherungsordner = o.pfad("Extern/");
    o.fahrten(1, 3);
    // Full backups killed while they copied, into the chosen folder and "Sicherheit".
    for (const char* ordner : {"Extern/", "Sicherheit/"}) {
        o.st.Voreinstellung.Sicherungsordner = o.pfad(ordner);
        const pid_t kind = ::fork();
        if (kind == 0) {
            int kopie = 0;
            sicherungsKopie() = [&kopie](const QString& von, const QString& nach) {
                if (++kopie == 2)
                    ::_exit(0);
                return io::copyFileAtomic(von, nach);
            };
            o.voll();
            ::_exit(1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(kind, &status, 0), kind);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    o.st.Voreinstellung.Sicherungsordner = o.pfad("Extern/");
    QStringList abgebrochen;
    for (const char* ordner : {"Extern", "Sicherheit"})
        for (const QString& n : o.eintraege(ordner))
            if (n.startsWith(".Sicherung-"))
                abgebrochen << QString(ordner) + "/" + n;
    ASSERT_EQ(abgebrochen.size(), 2);
    // One being built by a copy that still runs (this process).
    ASSERT_TRUE(io::createMarkedFolder(o.pfad("Extern/.Sicherung-lauf")));

    // ordner: a folder holding a file; bleibt: still there after the start.
    struct Eintrag { const char* name; bool ordner; bool bleibt; };
    // 99999999 is no process's number: those writers have ended.
    const QByteArray laeuft = "Sicherheit/.Vor2016.dat.neu-" + QByteArray::number(::getpid()) + "-5";
    const Eintrag eintraege[] = {
        {"Extern/.Auto1_vor_Wiederherstellen_20160615_1200.dat.neu-99999999-2f", false, false},
        {"Extern/.Auto2_vor_Loeschen_20160615_1200_2.dat.neu-99999999-a", false, false},
        {"Extern/.Auto1_16_beschaedigt_20160615_1200.dat.neu-99999999-3", false, false},
        {"Extern/.Kund2016_vor_Import_20160615_1200.dat.neu-99999999-b", false, false},
        {"Sicherheit/.Auto1_AnzahlEintra_40.dat.neu-99999999-0", false, false},
        {"Sicherheit/.Vor2016.dat.neu-99999999-1", false, false},
        {laeuft.constData(), false, true},
        {"Sicherheit/.VOR2016.DAT.neu-99999999-1", false, true},
        {"Sicherheit/.auto1_anzahleintra_40.dat.neu-99999999-1", false, true},
        {"Sicherheit/.Vor2016.dat.neu-1", false, true},
        {"Extern/.Fremd_beschaedigt_20160615_1200.dat.neu-99999999-4", false, true},
        {"Extern/.Kund2016_vor_Import.dat.neu-99999999-4", false, true},
        {"Extern/.Sicherung-lauf", true, true},
        {"Extern/.Sicherung-2025/Fotos", true, true},
        {"Extern/.Sicherung-alt", true, true},
        {"Sicherheit/.Sicherung-1x", true, true},
        {"Extern/Au1-3 E", true, true},
        {"Extern/.Sicherung-Alt", true, true},
        {"Extern/Sicherung-1x", true, true},
        {"Extern/.Sicherung-12345678", true, true},
        {"Extern/.Sicherung-1y", false, true},
        {"Extern/Notizen.neu-99999999-1x", false, true},
        {"Extern/.bashrc.neu-99999999-abc", false, true},
        {"Extern/.notiz.neu-99999999-1", false, true},
        {"Sicherheit/.bashrc.neu-99999999-abc", false, true},
        {"Sicherheit/.Vor2015.dat.neu-99999999-1", false, true},
        {"Sicherheit/.Auto1_Urlaub.dat.neu-99999999-1", false, true},
        {"Sicherheit/.Auto5_vor_Loeschen_20160615_1200.dat.neu-99999999-1", false, true},
    };
    for (const Eintrag& e : eintraege) {
        if (e.ordner) {
            ASSERT_TRUE(QDir(o.dir.path()).mkpath(e.name));
            o.schreibe(QString(e.name) + "/Auto1_16.dat", "v");
            o.schreibe(QString(e.name) + "/.Auto1_16.dat.neu-4", "halb");
        } else {
            o.schreibe(e.name, "x");
        }
    }
    o.schreibe("Extern/.Sicherung-2025/steuer.txt", "x");
    ASSERT_TRUE(QFile::link(o.pfad("Fremd"), o.pfad("Extern/.Sicherung-5")));

    EXPECT_EQ(SicherungsresteEntfernen(o.st), 8);
    for (const QString& a : abgebrochen)
        EXPECT_FALSE(QFileInfo::exists(o.pfad(a))) << qPrintable(a);
    for (const Eintrag& e : eintraege)
        EXPECT_EQ(QFileInfo::exists(o.pfad(e.name)), e.bleibt) << e.name;
    EXPECT_EQ(o.inhalt("Extern/.Sicherung-2025/Fotos/Auto1_16.dat"), "v");
    EXPECT_EQ(o.inhalt("Extern/.Sicherung-2025/steuer.txt"), "x");
    EXPECT_TRUE(QFileInfo(o.pfad("Extern/.Sicherung-5")).isSymLink());
    EXPECT_EQ(o.inhalt("Fremd/wichtig.dat"), "x");
}

TEST(Sicherungsseite, ADriveThatIsNotReadyKeepsThePreviousDriveAndPath)
{
    Ordner o;
    forms::DirListBox dir1;
    forms::DriveListBox drive1;
    dir1.setPath(o.pfad("Sicherheit"));
    drive1.addItem("/gibt/es/nicht");
    Sicherungsseite s{o.st, &dir1, &drive1, nullptr};
    QObject::connect(&drive1, &forms::DriveListBox::Change, [&] { Drive1_Change(s); });
    const QString bisher = drive1.Drive();
    drive1.setCurrentIndex(drive1.count() - 1);
    EXPECT_EQ(dir1.Path(), QDir::cleanPath(o.pfad("Sicherheit")));
    EXPECT_EQ(drive1.Drive(), bisher);
}
