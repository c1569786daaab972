#pragma once

#include "dalmain/analysis/AnalysisResult.h"
#include "dalmain/analysis/Sufficiency.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The analysis as aligned plain text, the form the saved and copied analysis texts take: the
// title, the period line and the sections the user chose, in their fixed order. Lines end with CR LF; columns are aligned by
// their width in Shift-JIS bytes, so they line up in the file's own encoding.
namespace dalmain {

struct UserProfile;

// The sixty asterisks that follow every section.
QString analysisSeparatorLine();

// "分析結果 [月間分析]".
QString analysisTitleLine(AnalysisPeriod period);
// "分析日付 [2024/01/15]", "分析日付 [2024/01]" or "分析日付 [2024]"; empty for a selection.
QString analysisDateLine(AnalysisPeriod period, const QByteArray &periodKey);

// The judgement of the text tables, by the rate alone: "＊" below 80, "△" below 100, "●" at
// 100, "▲" below 120, "！" from 120.
QString textJudgement(double rate);

// The eight fields of one nutrient's row: name, unit, lower and upper reference, intake,
// difference, judgement and rate. A nutrient without a reference has only name, unit and
// intake; the other fields are empty.
QStringList nutrientTableFields(const AnalysisResult &result, const IntakeStandard &standard, int nutrient);

// The nutrient table section of the plain kind: "栄養バランス", the column heading and one row
// per nutrient whose flag in rows is set, in NutrientVector order.
QString plainNutrientTable(const AnalysisResult &result, const IntakeStandard &standard,
                           const NutrientFlags &rows);

// The sections of an analysis text, in the order they are written.
enum class ReportSection : int {
    UserInfo,
    FoodCount,
    MealEnergyRatio,
    Pfc,
    EnergyBalance,
    BodyWeight,
    BodyFat,
    Nutrients,
    ExchangeTable,
    GroupTable,
    History,
};
constexpr int kReportSections = 11;
using ReportSections = std::array<bool, kReportSections>;

// A group table or the exchange table as its section shows it: the names of the groups shown
// (index order) and, when the person uses a proper set, the proper value of each group.
struct GroupTableText {
    QStringList names;
    std::optional<std::array<double, kAnalysisGroups>> proper;
};

// What an analysis text is made of. The sections of the group and exchange tables are left out
// when their table is none, the history for a year.
struct AnalysisReport {
    AnalysisPeriod period = AnalysisPeriod::Day;
    const AnalysisResult *result = nullptr;
    const IntakeStandard *standard = nullptr;
    const UserProfile *user = nullptr;
    NutrientFlags nutrientRows{};
    std::optional<GroupTableText> exchange;
    std::optional<GroupTableText> groups;
};

// The whole text: title, date line, then each chosen section followed by the separator line.
QString plainAnalysisText(const AnalysisReport &report, const ReportSections &sections);

// One section of the plain kind, without its separator line.
QString plainSection(const AnalysisReport &report, ReportSection section);

// The nine fields of a group's row: name, 朝, 昼, 夕, 間, 合計 ("%.1lf"), then the proper value,
// the difference ("+%.1lf" when above it) and the rate of 合計 to it; the last three are empty
// without a proper value, the rate also for a proper value of 0.
QStringList groupRowFields(const GroupRows &rows, int group, const QString &name, const double *proper);

// text padded with blanks to width Shift-JIS bytes, on the right (leftAlign) or the left, as
// printf's "%-12s" and "%10s" do with such text. Longer text is kept whole.
QString padToSjisWidth(const QString &text, int width, bool leftAlign);

}  // namespace dalmain
