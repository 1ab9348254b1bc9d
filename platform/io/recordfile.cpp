#include "platform/io/recordfile.h"

#include <limits>

#include <QFile>
#include <QFileInfo>

namespace io {

RecordFile::RecordFile(const QString& path, int recordLength) : m_path(path), m_len(recordLength > 0 ? recordLength : 1)
{
}

bool RecordFile::exists() const
{
    const QFileInfo fi(m_path);
    return fi.exists() && fi.isFile();
}

qint32 RecordFile::count() const
{
    const QFileInfo fi(m_path);
    if (!fi.exists() || !fi.isFile())
        return 0;
    const qint64 n = fi.size() / m_len;
    return n > std::numeric_limits<qint32>::max() ? std::numeric_limits<qint32>::max() : qint32(n);
}

bool RecordFile::read(qint32 n, QByteArray& out) const
{
    out = QByteArray(m_len, '\0');
    if (n < 1 || !exists())
        return false;
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 pos = qint64(n - 1) * m_len;
    if (pos + m_len > f.size() || !f.seek(pos))
        return false;
    const QByteArray got = f.read(m_len);
    if (got.size() != m_len)
        return false;
    out = got;
    return true;
}

QByteArray RecordFile::read(qint32 n) const
{
    QByteArray out;
    read(n, out);
    return out;
}

QList<QByteArray> RecordFile::readAll() const
{
    QList<QByteArray> out;
    if (!exists())
        return out;
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QByteArray all = f.readAll();
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
    const qint32 c = count();
    if (n > qint64(c) + 1)
        return false;
    const QFileInfo fi(m_path);
    if (fi.exists() && !fi.isFile())
        return false;
    QFile f(m_path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    const qint64 pos = qint64(n - 1) * m_len;
    if (!f.seek(pos))
        return false;
    if (f.write(bytes) != m_len)
        return false;
    return f.flush();
}

} // namespace io
