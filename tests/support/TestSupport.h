#pragma once

// Shared pieces of the unit tests: a throw-away data and settings folder per test, file
// helpers, and running the command-line tool as a user would.

#include "quenkit/files/DataFolder.h"
#include "quenkit/registry/SettingsStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <thread>
#include <vector>

namespace testsupport {

// A fresh data folder and settings folder, used by the library for the fixture's lifetime.
class TempFolders
{
public:
    TempFolders()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("data"));
        QDir(m_dir.path()).mkpath(QStringLiteral("config"));
        quenkit::setSettingsFolderOverride(configDir());
        quenkit::setDataFolderOverride(dataDir() + QLatin1Char('/'));
    }
    ~TempFolders()
    {
        quenkit::setDataFolderOverride(QString());
        quenkit::setSettingsFolderOverride(QString());
    }

    QString root() const { return m_dir.path(); }
    QString dataDir() const { return m_dir.path() + QStringLiteral("/data"); }
    QString configDir() const { return m_dir.path() + QStringLiteral("/config"); }
    QString dataFile(const QString &name) const { return dataDir() + QLatin1Char('/') + name; }

private:
    QTemporaryDir m_dir;
};

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the dalmora tool with args and the given extra environment ("NAME=value").
inline CliResult runCli(const QStringList &args, const QStringList &env = {}, const QByteArray &input = {})
{
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString &kv : env) {
        const qsizetype eq = kv.indexOf(QLatin1Char('='));
        e.insert(kv.left(eq), kv.mid(eq + 1));
    }
    p.setProcessEnvironment(e);
    p.start(QStringLiteral(DALMORA_CLI_PATH), args);
    p.waitForStarted();
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    CliResult r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Runs several workers at once, each running its own commands of the tool one after another, as
// several scripts (or a script beside the program) would. The results, per worker in order.
inline QList<QList<CliResult>> runCliWorkers(const QList<QList<QStringList>> &workers, const QStringList &env = {})
{
    QList<QList<CliResult>> results(workers.size());
    std::vector<std::thread> threads;
    for (qsizetype w = 0; w < workers.size(); ++w) {
        threads.emplace_back([&, w] {
            for (const QStringList &args : workers[w])
                results[w].append(runCli(args, env));
        });
    }
    for (std::thread &t : threads)
        t.join();
    return results;
}

// Copies the shipped exercise item and basal metabolism tables into the data folder of folders.
inline bool installExerciseTables(const TempFolders &folders)
{
    for (const QString &name : {QStringLiteral("RMR.DBF"), QStringLiteral("基礎代謝.DBF")}) {
        if (!QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + name, folders.dataFile(name)))
            return false;
        QFile::setPermissions(folders.dataFile(name), QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

// The tool's "users add" for a 40-year-old man of 170 cm, activity level 1, weighing 60 kg on
// 1 January 2024.
inline QStringList addManArguments(const QString &name, const QString &reading)
{
    return {QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("--name"), name, QStringLiteral("--reading"),
            reading, QStringLiteral("--age"), QStringLiteral("40"), QStringLiteral("--sex"), QStringLiteral("male"),
            QStringLiteral("--height"), QStringLiteral("170"), QStringLiteral("--activity"), QStringLiteral("1"),
            QStringLiteral("--weight"), QStringLiteral("60"), QStringLiteral("--weight-date"), QStringLiteral("2024-01-01")};
}

}  // namespace testsupport
