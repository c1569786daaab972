// The analysis report's options dialog (IDD_ALZ_PRINT) and the analysis screen's print command:
// the refusal without a section, the boxes the analysis shown cannot print, what is stored, and
// the command's no-data message and its PDF.

#include "PrintTestSupport.h"

#include "DialogDriving.h"
#include "ShellTestSupport.h"

#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/print/AnalysisPrintDialog.h"
#include "dalmain/screens/analyze/Analyze.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/userdata/UserSession.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/registry/SettingsStore.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using shelltest::child;
using shelltest::click;

const QString kUser = QStringLiteral("山田花子");

// Ticks a check box or chooses a radio button from the keyboard, as a person tabbing through the
// dialog does.
void press(QAbstractButton *button)
{
    ASSERT_NE(button, nullptr);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
}

class AnalysisPrintDialogTest : public shelltest::ShellTest
{
protected:
    int stored(const QString &section, const QString &name) const { return quenkit::GetRegistryInt(section, name, -1); }
};

TEST_F(AnalysisPrintDialogTest, WithoutASectionTheDialogSaysSoAndStaysOpen)
{
    dalmain::AnalysisPrintOptions options;
    // Only the header's boxes: the date and kind and the print date print nothing by themselves.
    options.setBox(dalmain::PrintPeriodInHeader, true);
    options.setBox(dalmain::PrintDateInHeader, true);
    // The history is ticked but cannot print for a year, so it does not count either.
    options.setBox(dalmain::PrintHistory, true);
    dalmain::AnalysisPrintAvailability year;
    year.history = false;
    dalmain::AnalysisPrintDialog dialog(&owner, options, year, {});
    dialog.show();
    for (const char *button : {"print", "pdf"}) {
        owner.clear();
        click(&dialog, button);
        ASSERT_EQ(owner.messages().size(), 1) << button;
        EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("印刷の確認"));
        EXPECT_EQ(owner.messages()[0].text, QStringLiteral("印刷する分析結果が設定されていません。"));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(stored(dalmain::kAnalyzeSection, QStringLiteral("Flg3_13")), -1) << "nothing stored";

    // One section ticked, and the dialog closes with the choice stored.
    owner.clear();
    press(dialog.box(dalmain::PrintComment));
    click(&dialog, "pdf");
    EXPECT_TRUE(owner.messages().isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.destination(), dalmain::PrintDestination::Pdf);
    EXPECT_EQ(stored(dalmain::kAnalyzeSection, QStringLiteral("Flg3_12")), 1);
    EXPECT_EQ(stored(dalmain::kAnalyzeSection, QStringLiteral("Flg3_1")), 0);
    // The disabled history box keeps what was stored for it, so a month prints it again.
    EXPECT_EQ(stored(dalmain::kAnalyzeSection, QStringLiteral("Flg3_7")), 1);
}

TEST_F(AnalysisPrintDialogTest, BoxesTheAnalysisCannotPrintAreDisabledAndCountAsOff)
{
    struct Case {
        const char *name;
        bool history, exchange, groups;
        QList<int> disabled;
    };
    const Case cases[] = {
        {"a month without tables", true, false, false, {14, 15, 16, 17}},
        {"a year with both tables", false, true, true, {7}},
        {"a day with the group table", true, false, true, {14, 15}},
    };
    dalmain::AnalysisPrintOptions all;
    for (int n = 1; n <= dalmain::kAnalysisPrintBoxes; ++n)
        all.setBox(n, dalmain::isAnalysisPrintBox(n));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dalmain::AnalysisPrintAvailability available;
        available.history = c.history;
        available.exchangeTable = c.exchange;
        available.groupTable = c.groups;
        dalmain::AnalysisPrintDialog dialog(&owner, all, available, {});
        const dalmain::AnalysisPrintOptions shown = dialog.options();
        for (int n = 1; n <= dalmain::kAnalysisPrintBoxes; ++n) {
            if (!dalmain::isAnalysisPrintBox(n)) {
                EXPECT_EQ(dialog.box(n), nullptr) << n;
                continue;
            }
            ASSERT_NE(dialog.box(n), nullptr) << n;
            const bool off = c.disabled.contains(n);
            EXPECT_EQ(dialog.box(n)->isEnabled(), !off) << n;
            EXPECT_EQ(shown.box(n), !off) << n;
        }
    }
}

TEST_F(AnalysisPrintDialogTest, TheOtherOptionsOpenAsStoredAndAreStoredAsChosen)
{
    quenkit::SetRegistryString(dalmain::kAnalyzePrintSection, QStringLiteral("Eiyouso"), QStringLiteral("0"));
    const dalmain::AnalysisPrintOptions stored = dalmain::readAnalysisPrintOptions();
    EXPECT_FALSE(stored.shownNutrientsOnly);
    EXPECT_TRUE(stored.box(dalmain::PrintUserInfo)) << "a box never stored is on";
    dalmain::AnalysisPrintDialog dialog(&owner, stored, {}, {});
    dialog.show();
    dialog.activateWindow();
    // The margins are typed over their old value, which the field replaces once it has the focus.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_FALSE(child<QLineEdit>(&dialog, "top")->isEnabled()) << "flush left needs no margins";
    press(child<QAbstractButton>(&dialog, "monochrome"));
    press(child<QAbstractButton>(&dialog, "margins"));
    press(child<QAbstractButton>(&dialog, "twoColumns"));
    ASSERT_TRUE(child<QLineEdit>(&dialog, "top")->isEnabled());
    shelltest::type(&dialog, "top", QStringLiteral("1.5"));
    shelltest::type(&dialog, "left", QStringLiteral("2"));
    click(&dialog, "print");
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const auto value = [](const QString &name) {
        QString text;
        quenkit::GetRegistryString(dalmain::kAnalyzePrintSection, name, nullptr, text);
        return text;
    };
    EXPECT_EQ(value(QStringLiteral("Color")), QStringLiteral("1"));
    EXPECT_EQ(value(QStringLiteral("Space")), QStringLiteral("1"));
    EXPECT_EQ(value(QStringLiteral("Top")), QStringLiteral("1.5"));
    EXPECT_EQ(value(QStringLiteral("Left")), QStringLiteral("2.0"));
    EXPECT_EQ(value(QStringLiteral("Eiyouso")), QStringLiteral("0"));
    EXPECT_EQ(value(QStringLiteral("Retu")), QStringLiteral("1"));
    const dalmain::ReportOptions placed = dialog.options().placement();
    EXPECT_EQ(placed.mode, dalmain::PositionMode::Offset);
    EXPECT_DOUBLE_EQ(placed.topCm, 1.5);
    EXPECT_DOUBLE_EQ(placed.leftCm, 2.0);
}

// The analysis screen on the shipped foods, with one day of May eaten.
class AnalysisPrintCommandTest : public AnalysisPrintDialogTest
{
protected:
    void SetUp() override
    {
        for (const QString &name : {QStringLiteral("食品.FDB"), QStringLiteral("食品.IDX")}) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + name, folders.dataFile(name)));
            QFile::setPermissions(folders.dataFile(name), QFile::ReadOwner | QFile::WriteOwner);
        }
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
        ASSERT_EQ(cli(testsupport::addManArguments(kUser, QStringLiteral("ﾊﾅｺ"))).exitCode, 0);
        ASSERT_EQ(cli({QStringLiteral("menu"), QStringLiteral("set"), kUser, QStringLiteral("2024-05-10"),
                       QStringLiteral("breakfast"), QStringLiteral("88:150,1517:50")})
                      .exitCode,
                  0);
        ASSERT_EQ(dalmain::LoadReferenceIntakes(&owner, dalmain::referenceIntakes()), dalmain::IntakeLoad::Loaded);
        ASSERT_TRUE(dalmain::openUserSession().open(&owner, kUser));
        dalmain::setPdfFileChooser([this](QWidget *, const QString &) { return folders.root() + QStringLiteral("/day.pdf"); });
        screen = std::make_unique<dalmain::Analyze>(dalmain::ScreenContext{nullptr, &owner});
        screen->show();
        screen->runCommand(dalmain::cmd::PeriodDay);
        owner.clear();
    }
    void TearDown() override
    {
        dalmain::setPdfFileChooser({});
        screen.reset();
        dalmain::openUserSession().clear();
    }
    std::unique_ptr<dalmain::Analyze> screen;
};

TEST_F(AnalysisPrintCommandTest, ADayWithoutARecordHasNothingToPrint)
{
    screen->calendar(dalmain::AnalysisPeriod::Day)->choose(2024, 5, 11);
    ASSERT_TRUE(screen->commandEnabled(dalmain::cmd::PrintAnalysis));
    shelltest::NoModalDialog none;
    screen->runCommand(dalmain::cmd::PrintAnalysis);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].text, QStringLiteral("データが入力されていないので印刷できません。"));
}

TEST_F(AnalysisPrintCommandTest, ADayWithARecordGoesThroughTheDialogIntoAPdf)
{
    screen->calendar(dalmain::AnalysisPeriod::Day)->choose(2024, 5, 10);
    ASSERT_TRUE(screen->commandEnabled(dalmain::cmd::PrintAnalysis));
    shelltest::whenDialog(QStringLiteral("IDD_ALZ_PRINT"), [](QWidget *d) {
        QDir().mkpath(QStringLiteral(PRINT_PNG_DIR));
        d->grab().save(QStringLiteral(PRINT_PNG_DIR "/analysis-print-dialog.png"));
        // This user has neither table.
        EXPECT_FALSE(child<QAbstractButton>(d, "Flg3_14")->isEnabled());
        EXPECT_FALSE(child<QAbstractButton>(d, "Flg3_16")->isEnabled());
        EXPECT_TRUE(child<QAbstractButton>(d, "Flg3_7")->isEnabled());
        // コメント入力 opens the day's comment, and what is entered there is printed.
        shelltest::whenDialog(QStringLiteral("IDD_ALZ_COMMENT2"), [](QWidget *comment) {
            shelltest::type(comment, "comment", QStringLiteral("朝食に野菜を足す"));
            click(comment, "ok");
        });
        click(d, "comment");
        click(d, "pdf");
    });
    screen->runCommand(dalmain::cmd::PrintAnalysis);
    EXPECT_TRUE(owner.messages().isEmpty());
    const QString text = printtest::pdfText(folders.root() + QStringLiteral("/day.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("[一日分析] 分析日付[2024/ 5/10(金)]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("栄養バランス")));
    EXPECT_TRUE(text.contains(QStringLiteral("朝食に野菜を足す"))) << text.toStdString();
}

}  // namespace
