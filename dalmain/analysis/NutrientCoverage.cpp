#include "dalmain/analysis/NutrientCoverage.h"

#include "dalmain/analysis/AnalysisText.h"
#include "dalmain/master/EntryNutrients.h"
#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"

#include <limits>

namespace dalmain {

namespace {

constexpr double kAmountPerTenth = 0.1;
constexpr size_t kFoodNumberSlots = size_t(std::numeric_limits<quint16>::max()) + 1;

}  // namespace

double NutrientCoverage::share(int nutrient) const
{
    if (eatenGrams <= 0)
        return 1.0;
    return knownGrams[static_cast<size_t>(nutrient)] / eatenGrams;
}

CoverageFoods CoverageFoods::fromCache(const FoodCache &cache)
{
    CoverageFoods foods;
    foods.m_slotOfNumber.assign(kFoodNumberSlots, -1);
    for (const FoodCacheEntry &entry : cache) {
        if (entry.number == kEmptySlot || entry.number >= kDishHeader)
            continue;
        qint32 &slot = foods.m_slotOfNumber[entry.number];
        if (slot >= 0)
            continue;
        slot = static_cast<qint32>(foods.m_foods.size());
        foods.m_foods.push_back(Food{entry.wasteRatio, entry.unknown});
    }
    return foods;
}

const CoverageFoods::Food *CoverageFoods::find(quint16 number) const
{
    if (m_slotOfNumber.empty())
        return nullptr;
    const qint32 slot = m_slotOfNumber[number];
    return slot < 0 ? nullptr : &m_foods[static_cast<size_t>(slot)];
}

void addDayCoverage(NutrientCoverage &coverage, const DayMenu &menu, const CoverageFoods &foods, bool wasteRatioOn)
{
    for (const auto &meal : menu.entries) {
        for (const DayMenuEntry &entry : meal) {
            if (!entry.isFood())
                continue;
            const double grams = entry.amountTenths * kAmountPerTenth;
            const CoverageFoods::Food *food = foods.find(entry.food);
            if (!food) {
                coverage.eatenGrams += grams;
                continue;
            }
            const double edible = edibleGrams(grams, food->wasteRatio, wasteRatioOn);
            coverage.eatenGrams += edible;
            for (int i = 0; i < kNutrientCount; ++i) {
                if (!food->unknown.test(static_cast<size_t>(i)))
                    coverage.knownGrams[static_cast<size_t>(i)] += edible;
            }
        }
    }
}

NutrientCoverage measureCoverage(const AnalysisRequest &request, const CoverageFoods &foods, bool wasteRatioOn)
{
    NutrientCoverage coverage;
    DayMenu menu;
    DayMenuReader reader(request.user);
    for (const int record : analysisRecords(request)) {
        if (!reader.read(record, menu))
            continue;
        addDayCoverage(coverage, menu, foods, wasteRatioOn);
        ++coverage.days;
    }
    return coverage;
}

QString coverageText(const NutrientCoverage &coverage, const std::array<bool, kNutrientCount> &rows)
{
    QString text = QStringLiteral("既知の値の割合 (摂取した食品 %1 g のうち)\r\n").arg(coverage.eatenGrams, 0, 'f', 1);
    for (int i = 0; i < kNutrientCount; ++i) {
        if (!rows[static_cast<size_t>(i)])
            continue;
        // Name and unit aligned as in the nutrient table above: the two energies share a name.
        text += padToSjisWidth(nutrientDisplayName(i), 12, true) + padToSjisWidth(nutrientDisplayUnit(i), 5, false)
                + QStringLiteral("  %1 %  (%2 of %3 g)\r\n")
                      .arg(coverage.share(i) * 100.0, 5, 'f', 1)
                      .arg(coverage.knownGrams[static_cast<size_t>(i)], 0, 'f', 1)
                      .arg(coverage.eatenGrams, 0, 'f', 1);
    }
    return text;
}

}  // namespace dalmain
