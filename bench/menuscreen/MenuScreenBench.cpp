// The menu screen's work, each timing also reported as a multiple of reading the food table once
// in the same run:
//   - one keystroke of the food search: the search of the dialog for a two-kana keyword, alone
//     and with a food group chosen (meant to stay under 5 ms);
//   - the totals of a full day (4 meals of 100 rows) with the judgement panel's 37 lines, as the
//     screen recomputes them after every edit (under 5 ms), and the grid's nutrient cells of a
//     full meal beside it;
//   - the move to the next day in a menu file of ten years: the quiet save of the edited day and
//     the load of the next one (under 20 ms), and the load alone for a day that was not edited.
// The food table is the full official one, imported from the public workbooks before the first
// timing. The widgets themselves are not timed: the dialog's list and the panel's cells only take
// the texts computed here.

#include "menu/MenuFileGenerator.h"

#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/analysis/Sufficiency.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/screens/menu/FoodSearchDialog.h"
#include "dalmain/screens/menu/MenuDayEdit.h"
#include "dalmain/screens/menu/MenuGrid.h"
#include "dalmain/screens/menu/MenuPanel.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/DayMenuSave.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/registry/SettingsStore.h"

#include "support/OfficialFoodTable.h"
#include "support/RatioReporter.h"
#include "support/WholeFileRead.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace dalmain;

namespace {

constexpr int kUser = 1;
constexpr int kDays = 3650;
const QDate kFirstDay(2015, 1, 1);
const QDate kFirstMovedDay(2019, 6, 1);  // the moves walk a year from here, then start again
constexpr int kMovedDays = 365;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "bench_menuscreen: %s\n", what);
    std::exit(1);
}

struct Setup {
    QTemporaryDir folder;
    FoodCache cache;
    EntryFoodIndex foods;
    IntakeStandard standard;
    qint64 foodTableSize = 0;

    Setup()
    {
        // The shipped masters (the reference intakes among them) and the full official table.
        QString error;
        foodTableSize = benchsupport::installOfficialFolders(folder.path(), &error);
        if (foodTableSize < 0)
            fail(qPrintable(QStringLiteral("cannot import the official table: ") + error));
        if (LoadFoodCache(nullptr, cache) != 1 || cache.size() < 2000)
            fail("the imported food table does not read back");
        foods = EntryFoodIndex::fromCache(cache);

        ReferenceIntakeTables tables;
        if (LoadReferenceIntakes(nullptr, tables) != IntakeLoad::Loaded)
            fail("cannot read the reference intakes");
        IntakeSubject adult;
        adult.age = 40;
        if (DeriveIntakeStandard(nullptr, tables, adult, standard) != 1)
            fail("cannot derive the intake standard");

        if (!benchdata::writeMenuFile(quenkit::dataPath(dayMenuFileName(kUser)), kFirstDay, kDays))
            fail("cannot write the menu file");
        std::printf("food table: %lld foods, %lld bytes\n", static_cast<long long>(cache.size()),
                    static_cast<long long>(foodTableSize));
    }

    EntryFood entryFood(quint16 number) const
    {
        const EntryFood *f = foods.find(number);
        return f ? *f : EntryFood();
    }
};

Setup &setup()
{
    static Setup s;
    return s;
}

void ReadFoodTable(benchmark::State &state)
{
    benchsupport::readWholeFile(state, quenkit::dataPath(QStringLiteral("食品.FDB")), setup().foodTableSize);
}

// One keystroke: the dialog searches again with the keyword as it now stands.
void SearchKeystroke(benchmark::State &state, const char *keyword, int group)
{
    FoodSearchConditions conditions;
    conditions.keyword = QString::fromUtf8(keyword);
    conditions.group = group;
    setup();
    qsizetype found = 0;
    for (auto _ : state) {
        bool ok = true;
        const QList<FoodRecord> foods = searchFoods(conditions, &ok);
        if (!ok) {
            state.SkipWithError("the food table cannot be searched");
            break;
        }
        found = foods.size();
        benchmark::DoNotOptimize(foods.constData());
    }
    if (found == 0)
        state.SkipWithError("the keyword finds nothing");
    state.counters["found"] = static_cast<double>(found);
}

// A full day: every meal holds 100 rows, 7 of them dish names, the foods taken through the table.
MenuDayEdit fullDay()
{
    const FoodCache &cache = setup().cache;
    MenuDayEdit day;
    int next = 0;
    for (int meal = 0; meal < kMealCount; ++meal) {
        QList<MenuRow> rows;
        for (int i = 0; i < kMealRowLimit; ++i) {
            if (i % 15 == 0 && i < 100 - 5) {
                rows.append(MenuRow::dishRow(QStringLiteral("料理%1").arg(rows.size())));
                continue;
            }
            const quint16 number = static_cast<quint16>(cache[(next++ * 37) % cache.size()].number);
            rows.append(MenuRow::foodRow(number, 10.0 + (i % 17) * 12.5, setup().entryFood(number)));
        }
        if (day.insertRows(meal, 0, rows) != InsertResult::Inserted)
            fail("the full day does not fit");
    }
    return day;
}

// What the panel shows of one nutrient, as its five cells take it.
void panelLine(int n, double intake, const IntakeBound &bound, QString *texts)
{
    texts[0] = formatPanelAmount(n, intake).trimmed();
    texts[1] = panelReference(n, bound);
    if (bound.lower > 0 && intake < bound.lower)
        texts[2] = formatPanelDifference(n, intake - bound.lower).trimmed();
    else if (bound.upper > 0 && intake > bound.upper)
        texts[2] = formatPanelDifference(n, intake - bound.upper).trimmed();
    else
        texts[2] = bound.isSet() ? QStringLiteral("－") : QString();
    texts[3] = panelJudgement(intake, bound.lower, bound.upper).symbol;
    texts[4] = panelRate(intake, bound.lower, bound.upper).trimmed();
}

void DayTotalsAndPanel(benchmark::State &state)
{
    const MenuDayEdit day = fullDay();
    const IntakeStandard &standard = setup().standard;
    QString texts[5];
    for (auto _ : state) {
        const DayTotals totals = computeDayTotals(day.menuDay(), wasteRatioOption());
        for (int n = 0; n < kNutrientCount; ++n)
            panelLine(n, totals[kDayRow][static_cast<size_t>(n)], standard[n], texts);
        benchmark::DoNotOptimize(texts[4].constData());
    }
}

// Every nutrient cell of a full meal's 100 lines, as the grid's model gives them (the view asks
// only for the lines on screen).
void GridCellsOfFullMeal(benchmark::State &state)
{
    const MenuDayEdit day = fullDay();
    MenuGridModel model(day, [](quint16) { return QStringLiteral("食品"); });
    model.setMeal(0);
    for (auto _ : state) {
        for (int line = 0; line < model.rowCount(); ++line) {
            for (int column = kFirstNutrientColumn; column < kGridColumnCount; ++column) {
                const QVariant cell = model.data(model.index(line, column), Qt::DisplayRole);
                benchmark::DoNotOptimize(cell.constData());
            }
        }
    }
}

QByteArray dateKey(const QDate &date)
{
    return date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

// The day of date as the screen loads it: found, read, its foods looked up, and its totals.
void loadDay(const QDate &date, MenuDayEdit &day)
{
    day.clear();
    const int record = FindDayMenu(kUser, dateKey(date), 1);
    DayMenu stored;
    if (record > 0 && ReadDayMenu(kUser, record, stored) == 1)
        day.load(loadMenuDay(stored, [](quint16 number) { return setup().entryFood(number); }));
    benchmark::DoNotOptimize(computeDayTotals(day.menuDay(), wasteRatioOption()));
}

// Moves from day to day through a year of the file; with edited, one amount of the day is
// changed first, so that the day is saved quietly before the next one is loaded.
void MoveToNextDay(benchmark::State &state, bool edited)
{
    setup();
    MenuDayEdit day;
    int step = 0;
    QDate date = kFirstMovedDay;
    loadDay(date, day);
    for (auto _ : state) {
        if (edited) {
            if (day.rowCount(0) == 0) {
                state.SkipWithError("a day without breakfast");
                break;
            }
            MenuRow row = day.rows(0).last().row;
            if (row.kind == MenuRow::Kind::Food) {
                row.grams = row.grams >= 900.0 ? 10.0 : row.grams + 0.5;
                day.replaceRow(0, day.rowCount(0) - 1, row);
            }
            const MenuDay saved = day.menuDay();
            const bool wasteOn = wasteRatioOption();
            const DaySaveResult result = SaveDayMenu(nullptr, kUser, dateKey(date), saved,
                                                     computeDayTotals(saved, wasteOn), false, wasteOn);
            if (result != DaySaveResult::Rewritten) {
                state.SkipWithError("the day was not rewritten in place");
                break;
            }
        }
        step = (step + 1) % kMovedDays;
        date = kFirstMovedDay.addDays(step);
        loadDay(date, day);
    }
}

}  // namespace

BENCHMARK(ReadFoodTable)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchKeystroke, tama, "たま", 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchKeystroke, tama_group6, "たま", 6)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchKeystroke, niku, "にく", 0)->Unit(benchmark::kMillisecond);
BENCHMARK(DayTotalsAndPanel)->Unit(benchmark::kMillisecond);
BENCHMARK(GridCellsOfFullMeal)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MoveToNextDay, saved, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MoveToNextDay, unedited, false)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    setup();
    benchsupport::RatioReporter reporter("ReadFoodTable");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("one read of the food table");
    benchmark::Shutdown();
    return 0;
}
