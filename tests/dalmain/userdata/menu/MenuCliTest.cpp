// dalmora menu and dalmora memo, run as a user runs them, on a small food table.

#include "dalmain/master/FoodTable.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/DayMenuSave.h"
#include "dalmain/userdata/MemoFile.h"

#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include <QDate>
#include <QMap>

#include <thread>

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

    QStringList folderArgs() const
    {
        return {QStringLiteral("--config-dir"), m_folders.configDir(), QStringLiteral("--data-dir"), m_folders.dataDir()};
    }
    CliResult run(const QStringList &args) { return testsupport::runCli(folderArgs() + args); }
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

namespace {

QString dayKey(int dayOfYear)
{
    return QDate(2024, 1, 1).addDays(dayOfYear).toString(QStringLiteral("yyyyMMdd"));
}

// The days of a menu file, read from its bytes: date key to the record's bytes, and every key
// in file order.
struct StoredDays {
    QMap<QByteArray, QByteArray> records;
    QList<QByteArray> order;
};

StoredDays storedDays(const QByteArray &file)
{
    StoredDays days;
    for (qsizetype at = 0; at + kDayMenuSize <= file.size(); at += kDayMenuSize) {
        const QByteArray record = file.mid(at, kDayMenuSize);
        days.order.append(record.mid(daymenu::kKeyOffset, kDateKeyLength));
        days.records.insert(days.order.last(), record);
    }
    return days;
}

}  // namespace

// Scripts and the program changing one menu file at once. Without a lock from finding a day to
// writing it, two new days landed on the same record, a removal undid another writer's save and
// rewrote the file without days saved meanwhile, and every writer still reported success.
TEST_F(MenuCliTest, WritersAtOnceKeepEveryChangeAndLoseNoOtherDay)
{
    // Four scripts, and this process as the program would save beside them (writer 4).
    constexpr int kWriters = 4;
    constexpr int kRounds = 6;
    constexpr int kUntouched = 20;
    // Days 0-19 stay as they are; each writer w owns days 100 + 10 w ... to rewrite and
    // 200 + 10 w ... to remove, and appends days 300 + 10 w ... that are not in the file.
    auto save = [](const QString &key, double grams) {
        MenuDay day;
        if (grams > 0)
            day.meals[Breakfast] = {MenuRow::foodRow(12, grams, EntryFood())};
        return SaveDayMenu(nullptr, 0, key.toLatin1(), day, computeDayTotals(day, true), false, true);
    };
    for (int d = 0; d < kUntouched; ++d)
        ASSERT_EQ(save(dayKey(d), 10 + d), DaySaveResult::Appended);
    for (int w = 0; w <= kWriters; ++w) {
        for (int r = 0; r < kRounds; ++r) {
            ASSERT_EQ(save(dayKey(100 + 10 * w + r), 1), DaySaveResult::Appended);
            ASSERT_EQ(save(dayKey(200 + 10 * w + r), 1), DaySaveResult::Appended);
        }
    }
    const StoredDays before = storedDays(menuFile());
    ASSERT_EQ(before.order.size(), kUntouched + 2 * (kWriters + 1) * kRounds);
    // The cache of this process holds the keys now; the writers below change the file behind it.
    ASSERT_EQ(dayMenuDates(0), before.order);

    QList<QList<QStringList>> workers(kWriters);
    QMap<QByteArray, quint16> expectedBreakfast;  // day -> amount in tenths of its one food
    QList<QByteArray> removed;
    for (int w = 0; w <= kWriters; ++w) {
        for (int r = 0; r < kRounds; ++r) {
            const int tenths = 10 * (w * kRounds + r + 1);
            const QString food = QStringLiteral("12:%1").arg(tenths / 10);
            const QString appended = dayKey(300 + 10 * w + r);
            const QString rewritten = dayKey(100 + 10 * w + r);
            const QString gone = dayKey(200 + 10 * w + r);
            expectedBreakfast.insert(appended.toLatin1(), static_cast<quint16>(tenths));
            expectedBreakfast.insert(rewritten.toLatin1(), static_cast<quint16>(tenths));
            removed.append(gone.toLatin1());
            if (w == kWriters)
                continue;
            workers[w].append(folderArgs() + QStringList{"menu", "set", "0", appended, "breakfast", food});
            workers[w].append(folderArgs() + QStringList{"menu", "set", "0", rewritten, "breakfast", food});
            workers[w].append(folderArgs() + QStringList{"menu", "set", "0", gone, "breakfast", ""});
        }
    }
    // Its keys are in this process's memory from the start, and the scripts change the file
    // behind them.
    QList<DaySaveResult> programResults;
    std::thread program([&] {
        for (int r = 0; r < kRounds; ++r) {
            const double grams = kWriters * kRounds + r + 1;
            programResults.append(save(dayKey(300 + 10 * kWriters + r), grams));
            programResults.append(save(dayKey(100 + 10 * kWriters + r), grams));
            programResults.append(save(dayKey(200 + 10 * kWriters + r), 0));
        }
    });
    const QList<QList<CliResult>> results = testsupport::runCliWorkers(workers);
    program.join();
    for (int r = 0; r < kRounds; ++r) {
        EXPECT_EQ(programResults.value(3 * r), DaySaveResult::Appended) << r;
        EXPECT_EQ(programResults.value(3 * r + 1), DaySaveResult::Rewritten) << r;
        EXPECT_EQ(programResults.value(3 * r + 2), DaySaveResult::Removed) << r;
    }
    for (int w = 0; w < kWriters; ++w) {
        ASSERT_EQ(results[w].size(), workers[w].size());
        for (qsizetype i = 0; i < results[w].size(); ++i)
            EXPECT_EQ(results[w][i].exitCode, 0) << workers[w][i].mid(4).join(u' ').toStdString() << "\n"
                                                 << results[w][i].err.toStdString();
    }

    const QByteArray file = menuFile();
    EXPECT_EQ(file.size() % kDayMenuSize, 0);
    const StoredDays after = storedDays(file);
    EXPECT_EQ(after.records.size(), after.order.size()) << "a date is stored twice";
    for (auto it = expectedBreakfast.cbegin(); it != expectedBreakfast.cend(); ++it) {
        DayMenu d;
        ASSERT_TRUE(after.records.contains(it.key())) << it.key().constData() << " is missing";
        ASSERT_TRUE(decodeDayMenu(after.records.value(it.key()), d));
        EXPECT_EQ(d.entries[Breakfast][0], (DayMenuEntry{12, it.value()})) << it.key().constData();
    }
    for (const QByteArray &key : removed)
        EXPECT_FALSE(after.records.contains(key)) << key.constData() << " came back";
    for (int d = 0; d < kUntouched; ++d) {
        const QByteArray key = dayKey(d).toLatin1();
        EXPECT_EQ(after.records.value(key), before.records.value(key)) << key.constData() << " changed or vanished";
    }
    EXPECT_EQ(after.order.size(), kUntouched + 2 * (kWriters + 1) * kRounds);

    // This process's searches see what the other programs wrote.
    EXPECT_EQ(dayMenuDates(0), after.order);
    for (const char *prefix : {"2024", "202401", "20240101", "202410"}) {
        QList<int> expected;
        for (qsizetype r = 0; r < after.order.size(); ++r) {
            if (after.order[r].startsWith(prefix))
                expected.append(static_cast<int>(r + 1));
        }
        EXPECT_EQ(FindDayMenus(0, prefix), expected) << prefix;
    }
}

// Each script sets its own meal of the same days. A meal is saved with the day's other meals as
// they were read, so without the lock over the read one script wrote another's meal away.
TEST_F(MenuCliTest, ScriptsSettingOtherMealsOfOneDayKeepEachMeal)
{
    constexpr int kDays = 6;
    const char *meals[] = {"breakfast", "lunch", "dinner", "snack"};
    QList<QList<QStringList>> workers(4);
    for (int m = 0; m < 4; ++m) {
        for (int d = 0; d < kDays; ++d)
            workers[m].append(folderArgs() + QStringList{"menu", "set", "0", dayKey(d), meals[m],
                                                         QStringLiteral("12:%1").arg(10 * (m + 1) + d)});
    }
    const QList<QList<CliResult>> results = testsupport::runCliWorkers(workers);
    for (int m = 0; m < 4; ++m) {
        for (qsizetype i = 0; i < results[m].size(); ++i)
            EXPECT_EQ(results[m][i].exitCode, 0) << results[m][i].err.toStdString();
    }
    const StoredDays after = storedDays(menuFile());
    ASSERT_EQ(after.order.size(), kDays);
    for (int d = 0; d < kDays; ++d) {
        DayMenu day;
        ASSERT_TRUE(decodeDayMenu(after.records.value(dayKey(d).toLatin1()), day));
        for (int m = 0; m < 4; ++m) {
            EXPECT_EQ(day.entries[m][0], (DayMenuEntry{12, static_cast<quint16>(10 * (10 * (m + 1) + d))}))
                << dayKey(d).toStdString() << " " << meals[m];
        }
    }
}
