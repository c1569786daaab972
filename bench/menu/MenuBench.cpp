// Finding the days of a month in ten years of daily menus (3,650 records of 6,259 bytes): the
// walk the analysis and the calendar make, each timing also reported as a multiple of reading
// the whole file once in the same run. The first search reads the file's date keys and is
// meant to stay under 5 ms; a day or a month after it is answered from the keys in memory and
// is meant to stay under 0.2 ms.

#include "MenuFileGenerator.h"

#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/DayMenuIndex.h"

#include "quenkit/binrec/BinRecord.h"
#include "quenkit/files/DataFolder.h"

#include "support/RatioReporter.h"
#include "support/WholeFileRead.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kUser = 1;
constexpr int kDays = 3650;
const QDate kFirstDay(2015, 1, 1);  // the last day is 28 December 2024

// Months to look for: one in the middle of the file, and the latest, which the user opens most.
struct Month {
    const char *key;
    int days;
};
constexpr Month kMonths[] = {{"201906", 30}, {"202412", 28}};
constexpr const char *kDay = "20190615";

struct Setup {
    QTemporaryDir folder;
    qint64 size = 0;

    Setup()
    {
        quenkit::setDataFolderOverride(folder.path() + QLatin1Char('/'));
        const QString path = quenkit::dataPath(dalmain::dayMenuFileName(kUser));
        if (!benchdata::writeMenuFile(path, kFirstDay, kDays))
            std::fprintf(stderr, "cannot write the menu file\n");
        size = QFile(path).size();
    }
};

Setup &setup()
{
    static Setup s;
    return s;
}

QString menuPath()
{
    return quenkit::dataPath(dalmain::dayMenuFileName(kUser));
}

// The searches below the first one of a run find the date keys in memory.
void readKeysOnce()
{
    dalmain::FindDayMenu(kUser, kMonths[0].key, 1);
}

void ReadWholeFile(benchmark::State &state)
{
    benchsupport::readWholeFile(state, menuPath(), setup().size);
}

// All days of a month in one pass; with firstScan the date keys are read from the file each
// time, as after the program started or another program changed the file.
void findMonth(benchmark::State &state, bool firstScan)
{
    const Month &month = kMonths[state.range(0)];
    const QString path = menuPath();
    if (!firstScan)
        readKeysOnce();
    for (auto _ : state) {
        if (firstScan)
            dalmain::forgetDayMenuKeys(path);
        const QList<int> found = dalmain::FindDayMenus(kUser, month.key);
        if (found.size() != month.days) {
            state.SkipWithError("unexpected number of days");
            break;
        }
        benchmark::DoNotOptimize(found.constData());
    }
    state.SetLabel(month.key);
}

// The first search of the month after the program started or another program changed the
// file: the date keys are read from the file.
void FirstScanThenMonth(benchmark::State &state)
{
    findMonth(state, true);
}

// Opening another day on the menu screen.
void FindDayAfterFirstScan(benchmark::State &state)
{
    readKeysOnce();
    for (auto _ : state) {
        const int record = dalmain::FindDayMenu(kUser, kDay, 1);
        if (record == 0) {
            state.SkipWithError("the day is missing");
            break;
        }
        benchmark::DoNotOptimize(record);
    }
    state.SetLabel(kDay);
}

// The analysis's walk: search, then search again from the record after the last one found.
void FindMonthByRepeatedSearch(benchmark::State &state)
{
    const Month &month = kMonths[state.range(0)];
    readKeysOnce();
    for (auto _ : state) {
        int found = 0;
        for (int r = dalmain::FindDayMenu(kUser, month.key, 1); r > 0; r = dalmain::FindDayMenu(kUser, month.key, r + 1))
            ++found;
        if (found != month.days) {
            state.SkipWithError("unexpected number of days");
            break;
        }
    }
    state.SetLabel(month.key);
}

// A month after the first search: the calendar's and the analysis's question.
void FindMonthInOnePass(benchmark::State &state)
{
    findMonth(state, false);
}

// The same walk with the general fixed-record search, for comparison.
void FindMonthWithRecordSearch(benchmark::State &state)
{
    const Month &month = kMonths[state.range(0)];
    const QString name = dalmain::dayMenuFileName(kUser);
    const QByteArray key(month.key);
    for (auto _ : state) {
        int found = 0;
        for (int r = quenkit::SearchBINRecord(dalmain::kDayMenuSize, 1, 1, name, key); r > 0;
             r = quenkit::SearchBINRecord(dalmain::kDayMenuSize, 1, r + 1, name, key))
            ++found;
        if (found != month.days) {
            state.SkipWithError("unexpected number of days");
            break;
        }
    }
    state.SetLabel(month.key);
}

// Finding and reading every day of the month, as a month's analysis does.
void ReadMonth(benchmark::State &state)
{
    const Month &month = kMonths[state.range(0)];
    dalmain::DayMenu menu;
    readKeysOnce();
    for (auto _ : state) {
        int read = 0;
        for (int r : dalmain::FindDayMenus(kUser, month.key))
            read += dalmain::ReadDayMenu(kUser, r, menu);
        if (read != month.days) {
            state.SkipWithError("unexpected number of days");
            break;
        }
        benchmark::DoNotOptimize(menu.totals.data());
    }
    state.SetLabel(month.key);
}

}  // namespace

BENCHMARK(ReadWholeFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(FirstScanThenMonth)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindDayAfterFirstScan)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindMonthByRepeatedSearch)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindMonthInOnePass)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindMonthWithRecordSearch)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadMonth)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (setup().size != static_cast<qint64>(kDays) * dalmain::kDayMenuSize) {
        std::fprintf(stderr, "the generated menu file has an unexpected size\n");
        return 1;
    }
    benchsupport::RatioReporter reporter("ReadWholeFile");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("one whole-file read");
    benchmark::Shutdown();
    return 0;
}
