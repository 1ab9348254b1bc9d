// The download component as an installation meets it: registered by the
// registration tool, created through the registry and driven only by its
// ids, against a server of our own.

#include "platform/com/object.h"
#include "platform/com/registry.h"
#include "tests/support/loopserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
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
        EXPECT_TRUE(QTest::qWaitFor([&] { return ev.zuEnde() && srv.offen() == 0; }, 5000));
        QCoreApplication::processEvents();
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
        EXPECT_TRUE(QTest::qWaitFor([&] { return ev.zuEnde() && srv.offen() == 0; }, 5000));
        QCoreApplication::processEvents();
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return still.offen() == 0; }, 5000));
    QCoreApplication::processEvents();
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return still.offen() == 0; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(obj, nullptr);
    EXPECT_FALSE(result.toBool());
    EXPECT_EQ(host.log, QStringList({"Start", "Progress 3/100", "Error 40003"}));
    EXPECT_EQ(danach.requests, 0);
    EXPECT_EQ(dateien(), QStringList({"ziel.dat"}));
}

} // namespace
