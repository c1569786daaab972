#pragma once

#include "dalmain/master/DishRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace quenkit {
class Owner;
}

// The dish table and its category table as a whole: reading them, saving a dish from the menu
// grid, deleting dishes, and keeping the category list to the categories the dishes use.
namespace dalmain {

// Creates whichever of "料理.DBF" and "料理分類.DBF" is missing, empty. A table that exists is
// left as it is. false when a missing table cannot be created.
bool ensureDishTables();

// A live dish of the table with its record number.
struct StoredDish {
    int record = -1;
    DishRecord dish;
};

// Every live dish in table order. false in *ok (and nothing) when the table cannot be read or
// is no dish table.
QList<StoredDish> readDishes(bool *ok = nullptr);

// The dish of exactly this name (cut to the name's 40 bytes as the table stores it).
std::optional<StoredDish> findDish(const QString &name);

// The categories of "料理分類.DBF" in table order, which fill the registration dialog's list.
QStringList dishCategories();

// What the registration dialog "料理の保存" passes on OK.
struct DishForm {
    QString name;
    QString category;
    std::array<QString, dish::KeywordCount> keywords;
    QString picture;   // empty or "DEFCOOK" for none
    QString memo;
};

// The dialog field a refused save puts the focus on.
enum class DishField { None, Name, Category, Keywords, Entries };

enum class DishSaveResult {
    Added,        // a new dish
    Overwritten,  // the dish of that name was replaced in place
    Declined,     // the owner said No to the new dish or the overwrite; nothing changed
    Refused,      // a check of the input failed (the owner was told); nothing changed
    Failed,       // the table could not be read or written; nothing changed
};

struct DishSaveOutcome {
    DishSaveResult result = DishSaveResult::Failed;
    DishField focus = DishField::None;   // for Refused
    // false when the dish was written but the category list could not be brought up to date.
    bool categoriesUpdated = true;
};

// Saves entries (the grid's dish: its header and the foods that follow it, in grid order)
// under the form's name. Checks, each told to owner with the caption "料理登録": an empty name
// ("料理名を入力してください。"), an empty category ("料理分類を入力してください。"), no keyword
// ("キーワードを入力してください。"), and entries the record cannot hold, above all a food of
// more than 999.9 g ("食品の分量が999.9g以内に収まりません。"). The write asks owner to confirm
// the new dish or the overwrite of a dish of the same name. After an overwrite the dish's former
// category leaves the category list when no dish uses it any more; a category not yet in the
// list is added. The dish table stays locked from the look-up of the name to the last change
// of the category list.
DishSaveOutcome SaveDish(quenkit::Owner *owner, const DishForm &form, const QList<DishEntry> &entries);

enum class DishDeleteResult {
    Deleted,    // the dishes found among the names were deleted (maybe none of them)
    Declined,   // the owner said No; nothing changed
    Failed,     // the table could not be read or written; nothing changed
};

struct DishDeleteOutcome {
    DishDeleteResult result = DishDeleteResult::Failed;
    QStringList deleted;    // in table order
    QStringList notFound;   // names no live dish has
    bool categoriesUpdated = true;
};

// Deletes the dishes of these names after asking owner "選択された料理を削除します。よろしいで
// すか？" ("削除の確認", No preselected). The dishes go by name in one rewrite of the table, which
// stays locked from the reading to the end, so the selection's order and other writers cannot
// make another dish go. Then each category of a deleted dish that no remaining dish uses leaves
// the category list.
DishDeleteOutcome DeleteDish(quenkit::Owner *owner, const QStringList &names);

}  // namespace dalmain
