#include "dalmain/analysis/AnalysisHistory.h"

#include "dalmain/master/ExerciseEnergy.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace dalmain {

namespace {

// Sums of one entry's figures before they become averages.
struct Bucket {
    double energy = 0;
    int menuDays = 0;
    double spentA = 0;
    double spentB = 0;
    int exerciseDays = 0;
    double weight = 0;
    int weighed = 0;
};

// The energy spent at rest and in daily life on an exercise day: the day's share outside the
// exercise minutes of its basal metabolism, plus the activity level's factor of that.
double restAndLife(const ExerciseDayFigures &day, int activity)
{
    const double outside = std::max(0.0, double(kMinutesPerDay - day.minutes)) / kMinutesPerDay;
    return outside * day.basal * (1.0 + livingActivityFactor(activity));
}

}  // namespace

std::vector<HistoryEntry> buildHistory(bool byMonth, const std::vector<MenuDayEnergy> &menuDays,
                                       const QList<ExerciseDayFigures> &exerciseDays,
                                       const QList<WeightRecord> &weights, int activity)
{
    const qsizetype keyLength = byMonth ? 6 : 8;
    // Ordered by key, so the entries come out sorted byte-wise as the graph wants them.
    std::map<QByteArray, Bucket> buckets;
    for (const MenuDayEnergy &day : menuDays) {
        Bucket &b = buckets[day.dateKey.left(keyLength)];
        b.energy += day.energy;
        ++b.menuDays;
    }
    for (const ExerciseDayFigures &day : exerciseDays) {
        const auto it = buckets.find(day.date.left(keyLength));
        if (it == buckets.end())
            continue;
        it->second.spentA += day.energy;
        it->second.spentB += restAndLife(day, activity);
        ++it->second.exerciseDays;
    }
    for (const WeightRecord &w : weights) {
        const auto it = buckets.find(w.date.left(keyLength));
        if (it == buckets.end())
            continue;
        it->second.weight += w.kg;
        ++it->second.weighed;
    }

    std::vector<HistoryEntry> history;
    for (const auto &[key, b] : buckets) {
        if (history.size() >= size_t(kMaxHistoryEntries))
            break;
        HistoryEntry e;
        e.dateKey = key;
        e.energyIntake = b.energy / b.menuDays;
        if (b.exerciseDays > 0) {
            e.energySpentA = b.spentA / b.exerciseDays;
            e.energySpentB = b.spentB / b.exerciseDays;
        }
        if (b.weighed > 0)
            e.bodyWeight = b.weight / b.weighed;
        history.push_back(e);
    }
    return history;
}

HistoryScale historyScale(const std::vector<HistoryEntry> &history)
{
    HistoryScale scale;
    bool first = true;
    for (const HistoryEntry &e : history) {
        const double spent = std::trunc(e.energySpentA) + std::trunc(e.energySpentB);
        const double lo = std::min(e.energyIntake, spent);
        const double hi = std::max(e.energyIntake, spent);
        scale.energyMin = first ? lo : std::min(scale.energyMin, lo);
        scale.energyMax = first ? hi : std::max(scale.energyMax, hi);
        first = false;
    }
    if (scale.energyMin == scale.energyMax && scale.energyMin > 0) {
        scale.energyMin = scale.energyMin > 1000 ? scale.energyMin - 1000 : 0;
        scale.energyMax += 500;
    }
    if (scale.energyMin == 0 && scale.energyMax == 0)
        scale.energyMax = 1000;
    scale.energyMax += 500;

    bool weighed = false;
    for (const HistoryEntry &e : history) {
        if (e.bodyWeight <= 0)
            continue;
        scale.weightMin = weighed ? std::min(scale.weightMin, e.bodyWeight) : e.bodyWeight;
        scale.weightMax = weighed ? std::max(scale.weightMax, e.bodyWeight) : e.bodyWeight;
        weighed = true;
    }
    scale.weightMin = std::trunc(scale.weightMin) - 30 < 1 ? 0 : scale.weightMin - 30;
    scale.weightMax += 30;
    return scale;
}

}  // namespace dalmain
