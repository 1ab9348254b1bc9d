// Time and date texts, the entry checks and the file helpers.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>
#include <vector>

#include "app/records/hilfen.h"

using namespace kmk;

namespace {

struct Geprueft {
    int ergebnis;
    std::vector<int> gezeigt;
    QString text;
};

Geprueft zeit(const QString& eingabe, bool anzeigen = true)
{
    Geprueft g{0, {}, eingabe};
    g.ergebnis = ZeitEingabeTest(g.text, anzeigen, [&](int n) { g.gezeigt.push_back(n); });
    return g;
}

Geprueft datum(const QString& eingabe, const QString& jahr = "2016", bool anzeigen = true)
{
    Geprueft g{0, {}, eingabe};
    g.ergebnis = DatumsTest(g.text, anzeigen, jahr, [&](int n) { g.gezeigt.push_back(n); });
    return g;
}

void datei(const QString& pfad, const QByteArray& inhalt = "x")
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

} // namespace

TEST(Hilfen, TimeTextsAndMinutes)
{
    EXPECT_EQ(ZeitInMinuten("08:30"), 510);
    EXPECT_EQ(ZeitInMinuten("8:30"), 510);
    EXPECT_EQ(ZeitInMinuten("23:59:59"), 1439);
    EXPECT_EQ(ZeitInMinuten("01.02.2016 10:15"), 615);
    EXPECT_EQ(ZeitInMinuten("01.02.2016"), 0);  // a date without time
    EXPECT_EQ(ZeitInMinuten("abc"), 0);
    EXPECT_EQ(ZeitInMinuten("25:00"), 0);
    EXPECT_EQ(ZeitInMinuten("12:60"), 0);
    EXPECT_EQ(ZeitInMinuten("31.02.2016 10:00"), 0);
    EXPECT_EQ(ZeitInMinuten(""), 0);

    EXPECT_EQ(MinutenInZeit(510), "08:30");
    EXPECT_EQ(MinutenInZeit(0), "00:00");
    EXPECT_EQ(MinutenInZeit(1500), "01:00");
    EXPECT_EQ(MinutenInZeit(1439), "23:59");
    EXPECT_EQ(MinutenInZeit(1440), "24:00");   // the stored "24:00" comes back as typed
    EXPECT_EQ(MinutenInZeit(1441), "00:01");

    EXPECT_EQ(MinutenInStunden(480), " 8,00");
    EXPECT_EQ(MinutenInStunden(485), " 8,05");
    EXPECT_EQ(MinutenInStunden(59), " 0,59");
    EXPECT_EQ(MinutenInStunden(125), " 2,05");
    EXPECT_EQ(MinutenInStunden(600), " 10,00");
}

TEST(Hilfen, TimeCheckShowsTheFirstAndReturnsTheLastFinding)
{
    Geprueft g = zeit("24:00");
    EXPECT_EQ(g.ergebnis, 0);
    EXPECT_TRUE(g.gezeigt.empty());
    g = zeit("00:00");
    EXPECT_EQ(g.ergebnis, 0);
    g = zeit("12:60");
    EXPECT_EQ(g.ergebnis, 114);
    EXPECT_EQ(g.gezeigt, std::vector<int>{114});
    g = zeit("25:00");
    EXPECT_EQ(g.ergebnis, 113);
    EXPECT_EQ(g.gezeigt, std::vector<int>{113});
    g = zeit("1200");
    EXPECT_EQ(g.ergebnis, 112);
    EXPECT_EQ(g.gezeigt, std::vector<int>{111});
    g = zeit("12.00");
    EXPECT_EQ(g.ergebnis, 112);
    EXPECT_EQ(g.gezeigt, std::vector<int>{112});
    g = zeit("  08:15 ");
    EXPECT_EQ(g.ergebnis, 0);
    EXPECT_EQ(g.text, "08:15");  // trimmed in the caller's variable
    g = zeit("1200", false);
    EXPECT_EQ(g.ergebnis, 112);
    EXPECT_TRUE(g.gezeigt.empty());
    g = zeit("");
    EXPECT_EQ(g.ergebnis, 112);
    EXPECT_EQ(g.gezeigt, std::vector<int>{111});
}

TEST(Hilfen, DateCheckShowsTheFirstAndReturnsTheLastFinding)
{
    Geprueft g = datum("31.02.2016");
    EXPECT_EQ(g.ergebnis, 0);  // any day 1..31 passes, whatever the month
    EXPECT_TRUE(g.gezeigt.empty());
    g = datum("01.01.2015");
    EXPECT_EQ(g.ergebnis, 108);
    EXPECT_EQ(g.gezeigt, std::vector<int>{108});
    g = datum("1.1.2016");
    EXPECT_EQ(g.ergebnis, 107);
    EXPECT_EQ(g.gezeigt, std::vector<int>{105});
    g = datum("32.01.2016");
    EXPECT_EQ(g.ergebnis, 109);
    g = datum("00.01.2016");
    EXPECT_EQ(g.ergebnis, 109);
    g = datum("15.13.2016");
    EXPECT_EQ(g.ergebnis, 110);
    EXPECT_EQ(g.gezeigt, std::vector<int>{110});
    g = datum("15.00.2015");
    EXPECT_EQ(g.ergebnis, 110);
    EXPECT_EQ(g.gezeigt, std::vector<int>{108});
    g = datum(" 05.05.2016  ");
    EXPECT_EQ(g.ergebnis, 0);
    EXPECT_EQ(g.text, "05.05.2016");
    g = datum("05-05-2016");
    EXPECT_EQ(g.ergebnis, 107);
    EXPECT_EQ(g.gezeigt, std::vector<int>{106});
    g = datum("01.01.2050", "2050", false);
    EXPECT_EQ(g.ergebnis, 0);
}

TEST(Hilfen, FileAndFolderTests)
{
    QTemporaryDir dir;
    datei(dir.filePath("Auto1_16.dat"));
    datei(dir.filePath(".versteckt"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("Ordner"));

    EXPECT_TRUE(DateiVorhanden(dir.filePath("Auto1_16.dat")));
    EXPECT_TRUE(DateiVorhanden(dir.filePath("Auto?_16.dat")));
    EXPECT_TRUE(DateiVorhanden(dir.filePath("*.DAT")));
    EXPECT_FALSE(DateiVorhanden(dir.filePath("Ordner")));
    EXPECT_FALSE(DateiVorhanden(dir.filePath(".versteckt")));
    EXPECT_FALSE(DateiVorhanden(dir.filePath("fehlt.dat")));
    EXPECT_FALSE(DateiVorhanden("/gibt/es/nicht/*.dat"));
    EXPECT_FALSE(DateiVorhanden(""));

    EXPECT_TRUE(FileExists(dir.filePath("Auto1_16.dat")));
    EXPECT_FALSE(FileExists(dir.filePath("Ordner")));
    EXPECT_FALSE(FileExists(dir.filePath("fehlt.dat")));
    EXPECT_TRUE(DirExists(dir.filePath("Ordner")));
    EXPECT_TRUE(DirExists(dir.filePath("Ordner") + "/"));
    EXPECT_FALSE(DirExists(dir.filePath("Auto1_16.dat")));
    EXPECT_FALSE(DirExists(dir.filePath("fehlt")));
}

TEST(Hilfen, TreeDeletionRemovesEverythingButNeverFollowsLinks)
{
    QTemporaryDir dir;
    QTemporaryDir aussen;
    datei(aussen.filePath("wichtig.dat"), "bleibt");

    const QString baum = dir.filePath("Sicherheit/Au1-12 E");
    ASSERT_TRUE(QDir().mkpath(baum + "/tief/tiefer"));
    datei(baum + "/Auto1_16.dat");
    datei(baum + "/.versteckt");
    datei(baum + "/tief/tiefer/schreibgeschuetzt.dat");
    QFile::setPermissions(baum + "/tief/tiefer/schreibgeschuetzt.dat", QFile::ReadOwner);
    ASSERT_EQ(::symlink(QFile::encodeName(aussen.path()).constData(),
                        QFile::encodeName(baum + "/link").constData()),
              0);

    EXPECT_TRUE(DelTreeVB(dir.filePath("Sicherheit") + "/"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Sicherheit")));
    EXPECT_TRUE(QFile::exists(aussen.filePath("wichtig.dat")));

    EXPECT_FALSE(DelTreeVB(dir.filePath("fehlt")));
    EXPECT_FALSE(DelTreeVB(""));
    EXPECT_FALSE(DelTreeVB("/"));

    // A link given as the folder itself is not followed either.
    const QString link = dir.filePath("verweis");
    ASSERT_EQ(::symlink(QFile::encodeName(aussen.path()).constData(), QFile::encodeName(link).constData()), 0);
    EXPECT_FALSE(DelTreeVB(link));
    EXPECT_TRUE(QFile::exists(aussen.filePath("wichtig.dat")));
}

TEST(Hilfen, WaitingKeepsEventsFlowing)
{
    bool gelaufen = false;
    QObject test;   // a timer left over must not outlive the test
    QTimer::singleShot(0, &test, [&] { gelaufen = true; });
    QElapsedTimer uhr;
    uhr.start();
    Warten(0);
    EXPECT_TRUE(gelaufen);
    EXPECT_LT(uhr.elapsed(), 700);

    uhr.restart();
    Warten(1);
    EXPECT_GE(uhr.elapsed(), 450);
    EXPECT_LT(uhr.elapsed(), 1700);
}

TEST(Hilfen, SystemTests)
{
    EXPECT_EQ(IfOnlineAusFlags(0), "Offline");
    EXPECT_EQ(IfOnlineAusFlags(1), "Online");
    EXPECT_EQ(IfOnlineAusFlags(2), "Online");
    EXPECT_EQ(IfOnlineAusFlags(4), "Online");
    EXPECT_EQ(IfOnlineAusFlags(8), "Online");
    EXPECT_EQ(IfOnlineAusFlags(16), "Offline");
    const QString online = IfOnline();
    EXPECT_TRUE(online == "Online" || online == "Offline");
    if (::geteuid() == 0)
        EXPECT_TRUE(IsUserAdmin());
}
