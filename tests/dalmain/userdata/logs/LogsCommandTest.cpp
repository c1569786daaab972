// dalmora exercise and dalmora weight, run as a user would on an installation.

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class LogsCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        env = {QStringLiteral("DALMORA_CONFIG_DIR=") + folders.configDir(), QStringLiteral("DALMORA_TODAY=2024-01-01")};
        const testsupport::CliResult init = run({QStringLiteral("init"), QStringLiteral("--prefix"), folders.root() + QStringLiteral("/inst")});
        ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
        data = folders.root() + QStringLiteral("/inst/FOOD5");
        const testsupport::CliResult user = tool({"users", "add", "--name", "山田", "--reading", "ﾔﾏﾀﾞ", "--age", "40", "--sex",
                                                  "male", "--height", "170", "--activity", "1", "--weight", "60",
                                                  "--weight-date", "2024-01-01"});
        ASSERT_EQ(user.exitCode, 0) << user.err.toStdString();
    }

    testsupport::CliResult run(const QStringList &args) { return testsupport::runCli(args, env); }
    testsupport::CliResult tool(std::initializer_list<const char *> args)
    {
        QStringList list{QStringLiteral("--data-dir"), data};
        for (const char *a : args)
            list.append(QString::fromUtf8(a));
        return run(list);
    }

    testsupport::TempFolders folders;
    QStringList env;
    QString data;
};

TEST_F(LogsCommands, ItemsByKeyword)
{
    const testsupport::CliResult all = tool({"exercise", "items"});
    ASSERT_EQ(all.exitCode, 0);
    EXPECT_GE(all.out.count(QLatin1Char('\n')), 150);
    EXPECT_TRUE(all.out.startsWith(QStringLiteral("    1\t999.9\t睡眠\n")));
    const testsupport::CliResult some = tool({"exercise", "items", "ラジオ"});
    EXPECT_EQ(some.out, QStringLiteral("  137\t4.5\tラジオ体操\n"));
    EXPECT_EQ(tool({"exercise", "items", "存在しない"}).exitCode, 1);
}

TEST_F(LogsCommands, SetAndShowADay)
{
    // 40-year-old man, 60 kg: 22.3 x 60 / 1440 = 0.929166 kcal per minute at rest; his basal
    // metabolism 1338.05 and the day's 2234.95 lie a little below the half as doubles.
    const testsupport::CliResult set = tool({"exercise", "set", "山田", "2024-01-05", "93:30,1:480", "39:30=150", "36:=100"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    const testsupport::CliResult show = tool({"exercise", "show", "0", "20240105"});
    ASSERT_EQ(show.exitCode, 0) << show.err.toStdString();
    EXPECT_EQ(show.out.toStdString(), QStringLiteral("運動種目\t運動時間\t消費ｴﾈﾙｷﾞｰ\tメ　　モ\n"
                                       "歩く（時速5.6km、速歩き）\t      30\t   119.9\t\n"
                                       "睡眠\t     480\t   401.5\t\n"
                                       "雑巾がけ\t      30\t   150.0\t\n"
                                       "掃除機をかける\t        \t   100.0\t\n"
                                       "運動時間： 9時間 0分 \n"
                                       "運動消費：771.4KC    \n"
                                       "基礎代謝：1338.0KC    \n"
                                       "生活消費：627.2KC\n"
                                       "一日消費：2234.9KC     \n"
                                       "運動目安：週に1～2回、１時間程度の適度な運動をしましょう。\n").toStdString());
    // No entries remove the day.
    ASSERT_EQ(tool({"exercise", "set", "0", "2024-01-05"}).exitCode, 0);
    EXPECT_TRUE(tool({"exercise", "show", "0", "2024-01-05"}).out.contains(QStringLiteral("運動消費：0.0KC")));
}

TEST_F(LogsCommands, EntriesTheDialogWouldRefuse)
{
    struct Case {
        const char *entries;
        const char *message;
    };
    const Case cases[] = {
        {"93:1441", "運動時間は1440分以内で入力して下さい。"},
        {"93:30=1000", "運動消費エネルギーは999.9kcal以内で入力して下さい。"},
        {"93:30=0.5", "at least 1 kcal"},
        {"93:0", "at least 1"},
        {"basal,basal:1200", "基礎代謝量は入力済みです。"},
        {"9999:30", "no item 9999"},
        {"93", "is not ITEM:MINUTES"},
    };
    for (const Case &c : cases) {
        const testsupport::CliResult r = tool({"exercise", "set", "0", "2024-01-05", c.entries});
        EXPECT_EQ(r.exitCode, 1) << c.entries;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << c.entries << ": " << r.err.toStdString();
    }
    QStringList thirtyOne{QStringLiteral("--data-dir"), data, QStringLiteral("exercise"), QStringLiteral("set"),
                          QStringLiteral("0"), QStringLiteral("2024-01-05")};
    for (int i = 0; i < 31; ++i)
        thirtyOne.append(QStringLiteral("93:10"));
    const testsupport::CliResult full = run(thirtyOne);
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(full.err.contains(QStringLiteral("運動種目の数は３０件までです。")));
    thirtyOne.removeLast();
    EXPECT_EQ(run(thirtyOne).exitCode, 0);
    EXPECT_TRUE(tool({"exercise", "show", "0", "2024-01-05"}).out.contains(QStringLiteral("運動時間： 5時間 0分")));
}

TEST_F(LogsCommands, WeightsWithMemos)
{
    ASSERT_EQ(tool({"weight", "add", "0", "2024-01-10", "61.5", "--body-fat", "20", "--memo", "朝食前"}).exitCode, 0);
    ASSERT_EQ(tool({"weight", "add", "0", "2024-02-01", "61.0"}).exitCode, 0);
    EXPECT_EQ(tool({"weight", "list", "0"}).out,
              QStringLiteral("2024-01-01\t60.0\t-\t\n2024-01-10\t61.5\t20.0\t朝食前\n2024-02-01\t61.0\t-\t\n"));
    EXPECT_EQ(tool({"weight", "list", "山田", "2024-01"}).out, QStringLiteral("2024-01-01\t60.0\t-\t\n2024-01-10\t61.5\t20.0\t朝食前\n"));
    const testsupport::CliResult heavy = tool({"weight", "add", "0", "2024-01-11", "200.1"});
    EXPECT_EQ(heavy.exitCode, 1);
    EXPECT_TRUE(heavy.err.contains(QStringLiteral("体重は0.1～200.0kgの間で入力してください。")));

    ASSERT_EQ(tool({"weight", "delete", "0", "2024-01-10"}).exitCode, 0);
    EXPECT_EQ(tool({"memo", "get", "0", "WM", "2024-01-10"}).exitCode, 1);  // the memo went with it
    EXPECT_EQ(tool({"weight", "delete", "0", "2024-01-10"}).exitCode, 1);
    ASSERT_EQ(tool({"weight", "delete", "0", "2024-01-01"}).exitCode, 0);
    const testsupport::CliResult last = tool({"weight", "delete", "0", "2024-02-01"});
    EXPECT_EQ(last.exitCode, 1);
    EXPECT_TRUE(last.err.contains(QStringLiteral("体重データは最低でも１件は必要です。")));
}

}  // namespace
