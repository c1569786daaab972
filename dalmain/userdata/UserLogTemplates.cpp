#include "dalmain/userdata/UserLogTemplates.h"

#include "quenkit/text/ShiftJis.h"

namespace dalmain {

QByteArray weightLogKeyField()
{
    return quenkit::toSjis(u"記録日付");
}

QList<quenkit::DbfFieldDescriptor> weightLogFields()
{
    return {
        quenkit::DbfFieldDescriptor::make(weightLogKeyField(), 'C', 8),
        quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"体重"), 'C', 5),
        quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"体脂肪率"), 'C', 4),
    };
}

QList<quenkit::DbfFieldDescriptor> exerciseLogFields()
{
    QList<quenkit::DbfFieldDescriptor> fields{quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"日付"), 'C', 8)};
    for (int i = 1; i <= kExerciseSlots; ++i) {
        const QString name = QStringLiteral("運動%1").arg(i, 2, 10, QLatin1Char('0'));
        fields.append(quenkit::DbfFieldDescriptor::make(quenkit::toSjis(name), 'C', kExerciseSlotWidth));
    }
    return fields;
}

QByteArray weightRecordBody(int year, int month, int day, double kg, double bodyFat)
{
    return QString::asprintf("%04d%02d%02d%5.1f%4.1f", year, month, day, kg, bodyFat).toLatin1();
}

}  // namespace dalmain
