#include "dalmain/print/PrinterSetup.h"

#include "dalmain/print/PageGrid.h"
#include "dalmain/print/PageSetup.h"
#include "dalmain/print/PrintJob.h"
#include "dalmain/shell/DalmainView.h"
#include "dalmain/shell/DialogRegistry.h"
#include "dalmain/shell/Screens.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/owner/Owner.h"

#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace dalmain {

namespace {

// The analysis report's own section: the set-up stores its paper there.
const QString kAnalysisPaperSection = QStringLiteral("Dalmora Analyze Print");

std::function<bool()> &printerCheck()
{
    static std::function<bool()> check;
    return check;
}

PageSetupChooser &setupChooser()
{
    static PageSetupChooser chooser;
    return chooser;
}

bool chooseSetup(QPrinter &printer, QWidget *parent)
{
    if (setupChooser())
        return setupChooser()(printer, parent);
    QPageSetupDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog"));
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    return dialog.exec() == QDialog::Accepted;
}

// The report whose paper the set-up of screen stores, with the orientation it has until one
// is stored; no section on the screens whose reports print on the printer's paper.
struct PaperOwner {
    QString section;
    QPageLayout::Orientation fallback = QPageLayout::Portrait;
};

PaperOwner paperOwnerOf(int screen)
{
    switch (screen) {
    case MenuScreen: return {kMenuPrintSection, QPageLayout::Landscape};
    case AnalyzeScreen: return {kAnalysisPaperSection, QPageLayout::Portrait};
    default: return {};
    }
}

const DialogRegistration registration(QStringLiteral("PrinterSetup"), [](const DialogContext &c) {
    runPrinterSetup(c.owner, c.parent, c.view ? c.view->currentScreen() : UserScreen);
});

}  // namespace

QPrinter &processPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void setPrinterCheck(std::function<bool()> check)
{
    printerCheck() = std::move(check);
}

bool printerInstalled()
{
    return printerCheck() ? printerCheck()() : !QPrinterInfo::availablePrinters().isEmpty();
}

int refreshPrinter(quenkit::Owner *owner)
{
    if (!printerInstalled()) {
        quenkit::inform(owner, kNoPrinterCaption, kNoPrinterMessage, quenkit::Icon::Warning);
        return -1;
    }
    QPrinter &printer = processPrinter();
    const QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty() || name == printer.printerName())
        return 0;
    printer.setPrinterName(name);
    return 1;
}

void setPageSetupChooser(PageSetupChooser chooser)
{
    setupChooser() = std::move(chooser);
}

void runPrinterSetup(quenkit::Owner *owner, QWidget *parent, int screen)
{
    if (refreshPrinter(owner) < 0)
        return;
    QPrinter &printer = processPrinter();
    const PaperOwner paperOwner = paperOwnerOf(screen);
    const QPageLayout previous = printer.pageLayout();
    if (!paperOwner.section.isEmpty()) {
        const StoredPaper stored = readStoredPaper(paperOwner.section, paperOwner.fallback);
        printer.setPageOrientation(stored.orientation);
        if (stored.size)
            printer.setPageSize(*stored.size);
    }
    quenkit::SetMonthlyCalendar(parent, false);
    const bool chosen = chooseSetup(printer, parent);
    quenkit::SetMonthlyCalendar(parent, true);
    if (paperOwner.section.isEmpty())
        return;
    if (chosen)
        writeStoredPaper(paperOwner.section, printer.pageLayout().orientation(), printer.pageLayout().pageSize());
    printer.setPageLayout(previous);
}

}  // namespace dalmain
