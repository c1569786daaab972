#include "dalmain/screens/analyze/AnalyzeSyoyo.h"

#include "dalmain/screens/analyze/AnalysisChartPanes.h"
#include "dalmain/screens/analyze/AnalysisCharts.h"
#include "dalmain/userdata/PfcTargets.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace dalmain {

AnalyzeSyoyo::AnalyzeSyoyo(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("AnalyzeSyoyo"));
    m_bars = new ScrolledChart(QStringLiteral("bars"), this);
    m_radar = new ChartPane(QStringLiteral("RaderChart"), this);
    m_pfc = new ChartPane(QStringLiteral("PFCChart"), this);

    auto *charts = new QVBoxLayout;
    charts->setSpacing(4);
    charts->addWidget(m_radar, 3);
    charts->addWidget(m_pfc, 2);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_bars, 3);
    layout->addLayout(charts, 2);
    setReport(AnalysisReport{}, false);
}

void AnalyzeSyoyo::setReport(const AnalysisReport &report, bool rateMode)
{
    m_report = report;
    m_rateMode = rateMode;
    const AnalysisReport *shown = &m_report;
    m_bars->setChart(
        [shown, rateMode](QPainter &painter, const QRect &rect) { paintNutrientBars(painter, rect, *shown, false, rateMode); },
        [shown](const QFontMetrics &metrics, int width) { return nutrientBarsHeight(*shown, metrics, width - 8); });
    m_radar->setRoutine([shown](QPainter &painter, const QRect &rect) { paintSufficiencyRadar(painter, rect, *shown, false); });
    // The targets the run judged the balance with, kept with the picture.
    const PfcTargets targets = pfcTargets();
    const PfcBalance pfc = report.result ? report.result->pfc : PfcBalance{};
    m_pfc->setRoutine([pfc, targets](QPainter &painter, const QRect &rect) { paintPfcChart(painter, rect, pfc, targets, false); });
}

}  // namespace dalmain
