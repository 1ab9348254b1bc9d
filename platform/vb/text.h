#pragma once
// Text as the runtime knew it: one byte per character in Windows-1252,
// and the string helpers with their exact blank-only trimming.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace vb {

// Windows-1252 through our own table; characters without a byte become '?'.
// The five undefined bytes 0x81 0x8D 0x8F 0x90 0x9D map to U+0081 ... as
// control characters so that every byte survives a round trip.
QByteArray toAnsi(const QString& s);
QString fromAnsi(const QByteArray& bytes);
QString fromAnsi(const char* data, qsizetype len);
char toAnsiChar(QChar c);        // '?' when unmappable
QChar fromAnsiChar(unsigned char b);

// Strip blanks (U+0020) only; tabs and other white space stay.
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);

QString Space(int n);                          // n blanks, n < 0 -> empty
QString String(int n, QChar c);                // n copies of c
QString Left(const QString& s, int n);         // n < 0 -> empty
QString Right(const QString& s, int n);
QString Mid(const QString& s, int start1, int len = -1);  // 1-based; len < 0 = rest
int Len(const QString& s);
int InStr(const QString& s, const QString& find, int start1 = 1);  // 0 when absent
QString UCase(const QString& s);
QString LCase(const QString& s);

// Asc/Chr on the ANSI code page.
int Asc(const QString& s);   // 0 for an empty text
QString Chr(int code);       // 0..255

} // namespace vb
