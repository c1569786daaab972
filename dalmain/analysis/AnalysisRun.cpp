#include "dalmain/analysis/AnalysisRun.h"

#include "dalmain/analysis/AnalysisHistory.h"
#include "dalmain/analysis/EnergyBalance.h"
#include "dalmain/master/ExerciseEnergy.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/ExerciseLog.h"
#include "dalmain/userdata/UserProfile.h"
#include "dalmain/userdata/WeightLog.h"

#include <algorithm>

namespace dalmain {

namespace {

// The last date a period covers, for the weight in force at its end.
QByteArray periodEnd(const AnalysisRequest &request, const QList<QByteArray> &dates)
{
    switch (request.period) {
    case AnalysisPeriod::Day:
        return request.periodKey;
    case AnalysisPeriod::Month:
        return request.periodKey + "31";
    case AnalysisPeriod::Year:
        return request.periodKey + "1231";
    case AnalysisPeriod::Selection:
        break;
    }
    return dates.isEmpty() ? QByteArray() : *std::max_element(dates.begin(), dates.end());
}

// Every exercise day of the log the run needs: the analysed year for a day, month or year
// (the history of a day or month covers its year), the whole log for chosen days.
QList<ExerciseDayFigures> exerciseFigures(unsigned user, const AnalysisRequest &request,
                                          const QList<WeightRecord> &weights, const AnalysisSubject &subject)
{
    const QByteArray year = request.period == AnalysisPeriod::Selection ? QByteArray() : request.periodKey.left(4);
    QList<ExerciseDayFigures> figures;
    for (const ExerciseLogRecord &record : ExerciseDaysInRange(user, year, year)) {
        const std::optional<WeightRecord> weight = weightInForce(weights, record.date);
        const EnergyBasis basis = energyBasis(subject.basal, subject.age, subject.sex, weight ? weight->kg : 0.0);
        const ExerciseDay day = exerciseDayOf(record, subject.items, basis);
        figures.append({record.date, day.exerciseEnergy(), day.exerciseMinutes(), DailyBasalMetabolism(basis)});
    }
    return figures;
}

// The energy of every menu record of a year, in file order.
std::vector<MenuDayEnergy> yearMenuEnergies(int user, const QByteArray &year)
{
    std::vector<MenuDayEnergy> days;
    DayMenuReader reader(user);
    DayMenu menu;
    for (const int record : FindDayMenus(user, year)) {
        if (reader.read(record, menu))
            days.push_back({menu.dateKey, storedEnergy(menu)});
    }
    return days;
}

}  // namespace

AnalysisSubject analysisSubject(const UserProfile &profile)
{
    AnalysisSubject subject;
    subject.age = profile.age;
    subject.sex = profile.sex;
    subject.activity = profile.activity;
    LoadBasalStandardTable(subject.basal);
    subject.items = itemLookupOf(readExerciseItems());
    subject.pfc = pfcTargets();
    return subject;
}

AnalysisResult RunAnalysis(const AnalysisRequest &request, const EntryFoodIndex &foods,
                           const IntakeStandard &standard, bool wasteRatioOn, const AnalysisSubject &subject)
{
    AnalysisResult result;
    std::vector<MenuDayEnergy> counted;
    result.dayCount = SumIntake(result, request, foods, wasteRatioOn, &counted, subject.groups);
    if (request.period != AnalysisPeriod::Day)
        AverageIntake(result, result.dayCount);
    // A key that does not fit its period names no days at all.
    if (request.period != AnalysisPeriod::Selection && result.periodKey.isEmpty()) {
        ComputeRates(result, standard);
        return result;
    }

    const unsigned user = static_cast<unsigned>(request.user);
    QList<QByteArray> chosenDates;
    if (request.period == AnalysisPeriod::Selection) {
        for (const MenuDayEnergy &d : counted)
            chosenDates.append(d.dateKey);
    }
    const QList<WeightRecord> weights = readWeights(user);
    EnergyBalance &balance = result.energyBalance;
    computeBodyFigures(balance, request.period, result.periodKey, chosenDates, weights);

    const QList<ExerciseDayFigures> logDays = exerciseFigures(user, request, weights, subject);
    QList<ExerciseDayFigures> periodDays;
    for (const ExerciseDayFigures &d : logDays) {
        const bool inPeriod = request.period == AnalysisPeriod::Selection ? chosenDates.contains(d.date)
                                                                           : d.date.startsWith(result.periodKey);
        if (inPeriod)
            periodDays.append(d);
    }
    // A period without a measurement of its own still has a body that spends energy: the
    // measurement in force at its end stands in for it (the weight shown stays "none").
    double periodWeight = balance.bodyWeight;
    if (periodWeight < 0) {
        const std::optional<WeightRecord> w = weightInForce(weights, periodEnd(request, chosenDates));
        periodWeight = w ? w->kg : 0.0;
    }
    const EnergyBasis periodBasis = energyBasis(subject.basal, subject.age, subject.sex, periodWeight);
    computeEnergySpent(balance, periodDays, DailyBasalMetabolism(periodBasis), subject.activity);
    finishEnergyBalance(balance, result.dayTotal[EnergyKcal]);

    if (request.period != AnalysisPeriod::Year) {
        const std::vector<MenuDayEnergy> menuDays = request.period == AnalysisPeriod::Selection
                                                        ? counted
                                                        : yearMenuEnergies(request.user, result.periodKey.left(4));
        result.history = buildHistory(request.period == AnalysisPeriod::Month, menuDays, logDays, weights,
                                      subject.activity);
    }
    result.historyScale = historyScale(result.history);

    result.pfc = pfcBalance(result.dayTotal, subject.pfc);
    ComputeRates(result, standard);
    return result;
}

}  // namespace dalmain
