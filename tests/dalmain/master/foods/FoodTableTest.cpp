#include "dalmain/master/FoodTable.h"
#include "quenkit/dbf/Dbf.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include "PrintQt.h"

#include <QtEndian>

#include <optional>

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

QByteArray sjis(const char *utf8)
{
    return quenkit::toSjis(QString::fromUtf8(utf8));
}

FoodRecord food(quint32 number, int group, const char *name, double kcal, double saturated = 0)
{
    FoodRecord f;
    f.number = number;
    f.group = group;
    f.name = sjis(name);
    f.nutrients[EnergyKcal] = kcal;
    f.nutrients[SaturatedFattyAcids] = saturated;
    f.wasteRatio = number % 7;
    return f;
}

QByteArray indexBytes(const QList<quint16> &numbers)
{
    QByteArray bytes(2 + 2 * numbers.size(), '\0');
    qToLittleEndian<quint16>(static_cast<quint16>(numbers.size()), bytes.data());
    for (int i = 0; i < numbers.size(); ++i)
        qToLittleEndian<quint16>(numbers[i], bytes.data() + 2 + 2 * i);
    return bytes;
}

// A small food table in a fresh data folder: standard foods of groups 1, 2 and 6 and users'
// foods of groups 6 and 10, in number order as the table keeps them.
class FoodTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QList<FoodRecord> foods = {
            food(1, 1, "アマランサス 玄穀", 343, 1.18),
            food(143, 1, "その他 小麦でん粉", 351),
            food(144, 2, "アメリカほどいも 塊根 生", 146),
            food(317, 6, "アーティチョーク 花らい 生", 39),
            food(1883, 6, "自家製 カレー", 120, 3.5),
            food(1890, 6, "ｶﾚｰ ほうれんそう", 80, 2.0),
            food(1900, 10, "自家製 しめさば", 250, 5.0),
        };
        QString error;
        ASSERT_EQ(writeFoodTable(m_folders.dataFile(QStringLiteral("食品.FDB")), foods, nullptr, &error), 1)
            << error.toStdString();
        ASSERT_EQ(RebuildFoodIndex(nullptr), 1);
    }

    QByteArray index() const { return testsupport::readFile(m_folders.dataFile(QStringLiteral("食品.IDX"))); }
    void setIndex(const QList<quint16> &numbers)
    {
        ASSERT_TRUE(testsupport::writeFile(m_folders.dataFile(QStringLiteral("食品.IDX")), indexBytes(numbers)));
    }

    static FoodRecord grain(quint16 number) { return food(number, 1, "穀類", 100); }
    static FoodRecord item(quint32 number, int group, const char *name, double kcal)
    {
        return food(number, group, name, kcal);
    }

    void writeTable(const QList<FoodRecord> &foods)
    {
        QString error;
        ASSERT_EQ(writeFoodTable(m_folders.dataFile(QStringLiteral("食品.FDB")), foods, nullptr, &error), 1)
            << error.toStdString();
    }

    testsupport::TempFolders m_folders;
};

}  // namespace

TEST_F(FoodTable, WrittenTableIsASignedTableOfTheFoodLayout)
{
    const QByteArray bytes = testsupport::readFile(m_folders.dataFile(QStringLiteral("食品.FDB")));
    ASSERT_GT(bytes.size(), 10);
    EXPECT_EQ(bytes.left(10), QByteArray(reinterpret_cast<const char *>(quenkit::dbf::Signature.data()), 10));
    quenkit::DbfLayout layout;
    ASSERT_TRUE(quenkit::readDbfLayout(QStringLiteral("食品.FDB"), layout));
    EXPECT_EQ(layout.recordCount(), 7);
    EXPECT_EQ(layout.bodyLength(), food::BodyLength);
    EXPECT_EQ(layout.fields.size(), 46);
    EXPECT_EQ(quenkit::GetDBFFieldInfoLen(QStringLiteral("食品.FDB"), 6), food::NutrientOffset);
    EXPECT_EQ(quenkit::GetDBFFieldInfoLen(QStringLiteral("食品.FDB"), 43), food::WasteOffset);
    EXPECT_EQ(bytes.back(), char(0x1A));

    QString error;
    EXPECT_EQ(writeFoodTable(m_folders.dataFile(QStringLiteral("食品.DBF")), {}, nullptr, &error), 0);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(FoodTable, IndexListsTheNumbersInRecordOrder)
{
    EXPECT_EQ(index(), indexBytes({1, 143, 144, 317, 1883, 1890, 1900}));
    const struct {
        quint32 number;
        int record;
    } cases[] = {{1, 0}, {143, 1}, {317, 3}, {1900, 6}, {2, -1}, {0, -1}, {70000, -1}};
    for (const auto &c : cases)
        EXPECT_EQ(FoodRecordNumber(nullptr, c.number), c.record) << c.number;

    FoodRecord read;
    ASSERT_EQ(ReadFood(nullptr, 1890, read), 1);
    EXPECT_EQ(read.name, sjis("ｶﾚｰ ほうれんそう"));
    EXPECT_EQ(ReadFood(nullptr, 5, read), 0);

    // A number the index holds twice is found at its first place.
    setIndex({1, 143, 143, 317});
    EXPECT_EQ(FoodRecordNumber(nullptr, 143), 1);
    // An index from another state of the table points at another food: no food is read then.
    setIndex({143, 1});
    EXPECT_EQ(ReadFood(nullptr, 1, read), 0);
    // A short index holds only what it has.
    QByteArray shortIndex = indexBytes({1, 143, 144});
    shortIndex.chop(2);
    testsupport::writeFile(m_folders.dataFile(QStringLiteral("食品.IDX")), shortIndex);
    EXPECT_EQ(FoodRecordNumber(nullptr, 143), 1);
    EXPECT_EQ(FoodRecordNumber(nullptr, 144), -1);

    QFile::remove(m_folders.dataFile(QStringLiteral("食品.IDX")));
    EXPECT_EQ(FoodRecordNumber(nullptr, 1), -1);
    QFile::remove(m_folders.dataFile(QStringLiteral("食品.FDB")));
    EXPECT_EQ(RebuildFoodIndex(nullptr), 0);
}

TEST_F(FoodTable, DeletedRecordKeepsItsPlaceInTheIndexAndLeavesTheCache)
{
    // Flag record 1 (food 143) as deleted, as another program may leave it.
    const QString path = m_folders.dataFile(QStringLiteral("食品.FDB"));
    QByteArray bytes = testsupport::readFile(path);
    quenkit::DbfLayout layout;
    ASSERT_TRUE(quenkit::readDbfLayout(QStringLiteral("食品.FDB"), layout));
    bytes[layout.recordPosition(1)] = '*';
    ASSERT_TRUE(testsupport::writeFile(path, bytes));

    ASSERT_EQ(RebuildFoodIndex(nullptr), 1);
    EXPECT_EQ(index(), indexBytes({1, 0, 144, 317, 1883, 1890, 1900}));
    EXPECT_EQ(FoodRecordNumber(nullptr, 143), -1);
    EXPECT_EQ(FoodRecordNumber(nullptr, 144), 2);   // still its record number

    FoodCache cache;
    ASSERT_EQ(LoadFoodCache(nullptr, cache), 1);
    EXPECT_EQ(cache.size(), 6);
    EXPECT_EQ(findCachedFood(cache, 143), nullptr);
}

TEST_F(FoodTable, NextNumber)
{
    const QString section = QStringLiteral("Dalmora Food");
    const QString counter = QStringLiteral("FoodNo5");
    const struct {
        const char *stored;   // nullptr: never stored
        quint32 next;
        const char *storedAfter;
    } cases[] = {
        {nullptr, 1901, "1901"},     // the largest number of the index, plus one
        {"1950", 1951, "1951"},      // the counter, ahead of the index
        {"1890", 1901, "1901"},      // a counter behind the index gives no number that is taken
        {"1200", 1901, "1901"},      // a counter among the standard numbers, as an old table left it
        {"40999", 59000, "59000"},   // the range of the later official foods is skipped
        {"41500", 59000, "59000"},   // a counter inside it too
        {"60000", 1884, "60000"},    // from 60000 on: the first gap among the user's numbers
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "none");
        quenkit::DeleteRegistryString(section, counter);
        if (c.stored)
            quenkit::SetRegistryString(section, counter, QString::fromLatin1(c.stored));
        EXPECT_EQ(NextFoodNumber(), c.next);
        QString value;
        quenkit::GetRegistryString(section, counter, nullptr, value);
        EXPECT_EQ(value, QString::fromLatin1(c.storedAfter));
    }

    quenkit::SetRegistryString(section, counter, QStringLiteral("60000"));
    QList<FoodRecord> full;
    for (quint16 n = 1; n <= 10; ++n)
        full.append(grain(n));
    writeTable(full);
    EXPECT_EQ(NextFoodNumber(), 1883u);   // the gaps among the standard numbers are not the user's

    // Official foods of the reserved range are the largest numbers of a full table; the user's
    // first food still gets 1883.
    writeTable({grain(1), item(41144, 1, "こむぎ 後の版", 100), item(58057, 18, "調理済み 後の版", 100)});
    quenkit::DeleteRegistryString(section, counter);
    EXPECT_EQ(NextFoodNumber(), 1883u);
    EXPECT_EQ(NextFoodNumber(), 1884u);

    writeTable({});
    quenkit::DeleteRegistryString(section, counter);
    EXPECT_EQ(NextFoodNumber(), 1883u);
    // Without a table there is nothing to number a food for.
    QFile::remove(m_folders.dataFile(QStringLiteral("食品.FDB")));
    EXPECT_EQ(NextFoodNumber(), food::NoNumber);
}

TEST_F(FoodTable, AnIndexThatIsNotTheTablesIsRebuiltBeforeANumberIsGiven)
{
    const QByteArray sound = index();
    QByteArray cut = indexBytes({1, 143, 144, 317, 1883, 1890, 1900});
    cut.truncate(2 + 2 * 3);   // the count promises 7 numbers, the file holds 3
    QByteArray random(sound.size(), '\0');
    quint32 seed = 12345;
    for (char &c : random) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    const struct {
        const char *what;
        std::optional<QByteArray> bytes;   // none: no index file
    } cases[] = {
        {"cut short", cut},
        {"random bytes", random},
        {"of another table", indexBytes({1, 2, 3})},
        {"a number too few", indexBytes({1, 143, 144, 317, 1883, 1890})},
        {"empty", QByteArray()},
        {"missing", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        quenkit::DeleteRegistryString(QStringLiteral("Dalmora Food"), QStringLiteral("FoodNo5"));
        const QString path = m_folders.dataFile(QStringLiteral("食品.IDX"));
        QFile::remove(path);
        if (c.bytes) {
            ASSERT_TRUE(testsupport::writeFile(path, *c.bytes));
        }
        // Past every food of the table, and the index is the table's again.
        EXPECT_EQ(NextFoodNumber(), 1901u);
        EXPECT_EQ(index(), sound);
    }
}

TEST_F(FoodTable, ADamagedOrForeignTableGivesNoCache)
{
    const QString path = m_folders.dataFile(QStringLiteral("食品.FDB"));
    const QByteArray sound = testsupport::readFile(path);
    QByteArray noHeaderLength = sound;
    noHeaderLength[quenkit::dbf::SignatureSize + 8] = 0;
    noHeaderLength[quenkit::dbf::SignatureSize + 9] = 0;
    const struct {
        const char *what;
        std::optional<QByteArray> bytes;   // none: the table is written with other fields
    } cases[] = {
        {"cut into its header", sound.left(quenkit::dbf::SignatureSize + 31)},
        {"header length 0", noHeaderLength},
        {"records cut off", sound.left(sound.size() - 500)},
        {"other fields of a food's length", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.bytes) {
            ASSERT_TRUE(testsupport::writeFile(path, *c.bytes));
        } else {
            QList<quenkit::DbfFieldDescriptor> fields = foodTableFields();
            std::swap(fields[0], fields[1]);   // the name first, then the number
            ASSERT_EQ(quenkit::createDbfTable(path, fields), 1);
        }
        FoodCache cache{FoodCacheEntry{}};
        EXPECT_EQ(LoadFoodCache(nullptr, cache), 0);
        EXPECT_TRUE(cache.isEmpty());
    }
    QFile::remove(path);
    FoodCache cache;
    EXPECT_EQ(LoadFoodCache(nullptr, cache), 0);
}

TEST_F(FoodTable, CacheAndCodeTable)
{
    FoodCache cache;
    ASSERT_EQ(LoadFoodCache(nullptr, cache), 1);
    ASSERT_EQ(cache.size(), 7);
    EXPECT_EQ(cache[0].number, 1u);
    EXPECT_EQ(cache[0].name, sjis("アマランサス 玄穀"));
    EXPECT_EQ(cache[0].group, 1u);
    EXPECT_EQ(cache[0].nutrients[EnergyKcal], 343);
    EXPECT_EQ(cache[0].nutrients[SaturatedFattyAcids], 1.18);
    EXPECT_EQ(cache[6].wasteRatio, 1900 % 7);
    ASSERT_NE(findCachedFood(cache, 1890), nullptr);
    EXPECT_EQ(findCachedFood(cache, 1890)->nutrients[EnergyKcal], 80);
    EXPECT_EQ(findCachedFood(cache, 2), nullptr);

    QList<FoodCodeEntry> codes;
    ASSERT_EQ(BuildFoodCodeTable(nullptr, codes), 1);
    QStringList got;
    for (const FoodCodeEntry &e : codes)
        got.append(QStringLiteral("%1=%2").arg(e.number).arg(QString::fromLatin1(e.code)));
    EXPECT_EQ(got, (QStringList{"1=01001", "143=01143", "144=02001", "317=06001", "1883=06327", "1890=06328",
                                "1900=10389"}));
    EXPECT_EQ(codes[4].name, sjis("自家製 カレー"));

    QFile::remove(m_folders.dataFile(QStringLiteral("食品.FDB")));
    EXPECT_EQ(LoadFoodCache(nullptr, cache), 0);
    EXPECT_TRUE(cache.isEmpty());
}

// The user's foods of a group never share a code with an official food: not with the last
// standard serial of groups 9, 13 and 14, nor with a later official food of the group, wherever
// the user's food stands in the table.
TEST_F(FoodTable, CodesOfUsersFoodsStayClearOfTheOfficialOnes)
{
    writeTable({
        item(1900, 1, "自家製 パン", 250),
        item(1, 1, "アマランサス 玄穀", 343),
        item(41144, 1, "こむぎ 後の版", 100),
        item(41210, 1, "こめ 後の版", 100),
        item(882, 9, "わかめ 最後の標準食品", 10),
        item(1901, 9, "自家製 つくだ煮", 150),
        item(1585, 13, "ヨーグルト 最後の標準食品", 60),
        item(1902, 13, "自家製 チーズ", 300),
        item(1607, 14, "油 最後の標準食品", 900),
        item(1903, 14, "自家製 ラード", 900),
        item(1904, 18, "自家製 弁当", 600),
    });
    QList<FoodCodeEntry> codes;
    ASSERT_EQ(BuildFoodCodeTable(nullptr, codes), 1);
    QStringList got;
    for (const FoodCodeEntry &e : codes)
        got.append(QStringLiteral("%1=%2").arg(e.number).arg(QString::fromLatin1(e.code)));
    EXPECT_EQ(got, (QStringList{"1900=01211", "1=01001", "41144=01144", "41210=01210", "882=09048", "1901=09049",
                                "1585=13052", "1902=13053", "1607=14022", "1903=14023", "1904=18017"}));
}

TEST_F(FoodTable, SearchesOfTheFoodSearchDialog)
{
    const struct {
        const char *text;
        QList<int> records;
    } texts[] = {
        {"かれー", {4, 5}},   // full-width カレー and half-width ｶﾚｰ, from hiragana
        {"ｶﾚｰ", {4, 5}},
        {"自家製", {4, 6}},
        {"1883", {4}},        // the number field is searched too
        {"ないもの", {}},
    };
    for (const auto &t : texts) {
        SCOPED_TRACE(t.text);
        QList<int> found;
        EXPECT_EQ(SearchFoodsByText(nullptr, found, sjis(t.text)), t.records.size());
        EXPECT_EQ(found, t.records);
    }

    const struct {
        int group;
        NutrientCondition condition;
        QList<int> records;
    } groups[] = {
        {1, {}, {0, 1}},
        {6, {}, {3, 4, 5}},
        {6, {SaturatedFattyAcids, 1, 2.0}, {4, 5}},
        {6, {SaturatedFattyAcids, 2, 2.0}, {3, 5}},
        {6, {SaturatedFattyAcids, 3, 3.5}, {4}},
        {0, {EnergyKcal, 1, 300}, {0, 1}},
        {10, {EnergyKcal, 0, 0}, {}},
    };
    for (const auto &g : groups) {
        SCOPED_TRACE(g.group);
        QList<int> found;
        SearchFoodsByGroup(nullptr, found, g.group, g.condition);
        EXPECT_EQ(found, g.records);
    }
    QList<int> found;
    EXPECT_EQ(SearchFoodsByText(nullptr, found, "x", FoodTableFiles::forTable(QStringLiteral("無い.FDB"))), -1);
}
