#pragma once

#include "dalmain/userdata/MenuClipboardBlock.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The menu screen's blocks on the system clipboard: the text for every program, and the block
// under the registered format "DM_MENUDATA" (rows) or "DM_ALLMENUDATA" (a whole day).
namespace dalmain {

// "DM_MENUDATA" or "DM_ALLMENUDATA".
QString menuClipFormatName(MenuClipKind kind);
// The MIME type under which Qt puts the format: on Windows the registered clipboard format of
// that name, elsewhere a type of the same name.
QString menuClipMimeType(MenuClipKind kind);

// Replaces the clipboard's content with text and block.
void putMenuBlock(MenuClipKind kind, const QString &text, const QByteArray &block);
// The block of kind on the clipboard, if there is one.
std::optional<QByteArray> menuBlockOnClipboard(MenuClipKind kind);

}  // namespace dalmain
