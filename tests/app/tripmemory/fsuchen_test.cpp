// Finding last year's trip memory below a folder and taking it over.

#include "umgebung.h"

#include "app/tripmemory/fsuchen.h"
#include "app/tripmemory/verzeichnissuche.h"

#include <QDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

using namespace kmk;
using kmktest::satz;

namespace {

struct Baum {
    QTemporaryDir dir;
    QString wurzel() const { return dir.path() + "/"; }
    void datei(const QString& rel, const QByteArray& inhalt = "x") const
    {
        const QString p = wurzel() + rel;
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(inhalt);
    }
    QStringList suche(int* anzahl = nullptr) const
    {
        QStringList t;
        Verzeichnissuche s;
        s.treffer = [&](const QString& p) { t << p.mid(wurzel().size()); };
        const int n = s.suchen(wurzel(), "Kund2015.dat");
        if (anzahl)
            *anzahl = n;
        return t;
    }
};

} // namespace

TEST(Verzeichnissuche, FindsTheFileIgnoringCaseInWalkOrder)
{
    Baum b;
    b.datei("KUND2015.DAT");
    b.datei("a/b/kund2015.dat");
    b.datei("a/Kund2015.dat");
    b.datei("a/.versteckt");          // a hidden file counts
    b.datei("c/.Kund2015.dat");       // a different name
    b.datei("c/Kund2015.dat");
    b.datei(".versteckt/Kund2015.dat");
    b.datei("d/Kund2016.dat");
    int n = 0;
    EXPECT_EQ(b.suche(&n), QStringList({"KUND2015.DAT", "a/Kund2015.dat", "a/b/kund2015.dat", "c/Kund2015.dat"}));
    EXPECT_EQ(n, 4);
}

TEST(Verzeichnissuche, FollowsNoLinksSoALoopEnds)
{
    Baum b;
    b.datei("echt/Kund2015.dat");
    ASSERT_TRUE(QFile::link(b.wurzel() + "echt", b.wurzel() + "echt/schleife"));
    ASSERT_TRUE(QFile::link(b.wurzel() + "echt/Kund2015.dat", b.wurzel() + "Kund2015.dat"));
    EXPECT_EQ(b.suche(), QStringList{"echt/Kund2015.dat"});
    EXPECT_TRUE(pseudoDateisystem("proc"));
    EXPECT_FALSE(pseudoDateisystem("ext4"));
}

TEST(Verzeichnissuche, EntersNoOtherFileSystem)
{
    // A memory stick or a network share mounted below the start folder
    // is another file system: not searched.
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a file system needs root";
    Baum b;
    b.datei("hier/Kund2015.dat");
    const QString fremd = b.wurzel() + "fremd";
    ASSERT_TRUE(QDir().mkpath(fremd));
    if (::mount("kmk-test", QFile::encodeName(fremd).constData(), "tmpfs", 0, nullptr) != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    struct Aushaengen {
        QByteArray pfad;
        ~Aushaengen() { ::umount2(pfad.constData(), MNT_DETACH); }
    } aushaengen{QFile::encodeName(fremd)};
    b.datei("fremd/Kund2015.dat");
    ASSERT_TRUE(QFile::exists(fremd + "/Kund2015.dat"));
    EXPECT_EQ(b.suche(), QStringList{"hier/Kund2015.dat"});
}

TEST(FSuchen, SearchCanBeStoppedAndTheButtonWaitsMeanwhile)
{
    Baum b;
    for (int i = 0; i < 30; ++i)
        b.datei(QString("o%1/Kund2015.dat").arg(i, 2, 10, QChar('0')));
    b.datei("Kund2015.dat");
    Fahrten1 st;
    st.Jahr = "2016";
    FSuchen fs(st);
    fs.Drive1->setText(b.wurzel());
    bool gesperrt = false;
    QTimer::singleShot(0, &fs, [&] {
        gesperrt = !fs.Command1->isEnabled();
        fs.Command4_Click();
    });
    fs.Command1_Click();
    EXPECT_TRUE(gesperrt);
    EXPECT_TRUE(fs.Command1->isEnabled());
    EXPECT_GT(fs.Trefferanzahl, 0);
    EXPECT_LT(fs.Trefferanzahl, 31);
    EXPECT_EQ(fs.List1->count(), fs.Trefferanzahl);
    EXPECT_EQ(fs.Anzeige->text(), QString(" %1 Dateien gefunden").arg(fs.Trefferanzahl));
}

TEST(FSuchen, CopiesTheChosenFileAfterAYesAndKeepsTheOldOne)
{
    Baum quelle;
    const QByteArray vorjahr = satz(3, 9, "Alt", "", "Ort", "G", "").zuBytes() + satz(1, 2, "B", "", "C", "", "").zuBytes();
    quelle.datei("sub/kund2015.DAT", vorjahr);
    kmktest::Umgebung u;
    const QByteArray diesesJahr = satz(3, 1, "Neu", "", "X", "G", "").zuBytes();
    u.schreibe({satz(3, 1, "Neu", "", "X", "G", "")});
    u.st.Sicherungspfad = u.dir.path() + "/Sicherheit/";
    FSuchen fs(u.st);
    int neu = 0;
    fs.nachImport = [&] { ++neu; };
    fs.Drive1->setText(quelle.wurzel());

    fs.Command2_Click();
    EXPECT_EQ(u.fakes.dialogs.shown.last().prompt, "Es wurde keine Datei Ausgewählt!");
    fs.Command1_Click();
    EXPECT_EQ(fs.Anzeige->text(), " 1 Dateien gefunden");
    forms::setListIndex(fs.List1, 0);

    u.fakes.dialogs.msgBoxAnswers = {forms::vbNo};
    fs.Command2_Click();
    EXPECT_EQ(u.lies(), diesesJahr);
    EXPECT_FALSE(QFile::exists(fs.sicherungsziel()));
    EXPECT_EQ(neu, 0);

    // A link planted at the safety copy's name is neither written through
    // nor replaced; a second import keeps the first one's copy.
    const QString erste = fs.sicherungsziel();
    quelle.datei("fremd.dat", "fremd");
    QDir().mkpath(u.dir.path() + "/Sicherheit");
    ASSERT_TRUE(QFile::link(quelle.wurzel() + "fremd.dat", erste));
    u.fakes.dialogs.msgBoxAnswers = {forms::vbYes};
    fs.Command2_Click();
    EXPECT_EQ(u.lies(), vorjahr);
    EXPECT_EQ(neu, 1);
    EXPECT_EQ(u.fakes.dialogs.shown.last().prompt,
              "Nach dem nächsten Neustart des Programms wird der Fahrtenspeicher aktualisiert.");
    u.schreibe({satz(3, 1, "Neu", "", "X", "G", "")});
    u.fakes.dialogs.msgBoxAnswers = {forms::vbYes};
    fs.Command2_Click();
    QStringList kopien = QDir(u.dir.path() + "/Sicherheit").entryList(QDir::Files, QDir::Name);
    kopien.removeAll(QFileInfo(erste).fileName());
    ASSERT_EQ(kopien.size(), 2);
    for (const QString& k : kopien) {
        EXPECT_TRUE(k.startsWith(QString("Kund%1_vor_Import_").arg(u.st.Jahr))) << qPrintable(k);
        QFile alt(u.dir.path() + "/Sicherheit/" + k);
        ASSERT_TRUE(alt.open(QIODevice::ReadOnly));
        EXPECT_EQ(alt.readAll(), diesesJahr) << qPrintable(k);
    }
    EXPECT_TRUE(QFileInfo(erste).isSymLink());
    QFile fremd(quelle.wurzel() + "fremd.dat");
    ASSERT_TRUE(fremd.open(QIODevice::ReadOnly));
    EXPECT_EQ(fremd.readAll(), "fremd");

    QFile::remove(quelle.wurzel() + "sub/kund2015.DAT");
    fs.Command2_Click();
    EXPECT_EQ(u.fakes.dialogs.shown.last().prompt, "Datei nicht gefunden   ! :");
}

TEST(FSuchen, NothingIsCopiedWhenTheOldFileCannotBeKept)
{
    Baum quelle;
    quelle.datei("Kund2015.dat", satz(3, 9, "Alt", "", "Ort", "G", "").zuBytes());
    kmktest::Umgebung u;
    u.schreibe({satz(3, 1, "Neu", "", "X", "G", "")});
    const QByteArray vorher = u.lies();
    quelle.datei("keinordner");
    u.st.Sicherungspfad = quelle.wurzel() + "keinordner/Sicherheit/";
    FSuchen fs(u.st);
    fs.Drive1->setText(quelle.wurzel());
    fs.Command1_Click();
    forms::setListIndex(fs.List1, 0);
    u.fakes.dialogs.msgBoxAnswers = {forms::vbYes};
    fs.Command2_Click();
    EXPECT_EQ(u.lies(), vorher);
    EXPECT_TRUE(u.fakes.dialogs.shown.last().prompt.startsWith("Der bisherige Fahrtenspeicher konnte nicht gesichert"));
}
