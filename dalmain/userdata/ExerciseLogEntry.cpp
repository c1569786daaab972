#include "dalmain/userdata/ExerciseLogEntry.h"

#include "quenkit/text/ShiftJis.h"

#include <QtEndian>

#include <cstring>

namespace dalmain {

namespace {

constexpr int kNameAt = 0;
constexpr int kItemAt = 61;
constexpr int kCodeAt = 65;
constexpr int kAfAt = 69;
constexpr int kEnergyAt = 74;
constexpr int kComputedAt = 82;
constexpr int kMemoAt = 86;
constexpr int kAfWidth = 5;

QByteArray textUpToNul(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return (nul >= 0 ? bytes.first(nul) : bytes).toByteArray();
}

}  // namespace

int ExerciseEntry::countedMinutes() const
{
    if (isBasal() || minutesCode == kEnergyWithoutMinutesCode)
        return 0;
    return minutesCode < kDirectEnergyCode ? minutesCode : minutesCode - kDirectEnergyCode;
}

std::optional<int> ExerciseEntry::shownMinutes() const
{
    if (isBasal() || minutesCode == kEnergyWithoutMinutesCode)
        return std::nullopt;
    return countedMinutes();
}

QByteArray encodeExerciseEntry(const ExerciseEntry &entry)
{
    QByteArray bytes(kExerciseEntrySize, '\0');
    char *p = bytes.data();
    const QByteArray name = quenkit::cutSjisToWidth(entry.name, kEntryNameWidth);
    std::memcpy(p + kNameAt, name.constData(), name.size());
    qToLittleEndian<quint32>(entry.item, p + kItemAt);
    qToLittleEndian<qint32>(entry.minutesCode, p + kCodeAt);
    const QByteArray af = entry.afText.left(kAfWidth).leftJustified(kAfWidth, ' ');
    std::memcpy(p + kAfAt, af.constData(), kAfWidth);
    qToLittleEndian<double>(entry.energy, p + kEnergyAt);
    qToLittleEndian<qint32>(entry.computedMinutes, p + kComputedAt);
    const QByteArray memo = quenkit::cutSjisToWidth(entry.memo, kEntryMemoWidth);
    std::memcpy(p + kMemoAt, memo.constData(), memo.size());
    return bytes;
}

std::optional<ExerciseEntry> decodeExerciseEntry(QByteArrayView bytes)
{
    if (bytes.size() < kExerciseEntrySize)
        return std::nullopt;
    const char *p = bytes.data();
    ExerciseEntry entry;
    entry.name = textUpToNul(bytes.sliced(kNameAt, kEntryNameWidth));
    entry.item = qFromLittleEndian<quint32>(p + kItemAt);
    entry.minutesCode = qFromLittleEndian<qint32>(p + kCodeAt);
    entry.afText = bytes.sliced(kAfAt, kAfWidth).toByteArray();
    entry.energy = qFromLittleEndian<double>(p + kEnergyAt);
    entry.computedMinutes = qFromLittleEndian<qint32>(p + kComputedAt);
    // The memo field is 61 bytes with its terminator; one that lacks it ends at 60.
    entry.memo = textUpToNul(bytes.sliced(kMemoAt, kEntryMemoWidth));
    return entry;
}

ExerciseSlot slotOfEntry(const ExerciseEntry &entry)
{
    ExerciseSlot slot;
    slot.item = entry.item;
    slot.minutesCode = entry.minutesCode;
    slot.value = entry.isComputed() ? entry.afText : energyFieldText(entry.energy);
    slot.memo = entry.memo;
    return slot;
}

}  // namespace dalmain
