#include "dalmain/userdata/UserSession.h"

#include "quenkit/dates/Dates.h"
#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"

namespace dalmain {

namespace {

const QString kSystemSection = QStringLiteral("Dalmora System");

}  // namespace

UserSession::UserSession(const ReferenceIntakeTables &tables)
    : m_tables(tables)
{
}

QString UserSession::windowTitle() const
{
    if (!m_profile)
        return QStringLiteral("新規 - Dalmora");
    return QStringLiteral("%1 - Dalmora").arg(m_profile->name);
}

bool UserSession::hasUnsavedEntries(const UserEntries &entries) const
{
    return entriesDiffer(entries, m_profile ? entriesFromProfile(*m_profile) : blankUserEntries());
}

SaveResult UserSession::save(quenkit::Owner *owner, UserEntries &entries, CheckMode mode, const WeightPrompt &prompt)
{
    m_lastError.clear();
    m_invalidField = CheckUserEntries(mode == CheckMode::Silent ? nullptr : owner, entries);
    if (m_invalidField != UserField::None)
        return SaveResult::Invalid;
    const SaveResult result = write(owner, entries, prompt);
    // A file that cannot be written is told even when the check runs silently: the entries the
    // user made were not kept.
    if (result == SaveResult::Failed)
        quenkit::inform(owner, kUserCheckCaption, kSaveFailedMessage.arg(m_lastError), quenkit::Icon::Warning);
    return result;
}

SaveResult UserSession::write(quenkit::Owner *owner, const UserEntries &entries, const WeightPrompt &prompt)
{
    QString problem;
    if (userTableState(&problem) == UserTableState::Damaged) {
        m_lastError = problem;
        return SaveResult::Failed;
    }
    // The weight and the question come first, without the lock: another program must not wait
    // on a dialog. Whether the name is new is decided again under the lock.
    const bool seenAsNew = !findUserRecord(entries.name);
    FirstWeight weight;
    if (seenAsNew) {
        const std::optional<FirstWeight> entered = prompt ? prompt() : std::nullopt;
        if (!entered)
            return SaveResult::Abandoned;
        weight = *entered;
        const QString question = QStringLiteral("%1さんを新しく保存します。\nよろしいですか？").arg(entries.name.trimmed());
        if (!quenkit::askYesNo(owner, kNewUserCaption, question))
            return SaveResult::Abandoned;
    }

    // From the look-up of the name to the written record the table stays locked: a number is
    // chosen from the records, and another program choosing at the same time would take it too.
    const quenkit::FileLock lock = quenkit::lockDataFile(kUserTable);
    if (!lock.isLocked()) {
        m_lastError = lock.error();
        return SaveResult::Failed;
    }
    if (!ensureUserTable()) {
        m_lastError = userTableState(&problem) == UserTableState::Damaged
                          ? problem
                          : QStringLiteral("「%1」を作成できません。").arg(kUserTable);
        return SaveResult::Failed;
    }

    const std::optional<int> record = findUserRecord(entries.name);
    UserProfile base;
    if (record) {
        // A user of this name saved by another program since the look-up above is overwritten
        // like any existing user; the weight entered for a new one is not needed then.
        const std::optional<UserProfile> existing = readUser(*record);
        if (!existing) {
            m_lastError = QStringLiteral("%1さんの記録を読み込めません。").arg(entries.name.trimmed());
            return SaveResult::Failed;
        }
        base = *existing;
    } else {
        if (!seenAsNew) {
            // Deleted by another program since the look-up: a new user needs a weight.
            m_lastError = QStringLiteral("%1さんの記録が他のプログラムで削除されました。").arg(entries.name.trimmed());
            return SaveResult::Failed;
        }
        base.number = nextUserNumber();
        base.firstDate = base.secondDate = recordDateToday();
        base.reserved = QByteArray(userrecord::DateWidth, ' ');
    }

    const UserProfile profile = profileFromEntries(entries, base);
    // A new user's files come first: a record without its weight log would be a user the
    // weight and analysis screens cannot work with.
    if (!record && !createUserFiles(profile.number, weight, &m_lastError))
        return SaveResult::Failed;
    const int written = writeUserRecord(profile);
    if (written != 1 && written != 2) {
        if (!record)
            removeUserFiles(profile.number);
        m_lastError = QStringLiteral("「%1」に%2さんの記録を書き込めません。").arg(kUserTable, profile.name.trimmed());
        return SaveResult::Failed;
    }
    setOpen(profile, owner);
    return record ? SaveResult::Saved : SaveResult::Created;
}

bool UserSession::confirmOpen(quenkit::Owner *owner, const QString &name) const
{
    return quenkit::askYesNo(owner, kOpenCaption, QStringLiteral("%1 さんを読み込みます。よろしいですか？").arg(name));
}

bool UserSession::open(quenkit::Owner *owner, const QString &name)
{
    const std::optional<int> record = findUserRecord(name);
    std::optional<UserProfile> profile = record ? readUser(*record) : std::nullopt;
    if (!profile)
        return false;
    // The stored age is the one of the last save; a birthday keeps it current.
    if (profile->hasBirthDate()) {
        const int age = ageOn(profile->birthYear, profile->birthMonth, profile->birthDay, quenkit::today());
        if (age >= 1)
            profile->age = age;
    }
    setOpen(*profile, owner);
    return true;
}

bool UserSession::openChosen(quenkit::Owner *owner, const UserListEntry &chosen, UserEntries &pending,
                             const WeightPrompt &prompt)
{
    if (!confirmOpen(owner, chosen.name))
        return false;
    // Entries that could not be written stay on the screen rather than being replaced.
    if (hasUnsavedEntries(pending) && save(owner, pending, CheckMode::Silent, prompt) == SaveResult::Failed)
        return false;
    // By name, not by the list's record number: the save may have inserted a record before it.
    return open(owner, chosen.name);
}

bool UserSession::startNew(quenkit::Owner *owner, UserEntries &entries, const WeightPrompt &prompt)
{
    if (hasUnsavedEntries(entries) && save(owner, entries, CheckMode::Silent, prompt) == SaveResult::Failed)
        return false;
    clear();
    entries = blankUserEntries();
    return true;
}

bool UserSession::leaveScreen(quenkit::Owner *owner, UserEntries &entries, const WeightPrompt &prompt)
{
    if (m_profile && !hasUnsavedEntries(entries))
        return true;
    return saved(save(owner, entries, CheckMode::WithMessages, prompt));
}

int UserSession::deleteUsers(quenkit::Owner *owner, const QList<UserListEntry> &users)
{
    m_lastError.clear();
    if (users.isEmpty())
        return 0;
    if (!quenkit::askYesNo(owner, kDeleteCaption, kDeleteQuestion))
        return -1;
    // Held while records go and files are removed: a user added meanwhile would be given the
    // number that is being freed, and then lose the files removed under it.
    const quenkit::FileLock lock = quenkit::lockDataFile(kUserTable);
    if (!lock.isLocked()) {
        m_lastError = lock.error();
        return 0;
    }
    int deleted = 0;
    for (const UserListEntry &user : users) {
        // Each deletion moves the records behind it, so every user is found again by name.
        const std::optional<int> record = findUserRecord(user.name);
        const std::optional<UserProfile> profile = record ? readUser(*record) : std::nullopt;
        if (!profile)
            continue;
        // The record goes first: a user whose record could not be deleted keeps its files. Files
        // that cannot be removed after it are removed again when the number is given out anew.
        if (quenkit::DeleteDBFNoRecord(kUserTable, *record) != 1) {
            m_lastError = QStringLiteral("「%1」から%2さんの記録を削除できません。").arg(kUserTable, profile->name);
            continue;
        }
        QString leftover;
        if (!removeUserFiles(profile->number, &leftover))
            m_lastError = leftover;
        ++deleted;
        if (m_profile && m_profile->number == profile->number)
            clear();
    }
    return deleted;
}

bool UserSession::reopenLastUser(quenkit::Owner *owner)
{
    if (m_profile || quenkit::GetRegistryInt(kSystemSection, QStringLiteral("SystemSet3"), 1) != 1)
        return false;
    QString name;
    quenkit::GetRegistryString(kSystemSection, QStringLiteral("UserName"), nullptr, name, 256);
    return !name.isEmpty() && open(owner, name);
}

void UserSession::finish(quenkit::Owner *owner, UserEntries &entries, const WeightPrompt &prompt)
{
    if (hasUnsavedEntries(entries))
        save(owner, entries, CheckMode::Silent, prompt);
    rememberOpenUser();
}

void UserSession::rememberOpenUser() const
{
    quenkit::SetRegistryString(kSystemSection, QStringLiteral("UserName"), m_profile ? m_profile->name : QString());
}

void UserSession::clear()
{
    m_profile.reset();
    m_standard = IntakeStandard{};
}

void UserSession::setOpen(const UserProfile &profile, quenkit::Owner *owner)
{
    m_profile = profile;
    DeriveIntakeStandard(owner, m_tables, profile.intakeSubject(), m_standard);
}

UserSession &openUserSession()
{
    static UserSession session;
    return session;
}

}  // namespace dalmain
