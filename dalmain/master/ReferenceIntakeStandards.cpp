#include "dalmain/master/ReferenceIntakeStandards.h"

#include "dalmain/master/TableRecords.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"

#include <optional>

namespace dalmain {

namespace {

// The live records of the table with their bodies, optionally only those whose heading
// contains key (the table search matches parts of a field).
QList<QByteArray> standardRecords(const quenkit::DbfLayout &layout, QByteArrayView key)
{
    QList<int> found;
    if (quenkit::SearchDBFRecord(nullptr, found, kStandardsTable, standardsHeadingField(), key, key) <= 0)
        return {};
    QList<QByteArray> bodies;
    for (int record : found) {
        QByteArray body;
        if (quenkit::ReadDBFRecord(kStandardsTable, record, body) == 1 && body.size() == layout.bodyLength())
            bodies.append(body);
    }
    return bodies;
}

QString headingOf(const quenkit::FieldSlice &slice, QByteArrayView body)
{
    return quenkit::fromSjis(quenkit::trimmedField(slice.of(body)));
}

}  // namespace

QByteArray standardsHeadingField()
{
    return quenkit::toSjis(u"見出し");
}

QByteArray standardsValueField(int nutrient, bool upper)
{
    return quenkit::toSjis(QStringLiteral("%1%2").arg(upper ? u"上限" : u"下限").arg(nutrient, 2, 10, QLatin1Char('0')));
}

QList<quenkit::DbfFieldDescriptor> standardsTableFields()
{
    QList<quenkit::DbfFieldDescriptor> fields;
    fields.append(quenkit::DbfFieldDescriptor::make(standardsHeadingField(), 'C', kStandardHeadingWidth));
    fields.append(quenkit::DbfFieldDescriptor::make(quenkit::toSjis(u"キーワード"), 'C', kStandardKeywordWidth));
    for (int i = 0; i < kNutrientCount; ++i) {
        for (bool upper : {false, true})
            fields.append(quenkit::DbfFieldDescriptor::make(standardsValueField(i, upper), 'C', kStandardValueWidth));
    }
    return fields;
}

bool findUserStandard(const QString &heading, IntakeStandard *standard)
{
    const QString wanted = heading.trimmed();
    quenkit::DbfLayout layout;
    if (wanted.isEmpty() || !quenkit::readDbfLayout(kStandardsTable, layout))
        return false;
    const std::optional<quenkit::FieldSlice> headingSlice = layout.fieldSlice(standardsHeadingField());
    if (!headingSlice)
        return false;
    // The padded key finds the heading as a whole field; the comparison below keeps a heading
    // that only contains the wanted one from being taken for it.
    const QByteArray key = quenkit::sjisField(quenkit::toSjis(wanted), headingSlice->length);
    for (const QByteArray &body : standardRecords(layout, key)) {
        if (headingOf(*headingSlice, body) != wanted)
            continue;
        if (standard) {
            for (int i = 0; i < kNutrientCount; ++i) {
                const std::optional<quenkit::FieldSlice> lower = layout.fieldSlice(standardsValueField(i, false));
                const std::optional<quenkit::FieldSlice> upper = layout.fieldSlice(standardsValueField(i, true));
                (*standard)[i].lower = lower ? quenkit::fieldNumber(lower->of(body)) : 0.0;
                (*standard)[i].upper = upper ? quenkit::fieldNumber(upper->of(body)) : 0.0;
            }
        }
        return true;
    }
    return false;
}

void reportMissingStandard(quenkit::Owner *owner)
{
    quenkit::inform(owner, kMissingStandardCaption, kMissingStandardMessage, quenkit::Icon::Warning);
}

QStringList userStandardHeadings()
{
    return readFieldValues(kStandardsTable, standardsHeadingField());
}

QStringList standardChoices()
{
    return QStringList{kNationalStandardEntry} + userStandardHeadings();
}

int defaultStandardChoice(const QStringList &choices)
{
    QString chosen;
    quenkit::GetRegistryString(QStringLiteral("Dalmora System"), QStringLiteral("DefSyoyo"), nullptr, chosen, 256);
    const qsizetype i = chosen.isEmpty() ? -1 : choices.indexOf(chosen);
    return i < 0 ? 0 : static_cast<int>(i);
}

}  // namespace dalmain
