#include "platform/vb/date.h"

#include <limits>

namespace vb {

namespace {

constexpr int kDaysBefore[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Floored division and remainder, for arithmetic valid on both sides of 0.
constexpr qint64 floorDiv(qint64 a, qint64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
constexpr qint64 floorMod(qint64 a, qint64 b) { return a - floorDiv(a, b) * b; }

// Days since 1970-01-01 of a proleptic Gregorian date (any year).
qint64 daysFromCivil(qint64 y, int m, int d)
{
    y -= m <= 2;
    const qint64 era = floorDiv(y, 400);
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(qint64 z, int& y, int& m, int& d)
{
    z += 719468;
    const qint64 era = floorDiv(z, 146097);
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

constexpr qint64 kEpoch1899 = -25569;   // 30.12.1899 in days since 1970-01-01

qint32 clampSerial(qint64 v)
{
    if (v > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (v < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return qint32(v);
}

bool twoDigits(const QString& t, int at, int& out)
{
    const QChar a = t.at(at), b = t.at(at + 1);
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
        return false;
    out = (a.unicode() - '0') * 10 + (b.unicode() - '0');
    return true;
}

} // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int len[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : len[month];
}

qint32 DateSerial(int year, int month, int day)
{
    const qint64 m0 = qint64(month) - 1;
    const qint64 y = qint64(year) + floorDiv(m0, 12);
    const int m = int(floorMod(m0, 12)) + 1;
    return clampSerial(daysFromCivil(y, m, 1) - kEpoch1899 + qint64(day) - 1);
}

void SplitDate(qint32 serial, int& year, int& month, int& day)
{
    civilFromDays(qint64(serial) + kEpoch1899, year, month, day);
}

int Year(qint32 serial)
{
    int y, m, d;
    SplitDate(serial, y, m, d);
    return y;
}

int Month(qint32 serial)
{
    int y, m, d;
    SplitDate(serial, y, m, d);
    return m;
}

int Day(qint32 serial)
{
    int y, m, d;
    SplitDate(serial, y, m, d);
    return d;
}

// Serial 0 was a Saturday.
int Weekday(qint32 serial) { return int(floorMod(qint64(serial) + 6, 7)) + 1; }

QString DateText(qint32 serial)
{
    int y, m, d;
    SplitDate(serial, y, m, d);
    return QStringLiteral("%1.%2.%3")
        .arg(d, 2, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(y, 4, 10, QLatin1Char('0'));
}

bool ParseDateText(const QString& text, qint32& serial)
{
    if (text.size() != 10 || text.at(2) != u'.' || text.at(5) != u'.')
        return false;
    int d, m, yh, yl;
    if (!twoDigits(text, 0, d) || !twoDigits(text, 3, m) || !twoDigits(text, 6, yh) || !twoDigits(text, 8, yl))
        return false;
    const int y = yh * 100 + yl;
    // The runtime knows the years 100 to 9999.
    if (y < 100 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m))
        return false;
    serial = DateSerial(y, m, d);
    return true;
}

QString TimeText(int minutes)
{
    const int m = int(floorMod(minutes, 1440));
    return QStringLiteral("%1:%2").arg(m / 60, 2, 10, QLatin1Char('0')).arg(m % 60, 2, 10, QLatin1Char('0'));
}

bool ParseTimeText(const QString& text, int& minutes)
{
    if (text.size() != 5 || text.at(2) != u':')
        return false;
    int h, m;
    if (!twoDigits(text, 0, h) || !twoDigits(text, 3, m) || h > 23 || m > 59)
        return false;
    minutes = h * 60 + m;
    return true;
}

// ---- calendar control arithmetic ----

qint32 lowestSerial(int dateType) { return dateType == QK_MARWELIN ? qkDateMin : kVbMinSerial; }
qint32 highestSerial(int dateType) { return dateType == QK_MARWELIN ? qkDateMax : kVbMaxSerial; }

qint32 MDYToSerial(int dateType, int month, int day, int year)
{
    const qint64 t = dateType == QK_MARWELIN ? kMarwelinShift : 0;
    const qint64 e = month < 3 ? qint64(year) - 1 : year;
    const int mi = month < 1 ? 1 : (month > 12 ? 12 : month);   // guards the table only
    return clampSerial(kDaysBefore[mi] + 365 * qint64(year) + e / 4 - e / 100 + e / 400 + day - 693959 - t);
}

void SerialToMDY(int dateType, qint32 serial, int& month, int& day, int& year)
{
    // Same results as the control's own arithmetic for years 100..9999, and
    // the proleptic calendar beyond.
    int y, m, d;
    civilFromDays(qint64(serial) + (dateType == QK_MARWELIN ? kMarwelinShift : 0) + kEpoch1899, y, m, d);
    month = m;
    day = d;
    year = y;
}

int WeekdayOfSerial(int dateType, qint32 serial)
{
    const qint64 offset = dateType == QK_MARWELIN ? 29226 : 53689;
    return int(floorMod(qint64(serial) + offset, 7)) + 1;
}

bool IsValidDate(int year, int month, int day)
{
    if (year < 0 || month < 1 || month > 12)
        return false;
    return day >= 0 && day <= DaysInMonth(year, month);
}

int ApplyTwoDigitYear(int year)
{
    if (year < 100)
        return year + (year < 30 ? 2000 : 1900);
    return year;
}

int CalcDayOfWeek(int dateType, int month, int day, int year)
{
    year = ApplyTwoDigitYear(year);
    if (!IsValidDate(year, month, day))
        return 0;
    return WeekdayOfSerial(dateType, MDYToSerial(dateType, month, day, year));
}

int CalcDaysInMonth(int month, int year)
{
    year = ApplyTwoDigitYear(year);
    if (!IsValidDate(year, month, 1))
        return 0;
    return DaysInMonth(year, month);
}

void AddMonthsToParts(int& month, int& day, int& year, int n)
{
    // Whole years at once and in 64 bits, so a huge step neither spins nor wraps.
    const qint64 m0 = qint64(month) + n - 1;
    month = int(floorMod(m0, 12)) + 1;
    year = int(qint64(year) + floorDiv(m0, 12));
    const int len = CalcDaysInMonth(month, year);
    if (day > len)
        day = len;
}

void AddYearsToParts(int& month, int& day, int& year, int n)
{
    year += n;
    if (month == 2 && day == 29)
        day = CalcDaysInMonth(2, year);
}

} // namespace vb
