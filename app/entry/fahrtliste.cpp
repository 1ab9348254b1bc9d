#include "app/entry/fahrtliste.h"

#include "platform/io/recordfile.h"
#include "platform/vb/date.h"
#include "platform/vb/number.h"

#include <QListWidget>

namespace kmk {

QString Fahrtlistenzeile(qint32 nummer, const FahrtDatensatz& f)
{
    static const QString marke[3] = {QStringLiteral("     "), QStringLiteral(" sto."), QStringLiteral(" geä.")};
    const QChar tab(9);
    auto feld = [](const QString& t, int breite) { return t.leftJustified(breite, ' ', true); };
    return vb::Str(qint64(nummer)) + (f.Eintragsstatus <= 2 ? marke[f.Eintragsstatus] : marke[0]) + tab
           + vb::DateText(f.DatumAb) + tab + vb::Str(qint64(f.KmAb)) + tab
           + feld(f.Von, FahrtDatensatz::BreiteVon) + tab + feld(f.Nach, FahrtDatensatz::BreiteNach) + tab
           + vb::Str(qint64(f.KmAn)) + tab + vb::Str(qint64(f.GefahreneKm)) + tab
           + feld(f.Gespraechspartner, FahrtDatensatz::BreiteGespraechspartner);
}

void Fahrtenliste(Eintragsseite& s, const io::RecordFile& datei)
{
    auto* liste = s.ctl<QListWidget>("FahrtListe");
    const qint32 n = s.st.Satznummer;
    const qint32 c = s.st.Satzanzahl;
    int zeilen = 0;
    if (n < 1)
        zeilen = 0;
    else if (n == 1)
        zeilen = 1;
    else if (n <= c)
        zeilen = n >= 4 ? 4 : int(n);
    else
        return;   // a new entry is open: the list keeps the last load's lines
    if (liste)
        liste->clear();
    for (int i = 0; i < zeilen; ++i) {
        // Reading past the end (record 1 of an empty file) gives an empty record.
        const FahrtDatensatz f = FahrtDatensatz::ausBytes(datei.read(n - i));
        s.st.Satzpuffer[8 + i] = f;
        if (liste)
            liste->addItem(Fahrtlistenzeile(n - i, f));
    }
}

} // namespace kmk
