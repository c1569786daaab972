// The shipped "jk2010.dat" against the public DRI 2010 values it is generated from.

#include "support/TestSupport.h"

#include "dalmain/master/ReferenceIntakes.h"

#include "quenkit/owner/ScriptedOwner.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <tuple>

namespace {

using namespace dalmain;

const QString kShippedFile = QStringLiteral(DALMORA_SOURCE_DIR "/data/master/jk2010.dat");
const QString kSharedData = QStringLiteral(DALMORA_SHARED_DATA_DIR);

// The published values: (nutrient, sex, age group, kind, bound, activity level) -> value.
class Dri2010
{
public:
    Dri2010()
    {
        QFile f(kSharedData + QStringLiteral("/dri2010/dri2010.csv"));
        if (!f.open(QIODevice::ReadOnly))
            return;
        f.readLine();   // column names
        while (!f.atEnd()) {
            const QList<QByteArray> c = f.readLine().split(',');
            if (c.size() >= 7)
                m_values[{c[0], c[1], c[2], c[3], c[4], c[5]}] = c[6].toDouble();
        }
    }

    bool loaded() const { return !m_values.empty(); }

    double operator()(const char *nutrient, const char *sex, const char *group, const char *kind,
                      const char *bound = "point", const char *level = "") const
    {
        const auto it = m_values.find({nutrient, sex, group, kind, bound, level});
        EXPECT_NE(it, m_values.end()) << nutrient << " " << sex << " " << group << " " << kind;
        return it == m_values.end() ? -1 : it->second;
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
}

}  // namespace
