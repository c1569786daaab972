#pragma once

#include "quenkit/owner/Owner.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

// A command group of the tool ("settings", "dbf", ...). Groups register themselves from their
// own file with a static CommandRegistration, so the tool's main knows none of them by name.
namespace cli {

// Exit codes: 0 success, 1 the operation said no (not found, refused entry), 2 usage error.
enum ExitCode { ExitOk = 0, ExitNo = 1, ExitUsage = 2, ExitFailure = 3 };

struct Context {
    QTextStream &out;   // UTF-8
    QTextStream &err;   // UTF-8
    QString program;    // for usage texts
};

using CommandFunction = std::function<int(Context &ctx, QStringList args)>;

struct Command {
    QString name;
    QString summary;        // one line for "dalmora --help"
    QString usage;          // the group's own usage, printed on a usage error
    CommandFunction run;
};

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const QList<Command> &registeredCommands();

// Prints "dalmora GROUP: MESSAGE" and the group's usage on ctx.err; returns ExitUsage.
int usageError(Context &ctx, const Command &command, const QString &message);

// The message of a write that failed, followed by why a lock could not be taken when that is
// the reason ("... is being changed by another program"), so that a busy file is not reported
// as a bare failure.
QString withLockReason(const QString &failure);

// The library's messages appear on stderr, behind prefix ("dalmora dbf: "), and its questions
// are answered Yes (OK): the command line itself is the user's confirmation.
class ConsoleOwner : public quenkit::Owner
{
public:
    explicit ConsoleOwner(QTextStream &err, QString prefix = {}) : m_err(err), m_prefix(std::move(prefix)) {}
    quenkit::Answer ask(const quenkit::Message &message) override;

private:
    QTextStream &m_err;
    QString m_prefix;
};

// Takes "--name VALUE" (or "--name=VALUE") out of args; true when present. A missing value is
// reported through ok = false.
bool takeOption(QStringList &args, const QString &name, QString *value, bool *ok = nullptr);
// Takes a flag "--name" out of args; true when present.
bool takeFlag(QStringList &args, const QString &name);

}  // namespace cli
