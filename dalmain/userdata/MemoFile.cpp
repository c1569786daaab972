#include "dalmain/userdata/MemoFile.h"

#include "dalmain/userdata/MemoStorage.h"

#include "quenkit/files/FileLock.h"

#include <QList>
#include <QtEndian>

namespace dalmain {

namespace {

constexpr char kMemoMark = '*';
constexpr int kCountSize = 4;

struct MemoRecord {
    qint64 position = 0;
    qint64 length = 0;
    QByteArrayView key;
};

// The records the count announces, as far as they lie whole and well formed inside the file.
QList<MemoRecord> parseMemoFile(const QByteArray &bytes)
{
    QList<MemoRecord> records;
    if (bytes.size() < kCountSize)
        return records;
    const quint32 count = qFromLittleEndian<quint32>(bytes.constData());
    qint64 pos = kCountSize;
    for (quint32 i = 0; i < count; ++i) {
        if (pos + kMemoHeadSize > bytes.size() || bytes[pos] != kMemoMark)
            break;
        const qint64 length = qFromLittleEndian<quint16>(bytes.constData() + pos + 1 + kMemoKeyLength);
        if (length < kMemoHeadSize || pos + length > bytes.size())
            break;
        records.append({pos, length, QByteArrayView(bytes).sliced(pos + 1, kMemoKeyLength)});
        pos += length;
    }
    return records;
}

struct LoadedMemos {
    bool exists = false;
    QByteArray bytes;
    QList<MemoRecord> records;

    qsizetype indexOfKey(QByteArrayView key) const
    {
        for (qsizetype i = 0; i < records.size(); ++i) {
            if (records[i].key == key)
                return i;
        }
        return -1;
    }
};

// Readers take the file as it is: a ".BAK" left beside it by an interrupted rewrite is stale,
// and only a writer, holding the lock, removes it.
LoadedMemos loadMemos(const QString &file)
{
    LoadedMemos memos;
    memos.exists = readDataFile(file, memos.bytes);
    memos.records = parseMemoFile(memos.bytes);
    return memos;
}

// Rewrites the file with every record but the one at index skip (none when -1), followed by
// appended (one whole record, or nothing).
bool rewriteMemos(const QString &file, const LoadedMemos &memos, qsizetype skip, QByteArrayView appended)
{
    QByteArray out(kCountSize, '\0');
    quint32 count = 0;
    for (qsizetype i = 0; i < memos.records.size(); ++i) {
        if (i == skip)
            continue;
        out.append(QByteArrayView(memos.bytes).sliced(memos.records[i].position, memos.records[i].length));
        ++count;
    }
    if (!appended.isEmpty()) {
        out.append(appended);
        ++count;
    }
    qToLittleEndian(count, out.data());
    return replaceDataFile(file, memoRewriteName(file), out);
}

}  // namespace

QString memoRewriteName(const QString &file)
{
    return file.size() < 3 ? file + QStringLiteral("BAK") : file.left(file.size() - 3) + QStringLiteral("BAK");
}

QString memoFileName(MemoKind kind, int user)
{
    const char *prefix = kind == MemoKind::Menu ? "MM" : kind == MemoKind::Analysis ? "AM" : "WM";
    return QStringLiteral("%1%2.DAT").arg(QLatin1String(prefix)).arg(user);
}

qint64 FindMemo(const QString &file, QByteArrayView key)
{
    if (key.size() != kMemoKeyLength)
        return -1;
    const LoadedMemos memos = loadMemos(file);
    const qsizetype i = memos.indexOfKey(key);
    return i < 0 ? -1 : memos.records[i].position;
}

int ReadMemo(const QString &file, QByteArrayView key, QByteArray &text)
{
    text.clear();
    if (key.size() != kMemoKeyLength)
        return 0;
    const LoadedMemos memos = loadMemos(file);
    const qsizetype i = memos.indexOfKey(key);
    if (i < 0)
        return 0;
    const MemoRecord &r = memos.records[i];
    text = memos.bytes.mid(r.position + kMemoHeadSize, r.length - kMemoHeadSize);
    return 1;
}

int WriteMemo(const QString &file, QByteArrayView key, QByteArrayView text)
{
    if (key.size() != kMemoKeyLength || text.size() > kMemoMaxText)
        return 0;
    // Every other record is copied from what is read here, so nobody may change the file
    // between this read and the rewrite.
    const quenkit::FileLock lock = quenkit::lockDataFile(file);
    if (!lock.isLocked())
        return 0;
    const LoadedMemos memos = loadMemos(file);
    const qsizetype existing = memos.indexOfKey(key);
    if (text.isEmpty() && existing < 0)
        return 1;

    QByteArray record;
    if (!text.isEmpty()) {
        record.reserve(kMemoHeadSize + text.size());
        record.append(kMemoMark);
        record.append(key);
        const quint16 length = static_cast<quint16>(kMemoHeadSize + text.size());
        char lengthBytes[2];
        qToLittleEndian(length, lengthBytes);
        record.append(lengthBytes, 2);
        record.append(text);
    }
    // Removing the old record and appending the new one happen in one rewrite, so an
    // interruption never leaves the key without either text.
    return rewriteMemos(file, memos, existing, record) ? 1 : 0;
}

int DeleteMemoAt(const QString &file, qint64 position)
{
    const quenkit::FileLock lock = quenkit::lockDataFile(file);
    if (!lock.isLocked())
        return 0;
    const LoadedMemos memos = loadMemos(file);
    for (qsizetype i = 0; i < memos.records.size(); ++i) {
        if (memos.records[i].position == position)
            return rewriteMemos(file, memos, i, {}) ? 1 : 0;
    }
    return 0;
}

}  // namespace dalmain
