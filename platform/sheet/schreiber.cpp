#include "platform/sheet/schreiber.h"

#include "platform/io/atomic.h"
#include "platform/sheet/tabellenblatt.h"

namespace sheet {

bool schreibeText(const Blatt& b, const QString& pfad, QString* fehler)
{
    // One line per row from row 1 to the last, cells as shown, tab between;
    // UTF-8 with its mark, so spreadsheet programs read the umlauts.
    QByteArray out("\xEF\xBB\xBF");
    int32_t naechste = 1;
    for (const auto& [zeile, zellen] : b.zeilen()) {
        for (; naechste < zeile; ++naechste)
            out += "\r\n";
        QString linie;
        int32_t spalte = 1;
        for (const auto& [s, z] : zellen) {
            for (; spalte < s; ++spalte)
                linie += u'\t';
            QString t = b.anzeigetext(z);
            t.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
            linie += t;
        }
        out += linie.toUtf8();
        out += "\r\n";
        naechste = zeile + 1;
    }
    return io::writeFileAtomic(pfad, out, fehler);
}

bool schreibeDatei(const Blatt& b, const QString& pfad, int typ, QString* fehler)
{
    switch (typ) {
    case TypArbeitsmappe: return schreibeArbeitsmappe(b, pfad, fehler);
    case TypPdf: return schreibePdf(b, pfad, fehler);
    case TypText: return schreibeText(b, pfad, fehler);
    }
    if (fehler)
        *fehler = QStringLiteral("Unbekannter Dateityp %1").arg(typ);
    return false;
}

} // namespace sheet
