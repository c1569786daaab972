// dalmora memo: the keyed memos of a user: the menu memo of a day, the weight memo of a
// measurement and the analysis comment of a period.

#include "Arguments.h"
#include "Command.h"

#include "dalmain/userdata/MemoFile.h"
#include "dalmain/userdata/UserStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QRegularExpression>

#include <optional>


namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora memo get USER KIND KEY          print the memo (exit 1 when there is none)\n"
    "  dalmora memo set USER KIND KEY [TEXT]   store the memo; without TEXT (or with \"\") remove it\n"
    "USER is a user's name or number. KIND is MM (menu memo of a day), WM (weight memo of a\n"
    "measurement) or AM (analysis comment). KEY is the day, YYYY-MM-DD or YYYYMMDD; for AM it is\n"
    "YYYYMMDD for a day, YYYYMM99 for a month, YYYY9999 for a year and 99999999 for every\n"
    "selection. The text is stored as it is given, in Shift-JIS.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("memo"), QStringLiteral("read and write a user's menu and weight memos and analysis comments"),
     kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("memo"))
            return c;
    }
    Q_UNREACHABLE();
}

int usage(cli::Context &ctx, const QString &message)
{
    return cli::usageError(ctx, self(), message);
}

std::optional<dalmain::MemoKind> kindArgument(const QString &text)
{
    if (text == QLatin1String("MM"))
        return dalmain::MemoKind::Menu;
    if (text == QLatin1String("WM"))
        return dalmain::MemoKind::Weight;
    if (text == QLatin1String("AM"))
        return dalmain::MemoKind::Analysis;
    return std::nullopt;
}

// A day for every kind; the period keys of the comments besides.
QByteArray keyArgument(dalmain::MemoKind kind, const QString &text)
{
    const QByteArray day = cli::dateKeyArgument(text);
    if (!day.isEmpty() || kind != dalmain::MemoKind::Analysis)
        return day;
    static const QRegularExpression period(QStringLiteral("^(\\d{4}(0[1-9]|1[0-2])99|\\d{4}9999|99999999)$"));
    return period.match(text).hasMatch() ? text.toLatin1() : QByteArray();
}

int run(cli::Context &ctx, QStringList args)
{
    if (args.isEmpty())
        return usage(ctx, QStringLiteral("missing action"));
    const QString action = args.takeFirst();
    const bool set = action == QLatin1String("set");
    if (!set && action != QLatin1String("get"))
        return usage(ctx, QStringLiteral("unknown action '%1'").arg(action));
    if (set ? args.size() < 3 || args.size() > 4 : args.size() != 3)
        return usage(ctx, set ? QStringLiteral("set takes USER KIND KEY [TEXT]") : QStringLiteral("get takes USER KIND KEY"));

    const std::optional<dalmain::MemoKind> kind = kindArgument(args[1]);
    if (!kind)
        return usage(ctx, QStringLiteral("'%1' is not MM, WM or AM").arg(args[1]));
    const QByteArray key = keyArgument(*kind, args[2]);
    if (key.isEmpty())
        return usage(ctx, QStringLiteral("'%1' is not a key of %2").arg(args[2], args[1]));
    if (!cli::userTableReadable(ctx, self().name))
        return cli::ExitFailure;
    const std::optional<dalmain::UserListEntry> user = cli::userArgument(args[0]);
    if (!user) {
        ctx.err << "dalmora memo: no such user\n";
        return cli::ExitNo;
    }
    const QString file = dalmain::memoFileName(*kind, static_cast<int>(user->number));

    if (!set) {
        QByteArray text;
        if (dalmain::ReadMemo(file, key, text) != 1) {
            ctx.err << "dalmora memo: no memo under " << QString::fromLatin1(key) << "\n";
            return cli::ExitNo;
        }
        ctx.out << quenkit::fromSjis(text) << "\n";
        return cli::ExitOk;
    }

    bool encodable = true;
    const QByteArray text = quenkit::toSjis(args.value(3), &encodable);
    if (!encodable) {
        ctx.err << "dalmora memo: the text holds characters that Shift-JIS cannot store\n";
        return cli::ExitNo;
    }
    if (text.size() > dalmain::kMemoMaxText) {
        ctx.err << "dalmora memo: the text is " << text.size() << " bytes; a memo holds at most "
                << dalmain::kMemoMaxText << "\n";
        return cli::ExitNo;
    }
    if (dalmain::WriteMemo(file, key, text) != 1) {
        ctx.err << "dalmora memo: " << cli::withLockReason(file + QStringLiteral(" could not be written")) << "\n";
        return cli::ExitFailure;
    }
    return cli::ExitOk;
}

}  // namespace
