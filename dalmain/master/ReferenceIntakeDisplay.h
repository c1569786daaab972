#pragma once

#include "dalmain/master/ReferenceIntakes.h"

#include <QString>

// The standard viewer's texts: its caption line and its values. The viewer shows the 37
// reference pairs of the open user on three pages.
namespace dalmain {

constexpr int kIntakeViewerPages = 3;

// "日本人の食事摂取基準(2010年版)" for the national standard, "基準値:" and the heading for a
// user-defined one.
QString intakeViewerCaption(const IntakeSubject &subject);

// A reference value with the nutrient's number of decimals ("%.0lf", "%.1lf" or "%.2lf").
QString intakeViewerValue(int nutrient, double value);
// A lower or upper reference value as the viewer lists it: empty for 0, which sets no bound.
QString intakeViewerBound(int nutrient, double value);

}  // namespace dalmain
