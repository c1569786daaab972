// Checks on the whole official table, built by the importer in the test fixture
// "food_full_table" (see CMakeLists.txt) from the shared data folder.

#include "dalmain/master/FoodTable.h"
#include "dalmain/master/NutrientInfo.h"
#include "quenkit/dbf/Dbf.h"
#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include "PrintQt.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

const QString kShared = QStringLiteral(DALMORA_SHARED_DATA_DIR);
const QString kTable = QString::fromUtf8(DALMORA_FULL_FOOD_TABLE);

class FullTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QFile::exists(kShared + QStringLiteral("/mext2020/main.csv")))
            GTEST_SKIP() << "the shared data folder " << kShared.toStdString()
                         << " has no mext2020/main.csv: the full food table cannot be built";
        ASSERT_TRUE(QFile::exists(kTable)) << kTable.toStdString()
                                           << " is missing: the fixture test foods_full_table_import did not run";
        m_files = FoodTableFiles::forTable(kTable);
    }

    FoodTableFiles m_files;
};

// The cells of a CSV line up to the first quoted field: enough for the leading columns of both
// official files, read without the importer's parser.
QHash<QString, QStringList> leadingCells(const QString &path, int count)
{
    QHash<QString, QStringList> rows;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return rows;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QStringList cells = QString::fromUtf8(line).split(QLatin1Char(','));
        if (cells.size() >= count && cells[1].size() == 5 && !rows.contains(cells[1]))
            rows.insert(cells[1], cells.mid(0, count));
    }
    return rows;
}

// A value as the files write it; an estimate in parentheses counts as its number, anything
// else that is no number ("null", "-", "Tr") as 0.
double csvValue(QString cell)
{
    cell.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    bool ok = false;
    const double v = cell.toDouble(&ok);
    return ok ? v : 0.0;
}

}  // namespace

TEST_F(FullTable, RecordsNumbersAndTheFirstFood)
{
    quenkit::DbfLayout layout;
    ASSERT_TRUE(quenkit::readDbfLayout(kTable, layout));
    EXPECT_EQ(layout.recordCount(), 1862);

    FoodCache cache;
    ASSERT_EQ(LoadFoodCache(nullptr, cache, m_files), 1);
    ASSERT_EQ(cache.size(), 1862);
    QSet<quint32> numbers;
    QHash<int, QSet<QByteArray>> namesByGroup;
    for (const FoodCacheEntry &e : cache) {
        EXPECT_GE(e.number, 1u);
        EXPECT_LE(e.number, food::LastStandardNumber);
        EXPECT_EQ(standardGroupOf(e.number), static_cast<int>(e.group)) << e.number;
        numbers.insert(e.number);
        EXPECT_LE(e.name.size(), food::NameWidth);
        EXPECT_FALSE(namesByGroup[e.group].contains(e.name)) << quenkit::fromSjis(e.name).toStdString();
        namesByGroup[e.group].insert(e.name);
    }
    EXPECT_EQ(numbers.size(), 1862);   // 20 of the 1882 standard numbers stay free

    FoodRecord first;
    ASSERT_EQ(ReadFood(nullptr, 1, first, m_files), 1);
    EXPECT_EQ(quenkit::fromSjis(first.name), QStringLiteral("アマランサス 玄穀"));
    EXPECT_EQ(first.nutrients[EnergyKcal], 343);
    QList<FoodCodeEntry> codes;
    ASSERT_EQ(BuildFoodCodeTable(nullptr, codes, m_files), 1);
    ASSERT_EQ(codes.size(), 1862);
    EXPECT_EQ(codes[0].code, QByteArray("01001"));
    EXPECT_EQ(codes.last().code, QByteArray("18016"));
    EXPECT_EQ(FoodRecordNumber(nullptr, 1882, m_files), 1861);
}

TEST_F(FullTable, TenFoodsAgainstTheOfficialCsv)
{
    const QHash<QString, QStringList> main = leadingCells(kShared + QStringLiteral("/mext2020/main.csv"), 58);
    const QHash<QString, QStringList> fatty = leadingCells(kShared + QStringLiteral("/mext2020/fatty-acids.csv"), 11);
    ASSERT_FALSE(main.isEmpty());
    ASSERT_FALSE(fatty.isEmpty());
    // Column of the converted main table for each checked nutrient.
    const struct {
        int nutrient;
        int column;
    } mainColumns[] = {
        {EnergyKcal, 6}, {EnergyKj, 5}, {Water, 7}, {Protein, 9}, {Fat, 12}, {Carbohydrate, 18},
        {Ash, 20}, {Sodium, 21}, {Calcium, 23}, {Iron, 26}, {Copper, 28}, {Retinol, 34},
        {BetaCaroteneEq, 38}, {VitaminD, 40}, {VitaminB1, 46}, {VitaminB12, 51}, {VitaminC, 55},
        {Cholesterol, 11}, {TotalFiber, 16}, {SaltEquivalent, 57},
    };
    const char *foods[] = {"01001", "01088", "04032", "06182", "07148", "10003", "11131", "12004", "13003", "14006"};
    for (const char *code : foods) {
        SCOPED_TRACE(code);
        const QStringList row = main.value(QString::fromLatin1(code));
        ASSERT_EQ(row.size(), 58);
        const quint32 number = foodGroupOffset(row[0].toInt()) + QString::fromLatin1(code).mid(2).toUInt();
        FoodRecord f;
        ASSERT_EQ(ReadFood(nullptr, number, f, m_files), 1);
        // Shortened or not, a name keeps the official name's last sub-name.
        EXPECT_TRUE(quenkit::fromSjis(f.name).endsWith(row[3].simplified().split(QLatin1Char(' ')).last()))
            << quenkit::fromSjis(f.name).toStdString();
        for (const auto &c : mainColumns)
            EXPECT_NEAR(f.nutrients[c.nutrient], csvValue(row[c.column]), 1e-9) << nutrientCsvName(c.nutrient).toStdString();
        EXPECT_EQ(f.wasteRatio, csvValue(row[4]));
        const QStringList fa = fatty.value(QString::fromLatin1(code));
        ASSERT_EQ(fa.size(), 11);
        EXPECT_NEAR(f.nutrients[SaturatedFattyAcids], csvValue(fa[8]), 1e-9);
        EXPECT_NEAR(f.nutrients[MonounsaturatedFattyAcids], csvValue(fa[9]), 1e-9);
        EXPECT_NEAR(f.nutrients[PolyunsaturatedFattyAcids], csvValue(fa[10]), 1e-9);
    }
}

TEST_F(FullTable, CurryFoodsFoundFromAnyKanaSpelling)
{
    for (const char *key : {"かれー", "ｶﾚｰ"}) {
        SCOPED_TRACE(key);
        const testsupport::CliResult r = testsupport::runCli({"foods", "search", QString::fromUtf8(key), "--table", kTable});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("17051 <調味料類> (ルウ類) カレールウ\n"))) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("17061 <香辛料類> カレー粉\n")));
        EXPECT_TRUE(r.out.contains(QStringLiteral("18001 洋風料理 カレー類 ビーフカレー\n")));
    }
}

TEST_F(FullTable, ShippedSampleIsWhatTheScriptBuilds)
{
    const QString source = QStringLiteral(DALMORA_SOURCE_DIR);
    QTemporaryDir dir;
    const QString out = dir.path() + QStringLiteral("/食品.FDB");
    const testsupport::CliResult r = testsupport::runCli(
        {"foods", "import-mext", kShared + QStringLiteral("/mext2020/main.csv"), "--fatty-acids",
         kShared + QStringLiteral("/mext2020/fatty-acids.csv"), "--only", source + QStringLiteral("/scripts/sample-foods.txt"),
         "--out", out},
        {QStringLiteral("DALMORA_TODAY=2026-01-01")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(testsupport::readFile(out), testsupport::readFile(source + QStringLiteral("/data/master/食品.FDB")));
    EXPECT_EQ(testsupport::readFile(dir.path() + QStringLiteral("/食品.IDX")),
              testsupport::readFile(source + QStringLiteral("/data/master/食品.IDX")));
}
