#include "quenkit/binrec/BinRecord.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/files/FileLock.h"

#include <QByteArray>
#include <QFile>

namespace quenkit {

int WriteBINRecord(qint64 offset, qint64 count, const QString &name, const void *data)
{
    // An append decides its place from the length, and a delete rewrites the whole file: both
    // need the file to themselves.
    const FileLock lock = lockDataFile(name);
    if (!lock.isLocked())
        return 0;
    FileHandle f(FileOpen(name, OpenReadWrite));
    if (!f.isOpen())
        return 0;
    if (offset < 0 || offset > GetFileLength(f.get()))
        return 0;
    if (FileSeek(f.get(), offset) < 0)
        return 0;
    return FileWrite(f.get(), data, count) == count && FileFlush(f.get()) ? 1 : 0;
}

int ReadBINRecord(qint64 offset, qint64 count, const QString &name, void *buffer, qint64 *bytesRead)
{
    if (bytesRead)
        *bytesRead = 0;
    FileHandle f(FileOpen(name, OpenRead));
    if (!f.isOpen())
        return 0;
    if (offset < 0 || offset >= GetFileLength(f.get()) || FileSeek(f.get(), offset) < 0)
        return 0;
    const qint64 got = FileRead(f.get(), buffer, count);
    if (got < 0)
        return 0;
    if (bytesRead)
        *bytesRead = got;
    return 1;
}

int DeleteBINRecord(int index, int recordSize, const QString &name)
{
    if (recordSize <= 0 || index < 0)
        return 0;
    const QString path = dataPath(name);
    const FileLock lock(path);
    if (!lock.isLocked())
        return 0;
    const QString tempPath = dataPath(temporaryName(name));
    removeLeftover(tempPath);

    FileHandle in(FileOpen2(path, OpenRead));
    if (!in.isOpen())
        return 0;
    const qint64 count = GetFileLength(in.get()) / recordSize;
    if (index > count)
        return 0;

    FileHandle out(FileOpen2(tempPath, OpenCreate));
    if (!out.isOpen())
        return 0;
    QByteArray record(recordSize, Qt::Uninitialized);
    bool ok = true;
    for (qint64 r = 0; r < count && ok; ++r) {
        ok = FileRead(in.get(), record.data(), recordSize) == recordSize;
        if (ok && r != index)
            ok = FileWrite(out.get(), record.constData(), recordSize) == recordSize;
    }
    ok = ok && FileFlush(out.get());
    in.close();
    out.close();
    // The original stays in place until the new file is complete and takes its place in one
    // step; on any failure the temporary file goes and the original is untouched.
    if (!ok || !replaceFile(tempPath, path)) {
        QFile::remove(tempPath);
        return 0;
    }
    return 1;
}

int SearchBINRecord(int recordSize, int keyOffset, int first, const QString &name, QByteArrayView key)
{
    if (recordSize <= 0 || first < 1 || keyOffset < 0 || key.isEmpty() || keyOffset + key.size() > recordSize)
        return 0;
    FileHandle f(FileOpen(name, OpenRead));
    if (!f.isOpen())
        return 0;
    const qint64 length = GetFileLength(f.get());
    if (static_cast<qint64>(first) * recordSize > length)
        return 0;
    const qint64 n = length / recordSize;
    // Read whole runs of records at once rather than one key per call: the menu file of ten
    // years is 20 MB and is searched for every day of a month.
    constexpr qint64 kRun = 256;
    QByteArray block;
    for (qint64 r = first - 1; r < n; r += kRun) {
        const qint64 records = qMin(kRun, n - r);
        block.resize(records * recordSize);
        if (FileSeek(f.get(), r * recordSize) < 0 || FileRead(f.get(), block.data(), block.size()) != block.size())
            return 0;
        for (qint64 i = 0; i < records; ++i) {
            if (QByteArrayView(block).sliced(i * recordSize + keyOffset, key.size()) == key)
                return static_cast<int>(r + i + 1);
        }
    }
    return 0;
}

int GetRecordCount(int recordSize, const QString &name)
{
    if (recordSize <= 0)
        return 0;
    FileHandle f(FileOpen(name, OpenRead));
    if (!f.isOpen())
        return 0;
    return static_cast<int>(GetFileLength(f.get()) / recordSize);
}

}  // namespace quenkit
