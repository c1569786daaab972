#include "dalmain/shell/ClipboardBlock.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace dalmain {

QString clipboardFormatMimeType(const QString &formatName)
{
#ifdef Q_OS_WIN
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(formatName);
#else
    return formatName;
#endif
}

void putClipboardBlock(const QString &formatName, const QString &text, const QByteArray &block)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(clipboardFormatMimeType(formatName), block);
    clipboard->setMimeData(data);
}

std::optional<QByteArray> clipboardBlock(const QString &formatName)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    const QString type = clipboardFormatMimeType(formatName);
    if (!data || !data->hasFormat(type))
        return std::nullopt;
    return data->data(type);
}

}  // namespace dalmain
