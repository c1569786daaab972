#include "dalmain/master/FoodTable.h"
#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include "PrintQt.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace dalmain;
using testsupport::runCli;

namespace {

// A few rows of the main table in the converted layout (58 fields, no header): foods of groups
// 1, 17 and 18, among them the curry foods, and one food past group 1's standard serials. The
// first food's vitamin D was not analysed.
QByteArray mainCsv()
{
    auto row = [](const char *group, const char *number, const char *name, const char *kcal) {
        QByteArray r = QByteArray(group) + ',' + number + ",1," + name + ",0,100," + kcal;
        for (int i = 7; i < 58; ++i)
            r += i == 57 ? ",1.5" : i == 40 && QByteArray(number) == "01001" ? ",-" : ",1";
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
    EXPECT_TRUE(r.out.contains(QStringLiteral("Foods written: 4 (of 4 rows; 1 numbered 40000 + official number;")))
        << r.out.toStdString();
    const QString reportText = QString::fromUtf8(testsupport::readFile(report));
    EXPECT_TRUE(reportText.contains(QStringLiteral("Foods numbered beyond the standard numbers (40000 + official number): 1\n")))
        << reportText.toStdString();
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
    EXPECT_EQ(r.out.count(QLatin1Char('\n')), 3) << r.out.toStdString();
    r = runCli(data + QStringList{"foods", "search", "ないもの"});
    EXPECT_EQ(r.exitCode, 1);

    r = runCli({"foods", "show", "1", "--table", table});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("食品コード: 01001\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("食品名: アマランサス 玄穀\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral(" 0 エネルギーKC: 343 kcal\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("36 食塩相当量: 1.5 g\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("18 ビタミンＤ: -\n"))) << r.out.toStdString();   // not analysed
    EXPECT_TRUE(r.out.contains(QStringLiteral("29 飽和脂肪酸: -\n")));   // no fatty-acid table given
    EXPECT_TRUE(r.out.contains(QStringLiteral("33 水溶性(食物): -\n")));   // no fibre table given
    EXPECT_EQ(runCli({"foods", "show", "2", "--table", table}).exitCode, 1);
    r = runCli({"foods", "show", "41144", "--table", table});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("食品コード: 01144\n"))) << r.out.toStdString();
    r = runCli(data + QStringList{"foods", "search", "新しい"});
    EXPECT_EQ(r.out, QStringLiteral("41144 01144 こむぎ [新しい食品] 例\n"));

    // The table's largest numbers are official; the user's numbers begin at 1883.
    r = runCli(data + QStringList{"foods", "next-number"});
    EXPECT_EQ(r.out, QStringLiteral("1883\n"));
    r = runCli(data + QStringList{"foods", "next-number"});
    EXPECT_EQ(r.out, QStringLiteral("1884\n"));   // the counter moved on

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

// A data folder of the earlier numbering: standard foods of an older edition and the user's own
// foods from 1883 on. Importing the official table into it keeps the user's foods with their
// numbers, so that menus and dishes naming them still find them.
TEST(FoodsCommand, ImportKeepsTheUsersOwnFoods)
{
    testsupport::TempFolders folders;
    const QString csv = folders.root() + QStringLiteral("/main.csv");
    ASSERT_TRUE(testsupport::writeFile(csv, mainCsv()));
    const QString table = folders.dataFile(QStringLiteral("食品.FDB"));
    const QStringList data{QStringLiteral("--config-dir"), folders.configDir(), QStringLiteral("--data-dir"), folders.dataDir()};

    auto food = [](quint32 number, int group, const char *name, double kcal) {
        FoodRecord f;
        f.number = number;
        f.group = group;
        f.name = quenkit::toSjis(QString::fromUtf8(name));
        f.nutrients[EnergyKcal] = kcal;
        f.setUnknown(VitaminD);
        return f;
    };
    const QList<FoodRecord> earlier = {
        food(1, 1, "アマランサス 旧版", 358), food(1833, 17, "カレールウ 旧版", 512),
        food(1883, 6, "自家製 カレー", 120), food(1890, 1, "自家製 パン", 250),
    };
    QString error;
    ASSERT_EQ(writeFoodTable(table, earlier, nullptr, &error), 1) << error.toStdString();
    ASSERT_EQ(RebuildFoodIndex(nullptr, FoodTableFiles::forTable(table)), 1);

    testsupport::CliResult r = runCli({"foods", "import-mext", csv, "--out", table});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("The user's own foods kept: 2\n"))) << r.out.toStdString();

    QList<FoodRecord> now;
    ASSERT_TRUE(readFoodRecords(table, now));
    QStringList numbers;
    for (const FoodRecord &f : std::as_const(now))
        numbers.append(QString::number(f.number));
    EXPECT_EQ(numbers, (QStringList{"1", "41144", "1833", "1867", "1883", "1890"}));
    EXPECT_EQ(now[0].nutrients[EnergyKcal], 343);   // the official food is the new edition's
    EXPECT_EQ(now[4].toBody(), earlier[2].toBody());   // the user's food as it was, unknowns included
    EXPECT_EQ(now[5].toBody(), earlier[3].toBody());
    EXPECT_EQ(runCli({"foods", "show", "1883", "--table", table}).exitCode, 0);

    // No code twice: the user's food of group 1 follows the official 01144.
    QList<FoodCodeEntry> codes;
    ASSERT_EQ(BuildFoodCodeTable(nullptr, codes, FoodTableFiles::forTable(table)), 1);
    QSet<QByteArray> distinct;
    for (const FoodCodeEntry &e : std::as_const(codes))
        distinct.insert(e.code);
    EXPECT_EQ(distinct.size(), codes.size());
    EXPECT_EQ(codes.last().code, QByteArray("01145"));

    r = runCli(data + QStringList{"foods", "next-number"});
    EXPECT_EQ(r.out, QStringLiteral("1891\n"));

    // A second import finds the same own foods; --replace leaves the official ones only.
    ASSERT_EQ(runCli({"foods", "import-mext", csv, "--out", table}).exitCode, 0);
    ASSERT_TRUE(readFoodRecords(table, now));
    EXPECT_EQ(now.size(), 6);
    ASSERT_EQ(runCli({"foods", "import-mext", csv, "--out", table, "--replace"}).exitCode, 0);
    ASSERT_TRUE(readFoodRecords(table, now));
    EXPECT_EQ(now.size(), 4);

    // A file that is no food table is not overwritten unless asked to.
    const QString other = folders.root() + QStringLiteral("/other.FDB");
    ASSERT_TRUE(testsupport::writeFile(other, "not a table"));
    r = runCli({"foods", "import-mext", csv, "--out", other});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--replace"))) << r.err.toStdString();
    EXPECT_EQ(testsupport::readFile(other), QByteArray("not a table"));
    EXPECT_EQ(runCli({"foods", "import-mext", csv, "--out", other, "--replace"}).exitCode, 0);
}
