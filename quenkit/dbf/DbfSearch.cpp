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

// An occurrence of the matcher's pattern in field that starts on a character, not on the trail
// byte of a double-byte one: "A" must not be found inside ア (83 41).
bool containsAtBoundary(QByteArrayView field, const QByteArrayMatcher &matcher)
{
    qsizetype boundary = 0;   // walks the character starts up to each hit
    for (qsizetype hit = matcher.indexIn(field); hit >= 0; hit = matcher.indexIn(field, hit + 1)) {
        while (boundary < hit)
            boundary += isSjisLeadByte(static_cast<unsigned char>(field[boundary])) ? 2 : 1;
        if (boundary == hit)
            return true;
    }
    return false;
}

// Bounds of a search whose keys are both given (and equal or not).
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
    while (scanner.next()) {
        if (scanner.deleted())
            continue;
        const QByteArrayView body = scanner.body();
        const bool found = std::any_of(slices.cbegin(), slices.cend(),
                                       [&](const FieldSlice &s) { return matcher.matches(s.of(body)); });
        if (found && (!condition || conditionHolds(fieldNumber(numberSlice.first().of(body)), *condition)))
            result.append(scanner.number());
    }
    if (scanner.failed()) {
        result.clear();
        return -1;
    }
    return static_cast<int>(result.size());
}

}  // namespace

DbfKeyMatcher::KeyPair::KeyPair(QByteArrayView lowKey, QByteArrayView highKey)
    : low(lowKey.toByteArray())
    , high(highKey.toByteArray())
    , equal(lowKey == highKey)
{
    if (!equal)
        return;
    key.setPattern(low);
    if (const std::optional<QByteArray> full = fullWidthKey(low))
        fullWidth.emplace(*full);
}

bool DbfKeyMatcher::KeyPair::matches(QByteArrayView field) const
{
    if (equal) {
        if (low.isEmpty() || containsAtBoundary(field, key))
            return true;
        if (fullWidth && containsAtBoundary(field, *fullWidth))
            return true;
    }
    return withinRange(field, low, high);
}

DbfKeyMatcher::DbfKeyMatcher(QByteArrayView low, QByteArrayView high)
    : m_asGiven(low, high)
{
    const std::optional<QByteArray> halfLow = halfWidthKey(low);
    const std::optional<QByteArray> halfHigh = halfWidthKey(high);
    if (halfLow && halfHigh)
        m_halfWidth.emplace(*halfLow, *halfHigh);
}

bool DbfKeyMatcher::matches(QByteArrayView field) const
{
    return m_asGiven.matches(field) || (m_halfWidth && m_halfWidth->matches(field));
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
