// Laying out a program folder from a build with the installation script.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "app/records/jahrgangsdaten.h"

using namespace kmk;

namespace {

struct Lauf {
    int rc = -1;
    QString ausgabe;
};

Lauf skript(const QStringList& argumente)
{
    const QString script =
        qEnvironmentVariable("KMK_SOURCE_DIR") + "/tools/layout/make-program-folder.sh";
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("bash", QStringList{script} + argumente);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAll())};
}

QString binOrdner()
{
    const QString bin = qEnvironmentVariable("KMK_BIN_DIR");
    if (bin.isEmpty() || qEnvironmentVariable("KMK_SOURCE_DIR").isEmpty() ||
        !QFileInfo(bin + "/dtsd-schreiben").isExecutable())
        return QString();
    return bin;
}

QByteArray lies(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Programmordner, TheScriptLaysOutARunnableFolder)
{
    const QString bin = binOrdner();
    if (bin.isEmpty())
        GTEST_SKIP() << "build folder or dtsd-schreiben not available";
    QTemporaryDir tmp;
    // A blank in the path must not split it.
    const QString ziel = tmp.filePath("Mein Programm");
    const Lauf l = skript({bin, ziel, "2016"});
    ASSERT_EQ(l.rc, 0) << qPrintable(l.ausgabe);

    Jahrgangsdaten d;
    ASSERT_EQ(JahrgangDatLesen(ziel, d), JahrgangLesen::Ok);
    EXPECT_EQ(d.Jahr.trimmed(), "2016");
    EXPECT_EQ(d.Markenkennung.trimmed(), "Kxt");
    EXPECT_EQ(d.PauschaleTeiltag.trimmed(), "14");
    EXPECT_EQ(d.PauschaleVolltag.trimmed(), "28");
    if (QFile::exists(qEnvironmentVariable("KMK_SOURCE_DIR") + "/install/Hilfs.txt"))
        EXPECT_TRUE(QFile::exists(ziel + "/Hilfs.txt"));
    EXPECT_FALSE(QFile::exists(ziel + "/make-sounds.sh"));

    if (QFileInfo(bin + "/kmk-icons").isExecutable()) {
        EXPECT_GT(QFileInfo(ziel + "/Kilometrika.ico").size(), 0);
        EXPECT_GT(QFileInfo(ziel + "/rnz.ico").size(), 0);
    }
    if (QFileInfo(bin + "/Kilometrika").isExecutable())
        EXPECT_TRUE(QFileInfo(ziel + "/Kilometrika").isExecutable());
    const QByteArray registry = lies(ziel + "/registry.ini");
    const bool regsvr = QFileInfo(bin + "/kmk-regsvr").isExecutable();
    for (const char* lib : {"libQKCAL32.so", "libQKSPIN32.so", "libNetzladen.so"}) {
        if (!QFile::exists(bin + "/" + lib))
            continue;
        const QString kopie = ziel + "/" + lib;
        EXPECT_EQ(lies(kopie), lies(bin + "/" + lib)) << lib;
        // Registered with the copy in the folder, not the build's file.
        if (regsvr)
            EXPECT_TRUE(registry.contains(("InprocServer32=" + kopie).toUtf8())) << lib;
    }

    // A second run over the same folder gives the same configuration.
    const QByteArray dtsd = lies(ziel + "/DTSD.kxt");
    ASSERT_EQ(skript({bin, ziel, "2016"}).rc, 0);
    EXPECT_EQ(lies(ziel + "/DTSD.kxt"), dtsd);
    EXPECT_FALSE(QDir(ziel + "/help/help").exists());  // no nesting on the second copy
}

TEST(Programmordner, BadArgumentsAreRefused)
{
    const QString bin = binOrdner();
    if (bin.isEmpty())
        GTEST_SKIP() << "build folder or dtsd-schreiben not available";
    QTemporaryDir tmp;
    EXPECT_EQ(skript({bin}).rc, 2);
    // A year the program cannot process stops before anything is copied.
    const Lauf l = skript({bin, tmp.filePath("a"), "2051"});
    EXPECT_NE(l.rc, 0);
    EXPECT_TRUE(QDir(tmp.filePath("a")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    // A folder without the tools of a build.
    QDir(tmp.path()).mkdir("leer");
    EXPECT_NE(skript({tmp.filePath("leer"), tmp.filePath("b")}).rc, 0);
    EXPECT_FALSE(QFile::exists(tmp.filePath("b/DTSD.kxt")));
}
