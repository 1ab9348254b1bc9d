// A second look at the online update and the download component from the
// outside: the component registered by the registration tool and driven
// only by its ids, the update window against a server of our own, and the
// progress box's figures worked out by hand.

#include "app/update/aktualisierung.h"
#include "app/update/fdownload.h"
#include "platform/com/object.h"
#include "platform/com/registry.h"
#include "platform/forms/fakes.h"
#include "tests/support/elfprogramm.h"
#include "tests/support/loopserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Server = kmktest::LoopServer;

QString binDir()
{
    QString bin = qEnvironmentVariable("KMK_BIN_DIR");
    return bin.isEmpty() ? QCoreApplication::applicationDirPath() + "/../bin" : bin;
}

QByteArray lies(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(fehlt)");
}

// Every byte value, `times` times over, CR LF CR LF among them.
QByteArray alleBytes(int times)
{
    QByteArray b;
    for (int t = 0; t < times; ++t)
        for (int i = 0; i < 256; ++i)
            b += char(i);
    return b;
}

struct Ereignisse : com::IEventSink {
    QStringList log;
    void onEvent(com::DispId id, QVariantList& a) override
    {
        if (id == 1 && a.isEmpty())
            log << "Start";
        else if (id == 2 && a.size() == 2)
            log << QString("Progress %1/%2").arg(a[0].toInt()).arg(a[1].toInt());
        else if (id == 3 && a.isEmpty())
            log << "Finished";
        else if (id == 4)
            log << QString("Error %1").arg(a.value(0).toInt());
        else
            log << QString("unbekannt %1").arg(id);
    }
    bool zuEnde() const { return !log.isEmpty() && (log.last() == "Finished" || log.last().startsWith("Error")); }
};

class Komponente : public ::testing::Test {
protected:
    static inline QTemporaryDir regDir;
    QTemporaryDir dir;
    com::IObject* obj = nullptr;
    Ereignisse ev;

    static int regsvr(const QStringList& args)
    {
        QProcess p;
        p.start(binDir() + "/kmk-regsvr", args);
        return p.waitForFinished(10000) ? p.exitCode() : -1;
    }
    static void SetUpTestSuite()
    {
        qputenv("KILOMETRIKA_REGISTRY", QFile::encodeName(regDir.filePath("registry.ini")));
        ASSERT_EQ(regsvr({"/s", binDir() + "/libNetzladen.so"}), 0);
    }
    void neuesObjekt()
    {
        QString error;
        ASSERT_EQ(com::createObject("Netzladen.clsDownload", &obj, &error), com::S_OK) << error.toStdString();
        obj->advise(&ev);
    }
    void TearDown() override
    {
        if (obj)
            obj->release();
    }
    QVariant rufe(com::DispId id, QVariantList args)
    {
        QVariant result;
        EXPECT_EQ(obj->invoke(id, com::InvokeKind::Method, args, &result, nullptr), com::S_OK);
        return result;
    }
    QString ziel() const { return dir.filePath("ziel.dat"); }
    QStringList dateien() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(Komponente, TheComponentIsKnownByItsIdsAndLeavesTheRegistryAgain)
{
    com::Registry reg;
    const QString cls = "CLSID\\{420153F1-CE15-403F-A9CD-A0031E695C8A}";
    EXPECT_EQ(reg.value("Netzladen.clsDownload", "CLSID"), "{420153F1-CE15-403F-A9CD-A0031E695C8A}");
    EXPECT_EQ(reg.value(cls, "ProgID"), "Netzladen.clsDownload");
    EXPECT_EQ(reg.value(cls, "InprocServer32"), QFileInfo(binDir() + "/libNetzladen.so").absoluteFilePath());
    EXPECT_EQ(reg.value(cls, "TypeLib"), "{D8FC0457-BCFC-415F-8543-926688F53725}");
    EXPECT_EQ(reg.value(cls, "Control"), "");
    EXPECT_EQ(reg.value("TypeLib\\{D8FC0457-BCFC-415F-8543-926688F53725}", "@"), "Netzladen");

    neuesObjekt();
    const com::ClassInfo& ci = obj->classInfo();
    EXPECT_EQ(ci.dispIid.toString(), "{A625683D-5490-41D7-8F88-B0C73432D812}");
    EXPECT_EQ(ci.eventIid.toString(), "{C3F99647-BD8C-4555-B761-587391650C4F}");
    struct Glied {
        com::DispId id;
        const char* name;
        QStringList params;
    };
    const Glied methoden[] = {{0x60030000, "DoDownload", {"strURL", "strLocalFile"}}, {0x60030004, "AbortDownload", {}}};
    for (const Glied& m : methoden) {
        const com::MemberInfo* mi = ci.member(m.id);
        ASSERT_NE(mi, nullptr) << m.name;
        EXPECT_EQ(mi->name, m.name);
        EXPECT_TRUE(mi->isMethod);
        QStringList names;
        for (const auto& p : mi->params)
            names << p.name;
        EXPECT_EQ(names, m.params);
    }
    EXPECT_EQ(ci.member("DoDownload")->type, com::VarType::Bool);
    const Glied ereignisse[] = {{1, "Start", {}}, {2, "Progress", {"BytesLoaded", "FileSize"}}, {3, "Finished", {}}};
    for (const Glied& e : ereignisse) {
        const com::EventInfo* ei = ci.event(e.id);
        ASSERT_NE(ei, nullptr) << e.name;
        EXPECT_EQ(ei->name, e.name);
        QStringList names;
        for (const auto& p : ei->params) {
            names << p.name;
            EXPECT_EQ(p.type, com::VarType::I4);
        }
        EXPECT_EQ(names, e.params);
    }
    // A call with one argument too few is refused, not guessed at.
    QVariantList eins{QString("http://127.0.0.1:1/")};
    EXPECT_TRUE(com::failed(obj->invoke(0x60030000, com::InvokeKind::Method, eins, nullptr, nullptr)));

    const QString lib = binDir() + "/libNetzladen.so";
    ASSERT_EQ(regsvr({"/u", "/s", lib}), 0);
    EXPECT_EQ(reg.value("Netzladen.clsDownload", "CLSID"), "");
    EXPECT_EQ(reg.value(cls, "InprocServer32"), "");
    EXPECT_EQ(reg.value("TypeLib\\{D8FC0457-BCFC-415F-8543-926688F53725}", "@"), "");
    EXPECT_EQ(reg.value("Interface\\{A625683D-5490-41D7-8F88-B0C73432D812}", "@"), "");
    EXPECT_EQ(reg.value("Interface\\{C3F99647-BD8C-4555-B761-587391650C4F}", "@"), "");
    com::IObject* zweites = nullptr;
    EXPECT_FALSE(com::succeeded(com::createObject("Netzladen.clsDownload", &zweites)));
    EXPECT_EQ(regsvr({"/u", "/s", lib}), 0);   // twice is no fault
    ASSERT_EQ(regsvr({"/s", lib}), 0);

    // A component client asking a control library's property page for a
    // component is refused, not handed a page it would call into.
    ASSERT_EQ(regsvr({"/s", binDir() + "/libQKCAL32.so"}), 0);
    com::IObject* seite = nullptr;
    EXPECT_FALSE(com::succeeded(com::createObject("QKCAL.QKCalPropPage.1", &seite)));
    EXPECT_EQ(seite, nullptr);
    EXPECT_EQ(regsvr({"/u", "/s", binDir() + "/libQKCAL32.so"}), 0);
}

TEST_F(Komponente, DownloadsArriveWholeWithTheirEventsInOrder)
{
    neuesObjekt();
    const QByteArray body = alleBytes(3) + "\r\n\r\n" + alleBytes(1);   // 1028 bytes
    const QByteArray sized = Server::response("HTTP/1.1 200 OK", body);
    struct Row {
        const char* name;
        QString adresse;   // %1 is the port
        QList<Server::Piece> pieces;
        QByteArray requestLine;
        int fileSize;
    };
    const Row rows[] = {
        // The header breaks inside the status line and inside "Content-Length".
        {"sized, split header", "HtTp://127.0.0.1:%1/a/b.bin",
         {{sized.left(5), 0}, {sized.mid(5, 30), 30}, {sized.mid(35, 500), 30}, {sized.mid(535), 30}},
         "GET /a/b.bin HTTP/1.1", 1028},
        // No length: the body ends with the connection, and the size of the
        // download before is not reported again.
        {"until close", "127.0.0.1:%1", Server::split("HTTP/1.0 200 OK\r\n\r\n" + body, 3, 30), "GET / HTTP/1.1", 0},
        {"chunked", "http://127.0.0.1:%1/c",
         Server::split(Server::chunkedResponse({body.left(3), body.mid(3, 700), body.mid(703)}), 5, 30), "GET /c HTTP/1.1", 0},
        {"sized again", "http://127.0.0.1:%1/d?x=1", Server::split(sized, 2, 30), "GET /d?x=1 HTTP/1.1", 1028},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ev.log.clear();
        Server srv;
        srv.pieces = r.pieces;
        EXPECT_EQ(rufe(0x60030000, {r.adresse.arg(srv.port()), ziel()}).toInt(), -1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ev.zuEnde(); }, 5000));
        QTest::qWait(30);
        const QByteArray host = "127.0.0.1:" + QByteArray::number(srv.port());
        EXPECT_EQ(srv.request, r.requestLine + "\r\nHost: " + host + "\r\nAccept: */*\r\nConnection: close\r\n\r\n");
        ASSERT_GE(ev.log.size(), 3);
        EXPECT_EQ(ev.log.first(), "Start");
        EXPECT_EQ(ev.log.last(), "Finished");
        EXPECT_EQ(ev.log.count("Finished"), 1);
        int vorher = 0;
        for (const QString& e : ev.log.mid(1, ev.log.size() - 2)) {
            ASSERT_TRUE(e.startsWith("Progress ")) << e.toStdString();
            const QStringList n = e.mid(9).split('/');
            EXPECT_GE(n[0].toInt(), vorher);
            EXPECT_EQ(n[1].toInt(), r.fileSize);
            vorher = n[0].toInt();
        }
        EXPECT_EQ(vorher, 1028);
        EXPECT_TRUE(lies(ziel()) == body);
        EXPECT_EQ(dateien(), QStringList({"ziel.dat"}));
    }
}

TEST_F(Komponente, EachFailedDownloadEndsInOneErrorAndKeepsTheTarget)
{
    neuesObjekt();
    QFile alt(ziel());
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("vorher");
    alt.close();
    struct Row {
        const char* name;
        QList<Server::Piece> pieces;
        int error;   // 0: the address is refused
    };
    const Row rows[] = {
        {"server error", {{Server::response("HTTP/1.1 500 Internal Server Error", "kaputt"), 0}}, 500},
        {"more than announced", {{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0123456789ABCDEFGHIJ", 0}}, 40001},
        {"header cut", {{"HTTP/1.1 200 OK\r\nContent-Le", 0}}, 40001},
        {"bad chunk size", {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nabcde\r\nzz\r\n", 0}}, 40001},
        {"short by one", {{Server::response("HTTP/1.1 200 OK", alleBytes(1)).chopped(1), 0}}, 40002},
        {"refused", {}, 10061},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ev.log.clear();
        Server srv;
        srv.pieces = r.pieces;
        const quint16 port = r.error == 10061 ? Server::refusedPort() : srv.port();
        EXPECT_EQ(rufe(0x60030000, {QString("http://127.0.0.1:%1/f").arg(port), ziel()}).toInt(), -1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ev.zuEnde(); }, 5000));
        QTest::qWait(30);
        EXPECT_EQ(ev.log.last(), QString("Error %1").arg(r.error));
        EXPECT_EQ(ev.log.filter("Error").size(), 1);
        EXPECT_EQ(ev.log.count("Finished"), 0);
        EXPECT_EQ(lies(ziel()), "vorher");
        EXPECT_EQ(dateien(), QStringList({"ziel.dat"}));
    }

    // Aborted after the start: nothing follows, nothing is written.
    ev.log.clear();
    Server still;
    still.pieces = {{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc", 0}};
    still.closeAtEnd = false;
    rufe(0x60030000, {still.url("/g"), ziel()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return ev.log.contains("Progress 3/100"); }, 5000));
    rufe(0x60030004, {});
    QTest::qWait(50);
    EXPECT_EQ(ev.log, QStringList({"Start", "Progress 3/100"}));
    EXPECT_EQ(lies(ziel()), "vorher");
    EXPECT_EQ(dateien(), QStringList({"ziel.dat"}));

    // A new download while one runs ends the old one with its own error;
    // the new one then finishes.
    ev.log.clear();
    rufe(0x60030000, {still.url("/h"), ziel()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return ev.log.contains("Progress 3/100"); }, 5000));
    Server neu;
    neu.pieces = {{Server::response("HTTP/1.1 200 OK", "neu"), 0}};
    rufe(0x60030000, {neu.url("/i"), ziel()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return ev.log.last() == "Finished"; }, 5000));
    EXPECT_EQ(ev.log, QStringList({"Start", "Progress 3/100", "Error 40003", "Start", "Progress 3/3", "Finished"}));
    EXPECT_EQ(lies(ziel()), "neu");

    // A host that lets go of the object when the old download's error
    // reaches it, inside its own call for a new one: nothing more happens.
    struct LosLassen : Ereignisse {
        com::IObject** o = nullptr;
        void onEvent(com::DispId id, QVariantList& a) override
        {
            Ereignisse::onEvent(id, a);
            if (id == 4 && *o) {
                (*o)->release();
                *o = nullptr;
            }
        }
    } host;
    host.o = &obj;
    obj->unadvise(&ev);
    obj->advise(&host);
    Server danach;
    danach.pieces = {{Server::response("HTTP/1.1 200 OK", "danach"), 0}};
    rufe(0x60030000, {still.url("/j"), ziel()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return host.log.contains("Progress 3/100"); }, 5000));
    QVariantList args{danach.url("/k"), ziel()};
    QVariant result;
    obj->invoke(0x60030000, com::InvokeKind::Method, args, &result, nullptr);
    QTest::qWait(100);
    EXPECT_EQ(obj, nullptr);
    EXPECT_FALSE(result.toBool());
    EXPECT_EQ(host.log, QStringList({"Start", "Progress 3/100", "Error 40003"}));
    EXPECT_EQ(danach.requests, 0);
    EXPECT_EQ(dateien(), QStringList({"ziel.dat"}));
}

TEST(Aktualisierung2, TheProgressBoxFiguresAsWorkedByHand)
{
    struct Row {
        qint32 value, min, max;
        int width, prozent, balken;
    };
    const Row rows[] = {
        {570, 1, 1000, 200, 57, 114},   // 57.0 + 0.5 cut to 57; 2 * 57
        {1, 1, 8, 200, 13, 26},         // 12.5 + 0.5 = 13: the percent rounds half up
        {1, 1, 8, 250, 13, 32},         // 2.5 * 13 = 32.5: the bar rounds half to even
        {5, 1, 8, 150, 63, 94},         // 62.5 -> 63; 1.5 * 63 = 94.5 -> 94
        {3, 1, 8, 250, 38, 95},         // 37.5 -> 38; 2.5 * 38 = 95
        {3, 1, 8, 150, 38, 57},         // 1.5 * 38 = 57
        {7, 1, 8, 50, 88, 44},          // 87.5 -> 88; 0.5 * 88 = 44
        {9, 1, 8, 200, 100, 200},       // lowered to 8 first
        {-4, 1, 8, 200, 13, 26},        // raised to 1 first
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.value << " of " << r.min << ".." << r.max << " at " << r.width);
        const upd::Fortschritt f = upd::fortschrittBerechnen(r.value, r.min, r.max, r.width);
        EXPECT_EQ(f.prozent, r.prozent);
        EXPECT_EQ(f.balkenbreite, r.balken);
    }
    // Drawn: 570 of 1..1000 fills the columns 0..113 of a box 200 wide.
    upd::ProgressBox box;
    box.resize(200, 20);
    upd::DrawProgress(&box, 570, 1, 1000, false);
    const QImage& b = box.bild();
    EXPECT_EQ(b.pixel(0, 10), QColor(0, 0, 192).rgb());
    EXPECT_EQ(b.pixel(113, 19), QColor(0, 0, 192).rgb());
    EXPECT_NE(b.pixel(114, 0), QColor(0, 0, 192).rgb());
}

// A whole executable of this computer's kind, of every byte value.
QByteArray programm()
{
    return kmktest::elfProgramm(lies(QCoreApplication::applicationFilePath()), 64 + 256 * 200);
}

TEST(Aktualisierung2, TheUpdateWindowAsksAsItAlwaysDidAndReplacesOnlyAWholeProgram)
{
    const QByteArray neu = programm();
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
        EXPECT_EQ(srv.request, r.requestLine + "\r\n"
                                   "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/vnd.ms-powerpoint, "
                                   "application/vnd.ms-excel, application/msword, application/x-comet, */*\r\n"
                                   "Accept-Language: en\r\n"
                                   "Accept-Encoding: identity\r\n"
                                   "Cache-Control: no-cache\r\n"
                                   "Proxy-Connection: Keep-Alive\r\n"
                                   "User-Agent: Dvr Agent 1.0\r\n"
                                   "Host: 127.0.0.1:" + QByteArray::number(srv.port()) + "\r\n\r\n");
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

TEST(Aktualisierung2, TheUpdateCommandTakesOneOfThreeWays)
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

} // namespace
