#include "dalmain/screens/menu/NutrientColumnsDialog.h"

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/master/Nutrients.h"
#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/shell/ShellSettings.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace dalmain {

namespace {

constexpr int kFirstBoxId = 101;
constexpr int kBoxesPerColumn = 10;

}  // namespace

MenuColumnSet columnSetOfCount(int columns)
{
    return columns == kAlternativeColumnCount ? MenuColumnSet::Alternative : MenuColumnSet::Normal;
}

int columnCount(MenuColumnSet set)
{
    return set == MenuColumnSet::Alternative ? kAlternativeColumnCount : kNormalColumnCount;
}

QList<int> columnSetNutrients(MenuColumnSet set)
{
    QList<int> nutrients;
    for (int n = 0; n < kNutrientCount; ++n) {
        if (set == MenuColumnSet::Normal || nutrientDisplayRow(n).normalView)
            nutrients.append(n);
    }
    return nutrients;
}

QString columnSettingName(MenuColumnSet set, int nutrient)
{
    const QString pattern =
        set == MenuColumnSet::Alternative ? QStringLiteral("5FoodViewFlg%1") : QStringLiteral("NormalViewFlg%1");
    return pattern.arg(nutrient + 1);
}

bool columnShown(MenuColumnSet set, int nutrient)
{
    if (nutrient < 0 || nutrient >= kNutrientCount)
        return false;
    const bool marked = nutrientDisplayRow(nutrient).normalView;
    if (set == MenuColumnSet::Alternative && !marked)
        return false;
    const int byDefault = set == MenuColumnSet::Normal ? (marked ? 1 : 0) : 1;
    return quenkit::GetRegistryInt(settings::kSystemSection, columnSettingName(set, nutrient), byDefault) != 0;
}

MenuColumnSet menuColumnSet()
{
    return MenuColumnSet::Normal;
}

QString columnBoxLabel(int nutrient)
{
    switch (nutrient) {
    case EnergyKcal: return QStringLiteral("ｴﾈﾙｷﾞｰkcal");
    case EnergyKj: return QStringLiteral("ｴﾈﾙｷﾞｰKJ");
    default: break;
    }
    const QString name = nutrientDisplayName(nutrient);
    // The minerals and vitamins are written in full-width kana, as the rest of the dialog's
    // Japanese; compatibility folding turns only the half-width kana into full-width ones.
    return nutrient < Sodium ? name : name.normalized(QString::NormalizationForm_KC);
}

NutrientColumnsDialog::NutrientColumnsDialog(MenuColumnSet set, QWidget *parent)
    : QDialog(parent)
    , m_set(set)
    , m_nutrients(columnSetNutrients(set))
{
    setObjectName(QStringLiteral("IDD_SET_EIYOUSO2"));
    setWindowTitle(QStringLiteral("栄養素の設定"));

    auto *group = new QGroupBox(QStringLiteral("献立記録に表示する栄養素"), this);
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(18);
    for (int i = 0; i < m_nutrients.size(); ++i) {
        const int n = m_nutrients[i];
        auto *box = new QCheckBox(columnBoxLabel(n), group);
        box->setObjectName(QString::number(kFirstBoxId + i));
        box->setChecked(columnShown(set, n));
        grid->addWidget(box, i % kBoxesPerColumn, i / kBoxesPerColumn);
        m_boxes.append(box);
    }

    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &NutrientColumnsDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(okCancelRow(this, ok));
}

QCheckBox *NutrientColumnsDialog::box(int nutrient) const
{
    const qsizetype i = m_nutrients.indexOf(nutrient);
    return i < 0 ? nullptr : m_boxes[i];
}

void NutrientColumnsDialog::accept()
{
    for (int i = 0; i < m_nutrients.size(); ++i) {
        quenkit::SetRegistryString(settings::kSystemSection, columnSettingName(m_set, m_nutrients[i]),
                                   m_boxes[i]->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    }
    QDialog::accept();
    emit settings::settingsNotifier().systemSettingsChanged();
}

}  // namespace dalmain
