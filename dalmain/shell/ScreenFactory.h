#pragma once

#include "dalmain/shell/ScreenWindow.h"

#include <functional>

namespace dalmain {

// Creates the window of screen index as a child of parent.
using ScreenFactory = std::function<ScreenWindow *(int index, const ScreenContext &context, QWidget *parent)>;

// The program's own screens.
ScreenWindow *createProgramScreen(int index, const ScreenContext &context, QWidget *parent);

}  // namespace dalmain
