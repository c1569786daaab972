#include "dalmain/analysis/AnalysisText.h"

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

}  // namespace
