// Key-ordered writes and deletes, compared byte for byte with the table they must produce.

#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/owner/ScriptedOwner.h"

#include "DbfTestTables.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <random>
#include <set>

using namespace quenkit;
using namespace dbftest;

namespace {

const QList<Field> kFields = {{sjis("コード"), 'C', 6}, {sjis("名前"), 'C', 10}};
const QByteArray kKeyField = sjis("コード");

QByteArray row(const char *key, const char *name = "", char flag = ' ')
{
    return record(kFields, {key, sjis(name)}, flag);
}

QByteArray body(const char *key, const char *name = "new")
{
    return row(key, name).mid(1);
}

// 0015 is flagged deleted: its key counts for nothing, but the record is kept.
const QList<QByteArray> kBase = {row("0010", "十"), row("0015", "十五", '*'), row("0020", "二十"), row("0030", "三十")};

// The base table as it stands, and as a rewrite dated today (2014-02-03) leaves it.
QByteArray baseTable(bool withSignature = false)
{
    return tableImage(kFields, kBase, withSignature);
}
QByteArray rewritten(const QList<QByteArray> &records, bool withSignature = false)
{
    return tableImage(kFields, records, withSignature, 114, 2, 3);
}

class DbfWrite : public TableTest
{
protected:
    const QString t = QStringLiteral("料理.DBF");
    void SetUp() override { put(t, baseTable()); }
    QString link() const { return path(QStringLiteral("link.DBF")); }
    // A second name for the table's file: it keeps the old contents when the table is replaced
    // by a rewrite, and shows every change made in place.
    void makeLink()
    {
        QFile::remove(link());
        std::filesystem::create_hard_link(path(t).toStdString(), link().toStdString());
    }
    QByteArray linked() const { return testsupport::readFile(link()); }
};

}  // namespace

TEST_F(DbfWrite, KeepsKeyOrder)
{
    const struct {
        const char *what;
        const char *key;
        int mode;
        int result;
        QByteArray after;
        bool inPlace;
    } cases[] = {
        {"greater than all: appended", "0040", WriteOrOverwrite, 1,
         rewritten(kBase + QList<QByteArray>{row("0040", "new")}), true},
        {"smaller than all: inserted at 0", "0005", WriteOrOverwrite, 1,
         rewritten(QList<QByteArray>{row("0005", "new")} + kBase), false},
        {"inserted before the first greater key", "0025", WriteOrOverwrite, 1,
         rewritten({kBase[0], kBase[1], kBase[2], row("0025", "new"), kBase[3]}), false},
        {"a deleted record's key is free", "0015", WriteOrOverwrite, 1,
         rewritten({kBase[0], kBase[1], row("0015", "new"), kBase[2], kBase[3]}), false},
        {"existing key overwritten, header untouched", "0020", WriteOrOverwrite, 2,
         tableImage(kFields, {kBase[0], kBase[1], row("0020", "new"), kBase[3]}), true},
        {"last record overwritten", "0030", WriteOrOverwrite, 2,
         tableImage(kFields, {kBase[0], kBase[1], kBase[2], row("0030", "new")}), true},
        {"existing key refused", "0020", WriteNewOnly, 0, baseTable(), true},
        {"new key with the refusing mode", "0025", WriteNewOnly, 1,
         rewritten({kBase[0], kBase[1], kBase[2], row("0025", "new"), kBase[3]}), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        put(t, baseTable());
        makeLink();
        EXPECT_EQ(WriteDBFRecord(nullptr, t, body(c.key), kKeyField, c.mode), c.result);
        EXPECT_EQ(bytesOf(t).toHex(' '), c.after.toHex(' '));
        EXPECT_EQ(linked() == c.after, c.inPlace);
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("料理.TMP"))));
    }

    // An empty table takes its first record by appending.
    put(t, tableImage(kFields, {}));
    EXPECT_EQ(WriteDBFRecord(nullptr, t, body("0001"), kKeyField, WriteOrOverwrite), 1);
    EXPECT_EQ(bytesOf(t), rewritten({row("0001", "new")}));
}

TEST_F(DbfWrite, AsksItsOwner)
{
    const QString added = QStringLiteral("0025  \nを新規登録します。\n\nよろしいですか？");   // key field, blanks too
    const QString same = QStringLiteral("同じコードがあります。\n\n上書きしてもよろしいですか？");
    const struct {
        const char *key;
        Answer answer;
        int result;
        QString caption;
        QString text;
    } cases[] = {
        {"0025", Answer::No, 3, QStringLiteral("新規登録の確認"), added},
        {"0020", Answer::No, 3, QStringLiteral("上書き登録の確認"), same},
        {"0040", Answer::No, 3, QStringLiteral("新規登録の確認"), QStringLiteral("0040  \nを新規登録します。\n\nよろしいですか？")},
        {"0025", Answer::Yes, 1, QStringLiteral("新規登録の確認"), added},
        {"0020", Answer::Yes, 2, QStringLiteral("上書き登録の確認"), same},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        put(t, baseTable());
        ScriptedOwner owner;
        owner.queueAnswer(c.answer);
        EXPECT_EQ(WriteDBFRecord(&owner, t, body(c.key), kKeyField, WriteOrOverwrite), c.result);
        ASSERT_EQ(owner.messages().size(), 1);
        const Message &m = owner.messages()[0];
        EXPECT_EQ(m.caption, c.caption);
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.buttons, Buttons::YesNo);
        EXPECT_EQ(m.icon, Icon::Question);
        EXPECT_EQ(owner.busyDepth(), 0);
        EXPECT_EQ(owner.busyCount(), 1);
        EXPECT_EQ(bytesOf(t) == baseTable(), c.answer == Answer::No);
    }
}

TEST_F(DbfWrite, RefusesWhatItCannotPlace)
{
    ScriptedOwner owner;
    EXPECT_EQ(WriteDBFRecord(&owner, t, body("0025").left(10), kKeyField, WriteOrOverwrite), 0);
    EXPECT_EQ(WriteDBFRecord(&owner, t, body("0025") + "x", kKeyField, WriteOrOverwrite), 0);
    EXPECT_EQ(WriteDBFRecord(&owner, t, body("0025"), sjis("番号"), WriteOrOverwrite), 0);
    EXPECT_EQ(WriteDBFRecord(&owner, QStringLiteral("missing.DBF"), body("0025"), kKeyField, WriteOrOverwrite), 0);
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("指定されたフィールド名が一致しませんでした")});
    EXPECT_EQ(bytesOf(t), baseTable());
}

TEST_F(DbfWrite, AddNewRyouriNeverOverwrites)
{
    ScriptedOwner owner;
    EXPECT_EQ(AddNewRyouriDBFRecord(&owner, t, body("0020"), kKeyField), 1);
    EXPECT_TRUE(owner.messages().isEmpty());
    EXPECT_EQ(bytesOf(t), baseTable());

    owner.queueAnswer(Answer::No);
    EXPECT_EQ(AddNewRyouriDBFRecord(&owner, t, body("0025"), kKeyField), 3);
    EXPECT_EQ(bytesOf(t), baseTable());
    EXPECT_EQ(AddNewRyouriDBFRecord(&owner, t, body("0025"), kKeyField), 1);
    EXPECT_EQ(owner.texts(), QStringList(2, QStringLiteral("0025  \nを新規登録します。\n\nよろしいですか？")));
    EXPECT_EQ(bytesOf(t), rewritten({kBase[0], kBase[1], kBase[2], row("0025", "new"), kBase[3]}));
    EXPECT_EQ(AddNewRyouriDBFRecord(nullptr, t, body("0099"), kKeyField), 1);
    EXPECT_EQ(AddNewRyouriDBFRecord(nullptr, t, body("0025").left(3), kKeyField), 0);
}

TEST_F(DbfWrite, DeletesByKey)
{
    const QString notFound = QStringLiteral("削除を行うレコードが見つかりません。");
    const struct {
        const char *what;
        QByteArray key;
        Answer answer;
        int result;
        QByteArray after;
        Message message;
    } cases[] = {
        {"found", "0020", Answer::Yes, 1, rewritten({kBase[0], kBase[1], kBase[3]}),
         {QStringLiteral("削除"), QStringLiteral("0020\nを削除します。\n\nよろしいですか？"), Buttons::YesNo, Icon::Question}},
        {"key cut to the field", "0020  xyz", Answer::Yes, 1, rewritten({kBase[0], kBase[1], kBase[3]}),
         {QStringLiteral("削除"), QStringLiteral("0020  xyz\nを削除します。\n\nよろしいですか？"), Buttons::YesNo, Icon::Question}},
        {"declined", "0030", Answer::No, 3, baseTable(),
         {QStringLiteral("削除"), QStringLiteral("0030\nを削除します。\n\nよろしいですか？"), Buttons::YesNo, Icon::Question}},
        {"missing", "0099", Answer::Ok, 2, baseTable(), {QStringLiteral("削除"), notFound, Buttons::Ok, Icon::Information}},
        {"only a deleted record has it", "0015", Answer::Ok, 2, baseTable(),
         {QStringLiteral("削除"), notFound, Buttons::Ok, Icon::Information}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        put(t, baseTable());
        ScriptedOwner owner;
        owner.queueAnswer(c.answer);
        EXPECT_EQ(DeleteDBFRecord(&owner, t, c.key, kKeyField), c.result);
        EXPECT_EQ(bytesOf(t).toHex(' '), c.after.toHex(' '));
        ASSERT_EQ(owner.messages().size(), 1);
        EXPECT_EQ(owner.messages()[0].caption, c.message.caption);
        EXPECT_EQ(owner.messages()[0].text, c.message.text);
        EXPECT_EQ(owner.messages()[0].buttons, c.message.buttons);
        EXPECT_EQ(owner.messages()[0].icon, c.message.icon);
        EXPECT_EQ(owner.busyDepth(), 0);

        // Without an owner: the same result, nothing asked.
        put(t, baseTable());
        EXPECT_EQ(DeleteDBFRecord(nullptr, t, c.key, kKeyField), c.result == 3 ? 1 : c.result);
    }
    put(t, tableImage(kFields, {}));
    EXPECT_EQ(DeleteDBFRecord(nullptr, t, "0010", kKeyField), 2);
    EXPECT_EQ(DeleteDBFRecord(nullptr, t, "0010", "NONE"), 0);
    EXPECT_EQ(DeleteDBFRecord(nullptr, QStringLiteral("missing.DBF"), "0010", kKeyField), 0);
}

TEST_F(DbfWrite, DeletesByRecordNumber)
{
    const struct {
        int record;
        int result;
        QByteArray after;
    } cases[] = {
        {0, 1, rewritten({kBase[1], kBase[2], kBase[3]})},
        {3, 1, rewritten({kBase[0], kBase[1], kBase[2]})},
        {1, 2, baseTable()},   // flagged deleted already
        {4, 2, baseTable()},   // equal to the record count
        {-1, 2, baseTable()},
    };
    for (const auto &c : cases) {
        put(t, baseTable());
        EXPECT_EQ(DeleteDBFNoRecord(t, c.record), c.result) << c.record;
        EXPECT_EQ(bytesOf(t), c.after) << c.record;
    }
    EXPECT_EQ(DeleteDBFNoRecord(QStringLiteral("missing.DBF"), 0), 0);
}

TEST_F(DbfWrite, SignedTablesKeepTheirSignature)
{
    // 食品.FDB rewrites through 食品.TMP, which is signed by its name; OLD.FDB through OLD.TMP,
    // which is not, and must come out signed all the same.
    for (const QString &name : {QStringLiteral("食品.FDB"), QStringLiteral("OLD.FDB")}) {
        SCOPED_TRACE(name.toStdString());
        put(name, baseTable(true));
        EXPECT_EQ(WriteDBFRecord(nullptr, name, body("0025"), kKeyField, WriteOrOverwrite), 1);
        EXPECT_EQ(bytesOf(name), rewritten({kBase[0], kBase[1], kBase[2], row("0025", "new"), kBase[3]}, true));
        EXPECT_EQ(WriteDBFRecord(nullptr, name, body("0040"), kKeyField, WriteOrOverwrite), 1);
        EXPECT_EQ(DeleteDBFRecord(nullptr, name, "0010", kKeyField), 1);
        EXPECT_EQ(DeleteDBFNoRecord(name, 0), 2);   // 0015, flagged deleted
        EXPECT_EQ(DeleteDBFNoRecord(name, 1), 1);
        EXPECT_EQ(bytesOf(name), rewritten({kBase[1], row("0025", "new"), kBase[3], row("0040", "new")}, true));
        QByteArray b;
        EXPECT_EQ(ReadDBFRecord(name, 3, b), 1);
        EXPECT_EQ(b, body("0040"));
    }
    QStringList left = QDir(m_folders.dataDir()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{QStringLiteral("OLD.FDB"), QStringLiteral("料理.DBF"), QStringLiteral("食品.FDB")}));
}

TEST_F(DbfWrite, TemporaryFilesNeverLeakIntoTheTable)
{
    const QByteArray inserted = rewritten({kBase[0], kBase[1], kBase[2], row("0025", "new"), kBase[3]});
    // A stale temporary file longer than the new table: none of its bytes may survive.
    const QString temporary = QStringLiteral("料理.TMP");
    put(temporary, QByteArray(10000, 'X'));
    EXPECT_EQ(WriteDBFRecord(nullptr, t, body("0025"), kKeyField, WriteOrOverwrite), 1);
    EXPECT_EQ(bytesOf(t), inserted);
    EXPECT_FALSE(QFile::exists(path(temporary)));
    put(temporary, QByteArray(10000, 'X'));
    EXPECT_EQ(DeleteDBFRecord(nullptr, t, "0025", kKeyField), 1);
    EXPECT_EQ(bytesOf(t), rewritten(kBase));
    EXPECT_FALSE(QFile::exists(path(temporary)));

    // A rewrite that cannot replace the table leaves it as it was, without a temporary file.
    put(t, baseTable());
    setReplaceFileFailureHook([](const QString &) { return true; });
    EXPECT_EQ(WriteDBFRecord(nullptr, t, body("0025"), kKeyField, WriteOrOverwrite), 0);
    EXPECT_EQ(DeleteDBFRecord(nullptr, t, "0020", kKeyField), 0);
    EXPECT_EQ(DeleteDBFNoRecord(t, 0), 0);
    setReplaceFileFailureHook({});
    EXPECT_EQ(bytesOf(t), baseTable());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("料理.TMP"))));

    // A temporary file beside a missing table never becomes the table: no rewrite removes its
    // table first, so it is what was left of a table that was deleted.
    ASSERT_TRUE(QFile::rename(path(t), path(QStringLiteral("料理.TMP"))));
    EXPECT_EQ(WriteDBFRecord(nullptr, t, body("0040"), kKeyField, WriteOrOverwrite), 0);
    EXPECT_FALSE(QFile::exists(path(t)));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("料理.TMP"))));
}

TEST_F(DbfWrite, ManyWritesKeepTheTableSortedAndUnique)
{
    put(t, tableImage(kFields, {}));
    std::mt19937 random(20131206);
    std::set<QByteArray> keys;
    for (int i = 0; i < 300; ++i) {
        const QByteArray key = QByteArray::number(static_cast<int>(random() % 200)).rightJustified(4, '0');
        const int expected = keys.insert(key).second ? 1 : 2;
        ASSERT_EQ(WriteDBFRecord(nullptr, t, body(key.constData(), "v"), kKeyField, WriteOrOverwrite), expected) << i;
    }
    QList<QByteArray> expected;
    for (const QByteArray &key : keys)
        expected.append(row(key.constData(), "v"));
    EXPECT_EQ(bytesOf(t), rewritten(expected));
}
