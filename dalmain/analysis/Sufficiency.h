#pragma once

#include "dalmain/master/IntakeStandard.h"
#include "dalmain/master/Nutrients.h"

#include <QString>
#include <QtGlobal>

#include <array>

// Comparing an intake with the user's reference values: the sufficiency rate, the target rate,
// the difference shown beside the intake, and the judgement symbols of the analysis (every
// analysis view, text and print-out) and of the menu screen's nutrient panel.
//
// A reference bound of 0 means that the bound does not exist. Every division below is guarded
// by that test, so no input gives an infinite or undefined rate.
namespace dalmain {

// Percent of the reference: X / L x 100 below the lower bound, X / U x 100 above an upper
// bound, 100 inside the range and for a nutrient without any bound.
double sufficiencyRate(double intake, double lower, double upper);

// Percent of the middle of the reference range (the radar chart's scale); 0 without a bound.
double targetRate(double intake, double lower, double upper);

// The difference column. The judgement works from what the column shows, not from the exact
// difference: a shortfall that rounds to zero at the nutrient's precision is no difference.
struct ShownDifference {
    bool none = true;  // inside the range: the column shows "－"
    QString text;      // "－", the "%+6.*lf" text, or "****" when it does not fit
    double value = 0;  // the difference at the nutrient's precision; 0 when none
};
ShownDifference shownDifference(int nutrient, double intake, double lower, double upper, double rate);

// Colour class of a judged text. Which colour each one is depends on the output (colour or
// monochrome); see toneRgb.
enum class JudgementTone { Normal, Shortage, Excess, Fine };

struct Judgement {
    QString symbol;
    JudgementTone tone = JudgementTone::Normal;
    int strokes = 1;  // times the symbol is drawn, each one pixel right of the last, for boldness
};

// The analysis judgement (mode 充足判定) from the rate and the shown difference value.
Judgement analysisJudgement(double rate, double shownDifference, bool monochrome);
// The same column in mode 充足確率: the rate as text, toned by the side of the range.
Judgement analysisRateCell(double rate);

// 0xRRGGBB of a tone. Monochrome output draws everything near-black; in colour output Normal
// is plain black.
quint32 toneRgb(JudgementTone tone, bool monochrome);

// The menu panel's judgement: symbol and code -2 (large shortage), -1, 0, 1, 2 (large
// excess) or 999 (no reference; empty symbol).
struct PanelJudgement {
    QString symbol;
    int code = 999;
    int strokes = 2;
};
PanelJudgement panelJudgement(double intake, double lower, double upper);

// The menu panel's 充足確率(%) cell, eight characters.
QString panelRate(double intake, double lower, double upper);

// Which nutrients the analysis shows and judges.
using NutrientFlags = std::array<bool, kNutrientCount>;
struct NutrientSets {
    NutrientFlags hasReference{};    // a lower or an upper bound exists
    NutrientFlags shownAndJudged{};  // has a reference and is selected
    NutrientFlags shown{};           // is selected
};
NutrientSets buildNutrientSets(const IntakeStandard &standard, const NutrientFlags &selection);

// The user's nutrient selection of the analysis screen: settings "Eiyouso2_1" to "Eiyouso2_37"
// of section "Dalmora Analyze", default selected.
NutrientFlags readNutrientSelection();
// Stores every nutrient's flag as "1" or "0"; false when the store refused one.
bool writeNutrientSelection(const NutrientFlags &selection);

}  // namespace dalmain
