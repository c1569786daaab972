#include "dalmain/master/DishTable.h"

#include "dalmain/userdata/MemoStorage.h"

#include "quenkit/dates/Dates.h"
#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"

#include <QSet>

namespace dalmain {

namespace {

const QString kSaveCaption = QStringLiteral("料理登録");

bool exists(const QString &name)
{
    return quenkit::FileOpen(name, quenkit::OpenExists) == 1;
}

// The table holds dishes: records of a dish's length, with the name and the category where a
// dish keeps them.
bool isDishLayout(const quenkit::DbfLayout &layout)
{
    const std::optional<quenkit::FieldSlice> name = layout.fieldSlice(dishKeyField());
    const std::optional<quenkit::FieldSlice> category =
        layout.fieldSlice(quenkit::toSjis(QString::fromUtf8(dish::CategoryField)));
    return layout.bodyLength() == dish::BodyLength && name
        && *name == quenkit::FieldSlice{dish::NameWidth, dish::NameOffset} && category
        && *category == quenkit::FieldSlice{dish::CategoryWidth, dish::CategoryOffset};
}

// A category as the tables store it: cut to its width, without padding.
QByteArray categoryText(const QString &category)
{
    return quenkit::trimmedField(quenkit::cutSjisToWidth(quenkit::toSjis(category.trimmed()), dish::CategoryWidth));
}

bool categoryInUse(const QList<StoredDish> &dishes, const QByteArray &category)
{
    for (const StoredDish &d : dishes) {
        if (d.dish.category == category)
            return true;
    }
    return false;
}

// Removes category from the category list; a category the list does not hold is no failure.
// The caller holds the dish table's lock, so no dish can take the category meanwhile.
bool dropCategory(const QByteArray &category)
{
    const QByteArray key = quenkit::sjisField(category, dish::CategoryNameWidth);
    const int result = quenkit::DeleteDBFRecord(nullptr, kDishCategoryTable, key, dishCategoryKeyField());
    return result == 1 || result == 2;
}

// Adds category to the category list unless it is there already.
bool addCategory(const QByteArray &category)
{
    const quenkit::FileLock lock = quenkit::lockDataFile(kDishCategoryTable);
    if (!lock.isLocked())
        return false;
    const QString wanted = quenkit::fromSjis(category);
    if (dishCategories().contains(wanted))
        return true;
    const QByteArray body = quenkit::sjisField(category, dish::CategoryNameWidth);
    const int result = quenkit::WriteDBFRecord(nullptr, kDishCategoryTable, body, dishCategoryKeyField(),
                                               quenkit::WriteOrOverwrite);
    return result == 1 || result == 2;
}

DishSaveOutcome refuse(quenkit::Owner *owner, DishField focus, const QString &text)
{
    quenkit::inform(owner, kSaveCaption, text, quenkit::Icon::Information);
    return {DishSaveResult::Refused, focus, true};
}

// The records of the table except the live dishes named in names (Shift-JIS, no padding), as
// the new table's bytes.
struct TableWithout {
    QByteArray bytes;
    QList<DishRecord> removed;
};

std::optional<TableWithout> tableWithout(const QSet<QByteArray> &names)
{
    quenkit::FileHandle file(quenkit::FileOpen2(quenkit::tablePath(kDishTable), quenkit::OpenRead));
    quenkit::DbfLayout layout;
    if (!file.isOpen() || !quenkit::readDbfLayout(file.get(), quenkit::signatureOffsetFor(kDishTable), layout)
        || !isDishLayout(layout))
        return std::nullopt;
    const qint64 end = layout.recordPosition(layout.recordCount());
    QByteArray old(end, '\0');
    if (quenkit::FileSeek(file.get(), 0) != 0 || quenkit::FileRead(file.get(), old.data(), end) != end)
        return std::nullopt;

    const qint64 headerEnd = layout.signatureOffset + layout.headerLength();
    TableWithout result;
    result.bytes = old.first(headerEnd);
    int kept = 0;
    for (int r = 0; r < layout.recordCount(); ++r) {
        const QByteArrayView record = QByteArrayView(old).sliced(layout.recordPosition(r), layout.recordLength());
        const QByteArrayView body = record.sliced(1);
        if (record[0] != quenkit::dbf::DeletedFlag && names.contains(dishFieldText(body.first(dish::NameWidth)))) {
            result.removed.append(DishRecord::fromBody(body));
            continue;
        }
        // Other records go over as they are, flag included.
        result.bytes.append(record);
        ++kept;
    }
    result.bytes.append(quenkit::dbf::EndOfFile);

    quenkit::DbfHeader header = layout.header;
    header.setRecordCount(static_cast<quint32>(kept));
    header.setDate(quenkit::today());
    result.bytes.replace(layout.signatureOffset, quenkit::dbf::HeaderSize, header.toBytes());
    return result;
}

}  // namespace

bool ensureDishTables()
{
    if (!exists(kDishTable) && quenkit::createDbfTable(kDishTable, dishTableFields()) != 1)
        return false;
    if (!exists(kDishCategoryTable) && quenkit::createDbfTable(kDishCategoryTable, dishCategoryTableFields()) != 1)
        return false;
    return true;
}

QList<StoredDish> readDishes(bool *ok)
{
    if (ok)
        *ok = false;
    quenkit::FileHandle file(quenkit::FileOpen2(quenkit::tablePath(kDishTable), quenkit::OpenRead));
    quenkit::DbfLayout layout;
    if (!file.isOpen() || !quenkit::readDbfLayout(file.get(), quenkit::signatureOffsetFor(kDishTable), layout)
        || !isDishLayout(layout))
        return {};
    QList<StoredDish> dishes;
    QByteArray body;
    for (int r = 0; r < layout.recordCount(); ++r) {
        const int read = quenkit::GetDBFRecord(file.get(), r, body, layout.headerLength(), layout.recordLength(),
                                               layout.signatureOffset);
        if (read == 0)
            return {};
        if (read == 1)
            dishes.append({r, DishRecord::fromBody(body)});
    }
    if (ok)
        *ok = true;
    return dishes;
}

std::optional<StoredDish> findDish(const QString &name)
{
    const QByteArray wanted = dishFieldText(dishKey(quenkit::toSjis(name.trimmed())));
    if (wanted.isEmpty())
        return std::nullopt;
    for (const StoredDish &d : readDishes()) {
        if (d.dish.name == wanted)
            return d;
    }
    return std::nullopt;
}

QStringList dishCategories()
{
    QList<int> records;
    if (quenkit::SearchDBFRecord(nullptr, records, kDishCategoryTable, dishCategoryKeyField(), {}, {}) <= 0)
        return {};
    quenkit::DbfLayout layout;
    if (!quenkit::readDbfLayout(kDishCategoryTable, layout))
        return {};
    const std::optional<quenkit::FieldSlice> slice = layout.fieldSlice(dishCategoryKeyField());
    if (!slice)
        return {};
    QStringList categories;
    QByteArray body;
    for (int record : records) {
        if (quenkit::ReadDBFRecord(kDishCategoryTable, record, body) == 1 && body.size() == layout.bodyLength())
            categories.append(quenkit::fromSjis(dishFieldText(slice->of(body))));
    }
    return categories;
}

DishSaveOutcome SaveDish(quenkit::Owner *owner, const DishForm &form, const QList<DishEntry> &entries)
{
    if (form.name.trimmed().isEmpty())
        return refuse(owner, DishField::Name, QStringLiteral("料理名を入力してください。"));
    if (form.category.trimmed().isEmpty())
        return refuse(owner, DishField::Category, QStringLiteral("料理分類を入力してください。"));
    bool anyKeyword = false;
    for (const QString &k : form.keywords)
        anyKeyword = anyKeyword || !k.trimmed().isEmpty();
    if (!anyKeyword)
        return refuse(owner, DishField::Keywords, QStringLiteral("キーワードを入力してください。"));

    DishRecord record;
    record.name = quenkit::toSjis(form.name.trimmed());
    record.category = categoryText(form.category);
    for (int k = 0; k < dish::KeywordCount; ++k)
        record.keywords[k] = quenkit::toSjis(form.keywords[k].trimmed());
    record.picture = quenkit::toSjis(form.picture.trimmed());
    record.memo = quenkit::toSjis(form.memo);
    record.entries = entries;
    DishEncodeProblem problem = DishEncodeProblem::None;
    const std::optional<QByteArray> body = encodeDish(record, &problem);
    if (!body) {
        // The grid holds amounts up to 6553.5 g, the dish record 999.9 g: a larger amount would
        // overrun its field into the next entry.
        if (problem == DishEncodeProblem::AmountTooLarge)
            return refuse(owner, DishField::Entries, QStringLiteral("食品の分量が999.9g以内に収まりません。"));
        return {DishSaveResult::Failed, DishField::Entries, true};
    }

    // The former category is decided from what is read before the write, and the category list
    // from what is read after it: another writer between them would leave a category behind
    // that no dish uses, or take one away that a dish has.
    const quenkit::FileLock lock = quenkit::lockDataFile(kDishTable);
    if (!lock.isLocked())
        return {};
    bool readable = false;
    const QList<StoredDish> before = readDishes(&readable);
    if (!readable)
        return {};
    const QByteArray key = dishFieldText(dishKey(record.name));
    std::optional<QByteArray> previousCategory;
    for (const StoredDish &d : before) {
        if (d.dish.name == key) {
            previousCategory = d.dish.category;
            break;
        }
    }

    const int written = quenkit::WriteDBFRecord(owner, kDishTable, *body, dishKeyField(), quenkit::WriteOrOverwrite);
    DishSaveOutcome outcome;
    switch (written) {
    case 1:
        outcome.result = DishSaveResult::Added;
        break;
    case 2:
        outcome.result = DishSaveResult::Overwritten;
        break;
    case 3:
        outcome.result = DishSaveResult::Declined;
        return outcome;
    default:
        return outcome;
    }

    bool categoriesOk = true;
    if (outcome.result == DishSaveResult::Overwritten && previousCategory && *previousCategory != record.category) {
        bool ok = false;
        const QList<StoredDish> after = readDishes(&ok);
        if (!ok)
            categoriesOk = false;
        else if (!categoryInUse(after, *previousCategory))
            categoriesOk = dropCategory(*previousCategory);
    }
    categoriesOk = addCategory(record.category) && categoriesOk;
    outcome.categoriesUpdated = categoriesOk;
    return outcome;
}

DishDeleteOutcome DeleteDish(quenkit::Owner *owner, const QStringList &names)
{
    DishDeleteOutcome outcome;
    // The question comes before the lock: the table is not held while the user thinks.
    if (!quenkit::askYesNo(owner, QStringLiteral("削除の確認"), QStringLiteral("選択された料理を削除します。よろしいですか？"),
                           quenkit::Icon::Information, quenkit::Answer::No)) {
        outcome.result = DishDeleteResult::Declined;
        return outcome;
    }

    const quenkit::FileLock lock = quenkit::lockDataFile(kDishTable);
    if (!lock.isLocked())
        return outcome;
    // Names as the table stores them: cut to the field, without padding.
    auto stored = [](const QString &name) { return dishFieldText(dishKey(quenkit::toSjis(name.trimmed()))); };
    QSet<QByteArray> wanted;
    for (const QString &name : names) {
        if (!stored(name).isEmpty())
            wanted.insert(stored(name));
    }
    const std::optional<TableWithout> rest = tableWithout(wanted);
    if (!rest)
        return outcome;

    QSet<QByteArray> deletedNames;
    for (const DishRecord &d : rest->removed) {
        outcome.deleted.append(quenkit::fromSjis(d.name));
        deletedNames.insert(d.name);
    }
    for (const QString &name : names) {
        if (!deletedNames.contains(stored(name)) && !outcome.notFound.contains(name))
            outcome.notFound.append(name);
    }
    if (rest->removed.isEmpty()) {
        outcome.result = DishDeleteResult::Deleted;
        return outcome;
    }
    if (!replaceDataFile(kDishTable, quenkit::deleteTemporaryName(kDishTable), rest->bytes)) {
        outcome.deleted.clear();
        outcome.notFound.clear();
        return outcome;
    }
    outcome.result = DishDeleteResult::Deleted;

    bool ok = false;
    const QList<StoredDish> remaining = readDishes(&ok);
    if (!ok) {
        outcome.categoriesUpdated = false;
        return outcome;
    }
    QList<QByteArray> categories;
    for (const DishRecord &d : rest->removed) {
        if (!categories.contains(d.category))
            categories.append(d.category);
    }
    for (const QByteArray &category : categories) {
        if (!category.isEmpty() && !categoryInUse(remaining, category))
            outcome.categoriesUpdated = dropCategory(category) && outcome.categoriesUpdated;
    }
    return outcome;
}

}  // namespace dalmain
