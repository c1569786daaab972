// The analyze command end to end: a user, a food table, reference intakes and a menu file in a
// fresh data folder, analysed by the tool as a user would run it.

#include "dalmain/master/FoodTable.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/UserStore.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace dalmain;
using testsupport::runCli;

namespace {

constexpr unsigned kUserNumber = 3;
const QString kUserName = QStringLiteral("山田花子");
constexpr quint16 kFood = 1;

// A reference intakes file whose single age row covers everyone: energy 1500-2300 kcal,
// protein from 60 g and salt up to 7.5 g at every activity level; nothing else has a value.
QByteArray referenceIntakesText()
{
    QList<double> values(168, 0.0);
    auto set = [&](int column, double lower, double upper) {
        for (int level = 0; level < 3; ++level) {
            values[6 * column + 2 * level] = lower;
            values[6 * column + 2 * level + 1] = upper;
        }
    };
    set(0, 1500, 2300);
    set(1, 60, 0);
    set(27, 0, 7.5);
    QByteArray row = "all,99,0,0";
    for (double v : values)
        row += ',' + QByteArray::number(v);
    row += "\r\n";
    QByteArray text = "h1\r\nh2\r\nh3\r\n";
    for (int i = 0; i < 15; ++i)
        text += row;
    text += "separator\r\n";
    for (int i = 0; i < 19; ++i)
        text += row;
    return text;
}

DayMenu breakfastOf(const char *dateKey, quint16 tenths)
{
    DayMenu day;
    day.dateKey = dateKey;
    day.entries[Breakfast][0] = {kFood, tenths};
    day.foodCounts = {1, 0, 0, 0, 1};
    return day;
}

class AnalyzeCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FoodRecord food;
        food.number = kFood;
        food.name = "test food";
        food.group = 1;
        food.nutrients[EnergyKcal] = 200;
        food.nutrients[Protein] = 10;
        food.nutrients[SaltEquivalent] = 1.0;
        food.wasteRatio = 0;
        ASSERT_EQ(writeFoodTable(m_folders.dataFile(QStringLiteral("食品.FDB")), {food}), 1);
        ASSERT_TRUE(testsupport::writeFile(m_folders.dataFile(QStringLiteral("jk2010.dat")), referenceIntakesText()));

        ASSERT_TRUE(ensureUserTable());
        UserProfile user;
        user.number = kUserNumber;
        user.reading = QStringLiteral("ﾔﾏﾀﾞﾊﾅｺ");
        user.name = kUserName;
        user.age = 30;
        user.sex = 1;
        user.height = QStringLiteral("160");
        ASSERT_EQ(writeUserRecord(user), 1);

        // January 2024 has three days of 1000, 2000 and 2400 kcal; the other two records
        // belong to other months.
        QByteArray menus;
        for (const DayMenu &d : {breakfastOf("20240105", 5000), breakfastOf("20240201", 9000),
                                 breakfastOf("20240110", 10000), breakfastOf("20230120", 9000),
                                 breakfastOf("20240131", 12000)})
            menus += encodeDayMenu(d);
        ASSERT_TRUE(testsupport::writeFile(m_folders.dataFile(dayMenuFileName(kUserNumber)), menus));
    }

    testsupport::CliResult analyze(QStringList args)
    {
        return runCli(QStringList{QStringLiteral("--config-dir"), m_folders.configDir(), QStringLiteral("--data-dir"),
                                  m_folders.dataDir(), QStringLiteral("analyze")}
                      + args);
    }

    testsupport::TempFolders m_folders;
};

const QString kSeparator = QString(60, QLatin1Char('*')) + QStringLiteral("\r\n");
const QString kTableHead = QStringLiteral(
    "栄養バランス\r\n"
    "成分名       単位 基準値下限 基準値上限     摂取量   差      判定 充足確率\r\n");

TEST_F(AnalyzeCommand, MonthWithEveryNutrient)
{
    const testsupport::CliResult r =
        analyze({kUserName, QStringLiteral("--month"), QStringLiteral("2024-01"), QStringLiteral("--all-nutrients")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QStringList lines = r.out.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2 + 1 + 2 + 37 + 1 + 1) << qPrintable(r.out);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("分析結果 [月間分析]\r\n分析日付 [2024/01]\r\n") + kSeparator + kTableHead));
    EXPECT_TRUE(r.out.endsWith(kSeparator));
    // 5400 kcal, 270 g protein and 27 g salt over 3.000005 days. Energy and protein lie within
    // their references; salt at 8.99998 g is 119.9998 % of its upper bound, a slight excess
    // although the rate prints as 120.00.
    EXPECT_EQ(lines[5], QStringLiteral("ｴﾈﾙｷﾞｰ       kcal       1500       2300       1800      0     ● 100.00"));
    EXPECT_EQ(lines[6], QStringLiteral("ｴﾈﾙｷﾞｰ         kJ                                0                     "));
    EXPECT_EQ(lines[8], QStringLiteral("たんぱく質      g       60.0        0.0       90.0    0.0     ● 100.00"));
    EXPECT_EQ(lines[41], QStringLiteral("食塩相当量      g        0.0        7.5        9.0    1.5     ▲ 120.00"));
}

TEST_F(AnalyzeCommand, DaySelectionAndTheNutrientSelection)
{
    // Only energy (1) and salt (37) are selected for the analysis screen.
    for (int n = 1; n <= 37; ++n) {
        ASSERT_EQ(quenkit::SetRegistryString(QStringLiteral("Dalmora Analyze"), QStringLiteral("Eiyouso2_%1").arg(n),
                                             QLatin1String(n == 1 || n == 37 ? "1" : "0")), 1);
    }
    const QString rows = QStringLiteral(
        "ｴﾈﾙｷﾞｰ       kcal       1500       2300       1000   -500     ＊  66.67\r\n"
        "食塩相当量      g        0.0        7.5        5.0    0.0     ● 100.00\r\n");
    testsupport::CliResult r = analyze({QString::number(kUserNumber), QStringLiteral("--day"), QStringLiteral("2024-01-05")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, QStringLiteral("分析結果 [一日分析]\r\n分析日付 [2024/01/05]\r\n") + kSeparator + kTableHead + rows
                         + kSeparator);

    // The same day chosen twice is one day; a chosen set has no date line.
    r = analyze({kUserName, QStringLiteral("--days"), QStringLiteral("2024-01-05,2024-01-05")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out.left(r.out.indexOf(kTableHead)), QStringLiteral("分析結果 [選択分析]\r\n") + kSeparator);
    EXPECT_TRUE(r.out.contains(QStringLiteral("       1000   -500     ＊  66.67\r\n"))) << qPrintable(r.out);

    // A day without a record analyses as nothing eaten.
    r = analyze({kUserName, QStringLiteral("--day"), QStringLiteral("2024-01-06")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.out.contains(QStringLiteral("          0  -1500     ＊   0.00\r\n"))) << qPrintable(r.out);
}

// A day of two foods, the second with vitamin D not analysed and a fifth of it waste: its
// vitamin D adds nothing, and the coverage tells that the total rests on 100 of the 140 g eaten.
TEST_F(AnalyzeCommand, CoverageOfADayWithAFoodOfUnknownVitaminD)
{
    FoodRecord known;
    known.number = kFood;
    known.name = "known";
    known.group = 1;
    known.nutrients[EnergyKcal] = 200;
    known.nutrients[VitaminD] = 2.0;
    FoodRecord unknown;
    unknown.number = 2;
    unknown.name = "unknown vitamin D";
    unknown.group = 10;
    unknown.nutrients[EnergyKcal] = 100;
    unknown.setUnknown(VitaminD);
    unknown.wasteRatio = 20;
    ASSERT_EQ(writeFoodTable(m_folders.dataFile(QStringLiteral("食品.FDB")), {known, unknown}), 1);
    DayMenu day = breakfastOf("20240301", 1000);   // 100 g of the known food
    day.entries[Lunch][0] = {2, 500};               // 50 g as bought, 40 g eaten
    QByteArray menus = testsupport::readFile(m_folders.dataFile(dayMenuFileName(kUserNumber)));
    ASSERT_TRUE(testsupport::writeFile(m_folders.dataFile(dayMenuFileName(kUserNumber)), menus + encodeDayMenu(day)));

    const testsupport::CliResult r = analyze({kUserName, QStringLiteral("--day"), QStringLiteral("2024-03-01"),
                                              QStringLiteral("--all-nutrients"), QStringLiteral("--coverage")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QStringList lines = r.out.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2 + 1 + 2 + 37 + 1 + 1 + 37 + 1 + 1) << qPrintable(r.out);
    EXPECT_TRUE(lines[23].contains(QStringLiteral("       2.0 "))) << qPrintable(lines[23]);   // 2 μg from the known food only
    EXPECT_EQ(lines[43], QStringLiteral("既知の値の割合 (摂取した食品 140.0 g のうち)"));
    EXPECT_EQ(lines[44], QStringLiteral("ｴﾈﾙｷﾞｰ       kcal  100.0 %  (140.0 of 140.0 g)"));
    EXPECT_EQ(lines[62], QStringLiteral("ﾋﾞﾀﾐﾝD        μg   71.4 %  (100.0 of 140.0 g)"));
    EXPECT_TRUE(r.out.endsWith(kSeparator));

    // Without the option the analysis is as before.
    const testsupport::CliResult plain =
        analyze({kUserName, QStringLiteral("--day"), QStringLiteral("2024-03-01"), QStringLiteral("--all-nutrients")});
    EXPECT_EQ(plain.out, r.out.left(plain.out.size()));
    EXPECT_FALSE(plain.out.contains(QStringLiteral("既知の値の割合")));
}

TEST_F(AnalyzeCommand, RefusedRequests)
{
    struct Case {
        QStringList args;
        int exitCode;
        const char *message;
    } cases[] = {
        {{kUserName}, 2, "give one of --day, --month, --year and --days"},
        {{kUserName, "--day", "2024-01-05", "--year", "2024"}, 2, "give only one"},
        {{kUserName, "--day", "2024-02-30"}, 2, "not a valid --day value"},
        {{kUserName, "--month", "2024-13"}, 2, "not a valid --month value"},
        {{kUserName, "--days", "2024-01-05,yesterday"}, 2, "'yesterday' is not a date"},
        {{kUserName, "--year", "2024", "--colour"}, 2, "unknown option --colour"},
        {{QStringLiteral("佐藤"), "--year", "2024"}, 1, "no user '佐藤'"},
        {{QStringLiteral("99"), "--year", "2024"}, 1, "no user '99'"},
        {{kUserName, "--days", "2024-01-05,2024-01-06"}, 1, "no menu record for 2024-01-06"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.args.join(QLatin1Char(' '))));
        const testsupport::CliResult r = analyze(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << qPrintable(r.err);
        EXPECT_TRUE(r.out.isEmpty());
    }
}

}  // namespace
