#pragma once

#include <QString>

// The target ranges of the PFC balance: protein, fat and carbohydrate as whole percentages of
// the energy, kept in the settings store (section "PFC") and edited in the PFC settings.
namespace dalmain {

inline const QString kPfcSection = QStringLiteral("PFC");

struct PfcTargets {
    int proteinLower = 10;       // "P1"
    int proteinUpper = 15;       // "P2"
    int fatLower = 20;           // "F1"
    int fatUpper = 25;           // "F2"
    int carbohydrateLower = 60;  // "C1"
    int carbohydrateUpper = 70;  // "C2"

    friend bool operator==(const PfcTargets &, const PfcTargets &) = default;
};

// The ranges stored now; a value never stored takes its default.
PfcTargets readPfcTargets();

// The ranges the analysis works with: those read when the user's reference values were last set
// up (the user's entries passed their check), the defaults before that.
const PfcTargets &pfcTargets();
void reloadPfcTargets();

}  // namespace dalmain
