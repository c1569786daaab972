#pragma once

#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/master/ExerciseEnergy.h"
#include "dalmain/master/ExerciseSummary.h"
#include "dalmain/userdata/ExerciseLogEntry.h"
#include "dalmain/userdata/ExerciseLogRecord.h"
#include "dalmain/userdata/UserProfile.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// A day of the exercise screen: its list of at most 30 entries and the figures made of it.
// The totals are always taken from the entries themselves, so they equal what loading the
// saved day gives, whatever was added, changed or removed before.
namespace dalmain {

inline const QString kExerciseCaption = QStringLiteral("運動");
inline const QString kExerciseFullMessage = QStringLiteral("運動種目の数は３０件までです。");
inline const QString kBasalCaption = QStringLiteral("基礎代謝量について");
inline const QString kBasalEnteredMessage = QStringLiteral("基礎代謝量は入力済みです。");

using ExerciseItemLookup = std::function<std::optional<ExerciseItem>(unsigned number)>;
// A lookup over items read once (readExerciseItems()).
ExerciseItemLookup itemLookupOf(const QList<ExerciseItem> &items);

// What a person's day is computed with.
struct ExerciseDayBasis {
    unsigned user = 0;
    int activity = 1;
    EnergyBasis energy;     // the person's standard value and the weight in force on the day
};

// The basis of the person's day: the standard value of the loaded table, and the weight of the
// last measurement on or before date (the first measurement when all are later; 0 when none).
ExerciseDayBasis exerciseDayBasis(const UserProfile &person, QByteArrayView date, const BasalStandardTable &table);

class ExerciseDay
{
public:
    enum class Added { Added, Full, BasalAlreadyEntered };

    const QList<ExerciseEntry> &entries() const { return m_entries; }
    int count() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    // Inserts before position (the end when out of range). A 31st entry and a second basal
    // metabolism entry are refused.
    Added insert(ExerciseEntry entry, int position = -1);
    // Replaces entry index (an entry may not become a second basal metabolism entry).
    bool replace(int index, ExerciseEntry entry);
    bool remove(int index);
    void clear() { m_entries.clear(); }

    bool hasBasalEntry() const;
    // The sum of the energies of every entry but the basal metabolism entry.
    double exerciseEnergy() const;
    // The sum of the entries' counted minutes.
    int exerciseMinutes() const;
    // The energy of the basal metabolism entry; 0 without one.
    double basalOverride() const;

    // The figures under the list.
    ExerciseSummary summary(const ExerciseDayBasis &basis) const;

    QList<ExerciseSlot> logSlots() const;

private:
    QList<ExerciseEntry> m_entries;
};

// The entry of a saved slot: the basal metabolism entry as saved (code 2000); an entry computed
// from minutes with the item's current Af; a direct entry with its saved energy. None when the
// item no longer exists.
std::optional<ExerciseEntry> entryFromSlot(const ExerciseSlot &slot, const ExerciseItemLookup &items,
                                           const EnergyBasis &basis);

// The day of a record (slots whose item no longer exists are left out).
ExerciseDay exerciseDayOf(const ExerciseLogRecord &record, const ExerciseItemLookup &items, const EnergyBasis &basis);

// The user's day as the log holds it; an empty day when it has none.
ExerciseDay loadExerciseDay(unsigned user, QByteArrayView date, const ExerciseItemLookup &items,
                            const EnergyBasis &basis);

// Writes the day to the user's log (an empty day removes its record).
bool saveExerciseDay(unsigned user, QByteArrayView date, const ExerciseDay &day, QString *error = nullptr);

// One list line: name, minutes ("%8d", blank for the basal metabolism entry and code 9999),
// energy ("%8.1f") and memo.
struct ExerciseListLine {
    QString name;
    QString minutes;
    QString energy;
    QString memo;
};
ExerciseListLine exerciseListLine(const ExerciseEntry &entry);

}  // namespace dalmain
