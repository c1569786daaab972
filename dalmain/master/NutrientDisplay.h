#pragma once

#include "dalmain/master/Nutrients.h"

#include <QString>

// How every nutrient value of the analysis and of the menu screen's nutrient panel is named and
// written: one row per NutrientVector index with its names and number of decimals, and the
// formats built on them. Nothing else in the program keeps its own copy of these facts. The
// unit is the food table's (NutrientInfo.h), as intakes are amounts of its per-100 g values.
//
// The program's resources numbered these texts; the ids are kept here so that older notes and
// help pages that cite them can still be followed: 41573 + i first heading line, 41623 + i
// second heading line, 41673 + i unit, 41723 + i one-line name, 41773 + i normal-view default,
// 41823 + i decimals (i = nutrient index).
namespace dalmain {

constexpr int kHeadingTopStringBase = 41573;
constexpr int kHeadingBottomStringBase = 41623;
constexpr int kUnitStringBase = 41673;
constexpr int kNameStringBase = 41723;
constexpr int kNormalViewStringBase = 41773;
constexpr int kDecimalsStringBase = 41823;

struct NutrientDisplayRow {
    const char *headingTop;     // UTF-8; empty when the heading is a single line
    const char *headingBottom;  // UTF-8
    const char *name;           // one-line name, UTF-8
    int decimals;               // 0, 1 or 2
    bool normalView;            // shown on the menu screen's normal view unless the user says otherwise
};

// The row of nutrient index i (0 to 36). An index outside that range is a programming error.
const NutrientDisplayRow &nutrientDisplayRow(int nutrient);

QString nutrientDisplayName(int nutrient);
QString nutrientDisplayUnit(int nutrient);  // "kcal", "kJ", "g", "mg", "mgNE" or "μg"
int displayDecimals(int nutrient);
// The two-line heading as one text: "top\nbottom", or the bottom line alone.
QString nutrientHeading(int nutrient);

// The bare number with the nutrient's decimals and no padding ("%.1lf" for one decimal), as
// the text exports write it. Independent of the process locale.
QString formatPlain(int nutrient, double value);

// Analysis views, six characters wide. An intake or difference whose text grows longer than
// six characters becomes "****".
QString formatIntake(int nutrient, double value);
QString formatDifference(int nutrient, double difference);
// The reference column: "L～U", "L～", "～U", the single value when L = U, empty without a bound.
QString formatReference(int nutrient, double lower, double upper);
// The sufficiency rate, "%3.0lf", "****" when longer than six characters.
QString formatRate(double rate);

// Menu panel, eight characters wide; an overflowing cell becomes "*****".
QString formatPanelAmount(int nutrient, double value);
QString formatPanelDifference(int nutrient, double difference);

}  // namespace dalmain
