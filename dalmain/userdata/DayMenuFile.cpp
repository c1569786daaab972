#include "dalmain/userdata/DayMenuFile.h"

#include "dalmain/userdata/DayMenuIndex.h"
#include "dalmain/userdata/UserStore.h"

#include "quenkit/binrec/BinRecord.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileLock.h"

namespace dalmain {

namespace {

bool validSearchKey(QByteArrayView key)
{
    return !key.isEmpty() && key.size() <= kDateKeyLength;
}

QString menuPath(int user)
{
    return quenkit::dataPath(dayMenuFileName(user));
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
    return dayMenuKeys(menuPath(user)).find(key, first);
}

QList<int> FindDayMenus(int user, QByteArrayView key)
{
    if (user < 0 || !validSearchKey(key))
        return {};
    return dayMenuKeys(menuPath(user)).findAll(key);
}

QList<QByteArray> dayMenuDates(int user)
{
    if (user < 0)
        return {};
    return dayMenuKeys(menuPath(user)).toList();
}

DayMenuReader::DayMenuReader(int user)
    : m_buffer(kDayMenuSize, Qt::Uninitialized)
{
    if (user < 0)
        return;
    m_file.setFileName(menuPath(user));
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

int DeleteDayMenu(int user, int record, QByteArrayView dateKey)
{
    if (user < 0 || record < 1)
        return 0;
    const QString name = dayMenuFileName(user);
    const quenkit::FileLock lock = quenkit::lockDataFile(name);
    if (!lock.isLocked())
        return 0;
    const QString path = quenkit::dataPath(name);
    DayMenuKeys keys = dayMenuKeys(path);
    // The record number may have been found before the lock was taken; another writer may
    // since have removed a day before it, and the record now holds a different day.
    const QByteArray stored = dateKeyInFile(path, record);
    if (stored.isEmpty() || (!dateKey.isEmpty() && stored != dateKey))
        return 0;
    if (quenkit::DeleteBINRecord(record - 1, kDayMenuSize, name) != 1)
        return 0;
    if (record <= keys.count() && keys.key(record) == stored) {
        keys.remove(record);
        dayMenuKeysChanged(path, keys);
    } else {
        forgetDayMenuKeys(path);
    }
    return 1;
}

}  // namespace dalmain
