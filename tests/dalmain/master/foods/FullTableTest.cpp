// Checks on the whole official table, built by the importer in the test fixture
// "food_full_table" (see CMakeLists.txt) from MEXT's Excel files in the shared data folder; the
// CSV conversions beside them are read here without the importer.

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
const QString kMext = kShared + QStringLiteral("/mext2023/");
const QString kMainWorkbook = kMext + QStringLiteral("20260327-mxt_kagsei-mext-000029402_02.xlsx");
const QString kFattyWorkbook = kMext + QStringLiteral("20260327-mxt_kagsei-mext-000029402_09.xlsx");
const QString kFibreWorkbook = kMext + QStringLiteral("fibre-2020-annex1.xlsx");
const QString kTable = QString::fromUtf8(DALMORA_FULL_FOOD_TABLE);
constexpr int kOfficialFoods = 2538;

class FullTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QFile::exists(kMainWorkbook))
            GTEST_SKIP() << "the shared data folder " << kShared.toStdString()
                         << " has no mext2023 workbooks: the full food table cannot be built";
        ASSERT_TRUE(QFile::exists(kTable)) << kTable.toStdString()
                                           << " is missing: the fixture test foods_full_table_import did not run";
        m_files = FoodTableFiles::forTable(kTable);
    }

    FoodTableFiles m_files;
};

// The rows of a converted CSV by official number, the cells named by the tag row, read up to the
// first quoted field: enough for the value columns, which come before the remarks.
struct CsvTable {
    QHash<QString, int> column;
    QHash<QString, QStringList> rows;

    QString cell(const QString &code, const char *tag) const
    {
        return rows.value(code).value(column.value(QString::fromLatin1(tag), -1));
    }
};

CsvTable readCsv(const QString &path)
{
    CsvTable table;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return table;
    const QList<QByteArray> lines = f.readAll().split('\n');
    if (lines.isEmpty())
        return table;
    const QStringList tags = QString::fromUtf8(lines[0]).trimmed().split(QLatin1Char(','));
    for (int i = 0; i < tags.size(); ++i)
        table.column.insert(tags[i], i);
    for (const QByteArray &line : lines.mid(1)) {
        const qsizetype quote = line.indexOf('"');
        const QStringList cells = QString::fromUtf8(quote < 0 ? line : line.left(quote)).split(QLatin1Char(','));
        if (cells.size() > 1 && cells[1].size() == 5 && !table.rows.contains(cells[1]))
            table.rows.insert(cells[1], cells);
    }
    return table;
}

// What a cell of the official notation means: nothing for "-", 0 for a trace or an estimated
// zero, else the number (parentheses and the note mark taken off).
std::optional<double> officialValue(QString cell)
{
    cell = cell.trimmed();
    if (cell == QLatin1String("-"))
        return std::nullopt;
    cell.remove(QLatin1Char('(')).remove(QLatin1Char(')')).remove(QChar(0x2020));
    if (cell == QLatin1String("Tr"))
        return 0.0;
    bool ok = false;
    const double v = cell.toDouble(&ok);
    EXPECT_TRUE(ok) << cell.toStdString();
    return v;
}

// The seed numbering, as the standard numbers were given before the later foods had numbers:
// GGSSS is offset(GG) + SSS while SSS is within the group's standard numbers.
std::optional<quint32> seedNumber(const QString &code)
{
    const int group = code.left(2).toInt();
    const quint32 serial = code.mid(2).toUInt();
    const quint32 end = group < food::GroupCount ? foodGroupOffset(group + 1) : food::LastStandardNumber;
    if (serial < 1 || foodGroupOffset(group) + serial > end)
        return std::nullopt;
    return foodGroupOffset(group) + serial;
}

}  // namespace

TEST_F(FullTable, EveryOfficialFoodHasItsNumberAndItsCode)
{
    const CsvTable main = readCsv(kMext + QStringLiteral("main-2026-03-27.csv"));
    ASSERT_EQ(main.rows.size(), kOfficialFoods);

    FoodCache cache;
    ASSERT_EQ(LoadFoodCache(nullptr, cache, m_files), 1);
    ASSERT_EQ(cache.size(), kOfficialFoods);
    QList<FoodCodeEntry> codes;
    ASSERT_EQ(BuildFoodCodeTable(nullptr, codes, m_files), 1);
    ASSERT_EQ(codes.size(), kOfficialFoods);

    QHash<QByteArray, quint32> numberOfCode;
    QHash<int, QSet<QByteArray>> namesByGroup;
    for (qsizetype i = 0; i < cache.size(); ++i) {
        const FoodCacheEntry &e = cache[i];
        EXPECT_TRUE(isOfficialFoodNumber(e.number)) << e.number;
        EXPECT_EQ(codes[i].number, e.number);
        EXPECT_FALSE(numberOfCode.contains(codes[i].code)) << codes[i].code.constData() << ": two foods, one code";
        numberOfCode.insert(codes[i].code, e.number);
        EXPECT_EQ(codes[i].code.left(2).toInt(), static_cast<int>(e.group)) << e.number;
        EXPECT_LE(e.name.size(), food::NameWidth);
        EXPECT_FALSE(namesByGroup[e.group].contains(e.name)) << quenkit::fromSjis(e.name).toStdString();
        namesByGroup[e.group].insert(e.name);
    }

    // Every food of the official table, by its official number: the seed number where the seed
    // numbering covers it, unchanged, and a number of the reserved range otherwise.
    int seeded = 0;
    for (auto it = main.rows.cbegin(); it != main.rows.cend(); ++it) {
        const QString &code = it.key();
        SCOPED_TRACE(code.toStdString());
        ASSERT_TRUE(numberOfCode.contains(code.toLatin1()));
        const quint32 number = numberOfCode.value(code.toLatin1());
        if (const std::optional<quint32> seed = seedNumber(code)) {
            EXPECT_EQ(number, *seed);
            ++seeded;
        } else {
            EXPECT_EQ(number, 40000 + code.toUInt());
        }
    }
    EXPECT_EQ(seeded, 1862);   // 20 of the 1882 standard numbers stay free

    FoodRecord first;
    ASSERT_EQ(ReadFood(nullptr, 1, first, m_files), 1);
    EXPECT_EQ(quenkit::fromSjis(first.name), QStringLiteral("アマランサス 玄穀"));
    EXPECT_EQ(first.nutrients[EnergyKcal], 343);
    EXPECT_EQ(codes[0].code, QByteArray("01001"));
    EXPECT_EQ(numberOfCode.value("18016"), 1882u);
    EXPECT_EQ(numberOfCode.value("01211"), 41211u);
}

// The shipped sample's foods have the numbers and codes of the full table.
TEST_F(FullTable, SampleFoodsKeepTheirNumbers)
{
    const FoodTableFiles sample = FoodTableFiles::forTable(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/食品.FDB"));
    QList<FoodCodeEntry> sampleCodes;
    QList<FoodCodeEntry> fullCodes;
    ASSERT_EQ(BuildFoodCodeTable(nullptr, sampleCodes, sample), 1);
    ASSERT_EQ(BuildFoodCodeTable(nullptr, fullCodes, m_files), 1);
    ASSERT_FALSE(sampleCodes.isEmpty());
    QHash<QByteArray, quint16> full;
    for (const FoodCodeEntry &e : std::as_const(fullCodes))
        full.insert(e.code, e.number);
    for (const FoodCodeEntry &e : std::as_const(sampleCodes))
        EXPECT_EQ(full.value(e.code), e.number) << e.code.constData();
}

// The user's own foods in every group, behind the whole official table: still no code twice.
TEST_F(FullTable, NoTwoFoodsShareACodeWithTheUsersFoodsAdded)
{
    QList<FoodRecord> foods;
    ASSERT_TRUE(readFoodRecords(kTable, foods));
    quint32 number = 0;
    for (int group = 1; group <= food::GroupCount; ++group) {
        for (int i = 0; i < 3; ++i) {
            FoodRecord own;
            number = nextUserFoodNumber(number);
            own.number = number;
            own.group = group;
            own.name = quenkit::toSjis(QStringLiteral("自家製 %1-%2").arg(group).arg(i));
            foods.append(own);
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("食品.FDB"));
    ASSERT_EQ(writeFoodTable(path, foods), 1);
    QList<FoodCodeEntry> codes;
    ASSERT_EQ(BuildFoodCodeTable(nullptr, codes, FoodTableFiles::forTable(path)), 1);
    ASSERT_EQ(codes.size(), foods.size());
    QHash<QByteArray, quint32> seen;
    for (const FoodCodeEntry &e : std::as_const(codes)) {
        EXPECT_FALSE(seen.contains(e.code)) << e.code.constData() << ": " << seen.value(e.code) << " and " << e.number;
        seen.insert(e.code, e.number);
    }
}

TEST_F(FullTable, TenFoodsAgainstTheOfficialCsv)
{
    const CsvTable main = readCsv(kMext + QStringLiteral("main-2026-03-27.csv"));
    const CsvTable fatty = readCsv(kMext + QStringLiteral("fatty-acids-2026-03-27.csv"));
    const CsvTable fibre = readCsv(kMext + QStringLiteral("fibre-2020-annex1.csv"));
    ASSERT_FALSE(main.rows.isEmpty());
    ASSERT_FALSE(fatty.rows.isEmpty());
    ASSERT_FALSE(fibre.rows.isEmpty());
    const struct {
        int nutrient;
        const CsvTable &table;
        const char *tag;
    } sources[] = {
        {EnergyKcal, main, "ENERC_KCAL"}, {EnergyKj, main, "ENERC"}, {Water, main, "WATER"},
        {Protein, main, "PROT-"}, {Fat, main, "FAT-"}, {Carbohydrate, main, "CHOCDF-"}, {Ash, main, "ASH"},
        {Sodium, main, "NA"}, {Calcium, main, "CA"}, {Iron, main, "FE"}, {Copper, main, "CU"},
        {Retinol, main, "RETOL"}, {BetaCaroteneEq, main, "CARTBEQ"}, {VitaminD, main, "VITD"},
        {VitaminB1, main, "THIA"}, {Niacin, main, "NE"}, {VitaminB12, main, "VITB12"}, {VitaminC, main, "VITC"},
        {Cholesterol, main, "CHOLE"}, {TotalFiber, main, "FIB-"}, {SaltEquivalent, main, "NACL_EQ"},
        {SaturatedFattyAcids, fatty, "FASAT"}, {MonounsaturatedFattyAcids, fatty, "FAMS"},
        {PolyunsaturatedFattyAcids, fatty, "FAPU"}, {SolubleFiber, fibre, "FIBSOL"},
        {InsolubleFiber, fibre, "FIBINS"},
    };
    const char *foods[] = {"01001", "01088", "01211", "04032", "06182", "07148", "10003", "10450", "11131",
                           "12004", "13003", "14006"};
    for (const char *code : foods) {
        SCOPED_TRACE(code);
        const QString official = QString::fromLatin1(code);
        ASSERT_TRUE(main.rows.contains(official));
        const quint32 number = officialFoodNumber(official.left(2).toInt(), official.mid(2).toInt());
        FoodRecord f;
        ASSERT_EQ(ReadFood(nullptr, number, f, m_files), 1);
        // Shortened or not, a name keeps the official name's last sub-name.
        const QString lastSubName = main.cell(official, "FOOD_NAME").split(QChar(0x3000)).last();
        EXPECT_TRUE(quenkit::fromSjis(f.name).endsWith(lastSubName)) << quenkit::fromSjis(f.name).toStdString();
        for (const auto &s : sources) {
            SCOPED_TRACE(s.tag);
            if (!s.table.rows.contains(official)) {
                EXPECT_FALSE(f.isKnown(s.nutrient)) << "a food the table does not list";
                continue;
            }
            const std::optional<double> value = officialValue(s.table.cell(official, s.tag));
            EXPECT_EQ(f.isKnown(s.nutrient), value.has_value());
            EXPECT_NEAR(f.nutrients[s.nutrient], value.value_or(0), 1e-9);
        }
        EXPECT_EQ(f.wasteRatio, officialValue(main.cell(official, "REFUSE")).value_or(-1));
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

TEST_F(FullTable, EveryFoodIsFoundBySearch)
{
    const testsupport::CliResult r = testsupport::runCli({"foods", "search", "", "--table", kTable});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), kOfficialFoods);
    const testsupport::CliResult later = testsupport::runCli({"foods", "search", "米粉パン", "--table", kTable});
    EXPECT_TRUE(later.out.contains(QStringLiteral("41211 01211 "))) << later.out.toStdString();
}

TEST_F(FullTable, ShippedSampleIsWhatTheScriptBuilds)
{
    const QString source = QStringLiteral(DALMORA_SOURCE_DIR);
    QTemporaryDir dir;
    const QString out = dir.path() + QStringLiteral("/食品.FDB");
    const testsupport::CliResult r = testsupport::runCli(
        {"foods", "import-mext", kMainWorkbook, "--fatty-acids", kFattyWorkbook, "--fibre", kFibreWorkbook, "--only",
         source + QStringLiteral("/scripts/sample-foods.txt"), "--replace", "--out", out},
        {QStringLiteral("DALMORA_TODAY=2026-01-01")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(testsupport::readFile(out), testsupport::readFile(source + QStringLiteral("/data/master/食品.FDB")));
    EXPECT_EQ(testsupport::readFile(dir.path() + QStringLiteral("/食品.IDX")),
              testsupport::readFile(source + QStringLiteral("/data/master/食品.IDX")));
}
