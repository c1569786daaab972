#include "quenkit/dbf/DbfSearch.h"

#include "quenkit/dbf/DbfIo.h"
#include "quenkit/dbf/KanaFolding.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace quenkit {

using namespace dbf::detail;

namespace {

// Bytewise, unsigned, a shorter text before its longer continuation.
int compareBytes(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    if (n > 0) {
        if (const int c = std::memcmp(a.data(), b.data(), static_cast<size_t>(n)))
            return c;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// How often a byte turns up in the text fields of our tables, roughly: blanks and digits fill
// them, and most double-byte characters begin with one of a few lead bytes.
int commonness(unsigned char b)
{
    if (b == ' ')
        return 5;
    if ((b >= '0' && b <= '9') || b == 0x82 || b == 0x83)
        return 4;
    if (b == 0x81 || b == 0xB0 || b == 0xDE || b == 0xDF)
        return 3;
    if (isSjisLeadByte(b))
        return 2;
    return 1;
}

// Whether pos starts a character of text, not the trail byte of a double-byte one: "A" must not
// be found inside ア (83 41).
bool startsCharacter(QByteArrayView text, qsizetype pos)
{
    qsizetype i = 0;
    while (i < pos)
        i += isSjisLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i == pos;
}

// Whether field lies between the keys: its first len(low) bytes not below low, its first
// len(high) bytes not above high; an empty key sets no bound.
bool withinRange(QByteArrayView field, QByteArrayView low, QByteArrayView high)
{
    if (!low.isEmpty() && compareBytes(low, field.first(std::min(low.size(), field.size()))) > 0)
        return false;
    if (!high.isEmpty() && compareBytes(field.first(std::min(high.size(), field.size())), high) > 0)
        return false;
    return true;
}

struct NumberCondition {
    QByteArrayView field;
    double threshold;
    int comparison;
};

bool conditionHolds(double value, const NumberCondition &condition)
{
    switch (condition.comparison) {
    case NumberAtLeast:
        return value >= condition.threshold;
    case NumberAtMost:
        return value <= condition.threshold;
    case NumberEqual:
        return value == condition.threshold;
    default:
        return false;
    }
}

int searchTable(Owner *owner, QList<int> &result, const QString &name, QByteArrayView fieldList,
                QByteArrayView low, QByteArrayView high, const NumberCondition *condition)
{
    result.clear();
    const DbfKeyMatcher matcher(low, high);
    BusyIndicator busy(owner);

    DbfLayout layout;
    FileHandle file(openTable(name, OpenRead, layout));
    if (!file.isOpen())
        return -1;
    QList<FieldSlice> slices;
    if (!resolveFieldList(owner, layout.fields, fieldList, static_cast<int>(layout.fields.size()), slices))
        return -1;
    QList<FieldSlice> numberSlice;
    if (condition
        && !resolveFieldList(owner, layout.fields, condition->field, static_cast<int>(layout.fields.size()),
                             numberSlice))
        return -1;

    RecordScanner scanner(file.get(), layout);
    std::vector<char> found;
    const int length = layout.recordLength();
    while (scanner.nextBlock()) {
        const QByteArrayView block = scanner.block();
        matcher.findInRecords(block, length, slices, found);
        for (size_t i = 0; i < found.size(); ++i) {
            const QByteArrayView record = block.sliced(static_cast<qsizetype>(i) * length, length);
            if (!found[i] || record[0] == dbf::DeletedFlag)
                continue;
            if (condition && !conditionHolds(fieldNumber(numberSlice.first().of(record.sliced(1))), *condition))
                continue;
            result.append(scanner.blockFirst() + static_cast<int>(i));
        }
    }
    if (scanner.failed()) {
        result.clear();
        return -1;
    }
    return static_cast<int>(result.size());
}

}  // namespace

DbfKeyMatcher::Needle::Needle(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
    for (qsizetype i = 1; i < m_bytes.size(); ++i) {
        if (commonness(static_cast<unsigned char>(m_bytes[i])) < commonness(static_cast<unsigned char>(m_bytes[m_anchor])))
            m_anchor = i;
    }
}

qsizetype DbfKeyMatcher::Needle::indexIn(QByteArrayView haystack, qsizetype from) const
{
    const qsizetype n = m_bytes.size();
    const qsizetype lastStart = haystack.size() - n;
    if (from > lastStart)
        return -1;
    if (n == 0)
        return from;
    const char *h = haystack.data();
    const char anchor = m_bytes[m_anchor];
    while (from <= lastStart) {
        const void *hit = std::memchr(h + from + m_anchor, anchor, static_cast<size_t>(lastStart - from + 1));
        if (!hit)
            return -1;
        const qsizetype start = static_cast<const char *>(hit) - h - m_anchor;
        if (std::memcmp(h + start, m_bytes.constData(), static_cast<size_t>(n)) == 0)
            return start;
        from = start + 1;
    }
    return -1;
}

bool DbfKeyMatcher::containsAtBoundary(QByteArrayView field, const Needle &needle)
{
    for (qsizetype hit = needle.indexIn(field, 0); hit >= 0; hit = needle.indexIn(field, hit + 1)) {
        if (startsCharacter(field, hit))
            return true;
    }
    return false;
}

void DbfKeyMatcher::addKeys(QByteArrayView low, QByteArrayView high)
{
    if (low != high) {
        m_ranges.push_back(Range{low.toByteArray(), high.toByteArray()});
        return;
    }
    if (low.isEmpty()) {
        m_matchesAll = true;
        return;
    }
    // The key and its full-width form, each once over both spellings of the keys.
    auto add = [this](QByteArray bytes) {
        Needle needle(std::move(bytes));
        if (std::find(m_needles.cbegin(), m_needles.cend(), needle) == m_needles.cend())
            m_needles.push_back(std::move(needle));
    };
    add(low.toByteArray());
    if (std::optional<QByteArray> full = fullWidthKey(low))
        add(std::move(*full));
}

DbfKeyMatcher::DbfKeyMatcher(QByteArrayView low, QByteArrayView high)
{
    addKeys(low, high);
    const std::optional<QByteArray> halfLow = halfWidthKey(low);
    const std::optional<QByteArray> halfHigh = halfWidthKey(high);
    if (halfLow && halfHigh)
        addKeys(*halfLow, *halfHigh);
}

bool DbfKeyMatcher::matches(QByteArrayView field) const
{
    if (m_matchesAll)
        return true;
    for (const Needle &needle : m_needles) {
        if (containsAtBoundary(field, needle))
            return true;
    }
    for (const Range &range : m_ranges) {
        if (withinRange(field, range.low, range.high))
            return true;
    }
    return false;
}

void DbfKeyMatcher::findInRecords(QByteArrayView records, int recordLength, const QList<FieldSlice> &fields,
                                  std::vector<char> &found) const
{
    const qsizetype count = recordLength > 0 ? records.size() / recordLength : 0;
    found.assign(static_cast<size_t>(count), m_matchesAll ? 1 : 0);
    if (m_matchesAll)
        return;
    auto fieldOf = [&](qsizetype record, const FieldSlice &f) {
        return records.sliced(record * recordLength + 1 + f.offset, f.length);
    };
    for (const Needle &needle : m_needles) {
        qsizetype from = 0;
        for (qsizetype hit = needle.indexIn(records, from); hit >= 0; hit = needle.indexIn(records, from)) {
            const qsizetype record = hit / recordLength;
            const qsizetype at = hit % recordLength - 1;   // within the body; -1 is the flag
            bool inField = false;
            for (const FieldSlice &f : fields) {
                if (at >= f.offset && at + needle.size() <= f.offset + f.length
                    && startsCharacter(fieldOf(record, f), at - f.offset)) {
                    inField = true;
                    break;
                }
            }
            // A record found once needs no further look.
            if (inField)
                found[static_cast<size_t>(record)] = 1;
            from = inField ? (record + 1) * recordLength : hit + 1;
        }
    }
    if (m_ranges.empty())
        return;
    for (qsizetype record = 0; record < count; ++record) {
        for (qsizetype i = 0; !found[static_cast<size_t>(record)] && i < fields.size(); ++i) {
            const QByteArrayView field = fieldOf(record, fields[i]);
            found[static_cast<size_t>(record)] = std::any_of(m_ranges.cbegin(), m_ranges.cend(), [&](const Range &r) {
                return withinRange(field, r.low, r.high);
            });
        }
    }
}

double fieldNumber(QByteArrayView field)
{
    qsizetype i = 0;
    while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r')))
        ++i;
    // from_chars reads no "+" and is independent of the locale, unlike the C conversions.
    if (i < field.size() && field[i] == '+' && !(i + 1 < field.size() && field[i + 1] == '-'))
        ++i;
    double value = 0;
    const char *first = field.data() + i;
    const char *last = field.data() + field.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end == first)
        return 0;
    return value;
}

int SearchDBFRecord(Owner *owner, QList<int> &result, const QString &name, QByteArrayView fieldList,
                    QByteArrayView low, QByteArrayView high)
{
    return searchTable(owner, result, name, fieldList, low, high, nullptr);
}

int SearchFoodDbfRecord(Owner *owner, QList<int> &result, const QString &name, QByteArrayView fieldList,
                        QByteArrayView low, QByteArrayView high, QByteArrayView numberField, double threshold,
                        int comparison)
{
    const NumberCondition condition{numberField, threshold, comparison};
    return searchTable(owner, result, name, fieldList, low, high, &condition);
}

}  // namespace quenkit
