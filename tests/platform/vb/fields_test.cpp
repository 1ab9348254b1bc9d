#include <gtest/gtest.h>

#include <cmath>

#include "platform/vb/error.h"
#include "platform/vb/fields.h"
#include "platform/vb/text.h"

using namespace vb;

TEST(Fields, IntegersAreLittleEndian)
{
    QByteArray r(16, '\0');
    setU8(r, 0, 0xAB);
    setI16(r, 1, -2);
    setI32(r, 3, 0x01020304);
    EXPECT_EQ(r.left(7), QByteArray("\xAB\xFE\xFF\x04\x03\x02\x01", 7));
    EXPECT_EQ(getU8(r, 0), 0xAB);
    EXPECT_EQ(getI16(r, 1), -2);
    EXPECT_EQ(getI32(r, 3), 0x01020304);
    setI16(r, 10, 32767);
    EXPECT_EQ(r.mid(10, 2), QByteArray("\xFF\x7F", 2));
    setI32(r, 12, -1);
    EXPECT_EQ(getI32(r, 12), -1);
}

TEST(Fields, DoubleAndCurrencyBytes)
{
    QByteArray r(16, '\0');
    setDouble(r, 0, 1.0);
    EXPECT_EQ(r.left(8), QByteArray("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8));
    EXPECT_EQ(getDouble(r, 0), 1.0);
    setDouble(r, 0, -0.1);
    EXPECT_EQ(getDouble(r, 0), -0.1);
    setCurrency(r, 8, Currency::fromRaw(125000));   // 12.50
    EXPECT_EQ(r.mid(8, 8), QByteArray("\x48\xE8\x01\x00\x00\x00\x00\x00", 8));
    EXPECT_EQ(getCurrency(r, 8).raw, 125000);
    setCurrency(r, 8, Currency::fromRaw(-1));
    EXPECT_EQ(r.mid(8, 8), QByteArray(8, '\xFF'));
    setSingle(r, 0, 1.5f);
    EXPECT_EQ(r.left(4), QByteArray("\x00\x00\xC0\x3F", 4));
    EXPECT_EQ(getSingle(r, 0), 1.5f);
}

TEST(Fields, FlagsWriteMinusOneAndReadAnyNonZero)
{
    QByteArray r(4, '\0');
    setFlag(r, 0, true);
    EXPECT_EQ(r.left(2), QByteArray("\xFF\xFF", 2));
    setFlag(r, 0, false);
    EXPECT_EQ(r.left(2), QByteArray("\x00\x00", 2));
    r[2] = 1;
    EXPECT_TRUE(getFlag(r, 2));
    r[2] = 0;
    r[3] = '\x80';
    EXPECT_TRUE(getFlag(r, 2));
    r[3] = 0;
    EXPECT_FALSE(getFlag(r, 2));
}

TEST(Fields, TextIsCutAndPaddedInWindows1252)
{
    QByteArray r(12, 'x');
    setText(r, 1, 6, QString::fromUtf8("Bäck €"));
    EXPECT_EQ(r, QByteArray("xB\xE4" "ck \x80xxxxx"));
    setText(r, 1, 6, QStringLiteral("ab"));
    EXPECT_EQ(r, QByteArray("xab    xxxxx"));
    EXPECT_EQ(getText(r, 1, 6), QStringLiteral("ab    "));
    EXPECT_EQ(Trim(getText(r, 1, 6)), QStringLiteral("ab"));
    setText(r, 1, 6, QStringLiteral("Langer Ort"));
    EXPECT_EQ(r, QByteArray("xLangerxxxxx"));
    setText(r, 1, 6, QString());
    EXPECT_EQ(r.mid(1, 6), QByteArray(6, ' '));
    // Zero-filled text reads back with its NULs; callers decide.
    const QByteArray zero(4, '\0');
    EXPECT_EQ(getText(zero, 0, 4), QString(4, QChar(0)));
}

TEST(Fields, RawBytesKeepReservedAreas)
{
    QByteArray r("abcdefgh");
    EXPECT_EQ(getBytes(r, 2, 3), QByteArray("cde"));
    setBytes(r, 5, QByteArray("XYZ"));
    EXPECT_EQ(r, QByteArray("abcdeXYZ"));
}

TEST(Fields, OutsideTheRecordIsAnError)
{
    QByteArray r(8, '\0');
    EXPECT_THROW(getI32(r, 5), RuntimeError);
    EXPECT_THROW(setDouble(r, 1, 1.0), RuntimeError);
    EXPECT_THROW(getU8(r, 8), RuntimeError);
    EXPECT_THROW(getU8(r, -1), RuntimeError);
    EXPECT_THROW(setText(r, 4, 5, QStringLiteral("a")), RuntimeError);
    EXPECT_THROW(setBytes(r, 6, QByteArray("abc")), RuntimeError);
    try {
        getI16(r, 7);
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, 9);
    }
    EXPECT_EQ(r, QByteArray(8, '\0'));   // nothing written on refusal
}
