#pragma once

#include "dalmain/master/IntakeStandard.h"

#include <QByteArrayView>
#include <QString>

#include <array>

namespace quenkit {
class Owner;
}

// The national reference intakes (Dietary Reference Intakes for Japanese, 2010 edition) as the
// file "jk2010.dat" holds them, and the derivation of a person's IntakeStandard from them.
//
// The file is Shift-JIS text: three heading lines, 15 male age rows, a separator line, 15
// female age rows and 4 rows of additions for pregnancy classes 1-4. A row is a label, the
// upper age bound of the group in years, two numbers no calculation uses, and for each of 28
// nutrient columns the lower and upper value of activity levels 0, 1 and 2.
namespace dalmain {

constexpr int kIntakeColumns = 28;
constexpr int kIntakeLevels = 3;
constexpr int kIntakeRowValues = kIntakeColumns * kIntakeLevels * 2;   // 168
constexpr int kIntakeRowFields = 4 + kIntakeRowValues;                   // 172
constexpr int kIntakeAgeRows = 15;
constexpr int kIntakeAdditionRows = 4;
constexpr int kPregnancyClasses = 4;   // early, mid and late pregnancy, lactation

// Columns with a rule of their own.
constexpr int kIntakeEnergyColumn = 0;
constexpr int kIntakeFatColumn = 2;              // additions hold percent of energy
constexpr int kIntakeCarbohydrateColumn = 3;
constexpr int kIntakeIronColumn = 8;             // women without menstruation, and men
constexpr int kIntakeMenstruatingIronColumn = 9;
constexpr int kIntakeSaturatedFatColumn = 24;

// The NutrientVector index each column fills; the menstruating iron column fills Iron in place
// of column 8, so it has no index of its own (-1).
extern const std::array<int, kIntakeColumns> kIntakeColumnNutrient;

struct ReferenceIntakeRow {
    int upperAge = 0;
    std::array<double, 2> unused{};
    std::array<double, kIntakeRowValues> values{};

    IntakeBound at(int column, int level) const
    {
        const size_t i = static_cast<size_t>(6 * column + 2 * level);
        return {values[i], values[i + 1]};
    }
    friend bool operator==(const ReferenceIntakeRow &, const ReferenceIntakeRow &) = default;
};

struct ReferenceIntakeTables {
    std::array<ReferenceIntakeRow, kIntakeAgeRows> male{};
    // 15 age rows, then the additions of pregnancy classes 1-4.
    std::array<ReferenceIntakeRow, kIntakeAgeRows + kIntakeAdditionRows> female{};

    // The first age row of the sex (0 male, 1 female) whose upper bound is at least age; the
    // last age row for anyone older than every bound.
    const ReferenceIntakeRow &ageRow(int sex, int age) const;
    // The additions of pregnancy class 1-4.
    const ReferenceIntakeRow &additionRow(int pregnancyClass) const
    {
        return female[static_cast<size_t>(kIntakeAgeRows + pregnancyClass - 1)];
    }
};

inline const QString kReferenceIntakeFile = QStringLiteral("jk2010.dat");
inline const QString kIntakeLoadCaption = QStringLiteral("確認");
inline const QString kIntakeUnreadableMessage =
    QStringLiteral("日本人の食事摂取基準2010年版の読込に失敗しました。");
inline const QString kIntakeDamagedMessage =
    QStringLiteral("日本人の食事摂取基準2010年版の読込に失敗しました。\nファイルが破損している可能性があります。");

// Reads the rows of the file's text into tables, row by row; rows the text does not reach
// keep what they held. true when both tables are complete.
bool parseReferenceIntakes(QByteArrayView text, ReferenceIntakeTables &tables);

// What makes a text no reference intakes file, for a message; empty when it is sound. Sound
// means: the 38 lines (nothing but blank lines after them), each row with its 172 fields (empty
// ones behind them allowed), every field after the label a number or empty, the age bound a
// whole number of 0-150, and the 15 age rows of each table in ascending order of their bounds.
// The reading rule alone (parseReferenceIntakes) takes the leading number of any field, so a
// file of random bytes would read as a table of zeros.
QString referenceIntakeProblem(QByteArrayView text);

enum class IntakeLoad { Loaded, Unreadable, Damaged };

// Loads "jk2010.dat" from the data folder into tables, which are cleared first. When the file
// is missing there, the installed copy is taken from the system data folder (DataDir) first.
// Unreadable and Damaged (a file that ends early or is not sound, see referenceIntakeProblem)
// are told to owner with their messages; the tables then hold the rows that were read and zeros
// for the rest, and the program runs on with them.
IntakeLoad LoadReferenceIntakes(quenkit::Owner *owner, ReferenceIntakeTables &tables);

// The tables of this run: loaded once at start and kept until the end.
ReferenceIntakeTables &referenceIntakes();

// What the derivation needs to know of a person.
struct IntakeSubject {
    int age = 0;            // whole years
    int sex = 0;            // 0 male, 1 female
    int pregnancy = 0;      // 0 none, 1-4 the classes of the addition rows
    int menstruation = 1;   // 0 with, 1 without
    int activity = 1;       // 0 low, 1 normal, 2 high
    bool national = true;   // false: the user-defined standard named standardName
    QString standardName;
};

// Fills standard for subject; every bound is cleared first. A user-defined standard is copied
// from its record in the standards table. The national one comes from the subject's age row at
// the subject's activity level; a woman with menstruation takes the iron of the menstruating
// column. A pregnancy class adds its row to the energy and to every other column but one rule:
// the goals that are a share of energy keep the age row's share, applied to the increased
// energy and rounded half up to the nutrient's display decimals, before the addition is added;
// fat, when the addition row states a fat goal of its own in percent of energy, takes that
// percentage of the increased energy instead, rounded to 5 g. 1; 0 when the user-defined
// standard no longer exists: owner is told and every bound stays 0.
int DeriveIntakeStandard(quenkit::Owner *owner, const ReferenceIntakeTables &tables,
                         const IntakeSubject &subject, IntakeStandard &standard);

}  // namespace dalmain
