#pragma once

#include "Command.h"

#include "dalmain/userdata/UserStore.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Arguments several command groups share.
namespace cli {

// true when the user table can be read; otherwise says on ctx.err that it is missing or damaged
// ("dalmora GROUP: ..."): without the table no user can be found, and "no such user" would send
// the user looking for the wrong fault.
bool userTableReadable(Context &ctx, const QString &group);

// The user a command-line argument names: the user of that number when the text is all
// digits, else the user of that name.
std::optional<dalmain::UserListEntry> userArgument(const QString &text);

// The date key (YYYYMMDD) of a date written YYYY-MM-DD or YYYYMMDD; empty when it is no
// calendar date of a record year (quenkit::isRecordYear).
QByteArray dateKeyArgument(const QString &text);

}  // namespace cli
