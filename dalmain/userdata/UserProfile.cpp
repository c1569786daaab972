#include "dalmain/userdata/UserProfile.h"

#include "quenkit/dates/Dates.h"
#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"

#include <array>

namespace dalmain {

namespace {

using namespace userrecord;

enum FieldIndex {
    NumberField, ReadingField, NameField, AgeField, BirthYearField, BirthMonthField, BirthDayField,
    SexField, HeightField, ActivityField, FormatField, StandardKindField, StandardNameField,
    ExchangeField, FoodGroupField, UnitField, IntakeField, FirstDateField, ReservedField,
    SecondDateField, FieldCount
};

struct FieldSpec {
    const char16_t *name;
    int width;
};

// The record layout; only "氏名" and "フリガナ" are named by other code.
constexpr std::array<FieldSpec, FieldCount> kFields = {{
    {u"番号", NumberWidth},
    {u"フリガナ", ReadingWidth},
    {u"氏名", NameWidth},
    {u"年齢", AgeWidth},
    {u"誕生年", BirthYearWidth},
    {u"誕生月", BirthMonthWidth},
    {u"誕生日", BirthDayWidth},
    {u"性別", SexWidth},
    {u"身長", HeightWidth},
    {u"活動強度", ActivityWidth},
    {u"形式", FormatWidth},
    {u"基準種別", StandardKindWidth},
    {u"基準名", StandardNameWidth},
    {u"交換表", TableNameWidth},
    {u"食品群別表", TableNameWidth},
    {u"適正単位", TableNameWidth},
    {u"適正摂取", TableNameWidth},
    {u"作成日", DateWidth},
    {u"予備", DateWidth},
    {u"更新日", DateWidth},
}};

constexpr std::array<int, FieldCount + 1> offsets()
{
    std::array<int, FieldCount + 1> result{};
    for (int i = 0; i < FieldCount; ++i)
        result[i + 1] = result[i] + kFields[i].width;
    return result;
}

constexpr std::array<int, FieldCount + 1> kOffsets = offsets();
static_assert(kOffsets[FieldCount] == BodyLength);

QByteArrayView field(QByteArrayView body, FieldIndex i)
{
    return body.sliced(kOffsets[i], kFields[i].width);
}

QString textOf(QByteArrayView body, FieldIndex i)
{
    return quenkit::fromSjis(quenkit::trimmedField(field(body, i)));
}

int numberOf(QByteArrayView body, FieldIndex i)
{
    return quenkit::trimmedField(field(body, i)).trimmed().toInt();
}

void put(QByteArray &body, FieldIndex i, QByteArrayView bytes)
{
    const QByteArray padded = quenkit::sjisField(bytes, kFields[i].width);
    body.replace(kOffsets[i], kFields[i].width, padded);
}

void putText(QByteArray &body, FieldIndex i, const QString &text)
{
    put(body, i, quenkit::toSjis(text));
}

void putBytes(QByteArray &body, FieldIndex i, const QByteArray &bytes)
{
    // Kept fields hold exactly their width; a missing one is written blank.
    put(body, i, bytes.size() == kFields[i].width ? bytes : QByteArray());
}

}  // namespace

IntakeSubject UserProfile::intakeSubject() const
{
    IntakeSubject subject;
    subject.age = age;
    subject.sex = sex;
    subject.pregnancy = pregnancy;
    subject.menstruation = menstruation;
    subject.activity = activity;
    subject.national = nationalStandard();
    subject.standardName = standardName;
    return subject;
}

char sexCode(int sex, int pregnancy, int menstruation)
{
    if (sex != 1)
        return '0';
    return static_cast<char>((menstruation == 0 ? '1' : '6') + pregnancy);
}

QByteArray encodeUserRecord(const UserProfile &p)
{
    QByteArray body(BodyLength, ' ');
    put(body, NumberField, QByteArray::number(p.number).rightJustified(NumberWidth, ' '));
    putText(body, ReadingField, p.reading);
    putText(body, NameField, p.name);
    put(body, AgeField, QByteArray::number(p.age).rightJustified(AgeWidth, ' '));
    if (p.hasBirthDate()) {
        put(body, BirthYearField, QByteArray::number(p.birthYear));
        put(body, BirthMonthField, QByteArray::number(p.birthMonth).rightJustified(BirthMonthWidth, '0'));
        put(body, BirthDayField, QByteArray::number(p.birthDay).rightJustified(BirthDayWidth, '0'));
    }
    put(body, SexField, QByteArray(1, sexCode(p.sex, p.pregnancy, p.menstruation)));
    putText(body, HeightField, p.height);
    put(body, ActivityField, QByteArray::number(p.activity));
    put(body, FormatField, QByteArray(1, CurrentFormat));
    putBytes(body, StandardKindField, p.standardKind);
    putText(body, StandardNameField, p.standardName);
    putText(body, ExchangeField, p.exchangeTable);
    putText(body, FoodGroupField, p.foodGroupTable);
    putText(body, UnitField, p.unitTable);
    putText(body, IntakeField, p.intakeTable);
    putBytes(body, FirstDateField, p.firstDate);
    putBytes(body, ReservedField, p.reserved);
    putBytes(body, SecondDateField, p.secondDate);
    return body;
}

UserProfile decodeUserRecord(QByteArrayView body, bool *converted)
{
    UserProfile p;
    if (converted)
        *converted = false;
    if (body.size() < BodyLength)
        return p;
    p.number = static_cast<unsigned>(numberOf(body, NumberField));
    p.reading = textOf(body, ReadingField);
    p.name = textOf(body, NameField);
    p.age = numberOf(body, AgeField);
    p.birthYear = numberOf(body, BirthYearField);
    p.birthMonth = numberOf(body, BirthMonthField);
    p.birthDay = numberOf(body, BirthDayField);
    if (p.birthYear == 0 || p.birthMonth == 0 || p.birthDay == 0)
        p.birthYear = p.birthMonth = p.birthDay = 0;
    p.height = textOf(body, HeightField);
    p.standardKind = field(body, StandardKindField).toByteArray();
    p.standardName = textOf(body, StandardNameField);
    p.exchangeTable = textOf(body, ExchangeField);
    p.foodGroupTable = textOf(body, FoodGroupField);
    p.unitTable = textOf(body, UnitField);
    p.intakeTable = textOf(body, IntakeField);
    p.firstDate = field(body, FirstDateField).toByteArray();
    p.reserved = field(body, ReservedField).toByteArray();
    p.secondDate = field(body, SecondDateField).toByteArray();

    char activity = field(body, ActivityField)[0];
    char sex = field(body, SexField)[0];
    const char format = field(body, FormatField)[0];
    if (format == '1' || format == ' ') {
        activity = activity == '3' ? '2' : activity == '2' ? '1' : '0';
        if (sex == '2')
            sex = '3';
        else if (sex == '3')
            sex = '5';
        p.exchangeTable.clear();
        p.foodGroupTable.clear();
        if (converted)
            *converted = true;
    }
    p.activity = activity >= '0' && activity <= '2' ? activity - '0' : 0;
    if (sex >= '1' && sex <= '5') {
        p.sex = 1;
        p.menstruation = 0;
        p.pregnancy = sex - '1';
    } else if (sex >= '6' && sex <= '6' + 4) {
        p.sex = 1;
        p.menstruation = 1;
        p.pregnancy = sex - '6';
    }
    return p;
}

QList<quenkit::DbfFieldDescriptor> userTableFields()
{
    QList<quenkit::DbfFieldDescriptor> fields;
    for (const FieldSpec &f : kFields)
        fields.append(quenkit::DbfFieldDescriptor::make(quenkit::toSjis(f.name), 'C', f.width));
    return fields;
}

QByteArray userKeyField()
{
    return quenkit::toSjis(kFields[NameField].name);
}

QByteArray userReadingField()
{
    return quenkit::toSjis(kFields[ReadingField].name);
}

QByteArray recordDateToday()
{
    return quenkit::today().toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

}  // namespace dalmain
