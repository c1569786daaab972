#pragma once

#include "quenkit/dbf/DbfFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// The exercise item table "RMR.DBF": one record per kind of activity, its number, its name and
// its activity intensity Af, a multiple of the basal metabolic rate. Every value is decimal
// text in a character field.
namespace dalmain {

inline const QString kExerciseItemTable = QStringLiteral("RMR.DBF");

namespace exerciseitem {
constexpr int NumberWidth = 5;
constexpr int NameWidth = 60;
constexpr int AfWidth = 5;
constexpr int BodyLength = NumberWidth + NameWidth + AfWidth;
}  // namespace exerciseitem

// Numbers 1 ... 65534 name items; 65535 stands for the day's basal metabolism in the logs and
// has no row here.
constexpr unsigned kMaxExerciseItemNumber = 65534;
constexpr unsigned kBasalEntryItem = 65535;
// The table never holds more items than this.
constexpr int kMaxExerciseItems = 30000;

// The Af that marks a sleep item in the shipped table, and the factor sleep uses in place of
// any Af.
constexpr double kSleepAf = 999.9;
constexpr double kSleepFactor = 0.9;

struct ExerciseItem {
    unsigned number = 0;
    QByteArray name;    // Shift-JIS, blanks removed at the end
    double af = 0.0;    // 0.0: no intensity, the energy is entered by hand
    QByteArray afText;  // the intensity field as stored (5 characters)

    QString displayName() const;
};

// Whether an activity is sleep: its name begins with "睡眠" or its Af is the sleep mark 999.9.
// Every formula asks this one question, so a day and the same day inside a period agree.
bool isSleepItem(QByteArrayView sjisName, double af);
bool isSleepItem(const ExerciseItem &item);

// The multiple of the basal rate that an activity's energy uses: 0.9 for sleep, else its Af.
double energyFactor(QByteArrayView sjisName, double af);
double energyFactor(const ExerciseItem &item);

// Whether energy can be computed from minutes: sleep, or an Af above 0.
bool hasIntensity(const ExerciseItem &item);

// "%5.1f", the form the intensity field and the log store Af in.
QByteArray afFieldText(double af);

// The record body (BodyLength bytes): "%5u" number, blank-padded name, "%5.1f" Af.
QByteArray encodeExerciseItem(const ExerciseItem &item);
ExerciseItem decodeExerciseItem(QByteArrayView body);

// The fields of the table: "運動番号" (5), "運動種目" (60), "動作強度" (5).
QList<quenkit::DbfFieldDescriptor> exerciseItemFields();
QByteArray exerciseItemNumberField();

// Every live item in table order; empty when the table cannot be read.
QList<ExerciseItem> readExerciseItems();

// The item of this number, if the table has one.
std::optional<ExerciseItem> findExerciseItem(unsigned number);

// The items whose name contains keyword (also in its half-width or full-width spelling); every
// item for an empty keyword.
QList<ExerciseItem> searchExerciseItems(const QString &keyword);

}  // namespace dalmain
