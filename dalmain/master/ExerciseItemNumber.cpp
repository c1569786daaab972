#include "dalmain/master/ExerciseItemNumber.h"

#include "dalmain/master/ExerciseItem.h"

#include "quenkit/dbf/DbfSearch.h"
#include "quenkit/dbf/DbfTable.h"

#include <algorithm>

namespace dalmain {

unsigned nextFreeItemNumber(QList<unsigned> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    // Walking the sorted numbers past duplicates: a table that somehow holds one number twice
    // must still not hand that number out again.
    unsigned candidate = 1;
    for (unsigned n : numbers) {
        if (n > candidate)
            break;
        if (n == candidate)
            ++candidate;
    }
    return candidate > kMaxExerciseItemNumber ? 0 : candidate;
}

unsigned NextItemNumber()
{
    QList<unsigned> numbers;
    QByteArray body;
    for (int record = 0; record < kMaxExerciseItems; ++record) {
        if (quenkit::ReadDBFRecord(kExerciseItemTable, record, body) == 0)
            break;
        if (body.size() >= exerciseitem::NumberWidth)
            numbers.append(static_cast<unsigned>(quenkit::fieldNumber(QByteArrayView(body).first(exerciseitem::NumberWidth))));
    }
    return nextFreeItemNumber(numbers);
}

}  // namespace dalmain
