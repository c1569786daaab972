#pragma once

#include "dalmain/userdata/ExerciseLogRecord.h"

#include <QByteArrayView>
#include <QList>

#include <optional>

// A user's exercise log "S%u.DBF": one record per day with entries, in date order. A log that
// is missing or cannot be read has no days; writes to it fail.
namespace dalmain {

QByteArray exerciseLogKeyField();

// The day's record, if the log has one.
std::optional<ExerciseLogRecord> FindExerciseDay(unsigned user, QByteArrayView date);

// Stores the day's entries: a new day is inserted in date order, an existing day overwritten;
// no slots remove the day (a day without a record stays without one). Holds the log's lock
// from looking the day up to the write. false, with the reason in *error, when the date is not
// 8 digits, there are more than 30 slots, or the log cannot be locked or written (it is then
// unchanged).
bool SaveExerciseDay(unsigned user, QByteArrayView date, const QList<ExerciseSlot> &entrySlots, QString *error = nullptr);

// The days from low to high, in date order. Each bound is a date or its first 6 (a month) or 4
// (a year) digits and takes in every date it begins; an empty bound sets no limit.
QList<ExerciseLogRecord> ExerciseDaysInRange(unsigned user, QByteArrayView low, QByteArrayView high);

// The dates of the log's days (8 digits each), in record order; only the date field of each
// record is read, so the calendar can mark a long log's days at every change of day.
QList<QByteArray> ExerciseLogDates(unsigned user);

// Removes the days of dates from the log under one hold of its lock; the number removed.
// false, with the reason in *error, when the log cannot be locked or written (the days removed
// before the failure stay removed).
bool DeleteExerciseDays(unsigned user, const QList<QByteArray> &dates, int *removed = nullptr, QString *error = nullptr);

}  // namespace dalmain
