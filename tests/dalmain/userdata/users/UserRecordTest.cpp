// The user record: its bytes, the sex code, and the conversion of older records.

#include "dalmain/userdata/UserProfile.h"

#include "quenkit/text/ShiftJis.h"

#include <gtest/gtest.h>

namespace {

using namespace dalmain;

QByteArray sjis(const QString &text, int width)
{
    return quenkit::sjisField(quenkit::toSjis(text), width);
}

UserProfile girl()
{
    UserProfile p;
    p.number = 12;
    p.reading = QStringLiteral("ﾔﾏﾀﾞ ﾐｸ");
    p.name = QStringLiteral("山田未来");
    p.age = 7;
    p.birthYear = 2017;
    p.birthMonth = 4;
    p.birthDay = 9;
    p.sex = 1;
    p.menstruation = 1;
    p.height = QStringLiteral("120.5");
    p.activity = 2;
    p.unitTable = QStringLiteral("適正単位A");
    p.firstDate = "20240101";
    p.reserved = "ABCDEFGH";
    p.secondDate = "20240102";
    return p;
}

TEST(UserRecord, FieldsStandInRecordOrderWithTheirWidthsAndFormats)
{
    const QByteArray expected = QByteArray("   12") + sjis(QStringLiteral("ﾔﾏﾀﾞ ﾐｸ"), 20)
                                + sjis(QStringLiteral("山田未来"), 30) + " 7" + "2017" + "04" + "09" + "6"
                                + "120.5" + "2" + "2" + "  1" + QByteArray(40, ' ') + QByteArray(60, ' ')
                                + sjis(QStringLiteral("適正単位A"), 30) + QByteArray(30, ' ') + "20240101"
                                + "ABCDEFGH" + "20240102";
    ASSERT_EQ(expected.size(), userrecord::BodyLength);
    EXPECT_EQ(encodeUserRecord(girl()), expected);

    // Without a birthday the three fields are blank.
    UserProfile p = girl();
    p.birthYear = p.birthMonth = p.birthDay = 0;
    EXPECT_EQ(encodeUserRecord(p).mid(57, 8), QByteArray(8, ' '));
}

TEST(UserRecord, EveryProfileReadsBackAsWritten)
{
    UserProfile woman = girl();
    woman.age = 31;
    woman.pregnancy = 3;
    woman.menstruation = 0;
    woman.standardKind = "  2";
    woman.standardName = QStringLiteral("減塩食");
    woman.exchangeTable = QStringLiteral("糖尿病交換表");
    woman.foodGroupTable = QStringLiteral("18群");
    UserProfile man = girl();
    man.sex = 0;
    man.menstruation = 1;
    man.birthYear = man.birthMonth = man.birthDay = 0;
    man.number = 65535;
    for (const UserProfile &p : {girl(), woman, man}) {
        bool converted = true;
        EXPECT_EQ(decodeUserRecord(encodeUserRecord(p), &converted), p) << p.name.toStdString();
        EXPECT_FALSE(converted);
    }
}

TEST(UserRecord, SexCodeCarriesPregnancyAndMenstruation)
{
    const struct {
        int sex, pregnancy, menstruation;
        char code;
    } cases[] = {{0, 0, 1, '0'}, {0, 3, 0, '0'}, {1, 0, 0, '1'}, {1, 2, 0, '3'},
                 {1, 4, 0, '5'}, {1, 0, 1, '6'}, {1, 1, 1, '7'}, {1, 4, 1, ':'}};
    for (const auto &c : cases) {
        EXPECT_EQ(sexCode(c.sex, c.pregnancy, c.menstruation), c.code) << c.sex << c.pregnancy << c.menstruation;
        if (c.sex == 0)
            continue;
        UserProfile p = girl();
        p.pregnancy = c.pregnancy;
        p.menstruation = c.menstruation;
        const UserProfile back = decodeUserRecord(encodeUserRecord(p));
        EXPECT_EQ(back.pregnancy, c.pregnancy);
        EXPECT_EQ(back.menstruation, c.menstruation);
    }
}

TEST(UserRecord, OlderRecordsAreConvertedWhenRead)
{
    const struct {
        char format;
        char activity;
        char sex;
        int activityRead;
        int pregnancyRead;
        int menstruationRead;
        bool converted;
    } cases[] = {
        {' ', '3', '2', 2, 2, 0, true},   // old "2" is now "3": pregnancy class 2, menstruation
        {'1', '2', '3', 1, 4, 0, true},   // old "3" is now "5": lactation
        {'1', '1', '1', 0, 0, 0, true},
        {' ', '0', '6', 0, 0, 1, true},
        {'2', '2', '3', 2, 2, 0, false},  // a current record is read as it is
    };
    for (const auto &c : cases) {
        UserProfile p = girl();
        p.exchangeTable = QStringLiteral("旧交換表");
        p.foodGroupTable = QStringLiteral("旧群別表");
        QByteArray body = encodeUserRecord(p);
        body[72] = c.format;     // offsets: activity 71, format 72, sex 65
        body[71] = c.activity;
        body[65] = c.sex;

        bool converted = false;
        const UserProfile read = decodeUserRecord(body, &converted);
        SCOPED_TRACE((std::string{c.format, c.activity, c.sex}));
        EXPECT_EQ(converted, c.converted);
        EXPECT_EQ(read.activity, c.activityRead);
        EXPECT_EQ(read.sex, 1);
        EXPECT_EQ(read.pregnancy, c.pregnancyRead);
        EXPECT_EQ(read.menstruation, c.menstruationRead);
        EXPECT_EQ(read.exchangeTable.isEmpty(), c.converted);
        EXPECT_EQ(read.foodGroupTable.isEmpty(), c.converted);
        EXPECT_EQ(read.unitTable, p.unitTable);
        // Written again, it is a current record.
        EXPECT_EQ(encodeUserRecord(read)[72], '2');
    }
}

}  // namespace
