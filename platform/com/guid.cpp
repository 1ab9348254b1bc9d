#include "platform/com/guid.h"

namespace com {

std::optional<Guid> Guid::parse(const QString& text)
{
    QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('{')) && t.endsWith(QLatin1Char('}')))
        t = t.mid(1, t.size() - 2);
    if (t.size() != 36)
        return std::nullopt;
    for (int pos : {8, 13, 18, 23})
        if (t.at(pos) != QLatin1Char('-'))
            return std::nullopt;
    const QString hex = QString(t).remove(QLatin1Char('-'));
    if (hex.size() != 32)
        return std::nullopt;
    std::array<std::uint8_t, 16> b{};
    for (int i = 0; i < 16; ++i) {
        bool ok = false;
        const uint v = hex.mid(i * 2, 2).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        b[i] = static_cast<std::uint8_t>(v);
    }
    Guid g;
    g.data1 = (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) | b[3];
    g.data2 = std::uint16_t((b[4] << 8) | b[5]);
    g.data3 = std::uint16_t((b[6] << 8) | b[7]);
    for (int i = 0; i < 8; ++i)
        g.data4[i] = b[8 + i];
    return g;
}

QString Guid::toString() const
{
    auto hex = [](std::uint64_t v, int width) {
        return QStringLiteral("%1").arg(v, width, 16, QLatin1Char('0')).toUpper();
    };
    QString s = QLatin1Char('{') + hex(data1, 8) + QLatin1Char('-') + hex(data2, 4) + QLatin1Char('-')
        + hex(data3, 4) + QLatin1Char('-') + hex(data4[0], 2) + hex(data4[1], 2) + QLatin1Char('-');
    for (int i = 2; i < 8; ++i)
        s += hex(data4[i], 2);
    return s + QLatin1Char('}');
}

} // namespace com
