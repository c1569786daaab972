#include "quenkit/files/FileLock.h"

#include "quenkit/files/DataFolder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QRecursiveMutex>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <map>

namespace quenkit {

namespace {

std::atomic<int> lockTimeout{30000};

// A lock older than this is taken over even when its process seems alive: a process id reused
// after a crash and a restart would otherwise keep the file locked for ever. No operation holds
// a data file nearly as long.
constexpr int kStaleAfterMs = 10 * 60 * 1000;

constexpr int kLongestPauseMs = 20;

thread_local QString lastError;

}  // namespace

// One lock file of this process: the mutex orders the threads, the QLockFile the processes.
struct FileLock::Held {
    QString lockPath;
    QRecursiveMutex threads;
    int depth = 0;                    // guarded by threads
    std::unique_ptr<QLockFile> file;  // guarded by threads; set while depth > 0
    int users = 0;                    // guarded by the registry mutex
};

namespace {

struct Registry {
    QMutex mutex;
    std::map<QString, FileLock::Held *> held;
};

Registry &registry()
{
    static Registry r;
    return r;
}

FileLock::Held *enter(const QString &lockPath)
{
    Registry &r = registry();
    QMutexLocker guard(&r.mutex);
    FileLock::Held *&entry = r.held[lockPath];
    if (!entry) {
        entry = new FileLock::Held;
        entry->lockPath = lockPath;
    }
    ++entry->users;
    return entry;
}

void leave(FileLock::Held *entry)
{
    Registry &r = registry();
    QMutexLocker guard(&r.mutex);
    if (--entry->users == 0) {
        r.held.erase(entry->lockPath);
        delete entry;
    }
}

QString describe(QLockFile::LockError error, const QString &path)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (error) {
    case QLockFile::LockFailedError:
        return QStringLiteral("%1 is being changed by another program").arg(file);
    case QLockFile::PermissionError:
        return QStringLiteral("%1 cannot be locked: no permission to create its lock file").arg(file);
    default:
        return QStringLiteral("%1 cannot be locked").arg(file);
    }
}

// QLockFile's own wait doubles its pause after every try, up to seconds: a writer behind a few
// others would sleep long after the file came free. Operations hold a lock for milliseconds,
// so trying often is cheaper.
bool takeLockFile(QLockFile &file, const QDeadlineTimer &deadline)
{
    for (int pause = 1;; pause = std::min(pause * 2, kLongestPauseMs)) {
        if (file.tryLock(0))
            return true;
        if (file.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(pause, std::max<qint64>(1, deadline.remainingTime()))));
    }
}

}  // namespace

QString lockFilePath(const QString &path)
{
    return path + QStringLiteral(".lck");
}

FileLock::FileLock(const QString &path, int timeoutMs)
{
    const int timeout = timeoutMs < 0 ? fileLockTimeout() : timeoutMs;
    QDeadlineTimer deadline(timeout);
    const QString target = QFileInfo(path).absoluteFilePath();
    Held *entry = enter(lockFilePath(target));
    if (!entry->threads.tryLock(static_cast<int>(deadline.remainingTime()))) {
        leave(entry);
        m_error = describe(QLockFile::LockFailedError, target);
        lastError = m_error;
        return;
    }
    if (entry->depth == 0) {
        auto file = std::make_unique<QLockFile>(entry->lockPath);
        file->setStaleLockTime(kStaleAfterMs);
        if (!takeLockFile(*file, deadline)) {
            m_error = describe(file->error(), target);
            lastError = m_error;
            entry->threads.unlock();
            leave(entry);
            return;
        }
        entry->file = std::move(file);
    }
    ++entry->depth;
    m_held = entry;
    lastError.clear();
}

FileLock::~FileLock()
{
    unlock();
}

FileLock::FileLock(FileLock &&other) noexcept : m_held(other.m_held), m_error(std::move(other.m_error))
{
    other.m_held = nullptr;
}

FileLock &FileLock::operator=(FileLock &&other) noexcept
{
    if (this != &other) {
        unlock();
        m_held = other.m_held;
        m_error = std::move(other.m_error);
        other.m_held = nullptr;
    }
    return *this;
}

void FileLock::unlock()
{
    Held *entry = m_held;
    if (!entry)
        return;
    m_held = nullptr;
    if (--entry->depth == 0) {
        entry->file->unlock();
        entry->file.reset();
    }
    entry->threads.unlock();
    leave(entry);
}

FileLock lockDataFile(const QString &name, int timeoutMs)
{
    return FileLock(dataPath(name), timeoutMs);
}

int fileLockTimeout()
{
    return lockTimeout.load();
}

void setFileLockTimeout(int milliseconds)
{
    lockTimeout.store(milliseconds < 0 ? 0 : milliseconds);
}

QString lastFileLockError()
{
    return lastError;
}

}  // namespace quenkit
