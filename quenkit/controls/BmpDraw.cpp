#include "quenkit/controls/BmpDraw.h"

#include "quenkit/controls/Bitmaps.h"
#include "quenkit/controls/Fonts.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/registry/SettingsStore.h"

#include <QDir>
#include <QPainter>
#include <qdrawutil.h>

namespace quenkit {

namespace {

void drawPicture(QWidget *widget, const QString &path)
{
    const QPixmap pixmap = imageFilePixmap(path, widget->size(), widget->devicePixelRatioF());
    if (pixmap.isNull())
        return;
    QPainter painter(widget);
    painter.drawPixmap(0, 0, pixmap);
}

QString systemFolderPath(const QString &fileName)
{
    if (fileName.isEmpty())
        return {};
    QString name = fileName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char(':')) || QDir::isAbsolutePath(name))
        return name;
    QString folder;
    GetUserRegistryString(QStringLiteral("SystemDir"), nullptr, folder);
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return resolvePath(folder + name);
}

}  // namespace

BmpDraw::BmpDraw(const QString &name, QWidget *parent)
    : QWidget(parent)
    , m_name(name)
{
    setObjectName(QStringLiteral("BmpDraw"));
}

void BmpDraw::setBitmap(const QString &name)
{
    m_name = name;
    updateGeometry();
    update();
}

QSize BmpDraw::sizeHint() const
{
    return bitmapSize(m_name);
}

void BmpDraw::paintEvent(QPaintEvent *)
{
    drawPicture(this, bitmapFile(m_name));
}

BmpDraw2::BmpDraw2(const QString &fileName, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("BmpDraw2"));
    setFileName(fileName);
}

void BmpDraw2::setFileName(const QString &fileName)
{
    m_fileName = fileName;
    m_path = systemFolderPath(fileName);
    updateGeometry();
    update();
}

QSize BmpDraw2::sizeHint() const
{
    return imageFileSize(m_path);
}

void BmpDraw2::paintEvent(QPaintEvent *)
{
    drawPicture(this, m_path);
}

Header::Header(const QString &captions, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Header"));
    setFont(createFont(QStringLiteral("ＭＳ Ｐゴシック"), 0, 12));
    setCaptions(captions);
}

void Header::setCaptions(const QString &captions)
{
    m_captions = captions.split(QLatin1Char('@'));
    update();
}

void Header::setColumnWidths(const QList<int> &widths)
{
    m_widths = widths;
    update();
}

QList<QPair<int, int>> Header::columnEdges() const
{
    const int count = int(m_captions.size());
    int fixed = 0;
    int free = 0;
    for (int i = 0; i < count; ++i) {
        if (i < m_widths.size() && m_widths[i] > 0)
            fixed += m_widths[i];
        else
            ++free;
    }
    const int share = free > 0 ? qMax(0, width() - fixed) / free : 0;
    QList<QPair<int, int>> edges;
    int x = 0;
    for (int i = 0; i < count; ++i) {
        const int w = (i < m_widths.size() && m_widths[i] > 0) ? m_widths[i] : share;
        edges.append({x, x + w});
        x += w;
    }
    return edges;
}

QSize Header::sizeHint() const
{
    const int textHeight = fontMetrics().height();
    int width = 0;
    for (const QString &caption : m_captions)
        width += fontMetrics().horizontalAdvance(caption) + 16;
    return QSize(width, textHeight + 6);
}

QSize Header::minimumSizeHint() const
{
    return QSize(0, sizeHint().height());
}

void Header::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QBrush face = palette().button();
    painter.setPen(palette().buttonText().color());
    const QList<QPair<int, int>> edges = columnEdges();
    for (int i = 0; i < edges.size(); ++i) {
        const QRect cell(edges[i].first, 0, edges[i].second - edges[i].first, height());
        if (cell.width() <= 0)
            continue;
        qDrawWinButton(&painter, cell, palette(), false, &face);
        painter.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignCenter, m_captions[i]);
    }
}

}  // namespace quenkit
