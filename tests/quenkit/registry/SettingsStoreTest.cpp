#include "quenkit/registry/SettingsStore.h"

#include "support/TestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace quenkit;
using testsupport::runCli;
using testsupport::TempFolders;

namespace {
const QString kSystem = QStringLiteral("Dalmora System");
}

TEST(SettingsStore, DefaultAppliesOnlyWhileTheSectionIsAbsent)
{
    TempFolders folders;
    const QString def = QStringLiteral("既定");
    QString buffer = QStringLiteral("caller's");

    // Never-written section: result 0, the default stays in the buffer; the integer read
    // gives its default.
    EXPECT_EQ(GetRegistryString(kSystem, QStringLiteral("UserName"), &def, buffer), 0);
    EXPECT_EQ(buffer, def);
    EXPECT_EQ(GetRegistryInt(kSystem, QStringLiteral("Kidou"), 5), 5);
    // Without a default the caller's contents survive.
    buffer = QStringLiteral("caller's");
    EXPECT_EQ(GetRegistryString(kSystem, QStringLiteral("UserName"), nullptr, buffer), 0);
    EXPECT_EQ(buffer, QStringLiteral("caller's"));
    // An empty default is no default.
    const QString empty;
    EXPECT_EQ(GetRegistryString(kSystem, QStringLiteral("UserName"), &empty, buffer), 0);
    EXPECT_EQ(buffer, QStringLiteral("caller's"));

    // Once the section exists, a missing value is empty whatever the default.
    ASSERT_EQ(SetRegistryString(kSystem, QStringLiteral("Other"), QStringLiteral("1")), 1);
    EXPECT_EQ(GetRegistryString(kSystem, QStringLiteral("UserName"), &def, buffer), 0);
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_EQ(GetRegistryInt(kSystem, QStringLiteral("Kidou"), 5), 5);

    // A section whose last value was deleted still exists.
    ASSERT_EQ(DeleteRegistryString(kSystem, QStringLiteral("Other")), 1);
    EXPECT_EQ(GetRegistryString(kSystem, QStringLiteral("UserName"), &def, buffer), 0);
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_TRUE(listRegistryValues(kSystem).isEmpty());
    EXPECT_TRUE(listRegistrySections().contains(kSystem));
}

TEST(SettingsStore, IntegerTextConversion)
{
    TempFolders folders;
    struct Case {
        const char *stored;
        int expected;
    } cases[] = {
        {"12", 12}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"  -7", -7}, {"+3", 3}, {"0x10", 0},
        {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1},
    };
    for (const Case &c : cases) {
        ASSERT_EQ(SetRegistryString(kSystem, QStringLiteral("Value"), QString::fromUtf8(c.stored)), 1);
        EXPECT_EQ(GetRegistryInt(kSystem, QStringLiteral("Value"), 42), c.expected) << c.stored;
    }
}

TEST(SettingsStore, NamesCompareWithoutRegardToCase)
{
    TempFolders folders;
    ASSERT_EQ(SetRegistryString(QStringLiteral("Dalmora BackUp"), QStringLiteral("BackupDir"), QStringLiteral("D:\\BK\\")), 1);
    QString buffer;
    EXPECT_EQ(GetRegistryString(QStringLiteral("Dalmora Backup"), QStringLiteral("backupdir"), nullptr, buffer), 1);
    EXPECT_EQ(buffer, QStringLiteral("D:\\BK\\"));
    // A write in another spelling lands in the same value.
    ASSERT_EQ(SetRegistryString(QStringLiteral("DALMORA BACKUP"), QStringLiteral("BACKUPDIR"), QStringLiteral("E:\\")), 1);
    EXPECT_EQ(listRegistrySections(), QStringList{QStringLiteral("Dalmora BackUp")});
    const auto values = listRegistryValues(QStringLiteral("dalmora backup"));
    ASSERT_EQ(values.size(), 1);
    EXPECT_EQ(values[0].first, QStringLiteral("BackupDir"));
    EXPECT_EQ(values[0].second, QStringLiteral("E:\\"));
    // The separately spelled sections are other sections.
    EXPECT_EQ(GetRegistryInt(QStringLiteral("Dalmroa Toolbar"), QStringLiteral("ViewFlg"), 7), 7);
}

TEST(SettingsStore, InstallationStoreAndBufferSize)
{
    TempFolders folders;
    const QString def = QStringLiteral("C:\\DM\\");
    QString buffer;
    EXPECT_EQ(GetUserRegistryString(QStringLiteral("DataDir"), &def, buffer), 0);
    EXPECT_EQ(buffer, def);
    EXPECT_EQ(GetUserRegistryInt(QStringLiteral("FoodPic"), 3), 3);
    EXPECT_EQ(DeleteUserRegistryString(QStringLiteral("FoodPic")), 0);

    ASSERT_EQ(SetUserRegistryString(QStringLiteral("DataDir2"), QStringLiteral("/opt/食品/")), 1);
    EXPECT_EQ(GetUserRegistryString(QStringLiteral("DataDir"), &def, buffer), 0);
    EXPECT_TRUE(buffer.isEmpty());
    // "/opt/食品/" is 10 bytes of Shift-JIS: it needs a buffer of 11.
    EXPECT_EQ(GetUserRegistryString(QStringLiteral("DataDir2"), nullptr, buffer, 10), 0);
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_EQ(GetUserRegistryString(QStringLiteral("DataDir2"), nullptr, buffer, 11), 1);
    EXPECT_EQ(buffer, QStringLiteral("/opt/食品/"));
    EXPECT_EQ(DeleteUserRegistryString(QStringLiteral("DataDir2")), 1);
    EXPECT_EQ(GetUserRegistryInt(QStringLiteral("DataDir2"), 9), 9);

    EXPECT_EQ(SetRegistryValue(QString(), QStringLiteral("x")), 0);
    EXPECT_EQ(GetRegistryValue(QString(), buffer), 0);
    EXPECT_EQ(SetRegistryValue(QStringLiteral("V"), QStringLiteral("x")), 1);
    EXPECT_EQ(GetRegistryValue(QStringLiteral("V"), buffer), 1);
    EXPECT_EQ(buffer, QStringLiteral("x"));
}

TEST(SettingsStore, WriteFailureIsReported)
{
    TempFolders folders;
    // The settings folder is a file: nothing can be stored below it.
    ASSERT_TRUE(testsupport::writeFile(folders.root() + QStringLiteral("/blocked"), "x"));
    setSettingsFolderOverride(folders.root() + QStringLiteral("/blocked"));
    EXPECT_EQ(SetRegistryString(kSystem, QStringLiteral("A"), QStringLiteral("1")), 0);
}

TEST(SettingsStore, ConcurrentWritersLoseNothing)
{
    TempFolders folders;
    // Eight processes at a time, each writing its own value into the same section, in rounds.
    // The values of a round have one length: a store that recognised a change by its size and
    // time stamp alone took a neighbour's write for no change and wrote its stale copy back.
    constexpr int kWriters = 8;
    constexpr int kRounds = 3;
    for (int round = 0; round < kRounds; ++round) {
        QList<QProcess *> running;
        for (int i = 0; i < kWriters; ++i) {
            auto *p = new QProcess;
            p->start(QStringLiteral(DALMORA_CLI_PATH),
                     {QStringLiteral("--config-dir"), folders.configDir(), QStringLiteral("settings"), QStringLiteral("set"),
                      kSystem, QStringLiteral("Writer%1").arg(i), QString::number(100 * (round + 1) + i)});
            running.append(p);
        }
        for (QProcess *p : running) {
            EXPECT_TRUE(p->waitForFinished(60000));
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().constData();
            delete p;
        }
        for (int i = 0; i < kWriters; ++i)
            EXPECT_EQ(GetRegistryInt(kSystem, QStringLiteral("Writer%1").arg(i), -1), 100 * (round + 1) + i)
                << "round " << round << ", writer " << i;
    }
}

TEST(SettingsCli, GetSetAndExitCodes)
{
    TempFolders folders;
    const QStringList base = {QStringLiteral("--config-dir"), folders.configDir(), QStringLiteral("settings")};
    auto cli = [&](QStringList args) { return runCli(base + args); };

    auto r = cli({QStringLiteral("get"), kSystem, QStringLiteral("Kidou"), QStringLiteral("--default"), QStringLiteral("5")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, QStringLiteral("5\n"));
    EXPECT_EQ(cli({QStringLiteral("set"), kSystem, QStringLiteral("UserName"), QStringLiteral("山田花子")}).exitCode, 0);
    r = cli({QStringLiteral("get"), QStringLiteral("dalmora system"), QStringLiteral("username")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("山田花子\n"));
    r = cli({QStringLiteral("get"), kSystem, QStringLiteral("Kidou"), QStringLiteral("--default"), QStringLiteral("5")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, QStringLiteral("\n"));
    r = cli({QStringLiteral("get-int"), kSystem, QStringLiteral("Kidou"), QStringLiteral("5")});
    EXPECT_EQ(r.out, QStringLiteral("5\n"));
    r = cli({QStringLiteral("list"), kSystem});
    EXPECT_EQ(r.out, QStringLiteral("UserName=山田花子\n"));

    EXPECT_EQ(cli({QStringLiteral("set"), QStringLiteral("--install"), QStringLiteral("DataDir2"), QStringLiteral("/x/")}).exitCode, 0);
    r = cli({QStringLiteral("get"), QStringLiteral("--install"), QStringLiteral("DataDir2")});
    EXPECT_EQ(r.out, QStringLiteral("/x/\n"));
    EXPECT_EQ(cli({QStringLiteral("delete"), QStringLiteral("--install"), QStringLiteral("DataDir2")}).exitCode, 0);
    EXPECT_EQ(cli({QStringLiteral("get"), QStringLiteral("--install"), QStringLiteral("DataDir2")}).exitCode, 1);

    for (const QStringList &bad : {QStringList{}, QStringList{QStringLiteral("get"), kSystem},
                                   QStringList{QStringLiteral("get-int"), kSystem, QStringLiteral("A"), QStringLiteral("x")},
                                   QStringList{QStringLiteral("frobnicate")},
                                   QStringList{QStringLiteral("set"), kSystem, QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("--bogus")}}) {
        r = cli(bad);
        EXPECT_EQ(r.exitCode, 2) << bad.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
}
