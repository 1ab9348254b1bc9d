#include "platform/io/folders.h"

#include <cerrno>
#include <csignal>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSysInfo>

#include "platform/io/atomic.h"
#include "platform/io/posixfile.h"
#include "platform/io/schritte.h"

namespace io {

namespace {

const QLatin1String Markenname(".kilometrika-in-arbeit");
const QByteArray Markenkennung("Kilometrika baut diesen Ordner");

// At most 'max' bytes of a plain file, read to its end (the files below
// /proc tell no size); a link is not followed. Empty when unreadable.
QByteArray kurzeDatei(const QByteArray& path, qint64 max)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat st {};
    QByteArray out;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        char buf[512];
        for (;;) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0 || out.size() + n > max)
                break;
            out.append(buf, n);
        }
    }
    ::close(fd);
    return out;
}

// When the process started, in clock ticks after the computer's start
// (field 22 of /proc/<pid>/stat); empty when unknown.
QByteArray startzeit(qint64 pid)
{
    const QByteArray s = kurzeDatei("/proc/" + QByteArray::number(pid) + "/stat", 4096);
    const qsizetype klammer = s.lastIndexOf(')');
    if (klammer < 0)
        return {};
    // The name in brackets may hold blanks; field 3 comes right after it.
    const QList<QByteArray> felder = s.mid(klammer + 2).split(' ');
    return felder.size() > 19 ? felder[19] : QByteArray();
}

QByteArray startkennung()
{
    return kurzeDatei("/proc/sys/kernel/random/boot_id", 256).trimmed();
}

QByteArray rechnername()
{
    return QSysInfo::machineHostName().toUtf8();
}

// Case-insensitive '*' / '?' match, as the file system of the original did.
bool wildMatch(const QString& name, qsizetype ni, const QString& pat, qsizetype pi)
{
    while (pi < pat.size()) {
        const QChar p = pat.at(pi);
        if (p == u'*') {
            while (pi < pat.size() && pat.at(pi) == u'*')
                ++pi;
            if (pi == pat.size())
                return true;
            for (qsizetype k = ni; k <= name.size(); ++k)
                if (wildMatch(name, k, pat, pi))
                    return true;
            return false;
        }
        if (ni >= name.size())
            return false;
        if (p != u'?' && p.toCaseFolded() != name.at(ni).toCaseFolded())
            return false;
        ++ni;
        ++pi;
    }
    return ni == name.size();
}

bool removeEntry(const QFileInfo& fi)
{
    if (fi.isSymLink() || fi.isJunction())
        return sys::remove(fi.absoluteFilePath()) || sys::rmdir(fi.absoluteFilePath());
    if (fi.isDir())
        return deleteTree(fi.absoluteFilePath());
    QFile f(fi.absoluteFilePath());
    if (sys::remove(f.fileName()))
        return true;
    // A write-protected file: clear the protection and try once more.
    sys::setPermissions(f.fileName(), f.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    return sys::remove(f.fileName());
}

// When the computer started, in seconds since the epoch; 0 when unknown.
qint64 startsekunde()
{
    for (const QByteArray& z : kurzeDatei("/proc/stat", 1 << 20).split('\n'))
        if (z.startsWith("btime "))
            return z.mid(6).trimmed().toLongLong();
    return 0;
}

} // namespace

namespace detail {

bool writerEnded(qint64 pid, qint64 written)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return true;
    if (::kill(pid_t(pid), 0) != 0)
        return errno == ESRCH;
    // The number may since have gone to a process started after the write.
    const qint64 boot = startsekunde();
    bool zahl = false;
    const qint64 ticks = startzeit(pid).toLongLong(&zahl);
    const long hz = ::sysconf(_SC_CLK_TCK);
    if (boot <= 0 || !zahl || hz <= 0)
        return false;
    return boot + ticks / hz > written + 1;
}

} // namespace detail

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo fi(path);
    return fi.exists() && fi.isFile();
}

qint64 plainFileSize(const QString& path)
{
    struct stat st {};
    if (path.isEmpty() || ::lstat(detail::encodePath(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return qint64(st.st_size);
}

bool DirExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(path).isDir();
}

bool createFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    if (DirExists(path))
        return true;
    return sys::mkpath(path) && DirExists(path);
}

bool removeFile(const QString& path)
{
    return sys::remove(path);
}

QString findFileCaseInsensitive(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || name.isEmpty() || name.contains(u'/'))
        return QString();
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (FileExists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    const QString folded = name.toCaseFolded();
    for (const QString& e : entries)
        if (e.toCaseFolded() == folded && FileExists(dir.filePath(e)))
            return dir.filePath(e);
    return QString();
}

QString firstMatchingFile(const QString& pathPattern)
{
    if (pathPattern.isEmpty())
        return QString();
    const qsizetype slash = pathPattern.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QStringLiteral(".") : (slash == 0 ? QStringLiteral("/") : pathPattern.left(slash));
    QString pattern = pathPattern.mid(slash + 1);
    if (pattern.isEmpty() || folder.contains(u'*') || folder.contains(u'?'))
        return QString();
    // "*.*" also matches names without a dot, as on the original system.
    if (pattern == QLatin1String("*.*"))
        pattern = QStringLiteral("*");
    const QDir dir(folder);
    if (!dir.exists())
        return QString();
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& fi : entries)
        if (fi.isFile() && wildMatch(fi.fileName(), 0, pattern, 0))
            return fi.absoluteFilePath();
    return QString();
}

bool deleteTree(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QFileInfo top(folder);
    if (top.isSymLink() || top.isJunction())
        return sys::remove(top.absoluteFilePath());   // the link only, never its target
    if (!top.isDir())
        return false;
    const QString path = top.absoluteFilePath();
    sys::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner);
    bool ok = true;
    // One pass over a snapshot: an entry that cannot go stays, and is not retried.
    const QFileInfoList entries =
        QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    // A builder's marker goes last, so a folder with anything in it keeps
    // naming its builder until it is empty.
    const QFileInfo* marke = nullptr;
    for (const QFileInfo& fi : entries) {
        if (fi.fileName() == Markenname) {
            marke = &fi;
            continue;
        }
        if (!removeEntry(fi))
            ok = false;
    }
    if (marke && !removeEntry(*marke))
        ok = false;
    if (!sys::rmdir(path))
        ok = false;
    return ok;
}

QString realLocation(const QString& path)
{
    const QString p = QDir::cleanPath(path);
    const QFileInfo fi(p);
    if (fi.isSymLink()) {
        const QString eltern = QFileInfo(fi.absolutePath()).canonicalFilePath();
        return (eltern.isEmpty() ? fi.absolutePath() : eltern) + QLatin1Char('/') + fi.fileName();
    }
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? fi.absoluteFilePath() : c;
}

QStringList subfolders(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Name);
}

QString localPath(const QString& path)
{
    QString p = path;
    p.replace(u'\\', u'/');
    return p;
}

bool markFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    const qint64 pid = ::getpid();
    const QByteArray marke = Markenkennung + "\npid=" + QByteArray::number(pid) + "\nstart=" + startzeit(pid)
                             + "\nboot=" + startkennung() + "\nhost=" + rechnername() + "\n";
    // In place and never over another's marker: from this moment on the
    // folder names its builder. One short write is whole or not there.
    const QByteArray name = detail::encodePath(path + QLatin1Char('/') + Markenname);
    const int fd = sys::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool ok = detail::writeAll(fd, marke.constData(), marke.size()) && sys::fsync(fd) == 0;
    if (!detail::closeChecked(fd) || !ok) {
        sys::unlink(name.constData());
        return false;
    }
    return true;
}

bool createMarkedFolder(const QString& path)
{
    if (path.isEmpty() || sys::mkdir(detail::encodePath(path).constData(), 0777) != 0)
        return false;
    if (!markFolder(path)) {
        sys::rmdir(path);
        return false;
    }
    return true;
}

bool unmarkFolder(const QString& path)
{
    return sys::unlink(detail::encodePath(path + QLatin1Char('/') + Markenname).constData()) == 0 || errno == ENOENT;
}

bool removeEmptyFolder(const QString& path, qint64 builder)
{
    struct stat st {};
    return ::lstat(detail::encodePath(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_nlink <= 2
           && QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
           && detail::writerEnded(builder, qint64(st.st_mtime)) && sys::rmdir(path);
}

bool linkEntries(const QString& from, const QString& to, const std::function<bool(const QString& name)>& skip)
{
    bool ok = true;
    const QFileInfoList entries =
        QDir(from).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& fi : entries) {
        if (skip && skip(fi.fileName()))
            continue;
        const QString ziel = to + QLatin1Char('/') + fi.fileName();
        if (fi.isSymLink()) {
            char verweis[4096];
            const ssize_t n = ::readlink(detail::encodePath(fi.absoluteFilePath()).constData(), verweis, sizeof verweis - 1);
            ok = n > 0 && sys::symlink(QByteArray(verweis, n).constData(), detail::encodePath(ziel).constData()) == 0
                 && ok;
        }
        else if (fi.isDir())
            ok = sys::mkdir(detail::encodePath(ziel).constData(), 0777) == 0 && linkEntries(fi.absoluteFilePath(), ziel, {})
                 && ok;
        else
            ok = sys::link(fi.absoluteFilePath(), ziel) && ok;
    }
    return ok;
}

bool sameContent(const QString& a, const QString& b)
{
    // In pieces, sizes first: a trip memory may be large.
    QFile x(a), y(b);
    if (!x.open(QIODevice::ReadOnly) || !y.open(QIODevice::ReadOnly) || x.size() != y.size())
        return false;
    constexpr qint64 stueck = 1 << 20;
    while (!x.atEnd()) {
        const QByteArray p = x.read(stueck), q = y.read(stueck);
        if (p.isEmpty() || p != q)
            return false;
    }
    return x.error() == QFileDevice::NoError && y.error() == QFileDevice::NoError && y.atEnd();
}

bool isAbandonedMarkedFolder(const QString& path)
{
    const QByteArray p = detail::encodePath(path);
    struct stat st {};
    if (path.isEmpty() || ::lstat(p.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    const QByteArray marke = p + '/' + Markenname.data();
    const QByteArray inhalt = kurzeDatei(marke, 4096);
    // An empty marker: its builder was killed between the marker's creation
    // and the one write that follows it at once.
    if (inhalt.isEmpty())
        return ::lstat(marke.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0;
    const QList<QByteArray> zeilen = inhalt.split('\n');
    if (zeilen.value(0) != Markenkennung)
        return false;
    QHash<QByteArray, QByteArray> werte;
    for (const QByteArray& z : zeilen) {
        const qsizetype gleich = z.indexOf('=');
        if (gleich > 0)
            werte.insert(z.left(gleich), z.mid(gleich + 1));
    }
    bool zahl = false;
    const qint64 pid = werte.value("pid").toLongLong(&zahl);
    if (!zahl || pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    // Whether a process of another computer still runs cannot be told here.
    const QByteArray host = werte.value("host");
    if (!host.isEmpty() && host != rechnername())
        return false;
    const QByteArray boot = werte.value("boot");
    const QByteArray jetztBoot = startkennung();
    if (!boot.isEmpty() && !jetztBoot.isEmpty() && boot != jetztBoot)
        return true;   // written before the computer last started
    if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return true;
    // The number may since have gone to a process started later.
    const QByteArray start = werte.value("start");
    const QByteArray jetzt = startzeit(pid);
    return !start.isEmpty() && !jetzt.isEmpty() && start != jetzt;
}

} // namespace io
