#include "dalmain/master/NutrientDisplay.h"

#include "dalmain/master/FixedText.h"
#include "dalmain/master/NutrientInfo.h"

#include <QtGlobal>

#include <array>

namespace dalmain {

namespace {

// Long names are split where a narrow column can break them; the rest keep an empty first line.
constexpr std::array<NutrientDisplayRow, kNutrientCount> kRows = {{
    {"", "ｴﾈﾙｷﾞｰ", "ｴﾈﾙｷﾞｰ", 0, true},
    {"", "ｴﾈﾙｷﾞｰ", "ｴﾈﾙｷﾞｰ", 0, true},
    {"", "水分", "水分", 1, true},
    {"たんぱく", "質", "たんぱく質", 1, true},
    {"", "脂質", "脂質", 1, true},
    {"", "炭水化物", "炭水化物", 1, true},
    {"", "灰分", "灰分", 1, true},
    {"", "ﾅﾄﾘｳﾑ", "ﾅﾄﾘｳﾑ", 0, true},
    {"", "ｶﾘｳﾑ", "ｶﾘｳﾑ", 0, true},
    {"", "ｶﾙｼｳﾑ", "ｶﾙｼｳﾑ", 0, true},
    {"", "ﾏｸﾞﾈｼｳﾑ", "ﾏｸﾞﾈｼｳﾑ", 0, true},
    {"", "ﾘﾝ", "ﾘﾝ", 0, true},
    {"", "鉄", "鉄", 1, true},
    {"", "亜鉛", "亜鉛", 1, true},
    {"", "銅", "銅", 2, true},
    {"", "ﾚﾁﾉｰﾙ", "ﾚﾁﾉｰﾙ", 0, true},
    {"", "ｶﾛﾃﾝ", "ｶﾛﾃﾝ", 0, true},
    {"ﾋﾞﾀﾐﾝ", "A", "ﾋﾞﾀﾐﾝA", 0, true},
    {"ﾋﾞﾀﾐﾝ", "D", "ﾋﾞﾀﾐﾝD", 1, true},
    {"ﾋﾞﾀﾐﾝ", "E", "ﾋﾞﾀﾐﾝE", 1, true},
    {"ﾋﾞﾀﾐﾝ", "K", "ﾋﾞﾀﾐﾝK", 0, false},
    {"ﾋﾞﾀﾐﾝ", "B1", "ﾋﾞﾀﾐﾝB1", 2, true},
    {"ﾋﾞﾀﾐﾝ", "B2", "ﾋﾞﾀﾐﾝB2", 2, true},
    {"", "ﾅｲｱｼﾝ", "ﾅｲｱｼﾝ", 1, true},
    {"ﾋﾞﾀﾐﾝ", "B6", "ﾋﾞﾀﾐﾝB6", 2, false},
    {"ﾋﾞﾀﾐﾝ", "B12", "ﾋﾞﾀﾐﾝB12", 1, false},
    {"", "葉酸", "葉酸", 0, false},
    {"ﾊﾟﾝﾄﾃﾝ", "酸", "ﾊﾟﾝﾄﾃﾝ酸", 2, false},
    {"ﾋﾞﾀﾐﾝ", "C", "ﾋﾞﾀﾐﾝC", 0, true},
    {"飽和", "脂肪酸", "飽和脂肪酸", 2, false},
    {"不飽和", "一価", "不飽和一価", 2, false},
    {"不飽和", "多価", "不飽和多価", 2, false},
    {"", "ｺﾚｽﾃﾛｰﾙ", "ｺﾚｽﾃﾛｰﾙ", 0, true},
    {"繊維", "水溶性", "繊維水溶性", 1, true},
    {"繊維", "不溶性", "繊維不溶性", 1, true},
    {"食物", "繊維", "食物繊維", 1, true},
    {"食塩", "相当量", "食塩相当量", 1, true},
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
    // The unit is the food table's: a value per 100 g and the intake it gives share it.
    return QString::fromUtf8(nutrientInfo(nutrient).unit);
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
