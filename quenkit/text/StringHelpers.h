#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quenkit {

// 1 when the byte at pos is the lead byte of a double-byte character, else 0 (also for a
// negative pos, a trail byte, or a pos past the end). Used before cutting a text at pos.
int CheckKanjiStr(QByteArrayView text, int pos);

// Removes trailing ASCII blanks in place; a trailing full-width blank (0x81 0x40) stays.
void CutStringSpace(QByteArray &text);
// The same on a NUL-terminated buffer, for fixed-width fields read into plain storage.
void CutStringSpace(char *text);

// A copy of text with the trailing blanks removed: the usual way to read a fixed-width field.
QByteArray trimmedField(QByteArrayView text);

}  // namespace quenkit
