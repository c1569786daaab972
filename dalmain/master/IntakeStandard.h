#pragma once

#include "dalmain/master/Nutrients.h"

#include <QtGlobal>

#include <array>

// A person's reference values: for every nutrient of the NutrientVector a lower and an upper
// bound, 0 meaning that there is no such bound. Derived from the national reference intakes or
// copied from a user-defined standard (ReferenceIntakes.h); the judgements read it.
namespace dalmain {

struct IntakeBound {
    double lower = 0.0;
    double upper = 0.0;

    bool isSet() const { return lower != 0.0 || upper != 0.0; }
    friend bool operator==(const IntakeBound &, const IntakeBound &) = default;
};

struct IntakeStandard {
    qint32 leading = 0;   // set to 0 by the derivation; nothing reads it
    std::array<IntakeBound, kNutrientCount> bounds{};

    const IntakeBound &operator[](int nutrient) const { return bounds[static_cast<size_t>(nutrient)]; }
    IntakeBound &operator[](int nutrient) { return bounds[static_cast<size_t>(nutrient)]; }
};

}  // namespace dalmain
