#include "quenkit/controls/InputControls.h"

#include "quenkit/controls/KeyForwarding.h"
#include "quenkit/text/ShiftJis.h"

#include <QKeyEvent>

#include <QValidator>

namespace quenkit {

namespace {

// Text that Shift-JIS can hold within a byte limit (0: any length).
class SjisValidator : public QValidator
{
public:
    SjisValidator(int byteLimit, QObject *parent)
        : QValidator(parent)
        , m_byteLimit(byteLimit)
    {
    }

    State validate(QString &input, int &) const override
    {
        bool ok = true;
        const QByteArray bytes = toSjis(input, &ok);
        if (!ok || (m_byteLimit > 0 && bytes.size() > m_byteLimit))
            return Invalid;
        return Acceptable;
    }

private:
    int m_byteLimit;
};

bool isVerticalKey(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down;
}

}  // namespace

using detail::forwardKey;

StrEdit::StrEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("StrEdit"));
    setValidator(new SjisValidator(0, this));
}

void StrEdit::setByteLimit(int bytes)
{
    m_byteLimit = qMax(0, bytes);
    const QValidator *old = validator();
    setValidator(new SjisValidator(m_byteLimit, this));
    delete old;
}

void StrEdit::keyPressEvent(QKeyEvent *event)
{
    if (!forwardKey(this, event))
        return;
    if (isVerticalKey(event->key())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void StrEdit::focusInEvent(QFocusEvent *event)
{
    if (m_passFocus)
        QLineEdit::focusInEvent(event);
    selectAll();
}

Button2::Button2(QWidget *parent)
    : Button2(QString(), parent)
{
}

Button2::Button2(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setObjectName(QStringLiteral("Button2"));
}

void Button2::keyPressEvent(QKeyEvent *event)
{
    if (!forwardKey(this, event))
        return;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        event->accept();
        return;
    default:
        QPushButton::keyPressEvent(event);
    }
}

ComboBox2::ComboBox2(QWidget *parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("ComboBox2"));
}

void ComboBox2::keyPressEvent(QKeyEvent *event)
{
    if (!forwardKey(this, event))
        return;
    if (isVerticalKey(event->key())) {
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) && !isEditable()) {
        // With Up and Down taken by the parent, Left and Right step through the choices (in
        // an editable box they move the caret).
        update();
        QKeyEvent step(event->type(), event->key() == Qt::Key_Left ? Qt::Key_Up : Qt::Key_Down,
                       event->modifiers() & ~(Qt::AltModifier | Qt::ControlModifier), event->text(),
                       event->isAutoRepeat(), ushort(event->count()));
        QComboBox::keyPressEvent(&step);
        event->setAccepted(step.isAccepted());
        return;
    }
    QComboBox::keyPressEvent(event);
}

}  // namespace quenkit
