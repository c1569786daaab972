#include "dalmain/print/PageGrid.h"

#include "quenkit/registry/SettingsStore.h"

namespace dalmain {

namespace {

constexpr int kFullWidthMm = 203;
constexpr int kFullHeightMm = 280;
constexpr int kUnitsPerCm = 1000;

}  // namespace

GridCell gridCell(int widthMm, int heightMm)
{
    const GridCell full;
    if (widthMm >= kFullWidthMm || heightMm >= kFullHeightMm || widthMm <= 0 || heightMm <= 0)
        return full;
    return {full.width * widthMm / kFullWidthMm, full.height * heightMm / kFullHeightMm};
}

PagePlacement placePage(PositionMode mode, QSize pageSize, GridCell cell, double topCm, double leftCm)
{
    PagePlacement placed{{0, 0}, pageSize.height()};
    const int line = kLineCells * cell.width;
    switch (mode) {
    case PositionMode::Left:
        break;
    case PositionMode::Centre:
        if (pageSize.width() > line)
            placed.origin.setX((pageSize.width() - line) / 2);
        break;
    case PositionMode::Right:
        if (pageSize.width() > line)
            placed.origin.setX(pageSize.width() - line);
        break;
    case PositionMode::Offset:
        placed.origin = QPoint(static_cast<int>(leftCm * kUnitsPerCm), static_cast<int>(topCm * kUnitsPerCm));
        placed.bottom -= placed.origin.y();
        break;
    }
    return placed;
}

ReportOptions readReportOptions(const QString &section, const std::array<bool, 14> &defaults)
{
    ReportOptions options;
    for (int i = 0; i < 14; ++i)
        options.blocks[i] = quenkit::GetRegistryInt(section, QStringLiteral("ChkFlg%1").arg(i + 1), defaults[i] ? 1 : 0) != 0;
    const int mode = quenkit::GetRegistryInt(section, QStringLiteral("Flg1"), 0);
    options.mode = mode >= 0 && mode <= 3 ? static_cast<PositionMode>(mode) : PositionMode::Left;
    options.topCm = readOffsetCm(section, QStringLiteral("Top"));
    options.leftCm = readOffsetCm(section, QStringLiteral("Left"));
    return options;
}

double readOffsetCm(const QString &section, const QString &name)
{
    const QString zero = QStringLiteral("0.0");
    QString text;
    quenkit::GetRegistryString(section, name, &zero, text);
    bool ok = false;
    const double cm = text.trimmed().toDouble(&ok);
    return ok && cm > 0.0 ? cm : 0.0;
}

}  // namespace dalmain
