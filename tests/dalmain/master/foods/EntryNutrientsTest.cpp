#include "dalmain/master/EntryNutrients.h"
#include "dalmain/userdata/DayMenuSave.h"

#include "quenkit/registry/SettingsStore.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

EntryFood sample(double wasteRatio)
{
    EntryFood f;
    f.wasteRatio = wasteRatio;
    f.group = 6;
    for (int i = 0; i < kNutrientCount; ++i)
        f.per100g[i] = 10.0 * (i + 1);
    return f;
}

}  // namespace

TEST(EntryNutrients, PerHundredGramsScaledByAmountAndEdibleShare)
{
    struct Case {
        const char *what;
        double waste, grams;
        bool wasteOn;
        double factor;  // of the per-100 g values
        double edible;  // grams
    } cases[] = {
        {"waste 20 %, option on", 20, 100, true, 0.8, 80},
        {"waste 20 %, option off", 20, 100, false, 1.0, 100},
        {"no waste, option on", 0, 100, true, 1.0, 100},
        {"half the amount", 0, 50, false, 0.5, 50},
        {"120.5 g with 10 % waste", 10, 120.5, true, 1.205 * 0.9, 108.45},
        {"nothing eaten", 20, 0, true, 0.0, 0},
    };
    for (const Case &c : cases) {
        const EntryFood f = sample(c.waste);
        const NutrientVector v = entryNutrients(&f, c.grams, c.wasteOn);
        for (int i = 0; i < kNutrientCount; ++i)
            EXPECT_NEAR(v[i], f.per100g[i] * c.factor, 1e-9) << c.what << " nutrient " << i;
        EXPECT_NEAR(edibleGrams(c.grams, c.waste, c.wasteOn), c.edible, 1e-9) << c.what;
    }
    EXPECT_EQ(entryNutrients(nullptr, 100, true), NutrientVector{});
}

TEST(EntryNutrients, WasteRatioOptionComesFromTheSettings)
{
    testsupport::TempFolders folders;
    EXPECT_TRUE(wasteRatioOption());  // default on
    quenkit::SetRegistryString(QStringLiteral("Dalmora System"), QStringLiteral("SystemSet1"), QStringLiteral("0"));
    EXPECT_FALSE(wasteRatioOption());
    quenkit::SetRegistryString(QStringLiteral("Dalmora System"), QStringLiteral("SystemSet1"), QStringLiteral("1"));
    EXPECT_TRUE(wasteRatioOption());
}

TEST(EntryNutrients, DayTotalsAddEveryFoodToItsMealAndTheDay)
{
    MenuDay day;
    const EntryFood a = sample(20), b = sample(0);
    day.meals[Breakfast] = {MenuRow::foodRow(1, 100, a), MenuRow::dishRow(QStringLiteral("汁")),
                            MenuRow::foodRow(2, 50, b)};
    day.meals[Snack] = {MenuRow::foodRow(2, 200, b)};
    const DayTotals t = computeDayTotals(day, true);
    EXPECT_DOUBLE_EQ(t[Breakfast][EnergyKcal], 8.0 + 5.0);
    EXPECT_DOUBLE_EQ(t[Lunch][EnergyKcal], 0.0);
    EXPECT_DOUBLE_EQ(t[Snack][EnergyKcal], 20.0);
    EXPECT_DOUBLE_EQ(t[kDayRow][EnergyKcal], 33.0);
    EXPECT_DOUBLE_EQ(t[kDayRow][SaltEquivalent], 370 * 0.8 + 370 * 0.5 + 370 * 2.0);
}
