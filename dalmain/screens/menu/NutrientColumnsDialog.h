#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;

// Which nutrient columns the menu grid shows. There are two column sets, each with its own
// per-user values in "Dalmora System": the normal set offers all 37 nutrients
// ("NormalViewFlg<n>"), the alternative set only the 29 the nutrient display table marks for the
// normal view ("5FoodViewFlg<n>"). n is always the grid's column number of the nutrient, its
// NutrientVector index + 1, so a value names the same nutrient in both sets.
namespace dalmain {

enum class MenuColumnSet { Normal, Alternative };

inline constexpr int kNormalColumnCount = 37;
inline constexpr int kAlternativeColumnCount = 29;

// The set of a column count as callers of the dialog pass it: 29 the alternative set, anything
// else the normal one.
MenuColumnSet columnSetOfCount(int columns);
int columnCount(MenuColumnSet set);

// The nutrients a set offers, in NutrientVector order.
QList<int> columnSetNutrients(MenuColumnSet set);
// The settings value of a nutrient's column in a set.
QString columnSettingName(MenuColumnSet set, int nutrient);
// Whether the grid shows the nutrient's column with this set. A nutrient the set does not offer
// is never shown. Before the user has chosen, the normal set shows the nutrients marked for the
// normal view and the alternative set all of its own.
bool columnShown(MenuColumnSet set, int nutrient);

// The set the menu grid uses. This program's food table always carries all 37 nutrients, so it
// is the normal set.
MenuColumnSet menuColumnSet();

// IDD_SET_EIYOUSO2, "栄養素の設定": one check box per column of a set, ids 101 upward in
// NutrientVector order. OK stores every box as "1" or "0" and tells the open screens.
class NutrientColumnsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit NutrientColumnsDialog(MenuColumnSet set, QWidget *parent = nullptr);

    MenuColumnSet columnSet() const { return m_set; }
    // The box of a nutrient, or null when the set does not offer it.
    QCheckBox *box(int nutrient) const;
    QList<QCheckBox *> boxes() const { return m_boxes; }

    void accept() override;

private:
    MenuColumnSet m_set;
    QList<int> m_nutrients;
    QList<QCheckBox *> m_boxes;
};

// The label of a nutrient's box: "ｴﾈﾙｷﾞｰkcal", "ｴﾈﾙｷﾞｰKJ", then the nutrient's name, with
// full-width kana from the minerals on.
QString columnBoxLabel(int nutrient);

}  // namespace dalmain
