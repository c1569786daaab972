#include "dalmain/master/FoodTable.h"

#include "dalmain/master/NutrientInfo.h"
#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>

namespace dalmain {

namespace {

constexpr quint32 CounterUnset = 65535;
constexpr quint32 CounterLimit = 60000;

QByteArray sjis(const char *utf8)
{
    return quenkit::toSjis(QString::fromUtf8(utf8));
}

QByteArray textSearchFields()
{
    QByteArray list = sjis(food::NumberField) + '@' + sjis(food::NameField);
    for (const char *keyword : food::KeywordFields)
        list += '@' + sjis(keyword);
    return list;
}

// Reads the table's layout and checks that its records can hold a food: long enough, and the
// number and the name where a food keeps them (another table of a food's length is no food
// table).
bool readFoodLayout(const QString &table, quenkit::DbfLayout &layout)
{
    if (!quenkit::readDbfLayout(table, layout) || layout.bodyLength() < food::BodyLength)
        return false;
    const std::optional<quenkit::FieldSlice> number = layout.fieldSlice(sjis(food::NumberField));
    const std::optional<quenkit::FieldSlice> name = layout.fieldSlice(sjis(food::NameField));
    return number && *number == quenkit::FieldSlice{food::NumberWidth, 0} && name
           && *name == quenkit::FieldSlice{food::NameWidth, food::NumberWidth};
}

// Calls visit(recordNumber, body, deleted) for every record in order. The records are read a
// block at a time through one open handle: the whole table then costs little more than one read
// of the file. false when the table cannot be opened or a block cannot be read.
template<typename Visit>
bool forEachRecord(const QString &table, Visit visit)
{
    quenkit::DbfLayout layout;
    if (!readFoodLayout(table, layout))
        return false;
    quenkit::FileHandle file(quenkit::FileOpen2(quenkit::tablePath(table), quenkit::OpenRead));
    if (!file.isOpen())
        return false;
    constexpr int BlockRecords = 1024;
    const int length = layout.recordLength();
    QByteArray block;
    for (int first = 0; first < layout.recordCount(); first += BlockRecords) {
        const int count = std::min(BlockRecords, layout.recordCount() - first);
        block.resize(static_cast<qsizetype>(count) * length);
        const qint64 pos = layout.recordPosition(first);
        if (quenkit::FileSeek(file.get(), pos) != pos || quenkit::FileRead(file.get(), block.data(), block.size()) != block.size())
            return false;
        for (int i = 0; i < count; ++i) {
            const QByteArrayView record = QByteArrayView(block).sliced(static_cast<qsizetype>(i) * length, length);
            visit(first + i, record.sliced(1), record[0] == quenkit::dbf::DeletedFlag);
        }
    }
    return true;
}

}  // namespace

FoodTableFiles FoodTableFiles::forTable(const QString &table)
{
    FoodTableFiles files;
    files.table = table;
    const QFileInfo info(table);
    const QString base = info.completeBaseName() + QStringLiteral(".IDX");
    files.index = info.path() == QLatin1String(".") && !table.startsWith(QLatin1String("./"))
                      ? base
                      : info.path() + QLatin1Char('/') + base;
    return files;
}

QList<quenkit::DbfFieldDescriptor> foodTableFields()
{
    using quenkit::DbfFieldDescriptor;
    QList<DbfFieldDescriptor> fields{
        DbfFieldDescriptor::make(sjis(food::NumberField), 'C', food::NumberWidth),
        DbfFieldDescriptor::make(sjis(food::NameField), 'C', food::NameWidth),
        DbfFieldDescriptor::make(sjis(food::GroupField), 'C', food::GroupWidth),
    };
    for (const char *keyword : food::KeywordFields)
        fields.append(DbfFieldDescriptor::make(sjis(keyword), 'C', food::KeywordWidth));
    for (const NutrientInfo &info : nutrientTable())
        fields.append(DbfFieldDescriptor::make(sjis(info.fieldName), 'N', food::NutrientWidth, info.decimals));
    fields.append(DbfFieldDescriptor::make(sjis(food::WasteField), 'N', food::WasteWidth, food::WasteDecimals));
    fields.append(DbfFieldDescriptor::make(sjis(food::PhotoField), 'C', food::PhotoWidth));
    fields.append(DbfFieldDescriptor::make(sjis(food::MemoField), 'C', food::MemoWidth));
    return fields;
}

int writeFoodTable(const QString &path, const QList<FoodRecord> &records, QStringList *problems, QString *error)
{
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return 0;
    };
    if (quenkit::signatureOffsetFor(path) != quenkit::dbf::SignatureSize)
        return fail(QStringLiteral("%1: a food table's name ends in FDB").arg(path));
    const QString target = quenkit::tablePath(path);
    const QFileInfo info(target);
    // The new table is written beside the target under a name that keeps the signature.
    const QString temporary = info.path() + QStringLiteral("/~") + info.fileName();
    QFile::remove(temporary);
    if (!quenkit::createDbfTable(temporary, foodTableFields()))
        return fail(QStringLiteral("cannot create %1").arg(temporary));
    {
        quenkit::DbfLayout layout;
        quenkit::FileHandle file(quenkit::FileOpen2(temporary, quenkit::OpenReadWrite));
        if (!file.isOpen() || !quenkit::readDbfLayout(file.get(), quenkit::dbf::SignatureSize, layout)) {
            QFile::remove(temporary);
            return fail(QStringLiteral("cannot open %1").arg(temporary));
        }
        for (int r = 0; r < records.size(); ++r) {
            QStringList recordProblems;
            const QByteArray body = records[r].toBody(&recordProblems);
            if (problems) {
                for (const QString &p : std::as_const(recordProblems))
                    problems->append(QStringLiteral("%1: %2").arg(records[r].number).arg(p));
            }
            if (!quenkit::SetDBFRecord(file.get(), r, body, layout.headerLength(), layout.recordLength(),
                                       layout.signatureOffset)) {
                file.close();
                QFile::remove(temporary);
                return fail(QStringLiteral("cannot write record %1 to %2").arg(r).arg(temporary));
            }
        }
        layout.header.setRecordCount(static_cast<quint32>(records.size()));
        if (quenkit::FileSeek(file.get(), layout.signatureOffset) != layout.signatureOffset
            || !quenkit::SetDBFInfo2(file.get(), layout.header)) {
            file.close();
            QFile::remove(temporary);
            return fail(QStringLiteral("cannot write the header of %1").arg(temporary));
        }
    }
    QString why;
    if (!quenkit::replaceFile(temporary, target, &why)) {
        QFile::remove(temporary);
        return fail(QStringLiteral("cannot replace %1: %2").arg(target, why));
    }
    return 1;
}

namespace {

// What the index of the table holds: one number per record in record order, 0 for a deleted
// record. false when the table cannot be searched or read, or has more records than the index
// can count.
bool indexNumbersOfTable(quenkit::Owner *owner, const QString &table, QList<quint16> &numbers)
{
    numbers.clear();
    QList<int> live;
    if (quenkit::SearchDBFRecord(owner, live, table, sjis(food::NameField), "", "") < 0)
        return false;
    quenkit::DbfLayout layout;
    if (!readFoodLayout(table, layout) || layout.recordCount() > 0xFFFF)
        return false;
    // The search found the live records; a deleted one keeps the number 0 at its place.
    QList<bool> isLive(layout.recordCount(), false);
    for (int r : std::as_const(live)) {
        if (r >= 0 && r < layout.recordCount())
            isLive[r] = true;
    }
    numbers = QList<quint16>(layout.recordCount(), 0);
    return forEachRecord(table, [&](int r, QByteArrayView body, bool) {
        if (!isLive[r])
            return;
        const quint32 number = FoodRecord::numberOf(body);
        numbers[r] = number <= 0xFFFF ? static_cast<quint16>(number) : 0;
    });
}

bool writeFoodIndex(const FoodTableFiles &files, const QList<quint16> &numbers)
{
    QByteArray index(2 + 2 * numbers.size(), '\0');
    qToLittleEndian<quint16>(static_cast<quint16>(numbers.size()), index.data());
    for (qsizetype i = 0; i < numbers.size(); ++i)
        qToLittleEndian<quint16>(numbers[i], index.data() + 2 + 2 * i);
    QSaveFile out(quenkit::tablePath(files.index));
    if (!out.open(QIODevice::WriteOnly) || out.write(index) != index.size())
        return false;
    return out.commit();
}

}  // namespace

int RebuildFoodIndex(quenkit::Owner *owner, const FoodTableFiles &files)
{
    QList<quint16> numbers;
    return indexNumbersOfTable(owner, files.table, numbers) && writeFoodIndex(files, numbers) ? 1 : 0;
}

bool readFoodIndex(const FoodTableFiles &files, QList<quint16> &numbers)
{
    numbers.clear();
    QFile file(quenkit::tablePath(files.index));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 2)
        return false;
    // A short file holds fewer numbers than its count says; only those are there.
    const int count = std::min<int>(qFromLittleEndian<quint16>(bytes.constData()), (bytes.size() - 2) / 2);
    numbers.reserve(count);
    for (int i = 0; i < count; ++i)
        numbers.append(qFromLittleEndian<quint16>(bytes.constData() + 2 + 2 * i));
    return true;
}

int FoodRecordNumber(quenkit::Owner *, quint32 number, const FoodTableFiles &files)
{
    QList<quint16> numbers;
    if (number == 0 || number > 0xFFFF || !readFoodIndex(files, numbers))
        return -1;
    return static_cast<int>(numbers.indexOf(static_cast<quint16>(number)));
}

quint32 NextFoodNumber(const FoodTableFiles &files)
{
    // The number is chosen from the index, so the index has to be the table's: one that is
    // damaged, cut short or left from another table would hand out a number a food already
    // has. It is rebuilt from the table when it is not.
    QList<quint16> numbers;
    QList<quint16> table;
    if (!indexNumbersOfTable(nullptr, files.table, table))
        return food::NoNumber;
    if (!readFoodIndex(files, numbers) || numbers != table) {
        if (!writeFoodIndex(files, table))
            return food::NoNumber;
        numbers = table;
    }
    // Only the user's own numbers count: the official ones (the standard numbers and the range
    // kept for later official foods) are never handed out.
    quint32 largest = 0;
    for (quint16 n : std::as_const(numbers)) {
        if (n != 0 && !isOfficialFoodNumber(n))
            largest = std::max<quint32>(largest, n);
    }
    const QString section = QString::fromUtf8(FoodSettingsSection);
    const QString counterName = QString::fromUtf8(FoodNumberCounter);
    const int stored = quenkit::GetRegistryInt(section, counterName, static_cast<int>(CounterUnset));
    // The counter keeps numbers of deleted foods from coming back (old menus still name them);
    // the index keeps a counter that lags behind the table (a restored table, say) from giving
    // a number that is taken.
    quint32 base = largest;
    if (stored >= 0 && static_cast<quint32>(stored) != CounterUnset)
        base = std::max(base, static_cast<quint32>(stored));
    if (base < CounterLimit) {
        const quint32 next = nextUserFoodNumber(base);
        if (next == food::NoNumber)
            return next;
        quenkit::SetRegistryString(section, counterName, QString::number(next));
        return next;
    }
    // The smallest number of the user's own that the table does not hold.
    std::sort(numbers.begin(), numbers.end());
    quint32 candidate = nextUserFoodNumber(0);
    for (quint16 n : std::as_const(numbers)) {
        if (candidate == food::NoNumber || n > candidate)
            break;
        if (n == candidate)
            candidate = nextUserFoodNumber(candidate);
    }
    return candidate;
}

int ReadFood(quenkit::Owner *owner, quint32 number, FoodRecord &food, const FoodTableFiles &files)
{
    const int record = FoodRecordNumber(owner, number, files);
    if (record < 0)
        return 0;
    QByteArray body;
    if (quenkit::ReadDBFRecord(files.table, record, body) != 1 || body.size() < food::BodyLength)
        return 0;
    // An index left from another state of the table points at some other food.
    if (FoodRecord::numberOf(body) != number)
        return 0;
    food = FoodRecord::fromBody(body);
    return 1;
}

int LoadFoodCache(quenkit::Owner *, FoodCache &cache, const FoodTableFiles &files)
{
    cache.clear();
    quenkit::DbfLayout layout;
    if (!readFoodLayout(files.table, layout))
        return 0;
    cache.reserve(layout.recordCount());
    const bool read = forEachRecord(files.table, [&cache](int, QByteArrayView body, bool deleted) {
        if (deleted)
            return;
        const FoodRecord r = FoodRecord::fromBody(body);
        cache.append(FoodCacheEntry{r.number, r.name, static_cast<quint32>(std::max(r.group, 0)), r.nutrients,
                                    r.wasteRatio, r.unknown});
    });
    if (!read)
        cache.clear();
    return read ? 1 : 0;
}

const FoodCacheEntry *findCachedFood(const FoodCache &cache, quint32 number)
{
    for (const FoodCacheEntry &e : cache) {
        if (e.number == number)
            return &e;
    }
    return nullptr;
}

int BuildFoodCodeTable(quenkit::Owner *, QList<FoodCodeEntry> &codes, const FoodTableFiles &files)
{
    codes.clear();
    // An official food's code is its official number. The user's foods of a group follow the
    // group's first user serial and every official serial of the group in the table, so that
    // no user food shares a code with an official one.
    struct UserFood {
        qsizetype entry;
        int group;
    };
    QList<UserFood> userFoods;
    int nextUserSerial[food::GroupCount + 1];
    for (int g = 0; g <= food::GroupCount; ++g)
        nextUserSerial[g] = firstUserSerial(g);
    forEachRecord(files.table, [&](int, QByteArrayView body, bool deleted) {
        if (deleted)
            return;
        const FoodRecord r = FoodRecord::fromBody(body);
        int group = r.group >= 1 && r.group <= food::GroupCount ? r.group : 0;
        QByteArray code;
        if (const std::optional<OfficialFood> official = officialFoodOf(r.number)) {
            group = official->group;
            code = foodCode(group, official->serial);
            nextUserSerial[group] = std::max(nextUserSerial[group], official->serial + 1);
        } else {
            userFoods.append(UserFood{codes.size(), group});
        }
        codes.append(FoodCodeEntry{code, static_cast<quint16>(r.number), static_cast<quint32>(group), r.name});
    });
    for (const UserFood &u : std::as_const(userFoods))
        codes[u.entry].code = foodCode(u.group, nextUserSerial[u.group]++);
    return 1;
}

bool readFoodRecords(const QString &table, QList<FoodRecord> &records)
{
    records.clear();
    const bool read = forEachRecord(table, [&records](int, QByteArrayView body, bool deleted) {
        if (!deleted)
            records.append(FoodRecord::fromBody(body));
    });
    if (!read)
        records.clear();
    return read;
}

int SearchFoodsByText(quenkit::Owner *owner, QList<int> &records, QByteArrayView text, const FoodTableFiles &files)
{
    return quenkit::SearchDBFRecord(owner, records, files.table, textSearchFields(), text, text);
}

int SearchFoodsByGroup(quenkit::Owner *owner, QList<int> &records, int group, const NutrientCondition &condition,
                       const FoodTableFiles &files)
{
    // The group is stored right-aligned in its two characters; as both keys it finds exactly the
    // fields that hold it. No group means no keys, which every field matches.
    const QByteArray key = group > 0 ? fixedNumberField(group, 0, food::GroupWidth).value_or(QByteArray()) : QByteArray();
    const QByteArray field = sjis(food::GroupField);
    if (condition.nutrient < 0)
        return quenkit::SearchDBFRecord(owner, records, files.table, field, key, key);
    if (condition.nutrient >= kNutrientCount)
        return -1;
    return quenkit::SearchFoodDbfRecord(owner, records, files.table, field, key, key,
                                        sjis(nutrientInfo(condition.nutrient).fieldName), condition.value,
                                        condition.comparison);
}

}  // namespace dalmain
