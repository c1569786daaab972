#include "dalmain/master/BasalMetabolism.h"

#include "quenkit/dbf/DbfSearch.h"
#include "quenkit/dbf/DbfTable.h"
#include "quenkit/text/ShiftJis.h"

namespace dalmain {

int ageClass(int age)
{
    static constexpr int lowerBounds[kAgeClasses] = {0, 3, 6, 9, 12, 15, 18, 30, 50, 70};
    int result = 0;
    for (int c = 0; c < kAgeClasses; ++c) {
        if (age >= lowerBounds[c])
            result = c;
    }
    return result;
}

int basalRowIndex(int age, int sex)
{
    return ageClass(age) + (sex == 1 ? kAgeClasses : 0);
}

bool readBasalRow(int record, BasalStandardRow &row)
{
    QByteArray body;
    if (quenkit::ReadDBFRecord(kBasalTable, record, body) == 0 || body.size() < basalrecord::BodyLength)
        return false;
    using namespace basalrecord;
    const QByteArrayView b(body);
    int at = 0;
    auto field = [&](int width) {
        const QByteArrayView f = b.sliced(at, width);
        at += width;
        return f;
    };
    const char sex = field(SexWidth).front();
    row.sex = sex - '0';
    row.age = static_cast<int>(quenkit::fieldNumber(field(AgeWidth)));
    row.referenceWeight = quenkit::fieldNumber(field(WeightWidth));
    row.referenceAmount = quenkit::fieldNumber(field(AmountWidth));
    row.standard = quenkit::fieldNumber(field(StandardWidth));
    return true;
}

void LoadBasalStandardTable(BasalStandardTable &table)
{
    for (int record = 0; record < kBasalRows; ++record) {
        BasalStandardRow row;
        if (readBasalRow(record, row))
            table[record] = row;
    }
}

double StandardBasalRate(const BasalStandardTable &table, int age, int sex)
{
    return table[basalRowIndex(age, sex)].standard;
}

QList<quenkit::DbfFieldDescriptor> basalTableFields()
{
    using namespace basalrecord;
    return {
        quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"性別"), 'C', SexWidth),
        quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"年齢"), 'C', AgeWidth),
        quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"基準体重"), 'C', WeightWidth),
        quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"基礎代謝量"), 'C', AmountWidth),
        quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"基準値"), 'C', StandardWidth),
    };
}

}  // namespace dalmain
