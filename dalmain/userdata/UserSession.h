#pragma once

#include "dalmain/master/IntakeStandard.h"
#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/userdata/UserEntries.h"
#include "dalmain/userdata/UserProfile.h"
#include "dalmain/userdata/UserStore.h"

#include <QString>

#include <functional>
#include <optional>

namespace quenkit {
class Owner;
}

// The open user: the profile every screen works on and its reference values, with the
// operations of the user screen (save, open, new, delete) and of the program's start and end.
// Questions and messages go through the owner; the weight of a new user comes from a prompt
// (the weight dialog on the screen).
namespace dalmain {

// Asks for a new user's present weight; none when the user cancels. The prompt runs
// CheckWeightEntries on what it was given.
using WeightPrompt = std::function<std::optional<FirstWeight>()>;

enum class SaveResult {
    Saved,       // an existing user's record was overwritten
    Created,     // a new user was numbered, written and given its files
    Invalid,     // the check failed (it named the field)
    Abandoned,   // the weight was cancelled or the new-user question answered No
    Failed,      // a file could not be written (see UserSession::lastError)
};

inline bool saved(SaveResult r)
{
    return r == SaveResult::Saved || r == SaveResult::Created;
}

// How the check of a save reports: with its messages (the save command, leaving the screen)
// or silently (before New and Open, at the end of the program).
enum class CheckMode { WithMessages, Silent };

inline const QString kNewUserCaption = QStringLiteral("ユーザー情報の新規保存");
inline const QString kOpenCaption = QStringLiteral("読み込みの確認");
inline const QString kDeleteCaption = QStringLiteral("削除の確認");
inline const QString kDeleteQuestion = QStringLiteral("選択されたユーザー情報を削除します。\nよろしいですか？");
// Told (title "ユーザー情報", warning icon) when a save fails on a file; %1 names the file.
inline const QString kSaveFailedMessage = QStringLiteral("ユーザー情報を保存できませんでした。\n%1");

class UserSession
{
public:
    // The session derives reference values from tables (the program's: referenceIntakes()).
    explicit UserSession(const ReferenceIntakeTables &tables = referenceIntakes());

    bool isOpen() const { return m_profile.has_value(); }
    const std::optional<UserProfile> &profile() const { return m_profile; }
    const IntakeStandard &intakeStandard() const { return m_standard; }

    // "%s - Dalmora" with the open user's name, "新規 - Dalmora" without one.
    QString windowTitle() const;

    // True when entries differ from what the open user (or an empty screen) shows.
    bool hasUnsavedEntries(const UserEntries &entries) const;

    // Checks entries (correcting them in place) and writes the profile under the name: an
    // existing user of that name is overwritten under its number; a new user is asked for the
    // weight (prompt) and confirmed ("ユーザー情報の新規保存") first, then numbered and given its
    // files with the user table locked, so that programs saving at once never share a number.
    // A lock that cannot be taken, or a damaged user table, fails the save with nothing
    // written. The saved profile becomes the open user and its reference values are derived.
    // After Created the caller clears the menu screen's undo memory. Any result but Invalid
    // means the check passed, which has reloaded the PFC target ranges. Failed is told to owner
    // (kSaveFailedMessage) whatever the mode.
    SaveResult save(quenkit::Owner *owner, UserEntries &entries, CheckMode mode, const WeightPrompt &prompt);

    // Asks "%s さんを読み込みます。よろしいですか？"; true for Yes.
    bool confirmOpen(quenkit::Owner *owner, const QString &name) const;

    // Makes the user of this name the open user: reads the record (converting an older one),
    // takes the age from the birthday when one is known, and derives the reference values
    // (telling owner when the chosen standard was deleted). false when there is no such user.
    // The caller clears the menu screen's undo memory.
    bool open(quenkit::Owner *owner, const QString &name);

    // The choice of a user in the search list: the question, then the pending entries (when
    // they are unsaved) saved silently, then open. false when the user answered No, the pending
    // entries could not be written, or the user is gone.
    bool openChosen(quenkit::Owner *owner, const UserListEntry &chosen, UserEntries &pending,
                    const WeightPrompt &prompt);

    // "新規作成": saves unsaved entries silently, then clears the open user and gives the
    // entries of an empty screen. false, with the entries kept, when they could not be written.
    bool startNew(quenkit::Owner *owner, UserEntries &entries, const WeightPrompt &prompt);

    // The check-and-save before the user screen is left for another screen. true when the
    // screen may be left: nothing was unsaved for an open user, or the save succeeded.
    bool leaveScreen(quenkit::Owner *owner, UserEntries &entries, const WeightPrompt &prompt);

    // Deletes users after asking "選択されたユーザー情報を削除します。\nよろしいですか？":
    // each user's record, then every file of its number, with the user table locked
    // throughout. The open user, when deleted, is closed. The number deleted, or -1 when the
    // answer was No; lastError says why a user was not deleted (the lock could not be taken, the
    // record could not be deleted) or which of its files stayed.
    int deleteUsers(quenkit::Owner *owner, const QList<UserListEntry> &users);

    // At start: opens the user open at the last exit (UserName) when SystemSet3 asks for it.
    // true when a user was opened.
    bool reopenLastUser(quenkit::Owner *owner);

    // At the end: saves unsaved entries silently and stores the open user's name (UserName,
    // empty when none is open).
    void finish(quenkit::Owner *owner, UserEntries &entries, const WeightPrompt &prompt);
    void rememberOpenUser() const;

    // Closes the open user.
    void clear();

    // Why the last save returned Failed, or what the last deletion could not do.
    const QString &lastError() const { return m_lastError; }
    // The field the last save's check refused (None when it passed).
    UserField invalidField() const { return m_invalidField; }

private:
    SaveResult write(quenkit::Owner *owner, const UserEntries &entries, const WeightPrompt &prompt);
    void setOpen(const UserProfile &profile, quenkit::Owner *owner);

    const ReferenceIntakeTables &m_tables;
    std::optional<UserProfile> m_profile;
    IntakeStandard m_standard;
    QString m_lastError;
    UserField m_invalidField = UserField::None;
};

// The program's session.
UserSession &openUserSession();

}  // namespace dalmain
