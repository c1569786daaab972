#include "dalmain/screens/analyze/AnalyzeSyousai.h"

#include "dalmain/shell/Screens.h"

namespace dalmain {

AnalyzeSyousai::AnalyzeSyousai(const ScreenContext &context, QWidget *parent)
    : ScreenWindow(AnalyzeScreen, context, parent)
{
    showScreenName(screenInfo(AnalyzeScreen).name);
}

}  // namespace dalmain
