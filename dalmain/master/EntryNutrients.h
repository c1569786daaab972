#pragma once

#include "dalmain/master/Nutrients.h"

// How much of each nutrient one entry of a menu brings: the one rule that the menu grid's
// totals, the saved day and the analysis all compute with, so that they never disagree.
namespace dalmain {

// What the rule needs to know of a food. The caller fills it from the food table; a
// default-constructed value (all zeros, group 0) stands for a food that is not in the table.
struct EntryFood {
    NutrientVector per100g{};  // per 100 g of the edible part
    double wasteRatio = 0.0;   // inedible share of the food as bought, percent
    int group = 0;             // standard food group 1-18, 0 when unknown
};

// The waste-ratio option ("Dalmora System", SystemSet1, default on): amounts are read as the
// food as bought and the waste is deducted. Read anew on every call, as the user may change it
// at any time in the system settings.
bool wasteRatioOption();

// True when the waste is deducted for a food of this waste ratio.
inline bool deductsWaste(double wasteRatio, bool wasteRatioOn)
{
    return wasteRatioOn && wasteRatio > 0.0;
}

// The edible part of grams of a food as entered.
double edibleGrams(double grams, double wasteRatio, bool wasteRatioOn);

// The nutrients of grams of food; all zeros when food is null (not in the table).
NutrientVector entryNutrients(const EntryFood *food, double grams, bool wasteRatioOn);

// sum += value, nutrient by nutrient.
void addNutrients(NutrientVector &sum, const NutrientVector &value);

}  // namespace dalmain
