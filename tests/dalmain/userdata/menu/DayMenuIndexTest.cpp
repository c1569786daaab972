// The date keys of a menu file held in memory: what another program does to the file must be
// seen, even a change that leaves its size and modification time as they were.

#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/DayMenuIndex.h"

#include "support/TestSupport.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdio>
#include <functional>

#include <gtest/gtest.h>

using namespace dalmain;
using testsupport::TempFolders;

namespace {

constexpr int kUser = 5;

QByteArray recordsOf(const QList<QByteArray> &keys)
{
    QByteArray bytes;
    for (const QByteArray &key : keys) {
        DayMenu menu;
        menu.dateKey = key;
        menu.entries[Breakfast][0] = {12, 100};
        bytes += encodeDayMenu(menu);
    }
    return bytes;
}

// A modification time a file is given back after a change, as a file system whose clock had
// not moved on since the keys were read would leave it.
const QDateTime kModified(QDate(2024, 3, 1), QTime(12, 0), Qt::UTC);

bool setModified(const QString &path, const QDateTime &when)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(when, QFileDevice::FileModificationTime);
}

QDateTime statusChanged(const QString &path)
{
    return QFileInfo(path).fileTime(QFileDevice::FileMetadataChangeTime);
}

// Waits until a file changed now would carry a later status-change time than path: the
// change below must not fall into the same tick of the file system's clock as the state the
// keys were read from, which no look at a file's status can tell apart.
void waitForTheFileClock(const QString &path, const QString &probe)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 2000) {
        testsupport::writeFile(probe, "x");
        if (statusChanged(probe) > statusChanged(path))
            return;
        QThread::msleep(1);
    }
}

class DayMenuIndexTest : public ::testing::Test
{
protected:
    QString menuPath() const { return m_folders.dataFile(QStringLiteral("5.MEM")); }

    TempFolders m_folders;
};

}  // namespace

TEST_F(DayMenuIndexTest, AChangeOfTheSameSizeAndModificationTimeIsSeen)
{
    const QList<QByteArray> before = {"20240301", "20240302", "20240303"};
    const QList<QByteArray> after = {"20240301", "20240415", "20240303"};
    struct Case {
        const char *what;
        std::function<bool(const QString &path, const QByteArray &bytes)> change;
    } cases[] = {
        {"rewritten in place",
         [](const QString &path, const QByteArray &bytes) {
             QFile f(path);
             return f.open(QIODevice::ReadWrite) && f.write(bytes) == bytes.size();
         }},
        {"replaced by a new file",
         [](const QString &path, const QByteArray &bytes) {
             const QString next = path + QStringLiteral(".new");
             return testsupport::writeFile(next, bytes) && setModified(next, kModified)
                 && std::rename(QFile::encodeName(next).constData(), QFile::encodeName(path).constData()) == 0;
         }},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(testsupport::writeFile(menuPath(), recordsOf(before))) << c.what;
        ASSERT_TRUE(setModified(menuPath(), kModified)) << c.what;
        ASSERT_EQ(dayMenuDates(kUser), before) << c.what;
        ASSERT_EQ(FindDayMenus(kUser, "202403"), (QList<int>{1, 2, 3})) << c.what;
        const QFileInfo old(menuPath());

        waitForTheFileClock(menuPath(), m_folders.dataFile(QStringLiteral("probe")));
        ASSERT_TRUE(c.change(menuPath(), recordsOf(after))) << c.what;
        ASSERT_TRUE(setModified(menuPath(), kModified)) << c.what;
        const QFileInfo now(menuPath());
        ASSERT_EQ(now.size(), old.size()) << c.what;
        ASSERT_EQ(now.lastModified(), old.lastModified()) << c.what;

        EXPECT_EQ(dayMenuDates(kUser), after) << c.what;
        EXPECT_EQ(FindDayMenus(kUser, "202403"), (QList<int>{1, 3})) << c.what;
        EXPECT_EQ(FindDayMenu(kUser, "20240415", 1), 2) << c.what;
        EXPECT_EQ(FindDayMenu(kUser, "20240302", 1), 0) << c.what;
        QFile::remove(menuPath());
    }
}

TEST_F(DayMenuIndexTest, AFileThatGoesAndComesBackIsReadAgain)
{
    ASSERT_TRUE(testsupport::writeFile(menuPath(), recordsOf({"20240301", "20240302"})));
    ASSERT_EQ(FindDayMenu(kUser, "20240302", 1), 2);
    ASSERT_TRUE(QFile::remove(menuPath()));
    EXPECT_EQ(FindDayMenu(kUser, "20240302", 1), 0);
    EXPECT_TRUE(dayMenuDates(kUser).isEmpty());

    // Another spelling of the name is the same file.
    ASSERT_TRUE(testsupport::writeFile(m_folders.dataFile(QStringLiteral("5.mem")), recordsOf({"20240302"})));
    EXPECT_EQ(FindDayMenu(kUser, "20240302", 1), 1);
    EXPECT_EQ(dayMenuDates(kUser), (QList<QByteArray>{"20240302"}));
}

TEST(DayMenuKeys, KeysAreStoredAsTheRecordStoresThem)
{
    DayMenuKeys keys = DayMenuKeys::fromPacked(QByteArray("2024030120240302202403"));
    ASSERT_EQ(keys.count(), 2);  // a key cut short is no key
    keys.append("2024");
    keys.append("202403011");
    EXPECT_EQ(keys.toList(), (QList<QByteArray>{"20240301", "20240302", QByteArray("2024\0\0\0\0", 8), "20240301"}));
    EXPECT_EQ(keys.findAll("20240301"), (QList<int>{1, 4}));
    EXPECT_EQ(keys.find("2024", 3), 3);
    EXPECT_EQ(keys.find("2024", 5), 0);
    keys.remove(1);
    keys.remove(9);
    EXPECT_EQ(keys.findAll("20240301"), (QList<int>{3}));
    EXPECT_EQ(keys.count(), 3);
}
