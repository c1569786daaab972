#pragma once

#include "dalmain/analysis/AnalysisResult.h"
#include "dalmain/analysis/AnalysisText.h"
#include "dalmain/userdata/PfcTargets.h"

class QFontMetrics;
class QPainter;
class QRect;

// The charts of the analysis screen's graph and table views. Each routine paints inside rect in
// the painter's current units with the painter's current font, so the screen paints them in
// pixels and the printed report paints the same routines on paper (see paintScreenRoutine).
// Every routine copes with any result: no history, no reference, no proper value, no energy.
// In monochrome the charts are grey and black, as the black-and-white print-out wants them.
namespace dalmain {

// The axis of a nutrient's bar in percent of its target: 150, or from a target rate of 150 on
// (T + 50) / 100 rounded down, times 100. A bar longer than its axis is cut at the end.
double nutrientBarAxis(double targetRate);

// The reference range of a nutrient on the scale of its target rate (percent of the middle of
// the range): where the range starts and ends, and how far each edge fades out (20 % of the
// bound). A range without an upper bound runs to the end of the axis.
struct ReferenceBand {
    bool valid = false;     // false without any bound: nothing to draw
    double lower = 0;       // percent on the target scale
    double upper = 0;
    bool hasUpper = false;
    double lowerFade = 0;   // width of each fading edge, percent on the same scale
    double upperFade = 0;
};
ReferenceBand referenceBand(double lower, double upper);

// 分析グラフ: a row per nutrient of the shown-and-judged set (report.nutrientRows is the
// selection) with name, intake, reference and judgement, or in rateMode ("AlzKijyun" 1) the
// sufficiency rate, and the bar of the target rate split into 朝, 昼, 夕 and 間 over the
// reference band; below the rows the legend of the band and of the judgements.
void paintNutrientBars(QPainter &painter, const QRect &rect, const AnalysisReport &report, bool monochrome,
                       bool rateMode);
// The height the rows and the legend of paintNutrientBars take in metrics' font. With a width
// the legend is wrapped to it; without one it takes its two lines.
int nutrientBarsHeight(const AnalysisReport &report, const QFontMetrics &metrics, int width = 0);

// "RaderChart": the sufficiency rates of the shown-and-judged nutrients, an axis each, evenly
// spaced clockwise from the top (see radarChartRadius).
void paintSufficiencyRadar(QPainter &painter, const QRect &rect, const AnalysisReport &report, bool monochrome);

// "PFCChart": the target triangle and the balance's points on the axes P, F and C, 120° apart
// from the top (see pfcChartRadius).
void paintPfcChart(QPainter &painter, const QRect &rect, const PfcBalance &pfc, const PfcTargets &targets,
                   bool monochrome);

// 履歴グラフ: energy eaten and spent on the energy axis, body weight on the weight axis, a point
// per history entry in date order from entry firstEntry on, as many as fit.
void paintHistoryGraph(QPainter &painter, const QRect &rect, const AnalysisResult &result, int firstEntry,
                       bool monochrome);
// How many history points fit across rect in metrics' font; the view scrolls by the rest.
int historyEntriesVisible(const QRect &rect, const QFontMetrics &metrics);

// 食品群別表 (exchange false) or 食品交換表 (exchange true): the titles with the table's and the
// set's names, the table of groupRowFields and a bar per group of 合計 against the proper value
// split into the meals (only where the proper value is above 0), with the legend.
void paintGroupChart(QPainter &painter, const QRect &rect, const AnalysisResult &result, const GroupTableText &table,
                     bool exchange, bool monochrome);
// The height paintGroupChart takes in metrics' font.
int groupChartHeight(const GroupTableText &table, const QFontMetrics &metrics);

// "GunbetuRaderChart" / "KoukanRaderChart": the rate of 合計 to the proper value of each group
// that has one, on the sufficiency radar's scale.
void paintGroupRadar(QPainter &painter, const QRect &rect, const AnalysisResult &result, const GroupTableText &table,
                     bool exchange, bool monochrome);

}  // namespace dalmain
