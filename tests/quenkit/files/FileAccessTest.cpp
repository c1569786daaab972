#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileAccess.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quenkit;
using testsupport::readFile;
using testsupport::TempFolders;
using testsupport::writeFile;

TEST(FileAccess, OpenModes)
{
    TempFolders folders;
    ASSERT_TRUE(writeFile(folders.dataFile(QStringLiteral("a.dat")), "0123456789"));

    EXPECT_EQ(FileOpen(QStringLiteral("missing.dat"), OpenRead), -1);
    EXPECT_EQ(FileOpen(QStringLiteral("missing.dat"), OpenReadWrite), -1);
    EXPECT_EQ(FileOpen(QStringLiteral("missing.dat"), OpenWrite), -1);
    EXPECT_FALSE(QFileInfo::exists(folders.dataFile(QStringLiteral("missing.dat"))));
    EXPECT_EQ(FileOpen(QStringLiteral("missing.dat"), OpenExists), -1);
    EXPECT_EQ(FileOpen(QStringLiteral("a.dat"), OpenExists), 1);

    {
        // Writing into an existing file keeps its length.
        FileHandle h(FileOpen(QStringLiteral("a.dat"), OpenWrite));
        ASSERT_TRUE(h.isOpen());
        EXPECT_EQ(FileSeek(h.get(), 2), 2);
        EXPECT_EQ(FileWrite(h.get(), "xy", 2), 2);
        EXPECT_EQ(GetFileLength(h.get()), 10);
    }
    EXPECT_EQ(readFile(folders.dataFile(QStringLiteral("a.dat"))), QByteArray("01xy456789"));

    {
        FileHandle h(FileOpen(QStringLiteral("a.dat"), OpenRead));
        char buf[16] = {};
        EXPECT_EQ(FileSeek(h.get(), 8), 8);
        EXPECT_EQ(FileRead(h.get(), buf, 16), 2);
        EXPECT_EQ(QByteArray(buf, 2), QByteArray("89"));
        EXPECT_EQ(FileWrite(h.get(), "z", 1), -1);  // opened for reading only
    }
    {
        FileHandle h(FileOpen(QStringLiteral("a.dat"), OpenCreate));
        ASSERT_TRUE(h.isOpen());
        EXPECT_EQ(GetFileLength(h.get()), 0);
    }
    EXPECT_EQ(FileRead(12345, nullptr, 1), -1);
    EXPECT_EQ(GetFileLength(12345), -1);
    EXPECT_NE(FileClose(12345), 0);
}

TEST(DataFolder, ResolvesNamesWithoutRegardToCase)
{
    TempFolders folders;
    QDir(folders.dataDir()).mkpath(QStringLiteral("Food5"));
    ASSERT_TRUE(writeFile(folders.dataFile(QStringLiteral("Food5/S12.DBF")), "x"));
    ASSERT_TRUE(writeFile(folders.dataFile(QStringLiteral("w3.dbf")), "y"));

    EXPECT_EQ(dataPath(QStringLiteral("FOOD5\\s12.dbf")), folders.dataFile(QStringLiteral("Food5/S12.DBF")));
    EXPECT_EQ(dataPath(QStringLiteral("W3.DBF")), folders.dataFile(QStringLiteral("w3.dbf")));
    // A name found in neither spelling stays as given, so a new file gets the caller's name.
    EXPECT_EQ(dataPath(QStringLiteral("FOOD5\\NEW.DBF")), folders.dataFile(QStringLiteral("Food5/NEW.DBF")));
    EXPECT_EQ(FileOpen(QStringLiteral("food5\\s12.dbf"), OpenExists), 1);
}

TEST(DataFolder, FolderComesFromTheInstallationSetting)
{
    TempFolders folders;
    setDataFolderOverride(QString());
    EXPECT_TRUE(dataFolder().isEmpty());
    ASSERT_EQ(SetUserRegistryString(QStringLiteral("DataDir2"), folders.dataDir() + QLatin1Char('/')), 1);
    EXPECT_EQ(dataFolder(), folders.dataDir() + QLatin1Char('/'));
    EXPECT_EQ(dataPath(QStringLiteral("x.dat")), folders.dataFile(QStringLiteral("x.dat")));
}

TEST(DataFolder, ReplaceAndRecover)
{
    TempFolders folders;
    const QString target = folders.dataFile(QStringLiteral("t.DBF"));
    const QString temp = folders.dataFile(QStringLiteral("t.TMP"));
    EXPECT_EQ(temporaryName(QStringLiteral("料理.DBF")), QStringLiteral("料理.TMP"));

    ASSERT_TRUE(writeFile(target, "old"));
    ASSERT_TRUE(writeFile(temp, "new"));
    EXPECT_TRUE(replaceFile(temp, target));
    EXPECT_EQ(readFile(target), QByteArray("new"));
    EXPECT_FALSE(QFileInfo::exists(temp));

    // A stale temporary file beside an intact target is removed.
    ASSERT_TRUE(writeFile(temp, "stale"));
    removeLeftover(temp);
    EXPECT_FALSE(QFileInfo::exists(temp));
    EXPECT_EQ(readFile(target), QByteArray("new"));

    // A rewrite never removes its target first, so a temporary file whose target is gone is
    // what a deleted file's interrupted rewrite left: it must not come back as the file (a new
    // user of a reused number would read the deleted user's data).
    QFile::remove(target);
    ASSERT_TRUE(writeFile(temp, "deleted user's data"));
    removeLeftover(temp);
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_FALSE(QFileInfo::exists(temp));
}
