#include "quenkit/text/StringTable.h"

#include <QHash>
#include <QMutex>

namespace quenkit {

namespace {
QMutex tableMutex;
QHash<int, QString> &table()
{
    static QHash<int, QString> strings;
    return strings;
}
}  // namespace

void RegisterStrings(std::initializer_list<StringTableEntry> entries)
{
    QMutexLocker lock(&tableMutex);
    for (const StringTableEntry &e : entries)
        table().insert(e.id, QString::fromUtf8(e.text));
}

QString GetRS(int id)
{
    QMutexLocker lock(&tableMutex);
    return table().value(id);
}

}  // namespace quenkit
