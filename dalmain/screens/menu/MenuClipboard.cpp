#include "dalmain/screens/menu/MenuClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace dalmain {

QString menuClipFormatName(MenuClipKind kind)
{
    return kind == MenuClipKind::Rows ? QStringLiteral("DM_MENUDATA") : QStringLiteral("DM_ALLMENUDATA");
}

QString menuClipMimeType(MenuClipKind kind)
{
#ifdef Q_OS_WIN
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(menuClipFormatName(kind));
#else
    return menuClipFormatName(kind);
#endif
}

void putMenuBlock(MenuClipKind kind, const QString &text, const QByteArray &block)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(menuClipMimeType(kind), block);
    clipboard->setMimeData(data);
}

std::optional<QByteArray> menuBlockOnClipboard(MenuClipKind kind)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    const QString type = menuClipMimeType(kind);
    if (!data || !data->hasFormat(type))
        return std::nullopt;
    return data->data(type);
}

}  // namespace dalmain
