#pragma once
// File and folder tests and the folder helpers the program needs. None of
// them throws; failures answer false / empty.

#include <QString>

#include <functional>

namespace io {

// A file whose length can be read (a regular file, also through a link).
bool FileExists(const QString& path);
// The length of a plain file standing at the path itself (no link, no
// folder, no device); -1 for anything else.
qint64 plainFileSize(const QString& path);
// The path is a folder.
bool DirExists(const QString& path);
// Creates the folder with any missing parents; true when it exists after.
bool createFolder(const QString& path);
// Removes a file, or a link as a link; never a folder. False when nothing
// was removed (also for a missing entry).
bool removeFile(const QString& path);

// Full path of the entry in 'folder' whose name equals 'name' ignoring case
// (an exact match wins); empty when there is none.
QString findFileCaseInsensitive(const QString& folder, const QString& name);

// First plain file matching a path whose last part may hold the wildcards
// '*' and '?' (case-insensitive); hidden files (leading '.') and folders do
// not match. Empty when nothing matches or the folder cannot be read.
QString firstMatchingFile(const QString& pathPattern);

// Deletes the folder with everything in it. Symbolic links are removed as
// links, never followed. Read-only entries are made writable first. Every
// failing step makes the result false; the walk goes on with the rest and
// never revisits an entry it could not delete. A missing folder is false.
bool deleteTree(const QString& folder);

// Turns a path written with backslashes into one with '/'.
QString localPath(const QString& path);

// A folder built in several steps (a full backup) holds a marker file that
// names the process building it until it is finished. Only such a folder
// whose process no longer runs is a crash's leftover; one another running
// copy is still building, and every folder of the user's, stays.
//
//   if (io::createMarkedFolder(p)) { ...copies...; io::unmarkFolder(p); }
//   if (io::isAbandonedMarkedFolder(p)) io::deleteTree(p);

// Creates the folder (it must not exist yet) and puts the marker in before
// anything else. False when either fails; no folder is left behind then.
bool createMarkedFolder(const QString& path);
// Puts this process's marker into an existing folder, written in place;
// false when the folder holds a marker already.
bool markFolder(const QString& path);
// Takes the marker out of a finished folder; true when none is left.
// A finished folder is unmarked only under its final name.
bool unmarkFolder(const QString& path);
// Removes the folder only when it is empty and 'builder', the process that
// made it, no longer runs (killed right after making it); never through a
// link.
bool removeEmptyFolder(const QString& path, qint64 builder);
// Gives every entry of the folder 'from' that 'skip' does not name a second
// name in the folder 'to' (a file by a hard link, a link by one of the same
// target, a folder rebuilt the same way), so both folders hold it and
// nothing is copied or moved. False when any could not be given one.
bool linkEntries(const QString& from, const QString& to, const std::function<bool(const QString& name)>& skip);
// Both files could be read and hold the same bytes.
bool sameContent(const QString& a, const QString& b);
// True only for a real folder (no link) holding the marker, itself a plain
// file, of a process of this computer that no longer runs: its number is
// free, or taken by a process started at another time or before a restart.
bool isAbandonedMarkedFolder(const QString& path);

} // namespace io
