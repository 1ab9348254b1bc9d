#include "platform/io/schritte.h"

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace io {

namespace {

std::atomic<long> zaehler{0};
std::atomic<long> ziel{0};   // 0: nothing stopped
std::atomic<int> fehler{0};  // 0 at the target: a crash
std::atomic<int> letzte{0};

QByteArray pfad(const QString& p) { return QFile::encodeName(p); }

// True when the write at 'offset' (-1: the current position) would make
// the file longer.
bool verlaengert(int fd, size_t size, off_t offset)
{
    struct stat st {};
    const off_t pos = offset >= 0 ? offset : ::lseek(fd, 0, SEEK_CUR);
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && pos >= 0 && pos + off_t(size) > st.st_size;
}

} // namespace

bool schritt(Schritt art)
{
    const long n = zaehler.fetch_add(1, std::memory_order_relaxed) + 1;
    letzte.store(int(art), std::memory_order_relaxed);
    if (n != ziel.load(std::memory_order_relaxed))
        return true;
    const int err = fehler.load(std::memory_order_relaxed);
    if (err == 0)
        ::_exit(pruefstand::Absturzcode);
    errno = err;
    return false;
}

namespace pruefstand {
void zaehlen() { absturzBei(0); }
void absturzBei(long n) { fehlerBei(n, 0); }
void fehlerBei(long n, int err)
{
    ziel = 0;
    fehler = err;
    zaehler = 0;
    ziel = n;
}
long schritte() { return zaehler.load(); }
Schritt letzterSchritt() { return Schritt(letzte.load()); }
void aus() { zaehlen(); }
} // namespace pruefstand

namespace sys {

int open(const char* path, int flags, mode_t mode)
{
    if ((flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) && !schritt(Schritt::Anlegen))
        return -1;
    return ::open(path, flags, mode);
}

ssize_t write(int fd, const void* data, size_t size)
{
    if (!schritt(Schritt::Schreiben)) {
        const int err = errno;
        if (size > 1 && verlaengert(fd, size, -1))
            (void)::write(fd, data, size / 2);
        errno = err;
        return -1;
    }
    return ::write(fd, data, size);
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t offset)
{
    if (!schritt(Schritt::Schreiben)) {
        const int err = errno;
        if (size > 1 && verlaengert(fd, size, offset))
            (void)::pwrite(fd, data, size / 2, offset);
        errno = err;
        return -1;
    }
    return ::pwrite(fd, data, size, offset);
}

int ftruncate(int fd, off_t length) { return schritt(Schritt::Schreiben) ? ::ftruncate(fd, length) : -1; }
int fsync(int fd) { return schritt(Schritt::Sichern) ? ::fsync(fd) : -1; }
int rename(const char* from, const char* to) { return schritt(Schritt::Umbenennen) ? ::rename(from, to) : -1; }
int unlink(const char* path) { return schritt(Schritt::Entfernen) ? ::unlink(path) : -1; }
int rmdir(const char* path) { return schritt(Schritt::Entfernen) ? ::rmdir(path) : -1; }
int mkdir(const char* path, mode_t mode) { return schritt(Schritt::Ordner) ? ::mkdir(path, mode) : -1; }
int link(const char* from, const char* to) { return schritt(Schritt::Verknuepfen) ? ::link(from, to) : -1; }
int symlink(const char* target, const char* path)
{
    return schritt(Schritt::Verknuepfen) ? ::symlink(target, path) : -1;
}
int fchown(int fd, uid_t uid, gid_t gid) { return schritt(Schritt::Rechte) ? ::fchown(fd, uid, gid) : -1; }
int fchmod(int fd, mode_t mode) { return schritt(Schritt::Rechte) ? ::fchmod(fd, mode) : -1; }
int chmod(const char* path, mode_t mode) { return schritt(Schritt::Rechte) ? ::chmod(path, mode) : -1; }
int aclSetFd(int fd, acl_t acl) { return schritt(Schritt::Rechte) ? ::acl_set_fd(fd, acl) : -1; }

bool rename(const QString& from, const QString& to) { return rename(pfad(from).constData(), pfad(to).constData()) == 0; }

bool renameNoReplace(const QString& from, const QString& to)
{
    return schritt(Schritt::Umbenennen)
           && ::renameat2(AT_FDCWD, pfad(from).constData(), AT_FDCWD, pfad(to).constData(), RENAME_NOREPLACE) == 0;
}

bool exchange(const QString& a, const QString& b)
{
    return schritt(Schritt::Umbenennen)
           && ::renameat2(AT_FDCWD, pfad(a).constData(), AT_FDCWD, pfad(b).constData(), RENAME_EXCHANGE) == 0;
}

bool remove(const QString& path) { return !path.isEmpty() && unlink(pfad(path).constData()) == 0; }
bool rmdir(const QString& path) { return !path.isEmpty() && rmdir(pfad(path).constData()) == 0; }
bool link(const QString& from, const QString& to) { return link(pfad(from).constData(), pfad(to).constData()) == 0; }

bool mkpath(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString ganz = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (QFileInfo(ganz).isDir())
        return true;
    const QString oben = QFileInfo(ganz).path();
    if (oben != ganz && !mkpath(oben))
        return false;
    return mkdir(pfad(ganz).constData(), 0777) == 0 || (errno == EEXIST && QFileInfo(ganz).isDir());
}

bool setPermissions(const QString& path, QFileDevice::Permissions perms)
{
    return schritt(Schritt::Rechte) && QFile::setPermissions(path, perms);
}

} // namespace sys

} // namespace io
