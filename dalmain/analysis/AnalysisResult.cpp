#include "dalmain/analysis/AnalysisResult.h"

namespace dalmain {

QString periodName(AnalysisPeriod period)
{
    switch (period) {
    case AnalysisPeriod::Day:
        return QStringLiteral("一日");
    case AnalysisPeriod::Month:
        return QStringLiteral("月間");
    case AnalysisPeriod::Year:
        return QStringLiteral("年間");
    case AnalysisPeriod::Selection:
        return QStringLiteral("選択");
    }
    return QString();
}

QString periodToolTip(AnalysisPeriod period)
{
    if (period == AnalysisPeriod::Day)
        return QStringLiteral("1日分析");
    return periodName(period) + QStringLiteral("分析");
}

int periodKeyLength(AnalysisPeriod period)
{
    switch (period) {
    case AnalysisPeriod::Day:
        return 8;
    case AnalysisPeriod::Month:
        return 6;
    case AnalysisPeriod::Year:
        return 4;
    case AnalysisPeriod::Selection:
        break;
    }
    return 0;
}

}  // namespace dalmain
