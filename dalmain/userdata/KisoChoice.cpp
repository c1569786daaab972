#include "dalmain/userdata/KisoChoice.h"

#include "dalmain/userdata/MemoStorage.h"

#include "quenkit/files/DataFolder.h"

#include <QtEndian>

#include <bit>

namespace dalmain {

QString kisoFileName(int user)
{
    return QStringLiteral("KISO%1.DAT").arg(user);
}

BasalChoice LoadBasalChoice(int user)
{
    QByteArray bytes;
    BasalChoice choice;
    if (!readDataFile(kisoFileName(user), bytes, kKisoFileSize) || bytes.size() < kKisoFileSize)
        return choice;
    choice.source = bytes[0] == 1 ? BasalSource::Entered : BasalSource::Computed;
    choice.value = std::bit_cast<double>(qFromLittleEndian<quint64>(bytes.constData() + 1));
    return choice;
}

int SaveBasalChoice(int user, const BasalChoice &choice)
{
    QByteArray bytes(kKisoFileSize, '\0');
    bytes[0] = choice.source == BasalSource::Entered ? 1 : 0;
    qToLittleEndian(std::bit_cast<quint64>(choice.value), bytes.data() + 1);
    const QString name = kisoFileName(user);
    return replaceDataFile(name, quenkit::temporaryName(name), bytes) ? 1 : 0;
}

}  // namespace dalmain
