#include "quenkit/dates/Dates.h"

#include <QtDebug>

#include <atomic>

namespace quenkit {

namespace {
constexpr int kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool isLeap(int year) { return year % 4 == 0; }
}  // namespace

QDate today()
{
    const QByteArray fixed = qgetenv("DALMORA_TODAY");
    if (!fixed.isEmpty()) {
        const QDate d = QDate::fromString(QString::fromLatin1(fixed), Qt::ISODate);
        if (d.isValid() && isRecordYear(d.year()))
            return d;
        // A test or a demonstration that meant to fix the day would otherwise run on today's
        // date without noticing.
        static std::atomic<bool> told{false};
        if (!told.exchange(true))
            qWarning("DALMORA_TODAY=%s is not a date YYYY-MM-DD from %d to %d; using today's date",
                     fixed.constData(), kFirstRecordYear, kLastRecordYear);
    }
    return QDate::currentDate();
}

QDateTime now()
{
    return QDateTime(today(), QTime::currentTime());
}

quint32 packDate(const QDate &date)
{
    if (!date.isValid() || date.year() < 1900)
        return 0;
    return (static_cast<quint32>(date.year() - 1900) << 9) | (static_cast<quint32>(date.month()) << 5)
        | static_cast<quint32>(date.day());
}

QDate unpackDate(quint32 packed)
{
    return QDate(packedYear(packed), packedMonth(packed), packedDay(packed));
}

quint16 packTime(const QTime &time)
{
    return static_cast<quint16>((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
}

quint32 GetDate()
{
    return packDate(today());
}

quint16 GetTime()
{
    return packTime(QTime::currentTime());
}

int daysInMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return 0;
    return (month == 2 && isLeap(year)) ? 29 : kDaysPerMonth[month - 1];
}

int CheckDay(int year, int month, int day)
{
    if (year < 1980 || month < 1 || month > 12)
        return -1;
    const int days = daysInMonth(year, month);
    return (day >= 1 && day <= days) ? 1 : days;
}

int GetWeekOfDay(int year, int month, int day)
{
    if (CheckDay(year, month, day) != 1)
        return 0;
    int weekday = 3;  // 1 January 1980 was a Tuesday
    for (int y = 1980; y < year; ++y)
        weekday = (weekday - 1 + (isLeap(y) ? 2 : 1)) % 7 + 1;
    int dayOfYear = day;
    for (int m = 1; m < month; ++m)
        dayOfYear += daysInMonth(year, m);
    return (weekday - 1 + dayOfYear - 1) % 7 + 1;
}

}  // namespace quenkit
