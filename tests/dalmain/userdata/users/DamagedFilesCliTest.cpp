// The read-only commands of the tool on damaged data files: each says what is damaged and fails,
// rather than succeeding with zeros, unknown foods or numbers that are taken.

#include "UserFixtures.h"

#include "dalmain/master/ReferenceIntakes.h"

#include <QtEndian>

#include <optional>

namespace {

using namespace userfixtures;

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    for (char &c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return bytes;
}

// A user with a menu on the fixed day, and the shipped food table.
class DamagedFilesCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.installAll());
        ASSERT_TRUE(data.install({kFoodTable, kFoodIndex}));
        testsupport::CliResult r = runTool(data, addWoman(kUser));
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        r = run({QStringLiteral("menu"), QStringLiteral("set"), kUser, QString::fromLatin1(kToday),
                 QStringLiteral("breakfast"), QStringLiteral("15:100,26:50")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    testsupport::CliResult run(const QStringList &args) const { return runTool(data, args); }

    void replace(const QString &name, const std::optional<QByteArray> &bytes) const
    {
        QFile::remove(data.folders.dataFile(name));
        if (bytes) {
            ASSERT_TRUE(testsupport::writeFile(data.folders.dataFile(name), *bytes));
        }
    }

    QByteArray shipped(const QString &name) const { return testsupport::readFile(kShipped + name); }

    const QString kUser = QStringLiteral("山田花子");
    const QString kFoodTable = QStringLiteral("食品.FDB");
    const QString kFoodIndex = QStringLiteral("食品.IDX");
    DataFolder data;
};

TEST_F(DamagedFilesCliTest, ReferenceIntakesOfRandomBytesFailShowAndAnalyze)
{
    // As sound, the file gives the values the commands print.
    testsupport::CliResult r = run({QStringLiteral("users"), QStringLiteral("show"), kUser});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("ｴﾈﾙｷﾞｰ\tkcal\t2000\t2000")));

    const QByteArray sound = shipped(dalmain::kReferenceIntakeFile);
    replace(dalmain::kReferenceIntakeFile, randomBytes(sound.size(), 2010));
    const QList<QStringList> commands = {
        {QStringLiteral("users"), QStringLiteral("show"), kUser},
        {QStringLiteral("analyze"), kUser, QStringLiteral("--day"), QString::fromLatin1(kToday)},
    };
    for (const QStringList &command : commands) {
        r = run(command);
        EXPECT_EQ(r.exitCode, 3) << command.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(dalmain::kReferenceIntakeFile)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    r = run(commands[0]);
    EXPECT_TRUE(r.err.contains(dalmain::kIntakeDamagedMessage)) << r.err.toStdString();
}

TEST_F(DamagedFilesCliTest, AMissingOrDamagedFoodTableFailsMenuShowAsItFailsAnalyze)
{
    const QByteArray sound = shipped(kFoodTable);
    QByteArray noHeaderLength = sound;
    noHeaderLength[10 + 8] = 0;   // behind the signature
    noHeaderLength[10 + 9] = 0;
    const struct {
        const char *what;
        std::optional<QByteArray> bytes;   // none: no table
    } cases[] = {
        {"missing", std::nullopt},
        {"cut into its records", sound.left(sound.size() / 2)},
        {"header length 0", noHeaderLength},
        {"random bytes", randomBytes(sound.size(), 5)},
        {"another table", shipped(QStringLiteral("ﾕｰｻﾞ情報.DBF"))},
    };
    const QList<QStringList> commands = {
        {QStringLiteral("menu"), QStringLiteral("show"), kUser, QString::fromLatin1(kToday)},
        {QStringLiteral("analyze"), kUser, QStringLiteral("--day"), QString::fromLatin1(kToday)},
    };
    for (const auto &c : cases) {
        replace(kFoodTable, c.bytes);
        for (const QStringList &command : commands) {
            const testsupport::CliResult r = run(command);
            EXPECT_EQ(r.exitCode, 3) << c.what << ": " << command.join(' ').toStdString();
            EXPECT_TRUE(r.err.contains(QStringLiteral("the food table cannot be read"))) << c.what << ": " << r.err.toStdString();
            EXPECT_FALSE(r.out.contains(QStringLiteral("(not in the food table)"))) << c.what;
        }
    }
}

TEST_F(DamagedFilesCliTest, ANewFoodNumberIsNeverOneAFoodHasWhateverTheIndex)
{
    // The shipped table's largest number is 1881; its index begins 15, 26, 34, 39, 48, 57, 64, 79.
    // 1882 is a standard number too (a food the sample leaves out), so the user's next is 1883.
    const QByteArray sound = shipped(kFoodIndex);
    ASSERT_EQ(qFromLittleEndian<quint16>(sound.constData()), 175);
    const struct {
        const char *what;
        std::optional<QByteArray> bytes;
    } cases[] = {
        {"cut to 8 of its 175 numbers", sound.left(2 + 2 * 8)},
        {"random bytes", randomBytes(sound.size(), 9)},
        {"missing", std::nullopt},
    };
    for (const auto &c : cases) {
        replace(kFoodIndex, c.bytes);
        run({QStringLiteral("settings"), QStringLiteral("delete"), QStringLiteral("Dalmora Food"), QStringLiteral("FoodNo5")});
        const testsupport::CliResult r = run({QStringLiteral("foods"), QStringLiteral("next-number")});
        EXPECT_EQ(r.exitCode, 0) << c.what << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("1883\n")) << c.what;
        EXPECT_EQ(testsupport::readFile(data.folders.dataFile(kFoodIndex)), sound) << c.what << ": the index rebuilt";
    }
}

}  // namespace
