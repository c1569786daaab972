// Undo and redo of the menu screen's edits, and rows and whole days through the system
// clipboard (the offscreen platform's, which keeps every format like a desktop's does).

#include "MenuScreenSupport.h"

#include "dalmain/screens/menu/MenuClipboard.h"
#include "dalmain/screens/menu/MenuGrid.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/ShellSettings.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCheckBox>
#include <QClipboard>
#include <QMimeData>

using namespace menutest;
namespace cmd = dalmain::cmd;
using dalmain::MenuClipKind;
using dalmain::MenuClipRecord;

namespace {

QClipboard *clipboard()
{
    return QGuiApplication::clipboard();
}

// The day's four meals as the test's lines, to compare whole days.
QList<QStringList> dayLines(const std::function<QStringList(int)> &mealLines)
{
    QList<QStringList> day;
    for (int m = 0; m < dalmain::kMealCount; ++m)
        day.append(mealLines(m));
    return day;
}

}  // namespace

class MenuUndoTest : public MenuScreenTest
{
protected:
    // The clipboard outlives each test's screen: every test starts with it empty.
    void SetUp() override
    {
        clipboard()->clear();
        MenuScreenTest::SetUp();
    }
    QList<QStringList> wholeDay() const
    {
        return dayLines([this](int m) { return mealLines(m); });
    }
    // 朝食: rice 150 g, then the stored dish (its name, rice 150 g, egg 50 g).
    void enterBreakfast()
    {
        screen->selectMeal(dalmain::Breakfast);
        ASSERT_TRUE(screen->insertFood(88, 1500));
        ASSERT_TRUE(screen->loadDish(kDishName, 100));
    }
};

TEST_F(MenuUndoTest, EachEditIsUndoneToTheDayBeforeItAndRedoneToTheDayAfter)
{
    struct Edit {
        const char *what;
        std::function<void(dalmain::Menu &)> run;
    };
    const Edit edits[] = {
        {"food input", [](dalmain::Menu &s) { s.insertFood(300, 1000); }},
        {"dish name input", [](dalmain::Menu &s) { s.insertDishName(QStringLiteral("汁物")); }},
        {"dish input", [](dalmain::Menu &s) { s.loadDish(kDishName, 200); }},
        {"conversion",
         [](dalmain::Menu &s) {
             s.grid()->selectLines(0, 3);
             s.convertSelection(150);
         }},
        {"delete",
         [](dalmain::Menu &s) {
             s.grid()->selectLines(1, 2);
             s.deleteSelection();
         }},
        {"cut",
         [](dalmain::Menu &s) {
             s.grid()->selectLines(0, 0);
             s.runCommand(cmd::Cut);
         }},
        {"paste",
         [](dalmain::Menu &s) {
             s.grid()->selectLines(0, 1);
             s.runCommand(cmd::Copy);
             s.grid()->setCurrentLine(4);
             s.runCommand(cmd::Paste);
         }},
    };
    for (const Edit &e : edits) {
        SCOPED_TRACE(e.what);
        screen->moveToDate(screen->date().addDays(1));
        enterBreakfast();
        const QList<QStringList> before = wholeDay();
        e.run(*screen);
        const QList<QStringList> after = wholeDay();
        ASSERT_NE(after, before);
        ASSERT_TRUE(screen->commandEnabled(cmd::Undo));
        screen->runCommand(cmd::Undo);
        EXPECT_EQ(wholeDay(), before);
        ASSERT_TRUE(screen->commandEnabled(cmd::Redo));
        screen->runCommand(cmd::Redo);
        EXPECT_EQ(wholeDay(), after);
        EXPECT_FALSE(screen->commandEnabled(cmd::Redo));
    }
}

TEST_F(MenuUndoTest, ANewEditAfterUndoDropsTheRedoStepsAndUndoGoesBackToTheLoadedDay)
{
    EXPECT_FALSE(screen->commandEnabled(cmd::Undo)) << "before the first edit";
    EXPECT_FALSE(screen->menuEditState().canUndo);
    ASSERT_TRUE(screen->insertFood(88, 1500));
    ASSERT_TRUE(screen->insertFood(300, 1000));
    EXPECT_TRUE(screen->menuEditState().canUndo);
    EXPECT_FALSE(screen->menuEditState().canRedo);

    screen->runCommand(cmd::Undo);
    EXPECT_EQ(mealLines(dalmain::Breakfast), QStringList{QStringLiteral("88 150.0")});
    EXPECT_TRUE(screen->menuEditState().canRedo);
    ASSERT_TRUE(screen->insertFood(1500, 500));
    EXPECT_FALSE(screen->menuEditState().canRedo) << "the edit dropped the redo step";
    EXPECT_EQ(screen->undoMemory().position(), 2);
    EXPECT_EQ(screen->undoMemory().count(), 2);

    screen->runCommand(cmd::Undo);
    screen->runCommand(cmd::Undo);
    EXPECT_TRUE(mealLines(dalmain::Breakfast).isEmpty());
    EXPECT_FALSE(screen->commandEnabled(cmd::Undo));
    EXPECT_FALSE(screen->isDirty()) << "back at the day as it was loaded";
    screen->runCommand(cmd::Redo);
    EXPECT_TRUE(screen->isDirty());
}

TEST_F(MenuUndoTest, UndoShowsTheMealTheStepWasMadeIn)
{
    ASSERT_TRUE(screen->insertFood(88, 1500));
    screen->runCommand(cmd::Dinner);
    ASSERT_TRUE(screen->insertFood(300, 1000));
    screen->runCommand(cmd::Snack);
    screen->runCommand(cmd::Undo);
    EXPECT_EQ(screen->meal(), dalmain::Dinner);
    EXPECT_TRUE(screen->commandChecked(cmd::Dinner));
    EXPECT_TRUE(mealLines(dalmain::Dinner).isEmpty());
    screen->runCommand(cmd::Undo);
    EXPECT_EQ(screen->meal(), dalmain::Breakfast);
    EXPECT_TRUE(mealLines(dalmain::Breakfast).isEmpty());
}

TEST_F(MenuUndoTest, AnotherDayOrAnotherUserStartsWithNothingToUndo)
{
    ASSERT_TRUE(screen->insertFood(88, 1500));
    ASSERT_TRUE(screen->moveToDate(screen->date().addDays(1)));
    EXPECT_FALSE(screen->commandEnabled(cmd::Undo)) << "another day";
    ASSERT_TRUE(screen->insertFood(300, 1000));
    ASSERT_TRUE(screen->moveToDate(screen->date().addDays(-1)));
    EXPECT_FALSE(screen->commandEnabled(cmd::Undo)) << "back on the first day";
    EXPECT_EQ(mealLines(dalmain::Breakfast), QStringList{QStringLiteral("88 150.0")}) << "stored when left";

    ASSERT_TRUE(screen->insertFood(1500, 500));
    const testsupport::CliResult added =
        cli({QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("--name"), QStringLiteral("佐藤一郎"),
             QStringLiteral("--reading"), QStringLiteral("ｲﾁﾛｳ"), QStringLiteral("--age"), QStringLiteral("40"),
             QStringLiteral("--sex"), QStringLiteral("male"), QStringLiteral("--height"), QStringLiteral("170"),
             QStringLiteral("--activity"), QStringLiteral("2"), QStringLiteral("--weight"), QStringLiteral("65")});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    // The shell closes the menu screen for the user screen, where the other user is opened.
    screen.reset();
    ASSERT_TRUE(dalmain::openUserSession().open(&owner, QStringLiteral("佐藤一郎")));
    createScreen();
    EXPECT_FALSE(screen->commandEnabled(cmd::Undo));
    EXPECT_FALSE(screen->menuEditState().canUndo);
    EXPECT_FALSE(screen->isDirty());
}

TEST_F(MenuUndoTest, RowsCopiedFromBreakfastPasteIntoDinnerOfAnotherDay)
{
    enterBreakfast();
    screen->toggleFold(1);  // the dish's foods travel with its folded name
    const QStringList breakfast = mealLines(dalmain::Breakfast);
    EXPECT_FALSE(screen->commandEnabled(cmd::Paste));
    screen->runCommand(cmd::SelectAll);
    ASSERT_EQ(screen->grid()->selectedLines(), (QList<int>{0, 1}));
    screen->runCommand(cmd::Copy);
    EXPECT_TRUE(screen->menuEditState().clipboardHasRows);

    ASSERT_TRUE(screen->moveToDate(screen->date().addDays(3)));
    screen->runCommand(cmd::Dinner);
    ASSERT_TRUE(screen->insertFood(12, 800));
    screen->grid()->setCurrentLine(0);
    ASSERT_TRUE(screen->commandEnabled(cmd::Paste));
    screen->runCommand(cmd::Paste);
    EXPECT_EQ(mealLines(dalmain::Dinner), breakfast + QStringList{QStringLiteral("12 80.0")});
    EXPECT_EQ(screen->day().rows(dalmain::Dinner)[1].row.dishName, kDishName);
    EXPECT_EQ(screen->day().dishNameCount(), 1);
    EXPECT_TRUE(mealLines(dalmain::Breakfast).isEmpty());

    screen->runCommand(cmd::Undo);
    EXPECT_EQ(mealLines(dalmain::Dinner), QStringList{QStringLiteral("12 80.0")}) << "the paste is one step";
}

TEST_F(MenuUndoTest, TextFromAnotherProgramDoesNotEnablePaste)
{
    struct Foreign {
        const char *what;
        std::function<void()> put;
    };
    const Foreign cases[] = {
        {"plain text", [] { clipboard()->setText(QStringLiteral("こめ 水稲めし 精白米\t150.0\r\n")); }},
        {"text with the marker", [] { clipboard()->setText(QStringLiteral("x\r\nDMMenuData\r\n")); }},
        {"the format without a block", [] {
             auto *data = new QMimeData;
             data->setData(dalmain::menuClipMimeType(MenuClipKind::Rows), QByteArrayLiteral("rice\r\n"));
             clipboard()->setMimeData(data);
         }},
        {"a whole day", [] {
             dalmain::putMenuBlock(MenuClipKind::Day, QStringLiteral("x\r\n"),
                                   dalmain::encodeMenuClipBlock(MenuClipKind::Day, "x\r\n", {{0, 88, 10.0, {}}}));
         }},
    };
    for (const Foreign &f : cases) {
        f.put();
        EXPECT_FALSE(screen->menuEditState().clipboardHasRows) << f.what;
        EXPECT_FALSE(screen->commandEnabled(cmd::Paste)) << f.what;
    }
    EXPECT_TRUE(screen->commandEnabled(cmd::PasteDay)) << "the day's block is on the clipboard";
    clipboard()->setText(QStringLiteral("plain"));
    EXPECT_FALSE(screen->commandEnabled(cmd::PasteDay));
    EXPECT_FALSE(screen->menuEditState().clipboardHasDay);
}

TEST_F(MenuUndoTest, CopiedRowsReachTheClipboardAsTextAndAsTheirBlock)
{
    enterBreakfast();
    screen->grid()->selectLines(0, 1);
    screen->runCommand(cmd::Copy);

    const QMimeData *data = clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(dalmain::menuClipMimeType(MenuClipKind::Rows), QStringLiteral("DM_MENUDATA"));
    const QStringList lines = data->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("こめ 水稲めし 精白米\t150.0\t252\t"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("卵かけご飯\t\t"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].isEmpty());

    const QList<MenuClipRecord> records = {{dalmain::Breakfast, 88, 150.0, {}},
                                           {dalmain::Breakfast, dalmain::kMenuClipDishFood, 0.0, quenkit::toSjis(kDishName)}};
    EXPECT_EQ(data->data(QStringLiteral("DM_MENUDATA")),
              dalmain::encodeMenuClipBlock(MenuClipKind::Rows, quenkit::toSjis(data->text()), records));
}

TEST_F(MenuUndoTest, PastedRowsSkipFoodsNoLongerInTheTable)
{
    const QList<MenuClipRecord> records = {{dalmain::Lunch, 88, 150.0, {}},
                                           {dalmain::Lunch, 4444, 20.0, {}},
                                           {dalmain::Lunch, dalmain::kMenuClipDishFood, 0.0, quenkit::toSjis(QStringLiteral("汁物"))},
                                           {dalmain::Lunch, 300, 12.34, {}}};
    const QByteArray text = "a\r\nb\r\nc\r\nd\r\n";
    dalmain::putMenuBlock(MenuClipKind::Rows, QString::fromLatin1(text),
                          dalmain::encodeMenuClipBlock(MenuClipKind::Rows, text, records));
    screen->runCommand(cmd::Paste);
    EXPECT_EQ(mealLines(dalmain::Breakfast),
              (QStringList{QStringLiteral("88 150.0"), QStringLiteral("[汁物]"), QStringLiteral("300 12.3")}));
}

TEST_F(MenuUndoTest, CopyDayWithEveryMealUntickedCountsAsCancel)
{
    enterBreakfast();
    clipboard()->setText(QStringLiteral("before"));
    whenDialog(QStringLiteral("IDD_MENU_SELCOPY"), [](QWidget *d) {
        for (const char *name : {"SelCopyFlg2", "SelCopyFlg3", "SelCopyFlg4", "SelCopyFlg5"}) {
            auto *box = d->findChild<QCheckBox *>(QString::fromLatin1(name));
            ASSERT_NE(box, nullptr) << name;
            EXPECT_TRUE(box->isChecked()) << name;
            box->setChecked(false);
        }
        click(d, "ok");
    });
    ASSERT_TRUE(screen->commandEnabled(cmd::CopyDay));
    screen->runCommand(cmd::CopyDay);
    EXPECT_EQ(clipboard()->text(), QStringLiteral("before"));
    EXPECT_FALSE(clipboard()->mimeData()->hasFormat(QStringLiteral("DM_ALLMENUDATA")));
    EXPECT_EQ(quenkit::GetRegistryInt(dalmain::settings::kMenuSection, QStringLiteral("SelCopyFlg3"), 1), 0);
    EXPECT_EQ(quenkit::GetRegistryInt(dalmain::settings::kMenuSection, QStringLiteral("SelCopyFlg1"), 0), 1);
}

TEST_F(MenuUndoTest, ACopiedDayReplacesAnotherDayAfterTheQuestionAndIsUndoneInOneStep)
{
    EXPECT_FALSE(screen->commandEnabled(cmd::CopyDay)) << "an empty day";
    enterBreakfast();
    screen->runCommand(cmd::Snack);
    ASSERT_TRUE(screen->insertFood(900, 600));
    const QList<QStringList> copied = wholeDay();

    // The nutrient heading but no meal headings: the heading, four rows of 朝食 and one of 間食.
    quenkit::SetRegistryInt(dalmain::settings::kMenuSection, QStringLiteral("SelCopyFlg6"), 0);
    whenDialog(QStringLiteral("IDD_MENU_SELCOPY"), [](QWidget *d) { click(d, "ok"); });
    screen->runCommand(cmd::CopyDay);
    const QMimeData *data = clipboard()->mimeData();
    const QStringList lines = data->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 1 + 5 + 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("食品名・料理名\t分量(g)\t"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("こめ 水稲めし 精白米\t150.0\t"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("あじ 生\t60.0\t"))) << lines[5].toStdString();
    const QList<MenuClipRecord> records = {
        {dalmain::Breakfast, 88, 150.0, {}},
        {dalmain::Breakfast, dalmain::kMenuClipDishFood, 0.0, quenkit::toSjis(kDishName)},
        {dalmain::Breakfast, 88, 150.0, {}},
        {dalmain::Breakfast, 1500, 50.0, {}},
        {dalmain::Snack, 900, 60.0, {}}};
    EXPECT_EQ(data->data(QStringLiteral("DM_ALLMENUDATA")),
              dalmain::encodeMenuClipBlock(MenuClipKind::Day, quenkit::toSjis(data->text()), records));

    ASSERT_TRUE(screen->moveToDate(screen->date().addDays(1)));
    screen->runCommand(cmd::Lunch);
    ASSERT_TRUE(screen->insertFood(12, 800));
    const QList<QStringList> other = wholeDay();

    // Cancel keeps the day; OK replaces it.
    owner.clear();
    owner.queueAnswer(quenkit::Answer::Cancel);
    screen->runCommand(cmd::PasteDay);
    ASSERT_EQ(owner.texts().size(), 1);
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("まとめて貼り付け"));
    EXPECT_EQ(owner.texts()[0],
              QStringLiteral("編集中の献立が削除され「まとめてｺﾋﾟｰ」でｺﾋﾟｰされた献立を貼り付けます。\nよろしいですか？"));
    EXPECT_EQ(owner.messages()[0].buttons, quenkit::Buttons::OkCancel);
    EXPECT_EQ(wholeDay(), other);
    owner.queueAnswer(quenkit::Answer::Ok);
    screen->runCommand(cmd::PasteDay);
    EXPECT_EQ(wholeDay(), copied);

    screen->runCommand(cmd::Undo);
    EXPECT_EQ(wholeDay(), other);

    // An empty day takes the copy without a question.
    ASSERT_TRUE(screen->moveToDate(screen->date().addDays(1)));
    owner.clear();
    screen->runCommand(cmd::PasteDay);
    EXPECT_TRUE(owner.texts().isEmpty());
    EXPECT_EQ(wholeDay(), copied);
}

TEST_F(MenuUndoTest, CopyDayTakesTheTickedMealsEachUnderItsHeading)
{
    enterBreakfast();
    screen->runCommand(cmd::Snack);
    ASSERT_TRUE(screen->insertFood(900, 600));
    whenDialog(QStringLiteral("IDD_MENU_SELCOPY"), [](QWidget *d) {
        d->findChild<QCheckBox *>(QStringLiteral("SelCopyFlg1"))->setChecked(false);  // nutrient heading
        d->findChild<QCheckBox *>(QStringLiteral("SelCopyFlg2"))->setChecked(false);  // 朝食
        click(d, "ok");
    });
    screen->runCommand(cmd::CopyDay);
    const QMimeData *data = clipboard()->mimeData();
    const QStringList lines = data->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("間食"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("あじ 生\t60.0\t"))) << lines[1].toStdString();
    EXPECT_EQ(dalmain::decodeMenuClipBlock(MenuClipKind::Day, data->data(QStringLiteral("DM_ALLMENUDATA"))),
              (QList<MenuClipRecord>{{dalmain::Snack, 900, 60.0, {}}}));
    EXPECT_FALSE(screen->menuEditState().clipboardHasRows);
    EXPECT_TRUE(screen->menuEditState().clipboardHasDay);
}

TEST_F(MenuUndoTest, TheGridsEditKeysRunTheScreensCommands)
{
    ASSERT_TRUE(screen->insertFood(88, 1500));
    ASSERT_TRUE(screen->insertFood(300, 1000));
    screen->grid()->setFocus();
    screen->grid()->selectLines(0, 1);
    QTest::keyClick(screen->grid(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(clipboard()->mimeData()->hasFormat(QStringLiteral("DM_MENUDATA"))) << "the rows, not one cell";
    screen->grid()->setCurrentLine(2);
    QTest::keyClick(screen->grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(mealLines(dalmain::Breakfast).size(), 4);
    QTest::keyClick(screen->grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(mealLines(dalmain::Breakfast), (QStringList{QStringLiteral("88 150.0"), QStringLiteral("300 100.0")}));
    QTest::keyClick(screen->grid(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(mealLines(dalmain::Breakfast).size(), 4);
    screen->grid()->selectLines(0, 0);
    QTest::keyClick(screen->grid(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(mealLines(dalmain::Breakfast).size(), 3);
}
