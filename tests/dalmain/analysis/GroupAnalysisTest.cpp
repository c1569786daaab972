#include "dalmain/analysis/GroupAnalysis.h"
#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/userdata/DayMenu.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

TEST(ExchangeUnits, OfOneEntry)
{
    struct Case {
        const char *name;
        ExchangeKind kind;
        ExchangeFood food;
        double grams;
        bool wasteRatioOn;
        double units;
    } cases[] = {
        {"80 kcal a unit", ExchangeKind::Diabetes, {1, 1, 160, 0, 0}, 100, true, 2.0},
        {"edible part only", ExchangeKind::Diabetes, {1, 1, 160, 0, 20}, 100, true, 1.6},
        {"waste counted when the option is off", ExchangeKind::Diabetes, {1, 1, 160, 0, 20}, 100, false, 2.0},
        {"表６ counts 300 g", ExchangeKind::Diabetes, {1, 6, 25, 0, 0}, 150, true, 0.5},
        {"3 g of protein a unit", ExchangeKind::Kidney, {1, 4, 300, 12, 0}, 200, true, 8.0},
        {"the kidney list ignores energy", ExchangeKind::Kidney, {1, 6, 900, 0, 0}, 100, true, 0.0},
        {"no list", ExchangeKind::None, {1, 1, 160, 10, 0}, 100, true, 0.0},
    };
    for (const Case &c : cases)
        EXPECT_NEAR(exchangeUnits(c.kind, c.food, c.grams, c.wasteRatioOn), c.units, 1e-12) << c.name;
}

// A three-group table: standard groups 1 and 2 go to group 1, 6 (vegetables) to group 2, 10
// (fish) is not counted, 11 carries a code above 18. Food 5 moves from vegetables to group 3,
// food 7 from vegetables to none, food 8 from fish (not counted) to group 3, food 9 to group 4,
// which the table does not name.
class DayGroups : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GroupData groups;
        groups.table.name = QStringLiteral("三群");
        groups.table.groupNames[0] = QStringLiteral("主食");
        groups.table.groupNames[1] = QStringLiteral("野菜");
        groups.table.groupNames[2] = QStringLiteral("その他");
        groups.table.mapping[0] = 1;
        groups.table.mapping[1] = 1;
        groups.table.mapping[5] = 2;
        groups.table.mapping[10] = 19;
        groups.groupIndex = groupIndexesOf(groups.table);
        groups.exceptions = {{5, 6, 3}, {7, 6, 0}, {8, 10, 3}, {9, 1, 4}, {5, 1, 1}};
        ExchangeData exchange;
        exchange.kind = ExchangeKind::Diabetes;
        exchange.foods = {{5, 6, 25, 1, 0}, {7, 1, 160, 3, 0}, {8, 3, 120, 20, 0}, {7, 2, 999, 0, 0}};
        data = GroupAnalysisData(groups, exchange);

        // Breakfast: a dish header, 50 g of food 5, 100 g of food 7, 20 g of food 9, then an
        // empty slot before 80 g of food 8, which is therefore neither moved nor counted.
        menu.entries[Breakfast][0] = {kDishHeader, 0};
        menu.entries[Breakfast][1] = {5, 500};
        menu.entries[Breakfast][2] = {7, 1000};
        menu.entries[Breakfast][3] = {9, 200};
        menu.entries[Breakfast][5] = {8, 800};
        for (int row : {int(Breakfast), kDayRow}) {
            menu.groupsAsEntered[row][0] = 120;    // standard group 1, with food 9
            menu.groupsAsEntered[row][5] = 150;    // vegetables: foods 5 and 7
            menu.groupsAsEntered[row][9] = 80;     // fish: food 8
            menu.groupsAsEntered[row][10] = 60;    // meat: a code the table cannot have
        }
        // Dinner: 30.04 g of vegetables as entered and 30 g of food 5 moved out: a remainder
        // that shows as 0.0 is made exactly 0.
        menu.entries[Dinner][0] = {5, 300};
        menu.groupsAsEntered[Dinner][5] = 30.04;
        menu.groupsAsEntered[kDayRow][5] += 30.04;
    }

    GroupAnalysisData data;
    DayMenu menu;
};

TEST_F(DayGroups, AmountsWithTheExceptions)
{
    AnalysisResult r;
    AddDayGroups(r, menu, data, true);
    const GroupRows &g = r.groupAmounts;
    EXPECT_DOUBLE_EQ(g[Breakfast][0], 100);   // 120 - 20 g of food 9, which goes nowhere visible
    EXPECT_DOUBLE_EQ(g[Breakfast][1], 0);     // 150 - 50 - 100
    EXPECT_DOUBLE_EQ(g[Breakfast][2], 50);    // food 5 only: food 8 lies after the empty slot
    EXPECT_DOUBLE_EQ(g[Breakfast][3], 0);
    EXPECT_EQ(g[Dinner][1], 0.0);
    EXPECT_DOUBLE_EQ(g[Dinner][2], 30);
    EXPECT_DOUBLE_EQ(g[kDayRow][0], 100);
    EXPECT_NEAR(g[kDayRow][1], 0.04, 1e-9);   // the day's row keeps its remainder
    EXPECT_DOUBLE_EQ(g[kDayRow][2], 80);
    for (int group = 3; group < kAnalysisGroups; ++group)
        EXPECT_EQ(g[kDayRow][group], 0) << group;
}

TEST_F(DayGroups, ExchangeUnitsUpToTheFirstEmptySlot)
{
    AnalysisResult r;
    AddDayGroups(r, menu, data, true);
    const GroupRows &u = r.exchangeUnits;
    EXPECT_DOUBLE_EQ(u[Breakfast][5], 50 / 300.0);    // food 5 in 表６
    EXPECT_DOUBLE_EQ(u[Breakfast][0], 2.0);           // food 7's first entry of the list
    EXPECT_EQ(u[Breakfast][1], 0);
    EXPECT_EQ(u[Breakfast][2], 0);                    // food 8 after the empty slot
    EXPECT_DOUBLE_EQ(u[Dinner][5], 0.1);
    EXPECT_DOUBLE_EQ(u[kDayRow][5], 50 / 300.0 + 0.1);
    EXPECT_DOUBLE_EQ(u[kDayRow][0], 2.0);
}

TEST_F(DayGroups, WithoutTablesNothingIsCounted)
{
    AnalysisResult r;
    AddDayGroups(r, menu, GroupAnalysisData(), true);
    for (int row = 0; row < kAnalysisRows; ++row) {
        for (int group = 0; group < kAnalysisGroups; ++group) {
            EXPECT_EQ(r.groupAmounts[row][group], 0);
            EXPECT_EQ(r.exchangeUnits[row][group], 0);
        }
    }
}

TEST_F(DayGroups, AveragedOverThePeriod)
{
    AnalysisResult r;
    AddDayGroups(r, menu, data, true);
    AddDayGroups(r, menu, data, true);
    AverageIntake(r, 2);
    EXPECT_NEAR(r.groupAmounts[kDayRow][2], 80 * 2 / 2.000005, 1e-9);
    EXPECT_NEAR(r.exchangeUnits[kDayRow][0], 4 / 2.000005, 1e-9);
}

TEST(GroupRowFields, ComparisonColumns)
{
    GroupRows rows{};
    rows[Breakfast][0] = 100;
    rows[Dinner][0] = 50.25;
    rows[kDayRow][0] = 150.25;
    rows[kDayRow][1] = 40;
    const double proper[] = {120, 0, 200};
    EXPECT_EQ(groupRowFields(rows, 0, QStringLiteral("穀類"), &proper[0]),
              QStringList({"穀類", "100.0", "0.0", "50.2", "0.0", "150.2", "120.0", "+30.2", "125.2"}));
    // A proper value of 0 has no rate.
    EXPECT_EQ(groupRowFields(rows, 1, QStringLiteral("いも"), &proper[1]),
              QStringList({"いも", "0.0", "0.0", "0.0", "0.0", "40.0", "0.0", "+40.0", ""}));
    EXPECT_EQ(groupRowFields(rows, 2, QStringLiteral("豆"), &proper[2]),
              QStringList({"豆", "0.0", "0.0", "0.0", "0.0", "0.0", "200.0", "-200.0", "0.0"}));
    // Without a proper set the three columns stay empty.
    EXPECT_EQ(groupRowFields(rows, 1, QStringLiteral("いも"), nullptr),
              QStringList({"いも", "0.0", "0.0", "0.0", "0.0", "40.0", "", "", ""}));
}

}  // namespace
