#include "dalmain/analysis/AnalysisText.h"

#include "dalmain/master/FixedText.h"
#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/userdata/UserProfile.h"

#include "quenkit/text/ShiftJis.h"

namespace dalmain {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QString kNoFigure = QStringLiteral("*****");

QString fixed(double value, int decimals, int width = 0, bool plusSign = false)
{
    return QString::fromStdString(fixedText(value, decimals, width, plusSign));
}

QString line(const QString &text)
{
    return text + kLineEnd;
}

QString userInfoSection(const UserProfile &user)
{
    static const QString levels[] = {QStringLiteral("低い"), QStringLiteral("普通"), QStringLiteral("高い")};
    const QString birthday = user.hasBirthDate()
                                 ? QString::asprintf("%04d/%02d/%02d", user.birthYear, user.birthMonth, user.birthDay)
                                 : QStringLiteral("****/**/**");
    const QString level = user.activity >= 0 && user.activity <= 2 ? levels[user.activity] : QString();
    return line(QStringLiteral("ユーザー番号 %1").arg(user.number)) + line(QStringLiteral("フリガナ     ") + user.reading)
         + line(QStringLiteral("氏名         ") + user.name) + line(QStringLiteral("誕生日       ") + birthday)
         + line(QStringLiteral("年齢         %1").arg(user.age))
         + line(QStringLiteral("性別         ") + (user.sex == 1 ? QStringLiteral("女性") : QStringLiteral("男性")))
         + line(QStringLiteral("身長         %1 cm").arg(user.height.trimmed()))
         + line(QStringLiteral("身体活動レベル ") + level);
}

QString foodCountSection(const AnalysisResult &r)
{
    QString values = QStringLiteral("食品数             ");
    const int order[] = {kAnalysisRows - 1, 0, 1, 2, 3};
    for (int i = 0; i < 5; ++i)
        values += (i ? QStringLiteral("  ") : QString()) + QString::number(r.foodCounts[order[i]]).rightJustified(4);
    return line(QStringLiteral("                   一日  朝食  昼食  夕食  間食")) + line(values);
}

QString mealEnergySection(const AnalysisResult &r)
{
    QString values = QStringLiteral("エネルギー比       ");
    for (int m = 0; m < kAnalysisMeals; ++m)
        values += (m ? QStringLiteral("  ") : QString()) + fixed(r.mealShares[m][EnergyKcal], 0, 4);
    return line(QStringLiteral("                   朝食  昼食  夕食  間食")) + line(values);
}

QString pfcSection(const AnalysisResult &r)
{
    const auto &p = r.pfc.percent;
    return line(QStringLiteral("PFCﾊﾞﾗﾝｽ     P %1%  F %2%  C %3%")
                    .arg(fixed(p[0], 1), fixed(p[1], 1), fixed(p[2], 1)));
}

QString energySection(const EnergyBalance &b)
{
    return line(QStringLiteral("運動消費 %1 kcal").arg(fixed(b.exerciseEnergy, 1)))
         + line(QStringLiteral("基礎代謝 %1 kcal").arg(fixed(b.basalMetabolism, 1)))
         + line(QStringLiteral("生活消費 %1 kcal").arg(fixed(b.lifeActivity, 1)))
         + line(QStringLiteral("一日消費 %1 kcal").arg(fixed(b.dailyConsumption, 1)))
         + line(QStringLiteral("摂取との差 %1 kcal").arg(fixed(b.intakeDifference, 1, 0, true)))
         + line(QStringLiteral("記録日数 %1").arg(b.exerciseDays));
}

// A weight or body fat, or the stars of one never measured.
QString measured(double value)
{
    return value < 0 ? kNoFigure : fixed(value, 1);
}

QString groupSection(const QString &title, const QString &properHeading, const GroupRows &rows,
                     const GroupTableText &table)
{
    static const int widths[] = {12, 7, 7, 7, 7, 7, 7, 7, 9};
    QString text = line(title)
                 + line(QStringLiteral("群名            朝     昼     夕     間    合計  %1   差    充足確立").arg(properHeading));
    for (int g = 0; g < table.names.size() && g < kAnalysisGroups; ++g) {
        const double *proper = table.proper ? &(*table.proper)[static_cast<size_t>(g)] : nullptr;
        const QStringList fields = groupRowFields(rows, g, table.names[g], proper);
        QString row;
        for (int f = 0; f < fields.size(); ++f)
            row += padToSjisWidth(fields[f], widths[f], f == 0);
        text += line(row);
    }
    return text;
}

QString historySection(const AnalysisResult &r)
{
    QString text = line(QStringLiteral("エネルギー、体重の履歴"))
                 + line(QStringLiteral("  日  付    摂取エネルギー 運動エネルギー     体 重"));
    for (const HistoryEntry &e : r.history) {
        const QString key = QString::fromLatin1(e.dateKey);
        // A month's point has no day.
        const QString date = key.size() >= 8 ? QStringLiteral("%1/%2/%3").arg(key.left(4), key.mid(4, 2), key.mid(6, 2))
                                             : QStringLiteral("%1/%2").arg(key.left(4), key.mid(4, 2));
        text += line(date + QLatin1Char(' ') + padToSjisWidth(fixed(e.energyIntake, 1), 14, false) + QLatin1Char(' ')
                     + padToSjisWidth(fixed(e.energySpentA, 1), 14, false) + QLatin1Char(' ')
                     + padToSjisWidth(e.bodyWeight > 0 ? fixed(e.bodyWeight, 1) : kNoFigure, 14, false));
    }
    return text;
}

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

QStringList groupRowFields(const GroupRows &rows, int group, const QString &name, const double *proper)
{
    const size_t g = static_cast<size_t>(group);
    QStringList fields = {name};
    for (int row = 0; row < kAnalysisRows; ++row)
        fields.append(fixed(rows[static_cast<size_t>(row)][g], 1));
    if (!proper) {
        fields << QString() << QString() << QString();
        return fields;
    }
    const double total = rows[kAnalysisRows - 1][g];
    const double difference = total - *proper;
    fields.append(fixed(*proper, 1));
    fields.append(difference > 0 ? QLatin1Char('+') + fixed(difference, 1) : fixed(difference, 1));
    fields.append(*proper > 0 ? fixed(total / *proper * 100.0, 1) : QString());
    return fields;
}

QString plainSection(const AnalysisReport &report, ReportSection section)
{
    const AnalysisResult &r = *report.result;
    switch (section) {
    case ReportSection::UserInfo:
        return report.user ? userInfoSection(*report.user) : QString();
    case ReportSection::FoodCount:
        return foodCountSection(r);
    case ReportSection::MealEnergyRatio:
        return mealEnergySection(r);
    case ReportSection::Pfc:
        return pfcSection(r);
    case ReportSection::EnergyBalance:
        return energySection(r.energyBalance);
    case ReportSection::BodyWeight:
        return line(QStringLiteral("体重               %1 kg").arg(measured(r.energyBalance.bodyWeight)));
    case ReportSection::BodyFat:
        return line(QStringLiteral("体脂肪率           %1 %").arg(measured(r.energyBalance.bodyFat)));
    case ReportSection::Nutrients:
        return plainNutrientTable(r, *report.standard, report.nutrientRows);
    case ReportSection::ExchangeTable:
        return report.exchange ? groupSection(QStringLiteral("食品交換表"), QStringLiteral("適正単位"),
                                              r.exchangeUnits, *report.exchange)
                               : QString();
    case ReportSection::GroupTable:
        return report.groups ? groupSection(QStringLiteral("食品群別表"), QStringLiteral("適正摂"),
                                            r.groupAmounts, *report.groups)
                             : QString();
    case ReportSection::History:
        return report.period == AnalysisPeriod::Year ? QString() : historySection(r);
    }
    return QString();
}

QString plainAnalysisText(const AnalysisReport &report, const ReportSections &sections)
{
    QString text = analysisTitleLine(report.period) + analysisDateLine(report.period, report.result->periodKey)
                 + analysisSeparatorLine();
    for (int i = 0; i < kReportSections; ++i) {
        if (!sections[static_cast<size_t>(i)])
            continue;
        const QString body = plainSection(report, static_cast<ReportSection>(i));
        if (!body.isEmpty())
            text += body + analysisSeparatorLine();
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
