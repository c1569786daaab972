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

// The lines of one section in one kind. Every line is given twice: as its fields, which the tab
// kind separates by tabs and the comma kind quotes and separates by commas, and as the aligned
// text of the plain kind.
class Lines
{
public:
    explicit Lines(TextKind kind) : m_kind(kind) {}

    Lines &add(const QStringList &fields, const QString &plain, const QString &end = kLineEnd)
    {
        switch (m_kind) {
        case TextKind::Tab:
            m_text += fields.join(QLatin1Char('\t'));
            break;
        case TextKind::Comma: {
            QStringList quoted;
            for (const QString &f : fields)
                quoted.append(QLatin1Char('"') + f + QLatin1Char('"'));
            m_text += quoted.join(QLatin1Char(','));
            break;
        }
        case TextKind::Plain:
            m_text += plain;
            break;
        }
        m_text += end;
        return *this;
    }
    // A line that reads the same in every kind.
    Lines &addVerbatim(const QString &text)
    {
        m_text += text + kLineEnd;
        return *this;
    }
    Lines &add(const QString &single) { return add(QStringList{single}, single); }

    TextKind kind() const { return m_kind; }
    const QString &text() const { return m_text; }

private:
    TextKind m_kind;
    QString m_text;
};

QString userInfoSection(const UserProfile &user, TextKind kind, TextTarget target)
{
    static const QString levels[] = {QStringLiteral("低い"), QStringLiteral("普通"), QStringLiteral("高い")};
    const QStringList birthday = user.hasBirthDate()
                                     ? QStringList{QString::asprintf("%04d", user.birthYear),
                                                   QString::asprintf("%02d", user.birthMonth),
                                                   QString::asprintf("%02d", user.birthDay)}
                                     : QStringList{QStringLiteral("****"), QStringLiteral("**"), QStringLiteral("**")};
    const QString level = user.activity >= 0 && user.activity <= 2 ? levels[user.activity] : QString();
    const QString number = QString::number(user.number);
    const QString age = QString::number(user.age);
    const QString sex = user.sex == 1 ? QStringLiteral("女性") : QStringLiteral("男性");
    const QString height = user.height.trimmed();
    Lines lines(kind);
    lines.add({QStringLiteral("ユーザー番号"), number}, QStringLiteral("ユーザー番号 ") + number)
        .add({QStringLiteral("フリガナ"), user.reading}, QStringLiteral("フリガナ     ") + user.reading)
        .add({QStringLiteral("氏名"), user.name}, QStringLiteral("氏名         ") + user.name)
        .add(QStringList{QStringLiteral("誕生日")} + birthday, QStringLiteral("誕生日       ") + birthday.join(QLatin1Char('/')))
        .add({QStringLiteral("年齢"), age}, QStringLiteral("年齢         ") + age);
    // The saved file leaves out sex and height.
    if (target == TextTarget::Copy) {
        lines.add({QStringLiteral("性別"), sex}, QStringLiteral("性別         ") + sex)
            .add({QStringLiteral("身長"), height, QStringLiteral("cm")}, QStringLiteral("身長         %1 cm").arg(height));
    }
    lines.add({QStringLiteral("身体活動レベル"), level}, QStringLiteral("身体活動レベル ") + level);
    return lines.text();
}

// The heading line of the meal columns, with the day's column first when day is set.
void addMealHeading(Lines &lines, bool day)
{
    QStringList fields = {QString()};
    QString plain(19, QLatin1Char(' '));
    if (day) {
        fields.append(QStringLiteral("一日"));
        plain += QStringLiteral("一日  ");
    }
    fields << QStringLiteral("朝食") << QStringLiteral("昼食") << QStringLiteral("夕食") << QStringLiteral("間食");
    plain += QStringLiteral("朝食  昼食  夕食  間食");
    // The comma kind's heading of the food counts has always ended with a line feed alone.
    lines.add(fields, plain, day && lines.kind() == TextKind::Comma ? QStringLiteral("\n") : kLineEnd);
}

// A row of the meal columns: its title, padded to 19 bytes in the plain kind, and values each
// right-aligned to 4 there with two blanks between.
void addMealValues(Lines &lines, const QString &title, const QStringList &values)
{
    QString plain = padToSjisWidth(title, 19, true);
    for (qsizetype i = 0; i < values.size(); ++i)
        plain += (i ? QStringLiteral("  ") : QString()) + values[i].rightJustified(4);
    lines.add(QStringList{title} + values, plain);
}

QString foodCountSection(const AnalysisResult &r, TextKind kind)
{
    QStringList values;
    for (int row : {kAnalysisRows - 1, 0, 1, 2, 3})
        values.append(QString::number(r.foodCounts[row]));
    Lines lines(kind);
    addMealHeading(lines, true);
    addMealValues(lines, QStringLiteral("食品数"), values);
    return lines.text();
}

QString mealEnergySection(const AnalysisResult &r, TextKind kind)
{
    QStringList values;
    for (int m = 0; m < kAnalysisMeals; ++m)
        values.append(fixed(r.mealShares[m][EnergyKcal], 0));
    Lines lines(kind);
    addMealHeading(lines, false);
    addMealValues(lines, QStringLiteral("エネルギー比"), values);
    return lines.text();
}

QString pfcSection(const AnalysisResult &r, TextKind kind)
{
    const auto &p = r.pfc.percent;
    const QString pv = fixed(p[0], 1) + QLatin1Char('%'), fv = fixed(p[1], 1) + QLatin1Char('%'),
                  cv = fixed(p[2], 1) + QLatin1Char('%');
    return Lines(kind)
        .add({QStringLiteral("PFCﾊﾞﾗﾝｽ"), QStringLiteral("P"), pv, QStringLiteral("F"), fv, QStringLiteral("C"), cv},
             QStringLiteral("PFCﾊﾞﾗﾝｽ     P %1  F %2  C %3").arg(pv, fv, cv))
        .text();
}

QString energySection(const EnergyBalance &b, TextKind kind)
{
    Lines lines(kind);
    auto kcal = [&](const QString &title, const QString &value) {
        lines.add({title, value, QStringLiteral("kcal")}, QStringLiteral("%1 %2 kcal").arg(title, value));
    };
    kcal(QStringLiteral("運動消費"), fixed(b.exerciseEnergy, 1));
    kcal(QStringLiteral("基礎代謝"), fixed(b.basalMetabolism, 1));
    kcal(QStringLiteral("生活消費"), fixed(b.lifeActivity, 1));
    kcal(QStringLiteral("一日消費"), fixed(b.dailyConsumption, 1));
    kcal(QStringLiteral("摂取との差"), fixed(b.intakeDifference, 1, 0, true));
    const QString days = QString::number(b.exerciseDays);
    // The tab kind prints the count with "%.d", which prints nothing for none.
    const QString tabDays = kind == TextKind::Tab && b.exerciseDays == 0 ? QString() : days;
    lines.add({QStringLiteral("記録日数"), tabDays}, QStringLiteral("記録日数 ") + days);
    return lines.text();
}

// A weight or body fat, or the stars of one never measured.
QString measured(double value)
{
    return value < 0 ? kNoFigure : fixed(value, 1);
}

QString bodySection(const QString &title, double value, const QString &unit, TextKind kind)
{
    const QString v = measured(value);
    return Lines(kind).add({title, v, unit}, padToSjisWidth(title, 19, true) + v + QLatin1Char(' ') + unit).text();
}

QString nutrientSection(const AnalysisReport &report, TextKind kind, TextTarget target)
{
    static const int widths[] = {12, 4, 10, 10, 10, 6, 6, 6};
    Lines lines(kind);
    lines.add(QStringLiteral("栄養バランス"))
        .add({QStringLiteral("成分名"), QStringLiteral("単位"), QStringLiteral("基準値下限"), QStringLiteral("基準値上限"),
              QStringLiteral("摂取量"), QStringLiteral("差"), QStringLiteral("判定"), QStringLiteral("充足確率")},
             QStringLiteral("成分名       単位 基準値下限 基準値上限     摂取量   差      判定 充足確率"));
    for (int n = 0; n < kNutrientCount; ++n) {
        if (!report.nutrientRows[static_cast<size_t>(n)])
            continue;
        const QStringList fields = nutrientTableFields(*report.result, *report.standard, n);
        QString plain;
        for (int f = 0; f < fields.size(); ++f) {
            if (f > 0)
                plain += QLatin1Char(' ');
            plain += padToSjisWidth(fields[f], widths[f], f == 0);
        }
        lines.add(fields, plain);
    }
    if (target == TextTarget::Copy) {
        lines.addVerbatim(QStringLiteral("●過剰・不足の心配はほとんどないと思います"))
            .addVerbatim(QStringLiteral("▲過剰が少し心配　△不足が少し心配　！過剰が心配　!!不足が心配"));
    }
    return lines.text();
}

QString groupSection(const QString &title, const QString &properHeading, const GroupRows &rows,
                     const GroupTableText &table, TextKind kind)
{
    static const int widths[] = {12, 7, 7, 7, 7, 7, 7, 7, 9};
    Lines lines(kind);
    lines.add(title).add({QStringLiteral("群名"), QStringLiteral("朝"), QStringLiteral("昼"), QStringLiteral("夕"),
                          QStringLiteral("間"), QStringLiteral("合計"), properHeading, QStringLiteral("差"),
                          QStringLiteral("充足確立")},
                         QStringLiteral("群名            朝     昼     夕     間    合計  %1   差    充足確立").arg(properHeading));
    for (int g = 0; g < table.names.size() && g < kAnalysisGroups; ++g) {
        const double *proper = table.proper ? &(*table.proper)[static_cast<size_t>(g)] : nullptr;
        const QStringList fields = groupRowFields(rows, g, table.names[g], proper);
        QString plain;
        for (int f = 0; f < fields.size(); ++f)
            plain += padToSjisWidth(fields[f], widths[f], f == 0);
        lines.add(fields, plain);
    }
    return lines.text();
}

QString historySection(const AnalysisResult &r, TextKind kind)
{
    Lines lines(kind);
    lines.add(QStringLiteral("エネルギー、体重の履歴"))
        .add({QStringLiteral("日付"), QStringLiteral("摂取エネルギー"), QStringLiteral("運動エネルギー"), QStringLiteral("体重")},
             QStringLiteral("  日  付    摂取エネルギー 運動エネルギー     体 重"));
    for (const HistoryEntry &e : r.history) {
        const QString key = QString::fromLatin1(e.dateKey);
        // A month's point has no day.
        const QString date = key.size() >= 8 ? QStringLiteral("%1/%2/%3").arg(key.left(4), key.mid(4, 2), key.mid(6, 2))
                                             : QStringLiteral("%1/%2").arg(key.left(4), key.mid(4, 2));
        const QStringList fields = {date, fixed(e.energyIntake, 1), fixed(e.energySpentA, 1),
                                    e.bodyWeight > 0 ? fixed(e.bodyWeight, 1) : kNoFigure};
        QString plain = date;
        for (int f = 1; f < fields.size(); ++f)
            plain += QLatin1Char(' ') + padToSjisWidth(fields[f], 14, false);
        lines.add(fields, plain);
    }
    return lines.text();
}

}  // namespace

QString analysisSeparatorLine()
{
    return QString(60, QLatin1Char('*')) + kLineEnd;
}

QString analysisTitleLine(AnalysisPeriod period, TextKind kind)
{
    return Lines(kind).add(QStringLiteral("分析結果 [%1分析]").arg(periodName(period))).text();
}

QString analysisDateLine(AnalysisPeriod period, const QByteArray &periodKey, TextKind kind)
{
    const QString key = QString::fromLatin1(periodKey);
    QString date;
    switch (period) {
    case AnalysisPeriod::Day:
        date = QStringLiteral("%1/%2/%3").arg(key.left(4), key.mid(4, 2), key.mid(6, 2));
        break;
    case AnalysisPeriod::Month:
        date = QStringLiteral("%1/%2").arg(key.left(4), key.mid(4, 2));
        break;
    case AnalysisPeriod::Year:
        date = key.left(4);
        break;
    case AnalysisPeriod::Selection:
        return QString();
    }
    return Lines(kind).add(QStringLiteral("分析日付 [%1]").arg(date)).text();
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

QString analysisSection(const AnalysisReport &report, ReportSection section, TextKind kind, TextTarget target)
{
    const AnalysisResult &r = *report.result;
    switch (section) {
    case ReportSection::UserInfo:
        return report.user ? userInfoSection(*report.user, kind, target) : QString();
    case ReportSection::FoodCount:
        return foodCountSection(r, kind);
    case ReportSection::MealEnergyRatio:
        return mealEnergySection(r, kind);
    case ReportSection::Pfc:
        return pfcSection(r, kind);
    case ReportSection::EnergyBalance:
        return energySection(r.energyBalance, kind);
    case ReportSection::BodyWeight:
        return bodySection(QStringLiteral("体重"), r.energyBalance.bodyWeight, QStringLiteral("kg"), kind);
    case ReportSection::BodyFat:
        return bodySection(QStringLiteral("体脂肪率"), r.energyBalance.bodyFat, QStringLiteral("%"), kind);
    case ReportSection::Nutrients:
        return nutrientSection(report, kind, target);
    case ReportSection::ExchangeTable:
        return report.exchange ? groupSection(QStringLiteral("食品交換表"), QStringLiteral("適正単位"),
                                              r.exchangeUnits, *report.exchange, kind)
                               : QString();
    case ReportSection::GroupTable:
        return report.groups ? groupSection(QStringLiteral("食品群別表"), QStringLiteral("適正摂"),
                                            r.groupAmounts, *report.groups, kind)
                             : QString();
    case ReportSection::History:
        return report.period == AnalysisPeriod::Year ? QString() : historySection(r, kind);
    }
    return QString();
}

QString analysisText(const AnalysisReport &report, const ReportSections &sections, TextKind kind, TextTarget target)
{
    QString text = analysisTitleLine(report.period, kind)
                 + analysisDateLine(report.period, report.result->periodKey, kind) + analysisSeparatorLine();
    for (int i = 0; i < kReportSections; ++i) {
        if (!sections[static_cast<size_t>(i)])
            continue;
        const QString body = analysisSection(report, static_cast<ReportSection>(i), kind, target);
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
