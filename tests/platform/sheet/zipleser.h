#pragma once
// A small zip reader for the tests, on zlib alone, so a written workbook is
// checked by code that shares nothing with the writer.

#include <QByteArray>
#include <QMap>
#include <QString>

#include <zlib.h>

namespace testzip {

inline quint32 le32(const QByteArray& d, qsizetype o)
{
    return quint32(quint8(d[o])) | quint32(quint8(d[o + 1])) << 8 | quint32(quint8(d[o + 2])) << 16
           | quint32(quint8(d[o + 3])) << 24;
}
inline quint16 le16(const QByteArray& d, qsizetype o)
{
    return quint16(quint8(d[o]) | quint8(d[o + 1]) << 8);
}

// Every member by name; empty on a damaged archive.
inline QMap<QString, QByteArray> lies(const QByteArray& zip)
{
    QMap<QString, QByteArray> out;
    qsizetype ende = -1;
    for (qsizetype i = zip.size() - 22; i >= 0; --i)
        if (le32(zip, i) == 0x06054b50) { ende = i; break; }
    if (ende < 0)
        return out;
    const int anzahl = le16(zip, ende + 10);
    qsizetype pos = le32(zip, ende + 16);
    for (int n = 0; n < anzahl; ++n) {
        if (le32(zip, pos) != 0x02014b50)
            return {};
        const int methode = le16(zip, pos + 10);
        const quint32 gepackt = le32(zip, pos + 20), groesse = le32(zip, pos + 24);
        const int nl = le16(zip, pos + 28), el = le16(zip, pos + 30), kl = le16(zip, pos + 32);
        const quint32 lokal = le32(zip, pos + 42);
        const QString name = QString::fromUtf8(zip.mid(pos + 46, nl));
        pos += 46 + nl + el + kl;
        const qsizetype daten = lokal + 30 + le16(zip, lokal + 26) + le16(zip, lokal + 28);
        const QByteArray roh = zip.mid(daten, gepackt);
        if (methode == 0) {
            out[name] = roh;
            continue;
        }
        QByteArray ziel(qsizetype(groesse), '\0');
        z_stream s{};
        inflateInit2(&s, -MAX_WBITS);
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(roh.data()));
        s.avail_in = uInt(roh.size());
        s.next_out = reinterpret_cast<Bytef*>(ziel.data());
        s.avail_out = uInt(ziel.size());
        const int r = inflate(&s, Z_FINISH);
        inflateEnd(&s);
        if (r != Z_STREAM_END)
            return {};
        out[name] = ziel;
    }
    return out;
}

} // namespace testzip
