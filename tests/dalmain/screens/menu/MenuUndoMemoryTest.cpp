// The undo memory on its own: position and count as edits, undos and redos follow each other,
// which day each step puts back, and the modified state that follows the steps.

#include "dalmain/screens/menu/MenuUndoMemory.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

// A day told apart by its breakfast: foods 1..n.
MenuSnapshot dayOf(int n, int meal = Breakfast)
{
    MenuSnapshot s;
    QList<MenuRow> rows;
    for (int i = 1; i <= n; ++i)
        rows.append(MenuRow::foodRow(static_cast<quint16>(i), 10.0 * i, EntryFood{}));
    if (!rows.isEmpty())
        EXPECT_EQ(s.day.insertRows(Breakfast, 0, rows), InsertResult::Inserted);
    s.meal = meal;
    s.currentLine = n;
    return s;
}

int versionOf(const MenuSnapshot &s)
{
    return s.day.rowCount(Breakfast);
}

// Edits 1..n: before edit k the day is version k - 1.
void edit(MenuUndoMemory &memory, int upTo, int from = 1)
{
    for (int k = from; k <= upTo; ++k)
        ASSERT_TRUE(memory.record(dayOf(k - 1)));
}

TEST(MenuUndoMemoryTest, PositionAndCountFollowEditsUndosAndRedos)
{
    MenuUndoMemory memory;
    EXPECT_FALSE(memory.canUndo());
    EXPECT_FALSE(memory.canRedo());
    EXPECT_EQ(memory.position(), 0);
    EXPECT_EQ(memory.count(), 0);

    edit(memory, 3);  // the day is now version 3
    EXPECT_EQ(memory.position(), 3);
    EXPECT_EQ(memory.count(), 3);
    EXPECT_FALSE(memory.canRedo());

    // The first undo keeps the day as it is, for redo: N grows by one, P goes back by one.
    EXPECT_EQ(versionOf(memory.undo(dayOf(3))), 2);
    EXPECT_EQ(memory.position(), 2);
    EXPECT_EQ(memory.count(), 4);
    EXPECT_EQ(versionOf(memory.undo(dayOf(2))), 1);
    EXPECT_EQ(versionOf(memory.undo(dayOf(1))), 0);
    EXPECT_FALSE(memory.canUndo());
    EXPECT_EQ(memory.position(), 0);

    EXPECT_EQ(versionOf(memory.redo()), 1);
    EXPECT_EQ(versionOf(memory.redo()), 2);
    EXPECT_EQ(versionOf(memory.redo()), 3);
    EXPECT_FALSE(memory.canRedo());
    EXPECT_EQ(memory.position(), 3);
    EXPECT_EQ(memory.count(), 4);
    // Undo again does not record the day a second time.
    EXPECT_EQ(versionOf(memory.undo(dayOf(99))), 2);
    EXPECT_EQ(versionOf(memory.redo()), 3);
}

TEST(MenuUndoMemoryTest, AnEditAfterUndoDropsTheRedoSteps)
{
    MenuUndoMemory memory;
    edit(memory, 3);
    memory.undo(dayOf(3));
    memory.undo(dayOf(2));  // version 1, P = 1
    // A new edit from version 1 to a day of 7 foods.
    ASSERT_TRUE(memory.record(dayOf(1)));
    EXPECT_EQ(memory.position(), 2);
    EXPECT_EQ(memory.count(), 2);
    EXPECT_FALSE(memory.canRedo());
    EXPECT_EQ(versionOf(memory.undo(dayOf(7))), 1);
    EXPECT_EQ(versionOf(memory.undo(dayOf(1))), 0);
    EXPECT_EQ(versionOf(memory.redo()), 1);
    EXPECT_EQ(versionOf(memory.redo()), 7);
    EXPECT_FALSE(memory.canRedo());
}

TEST(MenuUndoMemoryTest, RedoAfterAnEditBringsBackTheDayTheNextEditStartedFrom)
{
    // Between two edits the day may change in ways no step records (a dish folded, another
    // meal shown); the redo of the first edit brings the day the second one started from.
    MenuUndoMemory memory;
    ASSERT_TRUE(memory.record(dayOf(0)));
    ASSERT_TRUE(memory.record(dayOf(1, Dinner)));
    memory.undo(dayOf(2));
    memory.undo(dayOf(1, Dinner));
    EXPECT_EQ(memory.redo().meal, Dinner);
}

TEST(MenuUndoMemoryTest, ASnapshotIsNotChangedByLaterEditsOfTheDay)
{
    MenuUndoMemory memory;
    MenuSnapshot now = dayOf(2);
    ASSERT_TRUE(memory.record(now));
    now.day.replaceRow(Breakfast, 0, MenuRow::foodRow(50, 1.0, EntryFood{}));
    const MenuSnapshot back = memory.undo(now);
    EXPECT_EQ(back.day.rows(Breakfast)[0].row.food, 1);
    EXPECT_EQ(memory.redo().day.rows(Breakfast)[0].row.food, 50);
}

TEST(MenuUndoMemoryTest, ModifiedFollowsTheStepsFromTheStoredDay)
{
    MenuUndoMemory memory;
    EXPECT_FALSE(memory.isModified());
    edit(memory, 2);
    EXPECT_TRUE(memory.isModified());
    memory.setUnmodified();  // stored at version 2
    EXPECT_FALSE(memory.isModified());
    memory.undo(dayOf(2));
    EXPECT_TRUE(memory.isModified());
    memory.redo();
    EXPECT_FALSE(memory.isModified());

    // Preparation empties everything; a day that differs without a step stays modified.
    memory.prepare();
    EXPECT_FALSE(memory.isModified());
    EXPECT_FALSE(memory.canUndo());
    EXPECT_EQ(memory.count(), 0);
    memory.setModified();
    EXPECT_TRUE(memory.isModified());
    edit(memory, 1);
    memory.undo(dayOf(1));
    EXPECT_TRUE(memory.isModified());
    memory.setUnmodified();
    EXPECT_FALSE(memory.isModified());
}

}  // namespace
