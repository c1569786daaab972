#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QLineEdit>

namespace quenkit {

// A field for a non-negative decimal number with fixed limits on integer and decimal digits.
//
// Typing is strict: a digit is refused once the integer part or the decimal part is full, a
// point only when decimals are allowed and none is there yet; a lone "0" is replaced by the
// next digit; a point typed into an empty field reads "0.". Everything else is refused.
// Pasted text goes through the same filter character by character.
//
// When the field gains the focus with replaceOnFocus() set, the first digit or point typed
// replaces the whole value. The caret stays at the end: Home, Left, Right, Up and Down are
// not used by the field but forwarded (keyForwarded) so a dialog or a grid can move between
// fields with them; Delete empties the field. Every other key is forwarded too and then
// handled. A left click only gives the field the focus.
class QUENKIT_CONTROLS_EXPORT NumEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumEdit(QWidget *parent = nullptr);
    NumEdit(int integerDigits, int decimalDigits, QWidget *parent = nullptr);

    // The digit limits; 0 decimal digits refuses the point. Both start at 0.
    void setDigits(int integerDigits, int decimalDigits);
    int integerDigits() const { return m_integerDigits; }
    int decimalDigits() const { return m_decimalDigits; }

    // Empties the field and types text into it through the filter, so a value that breaks
    // the limits is cut where it breaks them (1234.56 with limits 3/1 gives "123.5").
    void setFilteredText(const QString &text);

    // Whether gaining the focus arms replacement of the value; on by default. With it off the
    // field takes the focus without the line edit's own focus handling, so no caret blinks
    // in it; typing still appends.
    void setReplaceOnFocus(bool on) { m_replaceOnFocus = on; }
    bool replaceOnFocus() const { return m_replaceOnFocus; }
    // True while the next digit or point typed will replace the value.
    bool replacePending() const { return m_replaceNext; }

signals:
    void keyForwarded(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Runs text through the filter; true when any character was accepted.
    bool typeText(QStringView text);
    void typeByUser(QStringView text);
    void updateValidator();

    int m_integerDigits = 0;
    int m_decimalDigits = 0;
    bool m_replaceNext = false;
    bool m_replaceOnFocus = true;
};

}  // namespace quenkit
