#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/vb/error.h"
#include "platform/vb/number.h"

using namespace vb;

TEST(Val, ReadsLeadingNumber)
{
    EXPECT_EQ(Val(QStringLiteral("12,5")), 12);
    EXPECT_EQ(Val(QStringLiteral(" 1.5e2")), 150);
    EXPECT_EQ(Val(QString()), 0);
    EXPECT_EQ(Val(QStringLiteral("abc")), 0);
    EXPECT_EQ(Val(QStringLiteral("-3")), -3);
    EXPECT_EQ(Val(QStringLiteral("+7x")), 7);
    EXPECT_EQ(Val(QStringLiteral("\t 42km")), 42);
    EXPECT_EQ(Val(QStringLiteral("1 2 3")), 123);      // blanks inside are skipped
    EXPECT_EQ(Val(QStringLiteral("1.2.3")), 1.2);
    EXPECT_EQ(Val(QStringLiteral(".5")), 0.5);
    EXPECT_EQ(Val(QStringLiteral("-.25")), -0.25);
    EXPECT_EQ(Val(QStringLiteral("3e")), 3);            // exponent without digits ignored
    EXPECT_EQ(Val(QStringLiteral("2D3")), 2000);
    EXPECT_EQ(Val(QStringLiteral("1e-2")), 0.01);
    EXPECT_EQ(Val(QStringLiteral("-")), 0);
    EXPECT_EQ(Val(QStringLiteral("08")), 8);
    EXPECT_EQ(Val(QStringLiteral("1e999")), 0);         // no crash beyond Double
}

TEST(Val, HexAndOctal)
{
    EXPECT_EQ(Val(QStringLiteral("&H1F")), 31);
    EXPECT_EQ(Val(QStringLiteral("&h1f")), 31);
    EXPECT_EQ(Val(QStringLiteral("&HFFFF")), -1);        // 16-bit wrap
    EXPECT_EQ(Val(QStringLiteral("&H10000")), 65536);
    EXPECT_EQ(Val(QStringLiteral("&HFFFFFFFF")), -1);    // 32-bit wrap
    EXPECT_EQ(Val(QStringLiteral("&O17")), 15);
    EXPECT_EQ(Val(QStringLiteral("&O18")), 1);
    EXPECT_EQ(Val(QStringLiteral("&H")), 0);
    EXPECT_EQ(Val(QStringLiteral("&X1")), 0);
    EXPECT_EQ(Val(QStringLiteral("&H1FFFFFFFF")), 0);
}

TEST(Str, SignBlankAndShortestDigits)
{
    EXPECT_EQ(Str(12.0), QStringLiteral(" 12"));
    EXPECT_EQ(Str(0.0), QStringLiteral(" 0"));
    EXPECT_EQ(Str(-3.0), QStringLiteral("-3"));
    EXPECT_EQ(Str(2.5), QStringLiteral(" 2.5"));
    EXPECT_EQ(Str(0.5), QStringLiteral(" .5"));
    EXPECT_EQ(Str(-0.25), QStringLiteral("-.25"));
    EXPECT_EQ(Str(0.1 + 0.2), QStringLiteral(" .3"));
    EXPECT_EQ(Str(1.0 / 3.0), QStringLiteral(" .333333333333333"));
    EXPECT_EQ(Str(123456789012345.0), QStringLiteral(" 123456789012345"));
    EXPECT_EQ(Str(1e15), QStringLiteral(" 1E+15"));
    EXPECT_EQ(Str(-1.5e20), QStringLiteral("-1.5E+20"));
    EXPECT_EQ(Str(0.0001), QStringLiteral(" .0001"));
    EXPECT_EQ(Str(0.00001), QStringLiteral(" 1E-05"));
    EXPECT_EQ(Str(qint64(32767)), QStringLiteral(" 32767"));
    EXPECT_EQ(Str(qint64(-1)), QStringLiteral("-1"));
    EXPECT_EQ(Str(qint16(5)), QStringLiteral(" 5"));
}

TEST(IntegerConversion, RoundsHalfToEven)
{
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(-1.5), -2);
    EXPECT_EQ(CInt(2.5000001), 3);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768.5), -32768);
    EXPECT_EQ(CLng(2147483646.5), 2147483646);
    EXPECT_EQ(CLng(-2.5), -2);
}

TEST(IntegerConversion, OverflowRaisesError6)
{
    auto number = [](auto f) {
        try {
            f();
        } catch (const RuntimeError& e) {
            return e.number;
        }
        return 0;
    };
    EXPECT_EQ(number([] { CInt(32767.5); }), 6);
    EXPECT_EQ(number([] { CInt(-32769); }), 6);
    EXPECT_EQ(number([] { CInt(std::nan("")); }), 6);
    EXPECT_EQ(number([] { CLng(2147483647.5); }), 6);
    EXPECT_EQ(number([] { CLng(1e300); }), 6);
    EXPECT_EQ(number([] { IntDiv(1, 0); }), 11);
    EXPECT_EQ(number([] { Mod(1, 0); }), 11);
    EXPECT_EQ(number([] { Currency::fromDouble(1e16); }), 6);
    EXPECT_EQ(number([] { Currency::fromRaw(std::numeric_limits<qint64>::max()) + Currency::fromRaw(1); }), 6);
}

TEST(IntegerConversion, DivisionAndModTruncate)
{
    EXPECT_EQ(IntDiv(125, 60), 2);
    EXPECT_EQ(Mod(125, 60), 5);
    EXPECT_EQ(IntDiv(-7, 2), -3);
    EXPECT_EQ(Mod(-7, 2), -1);
    EXPECT_EQ(Mod(std::numeric_limits<qint32>::min(), -1), 0);
    EXPECT_EQ(Int(-1.5), -2);
    EXPECT_EQ(Fix(-1.5), -1);
}

TEST(Format, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(Format(2.345, QStringLiteral("0.00")), QStringLiteral("2.35"));
    EXPECT_EQ(Format(0.125, QStringLiteral("0.00")), QStringLiteral("0.13"));
    EXPECT_EQ(Format(-1.005, QStringLiteral("0.00")), QStringLiteral("-1.01"));
    EXPECT_EQ(Format(1.005, QStringLiteral("0.00")), QStringLiteral("1.01"));
    EXPECT_EQ(Format(2.5, QStringLiteral("0")), QStringLiteral("3"));
    EXPECT_EQ(Format(-2.5, QStringLiteral("0")), QStringLiteral("-3"));
    EXPECT_EQ(Format(0.994, QStringLiteral("0.00")), QStringLiteral("0.99"));
    EXPECT_EQ(Format(9.995, QStringLiteral("0.00")), QStringLiteral("10.00"));
    EXPECT_EQ(Format(-0.004, QStringLiteral("0.00")), QStringLiteral("0.00"));
    EXPECT_EQ(roundHalfAway(2.345, 2), 2.35);
    EXPECT_EQ(roundHalfAway(-0.5, 0), -1);
}

TEST(Format, Patterns)
{
    EXPECT_EQ(Format(7, QStringLiteral("00")), QStringLiteral("07"));
    EXPECT_EQ(Format(123, QStringLiteral("00")), QStringLiteral("123"));
    EXPECT_EQ(Format(1234567.891, QStringLiteral("#,##0.00")), QStringLiteral("1,234,567.89"));
    EXPECT_EQ(Format(0, QStringLiteral("#,##0.00")), QStringLiteral("0.00"));
    EXPECT_EQ(Format(999.999, QStringLiteral("#,##0.00")), QStringLiteral("1,000.00"));
    EXPECT_EQ(Format(0.1234, QStringLiteral("0.00%")), QStringLiteral("12.34%"));
    EXPECT_EQ(Format(0.5, QStringLiteral("0%")), QStringLiteral("50%"));
    EXPECT_EQ(Format(0.5, QStringLiteral("#.00")), QStringLiteral(".50"));
    EXPECT_EQ(Format(3.1, QStringLiteral("0.0#")), QStringLiteral("3.1"));
    EXPECT_EQ(Format(3.14159, QStringLiteral("0.0#")), QStringLiteral("3.14"));
    EXPECT_EQ(Format(12.5, QStringLiteral("0.00 \"km\"")), QStringLiteral("12.50 km"));
    EXPECT_EQ(Format(-4, QStringLiteral("0;(0)")), QStringLiteral("(4)"));
    EXPECT_EQ(Format(0, QStringLiteral("0;(0);\"null\"")), QStringLiteral("null"));
    EXPECT_EQ(FormatDe(1234567.891, QStringLiteral("#,##0.00")), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(FormatDe(-0.125, QStringLiteral("0.00")), QStringLiteral("-0,13"));
    EXPECT_EQ(FormatDe(0.3, QStringLiteral("0.0%")), QStringLiteral("30,0%"));
    EXPECT_EQ(Format(std::nan(""), QStringLiteral("0")), QString());
}

TEST(Currency, ConversionAndGermanDisplay)
{
    EXPECT_EQ(Currency::fromDouble(12.5).raw, 125000);
    EXPECT_EQ(Currency::fromDouble(0.00005).raw, 0);     // half to even
    EXPECT_EQ(Currency::fromDouble(-3.25).toDouble(), -3.25);
    EXPECT_EQ(Currency::fromRaw(12345678).toGerman(), QStringLiteral("1.234,57"));
    EXPECT_EQ(Currency::fromRaw(12345678).toGerman(false), QStringLiteral("1234,57"));
    EXPECT_EQ(Currency::fromRaw(50).toGerman(), QStringLiteral("0,01"));   // half away
    EXPECT_EQ(Currency::fromRaw(-50).toGerman(), QStringLiteral("-0,01"));
    EXPECT_EQ(Currency::fromRaw(-49).toGerman(), QStringLiteral("0,00"));
    EXPECT_EQ(Currency::fromRaw(0).toGerman(), QStringLiteral("0,00"));
    EXPECT_EQ(Currency::fromRaw(std::numeric_limits<qint64>::min()).toGerman(),
              QStringLiteral("-922.337.203.685.477,58"));
    EXPECT_EQ(Currency::fromRaw(125000).toPlain(), QStringLiteral("12.5"));
    EXPECT_EQ(Currency::fromRaw(-1).toPlain(), QStringLiteral("-0.0001"));
    EXPECT_EQ((Currency::fromRaw(5) + Currency::fromRaw(7)).raw, 12);
    EXPECT_EQ((Currency::fromRaw(5) - Currency::fromRaw(7)).raw, -2);
}

// Stored amounts can be anything: a sum beyond the range has no value and
// shows the mark, one exactly at the range's end is still right.
TEST(Currency, ASumBeyondTheRangeHasNoValueAndShowsTheMark)
{
    const qint64 max = 9223372036854775807LL, min = -max - 1;
    const struct { qint64 a, b; std::optional<qint64> summe; } faelle[] = {
        {4611686018427387904LL, 4611686018427387903LL, max}, {4611686018427387904LL, 4611686018427387904LL, {}},
        {max, 1, {}}, {min, -1, {}}, {min, 0, min}, {max, min, -1}, {5, 7, 12},
    };
    for (const auto& f : faelle) {
        const auto s = Summe(Currency::fromRaw(f.a), Currency::fromRaw(f.b));
        ASSERT_EQ(s.has_value(), f.summe.has_value()) << f.a << " + " << f.b;
        if (s) {
            EXPECT_EQ(s->raw, *f.summe) << f.a << " + " << f.b;
        }
        EXPECT_EQ(BetragOderMarke(s), s ? s->toGerman() + QStringLiteral(" €") : QStringLiteral("Überlauf"));
    }
    EXPECT_FALSE(Summe(std::nullopt, Currency::fromRaw(1)));
    EXPECT_FALSE(Currency::ausDouble(922337203685477.5808));
    EXPECT_FALSE(Currency::ausDouble(std::nan("")));
    EXPECT_FALSE(Currency::ausDouble(-HUGE_VAL));
    EXPECT_EQ(Currency::ausDouble(-922337203685477.5808)->raw, min);
    EXPECT_EQ(FormatDeOderMarke(HUGE_VAL, QStringLiteral("#,##0.00")), QStringLiteral("Überlauf"));
    EXPECT_EQ(FormatDeOderMarke(1234.5, QStringLiteral("#,##0.00")), QStringLiteral("1.234,50"));
}

TEST(Currency, ParsesGermanAmounts)
{
    Currency c;
    ASSERT_TRUE(parseGermanCurrency(QStringLiteral("12,50"), c));
    EXPECT_EQ(c.raw, 125000);
    ASSERT_TRUE(parseGermanCurrency(QStringLiteral(" 1.234,5 "), c));
    EXPECT_EQ(c.raw, 12345000);
    ASSERT_TRUE(parseGermanCurrency(QStringLiteral("-3"), c));
    EXPECT_EQ(c.raw, -30000);
    ASSERT_TRUE(parseGermanCurrency(QStringLiteral(",5"), c));
    EXPECT_EQ(c.raw, 5000);
    ASSERT_TRUE(parseGermanCurrency(QStringLiteral("0,00005"), c));
    EXPECT_EQ(c.raw, 0);
    ASSERT_TRUE(parseGermanCurrency(QStringLiteral("0,00015"), c));
    EXPECT_EQ(c.raw, 2);
    const Currency before = Currency::fromRaw(77);
    for (const char* bad : {"", "-", ",", "1.5", "12a", "1,2,3", "1.23,4", "1234.567", "12345.678", "9999999999999999"}) {
        c = before;
        EXPECT_FALSE(parseGermanCurrency(QString::fromLatin1(bad), c)) << bad;
        EXPECT_EQ(c, before);
    }
}
