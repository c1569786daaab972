#pragma once

#include "dalmain/master/FoodRecord.h"
#include "dalmain/master/Nutrients.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace quenkit {
class Owner;
struct DbfFieldDescriptor;
}

// The food table "食品.FDB" as a whole: its fields, writing it, the number index "食品.IDX",
// new food numbers, the in-memory copies the analysis and the exports work from, and the
// searches of the food search dialog.
namespace dalmain {

// The two files of a food table. Names are relative to the data folder, or full paths.
struct FoodTableFiles {
    QString table = QStringLiteral("食品.FDB");
    QString index = QStringLiteral("食品.IDX");

    // A table anywhere, with its index beside it: the same name with the extension "IDX".
    static FoodTableFiles forTable(const QString &table);
};

// The settings value that remembers the last number given to a user food.
inline constexpr const char *FoodSettingsSection = "Dalmora Food";
inline constexpr const char *FoodNumberCounter = "FoodNo5";

// The field descriptors of a food table, in record order; the nutrient fields are named after
// the nutrient table (NutrientInfo.h), the others after food::*Field.
QList<quenkit::DbfFieldDescriptor> foodTableFields();

// Writes a whole food table: a new file with these records in this order, which then takes the
// place of path in one step. path must name a signed table (ending in "FDB"). Problems with
// single values (see FoodRecord::toBody) are appended to *problems, prefixed with the food's
// number. 1, or 0 with the reason in *error.
int writeFoodTable(const QString &path, const QList<FoodRecord> &records, QStringList *problems = nullptr,
                   QString *error = nullptr);

// Rebuilds the index from the table: a u16 count, then one u16 food number per record in record
// order, so that the position of a number is its record's number. A record flagged deleted
// keeps its place with the number 0, which no food has. 1, or 0 when the table cannot be
// searched or the index cannot be written.
int RebuildFoodIndex(quenkit::Owner *owner, const FoodTableFiles &files = {});

// The numbers of the index in record order; false when it cannot be read. A file shorter than
// its count gives the numbers it holds.
bool readFoodIndex(const FoodTableFiles &files, QList<quint16> &numbers);

// The record number of a food in the table: the first position of number in the index, or -1
// when the index cannot be read or does not hold the number.
int FoodRecordNumber(quenkit::Owner *owner, quint32 number, const FoodTableFiles &files = {});

// The number for a new user food: the user's number (nextUserFoodNumber) after the larger of
// the stored counter and the largest of the user's numbers in the index, stored as the new
// counter, while that is below 60000; from 60000 on the smallest of the user's numbers missing
// from the index (the counter unchanged). Official numbers (isOfficialFoodNumber) are never
// given, whatever the table holds. An index that is missing,
// damaged or not the table's is rebuilt from the table first, so that the number is never one
// a food of the table has. food::NoNumber (65535) when the table cannot be read, the index
// cannot be rebuilt, or no number is free.
quint32 NextFoodNumber(const FoodTableFiles &files = {});

// Reads one food by its number through the index. 1, or 0 when it is not there (or the index
// points at a record of another food).
int ReadFood(quenkit::Owner *owner, quint32 number, FoodRecord &food, const FoodTableFiles &files = {});

// The food cache: the table in memory, one entry per live record in record order.
struct FoodCacheEntry {
    quint32 number = 0;
    QByteArray name;   // Shift-JIS, trailing blanks removed
    quint32 group = 0;
    NutrientVector nutrients{};   // 0 where unknown
    double wasteRatio = 0;
    UnknownNutrients unknown{};   // set: not analysed (blank in the table)

    bool isKnown(int nutrient) const { return !unknown.test(static_cast<size_t>(nutrient)); }
};
using FoodCache = QList<FoodCacheEntry>;

// Fills cache from the table. 1, or 0 (cache empty) when the table cannot be opened or read
// whole, or is no food table (records shorter than a food's, or the number and name fields
// not where a food keeps them).
int LoadFoodCache(quenkit::Owner *owner, FoodCache &cache, const FoodTableFiles &files = {});
// The entry of a food number, or null.
const FoodCacheEntry *findCachedFood(const FoodCache &cache, quint32 number);

// The code table of the exports: one entry per live record, in record order.
struct FoodCodeEntry {
    QByteArray code;   // five digits
    quint16 number = 0;
    quint32 group = 0;
    QByteArray name;   // Shift-JIS, trimmed
};

// Official foods get their official number as code; users' foods get their group's serials,
// in table order, from its first user serial or one past the largest official serial of the
// group in the table, whichever is higher. 1; reading stops at the first record that cannot be
// read.
int BuildFoodCodeTable(quenkit::Owner *owner, QList<FoodCodeEntry> &codes, const FoodTableFiles &files = {});

// Every live record of a table, in record order. false (records empty) when the table cannot
// be opened or read whole, or is no food table.
bool readFoodRecords(const QString &table, QList<FoodRecord> &records);

// The food search: record numbers (ascending) of the foods whose number, name or keywords
// contain text (any kana spelling), or -1 when the table cannot be searched.
int SearchFoodsByText(quenkit::Owner *owner, QList<int> &records, QByteArrayView text,
                      const FoodTableFiles &files = {});

// A nutrient condition on the per-100 g value: comparison 1 at least, 2 at most, 3 equal.
struct NutrientCondition {
    int nutrient = -1;   // NutrientVector index; -1 for no condition
    int comparison = 0;
    double value = 0;
};

// Foods of a group (1-18; 0 for every group) that meet the condition. -1 on failure.
int SearchFoodsByGroup(quenkit::Owner *owner, QList<int> &records, int group, const NutrientCondition &condition = {},
                       const FoodTableFiles &files = {});

}  // namespace dalmain
