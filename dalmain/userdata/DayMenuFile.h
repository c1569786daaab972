#pragma once

#include "dalmain/userdata/DayMenu.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <QString>

// A user's menu file: one DayMenu record per day that has a menu, in the order the days were
// first saved, each date at most once. Record numbers are 1-based. Only whole records count: a
// file whose length is not a multiple of the record size (a write cut short) keeps every whole
// record readable and ignores the rest. The searches answer from the file's date keys held in
// memory (DayMenuIndex.h): the first one reads the keys, later ones only check that the file
// has not changed.
namespace dalmain {

// The menu file of a user, relative to the data folder.
QString dayMenuFileName(int user);

// The number of the first record at or after record first whose date key begins with key (8
// characters for a day, 6 for a month, 4 for a year); 0 for none, for a missing file, or for a
// key that is empty or longer than 8 characters. To walk every day of a month or a year,
// repeat the search from the last result + 1.
int FindDayMenu(int user, QByteArrayView key, int first = 1);

// Every record whose date key begins with key, in file order: the walk above in one pass.
QList<int> FindDayMenus(int user, QByteArrayView key);

// The date keys of every record, in file order: the days the calendar marks.
QList<QByteArray> dayMenuDates(int user);

// Reads record number record into menu. 1 when a whole record was read, else 0.
int ReadDayMenu(int user, int record, DayMenu &menu);

// Reads many records of one user's menu file through a single open, as an analysis of a year
// does; the file is closed when the reader goes.
class DayMenuReader
{
public:
    explicit DayMenuReader(int user);

    // The number of whole records when the reader was made; 0 for a missing file.
    int count() const { return m_records; }
    // Record number record into menu; false when it is not a whole record of the file.
    bool read(int record, DayMenu &menu);

private:
    QFile m_file;
    QByteArray m_buffer;
    int m_records = 0;
};

// The number of whole records; 0 for a missing file.
int CountDayMenus(int user);

// Removes record number record; the records after it move up by one. The file is rewritten
// through a temporary file that replaces it in one step, under the file's lock. A caller that
// found the record for a day passes the day's date key (8 characters): another program may
// have changed the file since, so the record is removed only when it still holds that day.
// 1 when removed; 0 when there is no such record, it holds another day, the lock could not be
// taken or the rewrite failed (the file is then unchanged).
int DeleteDayMenu(int user, int record, QByteArrayView dateKey = {});

}  // namespace dalmain
