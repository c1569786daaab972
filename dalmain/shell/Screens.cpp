#include "dalmain/shell/Screens.h"

#include "dalmain/shell/CommandIds.h"

#include <QStringList>

namespace dalmain {

const std::array<ScreenInfo, kScreenCount> &screens()
{
    // The analysis screen's window class is that of the view it opens with; the detail view
    // is the first of them.
    static const std::array<ScreenInfo, kScreenCount> table = {{
        {UserScreen, QStringLiteral("ユーザー情報"), QStringLiteral("ユーザー"), QStringLiteral("UserInfomation"), 2, 2,
         QStringLiteral("guide/user/outline")},
        {MenuScreen, QStringLiteral("献立の記録"), QStringLiteral("献  立  "), QStringLiteral("Menu"), 3, 3,
         QStringLiteral("guide/menu/outline")},
        {SportsScreen, QStringLiteral("運動の記録"), QStringLiteral("運  動  "), QStringLiteral("Sports"), 5, 4,
         QStringLiteral("guide/sports/outline")},
        {WeightScreen, QStringLiteral("体重の記録"), QStringLiteral("体  重  "), QStringLiteral("Weight"), 4, 5,
         QStringLiteral("guide/weight/outline")},
        {AnalyzeScreen, QStringLiteral("分析"), QStringLiteral("分  析  "), QStringLiteral("AnalyzeSyousai"), 6, 6,
         QStringLiteral("guide/analyze/outline")},
    }};
    return table;
}

int validScreenIndex(int index)
{
    return (index >= 0 && index < kScreenCount) ? index : int(UserScreen);
}

const ScreenInfo &screenInfo(int index)
{
    return screens()[validScreenIndex(index)];
}

QString tabStripText()
{
    QStringList captions;
    for (const ScreenInfo &s : screens())
        captions.append(s.tabText);
    return captions.join(QLatin1Char('@'));
}

int screenForCommand(int id)
{
    const int n = id - cmd::ScreenUser;
    return (n >= 0 && n < kScreenCount) ? n : -1;
}

}  // namespace dalmain
