#include "dalmain/userdata/NotePad.h"

#include "dalmain/userdata/MemoStorage.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/text/ShiftJis.h"

namespace dalmain {

QString notePadFileName(int user)
{
    return QStringLiteral("MPC%1.DAT").arg(user);
}

QString LoadNotePad(int user)
{
    QByteArray bytes;
    if (!readDataFile(notePadFileName(user), bytes, kNotePadMaxBytes))
        return {};
    return quenkit::fromSjis(bytes);  // the text ends at the first zero byte
}

int SaveNotePad(int user, const QString &text)
{
    // The edit box counts characters, the file bytes: a note of double-byte characters would
    // otherwise overrun the file's 1000 bytes of text.
    QByteArray bytes = quenkit::cutSjisToWidth(quenkit::toSjis(text), kNotePadMaxBytes);
    bytes.append(QByteArray(kNotePadFileSize - bytes.size(), '\0'));
    const QString name = notePadFileName(user);
    return replaceDataFile(name, quenkit::temporaryName(name), bytes) ? 1 : 0;
}

}  // namespace dalmain
