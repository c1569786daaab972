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
// at any point leaves the old file as it was. The file is locked meanwhile (a caller that read
// it to compute bytes holds the lock already), and a temporary file left by an interrupted
// earlier rewrite is removed first. false when anything failed, the lock included.
bool replaceDataFile(const QString &name, const QString &temporary, QByteArrayView bytes);

}  // namespace dalmain
