#pragma once

#include "dalmain/analysis/AnalysisResult.h"
#include "dalmain/analysis/Sufficiency.h"

#include <QString>
#include <QStringList>

// The analysis as aligned plain text, the form the saved and copied analysis texts take: the
// title, the period line and the nutrient table. Lines end with CR LF; columns are aligned by
// their width in Shift-JIS bytes, so they line up in the file's own encoding.
namespace dalmain {

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

// text padded with blanks to width Shift-JIS bytes, on the right (leftAlign) or the left, as
// printf's "%-12s" and "%10s" do with such text. Longer text is kept whole.
QString padToSjisWidth(const QString &text, int width, bool leftAlign);

}  // namespace dalmain
