// Feeds arbitrary bytes to the table layer as a table file: header, descriptors and records
// are all the fuzzer's. Every operation must fail cleanly or succeed, never read or write out
// of bounds, and a write that reports success must leave a table that reads back.
//
// Input: one byte of choices, then the file.
//   bit 0  the table is signed (食品.FDB) rather than plain (T.DBF)
//   bit 1  write a record keyed by the first field (bit 2: mode 1)
//   bit 3  delete by the key; bits 4-7 a record number to delete

#include "quenkit/dbf/Dbf.h"
#include "quenkit/dbf/KanaFolding.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace quenkit;

namespace {

QTemporaryDir &folder()
{
    // Memory-backed when the system has it: the fuzzer writes a file per input.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/dbf-fuzz-XXXXXX")
                                                                       : QDir::tempPath() + QStringLiteral("/dbf-fuzz-XXXXXX"));
    return dir;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The record count of a table that reads back whole, else -1.
int soundRecordCount(const QString &name)
{
    DbfLayout layout;
    return readDbfLayout(name, layout) ? layout.recordCount() : -1;
}

// A key taken from the end of the input, so that the fuzzer can steer the searches.
QByteArray keyFrom(QByteArrayView input)
{
    const qsizetype n = std::min<qsizetype>(input.size(), 6);
    return input.last(n).toByteArray();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = [] {
        setDataFolderOverride(folder().path() + QLatin1Char('/'));
        return folder().isValid();
    }();
    if (!ready || size < 1)
        return 0;
    const unsigned choices = data[0];
    const QByteArrayView file(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    const QString name = (choices & 1) ? QStringLiteral("食品.FDB") : QStringLiteral("T.DBF");
    {
        QFile f(dataPath(name));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(file.data(), file.size());
    }

    // Header and descriptors.
    DbfHeader header;
    GetDBFInfo(name, header);
    const int fieldCount = GetDBFField(name);
    DbfLayout layout;
    const bool sound = readDbfLayout(name, layout);
    check(sound == (fieldCount >= 0));
    DbfFieldDescriptor descriptor;
    for (int i = 0; i < 4; ++i)
        GetDBFFieldInfo(-1, name, i, descriptor);
    GetDBFFieldInfoLen(name, 3);

    // Records.
    QByteArray body;
    const int readable = sound ? std::min(layout.recordCount(), 3) : 1;
    for (int r = 0; r <= readable; ++r) {
        const int state = ReadDBFRecord(name, r, body);
        check(state == 0 || body.size() == layout.bodyLength());
    }
    if (choices & 1) {
        FileHandle h(FileOpen(name, OpenRead));
        ReadDBFRecord2(h.get(), 0, body);
        GetDBFRecord(h.get(), 1, body, header.headerLength(), header.recordLength(), 10);
    }

    // Searches over the table's own field names, so that the record scan is reached.
    QByteArray fields = "A";
    QByteArray first = "A";
    QByteArray last = "A";
    if (sound && !layout.fields.isEmpty()) {
        first = layout.fields.first().name();
        last = layout.fields.last().name();
        fields = first + '@' + last;
    }
    const QByteArray key = keyFrom(file);
    QList<FieldSlice> slices;
    const bool resolved = GetDBFFieldInfo2(nullptr, name, fields, fieldCount, slices) == 1;
    QList<int> found;
    for (const auto &[low, high] : {std::pair{key, key}, std::pair{QByteArray(), QByteArray()}, std::pair{QByteArray(), key}}) {
        const int n = SearchDBFRecord(nullptr, found, name, fields, low, high);
        check(n == -1 || (n == found.size() && n <= layout.recordCount()));
        check(std::is_sorted(found.cbegin(), found.cend()));
        // The search looks through whole blocks of records; it must find exactly what matching
        // each field of each live record finds.
        if (n >= 0 && resolved && layout.recordCount() <= 64) {
            const DbfKeyMatcher matcher(low, high);
            QList<int> expected;
            for (int r = 0; r < layout.recordCount(); ++r) {
                if (ReadDBFRecord(name, r, body) != 1)
                    continue;
                if (std::any_of(slices.cbegin(), slices.cend(), [&](const FieldSlice &s) { return matcher.matches(s.of(body)); }))
                    expected.append(r);
            }
            check(found == expected);
        }
    }
    SearchFoodDbfRecord(nullptr, found, name, fields, key, key, last, 1.0, static_cast<int>((choices >> 4) & 3));
    halfWidthKey(key);
    fullWidthKey(key);

    // Writes and deletes.
    if (choices & 2) {
        QByteArray newBody(sound ? layout.bodyLength() : 8, ' ');
        newBody.replace(0, std::min(key.size(), newBody.size()), key.left(newBody.size()));
        const int before = soundRecordCount(name);
        const int result = WriteDBFRecord(nullptr, name, newBody, first, (choices & 4) ? 1 : 0);
        if (result == 1 || result == 2)
            check(soundRecordCount(name) == before + (result == 1 ? 1 : 0));
        else
            check(soundRecordCount(name) == before);
    }
    if (choices & 8) {
        int before = soundRecordCount(name);
        const int byKey = DeleteDBFRecord(nullptr, name, key, first);
        check(soundRecordCount(name) == (byKey == 1 ? before - 1 : before));
        before = soundRecordCount(name);
        const int byNumber = DeleteDBFNoRecord(name, static_cast<int>(choices >> 4));
        check(soundRecordCount(name) == (byNumber == 1 ? before - 1 : before));
    }
    return 0;
}
