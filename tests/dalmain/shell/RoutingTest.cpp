// Command routing: every menu, toolbar and tab command reaches what runs it (the view, a
// dialog or the current screen), the screen switch, and which commands are enabled.

#include "ShellTestSupport.h"

#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/HelpWindow.h"
#include "dalmain/shell/MenuCommandRules.h"
#include "dalmain/shell/MenuResources.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/shell/ShellSettings.h"
#include "quenkit/controls/Takku.h"
#include "quenkit/registry/SettingsStore.h"

#include <QApplication>
#include <QMap>
#include <QDialog>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

using namespace dalmain;
using namespace shelltest;

namespace {

using Sent = QList<QPair<int, int>>;

// The commands each screen runs itself.
const QList<QPair<int, QList<int>>> kScreenCommands = {
    {UserScreen, {57600, 57601, 32774, 32838}},
    {MenuScreen, {32790, 32783, 32847, 32801, 32839, 32788, 32878, 32785, 32786, 32787, 32789, 32836, 32781, 32845,
                  32784, 32779, 32780, 32846, 32833, 32870, 32867, 32871, 32775, 32776, 32777, 32778}},
    {SportsScreen, {32800, 32840, 32797, 32798, 32799, 32843, 32876, 32883, 32868, 32872}},
    {WeightScreen, {32841, 32848, 32795, 32794, 32796, 32844}},
    {AnalyzeScreen, {32812, 32815, 32814, 32809, 32810, 32811, 32850, 32851, 32805, 32806, 32807, 32808, 32877,
                     40004}},
};

const QList<QPair<int, QString>> kDialogs = {
    {32820, "PrinterSetup"},        {32834, "IDD_DATA_BACKUP"},    {32831, "IDD_DATA_RESTORE"},
    {32885, "IDD_MENTE_MENU"},      {32817, "IDD_MENTE_SYOKUHIN"}, {32818, "IDD_MENTE_SYOYO"},
    {32842, "IDD_MENTE_RMR"},       {32852, "IDD_MENTE_KOUKAN"},   {32857, "IDD_MENTE_TEKITEN"},
    {32855, "IDD_MENTE_GUNBETU"},   {32858, "IDD_MENTE_TEKISESSYU"}, {32819, "IDD_SET_SYSTEM"},
    {32875, "IDD_SET_PFC"},         {32892, "IDD_INIT_MASTER"},
};

QSet<int> menuAndToolbarCommands()
{
    QSet<int> ids;
    for (const ScreenInfo &s : screens()) {
        for (int id : menuCommandIds(s.menuResource))
            ids.insert(id);
        for (int id : toolbarResource(s.toolbarResource)) {
            if (id != 0)
                ids.insert(id);
        }
    }
    return ids;
}

}  // namespace

TEST_F(ShellTest, EveryMenuAndToolbarCommandIsRoutedAndNothingElse)
{
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    const QSet<int> shown = menuAndToolbarCommands();
    const QList<int> routedList = frame->view()->routedCommands();
    const QSet<int> routed(routedList.begin(), routedList.end());
    EXPECT_EQ(routed, shown);
}

TEST_F(ShellTest, ScreenCommandsReachTheCurrentScreen)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    DalmainView *view = frame->view();
    for (const auto &[screen, ids] : kScreenCommands) {
        ASSERT_TRUE(view->switchScreen(screen));
        for (int id : ids) {
            SCOPED_TRACE(id);
            log.commands.clear();
            EXPECT_TRUE(view->commandEnabled(id));
            EXPECT_TRUE(view->runCommand(id));
            EXPECT_EQ(log.commands, (Sent{{screen, id}}));
        }
    }
}

// "保存" goes where each screen keeps its save: the user screen's check-and-save, the menu,
// exercise and analysis screens' own save commands; the weight screen has nothing to save.
TEST_F(ShellTest, SaveRunsEachScreensOwnSave)
{
    struct Case {
        int screen;
        Sent sent;
        bool runs;
    };
    const QList<Case> cases = {
        {UserScreen, {}, true},
        {MenuScreen, {{MenuScreen, cmd::SaveMenu}}, true},
        {SportsScreen, {{SportsScreen, cmd::SaveSports}}, true},
        {WeightScreen, {}, false},
        {AnalyzeScreen, {{AnalyzeScreen, cmd::SaveAnalysis}}, true},
    };
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.screen);
        ASSERT_TRUE(frame->view()->switchScreen(c.screen));
        log.commands.clear();
        log.checks.clear();
        EXPECT_EQ(frame->view()->commandEnabled(cmd::Save), c.runs);
        EXPECT_EQ(frame->view()->runCommand(cmd::Save), c.runs);
        // Empty lists are compared by their emptiness: Qt compares the storage of two empty
        // lists of plain values with memcmp, which the sanitizer rejects for a null pointer.
        if (c.sent.isEmpty()) {
            EXPECT_TRUE(log.commands.isEmpty());
        } else {
            EXPECT_EQ(log.commands, c.sent);
        }
        if (c.screen == UserScreen) {
            EXPECT_EQ(log.checks, QList<LeaveCheck::Mode>{LeaveCheck::Mode::WithMessages});
        } else {
            EXPECT_TRUE(log.checks.isEmpty());
        }
    }
}

TEST_F(ShellTest, UserCommandsRunOnTheUserScreenOnly)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->view()->switchScreen(MenuScreen));
    for (int id : {cmd::NewUser, cmd::OpenUser, cmd::DeleteUser}) {
        EXPECT_FALSE(frame->view()->commandEnabled(id)) << id;
        EXPECT_FALSE(frame->view()->runCommand(id)) << id;
    }
    EXPECT_TRUE(log.commands.isEmpty());
}

TEST_F(ShellTest, DateMenuPressesTheDateBarButton)
{
    const QList<QPair<int, int>> cases = {{32821, 2}, {32822, 3}, {32837, 7}, {32823, 1},
                                          {32824, 4}, {32828, 1}, {32829, 4}};
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->view()->switchScreen(AnalyzeScreen));
    for (const auto &[id, code] : cases) {
        SCOPED_TRACE(id);
        log.dateCodes.clear();
        EXPECT_TRUE(frame->view()->runCommand(id));
        EXPECT_EQ(log.dateCodes, (Sent{{AnalyzeScreen, code}}));
    }
}

TEST_F(ShellTest, JudgementModeIsStoredAndChecked)
{
    struct Case {
        int id;
        int partner;
        QString section;
        QString name;
        int value;
    };
    const QList<Case> cases = {
        {cmd::MenuProbability, cmd::MenuJudgement, settings::kMenuSection, "MenuKijyun", 1},
        {cmd::MenuJudgement, cmd::MenuProbability, settings::kMenuSection, "MenuKijyun", 0},
        {cmd::AnalysisProbability, cmd::AnalysisJudgement, settings::kAnalyzeSection, "AlzKijyun", 1},
        {cmd::AnalysisJudgement, cmd::AnalysisProbability, settings::kAnalyzeSection, "AlzKijyun", 0},
    };
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    DalmainView *view = frame->view();
    EXPECT_TRUE(view->commandChecked(cmd::MenuJudgement)) << "judgement is the default";
    EXPECT_FALSE(view->commandChecked(cmd::MenuProbability));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        const int refreshes = log.refreshes;
        EXPECT_TRUE(view->runCommand(c.id));
        // The screen on show repaints with the new mode.
        EXPECT_EQ(log.refreshes, refreshes + 1);
        QString stored;
        quenkit::GetRegistryString(c.section, c.name, nullptr, stored);
        EXPECT_EQ(stored, QString::number(c.value));
        EXPECT_TRUE(view->commandChecked(c.id));
        EXPECT_FALSE(view->commandChecked(c.partner));
    }
}

TEST_F(ShellTest, DialogCommandsOpenTheirRegisteredDialog)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    DalmainView *view = frame->view();
    for (const auto &[id, resource] : kDialogs) {
        SCOPED_TRACE(id);
        // The program's own dialogs register themselves; each command starts without one here.
        registerDialog(resource, {});
        EXPECT_FALSE(view->commandEnabled(id)) << "enabled without a dialog";
        EXPECT_FALSE(view->runCommand(id));
        registerRecordingDialog(resource);
        openedDialogs.clear();
        EXPECT_TRUE(view->commandEnabled(id));
        EXPECT_TRUE(view->runCommand(id));
        EXPECT_EQ(openedDialogs, QStringList{resource});
    }
}

TEST_F(ShellTest, SystemSettingsGiveTheFocusBackToTheScreensFirstControl)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    QApplication::setActiveWindow(frame.get());
    settle();
    registerRecordingDialog("IDD_SET_SYSTEM");
    ASSERT_TRUE(frame->view()->switchScreen(WeightScreen));
    frame->view()->tabStrip()->setFocus();
    EXPECT_TRUE(frame->view()->runCommand(cmd::SystemSettings));
    QWidget *first = frame->view()->screen()->firstControl();
    EXPECT_EQ(first->objectName(), "control101");
    EXPECT_TRUE(first->hasFocus());
}

// "ツールバー" switches the toolbar off and on, for whichever screen is shown, and keeps
// the choice in ViewFlg.
TEST_F(ShellTest, ToolbarToggleHidesAndShowsTheCurrentToolbar)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    DalmainView *view = frame->view();
    EXPECT_TRUE(view->commandChecked(cmd::Toolbar));
    EXPECT_TRUE(frame->toolbar(UserScreen)->isVisible());

    EXPECT_TRUE(view->runCommand(cmd::Toolbar));
    QString flag;
    quenkit::GetRegistryString(settings::kToolbarSection, "ViewFlg", nullptr, flag);
    EXPECT_EQ(flag, "0");
    EXPECT_FALSE(view->commandChecked(cmd::Toolbar));
    ASSERT_TRUE(view->switchScreen(MenuScreen));
    for (int i = 0; i < kScreenCount; ++i)
        EXPECT_FALSE(frame->toolbar(i)->isVisible()) << i;

    EXPECT_TRUE(view->runCommand(cmd::Toolbar));
    quenkit::GetRegistryString(settings::kToolbarSection, "ViewFlg", nullptr, flag);
    EXPECT_EQ(flag, "1");
    for (int i = 0; i < kScreenCount; ++i)
        EXPECT_EQ(frame->toolbar(i)->isVisible(), i == MenuScreen) << i;
    frame.reset();

    // The next start keeps it off.
    settings::setToolbarVisible(false);
    auto again = start();
    ASSERT_NE(again, nullptr);
    for (int i = 0; i < kScreenCount; ++i)
        EXPECT_FALSE(again->toolbar(i)->isVisible()) << i;
}

TEST_F(ShellTest, HelpCommandsOpenTheScreensTopic)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    for (const ScreenInfo &s : screens()) {
        SCOPED_TRACE(s.index);
        ASSERT_TRUE(frame->view()->switchScreen(s.index));
        EXPECT_TRUE(frame->view()->runCommand(cmd::HelpScreen));
        ASSERT_NE(openHelpWindow(), nullptr);
        EXPECT_TRUE(openHelpWindow()->isVisible());
        EXPECT_EQ(openHelpWindow()->currentTopic(), s.helpTopic);
        EXPECT_FALSE(openHelpWindow()->page()->toPlainText().isEmpty());
    }
    EXPECT_TRUE(frame->view()->runCommand(cmd::HelpTerms));
    EXPECT_EQ(openHelpWindow()->currentTopic(), "technical/technical2");
    openHelpWindow()->close();
}

TEST_F(ShellTest, AboutCommandShowsTheAboutBox)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    QString title;
    whenModal([&](QWidget *dialog) {
        title = dialog->windowTitle();
        EXPECT_EQ(dialog->objectName(), "AboutDialog");
        static_cast<QDialog *>(dialog)->accept();
    });
    EXPECT_TRUE(frame->view()->runCommand(cmd::About));
    EXPECT_EQ(title, QStringLiteral("Dalmoraについて"));
}

TEST_F(ShellTest, CalculatorStartsTheDesktopCalculatorOrSaysThereIsNone)
{
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir bin;
    QTemporaryDir empty;
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);

    qputenv("PATH", empty.path().toLocal8Bit());
    EXPECT_TRUE(frame->view()->runCommand(cmd::Calculator));
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages().first().caption, QStringLiteral("電卓"));

#ifdef Q_OS_LINUX
    const QString marker = bin.path() + "/started";
    const QString program = bin.path() + "/gnome-calculator";
    ASSERT_TRUE(testsupport::writeFile(program, QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(marker).toUtf8()));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", bin.path().toLocal8Bit());
    owner.clear();
    EXPECT_TRUE(frame->view()->runCommand(cmd::Calculator));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 5000)) << "the calculator did not start";
    EXPECT_TRUE(owner.messages().isEmpty());
#endif
    qputenv("PATH", path);
}

TEST_F(ShellTest, ExitCommandEndsTheProgram)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    settle();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->view()->runCommand(cmd::Exit));
    EXPECT_FALSE(frame->isVisible());
}

// The switch: a tab or a "表示" command changes the screen, its menu bar and toolbar, and
// ExitScreen; the same screen again changes nothing.
TEST_F(ShellTest, TabsAndViewCommandsSwitchTheScreen)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    DalmainView *view = frame->view();
    settle();

    QTest::mouseClick(view->tabStrip()->tab(WeightScreen), Qt::LeftButton);
    EXPECT_EQ(view->currentScreen(), WeightScreen);
    EXPECT_EQ(system(settings::kExitScreen), "3");
    EXPECT_TRUE(frame->toolbar(WeightScreen)->isVisible());
    EXPECT_EQ(frame->menuAction(cmd::HelpScreen)->text(), QStringLiteral("体重記録について"));
    EXPECT_EQ(log.checks, QList<LeaveCheck::Mode>{LeaveCheck::Mode::WithMessages});

    EXPECT_TRUE(view->runCommand(cmd::ScreenSports));
    EXPECT_EQ(view->currentScreen(), SportsScreen);
    EXPECT_EQ(view->tabStrip()->currentIndex(), SportsScreen);
    EXPECT_EQ(system(settings::kExitScreen), "2");

    QPointer<ScreenWindow> same = view->screen();
    EXPECT_TRUE(view->runCommand(cmd::ScreenSports));
    EXPECT_EQ(view->screen(), same.data());
    settle();
    EXPECT_FALSE(same.isNull()) << "the screen was recreated";

    // One screen window at a time, inside the tab strip.
    EXPECT_EQ(view->tabStrip()->findChildren<ScreenWindow *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
}

// A user screen whose entries do not pass its check keeps the screen, the tab and the focus.
TEST_F(ShellTest, FailedUserCheckKeepsTheUserScreen)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    DalmainView *view = frame->view();
    QApplication::setActiveWindow(frame.get());
    settle();
    QPointer<ScreenWindow> userScreen = view->screen();
    log.allowLeave = false;
    log.onCheck = [this] { quenkit::inform(&owner, QStringLiteral("ユーザー情報"), QStringLiteral("氏名を入力してください。")); };

    QTest::mouseClick(view->tabStrip()->tab(MenuScreen), Qt::LeftButton);
    EXPECT_EQ(view->currentScreen(), UserScreen);
    EXPECT_EQ(view->screen(), userScreen.data());
    EXPECT_EQ(view->tabStrip()->currentIndex(), UserScreen);
    EXPECT_TRUE(view->screen()->hasFocus());
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("氏名を入力してください。")});
    EXPECT_TRUE(frame->toolbar(UserScreen)->isVisible());
    EXPECT_EQ(system(settings::kExitScreen), QString());

    log.allowLeave = true;
    EXPECT_TRUE(view->runCommand(cmd::ScreenMenu));
    EXPECT_EQ(view->currentScreen(), MenuScreen);
}

TEST_F(ShellTest, LeavingTheAnalysisScreenEmptiesTheClipboard)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    DalmainView *view = frame->view();
    QClipboard *clipboard = QGuiApplication::clipboard();

    ASSERT_TRUE(view->switchScreen(MenuScreen));
    clipboard->setText(QStringLiteral("献立"));
    ASSERT_TRUE(view->switchScreen(WeightScreen));
    EXPECT_EQ(clipboard->text(), QStringLiteral("献立")) << "only the analysis screen empties it";

    ASSERT_TRUE(view->switchScreen(AnalyzeScreen));
    clipboard->setText(QStringLiteral("分析結果"));
    ASSERT_TRUE(view->switchScreen(MenuScreen));
    EXPECT_TRUE(clipboard->text().isEmpty());
}

TEST_F(ShellTest, EscapeIsForwardedToTheScreen)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    QApplication::setActiveWindow(frame.get());
    settle();
    ASSERT_TRUE(frame->view()->switchScreen(SportsScreen));
    frame->view()->screen()->setFocus();
    log.commands.clear();
    QTest::keyClick(frame->view()->screen(), Qt::Key_Escape);
    EXPECT_EQ(log.commands, (Sent{{SportsScreen, cmd::Cancel}}));
}

// A screen enables only the commands it has: the user screen its new, open and delete; the
// menu screen, on an empty day, the meals and the inputs and dish commands that need no row;
// the exercise screen, on an empty day, its entry and the basal metabolism; the screens still
// to come none of their own. The switch, the help and the program's own
// commands stay enabled everywhere.
TEST_F(ShellTest, ScreensEnableOnlyTheCommandsTheyHave)
{
    const QMap<int, QList<int>> enabledOnStart = {
        {UserScreen, {57600, 57601, 32774}},
        {MenuScreen, {cmd::Breakfast, cmd::Lunch, cmd::Dinner, cmd::Snack, cmd::FoodInput, cmd::DishInput,
                      cmd::DishNameInput, cmd::ModifyDish, cmd::DeleteDish}},
        {SportsScreen, {cmd::SportsInput, cmd::BasalInput}},
    };
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    DalmainView *view = frame->view();
    for (const auto &[screen, ids] : kScreenCommands) {
        SCOPED_TRACE(screen);
        ASSERT_TRUE(view->switchScreen(screen));
        for (int id : ids)
            EXPECT_EQ(view->commandEnabled(id), enabledOnStart.value(screen).contains(id)) << id;
        for (int id : {1024, 1025, 1026, 1027, 1028, 57670, 32835, 57664, 57665, 59392})
            EXPECT_TRUE(view->commandEnabled(id)) << id;

        // The menus bring their items up to date as they open; the toolbar follows the view.
        for (QAction *top : frame->menuBar()->actions())
            emit top->menu()->aboutToShow();
        for (QAction *a : frame->toolbar(screen)->actions()) {
            if (a->isSeparator())
                continue;
            EXPECT_EQ(a->isEnabled(), view->commandEnabled(a->data().toInt())) << a->data().toInt();
        }
        QAction *help = frame->menuAction(cmd::HelpScreen);
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isEnabled());
        QAction *toolbar = frame->menuAction(cmd::Toolbar);
        EXPECT_TRUE(toolbar->isChecked());
    }
}

// The menu screen's rules: the meal's 100 rows, the day's 30 dish names, the selection, the
// clipboard and the undo memory.
TEST(MenuCommandRules, EnableByTheDaysState)
{
    const MenuEditState roomy{10, 2, 5, true, true, true, true, true};
    struct Case {
        const char *name;
        std::function<void(MenuEditState &)> change;
        QList<int> disabled;
    };
    const QList<Case> cases = {
        {"room everywhere", [](MenuEditState &) {}, {}},
        {"meal full at 100 rows", [](MenuEditState &s) { s.currentMealRows = 100; },
         {cmd::FoodInput, cmd::DishInput, cmd::DishNameInput, cmd::Paste}},
        {"99 rows still take one more", [](MenuEditState &s) { s.currentMealRows = 99; }, {}},
        {"30 dish names in the day", [](MenuEditState &s) { s.dayDishNames = 30; }, {cmd::DishNameInput}},
        {"nothing selected", [](MenuEditState &s) { s.selectedRows = 0; },
         {cmd::Cut, cmd::Copy, cmd::Delete, cmd::ConvertAmount, cmd::SaveDish}},
        {"empty meal", [](MenuEditState &s) { s.currentMealRows = 0; s.selectedRows = 0; },
         {cmd::SelectAll, cmd::Cut, cmd::Copy, cmd::Delete, cmd::ConvertAmount, cmd::SaveDish}},
        {"empty day", [](MenuEditState &s) { s.dayHasRows = false; }, {cmd::CopyDay, cmd::PrintMenu}},
        {"text from another program", [](MenuEditState &s) { s.clipboardHasRows = false; s.clipboardHasDay = false; },
         {cmd::Paste, cmd::PasteDay}},
        {"no undo or redo step", [](MenuEditState &s) { s.canUndo = false; s.canRedo = false; },
         {cmd::Undo, cmd::Redo}},
    };
    const QList<int> ruled = {cmd::Paste, cmd::PasteDay, cmd::Cut, cmd::Copy, cmd::Delete, cmd::ConvertAmount,
                              cmd::SaveDish, cmd::FoodInput, cmd::DishInput, cmd::DishNameInput, cmd::CopyDay,
                              cmd::PrintMenu, cmd::SelectAll, cmd::Undo, cmd::Redo, cmd::Modify, cmd::MenuMemo};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MenuEditState state = roomy;
        c.change(state);
        for (int id : ruled)
            EXPECT_EQ(menuCommandAllowed(id, state), !c.disabled.contains(id)) << id;
    }
}

// The view asks the menu screen's state on top of the screen's own answer.
TEST_F(ShellTest, MenuScreenStateDisablesItsCommands)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->view()->switchScreen(MenuScreen));
    auto *screen = static_cast<RecordingScreen *>(frame->view()->screen());
    screen->state.currentMealRows = 100;
    EXPECT_FALSE(frame->view()->commandEnabled(cmd::FoodInput));
    EXPECT_FALSE(frame->view()->runCommand(cmd::FoodInput));
    EXPECT_TRUE(log.commands.isEmpty());
    screen->state.currentMealRows = 3;
    emit screen->commandStateChanged();
    EXPECT_TRUE(frame->toolbar(MenuScreen)->actions().at(12)->isEnabled());  // 食品の入力
    EXPECT_EQ(frame->toolbar(MenuScreen)->actions().at(12)->data().toInt(), cmd::FoodInput);
}
