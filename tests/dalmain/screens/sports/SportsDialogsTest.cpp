// The exercise screen's entry dialogs on their own, what they accept and refuse, and the
// screen with a full day saved as a PNG in the build folder for people to look at.

#include "SportsScreenSupport.h"

#include "dalmain/screens/sports/BasalInputDialog.h"
#include "dalmain/screens/sports/ExerciseSearchDialog.h"
#include "dalmain/screens/sports/SportsInputDialog.h"
#include "dalmain/screens/sports/SportsSummaryView.h"
#include "dalmain/shell/CommandIds.h"

#include <QRadioButton>

using namespace sportstest;

namespace {

dalmain::ExerciseItem itemNumbered(unsigned number)
{
    const std::optional<dalmain::ExerciseItem> item = dalmain::findExerciseItem(number);
    EXPECT_TRUE(item) << number;
    return item.value_or(dalmain::ExerciseItem{});
}

}  // namespace

TEST_F(SportsScreenTest, TheEntryDialogAcceptsWhatADayCanHoldAndRefusesTheRest)
{
    struct Case {
        bool direct;
        const char *minutes;
        const char *energy;
        const char *message;   // empty: refused without a word, or accepted
        const char *focus;     // the field that keeps the focus when refused; empty: accepted
        int code;              // the minutes code of the accepted entry
        double kcal;
    };
    const Case cases[] = {
        {false, "1440", "", "", "", 1440, 0},
        {false, "1441", "", "運動時間は1440分以内で入力して下さい。", "minutes", 0, 0},
        {false, "0", "", "", "minutes", 0, 0},
        {true, "30", "150", "", "", 2030, 150.0},
        {true, "", "999.9", "", "", 9999, 999.9},
        {true, "0", "999.9", "", "", 2000, 999.9},
        {true, "30", "1000.0", "", "", 2030, 100.0},  // typing stops at three whole digits
        {true, "30", "0.5", "", "energy", 0, 0},
        {true, "1441", "100", "運動時間は1440分以内で入力して下さい。", "minutes", 0, 0},
    };
    const dalmain::ExerciseItem walk = itemNumbered(93);
    const dalmain::EnergyBasis basis{22.3, 60.0};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.minutes) + " / " + c.energy);
        owner.clear();
        dalmain::SportsInputDialog dialog(&owner, walk, basis);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.setDirect(c.direct);
        type(&dialog, "minutes", QString::fromLatin1(c.minutes));
        if (c.direct)
            type(&dialog, "energy", QString::fromLatin1(c.energy));
        dialog.accept();
        const bool accepted = *c.focus == 0;
        EXPECT_EQ(dialog.result() == QDialog::Accepted, accepted);
        EXPECT_EQ(owner.texts(), *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
        if (accepted) {
            EXPECT_EQ(dialog.entry().minutesCode, c.code);
            if (c.direct)
                EXPECT_DOUBLE_EQ(dialog.entry().energy, c.kcal);
        } else {
            EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QWidget *>(QString::fromLatin1(c.focus)));
        }
    }
}

TEST_F(SportsScreenTest, AnItemWithoutIntensityIsEnteredDirectly)
{
    dalmain::ExerciseItem item = itemNumbered(93);
    item.af = 0.0;
    item.afText = "  0.0";
    dalmain::SportsInputDialog dialog(&owner, item, dalmain::EnergyBasis{22.3, 60.0});
    EXPECT_FALSE(dialog.findChild<QRadioButton *>(QStringLiteral("compute"))->isEnabled());
    EXPECT_TRUE(dialog.isDirect());
    // The mode of an item without Af is not what the next entry starts with.
    quenkit::SetRegistryString(dalmain::settings::kSportsSection, QStringLiteral("InputFlg"), QStringLiteral("1"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    type(&dialog, "energy", QStringLiteral("80"));
    dialog.accept();
    EXPECT_EQ(dialog.entry().minutesCode, 9999);
    EXPECT_EQ(dialog.entry().computedMinutes, 9999) << "no Af, no minutes to compute back";
    EXPECT_EQ(quenkit::GetRegistryInt(dalmain::settings::kSportsSection, QStringLiteral("InputFlg"), 0), 1);
}

TEST_F(SportsScreenTest, TheBasalDialogRemembersTheChoiceAndRefusesNothingAndTooMuch)
{
    struct Case {
        const char *value;
        const char *message;
        bool accepted;
    };
    const Case cases[] = {{"0", "", false},
                          {"10000", "基礎代謝量は9999.9kcal以内で入力して下さい。", false},
                          {"1250.5", "", true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        owner.clear();
        dalmain::BasalInputDialog dialog(&owner, 0, 1338.0);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        auto *value = dialog.findChild<QLineEdit *>(QStringLiteral("value"));
        value->clear();
        type(&dialog, "value", QString::fromLatin1(c.value));
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(owner.texts(), *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
    }
    EXPECT_EQ(dalmain::LoadBasalChoice(0), (dalmain::BasalChoice{dalmain::BasalSource::Computed, 1250.5}));
    dalmain::BasalInputDialog again(&owner, 0, 1338.0);
    click(&again, "entered");
    EXPECT_EQ(again.findChild<QLineEdit *>(QStringLiteral("value"))->text(), QStringLiteral("1250.5"));
}

TEST_F(SportsScreenTest, TheItemSearchFollowsTheKeywordInEitherWidth)
{
    dalmain::ExerciseSearchDialog dialog(dalmain::readExerciseItems());
    const qsizetype all = dialog.listed().size();
    EXPECT_GE(all, 150);
    dialog.setKeyword(QStringLiteral("ﾗｼﾞｵ"));
    ASSERT_EQ(dialog.listed().size(), 1);
    EXPECT_EQ(dialog.listed().first().number, 137u);
    dialog.setKeyword(QStringLiteral("睡眠"));
    EXPECT_FALSE(dialog.listed().isEmpty()) << "sleep is entered on this screen";
    EXPECT_TRUE(dalmain::exerciseSearchLine(dialog.listed().first()).contains(QStringLiteral("睡眠")));
    dialog.setKeyword(QString());
    EXPECT_EQ(dialog.listed().size(), all);
}

TEST_F(SportsScreenTest, AFullDayOnTheScreen)
{
    ASSERT_EQ(cli({QStringLiteral("exercise"), QStringLiteral("set"), kUserName, QStringLiteral("2024-05-10"),
                   QStringLiteral("1:420,93:40,137:10,39:30=150,36:=100,basal:1400")})
                  .exitCode,
              0);
    createScreen();
    ASSERT_EQ(screen->day().count(), 6);
    screen->list()->setCurrentRow(2);
    settle();
    QDir().mkpath(QStringLiteral(SPORTS_PNG_DIR));
    EXPECT_TRUE(screen->grab().save(QStringLiteral(SPORTS_PNG_DIR "/SportsScreen.png")));
    dalmain::SportsInputDialog input(&owner, itemNumbered(93), screen->basis().energy);
    input.setEntry(screen->day().entries()[1]);
    input.show();
    settle();
    EXPECT_TRUE(input.grab().save(QStringLiteral(SPORTS_PNG_DIR "/SportsInput.png")));
    dalmain::BasalInputDialog basal(&owner, 0, 1338.0);
    basal.show();
    settle();
    EXPECT_TRUE(basal.grab().save(QStringLiteral(SPORTS_PNG_DIR "/BasalInput.png")));
    EXPECT_EQ(screen->lineIndicator(), QStringLiteral("行: 3/ 7"));
}
