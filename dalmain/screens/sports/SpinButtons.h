#pragma once

#include <functional>

class QHBoxLayout;
class QString;
class QToolButton;
class QWidget;

namespace dalmain {

// The up and down buttons beside a number field; held down they repeat.
struct SpinButtons {
    QToolButton *up = nullptr;
    QToolButton *down = nullptr;
};

// A row of field, its spin buttons (which call step with +1 or -1) and the unit text after
// them. The buttons are returned in *buttons when asked for.
QHBoxLayout *spinRow(QWidget *field, const QString &unit, std::function<void(int)> step,
                     SpinButtons *buttons = nullptr);

}  // namespace dalmain
