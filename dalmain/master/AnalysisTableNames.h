#pragma once

#include <QString>
#include <QStringList>

// The names of the tables a user profile chooses for the group and exchange analysis: the two
// exchange tables the analysis knows, and the group tables, proper-intake sets and proper-unit
// sets registered in the data folder.
namespace dalmain {

inline const QString kDiabetesExchangeTable = QStringLiteral("糖尿病食品交換表 第６版");
inline const QString kKidneyExchangeTable = QStringLiteral("腎臓病食品交換表 第７版");

inline const QString kGroupTablesTable = QStringLiteral("食品群別.DBF");
inline const QString kProperIntakeTable = QStringLiteral("適正摂取.DBF");
inline const QString kProperUnitTable = QStringLiteral("適正単位.DBF");

QStringList exchangeTableNames();
// Each list in table order; empty when its table is missing.
QStringList foodGroupTableNames();
QStringList properIntakeSetNames();
// The proper-unit sets that belong to exchangeTable; every set when it is empty.
QStringList properUnitSetNames(const QString &exchangeTable);

}  // namespace dalmain
