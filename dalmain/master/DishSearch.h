#pragma once

#include <QList>
#include <QString>

namespace quenkit {
class Owner;
}

// The dish search of the dialogs "料理の検索" and the dish deletion: dishes found by name,
// category or keyword, listed by name.
namespace dalmain {

// Where the search dialog keeps its search mode, and the mode it starts with.
inline const QString kDishSearchSection = QStringLiteral("Dalmora Menu");
inline const QString kDishSearchModeValue = QStringLiteral("COOK_SEARCH_FLG");
inline constexpr int kDefaultDishSearchMode = 1;

struct DishListEntry {
    int record = -1;
    QString name;
    QString category;
};

// The live dishes whose name, category or one of the keywords contains text (in any kana
// spelling, as every table search matches), in table order, which is the order of the names;
// an empty text lists every dish. Empty when none is found, and *ok false when the table
// cannot be searched (a missing table shows nothing).
QList<DishListEntry> SearchDishes(quenkit::Owner *owner, const QString &text, bool *ok = nullptr);

// The search mode the dialog last used.
int dishSearchMode();
void setDishSearchMode(int mode);

}  // namespace dalmain
