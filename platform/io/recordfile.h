#pragma once
// Random-access file of fixed-length records, numbered from 1. The file is
// opened only for the duration of one call.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <limits>

namespace io {

class RecordFile {
public:
    RecordFile(const QString& path, int recordLength);

    const QString& path() const { return m_path; }
    int recordLength() const { return m_len; }

    bool exists() const;
    // File length / record length; a trailing partial record does not count.
    // 0 for a missing file; saturates at INT32_MAX.
    qint32 count() const;

    // Record n (1-based). Past the end, for n < 1 or for a missing file a
    // record of zero bytes of full length comes back. Never creates a file.
    QByteArray read(qint32 n) const;
    // As read(), but tells whether the record really was on disk.
    bool read(qint32 n, QByteArray& out) const;
    // All complete records in order, at most the first 'limit' of them.
    QList<QByteArray> readAll(qint32 limit = std::numeric_limits<qint32>::max()) const;

    // Writes record n; n must lie in 1..count()+1 and bytes must be exactly
    // one record long, otherwise nothing is written and false comes back.
    // Creates the file for n == 1 when it is missing, whole or not at all
    // (a temporary renamed into place); a file the user may
    // not write (io::mayWrite) is refused. Written straight to the system; a
    // failed append leaves the file at its old length.
    bool write(qint32 n, const QByteArray& bytes);
    bool append(const QByteArray& bytes) { return write(count() + 1, bytes); }

private:
    QString m_path;
    int m_len;
};

} // namespace io
