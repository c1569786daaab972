// The menu screen's limits and refusals with their messages, the conversion's spin button, the
// nutrient search, and the screen with a full day rendered for people to look at.

#include "MenuScreenSupport.h"

#include "dalmain/screens/menu/ConvertDialog.h"
#include "dalmain/screens/menu/FoodSearchDialog.h"
#include "dalmain/screens/menu/MenuGrid.h"
#include "dalmain/shell/CommandIds.h"

#include "dalmain/userdata/DayMenuFile.h"

#include "quenkit/files/FileLock.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QComboBox>
#include <QTableWidget>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <thread>

using namespace menutest;
namespace cmd = dalmain::cmd;

TEST_F(MenuScreenTest, TheHundredthFoodGoesInAndTheMealThenRefusesMore)
{
    for (int i = 0; i < 99; ++i)
        ASSERT_TRUE(screen->insertFood(12, 100));
    EXPECT_EQ(screen->positionText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("行:100/100"))
        << "99 rows and the empty input line";
    EXPECT_TRUE(screen->commandEnabled(cmd::FoodInput));
    ASSERT_TRUE(screen->insertFood(12, 100));
    EXPECT_EQ(screen->positionText().section(QLatin1Char('\n'), 0, 0).right(3), QStringLiteral("100"));
    EXPECT_EQ(screen->menuEditState().currentMealRows, 100);
    owner.clear();
    EXPECT_FALSE(screen->insertFood(12, 100));
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].text, QStringLiteral("各区分のデータ数は１００件までです。"));
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("献立"));
    EXPECT_EQ(owner.messages()[0].icon, quenkit::Icon::Warning);
    for (int id : {cmd::FoodInput, cmd::DishInput, cmd::DishNameInput})
        EXPECT_FALSE(screen->commandEnabled(id)) << id;
}

TEST_F(MenuScreenTest, AFoldedDishRefusesFoodsBelowItUntilUnfolded)
{
    ASSERT_TRUE(screen->loadDish(kDishName, 100));
    screen->toggleFold(0);
    EXPECT_EQ(screen->day().lineCount(dalmain::Breakfast), 2) << "the dish name and the input line";
    screen->grid()->setCurrentLine(1);
    owner.clear();
    screen->runCommand(cmd::FoodInput);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].text, QStringLiteral("折り畳まれている料理名の下には、食品を挿入できません"));
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("食品の入力"));
    EXPECT_EQ(screen->day().rowCount(dalmain::Breakfast), 3);

    // Unfolded, a food goes between the dish's foods.
    QTest::mouseClick(screen->grid()->viewport(), Qt::LeftButton, {},
                      screen->grid()->visualRect(screen->grid()->model()->index(0, dalmain::kFoldColumn)).center());
    EXPECT_FALSE(screen->day().rows(dalmain::Breakfast)[0].folded);
    screen->grid()->setCurrentLine(2);
    ASSERT_TRUE(screen->insertFood(300, 500));
    EXPECT_EQ(mealLines(dalmain::Breakfast), (QStringList{QStringLiteral("[卵かけご飯]"), QStringLiteral("88 150.0"),
                                                          QStringLiteral("300 50.0"), QStringLiteral("1500 50.0")}));
}

TEST_F(MenuScreenTest, AConversionBeyond999Point9IsRefusedAndAskedAgain)
{
    ASSERT_TRUE(screen->insertFood(12, 5000));
    ASSERT_TRUE(screen->insertFood(300, 4000));
    screen->runCommand(cmd::SelectAll);
    ASSERT_EQ(screen->menuEditState().selectedRows, 2);
    owner.clear();
    int shown = 0;
    std::function<void(QWidget *)> answer;
    answer = [&](QWidget *d) {
        ++shown;
        auto *dialog = static_cast<dalmain::ConvertDialog *>(d);
        if (shown == 1) {
            dialog->setRatioText(QStringLiteral("2.00"));
            whenDialog(QStringLiteral("IDD_MENU_CONVERT"), answer);
        } else {
            dialog->setRatioText(QStringLiteral("1.99"));
        }
        click(d, "ok");
    };
    whenDialog(QStringLiteral("IDD_MENU_CONVERT"), answer);
    screen->runCommand(cmd::ConvertAmount);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("一部の分量が999.9を超えます\n倍率を設定し直してください。")});
    EXPECT_EQ(mealLines(dalmain::Breakfast), (QStringList{QStringLiteral("12 995.0"), QStringLiteral("300 796.0")}));
}

TEST(RatioStepperTest, HoldingTheSpinButtonSpeedsUp)
{
    struct Case {
        int steps;
        double value;
    };
    // From 1.00 up: 100 steps of 0.1, then 100 of 1, then 10 until the top.
    const QList<Case> cases = {{1, 1.1}, {2, 1.2}, {100, 11.0}, {101, 12.0}, {200, 111.0 > 99.99 ? 99.99 : 111.0},
                               {210, 99.99}};
    for (const Case &c : cases) {
        dalmain::RatioStepper stepper;
        stepper.press();
        double value = 1.0;
        for (int i = 0; i < c.steps; ++i)
            value = stepper.step(value, 1);
        EXPECT_NEAR(value, c.value, 1e-9) << c.steps;
    }
    dalmain::RatioStepper stepper;
    stepper.press();
    double value = 50.0;
    for (int i = 0; i < 150; ++i)
        value = stepper.step(value, -1);
    EXPECT_NEAR(value, 0.0, 1e-9) << "never below 0";
    stepper.press();
    EXPECT_NEAR(stepper.step(5.0, 1), 5.1, 1e-9) << "a new press starts at 0.1 again";
}

TEST_F(MenuScreenTest, TheConvertDialogSpinsFromOneAndReturnsHundredths)
{
    dalmain::ConvertDialog dialog;
    EXPECT_EQ(dialog.ratioText(), QStringLiteral("1.00"));
    dialog.pressSpin(1);
    dialog.stepSpin();
    dialog.releaseSpin();
    EXPECT_EQ(dialog.ratioText(), QStringLiteral("1.20"));
    dialog.pressSpin(-1);
    dialog.releaseSpin();
    EXPECT_EQ(dialog.ratioText(), QStringLiteral("1.10"));
    dialog.accept();
    EXPECT_EQ(dialog.ratioPercent(), 110);
}

TEST_F(MenuScreenTest, TheNutrientSearchCombinesWithKeywordAndGroup)
{
    using dalmain::FoodSearchConditions;
    using dalmain::NutrientCondition;
    struct Case {
        const char *what;
        FoodSearchConditions conditions;
        QList<quint32> found;
    };
    const QList<Case> cases = {
        {"protein at least 10", {QString(), 0, NutrientCondition{dalmain::Protein, dalmain::kAtLeastComparison, 10}},
         {900, 1500}},
        {"protein at most 2.5", {QString(), 0, NutrientCondition{dalmain::Protein, dalmain::kAtMostComparison, 2.5}},
         {88, 300}},
        {"the keyword and a group", {QStringLiteral("こめ"), 1, {}}, {12, 88}},
        {"the keyword and the nutrient", {QStringLiteral("こめ"), 0, NutrientCondition{dalmain::Protein, 1, 5}}, {12}},
        {"a group alone", {QString(), 12, {}}, {1500}},
        {"nothing asked", {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QList<quint32> numbers;
        for (const dalmain::FoodRecord &f : dalmain::searchFoods(c.conditions))
            numbers.append(f.number);
        EXPECT_EQ(numbers, c.found);
    }

    // The dialog: 以上の食品 with 10 for protein, and the condition kept for the next time.
    dalmain::FoodSearchDialog dialog(&owner);
    dialog.findChild<QComboBox *>(QStringLiteral("nutrient"))->setCurrentIndex(dalmain::Protein + 1);
    dialog.findChild<QComboBox *>(QStringLiteral("comparison"))->setCurrentText(QStringLiteral("以上の食品"));
    type(&dialog, "value", QStringLiteral("10"));
    EXPECT_EQ(dialog.listedFoods(), (QList<quint32>{900, 1500}));
    dalmain::FoodSearchDialog again(&owner);
    again.findChild<QComboBox *>(QStringLiteral("nutrient"))->setCurrentIndex(dalmain::Protein + 1);
    EXPECT_EQ(again.findChild<QComboBox *>(QStringLiteral("comparison"))->currentText(), QStringLiteral("以上の食品"));
    EXPECT_EQ(again.findChild<QLineEdit *>(QStringLiteral("value"))->text().toDouble(), 10.0);
}

TEST_F(MenuScreenTest, MovingToAnotherDayStoresTheDayQuietly)
{
    ASSERT_TRUE(screen->insertFood(12, 800));
    owner.clear();
    screen->dateBarCommand(3);  // next day
    EXPECT_EQ(screen->date(), QDate(2024, 5, 11));
    EXPECT_TRUE(owner.messages().isEmpty());
    EXPECT_EQ(screen->day().rowCount(dalmain::Breakfast), 0);
    screen->dateBarCommand(2);
    EXPECT_EQ(mealLines(dalmain::Breakfast), QStringList{QStringLiteral("12 80.0")});
}

TEST_F(MenuScreenTest, ADayThatCannotBeStoredStaysWithItsRows)
{
    ASSERT_TRUE(screen->insertFood(12, 800));
    // Another program holds the menu file's lock for the whole time.
    quenkit::setFileLockTimeout(200);
    std::atomic<bool> locked{false};
    std::atomic<bool> done{false};
    std::thread other([&] {
        const quenkit::FileLock lock = quenkit::lockDataFile(dalmain::dayMenuFileName(0));
        locked = lock.isLocked();
        while (!done)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    while (!locked)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    owner.clear();
    screen->dateBarCommand(3);
    done = true;
    other.join();
    quenkit::setFileLockTimeout(30000);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_TRUE(owner.messages()[0].text.startsWith(QStringLiteral("献立を保存できませんでした。")));
    EXPECT_EQ(screen->date(), QDate(2024, 5, 10));
    EXPECT_EQ(mealLines(dalmain::Breakfast), QStringList{QStringLiteral("12 80.0")});
}

TEST_F(MenuScreenTest, RendersAFullDay)
{
    screen->resize(1280, 800);
    screen->runCommand(cmd::Breakfast);
    ASSERT_TRUE(screen->insertFood(88, 1500));
    ASSERT_TRUE(screen->loadDish(kDishName, 150));
    ASSERT_TRUE(screen->insertFood(300, 800));
    screen->runCommand(cmd::Lunch);
    ASSERT_TRUE(screen->insertFood(12, 900));
    ASSERT_TRUE(screen->insertFood(900, 800));
    screen->runCommand(cmd::Dinner);
    ASSERT_TRUE(screen->insertDishName(QStringLiteral("焼き魚定食")));
    ASSERT_TRUE(screen->insertFood(900, 1200));
    ASSERT_TRUE(screen->insertFood(88, 2000));
    ASSERT_TRUE(screen->insertFood(300, 600));
    screen->runCommand(cmd::Breakfast);
    settle();
    QDir().mkpath(QStringLiteral(MENU_PNG_DIR));
    const QPixmap shot = screen->grab();
    EXPECT_EQ(shot.size(), QSize(1280, 800));
    EXPECT_TRUE(shot.save(QStringLiteral(MENU_PNG_DIR "/Menu.png")));
}

// Without a photo folder a food without a photo of its own shows its group's stand-in picture
// from the program's data folder; the shipped pictures are what is installed there.
TEST_F(MenuScreenTest, TheFoodSearchShowsTheGroupPictureOfAFoodWithoutAPhoto)
{
    const QString program = folders.root() + QStringLiteral("/program/");
    const QString shipped = QStringLiteral(DALMORA_SOURCE_DIR "/data/bmp/");
    for (const QString &picture : {QStringLiteral("bmpsy1/DEF1256.bmp"), QStringLiteral("bmpsy12/DEF12256.bmp")}) {
        QDir().mkpath(QFileInfo(program + QStringLiteral("bmp/") + picture).absolutePath());
        ASSERT_TRUE(QFile::copy(shipped + picture, program + QStringLiteral("bmp/") + picture)) << picture.toStdString();
    }
    ASSERT_EQ(quenkit::SetUserRegistryString(QStringLiteral("DataDir"), program), 1);

    dalmain::FoodSearchDialog dialog(&owner);
    dialog.show();
    type(&dialog, "keyword", QStringLiteral("こめ"));
    ASSERT_EQ(dialog.listedFoods(), (QList<quint32>{12, 88}));
    EXPECT_TRUE(dialog.shownPicturePath().endsWith(QStringLiteral("bmpsy1/DEF1256.bmp")))
        << dialog.shownPicturePath().toStdString();
    // 画像拡大 shows the picture at twice its size.
    auto *enlarge = dialog.findChild<QPushButton *>(QStringLiteral("enlarge"));
    ASSERT_TRUE(enlarge->isEnabled());
    QSize enlarged;
    QTimer::singleShot(0, [&] {
        QWidget *view = QApplication::activeModalWidget();
        ASSERT_NE(view, nullptr);
        if (auto *picture = view->findChild<QLabel *>(QStringLiteral("enlargedPicture")))
            enlarged = picture->pixmap().size();
        static_cast<QDialog *>(view)->reject();
    });
    QTest::mouseClick(enlarge, Qt::LeftButton);
    EXPECT_EQ(enlarged, QSize(320, 240));
    // A group whose picture is not installed shows none.
    auto *keyword = dialog.findChild<QComboBox *>(QStringLiteral("keyword"));
    keyword->setEditText(QStringLiteral("だいこん"));
    ASSERT_EQ(dialog.listedFoods(), (QList<quint32>{300}));
    EXPECT_TRUE(dialog.shownPicturePath().isEmpty());
    EXPECT_FALSE(enlarge->isEnabled());
    keyword->setEditText(QStringLiteral("こめ"));
    auto *showPhotos = dialog.findChild<QCheckBox *>(QStringLiteral("showPhotos"));
    QTest::mouseClick(showPhotos, Qt::LeftButton, {}, QPoint(8, showPhotos->height() / 2));
    EXPECT_TRUE(dialog.shownPicturePath().isEmpty()) << "the pictures were switched off";
    QTest::mouseClick(showPhotos, Qt::LeftButton, {}, QPoint(8, showPhotos->height() / 2));
    settle();
    QDir().mkpath(QStringLiteral(MENU_PNG_DIR));
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(MENU_PNG_DIR "/FoodSearch.png")));
}

// A nutrient the official table did not analyse is shown as "-", not as a value of 0: a
// dietitian must be able to tell "none" from "not known".
TEST(FoodComposition, AnUnanalysedNutrientShowsADashAndAKnownZeroItsNumber)
{
    using namespace dalmain;
    FoodRecord food;
    food.number = 88;
    food.name = quenkit::toSjis(u"こめ [水稲めし] 精白米");
    food.nutrients[Protein] = 2.5;
    food.setUnknown(VitaminD);
    FoodCompositionDialog dialog(food);
    auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("composition"));
    ASSERT_NE(table, nullptr);
    const struct {
        int nutrient;
        const char *shown;
    } cases[] = {{Protein, "2.5"}, {VitaminD, "-"}, {VitaminC, "0"}, {Fat, "0.0"}};
    for (const auto &c : cases)
        EXPECT_EQ(table->item(c.nutrient, 1)->text(), QString::fromUtf8(c.shown)) << c.nutrient;
}
