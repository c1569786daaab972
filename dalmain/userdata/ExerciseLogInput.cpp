#include "dalmain/userdata/ExerciseLogInput.h"

#include "quenkit/text/ShiftJis.h"

#include <cmath>

namespace dalmain {

EntryCheck checkComputedEntry(int minutes)
{
    if (minutes <= 0)
        return {EntryCheck::Minutes, {}};
    if (minutes > kMinutesPerDay)
        return {EntryCheck::Minutes, kMinutesLimitMessage};
    return {};
}

EntryCheck checkDirectEntry(std::optional<int> minutes, double kcal)
{
    if (minutes && (*minutes < 0 || *minutes > kMinutesPerDay))
        return {EntryCheck::Minutes, kMinutesLimitMessage};
    if (!std::isfinite(kcal) || std::trunc(kcal) < 1.0)
        return {EntryCheck::Energy, {}};
    // The field holds tenths; 999.95 typed would be stored as 1000.0.
    if (std::lround(kcal * 10.0) > kMaxEntryEnergyTenths)
        return {EntryCheck::Energy, kEnergyLimitMessage};
    return {};
}

ExerciseEntry computedEntry(const ExerciseItem &item, int minutes, const EnergyBasis &basis, QByteArray memo)
{
    ExerciseEntry e;
    e.name = item.name;
    e.item = item.number;
    e.minutesCode = minutes;
    e.afText = item.afText.isEmpty() ? afFieldText(item.af) : item.afText;
    e.energy = ExerciseEnergy(item, minutes, basis);
    e.memo = quenkit::cutSjisToWidth(memo, kEntryMemoWidth);
    return e;
}

ExerciseEntry directEntry(const ExerciseItem &item, double kcal, std::optional<int> minutes,
                          const EnergyBasis &basis, QByteArray memo)
{
    ExerciseEntry e;
    e.name = item.name;
    e.item = item.number;
    e.afText = item.afText.isEmpty() ? afFieldText(item.af) : item.afText;
    e.energy = kcal;
    if (minutes) {
        e.minutesCode = kDirectEnergyCode + *minutes;
    } else {
        e.minutesCode = kEnergyWithoutMinutesCode;
        e.computedMinutes = MinutesForEnergy(item, kcal, basis);
    }
    e.memo = quenkit::cutSjisToWidth(memo, kEntryMemoWidth);
    return e;
}

ExerciseEntry basalEntry(double kcal, QByteArray memo)
{
    ExerciseEntry e;
    e.name = quenkit::toSjis(kBasalEntryName);
    e.item = kBasalEntryItem;
    e.minutesCode = 0;
    e.energy = kcal;
    e.memo = quenkit::cutSjisToWidth(memo, kEntryMemoWidth);
    return e;
}

}  // namespace dalmain
