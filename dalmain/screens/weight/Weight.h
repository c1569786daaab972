#pragma once

#include "dalmain/shell/ScreenWindow.h"

namespace dalmain {

// The weight record screen.
class Weight : public ScreenWindow
{
    Q_OBJECT
public:
    explicit Weight(const ScreenContext &context, QWidget *parent = nullptr);
};

}  // namespace dalmain
