#pragma once

#include "dalmain/shell/ScreenWindow.h"

namespace dalmain {

// The exercise record screen.
class Sports : public ScreenWindow
{
    Q_OBJECT
public:
    explicit Sports(const ScreenContext &context, QWidget *parent = nullptr);
};

}  // namespace dalmain
