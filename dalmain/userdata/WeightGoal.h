#pragma once

#include <QString>

// "WG%d.DAT": the weight screen's goals for a user, the goal weight as text in 5 characters
// and the goal body-fat percentage in 4 ("%5s%4s"), then a NUL.
namespace dalmain {

struct WeightGoal {
    double weight = -1.0;  // kg; -1 when not set
    double bodyFat = 0.0;  // percent; 0 or less when not set

    bool operator==(const WeightGoal &) const = default;
};

constexpr int kWeightGoalFileSize = 10;
constexpr int kGoalWeightWidth = 5;
constexpr int kGoalBodyFatWidth = 4;

QString weightGoalFileName(int user);

// The stored goals; none when the file is missing or too short. A blank text is no goal.
WeightGoal LoadWeightGoal(int user);

// Stores the goal texts as the goal dialog shows them (for example "62.5" and "24.0"),
// right-aligned in their widths, replacing the file in one step. 1 when stored; 0 when a text
// does not fit its width or the file could not be written (the old goals then stay).
int SaveWeightGoal(int user, const QString &weightText, const QString &bodyFatText);

}  // namespace dalmain
