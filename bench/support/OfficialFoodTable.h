#pragma once

// The data folder of the screen benchmarks: the shipped master files with the full official food
// table over the shipped sample, as `dalmora foods import-mext --replace` makes it from the
// public workbooks.

#include "dalmain/master/MextImport.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/registry/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QString>

namespace benchsupport {

// Fills data (a folder path ending in "/") and gives the size of the imported food table, or -1
// with the reason in *error. The workbooks are looked for in the shared data folder the build
// was configured with, or in $DALMORA_SHARED_DATA_DIR when that is set (a checkout kept
// elsewhere).
inline qint64 installOfficialData(const QString &data, QString *error)
{
    const QString shared = qEnvironmentVariable("DALMORA_SHARED_DATA_DIR", QStringLiteral(DALMORA_SHARED_DATA_DIR));
    const QString mext = shared + QStringLiteral("/mext2023/");
    const QDir master(QStringLiteral(DALMORA_SOURCE_DIR "/data/master"));
    for (const QString &name : master.entryList(QDir::Files)) {
        QFile::copy(master.filePath(name), data + name);
        QFile::setPermissions(data + name, QFile::ReadOwner | QFile::WriteOwner);
    }
    dalmain::mext::ImportFiles files;
    files.mainCsv = mext + QStringLiteral("20260327-mxt_kagsei-mext-000029402_02.xlsx");
    files.fattyAcidsCsv = mext + QStringLiteral("20260327-mxt_kagsei-mext-000029402_09.xlsx");
    files.fibre = mext + QStringLiteral("fibre-2020-annex1.xlsx");
    files.output = data + QStringLiteral("食品.FDB");
    files.replace = true;
    dalmain::mext::ImportResult imported;
    if (dalmain::mext::runMextImport(files, imported, error) != 1)
        return -1;
    return QFile(files.output).size();
}

// A settings store and a data folder of this process's own below root, the data folder filled as
// installOfficialData does; the size of the imported food table, or -1 with the reason in *error.
inline qint64 installOfficialFolders(const QString &root, QString *error)
{
    const QString data = root + QStringLiteral("/data/");
    const QString config = root + QStringLiteral("/config");
    QDir().mkpath(data);
    QDir().mkpath(config);
    quenkit::setSettingsFolderOverride(config);
    quenkit::setDataFolderOverride(data);
    return installOfficialData(data, error);
}

}  // namespace benchsupport
