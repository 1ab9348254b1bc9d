#include "platform/net/winsock.h"
#include "tests/support/loopserver.h"

#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Recorder {
    net::Winsock sock;
    QByteArray request = "GET / HTTP/1.0\r\n\r\n";
    QByteArray received;
    QStringList events;
    qint64 readSize = 10;   // reads only part of what waits, as the first read of a download does

    Recorder()
    {
        QObject::connect(&sock, &net::Winsock::ConnectEvent, [this] {
            events << "Connect";
            sock.SendData(request);
        });
        QObject::connect(&sock, &net::Winsock::DataArrival, [this](qint64) { received += sock.GetData(readSize); });
        QObject::connect(&sock, &net::Winsock::CloseEvent, [this] { events << "Close"; });
        QObject::connect(&sock, &net::Winsock::Error, [this](int n, const QString&) { events << QString::number(n); });
    }
    bool ended() const { return events.size() >= 2 || (!events.isEmpty() && events[0] != "Connect"); }
};

TEST(Winsock, EveryByteArrivesBeforeTheCloseAndNoProxyIsUsed)
{
    // A proxy set for the whole program must not be used.
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", kmktest::LoopServer::refusedPort()));
    kmktest::LoopServer srv;
    QByteArray all;
    for (int i = 0; i < 2000; ++i)
        all += char(i % 251);
    srv.pieces = kmktest::LoopServer::split(all, 3, 10);
    Recorder r;
    r.sock.Connect("127.0.0.1", srv.port());
    EXPECT_TRUE(QTest::qWaitFor([&] { return r.ended(); }, 5000));
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    EXPECT_EQ(r.events, QStringList({"Connect", "Close"}));
    EXPECT_EQ(r.received, all);
    EXPECT_EQ(srv.request, r.request);
}

TEST(Winsock, RefusedAndStalledConnectionsRaiseError)
{
    {
        Recorder r;
        r.sock.Connect("127.0.0.1", kmktest::LoopServer::refusedPort());
        EXPECT_TRUE(QTest::qWaitFor([&] { return r.ended(); }, 5000));
        EXPECT_EQ(r.events, QStringList({"10061"}));
        EXPECT_EQ(r.sock.State(), net::Winsock::sckError);
    }
    {
        kmktest::LoopServer srv;
        srv.pieces = {{"HTTP/1.0 200 OK\r\n", 0}};
        srv.closeAtEnd = false;
        Recorder r;
        r.readSize = -1;
        r.sock.setStallTimeout(150);
        r.sock.Connect("127.0.0.1", srv.port());
        EXPECT_TRUE(QTest::qWaitFor([&] { return r.ended(); }, 5000));
        EXPECT_EQ(r.events, QStringList({"Connect", "10060"}));
        EXPECT_EQ(r.received, "HTTP/1.0 200 OK\r\n");
    }
}

TEST(Winsock, APeerHoldingTheConnectionGetsAShortGraceToClose)
{
    kmktest::LoopServer srv;
    srv.pieces = {{"ganz", 0}, {"+spät", 100}};
    srv.closeAtEnd = false;
    Recorder r;
    r.readSize = -1;
    r.sock.setStallTimeout(30000);
    QObject::connect(&r.sock, &net::Winsock::DataArrival, [&] { r.sock.awaitClose(400); });
    r.sock.Connect("127.0.0.1", srv.port());
    EXPECT_TRUE(QTest::qWaitFor([&] { return r.ended(); }, 5000));
    EXPECT_EQ(r.events, QStringList({"Connect", "Close"}));
    EXPECT_EQ(r.received, "ganz+spät");   // what came during the grace is delivered
    EXPECT_EQ(r.sock.State(), net::Winsock::sckClosed);
}

TEST(Winsock, CloseFromCodeRaisesNothing)
{
    kmktest::LoopServer srv;
    srv.pieces = {{"x", 0}};
    Recorder r;
    QObject::connect(&r.sock, &net::Winsock::ConnectEvent, [&] { r.sock.Close(); });
    r.sock.Connect("127.0.0.1", srv.port());
    QTest::qWait(200);
    EXPECT_EQ(r.events, QStringList({"Connect"}));
    EXPECT_EQ(r.sock.State(), net::Winsock::sckClosed);
}

} // namespace
