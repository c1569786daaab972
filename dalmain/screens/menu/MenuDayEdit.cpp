#include "dalmain/screens/menu/MenuDayEdit.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace dalmain {

namespace {

bool validMeal(int meal)
{
    return meal >= 0 && meal < kMealCount;
}

int dishRowsIn(const QList<MenuRow> &rows)
{
    return static_cast<int>(std::count_if(rows.cbegin(), rows.cend(),
                                          [](const MenuRow &r) { return r.kind == MenuRow::Kind::Dish; }));
}

}  // namespace

double scaledGrams(double grams, double ratio)
{
    // In whole tenths and hundredths, so that 33.3 g at 1.50 is 50.0 g and not 49.9 g.
    const qint64 tenths = std::llround(grams * 10.0);
    const qint64 percent = std::llround(ratio * 100.0);
    return static_cast<double>((tenths * percent + 50) / 100) / 10.0;
}

bool MenuDayEdit::hasRows() const
{
    return std::any_of(m_meals.cbegin(), m_meals.cend(), [](const QList<GridRow> &m) { return !m.isEmpty(); });
}

int MenuDayEdit::dishNameCount() const
{
    int n = 0;
    for (const QList<GridRow> &meal : m_meals)
        n += static_cast<int>(std::count_if(meal.cbegin(), meal.cend(), [](const GridRow &r) { return r.isDish(); }));
    return n;
}

QList<int> MenuDayEdit::shownRows(int meal) const
{
    QList<int> shown;
    bool hiding = false;
    const QList<GridRow> &list = rows(meal);
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].isDish()) {
            shown.append(i);
            hiding = list[i].folded;
        } else if (!hiding) {
            shown.append(i);
        }
    }
    return shown;
}

int MenuDayEdit::lineCount(int meal) const
{
    return static_cast<int>(shownRows(meal).size()) + (isFull(meal) ? 0 : 1);
}

int MenuDayEdit::rowOfLine(int meal, int line) const
{
    const QList<int> shown = shownRows(meal);
    return line >= 0 && line < shown.size() ? shown[line] : -1;
}

int MenuDayEdit::lineOfRow(int meal, int index) const
{
    return static_cast<int>(shownRows(meal).indexOf(index));
}

int MenuDayEdit::dishOf(int meal, int index) const
{
    const QList<GridRow> &list = rows(meal);
    for (int i = std::min(index, static_cast<int>(list.size()) - 1); i >= 0; --i) {
        if (list[i].isDish())
            return i;
    }
    return -1;
}

int MenuDayEdit::dishEnd(int meal, int index) const
{
    const QList<GridRow> &list = rows(meal);
    int end = index + 1;
    while (end < list.size() && !list[end].isDish())
        ++end;
    return end;
}

bool MenuDayEdit::foldedAbove(int meal, int line) const
{
    const int above = rowOfLine(meal, line - 1);
    return above >= 0 && rows(meal)[above].isDish() && rows(meal)[above].folded;
}

InsertResult MenuDayEdit::insertRows(int meal, int line, const QList<MenuRow> &added, int *firstIndex)
{
    if (!validMeal(meal) || line < 0 || line > kMealRowLimit)
        return InsertResult::BadPosition;
    if (rowCount(meal) + added.size() > kMealRowLimit)
        return InsertResult::MealFull;
    const QList<int> shown = shownRows(meal);
    if (line > shown.size())
        return InsertResult::BadPosition;
    if (dishNameCount() + dishRowsIn(added) > kDayDishNameLimit)
        return InsertResult::TooManyDishNames;
    // A food put right below a folded dish name would go in front of its hidden foods, or
    // after them at the end of the meal: inside a dish the user cannot see. A dish name may go
    // there, as it starts a dish of its own only after the hidden foods.
    const bool foodsAmong = std::any_of(added.cbegin(), added.cend(), [](const MenuRow &r) {
        return r.kind == MenuRow::Kind::Food;
    });
    const bool leadingDish = !added.isEmpty() && added.first().kind == MenuRow::Kind::Dish;
    if (foodsAmong && !leadingDish && foldedAbove(meal, line))
        return InsertResult::InsideFoldedDish;

    int at = line < shown.size() ? shown[line] : rowCount(meal);
    // Below a folded dish the new rows follow its hidden foods.
    if (foldedAbove(meal, line))
        at = dishEnd(meal, shown[line - 1]);
    QList<GridRow> &list = m_meals[static_cast<size_t>(meal)];
    for (int i = 0; i < added.size(); ++i)
        list.insert(at + i, GridRow{added[i], false});
    if (firstIndex)
        *firstIndex = at;
    return InsertResult::Inserted;
}

void MenuDayEdit::replaceRow(int meal, int index, const MenuRow &row)
{
    if (!validMeal(meal) || index < 0 || index >= rowCount(meal))
        return;
    GridRow &r = m_meals[static_cast<size_t>(meal)][index];
    const bool folded = r.folded && row.kind == MenuRow::Kind::Dish;
    r = GridRow{row, folded};
}

QList<int> MenuDayEdit::withFoldedFoods(int meal, const QList<int> &indexes) const
{
    QSet<int> all;
    for (int i : indexes) {
        if (i < 0 || i >= rowCount(meal))
            continue;
        all.insert(i);
        if (rows(meal)[i].isDish() && rows(meal)[i].folded) {
            for (int f = i + 1; f < dishEnd(meal, i); ++f)
                all.insert(f);
        }
    }
    QList<int> sorted(all.cbegin(), all.cend());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

void MenuDayEdit::removeRows(int meal, QList<int> indexes)
{
    if (!validMeal(meal))
        return;
    const QList<int> gone = withFoldedFoods(meal, indexes);
    QList<GridRow> &list = m_meals[static_cast<size_t>(meal)];
    for (auto it = gone.crbegin(); it != gone.crend(); ++it)
        list.removeAt(*it);
}

void MenuDayEdit::setFolded(int meal, int index, bool folded)
{
    if (validMeal(meal) && index >= 0 && index < rowCount(meal) && rows(meal)[index].isDish())
        m_meals[static_cast<size_t>(meal)][index].folded = folded;
}

void MenuDayEdit::clear()
{
    for (QList<GridRow> &meal : m_meals)
        meal.clear();
}

bool MenuDayEdit::canScale(int meal, const QList<int> &indexes, double ratio) const
{
    if (!validMeal(meal))
        return false;
    for (int i : withFoldedFoods(meal, indexes)) {
        const GridRow &r = rows(meal)[i];
        if (!r.isDish() && scaledGrams(r.row.grams, ratio) > kMaxRowGrams)
            return false;
    }
    return true;
}

bool MenuDayEdit::scaleRows(int meal, const QList<int> &indexes, double ratio)
{
    if (!canScale(meal, indexes, ratio))
        return false;
    for (int i : withFoldedFoods(meal, indexes)) {
        GridRow &r = m_meals[static_cast<size_t>(meal)][i];
        if (!r.isDish())
            r.row.grams = scaledGrams(r.row.grams, ratio);
    }
    return true;
}

MenuDay MenuDayEdit::menuDay() const
{
    MenuDay day;
    for (int m = 0; m < kMealCount; ++m) {
        for (const GridRow &r : rows(m))
            day.meals[static_cast<size_t>(m)].append(r.row);
    }
    return day;
}

void MenuDayEdit::load(const MenuDay &day)
{
    clear();
    for (int m = 0; m < kMealCount; ++m) {
        for (const MenuRow &r : day.meals[static_cast<size_t>(m)])
            m_meals[static_cast<size_t>(m)].append(GridRow{r, false});
    }
}

std::array<int, kMealRows> MenuDayEdit::foodCounters() const
{
    std::array<int, kMealRows> counts{};
    QSet<quint16> dayFoods;
    for (int m = 0; m < kMealCount; ++m) {
        QSet<quint16> mealFoods;
        for (const GridRow &r : rows(m)) {
            if (!r.isDish()) {
                mealFoods.insert(r.row.food);
                dayFoods.insert(r.row.food);
            }
        }
        counts[static_cast<size_t>(m + 1)] = static_cast<int>(mealFoods.size());
    }
    counts[0] = static_cast<int>(dayFoods.size());
    return counts;
}

}  // namespace dalmain
