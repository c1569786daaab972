#include "dalmain/master/NutrientInfo.h"

#include <QtGlobal>

namespace dalmain {

namespace {

// The decimals are the most the published composition tables use for each nutrient, so that
// every official value is stored without loss in its six characters; screens may show fewer. A field name is the CSV name when that fits the 11 bytes of a
// field name; otherwise letters, digits and kana go to half width until it fits (vitamins use
// half-width letters throughout), and the two energies keep their unit so that they differ.
constexpr std::array<NutrientInfo, kNutrientCount> kTable{{
    {EnergyKcal, "エネルギーKC", "kcal", 0, "ｴﾈﾙｷﾞｰKC"},
    {EnergyKj, "エネルギーKJ", "kJ", 0, "ｴﾈﾙｷﾞｰKJ"},
    {Water, "水分", "g", 1, "水分"},
    {Protein, "たんぱく質", "g", 1, "たんぱく質"},
    {Fat, "脂質", "g", 1, "脂質"},
    {Carbohydrate, "炭水化物", "g", 1, "炭水化物"},
    {Ash, "灰分", "g", 1, "灰分"},
    {Sodium, "ナトリウム", "mg", 0, "ナトリウム"},
    {Potassium, "カリウム", "mg", 0, "カリウム"},
    {Calcium, "カルシウム", "mg", 0, "カルシウム"},
    {Magnesium, "マグネシウム", "mg", 0, "ﾏｸﾞﾈｼｳﾑ"},
    {Phosphorus, "リン", "mg", 0, "リン"},
    {Iron, "鉄", "mg", 2, "鉄"},   // milk and a few others have hundredths
    {Zinc, "亜鉛", "mg", 1, "亜鉛"},
    {Copper, "銅", "mg", 2, "銅"},
    {Retinol, "レチノール", "μg", 0, "レチノール"},
    {BetaCaroteneEq, "βｶﾛﾃﾝ当量", "μg", 0, "βｶﾛﾃﾝ当量"},
    {RetinolEq, "ﾚﾁﾉｰﾙ当量", "μg", 0, "ﾚﾁﾉｰﾙ当量"},
    {VitaminD, "ビタミンＤ", "μg", 1, "ビタミンD"},
    {VitaminEAlpha, "ビタミンＥα", "mg", 1, "ビタミンEα"},
    {VitaminK, "ビタミンＫ", "μg", 0, "ビタミンK"},
    {VitaminB1, "ビタミンＢ１", "mg", 2, "ビタミンB1"},
    {VitaminB2, "ビタミンＢ２", "mg", 2, "ビタミンB2"},
    // Niacin is counted in niacin equivalents, the basis of the reference intakes.
    {Niacin, "ナイアシン", "mgNE", 1, "ナイアシン"},
    {VitaminB6, "ビタミンＢ６", "mg", 2, "ビタミンB6"},
    {VitaminB12, "ビタミンＢ12", "μg", 1, "ビタミンB12"},
    {Folate, "葉酸", "μg", 0, "葉酸"},
    {PantothenicAcid, "ﾊﾟﾝﾄﾃﾝ酸", "mg", 2, "ﾊﾟﾝﾄﾃﾝ酸"},
    {VitaminC, "ビタミンＣ", "mg", 0, "ビタミンC"},
    {SaturatedFattyAcids, "飽和脂肪酸", "g", 2, "飽和脂肪酸"},
    {MonounsaturatedFattyAcids, "一価不飽和", "g", 2, "一価不飽和"},
    {PolyunsaturatedFattyAcids, "多価不飽和", "g", 2, "多価不飽和"},
    {Cholesterol, "ｺﾚｽﾃﾛｰﾙ", "mg", 0, "ｺﾚｽﾃﾛｰﾙ"},
    {SolubleFiber, "水溶性(食物)", "g", 1, "水溶性繊維"},
    {InsolubleFiber, "不溶性(食物)", "g", 1, "不溶性繊維"},
    {TotalFiber, "食物繊維総量", "g", 1, "総食物繊維"},
    {SaltEquivalent, "食塩相当量", "g", 1, "食塩相当量"},
}};

constexpr bool tableInOrder()
{
    for (int i = 0; i < kNutrientCount; ++i) {
        if (kTable[i].index != i)
            return false;
    }
    return true;
}
static_assert(tableInOrder(), "the nutrient table must list the nutrients in NutrientVector order");

}  // namespace

const std::array<NutrientInfo, kNutrientCount> &nutrientTable()
{
    return kTable;
}

const NutrientInfo &nutrientInfo(int index)
{
    Q_ASSERT(index >= 0 && index < kNutrientCount);
    return kTable[static_cast<size_t>(index)];
}

QString nutrientCsvName(int index)
{
    return QString::fromUtf8(nutrientInfo(index).csvName);
}

}  // namespace dalmain
