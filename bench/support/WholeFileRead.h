#pragma once

// The baseline of the file benchmarks: reading the whole file once, the least any operation on
// it can cost.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

namespace benchsupport {

inline void readWholeFile(benchmark::State &state, const QString &path, qint64 bytes)
{
    for (auto _ : state) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the file");
            break;
        }
        const QByteArray all = f.readAll();
        benchmark::DoNotOptimize(all.constData());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

}  // namespace benchsupport
