#pragma once

#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/master/ExerciseItem.h"

#include <QByteArrayView>

// The energy figures of exercise: an entry's energy, its inverse, the day's basal metabolism
// and the energy of daily living outside the recorded exercise.
namespace dalmain {

constexpr int kMinutesPerDay = 1440;
// What MinutesForEnergy gives when the item has no intensity to divide by.
constexpr int kMinutesUnknown = 9999;

// What the formulas take from the person and the day: the basal metabolism standard value of
// the person's row and the body weight in force on the day.
struct EnergyBasis {
    double standard = 0.0;   // kcal / kg / day
    double weightKg = 0.0;

    // kcal per minute at rest: standard x W / 1440.
    double basalPerMinute() const;
};

EnergyBasis energyBasis(const BasalStandardTable &table, int age, int sex, double weightKg);

// kcal of minutes of an activity of this factor (energyFactor: 0.9 for sleep, else Af), which
// includes the basal metabolism of that time, rounded up by 0.05 for the one-decimal display.
// 0 minutes give 0.
double exerciseEnergyForFactor(double factor, int minutes, const EnergyBasis &basis);

// An entry's energy with the item's current Af.
double ExerciseEnergy(const ExerciseItem &item, int minutes, const EnergyBasis &basis);
// The same by item number; 0 when the table has no such item.
double ExerciseEnergy(unsigned itemNumber, int minutes, const EnergyBasis &basis);

// An entry's energy from the Af its log slot holds (the analysis of a period); the item's name
// decides sleep as everywhere else.
double ExerciseEnergyFromAf(QByteArrayView sjisName, double af, int minutes, const EnergyBasis &basis);

// The whole minutes that give kcal with the item (sleep with its factor 0.9), or 9999 when the
// item has no usable intensity or the weight or standard is 0.
int MinutesForEnergy(const ExerciseItem &item, double kcal, const EnergyBasis &basis);

// The basal metabolism of a whole day: standard x W + 0.05.
double DailyBasalMetabolismFor(const EnergyBasis &basis, double weightKg);
double DailyBasalMetabolism(const EnergyBasis &basis);

// The factor of daily living by activity level index: 0.5, 0.75, 1.0; 0 above 2.
double livingActivityFactor(int activity);

// kcal spent in daily living outside the exercise minutes of the day: B x factor x (1440 - m) /
// 1440, B the day's entered basal metabolism when there is one (not 0), else dailyBasal. A day
// whose exercise minutes reach 1440 leaves no time for it: 0, never less.
double LivingActivityEnergy(int activity, double basalOverride, double dailyBasal, int exerciseMinutes);

// The minutes of the day left outside exercise, never below 0.
int minutesOutsideExercise(int exerciseMinutes);

}  // namespace dalmain
