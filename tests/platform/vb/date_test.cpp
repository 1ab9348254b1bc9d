#include <gtest/gtest.h>

#include <chrono>

#include "platform/vb/date.h"

using namespace vb;
namespace chr = std::chrono;

namespace {
const chr::sys_days kDay0 = chr::sys_days(chr::year(1899) / chr::December / 30);
}

TEST(Serial, MatchesCivilCalendarOverWholeRange)
{
    for (qint32 s = kVbMinSerial; s <= kVbMaxSerial; ++s) {
        const chr::year_month_day ymd(kDay0 + chr::days(s));
        int y, m, d;
        SplitDate(s, y, m, d);
        const bool same = y == int(ymd.year()) && m == int(unsigned(ymd.month())) && d == int(unsigned(ymd.day()));
        if (!same) {
            ADD_FAILURE() << "SplitDate " << s;
            break;
        }
        if (DateSerial(y, m, d) != s) {
            ADD_FAILURE() << "DateSerial " << s;
            break;
        }
        int cm, cd, cy;
        SerialToMDY(QK_VB, s, cm, cd, cy);
        if (cm != m || cd != d || cy != y || MDYToSerial(QK_VB, m, d, y) != s) {
            ADD_FAILURE() << "control arithmetic " << s;
            break;
        }
        const unsigned wd = chr::weekday(kDay0 + chr::days(s)).c_encoding();   // 0 = Sunday
        if (Weekday(s) != int(wd) + 1 || WeekdayOfSerial(QK_VB, s) != int(wd) + 1) {
            ADD_FAILURE() << "weekday " << s;
            break;
        }
    }
}

TEST(Serial, KnownDays)
{
    EXPECT_EQ(DateSerial(1899, 12, 30), 0);
    EXPECT_EQ(DateSerial(1900, 1, 1), 2);
    EXPECT_EQ(DateSerial(1899, 12, 29), -1);
    EXPECT_EQ(DateSerial(2021, 1, 1), 44197);
    EXPECT_EQ(Weekday(0), 7);            // Saturday
    EXPECT_EQ(Weekday(-1), 6);
    EXPECT_EQ(Weekday(44197), 6);        // Friday
    EXPECT_EQ(Year(44197), 2021);
    EXPECT_EQ(Month(44197), 1);
    EXPECT_EQ(Day(44197), 1);
}

TEST(Serial, DateSerialRollsOver)
{
    EXPECT_EQ(DateSerial(2023, 2, 31), DateSerial(2023, 3, 3));
    EXPECT_EQ(DateSerial(2023, 3, 0), DateSerial(2023, 2, 28));
    EXPECT_EQ(DateSerial(2023, 13, 1), DateSerial(2024, 1, 1));
    EXPECT_EQ(DateSerial(2023, 0, 1), DateSerial(2022, 12, 1));
    EXPECT_EQ(DateSerial(2023, -11, 1), DateSerial(2022, 1, 1));
    EXPECT_EQ(DateSerial(2024, 1, 366), DateSerial(2024, 12, 31));
}

TEST(DateTextTest, FormatsAndParsesStrictly)
{
    EXPECT_EQ(DateText(44197), QStringLiteral("01.01.2021"));
    EXPECT_EQ(DateText(0), QStringLiteral("30.12.1899"));
    EXPECT_EQ(DateText(kVbMinSerial), QStringLiteral("01.01.0100"));
    qint32 s = 12345;
    ASSERT_TRUE(ParseDateText(QStringLiteral("29.02.2024"), s));
    EXPECT_EQ(s, DateSerial(2024, 2, 29));
    ASSERT_TRUE(ParseDateText(QStringLiteral("31.12.9999"), s));
    EXPECT_EQ(s, kVbMaxSerial);
    s = 12345;
    for (const char* bad : {"29.02.2023", "31.04.2021", "00.01.2021", "01.00.2021", "01.13.2021", "1.1.2021",
                            " 01.01.2021", "01-01-2021", "01.01.21", "0a.01.2021", "01.01.0099", "32.01.2021", ""}) {
        EXPECT_FALSE(ParseDateText(QString::fromLatin1(bad), s)) << bad;
        EXPECT_EQ(s, 12345);
    }
}

TEST(TimeTextTest, FormatsWrapsAndParses)
{
    EXPECT_EQ(TimeText(510), QStringLiteral("08:30"));
    EXPECT_EQ(TimeText(0), QStringLiteral("00:00"));
    EXPECT_EQ(TimeText(1439), QStringLiteral("23:59"));
    EXPECT_EQ(TimeText(1440), QStringLiteral("00:00"));
    EXPECT_EQ(TimeText(1500), QStringLiteral("01:00"));
    EXPECT_EQ(TimeText(-1), QStringLiteral("23:59"));
    int m = 7;
    ASSERT_TRUE(ParseTimeText(QStringLiteral("08:30"), m));
    EXPECT_EQ(m, 510);
    ASSERT_TRUE(ParseTimeText(QStringLiteral("23:59"), m));
    EXPECT_EQ(m, 1439);
    m = 7;
    for (const char* bad : {"24:00", "12:60", "8:30", "08:3", "08.30", "ab:cd", "08:30 ", ""}) {
        EXPECT_FALSE(ParseTimeText(QString::fromLatin1(bad), m)) << bad;
        EXPECT_EQ(m, 7);
    }
}

TEST(Calendar, LeapYearsAndMonthLengths)
{
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2021, 4), 30);
    EXPECT_EQ(DaysInMonth(2021, 13), 0);
    EXPECT_EQ(CalcDaysInMonth(2, 24), 29);
    EXPECT_EQ(CalcDaysInMonth(2, 30), 28);
    EXPECT_EQ(CalcDaysInMonth(13, 2020), 0);
    EXPECT_EQ(CalcDaysInMonth(0, 2020), 0);
    EXPECT_EQ(CalcDaysInMonth(2, -200), 28);    // below 30: +2000 gives 1800
    EXPECT_EQ(CalcDaysInMonth(2, -3000), 0);    // still negative
    EXPECT_EQ(ApplyTwoDigitYear(0), 2000);
    EXPECT_EQ(ApplyTwoDigitYear(29), 2029);
    EXPECT_EQ(ApplyTwoDigitYear(30), 1930);
    EXPECT_EQ(ApplyTwoDigitYear(99), 1999);
    EXPECT_EQ(ApplyTwoDigitYear(100), 100);
    EXPECT_EQ(ApplyTwoDigitYear(-5), 1995);
}

TEST(Calendar, ValidityAndWeekdays)
{
    EXPECT_TRUE(IsValidDate(2021, 2, 0));    // day 0 passes
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_FALSE(IsValidDate(-1, 1, 1));
    EXPECT_FALSE(IsValidDate(2021, 0, 1));
    EXPECT_FALSE(IsValidDate(2021, 1, -1));
    EXPECT_EQ(CalcDayOfWeek(QK_VB, 1, 1, 2021), 6);
    EXPECT_EQ(CalcDayOfWeek(QK_MARWELIN, 1, 1, 2021), 6);
    EXPECT_EQ(CalcDayOfWeek(QK_VB, 2, 30, 2021), 0);
    EXPECT_EQ(CalcDayOfWeek(QK_VB, 1, 1, 21), 6);
    EXPECT_EQ(WeekdayOfSerial(QK_MARWELIN, 0), 2);     // Monday
    EXPECT_EQ(WeekdayOfSerial(QK_VB, kVbMinSerial), 6);  // 1 January 100 (proleptic) was a Friday
    EXPECT_EQ(WeekdayOfSerial(QK_VB, -53689), 1);          // lowest serial the plain formula handles
}

TEST(Calendar, BothSerialEpochs)
{
    EXPECT_EQ(MDYToSerial(QK_VB, 12, 30, 1899), 0);
    EXPECT_EQ(MDYToSerial(QK_VB, 1, 1, 2021), 44197);
    EXPECT_EQ(MDYToSerial(QK_VB, 12, 31, 2050), 55153);
    EXPECT_EQ(MDYToSerial(QK_MARWELIN, 1, 1, 1980), 1);
    EXPECT_EQ(MDYToSerial(QK_VB, 2, 31, 2023), MDYToSerial(QK_VB, 3, 3, 2023));
    EXPECT_EQ(MDYToSerial(QK_VB, 3, 0, 2024), MDYToSerial(QK_VB, 2, 29, 2024));
    int m, d, y;
    SerialToMDY(QK_VB, -657434, m, d, y);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(1, 1, 100));
    SerialToMDY(QK_VB, 2958465, m, d, y);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(12, 31, 9999));
    SerialToMDY(QK_MARWELIN, 31368, m, d, y);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(11, 17, 2065));
    SerialToMDY(QK_MARWELIN, -29219, m, d, y);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(12, 31, 1899));
    for (qint32 s = kVbMinSerial; s <= kVbMaxSerial; s += 97) {
        SerialToMDY(QK_MARWELIN, s - kMarwelinShift, m, d, y);
        ASSERT_EQ(MDYToSerial(QK_MARWELIN, m, d, y), s - kMarwelinShift);
        ASSERT_EQ(MDYToSerial(QK_VB, m, d, y), s);
    }
    EXPECT_EQ(lowestSerial(QK_VB), -657434);
    EXPECT_EQ(highestSerial(QK_MARWELIN), qkDateMax);
    EXPECT_EQ(DateSerial(1753, 1, 1), qkVBDateMin);
    EXPECT_EQ(DateSerial(2078, 12, 31), qkVBDateMax);
}

TEST(Calendar, MonthAndYearSteps)
{
    int m = 3, d = 31, y = 2021;
    AddMonthsToParts(m, d, y, -1);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(2, 28, 2021));
    m = 1, d = 15, y = 2021;
    AddMonthsToParts(m, d, y, -13);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(12, 15, 2019));
    m = 1, d = 31, y = 2024;
    AddMonthsToParts(m, d, y, 1);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(2, 29, 2024));
    m = 12, d = 31, y = 2021;
    AddMonthsToParts(m, d, y, 25);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(1, 31, 2024));
    m = 1, d = 1, y = 2021;
    AddMonthsToParts(m, d, y, -12);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(1, 1, 2020));
    m = 5, d = 10, y = 2021;
    AddMonthsToParts(m, d, y, 1000000000);   // huge steps do not spin
    EXPECT_EQ(m, 9);
    m = 2, d = 29, y = 2024;
    AddYearsToParts(m, d, y, 1);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(2, 28, 2025));
    m = 2, d = 29, y = 2024;
    AddYearsToParts(m, d, y, 4);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(2, 29, 2028));
    m = 1, d = 31, y = 2024;
    AddYearsToParts(m, d, y, 1);
    EXPECT_EQ(std::tuple(m, d, y), std::tuple(1, 31, 2025));
}
