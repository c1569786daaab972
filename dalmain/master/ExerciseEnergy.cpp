#include "dalmain/master/ExerciseEnergy.h"

#include <climits>
#include <cmath>

namespace dalmain {

namespace {
// Multiplied in, as every figure of the program was computed that way.
constexpr double kPerMinute = 1.0 / 1440.0;
constexpr double kDisplayRounding = 0.05;
}  // namespace

double EnergyBasis::basalPerMinute() const
{
    return standard * kPerMinute * weightKg;
}

EnergyBasis energyBasis(const BasalStandardTable &table, int age, int sex, double weightKg)
{
    return {StandardBasalRate(table, age, sex), weightKg};
}

double exerciseEnergyForFactor(double factor, int minutes, const EnergyBasis &basis)
{
    if (minutes == 0)
        return 0.0;
    const double base = basis.standard * kPerMinute * minutes * basis.weightKg;
    return factor * base + kDisplayRounding;
}

double ExerciseEnergy(const ExerciseItem &item, int minutes, const EnergyBasis &basis)
{
    return exerciseEnergyForFactor(energyFactor(item), minutes, basis);
}

double ExerciseEnergy(unsigned itemNumber, int minutes, const EnergyBasis &basis)
{
    const std::optional<ExerciseItem> item = findExerciseItem(itemNumber);
    return item ? ExerciseEnergy(*item, minutes, basis) : 0.0;
}

double ExerciseEnergyFromAf(QByteArrayView sjisName, double af, int minutes, const EnergyBasis &basis)
{
    return exerciseEnergyForFactor(energyFactor(sjisName, af), minutes, basis);
}

int MinutesForEnergy(const ExerciseItem &item, double kcal, const EnergyBasis &basis)
{
    const double factor = energyFactor(item);
    if (factor <= 0.0)
        return kMinutesUnknown;
    const double rate = factor * basis.basalPerMinute();
    if (rate == 0.0)
        return kMinutesUnknown;
    const double minutes = std::trunc(kcal / rate);
    if (!std::isfinite(minutes) || minutes < INT_MIN || minutes > INT_MAX)
        return kMinutesUnknown;
    return static_cast<int>(minutes);
}

double DailyBasalMetabolismFor(const EnergyBasis &basis, double weightKg)
{
    return basis.standard * kPerMinute * weightKg * kMinutesPerDay + kDisplayRounding;
}

double DailyBasalMetabolism(const EnergyBasis &basis)
{
    return DailyBasalMetabolismFor(basis, basis.weightKg);
}

double livingActivityFactor(int activity)
{
    switch (activity) {
    case 0:
        return 0.5;
    case 1:
        return 0.75;
    case 2:
        return 1.0;
    default:
        return 0.0;
    }
}

int minutesOutsideExercise(int exerciseMinutes)
{
    return exerciseMinutes >= kMinutesPerDay ? 0 : kMinutesPerDay - exerciseMinutes;
}

double LivingActivityEnergy(int activity, double basalOverride, double dailyBasal, int exerciseMinutes)
{
    if (activity < 0 || activity > 2)
        return 0.0;
    const double basal = basalOverride != 0.0 ? basalOverride : dailyBasal;
    return basal * livingActivityFactor(activity) * minutesOutsideExercise(exerciseMinutes) * kPerMinute;
}

}  // namespace dalmain
