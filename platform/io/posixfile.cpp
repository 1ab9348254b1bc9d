#include "platform/io/posixfile.h"
#include "platform/io/schritte.h"

#include <cerrno>
#include <cstring>

#include <acl/libacl.h>
#include <fcntl.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace io::detail {

QByteArray encodePath(const QString& path) { return QFile::encodeName(path); }

bool writeAll(int fd, const char* data, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = offset >= 0 ? sys::pwrite(fd, data, size_t(size), off_t(offset)) : sys::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= n;
        if (offset >= 0)
            offset += n;
    }
    return true;
}

bool readExact(int fd, char* data, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = ::pread(fd, data, size_t(size), off_t(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        data += n;
        size -= n;
        offset += n;
    }
    return true;
}

bool closeChecked(int fd)
{
    if (::close(fd) == 0)
        return true;
    return errno == EINTR;
}

bool mayWrite(const QByteArray& path)
{
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return errno == ENOENT;
    return (st.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) == 0;
}

ReplacementFile::ReplacementFile(const QString& target, bool replaceLink) : m_replaceLink(replaceLink)
{
    // Replace what a link points to, not the link itself.
    const QFileInfo fi(target);
    const QString resolved =
        !replaceLink && fi.isSymLink() && fi.exists() ? fi.canonicalFilePath() : fi.absoluteFilePath();
    m_target = encodePath(resolved);
}

ReplacementFile::~ReplacementFile()
{
    if (!m_done)
        discard();
}

bool ReplacementFile::fail(const QString& what)
{
    const int err = errno;
    m_failed = true;
    if (m_error.isEmpty())
        m_error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(err));
    discard();
    return false;
}

void ReplacementFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.isEmpty()) {
        sys::unlink(m_temp.constData());
        m_temp.clear();
    }
}

QByteArray replacementName(const QByteArray& targetName, quint32 tag)
{
    return "." + targetName + ".neu-" + QByteArray::number(qint64(::getpid())) + "-" + QByteArray::number(tag, 36);
}

QString replacedName(const QString& fileName, qint64* writer)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.(.+)\\.neu-([1-9][0-9]{0,9})-[0-9a-z]{1,7}$"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (writer)
        *writer = m.hasMatch() ? m.captured(2).toLongLong() : 0;
    return m.hasMatch() ? m.captured(1) : QString();
}

bool isReplacementName(const QString& fileName)
{
    return !replacedName(fileName).isEmpty();
}

bool ReplacementFile::open()
{
    const qsizetype slash = m_target.lastIndexOf('/');
    const QByteArray folder = slash <= 0 ? QByteArray("/") : m_target.left(slash);
    const QByteArray name = m_target.mid(slash + 1);
    struct stat old {};
    // A link to be replaced gives the copy nothing: it is no old file.
    const bool hadOld = m_replaceLink ? ::lstat(m_target.constData(), &old) == 0 && !S_ISLNK(old.st_mode)
                                      : ::stat(m_target.constData(), &old) == 0;
    if (hadOld && !S_ISREG(old.st_mode)) {
        errno = EISDIR;
        return fail(QStringLiteral("Das Ziel ist keine Datei"));
    }
    // Renaming over a protected file would take the protection away with it.
    if (hadOld && !mayWrite(m_target)) {
        errno = EACCES;
        return fail(QStringLiteral("Die Datei ist schreibgeschützt"));
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate = folder + "/" + replacementName(name, QRandomGenerator::global()->generate());
        const int fd = sys::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_fd = fd;
            m_temp = candidate;
            break;
        }
        if (errno != EEXIST)
            return fail(QStringLiteral("Zwischendatei kann nicht angelegt werden"));
    }
    if (m_fd < 0)
        return fail(QStringLiteral("Zwischendatei kann nicht angelegt werden"));
    // A copy that cannot have the old file's rights would hand them out.
    m_hadOld = hadOld;
    if (hadOld && !keepOwnerAndMode(m_fd, m_target, old))
        return fail(QStringLiteral("Die Rechte der Datei können nicht übernommen werden"));
    m_setId = hadOld ? old.st_mode & 07000 : 0;
    return true;
}

bool ReplacementFile::takeRightsOf(const QString& source)
{
    if (m_fd < 0 || m_failed)
        return false;
    const QByteArray path = encodePath(source);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !keepOwnerAndMode(m_fd, path, st))
        return fail(QStringLiteral("Die Rechte der Datei können nicht übernommen werden"));
    m_setId = st.st_mode & 07000;
    return true;
}

namespace {
bool keineListen(int err) { return err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS; }

// The permission bits of the list's entry of this kind (its first), or -1.
int eintragsRechte(acl_t list, acl_tag_t kind)
{
    acl_entry_t e;
    for (int at = ACL_FIRST_ENTRY; acl_get_entry(list, at, &e) == 1; at = ACL_NEXT_ENTRY) {
        acl_tag_t tag;
        acl_permset_t p;
        if (acl_get_tag_type(e, &tag) == 0 && tag == kind && acl_get_permset(e, &p) == 0)
            return (acl_get_perm(p, ACL_READ) == 1 ? 4 : 0) | (acl_get_perm(p, ACL_WRITE) == 1 ? 2 : 0)
                   | (acl_get_perm(p, ACL_EXECUTE) == 1 ? 1 : 0);
    }
    return -1;
}
} // namespace

bool keepOwnerAndMode(int fd, const QByteArray& like, const struct stat& old)
{
    struct stat now {};
    if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
        // Only root may give a file away; a user may still give it one of
        // his own groups. What is not permitted stays ours.
        const bool given = sys::fchown(fd, old.st_uid, old.st_gid) == 0;
        if (!given && now.st_gid != old.st_gid && sys::fchown(fd, uid_t(-1), old.st_gid) != 0) {
            // Neither is permitted: the file belongs to us.
        }
    }
    // After the owner: a change of owner clears the set-id bits.
    if (sys::fchmod(fd, old.st_mode & 07777) != 0)
        return false;
    // The access list whole. A plain one is the mode, set already, unless
    // the new file took a list from its folder's default: that would give
    // what the old file did not. Where the old file's system has no lists,
    // its mode is its list.
    acl_t list = acl_get_file(like.constData(), ACL_TYPE_ACCESS);
    if (!list && !keineListen(errno))
        return false;
    if (!list || acl_equiv_mode(list, nullptr) == 0) {
        acl_t eigene = acl_get_fd(fd);
        const bool schlicht = !eigene || acl_equiv_mode(eigene, nullptr) == 0;
        acl_free(eigene);
        if (schlicht) {
            acl_free(list);
            return true;
        }
        if (!list)
            list = acl_from_mode(old.st_mode & 0777);
        if (!list)
            return false;
    }
    bool ok = sys::aclSetFd(fd, list) == 0;
    if (!ok && keineListen(errno)) {
        // No lists here: the group bits of a list are its mask, not the
        // group's rights; the group gets what its entry gave, no more.
        const int gruppe = eintragsRechte(list, ACL_GROUP_OBJ);
        ok = gruppe < 0 || sys::fchmod(fd, (old.st_mode & 07707) | mode_t(gruppe << 3)) == 0;
    }
    acl_free(list);
    return ok;
}

bool ReplacementFile::write(const char* data, qint64 size)
{
    if (m_fd < 0 || m_failed)
        return false;
    if (!writeAll(m_fd, data, size))
        return fail(QStringLiteral("Fehler beim Schreiben"));
    return true;
}

bool ReplacementFile::commit()
{
    if (m_fd < 0 || m_failed)
        return false;
    // A user's write clears the set-id bits (the kernel's guard against a
    // changed program keeping them): they go back on before the rename.
    struct stat st {};
    if (m_setId != 0 && ::fstat(m_fd, &st) == 0 && (st.st_mode & 07000) != m_setId
        && sys::fchmod(m_fd, (st.st_mode & 0777) | m_setId) != 0)
        return fail(QStringLiteral("Die Rechte der Datei können nicht übernommen werden"));
    if (sys::fsync(m_fd) != 0)
        return fail(QStringLiteral("Fehler beim Sichern auf den Datenträger"));
    const int fd = m_fd;
    m_fd = -1;
    if (!closeChecked(fd))
        return fail(QStringLiteral("Fehler beim Schließen"));
    if (sys::rename(m_temp.constData(), m_target.constData()) != 0)
        return fail(QStringLiteral("Die Datei kann nicht ersetzt werden"));
    m_temp.clear();
    m_done = true;
    // Make the rename itself durable; a failure here loses nothing.
    const qsizetype slash = m_target.lastIndexOf('/');
    const QByteArray folder = slash <= 0 ? QByteArray("/") : m_target.left(slash);
    const int dfd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        sys::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

} // namespace io::detail
