#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QAbstractButton>

// Buttons drawn from bitmaps. The button's text is not shown: it names the bitmap (see
// Bitmaps.h). A click, that is a left press released inside the button, reports the
// button's id through command(id).
namespace quenkit {

// What the two bitmap buttons share: the id, the command, and the state machine of pressing
// and hovering.
class QUENKIT_CONTROLS_EXPORT BitmapButtonBase : public QAbstractButton
{
    Q_OBJECT
public:
    enum State { Normal = 0, Pressed = 1, Hovered = 2 };

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }

    // Normal, Pressed while pressed with the mouse inside, Hovered while the mouse is inside
    // without a press.
    State state() const;

    QSize sizeHint() const override;

signals:
    void command(int id);

protected:
    BitmapButtonBase(const QString &caption, int id, QWidget *parent);

    // The bitmap to show in state.
    virtual QString bitmapName(State state) const = 0;
    // Where the bitmap goes: the whole button, or shifted for a press.
    virtual QPoint bitmapOffset(State state) const;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void setHovered(bool hovered);

    int m_id = 0;
    bool m_hovered = false;
    bool m_pressing = false;
};

// A push button showing one bitmap, drawn one pixel lower right while pressed.
class QUENKIT_CONTROLS_EXPORT BmpButton : public BitmapButtonBase
{
    Q_OBJECT
public:
    explicit BmpButton(const QString &caption = QString(), int id = 0, QWidget *parent = nullptr);

protected:
    QString bitmapName(State state) const override;
    QPoint bitmapOffset(State state) const override;
};

// A three-state button: the bitmaps caption + "_DEF", "_PUSH" and "_OVER".
class QUENKIT_CONTROLS_EXPORT BmpButton2 : public BitmapButtonBase
{
    Q_OBJECT
public:
    explicit BmpButton2(const QString &caption = QString(), int id = 0, QWidget *parent = nullptr);

protected:
    QString bitmapName(State state) const override;
};

}  // namespace quenkit
