#include "dalmain/userdata/MenuClipboardBlock.h"

#include "quenkit/text/ShiftJis.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace dalmain {

namespace {

constexpr int kCountSize = 2;
constexpr int kMealAt = 0;
constexpr int kFoodAt = 1;
constexpr int kGramsAt = 3;
constexpr int kNameAt = 11;
constexpr int kNameSize = kMenuClipRecordSize - kNameAt;
static_assert(kNameSize == kMenuClipDishNameWidth + 1);

constexpr double kMaxClipGrams = 999.9;

bool plausible(const MenuClipRecord &r)
{
    if (r.meal < 0 || r.meal >= kMealCount || r.food == 0)
        return false;
    return r.isDish() || (std::isfinite(r.grams) && r.grams >= 0.0 && r.grams <= kMaxClipGrams);
}

MenuClipRecord decodeRecord(const char *at)
{
    MenuClipRecord r;
    r.meal = static_cast<quint8>(at[kMealAt]);
    r.food = qFromLittleEndian<quint16>(at + kFoodAt);
    if (!r.isDish()) {
        r.grams = qFromLittleEndian<double>(at + kGramsAt);
    } else {
        const char *name = at + kNameAt;
        const void *nul = std::memchr(name, '\0', kNameSize);
        const qsizetype length = nul ? static_cast<const char *>(nul) - name : kMenuClipDishNameWidth;
        r.dishName = quenkit::cutSjisToWidth(QByteArrayView(name, length), kMenuClipDishNameWidth);
    }
    return r;
}

// Where the count field of a block stands, or -1 when the marker is not directly behind the
// text's NUL.
qsizetype countOffset(MenuClipKind kind, QByteArrayView block)
{
    const qsizetype textEnd = block.indexOf('\0');
    if (textEnd < 0)
        return -1;
    const QByteArray marker = menuClipMarker(kind);
    if (!block.sliced(textEnd + 1).startsWith(marker))
        return -1;
    return textEnd + 1 + marker.size();
}

}  // namespace

QByteArray menuClipMarker(MenuClipKind kind)
{
    return kind == MenuClipKind::Rows ? QByteArrayLiteral("DMMenuData") : QByteArrayLiteral("DMMenuAllData");
}

MenuClipRecord menuClipRecord(int meal, const MenuRow &row)
{
    MenuClipRecord r;
    r.meal = meal;
    if (row.kind == MenuRow::Kind::Dish) {
        r.food = kMenuClipDishFood;
        r.dishName = quenkit::cutSjisToWidth(quenkit::toSjis(row.dishName.trimmed()), kMenuClipDishNameWidth);
    } else {
        r.food = row.food;
        r.grams = row.grams;
    }
    return r;
}

QByteArray encodeMenuClipRecord(const MenuClipRecord &r)
{
    QByteArray bytes(kMenuClipRecordSize, '\0');
    char *at = bytes.data();
    at[kMealAt] = static_cast<char>(r.meal);
    qToLittleEndian<quint16>(r.food, at + kFoodAt);
    qToLittleEndian<double>(r.isDish() ? 0.0 : r.grams, at + kGramsAt);
    if (r.isDish()) {
        const QByteArray name = quenkit::cutSjisToWidth(r.dishName, kMenuClipDishNameWidth);
        std::memcpy(at + kNameAt, name.constData(), static_cast<size_t>(name.size()));
    }
    return bytes;
}

QByteArray encodeMenuClipBlock(MenuClipKind kind, QByteArrayView text, const QList<MenuClipRecord> &records)
{
    const QByteArray marker = menuClipMarker(kind);
    QByteArray block;
    block.reserve(text.size() + 1 + 2 * marker.size() + kCountSize + records.size() * kMenuClipRecordSize + 1);
    block += text;
    block += '\0';
    block += marker;
    char count[kCountSize];
    qToLittleEndian<quint16>(static_cast<quint16>(records.size()), count);
    block.append(count, kCountSize);
    for (const MenuClipRecord &r : records)
        block += encodeMenuClipRecord(r);
    block += marker;
    block += '\0';
    return block;
}

bool hasMenuClipMarker(MenuClipKind kind, QByteArrayView block)
{
    return countOffset(kind, block) >= 0;
}

QList<MenuClipRecord> decodeMenuClipBlock(MenuClipKind kind, QByteArrayView block)
{
    QList<MenuClipRecord> records;
    const qsizetype countAt = countOffset(kind, block);
    if (countAt < 0 || countAt + kCountSize > block.size())
        return records;
    const qsizetype first = countAt + kCountSize;
    // Every record has its text line: a count beyond the lines, or beyond what the block holds,
    // is not believed.
    const qsizetype lines = block.first(block.indexOf('\0')).count('\r');
    const qsizetype whole = (block.size() - first) / kMenuClipRecordSize;
    const qsizetype count = std::min({qsizetype(qFromLittleEndian<quint16>(block.data() + countAt)), lines, whole});
    for (qsizetype i = 0; i < count; ++i) {
        const MenuClipRecord r = decodeRecord(block.data() + first + i * kMenuClipRecordSize);
        if (plausible(r))
            records.append(r);
    }
    return records;
}

}  // namespace dalmain
