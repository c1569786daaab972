// The table layer on a table of the food table's shape (2,000 records of 413 bytes, signed):
// a keyword search and a middle insert, each reported as a multiple of reading the whole file
// once in the same run. The search is meant to stay within 3 whole-file reads.

#include "FoodTableGenerator.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/text/ShiftJis.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace {

constexpr int kFoods = 2000;
const QString kTable = QStringLiteral("食品.FDB");

struct Setup {
    QTemporaryDir folder;
    QByteArray pristine;   // the generated table, to restore after each insert

    Setup()
    {
        quenkit::setDataFolderOverride(folder.path() + QLatin1Char('/'));
        if (!benchdata::writeFoodTable(kTable, kFoods))
            std::fprintf(stderr, "cannot write the food table\n");
        QFile f(quenkit::dataPath(kTable));
        if (f.open(QIODevice::ReadOnly))
            pristine = f.readAll();
    }
};

Setup &setup()
{
    static Setup s;
    return s;
}

void restoreTable()
{
    QFile f(quenkit::dataPath(kTable));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(setup().pristine);
}

void ReadWholeFile(benchmark::State &state)
{
    const QString path = quenkit::dataPath(kTable);
    for (auto _ : state) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the table");
            break;
        }
        const QByteArray all = f.readAll();
        benchmark::DoNotOptimize(all.constData());
    }
    state.SetBytesProcessed(state.iterations() * setup().pristine.size());
}

void SearchKeyword(benchmark::State &state)
{
    const QByteArray fields = quenkit::toSjis(u"食品名@よみ");
    const QByteArray key = quenkit::toSjis(u"カレー");
    QList<int> found;
    for (auto _ : state) {
        const int n = quenkit::SearchDBFRecord(nullptr, found, kTable, fields, key, key);
        if (n != kFoods / 40) {
            state.SkipWithError("unexpected number of curries");
            break;
        }
        benchmark::DoNotOptimize(found.constData());
    }
    state.SetBytesProcessed(state.iterations() * setup().pristine.size());
}

void MiddleInsert(benchmark::State &state)
{
    // An odd food number sorts between two existing ones in the middle of the table.
    const QByteArray number = QByteArray::number(kFoods + 1).rightJustified(5, '0');
    const QByteArray body = benchdata::foodBody(number, 99999);
    const QByteArray keyField = quenkit::toSjis(u"食品番号");
    for (auto _ : state) {
        state.PauseTiming();
        restoreTable();
        state.ResumeTiming();
        if (quenkit::WriteDBFRecord(nullptr, kTable, body, keyField, quenkit::WriteOrOverwrite) != 1) {
            state.SkipWithError("the insert failed");
            break;
        }
    }
    restoreTable();
}

// Keeps the times of each benchmark (the median when the run is repeated) for the ratios
// printed at the end, in real and in CPU time.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && !m_fromMedian.count(run.run_name.function_name))) {
                m_times[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
                if (median)
                    m_fromMedian.insert(run.run_name.function_name);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const
    {
        const auto read = m_times.find("ReadWholeFile");
        if (read == m_times.end() || read->second.real <= 0 || read->second.cpu <= 0)
            return;
        std::printf("\nAs multiples of one whole-file read (real time, CPU time):\n");
        for (const char *name : {"SearchKeyword", "MiddleInsert"}) {
            const auto it = m_times.find(name);
            if (it != m_times.end())
                std::printf("  %-14s %6.2f  %6.2f\n", name, it->second.real / read->second.real,
                            it->second.cpu / read->second.cpu);
        }
    }

private:
    struct Times {
        double real;
        double cpu;
    };
    std::map<std::string, Times> m_times;
    std::set<std::string> m_fromMedian;
};

}  // namespace

BENCHMARK(ReadWholeFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(SearchKeyword)->Unit(benchmark::kMicrosecond);
BENCHMARK(MiddleInsert)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (setup().pristine.size() != 10 + 33 + 32 * 43 + static_cast<qsizetype>(kFoods) * benchdata::FoodRecordLength + 1) {
        std::fprintf(stderr, "the generated table has an unexpected size\n");
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
