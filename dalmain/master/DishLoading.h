#pragma once

#include "dalmain/master/DishRecord.h"
#include "dalmain/master/FoodTable.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace quenkit {
class Owner;
}

// A stored dish brought back: loaded into a meal of the menu grid at a scale, or shown with
// its foods, picture and memo.
namespace dalmain {

enum class DishLoadResult {
    Loaded,
    TooLarge,    // a scaled amount exceeds 999.9 g (the owner was told); nothing to add
    NotFound,    // no dish of that name
    BadScale,    // a negative or non-finite scale; nothing to add
};

// The amount of a food entry at scalePercent (100 = as stored), in tenths of a gram rounded
// half up: amount x 0.1 x s x 0.01 grams.
qint64 scaledAmountTenths(quint16 amountTenths, double scalePercent);

// The entries of dish to add to the current meal, in order, at scalePercent. First every food
// entry's scaled amount must fit in 999.9 g; otherwise owner is told "食品の分量が999.9g以内に
// 収まりません。" ("料理の読み込み") and nothing is added. Then foods the food table holds are
// added with their scaled amounts, foods no longer in it are left out, and dish headers come
// with their stored names.
DishLoadResult loadDishEntries(quenkit::Owner *owner, const DishRecord &dish, double scalePercent,
                               QList<DishEntry> &added, const FoodTableFiles &foods = {});

// The same for the dish of this name in the dish table.
DishLoadResult LoadDish(quenkit::Owner *owner, const QString &name, double scalePercent, QList<DishEntry> &added,
                        const FoodTableFiles &foods = {});

// One line of the dish's view.
struct DishViewLine {
    enum class Kind { Food, Header, MissingFood };
    Kind kind = Kind::Food;
    quint32 food = 0;            // food number (also for a missing food)
    QString text;                // the food's name, the header's name; empty for a missing food
    quint16 amountTenths = 0;    // for foods, missing ones included
};

// What the dish views show.
struct DishView {
    QString name;
    QString category;
    QStringList keywords;        // the keywords that are not empty
    QString memo;
    QString picturePath;         // see dishPicturePath
    QList<DishViewLine> lines;   // every entry, a food no longer in the food table as missing
};

// The view of a dish. programFolder is the DataDir setting, where the pictures are.
DishView dishView(const DishRecord &dish, const QString &programFolder, const FoodTableFiles &foods = {});

// The view of the dish of this name, or nothing when there is none.
std::optional<DishView> ShowDish(const QString &name, const QString &programFolder, const FoodTableFiles &foods = {});

}  // namespace dalmain
