#include "quenkit/dates/Dates.h"

#include <QStringList>
#include <QtDebug>

#include <gtest/gtest.h>

using namespace quenkit;

namespace {
class FixedToday
{
public:
    explicit FixedToday(const char *date) { qputenv("DALMORA_TODAY", date); }
    ~FixedToday() { qunsetenv("DALMORA_TODAY"); }
};
}  // namespace

TEST(CheckDay, ValidDaysAndMonthLengths)
{
    struct Case {
        int y, m, d, expected;
    } cases[] = {
        {2012, 2, 29, 1},  {2013, 2, 29, 28}, {2013, 4, 31, 30}, {2013, 3, 0, 31},  {1979, 1, 1, -1},
        {2013, 13, 1, -1}, {2013, 0, 1, -1},  {1980, 1, 1, 1},   {2013, 12, 31, 1}, {2100, 2, 29, 1},
        {2013, 1, 32, 31}, {2013, 6, -5, 30},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CheckDay(c.y, c.m, c.d), c.expected) << c.y << "/" << c.m << "/" << c.d;
}

TEST(GetWeekOfDay, CountsFromTuesdayFirstJanuary1980)
{
    struct Case {
        int y, m, d, expected;
    } cases[] = {
        {1980, 1, 1, 3}, {2013, 1, 1, 3}, {2013, 12, 31, 3}, {2013, 12, 6, 6}, {2012, 2, 29, 4},
        {2028, 1, 1, 7}, {2031, 5, 6, 3}, {2013, 2, 29, 0},  {1979, 12, 31, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GetWeekOfDay(c.y, c.m, c.d), c.expected) << c.y << "/" << c.m << "/" << c.d;

    // Agrees with the calendar for every day of 1980-2099 (every year divisible by 4 is a leap
    // year in that span).
    for (QDate d(1980, 1, 1); d.year() < 2100; d = d.addDays(1))
        ASSERT_EQ(GetWeekOfDay(d.year(), d.month(), d.day()), d.dayOfWeek() % 7 + 1) << d.toString().toStdString();
}

TEST(PackedDate, KeepsTheSixteenBitFormAndFullYears)
{
    const quint32 p = packDate(QDate(2013, 12, 6));
    EXPECT_EQ(p >> 9, 113u);
    EXPECT_EQ(packedMonth(p), 12);
    EXPECT_EQ(packedDay(p), 6);
    EXPECT_LE(p, 0xFFFFu);
    EXPECT_EQ(packDate(QDate(2027, 12, 31)) >> 9, 127u);

    for (const QDate &d : {QDate(1980, 1, 1), QDate(2027, 12, 31), QDate(2028, 1, 1), QDate(2031, 5, 6), QDate(2155, 6, 30)}) {
        EXPECT_EQ(unpackDate(packDate(d)), d);
        EXPECT_EQ(packedYear(packDate(d)), d.year());
    }
    EXPECT_EQ(packTime(QTime(23, 59, 58)), (23 << 11) | (59 << 5) | 29);
}

TEST(Today, FixedByTheEnvironment)
{
    FixedToday fixed("2031-05-06");
    EXPECT_EQ(today(), QDate(2031, 5, 6));
    EXPECT_EQ(now().date(), QDate(2031, 5, 6));
    EXPECT_EQ(packedYear(GetDate()), 2031);
    EXPECT_EQ(packedMonth(GetDate()), 5);
    EXPECT_EQ(packedDay(GetDate()), 6);
}

namespace {
QStringList warnings;

void recordWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg)
        warnings.append(message);
}
}  // namespace

// Nothing else in this program sets a value that is not used, so the one warning of the process
// is this test's.
TEST(Today, IgnoresAValueThatIsNoRecordDateAndSaysSoOnce)
{
    const QtMessageHandler previous = qInstallMessageHandler(recordWarning);
    for (const char *value : {"2031-13-45", "0000-01-01", "1979-12-31", "tomorrow", "2031-5-6"}) {
        FixedToday fixed(value);
        EXPECT_EQ(today(), QDate::currentDate()) << value;
        EXPECT_EQ(now().date(), QDate::currentDate()) << value;
    }
    {
        FixedToday fixed("1980-01-01");   // the first day a record can have is used
        EXPECT_EQ(today(), QDate(1980, 1, 1));
    }
    qInstallMessageHandler(previous);
    ASSERT_EQ(warnings.size(), 1) << warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("DALMORA_TODAY=2031-13-45"))) << warnings[0].toStdString();
}

