#include "dalmain/screens/analyze/AnalysisChartPanes.h"

#include "quenkit/controls/Fonts.h"

#include <QPainter>
#include <QScrollBar>

namespace dalmain {

namespace {

void whiteBackground(QWidget *widget)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
}

}  // namespace

QFont analysisChartFont()
{
    return quenkit::createFont(QStringLiteral("ＭＳ ゴシック"), 0, 13);
}

ChartPane::ChartPane(const QString &objectName, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setFont(analysisChartFont());
    whiteBackground(this);
    setMinimumSize(160, 140);
}

void ChartPane::setRoutine(ChartRoutine routine)
{
    m_routine = std::move(routine);
    update();
}

void ChartPane::paintEvent(QPaintEvent *)
{
    if (!m_routine)
        return;
    QPainter painter(this);
    painter.setFont(font());
    m_routine(painter, rect());
}

ScrolledChart::ScrolledChart(const QString &objectName, QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setObjectName(objectName);
    viewport()->setFont(analysisChartFont());
    whiteBackground(viewport());
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
}

void ScrolledChart::setChart(ChartRoutine routine, HeightOf height)
{
    m_routine = std::move(routine);
    m_height = std::move(height);
    updateScrollBar();
    viewport()->update();
}

int ScrolledChart::chartHeight() const
{
    return m_height ? m_height(QFontMetrics(viewport()->font()), viewport()->width()) : 0;
}

void ScrolledChart::paintEvent(QPaintEvent *)
{
    if (!m_routine)
        return;
    QPainter painter(viewport());
    painter.setFont(viewport()->font());
    // The whole chart, shifted up by the scrolled part; at least the pane's height so that a
    // short chart keeps its legend where a tall one has it.
    const int height = std::max(chartHeight(), viewport()->height());
    m_routine(painter, QRect(0, -verticalScrollBar()->value(), viewport()->width(), height));
}

void ScrolledChart::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
}

void ScrolledChart::updateScrollBar()
{
    const int page = viewport()->height();
    verticalScrollBar()->setRange(0, std::max(0, chartHeight() - page));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(QFontMetrics(viewport()->font()).lineSpacing());
}

}  // namespace dalmain
