#include "PrintTestSupport.h"
#include "SportsScreenSupport.h"

#include "dalmain/print/PageGrid.h"
#include "dalmain/print/PrinterSetup.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/DalmainView.h"
#include "dalmain/shell/MainFrame.h"
#include "dalmain/shell/Screens.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/registry/SettingsStore.h"

#include <QAbstractButton>
#include <QDialog>
#include <QPrinter>

#include <gtest/gtest.h>

namespace {

const QString kAnalyzePrint = QStringLiteral("Dalmora Analyze Print");

// The printer set-up command with the system's dialog answered by the test: what the printer
// held when the dialog opened, whether the month grid took clicks meanwhile, and the choice.
class PrinterSetupTest : public sportstest::SportsScreenTest
{
protected:
    struct Seen {
        QPageLayout::Orientation orientation;
        QPageSize::PageSizeId paper;
        bool gridEnabled;
    };

    void SetUp() override
    {
        sportstest::SportsScreenTest::SetUp();
        dalmain::setPrinterCheck([] { return true; });
        dalmain::setPageSetupChooser([this](QPrinter &printer, QWidget *) {
            const quenkit::DMCalendar *picker = screen->findChild<quenkit::DMCalendar *>();
            seen.append({printer.pageLayout().orientation(), printer.pageLayout().pageSize().id(),
                         picker && picker->isMonthlyCalendarEnabled()});
            if (!choice)
                return false;
            printer.setPageOrientation(choice->first);
            printer.setPageSize(QPageSize(choice->second));
            return true;
        });
        m_before = dalmain::processPrinter().pageLayout();
    }
    void TearDown() override
    {
        dalmain::processPrinter().setPageLayout(m_before);
        dalmain::setPageSetupChooser({});
        dalmain::setPrinterCheck({});
        sportstest::SportsScreenTest::TearDown();
    }

    static void setPrinterPaper(QPageLayout::Orientation orientation, QPageSize::PageSizeId paper)
    {
        dalmain::processPrinter().setPageOrientation(orientation);
        dalmain::processPrinter().setPageSize(QPageSize(paper));
    }
    static QString stored(const QString &section, const QString &name)
    {
        QString value;
        quenkit::GetRegistryString(section, name, nullptr, value);
        return value;
    }

    QList<Seen> seen;
    std::optional<std::pair<QPageLayout::Orientation, QPageSize::PageSizeId>> choice;

private:
    QPageLayout m_before;
};

TEST_F(PrinterSetupTest, TheMenuAndAnalysisScreensKeepTheChoiceForTheirReportAndTheOthersForThePrinter)
{
    using O = QPageLayout;
    struct Case {
        const char *name;
        int screen;
        QString section;                       // where the set-up keeps the choice; empty: the printer
        QString storedOrientation, storedPaper; // before the set-up
        std::optional<std::pair<O::Orientation, QPageSize::PageSizeId>> choice;  // none: cancelled
        O::Orientation shownOrientation;       // what the dialog opened with
        QPageSize::PageSizeId shownPaper;
        QString orientationAfter, paperAfter;  // in the section
        O::Orientation printerOrientation;     // the printer afterwards
        QPageSize::PageSizeId printerPaper;
    };
    const QString menu = dalmain::kMenuPrintSection;
    const QString b5 = QString::number(QPageSize::B5);
    const QString a5 = QString::number(QPageSize::A5);
    const QString letter = QString::number(QPageSize::Letter);
    const Case cases[] = {
        {"menu, nothing stored: landscape", dalmain::MenuScreen, menu, {}, {}, std::pair{O::Portrait, QPageSize::B5},
         O::Landscape, QPageSize::A4, QStringLiteral("1"), b5, O::Portrait, QPageSize::A4},
        {"menu, stored paper, cancelled", dalmain::MenuScreen, menu, QStringLiteral("1"), a5, std::nullopt,
         O::Portrait, QPageSize::A5, QStringLiteral("1"), a5, O::Portrait, QPageSize::A4},
        {"analysis, nothing stored: portrait", dalmain::AnalyzeScreen, kAnalyzePrint, {}, {},
         std::pair{O::Landscape, QPageSize::Letter}, O::Portrait, QPageSize::A4, QStringLiteral("2"), letter,
         O::Portrait, QPageSize::A4},
        {"exercise: the printer keeps the choice", dalmain::SportsScreen, {}, {}, {}, std::pair{O::Landscape, QPageSize::A5},
         O::Portrait, QPageSize::A4, {}, {}, O::Landscape, QPageSize::A5},
        {"user screen, cancelled", dalmain::UserScreen, {}, {}, {}, std::nullopt, O::Portrait, QPageSize::A4, {}, {},
         O::Portrait, QPageSize::A4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString &section : {menu, kAnalyzePrint}) {
            quenkit::DeleteRegistryString(section, QStringLiteral("Orientation"));
            quenkit::DeleteRegistryString(section, QStringLiteral("PaperSize"));
        }
        if (!c.storedOrientation.isEmpty())
            quenkit::SetRegistryString(c.section, QStringLiteral("Orientation"), c.storedOrientation);
        if (!c.storedPaper.isEmpty())
            quenkit::SetRegistryString(c.section, QStringLiteral("PaperSize"), c.storedPaper);
        setPrinterPaper(O::Portrait, QPageSize::A4);
        seen.clear();
        choice = c.choice;
        owner.clear();

        dalmain::runPrinterSetup(&owner, screen.get(), c.screen);

        ASSERT_EQ(seen.size(), 1);
        EXPECT_EQ(seen[0].orientation, c.shownOrientation);
        EXPECT_EQ(seen[0].paper, c.shownPaper);
        EXPECT_FALSE(seen[0].gridEnabled) << "the month grid is held while the dialog is open";
        EXPECT_TRUE(screen->findChild<quenkit::DMCalendar *>()->isMonthlyCalendarEnabled());
        EXPECT_TRUE(owner.messages().isEmpty());
        for (const QString &section : {menu, kAnalyzePrint}) {
            const bool own = section == c.section;
            EXPECT_EQ(stored(section, QStringLiteral("Orientation")), own ? c.orientationAfter : QString()) << section.toStdString();
            EXPECT_EQ(stored(section, QStringLiteral("PaperSize")), own ? c.paperAfter : QString()) << section.toStdString();
        }
        EXPECT_EQ(dalmain::processPrinter().pageLayout().orientation(), c.printerOrientation);
        EXPECT_EQ(dalmain::processPrinter().pageLayout().pageSize().id(), c.printerPaper);
    }
}

TEST_F(PrinterSetupTest, WithoutAPrinterTheCommandSaysSoAndShowsNoDialog)
{
    dalmain::setPrinterCheck([] { return false; });
    choice = std::pair{QPageLayout::Landscape, QPageSize::A5};
    dalmain::runPrinterSetup(&owner, screen.get(), dalmain::MenuScreen);
    EXPECT_TRUE(seen.isEmpty());
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("印刷中止"));
    EXPECT_EQ(owner.messages()[0].text, QStringLiteral("印刷可能なプリンタが設定されていません。"));
    EXPECT_EQ(stored(dalmain::kMenuPrintSection, QStringLiteral("Orientation")), QString());
    EXPECT_EQ(dalmain::refreshPrinter(nullptr), -1);
}

TEST_F(PrinterSetupTest, TheViewRoutesTheCommandOnEveryScreenToTheSetUpOfThatScreen)
{
    const std::unique_ptr<dalmain::MainFrame> frame = startRecording();
    dalmain::DalmainView *view = frame->view();
    choice = std::pair{QPageLayout::Portrait, QPageSize::B5};
    for (int n = 0; n < dalmain::kScreenCount; ++n) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(view->switchScreen(n));
        EXPECT_TRUE(view->commandEnabled(dalmain::cmd::PrinterSetup));
        seen.clear();
        EXPECT_TRUE(view->runCommand(dalmain::cmd::PrinterSetup));
        EXPECT_EQ(seen.size(), 1);
    }
    // Only the menu and analysis screens stored the choice for their reports.
    EXPECT_EQ(stored(dalmain::kMenuPrintSection, QStringLiteral("PaperSize")), QString::number(QPageSize::B5));
    EXPECT_EQ(stored(kAnalyzePrint, QStringLiteral("Orientation")), QStringLiteral("1"));
    EXPECT_EQ(stored(dalmain::kSportsPrintSection, QStringLiteral("PaperSize")), QString());
}

// The system's own set-up dialog, as the program shows it when no test answers for it.
TEST_F(PrinterSetupTest, TheSystemsSetUpDialogChoosesThePaperOfTheAnalysisReport)
{
    dalmain::setPageSetupChooser({});
    quenkit::DeleteRegistryString(kAnalyzePrint, QStringLiteral("Orientation"));
    setPrinterPaper(QPageLayout::Portrait, QPageSize::A4);
    bool shown = false;
    sportstest::whenDialog(QStringLiteral("PrinterSetupDialog"), [&shown](QWidget *d) {
        shown = true;
        EXPECT_EQ(d->windowTitle(), QStringLiteral("プリンタの設定"));
        d->grab().save(QStringLiteral(PRINT_PNG_DIR "/printer-setup-dialog.png"));
        // Qt's own page set-up names its orientation buttons.
        auto *landscape = d->findChild<QAbstractButton *>(QStringLiteral("landscape"));
        ASSERT_NE(landscape, nullptr);
        landscape->click();
        qobject_cast<QDialog *>(d)->accept();
    });
    dalmain::runPrinterSetup(&owner, screen.get(), dalmain::AnalyzeScreen);
    EXPECT_TRUE(shown);
    EXPECT_EQ(stored(kAnalyzePrint, QStringLiteral("Orientation")), QStringLiteral("2"));
    EXPECT_EQ(dalmain::processPrinter().pageLayout().orientation(), QPageLayout::Portrait);
}

}  // namespace
