#include "platform/vb/text.h"

#include <array>

namespace vb {

namespace {

// 0x80..0x9F of Windows-1252. The five holes map to the C1 control of the
// same value, so raw bytes survive a round trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isHole(unsigned b) { return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D; }

char encodeUnit(char32_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    if (u >= 0x80 && u <= 0x9F)
        return isHole(u) ? char(u) : '?';
    for (unsigned i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u && !isHole(0x80 + i))
            return char(0x80 + i);
    return '?';
}

} // namespace

char toAnsiChar(QChar c) { return encodeUnit(c.unicode()); }

QChar fromAnsiChar(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F)
        return QChar(kHigh[b - 0x80]);
    return QChar(b);
}

QByteArray toAnsi(const QString& s)
{
    QByteArray out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            out.append('?');   // one character outside the code page
            ++i;
            continue;
        }
        out.append(encodeUnit(c.unicode()));
    }
    return out;
}

QString fromAnsi(const char* data, qsizetype len)
{
    QString out(len, Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < len; ++i)
        d[i] = fromAnsiChar(static_cast<unsigned char>(data[i]));
    return out;
}

QString fromAnsi(const QByteArray& bytes) { return fromAnsi(bytes.constData(), bytes.size()); }

QString LTrim(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == u' ')
        ++i;
    return s.mid(i);
}

QString RTrim(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == u' ')
        --n;
    return s.left(n);
}

QString Trim(const QString& s) { return LTrim(RTrim(s)); }

QString Space(int n) { return n > 0 ? QString(n, u' ') : QString(); }

QString String(int n, QChar c) { return n > 0 ? QString(n, c) : QString(); }

QString Left(const QString& s, int n) { return n > 0 ? s.left(n) : QString(); }

QString Right(const QString& s, int n) { return n > 0 ? s.right(n) : QString(); }

QString Mid(const QString& s, int start1, int len)
{
    if (start1 < 1)
        start1 = 1;
    if (start1 > s.size())
        return QString();
    return len < 0 ? s.mid(start1 - 1) : s.mid(start1 - 1, len);
}

int Len(const QString& s) { return int(s.size()); }

int InStr(const QString& s, const QString& find, int start1)
{
    if (start1 < 1)
        start1 = 1;
    if (start1 > s.size() + 1)
        return 0;
    if (find.isEmpty())
        return start1;
    const qsizetype at = s.indexOf(find, start1 - 1);
    return at < 0 ? 0 : int(at + 1);
}

QString UCase(const QString& s) { return s.toUpper(); }

QString LCase(const QString& s) { return s.toLower(); }

int Asc(const QString& s)
{
    if (s.isEmpty())
        return 0;
    return static_cast<unsigned char>(toAnsiChar(s.at(0)));
}

QString Chr(int code)
{
    if (code < 0 || code > 255)
        return QString();
    return QString(fromAnsiChar(static_cast<unsigned char>(code)));
}

} // namespace vb
