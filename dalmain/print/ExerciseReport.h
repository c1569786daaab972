#pragma once

#include "dalmain/master/ExerciseSummary.h"
#include "dalmain/print/PrintJob.h"
#include "dalmain/userdata/ExerciseLogDay.h"
#include "dalmain/userdata/UserProfile.h"
#include "quenkit/printer/AbortKind.h"

#include <QByteArray>

// The exercise record of one day: the day's entries and the energy expenditure under them, as
// the exercise screen shows them. Its check boxes: 1 the entries, 2 the energy expenditure.
namespace dalmain {

class ExerciseDayReport : public Report
{
public:
    ExerciseDayReport(const UserProfile &person, QByteArrayView date, const ExerciseDay &day,
                      const ExerciseSummary &summary, const ReportOptions &options);

    QString title() const override { return QStringLiteral("運動記録"); }
    int progressKind() const override { return quenkit::AbortSports; }
    QString subject() const override;
    QString dateText() const override;
    bool isEmpty() const override { return m_day.isEmpty(); }
    bool paint(ReportCanvas &canvas) const override;

private:
    UserProfile m_person;
    QByteArray m_date;
    ExerciseDay m_day;
    ExerciseSummary m_summary;
    ReportOptions m_options;
};

// The person's day as stored, with the stored options of the exercise report.
ExerciseDayReport loadExerciseDayReport(const UserProfile &person, QByteArrayView date);

// "氏名　山田太郎　40歳　男性" of a person.
QString reportPersonText(const UserProfile &person);

}  // namespace dalmain
