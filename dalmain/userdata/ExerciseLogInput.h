#pragma once

#include "dalmain/master/ExerciseEnergy.h"
#include "dalmain/userdata/ExerciseLogEntry.h"

#include <QString>

#include <optional>

// What the entry dialog of the exercise screen accepts, and the entries it makes.
namespace dalmain {

inline const QString kEntryInputCaption = QStringLiteral("運動種目の入力");
inline const QString kMinutesLimitMessage = QStringLiteral("運動時間は1440分以内で入力して下さい。");
inline const QString kEnergyLimitMessage = QStringLiteral("運動消費エネルギーは999.9kcal以内で入力して下さい。");

// The highest energy an entry takes, in tenths of a kcal (999.9).
constexpr int kMaxEntryEnergyTenths = 9999;

struct EntryCheck {
    enum Field { None, Minutes, Energy } field = None;
    QString message;  // empty when the dialog only puts the focus back
    bool ok() const { return field == None; }
};

// Minutes from which the energy is computed: 1-1440. 0 is refused without a message.
EntryCheck checkComputedEntry(int minutes);
// An energy entered directly, with minutes (0-1440) or without: the energy's whole part must
// be at least 1 (refused without a message) and the energy at most 999.9.
EntryCheck checkDirectEntry(std::optional<int> minutes, double kcal);

// An entry of minutes of item, its energy computed with the item's Af.
ExerciseEntry computedEntry(const ExerciseItem &item, int minutes, const EnergyBasis &basis, QByteArray memo = {});
// An entry of an energy entered directly: code 2000 + minutes, or 9999 without minutes, which
// keeps the minutes the energy stands for beside it.
ExerciseEntry directEntry(const ExerciseItem &item, double kcal, std::optional<int> minutes,
                          const EnergyBasis &basis, QByteArray memo = {});
// The day's basal metabolism entry.
ExerciseEntry basalEntry(double kcal, QByteArray memo = {});

}  // namespace dalmain
