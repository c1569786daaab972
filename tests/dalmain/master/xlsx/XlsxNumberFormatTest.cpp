#include "dalmain/master/XlsxNumberFormat.h"

#include "dalmain/master/foods/PrintQt.h"

#include <gtest/gtest.h>

#include <limits>

using namespace dalmain::xlsx;

namespace {

struct NumberCase {
    const char *code;
    double value;
    const char *shown;
};

void PrintTo(const NumberCase &c, std::ostream *os)
{
    *os << '[' << c.code << "] " << c.value;
}

class NumberFormatCase : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberFormatCase, ShowsTheNumberAsTheCellDoes)
{
    const NumberCase &c = GetParam();
    const NumberFormat format(QString::fromUtf8(c.code));
    EXPECT_TRUE(format.understood());
    EXPECT_EQ(format.format(c.value), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, NumberFormatCase,
    testing::Values(
        // General: the binary noise of the stored value goes, 11 characters at most.
        NumberCase{"General", 64.900000000000006, "64.9"}, NumberCase{"General", 7.0000000000000007E-2, "0.07"},
        NumberCase{"General", 1452, "1452"}, NumberCase{"General", 0, "0"}, NumberCase{"General", -1.5, "-1.5"},
        NumberCase{"General", 1.0 / 3, "0.333333333"}, NumberCase{"General", 2.0 / 3 * 1000, "666.6666667"},
        NumberCase{"General", 12345678901, "12345678901"}, NumberCase{"General", 123456789012, "1.23457E+11"},
        NumberCase{"General", 99999999999.9, "1E+11"}, NumberCase{"General", 0.0001, "0.0001"},
        NumberCase{"General", 0.000123456789, "0.000123457"}, NumberCase{"General", 0.00001234, "1.234E-05"},
        NumberCase{"General", 2.5e-300, "2.5E-300"}, NumberCase{"general", 0.5, "0.5"},
        // Fixed decimals round the displayed digits half away from zero.
        NumberCase{"0.0", 2, "2.0"}, NumberCase{"0.0", 2.25, "2.3"}, NumberCase{"0.0", 0.05, "0.1"},
        NumberCase{"0.00", 2.675, "2.68"}, NumberCase{"0.00", 0.125, "0.13"}, NumberCase{"0", 0.5, "1"},
        NumberCase{"0", 0.4, "0"}, NumberCase{"0.0", -1.25, "-1.3"}, NumberCase{"0.00", 9.999, "10.00"},
        NumberCase{"0.0", 0, "0.0"}, NumberCase{"00.0", 3.14, "03.1"}, NumberCase{".00", 0.5, ".50"},
        // The notations of the composition tables: parentheses and padding in the format.
        NumberCase{"\\(0.0\\)", 2.2000000000000002, "(2.2)"}, NumberCase{"\\(0.0\\)", 2, "(2.0)"},
        NumberCase{"\\(General\\)", 0, "(0)"}, NumberCase{"\\(General\\)", 1.23, "(1.23)"},
        NumberCase{"\\(0\\)", 0, "(0)"}, NumberCase{"\\(0.00\\)", 0.1, "(0.10)"},
        NumberCase{"0.0_ ", 1, "1.0"}, NumberCase{"0.00_ ", 0.56000000000000005, "0.56"},
        NumberCase{"\"(\"0.0\")\"", 1.2, "(1.2)"}, NumberCase{"0.0\"†\"", 20.3, "20.3†"},
        NumberCase{"0\" kg\"", 5, "5 kg"},
        // Optional digits, grouping, scaling and percent.
        NumberCase{"#,##0", 1234567, "1,234,567"}, NumberCase{"#,##0", 999.5, "1,000"},
        NumberCase{"#,##0", 12, "12"}, NumberCase{"#,##0.00", 1234.5, "1,234.50"},
        NumberCase{"#", 0, ""}, NumberCase{"#.##", 1, "1."}, NumberCase{"0.0#", 1.5, "1.5"},
        NumberCase{"0.0#", 1.25, "1.25"}, NumberCase{"0.0?", 1.5, "1.5 "}, NumberCase{"???", 7, "  7"},
        NumberCase{"0,", 12345, "12"}, NumberCase{"0%", 0.5, "50%"}, NumberCase{"0.0%", 0.123, "12.3%"},
        // Sections: positive; negative (no sign of its own); zero.
        NumberCase{"0.0;\\(0.0\\)", -1.5, "(1.5)"}, NumberCase{"0.0;\\(0.0\\)", 1.5, "1.5"},
        NumberCase{"0.0;\\(0.0\\)", 0, "0.0"}, NumberCase{"0;-0;\"zero\"", 0, "zero"},
        NumberCase{"0;-0;\"zero\"", -4, "-4"}, NumberCase{"0;;", -5, ""},
        NumberCase{"[Red]0.0", 1, "1.0"}, NumberCase{"0.0;[Red]\\-0.0", -2, "-2.0"},
        NumberCase{"[$¥-411]#,##0", 1000, "¥1,000"}, NumberCase{"[$-411]0", 5, "5"},
        // An accounting format: padding and fill give no text, "?" a blank.
        NumberCase{"_ * #,##0.00_ ;_ * \\-#,##0.00_ ;_ * \"-\"??_ ;_ @_ ", 1234.5, "1,234.50"},
        NumberCase{"_ * #,##0.00_ ;_ * \\-#,##0.00_ ;_ * \"-\"??_ ;_ @_ ", -3, "-3.00"},
        NumberCase{"_ * #,##0.00_ ;_ * \\-#,##0.00_ ;_ * \"-\"??_ ;_ @_ ", 0, "-  "},
        // A text format shows a number as it is.
        NumberCase{"@", 1.5, "1.5"}));

TEST(NumberFormat, ShowsGeneralForWhatItDoesNotUnderstand)
{
    const struct {
        const char *code;
        double value;
        const char *shown;
    } cases[] = {
        {"yyyy/m/d", 45000, "45000"},   {"0.00E+00", 12345, "12345"}, {"[>=100]0;0.0", 5.25, "5.25"},
        {"# ?/?", 1.5, "1.5"},          {"\"abc", 2.5, "2.5"},        {"000-0000", 1234567, "1234567"},
        {"0;0;0;@;0", 1, "1"},          {"", 3.5, "3.5"},             {"[h]:mm", 0.5, "0.5"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        const NumberFormat format(QString::fromUtf8(c.code));
        EXPECT_FALSE(format.understood());
        EXPECT_EQ(format.format(c.value), QString::fromUtf8(c.shown));
    }
}

TEST(NumberFormat, TextGoesThroughTheTextSectionOnly)
{
    const struct {
        const char *code;
        const char *shown;
    } cases[] = {
        {"@", "abc"},
        {"\"(\"@\")\"", "(abc)"},
        {"0;0;0;\"t:\"@", "t:abc"},
        {"0.0", "abc"},              // no text section: the text as it is
        {"\\(General\\)", "abc"},
        {"General", "abc"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(NumberFormat(QString::fromUtf8(c.code)).formatText(QStringLiteral("abc")), QString::fromUtf8(c.shown));
    }
}

TEST(NumberFormat, ValuesNoCellCanHoldShowAnError)
{
    EXPECT_EQ(NumberFormat(u"0.0").format(std::numeric_limits<double>::infinity()), QStringLiteral("#NUM!"));
    EXPECT_EQ(formatGeneral(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("#NUM!"));
}

TEST(NumberFormat, BuiltInCodes)
{
    EXPECT_EQ(builtInFormatCode(0), QStringLiteral("General"));
    EXPECT_EQ(builtInFormatCode(1), QStringLiteral("0"));
    EXPECT_EQ(builtInFormatCode(2), QStringLiteral("0.00"));
    EXPECT_EQ(builtInFormatCode(3), QStringLiteral("#,##0"));
    EXPECT_EQ(builtInFormatCode(49), QStringLiteral("@"));
    EXPECT_TRUE(builtInFormatCode(176).isEmpty());   // custom range: the workbook defines it
    EXPECT_EQ(NumberFormat(builtInFormatCode(2)).format(0.1), QStringLiteral("0.10"));
    EXPECT_EQ(NumberFormat(builtInFormatCode(1)).format(2.5), QStringLiteral("3"));
}

}  // namespace
