#include "dalmain/userdata/UserStore.h"

#include "dalmain/userdata/KisoChoice.h"
#include "dalmain/userdata/MemoFile.h"
#include "dalmain/userdata/NotePad.h"
#include "dalmain/userdata/UserLogTemplates.h"
#include "dalmain/userdata/WeightGoal.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/files/FileUtils.h"
#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"

#include <QFile>

#include <vector>

namespace dalmain {

namespace {

QList<UserListEntry> entriesOf(const QList<int> &records)
{
    QList<UserListEntry> entries;
    for (int record : records) {
        if (const std::optional<UserProfile> p = readUser(record))
            entries.append({record, p->number, p->reading, p->name});
    }
    return entries;
}

QList<UserListEntry> search(QByteArrayView fields, QByteArrayView low, QByteArrayView high)
{
    QList<int> found;
    if (quenkit::SearchDBFRecord(nullptr, found, kUserTable, fields, low, high) <= 0)
        return {};
    return entriesOf(found);
}

// First bytes of the half-width kana of each row of the syllabary, small kana included.
struct KanaRange {
    unsigned char first;
    unsigned char last;
    int row;
};

constexpr KanaRange kKanaRanges[] = {
    {0xA6, 0xA6, 9},   // ｦ
    {0xA7, 0xAB, 0},   // ｧ-ｫ
    {0xAC, 0xAE, 7},   // ｬ-ｮ
    {0xAF, 0xAF, 3},   // ｯ
    {0xB1, 0xB5, 0},   // ｱ-ｵ
    {0xB6, 0xBA, 1},   // ｶ-ｺ
    {0xBB, 0xBF, 2},   // ｻ-ｿ
    {0xC0, 0xC4, 3},   // ﾀ-ﾄ
    {0xC5, 0xC9, 4},   // ﾅ-ﾉ
    {0xCA, 0xCE, 5},   // ﾊ-ﾎ
    {0xCF, 0xD3, 6},   // ﾏ-ﾓ
    {0xD4, 0xD6, 7},   // ﾔ-ﾖ
    {0xD7, 0xDB, 8},   // ﾗ-ﾛ
    {0xDC, 0xDD, 9},   // ﾜ, ﾝ
};

bool exists(const QString &name)
{
    return quenkit::FileOpen(name, quenkit::OpenExists) == 1;
}

// The fields of a table are those of the user table: same names and widths, in record order.
bool hasUserFields(const quenkit::DbfLayout &layout)
{
    const QList<quenkit::DbfFieldDescriptor> expected = userTableFields();
    if (layout.fields.size() != expected.size())
        return false;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (layout.fields[i].name() != expected[i].name() || layout.fields[i].length() != expected[i].length())
            return false;
    }
    return true;
}

}  // namespace

QList<UserListEntry> listUsers()
{
    return search(userKeyField(), {}, {});
}

QStringList kanaRowNames()
{
    return {QStringLiteral("ア行の人"), QStringLiteral("カ行の人"), QStringLiteral("サ行の人"),
            QStringLiteral("タ行の人"), QStringLiteral("ナ行の人"), QStringLiteral("ハ行の人"),
            QStringLiteral("マ行の人"), QStringLiteral("ヤ行の人"), QStringLiteral("ラ行の人"),
            QStringLiteral("ワ行の人")};
}

int kanaRowOf(const QString &reading)
{
    const QByteArray bytes = quenkit::toSjis(reading.trimmed());
    if (bytes.isEmpty())
        return -1;
    const auto first = static_cast<unsigned char>(bytes[0]);
    for (const KanaRange &r : kKanaRanges) {
        if (first >= r.first && first <= r.last)
            return r.row;
    }
    return -1;
}

QList<UserListEntry> usersInKanaRow(int row)
{
    QList<UserListEntry> users = listUsers();
    users.removeIf([row](const UserListEntry &u) { return kanaRowOf(u.reading) != row; });
    return users;
}

QList<UserListEntry> searchUsers(const QString &text)
{
    const QByteArray key = quenkit::toSjis(text);
    return search(userReadingField() + '@' + userKeyField(), key, key);
}

std::optional<int> findUserRecord(const QString &name)
{
    // The padded key matches the whole field; the comparison keeps a longer name that merely
    // contains this one (the search matches parts of a field) from being taken for it.
    const QByteArray key = quenkit::sjisField(quenkit::toSjis(name.trimmed()), userrecord::NameWidth);
    const QString wanted = quenkit::fromSjis(quenkit::trimmedField(key));
    if (wanted.isEmpty())
        return std::nullopt;
    for (const UserListEntry &u : search(userKeyField(), key, key)) {
        if (u.name == wanted)
            return u.record;
    }
    return std::nullopt;
}

std::optional<UserProfile> readUser(int record, bool *converted)
{
    QByteArray body;
    if (quenkit::ReadDBFRecord(kUserTable, record, body) != 1 || body.size() < userrecord::BodyLength)
        return std::nullopt;
    return decodeUserRecord(body, converted);
}

std::optional<UserProfile> readUserNamed(const QString &name)
{
    const std::optional<int> record = findUserRecord(name);
    return record ? readUser(*record) : std::nullopt;
}

unsigned nextUserNumber()
{
    quenkit::DbfHeader header;
    if (!quenkit::GetDBFInfo(kUserTable, header))
        return 0;
    const int count = static_cast<int>(header.recordCount());
    std::vector<bool> used(static_cast<size_t>(count) + 1, false);
    for (int r = 0; r < count; ++r) {
        const std::optional<UserProfile> p = readUser(r);
        if (p && p->number <= static_cast<unsigned>(count))
            used[p->number] = true;
    }
    unsigned n = 0;
    while (n < used.size() && used[n])
        ++n;
    return n;
}

UserTableState userTableState(QString *problem)
{
    auto state = [problem](UserTableState s, const QString &text) {
        if (problem)
            *problem = text;
        return s;
    };
    if (!exists(kUserTable))
        return state(UserTableState::Missing, QStringLiteral("「%1」がデータフォルダにありません。").arg(kUserTable));
    quenkit::DbfLayout layout;
    QString why;
    if (!quenkit::readDbfLayout(kUserTable, layout, &why))
        return state(UserTableState::Damaged, QStringLiteral("「%1」が壊れています（%2）。").arg(kUserTable, why));
    if (!hasUserFields(layout))
        return state(UserTableState::Damaged,
                     QStringLiteral("「%1」が壊れています（フィールドがユーザー情報のものではありません）。").arg(kUserTable));
    return state(UserTableState::Ready, QString());
}

bool ensureUserTable()
{
    switch (userTableState()) {
    case UserTableState::Ready:
        return true;
    case UserTableState::Missing:
        return quenkit::createDbfTable(kUserTable, userTableFields()) == 1;
    case UserTableState::Damaged:
        break;
    }
    // A damaged table is left for the user to restore: replacing it would lose every user.
    return false;
}

int writeUserRecord(const UserProfile &profile)
{
    return quenkit::WriteDBFRecord(nullptr, kUserTable, encodeUserRecord(profile), userKeyField(),
                                   quenkit::WriteOrOverwrite);
}

QString menuFileName(unsigned number)
{
    return QStringLiteral("%1.MEM").arg(number);
}

QString weightLogName(unsigned number)
{
    return QStringLiteral("W%1.DBF").arg(number);
}

QString exerciseLogName(unsigned number)
{
    return QStringLiteral("S%1.DBF").arg(number);
}

QStringList userFileNames(unsigned number)
{
    // Besides the six files the user screen always removed, the weight memos, the basal
    // metabolism choice and the weight goals go too: numbers are reused, and a new person must
    // not inherit them.
    const int user = static_cast<int>(number);
    return {menuFileName(number),
            notePadFileName(user),
            memoFileName(MemoKind::Menu, user),
            weightLogName(number),
            exerciseLogName(number),
            memoFileName(MemoKind::Analysis, user),
            memoFileName(MemoKind::Weight, user),
            kisoFileName(user),
            weightGoalFileName(user)};
}

QStringList userLeftoverNames(unsigned number)
{
    const int user = static_cast<int>(number);
    QStringList names;
    for (const QString &name : userFileNames(number))
        names.append(quenkit::temporaryName(name));
    for (MemoKind kind : {MemoKind::Menu, MemoKind::Analysis, MemoKind::Weight})
        names.append(memoRewriteName(memoFileName(kind, user)));
    return names;
}

bool createUserFiles(unsigned number, const FirstWeight &weight, QString *error)
{
    auto fail = [&](const QString &reason) {
        removeUserFiles(number);
        if (error)
            *error = reason;
        return false;
    };
    for (const QString &name : {kWeightTemplate, kExerciseTemplate}) {
        if (!exists(name))
            return fail(QStringLiteral("ひな形の「%1」がデータフォルダにありません。").arg(name));
    }
    // No record carries the number, so any file of it belongs to nobody: a deletion that could
    // not finish, or a creation that was cut short. The new person must not inherit it.
    QString leftover;
    if (!removeUserFiles(number, &leftover)) {
        if (error)
            *error = leftover;
        return false;
    }

    const int menu = quenkit::FileOpen(menuFileName(number), quenkit::OpenCreate);
    if (menu < 0)
        return fail(QStringLiteral("「%1」を作成できません。").arg(menuFileName(number)));
    quenkit::FileClose(menu);
    if (quenkit::_mCopyFile(kWeightTemplate, weightLogName(number)) != 1)
        return fail(QStringLiteral("「%1」を作成できません。").arg(weightLogName(number)));
    if (quenkit::_mCopyFile(kExerciseTemplate, exerciseLogName(number)) != 1)
        return fail(QStringLiteral("「%1」を作成できません。").arg(exerciseLogName(number)));

    quenkit::DbfLayout layout;
    if (!quenkit::readDbfLayout(weightLogName(number), layout))
        return fail(QStringLiteral("ひな形の「%1」を読み込めません。").arg(kWeightTemplate));
    QByteArray body = weightRecordBody(weight.year, weight.month, weight.day, weight.kg);
    // A template with fields of its own behind the three gets them blank.
    body = body.leftJustified(layout.bodyLength(), ' ', true);
    const int written = quenkit::WriteDBFRecord(nullptr, weightLogName(number), body, weightLogKeyField(),
                                                quenkit::WriteOrOverwrite);
    if (written != 1 && written != 2)
        return fail(QStringLiteral("「%1」に体重を書き込めません。").arg(weightLogName(number)));
    return true;
}

bool removeUserFiles(unsigned number, QString *error)
{
    bool removed = true;
    for (const QString &name : userFileNames(number) + userLeftoverNames(number)) {
        if (!exists(name))
            continue;
        if (!QFile::remove(quenkit::dataPath(name)) && removed) {
            removed = false;
            if (error)
                *error = QStringLiteral("「%1」を削除できません。").arg(name);
        }
    }
    return removed;
}

}  // namespace dalmain
