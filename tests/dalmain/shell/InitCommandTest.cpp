// dalmora init: an installation made from a shipped data folder.

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>

using testsupport::readFile;
using testsupport::runCli;
using testsupport::writeFile;

namespace {

// A shipped data folder with a master file, one in a sub-folder, and a help page.
QString makeShipped(const QString &root)
{
    const QString shipped = root + "/shipped";
    QDir(root).mkpath("shipped/master/bmp");
    QDir(root).mkpath("shipped/help");
    writeFile(shipped + "/master/jk2010.dat", "reference intakes\r\n");
    writeFile(shipped + "/master/" + QStringLiteral("食品.FDB"), "foods v1");
    writeFile(shipped + "/master/bmp/DEF1256.BMP", "BM");
    writeFile(shipped + "/help/index.htm", "<html/>");
    QDir(root).mkpath("shipped/bmp/cooking");
    writeFile(shipped + QStringLiteral("/bmp/cooking/和食.bmp"), "BM dish");
    return shipped;
}

QString installValue(const QString &config, const QString &name)
{
    const auto r = runCli({"--config-dir", config, "settings", "get", "--install", name});
    return r.out.trimmed();
}

}  // namespace

TEST(InitCommand, InstallsTheShippedMastersAndWritesTheFolders)
{
    QTemporaryDir root;
    const QString shipped = makeShipped(root.path());
    const QString config = root.path() + "/config";
    const QString prefix = root.path() + QStringLiteral("/ダルモラ");

    // The shipped folder as a relative path, as the run script gives it.
    const QString relative = QDir::current().relativeFilePath(shipped);
    ASSERT_TRUE(QDir::isRelativePath(relative));
    const auto r = runCli({"--config-dir", config, "init", "--prefix", prefix, "--from", relative});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QDir(prefix).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"FOOD5", "bmp", "jk2010.dat", QStringLiteral("食品.FDB")}));
    for (const QString &folder : {prefix, prefix + "/FOOD5"}) {
        EXPECT_EQ(readFile(folder + "/jk2010.dat"), "reference intakes\r\n");
        EXPECT_EQ(readFile(folder + QStringLiteral("/食品.FDB")), "foods v1");
        EXPECT_EQ(readFile(folder + "/bmp/DEF1256.BMP"), "BM");
    }
    EXPECT_FALSE(QFile::exists(prefix + "/index.htm")) << "only the master files are installed";
    // The stand-in pictures go to the program folder, where they are looked up, and only there.
    EXPECT_EQ(readFile(prefix + QStringLiteral("/bmp/cooking/和食.bmp")), "BM dish");
    EXPECT_FALSE(QFile::exists(prefix + QStringLiteral("/FOOD5/bmp/cooking/和食.bmp")));
    const QString system = QDir::toNativeSeparators(prefix + "/");
    EXPECT_EQ(installValue(config, "SystemDir"), system);
    EXPECT_EQ(installValue(config, "DataDir"), system);
    EXPECT_EQ(installValue(config, "DataDir2"), QDir::toNativeSeparators(prefix + "/FOOD5/"));
}

// A second run refreshes the installed originals and adds what is missing, but never touches
// a working copy: it holds the user's own foods, dishes and records.
TEST(InitCommand, RunAgainKeepsTheWorkingCopies)
{
    QTemporaryDir root;
    const QString shipped = makeShipped(root.path());
    const QString config = root.path() + "/config";
    const QString prefix = root.path() + "/inst";
    ASSERT_EQ(runCli({"--config-dir", config, "init", "--prefix", prefix, "--from", shipped}).exitCode, 0);

    writeFile(prefix + QStringLiteral("/FOOD5/食品.FDB"), "foods with the user's own");
    QFile::remove(prefix + "/FOOD5/jk2010.dat");
    writeFile(shipped + QStringLiteral("/master/食品.FDB"), "foods v2");
    writeFile(shipped + "/master/rmr.dbf", "exercise");

    const auto r = runCli({"--config-dir", config, "init", "--prefix", prefix, "--from", shipped});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(prefix + QStringLiteral("/食品.FDB")), "foods v2");
    EXPECT_EQ(readFile(prefix + QStringLiteral("/FOOD5/食品.FDB")), "foods with the user's own");
    EXPECT_EQ(readFile(prefix + "/FOOD5/jk2010.dat"), "reference intakes\r\n");
    EXPECT_EQ(readFile(prefix + "/FOOD5/rmr.dbf"), "exercise");
    EXPECT_TRUE(r.out.contains("2 working copies added, 2 kept")) << r.out.toStdString();
}

TEST(InitCommand, DefaultPrefixIsDalmoraHome)
{
    QTemporaryDir root;
    const QString shipped = makeShipped(root.path());
    const QString config = root.path() + "/config";
    const QString home = root.path() + "/home";
    const auto r = runCli({"--config-dir", config, "init", "--from", shipped}, {"DALMORA_HOME=" + home});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(home + "/FOOD5/jk2010.dat"));
    EXPECT_EQ(installValue(config, "DataDir2"), QDir::toNativeSeparators(home + "/FOOD5/"));
}

TEST(InitCommand, RefusesWhatItCannotInstall)
{
    QTemporaryDir root;
    const QString config = root.path() + "/config";
    const QString shipped = makeShipped(root.path());
    writeFile(root.path() + "/taken", "a file where the folder should go");
    struct Case {
        const char *name;
        QStringList args;
        int exitCode;
        QString error;
    };
    const QList<Case> cases = {
        {"no shipped data there", {"init", "--prefix", root.path() + "/a", "--from", root.path() + "/none"}, 3,
         "no shipped data folder found"},
        {"prefix is a file", {"init", "--prefix", root.path() + "/taken", "--from", shipped}, 3, "cannot create"},
        {"stray argument", {"init", "now"}, 2, "unexpected argument"},
        {"option without folder", {"init", "--prefix"}, 2, "--prefix needs a folder"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = runCli(QStringList{"--config-dir", config} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(c.error)) << r.err.toStdString();
    }
    EXPECT_TRUE(installValue(config, "DataDir2").isEmpty()) << "a failed install wrote the folders";
}
