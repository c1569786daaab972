// dalmora weight: a user's weight log, the measurements with their memos.

#include "Arguments.h"
#include "Command.h"

#include "dalmain/analysis/WeightFigures.h"
#include "dalmain/userdata/MemoFile.h"
#include "dalmain/userdata/UserStore.h"
#include "dalmain/userdata/WeightLog.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/text/ShiftJis.h"

#include <QRegularExpression>

#include <optional>

namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora weight add USER DATE KG [--body-fat PCT] [--memo TEXT]   enter or replace a measurement\n"
    "  dalmora weight list USER [YYYY-MM]                               the measurements (of a month)\n"
    "  dalmora weight delete USER DATE                                  delete a measurement and its memo\n"
    "  dalmora weight month USER YYYY-MM                                the month as the weight screen copies it\n"
    "  dalmora weight goal USER [--weight KG] [--body-fat PCT]          show or set the goals\n"
    "USER is a user's name or number, DATE is YYYY-MM-DD or YYYYMMDD. The weight is 0.1-200.0 kg,\n"
    "the body fat 0.1-50.0 % (0 or none: not measured). The log keeps at least one measurement.\n"
    "list prints date, weight, body fat (- when not measured) and memo, separated by tabs.\n"
    "month prints the measurements, the month's averages, their differences from the standard and\n"
    "the standard values for the user's height and sex, tab-separated.\n"
    "goal without options prints the goal weight and body fat (- when not set); an option sets that\n"
    "goal and keeps the other. The goal weight is 0.1-200.0 kg, the body fat at most 50.0 % (0: none).");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("weight"), QStringLiteral("enter, list and delete a user's weight measurements; a month's figures; goals"),
     kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("weight"))
            return c;
    }
    Q_UNREACHABLE();
}

int usage(cli::Context &ctx, const QString &message)
{
    return cli::usageError(ctx, self(), message);
}

std::optional<dalmain::UserListEntry> userOf(cli::Context &ctx, const QString &text, int *exit)
{
    *exit = cli::ExitFailure;
    if (!cli::userTableReadable(ctx, self().name))
        return std::nullopt;
    std::optional<dalmain::UserListEntry> user = cli::userArgument(text);
    if (!user) {
        ctx.err << "dalmora weight: no such user\n";
        *exit = cli::ExitNo;
    }
    return user;
}

std::optional<double> numberArgument(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\d{1,4}(\\.\\d+)?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    return text.toDouble();
}

// The year and month of a YYYY-MM argument; none, with the usage error's exit code in *exit,
// for any other text.
std::optional<std::pair<int, int>> monthArgument(cli::Context &ctx, const QString &text, int *exit)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-?(0[1-9]|1[0-2])$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) {
        *exit = usage(ctx, QStringLiteral("'%1' is not a month (YYYY-MM)").arg(text));
        return std::nullopt;
    }
    return std::make_pair(m.captured(1).toInt(), m.captured(2).toInt());
}

// Takes "--name NUMBER" out of args: *value is the number, or none when the option is absent.
// false, with the usage error's exit code in *exit, when it has no value or no number.
bool takeNumberOption(cli::Context &ctx, QStringList &args, const QString &name, const QString &what,
                      std::optional<double> *value, int *exit)
{
    QString text;
    bool ok = true;
    value->reset();
    if (!cli::takeOption(args, name, &text, &ok)) {
        if (ok)
            return true;
        *exit = usage(ctx, QStringLiteral("%1 needs a value").arg(name));
        return false;
    }
    *value = numberArgument(text);
    if (!*value) {
        *exit = usage(ctx, QStringLiteral("'%1' is not %2").arg(text, what));
        return false;
    }
    return true;
}

int addWeight(cli::Context &ctx, QStringList args)
{
    int exit = cli::ExitOk;
    std::optional<double> bodyFat;
    if (!takeNumberOption(ctx, args, QStringLiteral("--body-fat"), QStringLiteral("a body-fat percentage"), &bodyFat, &exit))
        return exit;
    QString memoText;
    bool ok = true;
    const bool hasMemo = cli::takeOption(args, QStringLiteral("--memo"), &memoText, &ok);
    if (!ok)
        return usage(ctx, QStringLiteral("--memo needs a value"));
    if (args.size() != 3)
        return usage(ctx, QStringLiteral("add takes USER DATE KG"));
    const QByteArray date = cli::dateKeyArgument(args[1]);
    if (date.isEmpty())
        return usage(ctx, QStringLiteral("'%1' is not a date").arg(args[1]));
    const std::optional<double> kg = numberArgument(args[2]);
    if (!kg)
        return usage(ctx, QStringLiteral("'%1' is not a weight in kg").arg(args[2]));
    bool encodable = true;
    const QByteArray memo = quenkit::toSjis(memoText, &encodable);
    if (!encodable) {
        ctx.err << "dalmora weight: the memo holds characters that Shift-JIS cannot store\n";
        return cli::ExitNo;
    }
    if (memo.size() > dalmain::kMemoMaxText) {
        ctx.err << "dalmora weight: the memo is " << memo.size() << " bytes; a memo holds at most " << dalmain::kMemoMaxText << "\n";
        return cli::ExitNo;
    }
    const dalmain::WeightCheck check = dalmain::checkWeightEntry(*kg, bodyFat.value_or(0.0));
    if (!check.ok()) {
        ctx.err << "dalmora weight: " << check.message << "\n";
        return cli::ExitNo;
    }
    const std::optional<dalmain::UserListEntry> user = userOf(ctx, args[0], &exit);
    if (!user)
        return exit;

    QString error;
    if (!dalmain::SaveWeight(user->number, {date, *kg, bodyFat.value_or(0.0)}, &error)) {
        ctx.err << "dalmora weight: " << error << "\n";
        return cli::ExitFailure;
    }
    if (hasMemo) {
        const QString file = dalmain::memoFileName(dalmain::MemoKind::Weight, static_cast<int>(user->number));
        if (dalmain::WriteMemo(file, date, memo) != 1) {
            ctx.err << "dalmora weight: the weight is stored; "
                    << cli::withLockReason(file + QStringLiteral(" could not be written")) << "\n";
            return cli::ExitFailure;
        }
    }
    return cli::ExitOk;
}

int listWeights(cli::Context &ctx, const QStringList &args)
{
    if (args.isEmpty() || args.size() > 2)
        return usage(ctx, QStringLiteral("list takes USER [YYYY-MM]"));
    int exit = cli::ExitOk;
    std::optional<std::pair<int, int>> month;
    if (args.size() == 2 && !(month = monthArgument(ctx, args[1], &exit)))
        return exit;
    const std::optional<dalmain::UserListEntry> user = userOf(ctx, args[0], &exit);
    if (!user)
        return exit;
    const QList<dalmain::WeightRecord> weights = month ? dalmain::WeightsInMonth(user->number, month->first, month->second)
                                                       : dalmain::readWeights(user->number);
    const QString memoFile = dalmain::memoFileName(dalmain::MemoKind::Weight, static_cast<int>(user->number));
    for (const dalmain::WeightRecord &w : weights) {
        QByteArray memo;
        dalmain::ReadMemo(memoFile, w.date, memo);
        const QString date = QString::fromLatin1(w.date);
        ctx.out << date.left(4) << '-' << date.mid(4, 2) << '-' << date.mid(6, 2) << '\t' << QString::asprintf("%.1f", w.kg)
                << '\t' << (w.bodyFat == 0.0 ? QStringLiteral("-") : QString::asprintf("%.1f", w.bodyFat)) << '\t'
                << quenkit::fromSjis(memo).replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'))
                << '\n';
    }
    return cli::ExitOk;
}

int deleteWeight(cli::Context &ctx, const QStringList &args)
{
    if (args.size() != 2)
        return usage(ctx, QStringLiteral("delete takes USER DATE"));
    const QByteArray date = cli::dateKeyArgument(args[1]);
    if (date.isEmpty())
        return usage(ctx, QStringLiteral("'%1' is not a date").arg(args[1]));
    int exit = cli::ExitOk;
    const std::optional<dalmain::UserListEntry> user = userOf(ctx, args[0], &exit);
    if (!user)
        return exit;
    const QString log = dalmain::weightLogName(user->number);
    switch (dalmain::DeleteWeight(user->number, date)) {
    case dalmain::WeightDeletion::Deleted:
        break;
    case dalmain::WeightDeletion::NotFound:
        ctx.err << "dalmora weight: no measurement on " << args[1] << "\n";
        return cli::ExitNo;
    case dalmain::WeightDeletion::LastRecord:
        ctx.err << "dalmora weight: " << QString(dalmain::kLastWeightMessage).replace(QLatin1Char('\n'), QString()) << "\n";
        return cli::ExitNo;
    case dalmain::WeightDeletion::Failed:
        ctx.err << "dalmora weight: " << cli::withLockReason(log + QStringLiteral(" could not be written")) << "\n";
        return cli::ExitFailure;
    }
    const QString memoFile = dalmain::memoFileName(dalmain::MemoKind::Weight, static_cast<int>(user->number));
    if (dalmain::FindMemo(memoFile, date) >= 0 && dalmain::WriteMemo(memoFile, date, {}) != 1) {
        ctx.err << "dalmora weight: the measurement is deleted; its memo stays: "
                << cli::withLockReason(memoFile + QStringLiteral(" could not be written")) << "\n";
        return cli::ExitFailure;
    }
    return cli::ExitOk;
}

std::optional<dalmain::UserProfile> profileOf(cli::Context &ctx, const dalmain::UserListEntry &user)
{
    std::optional<dalmain::UserProfile> profile = dalmain::readUser(user.record);
    if (!profile)
        ctx.err << "dalmora weight: the user's record cannot be read\n";
    return profile;
}

int showMonth(cli::Context &ctx, const QStringList &args)
{
    if (args.size() != 2)
        return usage(ctx, QStringLiteral("month takes USER YYYY-MM"));
    int exit = cli::ExitOk;
    const std::optional<std::pair<int, int>> month = monthArgument(ctx, args[1], &exit);
    if (!month)
        return exit;
    const std::optional<dalmain::UserListEntry> user = userOf(ctx, args[0], &exit);
    if (!user)
        return exit;
    const std::optional<dalmain::UserProfile> profile = profileOf(ctx, *user);
    if (!profile)
        return cli::ExitFailure;
    const dalmain::WeightMonth figures =
        dalmain::loadWeightMonth(user->number, month->first, month->second, dalmain::weightPersonOf(*profile));
    ctx.out << dalmain::weightCopyText(figures, {true, true, true, true}).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return cli::ExitOk;
}

QString goalText(double value, bool set)
{
    return set ? QString::asprintf("%.1f", value) : QStringLiteral("-");
}

int goal(cli::Context &ctx, QStringList args)
{
    int exit = cli::ExitOk;
    std::optional<double> weight;
    std::optional<double> bodyFat;
    if (!takeNumberOption(ctx, args, QStringLiteral("--weight"), QStringLiteral("a weight in kg"), &weight, &exit)
        || !takeNumberOption(ctx, args, QStringLiteral("--body-fat"), QStringLiteral("a body-fat percentage"), &bodyFat, &exit))
        return exit;
    if (args.size() != 1)
        return usage(ctx, QStringLiteral("goal takes USER"));
    const std::optional<dalmain::UserListEntry> user = userOf(ctx, args[0], &exit);
    if (!user)
        return exit;
    const int number = static_cast<int>(user->number);
    dalmain::WeightGoal goals = dalmain::LoadWeightGoal(number);
    if (!weight && !bodyFat) {
        ctx.out << "weight\t" << goalText(goals.weight, goals.weight > 0.0) << "\n"
                << "body-fat\t" << goalText(goals.bodyFat, goals.bodyFat > 0.0) << "\n";
        return cli::ExitOk;
    }
    // The goal not given is kept: the file is read again and written under one lock, so a goal
    // set meanwhile by the program is not overwritten with an older one.
    const QString file = dalmain::weightGoalFileName(number);
    quenkit::FileLock lock = quenkit::lockDataFile(file);
    if (!lock.isLocked()) {
        ctx.err << "dalmora weight: " << file << " is being changed by another program\n";
        return cli::ExitFailure;
    }
    goals = dalmain::LoadWeightGoal(number);
    goals.weight = weight.value_or(goals.weight);
    goals.bodyFat = bodyFat.value_or(goals.bodyFat);
    const dalmain::GoalCheck check = dalmain::checkGoalEntry(goals.weight, goals.bodyFat);
    if (!check.ok()) {
        ctx.err << "dalmora weight: " << check.message << "\n";
        return cli::ExitNo;
    }
    // The stored texts are what the goal dialog shows: one decimal, blank for no body fat.
    const QString storedFat = goals.bodyFat > 0.0 ? QString::asprintf("%.1f", goals.bodyFat) : QString();
    if (dalmain::SaveWeightGoal(number, QString::asprintf("%.1f", goals.weight), storedFat) != 1) {
        ctx.err << "dalmora weight: "
                << cli::withLockReason(file + QStringLiteral(" could not be written")) << "\n";
        return cli::ExitFailure;
    }
    ctx.out << dalmain::goalSetMessage(goals.weight, goals.bodyFat) << "\n";
    return cli::ExitOk;
}

int run(cli::Context &ctx, QStringList args)
{
    if (args.isEmpty())
        return usage(ctx, QStringLiteral("missing action"));
    const QString action = args.takeFirst();
    if (action == QLatin1String("add"))
        return addWeight(ctx, args);
    if (action == QLatin1String("list"))
        return listWeights(ctx, args);
    if (action == QLatin1String("delete"))
        return deleteWeight(ctx, args);
    if (action == QLatin1String("month"))
        return showMonth(ctx, args);
    if (action == QLatin1String("goal"))
        return goal(ctx, args);
    return usage(ctx, QStringLiteral("unknown action '%1'").arg(action));
}

}  // namespace
