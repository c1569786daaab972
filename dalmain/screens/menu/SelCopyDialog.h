#pragma once

#include "dalmain/userdata/DayMenu.h"

#include <QDialog>

#include <array>

class QCheckBox;

namespace dalmain {

// What まとめてコピー puts into the text and the block.
struct DayCopyOptions {
    bool nutrientHeading = true;  // the nutrient heading line first
    bool mealHeadings = true;     // a heading line before each meal
    std::array<bool, kMealCount> meals{true, true, true, true};

    bool anyMeal() const { return meals[0] || meals[1] || meals[2] || meals[3]; }
};

// The options as the user left them ("Dalmora Menu", SelCopyFlg1-6, each 1 unless set to 0).
DayCopyOptions savedDayCopyOptions();

// "まとめてコピー" (IDD_MENU_SELCOPY): the headings and meals to copy, from and into the
// settings. OK with no meal ticked counts as Cancel.
class SelCopyDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SelCopyDialog(QWidget *parent = nullptr);

    DayCopyOptions options() const;
    void accept() override;

private:
    // In the order of the settings SelCopyFlg1-6.
    std::array<QCheckBox *, 6> m_boxes{};
};

}  // namespace dalmain
