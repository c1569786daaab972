#include "dalmain/analysis/AnalysisHistory.h"
#include "dalmain/analysis/EnergyBalance.h"
#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/master/FixedText.h"
#include "dalmain/userdata/DayMenu.h"

#include <gtest/gtest.h>

#include <limits>

using namespace dalmain;

namespace {

std::string oneDecimal(double v)
{
    return fixedText(v, 1);
}

TEST(PfcBalance, PercentagesAndChartValues)
{
    struct Case {
        double energy, protein, fat, carbohydrate;
        const char *percent[3];
        bool point[3];
        const char *chart[3];
    } cases[] = {
        // Fat above its range and carbohydrate below it, each against the bound it passed.
        {2040, 75, 60, 300, {"14.7", "26.5", "58.8"}, {true, true, true}, {"100.0", "105.9", "98.0"}},
        // No fat eaten: a percentage of 0 and no point on its axis.
        {1600, 40, 0, 360, {"10.0", "0.0", "90.0"}, {true, false, true}, {"100.0", "0.0", "128.6"}},
        // Exactly on the bounds counts as inside.
        {1000, 37.5, 20 * 1000 / 900.0, 150, {"15.0", "20.0", "60.0"}, {true, true, true}, {"100.0", "100.0", "100.0"}},
    };
    for (const Case &c : cases) {
        NutrientVector total{};
        total[EnergyKcal] = c.energy;
        total[Protein] = c.protein;
        total[Fat] = c.fat;
        total[Carbohydrate] = c.carbohydrate;
        const PfcBalance pfc = pfcBalance(total, PfcTargets());
        SCOPED_TRACE(c.energy);
        ASSERT_TRUE(pfc.valid);
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_EQ(oneDecimal(pfc.percent[axis]), c.percent[axis]) << axis;
            EXPECT_EQ(pfc.hasPoint[axis], c.point[axis]) << axis;
            EXPECT_EQ(oneDecimal(pfc.chartValue[axis]), c.chart[axis]) << axis;
        }
    }
}

TEST(PfcBalance, NoEnergyNoBalanceAndTargetsFromSettings)
{
    NutrientVector total{};
    total[Protein] = 50;
    EXPECT_FALSE(pfcBalance(total, PfcTargets()).valid);

    total[EnergyKcal] = 2000;  // protein 10 %
    PfcTargets narrow;
    narrow.proteinLower = 12;
    narrow.proteinUpper = 13;
    EXPECT_EQ(oneDecimal(pfcBalance(total, narrow).chartValue[PfcProtein]), "83.3");
    EXPECT_DOUBLE_EQ(pfcChartRadius(100, 50), 55);
    EXPECT_DOUBLE_EQ(pfcChartRadius(800, 50), 275);   // drawn at 500
    EXPECT_EQ(pfcTargetText(PfcTargets()), QStringLiteral("(目安:P:10-15% F:20-25% C:60-70%)"));
}

// The radar charts' scale: 150 % at 1.1 x half the chart, rates above 500 drawn at 500.
TEST(RadarChart, RadiusOfARate)
{
    const struct {
        double rate, half, radius;
    } cases[] = {
        {150, 100, 110},   // 150 % at 1.1 x half the chart
        {100, 150, 110},
        {75, 100, 55},
        {500, 150, 550},
        {800, 150, 550},   // drawn at 500
        {0, 100, 0},
        {-20, 100, 0},
        {std::numeric_limits<double>::quiet_NaN(), 100, 0},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(radarChartRadius(c.rate, c.half), c.radius) << "S = " << c.rate;
}

TEST(StandardWeight, HeightOf160Centimetres)
{
    const StandardWeight w = standardWeight(160);
    EXPECT_DOUBLE_EQ(w.lower, 51.2 + 0.05);
    EXPECT_DOUBLE_EQ(w.upper, 61.4144);
    // The lower bound is shown as 51.2 + 0.05 at one decimal, the upper cut to "61.41".
    EXPECT_EQ(standardWeightText(160),
              QStringLiteral("（標準体重 %1～61.41kg）").arg(QString::fromStdString(fixedText(51.2 + 0.05, 1, 5))));
    // A tall person's upper bound keeps its first five characters: "%6.2lf" of 100.9471 is "100.95".
    EXPECT_TRUE(standardWeightText(205.1).endsWith(QStringLiteral("～100.9kg）"))) << qPrintable(standardWeightText(205.1));
    EXPECT_EQ(standardBodyFatText(1), QStringLiteral("(標準体脂肪率 20%～30%)"));
    EXPECT_EQ(standardBodyFatText(0), QStringLiteral("(標準体脂肪率 10%～20%)"));
}

TEST(EnergySpent, LevelTwoFiftyKilograms)
{
    const double basal = 21.7 * 50 + 0.05;  // 1085.05
    struct Case {
        const char *name;
        QList<ExerciseDayFigures> days;
        int activity;
        double exercise, minutes, basal, outside, life;
        qint32 exerciseDays;
    } cases[] = {
        {"60 minutes on one day", {{"20240110", 240.0, 60, basal}}, 1, 240.0, 60, basal, 1039.839583, 779.879688, 1},
        {"no exercise", {}, 1, 0, 0, basal, basal, basal * 0.75, 0},
        {"no exercise, level I", {}, 0, 0, 0, basal, basal, basal * 0.5, 0},
        {"no exercise, level III", {}, 2, 0, 0, basal, basal, basal, 0},
        // Two days of 30 and 90 minutes average to the 60 minutes of one day.
        {"two days", {{"20240110", 100.0, 30, basal}, {"20240111", 380.0, 90, basal}}, 1, 240.0, 60, basal,
         1039.839583, 779.879688, 2},
        // Each day's basal metabolism with that day's weight: 50 and 60 kg average to 55 kg.
        {"two weights", {{"20240110", 0, 0, 21.7 * 50 + 0.05}, {"20240111", 0, 0, 21.7 * 60 + 0.05}}, 1, 0, 0,
         21.7 * 55 + 0.05, 21.7 * 55 + 0.05, (21.7 * 55 + 0.05) * 0.75, 2},
        // A day all exercise leaves nothing at rest.
        {"whole day", {{"20240110", 3000.0, 1500, basal}}, 1, 3000, 1500, basal, 0, 0, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EnergyBalance b;
        computeEnergySpent(b, c.days, basal, c.activity);
        EXPECT_NEAR(b.exerciseEnergy, c.exercise, 1e-9);
        EXPECT_NEAR(b.exerciseMinutes, c.minutes, 1e-9);
        EXPECT_NEAR(b.basalMetabolism, c.basal, 1e-9);
        EXPECT_NEAR(b.basalOutsideExercise, c.outside, 1e-6);
        EXPECT_NEAR(b.lifeActivity, c.life, 1e-6);
        EXPECT_EQ(b.exerciseDays, c.exerciseDays);
        finishEnergyBalance(b, 2000);
        EXPECT_NEAR(b.dailyConsumption, c.exercise + c.outside + c.life, 1e-6);
        EXPECT_NEAR(b.intakeDifference, 2000 - b.dailyConsumption, 1e-9);
    }
}

TEST(EnergySpent, ExerciseTimeText)
{
    EXPECT_EQ(exerciseTimeText(0), QStringLiteral("(運動時間:00時間00分)"));
    EXPECT_EQ(exerciseTimeText(90.9), QStringLiteral("(運動時間:01時間30分)"));
    EXPECT_EQ(exerciseTimeText(1439), QStringLiteral("(運動時間:23時間59分)"));
}

class BodyFigures : public ::testing::Test
{
protected:
    // 3 and 20 January with body fat, 5 February without.
    const QList<WeightRecord> weights = {{"20240103", 50.0, 25.0}, {"20240120", 52.0, 27.0}, {"20240205", 54.0, 0.0}};
};

TEST_F(BodyFigures, OfADay)
{
    struct Case {
        const char *day;
        double kg, fat;
        bool otherDay;
        const char *date;
    } cases[] = {
        {"20240120", 52.0, 27.0, false, ""},
        {"20240125", 52.0, 27.0, true, "20240120"},
        {"20240101", 50.0, 25.0, true, "20240103"},   // before the first measurement: the first
        {"20240210", 54.0, -1.0, true, "20240205"},   // weighed without body fat
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.day);
        EnergyBalance b;
        computeBodyFigures(b, AnalysisPeriod::Day, c.day, {}, weights);
        EXPECT_DOUBLE_EQ(b.bodyWeight, c.kg);
        EXPECT_DOUBLE_EQ(b.bodyFat, c.fat);
        EXPECT_EQ(b.weightFromOtherDay, c.otherDay);
        EXPECT_EQ(b.weightDate, QByteArray(c.date));
    }
    EnergyBalance other;
    computeBodyFigures(other, AnalysisPeriod::Day, "20240125", {}, weights);
    EXPECT_EQ(weightRecordDateText(other), QStringLiteral("（記録日：2024/01/20）"));
    computeBodyFigures(other, AnalysisPeriod::Day, "20240120", {}, weights);
    EXPECT_EQ(weightRecordDateText(other), QString());

    EnergyBalance none;
    computeBodyFigures(none, AnalysisPeriod::Day, "20240120", {}, {});
    EXPECT_EQ(none.bodyWeight, -1.0);
    EXPECT_EQ(none.bodyFat, -1.0);
}

TEST_F(BodyFigures, OfPeriodsAverageTheirMeasurements)
{
    struct Case {
        AnalysisPeriod period;
        const char *key;
        QList<QByteArray> dates;
        double kg, fat;
    } cases[] = {
        {AnalysisPeriod::Month, "202401", {}, 51.0, 26.0},
        {AnalysisPeriod::Year, "2024", {}, 52.0, 26.0},          // body fat only where measured
        {AnalysisPeriod::Month, "202403", {}, -1.0, -1.0},
        {AnalysisPeriod::Selection, "", {"20240120", "20240205", "20240206"}, 53.0, 27.0},
        {AnalysisPeriod::Selection, "", {"20240121"}, -1.0, -1.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        EnergyBalance b;
        computeBodyFigures(b, c.period, c.key, c.dates, weights);
        EXPECT_DOUBLE_EQ(b.bodyWeight, c.kg);
        EXPECT_DOUBLE_EQ(b.bodyFat, c.fat);
        EXPECT_FALSE(b.weightFromOtherDay);
    }
}

TEST(History, DaysAndMonthsWithTheirSpentEnergyAndWeight)
{
    const double basal = 1085.05;
    const std::vector<MenuDayEnergy> menuDays = {
        {"20240210", 1800}, {"20240105", 2000}, {"20240131", 1000}, {"20240201", 2200}};
    const QList<ExerciseDayFigures> exercise = {{"20240105", 300, 60, basal}, {"20240131", 100, 0, basal},
                                                {"20240302", 500, 60, basal}};
    const QList<WeightRecord> weights = {{"20240105", 50.0, 0}, {"20240120", 52.0, 0}, {"20240201", 51.0, 0}};

    const std::vector<HistoryEntry> days = buildHistory(false, menuDays, exercise, weights, 1);
    ASSERT_EQ(days.size(), 4u);
    const char *order[] = {"20240105", "20240131", "20240201", "20240210"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(days[size_t(i)].dateKey, QByteArray(order[i]));
    EXPECT_DOUBLE_EQ(days[0].energyIntake, 2000);
    EXPECT_DOUBLE_EQ(days[0].energySpentA, 300);
    EXPECT_NEAR(days[0].energySpentB, 1039.839583 + 779.879688, 1e-5);
    EXPECT_DOUBLE_EQ(days[0].bodyWeight, 50);
    EXPECT_DOUBLE_EQ(days[1].energySpentB, basal * 1.75);
    EXPECT_EQ(days[1].bodyWeight, 0);          // no measurement that day
    EXPECT_EQ(days[3].energySpentA, 0);        // no exercise that day

    const std::vector<HistoryEntry> months = buildHistory(true, menuDays, exercise, weights, 1);
    ASSERT_EQ(months.size(), 2u);              // March has exercise but no menu
    EXPECT_EQ(months[0].dateKey, QByteArray("202401"));
    EXPECT_DOUBLE_EQ(months[0].energyIntake, 1500);
    EXPECT_DOUBLE_EQ(months[0].energySpentA, 200);
    EXPECT_DOUBLE_EQ(months[0].bodyWeight, 51);
    EXPECT_EQ(months[1].dateKey, QByteArray("202402"));
    EXPECT_DOUBLE_EQ(months[1].energyIntake, 2000);
    EXPECT_EQ(months[1].energySpentA, 0);
}

TEST(History, Scale)
{
    auto entry = [](double intake, double a, double b, double kg) {
        HistoryEntry e;
        e.dateKey = "20240101";
        e.energyIntake = intake;
        e.energySpentA = a;
        e.energySpentB = b;
        e.bodyWeight = kg;
        return e;
    };
    struct Case {
        const char *name;
        std::vector<HistoryEntry> history;
        HistoryScale scale;
    } cases[] = {
        {"no entry", {}, {0, 1500, 0, 30}},
        {"spent parts cut before adding", {entry(1800, 100.9, 1900.9, 55.5), entry(2100, 0, 0, 60)}, {0, 2600, 25.5, 90}},
        {"one value above 1000", {entry(2000, 0, 2000, 0)}, {1000, 3000, 0, 30}},
        {"one value up to 1000", {entry(800, 800, 0, 0)}, {0, 1800, 0, 30}},
        {"light body", {entry(1000, 200, 300, 30.5), entry(1500, 0, 0, 0)}, {0, 2000, 0, 60.5}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const HistoryScale s = historyScale(c.history);
        EXPECT_DOUBLE_EQ(s.energyMin, c.scale.energyMin);
        EXPECT_DOUBLE_EQ(s.energyMax, c.scale.energyMax);
        EXPECT_DOUBLE_EQ(s.weightMin, c.scale.weightMin);
        EXPECT_DOUBLE_EQ(s.weightMax, c.scale.weightMax);
    }
}

TEST(MealShares, OfEachNutrientWhereTheDayHasSome)
{
    AnalysisResult r;
    r.mealSums[Breakfast][EnergyKcal] = 500;
    r.mealSums[Lunch][EnergyKcal] = 700;
    r.mealSums[Dinner][EnergyKcal] = 800;
    r.dayTotal[EnergyKcal] = 2000;
    r.mealSums[Snack][Protein] = 10;
    r.dayTotal[Protein] = 10;
    ComputeRates(r, IntakeStandard{});
    EXPECT_DOUBLE_EQ(r.mealShares[Breakfast][EnergyKcal], 25);
    EXPECT_DOUBLE_EQ(r.mealShares[Lunch][EnergyKcal], 35);
    EXPECT_DOUBLE_EQ(r.mealShares[Dinner][EnergyKcal], 40);
    EXPECT_DOUBLE_EQ(r.mealShares[Snack][EnergyKcal], 0);
    EXPECT_DOUBLE_EQ(r.mealShares[Snack][Protein], 100);
    EXPECT_DOUBLE_EQ(r.mealShares[Breakfast][Fat], 0);    // nothing eaten: no share
}

}  // namespace
