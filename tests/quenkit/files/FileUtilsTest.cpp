#include "quenkit/files/FileAccess.h"
#include "quenkit/files/FileUtils.h"
#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quenkit;
using testsupport::readFile;
using testsupport::TempFolders;
using testsupport::writeFile;

TEST(CheckDirSub, EightThreeNamesAndDeviceNames)
{
    struct Case {
        const char16_t *name;
        int expected;
    } cases[] = {
        {u"LPT1", 0},      {u"CON", 0},       {u"lpt1", 1},      {u"COM5", 1},     {u"ABCDEFGHI", 0},
        {u"ABCDEFGH", 1},  {u"ABCD.EXT", 1},  {u"ABCD.EXTN", 0}, {u"食品食品", 1}, {u"食品食品a", 0},
        {u"ABCDEFGHI.A", 0}, {u"A.", 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CheckDirSub(toSjis(QString::fromUtf16(c.name))), c.expected) << QString::fromUtf16(c.name).toStdString();
}

TEST(CheckDir, ComponentsAndRefusedCharacters)
{
    struct Case {
        const char16_t *path;
        int expected;
    } cases[] = {
#ifdef Q_OS_WIN
        {u"C:\\DALMORA\\FOOD5", 1}, {u"C:\\DALMORA\\", 0}, {u"C:\\A\\\\B", 0}, {u"C:\\A*B", 0},
        {u"C:\\.HIDDEN", 0},        {u"C:\\A.B.C", 0},     {u"C:\\LONGFOLDERNAME", 0}, {u"C:\\食品", 1},
        {u"C:\\A\\LPT1", 0},
#else
        {u"/opt/dalmora/FOOD5", 1}, {u"/opt/dalmora/", 0}, {u"/opt//x", 0}, {u"/opt/a*b", 0},
        {u"/opt/.hidden", 0},       {u"/opt/a.b.c", 0},   {u"/opt/longfoldername", 0}, {u"/opt/食品", 1},
        {u"/opt/LPT1", 0},          {u"opt/x", 0},        {u"/", 0},   {u"/opt/a\\b", 0}, {u"/a=b", 0},
        // A double-byte character whose trail byte is 0x5C ("\") is one character: ソ is 0x83 0x5C.
        {u"/ソフト", 1},
#endif
    };
    for (const Case &c : cases)
        EXPECT_EQ(CheckDir(QString::fromUtf16(c.path)), c.expected) << QString::fromUtf16(c.path).toStdString();
}

TEST(MakeDir, CreatesParentsAndReportsExisting)
{
    TempFolders folders;
    const QString deep = folders.root() + QStringLiteral("/a/b/c");
    EXPECT_EQ(MakeDir(deep), 1);
    EXPECT_TRUE(QFileInfo(deep).isDir());
    const auto before = QDir(folders.root() + QStringLiteral("/a/b")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_EQ(MakeDir(deep), 2);
    EXPECT_EQ(QDir(folders.root() + QStringLiteral("/a/b")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    ASSERT_TRUE(writeFile(folders.root() + QStringLiteral("/file"), "x"));
    EXPECT_EQ(MakeDir(folders.root() + QStringLiteral("/file/sub")), 0);
}

TEST(CopyFile, ChunkedCopyWithProgressAndStop)
{
    TempFolders folders;
    QByteArray data(25'000, Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(writeFile(folders.dataFile(QStringLiteral("src.dat")), data));

    QList<qint64> steps;
    EXPECT_EQ(_mCopyFile(QStringLiteral("src.dat"), QStringLiteral("dst.dat"),
                         [&](qint64 copied, qint64 total) {
                             EXPECT_EQ(total, 25'000);
                             steps.append(copied);
                             return true;
                         }),
              1);
    EXPECT_EQ(readFile(folders.dataFile(QStringLiteral("dst.dat"))), data);
    EXPECT_EQ(steps, (QList<qint64>{10'000, 20'000, 25'000}));

    EXPECT_EQ(_mCopyFile(QStringLiteral("src.dat"), QStringLiteral("stopped.dat"), [](qint64, qint64) { return false; }), -1);
    EXPECT_EQ(readFile(folders.dataFile(QStringLiteral("stopped.dat"))).size(), 10'000);

    ASSERT_TRUE(writeFile(folders.dataFile(QStringLiteral("empty.dat")), QByteArray()));
    EXPECT_EQ(_mCopyFile(QStringLiteral("empty.dat"), QStringLiteral("empty2.dat")), 1);
    EXPECT_TRUE(QFileInfo::exists(folders.dataFile(QStringLiteral("empty2.dat"))));
    EXPECT_EQ(_mCopyFile(QStringLiteral("missing.dat"), QStringLiteral("x.dat")), 0);
}

TEST(CopyFile, WholeFileFromTheCurrentPosition)
{
    TempFolders folders;
    ASSERT_TRUE(writeFile(folders.dataFile(QStringLiteral("s")), "0123456789"));
    FileHandle in(FileOpen(QStringLiteral("s"), OpenRead));
    FileHandle out(FileOpen(QStringLiteral("d"), OpenCreate));
    FileSeek(in.get(), 4);
    EXPECT_EQ(FileCopy(in.get(), out.get()), 1);
    out.close();
    EXPECT_EQ(readFile(folders.dataFile(QStringLiteral("d"))), QByteArray("456789"));
    EXPECT_EQ(FileCopy(-1, -1), 0);
}

TEST(GetDiskFree, ReportsTheDataFolderVolume)
{
    TempFolders folders;
    quint32 words[2] = {0, 0};
    EXPECT_EQ(GetDiskFree(2, words), 1);
    const quint64 bytes = (static_cast<quint64>(words[1]) << 32) | words[0];
    EXPECT_GT(bytes, 0u);
    EXPECT_NE(bytes, 0xFFFFFFFFFFFFFFFFull);
}

TEST(DeleteSetupFiles, RemovesTheFolderBelowTemp)
{
    TempFolders folders;
    const QByteArray oldTemp = qgetenv("TEMP");
    qputenv("TEMP", folders.root().toLocal8Bit());
    QDir(folders.root()).mkpath(QStringLiteral("SETUP1"));
    ASSERT_TRUE(writeFile(folders.root() + QStringLiteral("/SETUP1/a.z"), "x"));
    EXPECT_EQ(DeleteSetupFiles(QStringLiteral("SETUP1")), 1);
    EXPECT_FALSE(QFileInfo::exists(folders.root() + QStringLiteral("/SETUP1")));
    if (oldTemp.isEmpty())
        qunsetenv("TEMP");
    else
        qputenv("TEMP", oldTemp);
}
