#include "dalmain/analysis/AnalysisExport.h"
#include "dalmain/analysis/AnalysisText.h"
#include "dalmain/userdata/UserProfile.h"

#include "quenkit/registry/SettingsStore.h"
#include "support/TestSupport.h"

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
        EXPECT_EQ(analysisSection(report, c.section, TextKind::Plain, TextTarget::Copy), QString::fromUtf8(c.text))
            << int(c.section);

    report.period = AnalysisPeriod::Month;
    EXPECT_EQ(analysisSection(report, ReportSection::History, TextKind::Plain, TextTarget::Copy),
              QStringLiteral("エネルギー、体重の履歴\r\n  日  付    摂取エネルギー 運動エネルギー     体 重\r\n"
                             "2024/01         1800.0          200.0           50.0\r\n"));

    // Only the chosen sections, each followed by the separator.
    ReportSections only{};
    only[size_t(ReportSection::Pfc)] = true;
    only[size_t(ReportSection::History)] = true;
    report.period = AnalysisPeriod::Selection;
    EXPECT_EQ(analysisText(report, only, TextKind::Plain, TextTarget::File), QStringLiteral("分析結果 [選択分析]\r\n") + analysisSeparatorLine()
                                                   + analysisSection(report, ReportSection::Pfc, TextKind::Plain, TextTarget::File) + analysisSeparatorLine()
                                                   + analysisSection(report, ReportSection::History, TextKind::Plain, TextTarget::Copy)
                                                   + analysisSeparatorLine());
}

// The same lines in the three kinds, and where the saved file and the copy part.
TEST(AnalysisText, LinesOfEachKind)
{
    AnalysisResult r;
    r.periodKey = "20240105";
    r.foodCounts = {2, 1, 0, 0, 3};
    r.pfc.percent = {15, 25.04, 59.96};
    r.energyBalance.bodyWeight = 52.25;
    r.energyBalance.bodyFat = -1;
    IntakeStandard standard;
    standard[Protein] = {60, 0};
    r.dayTotal[Protein] = 45;
    r.sufficiencyRate[Protein] = 75;
    r.history = {{"20240105", 1500, 120.5, 1400, 52.25}};
    UserProfile user;
    user.number = 7;
    user.name = QStringLiteral("太郎");
    user.sex = 1;
    user.height = QStringLiteral("158");
    AnalysisReport report;
    report.period = AnalysisPeriod::Day;
    report.result = &r;
    report.standard = &standard;
    report.user = &user;
    report.nutrientRows[Protein] = true;

    struct Case {
        ReportSection section;
        TextKind kind;
        TextTarget target;
        const char *text;
    } cases[] = {
        // The comma kind's heading of the food counts ends with a line feed alone.
        {ReportSection::FoodCount, TextKind::Comma, TextTarget::Copy,
         "\"\",\"一日\",\"朝食\",\"昼食\",\"夕食\",\"間食\"\n\"食品数\",\"3\",\"2\",\"1\",\"0\",\"0\"\r\n"},
        {ReportSection::FoodCount, TextKind::Tab, TextTarget::File,
         "\t一日\t朝食\t昼食\t夕食\t間食\r\n食品数\t3\t2\t1\t0\t0\r\n"},
        {ReportSection::Pfc, TextKind::Tab, TextTarget::File, "PFCﾊﾞﾗﾝｽ\tP\t15.0%\tF\t25.0%\tC\t60.0%\r\n"},
        {ReportSection::Pfc, TextKind::Comma, TextTarget::File,
         "\"PFCﾊﾞﾗﾝｽ\",\"P\",\"15.0%\",\"F\",\"25.0%\",\"C\",\"60.0%\"\r\n"},
        {ReportSection::BodyWeight, TextKind::Tab, TextTarget::File, "体重\t52.2\tkg\r\n"},
        {ReportSection::BodyFat, TextKind::Comma, TextTarget::File, "\"体脂肪率\",\"*****\",\"%\"\r\n"},
        // Sex and height are in the copy only; the file's birthday without a date is stars.
        {ReportSection::UserInfo, TextKind::Tab, TextTarget::File,
         "ユーザー番号\t7\r\nフリガナ\t\r\n氏名\t太郎\r\n誕生日\t****\t**\t**\r\n年齢\t0\r\n身体活動レベル\t普通\r\n"},
        {ReportSection::UserInfo, TextKind::Plain, TextTarget::Copy,
         "ユーザー番号 7\r\nフリガナ     \r\n氏名         太郎\r\n誕生日       ****/**/**\r\n年齢         0\r\n"
         "性別         女性\r\n身長         158 cm\r\n身体活動レベル 普通\r\n"},
        {ReportSection::UserInfo, TextKind::Comma, TextTarget::Copy,
         "\"ユーザー番号\",\"7\"\r\n\"フリガナ\",\"\"\r\n\"氏名\",\"太郎\"\r\n\"誕生日\",\"****\",\"**\",\"**\"\r\n"
         "\"年齢\",\"0\"\r\n\"性別\",\"女性\"\r\n\"身長\",\"158\",\"cm\"\r\n\"身体活動レベル\",\"普通\"\r\n"},
        // The copy's nutrient table has the legend under it, the file's none.
        {ReportSection::Nutrients, TextKind::Tab, TextTarget::File,
         "栄養バランス\r\n成分名\t単位\t基準値下限\t基準値上限\t摂取量\t差\t判定\t充足確率\r\n"
         "たんぱく質\tg\t60.0\t0.0\t45.0\t-15.0\t＊\t75.00\r\n"},
        {ReportSection::Nutrients, TextKind::Comma, TextTarget::Copy,
         "\"栄養バランス\"\r\n\"成分名\",\"単位\",\"基準値下限\",\"基準値上限\",\"摂取量\",\"差\",\"判定\",\"充足確率\"\r\n"
         "\"たんぱく質\",\"g\",\"60.0\",\"0.0\",\"45.0\",\"-15.0\",\"＊\",\"75.00\"\r\n"
         "●過剰・不足の心配はほとんどないと思います\r\n▲過剰が少し心配　△不足が少し心配　！過剰が心配　!!不足が心配\r\n"},
        {ReportSection::History, TextKind::Tab, TextTarget::File,
         "エネルギー、体重の履歴\r\n日付\t摂取エネルギー\t運動エネルギー\t体重\r\n2024/01/05\t1500.0\t120.5\t52.2\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.section) << " kind " << int(c.kind) << " target " << int(c.target));
        EXPECT_EQ(analysisSection(report, c.section, c.kind, c.target), QString::fromUtf8(c.text));
    }

    // No exercise day: "%.d" of the tab kind prints nothing, the others 0.
    const char *days[] = {"記録日数\t\r\n", "\"記録日数\",\"0\"\r\n", "記録日数 0\r\n"};
    for (TextKind kind : {TextKind::Tab, TextKind::Comma, TextKind::Plain})
        EXPECT_TRUE(analysisSection(report, ReportSection::EnergyBalance, kind, TextTarget::File)
                        .endsWith(QString::fromUtf8(days[int(kind)])))
            << int(kind);
    r.energyBalance.exerciseDays = 12;
    EXPECT_TRUE(analysisSection(report, ReportSection::EnergyBalance, TextKind::Tab, TextTarget::File)
                    .endsWith(QStringLiteral("摂取との差\t+0.0\tkcal\r\n記録日数\t12\r\n")));

    // The title and date lines are quoted in the comma kind; a selection has no date line.
    ReportSections none{};
    EXPECT_EQ(analysisText(report, none, TextKind::Comma, TextTarget::File),
              QStringLiteral("\"分析結果 [一日分析]\"\r\n\"分析日付 [2024/01/05]\"\r\n") + analysisSeparatorLine());
    report.period = AnalysisPeriod::Selection;
    EXPECT_EQ(analysisText(report, none, TextKind::Tab, TextTarget::Copy),
              QStringLiteral("分析結果 [選択分析]\r\n") + analysisSeparatorLine());
}

TEST(AnalysisExport, OptionsKeptInTheSettingsStore)
{
    testsupport::TempFolders folders;
    // Nothing stored: every option off, the tab kind.
    ExportOptions save = readExportOptions(ExportTarget::Save);
    EXPECT_EQ(save.sections, ReportSections{});
    EXPECT_FALSE(save.shownNutrientsOnly);
    EXPECT_EQ(save.kind(ExportTarget::Save), TextKind::Tab);

    save.setOption(OptionFoodCount, true);
    save.setOption(OptionShownNutrients, true);
    save.setOption(OptionBodyFat, true);
    save.kindChoice = 3;   // every file
    ASSERT_TRUE(writeExportOptions(ExportTarget::Save, save));
    QString text;
    ASSERT_EQ(quenkit::GetRegistryString(QStringLiteral("Dalmora Analyze"), QStringLiteral("Flg1_2"), nullptr, text), 1);
    EXPECT_EQ(text, QStringLiteral("1"));
    ASSERT_EQ(quenkit::GetRegistryString(QStringLiteral("Dalmora Analyze"), QStringLiteral("Flg1_3"), nullptr, text), 1);
    EXPECT_EQ(text, QStringLiteral("0"));

    const ExportOptions read = readExportOptions(ExportTarget::Save);
    EXPECT_EQ(read.sections, save.sections);
    EXPECT_TRUE(read.shownNutrientsOnly);
    EXPECT_TRUE(read.option(OptionBodyFat));
    EXPECT_EQ(read.kind(ExportTarget::Save), TextKind::Plain);
    // The copy keeps its own options.
    EXPECT_FALSE(readExportOptions(ExportTarget::Copy).option(OptionFoodCount));

    // Each option number writes its own section; 8, 9 and 14 write none.
    const std::pair<int, ReportSection> sections[] = {
        {1, ReportSection::UserInfo}, {2, ReportSection::FoodCount}, {3, ReportSection::MealEnergyRatio},
        {4, ReportSection::EnergyBalance}, {5, ReportSection::BodyWeight}, {6, ReportSection::Nutrients},
        {7, ReportSection::History}, {10, ReportSection::Pfc}, {11, ReportSection::ExchangeTable},
        {12, ReportSection::GroupTable}, {13, ReportSection::BodyFat}};
    for (const auto &[option, section] : sections)
        EXPECT_EQ(sectionOfOption(option), section) << option;
    for (int option : {0, 8, 9, 14, 15})
        EXPECT_FALSE(sectionOfOption(option)) << option;
}

}  // namespace
