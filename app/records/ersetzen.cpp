#include "app/records/ersetzen.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kmk {

namespace {

bool fehlschlag(QString* fehler, const QString& text)
{
    if (fehler)
        *fehler = text;
    return false;
}

QString systemfehler() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace

bool dateiErsetzen(const QString& pfad, const QByteArray& daten, QString* fehler)
{
    const QFileInfo ziel(pfad);
    if (ziel.exists() && !ziel.isFile())
        return fehlschlag(fehler, QStringLiteral("Das Ziel ist keine Datei: %1").arg(pfad));

    QByteArray muster = QFile::encodeName(ziel.absolutePath() + QStringLiteral("/.") +
                                          ziel.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(muster.data());
    if (fd < 0)
        return fehlschlag(fehler, QStringLiteral("Keine temporäre Datei: %1").arg(systemfehler()));
    const QByteArray temp = muster;
    auto abbrechen = [&](const QString& grund) {
        ::close(fd);
        ::unlink(temp.constData());
        return fehlschlag(fehler, grund);
    };

    // The new file gets the permissions of the old one.
    struct stat alt {};
    const mode_t modus =
        ::stat(QFile::encodeName(pfad).constData(), &alt) == 0 ? (alt.st_mode & 07777) : 0644;
    ::fchmod(fd, modus);

    const char* p = daten.constData();
    qint64 rest = daten.size();
    while (rest > 0) {
        const ssize_t n = ::write(fd, p, size_t(rest));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return abbrechen(QStringLiteral("Schreibfehler: %1").arg(systemfehler()));
        }
        if (n == 0)
            return abbrechen(QStringLiteral("Schreibfehler: nichts geschrieben"));
        p += n;
        rest -= n;
    }
    if (::fsync(fd) != 0)
        return abbrechen(QStringLiteral("Schreibfehler: %1").arg(systemfehler()));
    struct stat neu {};
    if (::fstat(fd, &neu) != 0 || neu.st_size != daten.size())
        return abbrechen(QStringLiteral("Die Datei wurde nicht vollständig geschrieben."));
    if (::close(fd) != 0) {
        ::unlink(temp.constData());
        return fehlschlag(fehler, QStringLiteral("Schreibfehler: %1").arg(systemfehler()));
    }
    if (::rename(temp.constData(), QFile::encodeName(pfad).constData()) != 0) {
        const QString grund = systemfehler();
        ::unlink(temp.constData());
        return fehlschlag(fehler, QStringLiteral("Umbenennen fehlgeschlagen: %1").arg(grund));
    }
    // Make the rename itself durable.
    const int ordner = ::open(QFile::encodeName(ziel.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (ordner >= 0) {
        ::fsync(ordner);
        ::close(ordner);
    }
    return true;
}

bool satzSchreiben(io::RecordFile& datei, qint32 n, const QByteArray& bytes)
{
    if (!datei.write(n, bytes))
        return false;
    QByteArray zurueck;
    return datei.read(n, zurueck) && zurueck == bytes;
}

} // namespace kmk
