// dalmora analyze: the analysis of a user's day, month, year or chosen days, written as the
// analysis screen saves or copies it: the same bytes, in Shift-JIS.

#include "AnalysedPeriod.h"
#include "Arguments.h"
#include "Command.h"

#include "dalmain/analysis/AnalysisExport.h"
#include "dalmain/analysis/NutrientCoverage.h"
#include "dalmain/master/EntryNutrients.h"

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
    QString periodMessage;
    const std::optional<cli::PeriodArgument> period = cli::takePeriodArgument(args, &periodMessage);
    for (const QString &a : args) {
        if (a.startsWith(QLatin1String("--")))
            return cli::usageError(ctx, self(), QStringLiteral("unknown option %1").arg(a));
    }
    if (args.size() != 1)
        return cli::usageError(ctx, self(), QStringLiteral("give one USER"));
    if (!period)
        return cli::usageError(ctx, self(), periodMessage);

    cli::AnalysedPeriod analysed;
    if (const int exit = cli::analysePeriod(ctx, self().name, args[0], *period, analysed); exit != cli::ExitOk)
        return exit;
    const dalmain::AnalysisRequest &request = analysed.request;
    const bool wasteRatioOn = dalmain::wasteRatioOption();
    dalmain::AnalysisReport report = analysed.report();
    if (exportOptions.shownNutrientsOnly && !allNutrients)
        report.nutrientRows = dalmain::readNutrientSelection();
    QString text = dalmain::exportText(report, exportOptions, target);
    if (coverage) {
        const dalmain::NutrientCoverage measured =
            dalmain::measureCoverage(request, dalmain::CoverageFoods::fromCache(analysed.cache), wasteRatioOn);
        text += dalmain::coverageText(measured, report.nutrientRows) + dalmain::analysisSeparatorLine();
    }
    if (!exporting) {
        ctx.out << text;
        return cli::ExitOk;
    }
    return writeOutput(ctx, outPath, dalmain::exportFileBytes(text)) ? cli::ExitOk : cli::ExitFailure;
}

}  // namespace
