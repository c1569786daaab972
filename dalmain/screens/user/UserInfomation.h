#pragma once

#include "dalmain/shell/ScreenWindow.h"

namespace dalmain {

// The user information screen.
class UserInfomation : public ScreenWindow
{
    Q_OBJECT
public:
    explicit UserInfomation(const ScreenContext &context, QWidget *parent = nullptr);
};

}  // namespace dalmain
