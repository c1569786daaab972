#pragma once

#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/master/Nutrients.h"

#include <QString>
#include <QtGlobal>

#include <vector>

// How far the intake of a period rests on known values. A nutrient the composition table did
// not analyse for a food ("-") adds nothing to the totals, so a total is a lower bound wherever
// such foods were eaten; the coverage tells by how much of the food eaten, per nutrient.
namespace dalmain {

struct DayMenu;

// The eaten grams of the period, and of them the grams of foods whose value of each nutrient
// is known. Grams are those of the edible part, as the totals count them. A food that is no
// longer in the table counts as eaten with every value unknown.
struct NutrientCoverage {
    int days = 0;
    double eatenGrams = 0;
    NutrientVector knownGrams{};

    // The known share of the eaten grams, 0-1; 1 when nothing was eaten (nothing is missing).
    double share(int nutrient) const;
};

// The foods of a food cache by number, with what the coverage needs of each.
class CoverageFoods
{
public:
    struct Food {
        double wasteRatio = 0;
        UnknownNutrients unknown;
    };

    static CoverageFoods fromCache(const FoodCache &cache);
    // The food of number, or null; the first of the cache's entries wins, as in the analysis.
    const Food *find(quint16 number) const;

private:
    std::vector<Food> m_foods;
    std::vector<qint32> m_slotOfNumber;
};

// Adds the food entries of one day's four meals (dish headers and empty slots are no food).
void addDayCoverage(NutrientCoverage &coverage, const DayMenu &menu, const CoverageFoods &foods, bool wasteRatioOn);

// The coverage of the records an analysis of request takes (the same days, read in the same
// way as SumIntake).
NutrientCoverage measureCoverage(const AnalysisRequest &request, const CoverageFoods &foods, bool wasteRatioOn);

// One line per nutrient whose flag is set, in NutrientVector order: name, unit, the known share
// in percent with one decimal, and the grams it rests on
// ("ﾋﾞﾀﾐﾝD        μg   71.4 %  (100.0 of 140.0 g)"),
// after a heading line; lines end in CR LF, as the analysis text does.
QString coverageText(const NutrientCoverage &coverage, const std::array<bool, kNutrientCount> &rows);

}  // namespace dalmain
