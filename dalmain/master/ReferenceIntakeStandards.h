#pragma once

#include "dalmain/master/IntakeStandard.h"

#include "quenkit/dbf/DbfFormat.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quenkit {
class Owner;
}

// User-defined reference standards: the table "所要量.DBF", one record per standard, keyed by
// its heading, with a lower and an upper value for each of the 37 nutrients. And the list of
// standards a user chooses from.
namespace dalmain {

inline const QString kStandardsTable = QStringLiteral("所要量.DBF");
// The entry of the standard list that stands for the national reference intakes, and the
// standard kind a user record stores for it.
inline const QString kNationalStandardEntry = QStringLiteral("食事摂取基準(2010年版)");
inline const QByteArray kNationalStandardKind = QByteArrayLiteral("  1");

inline const QString kMissingStandardCaption = QStringLiteral("食事摂取基準の設定");
inline const QString kMissingStandardMessage =
    QStringLiteral("設定されている食事摂取基準が見つかりません。\n削除されています。");

constexpr int kStandardHeadingWidth = 40;
constexpr int kStandardKeywordWidth = 40;
constexpr int kStandardValueWidth = 7;

// The fields of the table: "見出し" (heading, the key), "キーワード" (keyword), then for each
// nutrient in NutrientVector order its lower and upper value ("下限00", "上限00", "下限01" ...)
// as 7-character decimal text.
QList<quenkit::DbfFieldDescriptor> standardsTableFields();
// Shift-JIS names of the key field and of a value field.
QByteArray standardsHeadingField();
QByteArray standardsValueField(int nutrient, bool upper);

// Copies the bounds of the standard with exactly this heading into standard (when not null).
// false when the table has no such standard or cannot be read.
bool findUserStandard(const QString &heading, IntakeStandard *standard);

// Tells owner that the chosen user-defined standard has been deleted.
void reportMissingStandard(quenkit::Owner *owner);

// The headings of every standard of the table, in table order (empty when there is none).
QStringList userStandardHeadings();

// What a user chooses from: the national reference intakes first, then every user-defined
// standard.
QStringList standardChoices();
// The entry preselected in choices: the one equal to the DefSyoyo setting ("Dalmora System"),
// else the first.
int defaultStandardChoice(const QStringList &choices);

}  // namespace dalmain
