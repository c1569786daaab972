#include "dalmain/master/TableRecords.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"

namespace dalmain {

QList<QStringList> readFieldRows(const QString &table, const QList<QByteArray> &fields)
{
    quenkit::DbfLayout layout;
    if (fields.isEmpty() || !quenkit::readDbfLayout(table, layout))
        return {};
    QList<quenkit::FieldSlice> slices;
    for (const QByteArray &name : fields) {
        const std::optional<quenkit::FieldSlice> slice = layout.fieldSlice(name);
        if (!slice)
            return {};
        slices.append(*slice);
    }

    // An empty key matches every live record.
    QList<int> live;
    if (quenkit::SearchDBFRecord(nullptr, live, table, fields.first(), {}, {}) <= 0)
        return {};
    QList<QStringList> rows;
    QByteArray body;
    for (int record : live) {
        if (quenkit::ReadDBFRecord(table, record, body) != 1 || body.size() != layout.bodyLength())
            continue;
        QStringList row;
        for (const quenkit::FieldSlice &slice : slices)
            row.append(quenkit::fromSjis(quenkit::trimmedField(slice.of(body))));
        rows.append(row);
    }
    return rows;
}

QStringList readFieldValues(const QString &table, const QByteArray &field)
{
    QStringList values;
    for (const QStringList &row : readFieldRows(table, {field}))
        values.append(row.first());
    return values;
}

}  // namespace dalmain
