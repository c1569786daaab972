#include "dalmain/master/DishRecord.h"

#include "quenkit/dbf/DbfFormat.h"
#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace dalmain {

namespace {

QByteArray sjis(const char *utf8)
{
    return quenkit::toSjis(QString::fromUtf8(utf8));
}

QByteArrayView fieldOf(QByteArrayView body, int offset, int width)
{
    if (offset >= body.size())
        return {};
    return body.sliced(offset, std::min<qsizetype>(width, body.size() - offset));
}

// The C library's reading of a number field: leading blanks skipped, digits up to the first
// other byte, no digits 0.
quint32 numberField(QByteArrayView field)
{
    char text[16];
    const qsizetype n = std::min<qsizetype>(field.size(), sizeof text - 1);
    if (n > 0)
        std::memcpy(text, field.data(), static_cast<size_t>(n));
    text[n] = '\0';
    const unsigned long value = std::strtoul(text, nullptr, 10);
    return value > 0xFFFFFFFFul ? 0xFFFFFFFFu : static_cast<quint32>(value);
}

void putPadded(QByteArray &body, int offset, int width, QByteArrayView text)
{
    body.replace(offset, width, quenkit::sjisField(text, width));
}

// number and amountTenths are checked to fit their widths before.
QByteArray entryField(quint32 number, unsigned amountTenths)
{
    char text[24];
    std::snprintf(text, sizeof text, "%5u%4u", static_cast<unsigned>(number), amountTenths);
    return QByteArray(text, dish::EntryWidth);
}

}  // namespace

bool DishRecord::hasOwnPicture() const
{
    return !picture.isEmpty() && picture.compare(dish::NoPicture, Qt::CaseInsensitive) != 0;
}

QByteArray dishFieldText(QByteArrayView field)
{
    const qsizetype nul = field.indexOf('\0');
    return quenkit::trimmedField(nul < 0 ? field : field.first(nul));
}

DishRecord DishRecord::fromBody(QByteArrayView body)
{
    using namespace dish;
    DishRecord d;
    d.name = dishFieldText(fieldOf(body, NameOffset, NameWidth));
    d.category = dishFieldText(fieldOf(body, CategoryOffset, CategoryWidth));
    for (int k = 0; k < KeywordCount; ++k)
        d.keywords[k] = dishFieldText(fieldOf(body, KeywordOffset + k * KeywordWidth, KeywordWidth));
    d.picture = dishFieldText(fieldOf(body, PictureOffset, PictureWidth));
    d.memo = dishFieldText(fieldOf(body, MemoOffset, MemoWidth));

    int headerSlot = 0;
    for (int i = 0; i < EntryCount; ++i) {
        const int offset = EntriesOffset + i * EntryWidth;
        const quint32 number = numberField(fieldOf(body, offset, EntryNumberWidth));
        if (number == 0)
            break;
        if (number == HeaderNumber) {
            QByteArray name;
            if (headerSlot < HeaderNameCount)
                name = dishFieldText(fieldOf(body, HeaderNamesOffset + headerSlot * HeaderNameWidth, HeaderNameWidth));
            ++headerSlot;
            d.entries.append(DishEntry::header(name));
            continue;
        }
        const quint32 amount = numberField(fieldOf(body, offset + EntryNumberWidth, EntryAmountWidth));
        d.entries.append(DishEntry::foodEntry(number, static_cast<quint16>(std::min<quint32>(amount, 0xFFFF))));
    }
    return d;
}

std::optional<QByteArray> encodeDish(const DishRecord &d, DishEncodeProblem *problem)
{
    using namespace dish;
    auto refuse = [problem](DishEncodeProblem why) -> std::optional<QByteArray> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    if (d.entries.size() > EntryCount)
        return refuse(DishEncodeProblem::TooManyEntries);
    int headers = 0;
    for (const DishEntry &e : d.entries) {
        if (e.isHeader()) {
            ++headers;
            continue;
        }
        if (e.food == 0 || e.food > HeaderNumber)
            return refuse(DishEncodeProblem::BadFoodNumber);
        if (e.amountTenths > MaxAmountTenths)
            return refuse(DishEncodeProblem::AmountTooLarge);
    }
    if (headers > HeaderNameCount)
        return refuse(DishEncodeProblem::TooManyHeaders);

    QByteArray body(BodyLength, '\0');
    putPadded(body, NameOffset, NameWidth, d.name);
    putPadded(body, CategoryOffset, CategoryWidth, d.category);
    for (int k = 0; k < KeywordCount; ++k)
        putPadded(body, KeywordOffset + k * KeywordWidth, KeywordWidth, d.keywords[k]);
    putPadded(body, MemoOffset, MemoWidth, d.memo);
    const QByteArray picture = quenkit::cutSjisToWidth(d.picture, PictureWidth);
    body.replace(PictureOffset, picture.size(), picture);

    int headerSlot = 0;
    for (qsizetype i = 0; i < d.entries.size(); ++i) {
        const DishEntry &e = d.entries[i];
        body.replace(EntriesOffset + static_cast<int>(i) * EntryWidth, EntryWidth,
                     entryField(e.food, e.isHeader() ? 0 : e.amountTenths));
        if (e.isHeader()) {
            putPadded(body, HeaderNamesOffset + headerSlot * HeaderNameWidth, HeaderNameWidth, e.headerName);
            ++headerSlot;
        }
    }
    if (problem)
        *problem = DishEncodeProblem::None;
    return body;
}

QByteArray dishKey(QByteArrayView name)
{
    return quenkit::sjisField(name, dish::NameWidth);
}

QList<quenkit::DbfFieldDescriptor> dishTableFields()
{
    using quenkit::DbfFieldDescriptor;
    using namespace dish;
    QList<DbfFieldDescriptor> fields{
        DbfFieldDescriptor::make(sjis(NameField), 'C', NameWidth),
        DbfFieldDescriptor::make(sjis(CategoryField), 'C', CategoryWidth),
    };
    for (const char *keyword : KeywordFields)
        fields.append(DbfFieldDescriptor::make(sjis(keyword), 'C', KeywordWidth));
    for (int i = 1; i <= EntryCount; ++i)
        fields.append(DbfFieldDescriptor::make(sjis("食品") + QByteArray::number(i), 'C', EntryWidth));
    for (int i = 1; i <= HeaderNameCount; ++i)
        fields.append(DbfFieldDescriptor::make(sjis("見出し") + QByteArray::number(i), 'C', HeaderNameWidth));
    fields.append(DbfFieldDescriptor::make(sjis("写真"), 'C', PictureWidth));
    fields.append(DbfFieldDescriptor::make(sjis("メモ"), 'C', MemoWidth));
    return fields;
}

QList<quenkit::DbfFieldDescriptor> dishCategoryTableFields()
{
    return {quenkit::DbfFieldDescriptor::make(sjis(dish::CategoryNameField), 'C', dish::CategoryNameWidth)};
}

QByteArray dishKeyField()
{
    return sjis(dish::NameField);
}

QByteArray dishCategoryKeyField()
{
    return sjis(dish::CategoryNameField);
}

}  // namespace dalmain
