#pragma once

#include <QString>
#include <QStringList>

// The figures shown under a day's exercise list: exercise time and energy, basal metabolism,
// energy of daily living and the day's total, with the guideline for the activity level.
namespace dalmain {

struct ExerciseSummary {
    int minutes = 0;           // exercise minutes of the day
    double exercise = 0.0;     // E: energy of the exercise entries, kcal
    double basal = 0.0;        // B: the entered basal metabolism, else the computed one
    double living = 0.0;       // L
    double daily = 0.0;        // E + B x (1440 - m) / 1440 + L
    int activity = 1;
};

// basalOverride 0 means none was entered; dailyBasal is DailyBasalMetabolism of the day.
ExerciseSummary summarizeExercise(double exerciseEnergy, int minutes, double basalOverride, double dailyBasal,
                                  int activity);

// "週に1～2回…" for levels 0 and 1, "運動は足りています…" for level 2 (and above).
QString exerciseGuideline(int activity);
// What a moderate exercise is, the reference and the note on the day's total, in that order.
QStringList exerciseNotes();

// The summary lines as the screen paints them: time, exercise, basal, living, daily, then the
// guideline line.
QStringList exerciseSummaryLines(const ExerciseSummary &summary);

}  // namespace dalmain
