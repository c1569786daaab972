#pragma once

// Reference intake files and standards tables made up for the tests.

#include "dalmain/master/ReferenceIntakeStandards.h"
#include "dalmain/master/ReferenceIntakes.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/text/ShiftJis.h"

#include <QByteArray>
#include <QString>

namespace intakefixtures {

using namespace dalmain;

// Upper age bounds of the 15 age rows as the shipped file has them.
constexpr int kUpperAges[kIntakeAgeRows] = {0, 0, 0, 0, 2, 5, 7, 9, 11, 14, 17, 29, 49, 69, 99};

// Every value different from every other, so that a wrong table, row, column, level or bound
// shows as a wrong number.
inline double distinctValue(int table, int row, int column, int level, int upper)
{
    return table * 100000 + row * 1000 + column * 30 + level * 5 + upper * 2 + 1;
}

inline ReferenceIntakeTables distinctTables()
{
    ReferenceIntakeTables t;
    auto fill = [](ReferenceIntakeRow &row, int table, int index) {
        row.upperAge = index < kIntakeAgeRows ? kUpperAges[index] : 0;
        row.unused = {index + 0.5, index + 0.25};
        for (int k = 0; k < kIntakeColumns; ++k) {
            for (int level = 0; level < kIntakeLevels; ++level) {
                row.values[static_cast<size_t>(6 * k + 2 * level)] = distinctValue(table, index, k, level, 0);
                row.values[static_cast<size_t>(6 * k + 2 * level + 1)] = distinctValue(table, index, k, level, 1);
            }
        }
    };
    for (int i = 0; i < kIntakeAgeRows; ++i)
        fill(t.male[i], 0, i);
    for (int i = 0; i < kIntakeAgeRows + kIntakeAdditionRows; ++i)
        fill(t.female[i], 1, i);
    return t;
}

inline QByteArray rowLine(const ReferenceIntakeRow &row, const QByteArray &label)
{
    QByteArray line = label + ',' + QByteArray::number(row.upperAge) + ',' + QByteArray::number(row.unused[0]) + ','
                      + QByteArray::number(row.unused[1]);
    for (double v : row.values)
        line += ',' + QByteArray::number(v, 'g', 17);
    return line;
}

// The file text of tables, lines ended by lineEnd.
inline QByteArray fileText(const ReferenceIntakeTables &t, const QByteArray &lineEnd = "\r\n")
{
    QByteArray text = quenkit::toSjis(u"日本人の食事摂取基準(2010年版)") + lineEnd + "heading 2" + lineEnd
                      + "heading 3" + lineEnd;
    for (const ReferenceIntakeRow &row : t.male)
        text += rowLine(row, "male") + lineEnd;
    text += quenkit::toSjis(u"女性") + lineEnd;
    for (const ReferenceIntakeRow &row : t.female)
        text += rowLine(row, "female") + lineEnd;
    return text;
}

// A standards table with one record per heading; nutrient i of standard s has the bounds
// (s * 100 + i + 0.5, s * 100 + i + 50).
inline IntakeBound standardValue(int s, int nutrient)
{
    return {s * 100 + nutrient + 0.5, s * 100 + nutrient + 50.0};
}

inline bool writeStandards(const QStringList &headings)
{
    if (quenkit::createDbfTable(kStandardsTable, standardsTableFields()) != 1)
        return false;
    for (int s = 0; s < headings.size(); ++s) {
        QByteArray body = quenkit::sjisField(quenkit::toSjis(headings[s]), kStandardHeadingWidth)
                          + quenkit::sjisField("keyword", kStandardKeywordWidth);
        for (int i = 0; i < kNutrientCount; ++i) {
            const IntakeBound b = standardValue(s, i);
            body += QString::asprintf("%7.1f%7.1f", b.lower, b.upper).toLatin1();
        }
        const int written = quenkit::WriteDBFRecord(nullptr, kStandardsTable, body, standardsHeadingField(),
                                                    quenkit::WriteOrOverwrite);
        if (written != 1)
            return false;
    }
    return true;
}

}  // namespace intakefixtures
