#pragma once

#include "dalmain/analysis/AnalysisExport.h"

#include <QDialog>
#include <QMap>

class QAbstractButton;
class QComboBox;

namespace dalmain {

// What the options of a save or a copy can include for the analysis shown.
struct ExportAvailability {
    bool history = true;        // not for a year
    bool exchangeTable = false;
    bool groupTable = false;
};

// IDD_ALZ_WRITE_SELECT ("分析結果の保存") and IDD_ALZ_COPY_SELECT ("分析結果のコピー"): the
// sections to include, the nutrients the table lists and, for the copy, the text kind. The
// boxes open with the stored options, and options() gives what the user left ticked.
class AnalyzeExportDialog : public QDialog
{
    Q_OBJECT
public:
    AnalyzeExportDialog(ExportTarget target, const ExportOptions &options, const ExportAvailability &available,
                        QWidget *parent = nullptr);

    // The options as the boxes show them; the kind of a save stays as it came in (the file
    // type chosen after the dialog sets it).
    ExportOptions options() const;

    // The check box of option n, null when this dialog has none.
    QAbstractButton *optionBox(int option) const { return m_boxes.value(option); }
    QComboBox *kindBox() const { return m_kind; }

private:
    ExportTarget m_target;
    ExportOptions m_options;
    QMap<int, QAbstractButton *> m_boxes;
    QAbstractButton *m_shown = nullptr;
    QComboBox *m_kind = nullptr;
};

}  // namespace dalmain
