#pragma once

#include <QKeyEvent>
#include <QPointer>

namespace quenkit::detail {

// Emits widget's keyForwarded for event. Returns false when a receiver destroyed the widget
// (a grid closing its editor on Enter does), so the caller must not touch it any more.
template <typename Widget>
bool forwardKey(Widget *widget, const QKeyEvent *event)
{
    QPointer<Widget> guard(widget);
    emit widget->keyForwarded(event->key(), event->modifiers());
    return !guard.isNull();
}

}  // namespace quenkit::detail
