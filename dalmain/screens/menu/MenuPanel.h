#pragma once

#include "dalmain/master/IntakeStandard.h"
#include "dalmain/master/Nutrients.h"

#include <QTableWidget>

namespace dalmain {

// The judgement panel beside the grid: the day's total of every nutrient against the open
// user's reference values, judged (mode 0, "充足判定") or as the sufficiency rate (mode 1,
// "充足確率").
class MenuPanel : public QTableWidget
{
    Q_OBJECT
public:
    explicit MenuPanel(QWidget *parent = nullptr);

    void show(const NutrientVector &dayTotal, const IntakeStandard &standard, int mode);
    int mode() const { return m_mode; }
    // The intake column's text of a nutrient, as drawn.
    QString intakeText(int nutrient) const;

private:
    int m_mode = 0;
};

// The reference column: "L～U", "L～", "～U" or empty.
QString panelReference(int nutrient, const IntakeBound &bound);

}  // namespace dalmain
