#pragma once

// A data folder with the shipped templates and reference intakes, a fixed today, and the
// entries of a valid profile.

#include "support/TestSupport.h"

#include "dalmain/userdata/UserEntries.h"

#include <QFile>

#include <gtest/gtest.h>

namespace userfixtures {

inline const QString kShipped = QStringLiteral(DALMORA_SOURCE_DIR "/data/master/");
inline const char *kToday = "2024-06-15";

// Sets DALMORA_TODAY for the fixture's lifetime.
class FixedToday
{
public:
    FixedToday() { qputenv("DALMORA_TODAY", kToday); }
    ~FixedToday() { qunsetenv("DALMORA_TODAY"); }
};

class DataFolder
{
public:
    // Copies the shipped files named into the data folder.
    bool install(const QStringList &names) const
    {
        for (const QString &name : names) {
            if (!QFile::copy(kShipped + name, folders.dataFile(name)))
                return false;
            QFile::setPermissions(folders.dataFile(name), QFile::ReadOwner | QFile::WriteOwner);
        }
        return true;
    }
    bool installAll() const
    {
        return install({QStringLiteral("体重.DBF"), QStringLiteral("運動.DBF"), QStringLiteral("所要量.DBF"),
                        QStringLiteral("ﾕｰｻﾞ情報.DBF"), QStringLiteral("jk2010.dat")});
    }
    bool exists(const QString &name) const { return QFile::exists(folders.dataFile(name)); }

    FixedToday today;
    testsupport::TempFolders folders;
};

// Runs the dalmora tool on the folders of data, with the fixed today unless env sets its own.
inline testsupport::CliResult runTool(const DataFolder &data, const QStringList &args, const QStringList &env = {})
{
    return testsupport::runCli(QStringList{QStringLiteral("--config-dir"), data.folders.configDir(),
                                           QStringLiteral("--data-dir"), data.folders.dataDir()}
                                   + args,
                               QStringList{QStringLiteral("DALMORA_TODAY=") + QString::fromLatin1(kToday)} + env);
}

// The arguments of "users add" for a woman of 30 of this name and weight.
inline QStringList addWoman(const QString &name, const QString &weight = QStringLiteral("52.5"))
{
    return QStringList{QStringLiteral("users"),    QStringLiteral("add"),          QStringLiteral("--name"),
                       name,                       QStringLiteral("--reading"),    QStringLiteral("ﾊﾅｺ"),
                       QStringLiteral("--age"),    QStringLiteral("30"),           QStringLiteral("--sex"),
                       QStringLiteral("female"),   QStringLiteral("--height"),     QStringLiteral("158"),
                       QStringLiteral("--activity"), QStringLiteral("1"),          QStringLiteral("--weight"),
                       weight};
}

// A woman of 30 (born 1994-01-20), 158.0 cm, normal activity, without menstruation.
inline dalmain::UserEntries hanako()
{
    dalmain::UserEntries e;
    e.reading = QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ");
    e.name = QStringLiteral("山田花子");
    e.birthYear = QStringLiteral("1994");
    e.birthMonth = QStringLiteral("1");
    e.birthDay = QStringLiteral("20");
    e.height = QStringLiteral("158.0");
    e.sex = 1;
    e.menstruation = 1;
    e.activity = 1;
    return e;
}

inline dalmain::UserEntries person(const QString &reading, const QString &name, int age = 40)
{
    dalmain::UserEntries e;
    e.reading = reading;
    e.name = name;
    e.age = QString::number(age);
    e.height = QStringLiteral("170");
    return e;
}

}  // namespace userfixtures
