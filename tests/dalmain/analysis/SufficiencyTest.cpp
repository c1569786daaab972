#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/analysis/Sufficiency.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

constexpr quint32 kBlue = 0x2395FF;
constexpr quint32 kRed = 0xFA3434;
constexpr quint32 kOrange = 0xF68A0A;
constexpr quint32 kNearBlack = 0x010101;

struct JudgedCase {
    const char *what;
    int nutrient;
    double lower, upper, intake;
    double rate;               // expected S
    const char *difference;    // expected difference column
    const char *colourSymbol;
    quint32 colour;
    int strokes;               // of the colour symbol
    const char *monoSymbol;
};

const JudgedCase kJudgedCases[] = {
    {"well short of a lower bound", Protein, 60, 0, 45, 75.0, " -15.0", "！", kBlue, 4, "!!"},
    {"slightly short of a lower bound", Protein, 60, 0, 50, 250.0 / 3.0, " -10.0", "▲", kBlue, 1, "△"},
    {"slightly over a range", EnergyKcal, 1500, 2300, 2500, 2500.0 / 23.0, "  +200", "▲", kRed, 1, "▲"},
    {"inside a range", EnergyKcal, 1500, 2300, 1900, 100.0, "－", "●", kOrange, 1, "●"},
    {"well over an upper bound only", Sodium, 0, 3000, 4000, 400.0 / 3.0, " +1000", "！", kRed, 4, "！"},
    // The shortfall rounds to "-0.0" at one decimal: shown as no difference, judged fine.
    {"shortfall below the shown precision", Protein, 60, 0, 59.96, 5996.0 / 60.0, "  -0.0", "●", kOrange, 1, "●"},
    {"exactly the single reference value", Iron, 10.5, 10.5, 10.5, 100.0, "－", "●", kOrange, 1, "●"},
    {"just under a single reference value", Iron, 10.5, 10.5, 9.0, 9.0 / 10.5 * 100.0, "  -1.5", "▲", kBlue, 1, "△"},
    {"exactly 120 percent of the upper bound", VitaminB1, 0, 1.0, 1.2, 120.0, " +0.20", "▲", kRed, 1, "▲"},
    {"no reference at all", Water, 0, 0, 1234.5, 100.0, "－", "●", kOrange, 1, "●"},
    {"nothing eaten", Calcium, 650, 2300, 0, 0.0, "  -650", "！", kBlue, 4, "!!"},
    // A difference too wide for its column is masked, but still judged by its value.
    {"an excess too wide for the column", EnergyKcal, 1500, 2300, 2300000, 100000.0, "****", "！", kRed, 4, "！"},
};

class AnalysisJudgementTest : public ::testing::TestWithParam<JudgedCase> {};

TEST_P(AnalysisJudgementTest, RateDifferenceAndSymbols)
{
    const JudgedCase &c = GetParam();
    const double s = sufficiencyRate(c.intake, c.lower, c.upper);
    EXPECT_NEAR(s, c.rate, 1e-9);

    const ShownDifference d = shownDifference(c.nutrient, c.intake, c.lower, c.upper, s);
    EXPECT_EQ(d.text, QString::fromUtf8(c.difference));
    EXPECT_EQ(d.none, s == 100.0);

    const Judgement colour = analysisJudgement(s, d.value, false);
    EXPECT_EQ(colour.symbol, QString::fromUtf8(c.colourSymbol));
    EXPECT_EQ(toneRgb(colour.tone, false), c.colour);
    EXPECT_EQ(colour.strokes, c.strokes);

    const Judgement mono = analysisJudgement(s, d.value, true);
    EXPECT_EQ(mono.symbol, QString::fromUtf8(c.monoSymbol));
    EXPECT_EQ(toneRgb(mono.tone, true), kNearBlack);
}

INSTANTIATE_TEST_SUITE_P(Cases, AnalysisJudgementTest, ::testing::ValuesIn(kJudgedCases),
                         [](const ::testing::TestParamInfo<JudgedCase> &info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST(Sufficiency, ShownDifferenceValueIsTheRoundedFigure)
{
    // 59.96 against 60 reads back as zero; 59.94 as -0.1.
    EXPECT_EQ(shownDifference(Protein, 59.96, 60, 0, sufficiencyRate(59.96, 60, 0)).value, 0.0);
    EXPECT_DOUBLE_EQ(shownDifference(Protein, 59.94, 60, 0, sufficiencyRate(59.94, 60, 0)).value, -0.1);
    // Two decimals keep a shortfall that one decimal would hide.
    EXPECT_DOUBLE_EQ(shownDifference(Copper, 0.696, 0.7, 0, sufficiencyRate(0.696, 0.7, 0)).value, 0.0);
    EXPECT_DOUBLE_EQ(shownDifference(Copper, 0.69, 0.7, 0, sufficiencyRate(0.69, 0.7, 0)).value, -0.01);
}

TEST(Sufficiency, TargetRateAgainstTheMiddleOfTheRange)
{
    struct Case {
        double lower, upper, intake, expected;
    } cases[] = {
        {1500, 2300, 1900, 100.0},        // the middle of the range
        {1500, 2300, 950, 50.0},
        {10, 10, 15, 150.0},              // a single value
        {60, 0, 45, 75.0},                // lower bound only
        {0, 3000, 4000, 400.0 / 3.0},     // upper bound only
        {0, 0, 500, 0.0},                 // no reference: stays as cleared
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.lower << "-" << c.upper << " x=" << c.intake);
        EXPECT_NEAR(targetRate(c.intake, c.lower, c.upper), c.expected, 1e-9);
    }
}

TEST(Sufficiency, RateModeCellShowsTheRateBySide)
{
    struct Case {
        double rate;
        const char *text;
        JudgementTone tone;
    } cases[] = {
        {75.0, " 75", JudgementTone::Shortage},
        {100.0, "100", JudgementTone::Normal},
        {400.0 / 3.0, "133", JudgementTone::Excess},
        {99.6, "100", JudgementTone::Shortage},  // the side comes from S, not from its rounded text
        {2500000.0, "****", JudgementTone::Excess},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rate);
        const Judgement cell = analysisRateCell(c.rate);
        EXPECT_EQ(cell.symbol, QString::fromUtf8(c.text));
        EXPECT_EQ(cell.tone, c.tone);
    }
    EXPECT_EQ(toneRgb(JudgementTone::Normal, true), kNearBlack);
}

TEST(Sufficiency, MenuPanelJudgement)
{
    struct Case {
        double intake, lower, upper;
        const char *symbol;
        int code;
        int strokes;
    } cases[] = {
        // With an upper bound.
        {45, 60, 100, "！", -2, 3},
        {50, 60, 100, "▲", -1, 2},
        {60, 60, 100, "●", 0, 2},
        {100, 60, 100, "●", 0, 2},
        {110, 60, 100, "▲", 1, 2},
        {120, 60, 100, "▲", 1, 2},
        {121, 60, 100, "！", 2, 3},
        {3500, 0, 3000, "▲", 1, 2},
        // Lower bound only.
        {0, 10, 0, "！", -2, 3},
        {9, 10, 0, "▲", -1, 2},
        {70, 60, 0, "●", 0, 2},
        // No reference.
        {0, 0, 0, "", 999, 2},
        {123, 0, 0, "", 999, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.intake << " in " << c.lower << "-" << c.upper);
        const PanelJudgement j = panelJudgement(c.intake, c.lower, c.upper);
        EXPECT_EQ(j.symbol, QString::fromUtf8(c.symbol));
        EXPECT_EQ(j.code, c.code);
        EXPECT_EQ(j.strokes, c.strokes);
    }
}

TEST(Sufficiency, MenuPanelRate)
{
    struct Case {
        double intake, lower, upper;
        const char *text;
    } cases[] = {
        {50, 60, 0, "        "},      // no upper bound: blank, even with a lower one
        {50, 60, 100, "      83"},
        {80, 60, 100, "     100"},
        {250, 60, 100, "     250"},
        {0, 0, 100, "       0"},      // inside the range with nothing eaten: base 0
        {1e9, 0, 1, "*****"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.intake << " in " << c.lower << "-" << c.upper);
        EXPECT_EQ(panelRate(c.intake, c.lower, c.upper), QString::fromUtf8(c.text));
    }
}

TEST(Sufficiency, NutrientSetsFromReferencesAndSelection)
{
    IntakeStandard refs;
    refs[EnergyKcal] = {1500, 2300};
    refs[Protein] = {60, 0};
    refs[Sodium] = {0, 3000};
    refs[Iron] = {10.5, 10.5};
    NutrientFlags selection{};
    selection.fill(true);
    selection[Protein] = false;
    selection[Water] = false;

    const NutrientSets sets = buildNutrientSets(refs, selection);
    for (int i = 0; i < kNutrientCount; ++i) {
        SCOPED_TRACE(i);
        const bool hasRef = i == EnergyKcal || i == Protein || i == Sodium || i == Iron;
        const bool selected = i != Protein && i != Water;
        EXPECT_EQ(sets.hasReference[i], hasRef);
        EXPECT_EQ(sets.shown[i], selected);
        EXPECT_EQ(sets.shownAndJudged[i], hasRef && selected);
    }
}

TEST(Sufficiency, NutrientSelectionFromSettings)
{
    testsupport::TempFolders folders;
    NutrientFlags selection = readNutrientSelection();
    for (int i = 0; i < kNutrientCount; ++i)
        EXPECT_TRUE(selection[i]) << i;

    // Stored as "1"/"0" by the selection dialog, numbered from 1.
    ASSERT_EQ(quenkit::SetRegistryString(QStringLiteral("Dalmora Analyze"), QStringLiteral("Eiyouso2_1"),
                                         QStringLiteral("0")), 1);
    ASSERT_EQ(quenkit::SetRegistryString(QStringLiteral("Dalmora Analyze"), QStringLiteral("Eiyouso2_37"),
                                         QStringLiteral("0")), 1);
    selection = readNutrientSelection();
    for (int i = 0; i < kNutrientCount; ++i)
        EXPECT_EQ(selection[i], i != EnergyKcal && i != SaltEquivalent) << i;
}

}  // namespace
