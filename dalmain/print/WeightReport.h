#pragma once

#include "dalmain/analysis/WeightFigures.h"
#include "dalmain/print/PrintJob.h"
#include "dalmain/userdata/UserProfile.h"
#include "dalmain/userdata/WeightGoal.h"
#include "quenkit/printer/AbortKind.h"

// The weight record of one month: the measurements with the month's averages and their
// distance from the standard, the standard values and the goals, the BMI chart and the
// monthly graph. Its check boxes: 1 the measurements, 2 the averages and differences, 3 the
// standard values and goals, 4 the BMI chart, 5 the monthly graph.
namespace dalmain {

class WeightMonthReport : public Report
{
public:
    WeightMonthReport(const UserProfile &person, const WeightMonth &month, const WeightGoal &goal,
                      const ReportOptions &options);

    QString title() const override { return QStringLiteral("体重記録"); }
    int progressKind() const override { return quenkit::AbortWeight; }
    QString subject() const override;
    QString dateText() const override;
    bool isEmpty() const override { return m_month.isEmpty(); }
    bool paint(ReportCanvas &canvas) const override;

private:
    bool paintCharts(ReportCanvas &canvas) const;

    UserProfile m_person;
    WeightMonth m_month;
    WeightGoal m_goal;
    ReportOptions m_options;
};

// The person's month as stored, with the stored goals and options of the weight report.
WeightMonthReport loadWeightMonthReport(const UserProfile &person, int year, int month);

}  // namespace dalmain
