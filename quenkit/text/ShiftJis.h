#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Shift-JIS as Windows writes it (code page 932). Every text inside a data file is
// stored this way; widths are counted in bytes and cuts never split a character.
namespace quenkit {

// True for a byte that begins a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool isSjisLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Decodes Shift-JIS. A byte or pair without a mapping becomes U+FFFD; a NUL ends the text
// (fixed-width fields are often NUL-padded).
QString fromSjis(QByteArrayView bytes);

// Encodes to Shift-JIS. A character without a code becomes "?" (as Windows does) and,
// when ok is given, sets *ok to false.
QByteArray toSjis(QStringView text, bool *ok = nullptr);

// The longest prefix of text that fits in width bytes without splitting a character.
QByteArray cutSjisToWidth(QByteArrayView text, int width);

// text cut to width bytes at a character boundary and blank-padded to exactly width bytes:
// the form of a fixed-width text field.
QByteArray sjisField(QByteArrayView text, int width);

// The number of bytes text takes in Shift-JIS.
int sjisWidth(QStringView text);

}  // namespace quenkit
