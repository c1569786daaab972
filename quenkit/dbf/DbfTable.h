#pragma once

#include "quenkit/dbf/DbfFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// Header, descriptor and record access of the tables. A table is named relative to the data
// folder ("料理.DBF"); an absolute path names a table anywhere, which is how the command-line
// tool works on files. Operations that take a name open the file, work and close it; those
// that take a handle work on a file the caller opened with FileOpen.
namespace quenkit {

class Owner;

// The full path of a table name: an absolute path as it is, anything else in the data folder.
QString tablePath(const QString &name);

// A table's structure as read from its file and checked against the file's length.
struct DbfLayout {
    int signatureOffset = 0;
    DbfHeader header;
    QList<DbfFieldDescriptor> fields;
    qint64 fileLength = 0;

    int recordCount() const { return static_cast<int>(header.recordCount()); }
    int headerLength() const { return header.headerLength(); }
    int recordLength() const { return header.recordLength(); }
    int bodyLength() const { return header.recordLength() - 1; }
    qint64 recordPosition(qint64 record) const
    {
        return signatureOffset + headerLength() + record * recordLength();
    }
    // Offset of field i within the body: the lengths of the fields before it.
    int fieldOffset(int index) const;
    // Where the field of this (Shift-JIS) name lies in a body; none when the table has no such field.
    std::optional<FieldSlice> fieldSlice(QByteArrayView name) const;
};

// Reads the header and every descriptor through handle and checks that they fit the file: a
// header length of 33 + 32 x n inside the file, a record length that is the field lengths plus
// the flag byte, and all records inside the file. false, with the reason in *problem, when
// they do not; the layout then holds whatever could be read.
bool readDbfLayout(int handle, int signatureOffset, DbfLayout &layout, QString *problem = nullptr);
// The same by table name (the signature follows the name); false also when it cannot be opened.
bool readDbfLayout(const QString &name, DbfLayout &layout, QString *problem = nullptr);

// Creates the table name (replacing a file of that name) with the given fields and no records,
// through SetDBFInfo and SetDBFFieldInfo. 1, or 0 when a field has length 0, the record would
// exceed 65,535 bytes, or the file cannot be written.
int createDbfTable(const QString &name, const QList<DbfFieldDescriptor> &fields,
                   unsigned char version = dbf::DefaultVersion);

// Writes the signature when the name calls for one, then header with today's date, at the
// file start; creates a missing file, never truncates one. 1, or 0 when it cannot be written.
int SetDBFInfo(const QString &name, const DbfHeader &header);
// Writes header with today's date at the handle's current position. 1, or 0 on a failed write.
int SetDBFInfo2(int handle, const DbfHeader &header);

// Reads the header. 1; 0 when the file cannot be opened or is shorter than its header.
int GetDBFInfo(const QString &name, DbfHeader &header);
// The same through handle; name only decides the signature offset.
int GetDBFInfo2(int handle, const QString &name, DbfHeader &header);

// The number of fields, or -1 when the header cannot be read or does not fit the file.
int GetDBFField(const QString &name);

// Writes descriptor index, then 0D 1A behind it, and sets the header length to 32 x index + 65
// with today's date. 1, or 0 on a failed read or write.
int SetDBFFieldInfo(int handle, const QString &name, int index, const DbfFieldDescriptor &descriptor);
// Reads descriptor index; with a handle of -1 the file is opened and closed here. 1, or 0 when
// the descriptor lies outside the header or the file.
int GetDBFFieldInfo(int handle, const QString &name, int index, DbfFieldDescriptor &descriptor);
// The offset of field index within the body (0 when the table cannot be read).
int GetDBFFieldInfoLen(const QString &name, int index);

// Resolves a "@"-separated list of field names against the first fieldCount descriptors, one
// slice per name in list order. 1; 0 after telling owner "指定されたフィールドが長すぎます" (a
// name of 12 bytes or more) or "指定されたフィールド名が一致しませんでした" (no such field), or
// without a message when the table cannot be read.
int GetDBFFieldInfo2(Owner *owner, const QString &name, QByteArrayView fieldList, int fieldCount,
                     QList<FieldSlice> &slices);

// Writes " ", body (record length - 1 bytes) and, when the record ends the file, 1A at the
// record's position. 1, or 0 when body has the wrong size or the write fails.
int SetDBFRecord(int handle, int record, QByteArrayView body, int headerLength, int recordLength,
                 int signatureOffset);
// Reads the body of a record: 2 when it is flagged deleted, 1 when live, 0 when it cannot be
// read whole. The record count is not consulted.
int GetDBFRecord(int handle, int record, QByteArray &body, int headerLength, int recordLength,
                 int signatureOffset);

// Reads the body of record (from 0): 1 live, 2 deleted; 0 when the record number is not below
// the record count or the table cannot be read.
int ReadDBFRecord(const QString &name, int record, QByteArray &body);
// The same on the caller's open handle of a signed table (the food table), read repeatedly
// without reopening it.
int ReadDBFRecord2(int handle, int record, QByteArray &body);

}  // namespace quenkit
