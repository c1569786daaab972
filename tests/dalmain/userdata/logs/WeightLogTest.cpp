#include "LogsTestSupport.h"

#include "dalmain/userdata/WeightLog.h"

using namespace dalmain;
using namespace logstest;

namespace {

class WeightLogFile : public LogsFixture
{
protected:
    void save(const char *date, double kg, double fat = 0.0)
    {
        QString error;
        ASSERT_TRUE(SaveWeight(kUser, {date, kg, fat}, &error)) << error.toStdString();
    }
};

TEST_F(WeightLogFile, WeightInForceOnADay)
{
    save("20240110", 60.0);
    save("20240120", 59.5, 21.3);
    struct Case {
        const char *date;
        double kg;
    };
    const Case cases[] = {{"20240101", 60.0}, {"20240110", 60.0}, {"20240119", 60.0}, {"20240120", 59.5}, {"20991231", 59.5}};
    for (const Case &c : cases) {
        const std::optional<WeightRecord> w = WeightOnOrBefore(kUser, c.date);
        ASSERT_TRUE(w) << c.date;
        EXPECT_EQ(w->kg, c.kg) << c.date;
    }
    EXPECT_EQ(WeightOnOrBefore(kUser, "20240120")->bodyFat, 21.3);
    EXPECT_FALSE(WeightOnOrBefore(7, "20240120"));
}

TEST_F(WeightLogFile, SameDateReplacesAndBodyIsText)
{
    save("20240110", 60.0);
    save("20240105", 61.0);
    save("20240110", 58.2, 19.5);
    EXPECT_EQ(recordCount(weightLogName(kUser)), 2);
    QByteArray body;
    ASSERT_EQ(quenkit::ReadDBFRecord(weightLogName(kUser), 1, body), 1);
    EXPECT_EQ(body, "20240110 58.219.5");
    EXPECT_EQ(readWeights(kUser), (QList<WeightRecord>{{"20240105", 61.0, 0.0}, {"20240110", 58.2, 19.5}}));
}

TEST_F(WeightLogFile, RangesOfTheMeasurementDialog)
{
    struct Case {
        double kg;
        double fat;
        WeightCheck::Field field;
    };
    const Case cases[] = {{0.1, 0.0, WeightCheck::None},     {200.0, 50.0, WeightCheck::None},
                          {0.0, 0.0, WeightCheck::Weight},   {200.1, 0.0, WeightCheck::Weight},
                          {60.0, 50.1, WeightCheck::BodyFat}, {60.0, 0.05, WeightCheck::BodyFat},
                          {60.0, 0.04, WeightCheck::BodyFat}, {60.0, 0.1, WeightCheck::None},
                          {0.05, 0.0, WeightCheck::Weight},  {200.04, 0.0, WeightCheck::Weight}};
    for (const Case &c : cases)
        EXPECT_EQ(checkWeightEntry(c.kg, c.fat).field, c.field) << c.kg << " " << c.fat;
    QString error;
    EXPECT_FALSE(SaveWeight(kUser, {"20240110", 250.0, 0.0}, &error));
    EXPECT_EQ(error, QStringLiteral("体重は0.1～200.0kgの間で入力してください。"));
    EXPECT_EQ(recordCount(weightLogName(kUser)), 0);
}

TEST_F(WeightLogFile, TheLastMeasurementStays)
{
    save("20240110", 60.0);
    save("20240120", 59.0);
    EXPECT_EQ(DeleteWeight(kUser, "20240115"), WeightDeletion::NotFound);
    EXPECT_EQ(DeleteWeight(kUser, "20240110"), WeightDeletion::Deleted);
    EXPECT_EQ(DeleteWeight(kUser, "20240120"), WeightDeletion::LastRecord);
    EXPECT_EQ(readWeights(kUser), (QList<WeightRecord>{{"20240120", 59.0, 0.0}}));
}

TEST_F(WeightLogFile, MonthsTakeOnlyTheirOwnDays)
{
    for (const char *date : {"20231231", "20240101", "20240131", "20240201"})
        save(date, 60.0);
    QList<QByteArray> dates;
    for (const WeightRecord &w : WeightsInMonth(kUser, 2024, 1))
        dates.append(w.date);
    EXPECT_EQ(dates, (QList<QByteArray>{"20240101", "20240131"}));
    EXPECT_TRUE(WeightsInMonth(kUser, 2024, 3).isEmpty());
}

}  // namespace
