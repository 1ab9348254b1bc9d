#include "download/ids.h"
#include "platform/com/object.h"
#include "platform/com/registry.h"
#include "platform/com/resources.h"
#include "tests/support/loopserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString libraryPath()
{
    QString bin = qEnvironmentVariable("KMK_BIN_DIR");
    if (bin.isEmpty())
        bin = QCoreApplication::applicationDirPath() + "/../bin";
    return QDir(bin).absoluteFilePath("libNetzladen.so");
}

struct Recorder : com::IEventSink {
    QStringList events;
    void onEvent(com::DispId id, QVariantList& a) override
    {
        switch (id) {
        case netzladen::dispid::Start: events << "Start"; break;
        case netzladen::dispid::Progress: events << QString("Progress %1/%2").arg(a[0].toInt()).arg(a[1].toInt()); break;
        case netzladen::dispid::Finished: events << "Finished"; break;
        case netzladen::dispid::Error: events << QString("Error %1").arg(a[0].toInt()); break;
        default: events << "?";
        }
    }
    bool ended() const { return !events.isEmpty() && (events.last() == "Finished" || events.last().startsWith("Error")); }
};

class Netzladen : public ::testing::Test {
protected:
    static inline QTemporaryDir regDir;
    QTemporaryDir dir;
    com::IObject* obj = nullptr;
    Recorder rec;

    static void SetUpTestSuite()
    {
        qputenv("KILOMETRIKA_REGISTRY", QFile::encodeName(regDir.path() + "/registry.ini"));
        QLibrary lib(libraryPath());
        ASSERT_TRUE(lib.load()) << lib.errorString().toStdString();
        auto reg = reinterpret_cast<com::DllRegisterServerFn>(lib.resolve("DllRegisterServer"));
        ASSERT_NE(reg, nullptr);
        ASSERT_EQ(reg(), com::S_OK);
    }
    void SetUp() override
    {
        QString error;
        ASSERT_EQ(com::createObject("Netzladen.clsDownload", &obj, &error), com::S_OK) << error.toStdString();
        obj->advise(&rec);
    }
    void TearDown() override
    {
        if (obj)
            obj->release();
    }
    bool doDownload(const QString& url, const QString& file)
    {
        QVariantList args{url, file};
        QVariant result;
        EXPECT_EQ(obj->invoke(netzladen::dispid::DoDownload, com::InvokeKind::Method, args, &result, nullptr), com::S_OK);
        return result.toInt() != 0;
    }
    QString target() const { return dir.filePath("ziel.bin"); }
    QStringList filesLeft() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QByteArray readTarget() const
    {
        QFile f(target());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(fehlt)");
    }
};

QByteArray binaryBody()
{
    QByteArray b;
    for (int i = 0; i < 3000; ++i)
        b += char(0x80 + i % 0x20);   // the bytes a code-page round trip would change
    return b + "\r\n\r\n\x00\xff" + b;
}

TEST_F(Netzladen, IsRegisteredAndCreatedByItsProgramId)
{
    com::Registry reg;
    EXPECT_EQ(reg.value("Netzladen.clsDownload", "CLSID"), "{420153F1-CE15-403F-A9CD-A0031E695C8A}");
    const QString cls = "CLSID\\{420153F1-CE15-403F-A9CD-A0031E695C8A}";
    EXPECT_EQ(reg.value(cls, "InprocServer32"), libraryPath());
    EXPECT_EQ(reg.value(cls, "TypeLib"), "{D8FC0457-BCFC-415F-8543-926688F53725}");
    const QString lib = "TypeLib\\{D8FC0457-BCFC-415F-8543-926688F53725}";
    EXPECT_EQ(reg.value(lib, "@"), "Netzladen");
    EXPECT_EQ(reg.value(lib, "Version"), "1.0");
    EXPECT_EQ(reg.value(lib, "LCID"), "409");
    for (auto [iid, name] : {std::pair{"{A625683D-5490-41D7-8F88-B0C73432D812}", "_clsDownload"},
                             std::pair{"{C3F99647-BD8C-4555-B761-587391650C4F}", "__clsDownload"}}) {
        const QString s = QString("Interface\\") + iid;
        EXPECT_EQ(reg.value(s, "@"), name);
        EXPECT_EQ(reg.value(s, "TypeLib"), "{D8FC0457-BCFC-415F-8543-926688F53725}");
        EXPECT_EQ(reg.value(s, "Version"), "1.0");
    }
    // The resources a host reads without running the library.
    QLibrary dll(libraryPath());
    for (auto [name, bytes] : {std::pair{"_IID_CLSDOWNLOAD", "100000003d6825a69054d7418f88b0c73432d812"},
                               std::pair{"_SRCIID_CLSDOWNLOAD", "100000004796f9c38cbd5545b761587391650c4f"}}) {
        const auto* record = reinterpret_cast<const char*>(dll.resolve(name));
        ASSERT_NE(record, nullptr) << name;
        EXPECT_EQ(QByteArray(record, 20).toHex(), bytes) << name;
    }
    const auto version = com::libraryVersion(libraryPath());
    ASSERT_TRUE(version.has_value());
    EXPECT_STREQ(version->fileVersion, "1.00");
    EXPECT_STREQ(version->productVersion, "1.00");
    EXPECT_EQ(version->language, 0x0407);
    EXPECT_EQ(version->codePage, 1200);
    EXPECT_STREQ(version->selfRegister, "OLESelfRegister");
    const com::ClassInfo& ci = obj->classInfo();
    EXPECT_EQ(ci.member("DoDownload")->id, 0x60030000);
    EXPECT_EQ(ci.member("AbortDownload")->id, 0x60030004);
    QStringList events;
    for (const auto& e : ci.events)
        events << e.name;
    EXPECT_EQ(events, QStringList({"Start", "Progress", "Finished", "Error"}));
}

TEST_F(Netzladen, WholeRepliesArriveByteForByteInOrderOfEvents)
{
    const QByteArray body = binaryBody();
    const QByteArray plain = kmktest::LoopServer::response("HTTP/1.1 200 OK", body);
    struct Row {
        const char* name;
        QList<kmktest::LoopServer::Piece> pieces;
        int fileSize;
        bool keepOpen;
    };
    const Row rows[] = {
        // The header alone is split in three reads.
        {"split header", {{plain.left(6), 0}, {plain.mid(6, 20), 20}, {plain.mid(26, 1000), 20}, {plain.mid(1026), 20}}, int(body.size()), false},
        // A new download reports no size of the last one; the last chunk ends
        // it even while the server keeps the connection.
        {"chunked", kmktest::LoopServer::split(kmktest::LoopServer::chunkedResponse({body.left(100), body.mid(100)}), 4, 20), 0, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        rec.events.clear();
        kmktest::LoopServer srv;
        srv.pieces = r.pieces;
        srv.closeAtEnd = !r.keepOpen;
        ASSERT_TRUE(doDownload(srv.url("/ordner/datei.bin"), target()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return rec.ended(); }, 5000));
        EXPECT_EQ(srv.request, QByteArray("GET /ordner/datei.bin HTTP/1.1\r\nHost: 127.0.0.1:") + QByteArray::number(srv.port())
                                   + "\r\nAccept: */*\r\nConnection: close\r\n\r\n");
        ASSERT_GE(rec.events.size(), 3);
        EXPECT_EQ(rec.events.first(), "Start");
        EXPECT_EQ(rec.events.last(), "Finished");
        EXPECT_EQ(rec.events.count("Finished"), 1);
        EXPECT_EQ(rec.events[rec.events.size() - 2], QString("Progress %1/%2").arg(body.size()).arg(r.fileSize));
        EXPECT_TRUE(readTarget() == body);
        EXPECT_EQ(filesLeft(), QStringList({"ziel.bin"}));
    }
}

TEST_F(Netzladen, ADownloadOverAnOldFileKeepsItsOwnerAndMode)
{
    struct Row {
        const char* name;
        mode_t modus;
        uid_t besitzer;
        gid_t gruppe;
    };
    const uid_t ich = ::geteuid();
    const gid_t meine = ::getegid();
    const Row rows[] = {
        {"rw-r-----", 0640, ich, meine},
        {"set-user-id", 04750, ich, meine},
        {"set-group-id", 02660, ich, meine},
        {"write only (root would read rw)", 0200, ich, meine},
        {"--x for the group", 0610, ich, meine},
        // The rows that give the file away come last.
        {"rw-r----- of nobody:nogroup", 0640, 65534, 65534},
        {"set-user-id of nobody", 04750, 65534, 65534},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        if ((r.besitzer != ich || r.gruppe != meine) && ich != 0)
            GTEST_SKIP() << "only root may give a file away";
        {
            QFile alt(target());
            ASSERT_TRUE(alt.open(QIODevice::WriteOnly | QIODevice::Truncate));
            alt.write("alte Datei");
        }
        const QByteArray pfad = QFile::encodeName(target());
        ASSERT_EQ(::chown(pfad.constData(), r.besitzer, r.gruppe), 0);
        ASSERT_EQ(::chmod(pfad.constData(), r.modus), 0);
        rec.events.clear();
        kmktest::LoopServer srv;
        srv.pieces = {{kmktest::LoopServer::response("HTTP/1.1 200 OK", "neue Datei"), 0}};
        ASSERT_TRUE(doDownload(srv.url("/x"), target()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return rec.ended(); }, 5000));
        EXPECT_EQ(rec.events.last(), "Finished");
        if ((r.modus & 0400) || ich == 0)
            EXPECT_EQ(readTarget(), "neue Datei");
        struct stat st {};
        ASSERT_EQ(::stat(pfad.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, r.modus);
        EXPECT_EQ(st.st_uid, r.besitzer);
        EXPECT_EQ(st.st_gid, r.gruppe);
        EXPECT_EQ(filesLeft(), QStringList({"ziel.bin"}));
    }
}

TEST_F(Netzladen, EveryFailureEndsWithOneErrorAndLeavesTheTargetAlone)
{
    const QByteArray body(5000, 'x');
    const QByteArray kurzAngesagt = "HTTP/1.1 200 OK\r\nContent-Length: 2500\r\n\r\n" + body.left(2500);
    struct Row {
        const char* name;
        QByteArray reply;
        bool refused;
        int error;
        QByteArray spaeter = {};   // sent a moment after the reply
    };
    const Row rows[] = {
        {"404", kmktest::LoopServer::response("HTTP/1.1 404 Not Found", "<html>weg</html>"), false, 404},
        {"302", kmktest::LoopServer::response("HTTP/1.1 302 Found", "", "Location: http://127.0.0.1:1/\r\n"), false, 302},
        {"204", "HTTP/1.1 204 No Content\r\n\r\n", false, 204},
        {"cut short", kmktest::LoopServer::response("HTTP/1.1 200 OK", body).chopped(100), false, netzladen::error::Incomplete},
        {"chunked cut short", kmktest::LoopServer::chunkedResponse({body}).chopped(5), false, netzladen::error::Incomplete},
        {"gzip", kmktest::LoopServer::response("HTTP/1.1 200 OK", body, "Content-Encoding: gzip\r\n"), false, netzladen::error::BadReply},
        {"no HTTP", "Hallo Welt\r\n\r\nund mehr", false, netzladen::error::BadReply},
        {"two lengths", kmktest::LoopServer::response("HTTP/1.1 200 OK", body, "Content-Length: 4999\r\n"), false, netzladen::error::BadReply},
        {"short length, rest later", kurzAngesagt, false, netzladen::error::BadReply, body.mid(2500)},
        {"short length, rest at once", kurzAngesagt + body.mid(2500), false, netzladen::error::BadReply},
        {"refused", {}, true, 10061},
    };
    for (const bool alt : {false, true}) {
        if (alt) {
            QFile old(target());
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("alte Datei");
        }
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(r.name) + (alt ? ", over an old file" : ", no file yet"));
            rec.events.clear();
            kmktest::LoopServer srv;
            srv.pieces = kmktest::LoopServer::split(r.reply, 3, 10);
            if (!r.spaeter.isEmpty())
                srv.pieces.append({r.spaeter, 150});
            const QString url = r.refused ? QString("http://127.0.0.1:%1/x").arg(kmktest::LoopServer::refusedPort()) : srv.url("/x");
            ASSERT_TRUE(doDownload(url, target()));
            // Nothing may follow, up to the end of the connection.
            EXPECT_TRUE(QTest::qWaitFor([&] { return rec.ended() && srv.offen() == 0; }, 5000));
            QCoreApplication::processEvents();
            EXPECT_EQ(rec.events.last(), QString("Error %1").arg(r.error));
            EXPECT_EQ(rec.events.filter("Error").size(), 1);
            EXPECT_FALSE(rec.events.contains("Finished"));
            EXPECT_EQ(readTarget(), alt ? "alte Datei" : "(fehlt)");
            EXPECT_EQ(filesLeft(), alt ? QStringList({"ziel.bin"}) : QStringList());
        }
    }
    // An address that is no http address is refused at once (no window
    // system here, so no message box).
    rec.events.clear();
    EXPECT_FALSE(doDownload("ftp://127.0.0.1/x", target()));
    EXPECT_FALSE(doDownload("http://127.0.0.1:1/x", dir.filePath("fehlt/ziel.bin")));
    QTest::qWait(20);
    EXPECT_TRUE(rec.events.isEmpty());

    // A write-protected file is refused at once, also for root, and keeps its mode.
    const QFileDevice::Permissions nurLesen = QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(target(), nurLesen));
    {
        kmktest::LoopServer srv;
        srv.pieces = {{kmktest::LoopServer::response("HTTP/1.1 200 OK", body), 0}};
        EXPECT_FALSE(doDownload(srv.url("/x"), target()));
        QTest::qWait(20);
        EXPECT_TRUE(rec.events.isEmpty());
    }
    // Protected while the reply comes in: refused at its end.
    ASSERT_TRUE(QFile::setPermissions(target(), nurLesen | QFileDevice::WriteOwner | QFileDevice::WriteUser));
    {
        kmktest::LoopServer srv;
        const QByteArray antwort = kmktest::LoopServer::response("HTTP/1.1 200 OK", body);
        srv.pieces = {{antwort.left(100), 0}, {antwort.mid(100), 300}};
        ASSERT_TRUE(doDownload(srv.url("/x"), target()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return rec.events.contains("Start"); }, 5000));
        ASSERT_TRUE(QFile::setPermissions(target(), nurLesen));
        EXPECT_TRUE(QTest::qWaitFor([&] { return rec.ended(); }, 5000));
        EXPECT_EQ(rec.events.last(), QString("Error %1").arg(netzladen::error::FileAccess));
    }
    EXPECT_EQ(readTarget(), "alte Datei");
    EXPECT_EQ(QFile::permissions(target()) & 0x7077, QFileDevice::ReadOwner | QFileDevice::ReadGroup);   // owner, group, others
    EXPECT_EQ(filesLeft(), QStringList({"ziel.bin"}));
}

} // namespace

namespace {

TEST_F(Netzladen, AHostMayLetGoOfTheObjectInsideAnEvent)
{
    struct LetGo : Recorder {
        com::IObject** obj = nullptr;
        void onEvent(com::DispId id, QVariantList& a) override
        {
            Recorder::onEvent(id, a);
            if (id == netzladen::dispid::Progress && *obj) {
                (*obj)->release();
                *obj = nullptr;
            }
        }
    } host;
    host.obj = &obj;
    obj->unadvise(&rec);
    obj->advise(&host);
    kmktest::LoopServer srv;
    srv.pieces = kmktest::LoopServer::split(kmktest::LoopServer::response("HTTP/1.1 200 OK", QByteArray(4000, 'x')), 4, 10);
    ASSERT_TRUE(doDownload(srv.url("/x"), target()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return obj == nullptr && srv.offen() == 0; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(host.events.size(), 2);
    EXPECT_EQ(host.events.value(0), "Start");
    EXPECT_TRUE(filesLeft().isEmpty());   // not even the temporary file
}

} // namespace
