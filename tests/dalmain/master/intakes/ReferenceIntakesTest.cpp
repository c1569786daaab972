// Reading "jk2010.dat" and deriving a person's reference values from it.

#include "IntakeFixtures.h"

#include "support/TestSupport.h"

#include "quenkit/owner/ScriptedOwner.h"
#include "quenkit/registry/SettingsStore.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace dalmain;
using namespace intakefixtures;

// ---- reading the file ----

class IntakeFileTest : public ::testing::TestWithParam<const char *>
{
};

TEST_P(IntakeFileTest, EveryRowReadsBackAsWritten)
{
    const ReferenceIntakeTables written = distinctTables();
    ReferenceIntakeTables read;
    ASSERT_TRUE(parseReferenceIntakes(fileText(written, GetParam()), read));
    EXPECT_EQ(read.male, written.male);
    EXPECT_EQ(read.female, written.female);
}

INSTANTIATE_TEST_SUITE_P(LineEnds, IntakeFileTest, ::testing::Values("\r\n", "\n"));

TEST(IntakeFile, FieldsAreSplitAtCommasWithQuotesDroppedAndNumbersReadByTheirPrefix)
{
    ReferenceIntakeTables t = distinctTables();
    QByteArray text = fileText(t);
    // The first male row becomes: a quoted label holding a comma (which still splits it), a
    // quoted number, an empty field, numbers followed by text, an exponent, a sign, no digits;
    // the row then ends early.
    text.replace(rowLine(t.male[0], "male"), "\"male, young\",\"49\",,1.5kg,12abc,2.5e2,+7,-,x");

    ReferenceIntakeTables read;
    ASSERT_TRUE(parseReferenceIntakes(text, read));
    const ReferenceIntakeRow &row = read.male[0];
    EXPECT_EQ(row.upperAge, 0);                 // " young"
    EXPECT_EQ(row.unused[0], 49);
    EXPECT_EQ(row.unused[1], 0);                // empty
    const double expected[] = {1.5, 12, 250, 7, 0, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(row.values[i], expected[i]) << i;
    for (int i = 6; i < kIntakeRowValues; ++i)
        ASSERT_EQ(row.values[i], 0) << i;       // fields the line does not have
    EXPECT_EQ(read.male[1], t.male[1]);
}

TEST(IntakeFile, AnOverlongLineGivesAZeroRowAndTheRowsBehindItStayInPlace)
{
    ReferenceIntakeTables t = distinctTables();
    QByteArray text = fileText(t);
    const QByteArray third = rowLine(t.male[2], "male");
    text.replace(third, third + ',' + QByteArray(10001 - third.size(), '0'));

    ReferenceIntakeTables read;
    ASSERT_TRUE(parseReferenceIntakes(text, read));
    EXPECT_EQ(read.male[2], ReferenceIntakeRow{});
    EXPECT_EQ(read.male[1], t.male[1]);
    EXPECT_EQ(read.male[3], t.male[3]);
    EXPECT_EQ(read.female, t.female);
}

// The size of the shipped file: random bytes of it stand for a file overwritten by garbage.
constexpr int kShippedFileSize = 18929;

QByteArray randomBytes(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    for (char &c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return bytes;
}

// A sound file with one line replaced (line numbers from 1).
QByteArray withLine(int number, const QByteArray &line)
{
    QList<QByteArray> lines = fileText(distinctTables(), "\n").split('\n');
    lines[number - 1] = line;
    return lines.join('\n');
}

TEST(IntakeFile, WhatASoundFileMayHold)
{
    const ReferenceIntakeTables t = distinctTables();
    QByteArray quoted = rowLine(t.male[0], "male");
    quoted.replace(",0,", ",\"0\",");
    QByteArray emptyValue = rowLine(t.male[1], "male");
    emptyValue.replace("," + QByteArray::number(t.male[1].values[5], 'g', 17) + ",", ",,");
    const struct {
        const char *what;
        QByteArray text;
    } cases[] = {
        {"CR LF line ends", fileText(t)},
        {"LF line ends", fileText(t, "\n")},
        {"blank lines after the last row", fileText(t) + "\r\n\r\n"},
        {"a quoted number", withLine(4, quoted)},
        {"an empty value", withLine(5, emptyValue)},
        {"empty fields behind a row", withLine(6, rowLine(t.male[2], "male") + ",,")},
        {"blanks around numbers", withLine(7, rowLine(t.male[3], "male").replace(",", " , "))},
    };
    for (const auto &c : cases)
        EXPECT_EQ(referenceIntakeProblem(c.text), QString()) << c.what;
}

TEST(IntakeFile, DamageIsFoundInTheLinesFieldsNumbersAndAgeOrder)
{
    const ReferenceIntakeTables t = distinctTables();
    const QByteArray sound = fileText(t, "\n");
    const QByteArray random = randomBytes(kShippedFileSize, 2010);
    QByteArray lastFieldMissing = rowLine(t.male[4], "male");
    lastFieldMissing.truncate(lastFieldMissing.lastIndexOf(','));
    QByteArray notANumber = rowLine(t.female[2], "female");
    notANumber.replace("," + QByteArray::number(t.female[2].values[0], 'g', 17) + ",", ",12abc,");
    ReferenceIntakeRow older = t.male[5];
    older.upperAge = 1;   // below the 2 of the row before it
    const QByteArray fractionAge = rowLine(t.male[5], "male").replace(",5,", ",5.5,");
    const struct {
        const char *what;
        QByteArray text;
        const char *problem;   // a part of the reason
    } cases[] = {
        {"random bytes", random, ""},
        {"a row without its last field", withLine(8, lastFieldMissing), "line 8: 171 fields of 172"},
        {"a value that is no number", withLine(22, notANumber), "line 22: field 4 is not a number"},
        {"an age bound with a fraction", withLine(9, fractionAge), "line 9: field 1 is not a number"},
        {"an age bound past any age", withLine(9, rowLine(t.male[5], "male").replace(",5,", ",500,")), "upper age 500"},
        {"age rows out of order", withLine(9, rowLine(older, "male")), "male age rows do not ascend at row 6"},
        {"a row beyond the tables", sound + rowLine(t.female[18], "female") + "\n", "text after line 38"},
        {"an overlong line", withLine(10, rowLine(t.male[6], "male") + "," + QByteArray(10000, '0')), "line 10"},
        {"a file that ends early", sound.left(sound.lastIndexOf("female")), "ends after 37 of 38 lines"},
    };
    for (const auto &c : cases) {
        const QString problem = referenceIntakeProblem(c.text);
        EXPECT_FALSE(problem.isEmpty()) << c.what;
        EXPECT_TRUE(problem.contains(QLatin1String(c.problem))) << c.what << ": " << problem.toStdString();
    }
}

class IntakeLoadTest : public ::testing::Test
{
protected:
    testsupport::TempFolders folders;
    quenkit::ScriptedOwner owner;
    ReferenceIntakeTables tables;
};

TEST_F(IntakeLoadTest, AFileThatEndsBeforeItsLastLineIsReportedDamagedAndKeepsWhatWasRead)
{
    const ReferenceIntakeTables full = distinctTables();
    QList<QByteArray> lines = fileText(full).split('\n');
    lines.removeLast();   // behind the last line end
    ASSERT_EQ(lines.size(), 38);
    lines.removeLast();   // the file now ends after line 37
    ASSERT_TRUE(testsupport::writeFile(folders.dataFile("jk2010.dat"), lines.join('\n') + '\n'));

    EXPECT_EQ(LoadReferenceIntakes(&owner, tables), IntakeLoad::Damaged);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].text,
              QStringLiteral("日本人の食事摂取基準2010年版の読込に失敗しました。\nファイルが破損している可能性があります。"));
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(owner.messages()[0].icon, quenkit::Icon::Warning);
    EXPECT_EQ(tables.male, full.male);
    EXPECT_EQ(tables.female[17], full.female[17]);
    EXPECT_EQ(tables.female[18], ReferenceIntakeRow{});
}

TEST_F(IntakeLoadTest, AFileOfRandomBytesIsReportedDamaged)
{
    const QByteArray random = randomBytes(kShippedFileSize, 7);
    ASSERT_TRUE(testsupport::writeFile(folders.dataFile("jk2010.dat"), random));
    EXPECT_EQ(LoadReferenceIntakes(&owner, tables), IntakeLoad::Damaged);
    EXPECT_EQ(owner.texts(), QStringList{kIntakeDamagedMessage});
}

TEST_F(IntakeLoadTest, AMissingFileIsCopiedFromTheSystemDataFolder)
{
    const QString system = folders.root() + QStringLiteral("/system/");
    QDir().mkpath(system);
    const QByteArray text = fileText(distinctTables());
    ASSERT_TRUE(testsupport::writeFile(system + QStringLiteral("jk2010.dat"), text));
    quenkit::SetUserRegistryString(QStringLiteral("DataDir"), system);

    EXPECT_EQ(LoadReferenceIntakes(&owner, tables), IntakeLoad::Loaded);
    EXPECT_TRUE(owner.messages().isEmpty());
    EXPECT_EQ(tables.female, distinctTables().female);
    EXPECT_EQ(testsupport::readFile(folders.dataFile("jk2010.dat")), text);
}

TEST_F(IntakeLoadTest, AFileMissingEverywhereIsReportedAndLeavesZeros)
{
    tables = distinctTables();   // what a previous load left must not survive
    EXPECT_EQ(LoadReferenceIntakes(&owner, tables), IntakeLoad::Unreadable);
    ASSERT_EQ(owner.texts(), QStringList{QStringLiteral("日本人の食事摂取基準2010年版の読込に失敗しました。")});
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(owner.messages()[0].icon, quenkit::Icon::Warning);
    EXPECT_EQ(tables.male[12], ReferenceIntakeRow{});
}

// ---- deriving the reference values ----

class DerivationTest : public ::testing::Test
{
protected:
    IntakeStandard derive(const IntakeSubject &subject)
    {
        IntakeStandard standard;
        // A block used before: the derivation must not keep any of it.
        for (IntakeBound &b : standard.bounds)
            b = {7777, 8888};
        standard.leading = 5;
        EXPECT_EQ(DeriveIntakeStandard(&owner, tables, subject, standard), 1);
        EXPECT_TRUE(owner.messages().isEmpty());
        EXPECT_EQ(standard.leading, 0);
        return standard;
    }

    static IntakeSubject woman30(int menstruation, int pregnancy = 0)
    {
        IntakeSubject s;
        s.age = 30;
        s.sex = 1;
        s.activity = 1;
        s.menstruation = menstruation;
        s.pregnancy = pregnancy;
        return s;
    }

    // Every nutrient the file fills holds the row's pair of level, iron from ironColumn; every
    // other nutrient has no bound.
    static void expectRow(const IntakeStandard &standard, const ReferenceIntakeRow &row, int level, int ironColumn)
    {
        std::array<bool, kNutrientCount> filled{};
        for (int k = 0; k < kIntakeColumns; ++k) {
            if (k == kIntakeMenstruatingIronColumn)
                continue;
            const int n = kIntakeColumnNutrient[k];
            filled[n] = true;
            const int column = n == Iron ? ironColumn : k;
            EXPECT_EQ(standard[n], row.at(column, level)) << "nutrient " << n;
        }
        for (int n = 0; n < kNutrientCount; ++n) {
            if (!filled[n]) {
                EXPECT_EQ(standard[n], IntakeBound{}) << "nutrient " << n;
            }
        }
    }

    ReferenceIntakeTables tables = distinctTables();
    quenkit::ScriptedOwner owner;
};

TEST_F(DerivationTest, WomanOf30WithoutMenstruationTakesHerAgeRowAtHerLevel)
{
    expectRow(derive(woman30(1)), tables.female[12], 1, kIntakeIronColumn);
}

TEST_F(DerivationTest, WomanOf30WithMenstruationTakesTheMenstruatingIron)
{
    expectRow(derive(woman30(0)), tables.female[12], 1, kIntakeMenstruatingIronColumn);
}

TEST_F(DerivationTest, PregnancyAddsItsRowAndTakesAStatedFatGoalOfTheIncreasedEnergy)
{
    // Energy 2000 kcal + 250 kcal; fat 25 % and 29 % of 2250 kcal are 62.5 g and 72.5 g, which
    // round (half up, in steps of 5 g) to 65 g and 75 g.
    ReferenceIntakeRow &row = tables.female[12];
    ReferenceIntakeRow &addition = tables.female[kIntakeAgeRows + 1];   // class 2
    row.values[6 * kIntakeEnergyColumn + 2] = row.values[6 * kIntakeEnergyColumn + 3] = 2000;
    addition.values[6 * kIntakeEnergyColumn + 2] = addition.values[6 * kIntakeEnergyColumn + 3] = 250;
    addition.values[6 * kIntakeFatColumn + 2] = 25;
    addition.values[6 * kIntakeFatColumn + 3] = 29;

    for (int menstruation : {1, 0}) {
        SCOPED_TRACE(menstruation);
        owner.clear();
        const IntakeStandard standard = derive(woman30(menstruation, 2));
        EXPECT_EQ(standard[EnergyKcal], (IntakeBound{2250, 2250}));
        EXPECT_EQ(standard[Fat], (IntakeBound{65, 75}));
        for (int k = 0; k < kIntakeColumns; ++k) {
            const int n = kIntakeColumnNutrient[k];
            // Carbohydrate and saturated fatty acids follow the energy as well (next test).
            if (k == kIntakeMenstruatingIronColumn || k == kIntakeFatColumn || k == kIntakeCarbohydrateColumn
                || k == kIntakeSaturatedFatColumn)
                continue;
            IntakeBound expected{row.at(k, 1).lower + addition.at(k, 1).lower,
                                 row.at(k, 1).upper + addition.at(k, 1).upper};
            if (n == Iron && menstruation == 0)
                expected = row.at(kIntakeMenstruatingIronColumn, 1);   // without the addition
            EXPECT_EQ(standard[n], expected) << "column " << k;
        }
    }
}

// The age row holds the goals that are a share of energy in grams at its energy; pregnancy
// keeps the share and applies it to the increased energy, rounded half up to the display
// decimals (one for fat and carbohydrate, two for saturated fatty acids).
TEST_F(DerivationTest, PregnancyKeepsTheAgeGroupsShareOfEnergyOnTheIncreasedEnergy)
{
    const struct {
        const char *what;
        int column;
        double ageEnergy, addedEnergy;
        IntakeBound row, addition, expected;
    } cases[] = {
        // 20-25 % of 2000 kcal, stored as 44.4 and 55.6 g. 55.6 g would scale to 62.55 g; the
        // share it stands for is 25 %, which of 2250 kcal is 62.5 g.
        {"fat, mid pregnancy", kIntakeFatColumn, 2000, 250, {44.4, 55.6}, {0, 0}, {50.0, 62.5}},
        {"fat, lactation", kIntakeFatColumn, 2000, 350, {44.4, 55.6}, {0, 0}, {52.2, 65.3}},
        {"carbohydrate, 281.25 and 393.75 g round up", kIntakeCarbohydrateColumn, 2000, 250, {250, 350}, {0, 0},
         {281.3, 393.8}},
        {"carbohydrate, an addition in grams is still added", kIntakeCarbohydrateColumn, 2000, 250, {250, 350},
         {10, 20}, {291.3, 413.8}},
        {"saturated fat, two decimals", kIntakeSaturatedFatColumn, 2000, 250, {10, 15.56}, {0, 0}, {11.25, 17.5}},
        {"saturated fat, lactation", kIntakeSaturatedFatColumn, 2000, 350, {10, 15.56}, {0, 0}, {11.75, 18.28}},
        {"a goal without a lower bound keeps none", kIntakeSaturatedFatColumn, 2000, 250, {0, 15.56}, {0, 0},
         {0, 17.5}},
        {"an age row without energy cannot be converted", kIntakeFatColumn, 0, 250, {44.4, 55.6}, {0, 0},
         {44.4, 55.6}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        tables = distinctTables();
        ReferenceIntakeRow &row = tables.female[12];
        ReferenceIntakeRow &addition = tables.female[kIntakeAgeRows + 1];   // class 2
        auto set = [](ReferenceIntakeRow &r, int column, IntakeBound b) {
            r.values[static_cast<size_t>(6 * column + 2)] = b.lower;   // level 1
            r.values[static_cast<size_t>(6 * column + 3)] = b.upper;
        };
        set(row, kIntakeEnergyColumn, {c.ageEnergy, c.ageEnergy});
        set(addition, kIntakeEnergyColumn, {c.addedEnergy, c.addedEnergy});
        set(row, c.column, c.row);
        set(addition, c.column, c.addition);

        const IntakeStandard standard = derive(woman30(1, 2));
        const IntakeBound got = standard[kIntakeColumnNutrient[c.column]];
        EXPECT_DOUBLE_EQ(got.lower, c.expected.lower);
        EXPECT_DOUBLE_EQ(got.upper, c.expected.upper);
        EXPECT_EQ(standard[EnergyKcal].lower, c.ageEnergy + c.addedEnergy);
    }
}

TEST_F(DerivationTest, EachPregnancyClassTakesItsOwnAdditionRow)
{
    for (int p = 1; p <= kPregnancyClasses; ++p) {
        const IntakeStandard standard = derive(woman30(1, p));
        const ReferenceIntakeRow &addition = tables.female[kIntakeAgeRows + p - 1];
        EXPECT_EQ(standard[Protein].lower, tables.female[12].at(1, 1).lower + addition.at(1, 1).lower) << p;
    }
}

TEST_F(DerivationTest, AManIgnoresPregnancyAndMenstruation)
{
    IntakeSubject man = woman30(0, 2);
    man.sex = 0;
    expectRow(derive(man), tables.male[12], 1, kIntakeIronColumn);
}

struct AgeCase {
    int sex;
    int age;
    int level;
    int row;
};

class AgeRowTest : public DerivationTest, public ::testing::WithParamInterface<AgeCase>
{
};

TEST_P(AgeRowTest, TheFirstRowWhoseUpperBoundReachesTheAge)
{
    const AgeCase c = GetParam();
    IntakeSubject s;
    s.sex = c.sex;
    s.age = c.age;
    s.activity = c.level;
    const auto &rows = c.sex == 1 ? tables.female.data() : tables.male.data();
    expectRow(derive(s), rows[c.row], c.level, kIntakeIronColumn);
}

INSTANTIATE_TEST_SUITE_P(Bounds, AgeRowTest,
                         ::testing::Values(AgeCase{0, 1, 1, 4}, AgeCase{0, 2, 2, 4}, AgeCase{0, 3, 2, 5},
                                           AgeCase{0, 49, 0, 12}, AgeCase{0, 50, 0, 13},
                                           AgeCase{0, 69, 2, 13}, AgeCase{0, 70, 2, 14},
                                           AgeCase{0, 99, 1, 14}, AgeCase{1, 29, 1, 11},
                                           AgeCase{1, 30, 1, 12}));

TEST_F(DerivationTest, AnAgePastEveryBoundTakesTheLastRow)
{
    tables.male[14].upperAge = 80;
    IntakeSubject s;
    s.age = 85;
    expectRow(derive(s), tables.male[14], 1, kIntakeIronColumn);
}

}  // namespace
