// The analysis of a whole year (366 daily records, 20 foods at each of the four meals, drawn from
// the 2,538 numbers of the whole official table) and of one month of it, and the coverage of
// known values over the year, measured against reading the menu file once: the counter
// x_file_read is the timing as a multiple of one whole-file read in the same run. A year's
// analysis is meant to stay under 10 ms. The "AllSections" runs add what the whole analysis
// reads besides the menus: an exercise log with a day of three entries every other day, a weight
// log with a measurement each week, a group table with exceptions and an exchange list of every
// food of the table; the month's run also builds the history of its year.

#include "dalmain/analysis/AnalysisRun.h"
#include "dalmain/analysis/GroupAnalysis.h"
#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/analysis/NutrientCoverage.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/ExerciseLog.h"
#include "dalmain/userdata/UserLogTemplates.h"
#include "dalmain/userdata/UserStore.h"
#include "dalmain/userdata/WeightLog.h"

#include "quenkit/dbf/Dbf.h"

#include "quenkit/files/DataFolder.h"

#include <QDate>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

namespace {

constexpr int kUser = 1;
constexpr int kFoodsPerMeal = 20;
constexpr int kTableFoods = 2538;
const QDate kFirstDay(2024, 1, 1);
constexpr int kDays = 366;

using Clock = std::chrono::steady_clock;

// Real and CPU seconds: on a busy machine the CPU time shows the work itself.
struct Seconds {
    double real = 0;
    double cpu = 0;
};

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

template<typename Body>
Seconds measure(Body body)
{
    const double cpu = threadCpuSeconds();
    const auto start = Clock::now();
    body();
    return {std::chrono::duration<double>(Clock::now() - start).count(), threadCpuSeconds() - cpu};
}

// Food numbers of a table of the official foods' size: the standard numbers, then the later
// foods of every group in the reserved official range, a few dozen per group.
const std::vector<quint16> &tableNumbers()
{
    static const std::vector<quint16> numbers = [] {
        std::vector<quint16> n;
        for (quint32 number = 1; number <= dalmain::food::LastStandardNumber; ++number)
            n.push_back(static_cast<quint16>(number));
        for (int later = 1; n.size() < size_t(kTableFoods); ++later) {
            for (int group = 1; group <= dalmain::food::GroupCount && n.size() < size_t(kTableFoods); ++group)
                n.push_back(static_cast<quint16>(
                    dalmain::officialFoodNumber(group, dalmain::standardSerialCount(group) + later)));
        }
        return n;
    }();
    return numbers;
}

dalmain::DayMenu dayRecord(int day, std::mt19937 &random)
{
    dalmain::DayMenu menu;
    menu.dateKey = kFirstDay.addDays(day).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    QSet<quint16> dayFoods;
    for (int meal = 0; meal < dalmain::kMealCount; ++meal) {
        QSet<quint16> mealFoods;
        for (int i = 0; i < kFoodsPerMeal; ++i) {
            const quint16 food = tableNumbers()[random() % tableNumbers().size()];
            menu.entries[meal][i] = {food, static_cast<quint16>(random() % 3000)};
            mealFoods.insert(food);
            dayFoods.insert(food);
        }
        menu.foodCounts[meal] = static_cast<quint16>(mealFoods.size());
    }
    menu.foodCounts[dalmain::kDayRow] = static_cast<quint16>(dayFoods.size());
    return menu;
}

struct Setup {
    QTemporaryDir folder;
    QString path;
    dalmain::EntryFoodIndex foods;
    dalmain::CoverageFoods coverageFoods;
    dalmain::IntakeStandard standard;
    dalmain::GroupAnalysisData groups;
    dalmain::AnalysisSubject subject;
    bool ok = false;

    Setup()
    {
        quenkit::setDataFolderOverride(folder.path() + QLatin1Char('/'));
        path = quenkit::dataPath(dalmain::dayMenuFileName(kUser));
        std::mt19937 random(20240101);
        QByteArray bytes;
        for (int d = 0; d < kDays; ++d)
            bytes += dalmain::encodeDayMenu(dayRecord(d, random));
        QFile file(path);
        ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        file.close();

        dalmain::FoodCache cache;
        for (const quint16 n : tableNumbers()) {
            dalmain::FoodCacheEntry food;
            food.number = n;
            food.group = static_cast<quint32>(1 + n % 18);
            food.wasteRatio = static_cast<double>(random() % 4) * 10.0;
            for (int i = 0; i < dalmain::kNutrientCount; ++i) {
                // About one value in eight not analysed, as in the official table.
                if (random() % 8 == 0)
                    food.unknown.set(static_cast<size_t>(i));
                else
                    food.nutrients[i] = static_cast<double>(random() % 5000) / 10.0;
            }
            cache.append(food);
        }
        foods = dalmain::EntryFoodIndex::fromCache(cache);
        coverageFoods = dalmain::CoverageFoods::fromCache(cache);
        for (int i = 0; i < dalmain::kNutrientCount; i += 2)
            standard[i] = {10.0 * (i + 1), i % 4 == 0 ? 30.0 * (i + 1) : 0.0};
        ok = ok && readWholeFile() && writeLogs(random);
        makeSubject(cache, random);
    }

    bool writeLogs(std::mt19937 &random) const
    {
        if (quenkit::createDbfTable(dalmain::exerciseLogName(kUser), dalmain::exerciseLogFields()) != 1
            || quenkit::createDbfTable(dalmain::weightLogName(kUser), dalmain::weightLogFields()) != 1)
            return false;
        for (int d = 0; d < kDays; ++d) {
            const QByteArray date = kFirstDay.addDays(d).toString(QStringLiteral("yyyyMMdd")).toLatin1();
            if (d % 2 == 0) {
                QList<dalmain::ExerciseSlot> entrySlots;
                for (unsigned item = 1; item <= 3; ++item)
                    entrySlots.append({item, int(10 + random() % 50), "  4.0", {}});
                if (!dalmain::SaveExerciseDay(kUser, date, entrySlots))
                    return false;
            }
            if (d % 7 == 0 && !dalmain::SaveWeight(kUser, {date, 50.0 + double(random() % 100) / 10.0, 25.0}))
                return false;
        }
        return true;
    }

    void makeSubject(const dalmain::FoodCache &cache, std::mt19937 &random)
    {
        subject.age = 40;
        subject.sex = 1;
        for (dalmain::BasalStandardRow &row : subject.basal)
            row.standard = 21.7;
        QList<dalmain::ExerciseItem> items;
        for (unsigned n = 1; n <= 3; ++n) {
            dalmain::ExerciseItem item;
            item.number = n;
            item.name = "item";
            item.af = 4.0;
            item.afText = "  4.0";
            items.append(item);
        }
        subject.items = dalmain::itemLookupOf(items);

        dalmain::GroupData g;
        for (int s = 0; s < dalmain::kTableGroups; ++s) {
            g.table.groupNames[size_t(s)] = QStringLiteral("group");
            g.table.mapping[size_t(s)] = 1 + s % 10;
        }
        g.groupIndex = dalmain::groupIndexesOf(g.table);
        for (int i = 0; i < 50; ++i)
            g.exceptions.append({tableNumbers()[random() % tableNumbers().size()], quint8(1 + i % 18), quint8(i % 11)});
        dalmain::ExchangeData e;
        e.kind = dalmain::ExchangeKind::Diabetes;
        for (const dalmain::FoodCacheEntry &food : cache)
            e.foods.append({food.number, quint8(1 + food.number % 9), food.nutrients[0], food.nutrients[3], food.wasteRatio});
        groups = dalmain::GroupAnalysisData(g, e);
        subject.groups = &groups;
    }

    // One whole-file read: the medians of several, taken right after a timing so that both see
    // the same machine load.
    Seconds fileRead() const
    {
        std::vector<double> real;
        std::vector<double> cpu;
        for (int i = 0; i < 21; ++i) {
            const Seconds s = measure([this] { readWholeFile(); });
            real.push_back(s.real);
            cpu.push_back(s.cpu);
        }
        std::nth_element(real.begin(), real.begin() + 10, real.end());
        std::nth_element(cpu.begin(), cpu.begin() + 10, cpu.end());
        return {real[10], cpu[10]};
    }

    bool readWholeFile() const
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        const QByteArray all = f.readAll();
        benchmark::DoNotOptimize(all.constData());
        return all.size() == qint64(kDays) * dalmain::kDayMenuSize;
    }
};

Setup &setup()
{
    static Setup s;
    return s;
}

// Runs body once per iteration and reports the mean real and CPU time per run as multiples of
// one read of the file (x_file_read, x_file_read_cpu).
template<typename Body>
void timed(benchmark::State &state, Body body)
{
    Setup &s = setup();
    if (!s.ok) {
        state.SkipWithError("cannot write or read the menu file");
        return;
    }
    bool failed = false;
    const Seconds total = measure([&] {
        for (auto _ : state) {
            if (!body(s)) {
                failed = true;
                break;
            }
        }
    });
    if (failed) {
        state.SkipWithError("unexpected result");
        return;
    }
    const Seconds read = s.fileRead();
    const double runs = double(state.iterations());
    state.counters["x_file_read"] = total.real / runs / read.real;
    state.counters["x_file_read_cpu"] = total.cpu / runs / read.cpu;
}

void ReadMenuFileOnce(benchmark::State &state)
{
    timed(state, [](Setup &s) { return s.readWholeFile(); });
}

void AnalyseYear(benchmark::State &state)
{
    timed(state, [](Setup &s) {
        const dalmain::AnalysisResult r =
            dalmain::RunAnalysis(dalmain::AnalysisRequest::year(kUser, "2024"), s.foods, s.standard, true);
        benchmark::DoNotOptimize(r.dayTotal.data());
        return r.dayCount == kDays && r.foodCounts[0] > 0;
    });
}

void AnalyseMonth(benchmark::State &state)
{
    timed(state, [](Setup &s) {
        const dalmain::AnalysisResult r =
            dalmain::RunAnalysis(dalmain::AnalysisRequest::month(kUser, "202402"), s.foods, s.standard, true);
        benchmark::DoNotOptimize(r.dayTotal.data());
        return r.dayCount == 29;
    });
}

void AnalyseYearAllSections(benchmark::State &state)
{
    timed(state, [](Setup &s) {
        const dalmain::AnalysisResult r = dalmain::RunAnalysis(dalmain::AnalysisRequest::year(kUser, "2024"), s.foods,
                                                               s.standard, true, s.subject);
        benchmark::DoNotOptimize(r.dayTotal.data());
        return r.dayCount == kDays && r.energyBalance.exerciseDays == 183 && r.energyBalance.bodyWeight > 0
            && r.exchangeUnits[dalmain::kDayRow][0] > 0;
    });
}

void AnalyseMonthAllSections(benchmark::State &state)
{
    timed(state, [](Setup &s) {
        const dalmain::AnalysisResult r = dalmain::RunAnalysis(dalmain::AnalysisRequest::month(kUser, "202402"),
                                                               s.foods, s.standard, true, s.subject);
        benchmark::DoNotOptimize(r.dayTotal.data());
        return r.dayCount == 29 && r.history.size() == 12;
    });
}

void CoverageOfYear(benchmark::State &state)
{
    timed(state, [](Setup &s) {
        const dalmain::NutrientCoverage c =
            dalmain::measureCoverage(dalmain::AnalysisRequest::year(kUser, "2024"), s.coverageFoods, true);
        benchmark::DoNotOptimize(c.knownGrams.data());
        return c.days == kDays && c.eatenGrams > 0;
    });
}

// The records of the year read and decoded, without summing: the part of the analysis that
// is file access.
void ReadYearRecords(benchmark::State &state)
{
    timed(state, [](Setup &) {
        dalmain::DayMenu menu;
        int read = 0;
        for (int r : dalmain::FindDayMenus(kUser, "2024"))
            read += dalmain::ReadDayMenu(kUser, r, menu);
        benchmark::DoNotOptimize(menu.entries.data());
        return read == kDays;
    });
}

}  // namespace

BENCHMARK(ReadMenuFileOnce)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadYearRecords)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnalyseYear)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnalyseMonth)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnalyseYearAllSections)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnalyseMonthAllSections)->Unit(benchmark::kMicrosecond);
BENCHMARK(CoverageOfYear)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
