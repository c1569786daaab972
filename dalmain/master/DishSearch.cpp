#include "dalmain/master/DishSearch.h"

#include "dalmain/master/DishRecord.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

namespace dalmain {

namespace {

QByteArray searchFields()
{
    QByteArray fields = dishKeyField() + '@' + quenkit::toSjis(QString::fromUtf8(dish::CategoryField));
    for (const char *keyword : dish::KeywordFields)
        fields += '@' + quenkit::toSjis(QString::fromUtf8(keyword));
    return fields;
}

}  // namespace

QList<DishListEntry> SearchDishes(quenkit::Owner *owner, const QString &text, bool *ok)
{
    if (ok)
        *ok = false;
    const QByteArray key = quenkit::toSjis(text.trimmed());
    QList<int> records;
    if (quenkit::SearchDBFRecord(owner, records, kDishTable, searchFields(), key, key) < 0)
        return {};
    QList<DishListEntry> found;
    QByteArray body;
    for (int record : std::as_const(records)) {
        if (quenkit::ReadDBFRecord(kDishTable, record, body) != 1 || body.size() != dish::BodyLength)
            continue;
        const DishRecord d = DishRecord::fromBody(body);
        found.append({record, quenkit::fromSjis(d.name), quenkit::fromSjis(d.category)});
    }
    if (ok)
        *ok = true;
    return found;
}

int dishSearchMode()
{
    return quenkit::GetRegistryInt(kDishSearchSection, kDishSearchModeValue, kDefaultDishSearchMode);
}

void setDishSearchMode(int mode)
{
    quenkit::SetRegistryInt(kDishSearchSection, kDishSearchModeValue, mode);
}

}  // namespace dalmain
