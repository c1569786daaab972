#pragma once

#include <QString>

#include <functional>

// Where the data files are, and how a stored file name becomes a path on this system.
namespace quenkit {

// The data folder: the folder given for this run (see setDataFolderOverride), else the
// DataDir2 setting of the installation store. Empty when neither is set. Ends in the native
// separator when not empty.
QString dataFolder();

// Uses folder as the data folder for the rest of this process in place of the DataDir2
// setting (the command-line tool's --data-dir); an empty text removes the override.
void setDataFolderOverride(const QString &folder);

// The full path of a name relative to the data folder. Stored names use "\" between folders
// ("FOOD5\食品.FDB"); it becomes the native separator. A name is joined to the folder without
// a separator of its own, as the folder setting ends in one. When the exact spelling does not
// exist, each component is looked up without regard to ASCII case, so folders copied from a
// case-blind system keep working; a component found in neither spelling stays as given.
QString dataPath(const QString &name);

// The same resolution for a full path.
QString resolvePath(const QString &path);

// Replaces target with source in one step: afterwards target holds either its old or the new
// contents, never neither. The new contents are on disk before the name changes, and the
// change of name is on disk before the call returns (where the system can say so), so a power
// cut cannot leave an empty or partial file under the target's name. On failure source is left
// in place and false is returned.
bool replaceFile(const QString &source, const QString &target, QString *error = nullptr);

// Makes replaceFile fail for targets the hook returns true for, as a full disk or a file held
// open by another program would. Tests use it to prove that a failed rewrite loses nothing;
// an empty hook restores normal operation.
void setReplaceFileFailureHook(std::function<bool(const QString &target)> hook);

// Removes a temporary file left by a rewrite that did not finish. A rewrite never touches its
// target before the new file is complete, so a leftover is never the only copy of anything:
// whether or not the target exists, it is stale. Called under the target's lock before every
// rewrite that uses temporary; readers leave it alone.
void removeLeftover(const QString &temporary);

// The rewrite's temporary name: name with its last three characters replaced by "TMP".
QString temporaryName(const QString &name);

}  // namespace quenkit
