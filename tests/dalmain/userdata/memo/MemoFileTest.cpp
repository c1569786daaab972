#include "dalmain/userdata/MemoFile.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include <QFileInfo>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace dalmain;
using testsupport::readFile;
using testsupport::TempFolders;
using testsupport::writeFile;

namespace {

QByteArray u32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// One record as it lies in the file: "*", the key, the 16-bit length, the text.
QByteArray record(const QByteArray &key, const QByteArray &text, int length = -1)
{
    QByteArray b("*");
    b.append(key);
    QByteArray len(2, '\0');
    qToLittleEndian(static_cast<quint16>(length < 0 ? 11 + text.size() : length), len.data());
    return b + len + text;
}

class MemoFileTest : public ::testing::Test
{
protected:
    const QString file = memoFileName(MemoKind::Menu, 4);
    QString path() const { return m_folders.dataFile(QStringLiteral("MM4.DAT")); }
    QByteArray bytes() const { return readFile(path()); }
    QByteArray text(const char *key) const
    {
        QByteArray t;
        ReadMemo(file, key, t);
        return t;
    }

    TempFolders m_folders;
};

}  // namespace

TEST(MemoFileNames, OneFilePerKindAndUser)
{
    EXPECT_EQ(memoFileName(MemoKind::Menu, 12), QStringLiteral("MM12.DAT"));
    EXPECT_EQ(memoFileName(MemoKind::Analysis, 0), QStringLiteral("AM0.DAT"));
    EXPECT_EQ(memoFileName(MemoKind::Weight, 3), QStringLiteral("WM3.DAT"));
}

TEST_F(MemoFileTest, WritingAppendsMovesToTheEndAndRemoves)
{
    const QByteArray hundred(100, 'x');
    ASSERT_EQ(WriteMemo(file, "20240301", hundred), 1);
    EXPECT_EQ(bytes(), u32(1) + record("20240301", hundred));
    EXPECT_EQ(static_cast<unsigned char>(bytes()[13]), 111);  // record length 11 + 100

    const QByteArray kanji = quenkit::toSjis(u"朝は軽め");
    ASSERT_EQ(WriteMemo(file, "20240302", kanji), 1);
    ASSERT_EQ(WriteMemo(file, "20240303", "c"), 1);
    EXPECT_EQ(bytes(), u32(3) + record("20240301", hundred) + record("20240302", kanji) + record("20240303", "c"));
    EXPECT_EQ(FindMemo(file, "20240302"), 4 + 111);

    // Writing a key again moves it to the end with its new text; the count stays.
    ASSERT_EQ(WriteMemo(file, "20240301", "new"), 1);
    EXPECT_EQ(bytes(), u32(3) + record("20240302", kanji) + record("20240303", "c") + record("20240301", "new"));
    EXPECT_EQ(text("20240301"), QByteArray("new"));

    // An empty text removes the key's record; for a key without one it changes nothing.
    ASSERT_EQ(WriteMemo(file, "20240303", ""), 1);
    EXPECT_EQ(bytes(), u32(2) + record("20240302", kanji) + record("20240301", "new"));
    const QByteArray before = bytes();
    ASSERT_EQ(WriteMemo(file, "20991231", ""), 1);
    EXPECT_EQ(bytes(), before);
    QByteArray t("stale");
    EXPECT_EQ(ReadMemo(file, "20240303", t), 0);
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(FindMemo(file, "20240303"), -1);
    EXPECT_FALSE(QFileInfo::exists(m_folders.dataFile(QStringLiteral("MM4.BAK"))));
}

TEST_F(MemoFileTest, MissingFileReadsAsNoMemoAndAnEmptyTextCreatesNone)
{
    QByteArray t;
    EXPECT_EQ(FindMemo(file, "20240301"), -1);
    EXPECT_EQ(ReadMemo(file, "20240301", t), 0);
    EXPECT_EQ(WriteMemo(file, "20240301", ""), 1);
    EXPECT_FALSE(QFileInfo::exists(path()));
}

TEST_F(MemoFileTest, SelectionCommentsShareOneKey)
{
    const QString comments = memoFileName(MemoKind::Analysis, 4);
    ASSERT_EQ(WriteMemo(comments, "99999999", "first selection"), 1);
    ASSERT_EQ(WriteMemo(comments, "99999999", "second selection"), 1);
    QByteArray t;
    ASSERT_EQ(ReadMemo(comments, "99999999", t), 1);
    EXPECT_EQ(t, QByteArray("second selection"));
    EXPECT_EQ(readFile(m_folders.dataFile(QStringLiteral("AM4.DAT"))).left(4), u32(1));
}

TEST_F(MemoFileTest, KeysAndTextsThatDoNotFitAreRefused)
{
    EXPECT_EQ(WriteMemo(file, "2024030", "x"), 0);
    EXPECT_EQ(WriteMemo(file, "202403011", "x"), 0);
    EXPECT_EQ(FindMemo(file, "2024030"), -1);
    EXPECT_EQ(WriteMemo(file, "20240301", QByteArray(kMemoMaxText + 1, 'x')), 0);
    EXPECT_FALSE(QFileInfo::exists(path()));

    ASSERT_EQ(WriteMemo(file, "20240301", QByteArray(kMemoMaxText, 'x')), 1);
    EXPECT_EQ(bytes().size(), 4 + 0xFFFF);
    EXPECT_EQ(text("20240301").size(), kMemoMaxText);
}

TEST_F(MemoFileTest, DeleteAtRemovesOnlyARecordThatStartsThere)
{
    ASSERT_EQ(WriteMemo(file, "20240301", "aa"), 1);
    ASSERT_EQ(WriteMemo(file, "20240302", "bb"), 1);
    const QByteArray before = bytes();
    for (qint64 p : {0, 3, 5, 18, 4 + 13 + 13, -1})
        EXPECT_EQ(DeleteMemoAt(file, p), 0) << p;
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(DeleteMemoAt(file, 4 + 13), 1);
    EXPECT_EQ(bytes(), u32(1) + record("20240301", "aa"));
}

TEST_F(MemoFileTest, DamagedFilesAreNeverReadPastTheirEnd)
{
    const QByteArray a = record("20240301", "alpha"), b = record("20240302", "beta");
    struct Case {
        const char *what;
        QByteArray file;
        bool findsFirst, findsSecond;
    } cases[] = {
        {"count larger than the records", u32(5) + a + b, true, true},
        {"count smaller than the records", u32(1) + a + b, true, false},
        {"length beyond the end", u32(2) + a + record("20240302", "beta", 400), true, false},
        {"length below the head", u32(2) + record("20240301", "alpha", 3) + b, false, false},
        {"head cut short", u32(2) + a + b.left(7), true, false},
        {"text cut short", u32(2) + a + b.left(b.size() - 1), true, false},
        {"record without its mark", u32(2) + a + QByteArray("#") + b.mid(1), true, false},
        {"count cut short", QByteArray("\x01\x00", 2), false, false},
        {"empty file", QByteArray(), false, false},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(writeFile(path(), c.file)) << c.what;
        EXPECT_EQ(FindMemo(file, "20240301") >= 0, c.findsFirst) << c.what;
        EXPECT_EQ(FindMemo(file, "20240302") >= 0, c.findsSecond) << c.what;
        if (c.findsFirst) {
            EXPECT_EQ(text("20240301"), QByteArray("alpha")) << c.what;
        }
        // The next write leaves a consistent file: the readable records and the new one.
        ASSERT_EQ(WriteMemo(file, "20240309", "new"), 1) << c.what;
        QByteArray expected = (c.findsFirst ? a : QByteArray()) + (c.findsSecond ? b : QByteArray()) + record("20240309", "new");
        EXPECT_EQ(bytes(), u32(1 + int(c.findsFirst) + int(c.findsSecond)) + expected) << c.what;
    }
}

TEST_F(MemoFileTest, AFailedRewriteLosesNothing)
{
    ASSERT_EQ(WriteMemo(file, "20240301", "keep me"), 1);
    const QByteArray before = bytes();
    quenkit::setReplaceFileFailureHook([](const QString &) { return true; });
    EXPECT_EQ(WriteMemo(file, "20240301", "lost?"), 0);
    EXPECT_EQ(WriteMemo(file, "20240301", ""), 0);
    EXPECT_EQ(DeleteMemoAt(file, 4), 0);
    quenkit::setReplaceFileFailureHook({});
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(QFileInfo::exists(m_folders.dataFile(QStringLiteral("MM4.BAK"))));
}

TEST_F(MemoFileTest, ACopyLeftByAnInterruptedRewriteIsNeverRead)
{
    const QByteArray copy = u32(1) + record("20240301", "a deleted user's memo");
    const QString bak = m_folders.dataFile(QStringLiteral("MM4.BAK"));
    // The file itself is gone, as after its user was deleted: the copy must not become the file
    // of the next user of the number, neither for reading nor at the next write.
    ASSERT_TRUE(writeFile(bak, copy));
    EXPECT_TRUE(text("20240301").isEmpty());
    EXPECT_EQ(WriteMemo(file, "20240302", "new"), 1);
    EXPECT_TRUE(text("20240301").isEmpty());
    EXPECT_EQ(text("20240302"), QByteArray("new"));
    EXPECT_FALSE(QFileInfo::exists(bak));
    // The file is there: a copy beside it is stale, ignored by readers and removed by the next
    // write.
    ASSERT_TRUE(writeFile(bak, copy));
    EXPECT_TRUE(text("20240301").isEmpty());
    EXPECT_EQ(WriteMemo(file, "20240303", "newer"), 1);
    EXPECT_FALSE(QFileInfo::exists(bak));
    EXPECT_EQ(bytes(), u32(2) + record("20240302", "new") + record("20240303", "newer"));
}
