// dalmora menu: a user's days as the menu screen stores them. Setting a meal saves the whole day
// the way the screen's save does, totals and group amounts included, so that everything that
// reads the menu file afterwards (calendar, analysis, exports) sees what the screen would leave.

#include "Arguments.h"
#include "Command.h"

#include "dalmain/master/EntryNutrients.h"
#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/DayMenuSave.h"
#include "dalmain/userdata/UserStore.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/text/ShiftJis.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>
#include <optional>


namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora menu set USER DATE MEAL FOOD:GRAMS[,FOOD:GRAMS...] [--dish NAME]\n"
    "        replace one meal of the day and save the day as the menu screen does, totals\n"
    "        included; an empty list (\"\") removes the meal, and the day when no meal is left\n"
    "  dalmora menu show USER DATE        the day's meals, food counts and nutrient totals\n"
    "  dalmora menu days USER [YYYY[MM]]  the days that have a menu (of a year or a month)\n"
    "USER is a user's name or number. DATE is YYYY-MM-DD or YYYYMMDD. MEAL is breakfast, lunch,\n"
    "dinner or snack (or 朝, 昼, 夕, 間). FOOD is a food number of the food table and GRAMS the\n"
    "amount as entered, 0-6553.5 (the food as bought when the waste-ratio setting SystemSet1 is\n"
    "on). --dish puts the meal's foods under a dish of that name.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("menu"), QStringLiteral("set, show and list the days of a user's menu"), kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("menu"))
            return c;
    }
    Q_UNREACHABLE();
}

int usage(cli::Context &ctx, const QString &message)
{
    return cli::usageError(ctx, self(), message);
}

const char *const kMealNames[dalmain::kMealCount] = {"朝食", "昼食", "夕食", "間食"};

int mealArgument(const QString &text)
{
    static const char *const words[dalmain::kMealCount][2] = {
        {"breakfast", "朝"}, {"lunch", "昼"}, {"dinner", "夕"}, {"snack", "間"}};
    for (int m = 0; m < dalmain::kMealCount; ++m) {
        if (text == QLatin1String(words[m][0]) || text == QString::fromUtf8(words[m][1]))
            return m;
    }
    return -1;
}

QString shownDate(const QByteArray &key)
{
    return QStringLiteral("%1-%2-%3")
        .arg(QString::fromLatin1(key.left(4)), QString::fromLatin1(key.mid(4, 2)), QString::fromLatin1(key.mid(6, 2)));
}

QString gramsText(quint16 tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

// The food table as the menu needs it. false when it cannot be read: a day saved without it
// would lose its totals and group amounts.
bool loadFoods(cli::Context &ctx, dalmain::FoodCache &cache, dalmain::EntryFoodIndex &foods)
{
    if (dalmain::LoadFoodCache(nullptr, cache) != 1) {
        ctx.err << "dalmora menu: the food table cannot be read\n";
        return false;
    }
    foods = dalmain::EntryFoodIndex::fromCache(cache);
    return true;
}

struct Target {
    dalmain::UserListEntry user;
    QByteArray key;
};

// USER and DATE from the front of args.
std::optional<Target> userAndDate(cli::Context &ctx, QStringList &args, int *rc)
{
    const QString userText = args.takeFirst();
    const QString dateText = args.takeFirst();
    const QByteArray key = cli::dateKeyArgument(dateText);
    if (key.isEmpty()) {
        *rc = usage(ctx, QStringLiteral("'%1' is not a date (YYYY-MM-DD)").arg(dateText));
        return std::nullopt;
    }
    if (!cli::userTableReadable(ctx, self().name)) {
        *rc = cli::ExitFailure;
        return std::nullopt;
    }
    const std::optional<dalmain::UserListEntry> user = cli::userArgument(userText);
    if (!user) {
        ctx.err << "dalmora menu: no such user\n";
        *rc = cli::ExitNo;
        return std::nullopt;
    }
    return Target{*user, key};
}

int setMeal(cli::Context &ctx, QStringList args)
{
    bool ok = true;
    QString dish;
    const bool hasDish = cli::takeOption(args, QStringLiteral("--dish"), &dish, &ok);
    if (!ok)
        return usage(ctx, QStringLiteral("--dish needs a name"));
    for (const QString &a : args) {
        if (a.startsWith(QLatin1String("--")))
            return usage(ctx, QStringLiteral("unknown option %1").arg(a));
    }
    if (args.size() != 4)
        return usage(ctx, QStringLiteral("set takes USER DATE MEAL FOOD:GRAMS[,...] (\"\" for none)"));
    const int meal = mealArgument(args[2]);
    if (meal < 0)
        return usage(ctx, QStringLiteral("'%1' is not a meal").arg(args[2]));

    struct Item {
        quint16 food;
        double grams;
    };
    QList<Item> items;
    const QString list = args[3].trimmed();
    if (!list.isEmpty()) {
        for (const QString &part : list.split(QLatin1Char(','))) {
            const QStringList pair = part.trimmed().split(QLatin1Char(':'));
            bool numberOk = false;
            bool gramsOk = false;
            const uint food = pair.value(0).toUInt(&numberOk);
            const double grams = pair.value(1).toDouble(&gramsOk);
            if (pair.size() != 2 || !numberOk || !gramsOk)
                return usage(ctx, QStringLiteral("'%1' is not FOOD:GRAMS").arg(part));
            if (food < 1 || food > 65534)
                return usage(ctx, QStringLiteral("%1 is not a food number (1-65534)").arg(food));
            if (!(grams >= 0.0 && grams <= 6553.5))
                return usage(ctx, QStringLiteral("%1 g is outside 0-6553.5 g").arg(pair[1]));
            items.append({static_cast<quint16>(food), grams});
        }
    }
    if (hasDish && items.isEmpty())
        return usage(ctx, QStringLiteral("--dish needs foods"));
    if (hasDish) {
        // The name is stored in a field of its own width: a longer one would be cut, and a
        // character Shift-JIS has not would come back as "?".
        bool encodable = true;
        const QByteArray bytes = quenkit::toSjis(dish, &encodable);
        if (!encodable)
            return usage(ctx, QStringLiteral("--dish has a character that Shift-JIS cannot hold"));
        if (bytes.size() > dalmain::kDishNameWidth)
            return usage(ctx, QStringLiteral("--dish is longer than %1 bytes in Shift-JIS").arg(dalmain::kDishNameWidth));
    }

    int rc = cli::ExitOk;
    const std::optional<Target> target = userAndDate(ctx, args, &rc);
    if (!target)
        return rc;
    const int user = static_cast<int>(target->user.number);

    dalmain::FoodCache cache;
    dalmain::EntryFoodIndex foods;
    if (!loadFoods(ctx, cache, foods))
        return cli::ExitFailure;
    const dalmain::FoodLookup lookup = [&foods](quint16 number) {
        const dalmain::EntryFood *f = foods.find(number);
        return f ? *f : dalmain::EntryFood();
    };

    // The other meals are kept as they are stored, so the file stays locked from reading them
    // to saving the day: a meal another writer set meanwhile would otherwise be written over.
    const quenkit::FileLock lock = quenkit::lockDataFile(dalmain::dayMenuFileName(user));
    if (!lock.isLocked()) {
        ctx.err << "dalmora menu: " << lock.error() << "\n";
        return cli::ExitFailure;
    }
    dalmain::MenuDay day;
    if (const int record = dalmain::FindDayMenu(user, target->key, 1)) {
        dalmain::DayMenu stored;
        if (dalmain::ReadDayMenu(user, record, stored) != 1) {
            ctx.err << "dalmora menu: the stored day cannot be read\n";
            return cli::ExitFailure;
        }
        day = dalmain::loadMenuDay(stored, lookup);
    }

    QList<dalmain::MenuRow> rows;
    if (hasDish)
        rows.append(dalmain::MenuRow::dishRow(dish));
    for (const Item &item : items) {
        if (!foods.find(item.food)) {
            ctx.err << "dalmora menu: food " << item.food << " is not in the food table\n";
            return cli::ExitNo;
        }
        rows.append(dalmain::MenuRow::foodRow(item.food, item.grams, lookup(item.food)));
    }
    day.meals[meal] = rows;

    const bool wasteOn = dalmain::wasteRatioOption();
    int record = 0;
    QString error;
    const dalmain::DaySaveResult result = dalmain::SaveDayMenu(
        nullptr, user, target->key, day, dalmain::computeDayTotals(day, wasteOn), false, wasteOn, &record, &error);
    const QString date = shownDate(target->key);
    switch (result) {
    case dalmain::DaySaveResult::Appended:
        ctx.out << "saved " << date << " as a new day (record " << record << ")\n";
        return cli::ExitOk;
    case dalmain::DaySaveResult::Rewritten:
        ctx.out << "saved " << date << " (record " << record << ")\n";
        return cli::ExitOk;
    case dalmain::DaySaveResult::Removed:
        ctx.out << "removed " << date << ": no meal is left\n";
        return cli::ExitOk;
    case dalmain::DaySaveResult::NothingToSave:
        ctx.out << date << " has no meals; nothing to save\n";
        return cli::ExitOk;
    case dalmain::DaySaveResult::Invalid:
        ctx.err << "dalmora menu: " << error << "\n";
        return cli::ExitNo;
    case dalmain::DaySaveResult::Cancelled:
    case dalmain::DaySaveResult::Failed:
        break;
    }
    ctx.err << "dalmora menu: " << cli::withLockReason(error.isEmpty() ? QStringLiteral("the day was not saved") : error)
            << "\n";
    return cli::ExitFailure;
}

int showDay(cli::Context &ctx, QStringList args)
{
    if (args.size() != 2)
        return usage(ctx, QStringLiteral("show takes USER DATE"));
    int rc = cli::ExitOk;
    const std::optional<Target> target = userAndDate(ctx, args, &rc);
    if (!target)
        return rc;
    const int user = static_cast<int>(target->user.number);
    const int record = dalmain::FindDayMenu(user, target->key, 1);
    dalmain::DayMenu day;
    if (record == 0 || dalmain::ReadDayMenu(user, record, day) != 1) {
        ctx.err << "dalmora menu: no menu on " << shownDate(target->key) << "\n";
        return cli::ExitNo;
    }
    // Names only: the figures below are the ones stored with the day. Without the table every
    // food would be listed as unknown, which it is not.
    dalmain::FoodCache cache;
    if (dalmain::LoadFoodCache(nullptr, cache) != 1) {
        ctx.err << "dalmora menu: the food table cannot be read\n";
        return cli::ExitFailure;
    }

    ctx.out << shownDate(target->key) << " (record " << record << ")\n";
    int dishSlot = 0;
    for (int meal = 0; meal < dalmain::kMealCount; ++meal) {
        ctx.out << QString::fromUtf8(kMealNames[meal]) << "\n";
        bool inDish = false;
        for (const dalmain::DayMenuEntry &e : day.entries[meal]) {
            if (e.food == dalmain::kEmptySlot)
                break;
            if (e.isDishHeader()) {
                ctx.out << "  [" << quenkit::fromSjis(day.dishName(dishSlot++)) << "]\n";
                inDish = true;
                continue;
            }
            const dalmain::FoodCacheEntry *f = dalmain::findCachedFood(cache, e.food);
            ctx.out << (inDish ? "    " : "  ") << e.food << "\t"
                    << (f ? quenkit::fromSjis(f->name) : QStringLiteral("(not in the food table)")) << "\t"
                    << gramsText(e.amountTenths) << " g\n";
        }
    }
    // The status line of the menu screen.
    const auto &c = day.foodCounts;
    ctx.out << QString::asprintf("日:%3d 朝:%3d 昼:%3d", c[dalmain::kDayRow], c[0], c[1]) << "\n"
            << QString::asprintf("夕:%3d 間:%3d 料:%3d", c[2], c[3], dishSlot) << "\n";

    ctx.out << "\t";
    for (const char *name : kMealNames)
        ctx.out << "\t" << QString::fromUtf8(name);
    ctx.out << "\t1日\n";
    for (int n = 0; n < dalmain::kNutrientCount; ++n) {
        ctx.out << dalmain::nutrientDisplayName(n) << "\t" << dalmain::nutrientDisplayUnit(n);
        for (int row = 0; row < dalmain::kMealRows; ++row)
            ctx.out << "\t" << dalmain::formatPlain(n, day.totals[row][n]);
        ctx.out << "\n";
    }
    return cli::ExitOk;
}

int listDays(cli::Context &ctx, QStringList args)
{
    if (args.isEmpty() || args.size() > 2)
        return usage(ctx, QStringLiteral("days takes USER [YYYY[MM]]"));
    QByteArray prefix;
    if (args.size() == 2) {
        static const QRegularExpression pattern(QStringLiteral("^\\d{4}(-?(0[1-9]|1[0-2]))?$"));
        if (!pattern.match(args[1]).hasMatch())
            return usage(ctx, QStringLiteral("'%1' is not a year or a month (YYYY or YYYYMM)").arg(args[1]));
        prefix = QString(args[1]).remove(QLatin1Char('-')).toLatin1();
    }
    if (!cli::userTableReadable(ctx, self().name))
        return cli::ExitFailure;
    const std::optional<dalmain::UserListEntry> user = cli::userArgument(args[0]);
    if (!user) {
        ctx.err << "dalmora menu: no such user\n";
        return cli::ExitNo;
    }
    const int number = static_cast<int>(user->number);
    QList<int> records;
    if (prefix.isEmpty()) {
        for (int r = 1; r <= dalmain::CountDayMenus(number); ++r)
            records.append(r);
    } else {
        records = dalmain::FindDayMenus(number, prefix);
    }

    struct Day {
        QByteArray key;
        int record;
        int foods;
    };
    QList<Day> days;
    dalmain::DayMenuReader reader(number);
    dalmain::DayMenu menu;
    for (int r : records) {
        if (reader.read(r, menu))
            days.append({menu.dateKey, r, menu.foodCounts[dalmain::kDayRow]});
    }
    if (days.isEmpty()) {
        ctx.err << "dalmora menu: no days\n";
        return cli::ExitNo;
    }
    std::stable_sort(days.begin(), days.end(), [](const Day &a, const Day &b) { return a.key < b.key; });
    for (const Day &d : days)
        ctx.out << shownDate(d.key) << "\trecord " << d.record << "\t" << d.foods << (d.foods == 1 ? " food\n" : " foods\n");
    return cli::ExitOk;
}

int run(cli::Context &ctx, QStringList args)
{
    if (args.isEmpty())
        return usage(ctx, QStringLiteral("missing action"));
    const QString action = args.takeFirst();
    if (action == QLatin1String("set"))
        return setMeal(ctx, args);
    for (const QString &a : args) {
        if (a.startsWith(QLatin1String("--")))
            return usage(ctx, QStringLiteral("unknown option %1").arg(a));
    }
    if (action == QLatin1String("show"))
        return showDay(ctx, args);
    if (action == QLatin1String("days"))
        return listDays(ctx, args);
    return usage(ctx, QStringLiteral("unknown action '%1'").arg(action));
}

}  // namespace
