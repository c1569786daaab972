#pragma once

#include "dalmain/master/Nutrients.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <vector>

// What one analysis run produces: the intake of one day, or the average day of a month, a
// year or a set of chosen days, with every figure the analysis views, texts and print-outs
// show. A run rebuilds the whole record; nothing in it is patched afterwards.
namespace dalmain {

// The kind of analysis. The numbers are stored in settings and used by commands.
enum class AnalysisPeriod : int { Day = 0, Month = 1, Year = 2, Selection = 3 };

// "一日", "月間", "年間" or "選択": the menu item and the title word.
QString periodName(AnalysisPeriod period);
// "1日分析", "月間分析", "年間分析" or "選択分析": the tool tip.
QString periodToolTip(AnalysisPeriod period);
// Characters of the date key a period is searched with: 8, 6, 4, or 0 for a selection.
int periodKeyLength(AnalysisPeriod period);

constexpr int kAnalysisMeals = 4;        // 朝, 昼, 夕, 間
constexpr int kAnalysisRows = 5;         // the meals and the whole day
constexpr int kAnalysisGroups = 18;      // food groups and exchange groups
constexpr int kMaxHistoryEntries = 366;

// One point of the energy and weight history.
struct HistoryEntry {
    QByteArray dateKey;          // YYYYMMDD, or YYYYMM for a month's point
    double energyIntake = 0;     // kcal
    double energySpentA = 0;     // the two parts of the energy spent; their sum is the day's
    double energySpentB = 0;
    double bodyWeight = 0;       // kg
};

struct HistoryScale {
    double energyMin = 0;
    double energyMax = 0;
    double weightMin = 0;
    double weightMax = 0;
};

struct EnergyBalance {
    double exerciseEnergy = 0;           // kcal per day spent by exercise (運動消費)
    double basalMetabolism = 0;          // kcal per day (基礎代謝)
    double basalOutsideExercise = 0;     // kcal per day
    double lifeActivity = 0;             // kcal per day (生活消費)
    double exerciseMinutes = 0;          // per day
    qint32 exerciseDays = 0;             // days with exercise records (記録日数)
    double bodyWeight = 0;               // kg; -1 when no weight record exists
    double bodyFat = 0;                  // percent; -1 when no record exists
    bool weightFromOtherDay = false;     // the weight record used is not the analysed day's
    QByteArray weightDate;               // YYYYMMDD of that record
    double dailyConsumption = 0;         // kcal: exercise + basal outside exercise + life (一日消費)
    double intakeDifference = 0;         // kcal: energy eaten - one-day consumption (摂取との差)
};

// Protein, fat and carbohydrate as percent of the energy eaten, and their points on the PFC
// chart (100 on the target triangle). valid is false when no energy was eaten.
struct PfcBalance {
    bool valid = false;
    std::array<double, 3> percent{};      // P, F, C
    std::array<bool, 3> hasPoint{};       // false for a nutrient not eaten
    std::array<double, 3> chartValue{};
};

using MealRows = std::array<NutrientVector, kAnalysisMeals>;
using GroupRows = std::array<std::array<double, kAnalysisGroups>, kAnalysisRows>;

struct AnalysisResult {
    // The date text of the period: YYYYMMDD, YYYYMM or YYYY; empty for a selection.
    QByteArray periodKey;
    // Nutrients eaten at 朝, 昼, 夕, 間: sums for a day, per-day averages for a period.
    MealRows mealSums{};
    NutrientVector dayTotal{};
    // Foods at 朝, 昼, 夕, 間 and for the day (1日), as the menu records count them; averaged
    // to whole numbers for a period.
    std::array<quint32, kAnalysisRows> foodCounts{};
    // Energy and weight history, at most kMaxHistoryEntries entries in date order.
    std::vector<HistoryEntry> history;
    HistoryScale historyScale;
    // Per meal and nutrient, the meal's share of the day total in percent.
    MealRows mealShares{};
    // Per nutrient, percent of the reference range (see Sufficiency.h).
    NutrientVector sufficiencyRate{};
    // Per nutrient, percent of the middle of the reference range.
    NutrientVector targetRate{};
    EnergyBalance energyBalance;
    PfcBalance pfc;
    // Grams per food group and exchange units per exchange group, for 朝, 昼, 夕, 間 and total.
    GroupRows groupAmounts{};
    GroupRows exchangeUnits{};
    // Menu records the intake was taken from (0 when none was found).
    int dayCount = 0;
};

}  // namespace dalmain
