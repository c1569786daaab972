#include "dalmain/userdata/ExerciseLogClipboard.h"

#include "dalmain/userdata/ExerciseLogInput.h"

#include "quenkit/text/ShiftJis.h"

#include <QtEndian>

namespace dalmain {

namespace {

constexpr int kCountSize = 2;

QString copiedMinutes(const ExerciseEntry &e)
{
    if (e.isBasal() || e.minutesCode <= 0 || e.minutesCode == kEnergyWithoutMinutesCode)
        return {};
    return QString::number(e.countedMinutes());
}

}  // namespace

QString copyAllText(const ExerciseDay &day, const ExerciseSummary &s, const CopyAllOptions &options)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    if (options.heading)
        text += QStringLiteral("運動種目\t運動時間(分)\t運動消費ｴﾈﾙｷﾞｰ(kcal)\tメ　モ") + crlf;
    for (const ExerciseEntry &e : day.entries()) {
        text += quenkit::fromSjis(e.name) + u'\t' + copiedMinutes(e) + u'\t' + QString::asprintf("%.1f", e.energy) + u'\t'
                + quenkit::fromSjis(e.memo) + crlf;
    }
    if (options.totals) {
        text += QStringLiteral("運動時間\t") + QString::asprintf("%2d時間%2d分(%4d分)", s.minutes / 60, s.minutes % 60, s.minutes) + crlf;
        text += QStringLiteral("運動消費エネルギー(kcal)\t") + QString::asprintf("%.1f", s.exercise) + crlf;
        text += QStringLiteral("基礎代謝量(kcal)\t") + QString::asprintf("%.1f", s.basal) + crlf;
        text += QStringLiteral("生活消費エネルギー(kcal)\t") + QString::asprintf("%.1f", s.living) + crlf;
        text += QStringLiteral("一日消費エネルギー(kcal)\t") + QString::asprintf("%.1f", s.daily) + crlf;
    }
    if (options.guideline) {
        text += QStringLiteral("1日の運動目安\t") + exerciseGuideline(s.activity) + crlf;
        text += exerciseNotes().last() + crlf;
    }
    return text;
}

QByteArray copyAllBlock(const ExerciseDay &day, const ExerciseSummary &summary, const CopyAllOptions &options)
{
    QByteArray block = quenkit::toSjis(copyAllText(day, summary, options));
    block += '\0';
    block += kExerciseClipboardMarker;
    char count[kCountSize];
    qToLittleEndian<quint16>(static_cast<quint16>(day.count()), count);
    block.append(count, kCountSize);
    for (const ExerciseEntry &e : day.entries())
        block += encodeExerciseEntry(e);
    return block;
}

std::optional<QList<ExerciseEntry>> copiedEntries(QByteArrayView block)
{
    if (block.size() <= kExerciseClipboardMarker.size() + kExerciseEntrySize)
        return std::nullopt;
    // The tail stands behind the text's terminator; a marker inside the text is the user's.
    const qsizetype textEnd = block.indexOf('\0');
    if (textEnd < 0)
        return std::nullopt;
    const qsizetype marker = block.indexOf(kExerciseClipboardMarker, textEnd + 1);
    if (marker < 0)
        return std::nullopt;
    const qsizetype countAt = marker + kExerciseClipboardMarker.size();
    if (countAt + kCountSize > block.size())
        return std::nullopt;
    const int count = qFromLittleEndian<quint16>(block.data() + countAt);
    const qsizetype first = countAt + kCountSize;
    if (qsizetype(count) * kExerciseEntrySize > block.size() - first)
        return std::nullopt;
    QList<ExerciseEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.append(*decodeExerciseEntry(block.sliced(first + qsizetype(i) * kExerciseEntrySize, kExerciseEntrySize)));
    return entries;
}

ExerciseDay pastedExerciseDay(const QList<ExerciseEntry> &entries, const ExerciseItemLookup &items,
                              const EnergyBasis &basis)
{
    ExerciseDay day;
    for (const ExerciseEntry &copied : entries) {
        if (day.count() >= kExerciseSlots)
            break;
        if (copied.isBasal()) {
            day.insert(basalEntry(copied.energy, copied.memo));
            continue;
        }
        const std::optional<ExerciseItem> item = items(copied.item);
        if (!item)
            continue;
        ExerciseEntry e = copied;
        e.name = item->name;
        e.afText = item->afText;
        if (e.isComputed())
            e.energy = ExerciseEnergy(*item, e.minutesCode, basis);
        day.insert(std::move(e));
    }
    return day;
}

}  // namespace dalmain
