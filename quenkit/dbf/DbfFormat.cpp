#include "quenkit/dbf/DbfFormat.h"

#include <algorithm>

namespace quenkit {

DbfHeader DbfHeader::fromBytes(QByteArrayView image)
{
    DbfHeader h;
    const qsizetype n = std::min<qsizetype>(image.size(), dbf::HeaderSize);
    std::copy_n(reinterpret_cast<const unsigned char *>(image.data()), n, h.bytes.begin());
    return h;
}

QByteArray DbfHeader::toBytes() const
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), dbf::HeaderSize);
}

void DbfHeader::setDate(const QDate &date)
{
    // One byte of years above 1900 reaches 2155, well past the 7-bit packed dates.
    bytes[1] = static_cast<unsigned char>(std::clamp(date.year() - 1900, 0, 255));
    bytes[2] = static_cast<unsigned char>(date.month());
    bytes[3] = static_cast<unsigned char>(date.day());
}

quint32 DbfHeader::recordCount() const
{
    return static_cast<quint32>(bytes[4]) | (static_cast<quint32>(bytes[5]) << 8)
        | (static_cast<quint32>(bytes[6]) << 16) | (static_cast<quint32>(bytes[7]) << 24);
}

void DbfHeader::setRecordCount(quint32 count)
{
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<unsigned char>(count >> (8 * i));
}

void DbfHeader::setHeaderLength(int length)
{
    bytes[8] = static_cast<unsigned char>(length);
    bytes[9] = static_cast<unsigned char>(length >> 8);
}

void DbfHeader::setRecordLength(int length)
{
    bytes[10] = static_cast<unsigned char>(length);
    bytes[11] = static_cast<unsigned char>(length >> 8);
}

int DbfHeader::fieldCount() const
{
    const int length = headerLength();
    if (length < dbf::headerLengthFor(0) || (length - dbf::headerLengthFor(0)) % dbf::DescriptorSize != 0)
        return -1;
    return (length - dbf::headerLengthFor(0)) / dbf::DescriptorSize;
}

DbfFieldDescriptor DbfFieldDescriptor::fromBytes(QByteArrayView image)
{
    DbfFieldDescriptor d;
    const qsizetype n = std::min<qsizetype>(image.size(), dbf::DescriptorSize);
    std::copy_n(reinterpret_cast<const unsigned char *>(image.data()), n, d.bytes.begin());
    return d;
}

DbfFieldDescriptor DbfFieldDescriptor::make(QByteArrayView name, char type, int length, int decimals)
{
    DbfFieldDescriptor d;
    d.setName(name);
    d.bytes[11] = static_cast<unsigned char>(type);
    d.bytes[16] = static_cast<unsigned char>(length);
    d.bytes[17] = static_cast<unsigned char>(decimals);
    return d;
}

QByteArray DbfFieldDescriptor::name() const
{
    const auto *begin = reinterpret_cast<const char *>(bytes.data());
    const auto *end = std::find(begin, begin + dbf::FieldNameSize, '\0');
    return QByteArray(begin, end - begin);
}

void DbfFieldDescriptor::setName(QByteArrayView name)
{
    std::fill_n(bytes.begin(), dbf::FieldNameSize, 0);
    const qsizetype n = std::min<qsizetype>(name.size(), dbf::FieldNameSize);
    std::copy_n(reinterpret_cast<const unsigned char *>(name.data()), n, bytes.begin());
}

int signatureOffsetFor(const QString &name)
{
    static const QString signedEndings[] = {
        QStringLiteral("FDB"),          QStringLiteral("fdb"),          QStringLiteral("食品.TMP"),
        QStringLiteral("食品.tmp"),     QStringLiteral("五訂増補.TMP"), QStringLiteral("五訂増補.tmp"),
    };
    for (const QString &ending : signedEndings) {
        if (name.endsWith(ending, Qt::CaseSensitive))
            return dbf::SignatureSize;
    }
    return 0;
}

}  // namespace quenkit
