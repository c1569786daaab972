// dalmora settings: read and write the settings store; off Windows also how a user edits a
// setting by hand.

#include "Command.h"

#include "quenkit/files/FileLock.h"
#include "quenkit/registry/SettingsStore.h"

namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora settings get SECTION NAME [--default TEXT]   print a per-user value (exit 1 when not read)\n"
    "  dalmora settings get-int SECTION NAME DEFAULT        print a per-user value as an integer\n"
    "  dalmora settings set SECTION NAME VALUE              store a per-user value\n"
    "  dalmora settings delete SECTION NAME                 remove a per-user value\n"
    "  dalmora settings list [SECTION]                      list the sections, or one section's values\n"
    "With --install the same commands work on the per-installation store, without SECTION:\n"
    "  dalmora settings get --install NAME [--default TEXT]\n"
    "  dalmora settings get-int --install NAME DEFAULT\n"
    "  dalmora settings set --install NAME VALUE\n"
    "  dalmora settings delete --install NAME\n"
    "  dalmora settings list --install\n"
    "Values are read by the store's rule: a default applies only while the section (or the\n"
    "installation store) does not exist yet.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("settings"), QStringLiteral("read, write and list the settings store"), kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("settings"))
            return c;
    }
    Q_UNREACHABLE();
}

int run(cli::Context &ctx, QStringList args)
{
    const bool install = cli::takeFlag(args, QStringLiteral("--install"));
    bool ok = true;
    QString defaultText;
    const bool hasDefault = cli::takeOption(args, QStringLiteral("--default"), &defaultText, &ok);
    if (!ok)
        return cli::usageError(ctx, self(), QStringLiteral("--default needs a text"));
    if (args.isEmpty())
        return cli::usageError(ctx, self(), QStringLiteral("missing action"));
    for (const QString &a : args) {
        if (a.startsWith(QLatin1String("--")))
            return cli::usageError(ctx, self(), QStringLiteral("unknown option %1").arg(a));
    }

    const QString action = args.takeFirst();
    const int sectionArgs = install ? 0 : 1;
    auto need = [&](int n) { return args.size() == n + sectionArgs; };
    const QString section = install || args.isEmpty() ? QString() : args.first();
    const QStringList rest = install ? args : args.mid(1);

    if (action == QLatin1String("get")) {
        if (!need(1))
            return cli::usageError(ctx, self(), QStringLiteral("get takes %1NAME").arg(install ? "" : "SECTION "));
        QString buffer;
        const QString *def = hasDefault ? &defaultText : nullptr;
        const int result = install ? quenkit::GetUserRegistryString(rest[0], def, buffer, 1024)
                                   : quenkit::GetRegistryString(section, rest[0], def, buffer, 1024);
        ctx.out << buffer << "\n";
        return result == 1 ? cli::ExitOk : cli::ExitNo;
    }
    if (hasDefault)
        return cli::usageError(ctx, self(), QStringLiteral("--default goes with get"));
    if (action == QLatin1String("get-int")) {
        if (!need(2))
            return cli::usageError(ctx, self(), QStringLiteral("get-int takes %1NAME DEFAULT").arg(install ? "" : "SECTION "));
        bool isNumber = false;
        const int def = rest[1].toInt(&isNumber);
        if (!isNumber)
            return cli::usageError(ctx, self(), QStringLiteral("DEFAULT must be an integer"));
        const int value = install ? quenkit::GetUserRegistryInt(rest[0], def)
                                  : quenkit::GetRegistryInt(section, rest[0], def);
        ctx.out << value << "\n";
        return cli::ExitOk;
    }
    if (action == QLatin1String("set")) {
        if (!need(2))
            return cli::usageError(ctx, self(), QStringLiteral("set takes %1NAME VALUE").arg(install ? "" : "SECTION "));
        const int result = install ? quenkit::SetUserRegistryString(rest[0], rest[1])
                                   : quenkit::SetRegistryString(section, rest[0], rest[1]);
        if (result != 1) {
            ctx.err << "dalmora settings: "
                    << cli::withLockReason(QStringLiteral("could not store the value in ") + quenkit::settingsFolder())
                    << "\n";
            return cli::ExitFailure;
        }
        return cli::ExitOk;
    }
    if (action == QLatin1String("delete")) {
        if (!need(1))
            return cli::usageError(ctx, self(), QStringLiteral("delete takes %1NAME").arg(install ? "" : "SECTION "));
        const int result = install ? quenkit::DeleteUserRegistryString(rest[0])
                                   : quenkit::DeleteRegistryString(section, rest[0]);
        if (result != 1 && !quenkit::lastFileLockError().isEmpty()) {
            ctx.err << "dalmora settings: " << cli::withLockReason(QStringLiteral("could not delete the value")) << "\n";
            return cli::ExitFailure;
        }
        return result == 1 ? cli::ExitOk : cli::ExitNo;
    }
    if (action == QLatin1String("list")) {
        if (install) {
            if (!args.isEmpty())
                return cli::usageError(ctx, self(), QStringLiteral("list --install takes no section"));
            for (const auto &kv : quenkit::listInstallationValues())
                ctx.out << kv.first << "=" << kv.second << "\n";
            return cli::ExitOk;
        }
        if (args.isEmpty()) {
            for (const QString &s : quenkit::listRegistrySections())
                ctx.out << s << "\n";
            return cli::ExitOk;
        }
        if (args.size() != 1)
            return cli::usageError(ctx, self(), QStringLiteral("list takes at most one SECTION"));
        for (const auto &kv : quenkit::listRegistryValues(args[0]))
            ctx.out << kv.first << "=" << kv.second << "\n";
        return cli::ExitOk;
    }
    return cli::usageError(ctx, self(), QStringLiteral("unknown action '%1'").arg(action));
}

}  // namespace
