#pragma once

#include "dalmain/userdata/UserProfile.h"
#include "dalmain/userdata/WeightGoal.h"
#include "dalmain/userdata/WeightLog.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The figures of the weight screen, its printed page and its copy text: BMI and its judgement,
// the standard ranges for a height and a sex, a month of measurements with its averages, their
// distance from the standard ranges, the progress towards the goals, and the scales of the BMI
// chart and the monthly graph. No division here divides by zero: a month without measurements,
// or without a body-fat measurement, has no average of them, and a height of 0 no BMI.
namespace dalmain {

// 1 thin, 2 normal, 3 slightly obese, 4 obese.
enum BmiClass : int { BmiThin = 1, BmiNormal = 2, BmiSlightlyObese = 3, BmiObese = 4 };

// Below 20 thin; up to below 24 normal; up to below 26.5 slightly obese; from 26.5 obese.
int BmiJudgement(double bmi);
// "や　　せ", "正　　常", "やや肥満", "肥　　満".
QString bmiJudgementText(int judgement);

// weight / height² × 10⁴ with the height in cm; 0 for a height of 0 or less.
double bmiOf(double kg, double heightCm);
// "%5.2lf".
QString bmiText(double bmi);
// The "%5.2lf" text cut to its first 4 characters, as the list and the copy show it (23.45 is
// "23.4", 9.87 " 9.8").
QString shortBmiText(double bmi);

inline const QString kStandardBmiText = QStringLiteral("20≦ BMI値 ＜24");

// The weight of BMI 20 plus 0.05 up to that of BMI 23.99 for a height, and their middle.
struct StandardWeight {
    double lower = 0.0;
    double upper = 0.0;
    double middle = 0.0;
    // The upper weight as "%5.2lf" cut after its 4th character: 65.312 shows as "65.3", never
    // rounded up past the range.
    QString upperText() const;
    // "適正体重 %.1lfkg～%skg (%.1lfkg)".
    QString line() const;
};
StandardWeight standardWeight(double heightCm);

// 20.0-30.0 % for a woman (sex 1), 10.0-20.0 % for a man.
struct BodyFatRange {
    double lower = 0.0;
    double upper = 0.0;
    QString text;  // "20%～30%" or "10%～20%"
};
BodyFatRange standardBodyFat(int sex);

// Who the month is measured against.
struct WeightPerson {
    double heightCm = 0.0;
    QString heightText;  // the height as the profile holds it
    int sex = 0;         // 0 male, 1 female
};
// The profile's height (0 when it is no number) and sex.
WeightPerson weightPersonOf(const UserProfile &profile);

// One measurement of the month as the list shows it.
struct WeightLine {
    WeightRecord record;
    double bmi = 0.0;
    int judgement = BmiThin;
    QString dateText;      // "2024/05/10"
    QString listDate;      // "05/10(金)"
    QString weightText;    // the stored "%5.1lf"
    QString bodyFatText;   // the stored "%4.1lf"
    QString listBodyFat;   // "%10.1lf", dashes when not measured
};
WeightLine weightLine(const WeightRecord &record, double heightCm);

// Above, within or below a standard range; the screen shows above in red and below in blue.
enum class RangeSide { Within, Above, Below };

struct RangeDifference {
    RangeSide side = RangeSide::Within;
    QString text;  // "+%.1lf", "-%.1lf" or "0.0" ("+0.0" and "-0.0" read "0.0")
};
// Against lower and upper: the excess over upper, the shortfall under lower, else 0.0.
RangeDifference rangeDifference(double value, double lower, double upper);
// The BMI's: from 24 the excess over 23.9 (an average of 24.00 shows +0.1), under 20 the
// shortfall, else 0.0.
RangeDifference bmiDifference(double bmi);

class WeightMonth
{
public:
    WeightMonth() = default;
    WeightMonth(int year, int month, const QList<WeightRecord> &records, const WeightPerson &person);

    int year() const { return m_year; }
    int month() const { return m_month; }
    const WeightPerson &person() const { return m_person; }
    const QList<WeightLine> &lines() const { return m_lines; }
    bool isEmpty() const { return m_lines.isEmpty(); }
    bool hasBodyFat() const { return m_bodyFatCount > 0; }
    // The last line's measurement: the latest of the month.
    const WeightLine *latest() const { return m_lines.isEmpty() ? nullptr : &m_lines.last(); }

    // The averages; 0 when there is nothing to average (see isEmpty, hasBodyFat).
    double averageWeight() const;
    double averageBmi() const;
    double averageBodyFat() const;

    // The "月平均" row: "%.1lf" weight, judgement, BMI (as the lines show it) and "%.1lf" body
    // fat, dashes for a month without lines or without body fat.
    QString averageWeightText() const;
    QString averageJudgementText() const;
    QString averageBmiText() const;
    QString averageBodyFatText() const;

    // The "適正との差" row; none of them for a month without lines, no weight and BMI ones
    // without a height, and no body fat one without a body-fat measurement.
    std::optional<RangeDifference> weightDifference() const;
    std::optional<RangeDifference> bmiDifferenceOfAverage() const;
    std::optional<RangeDifference> bodyFatDifference() const;

    StandardWeight standard() const { return standardWeight(m_person.heightCm); }
    BodyFatRange standardFat() const { return standardBodyFat(m_person.sex); }

private:
    int m_year = 0;
    int m_month = 0;
    WeightPerson m_person;
    QList<WeightLine> m_lines;
    double m_weightSum = 0.0;
    double m_bmiSum = 0.0;
    double m_bodyFatSum = 0.0;
    int m_bodyFatCount = 0;
};

// The user's measurements of a month, read from the weight log.
WeightMonth loadWeightMonth(unsigned user, int year, int month, const WeightPerson &person);

// The goal messages under the standard weight, against the month's latest measurement.
struct GoalMessage {
    QString text;
    bool reached = false;  // the weight goal's "達成しました" is shown in red
};
GoalMessage weightGoalMessage(const WeightGoal &goal, const WeightMonth &month);
GoalMessage bodyFatGoalMessage(const WeightGoal &goal, const WeightMonth &month);

// The goal dialog's check: weight 0.1-200.0 kg, body fat at most 50.0 % (0 or less: no goal).
inline const QString kGoalCaption = QStringLiteral("目標の設定");
struct GoalCheck {
    enum Field { None, Weight, BodyFat } field = None;
    QString message;
    bool ok() const { return field == None; }
};
GoalCheck checkGoalEntry(double weight, double bodyFat);
// What the dialog says once the goals are stored.
QString goalSetMessage(double weight, double bodyFat);

// The four blocks of まとめてコピー (SelCopyFlg1-4): the heading and lines, the averages, the
// differences from the standard, the standard values.
using WeightCopyBlocks = std::array<bool, 4>;
QString weightCopyText(const WeightMonth &month, const WeightCopyBlocks &blocks);

// A scale of the monthly graph. Empty (lower not below upper) when there is nothing to show.
struct GraphScale {
    double lower = 0.0;
    double upper = 0.0;
    bool isEmpty() const { return !(lower < upper); }
};
// The weight scale: one kg of room above the highest weight, three below the lowest, and 20 kg
// more below when the range exceeds 30 kg; never below 0.
GraphScale weightGraphScale(const WeightMonth &month);
// The body-fat scale: 10 points above the highest value, 2 below the lowest measured one; a
// month without body fat gets 0 to the lower bound + 5.
GraphScale bodyFatGraphScale(const WeightMonth &month);

// The BMI chart's window: 90 cm of height from (⌊height/10⌋ − 4) × 10 and 90 kg of weight from
// (⌊weight/10⌋ − 4) × 10, not below 0.
struct BmiChartRange {
    int heightFrom = 0;
    int weightFrom = 0;
    static constexpr int kSpan = 90;
};
BmiChartRange bmiChartRange(double heightCm, double kg);

}  // namespace dalmain
