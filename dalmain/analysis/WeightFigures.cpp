#include "dalmain/analysis/WeightFigures.h"

#include "quenkit/dates/Dates.h"

#include <algorithm>
#include <cmath>

namespace dalmain {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kNoAverage = QStringLiteral("--------");
const QString kNoJudgement = QStringLiteral("---------");
const QString kNoValue = QStringLiteral("-----");
const QString kNoBodyFat = QStringLiteral("-------");
const QString kCopyNoValue = QStringLiteral("------");
const char16_t *const kWeekdays[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};

// "%.2lf" cut after the first decimal: 63.36 is "63.3", where rounding would say 63.4.
QString truncatedTenths(double value)
{
    QString text = QString::asprintf("%.2f", value);
    text.chop(1);
    return text;
}

// The text "+%.1lf" or "-%.1lf" of amount, or "0.0" when it reads as zero.
RangeDifference signedDifference(RangeSide side, double amount)
{
    const QString digits = QString::asprintf("%.1f", amount);
    if (digits == QLatin1String("0.0") || digits == QLatin1String("-0.0"))
        return {RangeSide::Within, QStringLiteral("0.0")};
    return {side, (side == RangeSide::Above ? QLatin1Char('+') : QLatin1Char('-')) + digits};
}

}  // namespace

int BmiJudgement(double bmi)
{
    if (bmi < 20.0)
        return BmiThin;
    if (bmi < 24.0)
        return BmiNormal;
    if (bmi < 26.5)
        return BmiSlightlyObese;
    return BmiObese;
}

QString bmiJudgementText(int judgement)
{
    switch (judgement) {
    case BmiThin: return QStringLiteral("や　　せ");
    case BmiNormal: return QStringLiteral("正　　常");
    case BmiSlightlyObese: return QStringLiteral("やや肥満");
    case BmiObese: return QStringLiteral("肥　　満");
    default: return QString();
    }
}

double bmiOf(double kg, double heightCm)
{
    if (!(heightCm > 0.0))
        return 0.0;
    return kg / (heightCm * heightCm) * 10000.0;
}

QString bmiText(double bmi)
{
    return QString::asprintf("%5.2f", bmi);
}

QString shortBmiText(double bmi)
{
    return truncatedTenths(bmi).rightJustified(4, QLatin1Char(' '));
}

QString StandardWeight::upperText() const
{
    return truncatedTenths(upper);
}

QString StandardWeight::line() const
{
    return QString::asprintf("適正体重 %.1fkg～", lower) + upperText() + QString::asprintf("kg (%.1fkg)", middle);
}

StandardWeight standardWeight(double heightCm)
{
    StandardWeight s;
    const double square = heightCm * heightCm;
    s.lower = square * 20.0 / 10000.0 + 0.05;
    s.upper = square * 23.99 / 10000.0;
    s.middle = s.lower + (s.upper - s.lower) * 0.5;
    return s;
}

BodyFatRange standardBodyFat(int sex)
{
    if (sex == 1)
        return {20.0, 30.0, QStringLiteral("20%～30%")};
    return {10.0, 20.0, QStringLiteral("10%～20%")};
}

WeightPerson weightPersonOf(const UserProfile &profile)
{
    bool ok = false;
    const double height = profile.height.trimmed().toDouble(&ok);
    return {ok && std::isfinite(height) && height > 0.0 ? height : 0.0, profile.height.trimmed(), profile.sex};
}

WeightLine weightLine(const WeightRecord &record, double heightCm)
{
    WeightLine line;
    line.record = record;
    line.bmi = bmiOf(record.kg, heightCm);
    line.judgement = BmiJudgement(line.bmi);
    const QString date = QString::fromLatin1(record.date);
    const int year = date.left(4).toInt();
    const int month = date.mid(4, 2).toInt();
    const int day = date.mid(6, 2).toInt();
    line.dateText = QString::asprintf("%04d/%02d/%02d", year, month, day);
    const int weekday = quenkit::GetWeekOfDay(year, month, day);
    const QString weekdayName = weekday >= 1 && weekday <= 7 ? QString::fromUtf16(kWeekdays[weekday - 1]) : QStringLiteral("？");
    line.listDate = QString::asprintf("%02d/%02d(", month, day) + weekdayName + QLatin1Char(')');
    line.weightText = QString::asprintf("%5.1f", record.kg);
    line.bodyFatText = QString::asprintf("%4.1f", record.bodyFat);
    line.listBodyFat = record.bodyFat == 0.0 ? kNoBodyFat.rightJustified(10, QLatin1Char(' ')) : QString::asprintf("%10.1f", record.bodyFat);
    return line;
}

RangeDifference rangeDifference(double value, double lower, double upper)
{
    if (value > upper)
        return signedDifference(RangeSide::Above, value - upper);
    if (value >= lower)
        return {RangeSide::Within, QStringLiteral("0.0")};
    return signedDifference(RangeSide::Below, lower - value);
}

RangeDifference bmiDifference(double bmi)
{
    if (bmi >= 24.0)
        return signedDifference(RangeSide::Above, bmi - 23.9);
    if (bmi >= 20.0)
        return {RangeSide::Within, QStringLiteral("0.0")};
    return signedDifference(RangeSide::Below, 20.0 - bmi);
}

WeightMonth::WeightMonth(int year, int month, const QList<WeightRecord> &records, const WeightPerson &person)
    : m_year(year)
    , m_month(month)
    , m_person(person)
{
    for (const WeightRecord &r : records) {
        m_lines.append(weightLine(r, person.heightCm));
        m_weightSum += r.kg;
        m_bmiSum += m_lines.last().bmi;
        if (r.bodyFat != 0.0) {
            m_bodyFatSum += r.bodyFat;
            ++m_bodyFatCount;
        }
    }
}

double WeightMonth::averageWeight() const
{
    return m_lines.isEmpty() ? 0.0 : m_weightSum / static_cast<double>(m_lines.size());
}

double WeightMonth::averageBmi() const
{
    return m_lines.isEmpty() ? 0.0 : m_bmiSum / static_cast<double>(m_lines.size());
}

double WeightMonth::averageBodyFat() const
{
    return m_bodyFatCount == 0 ? 0.0 : m_bodyFatSum / m_bodyFatCount;
}

QString WeightMonth::averageWeightText() const
{
    return isEmpty() ? kNoAverage : QString::asprintf("%.1f", averageWeight());
}

QString WeightMonth::averageJudgementText() const
{
    return isEmpty() ? kNoJudgement : bmiJudgementText(BmiJudgement(averageBmi()));
}

QString WeightMonth::averageBmiText() const
{
    return isEmpty() ? kNoValue : shortBmiText(averageBmi());
}

QString WeightMonth::averageBodyFatText() const
{
    return hasBodyFat() ? QString::asprintf("%.1f", averageBodyFat()) : kNoValue;
}

std::optional<RangeDifference> WeightMonth::weightDifference() const
{
    // Without a height there is no standard weight and no BMI to measure against.
    if (isEmpty() || !(m_person.heightCm > 0.0))
        return std::nullopt;
    const StandardWeight s = standard();
    return rangeDifference(averageWeight(), s.lower, s.upper);
}

std::optional<RangeDifference> WeightMonth::bmiDifferenceOfAverage() const
{
    if (isEmpty() || !(m_person.heightCm > 0.0))
        return std::nullopt;
    return bmiDifference(averageBmi());
}

std::optional<RangeDifference> WeightMonth::bodyFatDifference() const
{
    if (!hasBodyFat())
        return std::nullopt;
    const BodyFatRange range = standardFat();
    return rangeDifference(averageBodyFat(), range.lower, range.upper);
}

WeightMonth loadWeightMonth(unsigned user, int year, int month, const WeightPerson &person)
{
    return WeightMonth(year, month, WeightsInMonth(user, year, month), person);
}

GoalMessage weightGoalMessage(const WeightGoal &goal, const WeightMonth &month)
{
    if (!(goal.weight > 0.0))
        return {QStringLiteral("目標体重は未設定です。")};
    const WeightLine *latest = month.latest();
    if (!latest)
        return {QString::asprintf("目標体重は %.1fkgです。", goal.weight)};
    if (goal.weight < latest->record.kg)
        return {QString::asprintf("目標体重 %.1fkgまであと%.1fkgです。", goal.weight, latest->record.kg - goal.weight)};
    return {QString::asprintf("目標体重 %.1fkgを達成しました。", goal.weight), true};
}

GoalMessage bodyFatGoalMessage(const WeightGoal &goal, const WeightMonth &month)
{
    if (!(goal.bodyFat > 0.0))
        return {QStringLiteral("目標体脂肪率は未設定です。")};
    const WeightLine *latest = month.latest();
    if (!latest || latest->record.bodyFat == 0.0)
        return {QString::asprintf("目標体脂肪率 %.1f%%です。", goal.bodyFat)};
    if (goal.bodyFat < latest->record.bodyFat)
        return {QString::asprintf("目標体脂肪率 %.1f%%まであと%.1f%%です。", goal.bodyFat,
                                  latest->record.bodyFat - goal.bodyFat)};
    return {QString::asprintf("目標体脂肪率 %.1f%%を達成しました。", goal.bodyFat), true};
}

GoalCheck checkGoalEntry(double weight, double bodyFat)
{
    if (!std::isfinite(weight) || weight < 0.1 || weight > 200.0)
        return {GoalCheck::Weight, QStringLiteral("目標体重は0.1～200.0kgの間で入力してください。")};
    if (!std::isfinite(bodyFat) || bodyFat > 50.0)
        return {GoalCheck::BodyFat, QStringLiteral("目標体脂肪率は50.0%以下で入力してください。")};
    return {};
}

QString goalSetMessage(double weight, double bodyFat)
{
    if (!(bodyFat > 0.0))
        return QString::asprintf("体重%.1f kgを目指して頑張ってください。", weight);
    return QString::asprintf("体重%.1f kg、体脂肪率%.1f%%を目指して頑張ってください。", weight, bodyFat);
}

QString weightCopyText(const WeightMonth &month, const WeightCopyBlocks &blocks)
{
    QString text;
    if (blocks[0]) {
        text += QStringLiteral("日付\t体重(kg)\t判定\tBMI\t体脂肪率(%)") + kCrLf;
        for (const WeightLine &l : month.lines()) {
            text += l.dateText + QLatin1Char('\t') + l.weightText + QLatin1Char('\t') + bmiJudgementText(l.judgement)
                    + QLatin1Char('\t') + shortBmiText(l.bmi) + QLatin1Char('\t')
                    + (l.record.bodyFat == 0.0 ? kNoBodyFat : l.bodyFatText) + kCrLf;
        }
    }
    if (blocks[1]) {
        // A month without measurements has no average BMI or body fat either: dashes, where
        // dividing by the empty count would print "nan".
        text += QStringLiteral("月間平均\t");
        text += month.isEmpty() ? kCopyNoValue : QString::asprintf("%.1f", month.averageWeight());
        text += QLatin1Char('\t');
        text += month.isEmpty() ? QStringLiteral("----") : bmiJudgementText(BmiJudgement(month.averageBmi()));
        text += QLatin1Char('\t');
        text += month.isEmpty() ? kCopyNoValue : QString::asprintf("%.1f", month.averageBmi());
        text += QLatin1Char('\t');
        text += month.hasBodyFat() ? QString::asprintf("%.1f", month.averageBodyFat()) : kCopyNoValue;
        text += kCrLf;
    }
    if (blocks[2]) {
        const auto shown = [](const std::optional<RangeDifference> &d) { return d ? d->text : kCopyNoValue; };
        text += QStringLiteral("標準との差\t") + shown(month.weightDifference()) + QStringLiteral("\t\t")
                + shown(month.bmiDifferenceOfAverage()) + QLatin1Char('\t') + shown(month.bodyFatDifference()) + kCrLf;
    }
    if (blocks[3]) {
        const StandardWeight s = month.standard();
        text += QString::asprintf("標準体重\t%.1fkg～", s.lower) + s.upperText() + QStringLiteral("kg") + kCrLf;
        text += QStringLiteral("標準BMI\t") + kStandardBmiText + kCrLf;
        text += QStringLiteral("標準体脂肪\t") + month.standardFat().text + kCrLf;
    }
    return text;
}

GraphScale weightGraphScale(const WeightMonth &month)
{
    if (month.isEmpty())
        return {};
    GraphScale s{200.0, 0.0};
    for (const WeightLine &l : month.lines()) {
        const double w = l.record.kg;
        if (w >= s.upper)
            s.upper = w + 1.0;
        if (w <= s.lower)
            s.lower = std::max(0.0, w - 3.0);
    }
    if (s.upper - s.lower > 30.0)
        s.lower = std::max(0.0, s.lower - 20.0);
    return s;
}

GraphScale bodyFatGraphScale(const WeightMonth &month)
{
    if (month.isEmpty())
        return {};
    GraphScale s{50.0, 0.0};
    for (const WeightLine &l : month.lines()) {
        const double v = l.record.bodyFat;
        if (v >= s.upper)
            s.upper = v + 10.0;
        if (v > 0.0 && v <= s.lower)
            s.lower = std::max(0.0, v - 2.0);
    }
    if (s.lower >= s.upper) {
        s.upper = s.lower + 5.0;
        s.lower = 0.0;
    }
    return s;
}

BmiChartRange bmiChartRange(double heightCm, double kg)
{
    BmiChartRange r;
    r.heightFrom = std::max(0, (static_cast<int>(std::floor(heightCm / 10.0)) - 4) * 10);
    r.weightFrom = std::max(0, (static_cast<int>(std::floor(kg / 10.0)) - 4) * 10);
    return r;
}

}  // namespace dalmain
