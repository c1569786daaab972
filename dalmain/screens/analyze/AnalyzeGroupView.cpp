#include "dalmain/screens/analyze/AnalyzeGroupView.h"

#include "dalmain/screens/analyze/AnalysisChartPanes.h"
#include "dalmain/screens/analyze/AnalysisCharts.h"

#include <QHBoxLayout>

namespace dalmain {

AnalyzeGroupView::AnalyzeGroupView(bool exchange, QWidget *parent)
    : QWidget(parent)
    , m_exchange(exchange)
{
    setObjectName(exchange ? QStringLiteral("AnalyzeKoukan") : QStringLiteral("AnalyzeGunbetu"));
    m_table = new ScrolledChart(QStringLiteral("table"), this);
    m_radar = new ChartPane(exchange ? QStringLiteral("KoukanRaderChart") : QStringLiteral("GunbetuRaderChart"), this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    // The table's nine columns and its bars want the greater part of the width.
    layout->addWidget(m_table, 2);
    layout->addWidget(m_radar, 1);
    m_radar->setRoutine(
        [this](QPainter &painter, const QRect &rect) { paintGroupRadar(painter, rect, *m_result, m_text, m_exchange, false); });
    setReport(AnalysisReport{});
}

void AnalyzeGroupView::setReport(const AnalysisReport &report)
{
    m_result = report.result ? report.result : &m_noResult;
    const std::optional<GroupTableText> &table = m_exchange ? report.exchange : report.groups;
    m_text = table.value_or(GroupTableText{});
    // The same routines over new figures: the scroll range follows the table's height.
    m_table->setChart(
        [this](QPainter &painter, const QRect &rect) { paintGroupChart(painter, rect, *m_result, m_text, m_exchange, false); },
        [this](const QFontMetrics &metrics, int) { return groupChartHeight(m_text, metrics); });
    m_radar->update();
}

}  // namespace dalmain
