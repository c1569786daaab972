#include "dalmain/screens/menu/MenuClipboard.h"

#include "dalmain/shell/ClipboardBlock.h"

namespace dalmain {

QString menuClipFormatName(MenuClipKind kind)
{
    return kind == MenuClipKind::Rows ? QStringLiteral("DM_MENUDATA") : QStringLiteral("DM_ALLMENUDATA");
}

QString menuClipMimeType(MenuClipKind kind)
{
    return clipboardFormatMimeType(menuClipFormatName(kind));
}

void putMenuBlock(MenuClipKind kind, const QString &text, const QByteArray &block)
{
    putClipboardBlock(menuClipFormatName(kind), text, block);
}

std::optional<QByteArray> menuBlockOnClipboard(MenuClipKind kind)
{
    return clipboardBlock(menuClipFormatName(kind));
}

}  // namespace dalmain
