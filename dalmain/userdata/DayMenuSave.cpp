#include "dalmain/userdata/DayMenuSave.h"

#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/DayMenuIndex.h"

#include "quenkit/binrec/BinRecord.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <QSet>

#include <cmath>

namespace dalmain {

MenuRow MenuRow::foodRow(quint16 food, double grams, const EntryFood &data, double groupShare)
{
    MenuRow row;
    row.kind = Kind::Food;
    row.food = food;
    row.grams = grams;
    row.data = data;
    row.groupShare = groupShare;
    return row;
}

MenuRow MenuRow::dishRow(const QString &name)
{
    MenuRow row;
    row.kind = Kind::Dish;
    row.dishName = name;
    return row;
}

bool MenuDay::isEmpty() const
{
    for (const QList<MenuRow> &rows : meals) {
        if (!rows.isEmpty())
            return false;
    }
    return true;
}

MenuDay loadMenuDay(const DayMenu &record, const FoodLookup &foodOf)
{
    MenuDay day;
    int dishSlot = 0;
    for (int meal = 0; meal < kMealCount; ++meal) {
        for (const DayMenuEntry &entry : record.entries[meal]) {
            if (entry.food == kEmptySlot)
                break;
            if (entry.isDishHeader())
                day.meals[meal].append(MenuRow::dishRow(quenkit::fromSjis(record.dishName(dishSlot++))));
            else
                day.meals[meal].append(MenuRow::foodRow(entry.food, entry.amountTenths * 0.1, foodOf(entry.food)));
        }
    }
    return day;
}

DayTotals computeDayTotals(const MenuDay &day, bool wasteRatioOn)
{
    DayTotals totals{};
    for (int meal = 0; meal < kMealCount; ++meal) {
        for (const MenuRow &row : day.meals[meal]) {
            if (row.kind != MenuRow::Kind::Food)
                continue;
            const NutrientVector v = entryNutrients(&row.data, row.grams, wasteRatioOn);
            addNutrients(totals[meal], v);
            addNutrients(totals[kDayRow], v);
        }
    }
    return totals;
}

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

QString mealName(int meal)
{
    static const char *const names[kMealCount] = {"breakfast", "lunch", "dinner", "snack"};
    return QString::fromLatin1(names[meal]);
}

// The amount in tenths of a gram, truncated toward zero; -1 when it does not fit a slot.
int amountTenths(double grams)
{
    if (!std::isfinite(grams) || grams < 0.0)
        return -1;
    const double tenths = std::trunc(grams * 10.0);
    return tenths > kMaxAmountTenths ? -1 : static_cast<int>(tenths);
}

}  // namespace

bool buildDayMenu(QByteArrayView dateKey, const MenuDay &day, const DayTotals &totals, bool wasteRatioOn,
                  DayMenu &out, QString *error)
{
    out = DayMenu();
    out.dateKey = dateKeyOf(dateKey);
    if (out.dateKey.isEmpty())
        return fail(error, QStringLiteral("the date key must be eight digits (YYYYMMDD)"));

    int dishSlot = 0;
    QSet<quint16> dayFoods;
    for (int meal = 0; meal < kMealCount; ++meal) {
        const QList<MenuRow> &rows = day.meals[meal];
        if (rows.size() > kEntriesPerMeal)
            return fail(error, QStringLiteral("the %1 has %2 rows; a meal holds at most %3")
                                   .arg(mealName(meal)).arg(rows.size()).arg(kEntriesPerMeal));
        QSet<quint16> mealFoods;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const MenuRow &row = rows[i];
            DayMenuEntry &entry = out.entries[meal][i];
            if (row.kind == MenuRow::Kind::Dish) {
                if (dishSlot >= kDishNameSlots)
                    return fail(error, QStringLiteral("a day holds at most %1 dish names").arg(kDishNameSlots));
                // The name would come back cut, or with "?" for what Shift-JIS has not.
                bool encodable = true;
                const QByteArray name = quenkit::toSjis(row.dishName, &encodable);
                if (!encodable)
                    return fail(error, QStringLiteral("the dish name %1 has a character that Shift-JIS cannot hold")
                                           .arg(row.dishName));
                if (name.size() > kDishNameWidth)
                    return fail(error, QStringLiteral("the dish name %1 is longer than %2 bytes")
                                           .arg(row.dishName)
                                           .arg(kDishNameWidth));
                entry.food = kDishHeader;
                out.dishNames[dishSlot++] = quenkit::sjisField(name, kDishNameWidth);
                continue;
            }
            if (row.food == kEmptySlot || row.food == kDishHeader)
                return fail(error, QStringLiteral("%1 is not a food number").arg(row.food));
            const int tenths = amountTenths(row.grams);
            if (tenths < 0)
                return fail(error, QStringLiteral("the amount %1 g of food %2 is outside 0-6553.5 g")
                                       .arg(row.grams).arg(row.food));
            if (!std::isfinite(row.groupShare))
                return fail(error, QStringLiteral("food %1 has no valid group share").arg(row.food));
            entry.food = row.food;
            entry.amountTenths = static_cast<quint16>(tenths);
            mealFoods.insert(row.food);
            dayFoods.insert(row.food);

            const int group = row.data.group;
            if (group >= 1 && group <= kFoodGroupCount) {
                const double edible = edibleGrams(row.grams, row.data.wasteRatio, wasteRatioOn);
                const double byShare = edible * row.groupShare * 0.01;
                for (int r : {meal, kDayRow}) {
                    out.groupsByShare[r][group - 1] += byShare;
                    out.groupsAsEntered[r][group - 1] += row.grams;
                }
            }
        }
        out.foodCounts[meal] = static_cast<quint16>(mealFoods.size());
    }
    out.foodCounts[kDayRow] = static_cast<quint16>(dayFoods.size());
    out.totals = totals;
    return true;
}

namespace {

// The menu file normally exists from the moment the user was created; a save must not fail
// only because it went missing.
bool ensureMenuFile(int user)
{
    const QString name = dayMenuFileName(user);
    if (quenkit::FileOpen(name, quenkit::OpenExists) >= 0)
        return true;
    quenkit::FileHandle created(quenkit::FileOpen(name, quenkit::OpenCreate));
    return created.isOpen();
}

}  // namespace

DaySaveResult SaveDayMenu(quenkit::Owner *owner, int user, QByteArrayView dateKey, const MenuDay &day,
                       const DayTotals &totals, bool askFirst, bool wasteRatioOn, int *recordNumber,
                       QString *error)
{
    if (recordNumber)
        *recordNumber = 0;
    if (user < 0) {
        fail(error, QStringLiteral("no user"));
        return DaySaveResult::Invalid;
    }
    DayMenu record;
    if (!buildDayMenu(dateKey, day, totals, wasteRatioOn, record, error))
        return DaySaveResult::Invalid;

    // The question comes before the lock: the file must not stay locked against the other
    // programs while the user decides. Removing an emptied day asks nothing.
    if (askFirst && !day.isEmpty()) {
        const quenkit::Message question{QStringLiteral("献立の保存"),
                                        QStringLiteral("編集中の献立を保存します。\nよろしいですか？"),
                                        quenkit::Buttons::OkCancel, quenkit::Icon::Information,
                                        quenkit::Answer::Ok};
        if (quenkit::ask(owner, question) != quenkit::Answer::Ok)
            return DaySaveResult::Cancelled;
    }

    // From finding the day to writing it nobody else may change the file: two saves of new
    // days would both append at the same place, and a removal would shift the record found.
    const QString name = dayMenuFileName(user);
    const quenkit::FileLock lock = quenkit::lockDataFile(name);
    if (!lock.isLocked()) {
        fail(error, lock.error());
        return DaySaveResult::Failed;
    }
    const QString path = quenkit::dataPath(name);
    DayMenuKeys keys;
    const int existing = findDayToChange(path, record.dateKey, keys);
    if (day.isEmpty()) {
        if (existing == 0)
            return DaySaveResult::NothingToSave;
        if (DeleteDayMenu(user, existing, record.dateKey) != 1) {
            fail(error, QStringLiteral("the menu file could not be rewritten"));
            return DaySaveResult::Failed;
        }
        return DaySaveResult::Removed;
    }

    // A new day goes after the last whole record: a record cut short by an earlier failed
    // write is overwritten rather than left to shift every later record off its place. Keys
    // that could not be read would put it over the first day.
    if (existing == 0 && keys.count() != CountDayMenus(user)) {
        fail(error, QStringLiteral("the menu file could not be read"));
        return DaySaveResult::Failed;
    }
    const int target = existing > 0 ? existing : keys.count() + 1;
    const QByteArray bytes = encodeDayMenu(record);
    if (!ensureMenuFile(user)
        || quenkit::WriteBINRecord(static_cast<qint64>(target - 1) * kDayMenuSize, kDayMenuSize, name,
                                   bytes.constData()) != 1) {
        forgetDayMenuKeys(path);
        fail(error, QStringLiteral("the menu file could not be written"));
        return DaySaveResult::Failed;
    }
    if (existing == 0)
        keys.append(record.dateKey);
    dayMenuKeysChanged(path, keys);
    if (recordNumber)
        *recordNumber = target;
    return existing > 0 ? DaySaveResult::Rewritten : DaySaveResult::Appended;
}

}  // namespace dalmain
