#pragma once

#include "dalmain/print/PageGrid.h"

#include <QGroupBox>

class QButtonGroup;
class QDoubleSpinBox;

// Where a report goes on the paper, as a report's options dialog offers it: flush left,
// centred, flush right, or moved by the offsets from the paper's top and left (centimetres).
namespace dalmain {

class PositionChoice : public QGroupBox
{
    Q_OBJECT
public:
    // The offsets a report may be moved by: enough for any paper the reports print on.
    static constexpr double kMaxOffsetCm = 20.0;

    explicit PositionChoice(const ReportOptions &options, QWidget *parent = nullptr);

    PositionMode mode() const;
    // Writes "Flg1", "Top" and "Left" to section and into options.
    void store(const QString &section, ReportOptions &options) const;

private:
    void modeChosen();

    QButtonGroup *m_modes;
    QDoubleSpinBox *m_top;
    QDoubleSpinBox *m_left;
};

}  // namespace dalmain
