#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

// A menu file of daily records as a user who records every day builds it: one record per day
// from first on, in date order, each day with three meals of a few foods, a dish or two and
// now and then a snack.
namespace benchdata {

// The record of the day'th day (from 0) after first.
QByteArray menuRecord(const QDate &first, int day);

// Writes days records to path (a full path). false when the file cannot be written.
bool writeMenuFile(const QString &path, const QDate &first, int days);

}  // namespace benchdata
