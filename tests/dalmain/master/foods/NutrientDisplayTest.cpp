#include "dalmain/master/NutrientDisplay.h"

#include "quenkit/text/ShiftJis.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

TEST(NutrientDisplay, HeadingsSplitTheOneLineName)
{
    for (int i = 0; i < kNutrientCount; ++i) {
        SCOPED_TRACE(i);
        const NutrientDisplayRow &row = nutrientDisplayRow(i);
        EXPECT_EQ(QString::fromUtf8(row.headingTop) + QString::fromUtf8(row.headingBottom), nutrientDisplayName(i));
        EXPECT_STRNE(row.headingBottom, "");
        EXPECT_GE(row.decimals, 0);
        EXPECT_LE(row.decimals, 2);
        // The aligned text export gives names 12 bytes and units 4.
        EXPECT_LE(quenkit::sjisWidth(nutrientDisplayName(i)), 12);
        EXPECT_LE(quenkit::sjisWidth(nutrientDisplayUnit(i)), 4);
        bool encodable = false;
        quenkit::toSjis(nutrientDisplayName(i) + nutrientDisplayUnit(i), &encodable);
        EXPECT_TRUE(encodable);
    }
    EXPECT_EQ(nutrientHeading(Protein), QStringLiteral("たんぱく\n質"));
    EXPECT_EQ(nutrientHeading(VitaminB1), QStringLiteral("ﾋﾞﾀﾐﾝ\nB1"));
    EXPECT_EQ(nutrientHeading(SaltEquivalent), QStringLiteral("食塩\n相当量"));
    EXPECT_EQ(nutrientHeading(Fat), QStringLiteral("脂質"));
}

TEST(NutrientDisplay, ValueFormatsByDecimals)
{
    struct Case {
        int nutrient;
        double value;
        const char *intake, *difference, *panel, *panelDifference, *plain;
    } cases[] = {
        {EnergyKcal, 1849.5, "  1850", " +1850", "    1850", "   +1850", "1850"},
        {Protein, 62.25, "  62.2", " +62.2", "    62.2", "   +62.2", "62.2"},   // an exact tie goes to the even digit
        {Copper, 0.875, "  0.88", " +0.88", "    0.88", "   +0.88", "0.88"},
        {Protein, -0.04, "  -0.0", "  -0.0", "    -0.0", "    -0.0", "-0.0"},  // the sign stays, as printf keeps it
        {Protein, 0, "   0.0", "  +0.0", "     0.0", "    +0.0", "0.0"},
        // Overflow: six characters for the views, eight for the panel.
        {EnergyKcal, 123456, "123456", "****", "  123456", " +123456", "123456"},
        {EnergyKcal, 1234567, "****", "****", " 1234567", "+1234567", "1234567"},
        {Protein, 99999.9, "****", "****", " 99999.9", "+99999.9", "99999.9"},
        {Copper, 1234567.5, "****", "****", "*****", "*****", "1234567.50"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.nutrient << " " << c.value);
        EXPECT_EQ(formatIntake(c.nutrient, c.value), QString::fromUtf8(c.intake));
        EXPECT_EQ(formatDifference(c.nutrient, c.value), QString::fromUtf8(c.difference));
        EXPECT_EQ(formatPanelAmount(c.nutrient, c.value), QString::fromUtf8(c.panel));
        EXPECT_EQ(formatPanelDifference(c.nutrient, c.value), QString::fromUtf8(c.panelDifference));
        EXPECT_EQ(formatPlain(c.nutrient, c.value), QString::fromUtf8(c.plain));
    }
}

TEST(NutrientDisplay, ReferenceColumn)
{
    struct Case {
        int nutrient;
        double lower, upper;
        const char *text;
    } cases[] = {
        {EnergyKcal, 1500, 2300, "  1500～2300"},
        {Protein, 60, 0, "  60.0～"},
        {Sodium, 0, 3000, "～3000"},
        {Copper, 0.7, 9, "  0.70～9.00"},
        {Iron, 10.5, 10.5, "  10.5"},  // a single value reads like an intake
        {Water, 0, 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.nutrient);
        EXPECT_EQ(formatReference(c.nutrient, c.lower, c.upper), QString::fromUtf8(c.text));
    }
}

TEST(NutrientDisplay, RateFormat)
{
    EXPECT_EQ(formatRate(5.4), QStringLiteral("  5"));
    EXPECT_EQ(formatRate(108.69), QStringLiteral("109"));
    EXPECT_EQ(formatRate(999999.0), QStringLiteral("999999"));
    EXPECT_EQ(formatRate(1000000.0), QStringLiteral("****"));
}

}  // namespace
