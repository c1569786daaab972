#pragma once

#include <QByteArrayView>
#include <QString>

// Key-ordered writes and deletes. A change that moves records writes the whole table to a
// temporary file that then replaces the table in one step, so a failure at any point leaves
// either the old or the new table.
namespace quenkit {

class Owner;

// Modes of WriteDBFRecord.
enum DbfWriteMode : int {
    WriteOrOverwrite = 0,   // an existing key is overwritten (after asking the owner)
    WriteNewOnly = 1,       // an existing key makes the write fail
};


// Writes body (record length - 1 bytes, Shift-JIS) so that the table stays in ascending byte
// order of keyField. A new key greater than every key is appended in place; any other new key
// is inserted before the first greater one through a rewrite. An existing key fails in mode
// WriteNewOnly (0) and is otherwise overwritten in place, the header left as it was (2).
// The owner confirms a new record ("新規登録の確認") and an overwrite ("上書き登録の確認");
// No gives 3. 0 on failure: the table cannot be read, keyField is not a field, body has the
// wrong size, or the rewrite fails (the table is then unchanged).
int WriteDBFRecord(Owner *owner, const QString &name, QByteArrayView body, QByteArrayView keyField, int mode);

// The insertion of WriteDBFRecord that never overwrites: when a live record has the key
// already, nothing is written or asked and the result is 1. Otherwise 1 added, 3 the owner
// said No, 0 failure.
int AddNewRyouriDBFRecord(Owner *owner, const QString &name, QByteArrayView body, QByteArrayView keyField);

// Deletes the first live record whose keyField equals key (blank-padded to the field's width
// when shorter, cut when longer) by rewriting the table without it. 1 deleted; 2 no such
// record (the owner is told "削除を行うレコードが見つかりません。"); 3 the owner said No; 0 failure.
int DeleteDBFRecord(Owner *owner, const QString &name, QByteArrayView key, QByteArrayView keyField);

// Deletes record (from 0) without asking. 1 deleted; 2 when the record number is not below the
// record count or the record is flagged deleted (nothing changes); 0 failure.
int DeleteDBFNoRecord(const QString &name, int record);

// The temporary file of a delete: the name with "TMP" for its last three characters, and
// ".FDB" behind it for a signed table (食品.FDB gives 食品.TMP.FDB).
QString deleteTemporaryName(const QString &name);

}  // namespace quenkit
