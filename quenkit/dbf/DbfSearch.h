#pragma once

#include <QByteArray>
#include <QByteArrayMatcher>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

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

private:
    struct KeyPair {
        QByteArray low;
        QByteArray high;
        bool equal = false;
        QByteArrayMatcher key;                    // with equal keys: the key ...
        std::optional<QByteArrayMatcher> fullWidth;   // ... and its full-width form

        KeyPair(QByteArrayView low, QByteArrayView high);
        bool matches(QByteArrayView field) const;
    };

    KeyPair m_asGiven;
    std::optional<KeyPair> m_halfWidth;
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
