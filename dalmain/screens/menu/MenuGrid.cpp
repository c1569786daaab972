#include "dalmain/screens/menu/MenuGrid.h"

#include "dalmain/master/EntryNutrients.h"
#include "dalmain/master/NutrientDisplay.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace dalmain {

namespace {

NutrientVector rowNutrients(const MenuDayEdit &day, int meal, int index, bool wasteOn)
{
    const QList<GridRow> &rows = day.rows(meal);
    NutrientVector sum{};
    if (!rows[index].isDish())
        return entryNutrients(&rows[index].row.data, rows[index].row.grams, wasteOn);
    for (int i = index + 1; i < day.dishEnd(meal, index); ++i)
        addNutrients(sum, entryNutrients(&rows[i].row.data, rows[i].row.grams, wasteOn));
    return sum;
}

}  // namespace

MenuGridModel::MenuGridModel(const MenuDayEdit &day, NameOf nameOf, QObject *parent)
    : QAbstractTableModel(parent)
    , m_day(day)
    , m_nameOf(std::move(nameOf))
    , m_wasteRatioOn(wasteRatioOption())
{
}

// The waste-ratio option is read from the settings store once per refresh rather than for each
// of the thousands of cells a repaint asks for: the grid is refreshed after every change anyway.
void MenuGridModel::setMeal(int meal)
{
    beginResetModel();
    m_meal = meal;
    m_wasteRatioOn = wasteRatioOption();
    endResetModel();
}

void MenuGridModel::refresh()
{
    beginResetModel();
    m_wasteRatioOn = wasteRatioOption();
    endResetModel();
}

int MenuGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_day.lineCount(m_meal);
}

int MenuGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kGridColumnCount;
}

QVariant MenuGridModel::data(const QModelIndex &index, int role) const
{
    const int row = m_day.rowOfLine(m_meal, index.row());
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column >= kAmountColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (row < 0)
        return {};
    const GridRow &r = m_day.rows(m_meal)[row];
    if (role == Qt::FontRole && r.isDish()) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::ToolTipRole && column == kFoldColumn && r.isDish())
        return r.folded ? QStringLiteral("料理の食品を表示する") : QStringLiteral("料理の食品を隠す");
    if (role != Qt::DisplayRole)
        return {};
    return cellText(m_meal, row, column);
}

QString MenuGridModel::cellText(int meal, int index, int column) const
{
    const GridRow &r = m_day.rows(meal)[index];
    switch (column) {
    case kFoldColumn: return r.isDish() ? (r.folded ? QStringLiteral("▶") : QStringLiteral("▼")) : QString();
    case kNameColumn:
        if (r.isDish())
            return r.row.dishName;
        // Foods of a dish are indented under its name.
        return (m_day.dishOf(meal, index) >= 0 ? QStringLiteral("　") : QString()) + m_nameOf(r.row.food);
    case kAmountColumn: return r.isDish() ? QString() : QString::asprintf("%.1f", r.row.grams);
    default: break;
    }
    const int nutrient = column - kFirstNutrientColumn;
    return formatPlain(nutrient, rowNutrients(m_day, meal, index, m_wasteRatioOn)[nutrient]);
}

QString MenuGridModel::lineText(int meal, int index, const QList<int> &columns) const
{
    QStringList cells;
    for (int column : columns)
        cells.append(cellText(meal, index, column));
    return cells.join(QLatin1Char('\t'));
}

QString MenuGridModel::headingText(const QList<int> &columns) const
{
    QStringList cells;
    for (int column : columns)
        cells.append(headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().remove(QLatin1Char('\n')));
    return cells.join(QLatin1Char('\t'));
}

QVariant MenuGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case kFoldColumn: return QString();
    case kNameColumn: return QStringLiteral("食品名・料理名");
    case kAmountColumn: return QStringLiteral("分量\n(g)");
    default: {
        const int nutrient = section - kFirstNutrientColumn;
        const NutrientDisplayRow &d = nutrientDisplayRow(nutrient);
        // Every heading takes two lines, so that the one-line ones line up with the others; a
        // one-line heading shows its unit below it, as the amount's does, which also tells the
        // two energy columns apart.
        if (!*d.headingTop)
            return QStringLiteral("%1\n(%2)").arg(QString::fromUtf8(d.headingBottom), nutrientDisplayUnit(nutrient));
        return QStringLiteral("%1\n%2").arg(QString::fromUtf8(d.headingTop), QString::fromUtf8(d.headingBottom));
    }
    }
}

MenuGrid::MenuGrid(QWidget *parent)
    : QTableView(parent)
{
    setObjectName(QStringLiteral("MenuGrid"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
}

QList<int> MenuGrid::selectedLines() const
{
    QList<int> lines;
    if (!selectionModel())
        return lines;
    for (const QModelIndex &i : selectionModel()->selectedRows())
        lines.append(i.row());
    std::sort(lines.begin(), lines.end());
    return lines;
}

int MenuGrid::currentLine() const
{
    return currentIndex().isValid() ? currentIndex().row() : 0;
}

void MenuGrid::setCurrentLine(int line)
{
    if (!model() || model()->rowCount() == 0)
        return;
    line = std::clamp(line, 0, model()->rowCount() - 1);
    const int column = currentIndex().isValid() ? currentIndex().column() : kNameColumn;
    setCurrentIndex(model()->index(line, column));
    selectRow(line);
}

void MenuGrid::selectLines(int first, int last)
{
    if (!model() || last < first)
        return;
    const QItemSelection lines(model()->index(first, 0), model()->index(last, kGridColumnCount - 1));
    selectionModel()->select(lines, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void MenuGrid::keyPressEvent(QKeyEvent *event)
{
    for (QKeySequence::StandardKey key :
         {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste}) {
        if (event->matches(key)) {
            emit editKeyPressed(key);
            return;
        }
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QTableView::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: emit enterPressed(); return;
    case Qt::Key_F2: emit modifyPressed(); return;
    case Qt::Key_F3:
    case Qt::Key_Insert: emit foodInputPressed(); return;
    case Qt::Key_Delete: emit deletePressed(); return;
    case Qt::Key_Space:
        // Space folds or unfolds the dish of the current line.
        emit foldClicked(currentLine());
        return;
    default: QTableView::keyPressEvent(event);
    }
}

void MenuGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && at.column() == kFoldColumn && event->button() == Qt::LeftButton &&
        !at.data(Qt::DisplayRole).toString().isEmpty()) {
        emit foldClicked(at.row());
        return;
    }
    QTableView::mousePressEvent(event);
}

void MenuGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && at.column() != kFoldColumn) {
        setCurrentLine(at.row());
        emit enterPressed();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void MenuGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    emit linesChanged();
}

void MenuGrid::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTableView::selectionChanged(selected, deselected);
    emit linesChanged();
}

}  // namespace dalmain
