#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/master/ExerciseEnergy.h"
#include "dalmain/master/ExerciseItemNumber.h"
#include "dalmain/master/ExerciseSummary.h"

#include "quenkit/text/ShiftJis.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

ExerciseItem item(const char16_t *name, double af)
{
    ExerciseItem i;
    i.number = 1;
    i.name = quenkit::toSjis(name);
    i.af = af;
    i.afText = afFieldText(af);
    return i;
}

TEST(AgeClasses, BoundsOfEachClassAndTheFemaleRows)
{
    struct Case {
        int age;
        int sex;
        int row;
    };
    const Case cases[] = {{0, 0, 0},  {2, 0, 0},  {3, 0, 1},  {5, 0, 1},  {6, 0, 2},  {11, 0, 3}, {12, 0, 4},
                          {17, 0, 5}, {29, 0, 6}, {30, 0, 7}, {49, 0, 7}, {50, 0, 8}, {69, 0, 8}, {70, 0, 9},
                          {99, 0, 9}, {40, 1, 17}, {2, 1, 10}, {70, 1, 19}, {40, 2, 7}};
    for (const Case &c : cases)
        EXPECT_EQ(basalRowIndex(c.age, c.sex), c.row) << "age " << c.age << " sex " << c.sex;
}

TEST(ExerciseEnergy, SleepUsesTheFactorWhetherNamedOrMarked)
{
    const EnergyBasis basis{21.0, 50.0};
    // 21.0 x 50 / 1440 x 60 x 0.9 + 0.05
    EXPECT_DOUBLE_EQ(ExerciseEnergy(item(u"睡眠", 1.0), 60, basis), 39.425);
    EXPECT_DOUBLE_EQ(ExerciseEnergy(item(u"睡眠", 999.9), 60, basis), 39.425);
    EXPECT_DOUBLE_EQ(ExerciseEnergy(item(u"うたた寝", 999.9), 60, basis), 39.425);
    EXPECT_DOUBLE_EQ(ExerciseEnergyFromAf(quenkit::toSjis(u"睡眠"), 1.0, 60, basis), 39.425);
    EXPECT_DOUBLE_EQ(ExerciseEnergyFromAf(quenkit::toSjis(u"昼寝"), 999.9, 60, basis), 39.425);
    // Only the beginning of the name counts.
    EXPECT_DOUBLE_EQ(ExerciseEnergy(item(u"浅い睡眠", 1.0), 60, basis), 21.0 * 50 / 1440 * 60 + 0.05);
}

TEST(ExerciseEnergy, AfTimesTheBasalRateOfTheMinutes)
{
    const EnergyBasis basis{22.3, 60.0};
    EXPECT_NEAR(ExerciseEnergy(item(u"歩く", 4.3), 30, basis), 22.3 * 60 / 1440 * 30 * 4.3 + 0.05, 1e-9);
    EXPECT_EQ(ExerciseEnergy(item(u"歩く", 4.3), 0, basis), 0.0);
    EXPECT_EQ(ExerciseEnergyFromAf(quenkit::toSjis(u"歩く"), 4.3, 0, basis), 0.0);
}

TEST(MinutesForEnergy, InverseWithTheSameSleepRule)
{
    const EnergyBasis basis{21.0, 50.0};
    struct Case {
        const char16_t *name;
        double af;
        double kcal;
        int minutes;
    };
    const Case cases[] = {
        {u"運動", 0.0, 100.0, kMinutesUnknown},
        {u"運動", 0.0, 0.0, kMinutesUnknown},
        {u"運動", 2.0, 43.76, 30},     // 2.0 x 0.729166 kcal/min = 1.4583 kcal/min
        {u"運動", 2.0, 43.74, 29},     // truncated
        {u"睡眠", 999.9, 39.4, 60},    // 0.9 x 0.729166 x 60 = 39.375
        {u"睡眠", 0.0, 39.4, 60},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MinutesForEnergy(item(c.name, c.af), c.kcal, basis), c.minutes) << c.af << " " << c.kcal;
    EXPECT_EQ(MinutesForEnergy(item(u"運動", 2.0), 100.0, EnergyBasis{0.0, 50.0}), kMinutesUnknown);
}

TEST(LivingActivityEnergy, LevelsOverrideAndExerciseMinutes)
{
    struct Case {
        int activity;
        double override;
        double daily;
        int minutes;
        double living;
    };
    const Case cases[] = {
        {1, 0.0, 1200.0, 0, 900.0},    {1, 0.0, 1200.0, 120, 825.0}, {0, 0.0, 1440.0, 0, 720.0},
        {2, 0.0, 1440.0, 60, 1380.0},  {3, 0.0, 1200.0, 0, 0.0},     {1, 1000.0, 1200.0, 0, 750.0},
        {1, 0.0, 1200.0, 1440, 0.0},   {1, 0.0, 1200.0, 2000, 0.0},  // never below zero
    };
    for (const Case &c : cases)
        EXPECT_NEAR(LivingActivityEnergy(c.activity, c.override, c.daily, c.minutes), c.living, 1e-9)
            << c.activity << " " << c.minutes;
}

TEST(DailyBasalMetabolism, StandardTimesWeight)
{
    EXPECT_NEAR(DailyBasalMetabolism(EnergyBasis{22.3, 60.0}), 1338.05, 1e-9);
    EXPECT_NEAR(DailyBasalMetabolismFor(EnergyBasis{22.3, 60.0}, 50.0), 1115.05, 1e-9);
    // A table that could not be read leaves zeros: 0.05, not a failure.
    EXPECT_NEAR(DailyBasalMetabolism(EnergyBasis{}), 0.05, 1e-12);
}

TEST(NextItemNumber, FirstGapFromOne)
{
    struct Case {
        QList<unsigned> numbers;
        unsigned next;
    };
    const Case cases[] = {
        {{1, 2, 4}, 3}, {{1, 2, 3}, 4}, {{2, 3}, 1}, {{}, 1}, {{4, 2, 1}, 3},
        {{1, 1, 2}, 3},  // a duplicate never hands out a number in use
    };
    for (const Case &c : cases)
        EXPECT_EQ(nextFreeItemNumber(c.numbers), c.next);
    QList<unsigned> full;
    for (unsigned n = 1; n <= kMaxExerciseItemNumber; ++n)
        full.append(n);
    EXPECT_EQ(nextFreeItemNumber(full), 0u);
}

TEST(ExerciseSummary, TheTwoDaysOfTheScreen)
{
    // No exercise, B 1200 kcal, level 1.
    const ExerciseSummary rest = summarizeExercise(0.0, 0, 0.0, 1200.0, 1);
    EXPECT_EQ(exerciseSummaryLines(rest),
              (QStringList{QStringLiteral("運動時間： 0時間 0分 "), QStringLiteral("運動消費：0.0KC    "),
                           QStringLiteral("基礎代謝：1200.0KC    "), QStringLiteral("生活消費：900.0KC"),
                           QStringLiteral("一日消費：2100.0KC     "),
                           QStringLiteral("運動目安：週に1～2回、１時間程度の適度な運動をしましょう。")}));
    // 60 minutes worth 250 kcal, B 1440 kcal entered, level 2.
    const ExerciseSummary active = summarizeExercise(250.0, 60, 1440.0, 1200.0, 2);
    EXPECT_NEAR(active.living, 1380.0, 1e-9);
    EXPECT_NEAR(active.daily, 3010.0, 1e-9);
    EXPECT_EQ(exerciseSummaryLines(active)[0], QStringLiteral("運動時間： 1時間 0分 "));
    EXPECT_EQ(exerciseSummaryLines(active)[4], QStringLiteral("一日消費：3010.0KC     "));
    EXPECT_EQ(exerciseSummaryLines(active)[5], QStringLiteral("運動目安：運動は足りています。スポーツを楽しみましょう。"));
}

}  // namespace
