#include "dalmain/analysis/IntakeAggregation.h"

#include "dalmain/analysis/GroupAnalysis.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"

#include <cmath>
#include <limits>

namespace dalmain {

namespace {

constexpr double kAmountPerTenth = 0.1;
// Added to the number of days before dividing, so that an exact half of a food count rounds
// down and the division never meets zero.
constexpr double kDayDivisorBias = 0.000005;

constexpr size_t kFoodNumberSlots = size_t(std::numeric_limits<quint16>::max()) + 1;

void scaleRows(GroupRows &rows, double divisor)
{
    for (auto &row : rows) {
        for (double &v : row)
            v /= divisor;
    }
}

void scaleVector(NutrientVector &values, double divisor)
{
    for (double &v : values)
        v /= divisor;
}

}  // namespace

EntryFoodIndex::EntryFoodIndex()
    : m_slotOfNumber(kFoodNumberSlots, -1)
{
}

EntryFoodIndex EntryFoodIndex::fromCache(const FoodCache &cache)
{
    EntryFoodIndex index;
    index.m_foods.reserve(static_cast<size_t>(cache.size()));
    for (const FoodCacheEntry &entry : cache) {
        if (entry.number >= kDishHeader)
            continue;
        EntryFood food;
        food.per100g = entry.nutrients;
        food.wasteRatio = entry.wasteRatio;
        food.group = static_cast<int>(entry.group);
        index.add(static_cast<quint16>(entry.number), food);
    }
    return index;
}

void EntryFoodIndex::add(quint16 number, const EntryFood &food)
{
    // These numbers mark empty slots and dish headers in a menu; a food carrying one would be
    // counted for every such slot.
    if (number == kEmptySlot || number == kDishHeader)
        return;
    qint32 &slot = m_slotOfNumber[number];
    if (slot >= 0)
        return;
    slot = static_cast<qint32>(m_foods.size());
    m_foods.push_back(food);
}

const EntryFood *EntryFoodIndex::find(quint16 number) const
{
    const qint32 slot = m_slotOfNumber[number];
    return slot < 0 ? nullptr : &m_foods[static_cast<size_t>(slot)];
}

AnalysisRequest AnalysisRequest::day(int user, const QByteArray &dateKey)
{
    return {user, AnalysisPeriod::Day, dateKey, {}};
}

AnalysisRequest AnalysisRequest::month(int user, const QByteArray &monthKey)
{
    return {user, AnalysisPeriod::Month, monthKey, {}};
}

AnalysisRequest AnalysisRequest::year(int user, const QByteArray &yearKey)
{
    return {user, AnalysisPeriod::Year, yearKey, {}};
}

AnalysisRequest AnalysisRequest::chosen(int user, const QList<int> &records)
{
    return {user, AnalysisPeriod::Selection, QByteArray(), records};
}

void AddDayIntake(AnalysisResult &result, const DayMenu &menu, const EntryFoodIndex &foods, bool wasteRatioOn)
{
    for (int row = 0; row < kAnalysisRows; ++row)
        result.foodCounts[row] += menu.foodCounts[row];

    for (int meal = 0; meal < kAnalysisMeals; ++meal) {
        NutrientVector &mealSum = result.mealSums[meal];
        for (const DayMenuEntry &entry : menu.entries[meal]) {
            // Empty slots and dish headers find no food, so every slot can be visited.
            const EntryFood *food = foods.find(entry.food);
            if (!food)
                continue;
            const NutrientVector amount = entryNutrients(food, entry.amountTenths * kAmountPerTenth, wasteRatioOn);
            addNutrients(mealSum, amount);
            addNutrients(result.dayTotal, amount);
        }
    }
}

QList<int> analysisRecords(const AnalysisRequest &request)
{
    if (request.period == AnalysisPeriod::Selection)
        return request.selection;
    if (request.periodKey.size() != periodKeyLength(request.period))
        return {};
    if (request.period == AnalysisPeriod::Day) {
        const int record = FindDayMenu(request.user, request.periodKey, 1);
        return record ? QList<int>{record} : QList<int>{};
    }
    return FindDayMenus(request.user, request.periodKey);
}

double storedEnergy(const DayMenu &menu)
{
    double energy = 0;
    for (int meal = 0; meal < kMealCount; ++meal)
        energy += menu.totals[meal][EnergyKcal];
    return energy;
}

int SumIntake(AnalysisResult &result, const AnalysisRequest &request, const EntryFoodIndex &foods,
              bool wasteRatioOn, std::vector<MenuDayEnergy> *countedDays, const GroupAnalysisData *groups)
{
    const bool selection = request.period == AnalysisPeriod::Selection;
    if (!selection && request.periodKey.size() != periodKeyLength(request.period))
        return 0;
    result.periodKey = selection ? QByteArray() : request.periodKey;
    const QList<int> records = analysisRecords(request);

    int days = 0;
    DayMenu menu;
    DayMenuReader reader(request.user);
    for (const int record : records) {
        // A chosen record that is gone (the file changed since the choice) is not a day eaten:
        // counting it would lower every average.
        if (!reader.read(record, menu))
            continue;
        AddDayIntake(result, menu, foods, wasteRatioOn);
        if (groups)
            AddDayGroups(result, menu, *groups, wasteRatioOn);
        if (countedDays)
            countedDays->push_back({menu.dateKey, storedEnergy(menu)});
        ++days;
    }
    return days;
}

void AverageIntake(AnalysisResult &result, int days)
{
    if (days < 1)
        return;
    const double divisor = days + kDayDivisorBias;
    for (NutrientVector &meal : result.mealSums)
        scaleVector(meal, divisor);
    scaleVector(result.dayTotal, divisor);
    for (quint32 &count : result.foodCounts)
        count = static_cast<quint32>(std::floor(count / divisor + 0.5));
    scaleRows(result.groupAmounts, divisor);
    scaleRows(result.exchangeUnits, divisor);
}

void ComputeRates(AnalysisResult &result, const IntakeStandard &standard)
{
    for (int i = 0; i < kNutrientCount; ++i) {
        const IntakeBound &r = standard[i];
        const double intake = result.dayTotal[static_cast<size_t>(i)];
        result.sufficiencyRate[static_cast<size_t>(i)] = sufficiencyRate(intake, r.lower, r.upper);
        result.targetRate[static_cast<size_t>(i)] = targetRate(intake, r.lower, r.upper);
        if (intake > 0.0) {
            for (int meal = 0; meal < kAnalysisMeals; ++meal)
                result.mealShares[meal][static_cast<size_t>(i)] =
                    result.mealSums[meal][static_cast<size_t>(i)] / intake * 100.0;
        }
    }
}

AnalysisResult RunAnalysis(const AnalysisRequest &request, const EntryFoodIndex &foods,
                           const IntakeStandard &standard, bool wasteRatioOn)
{
    AnalysisResult result;
    result.dayCount = SumIntake(result, request, foods, wasteRatioOn);
    if (request.period != AnalysisPeriod::Day)
        AverageIntake(result, result.dayCount);
    ComputeRates(result, standard);
    return result;
}

}  // namespace dalmain
