// The menu screen's editing model on its own: where rows go in, what folding hides, what the
// counters and the conversion do.

#include "dalmain/screens/menu/MenuDayEdit.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

MenuRow food(quint16 number, double grams = 100.0)
{
    return MenuRow::foodRow(number, grams, EntryFood{});
}

MenuRow dishName(const char *name)
{
    return MenuRow::dishRow(QString::fromUtf8(name));
}

// The rows of a meal as text: "F12" for food 12, "D" for a dish name, "D+" for a folded one.
QStringList layout(const MenuDayEdit &day, int meal = Breakfast)
{
    QStringList out;
    for (const GridRow &r : day.rows(meal))
        out.append(r.isDish() ? (r.folded ? QStringLiteral("D+") : QStringLiteral("D"))
                              : QStringLiteral("F%1").arg(r.row.food));
    return out;
}

// Breakfast: food 1, dish 煮物 (foods 2, 3), dish 汁 (food 4): lines 0-5 and the input line 6. A
// dish's foods run to the next dish name or the end of the meal.
MenuDayEdit sampleDay()
{
    MenuDayEdit day;
    EXPECT_EQ(day.insertRows(Breakfast, 0, {food(1), dishName("煮物"), food(2), food(3), dishName("汁"), food(4)}),
              InsertResult::Inserted);
    return day;
}

}  // namespace

TEST(MenuDayEditTest, TheHundredthRowGoesInAndTheHundredAndFirstIsRefused)
{
    MenuDayEdit day;
    for (int i = 0; i < 99; ++i)
        ASSERT_EQ(day.insertRows(Lunch, i, {food(static_cast<quint16>(i + 1))}), InsertResult::Inserted);
    EXPECT_EQ(day.lineCount(Lunch), 100) << "99 rows and the input line";
    EXPECT_EQ(day.insertRows(Lunch, 99, {food(100)}), InsertResult::Inserted);
    EXPECT_TRUE(day.isFull(Lunch));
    EXPECT_EQ(day.lineCount(Lunch), 100) << "a full meal has no input line";
    EXPECT_EQ(day.insertRows(Lunch, 100, {food(101)}), InsertResult::MealFull);
    EXPECT_EQ(day.insertRows(Lunch, 0, {dishName("汁")}), InsertResult::MealFull);
    EXPECT_EQ(day.rowCount(Lunch), 100);
    // The other meals have room of their own.
    EXPECT_EQ(day.insertRows(Dinner, 0, {food(1)}), InsertResult::Inserted);
}

TEST(MenuDayEditTest, SeveralRowsGoInWholeOrNotAtAll)
{
    MenuDayEdit day;
    for (int i = 0; i < 98; ++i)
        ASSERT_EQ(day.insertRows(Snack, i, {food(1)}), InsertResult::Inserted);
    EXPECT_EQ(day.insertRows(Snack, 98, {dishName("a"), food(2), food(3)}), InsertResult::MealFull);
    EXPECT_EQ(day.rowCount(Snack), 98);
}

TEST(MenuDayEditTest, InsertionPositions)
{
    struct Case {
        const char *what;
        bool foldDish;
        int line;
        QList<MenuRow> rows;
        InsertResult result;
        QStringList after;
    };
    const QStringList unchanged = {"F1", "D", "F2", "F3", "D", "F4"};
    const QList<Case> cases = {
        {"at the top", false, 0, {food(9)}, InsertResult::Inserted, {"F9", "F1", "D", "F2", "F3", "D", "F4"}},
        {"below an open dish name", false, 2, {food(9)}, InsertResult::Inserted,
         {"F1", "D", "F9", "F2", "F3", "D", "F4"}},
        {"between the foods of an open dish", false, 3, {food(9)}, InsertResult::Inserted,
         {"F1", "D", "F2", "F9", "F3", "D", "F4"}},
        {"on the input line", false, 6, {food(9)}, InsertResult::Inserted, {"F1", "D", "F2", "F3", "D", "F4", "F9"}},
        {"below the input line", false, 7, {food(9)}, InsertResult::BadPosition, unchanged},
        {"beyond 100", false, 101, {food(9)}, InsertResult::BadPosition, unchanged},
        // With 煮物 folded the lines are: F1, 煮物, 汁, F4, input.
        {"below a folded dish name", true, 2, {food(9)}, InsertResult::InsideFoldedDish,
         {"F1", "D+", "F2", "F3", "D", "F4"}},
        {"above a folded dish name", true, 1, {food(9)}, InsertResult::Inserted,
         {"F1", "F9", "D+", "F2", "F3", "D", "F4"}},
        {"a dish below a folded dish follows its foods", true, 2, {dishName("b"), food(9)}, InsertResult::Inserted,
         {"F1", "D+", "F2", "F3", "D", "F9", "D", "F4"}},
        {"below the next, open dish name", true, 3, {food(9)}, InsertResult::Inserted,
         {"F1", "D+", "F2", "F3", "D", "F9", "F4"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MenuDayEdit day = sampleDay();
        day.setFolded(Breakfast, 1, c.foldDish);
        EXPECT_EQ(day.insertRows(Breakfast, c.line, c.rows), c.result);
        EXPECT_EQ(layout(day), c.after);
    }
}

TEST(MenuDayEditTest, AFoldedDishAtTheEndRefusesTheInputLine)
{
    MenuDayEdit day;
    ASSERT_EQ(day.insertRows(Breakfast, 0, {dishName("a"), food(2)}), InsertResult::Inserted);
    day.setFolded(Breakfast, 0, true);
    EXPECT_EQ(day.lineCount(Breakfast), 2);
    EXPECT_TRUE(day.foldedAbove(Breakfast, 1));
    EXPECT_EQ(day.insertRows(Breakfast, 1, {food(3)}), InsertResult::InsideFoldedDish);
    // Unfolded, the same place is between (after) the dish's foods.
    day.setFolded(Breakfast, 0, false);
    EXPECT_EQ(day.insertRows(Breakfast, 2, {food(3)}), InsertResult::Inserted);
    EXPECT_EQ(layout(day), (QStringList{"D", "F2", "F3"}));
}

TEST(MenuDayEditTest, FoldingHidesTheDishFoodsFromTheLines)
{
    MenuDayEdit day = sampleDay();
    EXPECT_EQ(day.lineCount(Breakfast), 7);
    day.setFolded(Breakfast, 1, true);
    EXPECT_EQ(day.shownRows(Breakfast), (QList<int>{0, 1, 4, 5}));
    EXPECT_EQ(day.lineCount(Breakfast), 5);
    EXPECT_EQ(day.rowOfLine(Breakfast, 2), 4);
    EXPECT_EQ(day.rowOfLine(Breakfast, 4), -1) << "the input line";
    EXPECT_EQ(day.lineOfRow(Breakfast, 2), -1) << "hidden";
    EXPECT_EQ(day.dishOf(Breakfast, 3), 1);
    EXPECT_EQ(day.dishOf(Breakfast, 5), 4);
    EXPECT_EQ(day.dishOf(Breakfast, 0), -1);
}

TEST(MenuDayEditTest, DeletingAFoldedDishTakesItsFoodsAndAnOpenOneLeavesThem)
{
    MenuDayEdit open = sampleDay();
    open.removeRows(Breakfast, {1});
    EXPECT_EQ(layout(open), (QStringList{"F1", "F2", "F3", "D", "F4"}));

    MenuDayEdit folded = sampleDay();
    folded.setFolded(Breakfast, 1, true);
    folded.removeRows(Breakfast, {1, 4});
    EXPECT_EQ(layout(folded), (QStringList{"F1", "F4"}));
}

TEST(MenuDayEditTest, ThirtyDishNamesADay)
{
    MenuDayEdit day;
    for (int i = 0; i < 30; ++i)
        ASSERT_EQ(day.insertRows(i % kMealCount, 0, {dishName("d")}), InsertResult::Inserted);
    EXPECT_EQ(day.dishNameCount(), 30);
    EXPECT_EQ(day.insertRows(Snack, 0, {dishName("d")}), InsertResult::TooManyDishNames);
    EXPECT_EQ(day.insertRows(Snack, 0, {food(3)}), InsertResult::Inserted) << "foods still go in";
}

TEST(MenuDayEditTest, TheCountersCountDistinctFoods)
{
    MenuDayEdit day = sampleDay();
    ASSERT_EQ(day.insertRows(Breakfast, 0, {food(1)}), InsertResult::Inserted);
    ASSERT_EQ(day.insertRows(Dinner, 0, {food(1), food(7)}), InsertResult::Inserted);
    const std::array<int, kMealRows> expected = {5, 4, 0, 2, 0};
    EXPECT_EQ(day.foodCounters(), expected);
    // The stored day counts the same.
    DayMenu record;
    const MenuDay d = day.menuDay();
    ASSERT_TRUE(buildDayMenu("20240510", d, computeDayTotals(d, false), false, record));
    EXPECT_EQ(record.foodCounts[kDayRow], 5);
    EXPECT_EQ(record.foodCounts[Breakfast], 4);
}

TEST(MenuDayEditTest, ConversionKeepsEveryAmountWithin999Point9)
{
    struct Case {
        double ratio;
        bool accepted;
        double first;
        double second;
    };
    const QList<Case> cases = {
        {2.00, false, 500.0, 400.0},
        {1.99, true, 995.0, 796.0},
        {1.5, true, 750.0, 600.0},
        {0.0, true, 0.0, 0.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.ratio);
        MenuDayEdit day;
        ASSERT_EQ(day.insertRows(Lunch, 0, {food(1, 500.0), food(2, 400.0), food(3, 800.0)}), InsertResult::Inserted);
        EXPECT_EQ(day.scaleRows(Lunch, {0, 1}, c.ratio), c.accepted);
        EXPECT_DOUBLE_EQ(day.rows(Lunch)[0].row.grams, c.first);
        EXPECT_DOUBLE_EQ(day.rows(Lunch)[1].row.grams, c.second);
        EXPECT_DOUBLE_EQ(day.rows(Lunch)[2].row.grams, 800.0) << "not selected";
    }
}

TEST(MenuDayEditTest, AFoldedDishScalesItsFoods)
{
    MenuDayEdit day = sampleDay();
    day.setFolded(Breakfast, 1, true);
    ASSERT_TRUE(day.scaleRows(Breakfast, {1}, 1.5));
    EXPECT_DOUBLE_EQ(day.rows(Breakfast)[2].row.grams, 150.0);
    EXPECT_DOUBLE_EQ(day.rows(Breakfast)[3].row.grams, 150.0);
    EXPECT_DOUBLE_EQ(day.rows(Breakfast)[0].row.grams, 100.0);
    EXPECT_DOUBLE_EQ(day.rows(Breakfast)[5].row.grams, 100.0);
    EXPECT_DOUBLE_EQ(scaledGrams(33.3, 1.5), 50.0);
}
