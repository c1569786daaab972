#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/DayMenuSave.h"

#include "quenkit/binrec/BinRecord.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/owner/ScriptedOwner.h"
#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include <QFileInfo>
#include <QLockFile>
#include <QtEndian>

#include <bit>
#include <functional>

#include <gtest/gtest.h>

using namespace dalmain;
using testsupport::readFile;
using testsupport::TempFolders;
using testsupport::writeFile;

namespace {

constexpr int kUser = 3;

EntryFood foodOf(int group, double wasteRatio = 0.0, double energy = 100.0)
{
    EntryFood f;
    f.group = group;
    f.wasteRatio = wasteRatio;
    f.per100g[EnergyKcal] = energy;
    return f;
}

MenuRow food(quint16 number, double grams, int group = 1, double wasteRatio = 0.0, double share = 100.0)
{
    return MenuRow::foodRow(number, grams, foodOf(group, wasteRatio), share);
}

// A day with one food at breakfast: the smallest day that gets a record.
MenuDay oneFood(quint16 number, double grams)
{
    MenuDay day;
    day.meals[Breakfast] = {food(number, grams)};
    return day;
}

class DayMenuFileTest : public ::testing::Test
{
protected:
    QString menuPath() const { return m_folders.dataFile(QStringLiteral("3.MEM")); }
    QByteArray fileBytes() const { return readFile(menuPath()); }

    DaySaveResult save(const char *date, const MenuDay &day, bool wasteOn = true)
    {
        return SaveDayMenu(nullptr, kUser, date, day, computeDayTotals(day, wasteOn), false, wasteOn);
    }

    DayMenu read(int record) const
    {
        DayMenu menu;
        EXPECT_EQ(ReadDayMenu(kUser, record, menu), 1) << record;
        return menu;
    }

    QList<QByteArray> keysInFile() const
    {
        QList<QByteArray> keys;
        for (int r = 1; r <= CountDayMenus(kUser); ++r)
            keys.append(read(r).dateKey);
        return keys;
    }

    TempFolders m_folders;
};

}  // namespace

TEST(DayMenuCodec, FieldsLandAtTheirOffsetsInLittleEndian)
{
    DayMenu m;
    m.dateKey = "20240315";
    m.foodCounts = {1, 2, 3, 4, 0x0102};
    m.entries[Lunch][2] = {0x1234, 1205};
    m.entries[Snack][99] = {kDishHeader, 0};
    m.dishNames[29] = quenkit::sjisField(quenkit::toSjis(u"味噌汁"), kDishNameWidth);
    m.totals[kDayRow][SaltEquivalent] = 2.5;
    m.groupsByShare[Dinner][17] = 80.0;
    m.groupsAsEntered[kDayRow][17] = 100.0;

    const QByteArray b = encodeDayMenu(m);
    ASSERT_EQ(b.size(), 6259);
    auto u16 = [&](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    auto f64 = [&](int at) { return std::bit_cast<double>(qFromLittleEndian<quint64>(b.constData() + at)); };
    EXPECT_EQ(b.left(9), QByteArray("B20240315"));
    EXPECT_EQ(u16(9 + 4 * 2), 0x0102);
    EXPECT_EQ(static_cast<unsigned char>(b[17]), 0x02);  // low byte first
    EXPECT_EQ(u16(19 + 400 * 1 + 2 * 4), 0x1234);
    EXPECT_EQ(u16(19 + 400 * 1 + 2 * 4 + 2), 1205);
    EXPECT_EQ(u16(19 + 400 * 3 + 99 * 4), 0xFFFF);
    EXPECT_EQ(b.mid(1619 + 29 * 40, 40), quenkit::toSjis(u"味噌汁") + QByteArray(34, ' '));
    EXPECT_EQ(b.mid(1619, 40), QByteArray(40, '\0'));  // unused dish slots stay zero
    EXPECT_EQ(f64(2819 + 4 * 400 + 36 * 8), 2.5);
    EXPECT_EQ(b.mid(2819 + 4 * 400 + 296, 104), QByteArray(104, '\0'));
    EXPECT_EQ(f64(4819 + (2 * 18 + 17) * 8), 80.0);
    EXPECT_EQ(f64(5539 + (4 * 18 + 17) * 8), 100.0);

    DayMenu back;
    ASSERT_TRUE(decodeDayMenu(b, back));
    EXPECT_EQ(back, m);
    EXPECT_EQ(back.dishName(29), quenkit::toSjis(u"味噌汁"));
    EXPECT_FALSE(decodeDayMenu(b.left(6258), back));
}

TEST_F(DayMenuFileTest, NewDayIsAppendedAndASecondSaveRewritesItInPlace)
{
    ASSERT_EQ(save("20240315", oneFood(12, 120.5)), DaySaveResult::Appended);
    ASSERT_EQ(fileBytes().size(), 6259);
    DayMenu d = read(1);
    EXPECT_EQ(d.dateKey, QByteArray("20240315"));
    EXPECT_EQ(d.entries[Breakfast][0], (DayMenuEntry{12, 1205}));
    EXPECT_EQ(d.entries[Breakfast][1], (DayMenuEntry{}));
    EXPECT_EQ(d.foodCounts, (std::array<quint16, 5>{1, 0, 0, 0, 1}));

    ASSERT_EQ(save("20240316", oneFood(40, 10.0)), DaySaveResult::Appended);
    const QByteArray second = fileBytes().mid(6259);

    MenuDay changed = oneFood(12, 99.9);
    changed.meals[Snack] = {food(7, 0.05)};
    int record = 0;
    EXPECT_EQ(SaveDayMenu(nullptr, kUser, "20240315", changed, computeDayTotals(changed, true), false, true, &record),
              DaySaveResult::Rewritten);
    EXPECT_EQ(record, 1);
    EXPECT_EQ(fileBytes().size(), 2 * 6259);
    EXPECT_EQ(fileBytes().mid(6259), second);
    d = read(1);
    EXPECT_EQ(d.entries[Breakfast][0], (DayMenuEntry{12, 999}));
    EXPECT_EQ(d.entries[Snack][0], (DayMenuEntry{7, 0}));  // tenths are truncated, not rounded
    EXPECT_EQ(d.foodCounts, (std::array<quint16, 5>{1, 0, 0, 1, 2}));
}

TEST_F(DayMenuFileTest, EmptiedDayLeavesTheFileAndLaterDaysMoveUp)
{
    for (const char *date : {"20240301", "20240302", "20240303"})
        ASSERT_EQ(save(date, oneFood(1, 10)), DaySaveResult::Appended);
    const QByteArray third = fileBytes().mid(2 * 6259);

    EXPECT_EQ(save("20240302", MenuDay()), DaySaveResult::Removed);
    EXPECT_EQ(keysInFile(), (QList<QByteArray>{"20240301", "20240303"}));
    EXPECT_EQ(fileBytes().mid(6259), third);

    const QByteArray before = fileBytes();
    EXPECT_EQ(save("20240309", MenuDay()), DaySaveResult::NothingToSave);
    EXPECT_EQ(fileBytes(), before);

    // A removal that cannot replace the file loses nothing.
    quenkit::setReplaceFileFailureHook([](const QString &) { return true; });
    EXPECT_EQ(save("20240301", MenuDay()), DaySaveResult::Failed);
    quenkit::setReplaceFileFailureHook({});
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(DayMenuFileTest, FoodCountsAreDistinctPerMealAndOverTheDay)
{
    struct Case {
        const char *what;
        std::array<QList<quint16>, 4> meals;  // 0 stands for a dish header
        std::array<quint16, 5> counts;
    } cases[] = {
        {"same food at breakfast and dinner", {{{5}, {}, {5}, {}}}, {1, 0, 1, 0, 1}},
        {"same food twice in one meal", {{{5, 5, 6}, {}, {}, {}}}, {2, 0, 0, 0, 2}},
        {"dish headers are not foods", {{{0, 5, 0, 6}, {0}, {}, {}}}, {2, 0, 0, 0, 2}},
        {"every meal", {{{1, 2}, {2, 3}, {3, 4}, {4, 1}}}, {2, 2, 2, 2, 4}},
    };
    for (const Case &c : cases) {
        MenuDay day;
        for (int m = 0; m < 4; ++m) {
            for (quint16 n : c.meals[m])
                day.meals[m].append(n == 0 ? MenuRow::dishRow(QStringLiteral("料理")) : food(n, 10));
        }
        DayMenu out;
        ASSERT_TRUE(buildDayMenu("20240101", day, {}, true, out)) << c.what;
        EXPECT_EQ(out.foodCounts, c.counts) << c.what;
    }
}

TEST_F(DayMenuFileTest, DishNamesFillTheDaysSlotsInHeaderOrder)
{
    MenuDay day;
    day.meals[Breakfast] = {food(1, 50)};
    day.meals[Lunch] = {MenuRow::dishRow(QStringLiteral("カレーライス")), food(2, 30), food(3, 20),
                        MenuRow::dishRow(QStringLiteral("サラダ")), food(4, 40)};
    // 20 double-byte characters fill the slot's 40 bytes exactly.
    const QString longName = QString(20, QChar(u'煮'));
    day.meals[Dinner] = {MenuRow::dishRow(longName), food(5, 100)};
    ASSERT_EQ(save("20240401", day), DaySaveResult::Appended);

    const DayMenu d = read(1);
    EXPECT_EQ(d.dishName(0), quenkit::toSjis(u"カレーライス"));
    EXPECT_EQ(d.dishName(1), quenkit::toSjis(u"サラダ"));
    EXPECT_EQ(d.dishName(2), quenkit::toSjis(QString(20, QChar(u'煮'))));
    EXPECT_TRUE(d.dishNames[3].isEmpty());
    const QList<quint16> lunch = {d.entries[Lunch][0].food, d.entries[Lunch][1].food, d.entries[Lunch][2].food,
                                  d.entries[Lunch][3].food, d.entries[Lunch][4].food, d.entries[Lunch][5].food};
    EXPECT_EQ(lunch, (QList<quint16>{kDishHeader, 2, 3, kDishHeader, 4, kEmptySlot}));
    EXPECT_EQ(d.entries[Dinner][0].food, kDishHeader);
}

TEST_F(DayMenuFileTest, GroupAmountsByShareAndAsEntered)
{
    struct Case {
        const char *what;
        double grams, waste, share;
        int group;
        bool wasteOn;
        double byShare, asEntered;
    } cases[] = {
        {"waste 20 %, share 100, option on", 100, 20, 100, 6, true, 80, 100},
        {"waste 20 %, share 100, option off", 100, 20, 100, 6, false, 100, 100},
        {"waste 20 %, share 50, option on", 100, 20, 50, 6, true, 40, 100},
        {"no waste, option on", 100, 0, 100, 6, true, 100, 100},
        {"group 18", 12.5, 0, 100, 18, true, 12.5, 12.5},
    };
    for (const Case &c : cases) {
        MenuDay day;
        day.meals[Dinner] = {food(9, c.grams, c.group, c.waste, c.share)};
        day.meals[Snack] = {food(9, c.grams, c.group, c.waste, c.share)};
        DayMenu out;
        ASSERT_TRUE(buildDayMenu("20240101", day, {}, c.wasteOn, out)) << c.what;
        const int g = c.group - 1;
        EXPECT_DOUBLE_EQ(out.groupsByShare[Dinner][g], c.byShare) << c.what;
        EXPECT_DOUBLE_EQ(out.groupsAsEntered[Dinner][g], c.asEntered) << c.what;
        EXPECT_DOUBLE_EQ(out.groupsByShare[kDayRow][g], 2 * c.byShare) << c.what;
        EXPECT_DOUBLE_EQ(out.groupsAsEntered[kDayRow][g], 2 * c.asEntered) << c.what;
        EXPECT_EQ(out.groupsByShare[Breakfast], GroupAmounts{}) << c.what;
    }
    // A food whose group is not known (not in the table) adds to no group.
    MenuDay unknown;
    unknown.meals[Lunch] = {food(9, 100, 0)};
    DayMenu out;
    ASSERT_TRUE(buildDayMenu("20240101", unknown, {}, true, out));
    EXPECT_EQ(out.groupsAsEntered[kDayRow], GroupAmounts{});
}

TEST_F(DayMenuFileTest, AStoredDayLoadsAsItsRowsAndSavesAsTheSameRecord)
{
    MenuDay day;
    day.meals[Lunch] = {MenuRow::dishRow(QStringLiteral("親子丼")), food(30, 250.3, 1, 0), food(1500, 55.5, 12, 15),
                        food(700, 0.1, 6, 10)};
    day.meals[Dinner] = {food(30, 120.0, 1, 0), MenuRow::dishRow(QStringLiteral("豚汁")), food(1300, 40, 11, 0)};
    ASSERT_EQ(save("20240601", day), DaySaveResult::Appended);
    const DayMenu stored = read(1);

    // The food table as the loader sees it: the data each row was saved with.
    const FoodLookup lookup = [&](quint16 number) {
        for (const auto &rows : day.meals) {
            for (const MenuRow &row : rows) {
                if (row.kind == MenuRow::Kind::Food && row.food == number)
                    return row.data;
            }
        }
        return EntryFood();
    };
    const MenuDay loaded = loadMenuDay(stored, lookup);
    ASSERT_EQ(loaded.meals[Lunch].size(), 4);
    EXPECT_EQ(loaded.meals[Lunch][0].kind, MenuRow::Kind::Dish);
    EXPECT_EQ(loaded.meals[Lunch][0].dishName, QStringLiteral("親子丼"));
    EXPECT_DOUBLE_EQ(loaded.meals[Lunch][1].grams, 250.3);
    EXPECT_EQ(loaded.meals[Dinner][1].dishName, QStringLiteral("豚汁"));
    EXPECT_TRUE(loaded.meals[Breakfast].isEmpty());

    ASSERT_EQ(save("20240601", loaded), DaySaveResult::Rewritten);
    EXPECT_EQ(encodeDayMenu(read(1)), encodeDayMenu(stored));
}

TEST_F(DayMenuFileTest, TotalsAreStoredAsTheCallerComputedThem)
{
    MenuDay day = oneFood(1, 100);
    DayTotals totals{};
    for (int r = 0; r < kMealRows; ++r) {
        for (int n = 0; n < kNutrientCount; ++n)
            totals[r][n] = r * 100 + n + 0.125;
    }
    ASSERT_EQ(SaveDayMenu(nullptr, kUser, "20240501", day, totals, false, true), DaySaveResult::Appended);
    EXPECT_EQ(read(1).totals, totals);
}

TEST_F(DayMenuFileTest, MonthAndYearPrefixesFindTheirDaysInFileOrder)
{
    for (const char *date : {"20240301", "20240215", "20240302", "20250301", "20240331", "20230301"})
        ASSERT_EQ(save(date, oneFood(1, 10)), DaySaveResult::Appended);

    struct Case {
        const char *key;
        QList<int> records;
    } cases[] = {
        {"202403", {1, 3, 5}}, {"2024", {1, 2, 3, 5}}, {"20250301", {4}}, {"202404", {}}, {"2", {1, 2, 3, 4, 5, 6}},
    };
    for (const Case &c : cases) {
        QList<int> walked;
        for (int r = FindDayMenu(kUser, c.key, 1); r > 0; r = FindDayMenu(kUser, c.key, r + 1))
            walked.append(r);
        EXPECT_EQ(walked, c.records) << c.key;
        EXPECT_EQ(FindDayMenus(kUser, c.key), c.records) << c.key;
    }
    EXPECT_EQ(dayMenuDates(kUser),
              (QList<QByteArray>{"20240301", "20240215", "20240302", "20250301", "20240331", "20230301"}));
    EXPECT_EQ(FindDayMenu(kUser, "", 1), 0);
    EXPECT_EQ(FindDayMenu(kUser, "202403011", 1), 0);
    EXPECT_EQ(FindDayMenu(kUser, "202403", 0), 0);
}

TEST_F(DayMenuFileTest, FindAgreesWithTheFixedRecordSearch)
{
    for (const char *date : {"20240301", "20240215", "20240302", "20240331"})
        ASSERT_EQ(save(date, oneFood(1, 10)), DaySaveResult::Appended);
    // A torn tail that starts like a matching record must be ignored by both.
    QByteArray bytes = fileBytes();
    bytes.append(bytes.left(100));
    ASSERT_TRUE(writeFile(menuPath(), bytes));

    for (const char *key : {"20240301", "202403", "2024", "202402", "2023"}) {
        for (int first = 0; first <= 6; ++first) {
            EXPECT_EQ(FindDayMenu(kUser, key, first),
                      quenkit::SearchBINRecord(kDayMenuSize, 1, first, QStringLiteral("3.MEM"), QByteArray(key)))
                << key << " from " << first;
        }
    }
}

TEST_F(DayMenuFileTest, TornTailKeepsWholeRecordsAndTheNextSaveReplacesIt)
{
    ASSERT_EQ(save("20240301", oneFood(1, 10)), DaySaveResult::Appended);
    ASSERT_EQ(save("20240302", oneFood(2, 20)), DaySaveResult::Appended);
    const QByteArray whole = fileBytes();
    // A save of a third day that stopped after 3,000 bytes.
    ASSERT_TRUE(writeFile(menuPath(), whole + encodeDayMenu(read(1)).left(3000)));

    EXPECT_EQ(CountDayMenus(kUser), 2);
    DayMenu d;
    EXPECT_EQ(ReadDayMenu(kUser, 3, d), 0);
    DayMenuReader reader(kUser);
    EXPECT_EQ(reader.count(), 2);
    EXPECT_FALSE(reader.read(3, d));
    EXPECT_TRUE(reader.read(2, d));
    EXPECT_TRUE(reader.read(1, d));
    EXPECT_EQ(d.dateKey, QByteArray("20240301"));
    EXPECT_EQ(read(2).entries[Breakfast][0], (DayMenuEntry{2, 200}));
    EXPECT_EQ(FindDayMenus(kUser, "202403"), (QList<int>{1, 2}));
    EXPECT_EQ(dayMenuDates(kUser), (QList<QByteArray>{"20240301", "20240302"}));

    ASSERT_EQ(save("20240303", oneFood(3, 30)), DaySaveResult::Appended);
    EXPECT_EQ(fileBytes().size(), 3 * 6259);
    EXPECT_EQ(fileBytes().left(2 * 6259), whole);
    EXPECT_EQ(keysInFile(), (QList<QByteArray>{"20240301", "20240302", "20240303"}));
}

TEST_F(DayMenuFileTest, DaysThatDoNotFitARecordAreRefusedAndWriteNothing)
{
    auto rows = [](int n) {
        QList<MenuRow> out;
        for (int i = 0; i < n; ++i)
            out.append(food(static_cast<quint16>(i + 1), 1));
        return out;
    };
    auto at = [](int meal, QList<MenuRow> r) {
        MenuDay day;
        day.meals[meal] = std::move(r);
        return day;
    };
    struct Case {
        const char *what;
        const char *date;
        MenuDay day;
        bool valid;
    } cases[] = {
        {"100 rows", "20240101", at(Breakfast, rows(100)), true},
        {"101 rows", "20240101", at(Lunch, rows(101)), false},
        {"6553.5 g", "20240101", at(Dinner, {food(1, 6553.5)}), true},
        {"6553.6 g", "20240101", at(Dinner, {food(1, 6553.6)}), false},
        {"negative amount", "20240101", at(Snack, {food(1, -1)}), false},
        {"food number 0", "20240101", at(Snack, {food(0, 1)}), false},
        {"food number 65535", "20240101", at(Snack, {food(65535, 1)}), false},
        {"date of 7 digits", "2024010", at(Breakfast, {food(1, 1)}), false},
        {"date with slashes", "2024/1/1", at(Breakfast, {food(1, 1)}), false},
        // 20 double-byte characters fill the name's 40 bytes; one more byte would be cut off.
        {"dish name of 40 bytes", "20240101",
         at(Lunch, {MenuRow::dishRow(QString(20, QChar(u'鍋'))), food(1, 1)}), true},
        {"dish name of 41 bytes", "20240101",
         at(Lunch, {MenuRow::dishRow(QString(20, QChar(u'鍋')) + QLatin1Char('a')), food(1, 1)}), false},
        {"dish name Shift-JIS cannot hold", "20240101",
         at(Lunch, {MenuRow::dishRow(QStringLiteral("🍙おにぎり")), food(1, 1)}), false},
    };
    for (const Case &c : cases) {
        DayMenu out;
        QString error;
        EXPECT_EQ(buildDayMenu(c.date, c.day, {}, true, out, &error), c.valid) << c.what;
        EXPECT_EQ(error.isEmpty(), c.valid) << c.what;
        if (!c.valid) {
            EXPECT_EQ(save(c.date, c.day), DaySaveResult::Invalid) << c.what;
            EXPECT_FALSE(QFileInfo::exists(menuPath())) << c.what;
        }
    }
    MenuDay dishes;
    for (int i = 0; i < 31; ++i)
        dishes.meals[i % 4].append(MenuRow::dishRow(QStringLiteral("料理%1").arg(i)));
    DayMenu out;
    EXPECT_FALSE(buildDayMenu("20240101", dishes, {}, true, out));
    dishes.meals[2].removeLast();
    EXPECT_TRUE(buildDayMenu("20240101", dishes, {}, true, out));
    // Slots follow the meals, not the order the dishes were named in.
    EXPECT_EQ(out.dishName(8), quenkit::toSjis(u"料理1"));
    EXPECT_EQ(out.dishName(29), quenkit::toSjis(u"料理27"));
}

TEST_F(DayMenuFileTest, AskingFirstLetsTheUserDecline)
{
    quenkit::ScriptedOwner owner;
    owner.queueAnswer(quenkit::Answer::Cancel);
    const MenuDay day = oneFood(1, 10);
    EXPECT_EQ(SaveDayMenu(&owner, kUser, "20240101", day, {}, true, true), DaySaveResult::Cancelled);
    EXPECT_EQ(CountDayMenus(kUser), 0);
    ASSERT_EQ(owner.messages().size(), 1);
    const quenkit::Message &m = owner.messages()[0];
    EXPECT_EQ(m.caption, QStringLiteral("献立の保存"));
    EXPECT_EQ(m.text, QStringLiteral("編集中の献立を保存します。\nよろしいですか？"));
    EXPECT_EQ(m.buttons, quenkit::Buttons::OkCancel);
    EXPECT_EQ(m.icon, quenkit::Icon::Information);

    owner.queueAnswer(quenkit::Answer::Ok);
    EXPECT_EQ(SaveDayMenu(&owner, kUser, "20240101", day, {}, true, true), DaySaveResult::Appended);
    // Removing an emptied day asks nothing.
    EXPECT_EQ(SaveDayMenu(&owner, kUser, "20240101", MenuDay(), {}, true, true), DaySaveResult::Removed);
    EXPECT_EQ(owner.messages().size(), 2);
}

TEST_F(DayMenuFileTest, MissingFileReadsAsNoDaysAndTheFirstSaveCreatesIt)
{
    EXPECT_EQ(CountDayMenus(kUser), 0);
    EXPECT_EQ(FindDayMenu(kUser, "2024", 1), 0);
    EXPECT_TRUE(FindDayMenus(kUser, "2024").isEmpty());
    DayMenu d;
    EXPECT_EQ(ReadDayMenu(kUser, 1, d), 0);
    EXPECT_EQ(DeleteDayMenu(kUser, 1), 0);

    ASSERT_EQ(save("20240101", oneFood(1, 10)), DaySaveResult::Appended);
    EXPECT_TRUE(QFileInfo::exists(menuPath()));
    // A file created under another spelling of the name is the same file.
    ASSERT_TRUE(QFile::rename(menuPath(), m_folders.dataFile(QStringLiteral("3.mem"))));
    EXPECT_EQ(save("20240101", oneFood(2, 10)), DaySaveResult::Rewritten);
    EXPECT_EQ(CountDayMenus(kUser), 1);
}

TEST_F(DayMenuFileTest, SearchesBetweenSavesAndRemovalsSeeEachChange)
{
    // Each step changes the file; the searches after it must agree with the file's bytes, as
    // a search of a program that never held the keys in memory would.
    const std::function<void()> steps[] = {
        [&] { ASSERT_EQ(save("20240301", oneFood(1, 10)), DaySaveResult::Appended); },
        [&] { ASSERT_EQ(save("20240302", oneFood(1, 10)), DaySaveResult::Appended); },
        [&] { ASSERT_EQ(save("20240215", oneFood(1, 10)), DaySaveResult::Appended); },
        [&] { ASSERT_EQ(save("20240302", oneFood(2, 20)), DaySaveResult::Rewritten); },
        [&] { ASSERT_EQ(save("20240301", MenuDay()), DaySaveResult::Removed); },
        [&] { ASSERT_EQ(save("20240303", oneFood(1, 10)), DaySaveResult::Appended); },
        [&] { ASSERT_EQ(DeleteDayMenu(kUser, 3), 1); },
        [&] { ASSERT_TRUE(writeFile(menuPath(), fileBytes() + QByteArray(5000, 'B'))); },
        [&] { ASSERT_EQ(save("20240301", oneFood(1, 10)), DaySaveResult::Appended); },
        [&] { ASSERT_EQ(save("20240215", MenuDay()), DaySaveResult::Removed); },
    };
    int step = 0;
    for (const std::function<void()> &change : steps) {
        change();
        ++step;
        const QByteArray bytes = fileBytes();
        QList<QByteArray> keys;
        for (qsizetype at = 0; at + kDayMenuSize <= bytes.size(); at += kDayMenuSize)
            keys.append(bytes.mid(at + daymenu::kKeyOffset, kDateKeyLength));
        EXPECT_EQ(dayMenuDates(kUser), keys) << "after step " << step;
        for (const char *prefix : {"2024", "202403", "20240302", "20240215"}) {
            QList<int> expected;
            for (qsizetype r = 0; r < keys.size(); ++r) {
                if (keys[r].startsWith(prefix))
                    expected.append(static_cast<int>(r + 1));
            }
            EXPECT_EQ(FindDayMenus(kUser, prefix), expected) << prefix << " after step " << step;
            EXPECT_EQ(FindDayMenu(kUser, prefix, 1), expected.value(0)) << prefix << " after step " << step;
        }
    }
    EXPECT_EQ(keysInFile(), (QList<QByteArray>{"20240302", "20240301"}));
}

TEST_F(DayMenuFileTest, ARemovalByRecordNumberChecksTheDayItWasFoundFor)
{
    for (const char *date : {"20240301", "20240302", "20240303"})
        ASSERT_EQ(save(date, oneFood(1, 10)), DaySaveResult::Appended);
    const QByteArray before = fileBytes();
    struct Case {
        int record;
        const char *dateKey;
        int result;
    } cases[] = {
        {3, "20240302", 0},  // found as record 3 before another writer removed a day ahead of it
        {2, "202403", 0},    // a month is not the day
        {4, "20240303", 0},
        {0, "", 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(DeleteDayMenu(kUser, c.record, c.dateKey), c.result) << c.record << " " << c.dateKey;
        EXPECT_EQ(fileBytes(), before) << c.record << " " << c.dateKey;
    }
    EXPECT_EQ(DeleteDayMenu(kUser, 2, "20240302"), 1);
    EXPECT_EQ(keysInFile(), (QList<QByteArray>{"20240301", "20240303"}));
    EXPECT_EQ(DeleteDayMenu(kUser, 2), 1);
    EXPECT_EQ(keysInFile(), (QList<QByteArray>{"20240301"}));
}

TEST_F(DayMenuFileTest, AFileLockedByAnotherProgramIsLeftAsItIsAndTheSaveFails)
{
    ASSERT_EQ(save("20240301", oneFood(1, 10)), DaySaveResult::Appended);
    ASSERT_EQ(save("20240302", oneFood(1, 10)), DaySaveResult::Appended);
    const QByteArray before = fileBytes();

    const int timeout = quenkit::fileLockTimeout();
    quenkit::setFileLockTimeout(50);
    QLockFile other(quenkit::lockFilePath(menuPath()));
    ASSERT_TRUE(other.tryLock(0));
    struct Case {
        const char *what;
        const char *date;
        MenuDay day;
    } cases[] = {
        {"a new day", "20240303", oneFood(1, 10)},
        {"a stored day", "20240301", oneFood(2, 10)},
        {"an emptied day", "20240302", MenuDay()},
    };
    for (const Case &c : cases) {
        int record = -1;
        QString error;
        EXPECT_EQ(SaveDayMenu(nullptr, kUser, c.date, c.day, computeDayTotals(c.day, true), false, true, &record, &error),
                  DaySaveResult::Failed)
            << c.what;
        EXPECT_EQ(record, 0) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        EXPECT_EQ(fileBytes(), before) << c.what;
    }
    EXPECT_EQ(DeleteDayMenu(kUser, 1, "20240301"), 0);
    EXPECT_EQ(DeleteDayMenu(kUser, 1), 0);
    EXPECT_EQ(fileBytes(), before);

    other.unlock();
    quenkit::setFileLockTimeout(timeout);
    EXPECT_EQ(DeleteDayMenu(kUser, 1, "20240301"), 1);
}
