#include "PrintTestSupport.h"
#include "SportsScreenSupport.h"

#include "dalmain/print/PrintOptions.h"
#include "dalmain/screens/user/UserInfomation.h"
#include "dalmain/screens/weight/Weight.h"
#include "dalmain/shell/CommandIds.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/printer/AbortDlg.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

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

// Watches for the progress window of a job: its caption and whether the month grid took
// clicks when it showed; with cancel it presses the window's cancel button at the first chance
// the job gives the events, that is before the first page.
class ProgressWatcher : public QObject
{
public:
    ProgressWatcher(bool cancel, std::function<bool()> gridEnabled) : m_cancel(cancel), m_gridEnabled(std::move(gridEnabled))
    {
        qApp->installEventFilter(this);
    }
    ~ProgressWatcher() override { qApp->removeEventFilter(this); }

    QStringList captions;
    QList<bool> gridEnabledWhenShown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("AbortDlg")) {
            auto *window = static_cast<quenkit::AbortDlg *>(watched);
            captions.append(window->windowTitle());
            gridEnabledWhenShown.append(m_gridEnabled());
            if (m_cancel)
                QTimer::singleShot(0, window->cancelButton(), &QPushButton::click);
        }
        return false;
    }

private:
    bool m_cancel;
    std::function<bool()> m_gridEnabled;
};

TEST_F(PrintCommandTest, TheProgressWindowsCancelButtonStopsThePdfBeforeItsFirstPage)
{
    enterDay();
    const quenkit::DMCalendar *picker = screen->findChild<quenkit::DMCalendar *>();
    ASSERT_NE(picker, nullptr);
    struct Case {
        bool cancel;
        bool written;
    };
    for (const Case c : {Case{true, false}, Case{false, true}}) {
        SCOPED_TRACE(c.cancel ? "cancelled" : "printed");
        QFile::remove(answer);
        const ProgressWatcher watcher(c.cancel, [picker] { return picker->isMonthlyCalendarEnabled(); });
        whenDialog(QStringLiteral("IDD_SPORTS_PRINT"), [](QWidget *d) { click(d, "pdf"); });
        screen->runCommand(dalmain::cmd::PrintSports);
        EXPECT_EQ(watcher.captions, QStringList{QStringLiteral("運動印刷")});
        EXPECT_EQ(watcher.gridEnabledWhenShown, QList<bool>{false});
        EXPECT_EQ(QFile::exists(answer), c.written);
        EXPECT_TRUE(picker->isMonthlyCalendarEnabled());
        EXPECT_TRUE(screen->isEnabled());
        EXPECT_TRUE(owner.messages().isEmpty());
    }
}

TEST_F(PrintCommandTest, ThePrinterCancelledFromTheProgressWindowGetsItsOrientationBack)
{
    enterDay();
    dalmain::setPrinterCheck([] { return true; });
    QPrinter &printer = dalmain::processPrinter();
    const QPageLayout before = printer.pageLayout();
    const QString output = folders.root() + QStringLiteral("/printer.pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(output);
    printer.setPageOrientation(QPageLayout::Landscape);
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel);
        const ProgressWatcher watcher(cancel, [] { return true; });
        whenDialog(QStringLiteral("IDD_SPORTS_PRINT"), [](QWidget *d) { click(d, "print"); });
        screen->runCommand(dalmain::cmd::PrintSports);
        EXPECT_EQ(watcher.captions, QStringList{QStringLiteral("運動印刷")});
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_TRUE(screen->isEnabled());
        EXPECT_TRUE(owner.messages().isEmpty());
        EXPECT_TRUE(offered.isEmpty()) << "a printer is there: no PDF is offered";
    }
    // Printed the second time, in the report's own orientation: A4 portrait.
    const QSizeF page = printtest::pdfPageSize(output);
    EXPECT_NEAR(page.width(), 595, 1);
    EXPECT_NEAR(page.height(), 842, 1);
    EXPECT_TRUE(printtest::pdfText(output).contains(QStringLiteral("運動記録")));
    printer.setOutputFileName(QString());
    printer.setPageLayout(before);
}

TEST_F(PrintCommandTest, ThePositionChosenInTheDialogIsStoredAndMovesThePage)
{
    enterDay();
    whenDialog(QStringLiteral("IDD_SPORTS_PRINT"), [](QWidget *d) {
        EXPECT_TRUE(child<QRadioButton>(d, "Flg1_0")->isChecked());
        EXPECT_FALSE(child<QWidget>(d, "Top")->isEnabled());
        click(d, "pdf");
    });
    screen->runCommand(dalmain::cmd::PrintSports);
    const QPointF left = printtest::pdfWordCorner(answer, QStringLiteral("運動記録"));
    ASSERT_GE(left.x(), 0.0);

    whenDialog(QStringLiteral("IDD_SPORTS_PRINT"), [](QWidget *d) {
        click(d, "Flg1_3");
        for (const auto &[name, text] : {std::pair{"Top", "2.5"}, std::pair{"Left", "3"}}) {
            auto *box = child<QDoubleSpinBox>(d, name);
            EXPECT_TRUE(box->isEnabled());
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QString::fromLatin1(text));
        }
        d->grab().save(QStringLiteral(PRINT_PNG_DIR "/sports-print-dialog-position.png"));
        click(d, "pdf");
    });
    screen->runCommand(dalmain::cmd::PrintSports);
    const auto value = [](const char *name) {
        QString text;
        quenkit::GetRegistryString(dalmain::kSportsPrintSection, QString::fromLatin1(name), nullptr, text);
        return text;
    };
    EXPECT_EQ(value("Flg1"), QStringLiteral("3"));
    EXPECT_EQ(value("Top"), QStringLiteral("2.5"));
    EXPECT_EQ(value("Left"), QStringLiteral("3.0"));
    // 3 cm and 2.5 cm are 85.0 and 70.9 points.
    const QPointF moved = printtest::pdfWordCorner(answer, QStringLiteral("運動記録"));
    EXPECT_NEAR(moved.x() - left.x(), 85.0, 1.0);
    EXPECT_NEAR(moved.y() - left.y(), 70.9, 1.0);

    // The next dialog starts where this one ended.
    whenDialog(QStringLiteral("IDD_SPORTS_PRINT"), [](QWidget *d) {
        EXPECT_TRUE(child<QRadioButton>(d, "Flg1_3")->isChecked());
        EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>(d, "Top")->value(), 2.5);
        click(d, "cancel");
    });
    screen->runCommand(dalmain::cmd::PrintSports);
}

TEST_F(PrintCommandTest, TheUserScreenPrintsTheOpenUser)
{
    dalmain::UserInfomation user(dalmain::ScreenContext{nullptr, &owner});
    ASSERT_TRUE(user.commandEnabled(dalmain::cmd::PrintUser));
    whenDialog(QStringLiteral("IDD_USER_PRINT"), [](QWidget *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("ユーザー情報の印刷"));
        EXPECT_TRUE(child<QCheckBox>(d, "ChkFlg1")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(d, "ChkFlg2")->isChecked());
        d->grab().save(QStringLiteral(PRINT_PNG_DIR "/user-print-dialog.png"));
        click(d, "pdf");
    });
    const ProgressWatcher watcher(false, [] { return true; });
    user.runCommand(dalmain::cmd::PrintUser);
    EXPECT_EQ(watcher.captions, QStringList{QStringLiteral("ユーザー情報印刷")});
    ASSERT_EQ(offered.size(), 1);
    EXPECT_TRUE(QFileInfo(offered[0]).fileName().startsWith(QStringLiteral("ユーザー情報_"))) << offered[0].toStdString();
    const QString text = printtest::pdfText(answer);
    EXPECT_TRUE(text.contains(QStringLiteral("基本情報"))) << text.toStdString();
    EXPECT_TRUE(text.contains(kUserName)) << text.toStdString();

    // Without an open user there is nothing to print.
    dalmain::openUserSession().clear();
    const dalmain::UserInfomation empty(dalmain::ScreenContext{nullptr, &owner});
    EXPECT_FALSE(empty.commandEnabled(dalmain::cmd::PrintUser));
}

}  // namespace
