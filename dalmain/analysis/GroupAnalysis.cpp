#include "dalmain/analysis/GroupAnalysis.h"

#include "dalmain/master/FixedText.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/UserProfile.h"

#include <limits>

namespace dalmain {

namespace {

constexpr size_t kMenuFoodNumbers = size_t(std::numeric_limits<quint16>::max()) + 1;
constexpr int kVegetableGroup = 6;   // 表６ of the diabetes list counts grams, not energy

template<typename Entry>
std::vector<qint32> firstOfEachFood(const QList<Entry> &entries, quint32 Entry::*food)
{
    std::vector<qint32> first(kMenuFoodNumbers, -1);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const quint32 number = entries[i].*food;
        if (number < kMenuFoodNumbers && first[number] < 0)
            first[number] = static_cast<qint32>(i);
    }
    return first;
}

// The meal's entries up to its first empty slot.
template<typename Visit>
void forEachEntry(const DayMenu &menu, int meal, Visit visit)
{
    for (const DayMenuEntry &entry : menu.entries[static_cast<size_t>(meal)]) {
        if (entry.food == kEmptySlot)
            return;
        if (entry.isFood())
            visit(entry);
    }
}

}  // namespace

GroupAnalysisData::GroupAnalysisData(std::optional<GroupData> groups, ExchangeData exchange)
    : m_groups(std::move(groups))
    , m_exchange(std::move(exchange))
{
    if (m_groups)
        m_exceptionOfFood = firstOfEachFood(m_groups->exceptions, &GroupException::food);
    m_exchangeOfFood = firstOfEachFood(m_exchange.foods, &ExchangeFood::food);
}

const GroupException *GroupAnalysisData::exceptionOf(quint32 food) const
{
    if (!m_groups || food >= m_exceptionOfFood.size() || m_exceptionOfFood[food] < 0)
        return nullptr;
    return &m_groups->exceptions[m_exceptionOfFood[food]];
}

const ExchangeFood *GroupAnalysisData::exchangeOf(quint32 food) const
{
    if (food >= m_exchangeOfFood.size() || m_exchangeOfFood[food] < 0)
        return nullptr;
    return &m_exchange.foods[m_exchangeOfFood[food]];
}

double exchangeUnits(ExchangeKind kind, const ExchangeFood &food, double amountGrams, bool wasteRatioOn)
{
    double hundreds = amountGrams * 0.01;
    if (wasteRatioOn && food.wasteRatio > 0)
        hundreds = (100.0 - food.wasteRatio) * 0.01 * hundreds;
    switch (kind) {
    case ExchangeKind::Diabetes:
        return food.group == kVegetableGroup ? hundreds / 3.0 : hundreds * food.energy * 0.0125;
    case ExchangeKind::Kidney:
        return hundreds * food.protein / 3.0;
    case ExchangeKind::None:
        break;
    }
    return 0.0;
}

void AddDayGroups(AnalysisResult &result, const DayMenu &menu, const GroupAnalysisData &data, bool wasteRatioOn)
{
    constexpr int total = kAnalysisRows - 1;
    if (const std::optional<GroupData> &groups = data.groups()) {
        GroupRows &rows = result.groupAmounts;
        for (int row = 0; row < kAnalysisRows; ++row) {
            for (int s = 0; s < kTableGroups; ++s) {
                const int g = groups->groupIndex[static_cast<size_t>(s)];
                if (g >= 0)
                    rows[row][g] += menu.groupsAsEntered[row][s];
            }
        }
        const int targets = groups->table.groupCount();
        for (int meal = 0; meal < kAnalysisMeals; ++meal) {
            forEachEntry(menu, meal, [&](const DayMenuEntry &entry) {
                const GroupException *e = data.exceptionOf(entry.food);
                if (!e)
                    return;
                const double grams = entry.amountTenths * 0.1;
                const int source = e->sourceGroup >= 1 && e->sourceGroup <= kTableGroups
                                       ? groups->groupIndex[e->sourceGroup - 1]
                                       : -1;
                if (source >= 0) {
                    rows[meal][source] -= grams;
                    rows[total][source] -= grams;
                    // What is left of a meal's group after the grams moved out is a rounding
                    // remainder when it shows as zero.
                    const std::string shown = fixedText(rows[meal][source], 1);
                    if (shown == "0.0" || shown == "-0.0")
                        rows[meal][source] = 0.0;
                }
                // A group the table does not name cannot show what it receives.
                if (e->targetGroup >= 1 && e->targetGroup <= targets) {
                    rows[meal][e->targetGroup - 1] += grams;
                    rows[total][e->targetGroup - 1] += grams;
                }
            });
        }
    }

    const ExchangeKind kind = data.exchange().kind;
    if (kind == ExchangeKind::None)
        return;
    for (int meal = 0; meal < kAnalysisMeals; ++meal) {
        forEachEntry(menu, meal, [&](const DayMenuEntry &entry) {
            const ExchangeFood *food = data.exchangeOf(entry.food);
            if (!food || food->group < 1 || food->group > kAnalysisGroups)
                return;
            const double units = exchangeUnits(kind, *food, entry.amountTenths * 0.1, wasteRatioOn);
            result.exchangeUnits[meal][food->group - 1] += units;
            result.exchangeUnits[total][food->group - 1] += units;
        });
    }
}

GroupAnalysisData LoadGroupAnalysis(const UserProfile &profile, const FoodCache &cache)
{
    std::optional<GroupData> groups;
    if (!profile.foodGroupTable.trimmed().isEmpty())
        groups = LoadGroupData(profile.foodGroupTable, profile.intakeTable);
    ExchangeData exchange;
    LoadExchangeData(profile.exchangeTable, profile.unitTable, cache, exchange);
    return GroupAnalysisData(std::move(groups), std::move(exchange));
}

std::optional<GroupTableText> groupTableText(const GroupAnalysisData &data, const UserProfile &profile)
{
    if (!data.groups())
        return std::nullopt;
    const FoodGroupTable &table = data.groups()->table;
    GroupTableText text;
    text.tableName = profile.foodGroupTable.trimmed();
    for (int g = 0; g < table.groupCount(); ++g)
        text.names.append(table.groupNames[static_cast<size_t>(g)]);
    if (!profile.intakeTable.trimmed().isEmpty()) {
        text.setName = profile.intakeTable.trimmed();
        text.proper = data.groups()->intake.grams;
    }
    return text;
}

std::optional<GroupTableText> exchangeTableText(const GroupAnalysisData &data, const UserProfile &profile)
{
    if (data.exchange().kind == ExchangeKind::None)
        return std::nullopt;
    GroupTableText text;
    text.tableName = profile.exchangeTable.trimmed();
    text.names = exchangeGroupNames(data.exchange().kind);
    if (!profile.unitTable.trimmed().isEmpty()) {
        text.setName = profile.unitTable.trimmed();
        text.proper = data.exchange().units.units;
    }
    return text;
}

}  // namespace dalmain
