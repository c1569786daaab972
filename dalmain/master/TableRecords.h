#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reading whole small master tables (standards, group tables, unit sets) field by field.
namespace dalmain {

// For every live record of table, in table order, the text of each field of fields (Shift-JIS
// names) with its padding removed. Empty when the table cannot be read or lacks one of the
// fields.
QList<QStringList> readFieldRows(const QString &table, const QList<QByteArray> &fields);

// The same for one field.
QStringList readFieldValues(const QString &table, const QByteArray &field);

}  // namespace dalmain
