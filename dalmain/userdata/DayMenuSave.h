#pragma once

#include "dalmain/master/EntryNutrients.h"
#include "dalmain/userdata/DayMenu.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <functional>

namespace quenkit {
class Owner;
}

// Saving the day being edited: the menu screen's rows become the day's record, with the
// figures that readers take from the record instead of recomputing them.
namespace dalmain {

// One row of a meal: a food with its amount, or the name of a dish whose foods follow it up to
// the next dish row or the end of the meal.
struct MenuRow {
    enum class Kind { Food, Dish };

    Kind kind = Kind::Food;
    quint16 food = 0;           // food number, 1-65534
    double grams = 0.0;         // amount as entered, 0-6553.5 g
    double groupShare = 100.0;  // percent of the edible amount that counts for the food's group
    EntryFood data;             // the food's values from the food table
    QString dishName;

    static MenuRow foodRow(quint16 food, double grams, const EntryFood &data, double groupShare = 100.0);
    static MenuRow dishRow(const QString &name);
};

// The day being edited: the rows of each meal in grid order.
struct MenuDay {
    std::array<QList<MenuRow>, kMealCount> meals;

    bool isEmpty() const;
};

// What the food table says of a food number; a default EntryFood when the food is not there.
using FoodLookup = std::function<EntryFood(quint16 food)>;

// The rows of a stored day, as the menu screen shows it again: amounts in grams from their
// tenths, dish rows named from the day's dish-name slots in order, each food with the data
// foodOf gives and a group share of 100.
MenuDay loadMenuDay(const DayMenu &record, const FoodLookup &foodOf);

// Nutrient totals of the four meals and of the day.
using DayTotals = std::array<NutrientVector, kMealRows>;

// The totals of a day by the entry rule: each food row's nutrients are added to its meal and
// to the day.
DayTotals computeDayTotals(const MenuDay &day, bool wasteRatioOn);

// The record of a day: entries, dish names, food counts and group amounts from the rows (the
// edible amount with the waste-ratio option as given), and the totals as the caller computed
// them. false, with the reason in error, when the day does not fit a record or the date key
// is not eight digits; out is then unspecified.
bool buildDayMenu(QByteArrayView dateKey, const MenuDay &day, const DayTotals &totals, bool wasteRatioOn,
                  DayMenu &out, QString *error = nullptr);

enum class DaySaveResult {
    Appended,      // a new day was added at the end of the file
    Rewritten,     // the day's record was rewritten in place
    Removed,       // the day was saved empty and its record removed
    NothingToSave, // the day was empty and not in the file
    Cancelled,     // the user declined the question
    Invalid,       // the day does not fit a record; nothing was written
    Failed,        // the file could not be written; the previous record stands
};

// Saves day as the record of dateKey in the user's menu file. An empty day removes the day's
// record, so the file never holds an empty day. With askFirst the user confirms before a
// non-empty day is written. A missing menu file is created. recordNumber receives the record
// written (0 when none was). Finding the day and writing it happen under the file's lock, so
// saves of other programs at the same time cannot land on the same record or undo this one;
// when the lock cannot be taken nothing is written and the result is Failed.
DaySaveResult SaveDayMenu(quenkit::Owner *owner, int user, QByteArrayView dateKey, const MenuDay &day,
                       const DayTotals &totals, bool askFirst, bool wasteRatioOn, int *recordNumber = nullptr,
                       QString *error = nullptr);

}  // namespace dalmain
