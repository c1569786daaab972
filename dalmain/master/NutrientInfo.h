#pragma once

#include "dalmain/master/Nutrients.h"

#include <QString>

#include <array>

// What the system knows about each nutrient of the NutrientVector: its name as the CSV header
// of the food file writes it, its unit, the decimals its per-100 g value is stored with, and
// the field name it has in the header of the food table. One table, in NutrientVector order.
// The display names of the screens are in dalmain/master/NutrientDisplay.h; the units agree
// with it and the stored decimals are never fewer than the shown ones (a test holds them).
namespace dalmain {

struct NutrientInfo {
    Nutrient index;
    const char *csvName;    // UTF-8, as in the food file's CSV header ("エネルギーKC")
    const char *unit;       // "kcal", "kJ", "g", "mg", "mgNE" (niacin equivalents) or "μg"
                            // per 100 g of edible part
    int decimals;           // decimals of the stored value (6-character field of the food table)
    const char *fieldName;  // UTF-8; at most 11 bytes in Shift-JIS, distinct from every other field
};

const std::array<NutrientInfo, kNutrientCount> &nutrientTable();

// The entry of nutrient index (0-36). index must be in range.
const NutrientInfo &nutrientInfo(int index);

// The CSV name as QString ("エネルギーKC").
QString nutrientCsvName(int index);

}  // namespace dalmain
