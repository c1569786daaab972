// BMI, the standard ranges, a month's averages and differences, the goal messages, the copy
// text and the graph scales.

#include "dalmain/analysis/WeightFigures.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

const WeightPerson kMan165{165.0, QStringLiteral("165"), 0};
const WeightPerson kWoman158{158.0, QStringLiteral("158"), 1};

WeightMonth monthOf(const QList<WeightRecord> &records, const WeightPerson &person = kMan165)
{
    return WeightMonth(2024, 5, records, person);
}

TEST(BmiJudgement, BoundsOfTheFourClasses)
{
    struct Case {
        double bmi;
        int judgement;
        const char16_t *text;
    };
    const Case cases[] = {{19.99, BmiThin, u"や　　せ"},          {20.00, BmiNormal, u"正　　常"},
                          {23.99, BmiNormal, u"正　　常"},        {24.00, BmiSlightlyObese, u"やや肥満"},
                          {26.49, BmiSlightlyObese, u"やや肥満"}, {26.50, BmiObese, u"肥　　満"},
                          {0.0, BmiThin, u"や　　せ"}};
    for (const Case &c : cases) {
        EXPECT_EQ(BmiJudgement(c.bmi), c.judgement) << c.bmi;
        EXPECT_EQ(bmiJudgementText(BmiJudgement(c.bmi)), QString::fromUtf16(c.text)) << c.bmi;
    }
}

TEST(BmiJudgement, BmiOfAMeasurementAndItsTexts)
{
    // 60 kg at 165 cm: 22.038567...
    EXPECT_NEAR(bmiOf(60.0, 165.0), 22.0386, 1e-4);
    EXPECT_EQ(bmiText(bmiOf(60.0, 165.0)), QStringLiteral("22.04"));
    // The short text cuts, it does not round: 22.0386 reads 22.0, 9.87 reads " 9.8".
    struct Case {
        double bmi;
        const char *shortText;
    };
    const Case cases[] = {{22.0386, "22.0"}, {23.999, "24.0"}, {23.96, "23.9"}, {9.87, " 9.8"}, {102.34, "102.3"}};
    for (const Case &c : cases)
        EXPECT_EQ(shortBmiText(c.bmi), QString::fromLatin1(c.shortText)) << c.bmi;
    EXPECT_EQ(bmiOf(60.0, 0.0), 0.0);
}

TEST(StandardRanges, WeightLineTruncatesTheUpperValue)
{
    struct Case {
        double height;
        const char16_t *line;
    };
    const Case cases[] = {
        {165.0, u"適正体重 54.5kg～65.3kg (59.9kg)"},  // upper 65.312775
        {162.5, u"適正体重 52.9kg～63.3kg (58.1kg)"},  // upper 63.35 formatted 63.35: not 63.4
        {150.0, u"適正体重 45.0kg～53.9kg (49.5kg)"},  // upper 53.9775 formatted 53.98: not 54.0
    };
    for (const Case &c : cases)
        EXPECT_EQ(standardWeight(c.height).line(), QString::fromUtf16(c.line)) << c.height;
    EXPECT_EQ(standardBodyFat(1).text, QStringLiteral("20%～30%"));
    EXPECT_EQ(standardBodyFat(0).text, QStringLiteral("10%～20%"));
}

TEST(StandardRanges, DifferenceOfTheAverageBmi)
{
    struct Case {
        double bmi;
        RangeSide side;
        const char *text;
    };
    const Case cases[] = {{24.00, RangeSide::Above, "+0.1"}, {25.42, RangeSide::Above, "+1.5"},
                          {23.99, RangeSide::Within, "0.0"}, {20.00, RangeSide::Within, "0.0"},
                          {19.98, RangeSide::Within, "0.0"},  // -0.02 reads -0.0, shown 0.0
                          {18.5, RangeSide::Below, "-1.5"}};
    for (const Case &c : cases) {
        const RangeDifference d = bmiDifference(c.bmi);
        EXPECT_EQ(d.side, c.side) << c.bmi;
        EXPECT_EQ(d.text, QString::fromLatin1(c.text)) << c.bmi;
    }
}

TEST(WeightMonthFigures, LinesAveragesAndDifferences)
{
    const WeightMonth month = monthOf({{"20240503", 68.0, 22.0}, {"20240510", 67.0, 0.0}, {"20240524", 66.5, 21.0}});
    ASSERT_EQ(month.lines().size(), 3);
    const WeightLine &first = month.lines().first();
    EXPECT_EQ(first.dateText, QStringLiteral("2024/05/03"));
    EXPECT_EQ(first.listDate, QStringLiteral("05/03(金)"));
    EXPECT_EQ(first.weightText, QStringLiteral(" 68.0"));
    EXPECT_EQ(first.listBodyFat, QStringLiteral("      22.0"));
    EXPECT_EQ(month.lines()[1].listBodyFat.trimmed(), QStringLiteral("-------"));
    EXPECT_EQ(month.lines()[1].listDate, QStringLiteral("05/10(金)"));
    EXPECT_EQ(month.averageWeightText(), QStringLiteral("67.2"));  // 67.1666...
    // Body fat is averaged over the two days that measured it, not over three.
    EXPECT_EQ(month.averageBodyFatText(), QStringLiteral("21.5"));
    EXPECT_EQ(month.averageJudgementText(), QStringLiteral("やや肥満"));
    EXPECT_EQ(month.averageBmiText(), QStringLiteral("24.6"));
    EXPECT_EQ(month.latest()->record.kg, 66.5);
    // Average 67.17 kg against 54.5 - 65.31 kg: 1.9 above; BMI 24.67 above 23.9 by 0.8; a man's
    // 21.5 % above 20 % by 1.5.
    EXPECT_EQ(month.weightDifference()->text, QStringLiteral("+1.9"));
    EXPECT_EQ(month.weightDifference()->side, RangeSide::Above);
    EXPECT_EQ(month.bmiDifferenceOfAverage()->text, QStringLiteral("+0.8"));
    EXPECT_EQ(month.bodyFatDifference()->text, QStringLiteral("+1.5"));
}

TEST(WeightMonthFigures, AMonthWithoutMeasurementsShowsDashesAndNoDifferences)
{
    const WeightMonth empty = monthOf({});
    EXPECT_EQ(empty.averageWeightText(), QStringLiteral("--------"));
    EXPECT_EQ(empty.averageJudgementText(), QStringLiteral("---------"));
    EXPECT_EQ(empty.averageBmiText(), QStringLiteral("-----"));
    EXPECT_EQ(empty.averageBodyFatText(), QStringLiteral("-----"));
    EXPECT_FALSE(empty.weightDifference());
    EXPECT_FALSE(empty.bmiDifferenceOfAverage());
    EXPECT_FALSE(empty.bodyFatDifference());
    const WeightMonth noFat = monthOf({{"20240503", 48.0, 0.0}}, kWoman158);
    EXPECT_EQ(noFat.averageBodyFatText(), QStringLiteral("-----"));
    EXPECT_FALSE(noFat.bodyFatDifference());
    // 48 kg at 158 cm is 1.98 kg under 49.98 kg, and BMI 19.23 is 0.77 under 20.
    EXPECT_EQ(noFat.weightDifference()->text, QStringLiteral("-2.0"));
    EXPECT_EQ(noFat.weightDifference()->side, RangeSide::Below);
    EXPECT_EQ(noFat.bmiDifferenceOfAverage()->text, QStringLiteral("-0.8"));
    // A profile without a height has nothing to measure the weight against.
    const WeightMonth noHeight = monthOf({{"20240503", 48.0, 25.0}}, WeightPerson{0.0, QString(), 1});
    EXPECT_FALSE(noHeight.weightDifference());
    EXPECT_FALSE(noHeight.bmiDifferenceOfAverage());
    EXPECT_EQ(noHeight.bodyFatDifference()->text, QStringLiteral("0.0"));
}

TEST(WeightGoals, MessagesAgainstTheLatestMeasurement)
{
    struct Case {
        WeightGoal goal;
        QList<WeightRecord> records;
        const char16_t *weight;
        bool weightReached;
        const char16_t *bodyFat;
    };
    const Case cases[] = {
        {{-1.0, 0.0}, {{"20240503", 62.5, 24.0}}, u"目標体重は未設定です。", false, u"目標体脂肪率は未設定です。"},
        {{60.0, 22.0}, {}, u"目標体重は 60.0kgです。", false, u"目標体脂肪率 22.0%です。"},
        {{60.0, 22.0}, {{"20240503", 58.0, 20.0}, {"20240520", 62.5, 24.0}}, u"目標体重 60.0kgまであと2.5kgです。", false,
         u"目標体脂肪率 22.0%まであと2.0%です。"},
        {{60.0, 22.0}, {{"20240520", 59.8, 0.0}}, u"目標体重 60.0kgを達成しました。", true, u"目標体脂肪率 22.0%です。"},
        {{60.0, 22.0}, {{"20240520", 60.0, 22.0}}, u"目標体重 60.0kgを達成しました。", true,
         u"目標体脂肪率 22.0%を達成しました。"},
    };
    for (const Case &c : cases) {
        const WeightMonth month = monthOf(c.records);
        const GoalMessage w = weightGoalMessage(c.goal, month);
        EXPECT_EQ(w.text, QString::fromUtf16(c.weight));
        EXPECT_EQ(w.reached, c.weightReached) << w.text.toStdString();
        EXPECT_EQ(bodyFatGoalMessage(c.goal, month).text, QString::fromUtf16(c.bodyFat));
    }
}

TEST(WeightGoals, DialogCheckAndConfirmation)
{
    struct Case {
        double weight;
        double bodyFat;
        GoalCheck::Field field;
    };
    const Case cases[] = {{0.1, 0.0, GoalCheck::None},   {200.0, 50.0, GoalCheck::None}, {0.0, 0.0, GoalCheck::Weight},
                          {200.1, 0.0, GoalCheck::Weight}, {60.0, 50.1, GoalCheck::BodyFat}};
    for (const Case &c : cases)
        EXPECT_EQ(checkGoalEntry(c.weight, c.bodyFat).field, c.field) << c.weight << " " << c.bodyFat;
    EXPECT_EQ(checkGoalEntry(0.0, 0.0).message, QStringLiteral("目標体重は0.1～200.0kgの間で入力してください。"));
    EXPECT_EQ(checkGoalEntry(60.0, 50.1).message, QStringLiteral("目標体脂肪率は50.0%以下で入力してください。"));
    EXPECT_EQ(goalSetMessage(60.0, 0.0), QStringLiteral("体重60.0 kgを目指して頑張ってください。"));
    EXPECT_EQ(goalSetMessage(60.0, 22.5), QStringLiteral("体重60.0 kg、体脂肪率22.5%を目指して頑張ってください。"));
}

TEST(WeightCopy, FourBlocksAndTheirChoice)
{
    const WeightMonth month = monthOf({{"20240503", 68.0, 22.0}, {"20240510", 67.0, 0.0}});
    const QString all = weightCopyText(month, {true, true, true, true});
    EXPECT_EQ(all, QStringLiteral("日付\t体重(kg)\t判定\tBMI\t体脂肪率(%)\r\n"
                                  "2024/05/03\t 68.0\tやや肥満\t24.9\t22.0\r\n"
                                  "2024/05/10\t 67.0\tやや肥満\t24.6\t-------\r\n"
                                  "月間平均\t67.5\tやや肥満\t24.8\t22.0\r\n"
                                  "標準との差\t+2.2\t\t+0.9\t+2.0\r\n"
                                  "標準体重\t54.5kg～65.3kg\r\n"
                                  "標準BMI\t20≦ BMI値 ＜24\r\n"
                                  "標準体脂肪\t10%～20%\r\n"));
    EXPECT_EQ(weightCopyText(month, {false, false, false, true}).count(QStringLiteral("\r\n")), 3);
    EXPECT_TRUE(weightCopyText(month, {false, true, false, false}).startsWith(QStringLiteral("月間平均\t")));
    EXPECT_EQ(weightCopyText(monthOf({}, kWoman158), {true, true, true, false}),
              QStringLiteral("日付\t体重(kg)\t判定\tBMI\t体脂肪率(%)\r\n"
                             "月間平均\t------\t----\t------\t------\r\n"
                             "標準との差\t------\t\t------\t------\r\n"));
}

TEST(WeightGraph, ScalesOfTheMonthlyGraph)
{
    struct Case {
        const char *name;
        QList<WeightRecord> records;
        GraphScale weight;
        GraphScale bodyFat;
    };
    const Case cases[] = {
        {"one measurement", {{"20240510", 60.0, 25.0}}, {57.0, 61.0}, {23.0, 35.0}},
        {"one without body fat", {{"20240510", 60.0, 0.0}}, {57.0, 61.0}, {0.0, 55.0}},
        // 40 to 75 kg: 37 - 76 spans 39 kg, over 30, so 20 kg more below.
        {"a spread of 35 kg", {{"20240501", 75.0, 30.0}, {"20240515", 40.0, 18.0}, {"20240530", 55.0, 0.0}}, {17.0, 76.0},
         {16.0, 40.0}},
        // Exactly 30 kg of range stays.
        {"a range of 30 kg", {{"20240501", 43.0, 0.0}, {"20240502", 69.0, 0.0}}, {40.0, 70.0}, {0.0, 55.0}},
        // The extra room never goes below 0.
        {"a light child", {{"20240501", 12.0, 0.0}, {"20240502", 45.0, 0.0}}, {0.0, 46.0}, {0.0, 55.0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const WeightMonth month = monthOf(c.records);
        const GraphScale w = weightGraphScale(month);
        EXPECT_DOUBLE_EQ(w.lower, c.weight.lower);
        EXPECT_DOUBLE_EQ(w.upper, c.weight.upper);
        const GraphScale f = bodyFatGraphScale(month);
        EXPECT_DOUBLE_EQ(f.lower, c.bodyFat.lower);
        EXPECT_DOUBLE_EQ(f.upper, c.bodyFat.upper);
    }
    EXPECT_TRUE(weightGraphScale(monthOf({})).isEmpty());
    EXPECT_TRUE(bodyFatGraphScale(monthOf({})).isEmpty());
}

TEST(WeightGraph, BmiChartWindow)
{
    struct Case {
        double height;
        double kg;
        int heightFrom;
        int weightFrom;
    };
    const Case cases[] = {{165.0, 62.5, 120, 20}, {170.0, 39.9, 130, 0}, {159.9, 100.0, 110, 60}, {30.0, 3.0, 0, 0}};
    for (const Case &c : cases) {
        const BmiChartRange r = bmiChartRange(c.height, c.kg);
        EXPECT_EQ(r.heightFrom, c.heightFrom) << c.height;
        EXPECT_EQ(r.weightFrom, c.weightFrom) << c.kg;
    }
}

}  // namespace
