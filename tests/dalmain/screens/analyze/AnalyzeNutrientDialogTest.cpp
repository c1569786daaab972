// The nutrient selection of the analysis: the boxes and their labels, the presets, the refusal
// of a selection that judges nothing, and what OK stores.

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/screens/analyze/AnalyzeNutrientDialog.h"
#include "dalmain/shell/ShellSettings.h"

#include "quenkit/registry/SettingsStore.h"

#include "DialogDriving.h"
#include "ShellTestSupport.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace dalmain;
using namespace shelltest;

namespace {

class AnalyzeNutrientDialogTest : public ShellTest
{
protected:
    AnalyzeNutrientDialogTest()
    {
        // A reference for energy (a range), protein (lower), calcium (lower) and salt (upper only).
        standard[EnergyKcal] = {1800, 2200};
        standard[Protein] = {50, 0};
        standard[Calcium] = {650, 0};
        standard[SaltEquivalent] = {0, 7.5};
    }

    void open()
    {
        dialog = std::make_unique<AnalyzeNutrientDialog>(&owner, standard);
        dialog->show();
        dialog->activateWindow();
        settle();
    }

    // The boxes checked, as nutrient indexes.
    QList<int> checkedBoxes() const
    {
        QList<int> on;
        for (int n = 0; n < kNutrientCount; ++n) {
            if (dialog->box(n)->isChecked())
                on.append(n);
        }
        return on;
    }

    // Chooses a preset with the keyboard, as a person does: the box steps with Left and Right.
    void choosePreset(int index)
    {
        QComboBox *combo = dialog->presetBox();
        combo->setFocus();
        for (int steps = 0; steps < 3 && combo->currentIndex() != index; ++steps)
            QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Right : Qt::Key_Left);
        ASSERT_EQ(combo->currentIndex(), index);
    }

    static QString stored(const QString &name)
    {
        QString value;
        const QString none = QStringLiteral("-");
        quenkit::GetRegistryString(settings::kAnalyzeSection, name, &none, value);
        return value;
    }

    static void setStored(const QString &section, const QString &name, const char *value)
    {
        ASSERT_EQ(quenkit::SetRegistryString(section, name, QString::fromLatin1(value)), 1);
    }

    IntakeStandard standard;
    std::unique_ptr<AnalyzeNutrientDialog> dialog;
};

const QList<int> kWithReference = {EnergyKcal, Protein, Calcium, SaltEquivalent};

QList<int> everyNutrient()
{
    QList<int> all;
    for (int n = 0; n < kNutrientCount; ++n)
        all.append(n);
    return all;
}

TEST_F(AnalyzeNutrientDialogTest, BoxesLabelsPresetsAndNote)
{
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("栄養素の選択"));
    EXPECT_EQ(dialog->objectName(), QStringLiteral("IDD_SET_ALZEIYOUSO2"));
    const QList<QPair<int, QString>> labels = {
        {EnergyKcal, QStringLiteral("ｴﾈﾙｷﾞｰkcal")}, {EnergyKj, QStringLiteral("ｴﾈﾙｷﾞｰKJ")},
        {Water, QStringLiteral("水分")},             {Protein, QStringLiteral("たんぱく質")},
        {TotalFiber, QStringLiteral("食物繊維")},     {SaltEquivalent, QStringLiteral("食塩相当量")}};
    for (const auto &[n, label] : labels)
        EXPECT_EQ(dialog->box(n)->text(), label) << n;
    for (int n = 0; n < kNutrientCount; ++n) {
        EXPECT_EQ(dialog->box(n)->objectName(), QString::number(101 + n));
        if (n > EnergyKj) {
            EXPECT_EQ(dialog->box(n)->text(), nutrientDisplayName(n)) << n;
        }
    }
    QComboBox *preset = dialog->presetBox();
    ASSERT_EQ(preset->count(), 3);
    EXPECT_EQ(preset->itemText(0), QStringLiteral("全ての栄養素を選択する"));
    EXPECT_EQ(preset->itemText(1), QStringLiteral("基準値が設定されている栄養素を選択する"));
    EXPECT_EQ(preset->itemText(2), QStringLiteral("献立で設定されている栄養素を選択する"));
    EXPECT_EQ(child<QLabel>(dialog.get(), "note")->text(), QStringLiteral("栄養ﾊﾞﾗﾝｽ･ﾚｰﾀﾞｰﾁｬｰﾄに反映されます。"));

    // Nothing stored: every nutrient selected, preset 1, so the boxes of those with a reference.
    EXPECT_EQ(preset->currentIndex(), 1);
    EXPECT_EQ(checkedBoxes(), kWithReference);
    QDir().mkpath(QStringLiteral(ANALYZE_PNG_DIR));
    EXPECT_TRUE(dialog->grab().save(QStringLiteral(ANALYZE_PNG_DIR "/analyze-nutrients.png")));
}

TEST_F(AnalyzeNutrientDialogTest, ChoosingAPresetChecksExactlyItsNutrients)
{
    // The menu screen's setting hides water and calcium.
    setStored(settings::kSystemSection, QStringLiteral("5FoodViewFlg3"), "0");
    setStored(settings::kSystemSection, QStringLiteral("5FoodViewFlg10"), "0");
    QList<int> onMenu = everyNutrient();
    onMenu.removeOne(Water);
    onMenu.removeOne(Calcium);

    open();
    dialog->box(Protein)->setChecked(false);
    const struct {
        int preset;
        QList<int> checked;
    } cases[] = {{0, everyNutrient()}, {2, onMenu}, {1, kWithReference}, {0, everyNutrient()}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.preset);
        choosePreset(c.preset);
        EXPECT_EQ(checkedBoxes(), c.checked);
    }
    // Choosing the preset shown again checks its nutrients anew.
    dialog->box(Water)->setChecked(false);
    dialog->presetBox()->showPopup();
    settle();
    QTest::keyClick(dialog->presetBox()->view(), Qt::Key_Return);
    EXPECT_EQ(checkedBoxes(), everyNutrient());
}

TEST_F(AnalyzeNutrientDialogTest, OpensWithTheStoredSelectionNarrowedByThePreset)
{
    // Stored: every nutrient but kcal; preset 2, with calcium hidden on the menu screen.
    setStored(settings::kAnalyzeSection, QStringLiteral("Eiyouso2_1"), "0");
    setStored(settings::kAnalyzeSection, QStringLiteral("SelectEiyouso"), "2");
    setStored(settings::kSystemSection, QStringLiteral("5FoodViewFlg10"), "0");
    open();
    EXPECT_EQ(dialog->presetBox()->currentIndex(), 2);
    QList<int> expected = everyNutrient();
    expected.removeOne(EnergyKcal);
    expected.removeOne(Calcium);
    EXPECT_EQ(checkedBoxes(), expected);

    // Preset 0 narrows nothing.
    setStored(settings::kAnalyzeSection, QStringLiteral("SelectEiyouso"), "0");
    open();
    expected.append(Calcium);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(checkedBoxes(), expected);
}

TEST_F(AnalyzeNutrientDialogTest, RefusesASelectionWithoutAReferenceAndStoresNothing)
{
    open();
    choosePreset(0);
    // Every box of a nutrient with a reference cleared; the others stay checked.
    for (int n : kWithReference)
        QTest::mouseClick(dialog->box(n), Qt::LeftButton);
    ASSERT_EQ(checkedBoxes().size(), kNutrientCount - kWithReference.size());
    QTest::mouseClick(child<QPushButton>(dialog.get(), "ok"), Qt::LeftButton);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages().front().caption, QStringLiteral("栄養素の選択"));
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("１つ以上の栄養素を選択してください。")});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(stored(QStringLiteral("Eiyouso2_2")), QStringLiteral("-"));
    EXPECT_EQ(stored(QStringLiteral("SelectEiyouso")), QStringLiteral("-"));

    // Clearing every box is refused the same way.
    for (int n = 0; n < kNutrientCount; ++n)
        dialog->box(n)->setChecked(false);
    owner.clear();
    QTest::mouseClick(child<QPushButton>(dialog.get(), "ok"), Qt::LeftButton);
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("１つ以上の栄養素を選択してください。")});
    EXPECT_TRUE(dialog->isVisible());

    // One nutrient with a reference is enough: salt, which has an upper bound alone.
    dialog->box(SaltEquivalent)->setChecked(true);
    owner.clear();
    QTest::mouseClick(child<QPushButton>(dialog.get(), "ok"), Qt::LeftButton);
    EXPECT_TRUE(owner.messages().isEmpty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(AnalyzeNutrientDialogTest, OkStoresEveryBoxAndThePreset)
{
    open();
    choosePreset(2);
    dialog->box(Water)->setChecked(false);
    dialog->box(Copper)->setChecked(false);
    QTest::mouseClick(child<QPushButton>(dialog.get(), "ok"), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    for (int n = 0; n < kNutrientCount; ++n) {
        const bool off = n == Water || n == Copper;
        EXPECT_EQ(stored(QStringLiteral("Eiyouso2_%1").arg(n + 1)), off ? QStringLiteral("0") : QStringLiteral("1")) << n;
    }
    EXPECT_EQ(stored(QStringLiteral("SelectEiyouso")), QStringLiteral("2"));
    NutrientFlags expected{};
    expected.fill(true);
    expected[Water] = expected[Copper] = false;
    EXPECT_EQ(readNutrientSelection(), expected);

    // キャンセル stores nothing.
    open();
    choosePreset(1);
    QTest::mouseClick(child<QPushButton>(dialog.get(), "cancel"), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(stored(QStringLiteral("SelectEiyouso")), QStringLiteral("2"));
    EXPECT_EQ(readNutrientSelection(), expected);
}

}  // namespace
