// Reading records, resolving field names, and tables whose header does not fit the file.

#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/owner/ScriptedOwner.h"

#include "DbfTestTables.h"

using namespace quenkit;
using namespace dbftest;

namespace {

const QList<Field> kFields = {{sjis("名前"), 'C', 8}, {"KANA", 'C', 6}};

QByteArray threeRecords(bool withSignature)
{
    return tableImage(kFields,
                      {record(kFields, {sjis("牛乳"), "ｷﾞｭｳ"}), record(kFields, {sjis("卵"), "ﾀﾏｺﾞ"}, '*'),
                       record(kFields, {sjis("米"), "ｺﾒ"})},
                      withSignature);
}

class DbfRead : public TableTest
{
};

}  // namespace

TEST_F(DbfRead, RecordsByNumber)
{
    for (const bool withSignature : {false, true}) {
        const QString name = withSignature ? QStringLiteral("食品.FDB") : QStringLiteral("T.DBF");
        put(name, threeRecords(withSignature));
        const struct {
            int record;
            int result;
            QByteArray body;
        } cases[] = {
            {0, 1, record(kFields, {sjis("牛乳"), "ｷﾞｭｳ"}).mid(1)},
            {1, 2, record(kFields, {sjis("卵"), "ﾀﾏｺﾞ"}).mid(1)},   // deleted: read all the same
            {2, 1, record(kFields, {sjis("米"), "ｺﾒ"}).mid(1)},
            {3, 0, {}},
            {-1, 0, {}},
        };
        for (const auto &c : cases) {
            QByteArray body;
            EXPECT_EQ(ReadDBFRecord(name, c.record, body), c.result) << name.toStdString() << " " << c.record;
            if (c.result) {
                EXPECT_EQ(body, c.body);
            }
        }
    }
    QByteArray body;
    EXPECT_EQ(ReadDBFRecord(QStringLiteral("missing.DBF"), 0, body), 0);

    // The food table's reads on a handle that stays open.
    FileHandle h(FileOpen(QStringLiteral("食品.FDB"), OpenRead));
    ASSERT_TRUE(h.isOpen());
    for (int r : {2, 0, 1}) {
        QByteArray viaName;
        QByteArray viaHandle;
        EXPECT_EQ(ReadDBFRecord2(h.get(), r, viaHandle), ReadDBFRecord(QStringLiteral("食品.FDB"), r, viaName));
        EXPECT_EQ(viaHandle, viaName);
    }
    EXPECT_EQ(ReadDBFRecord2(h.get(), 3, body), 0);

    // GetDBFRecord trusts its caller's positions but still reads nothing past the file.
    EXPECT_EQ(GetDBFRecord(h.get(), 1, body, 33 + 64, 15, 10), 2);
    EXPECT_EQ(body, record(kFields, {sjis("卵"), "ﾀﾏｺﾞ"}).mid(1));
    EXPECT_EQ(GetDBFRecord(h.get(), 3, body, 33 + 64, 15, 10), 0);
}

TEST_F(DbfRead, FieldListsResolveInTheirOrder)
{
    const QList<Field> fields = {
        {"CODE", 'C', 5},
        {sjis("病院"), 'C', 4},               // 95 61 89 40: ends in a byte that reads as "@"
        {"ELEVENBYTES", 'C', 3},              // a name that fills all 11 bytes
        {sjis("食品名"), 'C', 20},
    };
    put(QStringLiteral("T.DBF"), tableImage(fields, {}));
    const QString t = QStringLiteral("T.DBF");

    const struct {
        QByteArray list;
        int fieldCount;
        QList<FieldSlice> slices;
    } found[] = {
        {sjis("食品名@CODE"), 4, {{20, 12}, {5, 0}}},
        {"ELEVENBYTES", 4, {{3, 9}}},
        {sjis("病院@食品名"), 4, {{4, 5}, {20, 12}}},
        {sjis("CODE@病院"), 2, {{5, 0}, {4, 5}}},
    };
    for (const auto &c : found) {
        ScriptedOwner owner;
        QList<FieldSlice> slices;
        EXPECT_EQ(GetDBFFieldInfo2(&owner, t, c.list, c.fieldCount, slices), 1) << c.list.toHex().constData();
        EXPECT_EQ(slices, c.slices) << c.list.toHex().constData();
        EXPECT_TRUE(owner.messages().isEmpty());
    }

    const QString tooLong = QStringLiteral("指定されたフィールドが長すぎます");
    const QString noMatch = QStringLiteral("指定されたフィールド名が一致しませんでした");
    const struct {
        QByteArray list;
        int fieldCount;
        QString message;
    } refused[] = {
        {"TWELVEBYTES_", 4, tooLong},
        {"CODE@TWELVEBYTES_", 4, tooLong},
        {"NAME", 4, noMatch},
        {sjis("CODE@食品"), 4, noMatch},       // a prefix of a name is no match
        {sjis("食品名"), 3, noMatch},          // only the first fieldCount descriptors count
        {"CODE@", 4, noMatch},
    };
    for (const auto &c : refused) {
        ScriptedOwner owner;
        QList<FieldSlice> slices;
        EXPECT_EQ(GetDBFFieldInfo2(&owner, t, c.list, c.fieldCount, slices), 0) << c.list.constData();
        ASSERT_EQ(owner.messages().size(), 1);
        EXPECT_EQ(owner.messages()[0].text, c.message);
        EXPECT_EQ(owner.messages()[0].caption, QString());
        EXPECT_EQ(owner.messages()[0].buttons, Buttons::Ok);
        EXPECT_EQ(GetDBFFieldInfo2(nullptr, t, c.list, c.fieldCount, slices), 0);
    }
}

// Each fault makes every operation on the table fail with its failure result, reading and
// writing nothing out of bounds, and leaves the file as it was.
TEST_F(DbfRead, HeadersThatDoNotFitTheirFileFail)
{
    const QList<Field> fields = {{"KEY", 'C', 4}, {"VAL", 'C', 4}};
    const QByteArray good = tableImage(fields, {record(fields, {"0001", "a"}), record(fields, {"0003", "b"})});
    auto patched = [&](int offset, QByteArray bytes) {
        QByteArray b = good;
        b.replace(offset, bytes.size(), bytes);
        return b;
    };
    const struct {
        const char *fault;
        QByteArray image;
    } cases[] = {
        {"empty file", QByteArray()},
        {"shorter than a header", good.left(20)},
        {"header length not 33 + 32n", patched(8, QByteArray::fromHex("6400"))},
        {"header length past the end", patched(8, QByteArray::fromHex("E100")).left(200)},
        {"header length past a short file", good.left(80)},
        {"record length 0", patched(10, QByteArray::fromHex("0000"))},
        {"field lengths above the record length", patched(10, QByteArray::fromHex("0800"))},
        {"field lengths below the record length", patched(10, QByteArray::fromHex("0A00"))},
        {"record count past the end", patched(4, QByteArray::fromHex("03000000"))},
        {"record count far past the end", patched(4, QByteArray::fromHex("FFFFFFFF"))},
        {"last record cut short", good.left(good.size() - 4)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fault);
        const QString t = QStringLiteral("T.DBF");
        put(t, c.image);
        QByteArray body;
        QList<int> found;
        QList<FieldSlice> slices;
        EXPECT_EQ(GetDBFField(t), -1);
        EXPECT_EQ(ReadDBFRecord(t, 0, body), 0);
        EXPECT_EQ(GetDBFFieldInfo2(nullptr, t, "KEY", 2, slices), 0);
        EXPECT_EQ(SearchDBFRecord(nullptr, found, t, "KEY", "", ""), -1);
        EXPECT_TRUE(found.isEmpty());
        EXPECT_EQ(SearchFoodDbfRecord(nullptr, found, t, "KEY", "", "", "VAL", 0, NumberAtLeast), -1);
        EXPECT_EQ(WriteDBFRecord(nullptr, t, "0002b   ", "KEY", WriteOrOverwrite), 0);
        EXPECT_EQ(WriteDBFRecord(nullptr, t, "0009b   ", "KEY", WriteOrOverwrite), 0);
        EXPECT_EQ(AddNewRyouriDBFRecord(nullptr, t, "0002b   ", "KEY"), 0);
        EXPECT_EQ(DeleteDBFRecord(nullptr, t, "0001", "KEY"), 0);
        EXPECT_EQ(DeleteDBFNoRecord(t, 0), 0);
        EXPECT_EQ(bytesOf(t), c.image);
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("T.TMP"))));
    }

    // The same bytes under a signed name are shifted by ten and do not fit either.
    put(QStringLiteral("T.FDB"), good);
    QByteArray body;
    EXPECT_EQ(ReadDBFRecord(QStringLiteral("T.FDB"), 0, body), 0);
    EXPECT_EQ(GetDBFField(QStringLiteral("T.FDB")), -1);
}
