#include "dalmain/master/DishRecord.h"
#include "quenkit/dbf/Dbf.h"

#include "DishTestSupport.h"

#include <gtest/gtest.h>

using namespace dalmain;
using dishtest::sjis;

namespace {

DishRecord sampleDish()
{
    DishRecord d;
    d.name = sjis("肉じゃが");
    d.category = sjis("和食");
    d.keywords = {sjis("にくじゃが"), QByteArray(), sjis("煮物")};
    d.entries = {DishEntry::header(sjis("肉じゃが")), DishEntry::foodEntry(1317, 500), DishEntry::foodEntry(160, 1000),
                 DishEntry::header(sjis("ご飯")), DishEntry::foodEntry(88, 9999)};
    d.picture = "NIKU";
    d.memo = sjis("メモ");
    return d;
}

QByteArray slice(const QByteArray &body, int offset, int width)
{
    return body.mid(offset, width);
}

}  // namespace

TEST(DishRecord, BodyLayoutIsByteExact)
{
    const std::optional<QByteArray> body = encodeDish(sampleDish());
    ASSERT_TRUE(body);
    ASSERT_EQ(body->size(), 2288);
    EXPECT_EQ(slice(*body, 0, 40), sjis("肉じゃが").leftJustified(40, ' '));
    EXPECT_EQ(slice(*body, 40, 10), sjis("和食").leftJustified(10, ' '));
    EXPECT_EQ(slice(*body, 50, 10), sjis("にくじゃが"));
    EXPECT_EQ(slice(*body, 60, 10), QByteArray(10, ' '));
    EXPECT_EQ(slice(*body, 70, 10), sjis("煮物").leftJustified(10, ' '));
    // "%5u%4u" per entry; headers carry amount 0; the zeroed rest ends the list.
    EXPECT_EQ(slice(*body, 80, 45), QByteArray("65535   0 1317 500  160100065535   0   889999"));
    EXPECT_EQ(slice(*body, 125, 900 - 45), QByteArray(855, '\0'));
    // Header names blank-padded in entry order; unused slots zero.
    EXPECT_EQ(slice(*body, 980, 40), sjis("肉じゃが").leftJustified(40, ' '));
    EXPECT_EQ(slice(*body, 1020, 40), sjis("ご飯").leftJustified(40, ' '));
    EXPECT_EQ(slice(*body, 1060, 1120), QByteArray(1120, '\0'));
    // The picture name as it is, NUL behind it; the memo blank-padded.
    EXPECT_EQ(slice(*body, 2180, 8), QByteArray("NIKU\0\0\0\0", 8));
    EXPECT_EQ(slice(*body, 2188, 100), sjis("メモ").leftJustified(100, ' '));
}

TEST(DishRecord, DecodesWhatItEncodes)
{
    const DishRecord d = sampleDish();
    EXPECT_EQ(DishRecord::fromBody(*encodeDish(d)), d);
}

TEST(DishRecord, ListEndsAtTheFirstZeroNumber)
{
    QByteArray body = *encodeDish(sampleDish());
    // Entry 2 (food 160) reads as number 0: the list ends before it, whatever follows.
    body.replace(80 + 2 * 9, 5, "    0");
    const DishRecord d = DishRecord::fromBody(body);
    ASSERT_EQ(d.entries.size(), 2);
    EXPECT_EQ(d.entries[1], DishEntry::foodEntry(1317, 500));
}

TEST(DishRecord, TextFieldsLoseBlanksAndNuls)
{
    QByteArray body(2288, '\0');
    body.replace(0, 6, sjis("カレー"));                        // NUL-padded name, as another program may leave it
    body.replace(40, 10, QByteArray("ABC       "));
    body.replace(2180, 8, QByteArray("PIC     "));
    const DishRecord d = DishRecord::fromBody(body);
    EXPECT_EQ(d.name, sjis("カレー"));
    EXPECT_EQ(d.category, QByteArray("ABC"));
    EXPECT_EQ(d.picture, QByteArray("PIC"));
    EXPECT_TRUE(d.entries.isEmpty());
}

TEST(DishRecord, HeadersBeyondTheNameSlotsHaveNoName)
{
    QByteArray body(2288, '\0');
    for (int i = 0; i < 31; ++i)
        body.replace(80 + i * 9, 9, "65535   0");
    for (int i = 0; i < 30; ++i)
        body.replace(980 + i * 40, 40, QByteArray::number(i).leftJustified(40, ' '));
    const DishRecord d = DishRecord::fromBody(body);
    ASSERT_EQ(d.entries.size(), 31);
    EXPECT_EQ(d.entries[29].headerName, QByteArray("29"));
    EXPECT_TRUE(d.entries[30].isHeader());
    EXPECT_TRUE(d.entries[30].headerName.isEmpty());
}

TEST(DishRecord, RefusesWhatTheLayoutCannotHold)
{
    const struct {
        const char *what;
        QList<DishEntry> entries;
        DishEncodeProblem problem;
    } cases[] = {
        {"101 entries", QList<DishEntry>(101, DishEntry::foodEntry(1, 10)), DishEncodeProblem::TooManyEntries},
        {"31 headers", QList<DishEntry>(31, DishEntry::header("x")), DishEncodeProblem::TooManyHeaders},
        {"1000.0 g", {DishEntry::foodEntry(1, 10000)}, DishEncodeProblem::AmountTooLarge},
        {"food 0", {DishEntry::foodEntry(0, 10)}, DishEncodeProblem::BadFoodNumber},
        {"food 70000", {DishEntry::foodEntry(70000, 10)}, DishEncodeProblem::BadFoodNumber},
    };
    for (const auto &c : cases) {
        DishRecord d;
        d.name = "x";
        d.entries = c.entries;
        DishEncodeProblem problem = DishEncodeProblem::None;
        EXPECT_FALSE(encodeDish(d, &problem)) << c.what;
        EXPECT_EQ(problem, c.problem) << c.what;
    }
    DishRecord full;
    full.entries = QList<DishEntry>(70, DishEntry::foodEntry(65534, 9999)) + QList<DishEntry>(30, DishEntry::header("h"));
    EXPECT_TRUE(encodeDish(full)) << "100 entries with 30 headers fit";
}

TEST(DishRecord, CutsTextsAtCharacterBoundaries)
{
    DishRecord d;
    d.name = sjis("あ") + QByteArray(37, 'x') + sjis("い");   // 41 bytes: the last character does not fit
    d.picture = sjis("写真写真写");                             // 10 bytes: cut to 8
    const QByteArray body = *encodeDish(d);
    EXPECT_EQ(slice(body, 0, 40), sjis("あ") + QByteArray(37, 'x') + ' ');
    EXPECT_EQ(slice(body, 2180, 8), sjis("写真写真"));
}

TEST(DishRecord, PictureNamesOfNoPicture)
{
    for (const char *picture : {"", "DEFCOOK", "defcook"}) {
        DishRecord d;
        d.picture = picture;
        EXPECT_FALSE(d.hasOwnPicture()) << picture;
    }
    DishRecord d;
    d.picture = "CURRY";
    EXPECT_TRUE(d.hasOwnPicture());
}

TEST(DishRecord, TablesHaveTheFieldLayout)
{
    testsupport::TempFolders folders;
    ASSERT_EQ(quenkit::createDbfTable(kDishTable, dishTableFields()), 1);
    ASSERT_EQ(quenkit::createDbfTable(kDishCategoryTable, dishCategoryTableFields()), 1);
    quenkit::DbfLayout dishes;
    ASSERT_TRUE(quenkit::readDbfLayout(kDishTable, dishes));
    EXPECT_EQ(dishes.signatureOffset, 0);
    EXPECT_EQ(dishes.recordLength(), 2289);
    const struct {
        const char *field;
        quint16 width;
        quint16 offset;
    } named[] = {{"料理名", 40, 0}, {"分類", 10, 40}, {"ｷｰﾜｰﾄﾞ1", 10, 50}, {"ｷｰﾜｰﾄﾞ2", 10, 60}, {"ｷｰﾜｰﾄﾞ3", 10, 70},
                 {"食品1", 9, 80},  {"食品100", 9, 971}, {"見出し1", 40, 980}, {"見出し30", 40, 2140},
                 {"写真", 8, 2180}, {"メモ", 100, 2188}};
    for (const auto &n : named) {
        const std::optional<quenkit::FieldSlice> s = dishes.fieldSlice(sjis(n.field));
        ASSERT_TRUE(s) << n.field;
        EXPECT_EQ(*s, (quenkit::FieldSlice{n.width, n.offset})) << n.field;
    }
    quenkit::DbfLayout categories;
    ASSERT_TRUE(quenkit::readDbfLayout(kDishCategoryTable, categories));
    ASSERT_EQ(categories.fields.size(), 1);
    EXPECT_EQ(categories.fields[0].name(), sjis("料理分類名"));
    EXPECT_EQ(categories.fields[0].length(), 10);
}
