#pragma once

#include "quenkit/dbf/DbfFormat.h"

#include <QList>
#include <QString>

// The empty tables that a new user's weight log ("W%u.DBF") and exercise log ("S%u.DBF") are
// copied from, and what the first weight record of a new user looks like.
namespace dalmain {

inline const QString kWeightTemplate = QStringLiteral("体重.DBF");
inline const QString kExerciseTemplate = QStringLiteral("運動.DBF");

// Weight log: "記録日付" (date key, 8), "体重" (kg, "%5.1lf"), "体脂肪率" (percent, "%4.1lf",
// 0.0 when not measured).
QList<quenkit::DbfFieldDescriptor> weightLogFields();
QByteArray weightLogKeyField();

// Exercise log: "日付" (date key, 8) and 30 entry slots of 74 bytes ("運動01" ... "運動30").
QList<quenkit::DbfFieldDescriptor> exerciseLogFields();

constexpr int kExerciseSlots = 30;
constexpr int kExerciseSlotWidth = 74;

// The body of a weight record: the date as "YYYYMMDD", the weight with "%5.1lf" and the body
// fat with "%4.1lf".
QByteArray weightRecordBody(int year, int month, int day, double kg, double bodyFat = 0.0);

}  // namespace dalmain
