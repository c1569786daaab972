// dalmora analyze: the analysis of a user's day, month, year or chosen days, written as the
// analysis screen saves or copies it: the same bytes, in Shift-JIS.

#include "Arguments.h"
#include "Command.h"

#include "dalmain/analysis/AnalysisExport.h"
#include "dalmain/master/EntryNutrients.h"
#include "dalmain/analysis/AnalysisRun.h"
#include "dalmain/analysis/GroupAnalysis.h"
#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/analysis/NutrientCoverage.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/UserSession.h"
#include "dalmain/userdata/UserStore.h"

#include "quenkit/dates/Dates.h"

#include <QDate>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

#include <optional>

namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora analyze USER (--day YYYY-MM-DD | --month YYYY-MM | --year YYYY | --days D1,D2,...)\n"
    "                       [--kind tab|comma|text] [--sections LIST] [--copy] [--out FILE]\n"
    "                       [--all-nutrients] [--coverage]\n"
    "USER is the user's name or number. --days analyses the listed days (YYYY-MM-DD), each of\n"
    "which must have a menu record. With --kind, --sections, --copy or --out the output is the\n"
    "bytes that the analysis screen saves to a file (or with --copy copies): Shift-JIS with CR LF,\n"
    "on standard output or in FILE; what is not given comes from the options last chosen for\n"
    "saving (or copying). LIST holds the numbers of the options, comma-separated: 1 user\n"
    "information, 2 food count, 3 meal energy ratio, 4 exercise, 5 weight, 6 nutrient table,\n"
    "7 history, 8 only the nutrients selected for the screen (else all), 10 PFC balance,\n"
    "11 exchange table, 12 group table, 13 body fat. Without any of them the command prints the\n"
    "saved aligned text with every option on, in the terminal's UTF-8.\n"
    "--all-nutrients lists every nutrient whatever option 8 says. --coverage adds, per nutrient, the\n"
    "share of the grams eaten whose foods have a known value: where it is below 100 %, foods\n"
    "the composition table did not analyse for it (\"-\") were eaten and the total is a lower\n"
    "bound.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("analyze"), QStringLiteral("analyse a user's intake over a day, month, year or chosen days"),
     kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("analyze"))
            return c;
    }
    Q_UNREACHABLE();
}

// "2024-01-15" as the date key "20240115"; empty when it is not a calendar date of a year that
// records can have (a period of other years would be analysed as one without records).
QByteArray dayKey(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!pattern.match(text).hasMatch() || !quenkit::isRecordYear(text.left(4).toInt())
        || !QDate::fromString(text, Qt::ISODate).isValid())
        return {};
    return QString(text).remove(QLatin1Char('-')).toLatin1();
}

QByteArray monthKey(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(0[1-9]|1[0-2])$"));
    const auto m = pattern.match(text);
    if (!m.hasMatch() || !quenkit::isRecordYear(m.captured(1).toInt()))
        return {};
    return (m.captured(1) + m.captured(2)).toLatin1();
}

QByteArray yearKey(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{4}$"));
    if (!pattern.match(text).hasMatch() || !quenkit::isRecordYear(text.toInt()))
        return {};
    return text.toLatin1();
}


std::optional<dalmain::TextKind> kindArgument(const QString &text)
{
    if (text == QLatin1String("tab"))
        return dalmain::TextKind::Tab;
    if (text == QLatin1String("comma"))
        return dalmain::TextKind::Comma;
    if (text == QLatin1String("text"))
        return dalmain::TextKind::Plain;
    return std::nullopt;
}

// "2,6,10" as the options on, the others off; nullopt when a number is not an option.
std::optional<dalmain::ExportOptions> sectionsArgument(const QString &text, dalmain::ExportOptions options)
{
    options.sections.fill(false);
    options.shownNutrientsOnly = false;
    for (const QString &item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = item.trimmed().toInt(&ok);
        if (!ok || (n != dalmain::OptionShownNutrients && !dalmain::sectionOfOption(n)))
            return std::nullopt;
        options.setOption(n, true);
    }
    return options;
}

bool writeOutput(cli::Context &ctx, const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty()) {
        ctx.out.flush();
        return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) == size_t(bytes.size())
            && std::fflush(stdout) == 0;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        ctx.err << "dalmora analyze: " << path << " could not be written: " << file.errorString() << "\n";
        return false;
    }
    return true;
}

int run(cli::Context &ctx, QStringList args)
{
    const bool copy = cli::takeFlag(args, QStringLiteral("--copy"));
    const dalmain::ExportTarget target = copy ? dalmain::ExportTarget::Copy : dalmain::ExportTarget::Save;
    QString kindText, sectionsText, outPath;
    bool ok = true;
    const bool kindGiven = cli::takeOption(args, QStringLiteral("--kind"), &kindText, &ok);
    const bool sectionsGiven = ok && cli::takeOption(args, QStringLiteral("--sections"), &sectionsText, &ok);
    const bool outGiven = ok && cli::takeOption(args, QStringLiteral("--out"), &outPath, &ok);
    if (!ok)
        return cli::usageError(ctx, self(), QStringLiteral("--kind, --sections and --out need a value"));
    dalmain::ExportOptions exportOptions = dalmain::readExportOptions(target);
    if (kindGiven) {
        const std::optional<dalmain::TextKind> kind = kindArgument(kindText);
        if (!kind)
            return cli::usageError(ctx, self(), QStringLiteral("'%1' is not tab, comma or text").arg(kindText));
        exportOptions.kindChoice = static_cast<int>(*kind);
    }
    if (sectionsGiven) {
        const std::optional<dalmain::ExportOptions> chosenOptions = sectionsArgument(sectionsText, exportOptions);
        if (!chosenOptions)
            return cli::usageError(ctx, self(), QStringLiteral("'%1' is not a list of option numbers").arg(sectionsText));
        exportOptions = *chosenOptions;
    }
    if (outGiven && outPath.isEmpty())
        return cli::usageError(ctx, self(), QStringLiteral("--out needs a file name"));
    // Without any option of the export the command reads as it always has: the whole analysis as
    // aligned text on the terminal.
    const bool exporting = kindGiven || sectionsGiven || copy || outGiven;
    if (!exporting) {
        exportOptions.sections.fill(true);
        exportOptions.shownNutrientsOnly = true;
        exportOptions.kindChoice = static_cast<int>(dalmain::TextKind::Plain);
    }
    const bool allNutrients = cli::takeFlag(args, QStringLiteral("--all-nutrients"));
    const bool coverage = cli::takeFlag(args, QStringLiteral("--coverage"));
    struct PeriodOption {
        const char *name;
        dalmain::AnalysisPeriod period;
        QString value;
    } options[] = {
        {"--day", dalmain::AnalysisPeriod::Day, {}},
        {"--month", dalmain::AnalysisPeriod::Month, {}},
        {"--year", dalmain::AnalysisPeriod::Year, {}},
        {"--days", dalmain::AnalysisPeriod::Selection, {}},
    };
    const PeriodOption *chosen = nullptr;
    for (PeriodOption &o : options) {
        bool ok = true;
        if (!cli::takeOption(args, QString::fromLatin1(o.name), &o.value, &ok))
            continue;
        if (!ok)
            return cli::usageError(ctx, self(), QStringLiteral("%1 needs a value").arg(QLatin1String(o.name)));
        if (chosen)
            return cli::usageError(ctx, self(), QStringLiteral("give only one of --day, --month, --year and --days"));
        chosen = &o;
    }
    for (const QString &a : args) {
        if (a.startsWith(QLatin1String("--")))
            return cli::usageError(ctx, self(), QStringLiteral("unknown option %1").arg(a));
    }
    if (args.size() != 1)
        return cli::usageError(ctx, self(), QStringLiteral("give one USER"));
    if (!chosen)
        return cli::usageError(ctx, self(), QStringLiteral("give one of --day, --month, --year and --days"));

    QByteArray key;
    QList<QByteArray> chosenDays;
    switch (chosen->period) {
    case dalmain::AnalysisPeriod::Day:
        key = dayKey(chosen->value);
        break;
    case dalmain::AnalysisPeriod::Month:
        key = monthKey(chosen->value);
        break;
    case dalmain::AnalysisPeriod::Year:
        key = yearKey(chosen->value);
        break;
    case dalmain::AnalysisPeriod::Selection:
        for (const QString &day : chosen->value.split(QLatin1Char(','))) {
            const QByteArray k = dayKey(day.trimmed());
            if (k.isEmpty())
                return cli::usageError(ctx, self(), QStringLiteral("'%1' is not a date YYYY-MM-DD").arg(day));
            if (!chosenDays.contains(k))
                chosenDays.append(k);
        }
        break;
    }
    if (chosen->period != dalmain::AnalysisPeriod::Selection && key.isEmpty())
        return cli::usageError(ctx, self(), QStringLiteral("'%1' is not a valid %2 value")
                                                .arg(chosen->value, QLatin1String(chosen->name)));

    if (!cli::userTableReadable(ctx, self().name))
        return cli::ExitFailure;
    const std::optional<dalmain::UserListEntry> named = cli::userArgument(args[0]);
    const std::optional<QString> name = named ? std::optional<QString>(named->name) : std::nullopt;
    if (!name) {
        ctx.err << "dalmora analyze: no user '" << args[0] << "'\n";
        return cli::ExitNo;
    }

    const dalmain::IntakeLoad intakes = dalmain::LoadReferenceIntakes(nullptr, dalmain::referenceIntakes());
    dalmain::UserSession session;
    if (!session.open(nullptr, *name)) {
        ctx.err << "dalmora analyze: the user '" << *name << "' cannot be read\n";
        return cli::ExitFailure;
    }
    // Judged against the zeros of a file that cannot be read, every nutrient would pass as
    // having no reference at all.
    if (session.profile()->intakeSubject().national && intakes != dalmain::IntakeLoad::Loaded) {
        ctx.err << "dalmora analyze: the reference intakes cannot be read: " << dalmain::kReferenceIntakeFile
                << (intakes == dalmain::IntakeLoad::Damaged ? " is damaged\n" : " is missing\n");
        return cli::ExitFailure;
    }
    const int user = static_cast<int>(session.profile()->number);

    dalmain::FoodCache cache;
    if (dalmain::LoadFoodCache(nullptr, cache) != 1) {
        ctx.err << "dalmora analyze: the food table cannot be read\n";
        return cli::ExitFailure;
    }
    const dalmain::EntryFoodIndex foods = dalmain::EntryFoodIndex::fromCache(cache);

    dalmain::AnalysisRequest request;
    if (chosen->period == dalmain::AnalysisPeriod::Selection) {
        QList<int> records;
        for (const QByteArray &k : chosenDays) {
            const int record = dalmain::FindDayMenu(user, k, 1);
            if (record == 0) {
                ctx.err << "dalmora analyze: no menu record for " << k.left(4) << "-" << k.mid(4, 2) << "-"
                        << k.mid(6, 2) << "\n";
                return cli::ExitNo;
            }
            records.append(record);
        }
        request = dalmain::AnalysisRequest::chosen(user, records);
    } else {
        request = {user, chosen->period, key, {}};
    }

    const dalmain::IntakeStandard &standard = session.intakeStandard();
    const bool wasteRatioOn = dalmain::wasteRatioOption();
    dalmain::reloadPfcTargets();
    const dalmain::UserProfile &profile = *session.profile();
    const dalmain::GroupAnalysisData groups = dalmain::LoadGroupAnalysis(profile, cache);
    dalmain::AnalysisSubject subject = dalmain::analysisSubject(profile);
    subject.groups = &groups;
    const dalmain::AnalysisResult result = dalmain::RunAnalysis(request, foods, standard, wasteRatioOn, subject);

    dalmain::AnalysisReport report;
    report.period = request.period;
    report.result = &result;
    report.standard = &standard;
    report.user = &profile;
    report.groups = dalmain::groupTableText(groups, profile);
    report.exchange = dalmain::exchangeTableText(groups, profile);
    if (exportOptions.shownNutrientsOnly && !allNutrients)
        report.nutrientRows = dalmain::readNutrientSelection();
    else
        report.nutrientRows.fill(true);
    QString text = dalmain::exportText(report, exportOptions, target);
    if (coverage) {
        const dalmain::NutrientCoverage measured =
            dalmain::measureCoverage(request, dalmain::CoverageFoods::fromCache(cache), wasteRatioOn);
        text += dalmain::coverageText(measured, report.nutrientRows) + dalmain::analysisSeparatorLine();
    }
    if (!exporting) {
        ctx.out << text;
        return cli::ExitOk;
    }
    return writeOutput(ctx, outPath, dalmain::exportFileBytes(text)) ? cli::ExitOk : cli::ExitFailure;
}

}  // namespace
