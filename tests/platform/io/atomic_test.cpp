#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <tuple>
#include <acl/libacl.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <grp.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/io/atomic.h"
#include "platform/io/posixfile.h"
#include "platform/io/recordfile.h"
#include "platform/io/schritte.h"

namespace {

void writeRaw(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

QByteArray readRaw(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Lets writes beyond 'bytes' fail with EFBIG (even for root) while alive.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lim = m_old;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

QStringList entries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(Atomic, WriteReplacesWholeFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.dat"));
    writeRaw(path, "old content that is longer");
    QString err;
    ASSERT_TRUE(io::writeFileAtomic(path, "new", &err)) << err.toStdString();
    EXPECT_EQ(readRaw(path), QByteArray("new"));
    ASSERT_TRUE(io::writeFileAtomic(path, QByteArray()));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_EQ(entries(dir), QStringList{QStringLiteral("t.dat")});   // no temporary left behind
}

TEST(Atomic, FailureLeavesOldStateAndReports)
{
    QTemporaryDir dir;
    // Target is a folder.
    const QString folder = dir.filePath(QStringLiteral("isdir"));
    ASSERT_TRUE(QDir().mkdir(folder));
    writeRaw(folder + QStringLiteral("/inside"), "keep");
    QString err;
    EXPECT_FALSE(io::writeFileAtomic(folder, "x", &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(readRaw(folder + QStringLiteral("/inside")), QByteArray("keep"));
    // Folder of the target missing: nothing is created.
    EXPECT_FALSE(io::writeFileAtomic(dir.filePath(QStringLiteral("missing/t.dat")), "x"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
    // Parent is a file.
    const QString plain = dir.filePath(QStringLiteral("plain"));
    writeRaw(plain, "plain");
    EXPECT_FALSE(io::writeFileAtomic(plain + QStringLiteral("/t.dat"), "x"));
    EXPECT_EQ(readRaw(plain), QByteArray("plain"));
    EXPECT_EQ(entries(dir), (QStringList{QStringLiteral("isdir"), QStringLiteral("plain")}));
}

TEST(Atomic, RewriteRecordsChecksEveryLength)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.dat"));
    writeRaw(path, "AAAABBBB");
    ASSERT_TRUE(io::rewriteRecords(path, 4, {QByteArray("1111"), QByteArray("2222"), QByteArray("3333")}));
    EXPECT_EQ(readRaw(path), QByteArray("111122223333"));
    QString err;
    EXPECT_FALSE(io::rewriteRecords(path, 4, {QByteArray("xxxx"), QByteArray("yyy")}, &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(readRaw(path), QByteArray("111122223333"));
    EXPECT_FALSE(io::rewriteRecords(path, 0, {}));
    ASSERT_TRUE(io::rewriteRecords(path, 4, {}));
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);
}

TEST(Atomic, TruncateKeepsLeadingRecords)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.dat"));
    writeRaw(path, "AAAABBBBCCCCDD");   // three records and a partial one
    ASSERT_TRUE(io::truncateRecords(path, 4, 5));
    EXPECT_EQ(readRaw(path), QByteArray("AAAABBBBCCCC"));
    ASSERT_TRUE(io::truncateRecords(path, 4, 3));
    EXPECT_EQ(readRaw(path), QByteArray("AAAABBBBCCCC"));
    ASSERT_TRUE(io::truncateRecords(path, 4, 1));
    EXPECT_EQ(readRaw(path), QByteArray("AAAA"));
    ASSERT_TRUE(io::truncateRecords(path, 4, 0));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_FALSE(io::truncateRecords(path, 4, -1));
    const QString missing = dir.filePath(QStringLiteral("none.dat"));
    EXPECT_FALSE(io::truncateRecords(missing, 4, 0));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST(Atomic, CopyReplacesTargetOrLeavesIt)
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src.dat"));
    const QString dst = dir.filePath(QStringLiteral("dst.dat"));
    QByteArray big(3 * 1024 * 1024 + 7, '\0');
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char(i * 31);
    writeRaw(src, big);
    writeRaw(dst, "old");
    ASSERT_TRUE(io::copyFileAtomic(src, dst));
    EXPECT_EQ(readRaw(dst), big);
    EXPECT_EQ(readRaw(src), big);
    // Missing source: target untouched.
    EXPECT_FALSE(io::copyFileAtomic(dir.filePath(QStringLiteral("gone")), dst));
    EXPECT_EQ(readRaw(dst), big);
    // Folder as source or target.
    ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("d"))));
    EXPECT_FALSE(io::copyFileAtomic(dir.filePath(QStringLiteral("d")), dst));
    EXPECT_FALSE(io::copyFileAtomic(src, dir.filePath(QStringLiteral("d"))));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("d"))).isDir());
    // Empty source copies as empty.
    writeRaw(src, QByteArray());
    ASSERT_TRUE(io::copyFileAtomic(src, dst));
    EXPECT_EQ(QFileInfo(dst).size(), 0);
    // Onto itself keeps the content.
    writeRaw(src, "same");
    ASSERT_TRUE(io::copyFileAtomic(src, src));
    EXPECT_EQ(readRaw(src), QByteArray("same"));
}

TEST(Atomic, WriteErrorMidwayKeepsOldFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fahrt.dat"));
    const QString copy = dir.filePath(QStringLiteral("kopie.dat"));
    const QByteArray old(300, 'o');
    writeRaw(path, old);
    writeRaw(copy, "alt");
    {
        FileSizeLimit limit(4096);
        QString err;
        EXPECT_FALSE(io::writeFileAtomic(path, QByteArray(10000, 'n'), &err));
        EXPECT_FALSE(err.isEmpty());
        EXPECT_FALSE(io::rewriteRecords(path, 100, QList<QByteArray>(60, QByteArray(100, 'r'))));
        EXPECT_TRUE(io::copyFileAtomic(path, copy));
    }
    EXPECT_EQ(readRaw(path), old);
    EXPECT_EQ(readRaw(copy), old);
    EXPECT_EQ(entries(dir), (QStringList{QStringLiteral("fahrt.dat"), QStringLiteral("kopie.dat")}));
}

TEST(Atomic, RecordAppendBeyondTheLimitLeavesNoTornRecord)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fahrt.dat"));
    writeRaw(path, QByteArray(4090, 'a'));
    io::RecordFile f(path, 10);
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(f.append(QByteArray(10, 'b')));
        EXPECT_TRUE(f.write(409, QByteArray(10, 'c')));   // in place still works
    }
    EXPECT_EQ(f.count(), 409);
    EXPECT_EQ(QFileInfo(path).size(), 4090);
    EXPECT_EQ(f.read(409), QByteArray(10, 'c'));
}

TEST(Atomic, KeepsLinksAndAccessRights)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("daten"))));
    const QString real = dir.filePath(QStringLiteral("daten/echt.dat"));
    const QString link = dir.filePath(QStringLiteral("verweis.dat"));
    writeRaw(real, "alt");
    QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(io::writeFileAtomic(link, "neu"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readRaw(real), QByteArray("neu"));
    EXPECT_EQ(QFile::permissions(real) & 0x7077,   // owner, group, others
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("daten"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("echt.dat")});
}

// The file's access list as text, its plain entries included.
QByteArray accessList(const QString& path, acl_type_t type = ACL_TYPE_ACCESS)
{
    acl_t a = acl_get_file(QFile::encodeName(path).constData(), type);
    if (!a)
        return "(keine)";
    char* t = acl_to_any_text(a, nullptr, ',', TEXT_ABBREVIATE);
    const QByteArray text(t ? t : "");
    acl_free(t);
    acl_free(a);
    return text;
}

TEST(Atomic, ARewriteOrACopyGivesNoRightItsSourceDidNotGive)
{
    struct Row {
        const char* name;
        bool copy;             // a new copy of the file, else a rewrite of it
        mode_t mode;
        const char* list;      // its access list; null: none
        const char* inherit;   // the folder's default list; null: none
        bool import = false;   // a copy taken in to work on: a new file's rights
    };
    const Row rows[] = {
        {"a copy of a 0640 file", true, 0640, nullptr, nullptr},
        {"a copy of a 0604 file", true, 0604, nullptr, nullptr},
        {"a copy of a set-group-id file", true, 02750, nullptr, nullptr},
        {"an import of a 0444 file (a read-only medium, a closed year)", true, 0444, nullptr, nullptr, true},
        // The rows with access lists come last.
        {"rewrite: u:daemon:rw on 0640", false, 0640, "u::rw-,u:daemon:rw-,g::r--,m::rw-,o::---", nullptr},
        {"rewrite: u:nobody:rx on a 0750 program", false, 0750, "u::rwx,u:nobody:r-x,g::r-x,m::r-x,o::---", nullptr},
        {"rewrite: a plain file in a folder that gives daemon rw", false, 0640, nullptr, "u::rwx,u:daemon:rw-,g::r-x,m::rwx,o::---"},
        {"copy: u:nobody:rw on 0640", true, 0640, "u::rw-,u:nobody:rw-,g::r--,m::rw-,o::---", nullptr},
        {"copy: a plain file into a folder that gives daemon rw", true, 0640, nullptr, "u::rwx,u:daemon:rw-,g::r-x,m::rwx,o::---"},
    };
    const mode_t umaskBefore = ::umask(022);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("quelle.dat"));
        const QString target = r.copy ? dir.filePath(QStringLiteral("ziel/kopie.dat")) : source;
        ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("ziel"))));
        writeRaw(source, "alt");
        ASSERT_EQ(::chmod(QFile::encodeName(source).constData(), r.mode), 0);
        for (auto [text, path, type] : {std::tuple{r.list, source, ACL_TYPE_ACCESS},
                                        std::tuple{r.inherit, QFileInfo(target).path(), ACL_TYPE_DEFAULT}}) {
            if (!text)
                continue;
            acl_t a = acl_from_text(text);
            ASSERT_NE(a, nullptr);
            const int set = acl_set_file(QFile::encodeName(path).constData(), type, a);
            acl_free(a);
            if (set != 0 && (errno == ENOTSUP || errno == EOPNOTSUPP)) {
                ::umask(umaskBefore);
                GTEST_SKIP() << "the test folder's file system has no access lists";
            }
            ASSERT_EQ(set, 0);
        }
        struct stat before {};
        ASSERT_EQ(::stat(QFile::encodeName(source).constData(), &before), 0);
        const QByteArray list = accessList(source);
        ASSERT_TRUE(r.import ? io::importFileAtomic(source, target)
                    : r.copy ? io::copyFileAtomic(source, target)
                             : io::writeFileAtomic(target, "neu"));
        struct stat after {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, r.import ? 0644u : before.st_mode & 07777);
        EXPECT_EQ(accessList(target), r.import ? QByteArray("u::rw-,g::r--,o::r--") : list);
    }
    ::umask(umaskBefore);

    // A file system that takes no list (here its step refused so): the
    // rewrite goes on, the group gets its entry's r--, not the mask's rw-.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste.dat"));
    auto withList = [&] {
        writeRaw(path, "alt");
        acl_t a = acl_from_text("u::rw-,u:daemon:rw-,g::r--,m::rw-,o::---");
        acl_set_file(QFile::encodeName(path).constData(), ACL_TYPE_ACCESS, a);
        acl_free(a);
    };
    withList();
    io::pruefstand::zaehlen();
    ASSERT_TRUE(io::writeFileAtomic(path, "neu"));
    const long n = io::pruefstand::schritte();
    int refusedListSteps = 0;
    for (long k = 1; k < n; ++k) {
        withList();
        io::pruefstand::fehlerBei(k, EOPNOTSUPP);
        const bool ok = io::writeFileAtomic(path, "neu");
        io::pruefstand::aus();
        if (!ok)
            continue;
        ++refusedListSteps;
        EXPECT_EQ(readRaw(path), QByteArray("neu"));
        EXPECT_EQ(accessList(path), "u::rw-,g::r--,o::---");
    }
    EXPECT_EQ(refusedListSteps, 1);
}

TEST(Atomic, AnOrdinaryUserKeepsTheFilesGroupAndSetIdBitsOnARewrite)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can become another user with a second group";
    // Rewritten by nobody, who is in the group daemon (1) beside his own, in
    // a folder anyone may write.
    struct Row {
        const char* name;
        uid_t uid;
        gid_t gid;
        mode_t mode;
    };
    const Row rows[] = {
        {"root:daemon 0660: the group stays, the owner cannot", 0, 1, 0660},
        {"his own set-user-id file", 65534, 65534, 04750},
        {"his own set-group-id file of his second group", 65534, 1, 02770},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QTemporaryDir dir;
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
        const QString path = dir.filePath(QStringLiteral("gruppe.dat"));
        writeRaw(path, "alt");
        const QByteArray p = QFile::encodeName(path);
        ASSERT_EQ(::chown(p.constData(), r.uid, r.gid), 0);
        ASSERT_EQ(::chmod(p.constData(), r.mode), 0);
        const pid_t kind = ::fork();
        if (kind == 0) {
            const gid_t gruppen[] = {65534, 1};
            if (::setgroups(2, gruppen) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            ::_exit(io::writeFileAtomic(path, "neu") ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(kind, &status, 0), kind);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_EQ(WEXITSTATUS(status), 0);
        struct stat st {};
        ASSERT_EQ(::stat(p.constData(), &st), 0);
        EXPECT_EQ(readRaw(path), QByteArray("neu"));
        EXPECT_EQ(st.st_uid, 65534u);   // not his to give away
        EXPECT_EQ(st.st_gid, r.gid);
        EXPECT_EQ(st.st_mode & 07777, r.mode);
    }
}

TEST(Atomic, ACopyIntoAFolderReplacesALinkAtItsNameAndNeverWritesThrough)
{
    QTemporaryDir dir;
    const QString fremd = dir.filePath(QStringLiteral("fremd.dat"));
    const QString quelle = dir.filePath(QStringLiteral("quelle.dat"));
    writeRaw(fremd, "fremd");
    writeRaw(quelle, "Daten");
    ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("sicherung"))));
    for (const QString& ziel : {fremd, dir.filePath(QStringLiteral("nichts.dat"))}) {
        const QString link = dir.filePath(QStringLiteral("sicherung/Vor2026.dat"));
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(ziel, link));
        ASSERT_TRUE(io::copyIntoFolder(quelle, link));
        EXPECT_FALSE(QFileInfo(link).isSymLink());
        EXPECT_EQ(readRaw(link), QByteArray("Daten"));
        EXPECT_EQ(readRaw(fremd), QByteArray("fremd"));
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("nichts.dat"))));
    }
}

TEST(Atomic, AWriteProtectedFileIsRefusedByEveryWriteAndStaysAsItWas)
{
    QTemporaryDir anderswo;
    const QString quelle = anderswo.filePath(QStringLiteral("sicherung.dat"));
    writeRaw(quelle, "CCCC");
    // verweis: written through a link to the protected file.
    struct Fall { const char* weg; std::function<bool(const QString&)> schreiben; bool verweis = false; };
    const Fall faelle[] = {
        {"whole file", [](const QString& p) { return io::writeFileAtomic(p, "neu!"); }},
        {"records", [](const QString& p) { return io::rewriteRecords(p, 4, {"1111", "2222", "3333"}); }},
        {"truncation", [](const QString& p) { return io::truncateRecords(p, 4, 1); }},
        {"copy onto it", [&](const QString& p) { return io::copyFileAtomic(quelle, p); }},
        {"append", [](const QString& p) { return io::RecordFile(p, 4).append("5555"); }},
        {"record in place", [](const QString& p) { return io::RecordFile(p, 4).write(1, "5555"); }},
        {"append through a link", [](const QString& p) { return io::RecordFile(p, 4).append("5555"); }, true},
        {"record in place through a link", [](const QString& p) { return io::RecordFile(p, 4).write(1, "5555"); }, true},
    };
    for (const Fall& f : faelle) {
        QTemporaryDir dir;   // the folder itself stays writable
        const QString path = dir.filePath(QStringLiteral("Auto1_26.dat"));
        const QString link = dir.filePath(QStringLiteral("Verweis.dat"));
        writeRaw(path, "AAAABBBB");
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
        if (f.verweis) {
            ASSERT_TRUE(QFile::link(path, link));
        }
        EXPECT_FALSE(io::mayWrite(path));
        EXPECT_FALSE(f.schreiben(f.verweis ? link : path)) << f.weg;
        EXPECT_EQ(readRaw(path), QByteArray("AAAABBBB")) << f.weg;
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0444u) << f.weg;
        const QStringList bleiben = f.verweis ? QStringList{QStringLiteral("Auto1_26.dat"), QStringLiteral("Verweis.dat")}
                                              : QStringList{QStringLiteral("Auto1_26.dat")};
        EXPECT_EQ(entries(dir), bleiben) << f.weg;
    }
}

TEST(Atomic, MayWriteAsksForAnyWriteBitAndThenTheSystem)
{
    QTemporaryDir dir;
    const QString datei = dir.filePath(QStringLiteral("Auto1_26.dat"));
    writeRaw(datei, "AAAA");
    // A write bit for the group only: root may write it, its owner may not.
    struct Fall { const char* name; mode_t mode; QString pfad; bool darf; };
    const Fall faelle[] = {
        {"0444", 0444, datei, false},
        {"0644", 0644, datei, true},
        {"0464", 0464, datei, ::geteuid() == 0},
        {"missing", 0644, dir.filePath(QStringLiteral("fehlt.dat")), true},
        {"below a file", 0644, datei + QStringLiteral("/x"), false},
    };
    for (const Fall& f : faelle) {
        ASSERT_EQ(::chmod(QFile::encodeName(datei).constData(), f.mode), 0);
        EXPECT_EQ(io::mayWrite(f.pfad), f.darf) << f.name;
    }
}

TEST(Atomic, LeftoversOfInterruptedRewritesAndNothingElseAreRemoved)
{
    QTemporaryDir dir;
    // the name a rewrite really gives its temporary, caught while it exists
    QString live;
    {
        io::detail::ReplacementFile f(dir.filePath("Auto1_16.dat"));
        ASSERT_TRUE(f.open());
        live = entries(dir).value(0);
    }
    EXPECT_TRUE(live.startsWith(QString(".Auto1_16.dat.neu-%1-").arg(::getpid()))) << live.toStdString();
    EXPECT_TRUE(io::detail::isReplacementName(live));

    ASSERT_TRUE(QDir(dir.path()).mkdir("Sicherheit"));
    // 99999999 is no process's number: their writers have ended.
    ASSERT_TRUE(QDir(dir.path()).mkdir(".Kund2016.dat.neu-99999999-4"));   // a folder of that name
    writeRaw(dir.filePath("Notizen.txt"), "x");
    writeRaw(dir.filePath("Sicherheit/.Auto1_16.dat.neu-99999999-1x"), "x");   // not in the program folder
    // Then a temporary of a writer that still runs (this process), one
    // without a writer, and temporaries by their pattern of names not the
    // caller's own.
    const QStringList bleiben = {".Auto1_16.dat.neu-", ".Vor2016.dat.neu-99999999-ABC",
                                 ".Vor2016.dat.neu-99999999-12345678", "Vor2016.dat.neu-99999999-1x",
                                 ".Vor2016.dat.alt-99999999-1x", ".Vor2016.dat.neu-99999999-1x.bak",
                                 QString(".Vor2016.dat.neu-%1-1x").arg(::getpid()), ".Vor2016.dat.neu-1x",
                                 ".bashrc.neu-99999999-abc", ".notiz.neu-99999999-1", ".Vor2015.dat.neu-99999999-1x"};
    for (const QString& n : bleiben)
        writeRaw(dir.filePath(n), "x");
    writeRaw(dir.filePath(".Auto1_16.dat.neu-99999999-" + QString::number(0xFFFFFFFFu, 36)), QByteArray(5000, 'x'));
    writeRaw(dir.filePath(".Vor2016.dat.neu-99999999-0"), "x");
    ASSERT_TRUE(QFile::link(dir.filePath("Notizen.txt"), dir.filePath(".Link.dat.neu-99999999-5")));
    // This process's number, but written long before it started: reused.
    const QString frueher = dir.filePath(QString(".Kund2016.dat.neu-%1-2").arg(::getpid()));
    writeRaw(frueher, "x");
    const struct timespec zeiten[2] = {{1000, 0}, {1000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(frueher).constData(), zeiten, 0), 0);

    const auto eigen = [](const QString& name) {
        return QStringList{"Auto1_16.dat", "Vor2016.dat", "Kund2016.dat", "Link.dat"}.contains(name);
    };
    EXPECT_EQ(io::removeRewriteLeftovers(dir.path(), eigen), 3);
    QStringList erwartet = bleiben;
    erwartet << "Notizen.txt" << "Sicherheit" << ".Kund2016.dat.neu-99999999-4" << ".Link.dat.neu-99999999-5";
    erwartet.sort();
    QStringList da = entries(dir);
    da.sort();
    EXPECT_EQ(da, erwartet);
    EXPECT_TRUE(QFile::exists(dir.filePath("Sicherheit/.Auto1_16.dat.neu-99999999-1x")));
    EXPECT_EQ(io::removeRewriteLeftovers(dir.filePath("fehlt"), eigen), 0);
}

TEST(Atomic, TheSeamCountsEveryStepAndStopsOrFailsAnyOfThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.dat"));
    writeRaw(path, "alt");
    io::pruefstand::zaehlen();
    ASSERT_TRUE(io::writeFileAtomic(path, "neu"));
    const long n = io::pruefstand::schritte();
    io::pruefstand::aus();
    // create, rights, write, flush, rename, flush of the folder
    EXPECT_EQ(n, 6);
    for (long k = 1; k <= n; ++k) {
        for (const int err : {ENOSPC, EIO, EACCES}) {
            writeRaw(path, "alt");
            io::pruefstand::fehlerBei(k, err);
            const bool ok = io::writeFileAtomic(path, "neu");
            io::pruefstand::aus();
            // Only the folder's flush comes after the rename.
            EXPECT_EQ(ok, k == n) << k << " " << err;
            EXPECT_EQ(readRaw(path), QByteArray(k == n ? "neu" : "alt")) << k << " " << err;
            EXPECT_EQ(entries(dir), QStringList{QStringLiteral("t.dat")}) << k << " " << err;
        }
        writeRaw(path, "alt");
        const pid_t kind = ::fork();
        if (kind == 0) {
            io::pruefstand::absturzBei(k);
            io::writeFileAtomic(path, "neu");
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(kind, &status, 0), kind);
        EXPECT_EQ(WEXITSTATUS(status), io::pruefstand::Absturzcode) << k;
        EXPECT_EQ(readRaw(path), QByteArray(k < 6 ? "alt" : "neu")) << k;
        // What the next start removes: the temporary, nothing else.
        EXPECT_EQ(io::removeRewriteLeftovers(dir.path(), [](const QString&) { return true; }), k > 1 && k < 6 ? 1 : 0) << k;
        EXPECT_EQ(entries(dir), QStringList{QStringLiteral("t.dat")}) << k;
    }
}
