#pragma once

#include "quenkit/dbf/DbfFormat.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A table of the food table's shape for the benchmarks: signed, 413-byte records (food number,
// group, name, reading, waste rate, 37 nutrient values, note), sorted by food number.
namespace benchdata {

constexpr int FoodRecordLength = 413;

QList<quenkit::DbfFieldDescriptor> foodTableFields();

// The food number of the i-th food (from 0): even numbers, so that odd ones insert between.
QByteArray foodNumber(int i);

// The body of a food with the given number. About one food in 40 is a curry (カレー in its name,
// ｶﾚｰ in its reading), the keyword the search benchmark looks for.
QByteArray foodBody(const QByteArray &number, int seed);

// Writes count foods to the table name (a data-folder name or a full path). true on success.
bool writeFoodTable(const QString &name, int count);

}  // namespace benchdata
