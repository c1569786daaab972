#pragma once

#include "dalmain/master/IntakeStandard.h"
#include "dalmain/print/PrintJob.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuSave.h"
#include "dalmain/userdata/UserProfile.h"
#include "quenkit/printer/AbortKind.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <functional>
#include <optional>

// The menu record of one day: each meal's foods with their amounts, and the nutrient totals of
// every meal and of the day beside the person's reference values and the judgement. Its check
// boxes: 1 the meals, 2 the nutrient totals.
namespace dalmain {

struct MenuReportLine {
    QString name;        // the food's name, or the dish's
    QString grams;       // empty on a dish line
    bool dish = false;
    bool inDish = false; // a food under a dish line
};

class MenuDayReport : public Report
{
public:
    MenuDayReport(const UserProfile &person, QByteArrayView date, const std::array<QList<MenuReportLine>, kMealCount> &meals,
                  const std::array<NutrientVector, kMealRows> &totals, const IntakeStandard &standard,
                  const ReportOptions &options);

    QString title() const override { return QStringLiteral("献立記録"); }
    int progressKind() const override { return quenkit::AbortMenu; }
    // The paper stored by the printer set-up on the menu screen; landscape until one is.
    QPageLayout::Orientation orientation() const override;
    std::optional<QPageSize> paperSize() const override;
    QString subject() const override;
    QString dateText() const override;
    bool isEmpty() const override;
    bool paint(ReportCanvas &canvas) const override;

private:
    bool paintMeals(ReportCanvas &canvas) const;
    bool paintTotals(ReportCanvas &canvas) const;

    UserProfile m_person;
    QByteArray m_date;
    std::array<QList<MenuReportLine>, kMealCount> m_meals;
    std::array<NutrientVector, kMealRows> m_totals;
    IntakeStandard m_standard;
    ReportOptions m_options;
};

// The lines of a day's meals (stored, or as the menu screen holds it), the foods named by
// foodName (empty for a food the table no longer has, which is then shown by its number).
std::array<QList<MenuReportLine>, kMealCount> menuReportLines(const MenuDay &day,
                                                               const std::function<QString(quint16)> &foodName);

// The person's stored day with the stored options of the menu report, judged against
// standard; a day with nothing stored is an empty report. false with error when the food
// table cannot be read.
bool loadMenuDayReport(const UserProfile &person, const IntakeStandard &standard, QByteArrayView date,
                       std::optional<MenuDayReport> &report, QString *error);

}  // namespace dalmain
