#include "dalmain/master/DishLoading.h"

#include "dalmain/master/DishPicture.h"
#include "dalmain/master/DishTable.h"

#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <cmath>

namespace dalmain {

namespace {

// Whether the food table holds the food. The index alone would also say yes for a food whose
// record another state of the table gave to a different food.
bool foodExists(quint32 number, const FoodTableFiles &foods, FoodRecord *food = nullptr)
{
    if (number == 0 || number > food::LastNumber)
        return false;
    FoodRecord record;
    if (!ReadFood(nullptr, number, record, foods))
        return false;
    if (food)
        *food = record;
    return true;
}

}  // namespace

qint64 scaledAmountTenths(quint16 amountTenths, double scalePercent)
{
    const double grams = amountTenths * 0.1 * scalePercent * 0.01;
    const double tenths = std::floor(grams * 10 + 0.5);
    // Far beyond any amount a meal holds, and kept inside the integer's range.
    constexpr double Ceiling = 1e12;
    return static_cast<qint64>(tenths < Ceiling ? tenths : Ceiling);
}

DishLoadResult loadDishEntries(quenkit::Owner *owner, const DishRecord &dish, double scalePercent,
                               QList<DishEntry> &added, const FoodTableFiles &foods)
{
    added.clear();
    if (!std::isfinite(scalePercent) || scalePercent < 0)
        return DishLoadResult::BadScale;
    for (const DishEntry &e : dish.entries) {
        if (!e.isHeader() && scaledAmountTenths(e.amountTenths, scalePercent) > dish::MaxAmountTenths) {
            quenkit::inform(owner, QStringLiteral("料理の読み込み"), QStringLiteral("食品の分量が999.9g以内に収まりません。"),
                            quenkit::Icon::Information);
            return DishLoadResult::TooLarge;
        }
    }
    for (const DishEntry &e : dish.entries) {
        if (e.isHeader()) {
            added.append(e);
        } else if (foodExists(e.food, foods)) {
            added.append(DishEntry::foodEntry(e.food, static_cast<quint16>(scaledAmountTenths(e.amountTenths, scalePercent))));
        }
    }
    return DishLoadResult::Loaded;
}

DishLoadResult LoadDish(quenkit::Owner *owner, const QString &name, double scalePercent, QList<DishEntry> &added,
                        const FoodTableFiles &foods)
{
    added.clear();
    const std::optional<StoredDish> stored = findDish(name);
    if (!stored)
        return DishLoadResult::NotFound;
    return loadDishEntries(owner, stored->dish, scalePercent, added, foods);
}

DishView dishView(const DishRecord &dish, const QString &programFolder, const FoodTableFiles &foods)
{
    DishView view;
    view.name = quenkit::fromSjis(dish.name);
    view.category = quenkit::fromSjis(dish.category);
    for (const QByteArray &k : dish.keywords) {
        if (!k.isEmpty())
            view.keywords.append(quenkit::fromSjis(k));
    }
    view.memo = quenkit::fromSjis(dish.memo);
    view.picturePath = dishPicturePath(programFolder, dish.picture, dish.category);
    for (const DishEntry &e : dish.entries) {
        DishViewLine line;
        line.food = e.food;
        if (e.isHeader()) {
            line.kind = DishViewLine::Kind::Header;
            line.food = 0;
            line.text = quenkit::fromSjis(e.headerName);
        } else {
            FoodRecord food;
            line.amountTenths = e.amountTenths;
            if (foodExists(e.food, foods, &food)) {
                line.kind = DishViewLine::Kind::Food;
                line.text = quenkit::fromSjis(food.name);
            } else {
                // Shown, not hidden: the user should see what the dish lost before loading it.
                line.kind = DishViewLine::Kind::MissingFood;
            }
        }
        view.lines.append(line);
    }
    return view;
}

std::optional<DishView> ShowDish(const QString &name, const QString &programFolder, const FoodTableFiles &foods)
{
    const std::optional<StoredDish> stored = findDish(name);
    if (!stored)
        return std::nullopt;
    return dishView(stored->dish, programFolder, foods);
}

}  // namespace dalmain
