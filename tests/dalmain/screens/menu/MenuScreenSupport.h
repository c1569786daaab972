#pragma once

// The menu screen under test: the shell's test set-up with a small food table, one stored dish
// and a user opened, and helpers to drive the screen's modal dialogs by their names.

#include "DialogDriving.h"
#include "ShellTestSupport.h"

#include "dalmain/master/DishTable.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/screens/menu/Menu.h"
#include "dalmain/userdata/UserSession.h"
#include "quenkit/text/ShiftJis.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace menutest {

inline dalmain::FoodRecord foodRecord(quint32 number, int group, const char *name, double kcal, double protein,
                                      double wasteRatio = 0, const char *keyword = "")
{
    dalmain::FoodRecord f;
    f.number = number;
    f.group = group;
    f.name = quenkit::toSjis(QString::fromUtf8(name));
    f.keywords[0] = quenkit::toSjis(QString::fromUtf8(keyword));
    f.nutrients[dalmain::EnergyKcal] = kcal;
    f.nutrients[dalmain::Protein] = protein;
    f.nutrients[dalmain::Fat] = protein / 3;
    f.nutrients[dalmain::Calcium] = kcal / 10;
    f.wasteRatio = wasteRatio;
    return f;
}

// The foods of the tests: rice (found as "ごはん"), raw rice, radish, egg and horse mackerel.
inline QList<dalmain::FoodRecord> testFoods()
{
    return {foodRecord(12, 1, "こめ 精白米", 358, 6.1), foodRecord(88, 1, "こめ 水稲めし 精白米", 168, 2.5, 0, "ごはん"),
            foodRecord(300, 6, "だいこん 根 生", 18, 0.5, 10), foodRecord(1500, 12, "鶏卵 全卵 生", 151, 12.3, 15),
            foodRecord(900, 10, "あじ 生", 126, 20.7, 55)};
}

inline const QString kUserName = QStringLiteral("山田花子");
inline const QString kDishName = QStringLiteral("卵かけご飯");

class MenuScreenTest : public shelltest::ShellTest
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_EQ(dalmain::writeFoodTable(folders.dataFile(QStringLiteral("食品.FDB")), testFoods(), nullptr, &error), 1)
            << error.toStdString();
        ASSERT_EQ(dalmain::RebuildFoodIndex(nullptr), 1);
        ASSERT_TRUE(dalmain::ensureDishTables());
        dalmain::DishForm form;
        form.name = kDishName;
        form.category = QStringLiteral("和食");
        form.keywords[0] = QStringLiteral("たまご");
        const QList<dalmain::DishEntry> entries = {
            dalmain::DishEntry::header(quenkit::toSjis(kDishName)), dalmain::DishEntry::foodEntry(88, 1500),
            dalmain::DishEntry::foodEntry(1500, 500)};
        ASSERT_EQ(dalmain::SaveDish(nullptr, form, entries).result, dalmain::DishSaveResult::Added);

        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
        const testsupport::CliResult added = cli(
            {QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("--name"), kUserName, QStringLiteral("--reading"),
             QStringLiteral("ﾊﾅｺ"), QStringLiteral("--age"), QStringLiteral("30"), QStringLiteral("--sex"),
             QStringLiteral("female"), QStringLiteral("--height"), QStringLiteral("158"), QStringLiteral("--activity"),
             QStringLiteral("1"), QStringLiteral("--weight"), QStringLiteral("52.5")});
        ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
        ASSERT_EQ(dalmain::LoadReferenceIntakes(&owner, dalmain::referenceIntakes()), dalmain::IntakeLoad::Loaded);
        ASSERT_TRUE(dalmain::openUserSession().open(&owner, kUserName));
        createScreen();
    }
    void TearDown() override
    {
        screen.reset();
        dalmain::openUserSession().clear();
    }

    void createScreen()
    {
        screen = std::make_unique<dalmain::Menu>(dalmain::ScreenContext{nullptr, &owner});
        screen->resize(1280, 760);
        screen->show();
        screen->activateWindow();
        settle();
    }



    // The rows of a meal as "name grams" lines, dish rows as "[name]".
    QStringList mealLines(int meal) const
    {
        QStringList lines;
        for (const dalmain::GridRow &r : screen->day().rows(meal))
            lines.append(r.isDish() ? QStringLiteral("[%1]").arg(r.row.dishName)
                                    : QStringLiteral("%1 %2").arg(r.row.food).arg(r.row.grams, 0, 'f', 1));
        return lines;
    }

    std::unique_ptr<dalmain::Menu> screen;
};

using shelltest::child;
using shelltest::click;
using shelltest::type;
using shelltest::typeText;
using shelltest::whenDialog;

// Cancels the food input dialog that the food input offers again after each food.
inline void cancelNextFoodInput()
{
    whenDialog(QStringLiteral("IDD_MENU_SYOKUHININP"), [](QWidget *d) { QTest::keyClick(d, Qt::Key_Escape); });
}

// Enters one food by its number in the food input dialog.
inline void enterFoodByNumber(int number, const QString &grams, std::function<void()> then)
{
    whenDialog(QStringLiteral("IDD_MENU_SYOKUHININP"), [number, grams, then](QWidget *d) {
        type(d, "foodNumber", QString::number(number));
        type(d, "amount", grams);
        then();
        click(d, "ok");
    });
}

}  // namespace menutest
