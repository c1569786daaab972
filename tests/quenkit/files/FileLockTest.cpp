// Locks of read-modify-write operations: between threads, within one thread, and a lock left by
// a process that died.

#include "quenkit/files/FileLock.h"

#include "support/TestSupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#ifdef Q_OS_UNIX
#include <QLockFile>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace quenkit;
using testsupport::TempFolders;

TEST(FileLock, AnotherThreadWaitsAndGivesUpAfterItsTimeout)
{
    TempFolders folders;
    const QString file = folders.dataFile(QStringLiteral("料理.DBF"));
    FileLock held(file);
    ASSERT_TRUE(held.isLocked()) << held.error().toStdString();
    EXPECT_TRUE(QFileInfo::exists(lockFilePath(file)));

    bool gotIt = true;
    QString why;
    QString whyLater;
    std::thread([&] {
        FileLock other(file, 100);
        gotIt = other.isLocked();
        why = other.error();
        whyLater = lastFileLockError();
    }).join();
    EXPECT_FALSE(gotIt);
    EXPECT_TRUE(why.contains(QStringLiteral("料理.DBF"))) << why.toStdString();
    EXPECT_EQ(whyLater, why);

    held.unlock();
    EXPECT_FALSE(QFileInfo::exists(lockFilePath(file)));
    std::thread([&] {
        FileLock other(file, 100);
        gotIt = other.isLocked();
        whyLater = lastFileLockError();
    }).join();
    EXPECT_TRUE(gotIt);
    EXPECT_TRUE(whyLater.isEmpty());
}

TEST(FileLock, WaitingThreadGetsTheLockWhenItIsReleased)
{
    TempFolders folders;
    const QString file = folders.dataFile(QStringLiteral("1.mem"));
    auto held = std::make_unique<FileLock>(file);
    ASSERT_TRUE(held->isLocked());
    std::atomic<bool> started = false;
    bool gotIt = false;
    std::thread waiter([&] {
        started = true;
        FileLock other(file, 20000);
        gotIt = other.isLocked();
    });
    while (!started)
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    held.reset();
    waiter.join();
    EXPECT_TRUE(gotIt);
}

TEST(FileLock, SameThreadMayLockAgainAndHoldsUntilTheOuterLockGoes)
{
    TempFolders folders;
    const QString file = folders.dataFile(QStringLiteral("ﾕｰｻﾞ情報.DBF"));
    FileLock outer(file);
    ASSERT_TRUE(outer.isLocked());
    {
        FileLock inner(file, 0);
        EXPECT_TRUE(inner.isLocked());
    }
    // The inner release must not have freed the file for others.
    bool gotIt = true;
    std::thread([&] { gotIt = FileLock(file, 50).isLocked(); }).join();
    EXPECT_FALSE(gotIt);
    outer.unlock();
    std::thread([&] { gotIt = FileLock(file, 50).isLocked(); }).join();
    EXPECT_TRUE(gotIt);
}

#ifdef Q_OS_UNIX
TEST(FileLock, LockOfADeadProcessIsTakenOver)
{
    TempFolders folders;
    const QString file = folders.dataFile(QStringLiteral("MM0.DAT"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Dies holding the lock, as a process killed in the middle of a rewrite does.
        QLockFile lock(lockFilePath(file));
        lock.lock();
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(QFileInfo::exists(lockFilePath(file)));

    FileLock lock(file, 2000);
    EXPECT_TRUE(lock.isLocked()) << lock.error().toStdString();
}
#endif
