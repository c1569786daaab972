// One program per settings folder: the lock, the hand-over of a second start to the first,
// leftovers of a program that ended, and the program itself started twice.

#include "ShellTestSupport.h"

#include "dalmain/shell/SingleInstance.h"
#include "quenkit/owner/ScriptedOwner.h"
#include "quenkit/registry/SettingsStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <functional>

#include <unistd.h>

using namespace dalmain;

namespace {

constexpr int kShortWait = 2000;

// Lets events run until done holds or milliseconds have passed; whether it holds.
bool waitUntil(const std::function<bool()> &done, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QTest::qWait(10);
    }
    return true;
}

// The contents of a lock file as this machine's lock files are written, naming pid and
// appName as its holder (host and boot as they are now).
QByteArray lockFileContents(qint64 pid, const QByteArray &appName)
{
    QTemporaryDir dir;
    QByteArray bytes;
    {
        QLockFile lock(dir.filePath(QStringLiteral("model.lock")));
        EXPECT_TRUE(lock.tryLock());
        bytes = testsupport::readFile(dir.filePath(QStringLiteral("model.lock")));
    }
    QList<QByteArray> lines = bytes.split('\n');
    EXPECT_GE(lines.size(), 3) << bytes.constData();
    lines[0] = QByteArray::number(pid);
    lines[1] = appName;
    return lines.join('\n');
}

// The id of a process that has ended.
qint64 endedProcessId()
{
    QProcess p;
    p.start(QStringLiteral("sleep"), {QStringLiteral("0")});
    EXPECT_TRUE(p.waitForStarted());
    const qint64 pid = p.processId();
    EXPECT_TRUE(p.waitForFinished());
    return pid;
}

// Makes a file look written long ago.
void age(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
}

}  // namespace

// However the folder is spelled, a second guard finds the first and its request reaches it.
TEST(SingleInstance, SecondStartForTheSameFolderReachesTheFirst)
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("config"));
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::link(folder, root.filePath(QStringLiteral("linked"))));
    SingleInstance first(folder);
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(first.holdsLock());
    EXPECT_TRUE(QFileInfo::exists(first.lockFilePath()));
    QSignalSpy activations(&first, &SingleInstance::activationRequested);

    const QList<QPair<const char *, QString>> spellings = {
        {"same path", folder},
        {"trailing separator and dot segments", root.path() + QStringLiteral("/./config/")},
        {"through a symbolic link", root.filePath(QStringLiteral("linked"))},
    };
    int expected = 0;
    for (const auto &[name, spelling] : spellings) {
        SCOPED_TRACE(name);
        SingleInstance second(spelling);
        EXPECT_EQ(second.serverName(), first.serverName());
        EXPECT_FALSE(second.acquire());
        EXPECT_FALSE(second.holdsLock());
        EXPECT_TRUE(second.notifyRunning(kShortWait));
        EXPECT_EQ(activations.count(), ++expected);
    }
    EXPECT_TRUE(first.holdsLock()) << "a later start took the lock";
}

TEST(SingleInstance, InstallationsWithDifferentSettingsRunSideBySide)
{
    QTemporaryDir a;
    QTemporaryDir b;
    SingleInstance first(a.path());
    SingleInstance other(b.path());
    ASSERT_TRUE(first.acquire());
    ASSERT_TRUE(other.acquire());
    EXPECT_NE(first.serverName(), other.serverName());
    QSignalSpy firstActivations(&first, &SingleInstance::activationRequested);
    QSignalSpy otherActivations(&other, &SingleInstance::activationRequested);

    SingleInstance secondOfB(b.path());
    EXPECT_FALSE(secondOfB.acquire());
    EXPECT_TRUE(secondOfB.notifyRunning(kShortWait));
    EXPECT_EQ(otherActivations.count(), 1);
    EXPECT_EQ(firstActivations.count(), 0) << "the request went to the other installation";
}

// The first program's guard released (the program ended normally): the next start is first.
TEST(SingleInstance, LockIsFreeAgainOnceTheFirstHasEnded)
{
    QTemporaryDir root;
    {
        SingleInstance first(root.path());
        ASSERT_TRUE(first.acquire());
    }
    EXPECT_FALSE(QFileInfo::exists(root.filePath(QStringLiteral("Dalmain.lock"))));
    SingleInstance next(root.path());
    EXPECT_TRUE(next.acquire());
    SingleInstance probe(root.path());
    EXPECT_FALSE(probe.acquire());
    EXPECT_TRUE(probe.notifyRunning(kShortWait));
}

TEST(SingleInstance, FirstStartMakesTheSettingsFolder)
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("new/config"));
    SingleInstance first(folder);
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    SingleInstance second(folder);
    EXPECT_EQ(second.serverName(), first.serverName());
    EXPECT_FALSE(second.acquire());
}

// What a crashed program leaves: its lock file, naming a process that no longer runs, and
// the file of its socket. Both are taken over. A lock of a program that still runs is not,
// however old the file.
TEST(SingleInstance, LockOfAnEndedProgramIsTakenOverAndOneOfARunningProgramIsNot)
{
    QProcess running;
    running.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(running.waitForStarted());
    struct Case {
        const char *name;
        QByteArray lock;
        bool takenOver;
    };
    const QList<Case> cases = {
        {"process has ended", lockFileContents(endedProcessId(), "Dalmain"), true},
        {"process runs", lockFileContents(running.processId(), "sleep"), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        SingleInstance guard(root.path());
        ASSERT_TRUE(testsupport::writeFile(guard.lockFilePath(), c.lock));
        age(guard.lockFilePath());
#ifndef Q_OS_WIN
        const QString socketFile = QDir::temp().filePath(guard.serverName());
        ASSERT_TRUE(testsupport::writeFile(socketFile, "left over"));
#endif
        EXPECT_EQ(guard.acquire(), c.takenOver);
        EXPECT_EQ(guard.holdsLock(), c.takenOver);
        if (c.takenOver) {
            SingleInstance second(root.path());
            EXPECT_FALSE(second.acquire());
            EXPECT_TRUE(second.notifyRunning(kShortWait)) << "the leftover socket file blocked listening";
        } else {
            EXPECT_EQ(testsupport::readFile(guard.lockFilePath()), c.lock);
        }
#ifndef Q_OS_WIN
        QFile::remove(socketFile);
#endif
    }
    running.kill();
    running.waitForFinished();
}

// A second start that gets no answer tells the user and ends; one that does says nothing.
TEST(SingleInstance, SecondStartTellsTheUserOnlyWhenTheFirstDoesNotAnswer)
{
    struct Case {
        const char *name;
        std::function<std::function<void()>(const QString &folder)> first;  // returns the clean-up
        bool answered;
    };
    const QList<Case> cases = {
        {"first program answers",
         [](const QString &folder) -> std::function<void()> {
             auto *guard = new SingleInstance(folder);
             EXPECT_TRUE(guard->acquire());
             return [guard] { delete guard; };
         },
         true},
        {"lock held, nobody listening",
         [](const QString &folder) -> std::function<void()> {
             auto *lock = new QLockFile(SingleInstance(folder).lockFilePath());
             EXPECT_TRUE(lock->tryLock());
             return [lock] { delete lock; };
         },
         false},
        {"listening but hung",
         [](const QString &folder) -> std::function<void()> {
             auto *lock = new QLockFile(SingleInstance(folder).lockFilePath());
             EXPECT_TRUE(lock->tryLock());
             auto *server = new QLocalServer;
             QLocalServer::removeServer(SingleInstance::serverNameFor(folder));
             EXPECT_TRUE(server->listen(SingleInstance::serverNameFor(folder)));
             return [lock, server] { delete server; delete lock; };
         },
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        const std::function<void()> cleanUp = c.first(root.path());
        quenkit::ScriptedOwner owner;
        SingleInstance second(root.path());
        ASSERT_FALSE(second.acquire());
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(second.handOver(&owner, 500), c.answered);
        EXPECT_LT(clock.elapsed(), 3000) << "the wait for an answer is not bounded";
        if (c.answered) {
            EXPECT_TRUE(owner.messages().isEmpty());
        } else {
            ASSERT_EQ(owner.messages().size(), 1);
            const quenkit::Message &m = owner.messages().first();
            EXPECT_EQ(m.caption, QStringLiteral("Dalmora"));
            EXPECT_EQ(m.text, QStringLiteral("Dalmoraは既に起動しています。\n"
                                             "起動中のDalmoraから応答がないため、画面を表示できませんでした。\n"
                                             "しばらく待ってから、もう一度起動してください。"));
            EXPECT_EQ(m.buttons, quenkit::Buttons::Ok);
        }
        cleanUp();
    }
}

// Anything but the request is dropped without bringing the window forward.
TEST(SingleInstance, OtherTrafficOnTheSocketIsIgnored)
{
    QTemporaryDir root;
    SingleInstance first(root.path());
    ASSERT_TRUE(first.acquire());
    QSignalSpy activations(&first, &SingleInstance::activationRequested);
    const QList<QByteArray> requests = {"hello\n", "activate now\n", QByteArray(200, 'a')};
    for (const QByteArray &request : requests) {
        SCOPED_TRACE(request.left(20).constData());
        QLocalSocket socket;
        socket.connectToServer(first.serverName());
        ASSERT_TRUE(socket.waitForConnected(kShortWait));
        socket.write(request);
        socket.flush();
        EXPECT_TRUE(waitUntil([&] { return socket.state() == QLocalSocket::UnconnectedState; }, kShortWait))
            << "the program kept the connection";
        EXPECT_EQ(socket.readAll(), QByteArray());
    }
    EXPECT_EQ(activations.count(), 0);
}

TEST(SingleInstance, RequestBringsTheWindowBack)
{
    QTemporaryDir root;
    SingleInstance first(root.path());
    ASSERT_TRUE(first.acquire());
    QWidget window;
    first.setWindow(&window);
    const QList<QPair<const char *, std::function<void()>>> states = {
        {"minimised", [&] { window.showMinimized(); }},
        {"hidden", [&] { window.hide(); }},
    };
    for (const auto &[name, put] : states) {
        SCOPED_TRACE(name);
        put();
        SingleInstance second(root.path());
        ASSERT_TRUE(second.notifyRunning(kShortWait));
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.isMinimized());
    }
}

TEST(SingleInstance, FolderWithoutRoomForTheLockDoesNotStopTheProgram)
{
    QTemporaryDir root;
    const QString readOnly = root.filePath(QStringLiteral("read-only"));
    QDir().mkpath(readOnly);
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
    ASSERT_TRUE(testsupport::writeFile(root.filePath(QStringLiteral("file")), "x"));
    struct Case {
        const char *name;
        QString folder;
        bool bindsSuperUser;
    };
    const QList<Case> cases = {
        {"read-only folder", readOnly, false},
        {"a file where the folder should be", root.filePath(QStringLiteral("file/config")), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.bindsSuperUser && geteuid() == 0)
            continue;  // file permissions do not bind the super-user
        SingleInstance guard(c.folder);
        EXPECT_TRUE(guard.acquire());
        EXPECT_FALSE(guard.holdsLock());
    }
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The program itself: a second start for the same settings ends at once with success and
// leaves the first running; once the first is killed, its leftovers do not stop the next.
TEST(SingleInstance, ProgramStartedTwiceKeepsOneWindow)
{
    testsupport::TempFolders folders;
    shelltest::prepareInstallation(folders);
    ASSERT_EQ(quenkit::SetUserRegistryString(QStringLiteral("DataDir2"), folders.dataDir() + QLatin1Char('/')), 1);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("DALMORA_CONFIG_DIR"), folders.configDir());
    environment.insert(QStringLiteral("DALMORA_TODAY"), QStringLiteral("2024-05-10"));
    auto startProgram = [&](QProcess &p) {
        p.setProcessEnvironment(environment);
        p.start(QStringLiteral(DALMAIN_PATH), {});
        return p.waitForStarted();
    };
    // Ready once it answers a request, as a second start would send it.
    auto answers = [&] { return SingleInstance(folders.configDir()).notifyRunning(500); };

    QProcess first;
    ASSERT_TRUE(startProgram(first));
    ASSERT_TRUE(waitUntil(answers, 30000)) << first.readAllStandardError().constData();

    QProcess second;
    ASSERT_TRUE(startProgram(second));
    EXPECT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput(), QByteArray());
    EXPECT_FALSE(second.readAllStandardError().contains("Dalmain")) << "the second start complained";
    EXPECT_EQ(first.state(), QProcess::Running) << "the first program ended";

    first.kill();
    first.waitForFinished();
    QProcess next;
    ASSERT_TRUE(startProgram(next));
    EXPECT_TRUE(waitUntil(answers, 30000)) << "the next start did not take over the leftover lock";
    EXPECT_EQ(next.state(), QProcess::Running);
    next.kill();
    next.waitForFinished();
}
