#include "quenkit/dbf/DbfWrite.h"

#include "quenkit/dbf/DbfIo.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace quenkit {

using namespace dbf::detail;

namespace {

// Results of the writes and deletes.
constexpr int Failed = 0;
constexpr int Added = 1;
constexpr int Overwritten = 2;
constexpr int Declined = 3;      // the owner answered No; nothing changed
constexpr int Deleted = 1;
constexpr int NotFound = 2;      // also: a record number past the end or flagged deleted

enum class ExistingKey {
    AskOverwrite,   // WriteDBFRecord, mode 0
    Refuse,         // WriteDBFRecord, mode 1
    KeepQuietly,    // AddNewRyouriDBFRecord
};

int compareKeys(QByteArrayView a, QByteArrayView b)
{
    // Keys of one field have one length; the order is bytewise and unsigned.
    return std::memcmp(a.data(), b.data(), static_cast<size_t>(std::min(a.size(), b.size())));
}

// Copies records [first, end) of the table to the current end of out, flag bytes as they are
// (a record another program flagged deleted stays deleted).
bool copyRecords(int table, const DbfLayout &layout, int first, int end, int out)
{
    constexpr qint64 BlockBytes = 256 * 1024;
    const qint64 perBlock = std::max<qint64>(1, BlockBytes / layout.recordLength());
    QByteArray buffer;
    for (qint64 r = first; r < end; r += perBlock) {
        const qint64 n = std::min<qint64>(perBlock, end - r);
        buffer.resize(n * layout.recordLength());
        if (!readAt(table, layout.recordPosition(r), buffer.data(), buffer.size()))
            return false;
        if (FileWrite(out, buffer.constData(), buffer.size()) != buffer.size())
            return false;
    }
    return true;
}

// Writes the table again to temporary, leaving out record skip (or none for -1) and placing
// newBody before old record insertAt (or nowhere for -1), then lets the temporary file take the
// table's place. The table handle is closed on every path. The temporary file carries the
// table's signature whatever its own name says.
bool rewriteTable(FileHandle &table, const DbfLayout &layout, const QString &name, const QString &temporary,
                  int skip, int insertAt, QByteArrayView newBody)
{
    const QString temporaryPath = tablePath(temporary);
    const QString targetPath = tablePath(name);
    const int sig = layout.signatureOffset;
    const int count = layout.recordCount() - (skip >= 0 ? 1 : 0) + (insertAt >= 0 ? 1 : 0);

    bool ok = true;
    {
        FileHandle out(FileOpen2(temporaryPath, OpenCreate));
        ok = out.isOpen();
        QByteArray head(sig + layout.headerLength(), '\0');
        ok = ok && readAt(table.get(), 0, head.data(), head.size());
        if (ok) {
            DbfHeader header = layout.header;
            header.setRecordCount(static_cast<quint32>(count));
            header = datedToday(header);
            std::copy(header.bytes.begin(), header.bytes.end(), head.begin() + sig);
            if (sig > 0)
                std::copy(dbf::Signature.begin(), dbf::Signature.end(), head.begin());
            head.back() = dbf::HeaderTerminator;
            ok = writeAt(out.get(), 0, head.constData(), head.size());
        }

        auto copyRange = [&](int first, int end) {
            if (skip >= first && skip < end)
                return copyRecords(table.get(), layout, first, skip, out.get())
                    && copyRecords(table.get(), layout, skip + 1, end, out.get());
            return copyRecords(table.get(), layout, first, end, out.get());
        };
        if (insertAt >= 0) {
            QByteArray record;
            record.reserve(layout.recordLength());
            record.append(dbf::LiveFlag);
            record.append(newBody);
            ok = ok && copyRange(0, insertAt)
                && FileWrite(out.get(), record.constData(), record.size()) == record.size()
                && copyRange(insertAt, layout.recordCount());
        } else {
            ok = ok && copyRange(0, layout.recordCount());
        }
        const char eof = dbf::EndOfFile;
        ok = ok && FileWrite(out.get(), &eof, 1) == 1;
    }
    table.close();
    if (ok && replaceFile(temporaryPath, targetPath))
        return true;
    QFile::remove(temporaryPath);
    return false;
}

QString keyQuestion(QByteArrayView keyText, const char16_t *tail)
{
    return fromSjis(keyText) + QString::fromUtf16(tail);
}

int orderedWrite(Owner *owner, const QString &name, QByteArrayView body, QByteArrayView keyField,
                 ExistingKey onExisting)
{
    BusyIndicator busy(owner);
    // The key's place is found from what is read, so the table stays locked until the record is
    // in: another writer's insertion in between would otherwise be lost or duplicated.
    const FileLock lock(tablePath(name));
    if (!lock.isLocked())
        return Failed;
    const QString temporary = temporaryName(name);
    removeLeftover(tablePath(temporary));

    DbfLayout layout;
    FileHandle file(openTable(name, OpenReadWrite, layout));
    if (!file.isOpen())
        return Failed;
    QList<FieldSlice> slices;
    if (!resolveFieldList(owner, layout.fields, keyField, static_cast<int>(layout.fields.size()), slices))
        return Failed;
    if (body.size() != layout.bodyLength())
        return Failed;
    const FieldSlice key = slices.first();
    const QByteArrayView newKey = key.of(body);

    int existing = -1;
    int insertAt = -1;
    RecordScanner scanner(file.get(), layout);
    while (scanner.next()) {
        if (scanner.deleted())
            continue;
        const int order = compareKeys(key.of(scanner.body()), newKey);
        if (order == 0) {
            existing = scanner.number();
            break;
        }
        if (order > 0 && insertAt < 0)
            insertAt = scanner.number();
    }
    if (scanner.failed())
        return Failed;

    if (existing >= 0) {
        if (onExisting == ExistingKey::Refuse)
            return Failed;
        if (onExisting == ExistingKey::KeepQuietly)
            return Added;
        const QString text = QStringLiteral("同じ") + fromSjis(keyField)
            + QStringLiteral("があります。\n\n上書きしてもよろしいですか？");
        if (!askYesNo(owner, QStringLiteral("上書き登録の確認"), text))
            return Declined;
        return SetDBFRecord(file.get(), existing, body, layout.headerLength(), layout.recordLength(),
                            layout.signatureOffset)
            ? Overwritten
            : Failed;
    }

    if (!askYesNo(owner, QStringLiteral("新規登録の確認"), keyQuestion(newKey, u"\nを新規登録します。\n\nよろしいですか？")))
        return Declined;

    if (insertAt < 0) {
        // Appending touches only the end and the header. The record goes first: should the
        // header write fail, the table still reads as it was.
        if (!SetDBFRecord(file.get(), layout.recordCount(), body, layout.headerLength(), layout.recordLength(),
                          layout.signatureOffset))
            return Failed;
        DbfHeader header = layout.header;
        header.setRecordCount(header.recordCount() + 1);
        header = datedToday(header);
        return writeAt(file.get(), layout.signatureOffset, header.bytes.data(), dbf::HeaderSize) ? Added
                                                                                                   : Failed;
    }
    return rewriteTable(file, layout, name, temporary, -1, insertAt, body) ? Added : Failed;
}

// Opens a table for a delete, which the caller has locked, after clearing what an unfinished
// rewrite may have left.
int openForDelete(const QString &name, DbfLayout &layout)
{
    removeLeftover(tablePath(deleteTemporaryName(name)));
    return openTable(name, OpenRead, layout);
}

}  // namespace

QString deleteTemporaryName(const QString &name)
{
    QString temporary = temporaryName(name);
    if (signatureOffsetFor(name) > 0)
        temporary += QStringLiteral(".FDB");
    return temporary;
}

int WriteDBFRecord(Owner *owner, const QString &name, QByteArrayView body, QByteArrayView keyField, int mode)
{
    return orderedWrite(owner, name, body, keyField,
                        mode == WriteNewOnly ? ExistingKey::Refuse : ExistingKey::AskOverwrite);
}

int AddNewRyouriDBFRecord(Owner *owner, const QString &name, QByteArrayView body, QByteArrayView keyField)
{
    return orderedWrite(owner, name, body, keyField, ExistingKey::KeepQuietly);
}

int DeleteDBFRecord(Owner *owner, const QString &name, QByteArrayView key, QByteArrayView keyField)
{
    BusyIndicator busy(owner);
    const FileLock lock(tablePath(name));
    if (!lock.isLocked())
        return Failed;
    DbfLayout layout;
    FileHandle file(openForDelete(name, layout));
    if (!file.isOpen())
        return Failed;
    QList<FieldSlice> slices;
    if (!resolveFieldList(owner, layout.fields, keyField, static_cast<int>(layout.fields.size()), slices))
        return Failed;
    const FieldSlice slice = slices.first();
    QByteArray wanted = key.first(std::min<qsizetype>(key.size(), slice.length)).toByteArray();
    wanted.append(QByteArray(slice.length - wanted.size(), ' '));

    int found = -1;
    RecordScanner scanner(file.get(), layout);
    while (scanner.next()) {
        if (!scanner.deleted() && slice.of(scanner.body()) == wanted) {
            found = scanner.number();
            break;
        }
    }
    if (scanner.failed())
        return Failed;
    if (found < 0) {
        file.close();
        inform(owner, QStringLiteral("削除"), QStringLiteral("削除を行うレコードが見つかりません。"), Icon::Information);
        return NotFound;
    }
    if (!askYesNo(owner, QStringLiteral("削除"), keyQuestion(key, u"\nを削除します。\n\nよろしいですか？")))
        return Declined;
    return rewriteTable(file, layout, name, deleteTemporaryName(name), found, -1, {}) ? Deleted : Failed;
}

int DeleteDBFNoRecord(const QString &name, int record)
{
    const FileLock lock(tablePath(name));
    if (!lock.isLocked())
        return Failed;
    DbfLayout layout;
    FileHandle file(openForDelete(name, layout));
    if (!file.isOpen())
        return Failed;
    if (record < 0 || record >= layout.recordCount())
        return NotFound;
    char flag = 0;
    if (!readAt(file.get(), layout.recordPosition(record), &flag, 1))
        return Failed;
    if (flag == dbf::DeletedFlag)
        return NotFound;
    return rewriteTable(file, layout, name, deleteTemporaryName(name), record, -1, {}) ? Deleted : Failed;
}

}  // namespace quenkit
