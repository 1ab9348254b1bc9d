#include "platform/io/atomic.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include "platform/io/posixfile.h"
#include "platform/io/schritte.h"

namespace io {

namespace {

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool targetUsable(const QString& path, QString* error)
{
    const QFileInfo fi(path);
    if (fi.exists() && !fi.isFile())
        return fail(error, QStringLiteral("Das Ziel ist keine Datei: %1").arg(path));
    return true;
}

// The first 'limit' bytes (all when limit < 0) of a regular file; false on
// any read error so a half-read file is never written anywhere.
bool readFile(const QString& path, qint64 limit, QByteArray& out, QString* error)
{
    const int fd = ::open(detail::encodePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(error, QStringLiteral("%1 kann nicht gelesen werden: %2")
                               .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const qint64 size = ok ? (limit >= 0 && limit < st.st_size ? limit : qint64(st.st_size)) : 0;
    if (ok) {
        out.resize(size);
        ok = detail::readExact(fd, out.data(), size, 0);
    }
    ::close(fd);
    if (!ok)
        return fail(error, QStringLiteral("%1 konnte nicht vollständig gelesen werden").arg(path));
    return true;
}

} // namespace

bool mayWrite(const QString& path)
{
    return detail::mayWrite(detail::encodePath(path));
}

bool keepOwnerAndMode(int fd, const QString& like)
{
    struct stat old {};
    const QByteArray path = detail::encodePath(like);
    return ::stat(path.constData(), &old) == 0 && detail::keepOwnerAndMode(fd, path, old);
}

StreamFile::StreamFile(const QString& path) : m_path(detail::encodePath(path)) {}

StreamFile::~StreamFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool StreamFile::open()
{
    if (m_fd >= 0 || !detail::mayWrite(m_path))
        return false;
    m_fd = sys::open(m_path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return m_fd >= 0;
}

bool StreamFile::write(const QByteArray& data)
{
    return m_fd >= 0 && detail::writeAll(m_fd, data.constData(), data.size());
}

bool StreamFile::finish()
{
    if (m_fd < 0)
        return false;
    const bool synced = sys::fsync(m_fd) == 0;
    const int fd = m_fd;
    m_fd = -1;
    return detail::closeChecked(fd) && synced;
}

bool writeFileAtomic(const QString& path, const QByteArray& data, QString* error)
{
    if (!targetUsable(path, error))
        return false;
    detail::ReplacementFile f(path);
    if (!f.open() || !f.write(data) || !f.commit())
        return fail(error, QStringLiteral("%1 konnte nicht geschrieben werden: %2").arg(path, f.errorString()));
    return true;
}

bool rewriteRecords(const QString& path, int recordLength, const QList<QByteArray>& records, QString* error)
{
    if (recordLength <= 0)
        return fail(error, QStringLiteral("Ungültige Satzlänge"));
    QByteArray data;
    data.reserve(qsizetype(records.size()) * recordLength);
    for (const QByteArray& r : records) {
        if (r.size() != recordLength)
            return fail(error, QStringLiteral("Datensatz mit falscher Länge"));
        data.append(r);
    }
    return writeFileAtomic(path, data, error);
}

bool truncateRecords(const QString& path, int recordLength, qint32 keep, QString* error)
{
    if (recordLength <= 0 || keep < 0)
        return fail(error, QStringLiteral("Ungültige Satzanzahl"));
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile())
        return fail(error, QStringLiteral("Datei nicht gefunden: %1").arg(path));
    const qint64 complete = fi.size() / recordLength;
    const qint64 bytes = qMin<qint64>(complete, keep) * recordLength;
    if (bytes == fi.size())
        return true;   // nothing to drop
    QByteArray data;
    if (!readFile(path, bytes, data, error))
        return false;
    if (data.size() != bytes)
        return fail(error, QStringLiteral("%1 wurde während des Kürzens verändert").arg(path));
    return writeFileAtomic(path, data, error);
}

namespace {

// Every copy: 'replaceLink' for one into a folder others may write to,
// 'sourceRights' for a new copy that has its source's rights (all but an
// import, whose new file has the rights any new file of the program gets).
bool kopieren(const QString& from, const QString& to, qint64 limit, bool replaceLink, bool sourceRights,
              QString* error)
{
    const QFileInfo src(from);
    if (!src.exists() || !src.isFile())
        return fail(error, QStringLiteral("Datei nicht gefunden: %1").arg(from));
    if (!replaceLink && !targetUsable(to, error))
        return false;
    const int fd = ::open(detail::encodePath(from).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(error, QStringLiteral("%1 kann nicht gelesen werden: %2")
                               .arg(from, QString::fromLocal8Bit(std::strerror(errno))));
    detail::ReplacementFile out(to, replaceLink);
    // A new copy (a backup, a copy kept aside) has its source's rights, not
    // what the umask gives; one in place of a file keeps that file's.
    bool ok = out.open() && (out.replacesFile() || !sourceRights || out.takeRightsOf(from));
    QByteArray buf(1 << 20, Qt::Uninitialized);
    qint64 rest = limit >= 0 ? limit : std::numeric_limits<qint64>::max();
    while (ok && rest > 0) {
        const ssize_t n = ::read(fd, buf.data(), size_t(qMin<qint64>(buf.size(), rest)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return fail(error, QStringLiteral("Fehler beim Lesen von %1").arg(from));
        }
        if (n == 0)
            break;
        ok = out.write(buf.constData(), n);
        rest -= n;
    }
    ::close(fd);
    if (!ok || !out.commit())
        return fail(error, QStringLiteral("%1 konnte nicht geschrieben werden: %2").arg(to, out.errorString()));
    return true;
}

} // namespace

bool copyFileAtomic(const QString& from, const QString& to, QString* error)
{
    return kopieren(from, to, -1, false, true, error);
}

bool importFileAtomic(const QString& from, const QString& to, QString* error)
{
    return kopieren(from, to, -1, false, false, error);
}

bool copyFileStartAtomic(const QString& from, const QString& to, qint64 limit, QString* error)
{
    return kopieren(from, to, limit, false, true, error);
}

bool copyIntoFolder(const QString& from, const QString& to, qint64 limit, QString* error)
{
    return kopieren(from, to, limit, true, true, error);
}

int removeRewriteLeftovers(const QString& folder, const std::function<bool(const QString& name)>& own)
{
    int removed = 0;
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo& fi : entries) {
        struct stat st {};
        qint64 writer = 0;
        const QString target = detail::replacedName(fi.fileName(), &writer);
        if (target.isEmpty() || !own || !own(target)
            || ::lstat(detail::encodePath(fi.absoluteFilePath()).constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        // A running copy's rewrite still needs its temporary.
        if (!detail::writerEnded(writer, qint64(st.st_mtime)))
            continue;
        if (sys::unlink(detail::encodePath(fi.absoluteFilePath()).constData()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace io
