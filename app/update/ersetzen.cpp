#include "app/update/ersetzen.h"

#include "platform/io/atomic.h"
#include "platform/io/schritte.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <optional>
#include <csignal>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace upd {

namespace {
// A loadable segment: where it lies in memory, how much of it the file
// fills, and whether it may run.
struct Segment {
    quint64 adresse = 0, dateiteil = 0;
    bool ausfuehrbar = false;
};

// What an ELF file says of itself: class, byte order, type and machine from
// its header, whether everything needed to load it lies in the file, its
// loader entries and loadable segments, and its entry point.
struct ElfKopf {
    bool elf = false;     // begins with the mark, a class and a byte order
    bool ok = false;      // an ELF header, whole
    bool ganz = false;    // header, program headers, loadable segments and section headers inside the file
    quint8 klasse = 0, ordnung = 0;
    quint16 typ = 0, maschine = 0;
    quint64 einsprung = 0;
    QList<QByteArray> lader;   // each loader entry as stored, its NUL included
    QList<Segment> segmente;
};

const char* const kFremd = "Die geladene Datei ist kein Programm für diesen Computer.";

constexpr quint64 kPtLoad = 1, kPtInterp = 3, kPfX = 1;
// The kernel takes no loader name longer than a path may be.
constexpr quint64 kLaengsterLader = 4096;

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
    k.einsprung = zahl(h, 24, wort);
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
    for (quint64 i = 0; i < phnum; ++i) {
        const qsizetype at = qsizetype(i * phentsize);
        const quint64 art = zahl(ph, at, 4);
        if (art != kPtLoad && art != kPtInterp)
            continue;
        const quint64 offset = zahl(ph, at + (b64 ? 8 : 4), wort), filesz = zahl(ph, at + (b64 ? 32 : 16), wort);
        if (!liegtInnen(offset, filesz, 1, size))
            return k;
        if (art == kPtLoad) {
            const quint64 flags = zahl(ph, at + (b64 ? 4 : 24), 4);
            k.segmente.append({zahl(ph, at + (b64 ? 16 : 8), wort), filesz, (flags & kPfX) != 0});
        } else if (filesz > kLaengsterLader) {
            k.lader.append(QByteArray());   // no name
        } else if (!f.seek(qint64(offset))) {
            return k;
        } else {
            k.lader.append(f.read(qint64(filesz)));
            if (k.lader.last().size() != qsizetype(filesz))
                return k;
        }
    }
    k.ganz = true;
    return k;
}

// The loader entry is one name that ends in the entry's last byte, its
// first NUL, and names a loader present here: an executable file by its
// full path (the kernel would look for another name from wherever the
// program is started).
bool laderHier(const QByteArray& eintrag)
{
    if (eintrag.size() < 2 || eintrag.indexOf('\0') != eintrag.size() - 1)
        return false;
    const QByteArray name = eintrag.chopped(1);
    struct stat st {};
    return name.startsWith('/') && ::stat(name.constData(), &st) == 0 && S_ISREG(st.st_mode)
           && ::access(name.constData(), X_OK) == 0;
}

// The first instruction lies in what the file gives an executable segment:
// anywhere else the program crashes at every start.
bool einsprungAusfuehrbar(const ElfKopf& k)
{
    for (const Segment& s : k.segmente)
        if (s.ausfuehrbar && k.einsprung >= s.adresse && k.einsprung - s.adresse < s.dateiteil)
            return true;
    return false;
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
    const char* const unvollstaendig = "Die geladene Datei ist kein vollständiges Programm.";
    if (!neu.elf || !ref.ok || neu.klasse != ref.klasse || neu.ordnung != ref.ordnung
        || (neu.ok && ((neu.typ != 2 && neu.typ != 3) || neu.maschine != ref.maschine)))
        return nein(kFremd);
    // A shared library is a whole file of type 3 too, but without a loader
    // to start it: put in place of the program it crashes at every start.
    if (!neu.ganz || (neu.typ == 3 && neu.lader.isEmpty()))
        return nein(unvollstaendig);
    for (const QByteArray& eintrag : neu.lader)
        if (!laderHier(eintrag))
            return nein(kFremd);
    if (!einsprungAusfuehrbar(neu))
        return nein(unvollstaendig);
    return true;
}

namespace {
// What the trial sees of the program's environment: no way to the user's
// display or session, and every function bound when it is loaded.
QProcessEnvironment probeUmgebung()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR",
                             "XDG_SESSION_TYPE", "DBUS_SESSION_BUS_ADDRESS"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LD_BIND_NOW"), QStringLiteral("1"));
    return env;
}

void allesSchliessenAusser(int bleibt)
{
    if (::close_range(0, unsigned(bleibt) - 1, 0) != 0 || ::close_range(unsigned(bleibt) + 1, ~0U, 0) != 0)
        for (int fd = 0; fd < 1024; ++fd)
            if (fd != bleibt)
                ::close(fd);
}
} // namespace

Probelauf::Probelauf(QObject* parent) : QObject(parent) {}

Probelauf::~Probelauf()
{
    if (m_prozess) {
        gruppeBeenden();
        m_prozess->disconnect(this);
        m_prozess->waitForFinished(1000);
    }
}

void Probelauf::starten(const QString& path, int grenzeMs)
{
    // The trial runs a file that would run at the next start anyway: it is
    // no new trust, the same start only made earlier, while the old program
    // is still in place to fall back on.
    m_antwort.clear();
    int wache[2] = {-1, -1};
    if (io::sys::chmod(QFile::encodeName(path).constData(), 0700) != 0 || ::pipe2(wache, O_CLOEXEC) != 0)
        return ende(false);
    m_wache = wache[1];
    m_prozess = new QProcess(this);
    m_grenze = new QTimer(this);
    m_grenze->setSingleShot(true);
    connect(m_grenze, &QTimer::timeout, this, [this] { ende(false); });
    // Read as it comes, so a program that writes without end cannot fill
    // the memory; only the beginning is kept.
    connect(m_prozess, &QProcess::readyReadStandardOutput, this, [this] {
        m_antwort += m_prozess->readAllStandardOutput().left(qMax<qsizetype>(0, 256 - m_antwort.size()));
    });
    connect(m_prozess, &QProcess::finished, this, [this](int code, QProcess::ExitStatus art) {
        m_antwort += m_prozess->readAllStandardOutput().left(qMax<qsizetype>(0, 256 - m_antwort.size()));
        ende(art == QProcess::NormalExit && code == 0 && m_antwort.startsWith("Kilometrika "));
    });
    connect(m_prozess, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            ende(false);
    });
    m_prozess->setProgram(path);
    m_prozess->setArguments({QStringLiteral("--version")});
    m_prozess->setProcessEnvironment(probeUmgebung());
    m_prozess->setStandardInputFile(QProcess::nullDevice());
    m_prozess->setStandardErrorFile(QProcess::nullDevice());
    // In the child, before the file runs (only what is safe after fork): a
    // session and group of its own, no file of the program but its three
    // channels, a parent-death signal; and a watcher in the group that ends
    // all of it when the program's end of `wache` closes, also when the
    // program is killed.
    m_prozess->setChildProcessModifier([lesen = wache[0], eltern = ::getpid()] {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != eltern)
            ::_exit(127);
        // Without its watcher the trial does not run.
        const pid_t zwischen = ::fork();
        if (zwischen == 0) {
            const pid_t waechter = ::fork();
            if (waechter != 0)
                ::_exit(waechter > 0 ? 0 : 1);
            allesSchliessenAusser(lesen);
            char c;
            while (::read(lesen, &c, 1) < 0 && errno == EINTR) {
            }
            ::kill(0, SIGKILL);
            ::_exit(0);
        }
        int status = 1;
        while (zwischen > 0 && ::waitpid(zwischen, &status, 0) < 0 && errno == EINTR) {
        }
        if (zwischen < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            ::_exit(127);
        ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    });
    m_prozess->start(QIODevice::ReadOnly);
    ::close(wache[0]);
    if (!m_prozess)
        return;   // it failed at once
    m_grenze->start(qMax(0, grenzeMs));
}

void Probelauf::gruppeBeenden()
{
    // The watcher is one of the group: it ends the group, itself last, when
    // this end closes, so the group's number cannot have gone to another
    // process. The program's end closes by itself when the program ends.
    if (m_wache >= 0)
        ::close(m_wache);
    m_wache = -1;
}

void Probelauf::ende(bool bestanden)
{
    gruppeBeenden();
    if (m_prozess) {
        m_prozess->disconnect(this);
        m_prozess->kill();
        m_prozess->waitForFinished(1000);
        m_prozess->deleteLater();
        m_prozess = nullptr;
    }
    if (m_grenze) {
        m_grenze->stop();
        m_grenze->deleteLater();
        m_grenze = nullptr;
    }
    emit fertig(bestanden, bestanden ? QString() : QString::fromUtf8(kFremd));
}

bool startetHier(const QString& path, QString* why, int grenzeMs)
{
    Probelauf lauf;
    std::optional<bool> ergebnis;
    QEventLoop warten;
    QObject::connect(&lauf, &Probelauf::fertig, &warten, [&](bool bestanden, const QString& grund) {
        ergebnis = bestanden;
        if (why)
            *why = grund;
        warten.quit();
    });
    lauf.starten(path, grenzeMs);
    if (!ergebnis)
        warten.exec();
    return ergebnis.value_or(false);
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
    const bool gibtEs = QFile::exists(programm);
    // The mode as stored (QFile::permissions would report what root may do,
    // not what the file says), the owner as far as we may.
    auto rechteWie = [&programm, gibtEs](const QString& datei) {
        const int fd = ::open(QFile::encodeName(datei).constData(), O_RDONLY | O_CLOEXEC);
        const bool ok = fd >= 0 && (gibtEs ? io::keepOwnerAndMode(fd, programm) : io::sys::fchmod(fd, 0755) == 0);
        if (fd >= 0)
            ::close(fd);
        return ok;
    };
    if (!rechteWie(neu))
        return scheitern(QStringLiteral("Die Rechte der neuen Programmdatei können nicht gesetzt werden."));
    const QString alt = alteKopie(programm);
    // A second update in one run keeps the copy of the program this run started with.
    if (gibtEs && !QFile::exists(alt)) {
        // A second name for the old file costs nothing; a copy where links
        // are not possible, with the old file's rights as every new copy
        // has them, so it can be put back by hand as it was.
        if (!io::sys::link(programm, alt)) {
            if (!io::copyFileAtomic(programm, alt)) {
                io::sys::remove(alt);
                return scheitern(QStringLiteral("Die bisherige Programmdatei kann nicht aufbewahrt werden."));
            }
        }
    }
    if (!io::sys::rename(neu, programm))
        return scheitern(QStringLiteral("Die Programmdatei kann nicht ersetzt werden (%1).")
                             .arg(QString::fromLocal8Bit(std::strerror(errno))));
    return true;
}

void alteKopieEntfernen(const QString& programm)
{
    const QFileInfo alt(alteKopie(programm));
    io::sys::remove(alt.filePath());
    // A copy cut off by a crash leaves its temporary beside it; only that one
    // is ours to remove here.
    io::removeRewriteLeftovers(alt.absolutePath(), [name = alt.fileName()](const QString& n) { return n == name; });
}

} // namespace upd
