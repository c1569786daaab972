#include "dalmain/screens/weight/Weight.h"

#include "dalmain/shell/Screens.h"

namespace dalmain {

Weight::Weight(const ScreenContext &context, QWidget *parent)
    : ScreenWindow(WeightScreen, context, parent)
{
    showScreenName(screenInfo(WeightScreen).name);
}

}  // namespace dalmain
