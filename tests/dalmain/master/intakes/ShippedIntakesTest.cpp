// The shipped "jk2010.dat" against the public DRI 2010 values it is generated from.

#include "support/TestSupport.h"

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/master/ReferenceIntakeDisplay.h"
#include "dalmain/master/ReferenceIntakes.h"

#include "quenkit/owner/ScriptedOwner.h"
#include "quenkit/text/ShiftJis.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

namespace {

using namespace dalmain;

const QString kShippedFile = QStringLiteral(DALMORA_SOURCE_DIR "/data/master/jk2010.dat");
const QString kSharedData = QStringLiteral(DALMORA_SHARED_DATA_DIR);

// The published values of the compilation and of its additions: (nutrient, sex, age group,
// kind, bound, activity level) -> value.
class Dri2010
{
public:
    Dri2010()
    {
        for (const char *name : {"/dri2010/dri2010.csv", "/dri2010/additions.csv"}) {
            QFile f(kSharedData + QLatin1String(name));
            if (!f.open(QIODevice::ReadOnly)) {
                m_values.clear();
                return;
            }
            f.readLine();   // column names
            while (!f.atEnd()) {
                const QList<QByteArray> c = f.readLine().split(',');
                if (c.size() >= 7)
                    m_values[{c[0], c[1], c[2], c[3], c[4], c[5]}] = c[6].toDouble();
            }
        }
    }

    bool loaded() const { return !m_values.empty(); }

    double operator()(const char *nutrient, const char *sex, const char *group, const char *kind,
                      const char *bound = "point", const char *level = "") const
    {
        const std::optional<double> v = find(nutrient, sex, group, kind, bound, level);
        EXPECT_TRUE(v) << nutrient << " " << sex << " " << group << " " << kind;
        return v.value_or(-1);
    }

    // The value, or nothing when none is published. A kind without activity levels (a child's
    // energy, every goal) is found at any level.
    std::optional<double> find(const QByteArray &nutrient, const QByteArray &sex, const QByteArray &group,
                               const QByteArray &kind, const QByteArray &bound = "point",
                               const QByteArray &level = "") const
    {
        for (const QByteArray &l : {level, QByteArray()}) {
            const auto it = m_values.find({nutrient, sex, group, kind, bound, l});
            if (it != m_values.end())
                return it->second;
        }
        return std::nullopt;
    }

private:
    std::map<std::tuple<QByteArray, QByteArray, QByteArray, QByteArray, QByteArray, QByteArray>, double> m_values;
};

class ShippedIntakesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(kShippedFile, folders.dataFile(QStringLiteral("jk2010.dat"))));
        ASSERT_EQ(LoadReferenceIntakes(&owner, tables), IntakeLoad::Loaded);
        ASSERT_TRUE(owner.messages().isEmpty());
        ASSERT_TRUE(dri.loaded()) << "public data missing under " << kSharedData.toStdString();
    }

    static IntakeSubject person(int sex, int age, int activity, int menstruation = 1, int pregnancy = 0)
    {
        IntakeSubject s;
        s.sex = sex;
        s.age = age;
        s.activity = activity;
        s.menstruation = menstruation;
        s.pregnancy = pregnancy;
        return s;
    }

    IntakeStandard derive(const IntakeSubject &s)
    {
        IntakeStandard standard;
        EXPECT_EQ(DeriveIntakeStandard(&owner, tables, s, standard), 1);
        return standard;
    }

    testsupport::TempFolders folders;
    quenkit::ScriptedOwner owner;
    ReferenceIntakeTables tables;
    Dri2010 dri;
};

TEST_F(ShippedIntakesTest, TheFileHasItsLinesAndFieldsAndItsLastRowsCoverEveryAdmittedAge)
{
    const QList<QByteArray> lines = testsupport::readFile(kShippedFile).split('\n');
    ASSERT_EQ(lines.size(), 39);   // 38 lines and nothing behind the last line end
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 3; i < 38; ++i) {
        if (i != 18) {
            EXPECT_EQ(lines[i].split(',').size(), kIntakeRowFields) << "line " << i + 1;
        }
    }
    EXPECT_EQ(tables.male[kIntakeAgeRows - 1].upperAge, 99);
    EXPECT_EQ(tables.female[kIntakeAgeRows - 1].upperAge, 99);
    for (int i = 1; i < kIntakeAgeRows; ++i)
        EXPECT_LE(tables.male[i - 1].upperAge, tables.male[i].upperAge);
}

TEST_F(ShippedIntakesTest, ValuesMatchThePublishedOnes)
{
    const struct {
        const char *what;
        IntakeSubject subject;
        int nutrient;
        bool upper;
        std::function<double()> published;
    } cases[] = {
        {"energy, woman 30-49, level II", person(1, 30, 1), EnergyKcal, false,
         [&] { return dri("energy", "female", "30-49", "EER", "point", "II"); }},
        {"energy, man 18-29, level III", person(0, 18, 2), EnergyKcal, true,
         [&] { return dri("energy", "male", "18-29", "EER", "point", "III"); }},
        {"protein, woman 30-49", person(1, 45, 1), Protein, false,
         [&] { return dri("protein", "female", "30-49", "RDA"); }},
        {"calcium limit, man 30-49", person(0, 40, 0), Calcium, true,
         [&] { return dri("calcium", "male", "30-49", "UL"); }},
        {"iron, woman 30-49 without menstruation", person(1, 30, 1), Iron, false,
         [&] { return dri("iron", "female", "30-49", "RDA"); }},
        {"iron, woman 30-49 with menstruation", person(1, 30, 1, 0), Iron, false,
         [&] { return dri("iron_menstruating", "female", "30-49", "RDA"); }},
        {"vitamin D limit, woman 70+", person(1, 75, 0), VitaminD, true,
         [&] { return dri("vitamin_d", "female", "70+", "UL"); }},
        {"salt goal, woman 30-49", person(1, 30, 1), SaltEquivalent, true,
         [&] { return dri("salt", "female", "30-49", "DG", "upper"); }},
        {"fibre goal, man 18-29", person(0, 20, 1), TotalFiber, false,
         [&] { return dri("fibre", "male", "18-29", "DG", "lower"); }},
        {"fat goal in grams, woman 30-49, level II", person(1, 30, 1), Fat, true,
         [&] {
             const double grams = dri("energy", "female", "30-49", "EER", "point", "II")
                                  * dri("fat", "female", "30-49", "DG", "upper") / 100 / 9;
             return std::round(grams * 10) / 10;
         }},
        {"energy in mid pregnancy, woman 30-49, level II", person(1, 30, 1, 1, 2), EnergyKcal, false,
         [&] {
             return dri("energy", "female", "30-49", "EER", "point", "II")
                    + dri("energy", "female", "pregnant_mid", "EER", "point", "II");
         }},
        // From the additions to the compilation.
        {"vitamin A limit, woman 30-49", person(1, 30, 1), RetinolEq, true,
         [&] { return dri("vitamin_a", "female", "30-49", "UL"); }},
        {"vitamin A limit, boy 1-2", person(0, 2, 1), RetinolEq, true,
         [&] { return dri("vitamin_a", "male", "1-2", "UL"); }},
        {"vitamin A limit in pregnancy, woman 18-29", person(1, 25, 1, 1, 3), RetinolEq, true,
         [&] { return dri("vitamin_a", "female", "18-29", "UL"); }},
    };
    for (const auto &c : cases) {
        const IntakeBound bound = derive(c.subject)[c.nutrient];
        EXPECT_DOUBLE_EQ(c.upper ? bound.upper : bound.lower, c.published()) << c.what;
    }
}

TEST_F(ShippedIntakesTest, TheEnergyOfAWomanOf30AtLevelIIIs2000)
{
    EXPECT_EQ(derive(person(1, 30, 1))[EnergyKcal], (IntakeBound{2000, 2000}));
}

// The CSV age group of each age row, in file order.
const char *const kAgeGroups[kIntakeAgeRows] = {"0-5m", "6-8m", "9-11m", "6-11m", "1-2", "3-5", "6-7", "8-9",
                                                "10-11", "12-14", "15-17", "18-29", "30-49", "50-69", "70+"};
const char *const kLevels[kIntakeLevels] = {"I", "II", "III"};
const char *const kAdditionGroups[kPregnancyClasses] = {"pregnant_early", "pregnant_mid", "pregnant_late",
                                                        "lactating"};

struct EnergyShareGoal {
    int column;
    const char *nutrient;
    double kcalPerGram;
};
const EnergyShareGoal kEnergyShareGoals[] = {
    {kIntakeFatColumn, "fat", 9},
    {kIntakeCarbohydrateColumn, "carbohydrate", 4},
    {kIntakeSaturatedFatColumn, "saturated_fat", 9},
};

// Grams of percent of energy kcal, rounded half up to the nutrient's display decimals; 0 when
// no percentage is published.
double gramsOf(std::optional<double> percent, double energy, double kcalPerGram, int nutrient)
{
    if (!percent)
        return 0;
    const double scale = std::pow(10.0, displayDecimals(nutrient));
    return std::floor(*percent * energy / 100 / kcalPerGram * scale + 0.5 + 1e-7) / scale;
}

TEST_F(ShippedIntakesTest, GoalsInPercentOfEnergyAreGramsOfTheLevelsEnergyToTheDisplayDecimals)
{
    for (int sex : {0, 1}) {
        const QByteArray sexName = sex == 1 ? "female" : "male";
        for (int i = 0; i < kIntakeAgeRows; ++i) {
            const ReferenceIntakeRow &row = sex == 1 ? tables.female[i] : tables.male[i];
            for (int level = 0; level < kIntakeLevels; ++level) {
                const std::optional<double> energy = dri.find("energy", sexName, kAgeGroups[i], "EER", "point",
                                                              kLevels[level]);
                for (const EnergyShareGoal &g : kEnergyShareGoals) {
                    SCOPED_TRACE(testing::Message() << sexName.constData() << " " << kAgeGroups[i] << " "
                                                    << kLevels[level] << " " << g.nutrient);
                    const int n = kIntakeColumnNutrient[g.column];
                    const auto grams = [&](const char *bound) {
                        return energy ? gramsOf(dri.find(g.nutrient, sexName, kAgeGroups[i], "DG", bound), *energy,
                                                g.kcalPerGram, n)
                                      : 0.0;
                    };
                    EXPECT_DOUBLE_EQ(row.at(g.column, level).lower, grams("lower"));
                    EXPECT_DOUBLE_EQ(row.at(g.column, level).upper, grams("upper"));
                }
            }
        }
    }
}

// Pregnancy and lactation keep the age group's share of energy, of the increased energy, at
// every level of every age row a woman can be in.
TEST_F(ShippedIntakesTest, PregnancyKeepsTheAgeGroupsPercentOfEnergyOfTheIncreasedEnergy)
{
    for (int i = 4; i < kIntakeAgeRows; ++i) {   // the infant rows are never chosen
        for (int level = 0; level < kIntakeLevels; ++level) {
            const double ageEnergy = dri("energy", "female", kAgeGroups[i], "EER", "point",
                                         i < 6 ? "" : kLevels[level]);
            for (int p = 1; p <= kPregnancyClasses; ++p) {
                const double energy =
                    ageEnergy + dri("energy", "female", kAdditionGroups[p - 1], "EER", "point", kLevels[level]);
                const IntakeStandard standard = derive(person(1, tables.female[i].upperAge, level, 1, p));
                ASSERT_EQ(standard[EnergyKcal].lower, energy);
                for (const EnergyShareGoal &g : kEnergyShareGoals) {
                    SCOPED_TRACE(testing::Message() << kAgeGroups[i] << " " << kLevels[level] << " class " << p
                                                    << " " << g.nutrient);
                    const int n = kIntakeColumnNutrient[g.column];
                    for (const char *bound : {"lower", "upper"}) {
                        const double expected =
                            gramsOf(dri.find(g.nutrient, "female", kAgeGroups[i], "DG", bound), energy, g.kcalPerGram, n);
                        const IntakeBound &got = standard[n];
                        EXPECT_DOUBLE_EQ(bound[0] == 'l' ? got.lower : got.upper, expected) << bound;
                    }
                }
            }
        }
    }
}

// The figures as the reference viewer and `users show` print them.
TEST_F(ShippedIntakesTest, TheWomanOf30AtLevelIIWithHerGoalsInGrams)
{
    const struct {
        const char *what;
        int pregnancy;
        int nutrient;
        const char *lower, *upper;
    } cases[] = {
        // 2000 kcal: 20-25 % fat, 50-70 % carbohydrate, 4.5-7 % saturated fatty acids.
        {"fat", 0, Fat, "44.4", "55.6"},
        {"carbohydrate", 0, Carbohydrate, "250.0", "350.0"},
        {"saturated fat", 0, SaturatedFattyAcids, "10.00", "15.56"},
        // Mid pregnancy, 2250 kcal.
        {"fat, mid pregnancy", 2, Fat, "50.0", "62.5"},
        {"carbohydrate, mid pregnancy", 2, Carbohydrate, "281.3", "393.8"},
        {"saturated fat, mid pregnancy", 2, SaturatedFattyAcids, "11.25", "17.50"},
        // Lactation, 2350 kcal.
        {"fat, lactation", 4, Fat, "52.2", "65.3"},
        {"carbohydrate, lactation", 4, Carbohydrate, "293.8", "411.3"},
        {"saturated fat, lactation", 4, SaturatedFattyAcids, "11.75", "18.28"},
    };
    for (const auto &c : cases) {
        const IntakeBound b = derive(person(1, 30, 1, 1, c.pregnancy))[c.nutrient];
        EXPECT_EQ(intakeViewerValue(c.nutrient, b.lower), QLatin1String(c.lower)) << c.what;
        EXPECT_EQ(intakeViewerValue(c.nutrient, b.upper), QLatin1String(c.upper)) << c.what;
    }
}

// The file's column headings name the unit of their values; the screens show the same unit, and
// for niacin the niacin-equivalent basis the reference values are given in.
TEST_F(ShippedIntakesTest, TheScreensShowTheUnitsOfTheFilesColumns)
{
    const QList<QByteArray> lines = testsupport::readFile(kShippedFile).split('\n');
    ASSERT_GT(lines.size(), 2);
    const QStringList headings = quenkit::fromSjis(lines[1]).split(QLatin1Char(','));
    ASSERT_EQ(headings.size(), kIntakeRowFields);
    static const QRegularExpression unitInParentheses(QStringLiteral("\\(([^)]*)\\)$"));
    for (int k = 0; k < kIntakeColumns; ++k) {
        const int n = k == kIntakeMenstruatingIronColumn ? Iron : kIntakeColumnNutrient[k];
        const QString heading = headings[4 + 6 * k];
        const QRegularExpressionMatch unit = unitInParentheses.match(heading);
        ASSERT_TRUE(unit.hasMatch()) << heading.toStdString();
        // Vitamin A's heading adds the retinol-equivalent basis (μgRE) to the unit shown.
        EXPECT_TRUE(unit.captured(1).startsWith(nutrientDisplayUnit(n))) << heading.toStdString();
    }
    EXPECT_EQ(headings[4 + 6 * 18], QStringLiteral("ナイアシン(mgNE)"));
    EXPECT_EQ(nutrientDisplayUnit(Niacin), QStringLiteral("mgNE"));
}

// The committed file is what the generator makes of the public data today.
TEST(ShippedIntakes, TheGeneratorReproducesTheCommittedFile)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("jk2010.dat"));
    QProcess python;
    python.start(QStringLiteral(DALMORA_PYTHON3),
                 {QStringLiteral(DALMORA_SOURCE_DIR "/scripts/gen-jk2010.py"), kSharedData, out});
    ASSERT_TRUE(python.waitForFinished(60000)) << "python3 did not run";
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    EXPECT_EQ(testsupport::readFile(out), testsupport::readFile(kShippedFile));

    // Its report keeps the confidence of what the additions bring in (all 22 vitamin A limits
    // unconfirmed) and names what no column takes (the sodium requirement of the additions).
    const QString report = QString::fromUtf8(python.readAllStandardOutput());
    const qsizetype leftOut = report.indexOf(QLatin1String("Rows no column takes:"));
    ASSERT_GT(leftOut, 0) << report.toStdString();
    const QRegularExpression vitaminA(QStringLiteral("additions.csv +vitamin_a +UL +0 +0 +22\\n"));
    const QRegularExpression sodium(QStringLiteral("additions.csv +sodium +EAR +0 +0 +8\\n"));
    EXPECT_LT(report.indexOf(vitaminA), leftOut) << report.toStdString();
    EXPECT_GT(report.indexOf(sodium), leftOut) << report.toStdString();
}

}  // namespace
