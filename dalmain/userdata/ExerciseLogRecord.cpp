#include "dalmain/userdata/ExerciseLogRecord.h"

#include "quenkit/dbf/DbfSearch.h"
#include "quenkit/text/ShiftJis.h"

namespace dalmain {

double ExerciseSlot::valueNumber() const
{
    return quenkit::fieldNumber(value);
}

QByteArray energyFieldText(double kcal)
{
    QByteArray text = QString::asprintf("%5.1f", kcal).toLatin1();
    if (text.size() > exerciseslot::ValueWidth)
        text = QString::asprintf("%5.0f", kcal).toLatin1();
    return text;
}

QByteArray encodeExerciseSlot(const ExerciseSlot &slot)
{
    using namespace exerciseslot;
    QByteArray bytes = QString::asprintf("%5u", slot.item).toLatin1().left(ItemWidth);
    bytes += QString::asprintf("%4d", slot.minutesCode).toLatin1().left(CodeWidth);
    bytes += slot.value.left(ValueWidth).leftJustified(ValueWidth, ' ');
    bytes += quenkit::cutSjisToWidth(slot.memo, MemoWidth).leftJustified(MemoWidth, '\0');
    return bytes;
}

std::optional<ExerciseSlot> decodeExerciseSlot(QByteArrayView bytes)
{
    using namespace exerciseslot;
    if (bytes.size() < kExerciseSlotWidth || bytes.front() == '\0')
        return std::nullopt;
    ExerciseSlot slot;
    slot.item = static_cast<unsigned>(quenkit::fieldNumber(bytes.first(ItemWidth)));
    slot.minutesCode = static_cast<int>(quenkit::fieldNumber(bytes.sliced(ItemWidth, CodeWidth)));
    slot.value = bytes.sliced(ItemWidth + CodeWidth, ValueWidth).toByteArray();
    QByteArrayView memo = bytes.sliced(ItemWidth + CodeWidth + ValueWidth, MemoWidth);
    const qsizetype nul = memo.indexOf('\0');
    slot.memo = (nul >= 0 ? memo.first(nul) : memo).toByteArray();
    return slot;
}

QByteArray encodeExerciseRecord(QByteArrayView date, const QList<ExerciseSlot> &entrySlots)
{
    if (date.size() != kExerciseDateWidth || entrySlots.size() > kExerciseSlots)
        return {};
    QByteArray body(kExerciseBodyLength, '\0');
    body.replace(0, kExerciseDateWidth, date.toByteArray());
    for (qsizetype i = 0; i < entrySlots.size(); ++i)
        body.replace(kExerciseDateWidth + i * kExerciseSlotWidth, kExerciseSlotWidth, encodeExerciseSlot(entrySlots[i]));
    return body;
}

ExerciseLogRecord decodeExerciseRecord(QByteArrayView body)
{
    ExerciseLogRecord record;
    record.date = body.first(std::min<qsizetype>(kExerciseDateWidth, body.size())).toByteArray();
    for (int i = 0; i < kExerciseSlots; ++i) {
        const qsizetype at = kExerciseDateWidth + qsizetype(i) * kExerciseSlotWidth;
        if (at + kExerciseSlotWidth > body.size())
            break;
        const std::optional<ExerciseSlot> slot = decodeExerciseSlot(body.sliced(at, kExerciseSlotWidth));
        if (!slot)
            break;
        record.entrySlots.append(*slot);
    }
    return record;
}

}  // namespace dalmain
