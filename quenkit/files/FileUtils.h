#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <functional>

// Copying, free space and folder-name checks.
namespace quenkit {

// Copies the rest of source (from its current position) to destination in one piece.
// 1, or 0 when the read or the write fails.
int FileCopy(int sourceHandle, int destinationHandle);

// Called after each chunk of a long copy with the bytes copied so far and the total; returning
// false stops the copy. This is where a caller keeps its window alive and offers a cancel.
using CopyProgress = std::function<bool(qint64 copied, qint64 total)>;

// Copies source to destination (both relative to the data folder) in chunks of 10,000 bytes.
// 1 copied; 0 failure; -1 stopped by progress (the destination is then left partial, as the
// caller asked to stop and decides what to do with it).
int _mCopyFile(const QString &source, const QString &destination, const CopyProgress &progress = {});

// Free bytes of a drive, split into the low and the high 32 bits. Drive numbers are 0 = A,
// 1 = B, 2 = C ...; on systems without drive letters every drive number means the volume that
// holds the data folder (or the home folder when none is set). 1, or 0 with both words
// 0xFFFFFFFF when the query fails.
int GetDiskFree(int drive, quint32 freeBytes[2]);

// Creates a folder with every missing parent. 2 when it exists already, 1 when created,
// 0 when a folder could not be created.
int MakeDir(const QString &path);

// 1 when every component of a folder path is a valid folder name (8.3 form, no reserved device
// name, none of the refused characters, no component starting with a dot or holding two
// dots), else 0. The path begins with a drive letter, a colon and a backslash; on systems
// without drive letters it is an absolute path and the check starts at its first component.
int CheckDir(const QString &path);

// 1 when one folder-name component (Shift-JIS bytes) is valid, else 0.
int CheckDirSub(QByteArrayView component);

// Deletes the files of a folder below the temporary folder and the folder itself. The
// temporary folder is TEMP, else TMP, else TMPDIR; 0 when none of them is set, else 1.
int DeleteSetupFiles(const QString &folderName);

}  // namespace quenkit
