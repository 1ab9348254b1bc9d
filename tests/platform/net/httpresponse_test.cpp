#include "platform/net/httpresponse.h"
#include "platform/net/httpurl.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    QByteArray reply;
    int status;
    QByteArray body;
    bool complete;
    bool failed;
};

QByteArray binaryBody()
{
    // Bytes a text conversion would change, and the header's own end mark.
    QByteArray b("\x00\x7f\r\n\r\n", 6);
    for (int c = 0x80; c <= 0x9F; ++c)
        b += char(c);
    return b + "\r\n\r\nEnde";
}

const QByteArray kPad(400, 'a');

std::vector<Case> cases()
{
    const QByteArray bin = binaryBody();
    return {
        {"plain", "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nHallo", 200, "Hallo", true, false},
        {"field names in any case", "HTTP/1.1 200 OK\r\ncontent-LENGTH:3\r\n\r\nab", 200, "ab", false, false},
        {"header past 350 bytes", "HTTP/1.0 200 OK\r\nX-Pad: " + kPad + "\r\nContent-Length: 2\r\n\r\nok", 200, "ok", true, false},
        {"line feeds only", "HTTP/1.0 200 OK\nContent-Length: 2\n\nab", 200, "ab", true, false},
        {"binary body", "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(bin.size()) + "\r\n\r\n" + bin, 200, bin, true, false},
        {"cut short", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabcd", 200, "abcd", false, false},
        {"no length ends with the close", "HTTP/1.0 200 OK\r\n\r\nabc", 200, "abc", true, false},
        {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nWiki\r\n5;x=1\r\npedia\r\n0\r\n\r\n", 200, "Wikipedia", true, false},
        {"chunked with trailer", "HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\nA\r\n0123456789\r\n0\r\nX: y\r\n\r\n", 200, "0123456789", true, false},
        {"chunked without last chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nWiki\r\n", 200, "Wiki", false, false},
        {"error page", "HTTP/1.0 404 Not Found\r\nContent-Length: 3\r\n\r\nnix", 404, "nix", true, false},
        {"not HTTP", "<html>Hallo</html>\r\n\r\n", 0, "", false, true},
        {"more than announced", "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nabc", 200, "ab", false, true},
        {"two lengths", "HTTP/1.0 200 OK\r\nContent-Length: 3\r\ncontent-length: 2\r\n\r\nabc", 0, "", false, true},
        {"two lengths, the last right", "HTTP/1.0 200 OK\r\nContent-Length: 2\r\ncontent-length: 3\r\n\r\nabc", 0, "", false, true},
        {"one length twice", "HTTP/1.0 200 OK\r\nContent-Length: 3\r\nContent-Length: 3\r\n\r\nabc", 200, "abc", true, false},
        {"bytes between chunk data and its line end", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nWikiXY\r\n0\r\n\r\n", 200, "", false, true},
        {"compressed transfer", "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\n\x1f\x8b\x08" "Daten", 200, "", false, true},
        {"bad chunk size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nab\r\n0\r\n\r\n", 200, "", false, true},
        {"bad length", "HTTP/1.0 200 OK\r\nContent-Length: -4\r\n\r\nabcd", 0, "", false, true},
        {"nothing at all", "", 0, "", false, true},
    };
}

struct Outcome {
    int status;
    QByteArray body;
    bool complete;
    bool failed;
};

Outcome run(const QList<QByteArray>& reads)
{
    net::HttpResponse r;
    QByteArray body;
    for (const QByteArray& part : reads)
        body += r.feed(part);
    r.finish();
    EXPECT_EQ(r.bodyBytes(), body.size());
    return {r.status(), body, r.complete(), r.failed()};
}

void expectOutcome(const Case& c, const Outcome& o, const std::string& how)
{
    SCOPED_TRACE(std::string(c.name) + ", " + how);
    if (!c.failed) {
        EXPECT_EQ(o.status, c.status);
        EXPECT_EQ(o.body, c.body);
    }
    EXPECT_EQ(o.complete, c.complete);
    EXPECT_EQ(o.failed, c.failed);
}

TEST(HttpResponse, EveryReplyReadsTheSameAtEverySplitPosition)
{
    for (const Case& c : cases()) {
        expectOutcome(c, run({c.reply}), "whole");
        for (qsizetype i = 0; i <= c.reply.size(); ++i)
            expectOutcome(c, run({c.reply.left(i), c.reply.mid(i)}), "split at " + std::to_string(i));
        QList<QByteArray> bytes;
        for (char b : c.reply)
            bytes.append(QByteArray(1, b));
        expectOutcome(c, run(bytes), "byte by byte");
    }
}

TEST(HttpResponse, FieldsAreFoundIgnoringCaseAndChunkedIgnoresALength)
{
    net::HttpResponse r;
    r.feed("HTTP/1.1 200 OK\r\nCONTENT-ENCODING: gzip\r\nContent-Length: 99\r\nTransfer-Encoding: chunked\r\n\r\n");
    EXPECT_EQ(r.field("content-encoding").value_or(""), "gzip");
    EXPECT_FALSE(r.field("Location").has_value());
    EXPECT_TRUE(r.chunked());
    EXPECT_FALSE(r.contentLength().has_value());
    EXPECT_EQ(r.statusLine(), "HTTP/1.1 200 OK");
}

TEST(HttpResponse, AnEndlessHeaderIsRefused)
{
    net::HttpResponse r;
    r.feed("HTTP/1.0 200 OK\r\n");
    for (int i = 0; i < 100 && !r.failed(); ++i)
        r.feed("X-Pad: " + QByteArray(1000, 'x') + "\r\n");
    EXPECT_TRUE(r.failed());
}

TEST(HttpUrl, AddressesSplitIntoHostPortAndPath)
{
    struct Row {
        const char* text;
        bool ok;
        const char* host;
        int port;
        const char* path;
        const char* hostField;
    };
    const Row rows[] = {
        {"http://127.0.0.1:8080/kxt/Kilometrika", true, "127.0.0.1", 8080, "/kxt/Kilometrika", "127.0.0.1:8080"},
        {"HTTP://Example.org", true, "Example.org", 80, "/", "Example.org"},
        {"  hTtP://example.org:80/a  ", true, "example.org", 80, "/a", "example.org"},
        {"example.org/a b/ü", true, "example.org", 80, "/a%20b/%C3%BC", "example.org"},
        {"http://x?q=1#teil", true, "x", 80, "/?q=1", "x"},
        {"http://x:65535/À", true, "x", 65535, "/%C3%80", "x:65535"},
        {"http://[::1]:81/p", true, "::1", 81, "/p", "[::1]:81"},
        {"https://x/", false, "", 0, "", ""},
        {"ftp://x/", false, "", 0, "", ""},
        {"http://user@x/", false, "", 0, "", ""},
        {"http://x:0/", false, "", 0, "", ""},
        {"http://x:65536/", false, "", 0, "", ""},
        {"http://x:/", false, "", 0, "", ""},
        {"http://x:8a/", false, "", 0, "", ""},
        {"http:///a", false, "", 0, "", ""},
        {"", false, "", 0, "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const auto url = net::parseHttpUrl(QString::fromUtf8(r.text));
        ASSERT_EQ(url.has_value(), r.ok);
        if (!r.ok)
            continue;
        EXPECT_EQ(url->host, QString::fromLatin1(r.host));
        EXPECT_EQ(url->port, r.port);
        EXPECT_EQ(url->path, QByteArray(r.path));
        EXPECT_EQ(url->hostField(), QByteArray(r.hostField));
    }
}

} // namespace
