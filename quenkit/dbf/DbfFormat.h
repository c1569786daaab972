#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QtGlobal>

#include <array>

// The dBase table format as the data folder stores it: an optional 10-byte signature, a 32-byte
// header, 32-byte field descriptors closed by 0D, then fixed-length records, each a flag byte
// and the fields back to back.
namespace quenkit {

namespace dbf {

constexpr int HeaderSize = 32;
constexpr int DescriptorSize = 32;
constexpr int SignatureSize = 10;
// Food tables carry these bytes in front of the header; the second equals the signature length.
constexpr std::array<unsigned char, SignatureSize> Signature = {0x02, 0x0A, 0xFF, 0xD4, 0x25,
                                                                0x26, 0x7D, 0xF5, 0xA2, 0x09};

constexpr char HeaderTerminator = 0x0D;
constexpr char EndOfFile = 0x1A;
constexpr char LiveFlag = ' ';
constexpr char DeletedFlag = '*';

// Field names are NUL-padded in 11 bytes; a list of names separates them with "@".
constexpr int FieldNameSize = 11;
constexpr char FieldListSeparator = '@';

// Header length of a table with n fields: header, descriptors and the terminator byte.
constexpr int headerLengthFor(int fieldCount) { return HeaderSize + DescriptorSize * fieldCount + 1; }

// The version byte of the tables this system creates (dBase III without memo).
constexpr unsigned char DefaultVersion = 0x03;

}  // namespace dbf

// The 32-byte table header. Only the date, the record count and the two lengths have a meaning
// here; every other byte is kept as the table had it.
struct DbfHeader {
    std::array<unsigned char, dbf::HeaderSize> bytes{};

    static DbfHeader fromBytes(QByteArrayView image);
    QByteArray toBytes() const;

    unsigned char version() const { return bytes[0]; }
    void setVersion(unsigned char version) { bytes[0] = version; }

    // The date of the last update: year - 1900, month, day.
    int year() const { return 1900 + bytes[1]; }
    int month() const { return bytes[2]; }
    int day() const { return bytes[3]; }
    void setDate(const QDate &date);

    quint32 recordCount() const;
    void setRecordCount(quint32 count);
    int headerLength() const { return bytes[8] | (bytes[9] << 8); }
    void setHeaderLength(int length);
    int recordLength() const { return bytes[10] | (bytes[11] << 8); }
    void setRecordLength(int length);

    // (header length - 33) / 32, or -1 when the header length is not 33 + 32 x n.
    int fieldCount() const;
};

// One 32-byte field descriptor. Written back byte for byte when a table is rewritten.
struct DbfFieldDescriptor {
    std::array<unsigned char, dbf::DescriptorSize> bytes{};

    static DbfFieldDescriptor fromBytes(QByteArrayView image);
    // A descriptor with the given name (Shift-JIS, at most 11 bytes), type letter, length and
    // decimal count, every other byte 0.
    static DbfFieldDescriptor make(QByteArrayView name, char type, int length, int decimals = 0);

    // The name up to its first NUL, at most 11 bytes.
    QByteArray name() const;
    void setName(QByteArrayView name);
    char type() const { return static_cast<char>(bytes[11]); }
    int length() const { return bytes[16]; }
    int decimals() const { return bytes[17]; }
};

// Where one field lies within a record body (the record without its flag byte).
struct FieldSlice {
    quint16 length = 0;
    quint16 offset = 0;

    QByteArrayView of(QByteArrayView body) const { return body.sliced(offset, length); }
    friend bool operator==(const FieldSlice &, const FieldSlice &) = default;
};

// 10 for a table whose name calls for the signature, else 0. The name alone decides: it ends in
// "FDB" or "fdb" (exactly these), or in "食品.TMP", "食品.tmp", "五訂増補.TMP" or "五訂増補.tmp".
int signatureOffsetFor(const QString &name);

}  // namespace quenkit
