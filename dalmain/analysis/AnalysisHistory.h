#pragma once

#include "dalmain/analysis/AnalysisResult.h"
#include "dalmain/analysis/EnergyBalance.h"

#include <QByteArray>
#include <QHash>
#include <QList>

#include <vector>

// The energy and weight history behind the history graph: the energy eaten on each day (or
// month) of the menu file, the energy spent on it and the body weight, with the graph's axes.
namespace dalmain {

// A day of the menu file as the history takes it: its date and the energy its record stores
// for the four meals.
struct MenuDayEnergy {
    QByteArray dateKey;     // YYYYMMDD
    double energy = 0;      // kcal
};

// The history entries of the menu days: one per day, or for the month kind one per month
// (key YYYYMM) with the average energy of its days. Each entry then gets the energy spent on
// its exercise days (spentA the exercise, spentB basal metabolism outside it and daily life;
// averaged over the month's exercise days for a month) and the weight measured on it (averaged
// over the month's measurements). Sorted by date key, at most kMaxHistoryEntries.
std::vector<HistoryEntry> buildHistory(bool byMonth, const std::vector<MenuDayEnergy> &menuDays,
                                       const QList<ExerciseDayFigures> &exerciseDays,
                                       const QList<WeightRecord> &weights, int activity);

// The axes of the history graph. Energy: from the smallest to the largest of the energies eaten
// and spent (the two spent figures cut to whole kcal before adding), widened around a single
// value, 0-1000 with no value, and 500 added at the top. Weight: 30 kg either side of the
// lightest and heaviest weighed entry, never below 0; entries without a weight take no part.
HistoryScale historyScale(const std::vector<HistoryEntry> &history);

}  // namespace dalmain
