#pragma once

#include "dalmain/userdata/UserLogTemplates.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

// The bytes of a day of the exercise log "S%u.DBF": the date "YYYYMMDD", then 30 slots of 74
// bytes, one per entry in list order, zero bytes after the last one.
//
// A slot: item number "%5u" (65535 the day's basal metabolism), minutes code "%4d", a 5-byte
// value (the item's Af text for an entry computed from minutes, else the energy in kcal), the
// memo in Shift-JIS, NUL-padded to 60 bytes.
namespace dalmain {

constexpr int kExerciseDateWidth = 8;
constexpr int kExerciseBodyLength = kExerciseDateWidth + kExerciseSlots * kExerciseSlotWidth;  // 2228

namespace exerciseslot {
constexpr int ItemWidth = 5;
constexpr int CodeWidth = 4;
constexpr int ValueWidth = 5;
constexpr int MemoWidth = 60;
}  // namespace exerciseslot

struct ExerciseSlot {
    unsigned item = 0;
    int minutesCode = 0;
    QByteArray value;   // the 5 bytes of the third field as stored
    QByteArray memo;    // Shift-JIS, at most 60 bytes

    double valueNumber() const;
    bool operator==(const ExerciseSlot &) const = default;
};

struct ExerciseLogRecord {
    QByteArray date;
    QList<ExerciseSlot> entrySlots;
};

// The energy as the third field holds it: "%5.1f", or whole kcal right-aligned when one
// decimal does not fit five characters (a basal metabolism of 1000 kcal and more).
QByteArray energyFieldText(double kcal);

// 74 bytes. Texts longer than their field are cut at a character boundary.
QByteArray encodeExerciseSlot(const ExerciseSlot &slot);
// none for a slot whose first byte is zero, the end of the list.
std::optional<ExerciseSlot> decodeExerciseSlot(QByteArrayView bytes);

// The record body (2228 bytes); empty when there are more than 30 slots or the date is not 8
// characters.
QByteArray encodeExerciseRecord(QByteArrayView date, const QList<ExerciseSlot> &entrySlots);
// The date and the slots up to the first empty one; a body shorter than 2228 bytes gives the
// whole slots it holds.
ExerciseLogRecord decodeExerciseRecord(QByteArrayView body);

}  // namespace dalmain
