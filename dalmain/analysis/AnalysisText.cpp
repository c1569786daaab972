#include "dalmain/analysis/AnalysisText.h"

#include "dalmain/master/FixedText.h"
#include "dalmain/master/NutrientDisplay.h"

#include "quenkit/text/ShiftJis.h"

namespace dalmain {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

}  // namespace

QString analysisSeparatorLine()
{
    return QString(60, QLatin1Char('*')) + kLineEnd;
}

QString analysisTitleLine(AnalysisPeriod period)
{
    return QStringLiteral("分析結果 [%1分析]").arg(periodName(period)) + kLineEnd;
}

QString analysisDateLine(AnalysisPeriod period, const QByteArray &periodKey)
{
    const QString key = QString::fromLatin1(periodKey);
    switch (period) {
    case AnalysisPeriod::Day:
        return QStringLiteral("分析日付 [%1/%2/%3]").arg(key.left(4), key.mid(4, 2), key.mid(6, 2)) + kLineEnd;
    case AnalysisPeriod::Month:
        return QStringLiteral("分析日付 [%1/%2]").arg(key.left(4), key.mid(4, 2)) + kLineEnd;
    case AnalysisPeriod::Year:
        return QStringLiteral("分析日付 [%1]").arg(key.left(4)) + kLineEnd;
    case AnalysisPeriod::Selection:
        break;
    }
    return QString();
}

QString textJudgement(double rate)
{
    if (rate < 80.0)
        return QStringLiteral("＊");
    if (rate < 100.0)
        return QStringLiteral("△");
    if (rate == 100.0)
        return QStringLiteral("●");
    if (rate < 120.0)
        return QStringLiteral("▲");
    return QStringLiteral("！");
}

QStringList nutrientTableFields(const AnalysisResult &result, const IntakeStandard &standard, int nutrient)
{
    const IntakeBound &r = standard[nutrient];
    const double intake = result.dayTotal[static_cast<size_t>(nutrient)];
    QStringList fields = {nutrientDisplayName(nutrient), nutrientDisplayUnit(nutrient), QString(), QString(),
                          formatPlain(nutrient, intake), QString(), QString(), QString()};
    if (!r.isSet())
        return fields;
    const double rate = result.sufficiencyRate[static_cast<size_t>(nutrient)];
    const double difference = rate < 100.0 ? intake - r.lower : rate > 100.0 ? intake - r.upper : 0.0;
    fields[2] = formatPlain(nutrient, r.lower);
    fields[3] = formatPlain(nutrient, r.upper);
    // Inside the range the column shows a plain zero, never "-0.0".
    fields[5] = rate == 100.0 ? formatPlain(nutrient, 0.0) : formatPlain(nutrient, difference);
    fields[6] = textJudgement(rate);
    fields[7] = QString::fromStdString(fixedText(rate, 2));
    return fields;
}

QString plainNutrientTable(const AnalysisResult &result, const IntakeStandard &standard, const NutrientFlags &rows)
{
    static const int widths[] = {12, 4, 10, 10, 10, 6, 6, 6};
    QString text = QStringLiteral("栄養バランス") + kLineEnd
                 + QStringLiteral("成分名       単位 基準値下限 基準値上限     摂取量   差      判定 充足確率") + kLineEnd;
    for (int n = 0; n < kNutrientCount; ++n) {
        if (!rows[static_cast<size_t>(n)])
            continue;
        const QStringList fields = nutrientTableFields(result, standard, n);
        QString line;
        for (int f = 0; f < fields.size(); ++f) {
            if (f > 0)
                line += QLatin1Char(' ');
            line += padToSjisWidth(fields[f], widths[f], f == 0);
        }
        text += line + kLineEnd;
    }
    return text;
}

QString padToSjisWidth(const QString &text, int width, bool leftAlign)
{
    const int pad = width - quenkit::sjisWidth(text);
    if (pad <= 0)
        return text;
    const QString blanks(pad, QLatin1Char(' '));
    return leftAlign ? text + blanks : blanks + text;
}

}  // namespace dalmain
