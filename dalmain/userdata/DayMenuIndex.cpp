#include "dalmain/userdata/DayMenuIndex.h"

#include "dalmain/userdata/DayMenu.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <cstring>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace dalmain {

namespace {

// What tells one state of a file from another without reading it. Size and modification time
// alone miss a change of the same size within one tick of the file system's clock; the
// status-change time cannot be set back by any program, and the file id changes with every
// removal of a day, which replaces the file by a new one that exists beside the old until it
// takes its place.
struct FileStamp {
    qint64 size = 0;
    qint64 modified = 0;
    qint64 statusChanged = 0;
    quint64 device = 0;
    quint64 fileId = 0;

    bool operator==(const FileStamp &) const = default;
};

#ifdef Q_OS_UNIX
qint64 nanoseconds(const timespec &t)
{
    return static_cast<qint64>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

FileStamp stampOf(const struct stat &st)
{
#ifdef Q_OS_DARWIN
    const timespec &modified = st.st_mtimespec;
    const timespec &changed = st.st_ctimespec;
#else
    const timespec &modified = st.st_mtim;
    const timespec &changed = st.st_ctim;
#endif
    return {static_cast<qint64>(st.st_size), nanoseconds(modified), nanoseconds(changed),
            static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino)};
}

std::optional<FileStamp> stampOfPath(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return stampOf(st);
}

// The status of the file that is open, whatever has since taken its name.
std::optional<FileStamp> stampOfOpen(QFile &file)
{
    struct stat st;
    if (::fstat(file.handle(), &st) != 0)
        return std::nullopt;
    return stampOf(st);
}
#else
// Without a file id, the creation time stands for it: the file that replaces the menu file is
// created after it.
std::optional<FileStamp> stampOfPath(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return FileStamp{info.size(), info.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch(),
                     info.fileTime(QFileDevice::FileMetadataChangeTime).toMSecsSinceEpoch(), 0,
                     static_cast<quint64>(info.fileTime(QFileDevice::FileBirthTime).toMSecsSinceEpoch())};
}

std::optional<FileStamp> stampOfOpen(QFile &file)
{
    return stampOfPath(file.fileName());
}
#endif

struct Scanned {
    FileStamp stamp;
    DayMenuKeys keys;
};

// Only the key bytes are touched: the pages of a mapped file that hold no key are never read.
bool copyKeysMapped(QFile &file, qint64 records, char *out)
{
    const uchar *map = file.map(0, records * kDayMenuSize);
    if (!map)
        return false;
    const char *key = reinterpret_cast<const char *>(map) + daymenu::kKeyOffset;
    for (qint64 r = 0; r < records; ++r, key += kDayMenuSize, out += kDateKeyLength)
        std::memcpy(out, key, kDateKeyLength);
    file.unmap(const_cast<uchar *>(map));
    return true;
}

// For a system that will not map the file: runs of records read at once.
bool copyKeysRead(QFile &file, qint64 records, char *out)
{
    constexpr qint64 kRun = 64;
    QByteArray block(kRun * kDayMenuSize, Qt::Uninitialized);
    if (!file.seek(0))
        return false;
    for (qint64 r = 0; r < records; r += kRun) {
        const qint64 n = qMin(kRun, records - r);
        if (file.read(block.data(), n * kDayMenuSize) != n * kDayMenuSize)
            return false;
        for (qint64 i = 0; i < n; ++i, out += kDateKeyLength)
            std::memcpy(out, block.constData() + i * kDayMenuSize + daymenu::kKeyOffset, kDateKeyLength);
    }
    return true;
}

std::optional<Scanned> scan(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The status is that of the open file, so the keys belong to it even when a writer
    // replaces the file during the scan; the next look at the path then sees the change.
    const std::optional<FileStamp> stamp = stampOfOpen(file);
    if (!stamp)
        return std::nullopt;
    const qint64 records = stamp->size / kDayMenuSize;
    QByteArray packed(records * kDateKeyLength, Qt::Uninitialized);
    if (records > 0 && !copyKeysMapped(file, records, packed.data()) && !copyKeysRead(file, records, packed.data()))
        return std::nullopt;
    return Scanned{*stamp, DayMenuKeys::fromPacked(std::move(packed))};
}

struct Cache {
    QMutex mutex;
    QHash<QString, Scanned> files;
};

Cache &cache()
{
    static Cache c;
    return c;
}

void store(const QString &path, const std::optional<FileStamp> &stamp, const DayMenuKeys &keys)
{
    Cache &c = cache();
    QMutexLocker guard(&c.mutex);
    if (stamp)
        c.files.insert(path, Scanned{*stamp, keys});
    else
        c.files.remove(path);
}

DayMenuKeys scanAndStore(const QString &path)
{
    const std::optional<Scanned> scanned = scan(path);
    if (!scanned) {
        forgetDayMenuKeys(path);
        return {};
    }
    store(path, scanned->stamp, scanned->keys);
    return scanned->keys;
}

}  // namespace

int DayMenuKeys::count() const
{
    return static_cast<int>(m_packed.size() / kDateKeyLength);
}

QByteArrayView DayMenuKeys::key(int record) const
{
    return QByteArrayView(m_packed).sliced(static_cast<qsizetype>(record - 1) * kDateKeyLength, kDateKeyLength);
}

int DayMenuKeys::find(QByteArrayView prefix, int first) const
{
    if (prefix.isEmpty() || prefix.size() > kDateKeyLength || first < 1)
        return 0;
    const char *keys = m_packed.constData();
    const int n = count();
    for (int r = first - 1; r < n; ++r) {
        if (std::memcmp(keys + static_cast<qsizetype>(r) * kDateKeyLength, prefix.data(), prefix.size()) == 0)
            return r + 1;
    }
    return 0;
}

QList<int> DayMenuKeys::findAll(QByteArrayView prefix) const
{
    QList<int> found;
    for (int r = find(prefix, 1); r > 0; r = find(prefix, r + 1))
        found.append(r);
    return found;
}

QList<QByteArray> DayMenuKeys::toList() const
{
    QList<QByteArray> keys;
    keys.reserve(count());
    for (int r = 1; r <= count(); ++r)
        keys.append(key(r).toByteArray());
    return keys;
}

void DayMenuKeys::append(QByteArrayView key)
{
    QByteArray stored = key.first(qMin<qsizetype>(key.size(), kDateKeyLength)).toByteArray();
    stored.append(kDateKeyLength - stored.size(), '\0');
    m_packed.append(stored);
}

void DayMenuKeys::remove(int record)
{
    if (record >= 1 && record <= count())
        m_packed.remove(static_cast<qsizetype>(record - 1) * kDateKeyLength, kDateKeyLength);
}

DayMenuKeys DayMenuKeys::fromPacked(QByteArray packed)
{
    DayMenuKeys keys;
    packed.truncate(packed.size() - packed.size() % kDateKeyLength);
    keys.m_packed = std::move(packed);
    return keys;
}

DayMenuKeys dayMenuKeys(const QString &path)
{
    const std::optional<FileStamp> now = stampOfPath(path);
    if (!now) {
        forgetDayMenuKeys(path);
        return {};
    }
    {
        Cache &c = cache();
        QMutexLocker guard(&c.mutex);
        const auto it = c.files.constFind(path);
        if (it != c.files.cend() && it->stamp == *now)
            return it->keys;
    }
    return scanAndStore(path);
}

int findDayToChange(const QString &path, QByteArrayView dateKey, DayMenuKeys &keys)
{
    keys = dayMenuKeys(path);
    const int record = keys.find(dateKey, 1);
    if (record == 0 || dateKeyInFile(path, record) == dateKey)
        return record;
    keys = scanAndStore(path);
    return keys.find(dateKey, 1);
}

void dayMenuKeysChanged(const QString &path, const DayMenuKeys &keys)
{
    store(path, stampOfPath(path), keys);
}

void forgetDayMenuKeys(const QString &path)
{
    Cache &c = cache();
    QMutexLocker guard(&c.mutex);
    c.files.remove(path);
}

QByteArray dateKeyInFile(const QString &path, int record)
{
    QFile file(path);
    if (record < 1 || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)
        || file.size() < static_cast<qint64>(record) * kDayMenuSize
        || !file.seek(static_cast<qint64>(record - 1) * kDayMenuSize + daymenu::kKeyOffset))
        return {};
    QByteArray key = file.read(kDateKeyLength);
    return key.size() == kDateKeyLength ? key : QByteArray();
}

}  // namespace dalmain
