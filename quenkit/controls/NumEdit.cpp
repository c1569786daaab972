#include "quenkit/controls/NumEdit.h"

#include "quenkit/controls/KeyForwarding.h"
#include "quenkit/controls/WindowHelpers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QRegularExpressionValidator>

namespace quenkit {

namespace {

// The character filter. text is the field's text and is changed only when c is accepted.
bool filterCharacter(QString &text, bool &replaceNext, QChar c, int integerDigits, int decimalDigits)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
        if (replaceNext) {
            text.clear();
            replaceNext = false;
        }
        if (text == QLatin1String("0")) {
            text.clear();
        } else {
            const qsizetype point = text.indexOf(QLatin1Char('.'));
            if (point < 0 && text.size() >= integerDigits)
                return false;
            if (point >= 0 && text.size() - point - 1 >= decimalDigits)
                return false;
        }
        text.append(c);
        return true;
    }
    if (c == QLatin1Char('.')) {
        // The point that counts is the one of the text the point will end up in: with the
        // replacement armed, ".5" typed over "12.5" must give "0.5", not "5".
        const QString base = replaceNext ? QString() : text;
        if (decimalDigits <= 0 || base.contains(QLatin1Char('.')))
            return false;
        text = base.isEmpty() ? QStringLiteral("0.") : base + QLatin1Char('.');
        replaceNext = false;
        return true;
    }
    return false;
}

// Full-width digits and point, as a Japanese input method commits them.
QChar toHalfWidth(QChar c)
{
    if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
        return QChar(u'0' + (c.unicode() - 0xFF10));
    if (c.unicode() == 0xFF0E)
        return QLatin1Char('.');
    return c;
}

bool isNavigationKey(int key)
{
    return key == Qt::Key_Home || key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up
        || key == Qt::Key_Down;
}

}  // namespace

NumEdit::NumEdit(QWidget *parent)
    : NumEdit(0, 0, parent)
{
}

NumEdit::NumEdit(int integerDigits, int decimalDigits, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("NumEdit"));
    SetImeMode(this, ImeModeNumeric);
    setDigits(integerDigits, decimalDigits);
}

void NumEdit::setDigits(int integerDigits, int decimalDigits)
{
    m_integerDigits = qMax(0, integerDigits);
    m_decimalDigits = qMax(0, decimalDigits);
    updateValidator();
}

void NumEdit::updateValidator()
{
    // Typing never consults the validator (the filter has already decided); it guards the
    // ways in that bypass the filter: the context menu's paste, drops, the selection paste.
    QString pattern = QStringLiteral("\\d{0,%1}").arg(m_integerDigits);
    if (m_decimalDigits > 0)
        pattern += QStringLiteral("(\\.\\d{0,%1})?").arg(m_decimalDigits);
    auto *validator = new QRegularExpressionValidator(QRegularExpression(pattern), this);
    const QValidator *old = this->validator();
    setValidator(validator);
    delete old;
}

bool NumEdit::typeText(QStringView text)
{
    QString value = this->text();
    bool accepted = false;
    for (QChar c : text)
        accepted |= filterCharacter(value, m_replaceNext, c, m_integerDigits, m_decimalDigits);
    if (accepted)
        setText(value);
    return accepted;
}

void NumEdit::typeByUser(QStringView text)
{
    if (typeText(text))
        emit textEdited(this->text());
}

void NumEdit::setFilteredText(const QString &text)
{
    clear();
    typeText(text);
}

void NumEdit::keyPressEvent(QKeyEvent *event)
{
    if (!detail::forwardKey(this, event))
        return;
    const int key = event->key();

    if (isNavigationKey(key)) {
        event->accept();
        return;
    }
    if (key == Qt::Key_Delete) {
        if (!text().isEmpty()) {
            clear();
            emit textEdited(text());
        }
        event->accept();
        return;
    }
    if (key == Qt::Key_Backspace) {
        QLineEdit::keyPressEvent(event);
        m_replaceNext = false;
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        typeByUser(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint()) {
        typeByUser(typed);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumEdit::inputMethodEvent(QInputMethodEvent *event)
{
    // The composition is not shown; what the input method commits is typed like keys.
    QString committed = event->commitString();
    for (QChar &c : committed)
        c = toHalfWidth(c);
    if (!committed.isEmpty())
        typeByUser(committed);
    event->accept();
}

void NumEdit::focusInEvent(QFocusEvent *event)
{
    if (!m_replaceOnFocus)
        return;
    m_replaceNext = true;
    QLineEdit::focusInEvent(event);
    // The whole value is shown selected because the first key will replace it.
    selectAll();
}

void NumEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void NumEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void NumEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void NumEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

}  // namespace quenkit
