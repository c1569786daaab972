#include "dalmain/screens/user/UserInfomation.h"

#include "dalmain/shell/Screens.h"

namespace dalmain {

UserInfomation::UserInfomation(const ScreenContext &context, QWidget *parent)
    : ScreenWindow(UserScreen, context, parent)
{
    showScreenName(screenInfo(UserScreen).name);
}

}  // namespace dalmain
