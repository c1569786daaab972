// The file format: signature rule, header and descriptor writes, byte for byte.

#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/FileAccess.h"

#include "DbfTestTables.h"

#include <QFileInfo>

using namespace quenkit;
using namespace dbftest;

TEST(DbfSignature, FollowsTheNameOnly)
{
    struct Case {
        const char *name;
        int offset;
    };
    const Case cases[] = {
        {"食品.FDB", 10},      {"OLD.fdb", 10},       {"食品.Fdb", 0},         {"料理.DBF", 0},
        {"食品.TMP", 10},      {"食品.tmp", 10},      {"五訂増補.TMP", 10},    {"五訂増補.tmp", 10},
        {"料理.TMP", 0},       {"食品.TMP.FDB", 10},  {"FOOD5\\食品.FDB", 10}, {"/data/x.FDB", 10},
        {"x.FDBX", 0},         {"FDB.DBF", 0},        {"", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(signatureOffsetFor(QString::fromUtf8(c.name)), c.offset) << c.name;
}

class DbfFormat : public TableTest
{
};

TEST_F(DbfFormat, CreatedTablesAreByteExact)
{
    const QList<Field> fields = {{sjis("食品番号"), 'C', 5}, {sjis("食品名"), 'C', 40}, {sjis("エネルギー"), 'N', 6}};
    QList<DbfFieldDescriptor> descriptors;
    for (const Field &f : fields)
        descriptors.append(DbfFieldDescriptor::make(f.name, f.type, f.length));

    for (const bool withSignature : {false, true}) {
        const QString name = withSignature ? QStringLiteral("食品.FDB") : QStringLiteral("料理.DBF");
        ASSERT_EQ(createDbfTable(name, descriptors), 1);
        // Header dated today (2014-02-03), no records, the descriptors, 0D and the 1A that
        // stands where the first record will go.
        QByteArray expected = withSignature ? kSignature : QByteArray();
        QByteArray header = headerImage(fields, 0, 114, 2, 3);
        header[kLanguageByte] = 0;
        for (int i = 0; i < fields.size(); ++i)
            header[32 + 32 * i + kDescriptorMarkerByte] = 0;
        expected.append(header);
        expected.append('\x1A');
        EXPECT_EQ(bytesOf(name).toHex(' '), expected.toHex(' ')) << name.toStdString();
    }
    EXPECT_EQ(bytesOf(QStringLiteral("食品.FDB")).left(10), QByteArray::fromHex("020AFFD425267DF5A209"));
}

TEST_F(DbfFormat, HeaderDatesHoldAfter2027)
{
    // One byte of years above 1900: 2028 is 128, past the 7 bits of a packed date.
    const struct {
        const char *today;
        unsigned char year, month, day;
    } cases[] = {{"2027-12-31", 127, 12, 31}, {"2028-01-01", 128, 1, 1}, {"2099-07-15", 199, 7, 15}};
    for (const auto &c : cases) {
        ScopedToday today(c.today);
        ASSERT_EQ(createDbfTable(QStringLiteral("日付.DBF"), {DbfFieldDescriptor::make("A", 'C', 1)}), 1);
        DbfHeader header;
        ASSERT_EQ(GetDBFInfo(QStringLiteral("日付.DBF"), header), 1);
        EXPECT_EQ(header.bytes[1], c.year) << c.today;
        EXPECT_EQ(header.bytes[2], c.month) << c.today;
        EXPECT_EQ(header.bytes[3], c.day) << c.today;
        EXPECT_EQ(header.year(), 1900 + c.year);
    }
}

TEST_F(DbfFormat, SetDBFInfoCreatesOrOverwritesInPlace)
{
    DbfHeader header = DbfHeader::fromBytes(headerImage({{"A", 'C', 3}}, 7));
    // A missing signed table is created with its signature in front.
    ASSERT_EQ(SetDBFInfo(QStringLiteral("新.FDB"), header), 1);
    QByteArray created = bytesOf(QStringLiteral("新.FDB"));
    ASSERT_EQ(created.size(), 42);
    EXPECT_EQ(created.left(10), kSignature);
    EXPECT_EQ(created.mid(10, 4), QByteArray::fromHex("03720203"));   // version kept, date today
    EXPECT_EQ(created.mid(14, 4), QByteArray::fromHex("07000000"));

    // An existing file keeps everything behind the header.
    const QByteArray table = tableImage({{"A", 'C', 3}}, {record({{"A", 'C', 3}}, {"abc"})});
    put(QStringLiteral("T.DBF"), table);
    header.setRecordCount(1);
    ASSERT_EQ(SetDBFInfo(QStringLiteral("T.DBF"), header), 1);
    const QByteArray after = bytesOf(QStringLiteral("T.DBF"));
    EXPECT_EQ(after.size(), table.size());
    EXPECT_EQ(after.mid(32), table.mid(32));
    EXPECT_EQ(after.mid(1, 3), QByteArray::fromHex("720203"));
}

TEST_F(DbfFormat, DescriptorAccessStaysInsideTheHeader)
{
    const QList<Field> fields = {{"CODE", 'C', 5}, {sjis("名前"), 'C', 20}, {"KCAL", 'N', 6}};
    put(QStringLiteral("T.DBF"), tableImage(fields, {}));
    DbfFieldDescriptor d;
    ASSERT_EQ(GetDBFFieldInfo(-1, QStringLiteral("T.DBF"), 1, d), 1);
    EXPECT_EQ(d.name(), sjis("名前"));
    EXPECT_EQ(d.type(), 'C');
    EXPECT_EQ(d.length(), 20);
    EXPECT_EQ(GetDBFFieldInfo(-1, QStringLiteral("T.DBF"), 3, d), 0);
    EXPECT_EQ(GetDBFFieldInfo(-1, QStringLiteral("T.DBF"), -1, d), 0);
    EXPECT_EQ(GetDBFFieldInfo(-1, QStringLiteral("missing.DBF"), 0, d), 0);
    EXPECT_EQ(GetDBFField(QStringLiteral("T.DBF")), 3);
    EXPECT_EQ(GetDBFField(QStringLiteral("missing.DBF")), -1);

    const struct {
        int index, offset;
    } offsets[] = {{0, 0}, {1, 5}, {2, 25}, {3, 31}};
    for (const auto &o : offsets)
        EXPECT_EQ(GetDBFFieldInfoLen(QStringLiteral("T.DBF"), o.index), o.offset) << o.index;
    EXPECT_EQ(GetDBFFieldInfoLen(QStringLiteral("missing.DBF"), 2), 0);
}

TEST_F(DbfFormat, SetDBFFieldInfoClosesTheHeaderBehindEachDescriptor)
{
    // Writing descriptor 0 of a table that had two shortens the header to one descriptor.
    const QList<Field> fields = {{"A", 'C', 2}, {"B", 'C', 3}};
    put(QStringLiteral("T.DBF"), tableImage(fields, {}));
    FileHandle h(FileOpen(QStringLiteral("T.DBF"), OpenReadWrite));
    ASSERT_TRUE(h.isOpen());
    ASSERT_EQ(SetDBFFieldInfo(h.get(), QStringLiteral("T.DBF"), 0, DbfFieldDescriptor::make("Z", 'N', 4, 1)), 1);
    h.close();
    const QByteArray after = bytesOf(QStringLiteral("T.DBF"));
    EXPECT_EQ(after.mid(8, 2), QByteArray::fromHex("4100"));           // 65
    EXPECT_EQ(after.mid(1, 3), QByteArray::fromHex("720203"));
    EXPECT_EQ(after.mid(32, 12), QByteArray("Z\0\0\0\0\0\0\0\0\0\0N", 12));
    EXPECT_EQ(after.mid(48, 2), QByteArray::fromHex("0401"));
    EXPECT_EQ(after.mid(64, 2), QByteArray::fromHex("0D1A"));
}
