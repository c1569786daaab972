#include "LogsTestSupport.h"

#include "dalmain/userdata/ExerciseLog.h"
#include "dalmain/userdata/ExerciseLogClipboard.h"
#include "dalmain/userdata/ExerciseLogDay.h"
#include "dalmain/userdata/ExerciseLogInput.h"

using namespace dalmain;
using namespace logstest;

namespace {

const EnergyBasis kBasis{21.0, 50.0};

ExerciseItem itemNumber(unsigned number)
{
    return sampleItems()[number - 1];
}

TEST(EntryInput, LimitsOfTheEntryDialog)
{
    struct Case {
        int minutes;
        EntryCheck::Field field;
        bool message;
    };
    const Case computed[] = {{1440, EntryCheck::None, false}, {1441, EntryCheck::Minutes, true},
                             {0, EntryCheck::Minutes, false}, {1, EntryCheck::None, false}};
    for (const Case &c : computed) {
        const EntryCheck check = checkComputedEntry(c.minutes);
        EXPECT_EQ(check.field, c.field) << c.minutes;
        EXPECT_EQ(check.message, c.message ? kMinutesLimitMessage : QString()) << c.minutes;
    }

    struct DirectCase {
        std::optional<int> minutes;
        double kcal;
        EntryCheck::Field field;
        QString message;
    };
    const DirectCase direct[] = {
        {30, 999.9, EntryCheck::None, {}},
        {30, 1000.0, EntryCheck::Energy, kEnergyLimitMessage},
        {30, 0.5, EntryCheck::Energy, {}},  // refused without a message
        {std::nullopt, 1.0, EntryCheck::None, {}},
        {1440, 150.0, EntryCheck::None, {}},
        {1441, 150.0, EntryCheck::Minutes, kMinutesLimitMessage},
        {0, 150.0, EntryCheck::None, {}},
    };
    for (const DirectCase &c : direct) {
        const EntryCheck check = checkDirectEntry(c.minutes, c.kcal);
        EXPECT_EQ(check.field, c.field) << c.kcal;
        EXPECT_EQ(check.message, c.message) << c.kcal;
    }
}

TEST(EntryInput, DirectEnergyWithMinutesIsCode2000Plus)
{
    ExerciseDay day;
    const ExerciseEntry e = directEntry(itemNumber(2), 150.0, 30, kBasis);
    EXPECT_EQ(e.minutesCode, 2030);
    EXPECT_EQ(exerciseListLine(e).minutes, QStringLiteral("      30"));
    EXPECT_EQ(exerciseListLine(e).energy, QStringLiteral("   150.0"));
    day.insert(e);
    EXPECT_EQ(day.exerciseMinutes(), 30);
    EXPECT_EQ(day.exerciseEnergy(), 150.0);
    EXPECT_EQ(slotOfEntry(e).value, "150.0");
}

TEST(ExerciseDayState, TotalsFollowTheEntries)
{
    ExerciseDay day;
    ASSERT_EQ(day.insert(computedEntry(itemNumber(1), 60, kBasis)), ExerciseDay::Added::Added);  // sleep
    EXPECT_DOUBLE_EQ(day.exerciseEnergy(), 39.425);
    const ExerciseEntry unknown = directEntry(itemNumber(2), 87.55, std::nullopt, kBasis);
    EXPECT_EQ(unknown.minutesCode, kEnergyWithoutMinutesCode);
    EXPECT_EQ(unknown.computedMinutes, 30);  // 87.55 / (4.0 x 0.7291)
    day.insert(unknown);
    EXPECT_EQ(day.exerciseMinutes(), 60);  // the 9999 entry counts no minutes
    EXPECT_EQ(exerciseListLine(unknown).minutes, QStringLiteral("        "));
    // Removing it leaves the minutes as they were: they never included it.
    ASSERT_TRUE(day.remove(1));
    EXPECT_EQ(day.exerciseMinutes(), 60);
    EXPECT_DOUBLE_EQ(day.exerciseEnergy(), 39.425);
}

TEST(ExerciseDayState, ThirtyEntriesAndOneBasalEntry)
{
    ExerciseDay day;
    ASSERT_EQ(day.insert(basalEntry(1200.0)), ExerciseDay::Added::Added);
    EXPECT_EQ(day.insert(basalEntry(1300.0)), ExerciseDay::Added::BasalAlreadyEntered);
    EXPECT_EQ(kBasalEnteredMessage, QStringLiteral("基礎代謝量は入力済みです。"));
    EXPECT_EQ(day.basalOverride(), 1200.0);
    EXPECT_EQ(day.exerciseEnergy(), 0.0);
    EXPECT_EQ(day.exerciseMinutes(), 0);
    for (int i = 1; i < kExerciseSlots; ++i)
        ASSERT_EQ(day.insert(computedEntry(itemNumber(2), 10, kBasis)), ExerciseDay::Added::Added);
    EXPECT_EQ(day.insert(computedEntry(itemNumber(2), 10, kBasis)), ExerciseDay::Added::Full);
    EXPECT_EQ(day.count(), 30);
    EXPECT_EQ(day.exerciseMinutes(), 290);
    // An exercise entry may not become a second basal entry.
    EXPECT_FALSE(day.replace(1, basalEntry(1.0)));
    EXPECT_TRUE(day.replace(0, basalEntry(1400.0)));
    EXPECT_EQ(day.basalOverride(), 1400.0);
}

TEST(ExerciseDayState, SummaryWithTheDaysBasalMetabolism)
{
    ExerciseDay day;
    day.insert(basalEntry(1200.0));
    ExerciseDayBasis basis;
    basis.activity = 1;
    basis.energy = kBasis;
    const ExerciseSummary s = day.summary(basis);
    EXPECT_NEAR(s.living, 900.0, 1e-9);
    EXPECT_NEAR(s.daily, 2100.0, 1e-9);
}

class ExerciseDayFile : public LogsFixture
{
};

TEST_F(ExerciseDayFile, SavedDayLoadsBackWithTheSameTotals)
{
    const ExerciseItemLookup items = itemLookupOf(readExerciseItems());
    ExerciseDay day;
    day.insert(computedEntry(itemNumber(2), 45, kBasis, quenkit::toSjis(u"通勤")));
    day.insert(directEntry(itemNumber(3), 150.0, 30, kBasis));
    day.insert(directEntry(itemNumber(4), 200.0, std::nullopt, kBasis));
    day.insert(basalEntry(1234.5));
    ASSERT_TRUE(saveExerciseDay(kUser, "20240105", day));

    const std::optional<ExerciseLogRecord> record = FindExerciseDay(kUser, "20240105");
    ASSERT_TRUE(record);
    ASSERT_EQ(record->entrySlots.size(), 4);
    EXPECT_EQ(encodeExerciseSlot(record->entrySlots[0]).first(14), "    2  45  4.0");
    EXPECT_EQ(encodeExerciseSlot(record->entrySlots[1]).first(14), "    32030150.0");
    EXPECT_EQ(encodeExerciseSlot(record->entrySlots[2]).first(14), "    49999200.0");
    EXPECT_EQ(encodeExerciseSlot(record->entrySlots[3]).first(14), "65535   0 1235");

    const ExerciseDay loaded = loadExerciseDay(kUser, "20240105", items, kBasis);
    ASSERT_EQ(loaded.count(), 4);
    EXPECT_EQ(loaded.entries()[0].memo, quenkit::toSjis(u"通勤"));
    EXPECT_DOUBLE_EQ(loaded.entries()[0].energy, day.entries()[0].energy);
    EXPECT_EQ(loaded.entries()[3].minutesCode, kDirectEnergyCode);
    EXPECT_EQ(loaded.exerciseMinutes(), day.exerciseMinutes());
    EXPECT_DOUBLE_EQ(loaded.exerciseEnergy(), day.exerciseEnergy());
    EXPECT_EQ(loaded.basalOverride(), 1235.0);  // whole kcal: the field has five characters
}

TEST_F(ExerciseDayFile, LoadingSkipsItemsThatNoLongerExistAndUsesTheCurrentAf)
{
    ASSERT_TRUE(SaveExerciseDay(kUser, "20240105", {{9, 30, "  5.0", {}}, {2, 60, "  9.9", {}}}));
    const ExerciseDay day = loadExerciseDay(kUser, "20240105", itemLookupOf(readExerciseItems()), kBasis);
    ASSERT_EQ(day.count(), 1);
    EXPECT_EQ(day.entries()[0].afText, "  4.0");
    EXPECT_DOUBLE_EQ(day.entries()[0].energy, 4.0 * 21.0 * (1.0 / 1440) * 60 * 50.0 + 0.05);
}

TEST_F(ExerciseDayFile, PasteFollowsTheRulesOfLoading)
{
    const ExerciseItemLookup items = itemLookupOf(readExerciseItems());
    ExerciseDay copied;
    copied.insert(computedEntry(itemNumber(2), 60, EnergyBasis{21.0, 80.0}));
    copied.insert(computedEntry(makeItem(9, u"消えた種目", 3.0), 60, kBasis));
    copied.insert(basalEntry(1500.0));
    const std::optional<QList<ExerciseEntry>> tail =
        copiedEntries(copyAllBlock(copied, copied.summary({}), CopyAllOptions{}));
    ASSERT_TRUE(tail);
    const ExerciseDay pasted = pastedExerciseDay(*tail, items, kBasis);
    ASSERT_EQ(pasted.count(), 2);
    EXPECT_DOUBLE_EQ(pasted.entries()[0].energy, 4.0 * 21.0 * (1.0 / 1440) * 60 * 50.0 + 0.05);  // today's weight
    EXPECT_EQ(pasted.basalOverride(), 1500.0);
    EXPECT_DOUBLE_EQ(pasted.exerciseEnergy(), pasted.entries()[0].energy);
}

}  // namespace
