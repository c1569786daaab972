// dalmora weight month and dalmora weight goal on an installation, with a man of 170 cm whose
// first weight was entered on 1 January.

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class WeightCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        env = {QStringLiteral("DALMORA_CONFIG_DIR=") + folders.configDir(), QStringLiteral("DALMORA_TODAY=2024-05-25")};
        const testsupport::CliResult init =
            testsupport::runCli({QStringLiteral("init"), QStringLiteral("--prefix"), folders.root() + QStringLiteral("/inst")}, env);
        ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
        data = folders.root() + QStringLiteral("/inst/FOOD5");
        const testsupport::CliResult user = tool({"users", "add", "--name", "山田", "--reading", "ﾔﾏﾀﾞ", "--age", "40", "--sex",
                                                  "male", "--height", "170", "--activity", "1", "--weight", "60",
                                                  "--weight-date", "2024-01-01"});
        ASSERT_EQ(user.exitCode, 0) << user.err.toStdString();
    }

    testsupport::CliResult tool(std::initializer_list<const char *> args)
    {
        QStringList list{QStringLiteral("--data-dir"), data};
        for (const char *a : args)
            list.append(QString::fromUtf8(a));
        return testsupport::runCli(list, env);
    }

    testsupport::TempFolders folders;
    QStringList env;
    QString data;
};

TEST_F(WeightCommands, MonthPrintsTheFourBlocks)
{
    ASSERT_EQ(tool({"weight", "add", "山田", "2024-05-20", "70.6"}).exitCode, 0);
    ASSERT_EQ(tool({"weight", "add", "山田", "2024-05-03", "72", "--body-fat", "25"}).exitCode, 0);
    ASSERT_EQ(tool({"weight", "add", "山田", "2024-06-01", "69"}).exitCode, 0);
    const testsupport::CliResult may = tool({"weight", "month", "山田", "2024-05"});
    ASSERT_EQ(may.exitCode, 0) << may.err.toStdString();
    // 170 cm: 57.85 kg (printed 57.8) to 69.33 kg; the average 71.3 kg is 2.0 above, BMI 24.67
    // is 0.8 above 23.9, and the one body fat of 25 % is 5.0 above a man's 20 %.
    EXPECT_EQ(may.out, QStringLiteral("日付\t体重(kg)\t判定\tBMI\t体脂肪率(%)\n"
                                      "2024/05/03\t 72.0\tやや肥満\t24.9\t25.0\n"
                                      "2024/05/20\t 70.6\tやや肥満\t24.4\t-------\n"
                                      "月間平均\t71.3\tやや肥満\t24.7\t25.0\n"
                                      "標準との差\t+2.0\t\t+0.8\t+5.0\n"
                                      "標準体重\t57.8kg～69.3kg\n"
                                      "標準BMI\t20≦ BMI値 ＜24\n"
                                      "標準体脂肪\t10%～20%\n"));
    const testsupport::CliResult april = tool({"weight", "month", "0", "2024-04"});
    ASSERT_EQ(april.exitCode, 0);
    EXPECT_TRUE(april.out.contains(QStringLiteral("月間平均\t------\t----\t------\t------\n"))) << april.out.toStdString();
    EXPECT_EQ(tool({"weight", "month", "山田", "2024-13"}).exitCode, 2);
    EXPECT_EQ(tool({"weight", "month", "誰か", "2024-05"}).exitCode, 1);
}

TEST_F(WeightCommands, GoalsAreSetCheckedAndShown)
{
    const testsupport::CliResult none = tool({"weight", "goal", "山田"});
    EXPECT_EQ(none.out, QStringLiteral("weight\t-\nbody-fat\t-\n"));

    const testsupport::CliResult bodyFatFirst = tool({"weight", "goal", "山田", "--body-fat", "20"});
    EXPECT_EQ(bodyFatFirst.exitCode, 1);
    EXPECT_TRUE(bodyFatFirst.err.contains(QStringLiteral("目標体重は0.1～200.0kgの間で入力してください。")));

    const testsupport::CliResult set = tool({"weight", "goal", "山田", "--weight", "65"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(set.out, QStringLiteral("体重65.0 kgを目指して頑張ってください。\n"));
    const testsupport::CliResult both = tool({"weight", "goal", "山田", "--body-fat", "18.5"});
    EXPECT_EQ(both.out, QStringLiteral("体重65.0 kg、体脂肪率18.5%を目指して頑張ってください。\n"));
    EXPECT_EQ(testsupport::readFile(data + QStringLiteral("/WG0.DAT")), QByteArray(" 65.018.5\0", 10));

    const testsupport::CliResult tooFat = tool({"weight", "goal", "山田", "--body-fat", "50.1"});
    EXPECT_EQ(tooFat.exitCode, 1);
    EXPECT_TRUE(tooFat.err.contains(QStringLiteral("目標体脂肪率は50.0%以下で入力してください。")));
    EXPECT_EQ(tool({"weight", "goal", "山田", "--weight", "200.1"}).exitCode, 1);
    EXPECT_EQ(tool({"weight", "goal", "山田"}).out, QStringLiteral("weight\t65.0\nbody-fat\t18.5\n"));

    // Body fat 0 takes the goal away again.
    ASSERT_EQ(tool({"weight", "goal", "山田", "--body-fat", "0"}).exitCode, 0);
    EXPECT_EQ(tool({"weight", "goal", "山田"}).out, QStringLiteral("weight\t65.0\nbody-fat\t-\n"));
}

TEST_F(WeightCommands, BodyFatBetweenNothingAndATenthIsRefused)
{
    const testsupport::CliResult small = tool({"weight", "add", "山田", "2024-05-03", "60", "--body-fat", "0.05"});
    EXPECT_EQ(small.exitCode, 1);
    EXPECT_TRUE(small.err.contains(QStringLiteral("体脂肪率は0.1～50.0の間で入力してください。")));
    EXPECT_EQ(tool({"weight", "add", "山田", "2024-05-03", "60", "--body-fat", "0"}).exitCode, 0);
    EXPECT_EQ(tool({"weight", "list", "山田", "2024-05"}).out, QStringLiteral("2024-05-03\t60.0\t-\t\n"));
}

}  // namespace
