// dalmora init: an installation made from the shipped data folder, so the program can start
// on a machine where the installer has not run.

#include "Command.h"

#include "quenkit/registry/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora init [--prefix DIR] [--from DIR]\n"
    "Creates an installation in DIR: the program folder with the shipped master files (the\n"
    "settings SystemDir and DataDir) and below it the data folder FOOD5 with the working copies\n"
    "(DataDir2), and writes the three folders to the installation settings.\n"
    "  --prefix DIR   where to install; default $DALMORA_HOME, else the per-user data folder\n"
    "  --from DIR     the shipped data folder (with master/); default the one this program was\n"
    "                 built or installed with\n"
    "Run again, it brings the shipped copies up to date and adds missing working copies; working\n"
    "copies that exist are kept, as they hold the user's own data.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("init"), QStringLiteral("create an installation from the shipped data"), kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("init"))
            return c;
    }
    Q_UNREACHABLE();
}

// The shipped data folder (the one holding master/ and help/): installed beside the program,
// or, for a program run from its build folder, the source tree it was built from.
QString shippedDataFolder()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList candidates = {programDir + QStringLiteral("/../share/dalmora/data"),
                              programDir + QStringLiteral("/data")};
#ifdef DALMORA_SOURCE_DATA_DIR
    candidates.append(QStringLiteral(DALMORA_SOURCE_DATA_DIR));
#endif
    for (const QString &c : candidates) {
        if (QFileInfo(c + QStringLiteral("/master")).isDir())
            return QDir(c).canonicalPath();
    }
    return QString();
}

QString defaultPrefix()
{
    const QString home = qEnvironmentVariable("DALMORA_HOME");
    if (!home.isEmpty())
        return home;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/dalmora");
}

// A folder setting: the absolute path with a final separator, in the system's spelling.
QString folderSetting(const QString &path)
{
    return QDir::toNativeSeparators(QDir(path).absolutePath() + QLatin1Char('/'));
}

struct CopyCount {
    int copied = 0;
    int kept = 0;
};

// Copies every file below source into target, keeping sub-folders. With keepExisting a file
// that exists in target is left as it is. false (with the reason in error) on a failure.
bool copyTree(const QString &source, const QString &target, bool keepExisting, CopyCount &count, QString &error)
{
    QDirIterator it(source, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = QDir(source).relativeFilePath(from);
        const QString to = QDir(target).filePath(relative);
        if (!QDir().mkpath(QFileInfo(to).absolutePath())) {
            error = QStringLiteral("cannot create the folder %1").arg(QFileInfo(to).absolutePath());
            return false;
        }
        if (QFileInfo::exists(to)) {
            if (keepExisting) {
                ++count.kept;
                continue;
            }
            QFile::remove(to);
        }
        if (!QFile::copy(from, to)) {
            error = QStringLiteral("cannot copy %1 to %2").arg(from, to);
            return false;
        }
        // Shipped files may be read-only in the source; the copies are the user's.
        QFile(to).setPermissions(QFile(to).permissions() | QFileDevice::WriteOwner);
        ++count.copied;
    }
    return true;
}

int run(cli::Context &ctx, QStringList args)
{
    bool ok = true;
    QString prefix = defaultPrefix();
    if (cli::takeOption(args, QStringLiteral("--prefix"), &prefix, &ok) && !ok)
        return cli::usageError(ctx, self(), QStringLiteral("--prefix needs a folder"));
    QString from = shippedDataFolder();
    if (cli::takeOption(args, QStringLiteral("--from"), &from, &ok) && !ok)
        return cli::usageError(ctx, self(), QStringLiteral("--from needs a folder"));
    if (!args.isEmpty())
        return cli::usageError(ctx, self(), QStringLiteral("unexpected argument '%1'").arg(args.first()));

    if (!from.isEmpty())
        from = QDir(from).absolutePath();
    const QString master = from + QStringLiteral("/master");
    if (from.isEmpty() || !QFileInfo(master).isDir()) {
        ctx.err << "dalmora init: no shipped data folder found" << (from.isEmpty() ? QString() : QStringLiteral(" at ") + from)
                << "; give it with --from DIR (the folder that holds master/)\n";
        return cli::ExitFailure;
    }
    if (prefix.isEmpty()) {
        ctx.err << "dalmora init: no folder to install into; give it with --prefix DIR\n";
        return cli::ExitUsage;
    }
    const QString system = QDir(prefix).absolutePath();
    const QString data = system + QStringLiteral("/FOOD5");
    if (!QDir().mkpath(data)) {
        ctx.err << "dalmora init: cannot create " << data << "\n";
        return cli::ExitFailure;
    }

    QString error;
    CopyCount shipped;
    CopyCount working;
    if (!copyTree(master, system, false, shipped, error) || !copyTree(master, data, true, working, error)) {
        ctx.err << "dalmora init: " << error << "\n";
        return cli::ExitFailure;
    }
    // The stand-in pictures of dishes and food groups belong to the program folder only: they
    // are looked up there, and nobody edits them.
    const QString pictures = from + QStringLiteral("/bmp");
    if (QFileInfo(pictures).isDir() && !copyTree(pictures, system + QStringLiteral("/bmp"), false, shipped, error)) {
        ctx.err << "dalmora init: " << error << "\n";
        return cli::ExitFailure;
    }

    const QList<QPair<QString, QString>> folders = {{QStringLiteral("SystemDir"), folderSetting(system)},
                                                    {QStringLiteral("DataDir"), folderSetting(system)},
                                                    {QStringLiteral("DataDir2"), folderSetting(data)}};
    for (const auto &[name, value] : folders) {
        if (quenkit::SetUserRegistryString(name, value) != 1) {
            ctx.err << "dalmora init: "
                    << cli::withLockReason(QStringLiteral("cannot store %1 in %2").arg(name, quenkit::settingsFolder()))
                    << "\n";
            return cli::ExitFailure;
        }
    }

    ctx.out << "Installed into " << folderSetting(system) << " (" << shipped.copied << " master files)\n"
            << "Data folder " << folderSetting(data) << ": " << working.copied << " working copies added, "
            << working.kept << " kept\n";
    return cli::ExitOk;
}

}  // namespace
