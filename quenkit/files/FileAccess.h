#pragma once

#include <QString>
#include <QtGlobal>

// Files by handle, named relative to the data folder. No file stays open between operations
// of the tables and record files: each opens, works and closes.
namespace quenkit {

enum OpenMode : int {
    OpenRead = 0,          // an existing file, for reading
    OpenWrite = 1,         // an existing file, for writing (not truncated)
    OpenReadWrite = 2,     // an existing file, for reading and writing
    OpenCreate = 0x1000,   // create or truncate, for reading and writing
    OpenExists = 0x4000,   // only test whether the file exists; nothing stays open
};

// Opens name relative to the data folder; a handle, or -1. With OpenExists the result is 1
// when the file exists (nothing to close) and -1 when it does not.
int FileOpen(const QString &name, int mode);
// The same with a full path.
int FileOpen2(const QString &path, int mode);

// Positions at offset from the file start; the offset, or -1 for a bad handle.
qint64 FileSeek(int handle, qint64 offset);
// Bytes read or written, or -1 on failure.
qint64 FileRead(int handle, void *buffer, qint64 count);
qint64 FileWrite(int handle, const void *buffer, qint64 count);
// Writes what is buffered for the handle to the file; 1, or 0 when that fails (a full disk).
// Callers that report success for a write check it before closing.
int FileFlush(int handle);
// Closes the handle; nonzero.
int FileClose(int handle);
// The file's length in bytes, or -1 for a bad handle.
qint64 GetFileLength(int handle);
// The full path behind a handle (empty for a bad handle).
QString FilePathOf(int handle);

// Closes a handle when it goes out of scope.
class FileHandle
{
public:
    explicit FileHandle(int handle = -1) : m_handle(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    FileHandle(FileHandle &&other) noexcept : m_handle(other.release()) {}
    FileHandle &operator=(FileHandle &&other) noexcept
    {
        if (this != &other) {
            close();
            m_handle = other.release();
        }
        return *this;
    }

    int get() const { return m_handle; }
    bool isOpen() const { return m_handle >= 0; }
    int release()
    {
        const int h = m_handle;
        m_handle = -1;
        return h;
    }
    void close()
    {
        if (m_handle >= 0)
            FileClose(m_handle);
        m_handle = -1;
    }

private:
    int m_handle;
};

}  // namespace quenkit
