#pragma once

#include "dalmain/shell/ScreenWindow.h"

namespace dalmain {

// The menu record screen.
class Menu : public ScreenWindow
{
    Q_OBJECT
public:
    explicit Menu(const ScreenContext &context, QWidget *parent = nullptr);
};

}  // namespace dalmain
