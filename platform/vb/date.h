#pragma once
// Whole-day serial numbers (day 0 = 30.12.1899, negative days before it),
// minutes-of-day times, and the calendar arithmetic shared by the calendar
// control and the logbook.

#include <QString>
#include <QtGlobal>

namespace vb {

// ---- Gregorian basics (proleptic) ----
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);   // 0 for a month outside 1..12

// ---- serial days of the runtime (date type 0) ----
// Months outside 1..12 roll into neighbouring years and days run on past
// the month's end (day 0 = last day of the month before), as DateSerial does.
qint32 DateSerial(int year, int month, int day);
void SplitDate(qint32 serial, int& year, int& month, int& day);
int Year(qint32 serial);
int Month(qint32 serial);
int Day(qint32 serial);
// 1 = Sunday ... 7 = Saturday, correct for every serial.
int Weekday(qint32 serial);

// "dd.mm.yyyy" (years below 1000 get leading zeros, as four digits).
QString DateText(qint32 serial);
// Strict "dd.mm.yyyy": exactly ten characters, digits and two points, a real
// calendar day (no 31.02.). Returns false and leaves serial untouched otherwise.
bool ParseDateText(const QString& text, qint32& serial);

// ---- times: minutes since midnight ----
// "hh:mm"; minutes wrap into one day (1500 -> "01:00", -1 -> "23:59").
QString TimeText(int minutes);
// Strict "hh:mm" with hours 0..23 and minutes 0..59.
bool ParseTimeText(const QString& text, int& minutes);

// ---- calendar control arithmetic: two serial epochs ----
// DateType 0: serial 0 = 30.12.1899 (same as above); DateType 1: serial 0 =
// 31.12.1979, i.e. type-0 serial minus 29220.
enum DateType : int { QK_VB = 0, QK_MARWELIN = 1 };

constexpr qint32 kMarwelinShift = 29220;
constexpr qint32 kVbMinSerial = -657434;     // 1 January 100
constexpr qint32 kVbMaxSerial = 2958465;     // 31 December 9999
constexpr qint32 qkDateMin = -29219;         // type 1: 31 December 1899
constexpr qint32 qkDateMax = 31368;          // type 1: 17 November 2065
constexpr qint32 qkVBDateMin = -53688;       // 1 January 1753
constexpr qint32 qkVBDateMax = 65380;        // 31 December 2078

qint32 lowestSerial(int dateType);    // lowest accepted MinDate
qint32 highestSerial(int dateType);   // highest accepted MaxDate

// No validation; month must be 1..12. Days run on past the month's end.
qint32 MDYToSerial(int dateType, int month, int day, int year);
void SerialToMDY(int dateType, qint32 serial, int& month, int& day, int& year);
// 1 (Sunday) .. 7 (Saturday); a floored remainder keeps early dates in 1..7.
int WeekdayOfSerial(int dateType, qint32 serial);
// False for a negative year; day 0 passes.
bool IsValidDate(int year, int month, int day);
// Year below 100: 0..29 -> 2000..2029, others -> +1900 (negatives included).
int ApplyTwoDigitYear(int year);
// Weekday 1..7, or 0 for an invalid date; applies the two-digit-year rule.
int CalcDayOfWeek(int dateType, int month, int day, int year);
// 28..31, or 0 for an invalid month or year; applies the two-digit-year rule.
int CalcDaysInMonth(int month, int year);
// Step by months: the day is cut to the new month's length.
void AddMonthsToParts(int& month, int& day, int& year, int n);
// Step by years: only 29 February is moved (to 28 in a common year).
void AddYearsToParts(int& month, int& day, int& year, int n);

} // namespace vb
