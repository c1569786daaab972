#pragma once

#include "dalmain/userdata/DayMenuSave.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The menu screen's clipboard blocks: the rows as text lines (Shift-JIS, CR LF each) that any
// program can paste, a NUL, then a private part the menu screen pastes back: a marker, the
// record count (16-bit little-endian), the 52-byte row records, the marker again and one zero
// byte. "DMMenuData" marks selected rows, "DMMenuAllData" a whole day.
namespace dalmain {

enum class MenuClipKind {
    Rows,  // selected rows of one meal (コピー, 切り取り)
    Day,   // the rows of the meals chosen for まとめてコピー
};

inline constexpr int kMenuClipRecordSize = 52;
// The food number of a dish-name record.
inline constexpr quint16 kMenuClipDishFood = 65535;
// The widest dish name a record holds; its 41st byte is the terminating NUL.
inline constexpr int kMenuClipDishNameWidth = 40;

QByteArray menuClipMarker(MenuClipKind kind);

// One row as it travels: the meal it belongs to (or came from), the food and its amount, or a
// dish name.
struct MenuClipRecord {
    int meal = Breakfast;
    quint16 food = 0;
    double grams = 0.0;
    QByteArray dishName;  // Shift-JIS, blanks trimmed, at most 40 bytes

    bool isDish() const { return food == kMenuClipDishFood; }
    bool operator==(const MenuClipRecord &) const = default;
};

// The record of a row of meal.
MenuClipRecord menuClipRecord(int meal, const MenuRow &row);

QByteArray encodeMenuClipRecord(const MenuClipRecord &record);

// The whole block: text (the lines with their CR LF, no NUL inside), NUL, marker, count,
// records, marker, zero byte.
QByteArray encodeMenuClipBlock(MenuClipKind kind, QByteArrayView text, const QList<MenuClipRecord> &records);

// Whether block carries the kind's marker directly behind its text.
bool hasMenuClipMarker(MenuClipKind kind, QByteArrayView block);

// The records of a block. The count field says how many there are; a block whose text has
// fewer lines than that, or that ends before them, gives only the records that it holds whole
// and that have their line. Records that cannot be rows (a meal other than the four, a food
// number 0, an amount that is not a number from 0 to 999.9 g) are left out. A block without
// the kind's marker behind its text gives none. Nothing is ever read beyond the block's end.
QList<MenuClipRecord> decodeMenuClipBlock(MenuClipKind kind, QByteArrayView block);

}  // namespace dalmain
