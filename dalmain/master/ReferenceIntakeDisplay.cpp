#include "dalmain/master/ReferenceIntakeDisplay.h"

#include "dalmain/master/NutrientDisplay.h"

namespace dalmain {

QString intakeViewerCaption(const IntakeSubject &subject)
{
    if (subject.national)
        return QStringLiteral("日本人の食事摂取基準(2010年版)");
    return QStringLiteral("基準値:%1").arg(subject.standardName);
}

QString intakeViewerValue(int nutrient, double value)
{
    return formatPlain(nutrient, value);
}

QString intakeViewerBound(int nutrient, double value)
{
    return value == 0.0 ? QString() : intakeViewerValue(nutrient, value);
}

}  // namespace dalmain
