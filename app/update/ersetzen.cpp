#include "app/update/ersetzen.h"

#include "platform/io/atomic.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace upd {

namespace {
// What an ELF file says of itself: class, byte order, type and machine from
// its header, and whether everything needed to load it lies in the file.
struct ElfKopf {
    bool elf = false;     // begins with the mark, a class and a byte order
    bool ok = false;      // an ELF header, whole
    bool ganz = false;    // header, program headers, loadable segments and section headers inside the file
    bool interpreter = false;   // names the loader that starts it, inside the file
    quint8 klasse = 0, ordnung = 0;
    quint16 typ = 0, maschine = 0;
};

bool liegtInnen(quint64 at, quint64 count, quint64 width, quint64 size)
{
    return at <= size && (width == 0 || count <= (size - at) / width);
}

ElfKopf leseKopf(const QString& path)
{
    ElfKopf k;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return k;
    const quint64 size = quint64(f.size());
    const QByteArray h = f.read(64);
    if (h.size() < 16 || !h.startsWith("\x7f" "ELF"))
        return k;
    k.klasse = quint8(h[4]);
    k.ordnung = quint8(h[5]);
    if ((k.klasse != 1 && k.klasse != 2) || (k.ordnung != 1 && k.ordnung != 2))
        return k;
    k.elf = true;
    const bool b64 = k.klasse == 2;
    if (h.size() < (b64 ? 64 : 52))
        return k;   // a header cut short
    auto zahl = [&](const QByteArray& b, qsizetype at, int width) {
        quint64 v = 0;
        for (int i = 0; i < width; ++i)
            v |= quint64(quint8(b[at + i])) << (8 * (k.ordnung == 2 ? width - 1 - i : i));
        return v;
    };
    const int wort = b64 ? 8 : 4;
    k.typ = quint16(zahl(h, 16, 2));
    k.maschine = quint16(zahl(h, 18, 2));
    k.ok = true;

    const quint64 phoff = zahl(h, b64 ? 32 : 28, wort), shoff = zahl(h, b64 ? 40 : 32, wort);
    const quint64 ehsize = zahl(h, b64 ? 52 : 40, 2), phentsize = zahl(h, b64 ? 54 : 42, 2);
    quint64 phnum = zahl(h, b64 ? 56 : 44, 2);
    const quint64 shentsize = zahl(h, b64 ? 58 : 46, 2);
    quint64 shnum = zahl(h, b64 ? 60 : 48, 2);
    if (ehsize < quint64(b64 ? 64 : 52) || ehsize > size)
        return k;
    if (shoff != 0) {
        // Section 0 holds the counts too large for the header.
        if (shentsize < quint64(b64 ? 64 : 40) || !liegtInnen(shoff, 1, shentsize, size) || !f.seek(qint64(shoff)))
            return k;
        const QByteArray s0 = f.read(qint64(shentsize));
        if (s0.size() != qsizetype(shentsize))
            return k;
        if (shnum == 0)
            shnum = zahl(s0, b64 ? 32 : 20, wort);   // sh_size
        if (phnum == 0xffff)
            phnum = zahl(s0, b64 ? 44 : 28, 4);      // sh_info
        if (!liegtInnen(shoff, shnum, shentsize, size))
            return k;
    } else if (shnum != 0) {
        return k;
    }
    if (phnum == 0 || phentsize < quint64(b64 ? 56 : 32) || !liegtInnen(phoff, phnum, phentsize, size)
        || !f.seek(qint64(phoff)))
        return k;
    const QByteArray ph = f.read(qint64(phnum * phentsize));
    if (ph.size() != qsizetype(phnum * phentsize))
        return k;
    bool ladbar = false;
    for (quint64 i = 0; i < phnum; ++i) {
        const qsizetype at = qsizetype(i * phentsize);
        const quint64 art = zahl(ph, at, 4);
        if (art != 1 && art != 3)   // PT_LOAD, PT_INTERP
            continue;
        const quint64 offset = zahl(ph, at + (b64 ? 8 : 4), wort), filesz = zahl(ph, at + (b64 ? 32 : 16), wort);
        if (!liegtInnen(offset, filesz, 1, size))
            return k;
        if (art == 1)
            ladbar = true;
        else
            k.interpreter = filesz > 1;
    }
    k.ganz = ladbar;
    return k;
}
} // namespace

bool istProgrammDatei(const QString& path, const QString& reference, QString* why)
{
    const ElfKopf neu = leseKopf(path);
    const ElfKopf ref = leseKopf(reference);
    auto nein = [&](const char* text) {
        if (why)
            *why = QString::fromUtf8(text);
        return false;
    };
    if (!neu.elf || !ref.ok || neu.klasse != ref.klasse || neu.ordnung != ref.ordnung
        || (neu.ok && ((neu.typ != 2 && neu.typ != 3) || neu.maschine != ref.maschine)))
        return nein("Die geladene Datei ist kein Programm für diesen Computer.");
    // A shared library is a whole file of type 3 too, but without a loader
    // to start it: put in place of the program it crashes at every start.
    if (!neu.ganz || (neu.typ == 3 && !neu.interpreter))
        return nein("Die geladene Datei ist kein vollständiges Programm.");
    return true;
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
    const QString alt = alteKopie(programm);
    // A second update in one run keeps the copy of the program this run started with.
    if (QFile::exists(programm) && !QFile::exists(alt)) {
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
