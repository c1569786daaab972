#pragma once

#include <QList>

// How a new exercise item gets its number.
namespace dalmain {

// The smallest number from 1 up that none of numbers has; 0 when every number up to the
// highest an item may carry is taken.
unsigned nextFreeItemNumber(QList<unsigned> numbers);

// The number for a new item of "RMR.DBF": nextFreeItemNumber over the numbers of every record
// (records flagged deleted included, so that a number is not reused while a deleted record
// still shows it). 1 for an empty or missing table. The caller holds the table's lock until
// the new item's record is written.
unsigned NextItemNumber();

}  // namespace dalmain
