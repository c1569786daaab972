#pragma once

#include "dalmain/userdata/ExerciseLogClipboard.h"

#include <QDialog>

#include <array>

class QCheckBox;

namespace dalmain {

// The options as the user left them ("Dalmora Sports", SelCopyFlg1-3, each 1 unless set to 0).
CopyAllOptions savedCopyAllOptions();

// "まとめてコピー" (IDD_SPORTS_SELCOPY): whether the copied day has the heading line, the
// totals and the day's guideline; OK stores the choice.
class SportsSelCopyDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SportsSelCopyDialog(QWidget *parent = nullptr);

    CopyAllOptions options() const;
    void accept() override;

private:
    std::array<QCheckBox *, 3> m_boxes{};
};

}  // namespace dalmain
