#include "dalmain/analysis/Sufficiency.h"

#include "dalmain/master/FixedText.h"
#include "dalmain/master/NutrientDisplay.h"
#include "quenkit/registry/SettingsStore.h"

namespace dalmain {

namespace {

const QString kGood = QStringLiteral("●");
const QString kSlightExcess = QStringLiteral("▲");
const QString kSlightShortage = QStringLiteral("△");
const QString kWorry = QStringLiteral("！");
const QString kWorryShortage = QStringLiteral("!!");
const QString kNoDifference = QStringLiteral("－");

// Below this share of the reference a shortfall or excess is more than slight.
constexpr double kSlightLow = 80.0;
constexpr double kSlightHigh = 120.0;

constexpr int kDifferenceWidth = 6;

}  // namespace

double sufficiencyRate(double intake, double lower, double upper)
{
    if (intake < lower)
        return intake / lower * 100.0;
    if (upper != 0 && intake > upper)
        return intake / upper * 100.0;
    return 100.0;
}

double targetRate(double intake, double lower, double upper)
{
    if (lower > 0 && upper > 0) {
        if (lower != upper)
            return intake / ((upper - lower) * 0.5 + lower) * 100.0;
        return intake / lower * 100.0;
    }
    if (lower > 0)
        return intake / lower * 100.0;
    if (upper > 0)
        return intake / upper * 100.0;
    return 0.0;
}

ShownDifference shownDifference(int nutrient, double intake, double lower, double upper, double rate)
{
    ShownDifference shown;
    if (rate == 100.0) {
        shown.text = kNoDifference;
        return shown;
    }
    const double difference = rate > 100.0 ? intake - upper : intake - lower;
    const std::string text = fixedText(difference, displayDecimals(nutrient), kDifferenceWidth, true);
    shown.none = false;
    // Read back the number as written, before an overflowing text is masked: a huge excess
    // must not be judged as "no difference" because its cell shows "****".
    shown.value = readFixedText(text);
    shown.text = formatDifference(nutrient, difference);
    return shown;
}

Judgement analysisJudgement(double rate, double shownDifference, bool monochrome)
{
    if (shownDifference == 0)
        return {kGood, JudgementTone::Fine, 1};
    if (rate >= kSlightLow && rate < 100.0)
        return {monochrome ? kSlightShortage : kSlightExcess, JudgementTone::Shortage, 1};
    if (rate > 100.0 && rate <= kSlightHigh)
        return {kSlightExcess, JudgementTone::Excess, 1};
    if (rate < kSlightLow) {
        if (monochrome)
            return {kWorryShortage, JudgementTone::Shortage, 1};
        return {kWorry, JudgementTone::Shortage, 4};
    }
    if (rate > kSlightHigh)
        return {kWorry, JudgementTone::Excess, 4};
    // A rate of exactly 100 always comes with no difference; kept for a caller's odd input.
    return {kGood, JudgementTone::Fine, 1};
}

Judgement analysisRateCell(double rate)
{
    const JudgementTone tone = rate < 100.0   ? JudgementTone::Shortage
                               : rate > 100.0 ? JudgementTone::Excess
                                              : JudgementTone::Normal;
    return {formatRate(rate), tone, 1};
}

quint32 toneRgb(JudgementTone tone, bool monochrome)
{
    if (monochrome)
        return 0x010101;
    switch (tone) {
    case JudgementTone::Shortage:
        return 0x2395FF;
    case JudgementTone::Excess:
        return 0xFA3434;
    case JudgementTone::Fine:
        return 0xF68A0A;
    case JudgementTone::Normal:
        break;
    }
    return 0x000000;
}

PanelJudgement panelJudgement(double intake, double lower, double upper)
{
    if (upper <= 0 && lower <= 0)
        return {QString(), 999, 2};
    if (intake < lower) {
        // lower > 0 here: an intake is never negative, and lower <= 0 would have no shortfall.
        if (intake / lower * 100.0 < kSlightLow)
            return {kWorry, -2, 3};
        return {kSlightExcess, -1, 2};
    }
    if (upper > 0 && intake > upper) {
        if (intake / upper * 100.0 > kSlightHigh)
            return {kWorry, 2, 3};
        return {kSlightExcess, 1, 2};
    }
    return {kGood, 0, 2};
}

QString panelRate(double intake, double lower, double upper)
{
    if (upper == 0)
        return QString(8, QLatin1Char(' '));
    const double base = intake < lower ? lower : intake > upper ? upper : intake;
    const double rate = base > 0 ? intake / base * 100.0 : 0.0;
    return fixedCell(rate, 0, 8, false, 8, QStringLiteral("*****"));
}

NutrientSets buildNutrientSets(const IntakeStandard &standard, const NutrientFlags &selection)
{
    NutrientSets sets;
    for (int i = 0; i < kNutrientCount; ++i) {
        const bool selected = selection[static_cast<size_t>(i)];
        sets.hasReference[static_cast<size_t>(i)] = standard[i].isSet();
        sets.shown[static_cast<size_t>(i)] = selected;
        sets.shownAndJudged[static_cast<size_t>(i)] = selected && sets.hasReference[static_cast<size_t>(i)];
    }
    return sets;
}

namespace {

const QString kSelectionSection = QStringLiteral("Dalmora Analyze");

QString selectionValueName(int nutrient)
{
    return QStringLiteral("Eiyouso2_%1").arg(nutrient + 1);
}

}  // namespace

NutrientFlags readNutrientSelection()
{
    NutrientFlags selection{};
    for (int n = 0; n < kNutrientCount; ++n)
        selection[static_cast<size_t>(n)] = quenkit::GetRegistryInt(kSelectionSection, selectionValueName(n), 1) != 0;
    return selection;
}

bool writeNutrientSelection(const NutrientFlags &selection)
{
    bool stored = true;
    for (int n = 0; n < kNutrientCount; ++n) {
        stored = quenkit::SetRegistryString(kSelectionSection, selectionValueName(n),
                                            selection[static_cast<size_t>(n)] ? QStringLiteral("1")
                                                                              : QStringLiteral("0")) == 1 &&
                 stored;
    }
    return stored;
}

}  // namespace dalmain
