#include "dalmain/analysis/EnergyBalance.h"

#include "dalmain/master/ExerciseEnergy.h"
#include "dalmain/master/FixedText.h"

#include <algorithm>
#include <cmath>

namespace dalmain {

namespace {

constexpr double kPerMinute = 1.0 / 1440.0;

bool inPeriod(QByteArrayView date, const QByteArray &periodKey, const QList<QByteArray> &dates)
{
    if (!dates.isEmpty())
        return dates.contains(date.toByteArray());
    return !periodKey.isEmpty() && date.startsWith(periodKey);
}

}  // namespace

double pfcChartValue(double percent, int lower, int upper)
{
    if (percent < lower)
        return lower > 0 ? percent / lower * 100.0 : 100.0;
    if (percent > upper)
        return upper > 0 ? percent / upper * 100.0 : 100.0;
    return 100.0;
}

double pfcChartRadius(double value, double halfSize)
{
    return std::min(value, kPfcChartLimit) / 100.0 * 1.1 * halfSize;
}

double radarChartRadius(double rate, double halfSize)
{
    // Written so that a NaN rate falls to the centre instead of poisoning the polygon.
    const double r = rate > 0.0 ? std::min(rate, kRadarChartLimit) : 0.0;
    return r / 150.0 * 1.1 * halfSize;
}

PfcBalance pfcBalance(const NutrientVector &dayTotal, const PfcTargets &targets)
{
    PfcBalance pfc;
    const double energy = dayTotal[EnergyKcal];
    if (energy <= 0.0)
        return pfc;
    pfc.valid = true;
    const double amounts[3] = {dayTotal[Protein], dayTotal[Fat], dayTotal[Carbohydrate]};
    const double kcalPerGram[3] = {4.0, 9.0, 4.0};
    const int lower[3] = {targets.proteinLower, targets.fatLower, targets.carbohydrateLower};
    const int upper[3] = {targets.proteinUpper, targets.fatUpper, targets.carbohydrateUpper};
    for (int axis = 0; axis < 3; ++axis) {
        pfc.percent[axis] = amounts[axis] * kcalPerGram[axis] / energy * 100.0;
        pfc.hasPoint[axis] = amounts[axis] > 0.0;
        if (pfc.hasPoint[axis])
            pfc.chartValue[axis] = pfcChartValue(pfc.percent[axis], lower[axis], upper[axis]);
    }
    return pfc;
}

QString standardWeightText(double heightCm)
{
    const StandardWeight w = standardWeight(heightCm);
    // Cut to five characters so that a three-digit weight keeps one decimal.
    const QString upper = QString::fromStdString(fixedText(w.upper, 2)).left(5);
    return QStringLiteral("（標準体重 %1～%2kg）")
        .arg(QString::fromStdString(fixedText(w.lower, 1, 5)), upper);
}

QString standardBodyFatText(int sex)
{
    return QStringLiteral("(標準体脂肪率 %1)").arg(sex == 1 ? QStringLiteral("20%～30%") : QStringLiteral("10%～20%"));
}

void computeEnergySpent(EnergyBalance &balance, const QList<ExerciseDayFigures> &days, double periodBasal,
                        int activity)
{
    double basal = periodBasal;
    balance.exerciseEnergy = 0;
    balance.exerciseMinutes = 0;
    balance.exerciseDays = static_cast<qint32>(days.size());
    if (!days.isEmpty()) {
        // Each day's basal metabolism is summed with that day's weight, so that dividing by
        // the days gives the average day, as it does for the energy and the minutes.
        double energy = 0, minutes = 0, basalSum = 0;
        for (const ExerciseDayFigures &d : days) {
            energy += d.energy;
            minutes += d.minutes;
            basalSum += d.basal;
        }
        const double n = static_cast<double>(days.size());
        balance.exerciseEnergy = energy / n;
        balance.exerciseMinutes = minutes / n;
        basal = basalSum / n;
    }
    balance.basalMetabolism = basal;
    // A day whose exercise fills all of it leaves no time at rest; never less than none.
    const double outside = std::max(0.0, kMinutesPerDay - balance.exerciseMinutes);
    balance.basalOutsideExercise = outside * kPerMinute * basal;
    balance.lifeActivity = outside * kPerMinute * basal * livingActivityFactor(activity);
}

void finishEnergyBalance(EnergyBalance &balance, double energyIntake)
{
    balance.dailyConsumption = balance.exerciseEnergy + balance.basalOutsideExercise + balance.lifeActivity;
    balance.intakeDifference = energyIntake - balance.dailyConsumption;
}

std::optional<WeightRecord> weightInForce(const QList<WeightRecord> &weights, QByteArrayView date)
{
    if (weights.isEmpty())
        return std::nullopt;
    const WeightRecord *found = nullptr;
    for (const WeightRecord &w : weights) {
        if (QByteArrayView(w.date) > date)
            break;
        found = &w;
    }
    return found ? *found : weights.front();
}

void computeBodyFigures(EnergyBalance &balance, AnalysisPeriod period, const QByteArray &periodKey,
                        const QList<QByteArray> &dates, const QList<WeightRecord> &weights)
{
    balance.bodyWeight = -1.0;
    balance.bodyFat = -1.0;
    balance.weightFromOtherDay = false;
    balance.weightDate.clear();
    if (period == AnalysisPeriod::Day) {
        const std::optional<WeightRecord> w = weightInForce(weights, periodKey);
        if (!w)
            return;
        balance.bodyWeight = w->kg;
        if (w->bodyFat > 0.0)
            balance.bodyFat = w->bodyFat;
        if (w->date != periodKey) {
            balance.weightFromOtherDay = true;
            balance.weightDate = w->date;
        }
        return;
    }
    double kg = 0, fat = 0;
    int weighed = 0, measured = 0;
    for (const WeightRecord &w : weights) {
        if (!inPeriod(w.date, periodKey, dates))
            continue;
        kg += w.kg;
        ++weighed;
        if (w.bodyFat > 0.0) {
            fat += w.bodyFat;
            ++measured;
        }
    }
    if (weighed > 0)
        balance.bodyWeight = kg / weighed;
    if (measured > 0)
        balance.bodyFat = fat / measured;
}

QString pfcTargetText(const PfcTargets &t)
{
    return QString::asprintf("(目安:P:%d-%d%% F:%d-%d%% C:%d-%d%%)", t.proteinLower, t.proteinUpper, t.fatLower,
                             t.fatUpper, t.carbohydrateLower, t.carbohydrateUpper);
}

QString weightRecordDateText(const EnergyBalance &balance)
{
    if (!balance.weightFromOtherDay || balance.weightDate.size() != 8)
        return QString();
    const QString d = QString::fromLatin1(balance.weightDate);
    return QStringLiteral("（記録日：%1/%2/%3）").arg(d.left(4), d.mid(4, 2), d.mid(6, 2));
}

QString exerciseTimeText(double minutes)
{
    const long whole = minutes > 0 ? static_cast<long>(minutes) : 0;
    return QString::asprintf("(運動時間:%02ld時間%02ld分)", whole / 60, whole % 60);
}

}  // namespace dalmain
