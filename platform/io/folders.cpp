#include "platform/io/folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace io {

namespace {

// Case-insensitive '*' / '?' match, as the file system of the original did.
bool wildMatch(const QString& name, qsizetype ni, const QString& pat, qsizetype pi)
{
    while (pi < pat.size()) {
        const QChar p = pat.at(pi);
        if (p == u'*') {
            while (pi < pat.size() && pat.at(pi) == u'*')
                ++pi;
            if (pi == pat.size())
                return true;
            for (qsizetype k = ni; k <= name.size(); ++k)
                if (wildMatch(name, k, pat, pi))
                    return true;
            return false;
        }
        if (ni >= name.size())
            return false;
        if (p != u'?' && p.toCaseFolded() != name.at(ni).toCaseFolded())
            return false;
        ++ni;
        ++pi;
    }
    return ni == name.size();
}

bool removeEntry(const QFileInfo& fi)
{
    if (fi.isSymLink() || fi.isJunction())
        return QFile::remove(fi.absoluteFilePath()) || QDir().rmdir(fi.absoluteFilePath());
    if (fi.isDir())
        return deleteTree(fi.absoluteFilePath());
    QFile f(fi.absoluteFilePath());
    if (f.remove())
        return true;
    // A write-protected file: clear the protection and try once more.
    f.setPermissions(f.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    return f.remove();
}

} // namespace

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo fi(path);
    return fi.exists() && fi.isFile();
}

bool DirExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(path).isDir();
}

bool createFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    if (DirExists(path))
        return true;
    return QDir().mkpath(path) && DirExists(path);
}

QString findFileCaseInsensitive(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || name.isEmpty() || name.contains(u'/'))
        return QString();
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (FileExists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    const QString folded = name.toCaseFolded();
    for (const QString& e : entries)
        if (e.toCaseFolded() == folded && FileExists(dir.filePath(e)))
            return dir.filePath(e);
    return QString();
}

QString firstMatchingFile(const QString& pathPattern)
{
    if (pathPattern.isEmpty())
        return QString();
    const qsizetype slash = pathPattern.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QStringLiteral(".") : (slash == 0 ? QStringLiteral("/") : pathPattern.left(slash));
    QString pattern = pathPattern.mid(slash + 1);
    if (pattern.isEmpty() || folder.contains(u'*') || folder.contains(u'?'))
        return QString();
    // "*.*" also matches names without a dot, as on the original system.
    if (pattern == QLatin1String("*.*"))
        pattern = QStringLiteral("*");
    const QDir dir(folder);
    if (!dir.exists())
        return QString();
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& fi : entries)
        if (fi.isFile() && wildMatch(fi.fileName(), 0, pattern, 0))
            return fi.absoluteFilePath();
    return QString();
}

bool deleteTree(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QFileInfo top(folder);
    if (top.isSymLink() || top.isJunction())
        return QFile::remove(top.absoluteFilePath());   // the link only, never its target
    if (!top.isDir())
        return false;
    const QString path = top.absoluteFilePath();
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner);
    bool ok = true;
    // One pass over a snapshot: an entry that cannot go stays, and is not retried.
    const QFileInfoList entries =
        QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& fi : entries)
        if (!removeEntry(fi))
            ok = false;
    if (!QDir().rmdir(path))
        ok = false;
    return ok;
}

QString localPath(const QString& path)
{
    QString p = path;
    p.replace(u'\\', u'/');
    return p;
}

} // namespace io
