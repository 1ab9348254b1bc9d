#include "app/update/ersetzen.h"

#include "platform/io/atomic.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace upd {

namespace {
// e_ident class and byte order, e_type and e_machine of an ELF header.
struct ElfKopf {
    bool ok = false;
    quint8 klasse = 0, ordnung = 0;
    quint16 typ = 0, maschine = 0;
};

ElfKopf leseKopf(const QString& path)
{
    ElfKopf k;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return k;
    const QByteArray h = f.read(20);
    if (h.size() < 20 || !h.startsWith("\x7f" "ELF"))
        return k;
    k.klasse = quint8(h[4]);
    k.ordnung = quint8(h[5]);
    auto u16 = [&](int at) {
        const quint16 a = quint8(h[at]), b = quint8(h[at + 1]);
        return k.ordnung == 2 ? quint16(a << 8 | b) : quint16(b << 8 | a);
    };
    k.typ = u16(16);
    k.maschine = u16(18);
    k.ok = (k.klasse == 1 || k.klasse == 2) && (k.ordnung == 1 || k.ordnung == 2);
    return k;
}
} // namespace

bool istProgrammDatei(const QString& path, const QString& reference, QString* why)
{
    const ElfKopf neu = leseKopf(path);
    const ElfKopf ref = leseKopf(reference);
    const bool passt = neu.ok && ref.ok && (neu.typ == 2 || neu.typ == 3) && neu.klasse == ref.klasse
                       && neu.ordnung == ref.ordnung && neu.maschine == ref.maschine;
    if (!passt && why)
        *why = QStringLiteral("Die geladene Datei ist kein Programm für diesen Computer.");
    return passt;
}

QString alteKopie(const QString& programm)
{
    return programm + QStringLiteral(".alt");
}

bool programmErsetzen(const QString& neu, const QString& programm, QString* fehler)
{
    auto scheitern = [&](const QString& text) {
        if (fehler)
            *fehler = text;
        return false;
    };
    const QFile::Permissions mode = QFile::exists(programm)
                                        ? QFile::permissions(programm)
                                        : QFile::Permissions(0x7755);   // rwxr-xr-x
    if (!QFile::setPermissions(neu, mode))
        return scheitern(QStringLiteral("Die Rechte der neuen Programmdatei können nicht gesetzt werden."));
    if (QFile::exists(programm)) {
        const QString alt = alteKopie(programm);
        QFile::remove(alt);
        // A second name for the old file costs nothing; a copy where links are not possible.
        if (::link(QFile::encodeName(programm).constData(), QFile::encodeName(alt).constData()) != 0
            && !io::copyFileAtomic(programm, alt))
            return scheitern(QStringLiteral("Die bisherige Programmdatei kann nicht aufbewahrt werden."));
    }
    if (::rename(QFile::encodeName(neu).constData(), QFile::encodeName(programm).constData()) != 0)
        return scheitern(QStringLiteral("Die Programmdatei kann nicht ersetzt werden (%1).")
                             .arg(QString::fromLocal8Bit(std::strerror(errno))));
    return true;
}

void alteKopieEntfernen(const QString& programm)
{
    QFile::remove(alteKopie(programm));
}

} // namespace upd
