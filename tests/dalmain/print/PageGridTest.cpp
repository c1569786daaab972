#include "dalmain/print/PageGrid.h"

#include "quenkit/registry/SettingsStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using dalmain::GridCell;
using dalmain::PagePlacement;
using dalmain::PositionMode;

TEST(PageGrid, CellKeepsItsFullSizeOnceEitherSideReachesItsThresholdElseScalesTruncated)
{
    struct Case {
        int widthMm, heightMm;
        GridCell cell;
    };
    const Case cases[] = {
        {200, 287, {212, 423}},  // the height reaches 280
        {203, 200, {212, 423}},  // the width reaches 203
        {200, 270, {208, 407}},  // 208.87 and 407.89 cut toward zero
        {202, 279, {210, 421}},  // one short of both thresholds
        {100, 140, {104, 211}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dalmain::gridCell(c.widthMm, c.heightMm), c.cell) << c.widthMm << " x " << c.heightMm;
}

TEST(PageGrid, PositionModesPlaceTheLineOnlyWhereThePageLeavesRoom)
{
    const GridCell cell{212, 423};  // a line of 27560
    struct Case {
        PositionMode mode;
        QSize page;
        double top, left;
        PagePlacement placed;
    };
    const Case cases[] = {
        {PositionMode::Left, {28560, 20000}, 1.0, 1.0, {{0, 0}, 20000}},
        {PositionMode::Centre, {20000, 28700}, 0.0, 0.0, {{0, 0}, 28700}},  // narrower than the line
        {PositionMode::Centre, {28560, 20000}, 0.0, 0.0, {{500, 0}, 20000}},
        {PositionMode::Right, {20000, 28700}, 0.0, 0.0, {{0, 0}, 28700}},
        {PositionMode::Right, {28560, 20000}, 0.0, 0.0, {{1000, 0}, 20000}},
        {PositionMode::Offset, {20000, 28700}, 1.5, 2.25, {{2250, 1500}, 27200}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dalmain::placePage(c.mode, c.page, cell, c.top, c.left), c.placed) << static_cast<int>(c.mode);
}

TEST(PageGrid, StoredOptionsFallBackToTheReportsDefaultsAndRefuseWhatCannotBePlaced)
{
    testsupport::TempFolders folders;
    const QString section = QStringLiteral("Dalmora Weight Print");
    std::array<bool, 14> defaults{};
    defaults[0] = defaults[2] = true;
    dalmain::ReportOptions options = dalmain::readReportOptions(section, defaults);
    EXPECT_TRUE(options.block(1));
    EXPECT_FALSE(options.block(2));
    EXPECT_TRUE(options.block(3));
    EXPECT_FALSE(options.block(0));
    EXPECT_FALSE(options.block(15));
    EXPECT_EQ(options.mode, PositionMode::Left);
    EXPECT_EQ(options.topCm, 0.0);

    quenkit::SetRegistryString(section, QStringLiteral("ChkFlg1"), QStringLiteral("0"));
    quenkit::SetRegistryString(section, QStringLiteral("ChkFlg2"), QStringLiteral("1"));
    quenkit::SetRegistryString(section, QStringLiteral("Flg1"), QStringLiteral("3"));
    quenkit::SetRegistryString(section, QStringLiteral("Top"), QStringLiteral("1.5"));
    quenkit::SetRegistryString(section, QStringLiteral("Left"), QStringLiteral("-2.0"));
    options = dalmain::readReportOptions(section, defaults);
    EXPECT_FALSE(options.block(1));
    EXPECT_TRUE(options.block(2));
    EXPECT_EQ(options.mode, PositionMode::Offset);
    EXPECT_DOUBLE_EQ(options.topCm, 1.5);
    EXPECT_EQ(options.leftCm, 0.0);  // a negative offset would push the page off the paper

    quenkit::SetRegistryString(section, QStringLiteral("Flg1"), QStringLiteral("4"));
    quenkit::SetRegistryString(section, QStringLiteral("Top"), QStringLiteral("abc"));
    options = dalmain::readReportOptions(section, defaults);
    EXPECT_EQ(options.mode, PositionMode::Left);
    EXPECT_EQ(options.topCm, 0.0);
}

}  // namespace
