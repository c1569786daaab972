#include "dalmain/userdata/WeightGoal.h"

#include "dalmain/userdata/MemoStorage.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/text/ShiftJis.h"

#include <cstdlib>

namespace dalmain {

namespace {

// The C library's reading of a stored number: leading blanks skipped, digits up to the first
// other character. notSet when the field is blank.
double goalValue(QByteArrayView field, double notSet)
{
    const QByteArray text = field.toByteArray().trimmed();
    if (text.isEmpty())
        return notSet;
    return std::strtod(text.constData(), nullptr);
}

}  // namespace

QString weightGoalFileName(int user)
{
    return QStringLiteral("WG%1.DAT").arg(user);
}

WeightGoal LoadWeightGoal(int user)
{
    const WeightGoal none;
    QByteArray bytes;
    if (!readDataFile(weightGoalFileName(user), bytes, kWeightGoalFileSize)
        || bytes.size() < kGoalWeightWidth + kGoalBodyFatWidth)
        return none;
    WeightGoal goal;
    goal.weight = goalValue(QByteArrayView(bytes).first(kGoalWeightWidth), none.weight);
    goal.bodyFat = goalValue(QByteArrayView(bytes).sliced(kGoalWeightWidth, kGoalBodyFatWidth), none.bodyFat);
    return goal;
}

int SaveWeightGoal(int user, const QString &weightText, const QString &bodyFatText)
{
    const QByteArray weight = quenkit::toSjis(weightText.trimmed());
    const QByteArray bodyFat = quenkit::toSjis(bodyFatText.trimmed());
    // "%5s" widens a longer text instead of cutting it, which would push the body fat out of
    // its place and the terminator past the file's end.
    if (weight.size() > kGoalWeightWidth || bodyFat.size() > kGoalBodyFatWidth)
        return 0;
    QByteArray bytes = weight.rightJustified(kGoalWeightWidth, ' ') + bodyFat.rightJustified(kGoalBodyFatWidth, ' ');
    bytes.append('\0');
    const QString name = weightGoalFileName(user);
    return replaceDataFile(name, quenkit::temporaryName(name), bytes) ? 1 : 0;
}

}  // namespace dalmain
