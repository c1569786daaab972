#pragma once

#include "dalmain/analysis/AnalysisResult.h"
#include "dalmain/analysis/AnalysisText.h"
#include "dalmain/master/GroupTables.h"

#include <optional>
#include <vector>

// The grams eaten per group of the person's food group table and the exchange units eaten per
// group of the person's exchange list, for each meal and the day.
namespace dalmain {

struct DayMenu;
struct UserProfile;

// The person's tables, read once for a run, with the look-ups of a food number ready.
class GroupAnalysisData
{
public:
    GroupAnalysisData() = default;
    GroupAnalysisData(std::optional<GroupData> groups, ExchangeData exchange);

    // none when the person has no group table.
    const std::optional<GroupData> &groups() const { return m_groups; }
    const ExchangeData &exchange() const { return m_exchange; }

    // The first exception of a food, or null.
    const GroupException *exceptionOf(quint32 food) const;
    // The food's entry in the exchange list (the first one), or null.
    const ExchangeFood *exchangeOf(quint32 food) const;

private:
    std::optional<GroupData> m_groups;
    ExchangeData m_exchange;
    std::vector<qint32> m_exceptionOfFood;   // per menu food number, -1 for none
    std::vector<qint32> m_exchangeOfFood;
};

// Units of amountGrams of a food of the exchange list: energy / 80 kcal, for diabetes 表６
// grams / 300, for the kidney list protein / 3 g; the edible part only when the waste-ratio
// option is on.
double exchangeUnits(ExchangeKind kind, const ExchangeFood &food, double amountGrams, bool wasteRatioOn);

// Adds one day record's group amounts and exchange units. Its grams per standard group go to
// the table's group that takes them; then each meal's entries, up to the first empty slot, move
// the grams of the foods with an exception, and each food of the exchange list adds its units.
void AddDayGroups(AnalysisResult &result, const DayMenu &menu, const GroupAnalysisData &data, bool wasteRatioOn);

// The tables the profile names: its group table with the proper-intake set and exceptions (none
// without a group table name), and its exchange list with the proper-unit set and the foods'
// figures from cache.
GroupAnalysisData LoadGroupAnalysis(const UserProfile &profile, const FoodCache &cache);

// The group table and the exchange table as their text sections show them: none without the
// table; the proper values only when the profile names a proper set.
std::optional<GroupTableText> groupTableText(const GroupAnalysisData &data, const UserProfile &profile);
std::optional<GroupTableText> exchangeTableText(const GroupAnalysisData &data, const UserProfile &profile);

}  // namespace dalmain
