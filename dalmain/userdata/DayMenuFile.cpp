#include "dalmain/userdata/DayMenuFile.h"

#include "dalmain/userdata/UserStore.h"

#include "quenkit/binrec/BinRecord.h"
#include "quenkit/files/DataFolder.h"

#include <QFile>

#include <functional>

namespace dalmain {

namespace {

bool validSearchKey(QByteArrayView key)
{
    return !key.isEmpty() && key.size() <= kDateKeyLength;
}

enum class Scan { Done, NotMapped };

// Calls visit(record, date key) for every whole record from record first on, in file order,
// until visit returns false. Only the key bytes are touched: the file is mapped, so finding
// the days of a month in ten years of records costs a few thousand page lookups, not a read
// of the whole file. NotMapped when the system would not map the file.
Scan scanDateKeys(int user, int first, const std::function<bool(int, QByteArrayView)> &visit)
{
    QFile file(quenkit::dataPath(dayMenuFileName(user)));
    if (!file.open(QIODevice::ReadOnly))
        return Scan::Done;
    const qint64 records = file.size() / kDayMenuSize;
    if (first < 1 || first > records)
        return Scan::Done;
    const uchar *map = file.map(0, records * kDayMenuSize);
    if (!map)
        return Scan::NotMapped;
    const char *base = reinterpret_cast<const char *>(map);
    for (qint64 r = first - 1; r < records; ++r) {
        const QByteArrayView key(base + r * kDayMenuSize + daymenu::kKeyOffset, kDateKeyLength);
        if (!visit(static_cast<int>(r + 1), key))
            break;
    }
    file.unmap(const_cast<uchar *>(map));
    return Scan::Done;
}

}  // namespace

QString dayMenuFileName(int user)
{
    return menuFileName(static_cast<unsigned>(user));
}

int FindDayMenu(int user, QByteArrayView key, int first)
{
    if (user < 0 || !validSearchKey(key) || first < 1)
        return 0;
    int found = 0;
    const Scan scan = scanDateKeys(user, first, [&](int record, QByteArrayView date) {
        if (!date.startsWith(key))
            return true;
        found = record;
        return false;
    });
    if (scan == Scan::NotMapped)
        return quenkit::SearchBINRecord(kDayMenuSize, daymenu::kKeyOffset, first, dayMenuFileName(user), key);
    return found;
}

QList<int> FindDayMenus(int user, QByteArrayView key)
{
    QList<int> found;
    if (user < 0 || !validSearchKey(key))
        return found;
    const Scan scan = scanDateKeys(user, 1, [&](int record, QByteArrayView date) {
        if (date.startsWith(key))
            found.append(record);
        return true;
    });
    if (scan == Scan::NotMapped) {
        found.clear();
        for (int r = FindDayMenu(user, key, 1); r > 0; r = FindDayMenu(user, key, r + 1))
            found.append(r);
    }
    return found;
}

QList<QByteArray> dayMenuDates(int user)
{
    QList<QByteArray> dates;
    if (user < 0)
        return dates;
    const Scan scan = scanDateKeys(user, 1, [&](int, QByteArrayView date) {
        dates.append(date.toByteArray());
        return true;
    });
    if (scan == Scan::NotMapped) {
        dates.clear();
        const int count = CountDayMenus(user);
        QByteArray key(kDateKeyLength, '\0');
        for (int r = 0; r < count; ++r) {
            const qint64 offset = static_cast<qint64>(r) * kDayMenuSize + daymenu::kKeyOffset;
            if (quenkit::ReadBINRecord(offset, kDateKeyLength, dayMenuFileName(user), key.data()) != 1)
                break;
            dates.append(key);
        }
    }
    return dates;
}

DayMenuReader::DayMenuReader(int user)
    : m_buffer(kDayMenuSize, Qt::Uninitialized)
{
    if (user < 0)
        return;
    m_file.setFileName(quenkit::dataPath(dayMenuFileName(user)));
    if (m_file.open(QIODevice::ReadOnly))
        m_records = static_cast<int>(m_file.size() / kDayMenuSize);
}

bool DayMenuReader::read(int record, DayMenu &menu)
{
    // A record cut short at the end of the file reads as no record, not as one padded with
    // whatever the buffer held.
    if (record < 1 || record > m_records || !m_file.seek(static_cast<qint64>(record - 1) * kDayMenuSize)
        || m_file.read(m_buffer.data(), kDayMenuSize) != kDayMenuSize)
        return false;
    return decodeDayMenu(m_buffer, menu);
}

int ReadDayMenu(int user, int record, DayMenu &menu)
{
    DayMenuReader reader(user);
    return reader.read(record, menu) ? 1 : 0;
}

int CountDayMenus(int user)
{
    if (user < 0)
        return 0;
    return quenkit::GetRecordCount(kDayMenuSize, dayMenuFileName(user));
}

int DeleteDayMenu(int user, int record)
{
    if (record < 1 || record > CountDayMenus(user))
        return 0;
    return quenkit::DeleteBINRecord(record - 1, kDayMenuSize, dayMenuFileName(user));
}

}  // namespace dalmain
