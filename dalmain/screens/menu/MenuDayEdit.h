#pragma once

#include "dalmain/userdata/DayMenuSave.h"

#include <QList>
#include <QString>

#include <array>

// The day the menu screen edits, without any widget: the rows of the four meals in grid order,
// which dish rows are folded, the lines the grid shows, and the rules by which rows go in,
// change and go out. The grid draws what this says; the commands change the day only here.
namespace dalmain {

// A meal holds at most this many rows, a day at most this many dish names; a food row at most
// this many grams.
inline constexpr int kMealRowLimit = 100;
inline constexpr int kDayDishNameLimit = 30;
inline constexpr double kMaxRowGrams = 999.9;

// The messages of refused edits, with their titles.
inline const QString kMenuTitle = QStringLiteral("献立");
inline const QString kMealFullMessage = QStringLiteral("各区分のデータ数は１００件までです。");
inline const QString kDishNamesFullMessage = QStringLiteral("料理名の数は３０件までです。");
inline const QString kDishNamesExceedMessage = QStringLiteral("料理名の数が３０件を越えます。");
inline const QString kInsertTitle = QStringLiteral("食品の挿入");
inline const QString kInsideFoldedMessage = QStringLiteral("この位置には食品を挿入できません");
inline const QString kFoodInputTitle = QStringLiteral("食品の入力");
inline const QString kBelowFoldedMessage = QStringLiteral("折り畳まれている料理名の下には、食品を挿入できません");
inline const QString kConvertTooLargeMessage = QStringLiteral("一部の分量が999.9を超えます\n倍率を設定し直してください。");
inline const QString kRowConvertTooLargeMessage = QStringLiteral("分量が999.9gを超えるため倍率変換できません。");

// One row of a meal as the grid keeps it.
struct GridRow {
    MenuRow row;
    bool folded = false;  // dish rows only: the dish's foods are hidden

    bool isDish() const { return row.kind == MenuRow::Kind::Dish; }
};

enum class InsertResult {
    Inserted,
    MealFull,          // the meal would hold more than 100 rows
    BadPosition,       // no such meal or line
    InsideFoldedDish,  // the line lies among the hidden foods of a folded dish
    TooManyDishNames,  // the day would hold more than 30 dish names
};

class MenuDayEdit
{
public:
    // The rows of a meal in grid order (folded foods included).
    const QList<GridRow> &rows(int meal) const { return m_meals[static_cast<size_t>(meal)]; }
    int rowCount(int meal) const { return static_cast<int>(rows(meal).size()); }
    bool isFull(int meal) const { return rowCount(meal) >= kMealRowLimit; }
    bool hasRows() const;
    int dishNameCount() const;

    // The rows the grid shows, as indexes into rows(meal): every row but the foods of a folded
    // dish.
    QList<int> shownRows(int meal) const;
    // The grid's lines: the shown rows and, while the meal has room, the empty input line.
    int lineCount(int meal) const;
    // The row index of grid line, or -1 for the input line and lines beyond.
    int rowOfLine(int meal, int line) const;
    // The grid line of a row, or -1 when it is hidden.
    int lineOfRow(int meal, int index) const;

    // The dish row a row belongs to (itself for a dish row), or -1 for a food before any dish.
    int dishOf(int meal, int index) const;
    // One past the last food of the dish whose dish row is index.
    int dishEnd(int meal, int index) const;
    // Whether the line just above grid line is a folded dish name, so that a food put at line
    // would go among its hidden foods.
    bool foldedAbove(int meal, int line) const;

    // Puts rows in at grid line of meal (the rows at and below it move down); every row goes
    // or none. *firstIndex receives the row index of the first one.
    InsertResult insertRows(int meal, int line, const QList<MenuRow> &rows, int *firstIndex = nullptr);
    // Replaces a row's food and amount (修正); a dish row takes a new name.
    void replaceRow(int meal, int index, const MenuRow &row);
    // Removes rows by index. A folded dish goes with its hidden foods; an unfolded one leaves
    // its foods in place.
    void removeRows(int meal, QList<int> indexes);
    void setFolded(int meal, int index, bool folded);
    void clear();

    // The selected rows a command works on: a folded dish brings its hidden foods.
    QList<int> withFoldedFoods(int meal, const QList<int> &indexes) const;

    // Multiplies the amounts of the food rows among indexes (and a folded dish's foods) by
    // ratio. Nothing changes, and false is returned, when one of them would exceed 999.9 g.
    bool scaleRows(int meal, const QList<int> &indexes, double ratio);
    // Whether scaling would keep every affected amount within 999.9 g.
    bool canScale(int meal, const QList<int> &indexes, double ratio) const;

    // The day as it is stored and shown again.
    MenuDay menuDay() const;
    void load(const MenuDay &day);

    // The status line's counters: distinct foods of the day, then of each meal, as the stored
    // day counts them.
    std::array<int, kMealRows> foodCounters() const;

private:
    std::array<QList<GridRow>, kMealCount> m_meals;
};

// grams × ratio rounded half up to the tenth of a gram, as the conversion writes it; the ratio
// counts in hundredths.
double scaledGrams(double grams, double ratio);

}  // namespace dalmain
