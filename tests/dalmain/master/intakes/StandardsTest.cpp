// User-defined standards ("所要量.DBF") and the list a user chooses a standard from.

#include "IntakeFixtures.h"

#include "support/TestSupport.h"

#include "dalmain/master/ReferenceIntakeDisplay.h"

#include "quenkit/owner/ScriptedOwner.h"
#include "quenkit/registry/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

using namespace dalmain;
using namespace intakefixtures;

class StandardsTest : public ::testing::Test
{
protected:
    IntakeSubject userDefined(const QString &heading)
    {
        IntakeSubject s;
        s.age = 30;
        s.national = false;
        s.standardName = heading;
        return s;
    }

    testsupport::TempFolders folders;
    quenkit::ScriptedOwner owner;
    ReferenceIntakeTables tables = distinctTables();
};

TEST_F(StandardsTest, AUserDefinedStandardIsCopiedWhole)
{
    ASSERT_TRUE(writeStandards({QStringLiteral("減塩食"), QStringLiteral("腎臓病食")}));
    IntakeStandard standard;
    ASSERT_EQ(DeriveIntakeStandard(&owner, tables, userDefined(QStringLiteral("腎臓病食")), standard), 1);
    EXPECT_TRUE(owner.messages().isEmpty());
    for (int i = 0; i < kNutrientCount; ++i)
        EXPECT_EQ(standard[i], standardValue(1, i)) << i;
}

TEST_F(StandardsTest, AStandardDeletedAfterItWasChosenIsReportedAndSetsNoBound)
{
    // "腎臓病" is part of a heading that exists; only the whole heading counts.
    ASSERT_TRUE(writeStandards({QStringLiteral("腎臓病食")}));
    for (const QString &heading : {QStringLiteral("腎臓病"), QStringLiteral("糖尿病食")}) {
        owner.clear();
        IntakeStandard standard;
        standard[Protein] = {1, 2};
        EXPECT_EQ(DeriveIntakeStandard(&owner, tables, userDefined(heading), standard), 0);
        ASSERT_EQ(owner.messages().size(), 1);
        EXPECT_EQ(owner.messages()[0].text, QStringLiteral("設定されている食事摂取基準が見つかりません。\n削除されています。"));
        EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("食事摂取基準の設定"));
        EXPECT_EQ(owner.messages()[0].icon, quenkit::Icon::Warning);
        for (int i = 0; i < kNutrientCount; ++i)
            EXPECT_EQ(standard[i], IntakeBound{}) << i;
    }
}

TEST_F(StandardsTest, TheChoicesAreTheNationalStandardThenEveryHeadingWithDefSyoyoPreselected)
{
    EXPECT_EQ(standardChoices(), QStringList{QStringLiteral("食事摂取基準(2010年版)")});   // no table yet

    ASSERT_TRUE(writeStandards({QStringLiteral("減塩食"), QStringLiteral("高齢者"), QStringLiteral("Aプラン")}));
    const QStringList choices = standardChoices();
    // Table order is the order of the headings' bytes.
    EXPECT_EQ(choices, (QStringList{QStringLiteral("食事摂取基準(2010年版)"), QStringLiteral("Aプラン"),
                                    QStringLiteral("減塩食"), QStringLiteral("高齢者")}));

    const struct {
        const char16_t *setting;
        int chosen;
    } cases[] = {{nullptr, 0}, {u"高齢者", 3}, {u"食事摂取基準(2010年版)", 0}, {u"削除された基準", 0}};
    for (const auto &c : cases) {
        if (c.setting)
            quenkit::SetRegistryString(QStringLiteral("Dalmora System"), QStringLiteral("DefSyoyo"),
                                       QString::fromUtf16(c.setting));
        EXPECT_EQ(defaultStandardChoice(choices), c.chosen) << (c.setting ? QString::fromUtf16(c.setting).toStdString() : "none");
    }
}

TEST(IntakeViewer, CaptionNamesTheStandardAndValuesUseTheNutrientsDecimals)
{
    IntakeSubject national;
    EXPECT_EQ(intakeViewerCaption(national), QStringLiteral("日本人の食事摂取基準(2010年版)"));
    IntakeSubject own;
    own.national = false;
    own.standardName = QStringLiteral("減塩食");
    EXPECT_EQ(intakeViewerCaption(own), QStringLiteral("基準値:減塩食"));

    EXPECT_EQ(intakeViewerValue(EnergyKcal, 1999.6), QStringLiteral("2000"));
    EXPECT_EQ(intakeViewerValue(Iron, 10.5), QStringLiteral("10.5"));
    EXPECT_EQ(intakeViewerValue(Copper, 0.7), QStringLiteral("0.70"));
}

}  // namespace
