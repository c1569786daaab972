#pragma once

#include <QString>

namespace quenkit {
class Owner;
}

// The start-up check of the data folder: it must exist, and this user must be able to create,
// rewrite, rename and delete files in it, as every table rewrite does.
namespace dalmain {

enum class DataFolderState {
    Ready,
    Missing,      // the folder does not exist (or no folder is set)
    NotWritable,  // a file cannot be created, rewritten, renamed or deleted in it
};

// Checks folder without changing anything: the probe files it writes ("userchk", renamed to
// "userchk2") are gone afterwards, and a missing folder is not created.
DataFolderState checkDataFolder(const QString &folder);

// Checks the data folder (the DataDir2 setting, or the folder given for this run) and tells
// the user what is wrong; true when the program can start.
bool verifyDataFolder(quenkit::Owner *owner);

// The name of the signed-in user, for messages.
QString loginName();

}  // namespace dalmain
