#include "app/tripmemory/kundendatei.h"

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

QString schreibfehler(const QString& pfad, const QString& grund)
{
    return QString::fromUtf8("Der Fahrtenspeicher %1 konnte nicht geschrieben werden.\n%2")
        .arg(pfad, grund);
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
        return fehlschlag(fehler, schreibfehler(m_pfad, QString::fromUtf8("Der Eintrag wurde nicht angefügt.")));
    return true;
}

bool Kundendatei::ersetzen(int n, const Fahrtenspeichersatz& s, QString* fehler)
{
    QList<QByteArray> roh = datei(m_pfad).readAll();
    if (n < 1 || n > roh.size())
        return fehlschlag(fehler, schreibfehler(m_pfad, QString::fromUtf8("Den Datensatz %1 gibt es nicht.").arg(n)));
    roh[n - 1] = s.zuBytes();
    QString grund;
    if (!io::rewriteRecords(m_pfad, Fahrtenspeichersatz::Laenge, roh, &grund))
        return fehlschlag(fehler, schreibfehler(m_pfad, grund));
    return true;
}

bool Kundendatei::entfernen(int n, QString* fehler)
{
    QList<QByteArray> roh = datei(m_pfad).readAll();
    if (n < 1 || n > roh.size())
        return fehlschlag(fehler, schreibfehler(m_pfad, QString::fromUtf8("Den Datensatz %1 gibt es nicht.").arg(n)));
    roh.removeAt(n - 1);
    QString grund;
    if (!io::rewriteRecords(m_pfad, Fahrtenspeichersatz::Laenge, roh, &grund))
        return fehlschlag(fehler, schreibfehler(m_pfad, grund));
    return true;
}

bool Kundendatei::anlegen(QString* fehler)
{
    if (vorhanden())
        return true;
    QString grund;
    if (!io::writeFileAtomic(m_pfad, QByteArray(), &grund))
        return fehlschlag(fehler, schreibfehler(m_pfad, grund));
    return true;
}

} // namespace kmk
