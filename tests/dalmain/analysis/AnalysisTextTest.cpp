#include "dalmain/analysis/AnalysisText.h"
#include "dalmain/userdata/UserProfile.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

TEST(AnalysisText, JudgementByRateAlone)
{
    struct Case {
        double rate;
        const char *symbol;
    } cases[] = {
        {0, "＊"}, {79.99, "＊"}, {80, "△"}, {99.99, "△"}, {100, "●"},
        {100.01, "▲"}, {119.99, "▲"}, {120, "！"}, {500, "！"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(textJudgement(c.rate), QString::fromUtf8(c.symbol)) << c.rate;
}

TEST(AnalysisText, TitleAndDateLines)
{
    EXPECT_EQ(analysisTitleLine(AnalysisPeriod::Year), QStringLiteral("分析結果 [年間分析]\r\n"));
    EXPECT_EQ(analysisDateLine(AnalysisPeriod::Day, "20240105"), QStringLiteral("分析日付 [2024/01/05]\r\n"));
    EXPECT_EQ(analysisDateLine(AnalysisPeriod::Month, "202401"), QStringLiteral("分析日付 [2024/01]\r\n"));
    EXPECT_EQ(analysisDateLine(AnalysisPeriod::Year, "2024"), QStringLiteral("分析日付 [2024]\r\n"));
    EXPECT_EQ(analysisDateLine(AnalysisPeriod::Selection, ""), QString());
}

TEST(AnalysisText, NutrientFields)
{
    IntakeStandard standard;
    standard[Protein] = {60, 0};
    standard[Copper] = {0.7, 9};
    AnalysisResult result;
    result.dayTotal[Protein] = 59.96;
    result.dayTotal[Copper] = 0.7;
    result.dayTotal[Water] = 1234.56;
    result.sufficiencyRate[Protein] = 59.96 / 60 * 100;
    result.sufficiencyRate[Copper] = 100;
    result.sufficiencyRate[Water] = 100;

    // The text rule judges by the rate: a shortfall that rounds away still shows as short.
    EXPECT_EQ(nutrientTableFields(result, standard, Protein),
              QStringList({"たんぱく質", "g", "60.0", "0.0", "60.0", "-0.0", "△", "99.93"}));
    EXPECT_EQ(nutrientTableFields(result, standard, Copper),
              QStringList({"銅", "mg", "0.70", "9.00", "0.70", "0.00", "●", "100.00"}));
    EXPECT_EQ(nutrientTableFields(result, standard, Water),
              QStringList({"水分", "g", "", "", "1234.6", "", "", ""}));
}

TEST(AnalysisText, PaddingCountsShiftJisBytes)
{
    EXPECT_EQ(padToSjisWidth(QStringLiteral("ﾘﾝ"), 4, true), QStringLiteral("ﾘﾝ  "));
    EXPECT_EQ(padToSjisWidth(QStringLiteral("亜鉛"), 6, false), QStringLiteral("  亜鉛"));
    EXPECT_EQ(padToSjisWidth(QStringLiteral("μg"), 4, false), QStringLiteral(" μg"));
    EXPECT_EQ(padToSjisWidth(QStringLiteral("飽和脂肪酸"), 8, true), QStringLiteral("飽和脂肪酸"));
}

TEST(AnalysisText, SectionsOfThePlainKind)
{
    AnalysisResult r;
    r.periodKey = "2024";
    r.foodCounts = {12, 8, 10, 3, 28};
    r.mealShares[0][EnergyKcal] = 24.6;
    r.mealShares[1][EnergyKcal] = 35.4;
    r.pfc.percent = {14.66, 26.47, 58.82};
    r.energyBalance.exerciseEnergy = 120.04;
    r.energyBalance.basalMetabolism = 1085.05;
    r.energyBalance.lifeActivity = 779.88;
    r.energyBalance.dailyConsumption = 1939.76;
    r.energyBalance.intakeDifference = 60.24;
    r.energyBalance.bodyWeight = -1;
    r.energyBalance.bodyFat = 28.25;
    r.history = {{"202401", 1800, 200, 1700, 50}};
    UserProfile user;
    user.number = 7;
    user.reading = QStringLiteral("ﾀﾛｳ");
    user.name = QStringLiteral("太郎");
    user.age = 41;
    user.birthYear = 1983;
    user.birthMonth = 5;
    user.birthDay = 9;
    user.height = QStringLiteral("172.5");
    user.activity = 2;
    AnalysisReport report;
    report.period = AnalysisPeriod::Year;
    report.result = &r;
    report.user = &user;

    struct Case {
        ReportSection section;
        const char *text;
    } cases[] = {
        {ReportSection::UserInfo, "ユーザー番号 7\r\nフリガナ     ﾀﾛｳ\r\n氏名         太郎\r\n誕生日       1983/05/09\r\n"
                                  "年齢         41\r\n性別         男性\r\n身長         172.5 cm\r\n身体活動レベル 高い\r\n"},
        {ReportSection::FoodCount, "                   一日  朝食  昼食  夕食  間食\r\n"
                                   "食品数               28    12     8    10     3\r\n"},
        {ReportSection::MealEnergyRatio, "                   朝食  昼食  夕食  間食\r\n"
                                         "エネルギー比         25    35     0     0\r\n"},
        {ReportSection::Pfc, "PFCﾊﾞﾗﾝｽ     P 14.7%  F 26.5%  C 58.8%\r\n"},
        {ReportSection::EnergyBalance, "運動消費 120.0 kcal\r\n基礎代謝 1085.0 kcal\r\n生活消費 779.9 kcal\r\n"
                                       "一日消費 1939.8 kcal\r\n摂取との差 +60.2 kcal\r\n記録日数 0\r\n"},
        {ReportSection::BodyWeight, "体重               ***** kg\r\n"},
        {ReportSection::BodyFat, "体脂肪率           28.2 %\r\n"},
        // A year has no history; a report without tables has no table sections.
        {ReportSection::History, ""},
        {ReportSection::ExchangeTable, ""},
        {ReportSection::GroupTable, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(plainSection(report, c.section), QString::fromUtf8(c.text)) << int(c.section);

    report.period = AnalysisPeriod::Month;
    EXPECT_EQ(plainSection(report, ReportSection::History),
              QStringLiteral("エネルギー、体重の履歴\r\n  日  付    摂取エネルギー 運動エネルギー     体 重\r\n"
                             "2024/01         1800.0          200.0           50.0\r\n"));

    // Only the chosen sections, each followed by the separator.
    ReportSections only{};
    only[size_t(ReportSection::Pfc)] = true;
    only[size_t(ReportSection::History)] = true;
    report.period = AnalysisPeriod::Selection;
    EXPECT_EQ(plainAnalysisText(report, only), QStringLiteral("分析結果 [選択分析]\r\n") + analysisSeparatorLine()
                                                   + plainSection(report, ReportSection::Pfc) + analysisSeparatorLine()
                                                   + plainSection(report, ReportSection::History)
                                                   + analysisSeparatorLine());
}

}  // namespace
