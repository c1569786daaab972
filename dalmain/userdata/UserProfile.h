#pragma once

#include "dalmain/master/ReferenceIntakeStandards.h"
#include "dalmain/master/ReferenceIntakes.h"

#include "quenkit/dbf/DbfFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// One person of the household as the user table "ﾕｰｻﾞ情報.DBF" keeps it: one record per person,
// keyed by the name. The person's number names every file of that person.
namespace dalmain {

inline const QString kUserTable = QStringLiteral("ﾕｰｻﾞ情報.DBF");

// Field widths of a user record, in record order.
namespace userrecord {
constexpr int NumberWidth = 5;
constexpr int ReadingWidth = 20;
constexpr int NameWidth = 30;
constexpr int AgeWidth = 2;
constexpr int BirthYearWidth = 4;
constexpr int BirthMonthWidth = 2;
constexpr int BirthDayWidth = 2;
constexpr int SexWidth = 1;
constexpr int HeightWidth = 5;
constexpr int ActivityWidth = 1;
constexpr int FormatWidth = 1;
constexpr int StandardKindWidth = 3;
constexpr int StandardNameWidth = 40;
constexpr int TableNameWidth = 30;
constexpr int DateWidth = 8;
constexpr int BodyLength = 260;

// Records this system writes carry "2"; "1" or a blank marks a record of the older layout of
// activity and sex codes, converted when it is read.
constexpr char CurrentFormat = '2';
}  // namespace userrecord

struct UserProfile {
    unsigned number = 0;
    QString reading;              // half-width katakana
    QString name;
    int age = 0;
    int birthYear = 0;            // the three are 0 when no birthday is known
    int birthMonth = 0;
    int birthDay = 0;
    int sex = 0;                  // 0 male, 1 female
    int pregnancy = 0;            // 0 none, 1-3 pregnancy early, mid, late, 4 lactation
    int menstruation = 1;         // 0 with, 1 without
    QString height;               // centimetres, as entered
    int activity = 1;             // 0 low, 1 normal, 2 high
    QByteArray standardKind = kNationalStandardKind;
    QString standardName;         // heading of the user-defined standard
    QString exchangeTable;
    QString foodGroupTable;
    QString unitTable;
    QString intakeTable;
    QByteArray firstDate;         // "YYYYMMDD", the day the user was created
    QByteArray reserved;          // 8 bytes kept as they were read
    QByteArray secondDate;        // "YYYYMMDD", the day the user was created

    bool hasBirthDate() const { return birthYear != 0; }
    bool nationalStandard() const { return standardKind.trimmed() == "1"; }
    IntakeSubject intakeSubject() const;

    friend bool operator==(const UserProfile &, const UserProfile &) = default;
};

// The one-character code of sex and reproductive state: "0" for a man; for a woman "1" plus the
// pregnancy class with menstruation, "6" plus the class without.
char sexCode(int sex, int pregnancy, int menstruation);

// The record body (BodyLength bytes) of a profile, texts blank-padded, with the current format
// mark.
QByteArray encodeUserRecord(const UserProfile &profile);

// The profile of a record body. A record of the older layout is converted: activity "3" becomes
// 2, "2" becomes 1, anything else 0; sex code "2" becomes "3" and "3" becomes "5"; the exchange
// and food-group table names are cleared. *converted tells whether that happened.
UserProfile decodeUserRecord(QByteArrayView body, bool *converted = nullptr);

// The fields of the user table, and the Shift-JIS names of its key field "氏名" and of the
// reading "フリガナ".
QList<quenkit::DbfFieldDescriptor> userTableFields();
QByteArray userKeyField();
QByteArray userReadingField();

// Today as the record stores dates: "YYYYMMDD".
QByteArray recordDateToday();

}  // namespace dalmain
