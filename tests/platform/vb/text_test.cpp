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
    EXPECT_EQ(InStr(QStringLiteral("a.b.c"), QStringLiteral(".")), 2);
    EXPECT_EQ(InStr(QStringLiteral("a.b.c"), QStringLiteral("."), 3), 4);
    EXPECT_EQ(InStr(QStringLiteral("abc"), QStringLiteral("x")), 0);
    EXPECT_EQ(Len(QStringLiteral("abc")), 3);
    EXPECT_EQ(Asc(QString::fromUtf8("€")), 0x80);
    EXPECT_EQ(Asc(QString()), 0);
    EXPECT_EQ(Chr(0x84), QString::fromUtf8("„"));
    EXPECT_EQ(UCase(QString::fromUtf8("straße")).left(4), QStringLiteral("STRA"));
}
