#include "dalmain/print/AnalysisPrintOptions.h"

#include "quenkit/registry/SettingsStore.h"

namespace dalmain {

namespace {

QString boxName(int n)
{
    return QStringLiteral("Flg3_%1").arg(n);
}

}  // namespace

bool isAnalysisPrintBox(int box)
{
    return (box >= 1 && box <= 7) || (box >= 10 && box <= kAnalysisPrintBoxes);
}

bool isAnalysisPrintSection(int box)
{
    return isAnalysisPrintBox(box) && box != PrintPeriodInHeader && box != PrintDateInHeader;
}

bool AnalysisPrintAvailability::allows(int box) const
{
    switch (box) {
    case PrintHistory: return history;
    case PrintExchangeTable:
    case PrintExchangeRadar: return exchangeTable;
    case PrintGroupTable:
    case PrintGroupRadar: return groupTable;
    default: return isAnalysisPrintBox(box);
    }
}

void AnalysisPrintOptions::setBox(int n, bool on)
{
    if (n < 1 || n > kAnalysisPrintBoxes)
        return;
    const quint32 bit = 1u << (n - 1);
    boxes = on ? boxes | bit : boxes & ~bit;
}

bool AnalysisPrintOptions::anySection() const
{
    for (int n = 1; n <= kAnalysisPrintBoxes; ++n) {
        if (isAnalysisPrintSection(n) && box(n))
            return true;
    }
    return false;
}

ReportOptions AnalysisPrintOptions::placement() const
{
    ReportOptions placed;
    if (margins) {
        placed.mode = PositionMode::Offset;
        placed.topCm = topCm;
        placed.leftCm = leftCm;
    }
    return placed;
}

AnalysisPrintOptions readAnalysisPrintOptions()
{
    AnalysisPrintOptions o;
    for (int n = 1; n <= kAnalysisPrintBoxes; ++n) {
        if (isAnalysisPrintBox(n))
            o.setBox(n, quenkit::GetRegistryInt(kAnalyzeSection, boxName(n), 1) != 0);
    }
    o.monochrome = quenkit::GetRegistryInt(kAnalyzePrintSection, QStringLiteral("Color"), 0) == 1;
    o.margins = quenkit::GetRegistryInt(kAnalyzePrintSection, QStringLiteral("Space"), 0) == 1;
    o.topCm = readOffsetCm(kAnalyzePrintSection, QStringLiteral("Top"));
    o.leftCm = readOffsetCm(kAnalyzePrintSection, QStringLiteral("Left"));
    o.shownNutrientsOnly = quenkit::GetRegistryInt(kAnalyzePrintSection, QStringLiteral("Eiyouso"), 1) != 0;
    o.twoColumns = quenkit::GetRegistryInt(kAnalyzePrintSection, QStringLiteral("Retu"), 0) == 1;
    return o;
}

void writeAnalysisPrintOptions(const AnalysisPrintOptions &o)
{
    for (int n = 1; n <= kAnalysisPrintBoxes; ++n) {
        if (isAnalysisPrintBox(n))
            quenkit::SetRegistryInt(kAnalyzeSection, boxName(n), o.box(n) ? 1 : 0);
    }
    quenkit::SetRegistryInt(kAnalyzePrintSection, QStringLiteral("Color"), o.monochrome ? 1 : 0);
    quenkit::SetRegistryInt(kAnalyzePrintSection, QStringLiteral("Space"), o.margins ? 1 : 0);
    quenkit::SetRegistryString(kAnalyzePrintSection, QStringLiteral("Top"), QString::number(o.topCm, 'f', 1));
    quenkit::SetRegistryString(kAnalyzePrintSection, QStringLiteral("Left"), QString::number(o.leftCm, 'f', 1));
    quenkit::SetRegistryInt(kAnalyzePrintSection, QStringLiteral("Eiyouso"), o.shownNutrientsOnly ? 1 : 0);
    quenkit::SetRegistryInt(kAnalyzePrintSection, QStringLiteral("Retu"), o.twoColumns ? 1 : 0);
}

}  // namespace dalmain
