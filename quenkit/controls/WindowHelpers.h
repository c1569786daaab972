#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Placement of dialogs, the top-level ancestor, and the per-field input-method switches.
namespace quenkit {

// Where SetDialogPos puts a dialog of size dialog over an owner occupying owner (global
// coordinates): centred, pulled back left and up when it would pass the owner's right or
// bottom edge, and never at a negative coordinate.
QUENKIT_CONTROLS_EXPORT QPoint dialogPosition(const QRect &owner, const QSize &dialog);

// Moves dialog (a top-level widget) to dialogPosition over owner, or over the screen it is on
// when owner is null. The size is left alone. Returns the new position.
QUENKIT_CONTROLS_EXPORT QPoint SetDialogPos(QWidget *owner, QWidget *dialog);

// The outermost ancestor of widget (a pop-up window's parent is the widget that owns it);
// widget itself when it has no parent. Null for null.
QUENKIT_CONTROLS_EXPORT QWidget *GetTopParent(QWidget *widget);

// Input method of one field. The program switches the input method on for fields that take
// Japanese text and off for codes and numbers, when the system setting asks for it.
// OpenIme / CloseIme: 1 on success, 0 for a null widget.
QUENKIT_CONTROLS_EXPORT int OpenIme(QWidget *widget);
QUENKIT_CONTROLS_EXPORT int CloseIme(QWidget *widget);
// 1 open, 0 closed, -1 for a null widget.
QUENKIT_CONTROLS_EXPORT int GetImeOpen(QWidget *widget);

// What the input method should offer when it is open, given to it as hints.
enum ImeMode : int {
    ImeModeNative = 0,        // kana-kanji conversion
    ImeModeAlphanumeric = 1,  // Latin letters first
    ImeModeNumeric = 2,       // digits first
};
// The mode last set on widget (ImeModeNative when none), -1 for a null widget.
QUENKIT_CONTROLS_EXPORT int GetImeMode(QWidget *widget);
// 1 on success, 0 for a null widget or an unknown mode.
QUENKIT_CONTROLS_EXPORT int SetImeMode(QWidget *widget, int mode);

}  // namespace quenkit
