#pragma once

#include "dalmain/analysis/AnalysisText.h"
#include "dalmain/print/AnalysisPrintOptions.h"
#include "dalmain/print/PrintOptions.h"

#include <QDialog>
#include <QMap>

#include <functional>

class QAbstractButton;
class QLineEdit;

namespace quenkit {
class Owner;
}

// IDD_ALZ_PRINT ("分析結果の印刷"): which parts of the analysis to print, in colour or in
// monochrome, where on the page, with which nutrients, one or two pages to a sheet, and then the
// printer or a PDF file. The boxes open as stored; a box the analysis shown cannot print is
// disabled and counts as off.
namespace dalmain {

class AnalysisPrintDialog : public QDialog
{
    Q_OBJECT
public:
    // editComment opens the comment of the period shown; without one the コメント入力 button is
    // disabled.
    AnalysisPrintDialog(quenkit::Owner *owner, const AnalysisPrintOptions &options,
                        const AnalysisPrintAvailability &available, std::function<void(QWidget *)> editComment,
                        QWidget *parent = nullptr);

    // The options as the dialog shows them.
    AnalysisPrintOptions options() const;
    PrintDestination destination() const { return m_destination; }

    QAbstractButton *box(int n) const { return m_boxes.value(n); }

private:
    // 印刷 and PDFに保存: refused while no section is ticked, else the options are stored.
    void finish(PrintDestination destination);

    quenkit::Owner *m_owner;
    AnalysisPrintOptions m_options;
    QMap<int, QAbstractButton *> m_boxes;
    QAbstractButton *m_monochrome = nullptr;
    QAbstractButton *m_margins = nullptr;
    QLineEdit *m_top = nullptr;
    QLineEdit *m_left = nullptr;
    QAbstractButton *m_shownNutrients = nullptr;
    QAbstractButton *m_twoColumns = nullptr;
    PrintDestination m_destination = PrintDestination::Printer;
};

// What the dialog can offer for report: no history for a year, the tables and their radar
// charts only when the person has them.
AnalysisPrintAvailability analysisPrintAvailability(const AnalysisReport &report);

// The analysis screen's print command: the no-data message when the period has no menu
// record, otherwise the dialog, then the report with the chosen options to the printer or a
// PDF file (printReport).
void printAnalysis(quenkit::Owner *owner, QWidget *parent, const AnalysisReport &report,
                   std::function<void(QWidget *)> editComment);

inline const QString kNoAnalysisSectionCaption = QStringLiteral("印刷の確認");
inline const QString kNoAnalysisSectionMessage = QStringLiteral("印刷する分析結果が設定されていません。");

}  // namespace dalmain
