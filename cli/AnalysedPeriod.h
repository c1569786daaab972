#pragma once

#include "Command.h"

#include "dalmain/analysis/AnalysisResult.h"
#include "dalmain/analysis/AnalysisText.h"
#include "dalmain/analysis/GroupAnalysis.h"
#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/userdata/UserSession.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The period of an analysis as the commands that analyse take it (--day, --month, --year or
// --days), and the run of the analysis of a user over it, as the analysis screen runs it.
namespace cli {

struct PeriodArgument {
    dalmain::AnalysisPeriod period = dalmain::AnalysisPeriod::Day;
    QByteArray key;              // YYYYMMDD, YYYYMM or YYYY; empty for chosen days
    QList<QByteArray> days;      // the chosen days, YYYYMMDD, each once
};

// Takes the period option out of args; nullopt with the usage message when none is given, when
// more than one is, or when its value is no date of a record year.
std::optional<PeriodArgument> takePeriodArgument(QStringList &args, QString *message);

// A user's analysis over a period with what it was made from.
struct AnalysedPeriod {
    dalmain::UserSession session;
    dalmain::FoodCache cache;
    dalmain::GroupAnalysisData groups;
    dalmain::AnalysisRequest request;
    dalmain::AnalysisResult result;

    // The report of the result with every nutrient in its table.
    dalmain::AnalysisReport report() const;
};

// Runs the analysis of the user named by userText over period into out. ExitOk, or the exit
// code after the reason went to ctx.err as "dalmora GROUP: ...": no such user (ExitNo), a chosen
// day without a menu record (ExitNo), a user, reference intakes or food table that cannot be
// read (ExitFailure).
int analysePeriod(Context &ctx, const QString &group, const QString &userText, const PeriodArgument &period,
                  AnalysedPeriod &out);

}  // namespace cli
