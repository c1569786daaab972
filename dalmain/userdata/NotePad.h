#pragma once

#include <QString>

// The user's note pad "MPC%d.DAT": one text of at most 1000 Shift-JIS bytes, stored in exactly
// 1001 bytes followed by zeros.
namespace dalmain {

constexpr int kNotePadFileSize = 1001;
constexpr int kNotePadMaxBytes = 1000;

QString notePadFileName(int user);

// The note's text; empty when there is no note.
QString LoadNotePad(int user);

// Stores text, cut to 1000 bytes without splitting a character, replacing the file in one
// step. 1 when stored, 0 when the file could not be written (the old note then stays).
int SaveNotePad(int user, const QString &text);

}  // namespace dalmain
