#pragma once

#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/screens/menu/MenuDayEdit.h"
#include "dalmain/screens/menu/MenuUndoMemory.h"
#include "dalmain/userdata/MenuClipboardBlock.h"
#include "dalmain/shell/DayScreenWindow.h"

#include <QDate>
#include <QHash>

#include <optional>

class QLabel;
class QPushButton;

namespace quenkit {
class DMCalendar;
}

namespace dalmain {

class MenuGrid;
class MenuGridModel;
class MenuPanel;

// The menu record screen: one day of the open user's meals, one meal at a time in the grid
// with the nutrients of every row, the day's judgement beside it, and the date bar above.
// Leaving the day (another day, closing the screen) stores it quietly; when that fails the
// screen says so and stays on the day, and a day that could not be stored at closing comes back
// when the screen is opened again.
class Menu : public DayScreenWindow, public LeaveCheck
{
    Q_OBJECT
public:
    explicit Menu(const ScreenContext &context, QWidget *parent = nullptr);
    ~Menu() override;

    void runCommand(int id) override;
    bool commandEnabled(int id) const override;
    bool commandChecked(int id) const override;
    LeaveCheck *leaveCheck() override { return this; }
    bool checkAndSave(Mode mode) override;
    MenuEditState menuEditState() const override;
    void finishPendingWork() override;
    QWidget *firstControl() override;

    const MenuDayEdit &day() const { return m_day; }
    int meal() const { return m_meal; }
    bool isDirty() const { return m_undo.isModified(); }
    const MenuUndoMemory &undoMemory() const { return m_undo; }
    MenuGrid *grid() const { return m_grid; }
    MenuPanel *panel() const { return m_panel; }
    // The two status texts: the counters, and the row and column of the grid.
    QString counterText() const;
    QString positionText() const;
    // The totals of the day as it is now.
    DayTotals totals() const;

    void selectMeal(int meal);
    // Stores the day being edited when it was changed; false, after telling the user, when it
    // could not be stored.
    bool saveQuietly() override;

    // The edits of the commands, at the grid's current line, with their messages. false when
    // refused.
    bool insertFood(quint32 food, int amountTenths);
    bool insertDishName(const QString &name);
    bool loadDish(const QString &name, int scalePercent);
    bool convertSelection(int ratioPercent);
    void deleteSelection();
    void toggleFold(int line);

    // Undo and redo of the edits above; each puts back the whole day and the meal it showed.
    void undo();
    void redo();
    // The clipboard: the selected rows (with the hidden foods of a folded dish) or the whole
    // day as text and as the screen's block; pasting the rows at the current line, or the
    // copied day in place of this one. The pastes return whether a row went in.
    void copySelection();
    void cutSelection();
    bool pasteRows();
    void copyDay();
    bool pasteDay();

private:
    void buildLayout();
    void loadFoods();
    void loadDay() override;
    MenuSnapshot snapshot() const;
    void restore(const MenuSnapshot &s);
    // An edit was made on the day that before shows: it becomes a step to undo.
    void changed(const MenuSnapshot &before);
    void readClipboard();
    QList<int> copiedColumns() const;
    // The row a pasted record makes; none for a food that is not in the food table.
    std::optional<MenuRow> pastedRow(const MenuClipRecord &record) const;
    void refresh(int currentLine);
    void showStatus();
    void applyColumnSettings();
    bool reportInsert(InsertResult result, const QString &foodTitle = QString());
    QList<int> selectedRows() const;
    MenuRow foodRow(quint32 food, double grams) const;
    QString foodName(quint16 food) const;
    int userNumber() const;

    void foodInput();
    void modify();
    void dishInput();
    void dishNameInput();
    void saveDish();
    void modifyDish();
    void deleteDishes();
    void convertAmount();
    void editMemo();
    void saveMenu();
    void printDay();
    void openMenu();
    void deleteMenu();

    MenuDayEdit m_day;
    int m_meal = Breakfast;
    MenuUndoMemory m_undo;
    bool m_clipboardHasRows = false;
    bool m_clipboardHasDay = false;
    FoodCache m_foodCache;
    EntryFoodIndex m_foods;
    QHash<quint16, QString> m_foodNames;

    QList<QPushButton *> m_mealButtons;
    QLabel *m_counters;
    QLabel *m_position;
    QLabel *m_wasteNote;
    QLabel *m_userNote;
    MenuGrid *m_grid;
    MenuGridModel *m_model;
    MenuPanel *m_panel;
    int m_shownNutrients = 0;
};

}  // namespace dalmain
