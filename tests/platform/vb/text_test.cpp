#include <gtest/gtest.h>

#include "platform/vb/text.h"

using namespace vb;

TEST(Ansi, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString s = fromAnsi(all);
    ASSERT_EQ(s.size(), 256);
    EXPECT_EQ(toAnsi(s), all);
}

TEST(Ansi, WindowsRangeDiffersFromLatin1)
{
    EXPECT_EQ(fromAnsi(QByteArray("\x80\x84\x93\x94\x96\x85\x9F", 7)), QString::fromUtf8("€„“”–…Ÿ"));
    EXPECT_EQ(toAnsi(QString::fromUtf8("€ß ü")), QByteArray("\x80\xDF\x20\xFC", 4));
    EXPECT_EQ(toAnsi(QString::fromUtf8("Äöü ÖÜß")), QByteArray("\xC4\xF6\xFC\x20\xD6\xDC\xDF"));
    EXPECT_EQ(fromAnsi(QByteArray("\xC4\xF6", 2)), QString::fromUtf8("Äö"));
}

TEST(Ansi, EveryByteFrom0x80To0x9FHasItsCodePagesCharacter)
{
    // The code page's table; the five undefined bytes keep their own value.
    const std::pair<unsigned char, char16_t> tabelle[] = {
        {0x80, 0x20AC}, {0x81, 0x0081}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026},
        {0x86, 0x2020}, {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039},
        {0x8C, 0x0152}, {0x8D, 0x008D}, {0x8E, 0x017D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x91, 0x2018},
        {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014},
        {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A}, {0x9C, 0x0153}, {0x9D, 0x009D},
        {0x9E, 0x017E}, {0x9F, 0x0178},
    };
    for (const auto& [byte, zeichen] : tabelle) {
        EXPECT_EQ(fromAnsiChar(byte).unicode(), zeichen) << std::hex << int(byte);
        EXPECT_EQ(toAnsi(QString(QChar(zeichen))), QByteArray(1, char(byte))) << std::hex << int(byte);
    }
}

TEST(Ansi, UndefinedBytesMapToControlsAndBack)
{
    for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const QString s = fromAnsi(QByteArray(1, char(b)));
        EXPECT_EQ(s.at(0).unicode(), b);
        EXPECT_EQ(toAnsi(s), QByteArray(1, char(b)));
    }
    // The other C1 controls have no byte of their own here.
    EXPECT_EQ(toAnsi(QString(QChar(0x80))), QByteArray("?"));
    EXPECT_EQ(toAnsi(QString(QChar(0x9F))), QByteArray("?"));
}

TEST(Ansi, UnmappableBecomesQuestionMark)
{
    EXPECT_EQ(toAnsi(QString::fromUtf8("Łódź")), QByteArray("?\xF3" "d?"));
    EXPECT_EQ(toAnsi(QString::fromUtf8("a😀b")), QByteArray("a?b"));   // one '?' per character
    EXPECT_EQ(toAnsi(QString(QChar(0x20AD))), QByteArray("?"));
    EXPECT_EQ(toAnsiChar(QChar(0x2014)), char(0x97));
}

TEST(Strings, TrimStripsBlanksOnly)
{
    EXPECT_EQ(Trim(QStringLiteral("  ab c  ")), QStringLiteral("ab c"));
    EXPECT_EQ(Trim(QStringLiteral("\tab\t")), QStringLiteral("\tab\t"));
    EXPECT_EQ(LTrim(QStringLiteral("  x ")), QStringLiteral("x "));
    EXPECT_EQ(RTrim(QStringLiteral("  x ")), QStringLiteral("  x"));
    EXPECT_EQ(Trim(QStringLiteral("    ")), QString());
    EXPECT_EQ(Trim(QString()), QString());
    EXPECT_EQ(Trim(QString::fromUtf8("\u00A0x\u00A0")), QString::fromUtf8("\u00A0x\u00A0"));
}

TEST(Strings, SlicingHelpers)
{
    EXPECT_EQ(Space(3), QStringLiteral("   "));
    EXPECT_EQ(Space(-2), QString());
    EXPECT_EQ(String(3, u'*'), QStringLiteral("***"));
    EXPECT_EQ(Left(QStringLiteral("abc"), 5), QStringLiteral("abc"));
    EXPECT_EQ(Left(QStringLiteral("abc"), -1), QString());
    EXPECT_EQ(Right(QStringLiteral("abc"), 2), QStringLiteral("bc"));
    EXPECT_EQ(Mid(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
    EXPECT_EQ(Mid(QStringLiteral("abcdef"), 5), QStringLiteral("ef"));
    EXPECT_EQ(Mid(QStringLiteral("abc"), 7, 2), QString());
    EXPECT_EQ(Mid(QStringLiteral("abc"), 3), QStringLiteral("c"));
    EXPECT_EQ(Mid(QStringLiteral("abc"), 3, 1), QStringLiteral("c"));
    EXPECT_EQ(Mid(QStringLiteral("abc"), 4), QString());
    EXPECT_EQ(InStr(QStringLiteral("a.b.c"), QStringLiteral(".")), 2);
    EXPECT_EQ(InStr(QStringLiteral("a.b.c"), QStringLiteral("."), 3), 4);
    EXPECT_EQ(InStr(QStringLiteral("abc"), QStringLiteral("x")), 0);
    EXPECT_EQ(Len(QStringLiteral("abc")), 3);
    EXPECT_EQ(Asc(QString::fromUtf8("€")), 0x80);
    EXPECT_EQ(Asc(QString()), 0);
    EXPECT_EQ(Chr(0x84), QString::fromUtf8("„"));
    EXPECT_EQ(UCase(QString::fromUtf8("straße")).left(4), QStringLiteral("STRA"));
}
