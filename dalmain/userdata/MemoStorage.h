#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// Whole-file reads and replacements of the small per-user files (memos, comments, the note
// pad, the goal files). Names are relative to the data folder.
namespace dalmain {

// The whole file, or at most limit bytes of it when limit is not negative. false when the file
// does not exist or cannot be read.
bool readDataFile(const QString &name, QByteArray &bytes, qint64 limit = -1);

// Writes bytes to the temporary name, then lets it take the file's place in one step: a failure
// at any point leaves the old file as it was. A temporary file left by an interrupted earlier
// rewrite is recovered or removed first. false when anything failed.
bool replaceDataFile(const QString &name, const QString &temporary, QByteArrayView bytes);

// Recovers a temporary file an interrupted rewrite left behind: it takes the file's place when
// the file itself is missing, and is removed otherwise.
void recoverDataFile(const QString &name, const QString &temporary);

}  // namespace dalmain
