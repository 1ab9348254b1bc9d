#pragma once
// Number conversions with the runtime's rules: Val reads a leading number
// with '.' as decimal point, integer conversion rounds half to even,
// display formats round half away from zero, Str leaves a sign blank.

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vb {

// Leading number of the text; blanks, tabs and line feeds are skipped
// everywhere (as the runtime does), a ',' or any other character ends it.
// "&H1F" / "&O17" read hexadecimal / octal (16-bit wrap for up to 4 hex
// digits, 32-bit for more). Never throws; an unreadable text gives 0.
double Val(const QString& s);

// Number as text with one leading blank for zero and positive values.
// Up to 15 significant digits, no trailing zeros, "1E+20" style exponents.
QString Str(double v);
QString Str(qint64 v);
inline QString Str(int v) { return Str(qint64(v)); }

// Round half to even; throw RuntimeError(6) when outside the type.
qint16 CInt(double v);
qint32 CLng(double v);
// Round half to even without range check (helper for the above).
double roundHalfEven(double v);
// Round to 'decimals' places, halves away from zero (display rounding).
double roundHalfAway(double v, int decimals);

// Integer division and remainder as the runtime's \ and Mod: both operands
// rounded half to even first, quotient truncated toward zero, remainder with
// the sign of the dividend. Division by zero throws RuntimeError(11).
qint32 IntDiv(qint32 a, qint32 b);
qint32 Mod(qint32 a, qint32 b);
// Int (floor) and Fix (truncate).
double Int(double v);
double Fix(double v);

// Format patterns the program uses: digits '0' / '#', one optional '.',
// an optional ',' thousands grouping, a trailing '%', literal text around.
// Rounds half away from zero. Format uses '.' as decimal point and ',' for
// thousands (neutral); FormatDe uses ',' and '.' (German display).
QString Format(double v, const QString& pattern);
QString FormatDe(double v, const QString& pattern);

// Fixed-point money, 1/10000 units, as stored on disk.
struct Currency {
    qint64 raw = 0;

    static Currency fromRaw(qint64 r) { return Currency{r}; }
    // Rounds half to even to 1/10000; throws RuntimeError(6) out of range.
    static Currency fromDouble(double v);
    double toDouble() const { return double(raw) / 10000.0; }

    // "1.234,50" style: two decimals, half away from zero, '.' thousands.
    QString toGerman(bool thousands = true) const;
    // "1234.5" style for Str-like neutral text, no sign blank.
    QString toPlain() const;

    friend bool operator==(Currency a, Currency b) { return a.raw == b.raw; }
    friend bool operator!=(Currency a, Currency b) { return a.raw != b.raw; }
    friend bool operator<(Currency a, Currency b) { return a.raw < b.raw; }
    Currency operator+(Currency o) const;   // overflow -> RuntimeError(6)
    Currency operator-(Currency o) const;

    // As fromDouble, but empty instead of the error (also for NaN and ±Inf).
    static std::optional<Currency> ausDouble(double v);
};

// Sums of stored amounts: a stored value can be anything, so a sum that
// leaves the range has no value instead of ending the program. Empty stays
// empty.
std::optional<Currency> Summe(std::optional<Currency> a, std::optional<Currency> b);

// What a field or cell shows in place of a value that cannot be represented.
QString Ueberlaufmarke();
// An amount "1.234,50" with the unit after a blank, or the mark.
QString BetragOderMarke(std::optional<Currency> betrag, const QString& einheit = QStringLiteral("€"));
// A number in a German format pattern, or the mark when it is NaN or ±Inf.
QString FormatDeOderMarke(double v, const QString& pattern);

// Reads a German money text ("12,50", "1.234,5", "-3") into a Currency;
// returns false and leaves out untouched when the text is no amount.
bool parseGermanCurrency(const QString& text, Currency& out);

} // namespace vb
