// Undo and redo on the fullest day the menu screen holds: 4 meals of 100 rows, 50 edits
// spread over the meals. The figure that matters is the time of one undo step ("per_step"),
// with and without the day's totals that the screen computes again for its panel.

#include "dalmain/screens/menu/MenuUndoMemory.h"

#include "support/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace dalmain;

namespace {

constexpr int kEdits = 50;

EntryFood sampleFood(int n)
{
    EntryFood f;
    for (int i = 0; i < kNutrientCount; ++i)
        f.per100g[static_cast<size_t>(i)] = 0.5 * (n % 17 + i);
    f.wasteRatio = n % 3 == 0 ? 10.0 : 0.0;
    f.group = n % 18 + 1;
    return f;
}

// Each meal: a dish name every fifteenth row (28 in the day, within its 30), foods in between.
MenuSnapshot fullDay()
{
    MenuSnapshot s;
    for (int m = 0; m < kMealCount; ++m) {
        QList<MenuRow> rows;
        for (int i = 0; i < kMealRowLimit; ++i) {
            if (i % 15 == 0)
                rows.append(MenuRow::dishRow(QStringLiteral("料理%1").arg(i / 15)));
            else
                rows.append(MenuRow::foodRow(static_cast<quint16>(100 + i), 10.0 + i, sampleFood(i)));
        }
        if (s.day.insertRows(m, 0, rows) != InsertResult::Inserted)
            std::abort();
    }
    return s;
}

// 50 edits, each recorded first: an amount changed, in turn in each meal.
MenuSnapshot editedDay(MenuUndoMemory &memory)
{
    MenuSnapshot now = fullDay();
    for (int e = 0; e < kEdits; ++e) {
        memory.record(now);
        const int meal = e % kMealCount;
        const int row = 1 + (e * 7) % (kMealRowLimit - 1);
        MenuRow changed = now.day.rows(meal)[row].row;
        changed.grams += 1.0;
        now.day.replaceRow(meal, row, changed);
        now.meal = meal;
    }
    return now;
}

void perStep(benchmark::State &state)
{
    state.counters["per_step"] = benchmark::Counter(static_cast<double>(kEdits),
                                                    benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void CopyWholeDay(benchmark::State &state)
{
    const MenuSnapshot day = fullDay();
    for (auto _ : state) {
        MenuDay rows = day.day.menuDay();
        benchmark::DoNotOptimize(rows);
    }
}

void RecordFiftyEdits(benchmark::State &state)
{
    for (auto _ : state) {
        MenuUndoMemory memory;
        MenuSnapshot now = editedDay(memory);
        benchmark::DoNotOptimize(now);
    }
    perStep(state);
}

// Undoes the 50 edits back to the first day; the redos that bring the day back for the next
// round are not timed.
void UndoFiftyEdits(benchmark::State &state, bool withTotals)
{
    MenuUndoMemory memory;
    MenuSnapshot now = editedDay(memory);
    for (auto _ : state) {
        for (int e = 0; e < kEdits; ++e) {
            now = memory.undo(now);
            if (withTotals) {
                DayTotals totals = computeDayTotals(now.day.menuDay(), true);
                benchmark::DoNotOptimize(totals);
            }
        }
        state.PauseTiming();
        if (memory.canUndo() || now.day.rows(0)[1].row.grams != 11.0)
            state.SkipWithError("the undos did not reach the first day");
        while (memory.canRedo())
            now = memory.redo();
        state.ResumeTiming();
    }
    perStep(state);
}

void UndoFiftyEditsMemoryOnly(benchmark::State &state)
{
    UndoFiftyEdits(state, false);
}

void UndoFiftyEditsWithTotals(benchmark::State &state)
{
    UndoFiftyEdits(state, true);
}

}  // namespace

BENCHMARK(CopyWholeDay)->Unit(benchmark::kMicrosecond);
BENCHMARK(RecordFiftyEdits)->Unit(benchmark::kMicrosecond);
BENCHMARK(UndoFiftyEditsMemoryOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(UndoFiftyEditsWithTotals)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchsupport::RatioReporter reporter("CopyWholeDay");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("one copy of the day's rows");
    benchmark::Shutdown();
    return 0;
}
