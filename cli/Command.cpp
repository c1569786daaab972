#include "Command.h"

#include "quenkit/files/FileLock.h"

namespace cli {

namespace {
QList<Command> &commands()
{
    static QList<Command> list;
    return list;
}
}  // namespace

CommandRegistration::CommandRegistration(Command command)
{
    commands().append(std::move(command));
}

const QList<Command> &registeredCommands()
{
    return commands();
}

int usageError(Context &ctx, const Command &command, const QString &message)
{
    ctx.err << ctx.program << " " << command.name << ": " << message << "\n";
    if (!command.usage.isEmpty())
        ctx.err << command.usage << "\n";
    ctx.err.flush();
    return ExitUsage;
}

QString withLockReason(const QString &failure)
{
    const QString reason = quenkit::lastFileLockError();
    if (reason.isEmpty() || failure.contains(reason))
        return failure;
    return failure + QStringLiteral(": ") + reason;
}

bool takeOption(QStringList &args, const QString &name, QString *value, bool *ok)
{
    if (ok)
        *ok = true;
    const QString prefix = name + QLatin1Char('=');
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            if (i + 1 >= args.size()) {
                if (ok)
                    *ok = false;
                args.removeAt(i);
                return true;
            }
            if (value)
                *value = args[i + 1];
            args.remove(i, 2);
            return true;
        }
        if (args[i].startsWith(prefix)) {
            if (value)
                *value = args[i].mid(prefix.size());
            args.removeAt(i);
            return true;
        }
    }
    return false;
}

bool takeFlag(QStringList &args, const QString &name)
{
    const qsizetype i = args.indexOf(name);
    if (i < 0)
        return false;
    args.removeAt(i);
    return true;
}

quenkit::Answer ConsoleOwner::ask(const quenkit::Message &message)
{
    if (message.buttons == quenkit::Buttons::Ok) {
        m_err << m_prefix << message.text << "\n";
        m_err.flush();
        return quenkit::Answer::Ok;
    }
    return message.buttons == quenkit::Buttons::OkCancel ? quenkit::Answer::Ok : quenkit::Answer::Yes;
}

}  // namespace cli
