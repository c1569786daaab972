#pragma once

#include <array>

// The 37 nutrient values of a food per 100 g of its edible part, in the order every table and
// file of the system uses. Other code names a nutrient by its index.
namespace dalmain {

constexpr int kNutrientCount = 37;
using NutrientVector = std::array<double, kNutrientCount>;

enum Nutrient : int {
    EnergyKcal = 0,
    EnergyKj = 1,
    Water = 2,
    Protein = 3,
    Fat = 4,
    Carbohydrate = 5,
    Ash = 6,
    Sodium = 7,
    Potassium = 8,
    Calcium = 9,
    Magnesium = 10,
    Phosphorus = 11,
    Iron = 12,
    Zinc = 13,
    Copper = 14,
    Retinol = 15,
    BetaCaroteneEq = 16,
    RetinolEq = 17,
    VitaminD = 18,
    VitaminEAlpha = 19,
    VitaminK = 20,
    VitaminB1 = 21,
    VitaminB2 = 22,
    Niacin = 23,
    VitaminB6 = 24,
    VitaminB12 = 25,
    Folate = 26,
    PantothenicAcid = 27,
    VitaminC = 28,
    SaturatedFattyAcids = 29,
    MonounsaturatedFattyAcids = 30,
    PolyunsaturatedFattyAcids = 31,
    Cholesterol = 32,
    SolubleFiber = 33,
    InsolubleFiber = 34,
    TotalFiber = 35,
    SaltEquivalent = 36,
};

}  // namespace dalmain
