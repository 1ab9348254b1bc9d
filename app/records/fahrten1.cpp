#include "app/records/fahrten1.h"

#include <QDir>

#include "platform/io/folders.h"
#include "platform/vb/text.h"

namespace kmk {

Fahrten1& fahrten1()
{
    static Fahrten1 block;
    return block;
}

QString ordnerMitTrenner(const QString& ordner)
{
    QString p = io::localPath(vb::Trim(ordner));
    if (p.isEmpty())
        p = QDir::currentPath();
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    if (p != QLatin1String("/"))
        p += QLatin1Char('/');
    return p;
}

void Fahrten1::setzeProgrammpfad(const QString& ordner)
{
    Programmpfad = ordnerMitTrenner(ordner);
}

QString Fahrten1::pfad(const QString& name) const
{
    const QString n = vb::Trim(name);
    const QString ordner = ordnerMitTrenner(Programmpfad);
    const QString genau = ordner + n;
    if (io::FileExists(genau) || io::DirExists(genau))
        return genau;
    // Files copied from elsewhere may differ in case.
    const QString gefunden = io::findFileCaseInsensitive(ordner, n);
    return gefunden.isEmpty() ? genau : gefunden;
}

QString Fahrten1::fahrtdateiPfad() const
{
    const QString n = vb::Trim(Fahrtdatei);
    return n.isEmpty() ? QString() : pfad(n);
}

QString Fahrten1::fahrtdateiName(int fahrzeug) const
{
    if (fahrzeug < 1 || fahrzeug > 4)
        return QString();
    return Dateien.Fahrtdateien[fahrzeug];
}

} // namespace kmk
