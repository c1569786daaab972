#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The date keys of menu files, kept in memory. Ten years of daily records are 22 MB, of which
// the keys are 29 KB: one pass over the file takes them, and from then on finding a day or the
// days of a month is a look at the file's status and a walk through memory.
//
// The keys of each file are cached for the whole process under the file's full path, together
// with the file's status when they were taken (size, modification and status-change times,
// file id). A file whose status differs is scanned again, so changes made by another program
// are seen. A writer of this process that holds the file's lock hands its change to the cache,
// so that the next reader finds the new keys without a scan.
namespace dalmain {

// The date keys of a menu file's whole records, in file order. Values share their storage
// until one of them is changed.
class DayMenuKeys
{
public:
    DayMenuKeys() = default;

    int count() const;
    // The key of record (1-based, within count()).
    QByteArrayView key(int record) const;
    // The first record at or after record first whose key begins with prefix; 0 for none.
    int find(QByteArrayView prefix, int first) const;
    // Every record whose key begins with prefix, in file order.
    QList<int> findAll(QByteArrayView prefix) const;
    QList<QByteArray> toList() const;

    // A record added at the end with key (cut or padded with NULs to a key's length, as the
    // record stores it), and record removed with the later ones moving up.
    void append(QByteArrayView key);
    void remove(int record);

    // The keys of records stored back to back, a key's length each.
    static DayMenuKeys fromPacked(QByteArray packed);

private:
    QByteArray m_packed;
};

// The keys of the menu file at path (a full path) as the file is now: the cached ones while
// the file's status is unchanged, else those of a new scan, which replace them. A missing or
// unreadable file has no keys.
DayMenuKeys dayMenuKeys(const QString &path);

// For a writer that holds the file's lock: the record of the day dateKey (0 for none) and, in
// keys, the file's keys. Before a write relies on the answer, the record's own bytes confirm
// it; a record that holds another day means the file changed without its status showing it,
// and the keys are taken from the file again.
int findDayToChange(const QString &path, QByteArrayView dateKey, DayMenuKeys &keys);

// For a writer that holds the file's lock, after it changed the file: the keys the file now
// holds, cached with the file's new status.
void dayMenuKeysChanged(const QString &path, const DayMenuKeys &keys);

// Drops the cached keys of path: after a write that failed part of the way the file's keys are
// not known, and the next reader scans the file.
void forgetDayMenuKeys(const QString &path);

// The date key stored in record (1-based) of the file at path, read from the file itself;
// empty when the file has no such whole record.
QByteArray dateKeyInFile(const QString &path, int record);

}  // namespace dalmain
