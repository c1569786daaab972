#pragma once

#include <QAbstractScrollArea>
#include <QWidget>

#include <functional>

class QFontMetrics;
class QPainter;

// The frames the analysis views put round the chart routines of AnalysisCharts.h: a pane that
// paints one routine over its whole area, and a pane for a chart taller than the view, scrolled
// vertically. Both paint in the screen's chart font on white.
namespace dalmain {

using ChartRoutine = std::function<void(QPainter &, const QRect &)>;

// The font the analysis charts are painted in on the screen.
QFont analysisChartFont();

class ChartPane : public QWidget
{
    Q_OBJECT
public:
    ChartPane(const QString &objectName, QWidget *parent = nullptr);
    void setRoutine(ChartRoutine routine);
    QSize sizeHint() const override { return {320, 280}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ChartRoutine m_routine;
};

class ScrolledChart : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // The chart's height in the pane's font for the pane's width.
    using HeightOf = std::function<int(const QFontMetrics &, int width)>;

    ScrolledChart(const QString &objectName, QWidget *parent = nullptr);
    void setChart(ChartRoutine routine, HeightOf height);
    // The height the chart takes now.
    int chartHeight() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateScrollBar();

    ChartRoutine m_routine;
    HeightOf m_height;
};

}  // namespace dalmain
