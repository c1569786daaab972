// Several scripts writing memos of one user at once. Every memo change rewrites the whole file
// from what was read; without a lock over the read and the rewrite, one writer's memo vanished
// whenever another rewrote the file in between, though both reported success.

#include "support/TestSupport.h"

#include <QMap>

#include <gtest/gtest.h>

using testsupport::CliResult;

TEST(MemoConcurrency, WritersAtOnceLoseNoMemo)
{
    testsupport::TempFolders folders;
    const QStringList base = {QStringLiteral("--config-dir"), folders.configDir(), QStringLiteral("--data-dir"),
                              folders.dataDir()};
    auto run = [&](const QStringList &args) { return testsupport::runCli(base + args); };
    ASSERT_EQ(run({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
    const CliResult added = run({QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("--name"),
                                 QStringLiteral("山田花子"), QStringLiteral("--reading"), QStringLiteral("ﾊﾅｺ"),
                                 QStringLiteral("--age"), QStringLiteral("30"), QStringLiteral("--sex"),
                                 QStringLiteral("female"), QStringLiteral("--height"), QStringLiteral("158"),
                                 QStringLiteral("--activity"), QStringLiteral("1"), QStringLiteral("--weight"),
                                 QStringLiteral("52")});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();

    constexpr int kWriters = 4;
    constexpr int kDays = 12;
    QList<QList<QStringList>> workers(kWriters);
    QMap<QString, QString> expected;
    for (int w = 0; w < kWriters; ++w) {
        for (int d = 1; d <= kDays; ++d) {
            const QString key = QStringLiteral("2024%1%2").arg(w + 1, 2, 10, QLatin1Char('0')).arg(d, 2, 10, QLatin1Char('0'));
            // Every third memo is written twice: the second write replaces the first.
            const int times = d % 3 == 0 ? 2 : 1;
            for (int t = 0; t < times; ++t) {
                const QString text = QStringLiteral("外食 %1-%2-%3").arg(w).arg(d).arg(t);
                workers[w].append(base + QStringList{QStringLiteral("memo"), QStringLiteral("set"), QStringLiteral("0"),
                                                     QStringLiteral("MM"), key, text});
                expected.insert(key, text);
            }
        }
    }
    const QList<QList<CliResult>> results = testsupport::runCliWorkers(workers);
    for (int w = 0; w < kWriters; ++w) {
        for (qsizetype i = 0; i < results[w].size(); ++i)
            EXPECT_EQ(results[w][i].exitCode, 0) << workers[w][i].join(u' ').toStdString() << "\n"
                                                 << results[w][i].err.toStdString();
    }
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const CliResult r = run({QStringLiteral("memo"), QStringLiteral("get"), QStringLiteral("0"), QStringLiteral("MM"), it.key()});
        EXPECT_EQ(r.out, it.value() + QLatin1Char('\n')) << it.key().toStdString();
    }
}
