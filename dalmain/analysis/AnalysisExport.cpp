#include "dalmain/analysis/AnalysisExport.h"

#include "dalmain/userdata/MemoFile.h"

#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

namespace dalmain {

namespace {

const QString kSection = QStringLiteral("Dalmora Analyze");
constexpr int kLastOption = OptionKind;

QString optionName(ExportTarget target, int option)
{
    return (target == ExportTarget::Save ? QStringLiteral("Flg1_%1") : QStringLiteral("Flg2_%1")).arg(option);
}

}  // namespace

std::optional<ReportSection> sectionOfOption(int option)
{
    switch (option) {
    case OptionUserInfo:
        return ReportSection::UserInfo;
    case OptionFoodCount:
        return ReportSection::FoodCount;
    case OptionMealEnergyRatio:
        return ReportSection::MealEnergyRatio;
    case OptionEnergyBalance:
        return ReportSection::EnergyBalance;
    case OptionBodyWeight:
        return ReportSection::BodyWeight;
    case OptionNutrients:
        return ReportSection::Nutrients;
    case OptionHistory:
        return ReportSection::History;
    case OptionPfc:
        return ReportSection::Pfc;
    case OptionExchangeTable:
        return ReportSection::ExchangeTable;
    case OptionGroupTable:
        return ReportSection::GroupTable;
    case OptionBodyFat:
        return ReportSection::BodyFat;
    default:
        return std::nullopt;
    }
}

TextKind textKindOfSaveType(int fileType)
{
    return fileType >= 0 && fileType <= static_cast<int>(TextKind::Plain) ? static_cast<TextKind>(fileType)
                                                                          : TextKind::Plain;
}

TextKind ExportOptions::kind(ExportTarget target) const
{
    if (target == ExportTarget::Save)
        return textKindOfSaveType(kindChoice);
    // A copy's kind outside the combo box's three falls back to the first.
    return kindChoice >= 0 && kindChoice <= static_cast<int>(TextKind::Plain) ? static_cast<TextKind>(kindChoice)
                                                                              : TextKind::Tab;
}

void ExportOptions::setOption(int option, bool on)
{
    if (option == OptionShownNutrients)
        shownNutrientsOnly = on;
    else if (const auto section = sectionOfOption(option))
        sections[static_cast<size_t>(*section)] = on;
}

bool ExportOptions::option(int option) const
{
    if (option == OptionShownNutrients)
        return shownNutrientsOnly;
    const auto section = sectionOfOption(option);
    return section && sections[static_cast<size_t>(*section)];
}

ExportOptions readExportOptions(ExportTarget target)
{
    ExportOptions options;
    for (int n = 1; n < kLastOption; ++n)
        options.setOption(n, quenkit::GetRegistryInt(kSection, optionName(target, n), 0) != 0);
    options.kindChoice = quenkit::GetRegistryInt(kSection, optionName(target, OptionKind), 0);
    return options;
}

bool writeExportOptions(ExportTarget target, const ExportOptions &options)
{
    bool ok = true;
    for (int n = 1; n < kLastOption; ++n) {
        if (n == OptionShownNutrients || sectionOfOption(n))
            ok = quenkit::SetRegistryString(kSection, optionName(target, n),
                                            options.option(n) ? QStringLiteral("1") : QStringLiteral("0")) == 1
              && ok;
    }
    return quenkit::SetRegistryString(kSection, optionName(target, OptionKind), QString::number(options.kindChoice)) == 1
        && ok;
}

QString exportText(const AnalysisReport &report, const ExportOptions &options, ExportTarget target)
{
    return analysisText(report, options.sections, options.kind(target),
                        target == ExportTarget::Save ? TextTarget::File : TextTarget::Copy);
}

QByteArray exportFileBytes(const QString &text)
{
    return quenkit::toSjis(text);
}

QByteArray commentKey(AnalysisPeriod period, const QByteArray &periodKey)
{
    switch (period) {
    case AnalysisPeriod::Day:
        return periodKey.left(8);
    case AnalysisPeriod::Month:
        return periodKey.left(6) + "99";
    case AnalysisPeriod::Year:
        return periodKey.left(4) + "9999";
    case AnalysisPeriod::Selection:
        break;
    }
    return "99999999";
}

QString readAnalysisComment(int user, AnalysisPeriod period, const QByteArray &periodKey)
{
    QByteArray text;
    if (ReadMemo(memoFileName(MemoKind::Analysis, user), commentKey(period, periodKey), text) != 1)
        return {};
    return quenkit::fromSjis(text);
}

}  // namespace dalmain
