#include "dalmain/shell/ScreenFactory.h"

#include "dalmain/screens/analyze/Analyze.h"
#include "dalmain/screens/menu/Menu.h"
#include "dalmain/screens/sports/Sports.h"
#include "dalmain/screens/user/UserInfomation.h"
#include "dalmain/screens/weight/Weight.h"
#include "dalmain/shell/Screens.h"

namespace dalmain {

ScreenWindow *createProgramScreen(int index, const ScreenContext &context, QWidget *parent)
{
    switch (validScreenIndex(index)) {
    case MenuScreen: return new Menu(context, parent);
    case SportsScreen: return new Sports(context, parent);
    case WeightScreen: return new Weight(context, parent);
    case AnalyzeScreen: return new Analyze(context, parent);
    default: return new UserInfomation(context, parent);
    }
}

}  // namespace dalmain
