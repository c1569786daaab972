#pragma once

#include "dalmain/print/PageGrid.h"

#include <QString>
#include <QtGlobal>

// What the analysis report prints: its check boxes, remembered as "Flg3_1" ... "Flg3_19" of
// "Dalmora Analyze" (box n is bit n - 1 of the report's selection), and its other choices in
// "Dalmora Analyze Print": colour, margins, which nutrients and one or two pages to a sheet.
namespace dalmain {

inline const QString kAnalyzeSection = QStringLiteral("Dalmora Analyze");
inline const QString kAnalyzePrintSection = QStringLiteral("Dalmora Analyze Print");

// The check boxes by their number n ("Flg3_n"); 8 and 9 are not used.
enum AnalysisPrintBox : int {
    PrintUserInfo = 1,
    PrintFoodCount = 2,
    PrintMealEnergyRatio = 3,
    PrintEnergyBalance = 4,
    PrintBodyWeight = 5,
    PrintNutrients = 6,
    PrintHistory = 7,
    PrintSufficiencyRadar = 10,
    PrintPfc = 11,
    PrintComment = 12,
    PrintPeriodInHeader = 13,
    PrintExchangeTable = 14,
    PrintExchangeRadar = 15,
    PrintGroupTable = 16,
    PrintGroupRadar = 17,
    PrintBodyFat = 18,
    PrintDateInHeader = 19,
};
constexpr int kAnalysisPrintBoxes = 19;

// Whether box n is one of the dialog's (1 to 7 and 10 to 19).
bool isAnalysisPrintBox(int box);
// Whether box n prints a section of the body; the two header boxes do not.
bool isAnalysisPrintSection(int box);

// Which boxes can be ticked for the analysis shown: the history is never printed for a year,
// the exchange and group tables and their radar charts only for a person who has the table.
struct AnalysisPrintAvailability {
    bool history = true;
    bool exchangeTable = false;
    bool groupTable = false;
    bool allows(int box) const;
};

struct AnalysisPrintOptions {
    quint32 boxes = 0;              // bit n - 1 for box n
    bool monochrome = false;        // "Color": 0 colour, 1 monochrome
    bool margins = false;           // "Space": 0 flush left, 1 the margins below
    double topCm = 0.0;             // "Top"
    double leftCm = 0.0;            // "Left"
    bool shownNutrientsOnly = true; // "Eiyouso": 1 the nutrients shown and judged, 0 every one
    bool twoColumns = false;        // "Retu": 0 one page a sheet, 1 two side by side

    bool box(int n) const { return n >= 1 && n <= kAnalysisPrintBoxes && (boxes >> (n - 1) & 1u); }
    void setBox(int n, bool on);
    // Whether any box of a body section is ticked.
    bool anySection() const;
    // The placement on the page for the print job.
    ReportOptions placement() const;
};

// The stored options: each box "1" unless stored "0", the others at their defaults (colour,
// flush left, 0.0 cm, the nutrients shown, one column). A margin that is no number, or
// negative, counts as 0.
AnalysisPrintOptions readAnalysisPrintOptions();
// Stores every box as "1" or "0" and the other values as decimal text.
void writeAnalysisPrintOptions(const AnalysisPrintOptions &options);

}  // namespace dalmain
