#pragma once

#include "quenkit/dbf/DbfFormat.h"

#include <QList>
#include <QString>

#include <array>

// The basal metabolism table "基礎代謝.DBF": the basal metabolism standard value (kcal per kg of
// body weight per day) of each age class, ten rows for men and ten for women in that order.
namespace dalmain {

inline const QString kBasalTable = QStringLiteral("基礎代謝.DBF");

constexpr int kAgeClasses = 10;
constexpr int kBasalRows = 2 * kAgeClasses;

namespace basalrecord {
constexpr int SexWidth = 1;
constexpr int AgeWidth = 3;
constexpr int WeightWidth = 5;     // reference body weight, kg
constexpr int AmountWidth = 4;     // reference basal metabolism, kcal per day
constexpr int StandardWidth = 4;   // kcal per kg per day
constexpr int BodyLength = SexWidth + AgeWidth + WeightWidth + AmountWidth + StandardWidth;
}  // namespace basalrecord

struct BasalStandardRow {
    int sex = 0;                // 0 men, 1 women
    int age = 0;                // lower bound of the class
    double referenceWeight = 0; // read, used by no formula
    double referenceAmount = 0; // read, used by no formula
    double standard = 0;        // kcal / kg / day

    bool operator==(const BasalStandardRow &) const = default;
};

using BasalStandardTable = std::array<BasalStandardRow, kBasalRows>;

// The age class of an age in whole years: under 3, 3-5, 6-8, 9-11, 12-14, 15-17, 18-29,
// 30-49, 50-69, 70 and over give 0 ... 9.
int ageClass(int age);

// The row of an age and sex: the age class, plus 10 for a woman (sex 1; any other value is a
// man's row).
int basalRowIndex(int age, int sex);

// Fills table with records 0-19 of the table. A row whose record cannot be read keeps what it
// held, so a missing table leaves zeros and the formulas give 0.05 kcal rather than fail.
void LoadBasalStandardTable(BasalStandardTable &table);

// The row of one record of the table as it is on disk now; none when it cannot be read.
bool readBasalRow(int record, BasalStandardRow &row);

// The standard value of the row for age and sex.
double StandardBasalRate(const BasalStandardTable &table, int age, int sex);

// The fields of the table: "性別" (1), "年齢" (3), "基準体重" (5), "基礎代謝量" (4), "基準値" (4).
QList<quenkit::DbfFieldDescriptor> basalTableFields();

}  // namespace dalmain
