#include "dalmain/shell/DataFolderCheck.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/owner/Owner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dalmain {

namespace {

const QString kCaption = QStringLiteral("Dalmoraを起動できません。");

// Creates the probe, rewrites one byte of it, renames it and deletes it, as a table rewrite
// does with its temporary file.
bool probeWritable(const QDir &dir)
{
    const QString probe = dir.filePath(QStringLiteral("userchk"));
    const QString renamed = probe + QLatin1Char('2');
    QFile::remove(probe);
    QFile::remove(renamed);

    bool ok = false;
    {
        QFile f(probe);
        ok = f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write("0", 1) == 1;
    }
    if (ok) {
        QFile f(probe);
        char byte = 0;
        ok = f.open(QIODevice::ReadWrite) && f.read(&byte, 1) == 1 && f.write(&byte, 1) == 1;
    }
    ok = ok && QFile::rename(probe, renamed) && QFile::remove(renamed);
    // Whatever step failed, leave no probe behind.
    QFile::remove(probe);
    QFile::remove(renamed);
    return ok;
}

}  // namespace

DataFolderState checkDataFolder(const QString &folder)
{
    if (folder.isEmpty())
        return DataFolderState::Missing;
    const QFileInfo info(folder);
    if (!info.exists())
        return DataFolderState::Missing;
    if (!info.isDir())
        return DataFolderState::NotWritable;
    return probeWritable(QDir(folder)) ? DataFolderState::Ready : DataFolderState::NotWritable;
}

bool verifyDataFolder(quenkit::Owner *owner)
{
    const QString folder = quenkit::dataFolder();
    const QString shown = QDir::toNativeSeparators(folder);
    switch (checkDataFolder(folder)) {
    case DataFolderState::Ready:
        return true;
    case DataFolderState::Missing:
        quenkit::inform(owner, kCaption,
                        QStringLiteral("データフォルダの「%1」ﾌｫﾙﾀﾞが見つからないため、Dalmoraを起動できません。\n"
                                       "Dalmoraが削除されている可能性がリます。再度、セットアップを行ってください。")
                            .arg(shown));
        return false;
    case DataFolderState::NotWritable:
        quenkit::inform(owner, kCaption,
                        QStringLiteral("現在の%1さんの権限ではDalmoraを使用できません。\n"
                                       "パソコンの管理者の方に権限(PowerUsers以上)を上げてもらうか、\n"
                                       "「%2」ﾌｫﾙﾀﾞのｾｷｭﾘﾃｨをﾌﾙｺﾝﾄﾛｰﾙに設定してもらってください。\n\n"
                                       "または、Dalmoraが正常にセットアップされていない可能性があります。\n"
                                       "再度、Dalmoraをセットアップして見て下さい。")
                            .arg(loginName(), shown));
        return false;
    }
    return false;
}

QString loginName()
{
    for (const char *name : {"USERNAME", "USER", "LOGNAME"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

}  // namespace dalmain
