// dalmora print: a report written to a PDF file exactly as the program prints it, with the
// options the program stored for that report.

#include "AnalysedPeriod.h"
#include "Arguments.h"
#include "Command.h"

#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/print/AnalysisPrintReport.h"
#include "dalmain/print/ExerciseReport.h"
#include "dalmain/print/MenuReport.h"
#include "dalmain/print/UserReport.h"
#include "dalmain/print/WeightReport.h"
#include "dalmain/userdata/UserSession.h"
#include "dalmain/userdata/UserStore.h"

#include <QRegularExpression>

#include <optional>

namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora print menu USER DATE --pdf FILE        the menu record of a day\n"
    "  dalmora print exercise USER DATE --pdf FILE    the exercise record of a day\n"
    "  dalmora print weight USER YYYY-MM --pdf FILE   the weight record of a month\n"
    "  dalmora print user USER --pdf FILE             the profile and its reference values\n"
    "  dalmora print analysis USER (--day YYYY-MM-DD | --month YYYY-MM | --year YYYY | --days D1,D2,...)\n"
    "                       --pdf FILE                the analysis of the period, with the options\n"
    "                                                 the analysis screen's print dialog stored\n"
    "USER is a user's name or number, DATE is YYYY-MM-DD or YYYYMMDD. The blocks printed, the\n"
    "position on the page and the menu report's paper are the report's stored options. A\n"
    "report with nothing to print writes no file.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("print"), QStringLiteral("write a report to a PDF file as the program prints it"), kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("print"))
            return c;
    }
    Q_UNREACHABLE();
}

int usage(cli::Context &ctx, const QString &message)
{
    return cli::usageError(ctx, self(), message);
}

std::optional<std::pair<int, int>> monthOf(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-?(0[1-9]|1[0-2])$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return std::make_pair(m.captured(1).toInt(), m.captured(2).toInt());
}

int written(cli::Context &ctx, dalmain::PrintOutcome outcome, const QString &error)
{
    switch (outcome) {
    case dalmain::PrintOutcome::Printed:
        return cli::ExitOk;
    case dalmain::PrintOutcome::NoData:
        ctx.err << "dalmora print: " << error << "\n";
        return cli::ExitNo;
    case dalmain::PrintOutcome::Cancelled:
    case dalmain::PrintOutcome::Failed:
        break;
    }
    ctx.err << "dalmora print: " << (error.isEmpty() ? QStringLiteral("the PDF could not be written") : error) << "\n";
    return cli::ExitFailure;
}

// The report's position on the paper as the program stored it with the report's options.
dalmain::PrintRequest storedRequest(const QString &section)
{
    dalmain::PrintRequest request;
    request.options = dalmain::readReportOptions(section, dalmain::kAllBlocks);
    return request;
}

// Opens user in session with the person's reference values; false after saying why.
bool openWithReferenceValues(cli::Context &ctx, const dalmain::UserListEntry &user, dalmain::UserSession &session)
{
    const dalmain::IntakeLoad intakes = dalmain::LoadReferenceIntakes(nullptr, dalmain::referenceIntakes());
    if (!session.open(nullptr, user.name)) {
        ctx.err << "dalmora print: the user '" << user.name << "' cannot be read\n";
        return false;
    }
    // Judged against the zeros of a file that cannot be read, every nutrient would pass as
    // having no reference at all.
    if (session.profile()->intakeSubject().national && intakes != dalmain::IntakeLoad::Loaded) {
        ctx.err << "dalmora print: the reference intakes cannot be read: " << dalmain::kReferenceIntakeFile << "\n";
        return false;
    }
    return true;
}

// The day judged against the person's reference values, as the menu screen judges it.
int printMenu(cli::Context &ctx, const dalmain::UserListEntry &user, const QByteArray &date, const QString &file)
{
    dalmain::UserSession session;
    if (!openWithReferenceValues(ctx, user, session))
        return cli::ExitFailure;
    std::optional<dalmain::MenuDayReport> report;
    QString error;
    if (!dalmain::loadMenuDayReport(*session.profile(), session.intakeStandard(), date, report, &error)) {
        ctx.err << "dalmora print: " << error << "\n";
        return cli::ExitFailure;
    }
    return written(ctx, dalmain::printToPdf(*report, storedRequest(dalmain::kMenuPrintSection), file, &error), error);
}

// The user's profile with the reference values derived for it.
int printUser(cli::Context &ctx, const dalmain::UserListEntry &user, const QString &file)
{
    dalmain::UserSession session;
    if (!openWithReferenceValues(ctx, user, session))
        return cli::ExitFailure;
    const dalmain::PrintRequest request = storedRequest(dalmain::kUserPrintSection);
    const dalmain::UserReport report = dalmain::makeUserReport(*session.profile(), session.intakeStandard(), request.options);
    QString error;
    return written(ctx, dalmain::printToPdf(report, request, file, &error), error);
}

// The analysis of a user's period as the analysis screen prints it with the stored options.
int printAnalysis(cli::Context &ctx, QStringList args, const QString &file)
{
    QString message;
    const std::optional<cli::PeriodArgument> period = cli::takePeriodArgument(args, &message);
    if (args.size() != 1)
        return usage(ctx, QStringLiteral("the analysis takes one USER and its period"));
    if (!period)
        return usage(ctx, message);
    cli::AnalysedPeriod analysed;
    if (const int exit = cli::analysePeriod(ctx, self().name, args[0], *period, analysed); exit != cli::ExitOk)
        return exit;
    const dalmain::AnalysisPrintOptions options = dalmain::readAnalysisPrintOptions();
    const dalmain::AnalysisPrintReport report = dalmain::makeAnalysisPrintReport(analysed.report(), options);
    dalmain::PrintRequest request;
    request.options = options.placement();
    QString error;
    return written(ctx, dalmain::printToPdf(report, request, file, &error), error);
}

int run(cli::Context &ctx, QStringList args)
{
    QString file;
    bool ok = true;
    if (!cli::takeOption(args, QStringLiteral("--pdf"), &file, &ok) || !ok || file.isEmpty())
        return usage(ctx, QStringLiteral("--pdf FILE is needed"));
    if (!args.isEmpty() && args.first() == QLatin1String("analysis"))
        return printAnalysis(ctx, args.mid(1), file);
    const QString kind = args.value(0);
    const bool profile = kind == QLatin1String("user");
    if (args.size() != (profile ? 2 : 3))
        return usage(ctx, profile ? QStringLiteral("a user report takes USER alone")
                                  : QStringLiteral("a report takes KIND USER and its day or month"));
    QByteArray date;
    std::optional<std::pair<int, int>> month;
    if (kind == QLatin1String("exercise") || kind == QLatin1String("menu")) {
        date = cli::dateKeyArgument(args[2]);
        if (date.isEmpty())
            return usage(ctx, QStringLiteral("'%1' is not a date").arg(args[2]));
    } else if (kind == QLatin1String("weight")) {
        month = monthOf(args[2]);
        if (!month)
            return usage(ctx, QStringLiteral("'%1' is not a month (YYYY-MM)").arg(args[2]));
    } else if (!profile) {
        return usage(ctx, QStringLiteral("'%1' is no report this tool prints").arg(kind));
    }
    if (!cli::userTableReadable(ctx, self().name))
        return cli::ExitFailure;
    const std::optional<dalmain::UserListEntry> user = cli::userArgument(args[1]);
    const std::optional<dalmain::UserProfile> person = user ? dalmain::readUser(user->record) : std::nullopt;
    if (!person) {
        ctx.err << "dalmora print: no such user\n";
        return cli::ExitNo;
    }
    if (profile)
        return printUser(ctx, *user, file);
    QString error;
    if (month) {
        const dalmain::WeightMonthReport report = dalmain::loadWeightMonthReport(*person, month->first, month->second);
        return written(ctx, dalmain::printToPdf(report, storedRequest(dalmain::kWeightPrintSection), file, &error), error);
    }
    if (kind == QLatin1String("menu"))
        return printMenu(ctx, *user, date, file);
    const dalmain::ExerciseDayReport report = dalmain::loadExerciseDayReport(*person, date);
    return written(ctx, dalmain::printToPdf(report, storedRequest(dalmain::kSportsPrintSection), file, &error), error);
}

}  // namespace
