// Entries the tool refuses rather than storing them changed: texts that do not fit their field
// or that Shift-JIS cannot hold, and dates the records cannot have.

#include "UserFixtures.h"

#include "quenkit/dbf/Dbf.h"

namespace {

using namespace userfixtures;

class RefusedInputCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.installAll());
        ASSERT_TRUE(data.install({QStringLiteral("食品.FDB"), QStringLiteral("食品.IDX")}));
        const testsupport::CliResult r = runTool(data, addWoman(kUser));
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    testsupport::CliResult run(const QStringList &args, const QStringList &env = {}) const
    {
        return runTool(data, args, env);
    }

    const QString kUser = QStringLiteral("山田花子");
    DataFolder data;
};

TEST_F(RefusedInputCliTest, ADishNameThatWouldBeStoredChangedIsRefusedAndNothingIsSaved)
{
    const QString fits = QString(40, QLatin1Char('a'));
    const struct {
        QString name;
        const char *told;
    } cases[] = {
        {QString(41, QLatin1Char('a')), "longer than 40 bytes"},
        {QString(20, QChar(u'お')) + QLatin1Char('a'), "longer than 40 bytes"},   // 41 bytes in Shift-JIS
        {QStringLiteral("🍙おにぎり"), "Shift-JIS cannot hold"},
    };
    for (const auto &c : cases) {
        const testsupport::CliResult r = run({QStringLiteral("menu"), QStringLiteral("set"), kUser, QStringLiteral("2024-06-15"),
                                              QStringLiteral("lunch"), QStringLiteral("15:100"), QStringLiteral("--dish"), c.name});
        EXPECT_EQ(r.exitCode, 2) << c.name.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.told))) << r.err.toStdString();
        EXPECT_FALSE(r.out.contains(QStringLiteral("saved"))) << r.out.toStdString();
    }
    EXPECT_EQ(run({QStringLiteral("menu"), QStringLiteral("days"), kUser}).exitCode, 1);   // no day was saved

    const testsupport::CliResult r = run({QStringLiteral("menu"), QStringLiteral("set"), kUser, QStringLiteral("2024-06-15"),
                                          QStringLiteral("lunch"), QStringLiteral("15:100"), QStringLiteral("--dish"), fits});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(run({QStringLiteral("menu"), QStringLiteral("show"), kUser, QStringLiteral("2024-06-15")})
                    .out.contains(QStringLiteral("  [") + fits + QStringLiteral("]\n")));
}

TEST_F(RefusedInputCliTest, ATableValueThatShiftJisCannotHoldIsRefused)
{
    const QString table = data.folders.dataFile(QStringLiteral("体重.DBF"));
    const QByteArray before = testsupport::readFile(table);
    const QList<QStringList> assignments = {
        {QStringLiteral("記録日付=🍙"), QStringLiteral("体重= 50.0")},
        {QStringLiteral("記録日付=20240615"), QStringLiteral("体重=🍙")},
    };
    for (const QStringList &fields : assignments) {
        const testsupport::CliResult r =
            run(QStringList{QStringLiteral("dbf"), QStringLiteral("write"), table, QStringLiteral("記録日付")} + fields);
        EXPECT_EQ(r.exitCode, 2) << fields.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("Shift-JIS cannot hold"))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    EXPECT_EQ(testsupport::readFile(table), before);
    const testsupport::CliResult r = run({QStringLiteral("dbf"), QStringLiteral("delete"), table, QStringLiteral("記録日付"),
                                          QStringLiteral("🍙")});
    EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
}

TEST_F(RefusedInputCliTest, AnInvalidFixedTodayIsToldOnceAndTheRealDateIsUsed)
{
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    for (const char *value : {"2024-13-01", "0000-01-01", "yesterday"}) {
        const testsupport::CliResult r = run(addWoman(QStringLiteral("佐藤恵%1").arg(QString::fromLatin1(value))),
                                             {QStringLiteral("DALMORA_TODAY=") + QString::fromLatin1(value)});
        ASSERT_EQ(r.exitCode, 0) << value << ": " << r.err.toStdString();
        EXPECT_EQ(r.err.count(QStringLiteral("DALMORA_TODAY=")), 1) << value << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("DALMORA_TODAY=") + QString::fromLatin1(value)));
    }
    // The weight of the last one is dated with the real date.
    QByteArray record;
    ASSERT_EQ(quenkit::ReadDBFRecord(data.folders.dataFile(QStringLiteral("W3.DBF")), 0, record), 1);
    EXPECT_EQ(QString::fromLatin1(record.left(8)), today);
}

TEST_F(RefusedInputCliTest, AnalysisPeriodsOfYearsRecordsCannotHaveAreUsageErrors)
{
    const QList<QStringList> periods = {
        {QStringLiteral("--year"), QStringLiteral("0000")},
        {QStringLiteral("--year"), QStringLiteral("1979")},
        {QStringLiteral("--month"), QStringLiteral("0000-01")},
        {QStringLiteral("--day"), QStringLiteral("1979-12-31")},
        {QStringLiteral("--days"), QStringLiteral("2024-06-15,0001-01-01")},
    };
    for (const QStringList &period : periods) {
        const testsupport::CliResult r = run(QStringList{QStringLiteral("analyze"), kUser} + period);
        EXPECT_EQ(r.exitCode, 2) << period.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    const testsupport::CliResult r = run({QStringLiteral("analyze"), kUser, QStringLiteral("--year"), QStringLiteral("1980")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
}

}  // namespace
