#pragma once

#include "dalmain/analysis/WeightFigures.h"
#include "dalmain/shell/ScreenWindow.h"

#include <QByteArray>

class QLabel;
class QTreeWidget;

namespace quenkit {
class DMCalendar2;
}

namespace dalmain {

class BmiChartView;
class MonthDayMarks;
class MonthlyGraphView;
struct MeasurementEntry;

// The weight record screen: the open user's measurements of one month with their BMI and
// judgement, the month's averages and their distance from the standard ranges, the standard
// weight, the goals and how far they are, the BMI chart and the monthly graph. Every entry is
// stored as it is made, so the screen has nothing to save when it is left.
class Weight : public ScreenWindow
{
    Q_OBJECT
public:
    explicit Weight(const ScreenContext &context, QWidget *parent = nullptr);

    void runCommand(int id) override;
    bool commandEnabled(int id) const override;
    void dateBarCommand(int code) override;
    bool hasDateBar() const override { return true; }
    QWidget *firstControl() override;

    const WeightMonth &month() const { return m_month; }
    const WeightGoal &goal() const { return m_goal; }
    quenkit::DMCalendar2 *dateBar() const { return m_dateBar; }
    QTreeWidget *list() const { return m_list; }
    MonthDayMarks *dayMarks() const { return m_marks; }
    BmiChartView *bmiChart() const { return m_chart; }
    MonthlyGraphView *graph() const { return m_graph; }

    // The list's lines are the month's measurements and an empty last line for a new one.
    int currentLine() const;
    void setCurrentLine(int line);
    bool onMeasurement() const { return currentLine() >= 0 && currentLine() < m_month.lines().size(); }
    // "行:%2d/%2d": the current line counted from 1 and the lines with the empty one.
    QString lineIndicator() const;

    // Shows the month, its last measurement selected.
    void showMonth(int year, int month);

    // The commands. Each dialog runs modally; what it accepted is stored at once.
    void newMeasurement();
    void modifyMeasurement();
    void deleteMeasurement();
    void setGoals();
    void copyAll();

private:
    void buildLayout();
    void dateChosen();
    // Reads the month again and selects the measurement of date (the last one when none).
    void reload(const QByteArray &selectDate = {});
    void fillList(int currentLine);
    void showFigures();
    void showStatus();
    bool storeMeasurement(const MeasurementEntry &entry);
    int userNumber() const;
    QString memoFile() const;
    bool eventFilter(QObject *watched, QEvent *event) override;

    WeightPerson m_person;
    WeightMonth m_month;
    WeightGoal m_goal;

    quenkit::DMCalendar2 *m_dateBar;
    MonthDayMarks *m_marks;
    QLabel *m_indicator;
    QLabel *m_userNote;
    QTreeWidget *m_list;
    QList<QLabel *> m_averages;     // weight, judgement, BMI, body fat
    QList<QLabel *> m_differences;  // weight, (none), BMI, body fat
    QLabel *m_standardWeight;
    QLabel *m_standardBmi;
    QLabel *m_standardFat;
    QLabel *m_weightGoal;
    QLabel *m_bodyFatGoal;
    BmiChartView *m_chart;
    MonthlyGraphView *m_graph;
};

// The days of the shown month in a row under the month picker, each day that has a measurement
// marked; a click on a marked day reports it.
class MonthDayMarks : public QWidget
{
    Q_OBJECT
public:
    explicit MonthDayMarks(QWidget *parent = nullptr);

    void setMonth(int year, int month, const QList<int> &markedDays);
    const QList<int> &markedDays() const { return m_marked; }
    QSize sizeHint() const override;
    // The day under pos; 0 outside the days.
    int dayAt(const QPoint &pos) const;

signals:
    void markedDayClicked(int day);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int m_days = 31;
    QList<int> m_marked;
};

}  // namespace dalmain
