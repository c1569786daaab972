#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace dalmain;

namespace {

constexpr int kUser = 7;
constexpr double kDivisorBias = 0.000005;

// Three foods with simple values: every nutrient of food n is n x (index + 1) per 100 g, so a
// wrong nutrient index or a wrong factor shows in the sums.
constexpr quint16 kRice = 1;      // waste 0
constexpr quint16 kFish = 2;      // waste 20 %
constexpr quint16 kApple = 3;     // waste 15 %
constexpr quint16 kUnknown = 999; // not in the table

EntryFood makeFood(double scale, double waste)
{
    EntryFood f;
    for (int i = 0; i < kNutrientCount; ++i)
        f.per100g[i] = scale * (i + 1);
    f.wasteRatio = waste;
    return f;
}

struct Entry {
    int meal;
    quint16 food;
    quint16 tenths;
};

DayMenu makeDay(const char *dateKey, std::initializer_list<Entry> entries,
                std::array<quint16, kMealRows> counts = {})
{
    DayMenu day;
    day.dateKey = QByteArray(dateKey);
    std::array<int, kMealCount> used{};
    for (const Entry &e : entries)
        day.entries[e.meal][used[e.meal]++] = {e.food, e.tenths};
    day.foodCounts = counts;
    return day;
}

class IntakeAggregation : public ::testing::Test
{
protected:
    IntakeAggregation()
    {
        m_foods.add(kRice, makeFood(1, 0));
        m_foods.add(kFish, makeFood(2, 20));
        m_foods.add(kApple, makeFood(3, 15));
    }

    void writeMenus(std::initializer_list<DayMenu> days)
    {
        QByteArray bytes;
        for (const DayMenu &d : days)
            bytes += encodeDayMenu(d);
        ASSERT_TRUE(testsupport::writeFile(m_folders.dataFile(dayMenuFileName(kUser)), bytes));
    }

    // The nutrients grams of a food bring, worked out here rather than by the code under test.
    static double expected(quint16 food, double grams, int nutrient, bool wasteOn)
    {
        const double scale = food == kRice ? 1 : food == kFish ? 2 : 3;
        const double waste = food == kRice ? 0 : food == kFish ? 20 : 15;
        const double factor = wasteOn ? (100 - waste) / 100 : 1.0;
        return scale * (nutrient + 1) * grams / 100 * factor;
    }

    testsupport::TempFolders m_folders;
    EntryFoodIndex m_foods;
    IntakeStandard m_noReferences;
};

TEST_F(IntakeAggregation, MonthAveragesOverTheDaysWithRecords)
{
    // Records stand in the order of first saving, not by date; the other month and the same
    // month of another year must not count.
    writeMenus({
        makeDay("20240120", {{Breakfast, kRice, 1500}, {Dinner, kFish, 800}}, {1, 0, 1, 0, 2}),
        makeDay("20240201", {{Lunch, kApple, 1000}}, {0, 1, 0, 0, 1}),
        makeDay("20240103", {{Breakfast, kRice, 1000}, {Snack, kApple, 500}}, {1, 0, 0, 1, 2}),
        makeDay("20230115", {{Lunch, kRice, 3000}}, {0, 1, 0, 0, 1}),
        makeDay("20240131", {{Lunch, kFish, 1200}, {Lunch, kUnknown, 1000}}, {0, 2, 0, 0, 2}),
    });

    for (const bool wasteOn : {true, false}) {
        SCOPED_TRACE(wasteOn);
        const AnalysisResult r = RunAnalysis(AnalysisRequest::month(kUser, "202401"), m_foods, m_noReferences, wasteOn);
        EXPECT_EQ(r.periodKey, QByteArray("202401"));
        EXPECT_EQ(r.dayCount, 3);
        const double d = 3 + kDivisorBias;
        for (int n : {0, 3, 36}) {
            SCOPED_TRACE(n);
            const double breakfast = expected(kRice, 150, n, wasteOn) + expected(kRice, 100, n, wasteOn);
            const double lunch = expected(kFish, 120, n, wasteOn);
            const double dinner = expected(kFish, 80, n, wasteOn);
            const double snack = expected(kApple, 50, n, wasteOn);
            EXPECT_DOUBLE_EQ(r.mealSums[Breakfast][n], breakfast / d);
            EXPECT_DOUBLE_EQ(r.mealSums[Lunch][n], lunch / d);
            EXPECT_DOUBLE_EQ(r.mealSums[Dinner][n], dinner / d);
            EXPECT_DOUBLE_EQ(r.mealSums[Snack][n], snack / d);
            EXPECT_DOUBLE_EQ(r.dayTotal[n], (breakfast + lunch + dinner + snack) / d);
        }
        // Counts 2, 2, 1, 1 and 6 over three days.
        EXPECT_EQ(r.foodCounts, (std::array<quint32, 5>{1, 1, 0, 0, 2}));
    }
}

TEST_F(IntakeAggregation, YearAndSelection)
{
    writeMenus({
        makeDay("20240120", {{Breakfast, kRice, 1000}}, {1, 0, 0, 0, 1}),
        makeDay("20231231", {{Breakfast, kRice, 2000}}, {1, 0, 0, 0, 1}),
        makeDay("20241231", {{Breakfast, kRice, 4000}}, {1, 0, 0, 0, 1}),
    });
    const AnalysisResult year = RunAnalysis(AnalysisRequest::year(kUser, "2024"), m_foods, m_noReferences, false);
    EXPECT_EQ(year.dayCount, 2);
    EXPECT_DOUBLE_EQ(year.dayTotal[EnergyKcal], 5.0 / (2 + kDivisorBias));

    // Records 2 and 1 as picked; record 9 does not exist (any more) and does not count.
    const AnalysisResult chosen =
        RunAnalysis(AnalysisRequest::chosen(kUser, {2, 1, 9}), m_foods, m_noReferences, false);
    EXPECT_TRUE(chosen.periodKey.isEmpty());
    EXPECT_EQ(chosen.dayCount, 2);
    EXPECT_DOUBLE_EQ(chosen.dayTotal[EnergyKcal], 3.0 / (2 + kDivisorBias));
    EXPECT_DOUBLE_EQ(chosen.mealSums[Breakfast][EnergyKcal], 3.0 / (2 + kDivisorBias));
}

TEST_F(IntakeAggregation, DayIsSummedNotAveraged)
{
    writeMenus({
        makeDay("20240102", {{Breakfast, kRice, 1000}}, {1, 0, 0, 0, 1}),
        makeDay("20240101", {{Breakfast, kRice, 1234}, {Breakfast, kFish, 555}, {Snack, kRice, 1}}, {2, 0, 0, 1, 2}),
    });
    const AnalysisResult r = RunAnalysis(AnalysisRequest::day(kUser, "20240101"), m_foods, m_noReferences, true);
    EXPECT_EQ(r.dayCount, 1);
    EXPECT_EQ(r.periodKey, QByteArray("20240101"));
    EXPECT_EQ(r.foodCounts, (std::array<quint32, 5>{2, 0, 0, 1, 2}));
    EXPECT_DOUBLE_EQ(r.dayTotal[Water], expected(kRice, 123.4, Water, true) + expected(kFish, 55.5, Water, true)
                                            + expected(kRice, 0.1, Water, true));
}

// 100 g of one food: the waste ratio scales the intake only when the option is on.
TEST_F(IntakeAggregation, WasteRatioOption)
{
    struct Case {
        quint16 food;
        bool wasteOn;
        double energy;  // per 100 g the food has 1, 2 or 3 kcal x 1
    } cases[] = {
        {kFish, true, 2 * 0.8},
        {kFish, false, 2},
        {kRice, true, 1},
        {kRice, false, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.food << " waste option " << c.wasteOn);
        AnalysisResult r;
        AddDayIntake(r, makeDay("20240101", {{Lunch, c.food, 1000}}), m_foods, c.wasteOn);
        EXPECT_DOUBLE_EQ(r.dayTotal[EnergyKcal], c.energy);
        EXPECT_DOUBLE_EQ(r.mealSums[Lunch][EnergyKcal], c.energy);
    }
}

TEST_F(IntakeAggregation, EntriesWithoutAFoodAddNothing)
{
    DayMenu day = makeDay("20240101", {{Dinner, kDishHeader, 777}, {Dinner, kRice, 1000}, {Dinner, kUnknown, 1000}});
    // An entry past the first empty slot still counts: every slot is visited.
    day.entries[Dinner][50] = {kRice, 1000};
    // A food table entry that claims a slot marker is ignored.
    m_foods.add(kEmptySlot, makeFood(100, 0));
    m_foods.add(kDishHeader, makeFood(100, 0));
    AnalysisResult r;
    AddDayIntake(r, day, m_foods, true);
    EXPECT_DOUBLE_EQ(r.dayTotal[EnergyKcal], 2.0);
    EXPECT_DOUBLE_EQ(r.mealSums[Dinner][EnergyKcal], 2.0);
    EXPECT_DOUBLE_EQ(r.mealSums[Breakfast][EnergyKcal], 0.0);
}

TEST(EntryFoodIndex, FromTheFoodCacheFirstFoodOfANumberWins)
{
    FoodCache cache;
    auto entry = [](quint32 number, double energy, double waste, quint32 group) {
        FoodCacheEntry e;
        e.number = number;
        e.nutrients[EnergyKcal] = energy;
        e.nutrients[SaltEquivalent] = energy / 10;
        e.wasteRatio = waste;
        e.group = group;
        return e;
    };
    cache << entry(5, 100, 10, 6) << entry(5, 999, 0, 1) << entry(65535, 1, 0, 1) << entry(70000, 1, 0, 1)
          << entry(65534, 42, 0, 18);
    const EntryFoodIndex index = EntryFoodIndex::fromCache(cache);
    ASSERT_NE(index.find(5), nullptr);
    EXPECT_EQ(index.find(5)->per100g[EnergyKcal], 100);
    EXPECT_EQ(index.find(5)->per100g[SaltEquivalent], 10);
    EXPECT_EQ(index.find(5)->wasteRatio, 10);
    EXPECT_EQ(index.find(5)->group, 6);
    ASSERT_NE(index.find(65534), nullptr);
    EXPECT_EQ(index.find(65534)->per100g[EnergyKcal], 42);
    // 65535 marks a dish header and 70000 (4464 once cut to 16 bits) fits no menu slot.
    EXPECT_EQ(index.find(65535), nullptr);
    EXPECT_EQ(index.find(static_cast<quint16>(70000)), nullptr);
    EXPECT_EQ(index.size(), 2);
}

TEST(IntakeAverage, FoodCountsRoundToWholeNumbers)
{
    struct Case {
        quint32 summed;
        int days;
        quint32 average;
    } cases[] = {
        {30 + 31, 2, 30},  // 30.5 rounds down: the divisor is a little above 2
        {30 + 32, 2, 31},
        {61 + 30, 3, 30},  // 30.33
        {92, 3, 31},       // 30.67
        {0, 5, 0},
        {45, 1, 45},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.summed << " over " << c.days);
        AnalysisResult r;
        r.foodCounts.fill(c.summed);
        AverageIntake(r, c.days);
        for (quint32 count : r.foodCounts)
            EXPECT_EQ(count, c.average);
    }
}

TEST(IntakeAverage, DividesEveryRowOfSums)
{
    AnalysisResult r;
    r.mealSums[Snack][Iron] = 9;
    r.dayTotal[Iron] = 9;
    r.groupAmounts[4][17] = 300;
    r.exchangeUnits[0][0] = 6;
    AverageIntake(r, 3);
    const double d = 3 + kDivisorBias;
    EXPECT_DOUBLE_EQ(r.mealSums[Snack][Iron], 9 / d);
    EXPECT_DOUBLE_EQ(r.dayTotal[Iron], 9 / d);
    EXPECT_DOUBLE_EQ(r.groupAmounts[4][17], 300 / d);
    EXPECT_DOUBLE_EQ(r.exchangeUnits[0][0], 6 / d);

    // No day found: nothing is divided.
    AnalysisResult none;
    none.dayTotal[Iron] = 1;
    AverageIntake(none, 0);
    EXPECT_EQ(none.dayTotal[Iron], 1);
}

TEST_F(IntakeAggregation, NoRecordLeavesZeroAndEveryReferencedNutrientShort)
{
    IntakeStandard refs;
    refs[EnergyKcal] = {1500, 2300};
    refs[Sodium] = {0, 3000};
    struct Case {
        const char *what;
        bool withFile;
        AnalysisRequest request;
    } cases[] = {
        {"no menu file", false, AnalysisRequest::day(kUser, "20240101")},
        {"no record of the day", true, AnalysisRequest::day(kUser, "20240101")},
        {"no record of the month", true, AnalysisRequest::month(kUser, "202403")},
        {"a key that does not fit the period", true, AnalysisRequest::month(kUser, "2024")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.withFile)
            writeMenus({makeDay("20240102", {{Breakfast, kRice, 1000}}, {1, 0, 0, 0, 1})});
        const AnalysisResult r = RunAnalysis(c.request, m_foods, refs, true);
        EXPECT_EQ(r.dayCount, 0);
        EXPECT_EQ(r.dayTotal, NutrientVector{});
        EXPECT_EQ(r.mealSums, MealRows{});
        EXPECT_EQ(r.foodCounts, (std::array<quint32, 5>{}));
        // Energy has a lower bound and is short; sodium has only an upper one and is fine.
        EXPECT_EQ(r.sufficiencyRate[EnergyKcal], 0.0);
        EXPECT_EQ(analysisJudgement(r.sufficiencyRate[EnergyKcal],
                                    shownDifference(EnergyKcal, 0, 1500, 2300, r.sufficiencyRate[EnergyKcal]).value,
                                    true).symbol, QStringLiteral("!!"));
        EXPECT_EQ(r.sufficiencyRate[Sodium], 100.0);
        EXPECT_EQ(r.sufficiencyRate[Water], 100.0);
    }
}

TEST_F(IntakeAggregation, RatesComeFromTheAverageDay)
{
    writeMenus({
        makeDay("20240101", {{Breakfast, kRice, 10000}}),
        makeDay("20240102", {{Breakfast, kRice, 30000}}),
    });
    IntakeStandard refs;
    refs[EnergyKcal] = {30, 50};   // the average day has about 20 kcal
    refs[Protein] = {0, 100};      // and about 80 g of protein
    const AnalysisResult r = RunAnalysis(AnalysisRequest::month(kUser, "202401"), m_foods, refs, true);
    const double energy = 40.0 / (2 + kDivisorBias);
    EXPECT_DOUBLE_EQ(r.sufficiencyRate[EnergyKcal], energy / 30 * 100);
    EXPECT_DOUBLE_EQ(r.targetRate[EnergyKcal], energy / 40 * 100);
    EXPECT_DOUBLE_EQ(r.sufficiencyRate[Protein], 100.0);
    EXPECT_DOUBLE_EQ(r.targetRate[Protein], 4 * energy);
    EXPECT_EQ(r.targetRate[Water], 0.0);
}

}  // namespace
