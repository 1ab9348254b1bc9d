#pragma once
// Whole-file rewrites: the new content goes to a temporary file in the same
// folder, is flushed and renamed over the target. On any failure the old
// file is left as it was and false comes back. A target the user may not
// write (mayWrite) is refused like a failure, so a rename never takes a
// protection away. A symbolic link stays a link: its target is replaced.

#include <QByteArray>
#include <QList>

#include <functional>
#include <QString>
#include <QtGlobal>

#include "platform/io/posixfile.h"

namespace io {

// False for an existing file without any write permission (protected for
// root too, as a read-only file was on the original system) or one the
// system denies this user; true for a missing file. Every write of this
// library follows it.
bool mayWrite(const QString& path);

// Gives the open file `fd` the access rights of the file at `like`
// (st_mode & 07777, set-id bits included, also for root, and its access
// list whole) and, as far as this user may (root; a user one of his
// groups), its owner and group. Every rewrite keeps them this way. Where
// the list cannot be set (no lists on that file system) the group bits are
// those of the list's group entry, so nothing is widened. False when
// `like` cannot be read or the rights cannot be set.
bool keepOwnerAndMode(int fd, const QString& like);

// A file written in pieces that replaces `target` in one rename at commit
// (open, write, commit; destroyed uncommitted it leaves the target as it
// was). The one rule of every rewrite: open refuses what mayWrite refuses,
// the new file gets the old one's rights as keepOwnerAndMode gives them.
using ReplacementFile = detail::ReplacementFile;

// A file written straight under its name as its pieces come (a download
// that is seen growing): open creates or empties it and refuses what
// mayWrite refuses; finish puts it on the disk and closes it. Destroyed
// unfinished it is closed as it is; removing it is the caller's.
class StreamFile {
public:
    explicit StreamFile(const QString& path);
    ~StreamFile();
    StreamFile(const StreamFile&) = delete;
    StreamFile& operator=(const StreamFile&) = delete;

    bool open();
    bool write(const QByteArray& data);
    bool finish();

private:
    QByteArray m_path;
    int m_fd = -1;
};

bool writeFileAtomic(const QString& path, const QByteArray& data, QString* error = nullptr);

// Replaces the record file by exactly these records (each must be
// recordLength bytes long, else nothing is written).
bool rewriteRecords(const QString& path, int recordLength, const QList<QByteArray>& records,
                    QString* error = nullptr);

// Keeps the first 'keep' records (also drops a trailing partial record).
// keep >= count leaves the complete records as they are.
bool truncateRecords(const QString& path, int recordLength, qint32 keep, QString* error = nullptr);

// Copies 'from' over 'to' (created or replaced atomically). A new 'to' gets
// the rights of 'from' (keepOwnerAndMode), a replaced one keeps its own. A
// missing source is a failure and leaves 'to' alone.
bool copyFileAtomic(const QString& from, const QString& to, QString* error = nullptr);
// As copyFileAtomic for a file taken in to work on (an import): a new 'to'
// gets the rights every new file of the program gets (the umask's), so a
// file from a read-only medium or a closed year is not protected here.
bool importFileAtomic(const QString& from, const QString& to, QString* error = nullptr);
// As copyFileAtomic, but the copy holds at most the first 'limit' bytes.
bool copyFileStartAtomic(const QString& from, const QString& to, qint64 limit, QString* error = nullptr);
// As copyFileStartAtomic into a folder others may write to (a backup): a
// link standing at 'to' is replaced, never written through, so nothing
// outside that folder changes.
bool copyIntoFolder(const QString& from, const QString& to, qint64 limit = -1, QString* error = nullptr);

// Removes what interrupted rewrites left in the folder: regular files named
// as the rewrite's own temporaries (".<name>.neu-<pid>-<tag>") of a file
// whose name 'own' accepts, once their writer no longer runs; nothing
// else, not in sub-folders, no links. A temporary of any other name may be
// someone else's. Returns how many were removed.
int removeRewriteLeftovers(const QString& folder, const std::function<bool(const QString& name)>& own);

} // namespace io
