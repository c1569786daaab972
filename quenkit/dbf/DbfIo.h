#pragma once

// Pieces shared by the table operations; not part of the library's interface.

#include "quenkit/dbf/DbfTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace quenkit::dbf::detail {

// Reads or writes exactly count bytes at pos; false on any shortfall.
bool readAt(int handle, qint64 pos, void *buffer, qint64 count);
bool writeAt(int handle, qint64 pos, const void *buffer, qint64 count);

// header with today's date in bytes 1-3, as every header write stores it.
DbfHeader datedToday(DbfHeader header);

// Opens a table by name and reads its checked layout. An invalid handle when either fails.
int openTable(const QString &name, int mode, DbfLayout &layout);

// GetDBFFieldInfo2 on descriptors already read.
bool resolveFieldList(Owner *owner, const QList<DbfFieldDescriptor> &fields, QByteArrayView fieldList,
                      int fieldCount, QList<FieldSlice> &slices);

// Walks the records of a table in file order, reading many at a time: a search over the whole
// file then costs about as much as reading it once.
class RecordScanner
{
public:
    RecordScanner(int handle, const DbfLayout &layout, int first = 0);

    // Moves to the next record; false at the end or when a read fails (see failed()).
    bool next();
    int number() const { return m_current; }
    bool deleted() const { return m_record[0] == dbf::DeletedFlag; }
    // The record without its flag byte.
    QByteArrayView body() const { return m_record.sliced(1); }
    bool failed() const { return m_failed; }

    // The same a block of records at a time: the records after the last one visited, whole
    // (flag byte first), numbered from blockFirst().
    bool nextBlock();
    QByteArrayView block() const { return m_buffer; }
    int blockFirst() const { return m_bufferFirst; }

private:
    bool load(int first);

    int m_handle;
    const DbfLayout &m_layout;
    QByteArray m_buffer;
    QByteArrayView m_record;
    int m_next;              // the record after the current one
    int m_current = -1;
    int m_bufferFirst = 0;   // record number of the buffer's first record
    int m_bufferCount = 0;   // records in the buffer
    bool m_failed = false;
};

}  // namespace quenkit::dbf::detail
