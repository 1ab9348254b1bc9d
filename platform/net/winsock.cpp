#include "platform/net/winsock.h"

#include <QNetworkProxy>
#include <QPointer>
#include <QTcpSocket>

namespace net {

Winsock::Winsock(QObject* parent) : QObject(parent)
{
    m_stall.setSingleShot(true);
    connect(&m_stall, &QTimer::timeout, this, &Winsock::onStalled);
    m_grace.setSingleShot(true);
    connect(&m_grace, &QTimer::timeout, this, &Winsock::onGraceOver);
}

Winsock::~Winsock()
{
    Close();
}

void Winsock::touch()
{
    if (m_grace.isActive())
        return;   // the grace, not the stall limit, ends this connection now
    if (m_stallMs > 0 && (m_state == sckConnecting || m_state == sckConnected))
        m_stall.start(m_stallMs);
}

void Winsock::setStallTimeout(int ms)
{
    m_stallMs = qMax(0, ms);
    if (m_stallMs == 0)
        m_stall.stop();
    else
        touch();
}

void Winsock::awaitClose(int ms)
{
    if (m_state != sckConnected)
        return;
    m_stall.stop();
    m_grace.start(qMax(0, ms));
}

void Winsock::Connect(const QString& host, quint16 port)
{
    Close();
    m_socket = new QTcpSocket(this);
    m_socket->setProxy(QNetworkProxy::NoProxy);
    connect(m_socket, &QTcpSocket::connected, this, &Winsock::onConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &Winsock::onReadyRead);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &Winsock::touch);
    connect(m_socket, &QTcpSocket::disconnected, this, &Winsock::onDisconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &Winsock::onError);
    m_state = sckConnecting;
    touch();
    m_socket->connectToHost(host, port);
}

bool Winsock::SendData(const QByteArray& data)
{
    if (!m_socket || m_state != sckConnected)
        return false;
    return m_socket->write(data) == data.size();
}

QByteArray Winsock::GetData(qint64 max)
{
    if (!m_socket)
        return {};
    return max < 0 ? m_socket->readAll() : m_socket->read(max);
}

qint64 Winsock::BytesReceived() const
{
    return m_socket ? m_socket->bytesAvailable() : 0;
}

void Winsock::Close()
{
    m_stall.stop();
    m_grace.stop();
    m_state = sckClosed;
    if (!m_socket)
        return;
    QTcpSocket* s = m_socket;
    m_socket = nullptr;
    s->disconnect(this);
    s->setParent(nullptr);   // this may go while the socket is still in its own signal
    s->abort();
    s->deleteLater();
}

void Winsock::onConnected()
{
    m_state = sckConnected;
    touch();
    emit ConnectEvent();
}

void Winsock::onReadyRead()
{
    touch();
    if (m_socket && m_socket->bytesAvailable() > 0)
        emit DataArrival(m_socket->bytesAvailable());
}

void Winsock::onDisconnected()
{
    if (m_state != sckConnected && m_state != sckClosing)
        return;   // an error has already been reported
    endConnection(false);
}

void Winsock::onGraceOver()
{
    if (m_state == sckConnected)
        endConnection(true);
}

void Winsock::endConnection(bool drop)
{
    m_stall.stop();
    m_grace.stop();
    m_state = sckClosing;
    QPointer<Winsock> self(this);
    // Whatever is still waiting goes out before the close, even to a
    // handler that reads only part of it at a time.
    while (self && m_socket && m_socket->bytesAvailable() > 0) {
        const qint64 before = m_socket->bytesAvailable();
        emit DataArrival(before);
        if (self && m_socket && m_socket->bytesAvailable() == before)
            break;   // the handler does not read; do not spin
    }
    if (!self || m_state != sckClosing)
        return;
    if (drop)
        Close();
    emit CloseEvent();
}

void Winsock::onError()
{
    if (!m_socket)
        return;
    const auto e = m_socket->error();
    if (e == QAbstractSocket::RemoteHostClosedError)
        return;   // a normal close by the server: CloseEvent follows
    int number = sckSocketError;
    QString text = m_socket->errorString();
    switch (e) {
    case QAbstractSocket::ConnectionRefusedError:
        number = sckConnectionRefused;
        text = QStringLiteral("Die Verbindung wurde abgelehnt.");
        break;
    case QAbstractSocket::HostNotFoundError:
        number = sckHostNotFound;
        text = QStringLiteral("Der Server wurde nicht gefunden.");
        break;
    case QAbstractSocket::SocketTimeoutError:
        number = sckTimedout;
        text = QStringLiteral("Zeitüberschreitung der Verbindung.");
        break;
    case QAbstractSocket::NetworkError:
        number = sckNetworkUnreachable;
        text = QStringLiteral("Das Netzwerk ist nicht erreichbar.");
        break;
    default:
        break;
    }
    raiseError(number, text);
}

void Winsock::onStalled()
{
    const int seconds = (m_stallMs + 999) / 1000;
    raiseError(sckTimedout, QStringLiteral("Der Server hat %1 Sekunden lang nichts gesendet.").arg(seconds));
}

void Winsock::raiseError(int number, const QString& description)
{
    Close();
    m_state = sckError;
    emit Error(number, description);
}

} // namespace net
