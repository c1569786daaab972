#include "PrintTestSupport.h"
#include "SportsScreenSupport.h"

#include "dalmain/print/PrintOptions.h"
#include "dalmain/screens/weight/Weight.h"
#include "dalmain/shell/CommandIds.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCheckBox>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using sportstest::child;
using sportstest::click;
using sportstest::kUserName;
using sportstest::whenDialog;

// Ticks or unticks a check box from the keyboard, as a person tabbing through the dialog does.
void toggle(QCheckBox *box)
{
    ASSERT_NE(box, nullptr);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
}

const QString kOfferText = QStringLiteral("印刷可能なプリンタが設定されていません。\nPDFファイルに保存しますか？");

// The exercise screen's print command on a machine without a printer, the save dialog
// answered by the test: the file names it was offered, and the name it answers.
class PrintCommandTest : public sportstest::SportsScreenTest
{
protected:
    void SetUp() override
    {
        sportstest::SportsScreenTest::SetUp();
        dalmain::setPrinterCheck([] { return false; });
        dalmain::setPdfFileChooser([this](QWidget *, const QString &suggested) {
            offered.append(suggested);
            return answer;
        });
        answer = folders.root() + QStringLiteral("/filed.pdf");
    }
    void TearDown() override
    {
        dalmain::setPdfFileChooser({});
        dalmain::setPrinterCheck({});
        sportstest::SportsScreenTest::TearDown();
    }

    void enterDay()
    {
        ASSERT_EQ(cli({QStringLiteral("exercise"), QStringLiteral("set"), kUserName, QStringLiteral("2024-05-10"),
                       QStringLiteral("93:30,39:=150")})
                      .exitCode,
                  0);
        screen.reset();
        createScreen();
        owner.clear();
    }

    int stored(const QString &section, int box) const
    {
        return quenkit::GetRegistryInt(section, QStringLiteral("ChkFlg%1").arg(box), -1);
    }

    QStringList offered;
    QString answer;
};

TEST_F(PrintCommandTest, TheExerciseDayPrintsOnlyWhenItHasEntries)
{
    EXPECT_FALSE(screen->commandEnabled(dalmain::cmd::PrintSports));
    screen->runCommand(dalmain::cmd::PrintSports);
    EXPECT_TRUE(offered.isEmpty());
    enterDay();
    EXPECT_TRUE(screen->commandEnabled(dalmain::cmd::PrintSports));
}

TEST_F(PrintCommandTest, WithoutAPrinterTheDayIsFiledAsPdfWithTheBlocksTicked)
{
    enterDay();
    owner.queueAnswer(quenkit::Answer::Ok);
    whenDialog(QStringLiteral("IDD_SPORTS_PRINT"), [](QWidget *d) {
        auto *summary = child<QCheckBox>(d, "ChkFlg2");
        QDir().mkpath(QStringLiteral(PRINT_PNG_DIR));
        d->grab().save(QStringLiteral(PRINT_PNG_DIR "/sports-print-dialog.png"));
        EXPECT_TRUE(child<QCheckBox>(d, "ChkFlg1")->isChecked());
        EXPECT_TRUE(summary->isChecked());
        toggle(summary);
        click(d, "print");
    });
    screen->runCommand(dalmain::cmd::PrintSports);

    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("印刷中止"));
    EXPECT_EQ(owner.messages()[0].text, kOfferText);
    ASSERT_EQ(offered.size(), 1);
    EXPECT_EQ(QFileInfo(offered[0]).fileName(), QStringLiteral("運動記録_2024年05月10日(金).pdf"));
    const QString text = printtest::pdfText(answer);
    EXPECT_TRUE(text.contains(QStringLiteral("運動の内容"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("運動時間"))) << text.toStdString();
    EXPECT_EQ(stored(dalmain::kSportsPrintSection, 1), 1);
    EXPECT_EQ(stored(dalmain::kSportsPrintSection, 2), 0);

    // The next dialog starts from the stored choice.
    whenDialog(QStringLiteral("IDD_SPORTS_PRINT"), [](QWidget *d) {
        EXPECT_FALSE(child<QCheckBox>(d, "ChkFlg2")->isChecked());
        click(d, "cancel");
    });
    screen->runCommand(dalmain::cmd::PrintSports);
    EXPECT_EQ(offered.size(), 1);
}

TEST_F(PrintCommandTest, EachWayOfGivingUpWritesNothingAndStoresOnlyWhatWasChosen)
{
    enterDay();
    struct Case {
        const char *name;
        const char *button;              // in the options dialog
        quenkit::Answer offer;           // to the offer of a PDF, when asked
        bool chooseFile;                 // the save dialog answers a name
        int offers;                      // save dialogs shown
        int storedSummary;               // ChkFlg2 afterwards
    };
    const Case cases[] = {
        {"cancelled options", "cancel", quenkit::Answer::Ok, true, 0, 7},
        {"PDF refused without a printer", "print", quenkit::Answer::Cancel, true, 0, 0},
        {"save dialog cancelled", "pdf", quenkit::Answer::Ok, false, 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // A value the dialog never writes shows whether it stored anything.
        quenkit::SetRegistryString(dalmain::kSportsPrintSection, QStringLiteral("ChkFlg2"), QStringLiteral("7"));
        QFile::remove(answer);
        offered.clear();
        owner.clear();
        owner.queueAnswer(c.offer);
        answer = c.chooseFile ? folders.root() + QStringLiteral("/filed.pdf") : QString();
        const QString button = QString::fromLatin1(c.button);
        whenDialog(QStringLiteral("IDD_SPORTS_PRINT"), [button](QWidget *d) {
            toggle(child<QCheckBox>(d, "ChkFlg2"));
            click(d, button.toLatin1().constData());
        });
        screen->runCommand(dalmain::cmd::PrintSports);
        EXPECT_EQ(offered.size(), c.offers);
        EXPECT_FALSE(QFile::exists(folders.root() + QStringLiteral("/filed.pdf")));
        EXPECT_EQ(quenkit::GetRegistryInt(dalmain::kSportsPrintSection, QStringLiteral("ChkFlg2"), -1), c.storedSummary);
    }
}

TEST_F(PrintCommandTest, PdfChosenInTheDialogAsksNothingAndAFileThatCannotBeWrittenIsReported)
{
    enterDay();
    answer = folders.root() + QStringLiteral("/no-such-folder/filed.pdf");
    whenDialog(QStringLiteral("IDD_SPORTS_PRINT"), [](QWidget *d) { click(d, "pdf"); });
    screen->runCommand(dalmain::cmd::PrintSports);
    ASSERT_EQ(offered.size(), 1);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("印刷中止"));
    EXPECT_TRUE(owner.messages()[0].text.startsWith(QStringLiteral("PDFファイルを保存できませんでした。")))
        << owner.messages()[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(answer));
}

TEST_F(PrintCommandTest, TheWeightMonthPrintsWithItsBlocksOnceItHasAMeasurement)
{
    // The screen opens on May 2024; the person's only weight is of January.
    {
        dalmain::Weight empty(dalmain::ScreenContext{nullptr, &owner});
        EXPECT_FALSE(empty.commandEnabled(dalmain::cmd::PrintWeight));
    }
    ASSERT_EQ(cli({QStringLiteral("weight"), QStringLiteral("add"), kUserName, QStringLiteral("2024-05-03"),
                   QStringLiteral("61.2")})
                  .exitCode,
              0);
    dalmain::Weight weight(dalmain::ScreenContext{nullptr, &owner});
    weight.resize(1280, 760);
    weight.show();
    settle();
    ASSERT_TRUE(weight.commandEnabled(dalmain::cmd::PrintWeight));
    owner.clear();
    whenDialog(QStringLiteral("IDD_WEIGHT_PRINT"), [](QWidget *d) {
        for (const char *box : {"ChkFlg1", "ChkFlg2", "ChkFlg3", "ChkFlg4", "ChkFlg5"})
            EXPECT_TRUE(child<QCheckBox>(d, box)->isChecked()) << box;
        d->grab().save(QStringLiteral(PRINT_PNG_DIR "/weight-print-dialog.png"));
        toggle(child<QCheckBox>(d, "ChkFlg3"));
        click(d, "pdf");
    });
    weight.runCommand(dalmain::cmd::PrintWeight);
    EXPECT_TRUE(owner.messages().isEmpty());
    const QString text = printtest::pdfText(answer);
    EXPECT_TRUE(text.contains(QStringLiteral("体重記録"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("61.2"))) << text.toStdString();
    EXPECT_EQ(stored(dalmain::kWeightPrintSection, 3), 0);
    EXPECT_EQ(stored(dalmain::kWeightPrintSection, 4), 1);
    EXPECT_EQ(printtest::renderPages(answer, QStringLiteral("weight-screen")), printtest::pdfPageCount(answer));
}

}  // namespace
