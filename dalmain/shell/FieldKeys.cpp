#include "dalmain/shell/FieldKeys.h"

#include <QKeyEvent>
#include <QWidget>

namespace dalmain {

FieldKeys::FieldKeys(QObject *parent, QList<QWidget *> fields, std::function<void()> onLastEnter)
    : QObject(parent)
    , m_fields(std::move(fields))
    , m_onLastEnter(std::move(onLastEnter))
{
    for (QWidget *field : std::as_const(m_fields))
        field->installEventFilter(this);
}

void FieldKeys::focusFrom(int index, int direction)
{
    for (int i = index + direction; i >= 0 && i < m_fields.size(); i += direction) {
        QWidget *field = m_fields[i];
        if (field->isEnabled() && field->isVisible() && field->focusPolicy() != Qt::NoFocus) {
            field->setFocus(direction > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

bool FieldKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))
        return false;
    const int index = static_cast<int>(m_fields.indexOf(static_cast<QWidget *>(watched)));
    if (index < 0)
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (index == m_fields.size() - 1) {
            if (m_onLastEnter)
                m_onLastEnter();
        } else {
            focusFrom(index, 1);
        }
        return true;
    case Qt::Key_Down: focusFrom(index, 1); return true;
    case Qt::Key_Up: focusFrom(index, -1); return true;
    default: return false;
    }
}

}  // namespace dalmain
