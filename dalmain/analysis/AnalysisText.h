#pragma once

#include "dalmain/analysis/AnalysisResult.h"
#include "dalmain/analysis/Sufficiency.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The analysis as text, the form the saved and copied analysis takes: the title, the period line
// and the sections the user chose, in their fixed order, in one of three kinds. Lines end with
// CR LF; the plain kind aligns its columns by their width in Shift-JIS bytes, so they line up in
// the file's own encoding.
namespace dalmain {

struct UserProfile;

// Fields separated by tabs, fields in double quotes separated by commas, or aligned text; the
// numbers are those the settings store for the kind.
enum class TextKind : int { Tab = 0, Comma = 1, Plain = 2 };

// The saved file and the copy differ in a few lines: the file has no sex and height and no
// legend under the nutrient table.
enum class TextTarget { File, Copy };

// The sixty asterisks that follow every section.
QString analysisSeparatorLine();

// "分析結果 [月間分析]".
QString analysisTitleLine(AnalysisPeriod period, TextKind kind = TextKind::Plain);
// "分析日付 [2024/01/15]", "分析日付 [2024/01]" or "分析日付 [2024]"; empty for a selection.
QString analysisDateLine(AnalysisPeriod period, const QByteArray &periodKey, TextKind kind = TextKind::Plain);

// The judgement of the text tables, by the rate alone: "＊" below 80, "△" below 100, "●" at
// 100, "▲" below 120, "！" from 120.
QString textJudgement(double rate);

// The eight fields of one nutrient's row: name, unit, lower and upper reference, intake,
// difference, judgement and rate. A nutrient without a reference has only name, unit and
// intake; the other fields are empty.
QStringList nutrientTableFields(const AnalysisResult &result, const IntakeStandard &standard, int nutrient);

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
    QString tableName;   // the group table's or the exchange table's name
    QString setName;     // the proper-intake or proper-unit set's name; empty without one
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
QString analysisText(const AnalysisReport &report, const ReportSections &sections, TextKind kind, TextTarget target);

// One section, without its separator line. The nutrient table lists the nutrients whose flag in
// the report's nutrientRows is set, in NutrientVector order.
QString analysisSection(const AnalysisReport &report, ReportSection section, TextKind kind, TextTarget target);

// The nine fields of a group's row: name, 朝, 昼, 夕, 間, 合計 ("%.1lf"), then the proper value,
// the difference ("+%.1lf" when above it) and the rate of 合計 to it; the last three are empty
// without a proper value, the rate also for a proper value of 0.
QStringList groupRowFields(const GroupRows &rows, int group, const QString &name, const double *proper);

// text padded with blanks to width Shift-JIS bytes, on the right (leftAlign) or the left, as
// printf's "%-12s" and "%10s" do with such text. Longer text is kept whole.
QString padToSjisWidth(const QString &text, int width, bool leftAlign);

}  // namespace dalmain
