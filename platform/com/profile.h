#pragma once
// Private-profile files ("[section]" and "key=value" lines in Windows-1252),
// read and written the way the platform's profile functions did: sections and
// keys match regardless of letter case, and a write keeps every other line as
// it was. A file is read once and again only when it changed (its size, time
// or inode), so dozens of values cost one reading. Writes replace the file
// atomically so a failure never leaves half a file; a file the user may not
// write (io::mayWrite) is refused and stays as it was.

#include <QString>
#include <QStringList>
#include <optional>

namespace com {

class PrivateProfile {
public:
    explicit PrivateProfile(QString path);
    const QString& path() const { return path_; }

    // nullopt when the file, the section or the key is missing. The value is
    // trimmed; one pair of enclosing quotes is removed.
    std::optional<QString> value(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& def) const;
    // The leading decimal number of the value (0 when there is none), taken
    // modulo 2^32 with its sign; `def` when the key is missing.
    int readInt(const QString& section, const QString& key, int def) const;

    bool writeString(const QString& section, const QString& key, const QString& value);
    bool removeKey(const QString& section, const QString& key);
    // False when the file cannot be rewritten; removing a missing section succeeds.
    bool removeSection(const QString& section);

    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // How many times a settings file was read from disk in this process.
    static long fileReads();

    // Removes what a write of this file cut off by a crash left beside it:
    // its own temporaries, nothing else. Each start calls it before the
    // file is used; returns how many went.
    int removeLeftovers() const;

private:
    QStringList readLines(bool* exists = nullptr) const;
    bool writeLines(const QStringList& lines) const;

    QString path_;
};

} // namespace com
