// dalmora users, run as a user runs it.

#include "UserFixtures.h"

#include "dalmain/userdata/UserProfile.h"

#include "quenkit/dbf/Dbf.h"

#include <QHash>
#include <QSet>

#include <optional>

namespace {

using namespace userfixtures;

class UsersCliTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(data.installAll()); }

    testsupport::CliResult users(const QStringList &args)
    {
        return testsupport::runCli(QStringList{QStringLiteral("--config-dir"), data.folders.configDir(),
                                               QStringLiteral("--data-dir"), data.folders.dataDir(),
                                               QStringLiteral("users")}
                                       + args,
                                   {QStringLiteral("DALMORA_TODAY=") + QString::fromLatin1(kToday)});
    }

    static QStringList woman(const QString &name)
    {
        return QStringList{QStringLiteral("add"), QStringLiteral("--name"), name, QStringLiteral("--reading"),
                           QStringLiteral("ﾊﾅｺ"), QStringLiteral("--age"), QStringLiteral("30"),
                           QStringLiteral("--sex"), QStringLiteral("female"), QStringLiteral("--menstruation"),
                           QStringLiteral("no"), QStringLiteral("--height"), QStringLiteral("158"),
                           QStringLiteral("--activity"), QStringLiteral("1"), QStringLiteral("--weight"),
                           QStringLiteral("52.5")};
    }

    // args with option set to value (added when args do not have it).
    static QStringList with(QStringList args, const QString &option, const QString &value)
    {
        const qsizetype at = args.indexOf(option);
        if (at >= 0)
            args[at + 1] = value;
        else
            args << option << value;
        return args;
    }

    DataFolder data;
};

TEST_F(UsersCliTest, AddShowListAndDeleteAUser)
{
    testsupport::CliResult r = users(woman(QStringLiteral("山田花子")));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("created user 0: 山田花子\n"));
    EXPECT_TRUE(data.exists(QStringLiteral("W0.DBF")));

    r = users({QStringLiteral("show"), QStringLiteral("山田花子")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("年齢\t30")));
    EXPECT_TRUE(lines.contains(QStringLiteral("月経\tなし")));
    EXPECT_TRUE(lines.contains(QStringLiteral("基準値\t日本人の食事摂取基準(2010年版)")));
    // 37 reference rows after their heading; the 2010 energy of a woman of 30-49 at level II.
    const qsizetype heading = lines.indexOf(QStringLiteral("栄養素\t単位\t下限\t上限"));
    ASSERT_GE(heading, 0);
    EXPECT_EQ(lines.size() - heading - 2, 37);   // the output ends with a line end
    EXPECT_EQ(lines[heading + 1], QStringLiteral("ｴﾈﾙｷﾞｰ\tkcal\t2000\t2000"));
    EXPECT_EQ(lines[heading + 1 + 12], QStringLiteral("鉄\tmg\t6.5\t0.0"));
    EXPECT_EQ(lines[heading + 1 + 36], QStringLiteral("食塩相当量\tg\t0.0\t7.5"));

    ASSERT_EQ(users(woman(QStringLiteral("佐藤恵"))).exitCode, 0);
    r = users({QStringLiteral("list")});
    EXPECT_EQ(r.out, QStringLiteral("1\tﾊﾅｺ\t佐藤恵\n0\tﾊﾅｺ\t山田花子\n"));

    r = users({QStringLiteral("delete"), QStringLiteral("山田花子")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(data.exists(QStringLiteral("W0.DBF")));
    EXPECT_EQ(users({QStringLiteral("list")}).out, QStringLiteral("1\tﾊﾅｺ\t佐藤恵\n"));
    r = users({QStringLiteral("delete"), QStringLiteral("山田花子")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(users({QStringLiteral("show"), QStringLiteral("山田花子")}).exitCode, 1);
}

TEST_F(UsersCliTest, AddingAnExistingNameOverwritesIt)
{
    ASSERT_EQ(users(woman(QStringLiteral("山田花子"))).exitCode, 0);
    const testsupport::CliResult r = users(with(woman(QStringLiteral("山田花子")), QStringLiteral("--pregnancy"), QStringLiteral("2")));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("overwrote user 0: 山田花子\n"));
    const QStringList lines = users({QStringLiteral("show"), QStringLiteral("山田花子")}).out.split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("妊娠・授乳\t妊娠中期")));
    EXPECT_TRUE(lines.contains(QStringLiteral("ｴﾈﾙｷﾞｰ\tkcal\t2250\t2250")));
}

TEST_F(UsersCliTest, RefusedEntriesTellTheScreensMessageAndExit1)
{
    const struct {
        const char *option;
        const char16_t *value;
        const char16_t *message;
    } cases[] = {
        {"--age", u"0", u"年齢は１歳以上で入力してください。"},
        {"--height", u"300", u"身長は50.0～250.0cmの間で入力してください。"},
        {"--reading", u"はなこ", u"フリガナは半角のカタカナで入力してください。"},
        {"--weight", u"250", u"体重は0.1～200.0kgの間で入力してください。"},
        {"--weight-date", u"1979-01-01", u"年は､1980年から2024年の間で入力してください。"},
    };
    for (const auto &c : cases) {
        const testsupport::CliResult r =
            users(with(woman(QStringLiteral("山田花子")), QString::fromLatin1(c.option), QString::fromUtf16(c.value)));
        EXPECT_EQ(r.exitCode, 1) << c.option;
        EXPECT_EQ(r.err, QString::fromUtf16(c.message) + QLatin1Char('\n'));
    }
    EXPECT_TRUE(users({QStringLiteral("list")}).out.isEmpty());
    EXPECT_FALSE(data.exists(QStringLiteral("W0.DBF")));
}

TEST_F(UsersCliTest, MalformedCommandsAreUsageErrors)
{
    const QList<QStringList> cases = {
        {QStringLiteral("frobnicate")},
        {QStringLiteral("show")},
        with(woman(QStringLiteral("山田花子")), QStringLiteral("--birth"), QStringLiteral("1994-01-20")),   // and --age
        with(woman(QStringLiteral("山田花子")), QStringLiteral("--activity"), QStringLiteral("3")),
        with(woman(QStringLiteral("山田花子")), QStringLiteral("--age"), QStringLiteral("100")),
        with(woman(QStringLiteral("山田花子")), QStringLiteral("--sex"), QStringLiteral("male")),   // with --menstruation
        with(woman(QStringLiteral("山田花子")), QStringLiteral("--height"), QStringLiteral("158.25")),
        woman(QStringLiteral("名前がとても長くて三十バイトに収まらない人")),
        {QStringLiteral("add"), QStringLiteral("--name"), QStringLiteral("x")},
    };
    for (const QStringList &args : cases) {
        const testsupport::CliResult r = users(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
    }
}

TEST_F(UsersCliTest, UsersAddedByProgramsAtOnceEachGetANumberAndFilesOfTheirOwn)
{
    constexpr int kWorkers = 5;
    constexpr int kUsersEach = 4;
    // Each user's weight tells its weight log apart from every other one.
    auto nameOf = [](int worker, int i) { return QStringLiteral("利用者%1の%2").arg(worker).arg(i); };
    auto weightOf = [](int worker, int i) { return QString::number(40 + worker * kUsersEach + i) + QStringLiteral(".5"); };
    QList<QList<QStringList>> workers(kWorkers);
    for (int w = 0; w < kWorkers; ++w) {
        for (int i = 0; i < kUsersEach; ++i)
            workers[w].append(QStringList{QStringLiteral("--config-dir"), data.folders.configDir(),
                                          QStringLiteral("--data-dir"), data.folders.dataDir()}
                              + addWoman(nameOf(w, i), weightOf(w, i)));
    }
    const QList<QList<testsupport::CliResult>> results =
        testsupport::runCliWorkers(workers, {QStringLiteral("DALMORA_TODAY=") + QString::fromLatin1(kToday)});
    for (const QList<testsupport::CliResult> &worker : results) {
        for (const testsupport::CliResult &r : worker)
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    QHash<QString, QString> weights;
    for (int w = 0; w < kWorkers; ++w) {
        for (int i = 0; i < kUsersEach; ++i)
            weights.insert(nameOf(w, i), weightOf(w, i));
    }
    const testsupport::CliResult list = users({QStringLiteral("list")});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    QSet<unsigned> numbers;
    QSet<QString> names;
    for (const QString &line : list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        ASSERT_EQ(fields.size(), 3) << line.toStdString();
        const unsigned number = fields[0].toUInt();
        EXPECT_FALSE(numbers.contains(number)) << "number " << number << " given twice";
        numbers.insert(number);
        names.insert(fields[2]);
        // The user's own weight log, holding the user's own first weight and nothing else.
        const QString log = QStringLiteral("W%1.DBF").arg(number);
        QByteArray record;
        ASSERT_EQ(quenkit::ReadDBFRecord(data.folders.dataFile(log), 0, record), 1) << log.toStdString();
        EXPECT_EQ(QString::fromLatin1(record.mid(8, 5)).trimmed(), weights.value(fields[2])) << log.toStdString();
        EXPECT_EQ(quenkit::ReadDBFRecord(data.folders.dataFile(log), 1, record), 0) << log.toStdString();
    }
    EXPECT_EQ(names.size(), kWorkers * kUsersEach);
    EXPECT_EQ(numbers.size(), kWorkers * kUsersEach);
    for (unsigned n = 0; n < kWorkers * kUsersEach; ++n)
        EXPECT_TRUE(numbers.contains(n)) << n;   // the smallest free numbers, none left out
}

TEST_F(UsersCliTest, AMissingOrDamagedUserTableIsReportedNotTakenForNoUsers)
{
    // A sound table without users lists nothing and succeeds.
    testsupport::CliResult r = users({QStringLiteral("list")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    ASSERT_EQ(users(woman(QStringLiteral("山田花子"))).exitCode, 0);
    const QString path = data.folders.dataFile(dalmain::kUserTable);
    const QByteArray sound = testsupport::readFile(path);
    QByteArray noHeaderLength = sound;
    noHeaderLength[8] = 0;
    noHeaderLength[9] = 0;
    const struct {
        const char *what;
        std::optional<QByteArray> bytes;   // none: no table
        const char16_t *told;
    } cases[] = {
        {"missing", std::nullopt, u"」がデータフォルダにありません"},
        {"cut to 31 bytes", sound.left(31), u"」が壊れています"},
        {"header length 0", noHeaderLength, u"」が壊れています"},
        {"another table", testsupport::readFile(kShipped + QStringLiteral("体重.DBF")), u"」が壊れています"},
    };
    const QList<QStringList> commands = {
        {QStringLiteral("list")},
        {QStringLiteral("show"), QStringLiteral("山田花子")},
        {QStringLiteral("delete"), QStringLiteral("山田花子")},
    };
    for (const auto &c : cases) {
        QFile::remove(path);
        if (c.bytes) {
            ASSERT_TRUE(testsupport::writeFile(path, *c.bytes));
        }
        for (const QStringList &command : commands) {
            r = users(command);
            EXPECT_EQ(r.exitCode, 3) << c.what << ": " << command.join(' ').toStdString();
            EXPECT_TRUE(r.err.contains(dalmain::kUserTable + QString::fromUtf16(c.told)))
                << c.what << ": " << r.err.toStdString();
            EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        }
        if (c.bytes) {
            // Adding a user does not replace a damaged table with a new one.
            r = users(woman(QStringLiteral("佐藤恵")));
            EXPECT_EQ(r.exitCode, 3) << c.what;
            EXPECT_EQ(testsupport::readFile(path), *c.bytes) << c.what;
        }
    }
    EXPECT_FALSE(data.exists(QStringLiteral("W1.DBF")));
}

}  // namespace
