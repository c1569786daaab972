#include "quenkit/controls/WindowHelpers.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace quenkit {

namespace {

constexpr Qt::InputMethodHints kModeHints =
    Qt::ImhPreferLatin | Qt::ImhPreferNumbers | Qt::ImhLatinOnly | Qt::ImhFormattedNumbersOnly;

QRect globalRect(QWidget *widget)
{
    if (widget->isWindow())
        return widget->frameGeometry();
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

void refreshInputMethod(QWidget *widget)
{
    if (widget->hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}

}  // namespace

QPoint dialogPosition(const QRect &owner, const QSize &dialog)
{
    int x = owner.x() + (owner.width() - dialog.width()) / 2;
    int y = owner.y() + (owner.height() - dialog.height()) / 2;
    const int ownerRight = owner.x() + owner.width();
    const int ownerBottom = owner.y() + owner.height();
    if (x + dialog.width() > ownerRight)
        x = ownerRight - dialog.width();
    if (y + dialog.height() > ownerBottom)
        y = ownerBottom - dialog.height();
    return QPoint(qMax(x, 0), qMax(y, 0));
}

QPoint SetDialogPos(QWidget *owner, QWidget *dialog)
{
    if (!dialog)
        return {};
    QRect area;
    if (owner) {
        area = globalRect(owner);
    } else {
        QScreen *screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
        area = screen ? screen->geometry() : QRect();
    }
    const QPoint position = dialogPosition(area, dialog->frameGeometry().size());
    dialog->move(position);
    return position;
}

QWidget *GetTopParent(QWidget *widget)
{
    if (!widget)
        return nullptr;
    QWidget *top = widget;
    while (QWidget *parent = top->parentWidget())
        top = parent;
    return top;
}

int OpenIme(QWidget *widget)
{
    if (!widget)
        return 0;
    widget->setAttribute(Qt::WA_InputMethodEnabled, true);
    refreshInputMethod(widget);
    return 1;
}

int CloseIme(QWidget *widget)
{
    if (!widget)
        return 0;
    widget->setAttribute(Qt::WA_InputMethodEnabled, false);
    refreshInputMethod(widget);
    return 1;
}

int GetImeOpen(QWidget *widget)
{
    if (!widget)
        return -1;
    return widget->testAttribute(Qt::WA_InputMethodEnabled) ? 1 : 0;
}

int GetImeMode(QWidget *widget)
{
    if (!widget)
        return -1;
    const Qt::InputMethodHints hints = widget->inputMethodHints();
    if (hints & Qt::ImhPreferNumbers)
        return ImeModeNumeric;
    if (hints & Qt::ImhPreferLatin)
        return ImeModeAlphanumeric;
    return ImeModeNative;
}

int SetImeMode(QWidget *widget, int mode)
{
    if (!widget)
        return 0;
    Qt::InputMethodHints hints = widget->inputMethodHints() & ~kModeHints;
    switch (mode) {
    case ImeModeNative:
        break;
    case ImeModeAlphanumeric:
        hints |= Qt::ImhPreferLatin;
        break;
    case ImeModeNumeric:
        hints |= Qt::ImhPreferNumbers | Qt::ImhFormattedNumbersOnly;
        break;
    default:
        return 0;
    }
    widget->setInputMethodHints(hints);
    refreshInputMethod(widget);
    return 1;
}

}  // namespace quenkit
