#include "dalmain/userdata/ExerciseLogDay.h"

#include "dalmain/userdata/ExerciseLog.h"
#include "dalmain/userdata/WeightLog.h"

#include "dalmain/userdata/ExerciseLogInput.h"

#include "quenkit/text/ShiftJis.h"

#include <algorithm>

namespace dalmain {

ExerciseItemLookup itemLookupOf(const QList<ExerciseItem> &items)
{
    QHash<unsigned, ExerciseItem> byNumber;
    for (const ExerciseItem &item : items)
        byNumber.insert(item.number, item);
    return [byNumber](unsigned number) -> std::optional<ExerciseItem> {
        const auto it = byNumber.constFind(number);
        if (it == byNumber.constEnd())
            return std::nullopt;
        return *it;
    };
}

ExerciseDayBasis exerciseDayBasis(const UserProfile &person, QByteArrayView date, const BasalStandardTable &table)
{
    const std::optional<WeightRecord> weight = WeightOnOrBefore(person.number, date);
    ExerciseDayBasis basis;
    basis.user = person.number;
    basis.activity = person.activity;
    basis.energy = energyBasis(table, person.age, person.sex, weight ? weight->kg : 0.0);
    return basis;
}

ExerciseDay::Added ExerciseDay::insert(ExerciseEntry entry, int position)
{
    if (m_entries.size() >= kExerciseSlots)
        return Added::Full;
    if (entry.isBasal() && hasBasalEntry())
        return Added::BasalAlreadyEntered;
    if (position < 0 || position > m_entries.size())
        position = static_cast<int>(m_entries.size());
    m_entries.insert(position, std::move(entry));
    return Added::Added;
}

bool ExerciseDay::replace(int index, ExerciseEntry entry)
{
    if (index < 0 || index >= m_entries.size())
        return false;
    if (entry.isBasal() && !m_entries[index].isBasal() && hasBasalEntry())
        return false;
    m_entries[index] = std::move(entry);
    return true;
}

bool ExerciseDay::remove(int index)
{
    if (index < 0 || index >= m_entries.size())
        return false;
    m_entries.removeAt(index);
    return true;
}

bool ExerciseDay::hasBasalEntry() const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [](const ExerciseEntry &e) { return e.isBasal(); });
}

double ExerciseDay::exerciseEnergy() const
{
    double sum = 0.0;
    for (const ExerciseEntry &e : m_entries) {
        if (!e.isBasal())
            sum += e.energy;
    }
    return sum;
}

int ExerciseDay::exerciseMinutes() const
{
    int sum = 0;
    for (const ExerciseEntry &e : m_entries)
        sum += e.countedMinutes();
    return sum;
}

double ExerciseDay::basalOverride() const
{
    for (const ExerciseEntry &e : m_entries) {
        if (e.isBasal())
            return e.energy;
    }
    return 0.0;
}

ExerciseSummary ExerciseDay::summary(const ExerciseDayBasis &basis) const
{
    return summarizeExercise(exerciseEnergy(), exerciseMinutes(), basalOverride(), DailyBasalMetabolism(basis.energy),
                             basis.activity);
}

QList<ExerciseSlot> ExerciseDay::logSlots() const
{
    QList<ExerciseSlot> result;
    for (const ExerciseEntry &e : m_entries)
        result.append(slotOfEntry(e));
    return result;
}

std::optional<ExerciseEntry> entryFromSlot(const ExerciseSlot &slot, const ExerciseItemLookup &items,
                                           const EnergyBasis &basis)
{
    if (slot.item == kBasalEntryItem) {
        ExerciseEntry e = basalEntry(slot.valueNumber(), slot.memo);
        e.minutesCode = kDirectEnergyCode;
        return e;
    }
    const std::optional<ExerciseItem> item = items(slot.item);
    if (!item)
        return std::nullopt;
    ExerciseEntry e;
    e.name = item->name;
    e.item = item->number;
    e.minutesCode = slot.minutesCode;
    e.afText = item->afText;
    e.memo = slot.memo;
    if (e.isComputed()) {
        e.energy = ExerciseEnergy(*item, slot.minutesCode, basis);
    } else {
        e.energy = slot.valueNumber();
        if (slot.minutesCode == kEnergyWithoutMinutesCode)
            e.computedMinutes = MinutesForEnergy(*item, e.energy, basis);
    }
    return e;
}

ExerciseDay exerciseDayOf(const ExerciseLogRecord &record, const ExerciseItemLookup &items, const EnergyBasis &basis)
{
    ExerciseDay day;
    for (const ExerciseSlot &slot : record.entrySlots) {
        if (std::optional<ExerciseEntry> entry = entryFromSlot(slot, items, basis))
            day.insert(std::move(*entry));
    }
    return day;
}

ExerciseDay loadExerciseDay(unsigned user, QByteArrayView date, const ExerciseItemLookup &items,
                            const EnergyBasis &basis)
{
    const std::optional<ExerciseLogRecord> record = FindExerciseDay(user, date);
    return record ? exerciseDayOf(*record, items, basis) : ExerciseDay();
}

bool saveExerciseDay(unsigned user, QByteArrayView date, const ExerciseDay &day, QString *error)
{
    return SaveExerciseDay(user, date, day.logSlots(), error);
}

ExerciseListLine exerciseListLine(const ExerciseEntry &entry)
{
    ExerciseListLine line;
    line.name = quenkit::fromSjis(entry.name);
    const std::optional<int> minutes = entry.shownMinutes();
    line.minutes = minutes ? QString::asprintf("%8d", *minutes) : QString(8, QLatin1Char(' '));
    line.energy = QString::asprintf("%8.1f", entry.energy);
    line.memo = quenkit::fromSjis(entry.memo);
    return line;
}

}  // namespace dalmain
