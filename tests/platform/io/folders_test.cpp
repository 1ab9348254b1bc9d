#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/io/folders.h"

namespace {

void touch(const QString& path, const QByteArray& data = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// Marks a file undeletable (even for root) while alive; false when the
// file system or the rights do not allow it.
class Immutable {
public:
    explicit Immutable(const QString& path) : m_path(QFile::encodeName(path)) { m_on = set(true); }
    ~Immutable()
    {
        if (m_on)
            set(false);
    }
    bool on() const { return m_on; }

private:
    bool set(bool on)
    {
        const int fd = ::open(m_path.constData(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }
    QByteArray m_path;
    bool m_on = false;
};

// A marked folder whose builder has ended, as a killed backup leaves it.
void verlassenAnlegen(const QString& path)
{
    const pid_t kind = ::fork();
    if (kind == 0)
        ::_exit(io::createMarkedFolder(path) ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(kind, &status, 0), kind);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// The one file a freshly marked folder holds: its marker.
QString marke(const QString& folder)
{
    const QStringList l = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    return l.size() == 1 ? folder + QStringLiteral("/") + l.first() : QString();
}

// The marker's line "<key>=..." goes.
void markeOhne(const QString& folder, const QByteArray& key)
{
    QFile f(marke(folder));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QList<QByteArray> zeilen = f.readAll().split('\n');
    f.close();
    const auto weg = std::remove_if(zeilen.begin(), zeilen.end(), [&](const QByteArray& z) { return z.startsWith(key + "="); });
    ASSERT_NE(weg, zeilen.end()) << key.constData();
    zeilen.erase(weg, zeilen.end());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(zeilen.join('\n'));
}

// The marker's line "<key>=..." becomes "<key>=<value>".
void markeAendern(const QString& folder, const QByteArray& key, const QByteArray& value)
{
    QFile f(marke(folder));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QList<QByteArray> zeilen = f.readAll().split('\n');
    f.close();
    bool gefunden = false;
    for (QByteArray& z : zeilen)
        if (z.startsWith(key + "=")) {
            z = key + "=" + value;
            gefunden = true;
        }
    ASSERT_TRUE(gefunden) << key.constData();
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(zeilen.join('\n'));
}

} // namespace

TEST(Folders, ExistenceTests)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("f.txt"));
    touch(file);
    EXPECT_TRUE(io::FileExists(file));
    EXPECT_FALSE(io::FileExists(dir.path()));
    EXPECT_FALSE(io::FileExists(dir.filePath(QStringLiteral("none"))));
    EXPECT_FALSE(io::FileExists(QString()));
    EXPECT_TRUE(io::DirExists(dir.path()));
    EXPECT_FALSE(io::DirExists(file));
    EXPECT_FALSE(io::DirExists(QString()));
    EXPECT_FALSE(io::DirExists(dir.filePath(QStringLiteral("none"))));
    const QString link = dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_TRUE(io::FileExists(link));
    const QString dangling = dir.filePath(QStringLiteral("dangling"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone")), dangling));
    EXPECT_FALSE(io::FileExists(dangling));
}

TEST(Folders, CreateFolderWithParents)
{
    QTemporaryDir dir;
    const QString deep = dir.filePath(QStringLiteral("a/b/c"));
    EXPECT_TRUE(io::createFolder(deep));
    EXPECT_TRUE(io::DirExists(deep));
    EXPECT_TRUE(io::createFolder(deep));   // already there
    const QString file = dir.filePath(QStringLiteral("file"));
    touch(file);
    EXPECT_FALSE(io::createFolder(file));
    EXPECT_FALSE(io::createFolder(file + QStringLiteral("/sub")));
    EXPECT_FALSE(io::createFolder(QString()));
}

TEST(Folders, FindsInstallationFilesInAnyCase)
{
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("DTSD.kxt")));
    touch(dir.filePath(QStringLiteral("hilfs.TXT")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Sounds")));
    EXPECT_EQ(io::findFileCaseInsensitive(dir.path(), QStringLiteral("DTSD.kxt")), dir.filePath(QStringLiteral("DTSD.kxt")));
    EXPECT_EQ(io::findFileCaseInsensitive(dir.path(), QStringLiteral("dtsd.KXT")), dir.filePath(QStringLiteral("DTSD.kxt")));
    EXPECT_EQ(io::findFileCaseInsensitive(dir.path(), QStringLiteral("Hilfs.txt")), dir.filePath(QStringLiteral("hilfs.TXT")));
    EXPECT_TRUE(io::findFileCaseInsensitive(dir.path(), QStringLiteral("sounds")).isEmpty());   // a folder
    EXPECT_TRUE(io::findFileCaseInsensitive(dir.path(), QStringLiteral("M1.wav")).isEmpty());
    EXPECT_TRUE(io::findFileCaseInsensitive(dir.filePath(QStringLiteral("none")), QStringLiteral("x")).isEmpty());
    // Exact spelling wins when both exist.
    touch(dir.filePath(QStringLiteral("dtsd.kxt")));
    EXPECT_EQ(io::findFileCaseInsensitive(dir.path(), QStringLiteral("dtsd.kxt")), dir.filePath(QStringLiteral("dtsd.kxt")));
}

TEST(Folders, WildcardSearchMatchesPlainFilesOnly)
{
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("M7.wav")));
    touch(dir.filePath(QStringLiteral(".hidden.txt")));
    touch(dir.filePath(QStringLiteral("README")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
    const auto match = [&](const char* p) { return io::firstMatchingFile(dir.filePath(QString::fromLatin1(p))); };
    EXPECT_EQ(match("M7.wav"), dir.filePath(QStringLiteral("M7.wav")));
    EXPECT_EQ(match("m7.WAV"), dir.filePath(QStringLiteral("M7.wav")));
    EXPECT_EQ(match("M?.wav"), dir.filePath(QStringLiteral("M7.wav")));
    EXPECT_EQ(match("*.wav"), dir.filePath(QStringLiteral("M7.wav")));
    EXPECT_EQ(match("READ*"), dir.filePath(QStringLiteral("README")));
    EXPECT_FALSE(match("*.*").isEmpty());
    EXPECT_TRUE(match("M8.wav").isEmpty());
    EXPECT_TRUE(match("*.txt").isEmpty());          // hidden file and folder do not count
    EXPECT_TRUE(match("M??.wav").isEmpty());
    EXPECT_TRUE(io::firstMatchingFile(dir.path()).isEmpty());   // the folder itself
    EXPECT_TRUE(io::firstMatchingFile(dir.filePath(QStringLiteral("none/*.wav"))).isEmpty());
    EXPECT_TRUE(io::firstMatchingFile(QString()).isEmpty());
}

TEST(Folders, DeleteTreeRemovesEverything)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("Sicherung 1"));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/a/b")));
    touch(root + QStringLiteral("/x.dat"));
    touch(root + QStringLiteral("/.versteckt"));
    touch(root + QStringLiteral("/a/b/tief.dat"));
    const QString ro = root + QStringLiteral("/a/nur-lesen.dat");
    touch(ro);
    QFile::setPermissions(ro, QFileDevice::ReadOwner);
    QFile::setPermissions(root + QStringLiteral("/a/b"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(io::deleteTree(root));
    EXPECT_FALSE(QFileInfo::exists(root));
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

TEST(Folders, DeleteTreeNeverFollowsLinks)
{
    QTemporaryDir dir;
    const QString outside = dir.filePath(QStringLiteral("outside"));
    ASSERT_TRUE(QDir().mkpath(outside + QStringLiteral("/keep")));
    touch(outside + QStringLiteral("/wichtig.dat"));
    const QString root = dir.filePath(QStringLiteral("tree"));
    ASSERT_TRUE(QDir().mkpath(root));
    ASSERT_TRUE(QFile::link(outside, root + QStringLiteral("/to-outside")));
    ASSERT_TRUE(QFile::link(outside + QStringLiteral("/wichtig.dat"), root + QStringLiteral("/file-link")));
    ASSERT_TRUE(QFile::link(root, root + QStringLiteral("/loop")));   // a cycle must not hurt
    EXPECT_TRUE(io::deleteTree(root));
    EXPECT_FALSE(QFileInfo::exists(root));
    EXPECT_TRUE(QFileInfo::exists(outside + QStringLiteral("/wichtig.dat")));
    EXPECT_TRUE(QFileInfo(outside + QStringLiteral("/keep")).isDir());

    // A link given as the folder itself: only the link goes.
    const QString topLink = dir.filePath(QStringLiteral("top-link"));
    ASSERT_TRUE(QFile::link(outside, topLink));
    EXPECT_TRUE(io::deleteTree(topLink));
    EXPECT_FALSE(QFileInfo(topLink).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(outside + QStringLiteral("/wichtig.dat")));
}

TEST(Folders, DeleteTreeReportsWhatItCannotDo)
{
    QTemporaryDir dir;
    EXPECT_FALSE(io::deleteTree(dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(io::deleteTree(QString()));
    const QString file = dir.filePath(QStringLiteral("file"));
    touch(file);
    EXPECT_FALSE(io::deleteTree(file));
    EXPECT_TRUE(QFileInfo::exists(file));
}

TEST(Folders, DeleteTreeGoesOnPastAnUndeletableEntry)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("tree"));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/a")));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/z/deep")));
    touch(root + QStringLiteral("/a/stuck"));
    touch(root + QStringLiteral("/z/deep/f"));
    touch(root + QStringLiteral("/m.txt"));
    Immutable stuck(root + QStringLiteral("/a/stuck"));
    if (!stuck.on())
        GTEST_SKIP() << "cannot make a file undeletable here";
    EXPECT_FALSE(io::deleteTree(root));   // returns, does not spin
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/a/stuck")));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/z")));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/m.txt")));
}

TEST(Folders, BackslashPaths)
{
    EXPECT_EQ(io::localPath(QStringLiteral("C:\\Fahrten\\Sicherung\\")), QStringLiteral("C:/Fahrten/Sicherung/"));
    EXPECT_EQ(io::localPath(QStringLiteral("/ok/path")), QStringLiteral("/ok/path"));
}

TEST(Folders, OnlyAMarkedFolderWhoseProcessHasEndedIsAbandoned)
{
    QTemporaryDir dir;
    const QString anderswo = dir.filePath(QStringLiteral("anderswo"));
    verlassenAnlegen(anderswo);
    struct Fall { const char* name; std::function<void(const QString&)> anlegen; bool verlassen; };
    const Fall faelle[] = {
        {"built by this running process", [](const QString& p) { ASSERT_TRUE(io::createMarkedFolder(p)); }, false},
        {"its process has ended", [](const QString& p) { verlassenAnlegen(p); }, true},
        {"its number taken by a later process",
         [](const QString& p) {
             ASSERT_TRUE(io::createMarkedFolder(p));
             markeAendern(p, "start", "1");
         },
         true},
        {"written before the computer last started",
         [](const QString& p) {
             ASSERT_TRUE(io::createMarkedFolder(p));
             markeAendern(p, "boot", "00000000-0000-0000-0000-000000000000");
         },
         true},
        {"of another computer",
         [](const QString& p) {
             verlassenAnlegen(p);
             markeAendern(p, "host", "anderer-rechner");
         },
         false},
        {"its marker empty: killed between its creation and its write",
         [](const QString& p) {
             ASSERT_TRUE(io::createMarkedFolder(p));
             QFile(marke(p)).resize(0);
         },
         true},
        {"running, its start line gone",
         [](const QString& p) {
             ASSERT_TRUE(io::createMarkedFolder(p));
             markeOhne(p, "start");
         },
         false},
        {"running, its boot line gone",
         [](const QString& p) {
             ASSERT_TRUE(io::createMarkedFolder(p));
             markeOhne(p, "boot");
         },
         false},
        {"finished",
         [](const QString& p) {
             verlassenAnlegen(p);
             ASSERT_TRUE(io::unmarkFolder(p));
         },
         false},
        {"not marked",
         [](const QString& p) {
             ASSERT_TRUE(QDir().mkdir(p));
             touch(p + QStringLiteral("/Auto1_26.dat"));
         },
         false},
        {"a link to an abandoned folder", [&](const QString& p) { ASSERT_TRUE(QFile::link(anderswo, p)); }, false},
        {"its marker a link",
         [&](const QString& p) {
             ASSERT_TRUE(QDir().mkdir(p));
             ASSERT_TRUE(QFile::link(marke(anderswo), p + QStringLiteral("/") + QFileInfo(marke(anderswo)).fileName()));
         },
         false},
    };
    for (const Fall& f : faelle) {
        const QString p = dir.filePath(QString::fromUtf8(f.name));
        f.anlegen(p);
        EXPECT_EQ(io::isAbandonedMarkedFolder(p), f.verlassen) << f.name;
    }
    // A marked folder is not marked twice.
    EXPECT_FALSE(io::markFolder(dir.filePath(QStringLiteral("built by this running process"))));
    // A folder that is there already is not taken over.
    EXPECT_FALSE(io::createMarkedFolder(dir.filePath(QStringLiteral("not marked"))));
    EXPECT_FALSE(io::isAbandonedMarkedFolder(dir.filePath(QStringLiteral("not marked"))));
}

TEST(Folders, AMarkedFolderOfAnotherUsersRunningProcessIsNotAbandoned)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to check as another user";
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                      | QFileDevice::ReadOther | QFileDevice::ExeOther));
    const QString p = dir.filePath(QStringLiteral("laeuft"));
    ASSERT_TRUE(io::createMarkedFolder(p));
    // The checker may not signal this process: that says nothing about its end.
    const pid_t kind = ::fork();
    if (kind == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        ::_exit(io::isAbandonedMarkedFolder(p) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(kind, &status, 0), kind);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
