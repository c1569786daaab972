#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// Fixed-record files: nothing but records of one size, record i at i x size, no header.
// Names are relative to the data folder; each call opens and closes the file.
namespace quenkit {

// Writes count bytes at offset. 1 when written; 0 when the file cannot be opened for reading
// and writing or offset lies beyond the end (an offset equal to the length appends).
int WriteBINRecord(qint64 offset, qint64 count, const QString &name, const void *data);

// Reads count bytes at offset. 1 when read (a read reaching the end delivers fewer bytes and
// still gives 1; bytesRead tells how many); 0 when the file cannot be opened or offset is not
// below the length.
int ReadBINRecord(qint64 offset, qint64 count, const QString &name, void *buffer,
                  qint64 *bytesRead = nullptr);

// Removes record index (from 0) by rewriting the file through a temporary file that then
// replaces it in one step. 1 after the rewrite; 0 when the file cannot be opened, index is
// greater than the record count, or the rewrite fails (the file is then unchanged).
int DeleteBINRecord(int index, int recordSize, const QString &name);

// The 1-based number of the first record, at or after record first (1-based), whose bytes at
// keyOffset equal key; 0 when none does or the file cannot be opened.
int SearchBINRecord(int recordSize, int keyOffset, int first, const QString &name, QByteArrayView key);

// length / recordSize, or 0 when the file cannot be opened.
int GetRecordCount(int recordSize, const QString &name);

}  // namespace quenkit
