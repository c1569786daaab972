#pragma once

#include "dalmain/master/FoodTable.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace quenkit {
class NumEdit;
class Owner;
}

namespace dalmain {

// The conditions of the food search: a keyword, a food group and a nutrient condition, which
// a food must all meet.
struct FoodSearchConditions {
    QString keyword;
    int group = 0;  // 1-18; 0 for any
    NutrientCondition nutrient;
};

// The foods that meet every condition, in food-number order; nothing when no condition is
// given. false in *ok when the food table cannot be searched.
QList<FoodRecord> searchFoods(const FoodSearchConditions &conditions, bool *ok = nullptr);

// The comparisons of the dialog's list, in its order, as NutrientCondition::comparison.
inline constexpr int kEqualComparison = 3;
inline constexpr int kAtMostComparison = 2;
inline constexpr int kAtLeastComparison = 1;

// The food search "食品の検索": keyword, nutrient condition and the 18 group buttons, the
// result list (updated as the user types) and the composition of the chosen food. The
// conditions per nutrient and the keyword history are kept in the settings; the letter tells
// the users of the dialog apart ('M' the menu screen).
class FoodSearchDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FoodSearchDialog(quenkit::Owner *owner, QChar settingsLetter = QLatin1Char('M'), QWidget *parent = nullptr);

    // The food taken with "選択", or 0.
    quint32 chosenFood() const { return m_chosen; }
    // The food numbers listed now.
    QList<quint32> listedFoods() const;
    // The picture shown for the current food, empty when none is shown.
    QString shownPicturePath() const;
    FoodSearchConditions conditions() const;

    void search();
    void accept() override;

private:
    void groupClicked(int group);
    void nutrientChosen();
    void keepCondition();
    void showComposition();
    void rememberKeyword();
    void showPicture(int row);
    void showEnlargedPicture();

    quenkit::Owner *m_owner;
    QChar m_letter;
    QComboBox *m_keyword;
    QComboBox *m_nutrient;
    quenkit::NumEdit *m_value;
    QComboBox *m_comparison;
    QList<QPushButton *> m_groups;
    QListWidget *m_results;
    QLabel *m_photo;
    QPushButton *m_enlarge = nullptr;
    QCheckBox *m_keepResults;
    int m_group = 0;
    bool m_showPictures = true;
    quint32 m_chosen = 0;
    QList<FoodRecord> m_found;
};

// The composition of one food per 100 g.
class FoodCompositionDialog : public QDialog
{
    Q_OBJECT
public:
    FoodCompositionDialog(const FoodRecord &food, QWidget *parent = nullptr);
};

}  // namespace dalmain
