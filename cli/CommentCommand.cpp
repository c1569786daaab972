// dalmora comment: the comment of an analysed period, as the analysis screen's comment dialog
// reads and stores it. The comments are memos of the analysis kind, so the memo command does
// the reading and writing; this command names the periods.

#include "Arguments.h"
#include "Command.h"

#include "dalmain/analysis/AnalysisExport.h"
#include "quenkit/dates/Dates.h"

#include <QRegularExpression>

namespace {

// The comment dialog's edit box holds this many characters.
constexpr qsizetype kCommentMaxCharacters = 10000;

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora comment get USER KEY          print the comment (exit 1 when there is none)\n"
    "  dalmora comment set USER KEY [TEXT]   store the comment; without TEXT (or with \"\") remove it\n"
    "USER is a user's name or number. KEY is the period: a day (YYYY-MM-DD), a month (YYYY-MM), a\n"
    "year (YYYY) or \"selection\" for the one comment that every analysis of chosen days shares;\n"
    "the stored keys YYYYMMDD, YYYYMM99, YYYY9999 and 99999999 are taken as well. A comment holds\n"
    "at most 10000 characters.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("comment"), QStringLiteral("read and write the comment of an analysed day, month, year or selection"),
     kUsage, run});

const cli::Command &commandNamed(const QString &name)
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == name)
            return c;
    }
    Q_UNREACHABLE();
}

const cli::Command &self()
{
    return commandNamed(QStringLiteral("comment"));
}

// The stored key of a period; empty when text names none.
QString periodKey(const QString &text)
{
    using dalmain::AnalysisPeriod;
    static const QRegularExpression month(QStringLiteral("^(\\d{4})-(0[1-9]|1[0-2])$"));
    static const QRegularExpression year(QStringLiteral("^\\d{4}$"));
    static const QRegularExpression stored(QStringLiteral("^(\\d{4}(0[1-9]|1[0-2])99|\\d{4}9999|99999999)$"));
    QByteArray key;
    if (text == QLatin1String("selection"))
        key = dalmain::commentKey(AnalysisPeriod::Selection, {});
    else if (const auto m = month.match(text); m.hasMatch())
        key = quenkit::isRecordYear(m.captured(1).toInt())
                  ? dalmain::commentKey(AnalysisPeriod::Month, (m.captured(1) + m.captured(2)).toLatin1())
                  : QByteArray();
    else if (year.match(text).hasMatch())
        key = quenkit::isRecordYear(text.toInt()) ? dalmain::commentKey(AnalysisPeriod::Year, text.toLatin1())
                                                  : QByteArray();
    else if (stored.match(text).hasMatch())
        key = text.toLatin1();
    else
        key = cli::dateKeyArgument(text);
    return QString::fromLatin1(key);
}

int run(cli::Context &ctx, QStringList args)
{
    if (args.isEmpty())
        return cli::usageError(ctx, self(), QStringLiteral("missing action"));
    const QString action = args.takeFirst();
    const bool set = action == QLatin1String("set");
    if (!set && action != QLatin1String("get"))
        return cli::usageError(ctx, self(), QStringLiteral("unknown action '%1'").arg(action));
    if (set ? args.size() < 2 || args.size() > 3 : args.size() != 2)
        return cli::usageError(ctx, self(),
                               set ? QStringLiteral("set takes USER KEY [TEXT]") : QStringLiteral("get takes USER KEY"));
    const QString key = periodKey(args[1]);
    if (key.isEmpty())
        return cli::usageError(ctx, self(), QStringLiteral("'%1' is not a day, month, year or selection").arg(args[1]));
    if (set && args.value(2).size() > kCommentMaxCharacters) {
        ctx.err << "dalmora comment: the text has " << args[2].size() << " characters; a comment holds at most "
                << kCommentMaxCharacters << "\n";
        return cli::ExitNo;
    }
    QStringList memoArgs = {action, args[0], QStringLiteral("AM"), key};
    if (args.size() == 3)
        memoArgs.append(args[2]);
    return commandNamed(QStringLiteral("memo")).run(ctx, memoArgs);
}

}  // namespace
