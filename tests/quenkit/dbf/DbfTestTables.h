#pragma once

// Table images for the table tests, built byte by byte from the format rather than through the
// library, so that a fault in the library cannot hide in its own fixtures.

#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <gtest/gtest.h>

namespace dbftest {

// Shift-JIS bytes of a UTF-8 text.
inline QByteArray sjis(const char *utf8)
{
    return quenkit::toSjis(QString::fromUtf8(utf8));
}

struct Field {
    QByteArray name;
    char type = 'C';
    int length = 0;
};

// The fixtures' header carries a language byte and each descriptor a marker in bytes the
// library never interprets, so that a rewrite can be seen to keep them.
constexpr int kLanguageByte = 29;
constexpr unsigned char kLanguage = 0x13;
constexpr int kDescriptorMarkerByte = 20;
constexpr unsigned char kDescriptorMarker = 0x5A;
const QByteArray kSignature = QByteArray::fromHex("020AFFD425267DF5A209");

inline int bodyLength(const QList<Field> &fields)
{
    int n = 0;
    for (const Field &f : fields)
        n += f.length;
    return n;
}

// The header and descriptors of a table (without signature), dated yy/mm/dd.
inline QByteArray headerImage(const QList<Field> &fields, quint32 count, int yy = 113, int mm = 12, int dd = 6)
{
    QByteArray h(32, '\0');
    h[0] = 0x03;
    h[1] = static_cast<char>(yy);
    h[2] = static_cast<char>(mm);
    h[3] = static_cast<char>(dd);
    for (int i = 0; i < 4; ++i)
        h[4 + i] = static_cast<char>(count >> (8 * i));
    const int headerLength = 33 + 32 * static_cast<int>(fields.size());
    const int recordLength = bodyLength(fields) + 1;
    h[8] = static_cast<char>(headerLength & 0xFF);
    h[9] = static_cast<char>(headerLength >> 8);
    h[10] = static_cast<char>(recordLength & 0xFF);
    h[11] = static_cast<char>(recordLength >> 8);
    h[kLanguageByte] = static_cast<char>(kLanguage);
    for (const Field &f : fields) {
        QByteArray d(32, '\0');
        d.replace(0, f.name.size(), f.name);
        d[11] = f.type;
        d[16] = static_cast<char>(f.length);
        d[kDescriptorMarkerByte] = static_cast<char>(kDescriptorMarker);
        h.append(d);
    }
    h.append('\x0D');
    return h;
}

// One record: the flag, then each value blank-padded to its field.
inline QByteArray record(const QList<Field> &fields, const QList<QByteArray> &values, char flag = ' ')
{
    QByteArray r(1, flag);
    for (int i = 0; i < fields.size(); ++i) {
        const QByteArray v = i < values.size() ? values[i] : QByteArray();
        r.append(v.left(fields[i].length));
        r.append(QByteArray(fields[i].length - std::min<int>(v.size(), fields[i].length), ' '));
    }
    return r;
}

// A whole table file: signature (when asked), header, records, end-of-file byte.
inline QByteArray tableImage(const QList<Field> &fields, const QList<QByteArray> &records, bool withSignature = false,
                             int yy = 113, int mm = 12, int dd = 6)
{
    QByteArray out = withSignature ? kSignature : QByteArray();
    out.append(headerImage(fields, static_cast<quint32>(records.size()), yy, mm, dd));
    for (const QByteArray &r : records)
        out.append(r);
    out.append('\x1A');
    return out;
}

// Sets "today" for the lifetime of the object.
class ScopedToday
{
public:
    explicit ScopedToday(const char *isoDate) : m_old(qgetenv("DALMORA_TODAY")), m_had(qEnvironmentVariableIsSet("DALMORA_TODAY"))
    {
        qputenv("DALMORA_TODAY", isoDate);
    }
    ~ScopedToday()
    {
        if (m_had)
            qputenv("DALMORA_TODAY", m_old);
        else
            qunsetenv("DALMORA_TODAY");
    }

private:
    QByteArray m_old;
    bool m_had;
};

// A data folder for the table tests, with today fixed to 2014-02-03 (header bytes 114, 2, 3),
// a day different from the fixtures' date so that a rewritten header shows.
class TableTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return m_folders.dataFile(name); }
    void put(const QString &name, const QByteArray &bytes) { ASSERT_TRUE(testsupport::writeFile(path(name), bytes)); }
    QByteArray bytesOf(const QString &name) const { return testsupport::readFile(path(name)); }

    testsupport::TempFolders m_folders;
    ScopedToday m_today{"2014-02-03"};
};

}  // namespace dbftest
