// The menu screen walked as a user walks it: meals chosen with the buttons, foods searched and
// entered, a dish loaded at a scale, amounts converted, the day saved and found again by the
// screen and by the command-line tool.

#include "MenuScreenSupport.h"

#include "dalmain/screens/menu/ConvertDialog.h"
#include "dalmain/screens/menu/FoodSearchDialog.h"
#include "dalmain/screens/menu/MenuGrid.h"
#include "dalmain/screens/menu/MenuPanel.h"
#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/userdata/DayMenuFile.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

using namespace menutest;
namespace cmd = dalmain::cmd;

namespace {

// The intake column of "dalmora analyze --all-nutrients" by nutrient display name and unit
// ("ｴﾈﾙｷﾞｰ kcal").
QMap<QString, double> analysedIntakes(const QString &out)
{
    QMap<QString, double> intakes;
    for (const QString &line : out.split(QLatin1Char('\n'))) {
        const QByteArray bytes = quenkit::toSjis(line.trimmed().isEmpty() ? QString() : line);
        if (bytes.size() < 50)
            continue;
        const QString name = quenkit::fromSjis(bytes.left(12)).trimmed() + QLatin1Char(' ') +
                             quenkit::fromSjis(bytes.mid(13, 4)).trimmed();
        bool ok = false;
        const double value = quenkit::fromSjis(bytes.mid(40, 10)).trimmed().toDouble(&ok);
        if (ok)
            intakes.insert(name, value);
    }
    return intakes;
}

}  // namespace

TEST_F(MenuScreenTest, ADayEnteredAsAUserDoesIsStoredAndReadBackEverywhere)
{
    // 朝食: search "ごはん", take it with 150 g, then the offered next food is cancelled.
    QTest::mouseClick(child(screen.get(), "IDB_MENU_SEL_BF"), Qt::LeftButton);
    EXPECT_EQ(screen->meal(), dalmain::Breakfast);
    QStringList listed;
    whenDialog(QStringLiteral("IDD_MENU_SYOKUHININP"), [&listed](QWidget *input) {
        whenDialog(QStringLiteral("IDD_FOODSEARCHDIALOG"), [&listed](QWidget *search) {
            auto *keyword = search->findChild<QComboBox *>(QStringLiteral("keyword"));
            ASSERT_NE(keyword, nullptr);
            typeText(keyword->lineEdit(), QStringLiteral("ごはん"));
            // The list follows the typing; no search button needed.
            auto *results = search->findChild<QListWidget *>(QStringLiteral("results"));
            for (int i = 0; i < results->count(); ++i)
                listed.append(results->item(i)->text());
            click(search, "take");
        });
        click(input, "searchFood");
        type(input, "amount", QStringLiteral("150"));
        cancelNextFoodInput();
        click(input, "ok");
    });
    screen->runCommand(cmd::FoodInput);
    EXPECT_EQ(listed, QStringList{QStringLiteral("   88  こめ 水稲めし 精白米")});
    EXPECT_EQ(mealLines(dalmain::Breakfast), QStringList{QStringLiteral("88 150.0")});

    // The stored dish at 150 %, below the rice.
    whenDialog(QStringLiteral("IDD_SEARCH_COOK_DIALOG"), [](QWidget *d) {
        type(d, "keyword", QStringLiteral("たまご"));
        auto *scale = d->findChild<QLineEdit *>(QStringLiteral("scale"));
        scale->setFocus();
        scale->selectAll();
        QTest::keyClicks(scale, QStringLiteral("150"));
        click(d, "ok");
    });
    screen->runCommand(cmd::DishInput);
    EXPECT_EQ(mealLines(dalmain::Breakfast),
              (QStringList{QStringLiteral("88 150.0"), QStringLiteral("[卵かけご飯]"), QStringLiteral("88 225.0"),
                           QStringLiteral("1500 75.0")}));

    // 夕食 from the menu command: two foods by number, then both converted by 1.5.
    screen->runCommand(cmd::Dinner);
    EXPECT_TRUE(child<QPushButton>(screen.get(), "IDB_MENU_SEL_S")->isChecked());
    EXPECT_TRUE(screen->commandChecked(cmd::Dinner));
    enterFoodByNumber(12, QStringLiteral("80"), [] {
        enterFoodByNumber(300, QStringLiteral("100"), [] { cancelNextFoodInput(); });
    });
    screen->runCommand(cmd::FoodInput);
    ASSERT_EQ(mealLines(dalmain::Dinner), (QStringList{QStringLiteral("12 80.0"), QStringLiteral("300 100.0")}));
    screen->grid()->setFocus();
    QTest::keyClick(screen->grid(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(screen->grid(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(screen->menuEditState().selectedRows, 2);
    whenDialog(QStringLiteral("IDD_MENU_CONVERT"), [](QWidget *d) {
        type(d, "ratio", QStringLiteral("1.5"));
        click(d, "ok");
    });
    screen->runCommand(cmd::ConvertAmount);
    EXPECT_EQ(mealLines(dalmain::Dinner), (QStringList{QStringLiteral("12 120.0"), QStringLiteral("300 150.0")}));

    // Saving asks first.
    owner.clear();
    screen->runCommand(cmd::SaveMenu);
    ASSERT_EQ(owner.texts(), QStringList{QStringLiteral("編集中の献立を保存します。\nよろしいですか？")});
    EXPECT_FALSE(screen->isDirty());
    const dalmain::DayTotals totals = screen->totals();
    QStringList panelIntakes;
    for (int n = 0; n < dalmain::kNutrientCount; ++n)
        panelIntakes.append(screen->panel()->intakeText(n));

    // The screen made again shows the day.
    screen.reset();
    createScreen();
    EXPECT_EQ(screen->date(), QDate(2024, 5, 10));
    EXPECT_EQ(screen->meal(), dalmain::Dinner) << "ViewKubun";
    EXPECT_EQ(mealLines(dalmain::Dinner), (QStringList{QStringLiteral("12 120.0"), QStringLiteral("300 150.0")}));
    EXPECT_EQ(mealLines(dalmain::Breakfast).size(), 4);
    for (int n = 0; n < dalmain::kNutrientCount; ++n)
        EXPECT_EQ(screen->panel()->intakeText(n), panelIntakes[n]) << n;

    // The tool reads the same rows...
    const testsupport::CliResult shown = cli({QStringLiteral("menu"), QStringLiteral("show"), kUserName,
                                              QStringLiteral("2024-05-10")});
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    for (const char *line : {"  88\tこめ 水稲めし 精白米\t150.0 g", "  [卵かけご飯]", "    88\tこめ 水稲めし 精白米\t225.0 g",
                             "    1500\t鶏卵 全卵 生\t75.0 g", "  12\tこめ 精白米\t120.0 g", "  300\tだいこん 根 生\t150.0 g"})
        EXPECT_TRUE(shown.out.contains(QString::fromUtf8(line))) << line << "\n" << shown.out.toStdString();
    EXPECT_TRUE(shown.out.contains(screen->counterText())) << screen->counterText().toStdString();

    // ... and analyses the day to the panel's totals.
    const testsupport::CliResult analysed = cli({QStringLiteral("analyze"), kUserName, QStringLiteral("--day"),
                                                 QStringLiteral("2024-05-10"), QStringLiteral("--all-nutrients")});
    ASSERT_EQ(analysed.exitCode, 0) << analysed.err.toStdString();
    const QMap<QString, double> intakes = analysedIntakes(analysed.out);
    ASSERT_FALSE(intakes.isEmpty()) << analysed.out.toStdString();
    for (int n : {dalmain::EnergyKcal, dalmain::Protein, dalmain::Fat, dalmain::Calcium}) {
        const QString name = dalmain::nutrientDisplayName(n) + QLatin1Char(' ') + dalmain::nutrientDisplayUnit(n);
        ASSERT_TRUE(intakes.contains(name)) << name.toStdString();
        EXPECT_DOUBLE_EQ(intakes.value(name), screen->panel()->intakeText(n).toDouble()) << name.toStdString();
        EXPECT_GT(totals[dalmain::kDayRow][n], 0.0);
    }
}
