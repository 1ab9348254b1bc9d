#pragma once
// Plain-HTTP addresses as the user types them: "http://host:port/path",
// the scheme optional and in any letter case, the port 80 unless given.
// Anything else (another scheme, user names, a bad port) is refused, so a
// download never goes where the address does not plainly say.

#include <QByteArray>
#include <QString>
#include <optional>

namespace net {

struct HttpUrl {
    QString host;          // IPv6 addresses without their brackets
    quint16 port = 80;
    QByteArray path = "/"; // starts with '/', query kept, fragment dropped, percent-encoded

    // The value of the request's Host field: the port only when it is not 80.
    QByteArray hostField() const;
};

std::optional<HttpUrl> parseHttpUrl(const QString& address);

} // namespace net
