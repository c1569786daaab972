#pragma once

#include "dalmain/master/DishTable.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Dishes written as a readable list, the form the shipped dishes are kept in:
//
//     # a comment; blank lines are ignored
//     dish 肉じゃが | 和食 | にくじゃが 煮物 | memo text
//       11131  50      # a food by its five-digit food code, and grams (one decimal)
//       > ご飯           # a dish header inside the dish
//
// A "dish" line gives the name, the category, one to three keywords separated by blanks and
// an optional memo; the lines below it give its entries in order. Each dish begins with a
// header of its own name, as a dish saved from the menu grid does.
namespace dalmain {

struct DishListItem {
    int line = 0;   // of the "dish" line
    DishForm form;
    QList<DishEntry> entries;
};

// Reads text against the food codes of a food table (code -> food number). Every problem is
// appended to *errors as "LINE: what"; a dish with a problem is left out. The list holds the
// dishes without problems, in the order of the text. Texts must fit their fields whole (no
// cutting), amounts must be above 0 and at most 999.9 g, and a food code must be in codes.
QList<DishListItem> parseDishList(const QString &text, const QHash<QByteArray, quint32> &codes, QStringList *errors);

}  // namespace dalmain
