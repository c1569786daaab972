#include "LogsTestSupport.h"

#include "dalmain/userdata/ExerciseLog.h"
#include "dalmain/userdata/ExerciseLogClipboard.h"
#include "dalmain/userdata/ExerciseLogEntry.h"
#include "dalmain/userdata/ExerciseLogRecord.h"

#include "quenkit/files/FileLock.h"

#include <QtEndian>

#include <future>
#include <thread>

using namespace dalmain;
using namespace logstest;

namespace {

ExerciseSlot slot(unsigned item, int code, const char *value, const char16_t *memo = u"")
{
    return {item, code, QByteArray(value), quenkit::toSjis(memo)};
}

QList<QByteArray> dates(const QList<ExerciseLogRecord> &days)
{
    QList<QByteArray> result;
    for (const ExerciseLogRecord &d : days)
        result.append(d.date);
    return result;
}

TEST(ExerciseSlotBytes, SeventyFourBytesOfText)
{
    const QByteArray bytes = encodeExerciseSlot(slot(12, 30, "  4.0", u"朝"));
    ASSERT_EQ(bytes.size(), kExerciseSlotWidth);
    QByteArray expected = QByteArray("   12  30  4.0") + quenkit::toSjis(u"朝");
    expected += QByteArray(74 - expected.size(), '\0');
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(encodeExerciseSlot(slot(kBasalEntryItem, 2000, " 1338")).first(14), "655352000 1338");
    const std::optional<ExerciseSlot> back = decodeExerciseSlot(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, slot(12, 30, "  4.0", u"朝"));
    EXPECT_FALSE(decodeExerciseSlot(QByteArray(74, '\0')));
}

TEST(ExerciseSlotBytes, EnergyFieldKeepsFiveCharacters)
{
    struct Case {
        double kcal;
        const char *text;
    };
    const Case cases[] = {{150.0, "150.0"}, {999.9, "999.9"}, {1.04, "  1.0"}, {1338.05, " 1338"}, {9999.0, " 9999"}};
    for (const Case &c : cases)
        EXPECT_EQ(energyFieldText(c.kcal), c.text) << c.kcal;
}

TEST(ExerciseRecordBytes, ThirtyEntriesFillTheBody)
{
    QList<ExerciseSlot> full;
    for (int i = 0; i < kExerciseSlots; ++i)
        full.append(slot(i + 1, i + 1, "  2.0", u"メモ"));
    const QByteArray body = encodeExerciseRecord("20240105", full);
    ASSERT_EQ(body.size(), 2228);
    EXPECT_EQ(body.first(8), "20240105");
    EXPECT_EQ(body.sliced(8 + 29 * 74, 74), encodeExerciseSlot(full.last()));
    EXPECT_EQ(decodeExerciseRecord(body).entrySlots, full);
    EXPECT_TRUE(encodeExerciseRecord("20240105", full + QList<ExerciseSlot>{full.first()}).isEmpty());

    const QByteArray two = encodeExerciseRecord("20240105", full.first(2));
    EXPECT_EQ(two.size(), 2228);
    EXPECT_EQ(two.sliced(8 + 2 * 74), QByteArray(28 * 74, '\0'));
    EXPECT_EQ(decodeExerciseRecord(two).entrySlots.size(), 2);
}

class ExerciseLogFile : public LogsFixture
{
};

TEST_F(ExerciseLogFile, NewDayGoesBetweenItsNeighbours)
{
    const QList<ExerciseSlot> one{slot(2, 30, "  4.0")};
    ASSERT_TRUE(SaveExerciseDay(kUser, "20240103", one));
    ASSERT_TRUE(SaveExerciseDay(kUser, "20240110", one));
    ASSERT_TRUE(SaveExerciseDay(kUser, "20240105", {slot(4, 60, "  7.3", u"試合")}));
    EXPECT_EQ(dates(ExerciseDaysInRange(kUser, {}, {})), (QList<QByteArray>{"20240103", "20240105", "20240110"}));
    // The file itself is in date order, not only the results.
    QByteArray body;
    ASSERT_EQ(quenkit::ReadDBFRecord(exerciseLogName(kUser), 1, body), 1);
    EXPECT_EQ(body.first(8), "20240105");
    EXPECT_EQ(FindExerciseDay(kUser, "20240105")->entrySlots, (QList<ExerciseSlot>{slot(4, 60, "  7.3", u"試合")}));

    // Overwriting keeps the count.
    ASSERT_TRUE(SaveExerciseDay(kUser, "20240105", one));
    EXPECT_EQ(recordCount(exerciseLogName(kUser)), 3);
    EXPECT_EQ(FindExerciseDay(kUser, "20240105")->entrySlots, one);
}

TEST_F(ExerciseLogFile, EmptyDayRemovesItsRecordOrChangesNothing)
{
    ASSERT_TRUE(SaveExerciseDay(kUser, "20240103", {slot(2, 30, "  4.0")}));
    ASSERT_TRUE(SaveExerciseDay(kUser, "20240104", {slot(2, 30, "  4.0")}));
    const QByteArray before = testsupport::readFile(folders.dataFile(exerciseLogName(kUser)));
    EXPECT_TRUE(SaveExerciseDay(kUser, "20240105", {}));
    EXPECT_EQ(testsupport::readFile(folders.dataFile(exerciseLogName(kUser))), before);
    EXPECT_TRUE(SaveExerciseDay(kUser, "20240103", {}));
    EXPECT_FALSE(FindExerciseDay(kUser, "20240103"));
    EXPECT_EQ(dates(ExerciseDaysInRange(kUser, {}, {})), (QList<QByteArray>{"20240104"}));
}

TEST_F(ExerciseLogFile, RangesByDateMonthAndYear)
{
    for (const char *date : {"20231231", "20240101", "20240131", "20240201", "20250101"})
        ASSERT_TRUE(SaveExerciseDay(kUser, date, {slot(2, 10, "  4.0")}));
    struct Case {
        const char *low;
        const char *high;
        QList<QByteArray> dates;
    };
    const Case cases[] = {
        {"202401", "202401", {"20240101", "20240131"}},
        {"2024", "2024", {"20240101", "20240131", "20240201"}},
        {"20240131", "20240201", {"20240131", "20240201"}},
        {"202312", "202401", {"20231231", "20240101", "20240131"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dates(ExerciseDaysInRange(kUser, c.low, c.high)), c.dates) << c.low << "-" << c.high;
}

TEST_F(ExerciseLogFile, FailuresWriteNothing)
{
    QString error;
    EXPECT_FALSE(SaveExerciseDay(kUser, "2024015", {slot(2, 30, "  4.0")}, &error));
    EXPECT_FALSE(SaveExerciseDay(7, "20240105", {slot(2, 30, "  4.0")}, &error));  // no log for user 7
    EXPECT_FALSE(FindExerciseDay(7, "20240105"));
    EXPECT_TRUE(ExerciseDaysInRange(7, {}, {}).isEmpty());

    // Another writer holds the log: the save fails, says so and leaves the log as it was.
    ASSERT_TRUE(SaveExerciseDay(kUser, "20240103", {slot(2, 30, "  4.0")}));
    const QByteArray before = testsupport::readFile(folders.dataFile(exerciseLogName(kUser)));
    quenkit::setFileLockTimeout(200);
    std::promise<void> locked;
    std::promise<void> done;
    std::thread holder([&] {
        quenkit::FileLock other = quenkit::lockDataFile(exerciseLogName(kUser));
        locked.set_value();
        done.get_future().wait();
    });
    locked.get_future().wait();
    EXPECT_FALSE(SaveExerciseDay(kUser, "20240105", {slot(2, 30, "  4.0")}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("another program")));
    EXPECT_FALSE(SaveExerciseDay(kUser, "20240103", {}, &error));
    done.set_value();
    holder.join();
    quenkit::setFileLockTimeout(30000);
    EXPECT_EQ(testsupport::readFile(folders.dataFile(exerciseLogName(kUser))), before);
}

TEST(ExerciseEntryBytes, PackedLittleEndianRecord)
{
    ExerciseEntry e;
    e.name = quenkit::toSjis(u"歩く");
    e.item = 0x01020304;
    e.minutesCode = 2030;
    e.afText = "  4.0";
    e.energy = 150.0;
    e.computedMinutes = -2;
    e.memo = quenkit::toSjis(u"メモ");
    const QByteArray bytes = encodeExerciseEntry(e);
    ASSERT_EQ(bytes.size(), kExerciseEntrySize);
    EXPECT_EQ(bytes.first(4), quenkit::toSjis(u"歩く"));
    EXPECT_EQ(bytes.mid(4, 57), QByteArray(57, '\0'));
    EXPECT_EQ(bytes.mid(61, 4), QByteArray("\x04\x03\x02\x01", 4));
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 65), 2030);
    EXPECT_EQ(bytes.mid(69, 5), "  4.0");
    EXPECT_EQ(qFromLittleEndian<double>(bytes.constData() + 74), 150.0);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 82), -2);
    EXPECT_EQ(bytes.mid(86, 4), quenkit::toSjis(u"メモ"));
    EXPECT_EQ(bytes.mid(90), QByteArray(57, '\0'));
    EXPECT_EQ(decodeExerciseEntry(bytes), e);
    EXPECT_FALSE(decodeExerciseEntry(bytes.first(146)));
}

TEST(ExerciseClipboard, TailIsReadOnlyWithinTheBlock)
{
    ExerciseDay day;
    ExerciseEntry e;
    e.name = quenkit::toSjis(u"歩く");
    e.item = 2;
    e.minutesCode = 30;
    e.afText = "  4.0";
    e.energy = 100.0;
    day.insert(e);
    e.minutesCode = 9999;
    e.memo = QByteArrayLiteral("DMSportsAllData");  // a memo that looks like the marker
    day.insert(e);
    const QByteArray block = copyAllBlock(day, summarizeExercise(200.0, 30, 0.0, 1200.0, 1), {});
    const std::optional<QList<ExerciseEntry>> copied = copiedEntries(block);
    ASSERT_TRUE(copied);
    EXPECT_EQ(*copied, day.entries());

    // Cut short, or claiming more entries than it holds: nothing is read.
    EXPECT_FALSE(copiedEntries(block.first(block.size() - 1)));
    QByteArray inflated = block;
    const qsizetype countAt = inflated.indexOf(kExerciseClipboardMarker, inflated.indexOf('\0')) + 15;
    qToLittleEndian<quint16>(3, inflated.data() + countAt);
    EXPECT_FALSE(copiedEntries(inflated));
    qToLittleEndian<quint16>(1, inflated.data() + countAt);
    EXPECT_EQ(copiedEntries(inflated)->size(), 1);
    // Plain text from elsewhere has no tail.
    EXPECT_FALSE(copiedEntries(QByteArray(300, 'a')));
    EXPECT_FALSE(copiedEntries(QByteArray("a\0DMSportsAllData\x01\x00", 19)));
}

TEST(ExerciseClipboard, TextOfCopyAll)
{
    ExerciseDay day;
    ExerciseEntry walk;
    walk.name = quenkit::toSjis(u"歩く");
    walk.item = 2;
    walk.minutesCode = 2030;
    walk.energy = 150.0;
    walk.memo = quenkit::toSjis(u"朝");
    day.insert(walk);
    const QString text = copyAllText(day, summarizeExercise(150.0, 30, 0.0, 1200.0, 1), {true, true, false});
    // 1200 x 0.75 x 1410 / 1440 = 881.25, which the double holds a little above the half.
    EXPECT_EQ(text.toStdString(), QStringLiteral("運動種目\t運動時間(分)\t運動消費ｴﾈﾙｷﾞｰ(kcal)\tメ　モ\r\n"
                                   "歩く\t30\t150.0\t朝\r\n"
                                   "運動時間\t 0時間30分(  30分)\r\n"
                                   "運動消費エネルギー(kcal)\t150.0\r\n"
                                   "基礎代謝量(kcal)\t1200.0\r\n"
                                   "生活消費エネルギー(kcal)\t881.3\r\n"
                                   "一日消費エネルギー(kcal)\t2206.3\r\n").toStdString());
}

}  // namespace
