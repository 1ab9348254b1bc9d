// Writes the installation configuration "DTSD.kxt" of a program folder.
// Usage: dtsd-schreiben <folder> <year> <brand code> <part-day rate> <full-day rate>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include "app/records/jahr.h"
#include "app/records/jahrgangsdaten.h"
#include "platform/io/folders.h"

namespace {

int fehler(const QString& text)
{
    QTextStream(stderr) << "dtsd-schreiben: " << text << '\n';
    return 1;
}

bool nurZiffern(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 6) {
        QTextStream(stderr)
            << "Aufruf: dtsd-schreiben <Ordner> <Jahr> <Markenkennung> <Teiltag> <Volltag>\n"
               "  z. B. dtsd-schreiben /opt/kilometrika 2024 Kxt 14 28\n";
        return 2;
    }
    const QString ordner = a[1];
    const QString jahr = a[2];
    const QString marke = a[3];
    const QString teil = a[4];
    const QString voll = a[5];

    if (!QDir(ordner).exists())
        return fehler(QStringLiteral("Ordner \"%1\" fehlt.").arg(ordner));
    if (kmk::Jahrestest(jahr) != kmk::Jahrespruefung::Gueltig)
        return fehler(QStringLiteral("Jahr \"%1\" liegt nicht zwischen 2007 und 2050.").arg(jahr));
    if (marke.isEmpty() || marke.size() > 3)
        return fehler(QStringLiteral("Markenkennung \"%1\" muss 1 bis 3 Zeichen haben.").arg(marke));
    if (!nurZiffern(teil) || teil.size() > 3 || !nurZiffern(voll) || voll.size() > 3)
        return fehler(QStringLiteral("Pauschalen müssen ganze Euro-Beträge mit 1 bis 3 Ziffern sein."));

    kmk::Jahrgangsdaten d;
    d.Jahr = jahr;
    d.Markenkennung = marke;
    d.PauschaleTeiltag = teil;
    d.PauschaleVolltag = voll;
    const bool hatteDatei = !io::findFileCaseInsensitive(QDir(ordner).absolutePath(), kmk::JahrgangDateiname).isEmpty();
    QString grund;
    if (!kmk::JahrgangDatSchreiben(QDir(ordner).absolutePath(), d, &grund))
        return fehler(QStringLiteral("\"DTSD.kxt\" konnte nicht geschrieben werden: %1").arg(grund));

    // Read back through the program's own reader.
    kmk::Jahrgangsdaten zurueck;
    if (kmk::JahrgangDatLesen(QDir(ordner).absolutePath(), zurueck) != kmk::JahrgangLesen::Ok ||
        zurueck.Jahr.trimmed() != jahr || zurueck.Markenkennung.trimmed() != marke) {
        // A file that does not say what was asked for must not stay behind.
        if (!hatteDatei)
            QFile::remove(QDir(ordner).filePath(kmk::JahrgangDateiname));
        return fehler(QStringLiteral("\"DTSD.kxt\" lässt sich nicht zurücklesen."));
    }
    return 0;
}
