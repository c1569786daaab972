#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <array>

// The page of every report: a grid of character cells in hundredths of a millimetre, placed on
// the printable area by the report's position mode, and the report's stored options. Pure
// arithmetic, so that the layout is the same on a printer and in a PDF file.
namespace dalmain {

// A report line is this many cells wide.
inline constexpr int kLineCells = 130;

struct GridCell {
    int width = 212;   // hundredths of a millimetre
    int height = 423;
    friend bool operator==(const GridCell &, const GridCell &) = default;
};

// The cell for a printable area of widthMm x heightMm: the full cell once either side reaches
// 203 x 280 mm, otherwise the full cell scaled by width / 203 and height / 280 (truncated).
GridCell gridCell(int widthMm, int heightMm);

enum class PositionMode { Left = 0, Centre = 1, Right = 2, Offset = 3 };

// Where the report's origin lies on a page of pageSize (hundredths of a millimetre), and how
// far below the origin it may draw.
struct PagePlacement {
    QPoint origin;
    int bottom = 0;
    friend bool operator==(const PagePlacement &, const PagePlacement &) = default;
};

// Centre and right move the line of kLineCells cells only on a page wider than the line; the
// offset mode moves the origin by the offsets in centimetres (1 cm = 1000 units) and takes the
// top offset off the bottom.
PagePlacement placePage(PositionMode mode, QSize pageSize, GridCell cell, double topCm, double leftCm);

// A report's stored options: its check boxes "ChkFlg1" ... "ChkFlg14" (which blocks to print),
// its position mode "Flg1" and the offsets "Top" and "Left".
struct ReportOptions {
    std::array<bool, 14> blocks{};
    PositionMode mode = PositionMode::Left;
    double topCm = 0.0;
    double leftCm = 0.0;
    bool block(int number) const { return number >= 1 && number <= 14 && blocks[number - 1]; }
};

inline const QString kUserPrintSection = QStringLiteral("Dalmora User Print");
inline const QString kMenuPrintSection = QStringLiteral("Dalmora Menu Print");
inline const QString kSportsPrintSection = QStringLiteral("Dalmora Sports Print");
inline const QString kWeightPrintSection = QStringLiteral("Dalmora Weight Print");

// The options of section; an absent check box takes its value from defaults. A position mode
// outside 0-3 counts as 0, and an offset that is no number, or negative, as 0.
ReportOptions readReportOptions(const QString &section, const std::array<bool, 14> &defaults);

// An offset in centimetres stored as decimal text ("Top", "Left"): 0 when absent, no number, or
// negative.
double readOffsetCm(const QString &section, const QString &name);

// Every check box set: what most reports print by default.
inline constexpr std::array<bool, 14> kAllBlocks{true, true, true, true, true, true, true,
                                                 true, true, true, true, true, true, true};

}  // namespace dalmain
