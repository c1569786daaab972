#include "dalmain/master/ExerciseItem.h"

#include "quenkit/dbf/DbfSearch.h"
#include "quenkit/dbf/DbfTable.h"
#include "quenkit/text/ShiftJis.h"

#include <cmath>

namespace dalmain {

namespace {

QByteArray sleepPrefix()
{
    static const QByteArray prefix = quenkit::toSjis(u"睡眠");
    return prefix;
}

// Reads the records that results name; deleted or unreadable ones are left out.
QList<ExerciseItem> itemsOf(const QList<int> &records)
{
    QList<ExerciseItem> items;
    QByteArray body;
    for (int record : records) {
        if (quenkit::ReadDBFRecord(kExerciseItemTable, record, body) == 1 && body.size() >= exerciseitem::BodyLength)
            items.append(decodeExerciseItem(body));
    }
    return items;
}

}  // namespace

QString ExerciseItem::displayName() const
{
    return quenkit::fromSjis(name);
}

bool isSleepItem(QByteArrayView sjisName, double af)
{
    // 999.9 is stored as text with one decimal, so it reads back as exactly this double.
    return sjisName.startsWith(sleepPrefix()) || af == kSleepAf;
}

bool isSleepItem(const ExerciseItem &item)
{
    return isSleepItem(item.name, item.af);
}

double energyFactor(QByteArrayView sjisName, double af)
{
    return isSleepItem(sjisName, af) ? kSleepFactor : af;
}

double energyFactor(const ExerciseItem &item)
{
    return energyFactor(item.name, item.af);
}

bool hasIntensity(const ExerciseItem &item)
{
    return energyFactor(item) > 0.0;
}

QByteArray afFieldText(double af)
{
    return QString::asprintf("%5.1f", af).toLatin1();
}

QByteArray encodeExerciseItem(const ExerciseItem &item)
{
    QByteArray body = QString::asprintf("%5u", item.number).toLatin1();
    body += quenkit::sjisField(item.name, exerciseitem::NameWidth);
    body += afFieldText(item.af).left(exerciseitem::AfWidth).rightJustified(exerciseitem::AfWidth, ' ');
    return body;
}

ExerciseItem decodeExerciseItem(QByteArrayView body)
{
    ExerciseItem item;
    const QByteArrayView number = body.first(exerciseitem::NumberWidth);
    item.number = static_cast<unsigned>(quenkit::fieldNumber(number));
    QByteArray name = body.sliced(exerciseitem::NumberWidth, exerciseitem::NameWidth).toByteArray();
    const qsizetype nul = name.indexOf('\0');
    if (nul >= 0)
        name.truncate(nul);
    while (name.endsWith(' '))
        name.chop(1);
    item.name = name;
    item.afText = body.sliced(exerciseitem::NumberWidth + exerciseitem::NameWidth, exerciseitem::AfWidth).toByteArray();
    item.af = quenkit::fieldNumber(item.afText);
    return item;
}

QByteArray exerciseItemNumberField()
{
    return quenkit::toSjis(u"運動番号");
}

QList<quenkit::DbfFieldDescriptor> exerciseItemFields()
{
    return {
        quenkit::DbfFieldDescriptor::make(exerciseItemNumberField(), 'C', exerciseitem::NumberWidth),
        quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"運動種目"), 'C', exerciseitem::NameWidth),
        quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"動作強度"), 'C', exerciseitem::AfWidth),
    };
}

QList<ExerciseItem> readExerciseItems()
{
    QList<int> records;
    if (quenkit::SearchDBFRecord(nullptr, records, kExerciseItemTable, exerciseItemNumberField(), {}, {}) <= 0)
        return {};
    return itemsOf(records);
}

std::optional<ExerciseItem> findExerciseItem(unsigned number)
{
    if (number == 0 || number > kMaxExerciseItemNumber)
        return std::nullopt;
    // The whole width of the field, so that 3 does not find 13.
    const QByteArray key = QString::asprintf("%5u", number).toLatin1();
    QList<int> records;
    if (quenkit::SearchDBFRecord(nullptr, records, kExerciseItemTable, exerciseItemNumberField(), key, key) <= 0)
        return std::nullopt;
    for (const ExerciseItem &item : itemsOf(records)) {
        if (item.number == number)
            return item;
    }
    return std::nullopt;
}

QList<ExerciseItem> searchExerciseItems(const QString &keyword)
{
    if (keyword.isEmpty())
        return readExerciseItems();
    const QByteArray key = quenkit::toSjis(keyword);
    QList<int> records;
    if (quenkit::SearchDBFRecord(nullptr, records, kExerciseItemTable, quenkit::toSjis(u"運動種目"), key, key) <= 0)
        return {};
    return itemsOf(records);
}

}  // namespace dalmain
