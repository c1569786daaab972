#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

// The text field, button and combo box of the dialogs and screens. All three forward every
// key pressed in them to their parent through keyForwarded(key, modifiers), so the parent can
// move the focus between fields with the cursor keys in one place; see Commands.h.
namespace quenkit {

// A text field for text that is stored as Shift-JIS. It refuses characters that Shift-JIS
// cannot hold and, with a byte limit, text longer than the stored field. Gaining the focus
// selects the whole text. Up and Down are left to the parent.
class QUENKIT_CONTROLS_EXPORT StrEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit StrEdit(QWidget *parent = nullptr);

    // Limit in Shift-JIS bytes; 0 (the default) leaves the length free.
    void setByteLimit(int bytes);
    int byteLimit() const { return m_byteLimit; }

    // Whether the field takes the focus with the line edit's own focus handling (a blinking
    // caret); on by default. Either way it selects its text on gaining the focus.
    void setPassFocus(bool on) { m_passFocus = on; }
    bool passFocus() const { return m_passFocus; }

signals:
    void keyForwarded(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    int m_byteLimit = 0;
    bool m_passFocus = true;
};

// A push button whose arrow keys belong to the parent instead of moving the focus.
class QUENKIT_CONTROLS_EXPORT Button2 : public QPushButton
{
    Q_OBJECT
public:
    explicit Button2(QWidget *parent = nullptr);
    explicit Button2(const QString &text, QWidget *parent = nullptr);

signals:
    void keyForwarded(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A combo box whose Up and Down keys belong to the parent: they never change the choice.
// Left and Right step to the previous and next choice instead (unless the box is editable).
class QUENKIT_CONTROLS_EXPORT ComboBox2 : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboBox2(QWidget *parent = nullptr);

signals:
    void keyForwarded(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

}  // namespace quenkit
