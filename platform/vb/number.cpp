#include "platform/vb/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include <QStringList>

#include "platform/vb/error.h"

namespace vb {

namespace {

bool isValBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// 15 significant decimal digits of |v| and the power of ten of the first one,
// the precision the runtime shows and rounds from.
struct Decimal {
    std::string digits;   // exactly 15 characters
    int exp10 = 0;        // value = d.dddd * 10^exp10
    bool negative = false;
};

Decimal toDecimal(double v)
{
    Decimal d;
    d.negative = std::signbit(v) && v != 0.0;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
    std::string s(buf, res.ptr);           // "d.dddddddddddddde+XX"
    const auto e = s.find('e');
    d.digits = s.substr(0, 1) + s.substr(2, e - 2);
    d.exp10 = std::stoi(s.substr(e + 1));
    if (v == 0.0)
        d.exp10 = 0;
    return d;
}

// Adds one unit in the last place of a digit string; returns true on carry out.
bool incrementDigits(std::string& s)
{
    for (auto i = s.size(); i-- > 0;) {
        if (s[i] == '9') {
            s[i] = '0';
        } else {
            ++s[i];
            return false;
        }
    }
    return true;
}

// Fixed-point text of |v| with exactly 'decimals' fraction digits, rounded
// half away from zero from the 15-digit decimal form.
void fixedDigits(double v, int decimals, std::string& intPart, std::string& fracPart)
{
    const Decimal d = toDecimal(v);
    std::string all;   // integer digits followed by fraction digits
    int intLen;
    if (d.exp10 >= 0) {
        intLen = d.exp10 + 1;
        all = d.digits;
        if (int(all.size()) < intLen)
            all.append(intLen - all.size(), '0');
    } else {
        intLen = 1;
        all = std::string(1, '0') + std::string(-d.exp10 - 1, '0') + d.digits;
    }
    const int keep = intLen + decimals;
    if (int(all.size()) < keep + 1)
        all.append(keep + 1 - all.size(), '0');
    const bool up = all[keep] >= '5';
    all.resize(keep);
    if (up && incrementDigits(all)) {
        all.insert(all.begin(), '1');
        ++intLen;
    }
    intPart = all.substr(0, intLen);
    fracPart = all.substr(intLen);
    const auto nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? std::string() : intPart.substr(nz);
}

QString groupThousands(const std::string& digits, QChar sep)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(sep);
        out.append(QChar(digits[i]));
    }
    return out;
}

struct Section {
    QString prefix, suffix;
    int minInt = 0;
    bool grouping = false;
    bool point = false;
    int fracMin = 0, fracMax = 0;
    bool percent = false;
};

QList<QString> splitSections(const QString& pattern)
{
    QList<QString> out;
    QString cur;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'"')
            quoted = !quoted;
        if (c == u'\\' && i + 1 < pattern.size()) {
            cur.append(c);
            cur.append(pattern.at(++i));
            continue;
        }
        if (c == u';' && !quoted) {
            out.append(cur);
            cur.clear();
            continue;
        }
        cur.append(c);
    }
    out.append(cur);
    return out;
}

Section parseSection(const QString& p)
{
    Section s;
    enum { Before, Int, Frac, After } state = Before;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p.at(i);
        QString* lit = state == Before ? &s.prefix : &s.suffix;
        if (c == u'"') {
            const qsizetype end = p.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? p.size() : end;
            if (state == Int || state == Frac)
                state = After, lit = &s.suffix;
            lit->append(p.mid(i + 1, stop - i - 1));
            i = stop;
            continue;
        }
        if (c == u'\\' && i + 1 < p.size()) {
            if (state == Int || state == Frac)
                state = After, lit = &s.suffix;
            lit->append(p.at(++i));
            continue;
        }
        const bool placeholder = c == u'0' || c == u'#';
        if (state == Before || state == Int) {
            if (placeholder) {
                state = Int;
                if (c == u'0')
                    ++s.minInt;
                continue;
            }
            if (c == u',' && state == Int) {
                s.grouping = true;
                continue;
            }
            if (c == u'.') {
                state = Frac;
                s.point = true;
                continue;
            }
        } else if (state == Frac && placeholder) {
            ++s.fracMax;
            if (c == u'0')
                s.fracMin = s.fracMax;
            continue;
        }
        if (state == Int || state == Frac)
            state = After;
        if (c == u'%')
            s.percent = true;
        (state == Before ? s.prefix : s.suffix).append(c);
    }
    return s;
}

QString formatImpl(double v, const QString& pattern, QChar point, QChar sep)
{
    if (!std::isfinite(v))
        return QString();
    const QList<QString> sections = splitSections(pattern);
    QString sec = sections.at(0);
    bool showMinus = v < 0;
    if (v < 0 && sections.size() >= 2 && !sections.at(1).isEmpty()) {
        sec = sections.at(1);
        showMinus = false;
    } else if (v == 0 && sections.size() >= 3 && !sections.at(2).isEmpty()) {
        sec = sections.at(2);
    }
    const Section s = parseSection(sec);
    double a = std::fabs(v);
    if (s.percent)
        a *= 100.0;
    std::string ip, fp;
    fixedDigits(a, s.fracMax, ip, fp);
    if (showMinus && ip.empty() && fp.find_first_not_of('0') == std::string::npos)
        showMinus = false;   // rounds to zero: no "-0.00"
    while (int(fp.size()) > s.fracMin && fp.back() == '0')
        fp.pop_back();
    if (int(ip.size()) < s.minInt)
        ip.insert(0, s.minInt - ip.size(), '0');
    QString out;
    if (showMinus)
        out.append(u'-');
    out.append(s.prefix);
    if (s.grouping)
        out.append(groupThousands(ip, sep));
    else
        out.append(QString::fromLatin1(ip.data(), qsizetype(ip.size())));
    if (s.point) {
        out.append(point);
        out.append(QString::fromLatin1(fp.data(), qsizetype(fp.size())));
    }
    out.append(s.suffix);
    return out;
}

} // namespace

double Val(const QString& s)
{
    const qsizetype n = s.size();
    qsizetype i = 0;
    auto skip = [&] {
        while (i < n && isValBlank(s.at(i)))
            ++i;
    };
    auto peek = [&]() -> QChar { return i < n ? s.at(i) : QChar(); };

    skip();
    if (peek() == u'&') {
        ++i;
        skip();
        int base = 0;
        if (peek() == u'H' || peek() == u'h')
            base = 16;
        else if (peek() == u'O' || peek() == u'o')
            base = 8;
        if (!base)
            return 0;
        ++i;
        quint64 acc = 0;
        for (;; ++i) {
            skip();
            if (i >= n)
                break;
            const char16_t c = s.at(i).unicode();
            const int d = (c >= u'0' && c <= u'9')   ? c - u'0'
                          : (c >= u'a' && c <= u'f') ? c - u'a' + 10
                          : (c >= u'A' && c <= u'F') ? c - u'A' + 10
                                                     : -1;
            if (d < 0 || d >= base)
                break;
            acc = acc * base + d;
            if (acc > 0xFFFFFFFFull)
                return 0;   // would overflow the runtime's Long
        }
        // Up to 16 bits read as a signed Integer, beyond as a signed Long.
        if (acc <= 0xFFFF)
            return double(qint16(quint16(acc)));
        return double(qint32(quint32(acc)));
    }

    std::string num;
    if (peek() == u'-' || peek() == u'+') {
        if (peek() == u'-')
            num += '-';
        ++i;
    }
    auto isDigit = [&](QChar c) { return c >= u'0' && c <= u'9'; };
    bool any = false;
    for (;; ++i) {
        skip();
        if (i < n && isDigit(s.at(i))) {
            num += char(s.at(i).unicode());
            any = true;
        } else {
            break;
        }
    }
    if (peek() == u'.') {
        num += '.';
        for (++i;; ++i) {
            skip();
            if (i < n && isDigit(s.at(i))) {
                num += char(s.at(i).unicode());
                any = true;
            } else {
                break;
            }
        }
    }
    if (!any)
        return 0;
    const QChar e = peek().toLower();
    if (e == u'e' || e == u'd') {
        qsizetype save = i;
        ++i;
        skip();
        std::string ex = "e";
        if (peek() == u'-' || peek() == u'+') {
            ex += char(peek().unicode());
            ++i;
        }
        bool expDigits = false;
        for (;; ++i) {
            skip();
            if (i < n && isDigit(s.at(i))) {
                ex += char(s.at(i).unicode());
                expDigits = true;
            } else {
                break;
            }
        }
        if (expDigits)
            num += ex;
        else
            i = save;
    }
    double v = 0;
    const char* b = num.data();
    if (*b == '-')
        ++b;
    const auto r = std::from_chars(b, num.data() + num.size(), v);
    if (r.ec != std::errc())
        return 0;   // beyond the range of a Double: nothing sensible to read
    return num[0] == '-' ? -v : v;
}

QString Str(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NaN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral(" inf") : QStringLiteral("-inf");
    if (v == 0)
        return QStringLiteral(" 0");
    const Decimal d = toDecimal(v);
    std::string digits = d.digits;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out = d.negative ? "-" : " ";
    if (d.exp10 >= 15 || d.exp10 < -4) {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        const int e = std::abs(d.exp10);
        out += d.exp10 < 0 ? "E-" : "E+";
        if (e < 10)
            out += '0';
        out += std::to_string(e);
    } else if (d.exp10 >= 0) {
        const std::size_t intLen = d.exp10 + 1;
        if (digits.size() <= intLen) {
            out += digits + std::string(intLen - digits.size(), '0');
        } else {
            out += digits.substr(0, intLen) + "." + digits.substr(intLen);
        }
    } else {
        out += "." + std::string(-d.exp10 - 1, '0') + digits;
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

QString Str(qint64 v)
{
    return v < 0 ? QString::number(v) : QStringLiteral(" ") + QString::number(v);
}

double roundHalfEven(double v)
{
    if (!std::isfinite(v))
        return v;
    const double r = std::round(v);   // halves away from zero
    if (std::fabs(r - v) == 0.5)
        return 2.0 * std::round(v / 2.0);
    return r;
}

qint16 CInt(double v)
{
    const double r = roundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw RuntimeError(ErrOverflow);
    return qint16(r);
}

qint32 CLng(double v)
{
    const double r = roundHalfEven(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw RuntimeError(ErrOverflow);
    return qint32(r);
}

double roundHalfAway(double v, int decimals)
{
    if (!std::isfinite(v))
        return v;
    if (decimals < 0)
        decimals = 0;
    std::string ip, fp;
    fixedDigits(v, decimals, ip, fp);
    std::string txt = (ip.empty() ? std::string("0") : ip) + "." + fp + "0";
    double r = 0;
    std::from_chars(txt.data(), txt.data() + txt.size(), r);
    return v < 0 ? -r : r;
}

qint32 IntDiv(qint32 a, qint32 b)
{
    if (b == 0)
        throw RuntimeError(ErrDivisionByZero);
    if (a == std::numeric_limits<qint32>::min() && b == -1)
        throw RuntimeError(ErrOverflow);
    return a / b;
}

qint32 Mod(qint32 a, qint32 b)
{
    if (b == 0)
        throw RuntimeError(ErrDivisionByZero);
    if (b == -1)
        return 0;
    return a % b;
}

double Int(double v) { return std::floor(v); }
double Fix(double v) { return std::trunc(v); }

QString Format(double v, const QString& pattern) { return formatImpl(v, pattern, u'.', u','); }
QString FormatDe(double v, const QString& pattern) { return formatImpl(v, pattern, u',', u'.'); }

Currency Currency::fromDouble(double v)
{
    const double scaled = roundHalfEven(v * 10000.0);
    // 2^63 is exactly representable; anything at or beyond it overflows.
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0))
        throw RuntimeError(ErrOverflow);
    return Currency{qint64(scaled)};
}

QString Currency::toGerman(bool thousands) const
{
    // Work on the magnitude as unsigned so the most negative value is safe.
    const bool neg = raw < 0;
    const quint64 mag = neg ? quint64(0) - quint64(raw) : quint64(raw);
    quint64 cents = mag / 100;
    if (mag % 100 >= 50)
        ++cents;   // half away from zero
    const std::string ip = std::to_string(cents / 100);
    const quint64 c = cents % 100;
    QString out;
    if (neg && cents != 0)
        out.append(u'-');
    out.append(thousands ? groupThousands(ip, u'.') : QString::fromStdString(ip));
    out.append(u',');
    out.append(QChar(char16_t('0' + c / 10)));
    out.append(QChar(char16_t('0' + c % 10)));
    return out;
}

QString Currency::toPlain() const
{
    const bool neg = raw < 0;
    const quint64 mag = neg ? quint64(0) - quint64(raw) : quint64(raw);
    QString out = neg ? QStringLiteral("-") : QString();
    out += QString::number(mag / 10000);
    quint64 frac = mag % 10000;
    if (frac) {
        QString f = QString::number(frac).rightJustified(4, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        out += u'.' + f;
    }
    return out;
}

Currency Currency::operator+(Currency o) const
{
    qint64 r;
    if (__builtin_add_overflow(raw, o.raw, &r))
        throw RuntimeError(ErrOverflow);
    return Currency{r};
}

Currency Currency::operator-(Currency o) const
{
    qint64 r;
    if (__builtin_sub_overflow(raw, o.raw, &r))
        throw RuntimeError(ErrOverflow);
    return Currency{r};
}

std::optional<Currency> Currency::ausDouble(double v)
{
    const double scaled = roundHalfEven(v * 10000.0);
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0))
        return std::nullopt;
    return Currency{qint64(scaled)};
}

std::optional<Currency> Summe(std::optional<Currency> a, std::optional<Currency> b)
{
    qint64 r;
    if (!a || !b || __builtin_add_overflow(a->raw, b->raw, &r))
        return std::nullopt;
    return Currency{r};
}

QString Ueberlaufmarke()
{
    return QStringLiteral("Überlauf");
}

QString BetragOderMarke(std::optional<Currency> betrag, const QString& einheit)
{
    return betrag ? betrag->toGerman() + u' ' + einheit : Ueberlaufmarke();
}

QString FormatDeOderMarke(double v, const QString& pattern)
{
    return std::isfinite(v) ? FormatDe(v, pattern) : Ueberlaufmarke();
}

bool parseGermanCurrency(const QString& text, Currency& out)
{
    QString t = text.trimmed();
    bool neg = false;
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        neg = t.startsWith(u'-');
        t = t.mid(1).trimmed();
    }
    const qsizetype comma = t.indexOf(u',');
    QString ip = comma < 0 ? t : t.left(comma);
    QString fp = comma < 0 ? QString() : t.mid(comma + 1);
    if (ip.contains(u'.')) {
        // Points only as thousands separators: "1.234.567"; "1.5" is no amount.
        const QStringList groups = ip.split(u'.');
        for (qsizetype g = 0; g < groups.size(); ++g) {
            const qsizetype len = groups.at(g).size();
            if (g == 0 ? (len < 1 || len > 3) : len != 3)
                return false;
        }
        ip.remove(u'.');
    }
    if (ip.isEmpty() && fp.isEmpty())
        return false;
    for (QChar c : ip)
        if (c < u'0' || c > u'9')
            return false;
    for (QChar c : fp)
        if (c < u'0' || c > u'9')
            return false;
    // Integer part: at most 15 digits keeps us inside the Currency range.
    const QString ipDigits = ip.isEmpty() ? QStringLiteral("0") : ip;
    QString trimmedIp = ipDigits;
    while (trimmedIp.size() > 1 && trimmedIp.startsWith(u'0'))
        trimmedIp.remove(0, 1);
    if (trimmedIp.size() > 15)
        return false;
    qint64 units = trimmedIp.toLongLong() * 10000;
    QString f4 = fp.left(4).leftJustified(4, u'0');
    units += f4.toLongLong();
    if (fp.size() > 4) {
        // Beyond 1/10000: round half to even like the runtime's conversion.
        const QString rest = fp.mid(4);
        const int first = rest.at(0).digitValue();
        bool beyondHalf = false;
        for (qsizetype k = 1; k < rest.size(); ++k)
            beyondHalf = beyondHalf || rest.at(k) != u'0';
        if (first > 5 || (first == 5 && (beyondHalf || (units % 2) != 0)))
            ++units;
    }
    out = Currency{neg ? -units : units};
    return true;
}

} // namespace vb
