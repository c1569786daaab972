#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// Keyed memo files: texts of any length, each under an 8-character key, in one file per user
// and kind. The file is a 32-bit record count followed by the records back to back; a record
// is "*", the key, its own length (11 + text length, 16 bits) and the Shift-JIS text without a
// terminator. A key occurs at most once; records stand in the order they were last written.
//
// Every change rewrites the file through its ".BAK" name, which then takes the file's place in
// one step. A file whose count or record lengths do not agree with its size is read only as
// far as its records are whole and well formed; the rest is ignored, never read past the end.
namespace dalmain {

enum class MemoKind {
    Menu,      // "MM%d.DAT": keyed by the menu day, YYYYMMDD
    Analysis,  // "AM%d.DAT": keyed by the analysis period (YYYYMMDD, YYYYMM99, YYYY9999, 99999999)
    Weight,    // "WM%d.DAT": keyed by the measurement day
};

constexpr int kMemoKeyLength = 8;
constexpr int kMemoHeadSize = 11;
// The text a 16-bit record length leaves room for.
constexpr int kMemoMaxText = 0xFFFF - kMemoHeadSize;

// The memo file of a kind and user, relative to the data folder.
QString memoFileName(MemoKind kind, int user);

// The name a memo file's rewrite goes through: its last three characters become "BAK".
QString memoRewriteName(const QString &file);

// The byte position of the key's record, or -1 when the file does not exist or holds no such
// key (or the key is not 8 bytes).
qint64 FindMemo(const QString &file, QByteArrayView key);

// 1 and the key's text, or 0 and an empty text.
int ReadMemo(const QString &file, QByteArrayView key, QByteArray &text);

// Replaces the key's memo with text, which becomes the last record; an empty text only removes
// the key's memo (a missing file then stays missing). 1 when done; 0 when the key is not 8
// bytes, the text is longer than kMemoMaxText bytes, or the file could not be rewritten (it is
// then unchanged).
int WriteMemo(const QString &file, QByteArrayView key, QByteArrayView text);

// Removes the record that begins at position. 1 when removed; 0 when no record begins there or
// the file could not be rewritten (it is then unchanged).
int DeleteMemoAt(const QString &file, qint64 position);

}  // namespace dalmain
