#pragma once

#include "dalmain/userdata/UserEntries.h"
#include "dalmain/userdata/UserProfile.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The user table and each user's files: finding, listing, numbering, creating and removing.
// Names of data files are relative to the data folder.
namespace dalmain {

// One line of the user lists (search, delete): the record it was read from, and what is shown.
struct UserListEntry {
    int record = -1;
    unsigned number = 0;
    QString reading;
    QString name;
};

// Column headings of the lists.
inline const QString kUserListColumns = QStringLiteral("フリガナ@氏名");

// Every user in table order (the order of the names).
QList<UserListEntry> listUsers();

// The rows of the search by first sound: "ア行の人" ... "ワ行の人".
QStringList kanaRowNames();
// The row (0 ア ... 9 ワ) of a reading by its first character, or -1 when it begins with no
// half-width kana (or is empty). Small kana count with their row; ｦ and ﾝ with ワ.
int kanaRowOf(const QString &reading);
// The users whose reading begins with a kana of the row.
QList<UserListEntry> usersInKanaRow(int row);
// The users whose reading or name contains text, also in its half-width or full-width
// spelling (a hiragana text finds a half-width reading); every user for an empty text.
QList<UserListEntry> searchUsers(const QString &text);

// The record of the user with exactly this name, if any.
std::optional<int> findUserRecord(const QString &name);
// The profile of a record (older records converted); none when the record cannot be read or
// is deleted.
std::optional<UserProfile> readUser(int record, bool *converted = nullptr);
std::optional<UserProfile> readUserNamed(const QString &name);

// The number a new user gets: the smallest from 0 up to the record count that no user has.
// The caller holds the user table's lock until the user's record is written, so that no other
// program hands out the same number meanwhile.
unsigned nextUserNumber();

// Whether the user table can be worked with: it exists, its header and records fit the file,
// and its fields are those of a user record. An empty table is Ready.
enum class UserTableState { Ready, Missing, Damaged };
// The state, with a sentence for the user saying what is wrong in *problem (empty when Ready).
UserTableState userTableState(QString *problem = nullptr);

// Creates the user table with no records when there is none. false when it cannot be created
// or the table there is not a user table.
bool ensureUserTable();

// Writes the profile's record, keyed by its name: a new name is inserted in name order, an
// existing one overwritten. The table's write result (1 added, 2 overwritten, 0 failure).
int writeUserRecord(const UserProfile &profile);

// The files of a user: "%u.MEM" (menu records), "W%u.DBF" (weight log), "S%u.DBF" (exercise
// log), "MM%u.DAT", "AM%u.DAT", "WM%u.DAT" (menu memos, analysis comments, weight memos),
// "MPC%u.DAT" (note pad), "KISO%u.DAT" (basal metabolism choice) and "WG%u.DAT" (weight goals).
QString menuFileName(unsigned number);
QString weightLogName(unsigned number);
QString exerciseLogName(unsigned number);
QStringList userFileNames(unsigned number);
// The temporary names the rewrites of those files use (the name with "TMP" as its last three
// characters; ".BAK" for the memo files), where an interrupted rewrite leaves its file.
QStringList userLeftoverNames(unsigned number);

// Creates a new user's files: an empty menu file and the two logs as copies of their templates,
// the weight log holding the first weight. Whatever a former user of the number left behind is
// removed first. false, with the reason in *error (a sentence for the user), when a template is
// missing, a leftover cannot be removed or a file cannot be written; whatever was created is
// then removed again. The caller holds the user table's lock.
bool createUserFiles(unsigned number, const FirstWeight &weight, QString *error = nullptr);

// Removes every file of a user that exists, leftovers of interrupted rewrites included. false,
// with the first file that stays in *error (a sentence for the user), when one cannot be
// removed.
bool removeUserFiles(unsigned number, QString *error = nullptr);

}  // namespace dalmain
