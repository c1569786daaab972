#include "Command.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCoreApplication>
#ifdef DALMORA_CLI_PAINTS
#include <QGuiApplication>
#endif
#include <QStringConverter>

#include <algorithm>
#include <memory>

namespace {

void printHelp(cli::Context &ctx)
{
    ctx.out << "Usage: " << ctx.program << " [--config-dir DIR] [--data-dir DIR] COMMAND ...\n\n"
            << "Dalmora's command-line tool: inspect and maintain the tables, enter and analyse\n"
            << "records, export and back up, without the screens.\n\n"
            << "Global options:\n"
            << "  --config-dir DIR   folder of the settings store for this run\n"
            << "  --data-dir DIR     data folder for this run (in place of the DataDir2 setting)\n"
            << "  --version          print the version\n"
            << "  --help             print this help\n\n"
            << "Commands:\n";
    QList<cli::Command> commands = cli::registeredCommands();
    std::sort(commands.begin(), commands.end(),
              [](const cli::Command &a, const cli::Command &b) { return a.name < b.name; });
    for (const cli::Command &c : commands)
        ctx.out << "  " << c.name.leftJustified(10) << " " << c.summary << "\n";
    ctx.out << "\nRun '" << ctx.program << " COMMAND --help' for a command's usage.\n";
}

// "print" paints its pages with the program's report routines, which need a GUI application;
// it needs no display, so it runs on the offscreen platform unless another one is asked for.
// Every other command runs on QtCore alone.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
#ifdef DALMORA_CLI_PAINTS
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--config-dir" || arg == "--data-dir") {
            ++i;
            continue;
        }
        if (arg.startsWith("--"))
            continue;
        if (arg == "print") {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QGuiApplication>(argc, argv);
        }
        break;
    }
#endif
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QCoreApplication &app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("dalmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DALMORA_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    cli::Context ctx{out, err, QStringLiteral("dalmora")};

    QStringList args = app.arguments().mid(1);
    bool ok = true;
    QString folder;
    if (cli::takeOption(args, QStringLiteral("--config-dir"), &folder, &ok) && ok)
        quenkit::setSettingsFolderOverride(folder);
    if (!ok) {
        err << "dalmora: --config-dir needs a folder\n";
        return cli::ExitUsage;
    }
    if (cli::takeOption(args, QStringLiteral("--data-dir"), &folder, &ok) && ok) {
        if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
            folder += QLatin1Char('/');
        quenkit::setDataFolderOverride(folder);
    }
    if (!ok) {
        err << "dalmora: --data-dir needs a folder\n";
        return cli::ExitUsage;
    }

    if (args.isEmpty()) {
        printHelp(ctx);
        return cli::ExitUsage;
    }
    const QString first = args.takeFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        printHelp(ctx);
        return cli::ExitOk;
    }
    if (first == QLatin1String("--version")) {
        out << "dalmora " << QCoreApplication::applicationVersion() << "\n";
        return cli::ExitOk;
    }
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == first) {
            if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
                out << c.usage << "\n";
                return cli::ExitOk;
            }
            const int rc = c.run(ctx, args);
            out.flush();
            err.flush();
            return rc;
        }
    }
    err << "dalmora: unknown command '" << first << "'\n";
    printHelp(ctx);
    return cli::ExitUsage;
}
