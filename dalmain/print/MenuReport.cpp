#include "dalmain/print/MenuReport.h"

#include "dalmain/analysis/Sufficiency.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/print/ExerciseReport.h"
#include "dalmain/print/PageSetup.h"
#include "dalmain/print/ReportParts.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "quenkit/text/ShiftJis.h"

#include <QPainter>

#include <algorithm>

namespace dalmain {

namespace {

const char *const kMealNames[kMealCount] = {"朝食", "昼食", "夕食", "間食"};

// The grid cells a line of the canvas holds: less than a full line on A4 portrait.
int lineCells(ReportCanvas &canvas)
{
    return canvas.width() / canvas.cell().width;
}

QString gramsText(double grams)
{
    return QString::number(grams, 'f', 1);
}

}  // namespace

MenuDayReport::MenuDayReport(const UserProfile &person, QByteArrayView date,
                             const std::array<QList<MenuReportLine>, kMealCount> &meals,
                             const std::array<NutrientVector, kMealRows> &totals, const IntakeStandard &standard,
                             const ReportOptions &options)
    : m_person(person), m_date(date.toByteArray()), m_meals(meals), m_totals(totals), m_standard(standard), m_options(options)
{
}

QString MenuDayReport::subject() const
{
    return reportPersonText(m_person);
}

QString MenuDayReport::dateText() const
{
    return reportDayText(m_date);
}

bool MenuDayReport::isEmpty() const
{
    for (const QList<MenuReportLine> &meal : m_meals)
        if (!meal.isEmpty())
            return false;
    return true;
}

QPageLayout::Orientation MenuDayReport::orientation() const
{
    return readStoredPaper(kMenuPrintSection, QPageLayout::Landscape).orientation;
}

std::optional<QPageSize> MenuDayReport::paperSize() const
{
    return readStoredPaper(kMenuPrintSection, QPageLayout::Landscape).size;
}

bool MenuDayReport::paint(ReportCanvas &canvas) const
{
    if (m_options.block(1) && !paintMeals(canvas))
        return false;
    if (m_options.block(2) && !paintTotals(canvas))
        return false;
    return true;
}

bool MenuDayReport::paintMeals(ReportCanvas &canvas) const
{
    const int line = canvas.cell().height;
    for (int meal = 0; meal < kMealCount; ++meal) {
        // A meal's heading never stands alone at the foot of a page.
        if (!canvas.ensureRoom(line * 5))
            return false;
        canvas.heading(QString::fromUtf8(kMealNames[meal]));
        if (m_meals[meal].isEmpty()) {
            canvas.painter().setFont(ReportCanvas::textFont(line * 3 / 4));
            canvas.painter().drawText(QRect(0, canvas.y(), canvas.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                                      QStringLiteral("記録なし"));
            canvas.advance(line * 2);
            continue;
        }
        ReportTable table(canvas, {{QStringLiteral("食品名"), lineCells(canvas) - 16, Qt::AlignLeft},
                                   {QStringLiteral("使用量(g)"), 0, Qt::AlignRight}});
        if (!table.begin())
            return false;
        for (const MenuReportLine &l : m_meals[meal]) {
            const QString name = l.dish ? QStringLiteral("【%1】").arg(l.name)
                                        : (l.inDish ? QStringLiteral("　") + l.name : l.name);
            if (!table.row({name, l.grams}, l.dish))
                return false;
        }
        canvas.advance(line);
    }
    return true;
}

bool MenuDayReport::paintTotals(ReportCanvas &canvas) const
{
    if (!canvas.ensureRoom(canvas.cell().height * 6))
        return false;
    canvas.heading(QStringLiteral("栄養素の摂取量"));
    // The figures take what the name, the reference and the judgement leave.
    const int figure = std::max(8, (lineCells(canvas) - 20 - 18 - 8) / 5);
    QList<ReportColumn> columns{{QStringLiteral("栄養素"), 20, Qt::AlignLeft}};
    for (const char *meal : kMealNames)
        columns.append({QString::fromUtf8(meal), figure, Qt::AlignRight});
    columns.append({QStringLiteral("1日"), figure, Qt::AlignRight});
    columns.append({QStringLiteral("基準値"), 18, Qt::AlignRight});
    columns.append({QStringLiteral("判定"), 0, Qt::AlignCenter});
    ReportTable table(canvas, columns);
    if (!table.begin())
        return false;
    for (int n = 0; n < kNutrientCount; ++n) {
        QStringList cells{QStringLiteral("%1(%2)").arg(nutrientDisplayName(n), nutrientDisplayUnit(n))};
        for (int row = 0; row < kMealRows; ++row)
            cells.append(formatPlain(n, m_totals[row][static_cast<size_t>(n)]).trimmed());
        const IntakeBound &bound = m_standard[n];
        cells.append(formatReference(n, bound.lower, bound.upper).trimmed());
        cells.append(panelJudgement(m_totals[kDayRow][static_cast<size_t>(n)], bound.lower, bound.upper).symbol);
        if (!table.row(cells))
            return false;
    }
    return true;
}

std::array<QList<MenuReportLine>, kMealCount> menuReportLines(const MenuDay &day,
                                                               const std::function<QString(quint16)> &foodName)
{
    std::array<QList<MenuReportLine>, kMealCount> meals;
    for (int meal = 0; meal < kMealCount; ++meal) {
        bool inDish = false;
        for (const MenuRow &row : day.meals[meal]) {
            if (row.kind == MenuRow::Kind::Dish) {
                meals[meal].append({row.dishName.trimmed(), QString(), true, false});
                inDish = true;
                continue;
            }
            QString name = foodName(row.food);
            if (name.isEmpty())
                name = QStringLiteral("食品番号 %1").arg(row.food);
            meals[meal].append({name, gramsText(row.grams), false, inDish});
        }
    }
    return meals;
}

bool loadMenuDayReport(const UserProfile &person, const IntakeStandard &standard, QByteArrayView date,
                       std::optional<MenuDayReport> &report, QString *error)
{
    const int user = static_cast<int>(person.number);
    DayMenu record;
    const int found = FindDayMenu(user, date, 1);
    if (found == 0 || ReadDayMenu(user, found, record) != 1)
        record = DayMenu{};
    FoodCache cache;
    if (found != 0 && LoadFoodCache(nullptr, cache) != 1) {
        if (error)
            *error = QStringLiteral("the food table cannot be read");
        return false;
    }
    const auto name = [&cache](quint16 food) {
        const FoodCacheEntry *f = findCachedFood(cache, food);
        return f ? quenkit::fromSjis(f->name) : QString();
    };
    // The figures are the ones stored with the day, as every reader of the record takes them.
    // Only the names are wanted of the foods; the figures are the record's.
    const MenuDay day = loadMenuDay(record, [](quint16) { return EntryFood(); });
    report.emplace(person, date, menuReportLines(day, name), record.totals, standard,
                   readReportOptions(kMenuPrintSection, kAllBlocks));
    return true;
}

}  // namespace dalmain
