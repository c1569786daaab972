#pragma once

#include "dalmain/analysis/WeightFigures.h"

#include <QRect>
#include <QWidget>

class QPainter;

// The weight screen's two charts. Each is painted by one routine into any rectangle of any
// painter, so the screen and a printed page show the same chart.
namespace dalmain {

// Who is marked on the BMI chart.
struct BmiChartPoint {
    double heightCm = 0.0;
    QString heightText;
    std::optional<double> kg;  // the latest measurement; none when the user has none
};

// "ＢＭＩチャート": weight over height, the four judgement zones between the curves of BMI 20,
// 24 and 26.5, and the person's point with weight, height and judgement.
void paintBmiChart(QPainter &painter, const QRect &rect, const BmiChartPoint &point);

// "月間履歴グラフ": the month's weights (left scale) and body fat (right scale) by day, and the
// goals as level lines.
void paintMonthlyGraph(QPainter &painter, const QRect &rect, const WeightMonth &month, const WeightGoal &goal);

// The screen's frames around the two routines.
class BmiChartView : public QWidget
{
    Q_OBJECT
public:
    explicit BmiChartView(QWidget *parent = nullptr);
    void setPoint(const BmiChartPoint &point);
    const BmiChartPoint &point() const { return m_point; }
    QSize sizeHint() const override { return {340, 300}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    BmiChartPoint m_point;
};

class MonthlyGraphView : public QWidget
{
    Q_OBJECT
public:
    explicit MonthlyGraphView(QWidget *parent = nullptr);
    void setMonth(const WeightMonth &month, const WeightGoal &goal);
    QSize sizeHint() const override { return {340, 260}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    WeightMonth m_month;
    WeightGoal m_goal;
};

}  // namespace dalmain
