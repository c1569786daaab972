#include "dalmain/master/EntryNutrients.h"

#include "quenkit/registry/SettingsStore.h"

namespace dalmain {

bool wasteRatioOption()
{
    return quenkit::GetRegistryInt(QStringLiteral("Dalmora System"), QStringLiteral("SystemSet1"), 1) != 0;
}

double edibleGrams(double grams, double wasteRatio, bool wasteRatioOn)
{
    if (!deductsWaste(wasteRatio, wasteRatioOn))
        return grams;
    return grams * (100.0 - wasteRatio) * 0.01;
}

NutrientVector entryNutrients(const EntryFood *food, double grams, bool wasteRatioOn)
{
    NutrientVector out{};
    if (!food)
        return out;
    // Keep the factors in this order: totals recomputed later (the analysis, a reopened day)
    // must match the ones stored with the day bit for bit.
    const bool deduct = deductsWaste(food->wasteRatio, wasteRatioOn);
    const double edibleShare = (100.0 - food->wasteRatio) * 0.01;
    for (int i = 0; i < kNutrientCount; ++i) {
        const double v = food->per100g[i];
        out[i] = deduct ? edibleShare * (grams * v) * 0.01 : v * grams * 0.01;
    }
    return out;
}

void addNutrients(NutrientVector &sum, const NutrientVector &value)
{
    for (int i = 0; i < kNutrientCount; ++i)
        sum[i] += value[i];
}

}  // namespace dalmain
