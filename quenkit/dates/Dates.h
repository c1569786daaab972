#pragma once

#include <QDate>
#include <QDateTime>
#include <QtGlobal>

// Today, packed dates and times, and the calendar helpers every dated record uses.
namespace quenkit {

// The years a dated record can have: from 1980, the first year CheckDay admits, to 9999, the
// last that the four digits of a date key (YYYYMMDD) hold.
constexpr int kFirstRecordYear = 1980;
constexpr int kLastRecordYear = 9999;
inline bool isRecordYear(int year) { return year >= kFirstRecordYear && year <= kLastRecordYear; }

// Today's date. The environment variable DALMORA_TODAY=YYYY-MM-DD fixes it (tests and
// demonstrations); otherwise the local date. A value that is no calendar date of a record year
// is not used: the first call that meets it says so on the warning channel (stderr unless a
// message handler is installed), once per process, and the local date is taken.
QDate today();
// Now, local time; with DALMORA_TODAY set, that day at the current local time.
QDateTime now();

// Packed date: bits 15-9 year - 1900, bits 8-5 month, bits 4-0 day. Years from 2028 on do
// not fit 7 bits, so the year field continues above bit 15: for every year up to 2027 the
// value equals the 16-bit form, and no later year ever wraps.
quint32 packDate(const QDate &date);
QDate unpackDate(quint32 packed);
inline int packedYear(quint32 packed) { return static_cast<int>(packed >> 9) + 1900; }
inline int packedMonth(quint32 packed) { return static_cast<int>((packed >> 5) & 0x0F); }
inline int packedDay(quint32 packed) { return static_cast<int>(packed & 0x1F); }

// Packed time: bits 15-11 hour, bits 10-5 minute, bits 4-0 second / 2.
quint16 packTime(const QTime &time);

// Today's packed date and the current packed time.
quint32 GetDate();
quint16 GetTime();

// 1 when the date is valid; the number of days of the month when the day is below 1 or past
// the month's end; -1 for a year before 1980 or a month outside 1-12. A year divisible by 4
// is a leap year.
int CheckDay(int year, int month, int day);

// 1 Sunday ... 7 Saturday, or 0 when CheckDay does not give 1.
int GetWeekOfDay(int year, int month, int day);

// Days of the month by the same leap rule (a year divisible by 4).
int daysInMonth(int year, int month);

}  // namespace quenkit
