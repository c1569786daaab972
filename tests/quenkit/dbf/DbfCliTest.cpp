// The dbf command group, run as a user runs it.

#include "DbfTestTables.h"

#include <QMap>

using namespace dbftest;
using testsupport::CliResult;
using testsupport::runCli;

namespace {

class DbfCli : public TableTest
{
protected:
    CliResult dbf(const QStringList &args)
    {
        return runCli(QStringList{QStringLiteral("dbf")} + args,
                      {QStringLiteral("DALMORA_CONFIG_DIR=") + m_folders.configDir(), QStringLiteral("DALMORA_TODAY=2014-02-03")});
    }
    const QString file = path(QStringLiteral("料理.DBF"));
};

}  // namespace

TEST_F(DbfCli, CreateWriteDumpSearchDelete)
{
    CliResult r = dbf({QStringLiteral("create"), file, QStringLiteral("コード:C:4"), QStringLiteral("名前:C:10"),
                       QStringLiteral("量:N:5:1")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<Field> fields = {{sjis("コード"), 'C', 4}, {sjis("名前"), 'C', 10}, {sjis("量"), 'N', 5}};
    QByteArray expected = tableImage(fields, {}, false, 114, 2, 3);
    expected[kLanguageByte] = 0;
    for (int i = 0; i < 3; ++i)
        expected[32 + 32 * i + kDescriptorMarkerByte] = 0;
    expected[32 + 64 + 17] = 1;   // decimals of 量
    EXPECT_EQ(bytesOf(QStringLiteral("料理.DBF")).toHex(' '), expected.toHex(' '));

    const struct {
        QStringList args;
        int exitCode;
        QString out;
    } steps[] = {
        {{QStringLiteral("write"), file, QStringLiteral("コード"), QStringLiteral("コード=0020"), QStringLiteral("名前=カレー"), QStringLiteral("量=1.5")}, 0, QStringLiteral("1\n")},
        {{QStringLiteral("write"), file, QStringLiteral("コード"), QStringLiteral("コード=0010"), QStringLiteral("名前=ｶﾚｰ, 辛口")}, 0, QStringLiteral("1\n")},
        {{QStringLiteral("write"), file, QStringLiteral("コード"), QStringLiteral("コード=0030"), QStringLiteral("名前=\"A\"")}, 0, QStringLiteral("1\n")},
        {{QStringLiteral("write"), file, QStringLiteral("コード"), QStringLiteral("コード=0030"), QStringLiteral("名前=ハヤシ")}, 0, QStringLiteral("2\n")},
        {{QStringLiteral("write"), file, QStringLiteral("コード"), QStringLiteral("コード=0030"), QStringLiteral("--no-overwrite")}, 1, QStringLiteral("0\n")},
        {{QStringLiteral("dump"), file}, 0, QStringLiteral("0,0010,\"ｶﾚｰ, 辛口\",\n1,0020,カレー,1.5\n2,0030,ハヤシ,\n")},
        {{QStringLiteral("search"), file, QStringLiteral("コード@名前"), QStringLiteral("かれー"), QStringLiteral("かれー")}, 0, QStringLiteral("0\n1\n")},
        {{QStringLiteral("search"), file, QStringLiteral("コード"), QStringLiteral("0015"), QStringLiteral("0030")}, 0, QStringLiteral("1\n2\n")},
        {{QStringLiteral("search"), file, QStringLiteral("名前"), QStringLiteral("牛"), QStringLiteral("牛")}, 1, QString()},
        {{QStringLiteral("delete"), file, QStringLiteral("コード"), QStringLiteral("0020")}, 0, QStringLiteral("1\n")},
        {{QStringLiteral("delete"), file, QStringLiteral("コード"), QStringLiteral("0020")}, 1, QStringLiteral("2\n")},
        {{QStringLiteral("delete-record"), file, QStringLiteral("2")}, 1, QStringLiteral("2\n")},
        {{QStringLiteral("delete-record"), file, QStringLiteral("1")}, 0, QStringLiteral("1\n")},
        {{QStringLiteral("dump"), file}, 0, QStringLiteral("0,0010,\"ｶﾚｰ, 辛口\",\n")},
    };
    for (const auto &s : steps) {
        r = dbf(s.args);
        EXPECT_EQ(r.exitCode, s.exitCode) << s.args.join(QLatin1Char(' ')).toStdString() << "\n" << r.err.toStdString();
        EXPECT_EQ(r.out, s.out) << s.args.join(QLatin1Char(' ')).toStdString();
    }
    // The not-found message of the second delete reached stderr.
    r = dbf({QStringLiteral("delete"), file, QStringLiteral("コード"), QStringLiteral("0099")});
    EXPECT_TRUE(r.err.contains(QStringLiteral("削除を行うレコードが見つかりません。"))) << r.err.toStdString();

    r = dbf({QStringLiteral("info"), file});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("signature: no\nversion: 0x03\ndate: 2014/02/03\nrecords: 1\nheader length: 129\n"
                                    "record length: 20\nfields: 3\n  コード C 4 0 (offset 0)\n"
                                    "  名前 C 10 0 (offset 4)\n  量 N 5 1 (offset 14)\n"));
}

TEST_F(DbfCli, DeletedRecordsAndBrokenTables)
{
    const QList<Field> fields = {{"K", 'C', 2}};
    put(QStringLiteral("D.FDB"), tableImage(fields, {record(fields, {"a"}), record(fields, {"b"}, '*')}, true));
    const QString signedFile = path(QStringLiteral("D.FDB"));
    CliResult r = dbf({QStringLiteral("dump"), signedFile});
    EXPECT_EQ(r.out, QStringLiteral("0,a\n"));
    r = dbf({QStringLiteral("dump"), signedFile, QStringLiteral("--deleted")});
    EXPECT_EQ(r.out, QStringLiteral("0,a\n1*,b\n"));
    r = dbf({QStringLiteral("info"), signedFile});
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("signature: yes\nversion: 0x03\ndate: 2013/12/06\nrecords: 2\n")));

    // A header that claims more records than the file holds: shown, reported, not read.
    QByteArray broken = tableImage(fields, {record(fields, {"a"})});
    broken[4] = 9;
    put(QStringLiteral("B.DBF"), broken);
    r = dbf({QStringLiteral("info"), path(QStringLiteral("B.DBF"))});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.contains(QStringLiteral("records: 9\n")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("9 records of 3 bytes reach past the end of the file")));
    r = dbf({QStringLiteral("dump"), path(QStringLiteral("B.DBF"))});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.isEmpty());
    r = dbf({QStringLiteral("search"), path(QStringLiteral("missing.DBF")), QStringLiteral("K"), QStringLiteral("a"), QStringLiteral("a")});
    EXPECT_EQ(r.exitCode, 3);
}

TEST_F(DbfCli, UsageErrors)
{
    put(QStringLiteral("T.DBF"), tableImage({{"KEY", 'C', 4}}, {}));
    const QString t = path(QStringLiteral("T.DBF"));
    const QString n = path(QStringLiteral("new.DBF"));
    const QList<QStringList> cases = {
        {},
        {QStringLiteral("bogus"), t},
        {QStringLiteral("info")},
        {QStringLiteral("info"), t, QStringLiteral("extra")},
        {QStringLiteral("info"), t, QStringLiteral("--deleted")},
        {QStringLiteral("dump"), t, QStringLiteral("--bogus")},
        {QStringLiteral("search"), t, QStringLiteral("KEY"), QStringLiteral("a")},
        {QStringLiteral("create"), n},
        {QStringLiteral("create"), n, QStringLiteral("A:C")},
        {QStringLiteral("create"), n, QStringLiteral("A:CC:3")},
        {QStringLiteral("create"), n, QStringLiteral("A:C:0")},
        {QStringLiteral("create"), n, QStringLiteral("A:C:256")},
        {QStringLiteral("create"), n, QStringLiteral("A:C:3:x")},
        {QStringLiteral("create"), n, QStringLiteral("TWELVEBYTES_:C:3")},
        {QStringLiteral("create"), n, QStringLiteral("食品番号の名:C:3")},
        {QStringLiteral("write"), t},
        {QStringLiteral("write"), t, QStringLiteral("NOPE"), QStringLiteral("KEY=1")},
        {QStringLiteral("write"), t, QStringLiteral("KEY"), QStringLiteral("NOPE=1")},
        {QStringLiteral("write"), t, QStringLiteral("KEY"), QStringLiteral("KEY=12345")},
        {QStringLiteral("write"), t, QStringLiteral("KEY"), QStringLiteral("=1")},
        {QStringLiteral("delete"), t, QStringLiteral("KEY")},
        {QStringLiteral("delete-record"), t, QStringLiteral("x")},
        {QStringLiteral("delete-record"), t, QStringLiteral("-1")},
    };
    const QByteArray before = bytesOf(QStringLiteral("T.DBF"));
    for (const QStringList &args : cases) {
        const CliResult r = dbf(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_EQ(bytesOf(QStringLiteral("T.DBF")), before);
    EXPECT_FALSE(QFile::exists(n));
}

// Four scripts insert into and delete from one table at once. Inserts in the middle rewrite the
// whole table; without a lock across the read, the decision and the rewrite, two writers each
// rewrote from the same old table and one's change vanished, with success reported.
TEST_F(DbfCli, ConcurrentWritersLoseNothing)
{
    ASSERT_EQ(dbf({QStringLiteral("create"), file, QStringLiteral("K:C:4"), QStringLiteral("V:C:8")}).exitCode, 0);
    constexpr int kKept = 20;
    for (int i = 0; i < kKept; ++i) {
        const CliResult r = dbf({QStringLiteral("write"), file, QStringLiteral("K"),
                                 QStringLiteral("K=%1").arg(i * 10, 4, 10, QLatin1Char('0')), QStringLiteral("V=old%1").arg(i)});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    constexpr int kWriters = 4;
    constexpr int kInserts = 10;
    constexpr int kDeletes = 3;
    const QStringList env = {QStringLiteral("DALMORA_CONFIG_DIR=") + m_folders.configDir()};
    QList<QList<QStringList>> workers(kWriters);
    QMap<QString, QString> expected;
    for (int i = 0; i < kKept; ++i)
        expected.insert(QStringLiteral("%1").arg(i * 10, 4, 10, QLatin1Char('0')), QStringLiteral("old%1").arg(i));
    for (int w = 0; w < kWriters; ++w) {
        for (int n = 0; n < kInserts; ++n) {
            // Keys between the existing ones, so that every insert rewrites the table.
            const QString key = QStringLiteral("%1").arg((n * 2 % kKept) * 10 + w + 1, 4, 10, QLatin1Char('0'));
            workers[w].append({QStringLiteral("dbf"), QStringLiteral("write"), file, QStringLiteral("K"),
                               QStringLiteral("K=") + key, QStringLiteral("V=w%1n%2").arg(w).arg(n)});
            expected.insert(key, QStringLiteral("w%1n%2").arg(w).arg(n));
            if (n < kDeletes) {
                const QString gone = QStringLiteral("%1").arg((w * kDeletes + n) * 10, 4, 10, QLatin1Char('0'));
                workers[w].append({QStringLiteral("dbf"), QStringLiteral("delete"), file, QStringLiteral("K"), gone});
                expected.remove(gone);
            }
        }
    }
    const QList<QList<CliResult>> results = testsupport::runCliWorkers(workers, env);
    for (int w = 0; w < kWriters; ++w) {
        for (qsizetype i = 0; i < results[w].size(); ++i)
            EXPECT_EQ(results[w][i].exitCode, 0) << workers[w][i].join(u' ').toStdString() << "\n"
                                                 << results[w][i].err.toStdString();
    }

    QString want;
    int n = 0;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        want += QStringLiteral("%1,%2,%3\n").arg(n++).arg(it.key(), it.value());
    EXPECT_EQ(dbf({QStringLiteral("dump"), file}).out, want);
}
