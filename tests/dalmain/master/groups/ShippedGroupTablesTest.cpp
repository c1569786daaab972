// The shipped group tables, exchange lists and proper-unit sets: made by their script from the
// lists in scripts/ and the official table, and read by the program as the analysis needs them.

#include "dalmain/master/AnalysisTableNames.h"
#include "dalmain/master/FoodRecord.h"
#include "dalmain/master/GroupTables.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

const QString kMaster = QStringLiteral(DALMORA_SOURCE_DIR "/data/master/");
const QStringList kTables = {kGroupTablesTable,
                             QStringLiteral("fg18郡別表.DBF"),
                             QStringLiteral("fg食品群別表１０群.DBF"),
                             kGroupExceptionTemplate,
                             kProperIntakeTable,
                             kDiabetesExchangeFile,
                             kKidneyExchangeFile,
                             kProperUnitTable};

TEST(ShippedGroupTables, ScriptReproducesTheCommittedFiles)
{
    QTemporaryDir out;
    QProcess script;
    script.start(QStringLiteral("python3"), {QStringLiteral(DALMORA_SOURCE_DIR "/scripts/make-group-tables.py"),
                                             QStringLiteral(DALMORA_SHARED_DATA_DIR), out.path()});
    ASSERT_TRUE(script.waitForFinished(60000));
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    EXPECT_TRUE(script.readAllStandardOutput().contains("2538 foods"));
    for (const QString &table : kTables) {
        const QByteArray made = testsupport::readFile(out.path() + QLatin1Char('/') + table);
        ASSERT_FALSE(made.isEmpty()) << table.toStdString();
        EXPECT_EQ(made, testsupport::readFile(kMaster + table))
            << table.toStdString() << " differs from what scripts/make-group-tables.py makes of its lists";
    }
}

class ShippedGroupData : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString &table : kTables)
            ASSERT_TRUE(QFile::copy(kMaster + table, folders.dataFile(table))) << table.toStdString();
    }
    testsupport::TempFolders folders;
};

TEST_F(ShippedGroupData, TheUserScreenListsThem)
{
    EXPECT_EQ(foodGroupTableNames(), QStringList({QStringLiteral("18郡別表"), QStringLiteral("食品群別表１０群")}));
    EXPECT_EQ(properUnitSetNames(kDiabetesExchangeTable).size(), 4);
    EXPECT_TRUE(properUnitSetNames(kKidneyExchangeTable).isEmpty());
    EXPECT_TRUE(properIntakeSetNames().isEmpty());
}

TEST_F(ShippedGroupData, GroupTables)
{
    const GroupData standard = LoadGroupData(QStringLiteral("18郡別表"), QString());
    EXPECT_EQ(standard.table.groupCount(), 18);
    for (int s = 0; s < kTableGroups; ++s)
        EXPECT_EQ(standard.groupIndex[s], s);
    EXPECT_TRUE(standard.exceptions.isEmpty());

    const GroupData ten = LoadGroupData(QStringLiteral("食品群別表１０群"), QString());
    EXPECT_EQ(ten.table.groupCount(), 10);
    EXPECT_EQ(ten.table.groupNames[7], QStringLiteral("魚介肉卵"));
    // Fish, meat and eggs together; drinks, seasonings and prepared foods not counted.
    for (int s : {9, 10, 11})
        EXPECT_EQ(ten.groupIndex[s], 7) << s;
    for (int s : {15, 16, 17})
        EXPECT_EQ(ten.groupIndex[s], -1) << s;
    // Every こんにゃく of the potatoes moves to the mushrooms and seaweeds.
    EXPECT_EQ(ten.exceptions.size(), 7);
    for (const GroupException &e : ten.exceptions) {
        EXPECT_EQ(e.sourceGroup, 2);
        EXPECT_EQ(e.targetGroup, 7);
    }
    EXPECT_TRUE(std::any_of(ten.exceptions.begin(), ten.exceptions.end(),
                            [](const GroupException &e) { return e.food == officialFoodNumber(2, 3); }));
}

TEST_F(ShippedGroupData, ExchangeListsCoverEveryOfficialFoodOnce)
{
    struct Case {
        QString file;
        int groups;
    } cases[] = {{kDiabetesExchangeFile, 9}, {kKidneyExchangeFile, 8}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const auto records = readExchangeFile(c.file);
        ASSERT_TRUE(records);
        EXPECT_EQ(records->size(), 2538);
        QSet<quint32> numbers;
        for (const auto &[food, group] : *records) {
            EXPECT_TRUE(isOfficialFoodNumber(food)) << food;
            EXPECT_GE(group, 1);
            EXPECT_LE(group, c.groups);
            numbers.insert(food);
        }
        EXPECT_EQ(numbers.size(), records->size());
    }
}

TEST_F(ShippedGroupData, ExchangeGroupsOfSomeFoods)
{
    auto groupOf = [](const QString &file, quint32 food) {
        const auto records = readExchangeFile(file);
        for (const auto &[number, group] : records.value()) {
            if (number == food)
                return int(group);
        }
        return 0;
    };
    struct Case {
        const char *food;
        int group, serial;
        int diabetes, kidney;
    } cases[] = {
        {"めし 精白米", 1, 88, 1, 1},
        {"板こんにゃく", 2, 3, 6, 7},
        {"木綿豆腐", 4, 32, 3, 4},
        {"うんしゅうみかん", 7, 27, 2, 2},
        {"和牛ばら", 11, 18, 5, 4},
        {"有塩バター", 14, 17, 5, 6},
        {"マヨネーズ", 17, 42, 5, 6},
    };
    for (const Case &c : cases) {
        const quint32 number = officialFoodNumber(c.group, c.serial);
        EXPECT_EQ(groupOf(kDiabetesExchangeFile, number), c.diabetes) << c.food;
        EXPECT_EQ(groupOf(kKidneyExchangeFile, number), c.kidney) << c.food;
    }
}

TEST_F(ShippedGroupData, ProperUnitsAddUpToTheirEnergy)
{
    ExchangeData data;
    FoodCache cache(1);
    for (const QString &name : properUnitSetNames(kDiabetesExchangeTable)) {
        ASSERT_TRUE(LoadExchangeData(kDiabetesExchangeTable, name, cache, data));
        double units = 0;
        for (double u : data.units.units)
            units += u;
        EXPECT_EQ(QStringLiteral("%1kcal").arg(units * 80), name.mid(name.indexOf(QLatin1Char(' ')) + 1).section(QLatin1Char('('), 0, 0))
            << name.toStdString();
    }
}

}  // namespace
