#include "dalmain/screens/sports/Sports.h"

#include "dalmain/shell/Screens.h"

namespace dalmain {

Sports::Sports(const ScreenContext &context, QWidget *parent)
    : ScreenWindow(SportsScreen, context, parent)
{
    showScreenName(screenInfo(SportsScreen).name);
}

}  // namespace dalmain
