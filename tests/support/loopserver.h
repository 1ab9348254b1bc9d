#pragma once
// A small HTTP server on 127.0.0.1 for tests, in the test's own event loop:
// it reads one request up to its empty line, then sends scripted pieces
// with pauses and closes (or falls silent, to make a stalled server).
// It never listens on any other address.
//
//   kmktest::LoopServer srv;
//   srv.pieces = kmktest::LoopServer::split(kmktest::LoopServer::response(200, body), 7, 20);
//   download("http://127.0.0.1:" + QString::number(srv.port()) + "/x");

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace kmktest {

class LoopServer : public QObject {
public:
    struct Piece {
        QByteArray bytes;
        int pauseMs = 0;   // before this piece
    };
    QList<Piece> pieces;
    bool closeAtEnd = true;   // false: stay connected and send nothing more
    QByteArray request;       // the last request received
    int requests = 0;

    LoopServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_server.nextPendingConnection())
                serve(s);
        });
    }
    quint16 port() const { return m_server.serverPort(); }
    // Connections not yet closed by either side: 0 once the server has sent
    // all and closed, or the client has let go; nothing of theirs can come then.
    int offen() const { return m_offen; }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
    }

    // A port on 127.0.0.1 where nothing listens.
    static quint16 refusedPort()
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        const quint16 p = s.serverPort();
        s.close();
        return p;
    }

    static QByteArray response(const QByteArray& statusLine, const QByteArray& body,
                               const QByteArray& extraHeader = {}, bool withLength = true)
    {
        QByteArray r = statusLine + "\r\nServer: loop\r\n" + extraHeader;
        if (withLength)
            r += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        return r + "\r\n" + body;
    }

    static QByteArray chunkedResponse(const QList<QByteArray>& chunks)
    {
        QByteArray r = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        for (const QByteArray& c : chunks)
            r += QByteArray::number(c.size(), 16) + "\r\n" + c + "\r\n";
        return r + "0\r\n\r\n";
    }

    // The bytes in n nearly equal pieces, each after a pause.
    static QList<Piece> split(const QByteArray& bytes, int n, int pauseMs)
    {
        QList<Piece> out;
        const qsizetype step = (bytes.size() + n - 1) / n;
        for (qsizetype at = 0; at < bytes.size(); at += step)
            out.append({bytes.mid(at, step), pauseMs});
        return out;
    }

private:
    void serve(QTcpSocket* s)
    {
        auto* buffer = new QByteArray;
        ++m_offen;
        connect(s, &QTcpSocket::disconnected, this, [this] { --m_offen; });
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QObject::destroyed, this, [buffer] { delete buffer; });
        connect(s, &QTcpSocket::readyRead, this, [this, s, buffer] {
            if (buffer->contains("\r\n\r\n"))
                return;
            *buffer += s->readAll();
            if (buffer->contains("\r\n\r\n")) {
                request = *buffer;
                ++requests;
                sendFrom(s, 0);
            }
        });
    }

    void sendFrom(QPointer<QTcpSocket> s, int index)
    {
        if (!s)
            return;
        if (index >= pieces.size()) {
            if (closeAtEnd)
                s->disconnectFromHost();
            return;
        }
        QTimer::singleShot(pieces[index].pauseMs, this, [this, s, index] {
            if (!s)
                return;
            s->write(pieces[index].bytes);
            s->flush();
            sendFrom(s, index + 1);
        });
    }

    QTcpServer m_server;
    int m_offen = 0;
};

} // namespace kmktest
