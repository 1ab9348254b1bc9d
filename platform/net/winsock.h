#pragma once
// The socket control the download code was written against, over
// QTcpSocket: connect, send, read what is waiting, close, and four events,
// all on the thread that owns the object (the window thread).
//
//   net::Winsock s;
//   connect(&s, &net::Winsock::ConnectEvent, [&] { s.SendData(request); });
//   connect(&s, &net::Winsock::DataArrival, [&](qint64) { take(s.GetData()); });
//   connect(&s, &net::Winsock::CloseEvent, ...);   // the server closed: not an error
//   connect(&s, &net::Winsock::Error, ...);        // refused, unknown host, reset, stalled
//   s.Connect(host, port);
//
// A close by the server delivers every byte still waiting (DataArrival)
// before CloseEvent. No proxy is ever used. Unlike the original control it
// can give up on a peer that stops sending (setStallTimeout), and a caller
// that has had its whole reply can wait a short while for the peer's close
// instead of the stall limit (awaitClose).

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;

namespace net {

class Winsock : public QObject {
    Q_OBJECT
public:
    // The control's states and the error numbers it reports.
    enum State { sckClosed = 0, sckConnecting = 6, sckConnected = 7, sckClosing = 8, sckError = 9 };
    enum ErrorNumber {
        sckNetworkUnreachable = 10051,
        sckConnectionReset = 10054,
        sckTimedout = 10060,
        sckConnectionRefused = 10061,
        sckHostNotFound = 11001,
        sckSocketError = 10000,
    };

    explicit Winsock(QObject* parent = nullptr);
    ~Winsock() override;

    // Closes any earlier connection first; the outcome comes as ConnectEvent or Error.
    void Connect(const QString& host, quint16 port);
    // False when there is no connection.
    bool SendData(const QByteArray& data);
    // At most max bytes of what is waiting (max < 0: all of it); the rest
    // stays for the next call.
    QByteArray GetData(qint64 max = -1);
    qint64 BytesReceived() const;
    // Drops the connection and what is waiting; no event follows.
    void Close();
    int State() const { return m_state; }

    // Error(sckTimedout) when a connection being made or open sees no data
    // move for this long; 0 switches it off.
    void setStallTimeout(int ms);
    int stallTimeout() const { return m_stallMs; }

    // How long a peer that has sent its whole reply is given to close.
    static constexpr int kCloseGraceMs = 2000;
    // The caller has its whole reply and waits only to see nothing more
    // follows: if the peer has not closed within ms, the connection is
    // dropped and CloseEvent comes as if the peer had closed. Bytes that
    // arrive meanwhile are delivered (DataArrival) first.
    void awaitClose(int ms = kCloseGraceMs);

signals:
    void ConnectEvent();
    void DataArrival(qint64 bytesTotal);
    void CloseEvent();
    void Error(int number, const QString& description);

private:
    void onConnected();
    void onReadyRead();
    void onDisconnected();
    void onError();
    void onStalled();
    void onGraceOver();
    void endConnection(bool drop);
    void raiseError(int number, const QString& description);
    void touch();

    QTcpSocket* m_socket = nullptr;
    QTimer m_stall;
    QTimer m_grace;
    int m_stallMs = 0;
    int m_state = sckClosed;
};

} // namespace net
