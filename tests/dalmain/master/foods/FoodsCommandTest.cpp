#include "dalmain/master/FoodTable.h"
#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include "PrintQt.h"

#include <gtest/gtest.h>

using namespace dalmain;
using testsupport::runCli;

namespace {

// A few rows of the main table in the converted layout (58 fields, no header): foods of groups
// 1, 17 and 18, among them the curry foods, and one food of a later edition.
QByteArray mainCsv()
{
    auto row = [](const char *group, const char *number, const char *name, const char *kcal) {
        QByteArray r = QByteArray(group) + ',' + number + ",1," + name + ",0,100," + kcal;
        for (int i = 7; i < 58; ++i)
            r += i == 57 ? ",1.5" : ",1";
        return r + '\n';
    };
    return row("01", "01001", "アマランサス 玄穀", "343") + row("01", "01144", "こむぎ [新しい食品] 例", "100")
           + row("17", "17051", "<調味料類>  (ルウ類) カレールウ", "474") + row("18", "18001", "洋風料理 カレー類 ビーフカレー", "119");
}

}  // namespace

TEST(FoodsCommand, ImportSearchShowIndexAndNumbers)
{
    testsupport::TempFolders folders;
    const QString csv = folders.root() + QStringLiteral("/main.csv");
    ASSERT_TRUE(testsupport::writeFile(csv, mainCsv()));
    const QString table = folders.dataFile(QStringLiteral("食品.FDB"));
    const QString report = folders.root() + QStringLiteral("/report.txt");
    const QStringList data{QStringLiteral("--config-dir"), folders.configDir(), QStringLiteral("--data-dir"), folders.dataDir()};

    testsupport::CliResult r = runCli({"foods", "import-mext", csv, "--out", table, "--report", report});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Foods written: 3"))) << r.out.toStdString();
    const QString reportText = QString::fromUtf8(testsupport::readFile(report));
    EXPECT_TRUE(reportText.contains(QStringLiteral("01144 こむぎ [新しい食品] 例"))) << reportText.toStdString();
    EXPECT_TRUE(QFile::exists(folders.dataFile(QStringLiteral("食品.IDX"))));

    for (const char *key : {"かれー", "ｶﾚｰ", "カレー"}) {
        r = runCli(data + QStringList{"foods", "search", QString::fromUtf8(key)});
        EXPECT_EQ(r.exitCode, 0) << key;
        EXPECT_EQ(r.out, QStringLiteral(" 1833 17051 <調味料類> (ルウ類) カレールウ\n"
                                        " 1867 18001 洋風料理 カレー類 ビーフカレー\n"))
            << key;
    }
    r = runCli(data + QStringList{"foods", "search", "", "--group", "17"});
    EXPECT_EQ(r.out, QStringLiteral(" 1833 17051 <調味料類> (ルウ類) カレールウ\n"));
    r = runCli(data + QStringList{"foods", "search", "", "--nutrient", "0", "--at-most", "343"});
    EXPECT_EQ(r.out.count(QLatin1Char('\n')), 2) << r.out.toStdString();
    r = runCli(data + QStringList{"foods", "search", "ないもの"});
    EXPECT_EQ(r.exitCode, 1);

    r = runCli({"foods", "show", "1", "--table", table});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("食品コード: 01001\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("食品名: アマランサス 玄穀\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral(" 0 エネルギーKC: 343 kcal\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("36 食塩相当量: 1.5 g\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("29 飽和脂肪酸: 0.00 g\n")));   // no fatty-acid table given
    EXPECT_EQ(runCli({"foods", "show", "2", "--table", table}).exitCode, 1);

    r = runCli(data + QStringList{"foods", "next-number"});
    EXPECT_EQ(r.out, QStringLiteral("1868\n"));
    r = runCli(data + QStringList{"foods", "next-number"});
    EXPECT_EQ(r.out, QStringLiteral("1869\n"));   // the counter moved on

    QFile::remove(folders.dataFile(QStringLiteral("食品.IDX")));
    EXPECT_EQ(runCli(data + QStringList{"foods", "show", "1"}).exitCode, 1);
    EXPECT_EQ(runCli(data + QStringList{"foods", "rebuild-index"}).exitCode, 0);
    EXPECT_EQ(runCli(data + QStringList{"foods", "show", "1"}).exitCode, 0);

    const QList<QStringList> usageErrors = {
        {"foods", "import-mext", csv},
        {"foods", "search"},
        {"foods", "search", "x", "--group", "19"},
        {"foods", "search", "x", "--nutrient", "37", "--at-least", "1"},
        {"foods", "search", "x", "--nutrient", "3"},
        {"foods", "show", "one"},
    };
    for (const QStringList &args : usageErrors)
        EXPECT_EQ(runCli(data + args).exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
    // Only a name ending in FDB makes a signed table.
    EXPECT_EQ(runCli({"foods", "import-mext", csv, "--out", folders.dataFile(QStringLiteral("x.DBF"))}).exitCode, 3);
}
