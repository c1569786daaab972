// The nutrient columns of the menu grid: the two column sets, their dialog, and the grid of an
// open menu screen following the choice.

#include "MenuScreenSupport.h"

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/screens/menu/MenuGrid.h"
#include "dalmain/screens/menu/NutrientColumnsDialog.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/shell/SystemSettingsDialog.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCheckBox>
#include <QLabel>

using namespace dalmain;
using namespace menutest;
using shelltest::buttonWithText;

namespace {

// The nutrients the display table does not mark for the normal view.
const QList<int> kUnmarked = {VitaminK, VitaminB6, VitaminB12, Folate, PantothenicAcid, SaturatedFattyAcids,
                              MonounsaturatedFattyAcids, PolyunsaturatedFattyAcids};

QMap<QString, QString> storedWithPrefix(const QString &prefix)
{
    QMap<QString, QString> values;
    for (const auto &[name, value] : quenkit::listRegistryValues(settings::kSystemSection)) {
        if (name.startsWith(prefix))
            values.insert(name, value);
    }
    return values;
}

}  // namespace

// Each set offers its own nutrients, one box each with ids from 101, and stores all of its boxes
// under its own names (the grid's column number of the nutrient) and nothing else.
TEST_F(MenuScreenTest, EachColumnSetOffersItsNutrientsAndStoresOnlyItsOwnValues)
{
    struct Case {
        MenuColumnSet set;
        int count;
        QString prefix;
        QString other;
    };
    const QList<Case> cases = {{MenuColumnSet::Normal, 37, "NormalViewFlg", "5FoodViewFlg"},
                               {MenuColumnSet::Alternative, 29, "5FoodViewFlg", "NormalViewFlg"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.count);
        for (const QString &prefix : {c.prefix, c.other}) {
            for (const QString &name : storedWithPrefix(prefix).keys())
                quenkit::DeleteRegistryString(settings::kSystemSection, name);
        }
        EXPECT_EQ(columnSetOfCount(c.count), c.set);
        NutrientColumnsDialog dialog(c.set);
        EXPECT_EQ(dialog.windowTitle(), "栄養素の設定");
        ASSERT_EQ(dialog.boxes().size(), c.count);
        for (int i = 0; i < c.count; ++i)
            EXPECT_EQ(dialog.boxes()[i]->objectName(), QString::number(101 + i));
        const QStringList firstTen = {"ｴﾈﾙｷﾞｰkcal", "ｴﾈﾙｷﾞｰKJ", "水分",       "たんぱく質", "脂質",
                                      "炭水化物",   "灰分",     "ナトリウム", "カリウム",   "カルシウム"};
        for (int n = 0; n < firstTen.size(); ++n)
            EXPECT_EQ(dialog.box(n)->text(), firstTen[n]);
        EXPECT_EQ(dialog.box(VitaminC)->text(), "ビタミンC");
        for (int n : kUnmarked)
            EXPECT_EQ(dialog.box(n) == nullptr, c.set == MenuColumnSet::Alternative) << n;

        // Before any choice: the normal set shows the marked nutrients, the alternative set all of its own.
        for (int n = 0; n < kNutrientCount; ++n) {
            if (QCheckBox *box = dialog.box(n)) {
                EXPECT_EQ(box->isChecked(), !kUnmarked.contains(n)) << n;
            }
        }
        dialog.box(Fat)->setChecked(false);
        dialog.accept();
        const QMap<QString, QString> stored = storedWithPrefix(c.prefix);
        EXPECT_EQ(stored.size(), c.count);
        EXPECT_EQ(stored.value(c.prefix + "5"), "0");          // 脂質, nutrient 4
        EXPECT_EQ(stored.value(c.prefix + "29"), "1");         // ﾋﾞﾀﾐﾝC, nutrient 28
        EXPECT_EQ(stored.value(c.prefix + "21"), c.set == MenuColumnSet::Normal ? "0" : "");  // ﾋﾞﾀﾐﾝK
        EXPECT_TRUE(storedWithPrefix(c.other).isEmpty());
        EXPECT_FALSE(columnShown(c.set, Fat));
        EXPECT_FALSE(columnShown(MenuColumnSet::Alternative, VitaminK));
    }
}

TEST_F(MenuScreenTest, CancelledColumnChoiceStoresNothing)
{
    NutrientColumnsDialog dialog(MenuColumnSet::Normal);
    dialog.show();
    dialog.box(Water)->setChecked(false);
    QTest::mouseClick(buttonWithText(&dialog, "キャンセル"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(storedWithPrefix("NormalViewFlg").isEmpty());
    EXPECT_FALSE(screen->grid()->isColumnHidden(kFirstNutrientColumn + Water));
}

// "献立記録の栄養素設定" of the system settings: the columns chosen there are what the open
// menu screen's grid shows at once, with the column counter following.
TEST_F(MenuScreenTest, ColumnsChosenInTheSystemSettingsAreShownByTheOpenGrid)
{
    MenuGrid *grid = screen->grid();
    const int shownBefore = kNutrientCount - kUnmarked.size();
    EXPECT_TRUE(screen->positionText().endsWith(QString::asprintf("/%3d", shownBefore + 2)));
    ASSERT_FALSE(grid->isColumnHidden(kFirstNutrientColumn + Fat));
    ASSERT_TRUE(grid->isColumnHidden(kFirstNutrientColumn + VitaminK));

    SystemSettingsDialog settingsDialog(&owner);
    int boxes = 0;
    whenDialog(QStringLiteral("IDD_SET_EIYOUSO2"), [&](QWidget *d) {
        auto *dialog = qobject_cast<NutrientColumnsDialog *>(d);
        ASSERT_NE(dialog, nullptr);
        boxes = dialog->boxes().size();
        QTest::mouseClick(dialog->box(Fat), Qt::LeftButton, {}, QPoint(6, dialog->box(Fat)->height() / 2));
        QTest::mouseClick(dialog->box(VitaminK), Qt::LeftButton, {}, QPoint(6, dialog->box(VitaminK)->height() / 2));
        click(dialog, "ok");
    });
    QTest::mouseClick(settingsDialog.columnsButton(), Qt::LeftButton);
    EXPECT_EQ(boxes, kNutrientCount);
    EXPECT_TRUE(grid->isColumnHidden(kFirstNutrientColumn + Fat));
    EXPECT_FALSE(grid->isColumnHidden(kFirstNutrientColumn + VitaminK));
    EXPECT_TRUE(screen->positionText().endsWith(QString::asprintf("/%3d", shownBefore + 2)));
    EXPECT_EQ(system("NormalViewFlg5"), "0");
    EXPECT_EQ(system("NormalViewFlg21"), "1");

    // A screen created later reads the same choice.
    createScreen();
    EXPECT_TRUE(screen->grid()->isColumnHidden(kFirstNutrientColumn + Fat));
    EXPECT_FALSE(screen->grid()->isColumnHidden(kFirstNutrientColumn + VitaminK));
}

// The settings' OK tells the open screen: the waste-rate note follows the new choice.
TEST_F(MenuScreenTest, StoredSystemSettingsAreShownByTheOpenScreen)
{
    auto *note = child<QLabel>(screen.get(), "wasteNote");
    ASSERT_EQ(note->text(), "※廃棄率計算あり");
    quenkit::SetUserRegistryString(settings::kDataDir2, QDir::toNativeSeparators(folders.dataDir() + "/"));
    SystemSettingsDialog dialog(&owner);
    dialog.checkBox(305)->setChecked(false);
    dialog.okButton()->click();
    EXPECT_TRUE(owner.messages().isEmpty()) << owner.texts().join('|').toStdString();
    EXPECT_EQ(note->text(), "※廃棄率計算なし");
}
