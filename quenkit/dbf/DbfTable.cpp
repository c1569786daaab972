#include "quenkit/dbf/DbfTable.h"

#include "quenkit/dates/Dates.h"
#include "quenkit/dbf/DbfIo.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <QDir>

#include <algorithm>
#include <limits>

namespace quenkit {

namespace dbf::detail {

bool readAt(int handle, qint64 pos, void *buffer, qint64 count)
{
    if (FileSeek(handle, pos) != pos)
        return false;
    return FileRead(handle, buffer, count) == count;
}

bool writeAt(int handle, qint64 pos, const void *buffer, qint64 count)
{
    if (FileSeek(handle, pos) != pos)
        return false;
    return FileWrite(handle, buffer, count) == count;
}

DbfHeader datedToday(DbfHeader header)
{
    header.setDate(today());
    return header;
}

int openTable(const QString &name, int mode, DbfLayout &layout)
{
    FileHandle file(FileOpen2(tablePath(name), mode));
    if (!file.isOpen() || !readDbfLayout(file.get(), signatureOffsetFor(name), layout))
        return -1;
    return file.release();
}

namespace {

// Splits a field list at its "@" separators. A "@" can also be the trail byte of a double-byte
// character (0x8940 is 院), so the list is walked character by character.
QList<QByteArrayView> splitFieldList(QByteArrayView list)
{
    QList<QByteArrayView> names;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < list.size()) {
        if (list[i] == FieldListSeparator) {
            names.append(list.sliced(start, i - start));
            start = ++i;
        } else {
            i += (isSjisLeadByte(static_cast<unsigned char>(list[i])) && i + 1 < list.size()) ? 2 : 1;
        }
    }
    names.append(list.sliced(start));
    return names;
}

}  // namespace

bool resolveFieldList(Owner *owner, const QList<DbfFieldDescriptor> &fields, QByteArrayView fieldList,
                      int fieldCount, QList<FieldSlice> &slices)
{
    slices.clear();
    const int searchable = std::clamp(fieldCount, 0, static_cast<int>(fields.size()));
    for (QByteArrayView name : splitFieldList(fieldList)) {
        if (name.size() > FieldNameSize) {
            // The message boxes of this check carry no caption of their own.
            inform(owner, QString(), QStringLiteral("指定されたフィールドが長すぎます"), Icon::None);
            return false;
        }
        int offset = 0;
        bool found = false;
        for (int i = 0; i < searchable; ++i) {
            if (fields[i].name() == name) {
                slices.append(FieldSlice{static_cast<quint16>(fields[i].length()), static_cast<quint16>(offset)});
                found = true;
                break;
            }
            offset += fields[i].length();
        }
        if (!found) {
            inform(owner, QString(), QStringLiteral("指定されたフィールド名が一致しませんでした"), Icon::None);
            return false;
        }
    }
    return true;
}

RecordScanner::RecordScanner(int handle, const DbfLayout &layout, int first)
    : m_handle(handle)
    , m_layout(layout)
    , m_next(std::max(first, 0))
{
}

bool RecordScanner::load(int first)
{
    constexpr int BlockBytes = 64 * 1024;
    const int length = m_layout.recordLength();
    m_bufferFirst = first;
    m_bufferCount = std::min(std::max(1, BlockBytes / length), m_layout.recordCount() - first);
    m_buffer.resize(static_cast<qsizetype>(m_bufferCount) * length);
    if (!readAt(m_handle, m_layout.recordPosition(first), m_buffer.data(), m_buffer.size())) {
        m_failed = true;
        m_bufferCount = 0;
        m_buffer.clear();
        return false;
    }
    return true;
}

bool RecordScanner::next()
{
    if (m_failed || m_next >= m_layout.recordCount())
        return false;
    if ((m_next < m_bufferFirst || m_next >= m_bufferFirst + m_bufferCount) && !load(m_next))
        return false;
    const int length = m_layout.recordLength();
    m_record = QByteArrayView(m_buffer).sliced(static_cast<qsizetype>(m_next - m_bufferFirst) * length, length);
    m_current = m_next++;
    return true;
}

bool RecordScanner::nextBlock()
{
    if (m_failed || m_next >= m_layout.recordCount() || !load(m_next))
        return false;
    m_next += m_bufferCount;
    m_current = m_next - 1;
    return true;
}

}  // namespace dbf::detail

using namespace dbf::detail;

namespace {

// Reads one whole record at its position; 1 live, 2 deleted, 0 when it cannot be read whole.
int readRecordAt(int handle, qint64 pos, int recordLength, QByteArray &body)
{
    if (recordLength < 1)
        return 0;
    QByteArray record(recordLength, '\0');
    if (!readAt(handle, pos, record.data(), recordLength))
        return 0;
    body = record.sliced(1);
    return record[0] == dbf::DeletedFlag ? 2 : 1;
}

int readCheckedRecord(int handle, const DbfLayout &layout, int record, QByteArray &body)
{
    if (record < 0 || record >= layout.recordCount())
        return 0;
    return readRecordAt(handle, layout.recordPosition(record), layout.recordLength(), body);
}

}  // namespace

int DbfLayout::fieldOffset(int index) const
{
    int offset = 0;
    const int end = std::clamp(index, 0, static_cast<int>(fields.size()));
    for (int i = 0; i < end; ++i)
        offset += fields[i].length();
    return offset;
}

std::optional<FieldSlice> DbfLayout::fieldSlice(QByteArrayView name) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].name() == name)
            return FieldSlice{static_cast<quint16>(fields[i].length()), static_cast<quint16>(fieldOffset(i))};
    }
    return std::nullopt;
}

QString tablePath(const QString &name)
{
    return QDir::isAbsolutePath(name) ? resolvePath(name) : dataPath(name);
}

bool readDbfLayout(int handle, int signatureOffset, DbfLayout &layout, QString *problem)
{
    auto fail = [problem](const QString &text) {
        if (problem)
            *problem = text;
        return false;
    };
    layout = DbfLayout{};
    layout.signatureOffset = signatureOffset;
    layout.fileLength = GetFileLength(handle);
    if (layout.fileLength < 0)
        return fail(QStringLiteral("the file cannot be read"));
    if (layout.fileLength < signatureOffset + dbf::HeaderSize)
        return fail(QStringLiteral("the file (%1 bytes) is shorter than its header").arg(layout.fileLength));
    if (!readAt(handle, signatureOffset, layout.header.bytes.data(), dbf::HeaderSize))
        return fail(QStringLiteral("the header cannot be read"));

    const int fieldCount = layout.header.fieldCount();
    if (fieldCount < 0)
        return fail(QStringLiteral("header length %1 is not 33 + 32 x fields").arg(layout.headerLength()));
    if (signatureOffset + layout.headerLength() > layout.fileLength)
        return fail(QStringLiteral("header length %1 reaches past the end of the file (%2 bytes)")
                        .arg(layout.headerLength())
                        .arg(layout.fileLength));
    QByteArray descriptors(static_cast<qsizetype>(fieldCount) * dbf::DescriptorSize, '\0');
    if (!readAt(handle, signatureOffset + dbf::HeaderSize, descriptors.data(), descriptors.size()))
        return fail(QStringLiteral("the field descriptors cannot be read"));
    for (int i = 0; i < fieldCount; ++i)
        layout.fields.append(DbfFieldDescriptor::fromBytes(
            QByteArrayView(descriptors).sliced(static_cast<qsizetype>(i) * dbf::DescriptorSize, dbf::DescriptorSize)));

    if (layout.recordLength() == 0)
        return fail(QStringLiteral("record length is 0"));
    const int fieldBytes = layout.fieldOffset(fieldCount);
    if (fieldBytes + 1 != layout.recordLength())
        return fail(QStringLiteral("the fields take %1 bytes, but the record length %2 leaves %3 for them")
                        .arg(fieldBytes)
                        .arg(layout.recordLength())
                        .arg(layout.recordLength() - 1));
    const qint64 count = layout.header.recordCount();
    const qint64 end = layout.recordPosition(count);
    if (count > std::numeric_limits<int>::max() || end > layout.fileLength)
        return fail(QStringLiteral("%1 records of %2 bytes reach past the end of the file (%3 bytes)")
                        .arg(count)
                        .arg(layout.recordLength())
                        .arg(layout.fileLength));
    if (problem)
        problem->clear();
    return true;
}

bool readDbfLayout(const QString &name, DbfLayout &layout, QString *problem)
{
    FileHandle file(FileOpen2(tablePath(name), OpenRead));
    if (!file.isOpen()) {
        layout = DbfLayout{};
        if (problem)
            *problem = QStringLiteral("cannot open %1").arg(tablePath(name));
        return false;
    }
    return readDbfLayout(file.get(), signatureOffsetFor(name), layout, problem);
}

int createDbfTable(const QString &name, const QList<DbfFieldDescriptor> &fields, unsigned char version)
{
    int bodyLength = 0;
    for (const DbfFieldDescriptor &d : fields) {
        if (d.length() == 0)
            return 0;
        bodyLength += d.length();
    }
    const qint64 headerLength = dbf::headerLengthFor(static_cast<int>(fields.size()));
    if (bodyLength + 1 > 0xFFFF || headerLength > 0xFFFF)
        return 0;

    FileHandle file(FileOpen2(tablePath(name), OpenCreate));
    if (!file.isOpen())
        return 0;
    const int signatureOffset = signatureOffsetFor(name);
    if (signatureOffset > 0 && !writeAt(file.get(), 0, dbf::Signature.data(), dbf::SignatureSize))
        return 0;
    DbfHeader header;
    header.setVersion(version);
    header.setHeaderLength(static_cast<int>(headerLength));
    header.setRecordLength(bodyLength + 1);
    if (FileSeek(file.get(), signatureOffset) != signatureOffset || !SetDBFInfo2(file.get(), header))
        return 0;
    if (fields.isEmpty()) {
        const char tail[2] = {dbf::HeaderTerminator, dbf::EndOfFile};
        return writeAt(file.get(), signatureOffset + dbf::HeaderSize, tail, 2) ? 1 : 0;
    }
    for (int i = 0; i < fields.size(); ++i) {
        if (!SetDBFFieldInfo(file.get(), name, i, fields[i]))
            return 0;
    }
    return 1;
}

int SetDBFInfo(const QString &name, const DbfHeader &header)
{
    const QString path = tablePath(name);
    const bool exists = FileOpen2(path, OpenExists) >= 0;
    FileHandle file(FileOpen2(path, exists ? OpenWrite : OpenCreate));
    if (!file.isOpen())
        return 0;
    const int signatureOffset = signatureOffsetFor(name);
    if (signatureOffset > 0 && !writeAt(file.get(), 0, dbf::Signature.data(), dbf::SignatureSize))
        return 0;
    if (FileSeek(file.get(), signatureOffset) != signatureOffset)
        return 0;
    return SetDBFInfo2(file.get(), header);
}

int SetDBFInfo2(int handle, const DbfHeader &header)
{
    const DbfHeader dated = datedToday(header);
    return FileWrite(handle, dated.bytes.data(), dbf::HeaderSize) == dbf::HeaderSize ? 1 : 0;
}

int GetDBFInfo2(int handle, const QString &name, DbfHeader &header)
{
    return readAt(handle, signatureOffsetFor(name), header.bytes.data(), dbf::HeaderSize) ? 1 : 0;
}

int GetDBFInfo(const QString &name, DbfHeader &header)
{
    FileHandle file(FileOpen2(tablePath(name), OpenRead));
    if (!file.isOpen())
        return 0;
    return GetDBFInfo2(file.get(), name, header);
}

int GetDBFField(const QString &name)
{
    DbfLayout layout;
    if (!readDbfLayout(name, layout))
        return -1;
    return static_cast<int>(layout.fields.size());
}

int SetDBFFieldInfo(int handle, const QString &name, int index, const DbfFieldDescriptor &descriptor)
{
    if (index < 0 || dbf::headerLengthFor(index + 1) > 0xFFFF)
        return 0;
    const int signatureOffset = signatureOffsetFor(name);
    const qint64 pos = signatureOffset + static_cast<qint64>(dbf::DescriptorSize) * (index + 1);
    // The terminator closes the descriptors written so far; the 1A behind it ends the file until
    // the next descriptor or the first record takes its place.
    const char tail[2] = {dbf::HeaderTerminator, dbf::EndOfFile};
    if (!writeAt(handle, pos, descriptor.bytes.data(), dbf::DescriptorSize)
        || !writeAt(handle, pos + dbf::DescriptorSize, tail, 2))
        return 0;
    DbfHeader header;
    if (!readAt(handle, signatureOffset, header.bytes.data(), dbf::HeaderSize))
        return 0;
    header.setHeaderLength(dbf::headerLengthFor(index + 1));
    const DbfHeader dated = datedToday(header);
    return writeAt(handle, signatureOffset, dated.bytes.data(), dbf::HeaderSize) ? 1 : 0;
}

int GetDBFFieldInfo(int handle, const QString &name, int index, DbfFieldDescriptor &descriptor)
{
    FileHandle own;
    if (handle < 0) {
        own = FileHandle(FileOpen2(tablePath(name), OpenRead));
        if (!own.isOpen())
            return 0;
        handle = own.get();
    }
    if (index < 0)
        return 0;
    const int signatureOffset = signatureOffsetFor(name);
    DbfHeader header;
    if (!readAt(handle, signatureOffset, header.bytes.data(), dbf::HeaderSize))
        return 0;
    const int fieldCount = header.fieldCount();
    if (fieldCount >= 0 && index >= fieldCount)
        return 0;
    const qint64 pos = signatureOffset + static_cast<qint64>(dbf::DescriptorSize) * (index + 1);
    return readAt(handle, pos, descriptor.bytes.data(), dbf::DescriptorSize) ? 1 : 0;
}

int GetDBFFieldInfoLen(const QString &name, int index)
{
    DbfLayout layout;
    if (!readDbfLayout(name, layout))
        return 0;
    return layout.fieldOffset(index);
}

int GetDBFFieldInfo2(Owner *owner, const QString &name, QByteArrayView fieldList, int fieldCount,
                     QList<FieldSlice> &slices)
{
    slices.clear();
    DbfLayout layout;
    if (!readDbfLayout(name, layout))
        return 0;
    return resolveFieldList(owner, layout.fields, fieldList, fieldCount, slices) ? 1 : 0;
}

int SetDBFRecord(int handle, int record, QByteArrayView body, int headerLength, int recordLength,
                 int signatureOffset)
{
    if (record < 0 || recordLength < 1 || body.size() != recordLength - 1)
        return 0;
    const qint64 pos = signatureOffset + headerLength + static_cast<qint64>(record) * recordLength;
    const qint64 fileLength = GetFileLength(handle);
    if (fileLength < 0)
        return 0;
    QByteArray bytes;
    bytes.reserve(recordLength + 1);
    bytes.append(dbf::LiveFlag);
    bytes.append(body);
    // The end-of-file byte goes only behind the last record: in the middle of the table it would
    // land on the next record's flag, and other readers stop at a 1A there.
    if (pos + recordLength >= fileLength)
        bytes.append(dbf::EndOfFile);
    return writeAt(handle, pos, bytes.constData(), bytes.size()) ? 1 : 0;
}

int GetDBFRecord(int handle, int record, QByteArray &body, int headerLength, int recordLength,
                 int signatureOffset)
{
    if (record < 0)
        return 0;
    const qint64 pos = signatureOffset + headerLength + static_cast<qint64>(record) * recordLength;
    return readRecordAt(handle, pos, recordLength, body);
}

int ReadDBFRecord(const QString &name, int record, QByteArray &body)
{
    DbfLayout layout;
    FileHandle file(openTable(name, OpenRead, layout));
    if (!file.isOpen())
        return 0;
    return readCheckedRecord(file.get(), layout, record, body);
}

int ReadDBFRecord2(int handle, int record, QByteArray &body)
{
    DbfLayout layout;
    if (!readDbfLayout(handle, dbf::SignatureSize, layout))
        return 0;
    return readCheckedRecord(handle, layout, record, body);
}

}  // namespace quenkit
