// dalmora exercise: the exercise items, and a user's exercise log day by day with the day's
// energy expenditure as the exercise screen shows it.

#include "Arguments.h"
#include "Command.h"

#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/master/ExerciseItem.h"
#include "dalmain/master/ExerciseSummary.h"
#include "dalmain/userdata/ExerciseLogDay.h"
#include "dalmain/userdata/ExerciseLogInput.h"
#include "dalmain/userdata/UserStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QRegularExpression>

#include <climits>
#include <optional>

namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora exercise items [KEYWORD]             list the items: number, Af, name\n"
    "  dalmora exercise set USER DATE ENTRY[,...]   replace the day's entries (none: remove the day)\n"
    "  dalmora exercise show USER DATE              the day's entries and energy expenditure\n"
    "ENTRY is ITEM:MINUTES (energy from the minutes), ITEM:=KCAL (energy entered, minutes not\n"
    "known), ITEM:MINUTES=KCAL (energy entered with its minutes), basal (the day's basal\n"
    "metabolism as computed) or basal:KCAL (as entered). ITEM is an item number. Entries may\n"
    "be given as separate arguments or separated by commas. USER is a user's name or number,\n"
    "DATE is YYYY-MM-DD or YYYYMMDD. A day holds at most 30 entries, one of them basal.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("exercise"), QStringLiteral("list exercise items; enter and show a user's exercise days"), kUsage,
     run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("exercise"))
            return c;
    }
    Q_UNREACHABLE();
}

int usage(cli::Context &ctx, const QString &message)
{
    return cli::usageError(ctx, self(), message);
}

int listItems(cli::Context &ctx, const QStringList &args)
{
    if (args.size() > 1)
        return usage(ctx, QStringLiteral("items takes at most one KEYWORD"));
    const QList<dalmain::ExerciseItem> items = dalmain::searchExerciseItems(args.value(0));
    if (items.isEmpty() && args.isEmpty()) {
        ctx.err << "dalmora exercise: " << dalmain::kExerciseItemTable << " has no items or cannot be read\n";
        return cli::ExitFailure;
    }
    for (const dalmain::ExerciseItem &item : items)
        ctx.out << QString::asprintf("%5u", item.number) << '\t' << QString::fromLatin1(item.afText).trimmed() << '\t'
                << item.displayName() << '\n';
    return items.isEmpty() ? cli::ExitNo : cli::ExitOk;
}

// The user and date shared by set and show, and what the day is computed with.
struct DayArguments {
    dalmain::UserProfile person;
    QByteArray date;
    dalmain::ExerciseDayBasis basis;
    dalmain::ExerciseItemLookup items;
};

std::optional<DayArguments> dayArguments(cli::Context &ctx, const QString &userText, const QString &dateText, int *exit)
{
    DayArguments day;
    day.date = cli::dateKeyArgument(dateText);
    if (day.date.isEmpty()) {
        *exit = usage(ctx, QStringLiteral("'%1' is not a date").arg(dateText));
        return std::nullopt;
    }
    *exit = cli::ExitFailure;
    if (!cli::userTableReadable(ctx, self().name))
        return std::nullopt;
    const std::optional<dalmain::UserListEntry> user = cli::userArgument(userText);
    const std::optional<dalmain::UserProfile> person = user ? dalmain::readUser(user->record) : std::nullopt;
    if (!person) {
        ctx.err << "dalmora exercise: no such user\n";
        *exit = cli::ExitNo;
        return std::nullopt;
    }
    day.person = *person;
    dalmain::BasalStandardTable table{};
    dalmain::LoadBasalStandardTable(table);
    day.basis = dalmain::exerciseDayBasis(day.person, day.date, table);
    day.items = dalmain::itemLookupOf(dalmain::readExerciseItems());
    return day;
}

// One ENTRY argument as an entry of the day; an empty optional with the reason in *error.
std::optional<dalmain::ExerciseEntry> entryArgument(const QString &text, const DayArguments &day, QString *error)
{
    static const QRegularExpression basal(QStringLiteral("^basal(?::(\\d+(?:\\.\\d+)?))?$"));
    static const QRegularExpression entry(QStringLiteral("^(\\d+):(\\d+)?(?:=(\\d+(?:\\.\\d+)?))?$"));
    if (const QRegularExpressionMatch m = basal.match(text); m.hasMatch()) {
        const double kcal = m.captured(1).isEmpty() ? dalmain::DailyBasalMetabolism(day.basis.energy) : m.captured(1).toDouble();
        if (kcal <= 0.0 || kcal > 9999.0) {
            *error = QStringLiteral("%1: the basal metabolism must be above 0 and at most 9999 kcal").arg(text);
            return std::nullopt;
        }
        return dalmain::basalEntry(kcal);
    }
    const QRegularExpressionMatch m = entry.match(text);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty())) {
        *error = QStringLiteral("'%1' is not ITEM:MINUTES, ITEM:=KCAL, ITEM:MINUTES=KCAL, basal or basal:KCAL").arg(text);
        return std::nullopt;
    }
    const std::optional<dalmain::ExerciseItem> item = day.items(m.captured(1).toUInt());
    if (!item) {
        *error = QStringLiteral("%1: there is no item %2").arg(text, m.captured(1));
        return std::nullopt;
    }
    const bool minutesGiven = !m.captured(2).isEmpty();
    const int minutes = m.captured(2).size() > 5 ? INT_MAX : m.captured(2).toInt();
    const auto refused = [&](const dalmain::EntryCheck &check) {
        if (!check.message.isEmpty())
            *error = text + QStringLiteral(": ") + check.message;
        else if (check.field == dalmain::EntryCheck::Minutes)
            *error = text + QStringLiteral(": the minutes must be at least 1");
        else
            *error = text + QStringLiteral(": the energy must be at least 1 kcal");
        return std::nullopt;
    };
    if (m.captured(3).isEmpty()) {
        if (!dalmain::hasIntensity(*item)) {
            *error = QStringLiteral("%1: item %2 has no Af; enter its energy (ITEM:=KCAL)").arg(text, m.captured(1));
            return std::nullopt;
        }
        if (const dalmain::EntryCheck check = dalmain::checkComputedEntry(minutes); !check.ok())
            return refused(check);
        return dalmain::computedEntry(*item, minutes, day.basis.energy);
    }
    const double kcal = m.captured(3).toDouble();
    const std::optional<int> directMinutes = minutesGiven ? std::optional<int>(minutes) : std::nullopt;
    if (const dalmain::EntryCheck check = dalmain::checkDirectEntry(directMinutes, kcal); !check.ok())
        return refused(check);
    return dalmain::directEntry(*item, kcal, directMinutes, day.basis.energy);
}

int setDay(cli::Context &ctx, const QStringList &args)
{
    if (args.size() < 2)
        return usage(ctx, QStringLiteral("set takes USER DATE ENTRY[,...]"));
    int exit = cli::ExitOk;
    const std::optional<DayArguments> day = dayArguments(ctx, args[0], args[1], &exit);
    if (!day)
        return exit;
    dalmain::ExerciseDay entries;
    for (const QString &arg : args.mid(2)) {
        for (const QString &text : arg.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            QString error;
            std::optional<dalmain::ExerciseEntry> entry = entryArgument(text.trimmed(), *day, &error);
            if (!entry) {
                ctx.err << "dalmora exercise: " << error << "\n";
                return cli::ExitNo;
            }
            switch (entries.insert(std::move(*entry))) {
            case dalmain::ExerciseDay::Added::Added:
                break;
            case dalmain::ExerciseDay::Added::Full:
                ctx.err << "dalmora exercise: " << dalmain::kExerciseFullMessage << "\n";
                return cli::ExitNo;
            case dalmain::ExerciseDay::Added::BasalAlreadyEntered:
                ctx.err << "dalmora exercise: " << dalmain::kBasalEnteredMessage << "\n";
                return cli::ExitNo;
            }
        }
    }
    QString error;
    if (!dalmain::saveExerciseDay(day->person.number, day->date, entries, &error)) {
        ctx.err << "dalmora exercise: " << error << "\n";
        return cli::ExitFailure;
    }
    return cli::ExitOk;
}

int showDay(cli::Context &ctx, const QStringList &args)
{
    if (args.size() != 2)
        return usage(ctx, QStringLiteral("show takes USER DATE"));
    int exit = cli::ExitOk;
    const std::optional<DayArguments> day = dayArguments(ctx, args[0], args[1], &exit);
    if (!day)
        return exit;
    const dalmain::ExerciseDay entries =
        dalmain::loadExerciseDay(day->person.number, day->date, day->items, day->basis.energy);
    ctx.out << "運動種目\t運動時間\t消費ｴﾈﾙｷﾞｰ\tメ　　モ\n";
    for (const dalmain::ExerciseEntry &entry : entries.entries()) {
        const dalmain::ExerciseListLine line = dalmain::exerciseListLine(entry);
        ctx.out << line.name << '\t' << line.minutes << '\t' << line.energy << '\t' << line.memo << '\n';
    }
    for (const QString &line : dalmain::exerciseSummaryLines(entries.summary(day->basis)))
        ctx.out << line << '\n';
    return cli::ExitOk;
}

int run(cli::Context &ctx, QStringList args)
{
    if (args.isEmpty())
        return usage(ctx, QStringLiteral("missing action"));
    const QString action = args.takeFirst();
    if (action == QLatin1String("items"))
        return listItems(ctx, args);
    if (action == QLatin1String("set"))
        return setDay(ctx, args);
    if (action == QLatin1String("show"))
        return showDay(ctx, args);
    return usage(ctx, QStringLiteral("unknown action '%1'").arg(action));
}

}  // namespace
