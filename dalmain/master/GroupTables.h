#pragma once

#include "dalmain/master/FoodTable.h"

#include "quenkit/dbf/DbfFormat.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// The food group tables and the exchange lists the analysis sorts foods into: the group tables
// "食品群別.DBF" with their exceptions "fg<name>.DBF", the proper intakes "適正摂取.DBF", the
// exchange files "糖尿交換表.DAT" and "腎臓交換表.DAT", and the proper units "適正単位.DBF".
namespace dalmain {

constexpr int kTableGroups = 18;
using GroupValues = std::array<double, kTableGroups>;

inline const QString kGroupExceptionTemplate = QStringLiteral("食品群割.DBF");
inline const QString kDiabetesExchangeFile = QStringLiteral("糖尿交換表.DAT");
inline const QString kKidneyExchangeFile = QStringLiteral("腎臓交換表.DAT");

namespace grouprecord {
constexpr int NameWidth = 30;
constexpr int GroupNameWidth = 10;
constexpr int MappingWidth = 2;
constexpr int ReservedWidth = 1;   // blank; keeps the record at its 248 bytes
constexpr int BodyLength = NameWidth + kTableGroups * (GroupNameWidth + MappingWidth) + ReservedWidth;  // 247
}  // namespace grouprecord

namespace intakerecord {
constexpr int NameWidth = 30;
constexpr int TableWidth = 30;
constexpr int TotalWidth = 7;      // grams of all groups, "%7.1f"
constexpr int ValueWidth = 6;      // grams per group, "%6.1f"
constexpr int BodyLength = NameWidth + TableWidth + TotalWidth + kTableGroups * ValueWidth;  // 175
}  // namespace intakerecord

namespace exceptionrecord {
constexpr int FoodWidth = 5;       // "%5u"
constexpr int GroupWidth = 2;      // "%02u"
constexpr int BodyLength = FoodWidth + 2 * GroupWidth;
}  // namespace exceptionrecord

namespace unitrecord {
constexpr int NameWidth = 30;
constexpr int TableWidth = 30;
constexpr int ValueWidth = 6;      // units per exchange group, "%6.1f"
constexpr int BodyLength = NameWidth + TableWidth + kTableGroups * ValueWidth;  // 168
}  // namespace unitrecord

constexpr int kExchangeRecordSize = 6;

// The fields of each table, in record order.
QList<quenkit::DbfFieldDescriptor> groupTableFields();
QList<quenkit::DbfFieldDescriptor> properIntakeFields();
QList<quenkit::DbfFieldDescriptor> groupExceptionFields();
QList<quenkit::DbfFieldDescriptor> properUnitFields();

// "fg" + the group table's name without trailing blanks + ".DBF".
QString groupExceptionTableName(const QString &groupTable);

// One record of "食品群別.DBF".
struct FoodGroupTable {
    QString name;
    std::array<QString, kTableGroups> groupNames;   // blank for an unused group
    // For each standard food group of the food table, the group (1-18) of this table that takes
    // its grams; 0 for a standard group this table does not count.
    std::array<int, kTableGroups> mapping{};

    // The groups the table uses: up to the last group with a name.
    int groupCount() const;
    bool operator==(const FoodGroupTable &) const = default;
};
QByteArray encodeGroupTable(const FoodGroupTable &table);
FoodGroupTable decodeGroupTable(QByteArrayView body);

// One record of "適正摂取.DBF": grams per day of each group of the group table it belongs to.
struct ProperIntakeSet {
    QString name;
    QString groupTable;
    GroupValues grams{};
    bool operator==(const ProperIntakeSet &) const = default;
};
// Empty when a value does not fit its field (grams of a group from 10000, a total from 100000).
QByteArray encodeProperIntake(const ProperIntakeSet &set);
ProperIntakeSet decodeProperIntake(QByteArrayView body);

// One record of a group table's exceptions: a food whose grams move from its standard group to
// another group of the table (target 0: to none).
struct GroupException {
    quint32 food = 0;
    quint8 sourceGroup = 0;   // standard food group 1-18
    quint8 targetGroup = 0;   // group of the table, 0-18
    bool operator==(const GroupException &) const = default;
};
QByteArray encodeGroupException(const GroupException &exception);
GroupException decodeGroupException(QByteArrayView body);

// One record of "適正単位.DBF": units per day of each exchange group.
struct ProperUnitSet {
    QString name;
    QString exchangeTable;
    GroupValues units{};
    bool operator==(const ProperUnitSet &) const = default;
};
// Empty when a value does not fit its field (10000 units and more).
QByteArray encodeProperUnits(const ProperUnitSet &set);
ProperUnitSet decodeProperUnits(QByteArrayView body);

// One food of an exchange file, with what the units are computed from, copied from the food
// table (zeros for a food the table does not have).
struct ExchangeFood {
    quint32 food = 0;
    quint8 group = 0;           // 表, 1-18
    double energy = 0;          // kcal per 100 g
    double protein = 0;         // g per 100 g
    double wasteRatio = 0;      // percent
};

enum class ExchangeKind { None = 0, Diabetes = 1, Kidney = 2 };
// By the exchange table's name; None for any name but the two lists'.
ExchangeKind exchangeKindOf(const QString &exchangeTable);
// The exchange file of a kind; empty for None.
QString exchangeFileOf(ExchangeKind kind);
// The names of the exchange groups of a kind, in group order: 9 for diabetes, 8 for kidney.
QStringList exchangeGroupNames(ExchangeKind kind);

// The 6-byte records: food number (u32, little-endian), an unused byte (0), the group.
QByteArray encodeExchangeRecord(quint32 food, quint8 group);
// Every record of an exchange file in file order; none for a missing file. A trailing part of
// fewer than 6 bytes is no record.
std::optional<QList<std::pair<quint32, quint8>>> readExchangeFile(const QString &name);

// The group data of a person as the analysis uses it.
struct GroupData {
    FoodGroupTable table;                 // empty when the name is not found
    ProperIntakeSet intake;               // empty when the name is not found
    // Per standard group, the index (0-17) of the table's group that takes it; -1 not counted.
    std::array<int, kTableGroups> groupIndex{};
    QList<GroupException> exceptions;
};
// Reads the named group table, its proper-intake set and its exceptions.
GroupData LoadGroupData(const QString &groupTable, const QString &intakeSet);

struct ExchangeData {
    ExchangeKind kind = ExchangeKind::None;
    QList<ExchangeFood> foods;            // empty for kind None and a missing file
    ProperUnitSet units;                  // empty when the name is not found
};
// Reads the exchange list of the named exchange table with each food's figures from cache, and
// the named proper-unit set. false when the food cache is empty (the list stays empty then).
bool LoadExchangeData(const QString &exchangeTable, const QString &unitSet, const FoodCache &cache,
                      ExchangeData &data);

// The standard-group mapping of a table as indexes: code - 1, -1 for 0 or a code above 18.
std::array<int, kTableGroups> groupIndexesOf(const FoodGroupTable &table);

}  // namespace dalmain
