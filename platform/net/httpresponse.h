#pragma once
// Reading an HTTP response as it trickles in: the status line and header,
// found wherever they end and whatever letter case the fields use, then the
// body as it was sent (plain or chunked). Pure: the socket code feeds it the
// bytes of each read, tests feed it any split they like.
//
//   net::HttpResponse r;
//   QByteArray body = r.feed(chunk);   // body bytes of this read, decoded
//   ...
//   r.finish();                        // the peer closed the connection
//   if (r.failed() || !r.complete()) ...

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace net {

class HttpResponse {
public:
    // A header beyond this size is refused rather than buffered forever.
    static constexpr int kMaxHeader = 64 * 1024;

    // Takes the next received bytes; returns the body bytes among them
    // (chunk framing removed). Nothing more is taken once failed().
    QByteArray feed(const QByteArray& data);
    // The connection has ended: a body that ends with the connection is
    // complete now, any other body only if it was whole.
    void finish();

    bool headerComplete() const { return m_state != State::Header; }
    // 0 until the status line is read.
    int status() const { return m_status; }
    QByteArray statusLine() const { return m_statusLine; }
    // The header as received, status line included, up to its empty line.
    QByteArray headerText() const { return m_headerText; }
    // First field of that name, letter case ignored, value trimmed;
    // nullopt when absent.
    std::optional<QByteArray> field(const QByteArray& name) const;
    std::optional<qint64> contentLength() const { return m_contentLength; }
    bool chunked() const { return m_chunked; }
    // Body bytes handed out so far.
    qint64 bodyBytes() const { return m_bodyBytes; }

    // The body arrived whole: the announced length exactly, the last chunk
    // of a chunked body, or the close of a body without length.
    bool complete() const { return m_complete; }
    bool failed() const { return m_state == State::Failed; }
    // Why it failed, in German, for the user.
    QString error() const { return m_error; }

private:
    enum class State { Header, Body, ChunkSize, ChunkData, ChunkDataEnd, Trailer, Done, Failed };
    QByteArray takeHeader(const QByteArray& data);
    bool parseHeader();
    QByteArray feedChunked(const QByteArray& data);
    void fail(const QString& why);

    State m_state = State::Header;
    QByteArray m_pending;          // header or chunk-size line not yet complete
    QByteArray m_headerText;
    QByteArray m_statusLine;
    QList<QPair<QByteArray, QByteArray>> m_fields;
    int m_status = 0;
    std::optional<qint64> m_contentLength;
    bool m_chunked = false;
    qint64 m_chunkLeft = 0;
    qint64 m_bodyBytes = 0;
    bool m_complete = false;
    QString m_error;
};

} // namespace net
