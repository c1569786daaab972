#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The screens' private blocks on the system clipboard: a text every program can paste, with
// the screen's own bytes beside it under a format of the screen's name, which only the screen
// reads back.
namespace dalmain {

// The MIME type under which Qt puts a format of this name: on Windows the registered clipboard
// format of that name, elsewhere a type of the same name.
QString clipboardFormatMimeType(const QString &formatName);

// Replaces the clipboard's content with text and, under formatName, block. Nothing happens when
// there is no clipboard.
void putClipboardBlock(const QString &formatName, const QString &text, const QByteArray &block);
// The block under formatName, if the clipboard has one.
std::optional<QByteArray> clipboardBlock(const QString &formatName);

}  // namespace dalmain
