#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/io/recordfile.h"

using io::RecordFile;

namespace {

QByteArray rec(char c, int len = 10) { return QByteArray(len, c); }

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

} // namespace

TEST(RecordFile, MissingFileReadsZeroAndIsNeverCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Fahrt.dat"));
    RecordFile f(path, 10);
    EXPECT_FALSE(f.exists());
    EXPECT_EQ(f.count(), 0);
    EXPECT_EQ(f.read(1), QByteArray(10, '\0'));
    QByteArray out("junk");
    EXPECT_FALSE(f.read(1, out));
    EXPECT_EQ(out, QByteArray(10, '\0'));
    EXPECT_TRUE(f.readAll().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(RecordFile, CountIgnoresTrailingPartialRecord)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.dat"));
    writeRaw(path, rec('a') + rec('b') + QByteArray("xyz"));
    RecordFile f(path, 10);
    EXPECT_TRUE(f.exists());
    EXPECT_EQ(f.count(), 2);
    EXPECT_EQ(f.read(2), rec('b'));
    EXPECT_EQ(f.read(3), QByteArray(10, '\0'));   // the partial record is past the end
    EXPECT_EQ(f.read(0), QByteArray(10, '\0'));
    EXPECT_EQ(f.read(-5), QByteArray(10, '\0'));
    EXPECT_EQ(f.readAll(), (QList<QByteArray>{rec('a'), rec('b')}));
    // Appending replaces the partial tail with a whole record.
    ASSERT_TRUE(f.append(rec('c')));
    EXPECT_EQ(readRaw(path), rec('a') + rec('b') + rec('c'));
    EXPECT_EQ(f.count(), 3);
}

TEST(RecordFile, WriteOnlyInsideOrJustAfterTheEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.dat"));
    RecordFile f(path, 10);
    EXPECT_FALSE(f.write(0, rec('x')));
    EXPECT_FALSE(f.write(2, rec('x')));
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_TRUE(f.write(1, rec('1')));
    ASSERT_TRUE(f.write(2, rec('2')));
    ASSERT_TRUE(f.write(1, rec('A')));   // overwrite in place
    EXPECT_FALSE(f.write(4, rec('4')));
    EXPECT_FALSE(f.write(-1, rec('4')));
    EXPECT_FALSE(f.write(2147483647, rec('4')));
    EXPECT_FALSE(f.write(3, rec('s', 9)));     // short record
    EXPECT_FALSE(f.write(3, rec('l', 11)));    // long record
    EXPECT_EQ(readRaw(path), rec('A') + rec('2'));
    EXPECT_EQ(f.count(), 2);
}

TEST(RecordFile, RefusesFoldersAndMissingFolders)
{
    QTemporaryDir dir;
    RecordFile inMissing(dir.filePath(QStringLiteral("nope/c.dat")), 10);
    EXPECT_FALSE(inMissing.write(1, rec('x')));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("nope"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    RecordFile folder(dir.filePath(QStringLiteral("sub")), 10);
    EXPECT_FALSE(folder.exists());
    EXPECT_EQ(folder.count(), 0);
    EXPECT_EQ(folder.read(1), QByteArray(10, '\0'));
    EXPECT_FALSE(folder.write(1, rec('x')));
}

TEST(RecordFile, LargeRecordNumbersUse64BitOffsets)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.dat"));
    // A sparse file of 40000 records of 671 bytes: beyond 16-bit numbers and 2^24 bytes.
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(40000) * 671));
    }
    RecordFile f(path, 671);
    ASSERT_EQ(f.count(), 40000);
    ASSERT_TRUE(f.write(40001, rec('z', 671)));
    ASSERT_TRUE(f.write(33000, rec('m', 671)));
    EXPECT_EQ(f.read(40001), rec('z', 671));
    EXPECT_EQ(f.read(33000), rec('m', 671));
    EXPECT_EQ(f.read(32999), QByteArray(671, '\0'));
    EXPECT_EQ(QFileInfo(path).size(), qint64(40001) * 671);
}

TEST(RecordFile, AFifoUnderTheNameIsRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Vor2016.dat");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // Should a reader block, a writer turns up after two seconds and lets it go.
    std::atomic<bool> fertig{false};
    std::thread waechter([&] {
        for (int i = 0; i < 200 && !fertig; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        while (!fertig) {
            const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    QElapsedTimer uhr;
    uhr.start();
    RecordFile f(path, 10);
    QByteArray out;
    EXPECT_FALSE(f.exists());
    EXPECT_EQ(f.count(), 0);
    EXPECT_FALSE(f.read(1, out));
    EXPECT_EQ(out, QByteArray(10, '\0'));
    EXPECT_TRUE(f.readAll().isEmpty());
    EXPECT_FALSE(f.write(1, rec('a')));
    EXPECT_LT(uhr.elapsed(), 1000);
    fertig = true;
    waechter.join();
}
