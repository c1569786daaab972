#include "quenkit/files/FileAccess.h"

#include "quenkit/files/DataFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <map>
#include <memory>

namespace quenkit {

namespace {

struct HandleTable {
    QMutex mutex;
    std::map<int, std::unique_ptr<QFile>> files;
    int next = 3;
};

HandleTable &handles()
{
    static HandleTable table;
    return table;
}

QFile *fileOf(int handle)
{
    HandleTable &t = handles();
    QMutexLocker lock(&t.mutex);
    auto it = t.files.find(handle);
    return it == t.files.end() ? nullptr : it->second.get();
}

}  // namespace

int FileOpen2(const QString &path, int mode)
{
    if (path.isEmpty())
        return -1;
    if (mode == OpenExists)
        return QFileInfo(path).isFile() ? 1 : -1;

    QIODevice::OpenMode flags;
    switch (mode) {
    case OpenRead:
        flags = QIODevice::ReadOnly;
        break;
    case OpenWrite:
    case OpenReadWrite:
        // Existing files only and never truncated: a write-only open in Qt would truncate.
        flags = QIODevice::ReadWrite | QIODevice::ExistingOnly;
        break;
    case OpenCreate:
        flags = QIODevice::ReadWrite | QIODevice::Truncate;
        break;
    default:
        return -1;
    }
    auto file = std::make_unique<QFile>(path);
    if (!file->open(flags))
        return -1;

    HandleTable &t = handles();
    QMutexLocker lock(&t.mutex);
    const int handle = t.next++;
    t.files.emplace(handle, std::move(file));
    return handle;
}

int FileOpen(const QString &name, int mode)
{
    return FileOpen2(dataPath(name), mode);
}

qint64 FileSeek(int handle, qint64 offset)
{
    QFile *f = fileOf(handle);
    if (!f || offset < 0 || !f->seek(offset))
        return -1;
    return offset;
}

qint64 FileRead(int handle, void *buffer, qint64 count)
{
    QFile *f = fileOf(handle);
    if (!f || count < 0)
        return -1;
    return f->read(static_cast<char *>(buffer), count);
}

qint64 FileWrite(int handle, const void *buffer, qint64 count)
{
    QFile *f = fileOf(handle);
    if (!f || count < 0)
        return -1;
    const qint64 written = f->write(static_cast<const char *>(buffer), count);
    return written == count ? written : -1;
}

int FileFlush(int handle)
{
    QFile *f = fileOf(handle);
    return f && f->flush() ? 1 : 0;
}

int FileClose(int handle)
{
    std::unique_ptr<QFile> file;
    {
        HandleTable &t = handles();
        QMutexLocker lock(&t.mutex);
        auto it = t.files.find(handle);
        if (it == t.files.end())
            return 1;
        file = std::move(it->second);
        t.files.erase(it);
    }
    file->close();
    return 1;
}

qint64 GetFileLength(int handle)
{
    QFile *f = fileOf(handle);
    return f ? f->size() : -1;
}

QString FilePathOf(int handle)
{
    QFile *f = fileOf(handle);
    return f ? f->fileName() : QString();
}

}  // namespace quenkit
