// The menu clipboard blocks byte for byte, and the reader against blocks that lie about
// their length, their count or their records.

#include "dalmain/userdata/MenuClipboardBlock.h"

#include <gtest/gtest.h>

#include <QtEndian>

#include <cmath>
#include <limits>

using namespace dalmain;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text));
}

QByteArray zeros(int n)
{
    return QByteArray(n, '\0');
}

// A small day: 朝食 a dish "卵" (Shift-JIS 97 91) and rice 150.0 g under it, 夕食 radish
// 100.0 g.
const QList<MenuClipRecord> kRecords = {
    {Breakfast, kMenuClipDishFood, 0.0, hex("9791")},
    {Breakfast, 88, 150.0, {}},
    {Dinner, 300, 100.0, {}},
};
const QByteArray kText = QByteArrayLiteral("dish\r\n rice\t150.0\r\nradish\t100.0\r\n");

// The three records as they stand in both blocks: meal, food number, amount, name.
QByteArray recordBytes()
{
    return hex("00") + hex("ffff") + hex("0000000000000000") + hex("9791") + zeros(39)  // 卵
           + hex("00") + hex("5800") + hex("0000000000c06240") + zeros(41)            // 88, 150.0 g
           + hex("02") + hex("2c01") + hex("0000000000005940") + zeros(41);           // 300, 100.0 g
}

TEST(MenuClipboardBlockTest, BothBlocksAreLaidOutByteForByte)
{
    const QByteArray records = recordBytes();
    ASSERT_EQ(records.size(), 3 * kMenuClipRecordSize);

    const QByteArray rows = kText + hex("00") + "DMMenuData" + hex("0300") + records + "DMMenuData" + hex("00");
    EXPECT_EQ(encodeMenuClipBlock(MenuClipKind::Rows, kText, kRecords).toHex(' '), rows.toHex(' '));
    // The count right behind the marker: at L + 11 for rows, L + 14 for a day.
    EXPECT_EQ(rows.at(kText.size() + 11), '\x03');

    const QByteArray day = kText + hex("00") + "DMMenuAllData" + hex("0300") + records + "DMMenuAllData" + hex("00");
    EXPECT_EQ(encodeMenuClipBlock(MenuClipKind::Day, kText, kRecords).toHex(' '), day.toHex(' '));
    EXPECT_EQ(day.at(kText.size() + 14), '\x03');
}

TEST(MenuClipboardBlockTest, RecordsOfMenuRowsTrimTheDishNameAndKeepTheMeal)
{
    MenuClipRecord dish = menuClipRecord(Snack, MenuRow::dishRow(QStringLiteral("  卵  ")));
    EXPECT_EQ(dish.meal, Snack);
    EXPECT_TRUE(dish.isDish());
    EXPECT_EQ(dish.dishName, hex("9791"));
    // A name beyond 40 bytes is cut on a character boundary so that its NUL fits.
    dish = menuClipRecord(Lunch, MenuRow::dishRow(QString(21, QChar(u'卵'))));
    EXPECT_EQ(dish.dishName.size(), 40);
    EXPECT_EQ(encodeMenuClipRecord(dish).at(51), '\0');

    const MenuClipRecord food = menuClipRecord(Lunch, MenuRow::foodRow(1500, 75.5, EntryFood()));
    EXPECT_EQ(food.food, 1500);
    EXPECT_EQ(food.grams, 75.5);
    EXPECT_TRUE(food.dishName.isEmpty());
}

TEST(MenuClipboardBlockTest, ABlockReadsBackAsItsRecords)
{
    for (MenuClipKind kind : {MenuClipKind::Rows, MenuClipKind::Day}) {
        const QByteArray block = encodeMenuClipBlock(kind, kText, kRecords);
        EXPECT_TRUE(hasMenuClipMarker(kind, block));
        EXPECT_EQ(decodeMenuClipBlock(kind, block), kRecords);
    }
    // Each kind has its own marker.
    EXPECT_FALSE(hasMenuClipMarker(MenuClipKind::Day, encodeMenuClipBlock(MenuClipKind::Rows, kText, kRecords)));
    EXPECT_TRUE(decodeMenuClipBlock(MenuClipKind::Rows, encodeMenuClipBlock(MenuClipKind::Day, kText, kRecords)).isEmpty());
}

QByteArray withCount(QByteArray block, quint16 count)
{
    qToLittleEndian<quint16>(count, block.data() + kText.size() + 11);
    return block;
}

QByteArray withRecordByte(QByteArray block, int record, int offset, const QByteArray &bytes)
{
    block.replace(kText.size() + 13 + record * kMenuClipRecordSize + offset, bytes.size(), bytes);
    return block;
}

TEST(MenuClipboardBlockTest, ABlockThatLiesGivesOnlyTheRecordsItHoldsWhole)
{
    const QByteArray good = encodeMenuClipBlock(MenuClipKind::Rows, kText, kRecords);
    const qsizetype first = kText.size() + 13;
    double nan = std::numeric_limits<double>::quiet_NaN();
    QByteArray nanBytes(8, '\0');
    qToLittleEndian<double>(nan, nanBytes.data());
    QByteArray tooMuch(8, '\0');
    qToLittleEndian<double>(1000.0, tooMuch.data());
    QByteArray negative(8, '\0');
    qToLittleEndian<double>(-0.1, negative.data());

    struct Case {
        const char *what;
        QByteArray block;
        int records;  // the first records of kRecords that are read
    };
    const Case cases[] = {
        {"count beyond the records, the closing marker behind them", withCount(good, 60000), 3},
        {"count below the records", withCount(good, 2), 2},
        {"count zero", withCount(good, 0), 0},
        {"cut inside the closing marker", good.first(first + 3 * kMenuClipRecordSize + 4), 3},
        {"cut inside the third record", good.first(first + 2 * kMenuClipRecordSize + 51), 2},
        {"cut inside the count", good.first(kText.size() + 12), 0},
        {"cut right after the marker", good.first(kText.size() + 11), 0},
        {"fewer text lines than records",
         encodeMenuClipBlock(MenuClipKind::Rows, QByteArrayLiteral("one line\r\n"), kRecords), 1},
        {"no text lines at all", encodeMenuClipBlock(MenuClipKind::Rows, QByteArrayLiteral("no end"), kRecords), 0},
        {"no NUL behind the text", QByteArray(kText + "DMMenuData" + hex("0100") + recordBytes()), 0},
        {"the marker in the text only",
         QByteArray("DMMenuData\r\n") + hex("00") + hex("0300") + recordBytes(), 0},
        {"other program's text", QByteArray("rice 150g\r\negg\r\n"), 0},
        {"empty", QByteArray(), 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(decodeMenuClipBlock(MenuClipKind::Rows, c.block), kRecords.first(c.records)) << c.what;
    }

    // Records that cannot be rows are left out; the others keep their order.
    struct Bad {
        const char *what;
        int offset;
        QByteArray bytes;
    };
    const Bad bad[] = {
        {"meal 4", 0, hex("04")},       {"food 0", 1, hex("0000")},  {"amount NaN", 3, nanBytes},
        {"amount 1000 g", 3, tooMuch},  {"amount below 0", 3, negative},
    };
    for (const Bad &b : bad) {
        const QList<MenuClipRecord> read = decodeMenuClipBlock(MenuClipKind::Rows, withRecordByte(good, 1, b.offset, b.bytes));
        EXPECT_EQ(read, (QList<MenuClipRecord>{kRecords[0], kRecords[2]})) << b.what;
    }
    // A dish record's amount bytes mean nothing.
    EXPECT_EQ(decodeMenuClipBlock(MenuClipKind::Rows, withRecordByte(good, 0, 3, nanBytes)), kRecords);
}

TEST(MenuClipboardBlockTest, ADishNameWithoutItsNulEndsAtFortyBytes)
{
    const QByteArray good = encodeMenuClipBlock(MenuClipKind::Rows, QByteArrayLiteral("x\r\n"), {kRecords[0]});
    const QByteArray name = QByteArray(20, 'a') + QByteArray(21, 'b');
    const QList<MenuClipRecord> read =
        decodeMenuClipBlock(MenuClipKind::Rows, good.first(3 + 13 + 11) + name + good.sliced(3 + 13 + 52));
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read[0].dishName, name.first(40));
}

}  // namespace
