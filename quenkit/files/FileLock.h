#pragma once

#include <QString>

#include <memory>

// Exclusive locks for read-modify-write operations on data files and on the settings store.
//
// A rewrite replaces its file with a new one, so the file itself cannot carry the lock: the
// lock is a separate file beside it (the file's path with ".lck" appended), taken with
// QLockFile. A lock left behind by a process that died is taken over. Readers take no lock:
// the atomic replacement gives them the old or the new file.
//
// Within one process the lock is re-entrant for the thread that holds it, so an operation that
// locks a file may call lower-level writes that lock it again (a user's creation holds the user
// table while it writes the user's record). Other threads of the process wait like other
// processes do.
namespace quenkit {

class FileLock
{
public:
    // Locks the file at path (a full path), waiting at most timeoutMs milliseconds; a negative
    // timeout uses fileLockTimeout(). Check isLocked(): the wait may end without the lock.
    explicit FileLock(const QString &path, int timeoutMs = -1);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;
    FileLock(FileLock &&other) noexcept;
    FileLock &operator=(FileLock &&other) noexcept;

    bool isLocked() const { return m_held != nullptr; }
    // Releases the lock before the object goes.
    void unlock();

    // Why the lock could not be taken, for a message (empty when it was taken).
    const QString &error() const { return m_error; }

    struct Held;

private:
    Held *m_held = nullptr;
    QString m_error;
};

// Locks a file named relative to the data folder.
FileLock lockDataFile(const QString &name, int timeoutMs = -1);

// The lock file of path.
QString lockFilePath(const QString &path);

// How long a writer waits for another writer of the same file before it gives up: thirty seconds
// unless set otherwise. Tests shorten it.
int fileLockTimeout();
void setFileLockTimeout(int milliseconds);

// The error of the last lock in this thread that could not be taken, cleared by a lock that
// was taken: the operations report failure through their results, and a caller that wants to
// say why asks here.
QString lastFileLockError();

}  // namespace quenkit
