#pragma once

#include "dalmain/print/PageGrid.h"
#include "dalmain/print/PrintJob.h"
#include "dalmain/print/PrinterSetup.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QCheckBox;
class QHBoxLayout;

namespace dalmain {
class PositionChoice;
}

namespace quenkit {
class Owner;
}

// A report's options dialog (which blocks to print, then the printer or a PDF file) and the
// routine that puts the report on the chosen one.
namespace dalmain {

struct ReportBlock {
    int number;      // its check box "ChkFlg<number>"
    QString label;
};

struct ReportKind {
    QString dialogName;   // the dialog's object name
    QString caption;
    QString section;      // the settings section of the report's options
    QList<ReportBlock> blocks;
    std::array<bool, 14> defaults = kAllBlocks;
};

const ReportKind &userPrintKind();
const ReportKind &menuPrintKind();
const ReportKind &sportsPrintKind();
const ReportKind &weightPrintKind();

enum class PrintDestination { Printer, Pdf };

// The check boxes and the position on the paper start as stored; 印刷 and PDFに保存 store
// them before the dialog closes, so that the next report starts from the same choice.
class PrintOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    PrintOptionsDialog(const ReportKind &kind, QWidget *parent = nullptr);
    // The stored options with the blocks as ticked.
    ReportOptions options() const { return m_options; }
    PrintDestination destination() const { return m_destination; }

private:
    void finish(PrintDestination destination);

    const ReportKind &m_kind;
    QList<QCheckBox *> m_boxes;
    PositionChoice *m_position;
    ReportOptions m_options;
    PrintDestination m_destination = PrintDestination::Printer;
};

// The row of buttons every print options dialog ends with: 印刷 (the default), PDFに保存 and
// キャンセル, named "print", "pdf" and "cancel". The first two call chosen with their
// destination; キャンセル rejects dialog.
QHBoxLayout *printDialogButtons(QDialog *dialog, const std::function<void(PrintDestination)> &chosen);

// Asks for the PDF file to write: the chosen name, empty when the user cancelled. The system's
// save dialog unless a chooser is set (tests set one; an empty chooser puts the dialog back).
using PdfFileChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
void setPdfFileChooser(PdfFileChooser chooser);

// Puts report on the process printer or into a PDF file the user names, with the progress
// window of the report's kind, whose cancel button stops the job. Without an installed
// printer the user is told so and offered the PDF instead. Failures are shown through owner;
// parent's window is disabled while the pages are painted.
PrintOutcome printReport(quenkit::Owner *owner, QWidget *parent, const Report &report, const ReportOptions &options,
                         PrintDestination destination);

// A screen's print command: the no-data message when empty, otherwise the options dialog,
// then the report build makes of the chosen options goes to printReport.
void printFromScreen(quenkit::Owner *owner, QWidget *parent, const ReportKind &kind, bool empty,
                     const std::function<std::unique_ptr<Report>(const ReportOptions &)> &build);

}  // namespace dalmain
