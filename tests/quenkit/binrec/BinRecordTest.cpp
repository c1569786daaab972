#include "quenkit/binrec/BinRecord.h"
#include "quenkit/files/DataFolder.h"

#include "support/TestSupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quenkit;
using testsupport::readFile;
using testsupport::TempFolders;
using testsupport::writeFile;

namespace {

constexpr int kSize = 100;

// count records of kSize bytes; record i is filled with the letter 'A' + i.
QByteArray records(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(QByteArray(kSize, static_cast<char>('A' + i)));
    return out;
}

class BinRecordTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(writeFile(path(), records(3))); }
    QString path() const { return m_folders.dataFile(QStringLiteral("R.DAT")); }
    const QString name = QStringLiteral("R.DAT");
    TempFolders m_folders;
};

}  // namespace

TEST_F(BinRecordTest, WriteAppendsAtTheEndAndRefusesBeyond)
{
    const QByteArray d(kSize, 'D');
    EXPECT_EQ(WriteBINRecord(3 * kSize + 1, kSize, name, d.constData()), 0);
    EXPECT_EQ(readFile(path()), records(3));
    EXPECT_EQ(WriteBINRecord(3 * kSize, kSize, name, d.constData()), 1);
    EXPECT_EQ(readFile(path()), records(4));
    const QByteArray z(kSize, 'Z');
    EXPECT_EQ(WriteBINRecord(kSize, kSize, name, z.constData()), 1);
    EXPECT_EQ(readFile(path()).mid(kSize, kSize), z);
    EXPECT_EQ(WriteBINRecord(0, kSize, QStringLiteral("NONE.DAT"), z.constData()), 0);
}

TEST_F(BinRecordTest, ReadAtAndPastTheEnd)
{
    QByteArray buf(kSize, '\0');
    qint64 got = 0;
    EXPECT_EQ(ReadBINRecord(2 * kSize, kSize, name, buf.data(), &got), 1);
    EXPECT_EQ(buf, QByteArray(kSize, 'C'));
    EXPECT_EQ(got, kSize);
    EXPECT_EQ(ReadBINRecord(3 * kSize, kSize, name, buf.data()), 0);
    // A read that reaches the end delivers fewer bytes and still succeeds.
    EXPECT_EQ(ReadBINRecord(2 * kSize + 50, kSize, name, buf.data(), &got), 1);
    EXPECT_EQ(got, 50);
    EXPECT_EQ(ReadBINRecord(0, kSize, QStringLiteral("NONE.DAT"), buf.data()), 0);
}

TEST_F(BinRecordTest, SearchFromAGivenRecord)
{
    struct Case {
        int first;
        QByteArray key;
        int offset;
        int expected;
    } cases[] = {
        {1, "AA", 0, 1}, {1, "BB", 10, 2}, {2, "BB", 0, 2}, {3, "BB", 0, 0}, {3, "CC", 98, 3},
        {4, "CC", 0, 0}, {1, "XX", 0, 0},  {0, "AA", 0, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SearchBINRecord(kSize, c.offset, c.first, name, c.key), c.expected) << c.first << " " << c.key.constData();
    EXPECT_EQ(SearchBINRecord(kSize, 0, 1, QStringLiteral("NONE.DAT"), "AA"), 0);

    // Continuing a search with the last result + 1 walks every match.
    ASSERT_TRUE(writeFile(path(), records(2) + records(2) + records(1)));
    QList<int> found;
    for (int r = SearchBINRecord(kSize, 0, 1, name, "A"); r; r = SearchBINRecord(kSize, 0, r + 1, name, "A"))
        found.append(r);
    EXPECT_EQ(found, (QList<int>{1, 3, 5}));
}

TEST_F(BinRecordTest, CountsWholeRecordsOnly)
{
    ASSERT_TRUE(writeFile(path(), QByteArray(250, 'x')));
    EXPECT_EQ(GetRecordCount(kSize, name), 2);
    EXPECT_EQ(GetRecordCount(kSize, QStringLiteral("NONE.DAT")), 0);
}

TEST_F(BinRecordTest, DeleteRewritesWithoutTheRecord)
{
    EXPECT_EQ(DeleteBINRecord(1, kSize, name), 1);
    EXPECT_EQ(readFile(path()), QByteArray(kSize, 'A') + QByteArray(kSize, 'C'));
    EXPECT_FALSE(QFileInfo::exists(m_folders.dataFile(QStringLiteral("R.TMP"))));
    // An index equal to the count removes nothing; one past it fails.
    EXPECT_EQ(DeleteBINRecord(2, kSize, name), 1);
    EXPECT_EQ(readFile(path()).size(), 2 * kSize);
    EXPECT_EQ(DeleteBINRecord(3, kSize, name), 0);
    EXPECT_EQ(DeleteBINRecord(0, kSize, QStringLiteral("NONE.DAT")), 0);
}

TEST_F(BinRecordTest, FailedReplacementLosesNothing)
{
    setReplaceFileFailureHook([](const QString &) { return true; });
    EXPECT_EQ(DeleteBINRecord(0, kSize, name), 0);
    setReplaceFileFailureHook({});
    EXPECT_EQ(readFile(path()), records(3));
    EXPECT_FALSE(QFileInfo::exists(m_folders.dataFile(QStringLiteral("R.TMP"))));
}

TEST_F(BinRecordTest, LeftoverOfAnInterruptedRewriteIsRemoved)
{
    // A rewrite never removes its file before the rename, so a temporary file beside a missing
    // file is what remained of a deleted one: it does not come back.
    ASSERT_TRUE(writeFile(m_folders.dataFile(QStringLiteral("R.TMP")), records(2)));
    QFile::remove(path());
    EXPECT_EQ(DeleteBINRecord(0, kSize, name), 0);
    EXPECT_FALSE(QFileInfo::exists(path()));
    EXPECT_FALSE(QFileInfo::exists(m_folders.dataFile(QStringLiteral("R.TMP"))));

    // A stale temporary file beside an intact file leaves no bytes behind.
    ASSERT_TRUE(writeFile(path(), records(2)));
    ASSERT_TRUE(writeFile(m_folders.dataFile(QStringLiteral("R.TMP")), QByteArray(10 * kSize, 'Q')));
    EXPECT_EQ(DeleteBINRecord(0, kSize, name), 1);
    EXPECT_EQ(readFile(path()), QByteArray(kSize, 'B'));
    EXPECT_FALSE(QFileInfo::exists(m_folders.dataFile(QStringLiteral("R.TMP"))));
}
