#include "dalmain/print/PrintOptions.h"

#include "dalmain/print/PositionChoice.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/printer/AbortDlg.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalmain {

namespace {

PdfFileChooser &pdfChooser()
{
    static PdfFileChooser chooser;
    return chooser;
}

QString choosePdfFile(QWidget *parent, const QString &suggested)
{
    if (pdfChooser())
        return pdfChooser()(parent, suggested);
    return QFileDialog::getSaveFileName(parent, QStringLiteral("PDFに保存"), suggested,
                                        QStringLiteral("PDFファイル (*.pdf)"));
}

// "運動記録_2024年05月10日(金).pdf" in the home folder: the title and the date say which
// report a filed copy is.
QString suggestedPdfName(const Report &report)
{
    QString name = report.title() + QLatin1Char('_') + report.dateText();
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    name.remove(QLatin1Char(' '));
    return QDir::home().filePath(name + QStringLiteral(".pdf"));
}

const QString kPdfFailed = QStringLiteral("PDFファイルを保存できませんでした。\n%1");
const QString kPrintFailed = QStringLiteral("印刷できませんでした。\n%1");
const QString kOfferPdf = QStringLiteral("印刷可能なプリンタが設定されていません。\nPDFファイルに保存しますか？");

}  // namespace

const ReportKind &userPrintKind()
{
    static const ReportKind kind{QStringLiteral("IDD_USER_PRINT"), QStringLiteral("ユーザー情報の印刷"), kUserPrintSection,
                                 {{1, QStringLiteral("基本情報")}, {2, QStringLiteral("食事摂取基準の値")}}};
    return kind;
}

const ReportKind &menuPrintKind()
{
    static const ReportKind kind{QStringLiteral("IDD_MENU_PRINT"), QStringLiteral("献立の印刷"), kMenuPrintSection,
                                 {{1, QStringLiteral("献立")}, {2, QStringLiteral("栄養素の摂取量")}}};
    return kind;
}

const ReportKind &sportsPrintKind()
{
    static const ReportKind kind{QStringLiteral("IDD_SPORTS_PRINT"), QStringLiteral("運動記録の印刷"), kSportsPrintSection,
                                 {{1, QStringLiteral("運動の内容")}, {2, QStringLiteral("消費エネルギー")}}};
    return kind;
}

const ReportKind &weightPrintKind()
{
    static const ReportKind kind{QStringLiteral("IDD_WEIGHT_PRINT"), QStringLiteral("体重記録の印刷"), kWeightPrintSection,
                                 {{1, QStringLiteral("測定値")},
                                  {2, QStringLiteral("月の平均と標準との差")},
                                  {3, QStringLiteral("標準値と目標")},
                                  {4, QStringLiteral("BMIチャート")},
                                  {5, QStringLiteral("月間グラフ")}}};
    return kind;
}

QHBoxLayout *printDialogButtons(QDialog *dialog, const std::function<void(PrintDestination)> &chosen)
{
    auto *buttons = new QHBoxLayout;
    auto *print = new QPushButton(QStringLiteral("印刷"), dialog);
    auto *pdf = new QPushButton(QStringLiteral("PDFに保存"), dialog);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), dialog);
    print->setObjectName(QStringLiteral("print"));
    pdf->setObjectName(QStringLiteral("pdf"));
    cancel->setObjectName(QStringLiteral("cancel"));
    print->setDefault(true);
    buttons->addStretch();
    for (QPushButton *b : {print, pdf, cancel})
        buttons->addWidget(b);
    QObject::connect(print, &QPushButton::clicked, dialog, [chosen] { chosen(PrintDestination::Printer); });
    QObject::connect(pdf, &QPushButton::clicked, dialog, [chosen] { chosen(PrintDestination::Pdf); });
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

PrintOptionsDialog::PrintOptionsDialog(const ReportKind &kind, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_options(readReportOptions(kind.section, kind.defaults))
{
    setObjectName(kind.dialogName);
    setWindowTitle(kind.caption);
    auto *layout = new QVBoxLayout(this);
    for (const ReportBlock &block : kind.blocks) {
        auto *box = new QCheckBox(block.label, this);
        box->setObjectName(QStringLiteral("ChkFlg%1").arg(block.number));
        box->setChecked(m_options.block(block.number));
        layout->addWidget(box);
        m_boxes.append(box);
    }
    m_position = new PositionChoice(m_options, this);
    layout->addWidget(m_position);
    layout->addLayout(printDialogButtons(this, [this](PrintDestination destination) { finish(destination); }));
}

void PrintOptionsDialog::finish(PrintDestination destination)
{
    for (qsizetype i = 0; i < m_boxes.size(); ++i) {
        const int number = m_kind.blocks[i].number;
        const bool on = m_boxes[i]->isChecked();
        m_options.blocks[number - 1] = on;
        quenkit::SetRegistryInt(m_kind.section, QStringLiteral("ChkFlg%1").arg(number), on ? 1 : 0);
    }
    m_position->store(m_kind.section, m_options);
    m_destination = destination;
    accept();
}

void setPdfFileChooser(PdfFileChooser chooser)
{
    pdfChooser() = std::move(chooser);
}

PrintOutcome printReport(quenkit::Owner *owner, QWidget *parent, const Report &report, const ReportOptions &options,
                         PrintDestination destination)
{
    if (report.isEmpty()) {
        quenkit::inform(owner, kNoPrinterCaption, kNoDataMessage, quenkit::Icon::Warning);
        return PrintOutcome::NoData;
    }
    if (destination == PrintDestination::Printer && !printerInstalled()) {
        const quenkit::Message offer{kNoPrinterCaption, kOfferPdf, quenkit::Buttons::OkCancel, quenkit::Icon::Question,
                                     quenkit::Answer::Ok};
        if (quenkit::ask(owner, offer) != quenkit::Answer::Ok)
            return PrintOutcome::Cancelled;
        destination = PrintDestination::Pdf;
    }
    PrintRequest request;
    request.options = options;
    request.window = parent ? parent->window() : nullptr;
    // The progress window's cancel button is heard while the job lets the events run between
    // its pages and blocks.
    request.cancelled = [] { return !quenkit::AbortProc(); };
    QString error;
    if (destination == PrintDestination::Pdf) {
        const QString file = choosePdfFile(parent, suggestedPdfName(report));
        if (file.isEmpty())
            return PrintOutcome::Cancelled;
        const quenkit::AbortDlg progress(report.progressKind(), request.window);
        const PrintOutcome outcome = printToPdf(report, request, file, &error);
        if (outcome == PrintOutcome::Failed)
            quenkit::inform(owner, kNoPrinterCaption, kPdfFailed.arg(error), quenkit::Icon::Warning);
        return outcome;
    }
    if (refreshPrinter(owner) < 0)
        return PrintOutcome::Failed;
    const quenkit::AbortDlg progress(report.progressKind(), request.window);
    const PrintOutcome outcome = printToPrinter(report, request, processPrinter(), &error);
    if (outcome == PrintOutcome::Failed)
        quenkit::inform(owner, kNoPrinterCaption, kPrintFailed.arg(error), quenkit::Icon::Warning);
    return outcome;
}

void printFromScreen(quenkit::Owner *owner, QWidget *parent, const ReportKind &kind, bool empty,
                     const std::function<std::unique_ptr<Report>(const ReportOptions &)> &build)
{
    if (empty) {
        quenkit::inform(owner, kNoPrinterCaption, kNoDataMessage, quenkit::Icon::Warning);
        return;
    }
    PrintOptionsDialog dialog(kind, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::unique_ptr<Report> report = build(dialog.options());
    printReport(owner, parent, *report, dialog.options(), dialog.destination());
}

}  // namespace dalmain
