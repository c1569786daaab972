#pragma once

#include "dalmain/userdata/UserStore.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Arguments several command groups share.
namespace cli {

// The user a command-line argument names: the user of that number when the text is all
// digits, else the user of that name.
std::optional<dalmain::UserListEntry> userArgument(const QString &text);

// The date key (YYYYMMDD) of a date written YYYY-MM-DD or YYYYMMDD; empty when it is no
// calendar date.
QByteArray dateKeyArgument(const QString &text);

}  // namespace cli
