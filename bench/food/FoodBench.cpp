// LoadFoodCache and RebuildFoodIndex on the whole official food table (2,538 foods, imported
// from MEXT's Excel files with fatty acids and dietary fibre), each also
// as a multiple of reading the table file once in the same run (counter x_file_read). Both are
// meant to stay under 20 ms.

#include "dalmain/master/FoodTable.h"
#include "dalmain/master/MextImport.h"
#include "quenkit/files/DataFolder.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

const QString kShared = QStringLiteral(DALMORA_SHARED_DATA_DIR);

struct Setup {
    QTemporaryDir folder;
    bool ready = false;

    Setup()
    {
        quenkit::setDataFolderOverride(folder.path() + QLatin1Char('/'));
        dalmain::mext::ImportFiles files;
        files.mainCsv = kShared + QStringLiteral("/mext2023/20260327-mxt_kagsei-mext-000029402_02.xlsx");
        files.fattyAcidsCsv = kShared + QStringLiteral("/mext2023/20260327-mxt_kagsei-mext-000029402_09.xlsx");
        files.fibre = kShared + QStringLiteral("/mext2023/fibre-2020-annex1.xlsx");
        files.replace = true;
        files.output = quenkit::dataPath(QStringLiteral("食品.FDB"));
        dalmain::mext::ImportResult result;
        QString error;
        ready = dalmain::mext::runMextImport(files, result, &error) == 1;
        if (!ready)
            std::fprintf(stderr, "cannot import the official table: %s\n", qPrintable(error));
    }
};

Setup &setup()
{
    static Setup s;
    return s;
}

double secondsOf(auto body)
{
    const auto start = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One read of the whole table file: the median of several.
double fileReadSeconds()
{
    const QString path = quenkit::dataPath(QStringLiteral("食品.FDB"));
    std::vector<double> runs;
    for (int i = 0; i < 21; ++i) {
        runs.push_back(secondsOf([&] {
            QFile f(path);
            if (f.open(QIODevice::ReadOnly))
                benchmark::DoNotOptimize(f.readAll().constData());
        }));
    }
    std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
    return runs[runs.size() / 2];
}

template<typename Body>
void timed(benchmark::State &state, Body body)
{
    if (!setup().ready) {
        state.SkipWithError("no official table to work on");
        return;
    }
    double total = 0;
    std::int64_t runs = 0;
    for (auto _ : state) {
        total += secondsOf(body);
        ++runs;
    }
    if (runs > 0)
        state.counters["x_file_read"] = total / runs / fileReadSeconds();
}

void ReadTableFile(benchmark::State &state)
{
    const QString path = quenkit::dataPath(QStringLiteral("食品.FDB"));
    timed(state, [&] {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            benchmark::DoNotOptimize(f.readAll().constData());
    });
}

void LoadFoodCache(benchmark::State &state)
{
    dalmain::FoodCache cache;
    timed(state, [&] {
        if (dalmain::LoadFoodCache(nullptr, cache) != 1 || cache.size() != 2538)
            state.SkipWithError("the cache does not hold the table");
    });
}

void RebuildFoodIndex(benchmark::State &state)
{
    timed(state, [&] {
        if (dalmain::RebuildFoodIndex(nullptr) != 1)
            state.SkipWithError("the index was not written");
    });
}

BENCHMARK(ReadTableFile)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadFoodCache)->Unit(benchmark::kMillisecond);
BENCHMARK(RebuildFoodIndex)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
