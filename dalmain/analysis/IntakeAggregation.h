#pragma once

#include "dalmain/analysis/AnalysisHistory.h"
#include "dalmain/analysis/AnalysisResult.h"
#include "dalmain/master/EntryNutrients.h"
#include "dalmain/analysis/Sufficiency.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/master/IntakeStandard.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <vector>

// Intake aggregation: which menu records an analysis takes, how each food entry becomes
// nutrient amounts, and how meal sums, the day total, food counts and the per-day averages of a
// period are formed. No value is rounded here; rounding belongs to the display formats.
namespace dalmain {

struct DayMenu;
class GroupAnalysisData;

// The foods an analysis reads, found by number in constant time. When a number occurs more
// than once, the first food added wins, as a search of the table in record order would find.
class EntryFoodIndex
{
public:
    EntryFoodIndex();
    // The foods of the food cache, in its record order. Numbers above 65534 cannot occur in a
    // menu and are left out.
    static EntryFoodIndex fromCache(const FoodCache &cache);

    void add(quint16 number, const EntryFood &food);
    // The food of that number, or null when the table has none (dish headers and empty slots
    // included).
    const EntryFood *find(quint16 number) const;
    int size() const { return static_cast<int>(m_foods.size()); }

private:
    std::vector<EntryFood> m_foods;
    std::vector<qint32> m_slotOfNumber;  // one per possible food number, -1 for none
};

// What to analyse: a day, month or year of a user's menu file by its date key, or the records
// the user picked.
struct AnalysisRequest {
    int user = 0;
    AnalysisPeriod period = AnalysisPeriod::Day;
    QByteArray periodKey;   // YYYYMMDD, YYYYMM or YYYY; unused for a selection
    QList<int> selection;   // 1-based record numbers of the menu file, for a selection

    static AnalysisRequest day(int user, const QByteArray &dateKey);
    static AnalysisRequest month(int user, const QByteArray &monthKey);
    static AnalysisRequest year(int user, const QByteArray &yearKey);
    static AnalysisRequest chosen(int user, const QList<int> &records);
};

// Adds one day record: its food counts, and every entry of its four meals to the meal's sum and
// to the day total. Entries whose food is not in foods add nothing.
void AddDayIntake(AnalysisResult &result, const DayMenu &menu, const EntryFoodIndex &foods, bool wasteRatioOn);

// The menu records a request covers: a day its one record, a month or a year every record whose
// date key begins with the period key, in file order, a selection its listed records. Empty for
// a key that does not fit the period.
QList<int> analysisRecords(const AnalysisRequest &request);

// Sums the intake of the request's records into result, which the caller has cleared, and sets
// the period key. A day takes its one record, a month or a year every record whose date key
// begins with the period key, in file order, and a selection each listed record that can still
// be read. Returns the number of records summed; calendar days without a record do not count.
// A missing menu file or a key that does not fit the period gives 0 and leaves the sums zero.
// countedDays, when given, receives each summed record's date key and stored energy; groups,
// when given, adds each record's group amounts and exchange units.
int SumIntake(AnalysisResult &result, const AnalysisRequest &request, const EntryFoodIndex &foods,
              bool wasteRatioOn, std::vector<MenuDayEnergy> *countedDays = nullptr,
              const GroupAnalysisData *groups = nullptr);

// The energy a record stores for its four meals.
double storedEnergy(const DayMenu &menu);

// Turns the sums of days records into the average day: meal sums, day total, group amounts
// and exchange units are divided by days + 0.000005, the food counts become whole numbers by
// floor(count / divisor + 0.5). The small addition makes an exact half round down (61 foods
// over 2 days give 30). Nothing happens for days < 1.
void AverageIntake(AnalysisResult &result, int days);

// Fills the sufficiency and target rates of every nutrient from the day total and the user's
// reference values, and each meal's share of the day total (left 0 where the total is 0).
void ComputeRates(AnalysisResult &result, const IntakeStandard &standard);

// A whole run: a cleared result, the intake sums and food counts, the average for a period
// (when at least one day was found) and the rates. The energy balance, history, meal shares and
// group figures are left at zero.
AnalysisResult RunAnalysis(const AnalysisRequest &request, const EntryFoodIndex &foods,
                           const IntakeStandard &standard, bool wasteRatioOn);

}  // namespace dalmain
