#include "dalmain/screens/analyze/AnalyzeNutrientDialog.h"

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/screens/menu/NutrientColumnsDialog.h"
#include "dalmain/shell/ShellSettings.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace dalmain {

namespace {

const QString kCaption = QStringLiteral("栄養素の選択");
const QString kPresetValue = QStringLiteral("SelectEiyouso");
constexpr int kFirstBoxId = 101;
constexpr int kBoxesPerColumn = 10;

}  // namespace

NutrientPreset readNutrientPreset()
{
    const int stored = quenkit::GetRegistryInt(settings::kAnalyzeSection, kPresetValue, 1);
    return static_cast<NutrientPreset>(qBound(0, stored, 2));
}

NutrientFlags presetNutrients(NutrientPreset preset, const IntakeStandard &standard)
{
    NutrientFlags flags{};
    for (int n = 0; n < kNutrientCount; ++n) {
        bool on = true;
        if (preset == NutrientPreset::WithReference)
            on = standard[n].isSet();
        else if (preset == NutrientPreset::OnMenuScreen)
            on = quenkit::GetRegistryInt(settings::kSystemSection,
                                         columnSettingName(MenuColumnSet::Alternative, n), 1) != 0;
        flags[static_cast<size_t>(n)] = on;
    }
    return flags;
}

QString nutrientChoiceLabel(int nutrient)
{
    // The two energies are told apart by their units; the menu screen's setting names them so.
    return nutrient <= EnergyKj ? columnBoxLabel(nutrient) : nutrientDisplayName(nutrient);
}

AnalyzeNutrientDialog::AnalyzeNutrientDialog(quenkit::Owner *owner, const IntakeStandard &standard, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_standard(standard)
    , m_preset(new quenkit::ComboBox2(this))
{
    setObjectName(QStringLiteral("IDD_SET_ALZEIYOUSO2"));
    setWindowTitle(kCaption);

    const NutrientPreset preset = readNutrientPreset();
    const NutrientFlags stored = readNutrientSelection();
    const NutrientFlags allowed = presetNutrients(preset, standard);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    for (int n = 0; n < kNutrientCount; ++n) {
        auto *box = new QCheckBox(nutrientChoiceLabel(n), this);
        box->setObjectName(QString::number(kFirstBoxId + n));
        box->setChecked(stored[static_cast<size_t>(n)] && allowed[static_cast<size_t>(n)]);
        grid->addWidget(box, n % kBoxesPerColumn, n / kBoxesPerColumn);
        m_boxes.append(box);
    }

    m_preset->setObjectName(QStringLiteral("preset"));
    m_preset->addItems({QStringLiteral("全ての栄養素を選択する"), QStringLiteral("基準値が設定されている栄養素を選択する"),
                        QStringLiteral("献立で設定されている栄養素を選択する")});
    m_preset->setCurrentIndex(static_cast<int>(preset));
    auto *note = new QLabel(QStringLiteral("栄養ﾊﾞﾗﾝｽ･ﾚｰﾀﾞｰﾁｬｰﾄに反映されます。"), this);
    note->setObjectName(QStringLiteral("note"));

    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_preset);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addLayout(okCancelRow(this, ok));

    // Choosing a preset, even the one shown, checks exactly its nutrients.
    connect(m_preset, &QComboBox::activated, this, &AnalyzeNutrientDialog::applyPreset);
    connect(ok, &QPushButton::clicked, this, &AnalyzeNutrientDialog::accept);
}

void AnalyzeNutrientDialog::applyPreset(int index)
{
    const NutrientFlags flags = presetNutrients(static_cast<NutrientPreset>(qBound(0, index, 2)), m_standard);
    for (int n = 0; n < kNutrientCount; ++n)
        m_boxes[n]->setChecked(flags[static_cast<size_t>(n)]);
}

NutrientFlags AnalyzeNutrientDialog::checked() const
{
    NutrientFlags flags{};
    for (int n = 0; n < kNutrientCount; ++n)
        flags[static_cast<size_t>(n)] = m_boxes[n]->isChecked();
    return flags;
}

void AnalyzeNutrientDialog::accept()
{
    const NutrientFlags chosen = checked();
    // Nothing could be judged or charted without a nutrient that has a reference.
    bool judged = false;
    for (int n = 0; n < kNutrientCount; ++n)
        judged = judged || (chosen[static_cast<size_t>(n)] && m_standard[n].isSet());
    if (!judged) {
        quenkit::inform(m_owner, kCaption, QStringLiteral("１つ以上の栄養素を選択してください。"));
        return;
    }
    if (!writeNutrientSelection(chosen) ||
        quenkit::SetRegistryInt(settings::kAnalyzeSection, kPresetValue, m_preset->currentIndex()) != 1) {
        quenkit::inform(m_owner, kCaption, QStringLiteral("栄養素の選択を保存できませんでした。"), quenkit::Icon::Warning);
        return;
    }
    QDialog::accept();
}

}  // namespace dalmain
