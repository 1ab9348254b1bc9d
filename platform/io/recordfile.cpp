#include "platform/io/recordfile.h"

#include <cerrno>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/io/atomic.h"
#include "platform/io/posixfile.h"
#include "platform/io/schritte.h"

namespace io {

namespace {

// Size of a regular file, or -1 when there is none at the path.
qint64 regularFileSize(const QByteArray& path)
{
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return st.st_size;
}

} // namespace

RecordFile::RecordFile(const QString& path, int recordLength) : m_path(path), m_len(recordLength > 0 ? recordLength : 1)
{
}

bool RecordFile::exists() const { return regularFileSize(detail::encodePath(m_path)) >= 0; }

qint32 RecordFile::count() const
{
    const qint64 size = regularFileSize(detail::encodePath(m_path));
    if (size <= 0)
        return 0;
    const qint64 n = size / m_len;
    return n > std::numeric_limits<qint32>::max() ? std::numeric_limits<qint32>::max() : qint32(n);
}

bool RecordFile::read(qint32 n, QByteArray& out) const
{
    out = QByteArray(m_len, '\0');
    if (n < 1)
        return false;
    // Non-blocking, so a FIFO or device under the name cannot stall the
    // program; fstat then refuses everything but a regular file.
    const int fd = ::open(detail::encodePath(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const qint64 pos = qint64(n - 1) * m_len;
    QByteArray buf(m_len, Qt::Uninitialized);
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && pos + m_len <= st.st_size &&
                    detail::readExact(fd, buf.data(), m_len, pos);
    ::close(fd);
    if (ok)
        out = buf;
    return ok;
}

QByteArray RecordFile::read(qint32 n) const
{
    QByteArray out;
    read(n, out);
    return out;
}

QList<QByteArray> RecordFile::readAll(qint32 limit) const
{
    QList<QByteArray> out;
    const int fd = ::open(detail::encodePath(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return out;
    struct stat st {};
    QByteArray all;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        all.resize(qMin<qint64>(st.st_size / m_len, qMax(limit, 0)) * m_len);
        ok = detail::readExact(fd, all.data(), all.size(), 0);
    }
    ::close(fd);
    if (!ok)
        return out;
    const qsizetype n = all.size() / m_len;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        out.append(all.mid(i * m_len, m_len));
    return out;
}

bool RecordFile::write(qint32 n, const QByteArray& bytes)
{
    if (bytes.size() != m_len || n < 1)
        return false;
    const QByteArray path = detail::encodePath(m_path);
    // A missing file is created for its first record only.
    struct stat da {};
    const bool missing = ::stat(path.constData(), &da) != 0 && errno == ENOENT;
    if (missing && n != 1)
        return false;
    // Whole or not there: a crash between creating and writing would leave
    // an empty file in place of the missing one.
    if (missing)
        return writeFileAtomic(m_path, bytes);
    if (!detail::mayWrite(path))
        return false;
    const int fd = sys::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const qint64 pos = qint64(n - 1) * m_len;
    // Only an existing record or the one right after the last complete one.
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && pos <= (st.st_size / m_len) * m_len;
    if (ok && !detail::writeAll(fd, bytes.constData(), m_len, pos)) {
        ok = false;
        if (pos + m_len > st.st_size && sys::ftruncate(fd, st.st_size) != 0) {
            // A torn tail stays a partial record, which count() never shows.
        }
    }
    if (!detail::closeChecked(fd))
        ok = false;
    return ok;
}

} // namespace io
