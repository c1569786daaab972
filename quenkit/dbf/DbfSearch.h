#pragma once

#include "quenkit/dbf/DbfFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <vector>

// Searching tables over named fields, with the key also tried in its half-width and
// full-width spellings.
namespace quenkit {

class Owner;

// Decides whether one field matches a low and a high key (Shift-JIS bytes). With equal keys a
// field matches when it contains the key, or the key's full-width form, starting at a
// character boundary; any field also matches when its first len(low) bytes are not below low
// and its first len(high) bytes not above high (an empty key sets no bound). When both keys
// have a half-width form the same test runs again with those forms.
class DbfKeyMatcher
{
public:
    DbfKeyMatcher(QByteArrayView low, QByteArrayView high);

    bool matches(QByteArrayView field) const;

    // The same over whole records (flag byte first, recordLength bytes each, deleted ones
    // included): found[i] is set when record i has a match in one of fields. A search looks for
    // each key in a whole block at once, which costs far less than looking field by field.
    void findInRecords(QByteArrayView records, int recordLength, const QList<FieldSlice> &fields,
                       std::vector<char> &found) const;

private:
    // A text looked for anywhere in a field. Every search of a table looks in each named field
    // of each record, so it first finds the needle's least common byte with memchr.
    class Needle
    {
    public:
        explicit Needle(QByteArray bytes);
        qsizetype indexIn(QByteArrayView haystack, qsizetype from) const;
        qsizetype size() const { return m_bytes.size(); }
        bool operator==(const Needle &other) const { return m_bytes == other.m_bytes; }

    private:
        QByteArray m_bytes;
        qsizetype m_anchor = 0;   // position of the byte memchr looks for
    };
    struct Range {
        QByteArray low;
        QByteArray high;
    };

    // Equal keys match a field holding the key or its full-width form (a field that begins with
    // the key holds it); unequal keys bound the field's prefixes.
    void addKeys(QByteArrayView low, QByteArrayView high);
    static bool containsAtBoundary(QByteArrayView field, const Needle &needle);

    bool m_matchesAll = false;
    std::vector<Needle> m_needles;
    std::vector<Range> m_ranges;
};

// The records (numbers from 0, ascending) that are live and have a match in one of the fields
// of fieldList ("@"-separated Shift-JIS names) go into result, each once. The number found, or
// -1 when the table cannot be read or a field name cannot be resolved (owner is told which).
int SearchDBFRecord(Owner *owner, QList<int> &result, const QString &name, QByteArrayView fieldList,
                    QByteArrayView low, QByteArrayView high);

// Comparisons of SearchFoodDbfRecord's numeric condition.
enum NumberComparison : int {
    NumberNever = 0,
    NumberAtLeast = 1,
    NumberAtMost = 2,
    NumberEqual = 3,
};

// As SearchDBFRecord, and a record counts only when the number in numberField (decimal text,
// leading blanks skipped, 0 when it is no number) compares with threshold as comparison says;
// comparison 0 or any value outside 1-3 never holds.
int SearchFoodDbfRecord(Owner *owner, QList<int> &result, const QString &name, QByteArrayView fieldList,
                        QByteArrayView low, QByteArrayView high, QByteArrayView numberField, double threshold,
                        int comparison);

// The decimal number at the start of a field after leading blanks, or 0: how numeric fields
// written as text ("%5.1lf") are read.
double fieldNumber(QByteArrayView field);

}  // namespace quenkit
