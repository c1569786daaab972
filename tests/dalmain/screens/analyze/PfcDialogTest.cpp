// The PFC settings: the six ranges typed with the keyboard, the checks and questions with their
// exact texts, 標準に戻す, and what OK stores, opened from the program's menu command.

#include "dalmain/screens/analyze/PfcDialog.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/DalmainView.h"
#include "dalmain/shell/DialogRegistry.h"
#include "dalmain/shell/MainFrame.h"

#include "quenkit/controls/NumEdit.h"
#include "quenkit/registry/SettingsStore.h"

#include "ShellTestSupport.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace dalmain;
using namespace shelltest;

namespace {

class PfcDialogTest : public ShellTest
{
protected:
    quenkit::NumEdit *edit(const char *name) { return dialog.findChild<quenkit::NumEdit *>(QLatin1String(name)); }
    QPushButton *button(const char *name) { return dialog.findChild<QPushButton *>(QLatin1String(name)); }

    // Replaces the value of an entry as a person does: focus, Delete, the digits.
    void type(const char *name, const char *digits)
    {
        quenkit::NumEdit *e = edit(name);
        e->setFocus();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, QLatin1String(digits));
    }

    static int stored(const char *name) { return quenkit::GetRegistryInt(kPfcSection, QLatin1String(name), -1); }

    void open()
    {
        dialog.show();
        settle();
    }

    PfcDialog dialog{&owner};
};

TEST_F(PfcDialogTest, ShowsTheStoredRangesAndStoresWhatIsTypedAfterYes)
{
    ASSERT_EQ(quenkit::SetRegistryInt(kPfcSection, QStringLiteral("F2"), 30), 1);
    PfcDialog fresh(&owner);
    EXPECT_EQ(fresh.entries(), (PfcEntries{"10", "15", "20", "30", "60", "70"}));

    open();
    type("P1", "13");
    type("C2", "65");
    owner.queueAnswer(quenkit::Answer::Yes);
    QTest::keyClick(edit("C2"), Qt::Key_Return);   // the default button
    EXPECT_EQ(owner.texts(), QStringList{kPfcStoreQuestion});
    EXPECT_EQ(owner.messages().front().caption, QStringLiteral("ＰＦＣ適正率の設定"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(stored("P1"), 13);
    EXPECT_EQ(stored("P2"), 15);
    EXPECT_EQ(stored("C2"), 65);
    // The analysis works with the new ranges from now on.
    EXPECT_EQ(pfcTargets().proteinLower, 13);
    EXPECT_EQ(pfcTargets().carbohydrateUpper, 65);
}

TEST_F(PfcDialogTest, NoToTheQuestionStoresNothingAndKeepsTheDialog)
{
    open();
    type("F1", "22");
    owner.queueAnswer(quenkit::Answer::No);
    QTest::mouseClick(button("ok"), Qt::LeftButton);
    EXPECT_EQ(owner.texts(), QStringList{kPfcStoreQuestion});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(stored("F1"), -1);

    QTest::mouseClick(button("cancel"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(stored("F1"), -1);
}

TEST_F(PfcDialogTest, RefusedEntriesKeepTheFocusThere)
{
    struct Case {
        const char *entry;
        const char *digits;
        QString message;
        const char *focus;
    } cases[] = {
        {"F2", "", kPfcEmptyMessage, "F2"},
        {"P1", "", kPfcEmptyMessage, "P1"},
        {"C1", "70", kPfcOrderMessage, "C1"},    // equal to its upper value
        {"P2", "9", kPfcOrderMessage, "P1"},     // below its lower value: the lower entry is wrong
    };
    open();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entry);
        dialog.setEntries(pfcEntriesOf(PfcTargets()));
        owner.clear();
        type(c.entry, c.digits);
        QTest::mouseClick(button("ok"), Qt::LeftButton);
        EXPECT_EQ(owner.texts(), QStringList{c.message});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), edit(c.focus));
    }
    EXPECT_EQ(stored("P1"), -1);
}

TEST_F(PfcDialogTest, BackToStandardAfterYesOnly)
{
    open();
    dialog.setEntries({"1", "2", "3", "4", "5", "6"});
    owner.queueAnswer(quenkit::Answer::No);
    QTest::mouseClick(button("standard"), Qt::LeftButton);
    EXPECT_EQ(owner.texts(), QStringList{kPfcDefaultsQuestion});
    EXPECT_EQ(dialog.entries(), (PfcEntries{"1", "2", "3", "4", "5", "6"}));

    owner.queueAnswer(quenkit::Answer::Yes);
    QTest::mouseClick(button("standard"), Qt::LeftButton);
    EXPECT_EQ(dialog.entries(), (PfcEntries{"10", "15", "20", "25", "60", "70"}));
    // Only OK stores them.
    EXPECT_EQ(stored("P1"), -1);

    QDir().mkpath(QStringLiteral(ANALYZE_PNG_DIR));
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(ANALYZE_PNG_DIR "/pfc-dialog.png")));
}

TEST_F(PfcDialogTest, TheMenuCommandOpensIt)
{
    EXPECT_TRUE(isDialogRegistered(QStringLiteral("IDD_SET_PFC")));
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    QString title;
    whenModal([&](QWidget *opened) {
        title = opened->windowTitle();
        EXPECT_EQ(opened->objectName(), QStringLiteral("IDD_SET_PFC"));
        static_cast<QDialog *>(opened)->reject();
    });
    EXPECT_TRUE(frame->view()->runCommand(cmd::PfcSettings));
    EXPECT_EQ(title, QStringLiteral("ＰＦＣ適正率の設定"));
}

}  // namespace
