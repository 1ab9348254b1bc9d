#include "platform/net/httpurl.h"

namespace net {

QByteArray HttpUrl::hostField() const
{
    QByteArray h = host.toLatin1();
    if (host.contains(':'))
        h = '[' + h + ']';
    if (port != 80)
        h += ':' + QByteArray::number(port);
    return h;
}

namespace {
bool hostNameChar(QChar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
}
} // namespace

std::optional<HttpUrl> parseHttpUrl(const QString& address)
{
    QString rest = address.trimmed();
    const qsizetype scheme = rest.indexOf(QStringLiteral("://"));
    if (scheme >= 0) {
        if (rest.left(scheme).compare(QStringLiteral("http"), Qt::CaseInsensitive) != 0)
            return std::nullopt;
        rest = rest.mid(scheme + 3);
    }
    qsizetype end = 0;
    while (end < rest.size() && rest[end] != '/' && rest[end] != '?' && rest[end] != '#')
        ++end;
    const QString authority = rest.left(end);
    QString path = rest.mid(end);

    HttpUrl url;
    QString portText;
    if (authority.startsWith('[')) {
        const qsizetype close = authority.indexOf(']');
        if (close < 0)
            return std::nullopt;
        url.host = authority.mid(1, close - 1);
        const QString after = authority.mid(close + 1);
        if (!after.isEmpty() && !after.startsWith(':'))
            return std::nullopt;
        portText = after.mid(1);
        if (after.isEmpty())
            portText.clear();
        else if (portText.isEmpty())
            return std::nullopt;
        for (QChar c : url.host)
            if (!(c.isDigit() || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.'))
                return std::nullopt;
    } else {
        const qsizetype colon = authority.indexOf(':');
        url.host = colon < 0 ? authority : authority.left(colon);
        if (colon >= 0) {
            portText = authority.mid(colon + 1);
            if (portText.isEmpty())
                return std::nullopt;
        }
        for (QChar c : url.host)
            if (!hostNameChar(c))
                return std::nullopt;
    }
    if (url.host.isEmpty())
        return std::nullopt;
    if (!portText.isEmpty()) {
        bool ok = portText.size() <= 5;
        for (QChar c : portText)
            ok = ok && c.isDigit();
        const int port = ok ? portText.toInt() : 0;
        if (port < 1 || port > 65535)
            return std::nullopt;
        url.port = quint16(port);
    }

    if (const qsizetype hash = path.indexOf('#'); hash >= 0)
        path.truncate(hash);
    if (!path.startsWith('/'))
        path.prepend('/');
    QByteArray encoded;
    for (const char ch : path.toUtf8()) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b == 0x7F)
            return std::nullopt;
        if (b == ' ' || b >= 0x80)
            encoded += '%' + QByteArray::number(b, 16).toUpper().rightJustified(2, '0');
        else
            encoded += ch;
    }
    url.path = encoded;
    return url;
}

} // namespace net
