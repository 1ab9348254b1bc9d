#include "platform/net/httpresponse.h"

namespace net {

namespace {
// One line of a header or of the chunk framing, without its CR.
QByteArray stripCr(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

constexpr int kMaxChunkLine = 1024;
} // namespace

void HttpResponse::fail(const QString& why)
{
    m_state = State::Failed;
    m_complete = false;
    m_error = why;
    m_pending.clear();
}

std::optional<QByteArray> HttpResponse::field(const QByteArray& name) const
{
    for (const auto& [key, value] : m_fields)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

QByteArray HttpResponse::feed(const QByteArray& data)
{
    switch (m_state) {
    case State::Failed:
        return {};
    case State::Done:
        if (!data.isEmpty())
            fail(QStringLiteral("Der Server sendet mehr Daten als angekündigt."));
        return {};
    case State::Header:
        return takeHeader(data);
    case State::Body: {
        if (!m_contentLength) {
            m_bodyBytes += data.size();
            return data;
        }
        const qint64 left = *m_contentLength - m_bodyBytes;
        QByteArray body = data.left(qsizetype(qMin<qint64>(left, data.size())));
        m_bodyBytes += body.size();
        if (m_bodyBytes == *m_contentLength) {
            m_state = State::Done;
            m_complete = true;
        }
        if (data.size() > body.size())
            fail(QStringLiteral("Der Server sendet mehr Daten als angekündigt."));
        return body;
    }
    default:
        return feedChunked(data);
    }
}

QByteArray HttpResponse::takeHeader(const QByteArray& data)
{
    // Search only where the new bytes can complete the empty line.
    const qsizetype from = qMax<qsizetype>(0, m_pending.size() - 3);
    m_pending += data;
    qsizetype end = -1;
    for (qsizetype i = m_pending.indexOf('\n', from); i >= 0; i = m_pending.indexOf('\n', i + 1)) {
        if (i + 1 < m_pending.size() && m_pending[i + 1] == '\n') {
            end = i + 2;
            break;
        }
        if (i + 2 < m_pending.size() && m_pending[i + 1] == '\r' && m_pending[i + 2] == '\n') {
            end = i + 3;
            break;
        }
    }
    if (end < 0) {
        if (m_pending.size() > kMaxHeader)
            fail(QStringLiteral("Der Kopf der Antwort ist zu lang."));
        return {};
    }
    m_headerText = m_pending.left(end);
    const QByteArray rest = m_pending.mid(end);
    m_pending.clear();
    if (!parseHeader())
        return {};
    if (m_chunked) {
        m_state = State::ChunkSize;
        return feedChunked(rest);
    }
    m_state = State::Body;
    if (m_contentLength && *m_contentLength == 0) {
        m_state = State::Done;
        m_complete = true;
    }
    return feed(rest);
}

bool HttpResponse::parseHeader()
{
    const QList<QByteArray> lines = m_headerText.split('\n');
    m_statusLine = stripCr(lines.value(0));
    // "HTTP/1.x nnn reason"
    const QByteArray& s = m_statusLine;
    bool ok = s.startsWith("HTTP/1.") && s.size() >= 12 && s[8] == ' ';
    const int code = ok ? s.mid(9, 3).toInt(&ok) : 0;
    if (!ok || (s.size() > 12 && s[12] != ' ')) {
        fail(QStringLiteral("Die Antwort des Servers ist keine HTTP-Antwort."));
        return false;
    }
    m_status = code;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = stripCr(lines[i]);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || line.startsWith(' ') || line.startsWith('\t'))
            continue;
        m_fields.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    for (const auto& [key, value] : m_fields) {
        if (key.compare("Content-Length", Qt::CaseInsensitive) == 0) {
            bool digits = !value.isEmpty() && value.size() <= 15;
            for (char c : value)
                digits = digits && c >= '0' && c <= '9';
            const qint64 n = digits ? value.toLongLong() : -1;
            if (!digits || (m_contentLength && *m_contentLength != n)) {
                fail(QStringLiteral("Die Antwort nennt keine gültige Dateigröße."));
                return false;
            }
            m_contentLength = n;
        } else if (key.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0) {
            const QByteArray coding = value.toLower();
            if (coding == "chunked")
                m_chunked = true;
            else if (coding != "identity") {
                fail(QStringLiteral("Die Übertragungsart „%1“ wird nicht unterstützt.").arg(QString::fromLatin1(value)));
                return false;
            }
        }
    }
    // The chunks say where the body ends; a length beside them is ignored.
    if (m_chunked)
        m_contentLength.reset();
    return true;
}

QByteArray HttpResponse::feedChunked(const QByteArray& data)
{
    QByteArray body;
    qsizetype at = 0;
    while (at < data.size() && m_state != State::Failed) {
        if (m_state == State::Done) {
            fail(QStringLiteral("Der Server sendet mehr Daten als angekündigt."));
            break;
        }
        if (m_state == State::ChunkData) {
            const qsizetype n = qsizetype(qMin<qint64>(m_chunkLeft, data.size() - at));
            body += data.mid(at, n);
            at += n;
            m_chunkLeft -= n;
            if (m_chunkLeft == 0)
                m_state = State::ChunkDataEnd;
            continue;
        }
        // Size line, the line end after a chunk's data, or a trailer line.
        const qsizetype nl = data.indexOf('\n', at);
        if (nl < 0) {
            m_pending += data.mid(at);
            at = data.size();
            if (m_pending.size() > kMaxChunkLine)
                fail(QStringLiteral("Die Antwort des Servers ist beschädigt."));
            break;
        }
        const QByteArray line = stripCr(m_pending + data.mid(at, nl - at));
        m_pending.clear();
        at = nl + 1;
        if (m_state == State::ChunkDataEnd) {
            if (!line.isEmpty())
                fail(QStringLiteral("Die Antwort des Servers ist beschädigt."));
            else
                m_state = State::ChunkSize;
        } else if (m_state == State::ChunkSize) {
            const QByteArray hex = line.left(line.indexOf(';') < 0 ? line.size() : line.indexOf(';')).trimmed();
            bool ok = !hex.isEmpty() && hex.size() <= 15;
            const qint64 size = ok ? hex.toLongLong(&ok, 16) : 0;
            if (!ok || size < 0) {
                fail(QStringLiteral("Die Antwort des Servers ist beschädigt."));
            } else if (size == 0) {
                m_state = State::Trailer;
            } else {
                m_chunkLeft = size;
                m_state = State::ChunkData;
            }
        } else if (line.isEmpty()) {   // the empty line that ends the trailer
            m_state = State::Done;
            m_complete = true;
        }
    }
    m_bodyBytes += body.size();
    return body;
}

void HttpResponse::finish()
{
    switch (m_state) {
    case State::Header:
        fail(m_pending.isEmpty() ? QStringLiteral("Der Server hat keine Antwort gesendet.")
                                 : QStringLiteral("Die Verbindung endete vor dem Ende des Antwortkopfs."));
        break;
    case State::Body:
        if (!m_contentLength) {
            m_state = State::Done;
            m_complete = true;
        }
        break;
    default:
        break;
    }
}

} // namespace net
