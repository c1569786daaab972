#include "quenkit/controls/Drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

namespace quenkit {

void textOut(QPainter &painter, int x, int y, QStringView text)
{
    const QFontMetrics metrics(painter.font(), painter.device());
    painter.drawText(QPoint(x, y + metrics.ascent()), text.toString());
}

void Line(QPainter &painter, int x1, int y1, int x2, int y2)
{
    painter.drawLine(x1, y1, x2, y2);
}

void OrnamentTextOut(QPainter &painter, int x, int y, QStringView text, const QColor &outline,
                     const QColor &shadow)
{
    const QPen savedPen = painter.pen();
    const Qt::BGMode savedMode = painter.backgroundMode();
    painter.setBackgroundMode(Qt::TransparentMode);

    const int tx = outline.isValid() ? x + 1 : x;
    const int ty = outline.isValid() ? y + 1 : y;
    if (shadow.isValid()) {
        painter.setPen(shadow);
        textOut(painter, tx + 1, ty + 1, text);
        textOut(painter, tx + 2, ty + 1, text);
    }
    if (outline.isValid()) {
        painter.setPen(outline);
        textOut(painter, x, y + 1, text);
        textOut(painter, x + 1, y, text);
        textOut(painter, x + 2, y + 1, text);
        textOut(painter, x + 1, y + 2, text);
    }
    painter.setPen(savedPen);
    textOut(painter, tx, ty, text);
    painter.setBackgroundMode(savedMode);
}

void BoaldTextOut(QPainter &painter, int x, int y, QStringView text)
{
    const Qt::BGMode savedMode = painter.backgroundMode();
    painter.setBackgroundMode(Qt::OpaqueMode);
    textOut(painter, x, y, text);
    painter.setBackgroundMode(Qt::TransparentMode);
    textOut(painter, x + 1, y, text);
    painter.setBackgroundMode(savedMode);
}

}  // namespace quenkit
