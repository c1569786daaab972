#pragma once

#include <QString>

// "KISO%d.DAT": the exercise screen's last basal-metabolism choice for a user, and the value
// the user entered last (9 bytes: the choice, then a little-endian double in kcal).
namespace dalmain {

enum class BasalSource { Computed = 0, Entered = 1 };

struct BasalChoice {
    BasalSource source = BasalSource::Computed;
    double value = 0.0;  // kcal; 0 when none was entered

    bool operator==(const BasalChoice &) const = default;
};

constexpr int kKisoFileSize = 9;

QString kisoFileName(int user);

// The stored choice; the computed value and 0 when the file is missing or too short.
BasalChoice LoadBasalChoice(int user);

// Replaces the file in one step. 1 when stored, else 0 (the old file then stays).
int SaveBasalChoice(int user, const BasalChoice &choice);

}  // namespace dalmain
