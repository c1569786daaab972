#pragma once

#include "dalmain/analysis/AnalysisText.h"

#include <QByteArray>
#include <QString>

#include <optional>

// What the user last chose for saving and for copying the analysis, and the bytes that go into
// a saved file. The choices live in the settings store, one value per check box, under the
// numbers of the options ("Flg1_2" is the food count of the save, "Flg2_2" that of the copy).
namespace dalmain {

enum class ExportTarget { Save, Copy };

// The option numbers of the check boxes. 9 is not used; 8 chooses between the nutrients shown
// and every nutrient; 14 holds the kind (for the save, the file type chosen).
enum ExportOption : int {
    OptionUserInfo = 1,
    OptionFoodCount = 2,
    OptionMealEnergyRatio = 3,
    OptionEnergyBalance = 4,
    OptionBodyWeight = 5,
    OptionNutrients = 6,
    OptionHistory = 7,
    OptionShownNutrients = 8,
    OptionPfc = 10,
    OptionExchangeTable = 11,
    OptionGroupTable = 12,
    OptionBodyFat = 13,
    OptionKind = 14,
};

// The section an option number writes; none for 8, 9, 14 and numbers outside 1 to 14.
std::optional<ReportSection> sectionOfOption(int option);

// The file types of the save dialog, in their order: the first three are the kinds; the last,
// every file, writes plain text.
constexpr int kSaveFileTypes = 4;
TextKind textKindOfSaveType(int fileType);

struct ExportOptions {
    ReportSections sections{};
    bool shownNutrientsOnly = false;   // option 8: the nutrients selected for the screen, or all
    int kindChoice = 0;                // option 14 as stored: the kind, or the save's file type

    TextKind kind(ExportTarget target) const;
    void setOption(int option, bool on);
    bool option(int option) const;
};

// The stored options of the save or the copy; a value never stored is off, the kind tab.
ExportOptions readExportOptions(ExportTarget target);
// Stores every option as "1" or "0" and the kind as its number; false when the store refused.
bool writeExportOptions(ExportTarget target, const ExportOptions &options);

// The report's text as its target takes it. A saved file holds Shift-JIS; characters that
// Shift-JIS lacks become "?" rather than cutting the line.
QString exportText(const AnalysisReport &report, const ExportOptions &options, ExportTarget target);
QByteArray exportFileBytes(const QString &text);

// The key of a period's comment in the comment file: the date for a day, the month followed by
// "99", the year followed by "9999", and "99999999" for any selection (all selections share one
// comment). periodKey is the result's (YYYYMMDD, YYYYMM or YYYY).
QByteArray commentKey(AnalysisPeriod period, const QByteArray &periodKey);

// The stored comment of a user's analysed period; empty when none is stored or the comment file
// cannot be read.
QString readAnalysisComment(int user, AnalysisPeriod period, const QByteArray &periodKey);

}  // namespace dalmain
