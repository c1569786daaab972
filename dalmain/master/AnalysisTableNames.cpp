#include "dalmain/master/AnalysisTableNames.h"

#include "dalmain/master/TableRecords.h"

#include "quenkit/text/ShiftJis.h"

namespace dalmain {

QStringList exchangeTableNames()
{
    return {kDiabetesExchangeTable, kKidneyExchangeTable};
}

QStringList foodGroupTableNames()
{
    return readFieldValues(kGroupTablesTable, quenkit::toSjis(u"郡別表名"));
}

QStringList properIntakeSetNames()
{
    return readFieldValues(kProperIntakeTable, quenkit::toSjis(u"適正摂取名"));
}

QStringList properUnitSetNames(const QString &exchangeTable)
{
    QStringList names;
    for (const QStringList &row :
         readFieldRows(kProperUnitTable, {quenkit::toSjis(u"適正単位名"), quenkit::toSjis(u"交換表名")})) {
        if (exchangeTable.trimmed().isEmpty() || row[1] == exchangeTable.trimmed())
            names.append(row[0]);
    }
    return names;
}

}  // namespace dalmain
