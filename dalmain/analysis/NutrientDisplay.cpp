#include "dalmain/analysis/NutrientDisplay.h"

#include "dalmain/analysis/FixedText.h"

#include <QtGlobal>

#include <array>

namespace dalmain {

namespace {

// Long names are split where a narrow column can break them; the rest keep an empty first line.
constexpr std::array<NutrientDisplayRow, kNutrientCount> kRows = {{
    {"", "ｴﾈﾙｷﾞｰ", "ｴﾈﾙｷﾞｰ", "kcal", 0, true},
    {"", "ｴﾈﾙｷﾞｰ", "ｴﾈﾙｷﾞｰ", "kJ", 0, true},
    {"", "水分", "水分", "g", 1, true},
    {"たんぱく", "質", "たんぱく質", "g", 1, true},
    {"", "脂質", "脂質", "g", 1, true},
    {"", "炭水化物", "炭水化物", "g", 1, true},
    {"", "灰分", "灰分", "g", 1, true},
    {"", "ﾅﾄﾘｳﾑ", "ﾅﾄﾘｳﾑ", "mg", 0, true},
    {"", "ｶﾘｳﾑ", "ｶﾘｳﾑ", "mg", 0, true},
    {"", "ｶﾙｼｳﾑ", "ｶﾙｼｳﾑ", "mg", 0, true},
    {"", "ﾏｸﾞﾈｼｳﾑ", "ﾏｸﾞﾈｼｳﾑ", "mg", 0, true},
    {"", "ﾘﾝ", "ﾘﾝ", "mg", 0, true},
    {"", "鉄", "鉄", "mg", 1, true},
    {"", "亜鉛", "亜鉛", "mg", 1, true},
    {"", "銅", "銅", "mg", 2, true},
    {"", "ﾚﾁﾉｰﾙ", "ﾚﾁﾉｰﾙ", "μg", 0, true},
    {"", "ｶﾛﾃﾝ", "ｶﾛﾃﾝ", "μg", 0, true},
    {"ﾋﾞﾀﾐﾝ", "A", "ﾋﾞﾀﾐﾝA", "μg", 0, true},
    {"ﾋﾞﾀﾐﾝ", "D", "ﾋﾞﾀﾐﾝD", "μg", 1, true},
    {"ﾋﾞﾀﾐﾝ", "E", "ﾋﾞﾀﾐﾝE", "mg", 1, true},
    {"ﾋﾞﾀﾐﾝ", "K", "ﾋﾞﾀﾐﾝK", "μg", 0, false},
    {"ﾋﾞﾀﾐﾝ", "B1", "ﾋﾞﾀﾐﾝB1", "mg", 2, true},
    {"ﾋﾞﾀﾐﾝ", "B2", "ﾋﾞﾀﾐﾝB2", "mg", 2, true},
    {"", "ﾅｲｱｼﾝ", "ﾅｲｱｼﾝ", "mg", 1, true},
    {"ﾋﾞﾀﾐﾝ", "B6", "ﾋﾞﾀﾐﾝB6", "mg", 2, false},
    {"ﾋﾞﾀﾐﾝ", "B12", "ﾋﾞﾀﾐﾝB12", "μg", 1, false},
    {"", "葉酸", "葉酸", "μg", 0, false},
    {"ﾊﾟﾝﾄﾃﾝ", "酸", "ﾊﾟﾝﾄﾃﾝ酸", "mg", 2, false},
    {"ﾋﾞﾀﾐﾝ", "C", "ﾋﾞﾀﾐﾝC", "mg", 0, true},
    {"飽和", "脂肪酸", "飽和脂肪酸", "g", 2, false},
    {"不飽和", "一価", "不飽和一価", "g", 2, false},
    {"不飽和", "多価", "不飽和多価", "g", 2, false},
    {"", "ｺﾚｽﾃﾛｰﾙ", "ｺﾚｽﾃﾛｰﾙ", "mg", 0, true},
    {"繊維", "水溶性", "繊維水溶性", "g", 1, true},
    {"繊維", "不溶性", "繊維不溶性", "g", 1, true},
    {"食物", "繊維", "食物繊維", "g", 1, true},
    {"食塩", "相当量", "食塩相当量", "g", 1, true},
}};

constexpr int kViewWidth = 6;
constexpr int kPanelWidth = 8;
const QString kViewOverflow = QStringLiteral("****");
const QString kPanelOverflow = QStringLiteral("*****");
const QString kWaveDash = QStringLiteral("～");

}  // namespace

const NutrientDisplayRow &nutrientDisplayRow(int nutrient)
{
    Q_ASSERT(nutrient >= 0 && nutrient < kNutrientCount);
    return kRows[static_cast<size_t>(nutrient)];
}

QString nutrientDisplayName(int nutrient)
{
    return QString::fromUtf8(nutrientDisplayRow(nutrient).name);
}

QString nutrientDisplayUnit(int nutrient)
{
    return QString::fromUtf8(nutrientDisplayRow(nutrient).unit);
}

int displayDecimals(int nutrient)
{
    return nutrientDisplayRow(nutrient).decimals;
}

QString nutrientHeading(int nutrient)
{
    const NutrientDisplayRow &row = nutrientDisplayRow(nutrient);
    const QString bottom = QString::fromUtf8(row.headingBottom);
    if (row.headingTop[0] == '\0')
        return bottom;
    return QString::fromUtf8(row.headingTop) + QLatin1Char('\n') + bottom;
}

QString formatPlain(int nutrient, double value)
{
    return QString::fromStdString(fixedText(value, displayDecimals(nutrient)));
}

QString formatIntake(int nutrient, double value)
{
    return fixedCell(value, displayDecimals(nutrient), kViewWidth, false, kViewWidth, kViewOverflow);
}

QString formatDifference(int nutrient, double difference)
{
    return fixedCell(difference, displayDecimals(nutrient), kViewWidth, true, kViewWidth, kViewOverflow);
}

QString formatReference(int nutrient, double lower, double upper)
{
    const int d = displayDecimals(nutrient);
    if (lower != 0 && upper != 0) {
        if (lower == upper)
            return formatIntake(nutrient, lower);
        return QString::fromStdString(fixedText(lower, d, kViewWidth)) + kWaveDash
             + QString::fromStdString(fixedText(upper, d));
    }
    if (lower != 0)
        return QString::fromStdString(fixedText(lower, d, kViewWidth)) + kWaveDash;
    if (upper != 0)
        return kWaveDash + QString::fromStdString(fixedText(upper, d));
    return QString();
}

QString formatRate(double rate)
{
    return fixedCell(rate, 0, 3, false, kViewWidth, kViewOverflow);
}

QString formatPanelAmount(int nutrient, double value)
{
    return fixedCell(value, displayDecimals(nutrient), kPanelWidth, false, kPanelWidth, kPanelOverflow);
}

QString formatPanelDifference(int nutrient, double difference)
{
    return fixedCell(difference, displayDecimals(nutrient), kPanelWidth, true, kPanelWidth, kPanelOverflow);
}

}  // namespace dalmain
