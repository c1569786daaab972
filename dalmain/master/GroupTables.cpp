#include "dalmain/master/GroupTables.h"

#include "dalmain/master/AnalysisTableNames.h"
#include "dalmain/master/FixedText.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"

#include <QFile>
#include <QtEndian>

namespace dalmain {

namespace {

quenkit::DbfFieldDescriptor textField(const QString &name, int width)
{
    return quenkit::DbfFieldDescriptor::make(quenkit::toSjis(name), 'C', width);
}

QString numbered(const char16_t *stem, int n)
{
    return QString::fromUtf16(stem) + QString::asprintf("%02d", n);
}

// text in Shift-JIS, blank-padded or cut (never inside a character) to width bytes.
QByteArray padded(const QString &text, int width)
{
    QByteArray bytes = quenkit::cutSjisToWidth(quenkit::toSjis(text), width);
    return bytes + QByteArray(width - bytes.size(), ' ');
}

// value with one decimal in width characters; none when it does not fit, so that no record is
// written with a cut number.
std::optional<QByteArray> number(double value, int width)
{
    const QByteArray text = QByteArray::fromStdString(fixedText(value, 1, width));
    if (text.size() > width)
        return std::nullopt;
    return text;
}

std::optional<QByteArray> numbers(const GroupValues &values, int width)
{
    QByteArray text;
    for (double v : values) {
        const std::optional<QByteArray> one = number(v, width);
        if (!one)
            return std::nullopt;
        text += *one;
    }
    return text;
}

// Reads the fields of body one after the other.
class FieldReader
{
public:
    explicit FieldReader(QByteArrayView body)
        : m_body(body)
    {
    }
    QByteArrayView raw(int width)
    {
        const qsizetype start = std::min<qsizetype>(m_at, m_body.size());
        const qsizetype length = std::min<qsizetype>(width, m_body.size() - start);
        m_at += width;
        return m_body.sliced(start, length);
    }
    QString text(int width) { return quenkit::fromSjis(quenkit::trimmedField(raw(width))); }
    void values(GroupValues &values, int width)
    {
        for (double &v : values)
            v = value(width);
    }
    double value(int width) { return readFixedText(quenkit::trimmedField(raw(width)).toStdString()); }
    int whole(int width) { return static_cast<int>(value(width)); }

private:
    QByteArrayView m_body;
    qsizetype m_at = 0;
};

// The bodies of every live record of a table whose records are bodyLength bytes; none when the
// table is missing or laid out otherwise.
QList<QByteArray> recordBodies(const QString &table, int bodyLength)
{
    quenkit::DbfLayout layout;
    if (!quenkit::readDbfLayout(table, layout) || layout.bodyLength() != bodyLength)
        return {};
    QList<QByteArray> bodies;
    QByteArray body;
    for (int record = 0; record < layout.recordCount(); ++record) {
        if (quenkit::ReadDBFRecord(table, record, body) == 1 && body.size() == bodyLength)
            bodies.append(body);
    }
    return bodies;
}

}  // namespace

QList<quenkit::DbfFieldDescriptor> groupTableFields()
{
    using namespace grouprecord;
    QList<quenkit::DbfFieldDescriptor> fields = {textField(QStringLiteral("郡別表名"), NameWidth)};
    for (int g = 1; g <= kTableGroups; ++g)
        fields.append(textField(numbered(u"群名", g), GroupNameWidth));
    for (int g = 1; g <= kTableGroups; ++g)
        fields.append(textField(numbered(u"群番号", g), MappingWidth));
    fields.append(textField(QStringLiteral("予備"), ReservedWidth));
    return fields;
}

QList<quenkit::DbfFieldDescriptor> properIntakeFields()
{
    using namespace intakerecord;
    QList<quenkit::DbfFieldDescriptor> fields = {textField(QStringLiteral("適正摂取名"), NameWidth),
                                                 textField(QStringLiteral("郡別表名"), TableWidth),
                                                 textField(QStringLiteral("合計"), TotalWidth)};
    for (int g = 1; g <= kTableGroups; ++g)
        fields.append(textField(numbered(u"適正", g), ValueWidth));
    return fields;
}

QList<quenkit::DbfFieldDescriptor> groupExceptionFields()
{
    using namespace exceptionrecord;
    return {textField(QStringLiteral("食品番号"), FoodWidth), textField(QStringLiteral("元群"), GroupWidth),
            textField(QStringLiteral("先群"), GroupWidth)};
}

QList<quenkit::DbfFieldDescriptor> properUnitFields()
{
    using namespace unitrecord;
    QList<quenkit::DbfFieldDescriptor> fields = {textField(QStringLiteral("適正単位名"), NameWidth),
                                                 textField(QStringLiteral("交換表名"), TableWidth)};
    for (int g = 1; g <= kTableGroups; ++g)
        fields.append(textField(numbered(u"単位", g), ValueWidth));
    return fields;
}

QString groupExceptionTableName(const QString &groupTable)
{
    QString name = groupTable;
    while (name.endsWith(QLatin1Char(' ')) || name.endsWith(QChar(0x3000)))
        name.chop(1);
    return QStringLiteral("fg") + name + QStringLiteral(".DBF");
}

int FoodGroupTable::groupCount() const
{
    for (int g = kTableGroups; g > 0; --g) {
        if (!groupNames[static_cast<size_t>(g - 1)].trimmed().isEmpty())
            return g;
    }
    return 0;
}

QByteArray encodeGroupTable(const FoodGroupTable &table)
{
    using namespace grouprecord;
    QByteArray body = padded(table.name, NameWidth);
    for (const QString &name : table.groupNames)
        body += padded(name, GroupNameWidth);
    for (int code : table.mapping)
        body += QString::asprintf("%02d", std::clamp(code, 0, 99)).toLatin1();
    body += QByteArray(ReservedWidth, ' ');
    return body;
}

FoodGroupTable decodeGroupTable(QByteArrayView body)
{
    using namespace grouprecord;
    FoodGroupTable table;
    FieldReader r(body);
    table.name = r.text(NameWidth);
    for (QString &name : table.groupNames)
        name = r.text(GroupNameWidth);
    for (int &code : table.mapping)
        code = r.whole(MappingWidth);
    return table;
}

QByteArray encodeProperIntake(const ProperIntakeSet &set)
{
    using namespace intakerecord;
    double total = 0;
    for (double g : set.grams)
        total += g;
    const std::optional<QByteArray> sum = number(total, TotalWidth);
    const std::optional<QByteArray> grams = numbers(set.grams, ValueWidth);
    if (!sum || !grams)
        return {};
    return padded(set.name, NameWidth) + padded(set.groupTable, TableWidth) + *sum + *grams;
}

ProperIntakeSet decodeProperIntake(QByteArrayView body)
{
    using namespace intakerecord;
    ProperIntakeSet set;
    FieldReader r(body);
    set.name = r.text(NameWidth);
    set.groupTable = r.text(TableWidth);
    r.raw(TotalWidth);
    r.values(set.grams, ValueWidth);
    return set;
}

QByteArray encodeGroupException(const GroupException &exception)
{
    return QString::asprintf("%5u%02u%02u", exception.food, unsigned(exception.sourceGroup), unsigned(exception.targetGroup))
        .toLatin1();
}

GroupException decodeGroupException(QByteArrayView body)
{
    using namespace exceptionrecord;
    FieldReader r(body);
    GroupException e;
    e.food = static_cast<quint32>(std::max(0, r.whole(FoodWidth)));
    e.sourceGroup = static_cast<quint8>(std::clamp(r.whole(GroupWidth), 0, 255));
    e.targetGroup = static_cast<quint8>(std::clamp(r.whole(GroupWidth), 0, 255));
    return e;
}

QByteArray encodeProperUnits(const ProperUnitSet &set)
{
    using namespace unitrecord;
    const std::optional<QByteArray> units = numbers(set.units, ValueWidth);
    if (!units)
        return {};
    return padded(set.name, NameWidth) + padded(set.exchangeTable, TableWidth) + *units;
}

ProperUnitSet decodeProperUnits(QByteArrayView body)
{
    using namespace unitrecord;
    ProperUnitSet set;
    FieldReader r(body);
    set.name = r.text(NameWidth);
    set.exchangeTable = r.text(TableWidth);
    r.values(set.units, ValueWidth);
    return set;
}

ExchangeKind exchangeKindOf(const QString &exchangeTable)
{
    const QString name = exchangeTable.trimmed();
    if (name == kDiabetesExchangeTable)
        return ExchangeKind::Diabetes;
    if (name == kKidneyExchangeTable)
        return ExchangeKind::Kidney;
    return ExchangeKind::None;
}

QString exchangeFileOf(ExchangeKind kind)
{
    switch (kind) {
    case ExchangeKind::Diabetes:
        return kDiabetesExchangeFile;
    case ExchangeKind::Kidney:
        return kKidneyExchangeFile;
    case ExchangeKind::None:
        break;
    }
    return QString();
}

QStringList exchangeGroupNames(ExchangeKind kind)
{
    switch (kind) {
    case ExchangeKind::Diabetes:
        return {QStringLiteral("表１"), QStringLiteral("表２"), QStringLiteral("表３"), QStringLiteral("表４"),
                QStringLiteral("表５"), QStringLiteral("表６"), QStringLiteral("調味料"), QStringLiteral("し好食品"),
                QStringLiteral("調理加工品")};
    case ExchangeKind::Kidney:
        return {QStringLiteral("表１"), QStringLiteral("表２"), QStringLiteral("表３"), QStringLiteral("表４"),
                QStringLiteral("表５"), QStringLiteral("表６"), QStringLiteral("別表１～５"),
                QStringLiteral("治療用特殊食品")};
    case ExchangeKind::None:
        break;
    }
    return {};
}

QByteArray encodeExchangeRecord(quint32 food, quint8 group)
{
    QByteArray record(kExchangeRecordSize, '\0');
    qToLittleEndian<quint32>(food, record.data());
    record[5] = static_cast<char>(group);
    return record;
}

std::optional<QList<std::pair<quint32, quint8>>> readExchangeFile(const QString &name)
{
    QFile file(quenkit::dataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    QList<std::pair<quint32, quint8>> records;
    records.reserve(bytes.size() / kExchangeRecordSize);
    for (qsizetype at = 0; at + kExchangeRecordSize <= bytes.size(); at += kExchangeRecordSize) {
        records.append({qFromLittleEndian<quint32>(bytes.constData() + at),
                        static_cast<quint8>(bytes[at + kExchangeRecordSize - 1])});
    }
    return records;
}

std::array<int, kTableGroups> groupIndexesOf(const FoodGroupTable &table)
{
    std::array<int, kTableGroups> indexes{};
    for (int s = 0; s < kTableGroups; ++s) {
        const int code = table.mapping[static_cast<size_t>(s)];
        indexes[static_cast<size_t>(s)] = code >= 1 && code <= kTableGroups ? code - 1 : -1;
    }
    return indexes;
}

GroupData LoadGroupData(const QString &groupTable, const QString &intakeSet)
{
    GroupData data;
    const QString tableName = groupTable.trimmed();
    if (!tableName.isEmpty()) {
        for (const QByteArray &body : recordBodies(kGroupTablesTable, grouprecord::BodyLength)) {
            FoodGroupTable t = decodeGroupTable(body);
            if (t.name == tableName) {
                data.table = std::move(t);
                break;
            }
        }
    }
    data.groupIndex = groupIndexesOf(data.table);
    const QString setName = intakeSet.trimmed();
    if (!setName.isEmpty()) {
        for (const QByteArray &body : recordBodies(kProperIntakeTable, intakerecord::BodyLength)) {
            ProperIntakeSet s = decodeProperIntake(body);
            if (s.name == setName) {
                data.intake = std::move(s);
                break;
            }
        }
    }
    if (!data.table.name.isEmpty()) {
        for (const QByteArray &body :
             recordBodies(groupExceptionTableName(data.table.name), exceptionrecord::BodyLength))
            data.exceptions.append(decodeGroupException(body));
    }
    return data;
}

bool LoadExchangeData(const QString &exchangeTable, const QString &unitSet, const FoodCache &cache,
                      ExchangeData &data)
{
    data = ExchangeData();
    data.kind = exchangeKindOf(exchangeTable);
    const QString setName = unitSet.trimmed();
    if (!setName.isEmpty()) {
        for (const QByteArray &body : recordBodies(kProperUnitTable, unitrecord::BodyLength)) {
            ProperUnitSet s = decodeProperUnits(body);
            if (s.name == setName) {
                data.units = std::move(s);
                break;
            }
        }
    }
    if (cache.isEmpty())
        return false;
    if (data.kind == ExchangeKind::None)
        return true;
    const auto records = readExchangeFile(exchangeFileOf(data.kind));
    if (!records)
        return true;
    QHash<quint32, const FoodCacheEntry *> byNumber;
    byNumber.reserve(cache.size());
    // A number the table holds twice is the first record's, as a search in record order finds.
    for (auto it = cache.crbegin(); it != cache.crend(); ++it)
        byNumber.insert(it->number, &*it);
    data.foods.reserve(records->size());
    for (const auto &[food, group] : *records) {
        ExchangeFood f;
        f.food = food;
        f.group = group;
        if (const FoodCacheEntry *entry = byNumber.value(food)) {
            f.energy = entry->nutrients[EnergyKcal];
            f.protein = entry->nutrients[Protein];
            f.wasteRatio = entry->wasteRatio;
        }
        data.foods.append(f);
    }
    return true;
}

}  // namespace dalmain
