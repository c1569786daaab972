#pragma once

#include "dalmain/master/ExerciseItem.h"
#include "dalmain/userdata/ExerciseLogRecord.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// One line of a day's exercise list, and its fixed 147-byte form (packed, little-endian), the
// unit the exercise screen's private clipboard data is made of:
//   0 name (60, Shift-JIS, NUL-padded), 60 NUL, 61 item number (u32), 65 minutes code (i32),
//   69 Af text (5, no terminator), 74 energy (double), 82 minutes computed back (i32, only for
//   code 9999), 86 memo (61, Shift-JIS, NUL-terminated).
namespace dalmain {

constexpr int kExerciseEntrySize = 147;
constexpr int kEntryNameWidth = 60;
constexpr int kEntryMemoWidth = 60;

// Minutes codes: 1-1440 minutes from which the energy is computed; 2000 + m an energy entered
// with m minutes; 9999 an energy entered without minutes. The basal metabolism entry carries 0
// (entered) or 2000 (loaded) and is known by its item number.
constexpr int kDirectEnergyCode = 2000;
constexpr int kEnergyWithoutMinutesCode = 9999;

inline const QString kBasalEntryName = QStringLiteral("一日の基礎代謝量");

struct ExerciseEntry {
    QByteArray name;          // Shift-JIS
    unsigned item = 0;
    int minutesCode = 0;
    QByteArray afText;        // the item's intensity field, 5 characters
    double energy = 0.0;      // kcal
    int computedMinutes = 0;  // for code 9999: the minutes the energy stands for, else 0
    QByteArray memo;          // Shift-JIS, at most 60 bytes

    bool isBasal() const { return item == kBasalEntryItem; }
    // An entry whose energy follows its minutes and the item's Af.
    bool isComputed() const { return !isBasal() && minutesCode < kDirectEnergyCode; }
    // The minutes the day's exercise time counts: none for the basal metabolism entry and for
    // an energy without minutes.
    int countedMinutes() const;
    // The minutes shown in the list; none for the basal metabolism entry and code 9999.
    std::optional<int> shownMinutes() const;

    bool operator==(const ExerciseEntry &) const = default;
};

QByteArray encodeExerciseEntry(const ExerciseEntry &entry);
// none when fewer than 147 bytes are given.
std::optional<ExerciseEntry> decodeExerciseEntry(QByteArrayView bytes);

// The log slot of an entry: the Af text for a computed entry, the energy for any other.
ExerciseSlot slotOfEntry(const ExerciseEntry &entry);

}  // namespace dalmain
