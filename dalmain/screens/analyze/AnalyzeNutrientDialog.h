#pragma once

#include "dalmain/analysis/Sufficiency.h"
#include "dalmain/master/IntakeStandard.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;

namespace quenkit {
class Owner;
}

namespace dalmain {

// The presets of the nutrient selection, as stored in "SelectEiyouso".
enum class NutrientPreset : int {
    All = 0,            // 全ての栄養素を選択する
    WithReference = 1,  // 基準値が設定されている栄養素を選択する
    OnMenuScreen = 2,   // 献立で設定されている栄養素を選択する
};

// The stored preset ("SelectEiyouso" of "Dalmora Analyze", default: those with a reference).
NutrientPreset readNutrientPreset();

// The nutrients a preset checks: every one, those with a reference in standard, or those the
// menu screen's nutrient setting ("5FoodViewFlg%d" of "Dalmora System", default shown) leaves on.
NutrientFlags presetNutrients(NutrientPreset preset, const IntakeStandard &standard);

// IDD_SET_ALZEIYOUSO2, "栄養素の選択": which nutrients the analysis lists, judges and charts. 37
// check boxes (ids 101 to 137 in NutrientVector order) open with the stored selection narrowed
// by the stored preset; choosing a preset checks exactly its nutrients. OK refuses a selection
// without any nutrient that has a reference; otherwise it stores the boxes and the preset.
class AnalyzeNutrientDialog : public QDialog
{
    Q_OBJECT
public:
    AnalyzeNutrientDialog(quenkit::Owner *owner, const IntakeStandard &standard, QWidget *parent = nullptr);

    QCheckBox *box(int nutrient) const { return m_boxes.value(nutrient); }
    QComboBox *presetBox() const { return m_preset; }
    NutrientFlags checked() const;

    void accept() override;

private:
    void applyPreset(int index);

    quenkit::Owner *m_owner;
    IntakeStandard m_standard;
    QList<QCheckBox *> m_boxes;
    QComboBox *m_preset;
};

// The label of a nutrient's box: "ｴﾈﾙｷﾞｰkcal", "ｴﾈﾙｷﾞｰKJ", then the nutrient's display name.
QString nutrientChoiceLabel(int nutrient);

}  // namespace dalmain
