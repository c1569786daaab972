// The shipped exercise item and basal metabolism tables: made by their script from the lists
// in scripts/, and read by the program as the formulas need them.

#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/master/ExerciseItem.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/text/ShiftJis.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

const QString kMaster = QStringLiteral(DALMORA_SOURCE_DIR "/data/master/");

TEST(ShippedExerciseTables, ScriptReproducesTheCommittedFiles)
{
    QTemporaryDir out;
    QProcess script;
    script.start(QStringLiteral("python3"), {QStringLiteral(DALMORA_SOURCE_DIR "/scripts/make-exercise-tables.py"),
                                             QStringLiteral("--shared"), QStringLiteral(DALMORA_SHARED_DATA_DIR),
                                             out.path()});
    ASSERT_TRUE(script.waitForFinished(60000));
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    // The report of the conversion factor is part of what the script promises.
    EXPECT_TRUE(script.readAllStandardOutput().contains("factor 1.0:"));
    for (const QString &table : {kExerciseItemTable, kBasalTable}) {
        const QByteArray made = testsupport::readFile(out.path() + QLatin1Char('/') + table);
        ASSERT_FALSE(made.isEmpty()) << table.toStdString();
        EXPECT_EQ(made, testsupport::readFile(kMaster + table))
            << table.toStdString() << " differs from what scripts/make-exercise-tables.py makes of its lists";
    }
}

class ShippedTables : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString &table : {kExerciseItemTable, kBasalTable})
            ASSERT_TRUE(QFile::copy(kMaster + table, folders.dataFile(table)));
    }
    testsupport::TempFolders folders;
};

TEST_F(ShippedTables, BasalRowsInClassOrderWithTheSixthRevisionValues)
{
    BasalStandardTable table{};
    LoadBasalStandardTable(table);
    const int ages[kAgeClasses] = {1, 3, 6, 9, 12, 15, 18, 30, 50, 70};
    for (int row = 0; row < kBasalRows; ++row) {
        EXPECT_EQ(table[row].sex, row / kAgeClasses) << row;
        EXPECT_EQ(table[row].age, ages[row % kAgeClasses]) << row;
        EXPECT_GT(table[row].standard, 20.0) << row;
    }
    EXPECT_DOUBLE_EQ(StandardBasalRate(table, 40, 0), 22.3);
    EXPECT_DOUBLE_EQ(StandardBasalRate(table, 40, 1), 21.7);  // record 17
    EXPECT_DOUBLE_EQ(StandardBasalRate(table, 7, 0), 44.3);
    EXPECT_DOUBLE_EQ(StandardBasalRate(table, 2, 1), 59.7);
}

TEST_F(ShippedTables, ItemsAreUniqueNamedAndSleepIsMarked)
{
    const QList<ExerciseItem> items = readExerciseItems();
    ASSERT_GE(items.size(), 150);
    QSet<unsigned> numbers;
    int sleep = 0;
    for (const ExerciseItem &item : items) {
        EXPECT_TRUE(item.number >= 1 && item.number <= kMaxExerciseItemNumber) << item.number;
        EXPECT_FALSE(numbers.contains(item.number)) << item.number;
        numbers.insert(item.number);
        EXPECT_FALSE(item.name.isEmpty()) << item.number;
        EXPECT_GT(item.af, 0.0) << item.number;
        // Both rules of sleep agree on every shipped item.
        const bool named = item.displayName().startsWith(QStringLiteral("睡眠"));
        EXPECT_EQ(named, item.af == kSleepAf) << item.number;
        sleep += named;
    }
    EXPECT_GE(sleep, 1);
    const std::optional<ExerciseItem> sleepItem = findExerciseItem(1);
    ASSERT_TRUE(sleepItem);
    EXPECT_EQ(sleepItem->displayName(), QStringLiteral("睡眠"));
    EXPECT_EQ(sleepItem->afText, "999.9");
    EXPECT_EQ(searchExerciseItems(QStringLiteral("ラジオ体操")).value(0).af, 4.5);
}

}  // namespace
