#pragma once

#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/userdata/ExerciseLogDay.h"
#include "dalmain/userdata/PfcTargets.h"

// A whole analysis of one person: the intake of the period with its judgement figures, the
// energy balance from the exercise and weight logs, the PFC balance, the history and the group
// and exchange figures, all into one AnalysisResult.
namespace dalmain {

struct UserProfile;
class GroupAnalysisData;

// What the figures beyond the intake need to know of the person, read once for a run.
struct AnalysisSubject {
    int age = 0;
    int sex = 0;
    int activity = 1;
    BasalStandardTable basal{};
    ExerciseItemLookup items;
    PfcTargets pfc;
    // The person's group table and exchange list; null for none.
    const GroupAnalysisData *groups = nullptr;
};

// The subject of a profile: its age, sex and activity level, the basal metabolism table and
// the exercise items as the data folder holds them now, and the PFC targets in force.
AnalysisSubject analysisSubject(const UserProfile &profile);

// The run: the intake, averaged for a period; body weight and body fat; the energy spent; the
// history (not for a year), its scale; the PFC balance, meal shares and rates.
AnalysisResult RunAnalysis(const AnalysisRequest &request, const EntryFoodIndex &foods,
                           const IntakeStandard &standard, bool wasteRatioOn, const AnalysisSubject &subject);

}  // namespace dalmain
