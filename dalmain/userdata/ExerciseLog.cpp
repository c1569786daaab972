#include "dalmain/userdata/ExerciseLog.h"

#include "dalmain/userdata/UserStore.h"

#include "quenkit/dbf/DbfSearch.h"
#include "quenkit/dbf/DbfTable.h"
#include "quenkit/dbf/DbfWrite.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/text/ShiftJis.h"

#include <QFile>

namespace dalmain {

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

bool isDateKey(QByteArrayView date)
{
    if (date.size() != kExerciseDateWidth)
        return false;
    for (char c : date) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// A date lies inside a bound of a range when its first len(bound) characters are on the
// right side of it.
bool withinRange(QByteArrayView date, QByteArrayView low, QByteArrayView high)
{
    if (!low.isEmpty() && date.first(std::min(date.size(), low.size())) < low)
        return false;
    if (!high.isEmpty() && date.first(std::min(date.size(), high.size())) > high)
        return false;
    return true;
}

}  // namespace

QByteArray exerciseLogKeyField()
{
    return quenkit::toSjis(u"日付");
}

std::optional<ExerciseLogRecord> FindExerciseDay(unsigned user, QByteArrayView date)
{
    if (!isDateKey(date))
        return std::nullopt;
    const QString log = exerciseLogName(user);
    QList<int> records;
    if (quenkit::SearchDBFRecord(nullptr, records, log, exerciseLogKeyField(), date, date) <= 0)
        return std::nullopt;
    QByteArray body;
    for (int record : records) {
        if (quenkit::ReadDBFRecord(log, record, body) != 1)
            continue;
        ExerciseLogRecord day = decodeExerciseRecord(body);
        if (day.date == date)
            return day;
    }
    return std::nullopt;
}

bool SaveExerciseDay(unsigned user, QByteArrayView date, const QList<ExerciseSlot> &entrySlots, QString *error)
{
    if (!isDateKey(date))
        return fail(error, QStringLiteral("the date must be eight digits (YYYYMMDD)"));
    if (entrySlots.size() > kExerciseSlots)
        return fail(error, QStringLiteral("a day holds at most %1 exercise entries").arg(kExerciseSlots));
    const QString log = exerciseLogName(user);
    quenkit::FileLock lock = quenkit::lockDataFile(log);
    if (!lock.isLocked())
        return fail(error, QStringLiteral("%1 is being changed by another program").arg(log));

    quenkit::DbfLayout layout;
    if (!quenkit::readDbfLayout(log, layout))
        return fail(error, QStringLiteral("%1 cannot be read").arg(log));

    if (entrySlots.isEmpty()) {
        if (!FindExerciseDay(user, date))
            return true;
        if (quenkit::DeleteDBFRecord(nullptr, log, date, exerciseLogKeyField()) != 1)
            return fail(error, QStringLiteral("%1 could not be written").arg(log));
        return true;
    }

    QByteArray body = encodeExerciseRecord(date, entrySlots);
    if (layout.bodyLength() != body.size())
        return fail(error, QStringLiteral("%1 has records of %2 bytes, not the %3 of an exercise log")
                               .arg(log).arg(layout.bodyLength()).arg(body.size()));
    const int written = quenkit::WriteDBFRecord(nullptr, log, body, exerciseLogKeyField(), quenkit::WriteOrOverwrite);
    if (written != 1 && written != 2)
        return fail(error, QStringLiteral("%1 could not be written").arg(log));
    return true;
}

QList<ExerciseLogRecord> ExerciseDaysInRange(unsigned user, QByteArrayView low, QByteArrayView high)
{
    const QString log = exerciseLogName(user);
    QList<int> records;
    if (quenkit::SearchDBFRecord(nullptr, records, log, exerciseLogKeyField(), low, high) <= 0)
        return {};
    QList<ExerciseLogRecord> days;
    QByteArray body;
    for (int record : records) {
        if (quenkit::ReadDBFRecord(log, record, body) != 1)
            continue;
        ExerciseLogRecord day = decodeExerciseRecord(body);
        // The search also takes a bound found inside the field; only dates that begin with it
        // belong to the range.
        if (withinRange(day.date, low, high))
            days.append(std::move(day));
    }
    std::stable_sort(days.begin(), days.end(),
                     [](const ExerciseLogRecord &a, const ExerciseLogRecord &b) { return a.date < b.date; });
    return days;
}

QList<QByteArray> ExerciseLogDates(unsigned user)
{
    const QString log = exerciseLogName(user);
    quenkit::DbfLayout layout;
    if (!quenkit::readDbfLayout(log, layout))
        return {};
    const std::optional<quenkit::FieldSlice> field = layout.fieldSlice(exerciseLogKeyField());
    QFile file(quenkit::tablePath(log));
    if (!field || field->length != kExerciseDateWidth || !file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> dates;
    dates.reserve(layout.recordCount());
    for (int r = 0; r < layout.recordCount(); ++r) {
        // The deletion flag, then the date where the field lies in the body.
        if (!file.seek(layout.recordPosition(r)))
            break;
        const QByteArray flag = file.read(1);
        if (flag.size() != 1 || !file.seek(layout.recordPosition(r) + 1 + field->offset))
            break;
        const QByteArray date = file.read(kExerciseDateWidth);
        if (date.size() != kExerciseDateWidth)
            break;
        if (flag[0] != quenkit::dbf::DeletedFlag && isDateKey(date))
            dates.append(date);
    }
    return dates;
}

bool DeleteExerciseDays(unsigned user, const QList<QByteArray> &dates, int *removed, QString *error)
{
    int count = 0;
    if (removed)
        *removed = 0;
    const QString log = exerciseLogName(user);
    quenkit::FileLock lock = quenkit::lockDataFile(log);
    if (!lock.isLocked())
        return fail(error, QStringLiteral("%1 is being changed by another program").arg(log));
    for (const QByteArray &date : dates) {
        if (!FindExerciseDay(user, date))
            continue;
        if (!SaveExerciseDay(user, date, {}, error))
            return false;
        if (removed)
            *removed = ++count;
    }
    return true;
}

}  // namespace dalmain
