#pragma once
// Globally unique ids of classes, interfaces and type libraries, in the
// registry's "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" spelling.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace com {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    // Accepts the text with or without braces, any letter case.
    static std::optional<Guid> parse(const QString& text);
    // Upper case, with braces.
    QString toString() const;
    // The 16 bytes as the original platform keeps an id in memory: the
    // first three fields little-endian, then the last eight as they stand.
    constexpr std::array<std::uint8_t, 16> bytes() const
    {
        std::array<std::uint8_t, 16> b{};
        for (int i = 0; i < 4; ++i)
            b[i] = std::uint8_t(data1 >> (8 * i));
        for (int i = 0; i < 2; ++i) {
            b[4 + i] = std::uint8_t(data2 >> (8 * i));
            b[6 + i] = std::uint8_t(data3 >> (8 * i));
        }
        for (int i = 0; i < 8; ++i)
            b[8 + i] = data4[i];
        return b;
    }
    bool isNull() const { return *this == Guid{}; }

    friend bool operator==(const Guid&, const Guid&) = default;
};

// Builds a Guid at compile time from its parts.
constexpr Guid makeGuid(std::uint32_t d1, std::uint16_t d2, std::uint16_t d3,
                        std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                        std::uint8_t b4, std::uint8_t b5, std::uint8_t b6, std::uint8_t b7)
{
    return Guid{d1, d2, d3, {b0, b1, b2, b3, b4, b5, b6, b7}};
}

} // namespace com
