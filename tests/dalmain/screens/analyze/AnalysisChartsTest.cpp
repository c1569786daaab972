// The analysis charts' geometry, and what the painting routines leave on an image: the bars'
// lengths, nothing outside the rectangle they were given, and no colour in monochrome.

#include "dalmain/analysis/Sufficiency.h"
#include "dalmain/screens/analyze/AnalysisChartPanes.h"
#include "dalmain/screens/analyze/AnalysisCharts.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <map>

using namespace dalmain;

namespace {

TEST(AnalysisChartGeometry, BarAxisFollowsTheTargetRate)
{
    const struct {
        double target;
        double axis;
    } cases[] = {
        {0, 150},     {100, 150},   {149.9, 150}, // below 150: the fixed axis
        {150, 200},   {249.9, 200}, // from 150: (T + 50) / 100 rounded down, times 100
        {250, 300},   {320, 300},   {1234, 1200},
        {std::numeric_limits<double>::quiet_NaN(), 150}, // a damaged figure draws no bar
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(nutrientBarAxis(c.target), c.axis) << "T = " << c.target;
}

TEST(AnalysisChartGeometry, ReferenceBandLiesWhereTheBoundsAreOnTheTargetScale)
{
    const struct {
        double lower, upper;
        bool valid, hasUpper;
        double bandLower, bandUpper;
    } cases[] = {
        {1500, 2300, true, true, 1500.0 / 1900 * 100, 2300.0 / 1900 * 100},  // a range: around its middle
        {60, 0, true, false, 100, 0},                                         // only a lower bound
        {0, 7.5, true, true, 0, 100},                                         // only an upper bound
        {50, 50, true, true, 100, 100},                                       // one value
        {0, 0, false, false, 0, 0},                                           // no reference
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.lower << "-" << c.upper);
        const ReferenceBand band = referenceBand(c.lower, c.upper);
        ASSERT_EQ(band.valid, c.valid);
        if (!band.valid)
            continue;
        EXPECT_EQ(band.hasUpper, c.hasUpper);
        EXPECT_NEAR(band.lower, c.bandLower, 1e-9);
        EXPECT_NEAR(band.lowerFade, 0.2 * c.bandLower, 1e-9);
        // An intake exactly on a bound has the target rate where the band's edge is drawn.
        if (c.lower > 0) {
            EXPECT_NEAR(band.lower, targetRate(c.lower, c.lower, c.upper), 1e-9);
        }
        if (c.hasUpper) {
            EXPECT_NEAR(band.upper, c.bandUpper, 1e-9);
            EXPECT_NEAR(band.upperFade, 0.2 * c.bandUpper, 1e-9);
            EXPECT_NEAR(band.upper, targetRate(c.upper, c.lower, c.upper), 1e-9);
        }
    }
}

// A day whose energy is at the middle of its range, protein at half its lower bound and salt at
// four times its upper bound, all eaten at breakfast; a history of a few days with a gap in
// the spent energy and the weight; and a group table with proper values.
class ChartFixture : public ::testing::Test
{
protected:
    ChartFixture()
    {
        standard[EnergyKcal] = {1500, 2300};
        standard[Protein] = {60, 0};
        standard[SaltEquivalent] = {0, 7.5};
        const double intake[3] = {1900, 30, 30};
        const int nutrients[3] = {EnergyKcal, Protein, SaltEquivalent};
        for (int i = 0; i < 3; ++i) {
            const int n = nutrients[i];
            const IntakeBound &b = standard[n];
            result.dayTotal[n] = intake[i];
            result.mealSums[0][n] = intake[i];
            result.mealShares[0][n] = 100;
            result.sufficiencyRate[n] = sufficiencyRate(intake[i], b.lower, b.upper);
            result.targetRate[n] = targetRate(intake[i], b.lower, b.upper);
        }
        result.periodKey = "20240110";
        result.pfc = {true, {14.7, 26.5, 58.8}, {true, true, true}, {100, 105.9, 98}};
        for (int d = 1; d <= 12; ++d) {
            HistoryEntry e;
            e.dateKey = QStringLiteral("202401%1").arg(d, 2, 10, QLatin1Char('0')).toLatin1();
            e.energyIntake = 1500 + 50 * d;
            e.energySpentA = d % 3 ? 200 : 0;
            e.energySpentB = d % 3 ? 1500 : 0;
            e.bodyWeight = d % 4 ? 55 + 0.1 * d : 0;
            result.history.push_back(e);
        }
        result.historyScale = {1000, 2500, 25, 86};
        for (int g = 0; g < 3; ++g) {
            result.groupAmounts[0][g] = 50.0 * (g + 1);
            result.groupAmounts[2][g] = 30.0 * (g + 1);
            result.groupAmounts[kAnalysisMeals][g] = 80.0 * (g + 1);
            result.exchangeUnits = result.groupAmounts;
        }
        table.tableName = QStringLiteral("三群表");
        table.setName = QStringLiteral("成人");
        table.names = {QStringLiteral("主食"), QStringLiteral("主菜"), QStringLiteral("副菜")};
        table.proper = std::array<double, kAnalysisGroups>{100, 160, 0};
        report.result = &result;
        report.standard = &standard;
        report.nutrientRows.fill(true);
        report.groups = table;
        report.exchange = table;
    }

    // Each routine with the figures above, or with none.
    std::map<QString, std::function<void(QPainter &, const QRect &, bool)>> routines(const AnalysisReport &r,
                                                                                  const AnalysisResult &res)
    {
        return {
            {QStringLiteral("bars"), [&](QPainter &p, const QRect &rect, bool mono) { paintNutrientBars(p, rect, r, mono, false); }},
            {QStringLiteral("rates"), [&](QPainter &p, const QRect &rect, bool mono) { paintNutrientBars(p, rect, r, mono, true); }},
            {QStringLiteral("radar"), [&](QPainter &p, const QRect &rect, bool mono) { paintSufficiencyRadar(p, rect, r, mono); }},
            {QStringLiteral("pfc"), [&](QPainter &p, const QRect &rect, bool mono) { paintPfcChart(p, rect, res.pfc, PfcTargets(), mono); }},
            {QStringLiteral("history"), [&](QPainter &p, const QRect &rect, bool mono) { paintHistoryGraph(p, rect, res, 3, mono); }},
            {QStringLiteral("groups"), [&](QPainter &p, const QRect &rect, bool mono) { paintGroupChart(p, rect, res, table, false, mono); }},
            {QStringLiteral("exchange"), [&](QPainter &p, const QRect &rect, bool mono) { paintGroupChart(p, rect, res, table, true, mono); }},
            {QStringLiteral("group radar"), [&](QPainter &p, const QRect &rect, bool mono) { paintGroupRadar(p, rect, res, table, false, mono); }},
        };
    }

    static QImage paint(const QSize &size, const QRect &rect, const std::function<void(QPainter &, const QRect &, bool)> &routine,
                        bool monochrome)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(analysisChartFont());
        routine(painter, rect, monochrome);
        painter.end();
        return image;
    }

    IntakeStandard standard;
    AnalysisResult result;
    GroupTableText table;
    AnalysisReport report;
};

// The bar of each nutrient: the target rate on its own axis, so energy at 100 % takes two
// thirds of the bar's room (axis 150), protein at 50 % one third, and salt at 400 % (axis 400)
// all of it.
TEST_F(ChartFixture, BarLengthsFollowTheTargetRates)
{
    ASSERT_DOUBLE_EQ(result.targetRate[EnergyKcal], 100);
    ASSERT_DOUBLE_EQ(result.targetRate[Protein], 50);
    ASSERT_DOUBLE_EQ(result.targetRate[SaltEquivalent], 400);
    const QImage image = paint({900, 400}, {0, 0, 900, 400},
                               [&](QPainter &p, const QRect &r, bool mono) { paintNutrientBars(p, r, report, mono, false); }, false);
    // The breakfast colour's extent on each scan line, grouped into the three bars top down.
    const QRgb breakfast = qRgb(0x4C, 0xAF, 0x50);
    QList<int> lengths;
    int lastLine = -10;
    for (int y = 0; y < image.height(); ++y) {
        int from = -1, to = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == breakfast) {
                if (from < 0)
                    from = x;
                to = x;
            }
        }
        if (from < 0)
            continue;
        if (y != lastLine + 1)
            lengths.append(0);
        lengths.last() = std::max(lengths.last(), to - from + 1);
        lastLine = y;
    }
    // The legend's breakfast swatch in the header comes first; the three bars follow.
    ASSERT_EQ(lengths.size(), 4) << "bars found: " << lengths.size();
    const double full = lengths[3];
    ASSERT_GT(full, 100);
    EXPECT_NEAR(lengths[1] / full, 100.0 / 150.0, 3 / full);
    EXPECT_NEAR(lengths[2] / full, 50.0 / 150.0, 3 / full);
}

// Every routine stays inside its rectangle, on a roomy one, a cramped one and an empty one,
// with the fixture's figures, with none and with damaged ones.
TEST_F(ChartFixture, RoutinesPaintInsideTheirRectangle)
{
    AnalysisResult damaged = result;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    damaged.targetRate[EnergyKcal] = nan;
    damaged.sufficiencyRate[Protein] = inf;
    damaged.mealShares[1][SaltEquivalent] = nan;
    damaged.history[2].energyIntake = nan;
    damaged.historyScale = {nan, nan, inf, 0};
    damaged.pfc.chartValue = {nan, inf, -5};
    damaged.groupAmounts[kAnalysisMeals][0] = inf;
    AnalysisReport damagedReport = report;
    damagedReport.result = &damaged;
    const AnalysisResult empty;
    AnalysisReport emptyReport;   // no result, no standard

    const struct {
        const char *name;
        const AnalysisReport *report;
        const AnalysisResult *result;
    } figures[] = {{"fixture", &report, &result}, {"damaged", &damagedReport, &damaged}, {"empty", &emptyReport, &empty}};
    const QRect rects[] = {{40, 30, 600, 420}, {40, 30, 35, 25}, {40, 30, 0, 0}};
    for (const auto &f : figures) {
        for (const auto &[name, routine] : routines(*f.report, *f.result)) {
            for (const QRect &rect : rects) {
                SCOPED_TRACE(testing::Message() << f.name << " " << qPrintable(name) << " " << rect.width() << "x" << rect.height());
                const QImage image = paint({700, 500}, rect, routine, false);
                int outside = 0, inside = 0;
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        if (image.pixel(x, y) == qRgb(255, 255, 255))
                            continue;
                        (rect.contains(x, y) ? inside : outside) += 1;
                    }
                }
                EXPECT_EQ(outside, 0);
                if (rect.width() > 100) {
                    EXPECT_GT(inside, 0);
                }
            }
        }
    }
}

TEST_F(ChartFixture, MonochromeHasNoColour)
{
    for (const auto &[name, routine] : routines(report, result)) {
        SCOPED_TRACE(qPrintable(name));
        const QImage image = paint({700, 500}, {0, 0, 700, 500}, routine, true);
        int coloured = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (std::abs(qRed(p) - qGreen(p)) > 2 || std::abs(qGreen(p) - qBlue(p)) > 2)
                    ++coloured;
            }
        }
        EXPECT_EQ(coloured, 0);
    }
}

// The rows' height: the header, a row per shown-and-judged nutrient and the legend; fewer
// nutrients selected, fewer rows; a narrow chart wraps the legend onto more lines.
TEST_F(ChartFixture, BarsHeightCountsTheJudgedRows)
{
    const QFontMetrics metrics(analysisChartFont());
    const int all = nutrientBarsHeight(report, metrics, 900);
    AnalysisReport fewer = report;
    fewer.nutrientRows.fill(false);
    fewer.nutrientRows[EnergyKcal] = true;
    fewer.nutrientRows[VitaminC] = true;   // selected, but without a reference: no row
    const int one = nutrientBarsHeight(fewer, metrics, 900);
    EXPECT_GT(all, one);
    const int row = (all - one) / 2;
    EXPECT_EQ(all - one, 2 * row);
    EXPECT_GE(row, metrics.height());
    EXPECT_GT(nutrientBarsHeight(report, metrics, 200), all);
}

}  // namespace
