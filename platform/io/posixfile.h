#pragma once
// Thin checked wrappers over the system calls. Qt's buffered file classes
// can report a short write (disk full, size limit) as success; the record
// and rewrite code must never do that, so it talks to the kernel itself.

#include <QByteArray>
#include <QString>

#include <sys/stat.h>
#include <sys/types.h>

namespace io::detail {

QByteArray encodePath(const QString& path);

// Writes all bytes at 'offset' (or at the current position when offset < 0),
// retrying short writes and interrupts. False on any error.
bool writeAll(int fd, const char* data, qint64 size, qint64 offset = -1);
// Reads exactly 'size' bytes at 'offset'; false on error or early end.
bool readExact(int fd, char* data, qint64 size, qint64 offset);
// close() with its result checked; an interrupted close counts as done.
bool closeChecked(int fd);

// io::mayWrite for an encoded path: the one rule of every write here.
bool mayWrite(const QByteArray& path);

// io::keepOwnerAndMode with the old file's status already read.
bool keepOwnerAndMode(int fd, const QByteArray& like, const struct stat& old);

// The name ReplacementFile gives its temporary, naming the process that
// writes it: ".<target name>.neu-<pid>-<tag>".
QByteArray replacementName(const QByteArray& targetName, quint32 tag);
// The target name a temporary of that pattern stands for ("Auto1_26.dat"
// for ".Auto1_26.dat.neu-4711-1x") and, in 'writer', its process; empty
// for every other name.
QString replacedName(const QString& fileName, qint64* writer = nullptr);
// True for a file name of that pattern.
bool isReplacementName(const QString& fileName);
// True when the process 'pid' of this computer provably no longer runs the
// program that last wrote a file at 'written' (seconds since the epoch):
// its number is free, or taken by a process started later. A process this
// user may not signal counts as running.
bool writerEnded(qint64 pid, qint64 written);

// A new file next to the target that replaces it in one rename. The old
// target stays untouched until commit() succeeds; open() refuses a target
// the user may not write (mayWrite).
class ReplacementFile {
public:
    // 'replaceLink': a link standing at the target's name is replaced by
    // the new file, its target never written (a copy into a folder others
    // may write to).
    explicit ReplacementFile(const QString& target, bool replaceLink = false);
    ~ReplacementFile();   // removes the temporary unless committed
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    bool open();
    // The new file gets the rights of `source` instead (a copy that
    // replaces no file takes its source's); false when they cannot be set.
    bool takeRightsOf(const QString& source);
    bool replacesFile() const { return m_hadOld; }
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& data) { return write(data.constData(), data.size()); }
    // Flushes to disk, closes and renames over the target.
    bool commit();
    QString errorString() const { return m_error; }

private:
    bool fail(const QString& what);
    void discard();

    QByteArray m_target;     // resolved through a symbolic link
    QByteArray m_temp;
    int m_fd = -1;
    bool m_replaceLink = false;
    bool m_failed = false;
    bool m_done = false;
    bool m_hadOld = false;
    mode_t m_setId = 0;      // the set-id and sticky bits the new file is to keep
    QString m_error;
};

} // namespace io::detail
