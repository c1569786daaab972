#pragma once

#include "dalmain/master/IntakeStandard.h"
#include "dalmain/print/PrintJob.h"
#include "dalmain/userdata/UserProfile.h"
#include "quenkit/printer/AbortKind.h"

#include <QByteArray>
#include <QStringList>

// The user information of one person, as a dietitian files it: the profile (number, name and
// reading, birthday and age, sex with pregnancy and menstruation, height, activity level, the
// standard and tables chosen) and the person's 37 reference values. Its check boxes: 1 the
// profile, 2 the reference values.
namespace dalmain {

class UserReport : public Report
{
public:
    // printedOn: the day the report is made ("YYYYMMDD"), shown in the header.
    UserReport(const UserProfile &person, const IntakeStandard &standard, const ReportOptions &options,
               QByteArrayView printedOn);

    QString title() const override { return QStringLiteral("ユーザー情報"); }
    int progressKind() const override { return quenkit::AbortUser; }
    QString subject() const override;
    QString dateText() const override;
    // A profile always has something to say.
    bool isEmpty() const override { return false; }
    bool paint(ReportCanvas &canvas) const override;

    // The profile's lines: item and its text.
    QList<QStringList> profileRows() const;

private:
    bool paintProfile(ReportCanvas &canvas) const;
    bool paintReferenceValues(ReportCanvas &canvas) const;

    UserProfile m_person;
    IntakeStandard m_standard;
    ReportOptions m_options;
    QByteArray m_printedOn;
};

// The report of the person with the reference values derived for them, made today.
UserReport makeUserReport(const UserProfile &person, const IntakeStandard &standard, const ReportOptions &options);

}  // namespace dalmain
