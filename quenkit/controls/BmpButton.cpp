#include "quenkit/controls/BmpButton.h"

#include "quenkit/controls/Bitmaps.h"

#include <QMouseEvent>
#include <QPainter>

namespace quenkit {

BitmapButtonBase::BitmapButtonBase(const QString &caption, int id, QWidget *parent)
    : QAbstractButton(parent)
    , m_id(id)
{
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    connect(this, &QAbstractButton::clicked, this, [this] { emit command(m_id); });
}

BitmapButtonBase::State BitmapButtonBase::state() const
{
    if (isDown())
        return Pressed;
    if (m_hovered && !m_pressing)
        return Hovered;
    return Normal;
}

QSize BitmapButtonBase::sizeHint() const
{
    const QSize size = bitmapSize(bitmapName(Normal));
    return size.isEmpty() ? QSize(24, 24) : size;
}

QPoint BitmapButtonBase::bitmapOffset(State) const
{
    return {};
}

void BitmapButtonBase::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const State current = state();
    const QPixmap pixmap = bitmapPixmap(bitmapName(current), size(), devicePixelRatioF());
    if (pixmap.isNull())
        return;
    if (!isEnabled())
        painter.setOpacity(0.4);
    painter.drawPixmap(bitmapOffset(current), pixmap);
}

void BitmapButtonBase::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressing = true;
    QAbstractButton::mousePressEvent(event);
    update();
}

void BitmapButtonBase::mouseMoveEvent(QMouseEvent *event)
{
    setHovered(rect().contains(event->position().toPoint()));
    QAbstractButton::mouseMoveEvent(event);
}

void BitmapButtonBase::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressing = false;
    setHovered(rect().contains(event->position().toPoint()));
    QAbstractButton::mouseReleaseEvent(event);
    update();
}

void BitmapButtonBase::enterEvent(QEnterEvent *event)
{
    setHovered(true);
    QAbstractButton::enterEvent(event);
}

void BitmapButtonBase::leaveEvent(QEvent *event)
{
    setHovered(false);
    QAbstractButton::leaveEvent(event);
}

void BitmapButtonBase::setHovered(bool hovered)
{
    if (m_hovered == hovered)
        return;
    m_hovered = hovered;
    update();
}

BmpButton::BmpButton(const QString &caption, int id, QWidget *parent)
    : BitmapButtonBase(caption, id, parent)
{
    setObjectName(QStringLiteral("BmpButton"));
}

QString BmpButton::bitmapName(State) const
{
    return text();
}

QPoint BmpButton::bitmapOffset(State state) const
{
    return state == Pressed ? QPoint(1, 1) : QPoint();
}

BmpButton2::BmpButton2(const QString &caption, int id, QWidget *parent)
    : BitmapButtonBase(caption, id, parent)
{
    setObjectName(QStringLiteral("BmpButton2"));
}

QString BmpButton2::bitmapName(State state) const
{
    static const char *const suffixes[] = {"_DEF", "_PUSH", "_OVER"};
    return text() + QLatin1String(suffixes[state]);
}

}  // namespace quenkit
