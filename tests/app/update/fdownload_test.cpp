#include "app/records/jahrgangsdaten.h"
#include "app/update/aktualisierung.h"
#include "app/update/ersetzen.h"
#include "app/update/fdownload.h"
#include "platform/io/schritte.h"
#include "platform/forms/fakes.h"
#include "tests/support/elfprogramm.h"
#include "tests/support/loopserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <acl/libacl.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Server = kmktest::LoopServer;

QByteArray lies(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(fehlt)");
}

// The build's own program (without its debugging data): it starts here.
const QByteArray& dasProgramm()
{
    static const QByteArray programm = lies(QStringLiteral(KMK_PROGRAMM));
    return programm;
}

// A new version that starts on this computer: the build's program with
// `anhang` bytes of every value after it, which no start reads, so each
// version's bytes differ.
QByteArray neuesProgramm(int anhang = 300000, quint32 saat = 16)
{
    QByteArray b = dasProgramm();
    QRandomGenerator gen(saat);
    for (int i = 0; i < anhang; ++i)
        b += char(gen.bounded(256));
    return b;
}

// The request the window sends, written out: the request line, then the
// fixed header lines with the host of the loopback server.
QByteArray anfrage(const QByteArray& zeile, quint16 port)
{
    return zeile + "\r\n"
                   "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/vnd.ms-powerpoint, "
                   "application/vnd.ms-excel, application/msword, application/x-comet, */*\r\n"
                   "Accept-Language: en\r\n"
                   "Accept-Encoding: identity\r\n"
                   "Cache-Control: no-cache\r\n"
                   "Proxy-Connection: Keep-Alive\r\n"
                   "User-Agent: Dvr Agent 1.0\r\n"
                   "Host: 127.0.0.1:" + QByteArray::number(port) + "\r\n\r\n";
}

struct Programmordner {
    QTemporaryDir dir;
    QString programm = dir.filePath("Kilometrika");
    std::unique_ptr<upd::FDownload> w;

    // A stall limit far above the test servers' pauses unless a test tries the stall itself.
    explicit Programmordner(const QString& adresse = "http://127.0.0.1:1/kxt", int stallMs = 10000)
    {
        QFile f(programm);
        f.open(QIODevice::WriteOnly);
        f.write("altes Programm");
        f.close();
        QFile::setPermissions(programm, QFile::Permissions(0x7755));
        w = std::make_unique<upd::FDownload>(upd::DownloadEinrichtung{dir.path(), "Kilometrika", 1, adresse, {}, stallMs, 1000});
    }
    // Start pressed; true when the download ended in time.
    bool lade(const QString& url)
    {
        w->txtSource->setText(url);
        w->cmdStart_Click();
        return QTest::qWaitFor([&] { return !w->laeuft(); }, 10000);
    }
    QStringList dateien() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST(FDownload, LoadsAddressesAndFileNamesByBrand)
{
    Programmordner o("http://updates.example/kxt");
    EXPECT_EQ(o.w->windowTitle(), "Brimo Kilometrika Download");
    EXPECT_EQ(o.w->BaseUrl1, "http://updates.example/kxt/");
    EXPECT_EQ(o.w->txtSource->text(), "http://updates.example/kxt/Kilometrika");
    EXPECT_EQ(o.w->txtDestination->text(), o.programm);
    EXPECT_EQ(o.w->TargetFile, o.programm + ".e32");
    EXPECT_EQ(o.w->lblStatus->text(), "Status");
    for (auto [variante, adresse, eingerichtet] : {std::tuple{3, "http://updates.example/kxt/", false},
                                                   std::tuple{10, "", false}, std::tuple{10, "http://x/", true}}) {
        upd::FDownload w(upd::DownloadEinrichtung{o.dir.path(), "Kilometrika", variante, adresse, {}, 30000});
        EXPECT_EQ(w.adresseEingerichtet(), eingerichtet);
        EXPECT_EQ(w.txtSource->text().isEmpty(), !eingerichtet);
    }
}

TEST(FDownload, AWholeProgramReplacesTheOldOneKeepingACopy)
{
    Programmordner o;
    Server srv;
    const QByteArray neu = neuesProgramm();
    srv.pieces = Server::split(Server::response("HTTP/1.0 200 OK", neu), 7, 30);
    o.w->txtSource->setText(srv.url("/kxt/Kilometrika"));
    o.w->cmdStart_Click();
    EXPECT_FALSE(o.w->cmdStart->isEnabled());
    o.w->cmdStart_Click();   // a second Start while it runs
    EXPECT_EQ(o.w->lblStatus->text(), "Der Download läuft bereits.");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !o.w->laeuft(); }, 10000));

    EXPECT_EQ(srv.requests, 1);
    EXPECT_EQ(srv.request, anfrage("GET /kxt/Kilometrika HTTP/1.0", srv.port()));
    EXPECT_EQ(o.w->lblStatus->text(),
              "Download beendet. Beim nächsten Neustart des Programms haben Sie die aktuellste Version.");
    EXPECT_TRUE(lies(o.programm) == neu);
    EXPECT_TRUE(QFileInfo(o.programm).isExecutable());
    EXPECT_EQ(lies(upd::alteKopie(o.programm)), "altes Programm");
    EXPECT_EQ(o.dateien(), QStringList({"Kilometrika", "Kilometrika.alt"}));
    EXPECT_EQ(o.w->BytesReceived, neu.size());
    EXPECT_EQ(o.w->ContentLength, neu.size());
    EXPECT_TRUE(o.w->ResponseHeader.startsWith("HTTP/1.0 200 OK\r\n"));
    EXPECT_TRUE(o.w->cmdStart->isEnabled());
    const QImage& balken = o.w->picProgress1->bild();   // drawn full at the end
    EXPECT_EQ(balken.pixel(balken.width() - 1, 1), upd::kBalkenfarbe.rgb());
    if (const QString shots = qEnvironmentVariable("KMK_SCREENSHOTS"); !shots.isEmpty()) {
        o.w->LDownloadtxt->setText(upd::Versionstext({"2016", " 21", 1, 0, {}}));
        upd::DrawProgress(o.w->picProgress1, 570, 1, 1000, true);
        o.w->grab().save(shots + "/fdownload.png");
    }

    // A second update in the same run keeps the program the run started with.
    const QByteArray neuer = neuesProgramm(200000, 17);
    srv.pieces = {{Server::response("HTTP/1.0 200 OK", neuer), 0}};
    ASSERT_TRUE(o.lade(srv.url("/kxt/Kilometrika")));
    EXPECT_EQ(o.w->lblStatus->text(), upd::FDownload::fertigText());
    EXPECT_TRUE(lies(o.programm) == neuer);
    EXPECT_EQ(lies(upd::alteKopie(o.programm)), "altes Programm");

    // The next start has come up: the old copy goes, with the temporary of
    // a copy a crash cut off, but not another file's temporary.
    for (const char* name : {".Kilometrika.alt.neu-99999999-1x", ".Kilometrika.neu-99999999-2y"}) {
        QFile f(o.dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    upd::alteKopieEntfernen(o.programm);
    EXPECT_EQ(o.dateien(), QStringList({".Kilometrika.neu-99999999-2y", "Kilometrika"}));
}

TEST(FDownload, TheWindowGoesOnPaintingWhileTheLoadedFileIsTried)
{
    const QByteArray langsam = kmktest::elfLangsamerStart(lies(QCoreApplication::applicationFilePath()));
    if (langsam.isEmpty())
        GTEST_SKIP() << "the slow program is made for x86-64 only";
    Programmordner o;
    Server srv;
    srv.pieces = {{Server::response("HTTP/1.0 200 OK", langsam), 0}};
    struct Maler : QObject {
        int bilder = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            bilder += e->type() == QEvent::Paint;
            return false;
        }
    } maler;
    o.w->show();
    o.w->installEventFilter(&maler);
    // The trial: the loaded file running under its own name.
    auto probeLaeuft = [&] {
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs))
            if (QFile::symLinkTarget("/proc/" + pid + "/exe") == o.w->TargetFile)
                return true;
        return false;
    };
    o.w->txtSource->setText(srv.url("/kxt/Kilometrika"));
    o.w->cmdStart_Click();
    ASSERT_TRUE(QTest::qWaitFor(probeLaeuft, 10000));
    EXPECT_FALSE(o.w->cmdStart->isEnabled());
    const int vorher = maler.bilder;
    o.w->update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return maler.bilder > vorher; }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !o.w->laeuft(); }, 10000));
    EXPECT_EQ(o.w->lblStatus->text(), upd::FDownload::fertigText());
    EXPECT_TRUE(lies(o.programm) == langsam);
}

TEST(FDownload, AnythingButAWholeProgramLeavesTheProgramAndStartWorksAgain)
{
    Programmordner o("http://127.0.0.1:1/kxt", 300);
    const QByteArray neu = neuesProgramm();
    const QByteArray ganz = Server::response("HTTP/1.0 200 OK", neu);
    const QByteArray halb = neu.left(neu.size() / 2);
    const QByteArray kurzAngesagt = "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(halb.size()) + "\r\n\r\n" + halb;
    struct Row {
        const char* name;
        QByteArray reply;
        bool refused = false;
        bool stalls = false;
        QByteArray spaeter = {};   // sent a moment after the reply
        const char* grund = "";
    };
    const Row rows[] = {
        {"404 page", Server::response("HTTP/1.0 404 Not Found", "<html><body>Nicht gefunden</body></html>")},
        {"HTML with 200", Server::response("HTTP/1.0 200 OK", "<html><body>Wartungsarbeiten</body></html>")},
        {"cut short", ganz.left(150000)},
        {"gzip", Server::response("HTTP/1.0 200 OK", neu, "Content-Encoding: gzip\r\n")},
        {"no length", Server::response("HTTP/1.0 200 OK", neu, {}, false)},
        {"no HTTP", neu},
        {"refused", {}, true},
        {"stalled", ganz.left(1000), false, true},
        // The announced length is short: the rest refuses it whenever it comes.
        {"short length, rest later", kurzAngesagt, false, false, neu.mid(halb.size()), "mehr Daten als angekündigt"},
        {"short length, rest at once", kurzAngesagt + neu.mid(halb.size()), false, false, {}, "mehr Daten als angekündigt"},
        {"half a program, matching length", Server::response("HTTP/1.0 200 OK", halb), false, false, {}, "kein vollständiges Programm"},
        {"ELF header alone", Server::response("HTTP/1.0 200 OK", neu.left(24)), false, false, {}, "kein vollständiges Programm"},
        {"two lengths", Server::response("HTTP/1.0 200 OK", neu, "Content-Length: 150000\r\n"), false, false, {}, "keine gültige Dateigröße"},
        // Whole and of this computer, but it does not answer as the program.
        {"another program", Server::response("HTTP/1.0 200 OK", lies("/bin/true")), false, false, {}, "kein Programm für diesen Computer"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Server srv;
        srv.pieces = Server::split(r.reply, 3, 10);
        if (!r.spaeter.isEmpty())
            srv.pieces.append({r.spaeter, 150});
        srv.closeAtEnd = !r.stalls;
        const QString url = r.refused ? QString("http://127.0.0.1:%1/kxt/Kilometrika").arg(Server::refusedPort())
                                      : srv.url("/kxt/Kilometrika");
        ASSERT_TRUE(o.lade(url));
        EXPECT_EQ(lies(o.programm), "altes Programm");
        EXPECT_EQ(o.dateien(), QStringList({"Kilometrika"}));
        EXPECT_TRUE(o.w->lblStatus->text().startsWith("Download fehlgeschlagen: ")) << o.w->lblStatus->text().toStdString();
        EXPECT_TRUE(o.w->lblStatus->text().contains(QString::fromUtf8(r.grund))) << o.w->lblStatus->text().toStdString();
        EXPECT_TRUE(o.w->cmdStart->isEnabled());
    }
    // Not an http address: refused before anything is contacted.
    EXPECT_FALSE(o.w->StartDownload("https://127.0.0.1/x", o.w->TargetFile, true));
    EXPECT_FALSE(o.w->laeuft());
    // A download file someone protected is not written, also by root.
    {
        QFile f(o.w->TargetFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("geschützt");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(o.w->TargetFile).constData(), 0444), 0);
    EXPECT_FALSE(o.w->StartDownload("http://127.0.0.1:1/x", o.w->TargetFile, true));
    EXPECT_EQ(lies(o.w->TargetFile), "geschützt");
    ASSERT_TRUE(QFile::remove(o.w->TargetFile));

    Server srv;
    srv.pieces = Server::split(ganz, 2, 10);
    srv.closeAtEnd = false;   // the whole file is there: a short grace, not the stall limit
    ASSERT_TRUE(o.lade(srv.url("/kxt/Kilometrika")));
    EXPECT_EQ(o.w->lblStatus->text(), upd::FDownload::fertigText());
    EXPECT_TRUE(lies(o.programm) == neu);
}

TEST(FDownload, TheUpdateWindowAsksAsItAlwaysDidAndReplacesOnlyAWholeProgram)
{
    // A program that starts here, followed by bytes of every value.
    const QByteArray neu = neuesProgramm(256 * 200);
    struct Row {
        const char* name;
        const char* basis;   // %1 is the port
        QByteArray reply;
        QByteArray requestLine;
        bool ersetzt;
        bool nurHost = false;   // the address edited down to the host
    };
    const Row rows[] = {
        {"whole", "http://127.0.0.1:%1/kxt", Server::response("HTTP/1.0 200 OK", neu), "GET /kxt/Kilometrika HTTP/1.0", true},
        {"no folder, chunked", "http://127.0.0.1:%1", Server::chunkedResponse({neu}), "GET /Kilometrika HTTP/1.0", false},
        // The user typed a bare host: the request asks for "/".
        {"bare host", "http://127.0.0.1:%1/kxt", Server::response("HTTP/1.0 404 Not Found", "fehlt"), "GET / HTTP/1.0", false, true},
        {"one byte short", "http://127.0.0.1:%1/kxt/", Server::response("HTTP/1.0 200 OK", neu).chopped(1),
         "GET /kxt/Kilometrika HTTP/1.0", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QTemporaryDir dir;
        const QString prog = dir.filePath("Kilometrika");
        {
            QFile f(prog);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("alt");
        }
        const QFile::Permissions modus = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;
        ASSERT_TRUE(QFile::setPermissions(prog, modus));
        Server srv;
        srv.pieces = Server::split(r.reply, 7, 20);
        const QString basis = QString(r.basis).arg(srv.port());
        upd::FDownload w(upd::DownloadEinrichtung{dir.path(), "Kilometrika", 2, basis, {}, 2000});
        EXPECT_EQ(w.windowTitle(), "Brimo Kilometrika Download");
        EXPECT_EQ(w.cmdStart->text(), "Start");
        EXPECT_EQ(w.CBeenden->text(), "Zurück");
        EXPECT_EQ(w.lblStatus->text(), "Status");
        EXPECT_EQ(w.txtSource->text(), QString(basis).remove(QRegularExpression("/$")) + "/Kilometrika");
        EXPECT_EQ(w.TargetFile, dir.path() + "/Kilometrika.e32");
        w.picProgress1->resize(200, 20);
        if (r.nurHost)
            w.txtSource->setText(QString("http://127.0.0.1:%1").arg(srv.port()));

        w.cmdStart_Click();
        EXPECT_FALSE(w.cmdStart->isEnabled());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.laeuft(); }, 10000));
        EXPECT_EQ(srv.request, anfrage(r.requestLine, srv.port()));
        EXPECT_TRUE(w.cmdStart->isEnabled());
        EXPECT_FALSE(QFile::exists(w.TargetFile));
        if (r.ersetzt) {
            EXPECT_EQ(w.lblStatus->text(),
                      "Download beendet. Beim nächsten Neustart des Programms haben Sie die aktuellste Version.");
            EXPECT_TRUE(lies(prog) == neu);
            EXPECT_EQ(QFile::permissions(prog) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), modus);
            EXPECT_EQ(w.BytesReceived, neu.size());
            EXPECT_EQ(w.picProgress1->bild().pixel(199, 0), QColor(0, 0, 192).rgb());   // 100 %: the whole width
        } else {
            EXPECT_TRUE(w.lblStatus->text().startsWith("Download fehlgeschlagen: ")) << w.lblStatus->text().toStdString();
            EXPECT_EQ(lies(prog), "alt");
        }
    }
}

TEST(Aktualisierung, ChecksRightsThenConnectionThenAddressThenShowsTheWindow)
{
    QTemporaryDir dir;
    upd::FDownload mit(upd::DownloadEinrichtung{dir.path(), "Kilometrika", 1, "http://updates.example/kxt/", {}, 30000});
    upd::FDownload ohne(upd::DownloadEinrichtung{dir.path(), "Kilometrika", 1, "", {}, 30000});
    const upd::Versionsstand v{"2016", " 21", 1, 0, {}};
    struct Row {
        bool admin, online;
        upd::FDownload* fenster;
        upd::Pruefung ergebnis;
        const char* meldung;
    };
    const Row rows[] = {
        {false, true, &mit, upd::Pruefung::KeineRechte, "Für diese Funktion brauchen Sie Administrationsrechte"},
        {true, false, &mit, upd::Pruefung::Offline,
         "Es besteht keine Verbindung zum Internet.\r\nBitte stellen Sie eine Online-Verbindung her damit die Version "
         "überprüft werden kann."},
        {true, true, &ohne, upd::Pruefung::KeineAdresse, "Für die Aktualisierung ist keine Serveradresse eingerichtet."},
        {true, true, nullptr, upd::Pruefung::KeineAdresse, "Für die Aktualisierung ist keine Serveradresse eingerichtet."},
        {true, true, &mit, upd::Pruefung::Fenster, ""},
    };
    for (const Row& r : rows) {
        forms::ScopedFakes fakes;
        fakes.system.administrator = r.admin;
        fakes.system.online = r.online;
        EXPECT_EQ(upd::Command2_Click(r.fenster, v), r.ergebnis);
        if (*r.meldung) {
            ASSERT_EQ(fakes.dialogs.shown.size(), 1);
            EXPECT_TRUE(fakes.dialogs.shown[0].prompt.startsWith(QString::fromUtf8(r.meldung)));
            EXPECT_FALSE(mit.isVisible());
        } else {
            EXPECT_TRUE(fakes.dialogs.shown.isEmpty());
            EXPECT_TRUE(mit.isVisible());
            EXPECT_TRUE(mit.isModal());
            EXPECT_EQ(mit.LDownloadtxt->text(), "Sie haben die aktuellste Version von Kilometrika 2016 ( V 21.0.1)");
        }
    }
    mit.CBeenden_Click();
    EXPECT_FALSE(mit.isVisible());
    EXPECT_EQ(upd::Versionstext({"2016", " 21", 1, 2, "21.0.2"}),
              "Es steht eine neuere Version des Kilometrika 2016 (V 21.0.2) zum Download bereit");
}

TEST(Aktualisierung, TheAddressIsOneSettingOfTheInstallation)
{
    QTemporaryDir dir;
    EXPECT_EQ(upd::Aktualisierungsadresse(dir.path()), "");
    QFile f(dir.filePath("AKTUALISIERUNG.INI"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Aktualisierung]\r\nServeradresse = http://updates.example/kxt/\r\n");
    f.close();
    EXPECT_EQ(upd::Aktualisierungsadresse(dir.path()), "http://updates.example/kxt/");
    // As installed, no address is set.
    const QString install = qEnvironmentVariable("KMK_SOURCE_DIR") + "/install";
    if (QFile::exists(install + "/Aktualisierung.ini")) {
        EXPECT_EQ(upd::Aktualisierungsadresse(install), "");
    }
}

TEST(Aktualisierung, TheUpdateCommandTakesOneOfThreeWays)
{
    QTemporaryDir dir;
    upd::FDownload w(upd::DownloadEinrichtung{dir.path(), "Kilometrika", 10, "http://127.0.0.1:1/kxt/", {}, 2000});
    struct Row {
        bool admin, online;
        upd::Pruefung weg;
        QString meldung;
    };
    const Row rows[] = {
        {false, false, upd::Pruefung::KeineRechte, "Für diese Funktion brauchen Sie Administrationsrechte"},
        {true, false, upd::Pruefung::Offline,
         "Es besteht keine Verbindung zum Internet.\r\nBitte stellen Sie eine Online-Verbindung her damit die Version "
         "überprüft werden kann."},
        {true, true, upd::Pruefung::Fenster, {}},
    };
    for (const Row& r : rows) {
        forms::ScopedFakes fakes;
        fakes.system.administrator = r.admin;
        fakes.system.online = r.online;
        EXPECT_EQ(upd::Command2_Click(&w, {"2011", " 16", 1, 0, {}}), r.weg);
        EXPECT_EQ(w.isVisible(), r.meldung.isEmpty());
        if (!r.meldung.isEmpty()) {
            ASSERT_EQ(fakes.dialogs.shown.size(), 1);
            EXPECT_EQ(fakes.dialogs.shown[0].prompt, r.meldung);
        }
    }
    EXPECT_EQ(w.LDownloadtxt->text(), "Sie haben die aktuellste Version von Kilometrika 2011 ( V 16.0.1)");
    EXPECT_TRUE(w.isModal());
}

TEST(Ersetzen, OnlyAnExecutableOfThisKindCounts)
{
    QTemporaryDir dir;
    const QString self = QCoreApplication::applicationFilePath();
    const QByteArray selbst = lies(self);
    const QByteArray ganz = kmktest::elfProgramm(selbst, 4096);
    const bool b64 = ganz[4] == 2;
    auto mit = [&](int at, QByteArray bytes, QByteArray b = {}) {   // little-endian, as on this computer
        if (b.isEmpty())
            b = ganz;
        b.replace(at, bytes.size(), bytes);
        return b;
    };
    auto zahl = [](quint64 v, int width) {
        QByteArray b;
        for (int i = 0; i < width; ++i)
            b += char(v >> (8 * i));
        return b;
    };
    const int wort = b64 ? 8 : 4, ph = b64 ? 64 : 52, phent = b64 ? 56 : 32;
    // The program headers: a readable segment over bytes 0..2047, the loader
    // entry, an executable segment over 2048..4095 (entry point 3072); the
    // loader's name after them.
    const int laderkopf = ph + phent, ausfuehrbar = ph + 2 * phent, text = ph + 3 * phent;
    const int p_filesz = b64 ? 32 : 16, p_memsz = b64 ? 40 : 20, p_offset = b64 ? 8 : 4;
    const QByteArray hier = ganz.mid(text, ganz.indexOf('\0', text) + 1 - text);   // this computer's loader
    const QByteArray musl("/lib/ld-musl-x86_64.so.1", 25);
    auto mitLader = [&](const QByteArray& eintrag) {
        return mit(laderkopf + p_filesz, zahl(quint64(eintrag.size()), wort), mit(text, eintrag));
    };
    auto einsprung = [&](quint64 at) { return mit(24, zahl(at, wort)); };
    const QString nurLesbar = dir.filePath("ld-lesbar.so");
    {
        QFile f(nurLesbar);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lies(QString::fromLatin1(hier.chopped(1))));
    }
    ASSERT_EQ(::chmod(QFile::encodeName(nurLesbar).constData(), 0644), 0);
    QByteArray nurLaderkopf = mit(b64 ? 56 : 44, zahl(1, 2), mit(ph, ganz.mid(laderkopf, phent)));
    struct Row {
        const char* name;
        QByteArray inhalt;
        bool ok;
    };
    const Row rows[] = {
        {"this kind", ganz, true},
        {"the test program itself", selbst, true},
        {"the build's program", dasProgramm(), true},
        {"other machine", mit(18, QByteArray(1, char(ganz[18] ^ 0x01))), false},
        {"other class", mit(4, QByteArray(1, char(3 - ganz[4]))), false},
        {"object file", mit(16, QByteArray("\x01\x00", 2)), false},
        {"shared library", kmktest::elfProgramm(selbst, 4096, false).replace(16, 2, QByteArray("\x03\x00", 2)), false},
        {"a program without a loader entry (static)", kmktest::elfProgramm(selbst, 4096, false).replace(16, 2, QByteArray("\x02\x00", 2)), true},
        {"MZ program", "MZ" + QByteArray(62, '\0'), false},
        {"short", ganz.left(10), false},
        {"ELF header alone", ganz.left(24), false},
        {"half the test program", selbst.left(selbst.size() / 2), false},
        {"cut by one byte", ganz.chopped(1), false},
        {"no program headers", mit(b64 ? 56 : 44, zahl(0, 2)), false},
        {"program headers beyond the end", mit(b64 ? 32 : 28, zahl(4096 - 8, wort)), false},
        {"a segment beyond the end", mit(ausfuehrbar + p_offset, zahl(2049, wort)), false},
        {"the loader's name beyond the end", mit(laderkopf + p_offset, zahl(4096, wort)), false},
        {"section headers beyond the end", mit(b64 ? 60 : 48, zahl(2, 2)), false},
        // The loader entry: a name that ends in its first NUL at the entry's
        // last byte, of a loader present here.
        {"a loader that is not here", mitLader(musl), false},
        {"a loader that is not here, padded with NULs", mit(text, musl + QByteArray(hier.size() - musl.size(), '\0')), false},
        {"this computer's loader, padded with a NUL", mitLader(hier + '\0'), false},
        {"the loader's name without its NUL", mitLader(hier.chopped(1)), false},
        {"the loader's last byte X instead of NUL", mit(text + hier.size() - 1, "X"), false},
        {"an empty loader name (one NUL byte)", mitLader(QByteArray(1, '\0')), false},
        {"a loader entry of no byte", mitLader({}), false},
        {"a loader that is a folder", mitLader(QByteArray("/\0", 2)), false},
        {"a loader that is a file no one may run (0644)", mitLader(QFile::encodeName(nurLesbar) + '\0'), false},
        {"a loader named from the folder the program starts in", mitLader(QByteArray("../").repeated(24) + hier.mid(1)), false},
        {"a loader entry and no loadable segment", mit(ph, zahl(4, 4), mit(ausfuehrbar, zahl(4, 4))), false},
        {"type 3 whose only program header is the loader entry", nurLaderkopf, false},
        // The entry point: in what the file gives an executable segment.
        {"entry point 0", einsprung(0), false},
        {"entry point beyond every segment", einsprung(0x40000000), false},
        {"entry point in a segment that is not executable", einsprung(100), false},
        {"entry point at the executable segment's last byte", einsprung(4095), true},
        {"entry point just past the executable segment", einsprung(4096), false},
        {"entry point where the executable segment has no file", mit(ausfuehrbar + p_memsz, zahl(8192, wort), einsprung(5000)), false},
        {"a library (type 3, entry 0) naming this computer's loader", mit(16, QByteArray("\x03\x00", 2), einsprung(0)), false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QFile f(dir.filePath("x"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(r.inhalt);
        f.close();
        EXPECT_EQ(upd::istProgrammDatei(f.fileName(), self), r.ok);
    }
}

// A folder's files and their bytes.
QMap<QString, QByteArray> stand(const QString& ordner)
{
    QMap<QString, QByteArray> m;
    for (const QString& name : QDir(ordner).entryList(QDir::Files | QDir::Hidden))
        m[name] = lies(ordner + "/" + name);
    return m;
}

// No display for its lifetime: a program that made its window-system
// connection here would end with an error.
struct OhneAnzeige {
    const char* const namen[4] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "KILOMETRIKA_PROGRAMMPFAD"};
    QList<std::optional<QByteArray>> alt;
    OhneAnzeige()
    {
        for (const char* n : namen) {
            alt.append(qEnvironmentVariableIsSet(n) ? std::optional(qgetenv(n)) : std::nullopt);
            qunsetenv(n);
        }
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    ~OhneAnzeige()
    {
        for (int i = 0; i < 4; ++i) {
            if (alt[i])
                qputenv(namen[i], *alt[i]);
            else
                qunsetenv(namen[i]);
        }
    }
};

TEST(Ersetzen, OnlyAFileThatStartsHereAndAnswersAsTheProgramPassesTheTrial)
{
    // A program folder as installed for 2016, with a kept old program that
    // a start of the program would remove; a blank in its path.
    QTemporaryDir dir(QDir::tempPath() + "/Programm Ordner-XXXXXX");
    const QString prog = dir.filePath("Kilometrika");
    for (auto [name, inhalt] : {std::pair{"Kilometrika", dasProgramm()}, std::pair{"Kilometrika.alt", QByteArray("altes Programm")}}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(prog).constData(), 0755), 0);
    kmk::Jahrgangsdaten klar;
    klar.Jahr = "2016";
    klar.Markenkennung = "Kxt";
    klar.PauschaleTeiltag = "14";
    klar.PauschaleVolltag = "28";
    ASSERT_TRUE(kmk::JahrgangDatSchreiben(dir.path(), klar));
    const auto vorher = stand(dir.path());
    OhneAnzeige ohne;

    // The installed program answers with the version of its caption: for
    // 2016 main version 21, build 1; and leaves its folder as it was.
    QProcess p;
    p.start(prog, {"--version"});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardOutput(), "Kilometrika 21.0.1\n");
    EXPECT_EQ(stand(dir.path()), vorher);

    // The build's program built against a newer Qt: one function it calls
    // first after answering is not in this computer's library.
    QByteArray ohneFunktion = dasProgramm();
    // A program with its own application class calls the base constructor (C2).
    const QByteArray ctor = ohneFunktion.contains("_ZN12QApplicationC1ERiPPci") ? "_ZN12QApplicationC1ERiPPci"
                                                                                 : "_ZN12QApplicationC2ERiPPci";
    ASSERT_TRUE(ohneFunktion.contains(ctor));
    ohneFunktion.replace(ctor, QByteArray(ctor).replace("PPci", "PPcj"));
    // The script stands in for a child it leaves behind: its number goes to "<file>.kind".
    const QByteArray kind = "#!/bin/sh\nsleep 60 %1&\necho $! > \"$0.kind\"\necho 'Kilometrika 21.0.1'\n";
    struct Row {
        const char* name;
        QByteArray inhalt;
        bool ok;
        int grenzeMs = 10000;
        bool anzeige = false;   // run with a display and a session of the user's
    };
    const Row rows[] = {
        {"the build's program", dasProgramm(), true},
        {"a program that exits 1", lies("/bin/false"), false},
        {"a program that answers otherwise", lies("/bin/true"), false},
        {"answers as the program", "#!/bin/sh\necho 'Kilometrika 21.0.1'\n", true},
        {"answers as the program, exits 1", "#!/bin/sh\necho 'Kilometrika 21.0.1'\nexit 1\n", false},
        {"answers as the program, then crashes", "#!/bin/sh\necho 'Kilometrika 21.0.1'\nkill -SEGV $$\n", false},
        {"answers as the program, then never ends", "#!/bin/sh\necho 'Kilometrika 21.0.1'\nexec sleep 60\n", false, 500},
        {"answers without the blank", "#!/bin/sh\necho Kilometrika\n", false},
        {"reads its input to the end first", "#!/bin/sh\ncat\necho 'Kilometrika 21.0.1'\n", true, 2000},
        {"commands without a program line (a shell would run them)", "echo 'Kilometrika 21.0.1'\n", false},
        {"a function this computer lacks, called after the answer", ohneFunktion, false},
        // Where it finds a display it shows its window (here: a mark beside it) a while.
        {"a program that opens a window", "#!/bin/sh\n[ -n \"$DISPLAY$WAYLAND_DISPLAY$QT_QPA_PLATFORM$XDG_RUNTIME_DIR\" ] || exit 1\n"
                                          "touch \"$0.fenster\"\nsleep 2\necho 'Kilometrika 21.0.1'\n", false, 10000, true},
        {"answers, leaving a child that holds its output", QString(kind).arg("").toUtf8(), true},
        {"answers, leaving a child with an output of its own", QString(kind).arg(">/dev/null ").toUtf8(), true},
        {"leaves a child and never ends", QString(kind).arg("").toUtf8() + "sleep 60\n", false, 500},
    };
    // Gone, or a dead process nobody has collected yet.
    auto lebt = [](const QByteArray& pid) {
        const QByteArray stat = lies("/proc/" + pid.trimmed() + "/stat");
        return stat != "(fehlt)" && !stat.mid(stat.lastIndexOf(')') + 2, 1).contains('Z');
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const QString datei = dir.filePath("Kilometrika.e32");
        {
            QFile f(datei);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(r.inhalt);
        }
        if (r.anzeige) {
            qputenv("DISPLAY", ":0");
            qputenv("WAYLAND_DISPLAY", "wayland-0");
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
        }
        QString grund;
        EXPECT_EQ(upd::startetHier(datei, &grund, r.grenzeMs), r.ok);
        EXPECT_EQ(grund, r.ok ? "" : "Die geladene Datei ist kein Programm für diesen Computer.");
        for (const char* n : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
            qunsetenv(n);
        EXPECT_FALSE(QFile::remove(datei + ".fenster"));
        ASSERT_TRUE(QFile::remove(datei));
        if (QFile::exists(datei + ".kind")) {
            const QByteArray pid = lies(datei + ".kind");
            EXPECT_TRUE(QTest::qWaitFor([&] { return !lebt(pid); }, 5000)) << "left running: " << pid.toStdString();
            ASSERT_TRUE(QFile::remove(datei + ".kind"));
        }
    }
    EXPECT_EQ(stand(dir.path()), vorher);
}

TEST(Ersetzen, ATrialEndsWithTheProgramThatRunsIt)
{
    // The program: this test binary again, running the trial of that file.
    if (const QString datei = qEnvironmentVariable("KMK_PROBELAUF"); !datei.isEmpty()) {
        upd::startetHier(datei, nullptr, 60000);
        return;
    }
    // A file that never ends and leaves a child: both write their numbers.
    QTemporaryDir dir;
    const QString datei = dir.filePath("Kilometrika.e32");
    {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nsleep 60 &\necho $! > \"$0.kind\"\necho $$ > \"$0.selbst\"\nsleep 60\n");
    }
    QProcess programm;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KMK_PROBELAUF", datei);
    programm.setProcessEnvironment(env);
    programm.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Ersetzen.ATrialEndsWithTheProgramThatRunsIt"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return lies(datei + ".kind").endsWith('\n') && lies(datei + ".selbst").endsWith('\n'); }, 10000));
    programm.kill();
    ASSERT_TRUE(programm.waitForFinished(5000));
    auto lebt = [](const QByteArray& pid) {
        const QByteArray stat = lies("/proc/" + pid.trimmed() + "/stat");
        return stat != "(fehlt)" && !stat.mid(stat.lastIndexOf(')') + 2, 1).contains('Z');
    };
    for (const char* wer : {".kind", ".selbst"}) {
        const QByteArray pid = lies(datei + wer);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !lebt(pid); }, 5000)) << wer << " left running: " << pid.toStdString();
    }
}

TEST(Ersetzen, TheNewProgramKeepsTheOwnerAndModeOfTheOld)
{
    struct Row {
        const char* name;
        mode_t modus;
        uid_t besitzer;
        gid_t gruppe;
        const char* liste = nullptr;   // an access list of the program
    };
    const uid_t ich = ::geteuid();
    const gid_t meine = ::getegid();
    const Row rows[] = {
        {"rwxr-xr-x", 0755, ich, meine},
        {"r-xr-xr-x (root would read rwx)", 0555, ich, meine},
        {"r--r--r--", 0444, ich, meine},
        {"rwxr-x--- of nobody:nogroup", 0750, 65534, 65534},
        {"set-user-id of nobody", 04755, 65534, 65534},
        {"set-group-id, group nogroup", 02750, ich, 65534},
        // Last: where the file system has no access lists it is skipped.
        {"rwxr-x--- with u:nobody:r-x", 0750, ich, meine, "u::rwx,u:nobody:r-x,g::r-x,m::r-x,o::---"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        // The rows that give the file away come last.
        if ((r.besitzer != ich || r.gruppe != meine) && ich != 0)
            GTEST_SKIP() << "only root may give a file away";
        // Then once more where no second name can be made for the old
        // program (another file system): it is copied, with its rights.
        for (const bool verknuepft : {true, false}) {
            SCOPED_TRACE(verknuepft ? "linked" : "copied");
            QTemporaryDir dir;
            const QString prog = dir.filePath("Kilometrika"), neu = dir.filePath("Kilometrika.e32");
            auto anlegen = [&] {
                for (const QString& pfad : {prog, neu, upd::alteKopie(prog)})
                    QFile::remove(pfad);
                for (const QString& pfad : {prog, neu}) {
                    QFile f(pfad);
                    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                    f.write(pfad == prog ? "alt" : "neu");
                }
                ASSERT_EQ(::chown(QFile::encodeName(prog).constData(), r.besitzer, r.gruppe), 0);
                ASSERT_EQ(::chmod(QFile::encodeName(prog).constData(), r.modus), 0);
                if (r.liste) {
                    acl_t a = acl_from_text(r.liste);
                    const int gesetzt = acl_set_file(QFile::encodeName(prog).constData(), ACL_TYPE_ACCESS, a);
                    acl_free(a);
                    if (gesetzt != 0)
                        GTEST_SKIP() << "no access lists here";
                }
            };
            anlegen();
            if (HasFatalFailure() || IsSkipped())
                return;
            struct stat vorher {};
            ASSERT_EQ(::stat(QFile::encodeName(prog).constData(), &vorher), 0);
            QString fehler;
            if (!verknuepft) {
                // The link is the step before the last, the rename.
                io::pruefstand::zaehlen();
                ASSERT_TRUE(upd::programmErsetzen(neu, prog, &fehler)) << fehler.toStdString();
                const long schritte = io::pruefstand::schritte();
                anlegen();
                if (HasFatalFailure() || IsSkipped())
                    return;
                ASSERT_EQ(::stat(QFile::encodeName(prog).constData(), &vorher), 0);
                io::pruefstand::fehlerBei(schritte - 1, EXDEV);
            }
            const bool ersetzt = upd::programmErsetzen(neu, prog, &fehler);
            io::pruefstand::aus();
            ASSERT_TRUE(ersetzt) << fehler.toStdString();
            for (const QString& pfad : {prog, upd::alteKopie(prog)}) {
                struct stat st {};
                ASSERT_EQ(::stat(QFile::encodeName(pfad).constData(), &st), 0);
                EXPECT_EQ(st.st_mode & 07777, r.modus) << pfad.toStdString();
                EXPECT_EQ(st.st_uid, r.besitzer) << pfad.toStdString();
                EXPECT_EQ(st.st_gid, r.gruppe) << pfad.toStdString();
                if (pfad != prog)
                    EXPECT_EQ(st.st_ino == vorher.st_ino, verknuepft);
                if (r.liste) {
                    acl_t a = acl_get_file(QFile::encodeName(pfad).constData(), ACL_TYPE_ACCESS);
                    char* text = acl_to_any_text(a, nullptr, ',', TEXT_ABBREVIATE);
                    EXPECT_STREQ(text, r.liste) << pfad.toStdString();
                    acl_free(text);
                    acl_free(a);
                }
            }
            EXPECT_EQ(lies(prog), "neu");
            EXPECT_EQ(lies(upd::alteKopie(prog)), "alt");
        }
    }
}

} // namespace
