#pragma once
// Every step of the program that changes the file system goes through
// io::sys, and each one is counted here. A test can end the process at step
// N (a crash) or let step N fail with a chosen errno (a full disk, an I/O
// error, a refusal), so every write road is tried at every one of its steps.
// Unused, the seam costs one counter and one compare per step.
//
//   io::pruefstand::fehlerBei(3, ENOSPC);   // the road's third step fails
//   road();
//   const long n = io::pruefstand::schritte();
//   io::pruefstand::aus();

#include <QFileDevice>
#include <QString>

#include <sys/acl.h>
#include <sys/types.h>

namespace io {

enum class Schritt { Ordner, Anlegen, Schreiben, Sichern, Umbenennen, Entfernen, Verknuepfen, Rechte };

// Counts one step of this kind and tells whether it may happen: false with
// errno set when the test lets it fail. A crash ends the process here,
// before the step.
bool schritt(Schritt art);

namespace pruefstand {
// The exit code of a process the seam ended.
inline constexpr int Absturzcode = 86;
// Each sets the counter to 0: count only; end the process at step n; fail
// step n with errno err.
void zaehlen();
void absturzBei(long n);
void fehlerBei(long n, int err);
// Steps counted since, and the kind of the last one.
long schritte();
Schritt letzterSchritt();
void aus();
} // namespace pruefstand

// The system's calls, each one counted step. Reading opens are no step.
namespace sys {
int open(const char* path, int flags, mode_t mode = 0);
// A failed write that makes the file longer leaves the part that fitted, as
// a full disk does.
ssize_t write(int fd, const void* data, size_t size);
ssize_t pwrite(int fd, const void* data, size_t size, off_t offset);
int ftruncate(int fd, off_t length);
int fsync(int fd);
int rename(const char* from, const char* to);
int unlink(const char* path);
int rmdir(const char* path);
int mkdir(const char* path, mode_t mode);
int link(const char* from, const char* to);
int symlink(const char* target, const char* path);
int fchown(int fd, uid_t uid, gid_t gid);
int fchmod(int fd, mode_t mode);
int chmod(const char* path, mode_t mode);
int aclSetFd(int fd, acl_t acl);

// The same for paths as Qt holds them; true on success.
bool rename(const QString& from, const QString& to);
// As rename, but never over an existing entry (EEXIST).
bool renameNoReplace(const QString& from, const QString& to);
// Swaps the two entries in one step.
bool exchange(const QString& a, const QString& b);
bool remove(const QString& path);   // a file or link
bool rmdir(const QString& path);
// Creates the folder and every missing parent, one step each.
bool mkpath(const QString& path);
bool link(const QString& from, const QString& to);
bool setPermissions(const QString& path, QFileDevice::Permissions perms);
} // namespace sys

} // namespace io
