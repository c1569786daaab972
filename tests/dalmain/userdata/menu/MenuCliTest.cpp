// dalmora menu and dalmora memo, run as a user runs them, on a small food table.

#include "dalmain/master/FoodTable.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/MemoFile.h"

#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace dalmain;
using testsupport::CliResult;
using testsupport::readFile;

namespace {

FoodRecord foodRecord(quint32 number, int group, const char *name, double kcal, double wasteRatio)
{
    FoodRecord f;
    f.number = number;
    f.group = group;
    f.name = quenkit::toSjis(QString::fromUtf8(name));
    f.nutrients[EnergyKcal] = kcal;
    f.nutrients[Protein] = kcal / 100;
    f.wasteRatio = wasteRatio;
    return f;
}

class MenuCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QList<FoodRecord> foods = {
            foodRecord(12, 1, "こめ 精白米", 350, 0),
            foodRecord(300, 6, "だいこん 根 生", 50, 20),
            foodRecord(1500, 12, "鶏卵 全卵 生", 150, 15),
        };
        QString error;
        ASSERT_EQ(writeFoodTable(m_folders.dataFile(QStringLiteral("食品.FDB")), foods, nullptr, &error), 1)
            << error.toStdString();
        ASSERT_EQ(run({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
        const CliResult r = run({QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("--name"),
                                 QStringLiteral("山田花子"), QStringLiteral("--reading"), QStringLiteral("ﾊﾅｺ"),
                                 QStringLiteral("--age"), QStringLiteral("30"), QStringLiteral("--sex"),
                                 QStringLiteral("female"), QStringLiteral("--height"), QStringLiteral("158"),
                                 QStringLiteral("--activity"), QStringLiteral("1"), QStringLiteral("--weight"),
                                 QStringLiteral("52.5")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    CliResult run(const QStringList &args)
    {
        return testsupport::runCli(QStringList{QStringLiteral("--config-dir"), m_folders.configDir(),
                                               QStringLiteral("--data-dir"), m_folders.dataDir()}
                                   + args);
    }
    CliResult menu(const QStringList &args) { return run(QStringList{QStringLiteral("menu")} + args); }
    CliResult memo(const QStringList &args) { return run(QStringList{QStringLiteral("memo")} + args); }

    QByteArray menuFile() const { return readFile(m_folders.dataFile(QStringLiteral("0.MEM"))); }
    DayMenu day(int record) const
    {
        DayMenu d;
        EXPECT_EQ(ReadDayMenu(0, record, d), 1);
        return d;
    }

    testsupport::TempFolders m_folders;
};

}  // namespace

TEST_F(MenuCliTest, SetSavesTheDayAsTheScreenDoesAndShowAndDaysReadItBack)
{
    CliResult r = menu({"set", "山田花子", "2024-03-15", "breakfast", "12:120.5,300:100"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("saved 2024-03-15 as a new day (record 1)\n"));
    r = menu({"set", "0", "20240315", "夕", "12:80,1500:50", "--dish", "親子丼"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("saved 2024-03-15 (record 1)\n"));

    const DayMenu d = day(1);
    EXPECT_EQ(d.entries[Breakfast][0], (DayMenuEntry{12, 1205}));
    EXPECT_EQ(d.entries[Breakfast][1], (DayMenuEntry{300, 1000}));
    EXPECT_EQ(d.entries[Dinner][0].food, kDishHeader);
    EXPECT_EQ(d.dishName(0), quenkit::toSjis(u"親子丼"));
    EXPECT_EQ(d.foodCounts, (std::array<quint16, 5>{2, 0, 2, 0, 3}));
    // Waste ratio on (the default): the radish counts 80 of its 100 g.
    EXPECT_DOUBLE_EQ(d.totals[Breakfast][EnergyKcal], 421.75 + 40);
    EXPECT_DOUBLE_EQ(d.totals[Dinner][EnergyKcal], 280 + 63.75);
    EXPECT_DOUBLE_EQ(d.totals[kDayRow][EnergyKcal], 421.75 + 40 + 280 + 63.75);
    EXPECT_DOUBLE_EQ(d.groupsByShare[kDayRow][5], 80);
    EXPECT_DOUBLE_EQ(d.groupsAsEntered[kDayRow][5], 100);
    EXPECT_DOUBLE_EQ(d.groupsAsEntered[kDayRow][0], 200.5);

    r = menu({"show", "0", "2024-03-15"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    for (const char *line : {"2024-03-15 (record 1)", "朝食", "  12\tこめ 精白米\t120.5 g", "  300\tだいこん 根 生\t100.0 g",
                             "夕食", "  [親子丼]", "    1500\t鶏卵 全卵 生\t50.0 g", "日:  3 朝:  2 昼:  0",
                             "夕:  2 間:  0 料:  1"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line << "\n" << r.out.toStdString();

    ASSERT_EQ(menu({"set", "0", "2024-02-29", "snack", "1500:10"}).exitCode, 0);
    ASSERT_EQ(menu({"set", "0", "2023-12-31", "lunch", "12:10"}).exitCode, 0);
    r = menu({"days", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("2023-12-31\trecord 3\t1 food\n"
                                    "2024-02-29\trecord 2\t1 food\n"
                                    "2024-03-15\trecord 1\t3 foods\n"));
    EXPECT_EQ(menu({"days", "0", "2024"}).out.count(QLatin1Char('\n')), 2);
    EXPECT_EQ(menu({"days", "0", "202403"}).out, QStringLiteral("2024-03-15\trecord 1\t3 foods\n"));
    EXPECT_EQ(menu({"days", "0", "202404"}).exitCode, 1);
}

TEST_F(MenuCliTest, WithTheWasteRatioOffAmountsCountWhole)
{
    ASSERT_EQ(run({"settings", "set", "Dalmora System", "SystemSet1", "0"}).exitCode, 0);
    ASSERT_EQ(menu({"set", "0", "2024-03-15", "lunch", "300:100"}).exitCode, 0);
    const DayMenu d = day(1);
    EXPECT_DOUBLE_EQ(d.totals[Lunch][EnergyKcal], 50);
    EXPECT_DOUBLE_EQ(d.groupsByShare[Lunch][5], 100);
}

TEST_F(MenuCliTest, EmptyingEveryMealRemovesTheDay)
{
    ASSERT_EQ(menu({"set", "0", "2024-03-15", "breakfast", "12:100"}).exitCode, 0);
    ASSERT_EQ(menu({"set", "0", "2024-03-15", "lunch", "12:100"}).exitCode, 0);
    ASSERT_EQ(menu({"set", "0", "2024-03-16", "lunch", "12:100"}).exitCode, 0);
    EXPECT_EQ(menu({"set", "0", "2024-03-15", "breakfast", ""}).out, QStringLiteral("saved 2024-03-15 (record 1)\n"));
    EXPECT_EQ(menu({"set", "0", "2024-03-15", "lunch", ""}).out, QStringLiteral("removed 2024-03-15: no meal is left\n"));
    EXPECT_EQ(menuFile().size(), 6259);
    EXPECT_EQ(day(1).dateKey, QByteArray("20240316"));
    EXPECT_EQ(menu({"show", "0", "2024-03-15"}).exitCode, 1);
    EXPECT_EQ(menu({"set", "0", "2024-03-15", "lunch", ""}).out,
              QStringLiteral("2024-03-15 has no meals; nothing to save\n"));
}

TEST_F(MenuCliTest, BadArgumentsChangeNothing)
{
    ASSERT_EQ(menu({"set", "0", "2024-03-15", "breakfast", "12:100"}).exitCode, 0);
    const QByteArray before = menuFile();
    struct Case {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{"set", "0", "2024-02-30", "lunch", "12:1"}, 2},
        {{"set", "0", "2024-03-15", "brunch", "12:1"}, 2},
        {{"set", "0", "2024-03-15", "lunch", "12"}, 2},
        {{"set", "0", "2024-03-15", "lunch", "12:abc"}, 2},
        {{"set", "0", "2024-03-15", "lunch", "0:10"}, 2},
        {{"set", "0", "2024-03-15", "lunch", "12:6553.6"}, 2},
        {{"set", "0", "2024-03-15", "lunch", "12:-1"}, 2},
        {{"set", "0", "2024-03-15", "lunch", "", "--dish", "汁"}, 2},
        {{"set", "0", "2024-03-15", "lunch", "12:1", "--colour", "red"}, 2},
        {{"set", "0", "2024-03-15", "lunch"}, 2},
        {{"set", "0", "2024-03-15", "lunch", "12:1,999:5"}, 1},
        {{"set", "7", "2024-03-15", "lunch", "12:1"}, 1},
        {{"set", "鈴木", "2024-03-15", "lunch", "12:1"}, 1},
        {{"days", "0", "2024-3"}, 2},
        {{"show", "0"}, 2},
    };
    for (const Case &c : cases) {
        const CliResult r = menu(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(QLatin1Char(' ')).toStdString() << "\n" << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << c.args.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_EQ(menuFile(), before);
}

TEST_F(MenuCliTest, MemosOfEachKindAreSetReadAndRemoved)
{
    struct Case {
        const char *kind, *key, *storedKey, *file;
    } cases[] = {
        {"MM", "2024-03-15", "20240315", "MM0.DAT"},
        {"WM", "20240316", "20240316", "WM0.DAT"},
        {"AM", "20240399", "20240399", "AM0.DAT"},
        {"AM", "99999999", "99999999", "AM0.DAT"},
    };
    for (const Case &c : cases) {
        const QString text = QStringLiteral("外食で %1").arg(QLatin1String(c.kind));
        CliResult r = memo({"set", "山田花子", c.kind, c.key, text});
        ASSERT_EQ(r.exitCode, 0) << c.kind << " " << r.err.toStdString();
        r = memo({"get", "0", c.kind, c.key});
        EXPECT_EQ(r.exitCode, 0) << c.kind;
        EXPECT_EQ(r.out, text + QLatin1Char('\n')) << c.kind;
        QByteArray stored;
        EXPECT_EQ(ReadMemo(QString::fromLatin1(c.file), c.storedKey, stored), 1) << c.kind;
        EXPECT_EQ(stored, quenkit::toSjis(text)) << c.kind;
    }
    EXPECT_EQ(memo({"set", "0", "MM", "2024-03-15"}).exitCode, 0);
    EXPECT_EQ(memo({"get", "0", "MM", "2024-03-15"}).exitCode, 1);
    EXPECT_EQ(memo({"get", "0", "AM", "99999999"}).out, QStringLiteral("外食で AM\n"));

    for (const QStringList &args : {QStringList{"get", "0", "XM", "20240315"}, QStringList{"get", "0", "MM", "20240399"},
                                    QStringList{"set", "0", "AM", "20241399", "x"}, QStringList{"set", "0", "MM"}})
        EXPECT_EQ(memo(args).exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(memo({"get", "5", "MM", "20240315"}).exitCode, 1);
    // A character Shift-JIS cannot hold is refused rather than stored as "?".
    EXPECT_EQ(memo({"set", "0", "MM", "20240315", QStringLiteral("😀")}).exitCode, 1);
    EXPECT_EQ(memo({"get", "0", "MM", "20240315"}).exitCode, 1);
}
