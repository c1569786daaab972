#pragma once

#include "dalmain/screens/menu/MenuDayEdit.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QKeySequence>
#include <QTableView>

#include <functional>

namespace dalmain {

// The grid's columns: the fold button, the name, the amount, then one column per nutrient.
inline constexpr int kFoldColumn = 0;
inline constexpr int kNameColumn = 1;
inline constexpr int kAmountColumn = 2;
inline constexpr int kFirstNutrientColumn = 3;
inline constexpr int kGridColumnCount = kFirstNutrientColumn + kNutrientCount;

// The lines of one meal of the day as a table: each shown row with its nutrients, then the empty
// input line while the meal has room. Dish rows show the sum of their foods.
class MenuGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using NameOf = std::function<QString(quint16 food)>;

    MenuGridModel(const MenuDayEdit &day, NameOf nameOf, QObject *parent = nullptr);

    void setMeal(int meal);
    int meal() const { return m_meal; }
    // The day changed: every line is read again.
    void refresh();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text a cell of a row of meal shows, whichever meal the grid shows.
    QString cellText(int meal, int index, int column) const;
    // A row of meal, or the heading, as one line of copied text: the given columns' texts,
    // tab-separated, the headings on one line each.
    QString lineText(int meal, int index, const QList<int> &columns) const;
    QString headingText(const QList<int> &columns) const;

private:
    const MenuDayEdit &m_day;
    NameOf m_nameOf;
    int m_meal = Breakfast;
    bool m_wasteRatioOn = true;
};

// The grid: whole lines are selected; the keys a person edits with are reported as signals
// (the screen runs the commands), and a click on a dish row's fold button folds or unfolds it.
class MenuGrid : public QTableView
{
    Q_OBJECT
public:
    explicit MenuGrid(QWidget *parent = nullptr);

    // The selected grid lines, top to bottom (the input line included when selected).
    QList<int> selectedLines() const;
    int currentLine() const;
    void setCurrentLine(int line);
    void selectLines(int first, int last);

signals:
    void foldClicked(int line);
    void enterPressed();      // Enter: edit the line, or enter a food on the input line
    void modifyPressed();     // F2
    void foodInputPressed();  // F3, Insert
    void deletePressed();     // Del
    // Ctrl+Z, Ctrl+Y, Ctrl+X, Ctrl+C, Ctrl+V (as the platform spells them): the screen's undo,
    // redo and clipboard commands instead of the table's copy of one cell.
    void editKeyPressed(QKeySequence::StandardKey key);
    void linesChanged();      // the current line or the selection moved

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
};

}  // namespace dalmain
