#include "dalmain/screens/menu/Menu.h"

#include "dalmain/shell/Screens.h"

namespace dalmain {

Menu::Menu(const ScreenContext &context, QWidget *parent)
    : ScreenWindow(MenuScreen, context, parent)
{
    showScreenName(screenInfo(MenuScreen).name);
}

}  // namespace dalmain
