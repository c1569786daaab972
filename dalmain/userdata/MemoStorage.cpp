#include "dalmain/userdata/MemoStorage.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileLock.h"

#include <QFile>

namespace dalmain {

bool readDataFile(const QString &name, QByteArray &bytes, qint64 limit)
{
    bytes.clear();
    QFile file(quenkit::dataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = limit < 0 ? file.readAll() : file.read(limit);
    return file.error() == QFileDevice::NoError;
}

bool replaceDataFile(const QString &name, const QString &temporary, QByteArrayView bytes)
{
    const QString target = quenkit::dataPath(name);
    const quenkit::FileLock lock(target);
    if (!lock.isLocked())
        return false;
    quenkit::removeLeftover(quenkit::dataPath(temporary));
    const QString temporaryPath = quenkit::dataPath(temporary);
    QFile out(temporaryPath);
    bool ok = out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (ok) {
        ok = out.write(bytes.data(), bytes.size()) == bytes.size();
        ok = out.flush() && ok;
        out.close();
        ok = ok && out.error() == QFileDevice::NoError;
    }
    if (!ok || !quenkit::replaceFile(temporaryPath, target)) {
        QFile::remove(temporaryPath);
        return false;
    }
    return true;
}

}  // namespace dalmain
