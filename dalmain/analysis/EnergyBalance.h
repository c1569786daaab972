#pragma once

#include "dalmain/analysis/AnalysisResult.h"
#include "dalmain/analysis/WeightFigures.h"
#include "dalmain/userdata/PfcTargets.h"
#include "dalmain/userdata/WeightLog.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>

// How the energy eaten is made up and spent: the PFC balance, the energy spent by exercise,
// basal metabolism and daily life, and the body weight and body fat of the analysed period with
// their standard ranges. The figures are computed unrounded; the texts add the display rounding.
namespace dalmain {

enum PfcAxis : int { PfcProtein = 0, PfcFat = 1, PfcCarbohydrate = 2 };

// PFC values above this are drawn at it.
constexpr double kPfcChartLimit = 500.0;
// The distance of a chart value's point from the centre of a chart whose half size is
// halfSize: 100 lies on the target triangle at 1.1 x halfSize.
double pfcChartRadius(double value, double halfSize);

// Sufficiency rates above this are drawn at it on the radar charts.
constexpr double kRadarChartLimit = 500.0;
// The distance of a sufficiency rate's point from the centre of a radar chart whose half size
// is halfSize: 150 % lies at 1.1 x halfSize; no rate (or a negative one) lies at the centre.
double radarChartRadius(double rate, double halfSize);

// Percent of energy from protein (4 kcal/g), fat (9 kcal/g) and carbohydrate (4 kcal/g), and
// the chart value of each axis: 100 inside its target range, pct / lower x 100 below it,
// pct / upper x 100 above it. With no energy eaten there is no balance at all; a nutrient not
// eaten has a percentage of 0 and no chart point.
PfcBalance pfcBalance(const NutrientVector &dayTotal, const PfcTargets &targets);
double pfcChartValue(double percent, int lower, int upper);

// "（標準体重  51.2～61.41kg）": the lower bound rounded to one decimal, the upper one written
// with two decimals and cut to five characters.
QString standardWeightText(double heightCm);
// "(標準体脂肪率 20%～30%)" for a woman (sex 1), "(標準体脂肪率 10%～20%)" otherwise.
QString standardBodyFatText(int sex);

// One day of the exercise log as the energy balance takes it: the energy and minutes of its
// entries, and the day's basal metabolism with the weight in force on it.
struct ExerciseDayFigures {
    QByteArray date;        // YYYYMMDD
    double energy = 0;      // kcal of the entries (the day's basal metabolism entry excluded)
    int minutes = 0;
    double basal = 0;       // kcal, standard x weight of the day + 0.05
};

// Fills the exercise figures of balance from the exercise days of the period. With exercise
// days, energy, minutes and basal metabolism are the averages over those days; without any,
// the basal metabolism is periodBasal (the period's weight) and exercise counts nothing. The
// basal metabolism outside exercise is the share of the day outside the exercise minutes, and
// daily life that share times the factor of the activity level (0.5, 0.75, 1.0).
void computeEnergySpent(EnergyBalance &balance, const QList<ExerciseDayFigures> &days, double periodBasal,
                        int activity);

// The one-day consumption (exercise + basal outside exercise + daily life) and its difference
// to the energy eaten.
void finishEnergyBalance(EnergyBalance &balance, double energyIntake);

// The measurement in force on date, as the exercise and weight screens take it: the latest on
// or before date, else the earliest; none for no measurements. weights are in date order.
std::optional<WeightRecord> weightInForce(const QList<WeightRecord> &weights, QByteArrayView date);

// Body weight and body fat of the analysed period into balance. A day takes the measurement in
// force on it and notes its date when it is another day's; any other period averages the
// measurements of its days (dates, or those beginning with periodKey when dates is empty).
// Body fat averages only the measurements that have one. -1 for a figure without measurements.
void computeBodyFigures(EnergyBalance &balance, AnalysisPeriod period, const QByteArray &periodKey,
                        const QList<QByteArray> &dates, const QList<WeightRecord> &weights);

// "(目安:P:10-15% F:20-25% C:60-70%)".
QString pfcTargetText(const PfcTargets &targets);
// "（記録日：2024/01/20）" when the day's weight is another day's measurement; empty otherwise.
QString weightRecordDateText(const EnergyBalance &balance);

// "(運動時間:01時間30分)" of the exercise minutes, cut to whole minutes.
QString exerciseTimeText(double minutes);

}  // namespace dalmain
