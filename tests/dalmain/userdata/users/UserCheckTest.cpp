// The user screen's input check, its control rules, and the weight dialog's check.

#include "UserFixtures.h"

#include "dalmain/userdata/PfcTargets.h"
#include "dalmain/master/ReferenceIntakeStandards.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/owner/ScriptedOwner.h"
#include "quenkit/registry/SettingsStore.h"

#include <functional>

namespace {

using namespace dalmain;
using namespace userfixtures;

struct CheckCase {
    const char *what;
    std::function<void(UserEntries &)> edit;
    UserField field;
    const char16_t *message;   // nullptr: the check passes
};

class UserCheckTest : public ::testing::TestWithParam<CheckCase>
{
protected:
    DataFolder data;
    quenkit::ScriptedOwner owner;
};

TEST_P(UserCheckTest, FailsOnItsFieldWithItsMessage)
{
    const CheckCase &c = GetParam();
    UserEntries entries = hanako();
    c.edit(entries);
    EXPECT_EQ(CheckUserEntries(&owner, entries), c.field);
    if (c.message) {
        ASSERT_EQ(owner.messages().size(), 1);
        EXPECT_EQ(owner.messages()[0].text, QString::fromUtf16(c.message));
        EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("ユーザー情報"));
        EXPECT_EQ(owner.messages()[0].icon, quenkit::Icon::Information);
    } else {
        EXPECT_TRUE(owner.messages().isEmpty());
    }

    // Silently: the same verdict, nothing shown (a null owner shows nothing).
    UserEntries again = hanako();
    c.edit(again);
    EXPECT_EQ(CheckUserEntries(nullptr, again), c.field);
}

auto birth(const char *y, const char *m, const char *d)
{
    return [=](UserEntries &e) {
        e.birthYear = QString::fromLatin1(y);
        e.birthMonth = QString::fromLatin1(m);
        e.birthDay = QString::fromLatin1(d);
    };
}

// Today is 2024-06-15.
INSTANTIATE_TEST_SUITE_P(
    Entries, UserCheckTest,
    ::testing::Values(
        CheckCase{"valid", [](UserEntries &) {}, UserField::None, nullptr},
        CheckCase{"hiragana reading", [](UserEntries &e) { e.reading = QStringLiteral("やまだ"); },
                  UserField::Reading, u"フリガナは半角のカタカナで入力してください。"},
        CheckCase{"latin reading", [](UserEntries &e) { e.reading = QStringLiteral("Yamada"); },
                  UserField::Reading, u"フリガナは半角のカタカナで入力してください。"},
        CheckCase{"empty reading", [](UserEntries &e) { e.reading = QStringLiteral("  "); },
                  UserField::Reading, u"フリガナを入力してください。"},
        CheckCase{"empty name", [](UserEntries &e) { e.name.clear(); }, UserField::Name, u"氏名を入力してください。"},
        CheckCase{"year 1899", birth("1899", "1", "1"), UserField::BirthYear,
                  u"誕生日の年は1900～2099年の間で入力してください。"},
        CheckCase{"month 13", birth("1990", "13", "1"), UserField::BirthMonth,
                  u"誕生日の月は1～12月の間で入力してください。"},
        CheckCase{"31 April", birth("1990", "4", "31"), UserField::BirthDay,
                  u"誕生日の日は1～30日の間で入力してください。"},
        CheckCase{"29 February of 2023", birth("2023", "2", "29"), UserField::BirthDay,
                  u"誕生日の日は1～28日の間で入力してください。"},
        CheckCase{"29 February of 2020", birth("2020", "2", "29"), UserField::None, nullptr},
        CheckCase{"next year", birth("2025", "1", "1"), UserField::BirthYear, u"誕生日の年が現在の日付より大きいです。"},
        CheckCase{"next month", birth("2024", "7", "1"), UserField::BirthMonth,
                  u"誕生日の月が現在の日付より大きいです。"},
        CheckCase{"tomorrow", birth("2024", "6", "16"), UserField::BirthDay, u"誕生日の日が現在の日付より大きいです。"},
        CheckCase{"born today", birth("2024", "6", "15"), UserField::Age, u"年齢は１歳以上で入力してください。"},
        CheckCase{"part of a birthday and no age", birth("1990", "", "3"), UserField::Age, u"年齢を入力してください。"},
        CheckCase{"age 0",
                  [](UserEntries &e) {
                      birth("", "", "")(e);
                      e.age = QStringLiteral("0");
                  },
                  UserField::Age, u"年齢は１歳以上で入力してください。"},
        CheckCase{"height 49.9", [](UserEntries &e) { e.height = QStringLiteral("49.9"); }, UserField::Height,
                  u"身長は50.0～250.0cmの間で入力してください。"},
        CheckCase{"height 250.1", [](UserEntries &e) { e.height = QStringLiteral("250.1"); }, UserField::Height,
                  u"身長は50.0～250.0cmの間で入力してください。"},
        CheckCase{"no height", [](UserEntries &e) { e.height.clear(); }, UserField::Height,
                  u"身長は50.0～250.0cmの間で入力してください。"},
        CheckCase{"height 250.0",
                  [](UserEntries &e) { e.height = QStringLiteral("250.0"); }, UserField::None, nullptr}),
    [](const ::testing::TestParamInfo<CheckCase> &info) {
        std::string name = info.param.what;
        for (char &ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name;
    });

class UserCheckCorrections : public ::testing::Test
{
protected:
    DataFolder data;
    quenkit::ScriptedOwner owner;
};

TEST_F(UserCheckCorrections, FullWidthBlanksOfTheReadingBecomeHalfWidth)
{
    UserEntries e = hanako();
    e.reading = QStringLiteral("ﾔﾏﾀﾞ　ﾊﾅｺ");
    EXPECT_EQ(CheckUserEntries(&owner, e), UserField::None);
    EXPECT_EQ(e.reading, QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ"));
}

TEST_F(UserCheckCorrections, TheAgeComesFromTheBirthdayAndAPartialBirthdayIsCleared)
{
    const struct {
        const char *year, *month, *day;
        const char *ageBefore;
        const char *ageAfter;
    } cases[] = {
        {"1994", "6", "15", "", "30"},    // birthday today
        {"1994", "6", "16", "", "29"},    // tomorrow
        {"1994", "7", "1", "55", "29"},   // the entered age gives way to the birthday
        {"1900", "1", "1", "", "99"},     // at most 99
        {"1994", "", "", "42", "42"},     // cleared, the age stays
    };
    for (const auto &c : cases) {
        UserEntries e = hanako();
        e.birthYear = QString::fromLatin1(c.year);
        e.birthMonth = QString::fromLatin1(c.month);
        e.birthDay = QString::fromLatin1(c.day);
        e.age = QString::fromLatin1(c.ageBefore);
        EXPECT_EQ(CheckUserEntries(&owner, e), UserField::None) << c.year << c.month << c.day;
        EXPECT_EQ(e.age.trimmed(), QString::fromLatin1(c.ageAfter));
        if (QByteArray(c.month).isEmpty()) {
            EXPECT_TRUE(e.birthYear.isEmpty() && e.birthMonth.isEmpty() && e.birthDay.isEmpty());
        }
    }
    UserEntries e = hanako();
    e.birthYear = QStringLiteral("2020");
    e.birthMonth = QStringLiteral("1");
    e.birthDay = QStringLiteral("1");
    CheckUserEntries(&owner, e);
    EXPECT_EQ(e.age, QStringLiteral(" 4"));   // written as "%2d"
}

TEST_F(UserCheckCorrections, TheActivityLevelChosenSurvivesAnAgeFromTheBirthday)
{
    // Children of 1 to 5 choose from the two upper levels only, so the same level is another
    // entry of their list.
    const struct {
        const char *ageShown;
        int selection;      // of the list for ageShown
        const char *birthYear;
        int level;          // the level chosen, which the profile must store
    } cases[] = {
        {"", 1, "2020", 1},    // 普通 of three; the birthday makes a child of 4
        {"", 2, "2020", 2},    // 高い of three
        {"3", 0, "1994", 1},   // 普通 of two; the birthday makes a woman of 30
        {"3", 1, "1994", 2},   // 高い of two
        {"30", 0, "1994", 0},  // 低い, the age unchanged
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ageShown + std::string(" ") + c.birthYear);
        UserEntries e = hanako();
        e.age = QString::fromLatin1(c.ageShown);
        e.activity = c.selection;
        e.birthYear = QString::fromLatin1(c.birthYear);
        ASSERT_EQ(CheckUserEntries(&owner, e), UserField::None);
        EXPECT_EQ(activityLevel(e.age.trimmed().toInt(), e.activity), c.level);
        EXPECT_EQ(profileFromEntries(e, UserProfile{}).activity, c.level);
    }
}

TEST_F(UserCheckCorrections, ADeletedStandardIsReportedAndTheChoiceReset)
{
    ASSERT_EQ(quenkit::createDbfTable(kStandardsTable, standardsTableFields()), 1);
    UserEntries e = hanako();
    e.standard = QStringLiteral("減塩食");
    EXPECT_EQ(CheckUserEntries(&owner, e), UserField::Standard);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].text, QStringLiteral("設定されている食事摂取基準が見つかりません。\n削除されています。"));
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("食事摂取基準の設定"));
    EXPECT_EQ(owner.messages()[0].icon, quenkit::Icon::Warning);
    EXPECT_EQ(e.standard, QStringLiteral("食事摂取基準(2010年版)"));
    owner.clear();
    EXPECT_EQ(CheckUserEntries(&owner, e), UserField::None);
}

TEST_F(UserCheckCorrections, ValidEntriesReloadThePfcRangesAndRefusedOnesDoNot)
{
    quenkit::SetRegistryString(kPfcSection, QStringLiteral("P1"), QStringLiteral("13"));
    quenkit::SetRegistryString(kPfcSection, QStringLiteral("C2"), QStringLiteral("65"));
    UserEntries refused = hanako();
    refused.height = QStringLiteral("300");
    ASSERT_EQ(CheckUserEntries(nullptr, refused), UserField::Height);
    EXPECT_NE(pfcTargets().proteinLower, 13);

    UserEntries valid = hanako();
    ASSERT_EQ(CheckUserEntries(nullptr, valid), UserField::None);
    PfcTargets expected;
    expected.proteinLower = 13;
    expected.carbohydrateUpper = 65;
    EXPECT_EQ(pfcTargets(), expected);

    // Back to the defaults for the tests that follow in this program.
    quenkit::DeleteRegistryString(kPfcSection, QStringLiteral("P1"));
    quenkit::DeleteRegistryString(kPfcSection, QStringLiteral("C2"));
    reloadPfcTargets();
    EXPECT_EQ(pfcTargets(), PfcTargets{});
}

TEST(UserControls, ActivityLevelsOfYoungChildrenAreTheTwoUpperOnes)
{
    EXPECT_EQ(activityChoices(5), (QStringList{QStringLiteral("普通"), QStringLiteral("高い")}));
    EXPECT_EQ(activityChoices(6), (QStringList{QStringLiteral("低い"), QStringLiteral("普通"), QStringLiteral("高い")}));
    const struct {
        int age, selection, level;
    } cases[] = {{1, 0, 1}, {5, 1, 2}, {6, 0, 0}, {30, 2, 2}, {0, 1, 1}};
    for (const auto &c : cases) {
        EXPECT_EQ(activityLevel(c.age, c.selection), c.level) << c.age;
        EXPECT_EQ(activitySelection(c.age, c.level), c.selection) << c.age;
    }
}

TEST(UserControls, SexAgeAndPregnancyDecideTheReproductiveCombos)
{
    const struct {
        int sex;
        const char *age;
        int pregnancy;
        int menstruation;           // after the choice of sex
        bool pregnancyEnabled;
        bool menstruationEnabled;
    } cases[] = {
        {0, "30", 0, 1, false, false}, {1, "30", 0, 0, true, true},  {1, "9", 0, 1, true, false},
        {1, "10", 0, 0, true, true},   {1, "69", 0, 0, true, true},  {1, "70", 0, 1, true, false},
        {1, "30", 2, 0, true, false},  {1, "", 0, 1, true, false},
    };
    for (const auto &c : cases) {
        UserEntries e;
        e.age = QString::fromLatin1(c.age);
        e.pregnancy = 3;
        e.menstruation = 0;
        chooseSex(e, c.sex);
        if (c.sex == 1)
            e.pregnancy = c.pregnancy;
        SCOPED_TRACE(std::to_string(c.sex) + " " + c.age + " " + std::to_string(c.pregnancy));
        EXPECT_EQ(e.menstruation, c.menstruation);
        EXPECT_EQ(e.pregnancy, c.pregnancy);
        const ReproductiveControls controls = reproductiveControls(e);
        EXPECT_EQ(controls.pregnancyEnabled, c.pregnancyEnabled);
        EXPECT_EQ(controls.menstruationEnabled, c.menstruationEnabled);
    }
}

TEST(WeightCheck, EachFieldHasItsRangeAndMessage)
{
    FixedToday today;
    const struct {
        const char *year, *month, *day, *weight;
        WeightField field;
        const char16_t *message;
    } cases[] = {
        {"1979", "6", "1", "60", WeightField::Year, u"年は､1980年から2024年の間で入力してください。"},
        {"2025", "1", "1", "60", WeightField::Year, u"年は､1980年から2024年の間で入力してください。"},
        {"2024", "0", "1", "60", WeightField::Month, u"月は､1月から12月の間で入力してください。"},
        {"2023", "2", "29", "60", WeightField::Day, u"日付は､1日から28日の間で入力してください。"},
        {"2024", "4", "31", "60", WeightField::Day, u"日付は､1日から30日の間で入力してください。"},
        {"2024", "6", "15", "0.0", WeightField::Weight, u"体重は0.1～200.0kgの間で入力してください。"},
        {"2024", "6", "15", "200.1", WeightField::Weight, u"体重は0.1～200.0kgの間で入力してください。"},
        {"2024", "6", "15", "", WeightField::Weight, u"体重は0.1～200.0kgの間で入力してください。"},
        {"1980", "2", "29", "0.1", WeightField::None, nullptr},
        {"2024", "6", "15", "200.0", WeightField::None, nullptr},
    };
    for (const auto &c : cases) {
        quenkit::ScriptedOwner owner;
        FirstWeight weight;
        const WeightEntries entries{QString::fromLatin1(c.year), QString::fromLatin1(c.month),
                                    QString::fromLatin1(c.day), QString::fromLatin1(c.weight)};
        SCOPED_TRACE(std::string(c.year) + "-" + c.month + "-" + c.day + " " + c.weight);
        EXPECT_EQ(CheckWeightEntries(&owner, entries, &weight), c.field);
        if (c.message) {
            EXPECT_EQ(owner.texts(), QStringList{QString::fromUtf16(c.message)});
            EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("体重の入力"));
        } else {
            EXPECT_TRUE(owner.messages().isEmpty());
            EXPECT_EQ(weight.year, entries.year.toInt());
            EXPECT_DOUBLE_EQ(weight.kg, entries.weight.toDouble());
        }
    }
}

}  // namespace
