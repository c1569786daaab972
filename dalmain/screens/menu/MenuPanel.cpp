#include "dalmain/screens/menu/MenuPanel.h"

#include "dalmain/analysis/Sufficiency.h"
#include "dalmain/master/NutrientDisplay.h"

#include <QHeaderView>

namespace dalmain {

namespace {

enum Column { NameColumn, IntakeColumn, ReferenceColumn, DifferenceColumn, JudgementColumn, ColumnCount };

QColor toneOf(int code)
{
    if (code < 0)
        return QColor(0x1f, 0x4f, 0xc8);  // short: blue
    if (code > 0 && code != 999)
        return QColor(0xc8, 0x1f, 0x1f);  // too much: red
    return QColor(0x1a, 0x7a, 0x2a);
}

}  // namespace

QString panelReference(int nutrient, const IntakeBound &bound)
{
    return formatReference(nutrient, bound.lower, bound.upper);
}

MenuPanel::MenuPanel(QWidget *parent)
    : QTableWidget(kNutrientCount, ColumnCount, parent)
{
    setObjectName(QStringLiteral("MenuPanel"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setStretchLastSection(true);
    for (int n = 0; n < kNutrientCount; ++n) {
        auto *name = new QTableWidgetItem(QStringLiteral("%1(%2)").arg(nutrientDisplayName(n), nutrientDisplayUnit(n)));
        setItem(n, NameColumn, name);
        for (int c = IntakeColumn; c < ColumnCount; ++c) {
            auto *cell = new QTableWidgetItem;
            cell->setTextAlignment(c == JudgementColumn ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            setItem(n, c, cell);
        }
    }
    show(NutrientVector{}, IntakeStandard{}, 0);
}

void MenuPanel::show(const NutrientVector &dayTotal, const IntakeStandard &standard, int mode)
{
    m_mode = mode;
    setHorizontalHeaderLabels({QStringLiteral("栄養素"), QStringLiteral("摂取量"), QStringLiteral("基準値"),
                               QStringLiteral("過不足"),
                               mode == 0 ? QStringLiteral("判定") : QStringLiteral("充足確率(%)")});
    for (int n = 0; n < kNutrientCount; ++n) {
        const double intake = dayTotal[static_cast<size_t>(n)];
        const IntakeBound &bound = standard[n];
        item(n, IntakeColumn)->setText(formatPanelAmount(n, intake).trimmed());
        item(n, ReferenceColumn)->setText(panelReference(n, bound));
        QString difference;
        if (bound.lower > 0 && intake < bound.lower)
            difference = formatPanelDifference(n, intake - bound.lower).trimmed();
        else if (bound.upper > 0 && intake > bound.upper)
            difference = formatPanelDifference(n, intake - bound.upper).trimmed();
        else if (bound.isSet())
            difference = QStringLiteral("－");
        item(n, DifferenceColumn)->setText(difference);
        const PanelJudgement judged = panelJudgement(intake, bound.lower, bound.upper);
        QTableWidgetItem *last = item(n, JudgementColumn);
        last->setText(mode == 0 ? judged.symbol : panelRate(intake, bound.lower, bound.upper).trimmed());
        last->setForeground(toneOf(judged.code));
        QFont font = last->font();
        font.setBold(judged.code == -2 || judged.code == 2);
        last->setFont(font);
    }
    resizeColumnsToContents();
}

QString MenuPanel::intakeText(int nutrient) const
{
    return item(nutrient, IntakeColumn)->text();
}

}  // namespace dalmain
