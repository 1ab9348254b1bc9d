#include "app/tripmemory/kundendatei.h"

#include "app/records/dateien.h"
#include "platform/io/atomic.h"
#include "platform/io/folders.h"
#include "platform/io/recordfile.h"

namespace kmk {

namespace {

io::RecordFile datei(const QString& pfad)
{
    return io::RecordFile(pfad, Fahrtenspeichersatz::Laenge);
}

bool fehlschlag(QString* fehler, const QString& text)
{
    if (fehler)
        *fehler = text;
    return false;
}


} // namespace

bool Kundendatei::vorhanden() const
{
    return io::FileExists(m_pfad);
}

int Kundendatei::anzahl() const
{
    return int(datei(m_pfad).count());
}

QList<Fahrtenspeichersatz> Kundendatei::alle() const
{
    QList<Fahrtenspeichersatz> saetze;
    // A damaged file of gigabytes would take the memory; the rewrites below
    // read all of it, so nothing beyond is lost.
    const QList<QByteArray> roh = datei(m_pfad).readAll(MaxGelisteteSaetze);
    saetze.reserve(roh.size());
    for (const QByteArray& b : roh)
        saetze << Fahrtenspeichersatz::ausBytes(b);
    return saetze;
}

Fahrtenspeichersatz Kundendatei::satz(int n) const
{
    return Fahrtenspeichersatz::ausBytes(datei(m_pfad).read(n));
}

bool Kundendatei::anhaengen(const Fahrtenspeichersatz& s, QString* fehler)
{
    if (!datei(m_pfad).append(s.zuBytes()))
        return fehlschlag(fehler, TextSchreibfehler(m_pfad));
    return true;
}

bool Kundendatei::ersetzen(int n, const Fahrtenspeichersatz& s, QString* fehler)
{
    QList<QByteArray> roh = datei(m_pfad).readAll();
    if (n < 1 || n > roh.size())
        return fehlschlag(fehler, TextSchreibfehler(m_pfad));
    roh[n - 1] = s.zuBytes();
    if (!io::rewriteRecords(m_pfad, Fahrtenspeichersatz::Laenge, roh))
        return fehlschlag(fehler, TextSchreibfehler(m_pfad));
    return true;
}

bool Kundendatei::entfernen(int n, QString* fehler)
{
    QList<QByteArray> roh = datei(m_pfad).readAll();
    if (n < 1 || n > roh.size())
        return fehlschlag(fehler, TextSchreibfehler(m_pfad));
    roh.removeAt(n - 1);
    if (!io::rewriteRecords(m_pfad, Fahrtenspeichersatz::Laenge, roh))
        return fehlschlag(fehler, TextSchreibfehler(m_pfad));
    return true;
}

bool Kundendatei::anlegen(QString* fehler)
{
    if (vorhanden())
        return true;
    if (!io::writeFileAtomic(m_pfad, QByteArray()))
        return fehlschlag(fehler, TextSchreibfehler(m_pfad));
    return true;
}

} // namespace kmk
