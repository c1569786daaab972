// The table layer on a table of the food table's shape (2,600 records of 413 bytes, signed: the
// 2,538 official foods and some of the user's own):
// a keyword search and a middle insert, each reported as a multiple of reading the whole file
// once in the same run. The search is meant to stay within 3 whole-file reads.

#include "FoodTableGenerator.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/text/ShiftJis.h"

#include "support/RatioReporter.h"
#include "support/WholeFileRead.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kFoods = 2600;
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
    benchsupport::readWholeFile(state, quenkit::dataPath(kTable), setup().pristine.size());
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
    benchsupport::RatioReporter reporter("ReadWholeFile");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("one whole-file read");
    benchmark::Shutdown();
    return 0;
}
