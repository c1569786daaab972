// Start-up and end of the program: the data folder check, the waste-rate question, the first
// screen, the opening picture, the start-up file, the window placement and the exit flow.

#include "ShellTestSupport.h"

#include "dalmain/shell/DataFolderCheck.h"
#include "dalmain/shell/MenuResources.h"
#include "dalmain/shell/OpeningPicture.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/shell/ShellDialogs.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/shell/StartupFile.h"
#include "quenkit/controls/Takku.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include <unistd.h>

using namespace dalmain;
using namespace shelltest;

namespace {

QStringList listing(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

bool anyTopLevel(const char *className)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->inherits(className) && w->isVisible())
            return true;
    }
    return false;
}

int intValue(const QString &section, const QString &name)
{
    return quenkit::GetRegistryInt(section, name, -12345);
}

}  // namespace

// The check itself, on folders in every state it meets; none of them is left changed.
TEST(DataFolderCheck, JudgesEachKindOfFolderAndLeavesNothingBehind)
{
    QTemporaryDir root;
    struct Case {
        const char *name;
        std::function<QString()> prepare;  // returns the folder to check
        DataFolderState expected;
    };
    const QList<Case> cases = {
        {"writable folder", [&] { QDir(root.path()).mkpath("ok"); return root.path() + "/ok/"; },
         DataFolderState::Ready},
        {"missing folder", [&] { return root.path() + "/gone/"; }, DataFolderState::Missing},
        {"no folder set", [] { return QString(); }, DataFolderState::Missing},
        {"a file, not a folder", [&] { testsupport::writeFile(root.path() + "/file", "x"); return root.path() + "/file"; },
         DataFolderState::NotWritable},
        {"probe name taken by a folder",
         [&] { QDir(root.path()).mkpath("blocked/userchk"); return root.path() + "/blocked/"; },
         DataFolderState::NotWritable},
        {"stale probe files of an earlier start",
         [&] {
             QDir(root.path()).mkpath("stale");
             testsupport::writeFile(root.path() + "/stale/userchk", "old");
             testsupport::writeFile(root.path() + "/stale/userchk2", "old");
             return root.path() + "/stale/";
         },
         DataFolderState::Ready},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = c.prepare();
        QStringList before = folder.isEmpty() ? QStringList() : listing(folder);
        EXPECT_EQ(checkDataFolder(folder), c.expected);
        if (c.expected == DataFolderState::Missing && !folder.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(folder)) << "the check created the folder";
        }
        if (QFileInfo(folder).isDir()) {
            before.removeAll("userchk2");  // a stale probe is cleared, never left
            if (c.expected == DataFolderState::Ready)
                before.removeAll("userchk");
            EXPECT_EQ(listing(folder), before);
        }
    }
}

TEST(DataFolderCheck, ReadOnlyFolderIsNotWritable)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind the super-user";
    QTemporaryDir root;
    const QString folder = root.path() + "/ro";
    QDir(root.path()).mkpath("ro");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(checkDataFolder(folder + "/"), DataFolderState::NotWritable);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(listing(folder).isEmpty());
}

TEST_F(ShellTest, MissingDataFolderEndsTheStartWithItsMessage)
{
    const QString gone = folders.root() + "/gone/";
    quenkit::setDataFolderOverride(gone);
    EXPECT_EQ(start(), nullptr);
    ASSERT_EQ(owner.messages().size(), 1);
    const quenkit::Message &m = owner.messages().first();
    EXPECT_EQ(m.caption, QStringLiteral("Dalmoraを起動できません。"));
    EXPECT_EQ(m.icon, quenkit::Icon::Information);
    EXPECT_EQ(m.text, QStringLiteral("データフォルダの「%1」ﾌｫﾙﾀﾞが見つからないため、Dalmoraを起動できません。\n"
                                     "Dalmoraが削除されている可能性がリます。再度、セットアップを行ってください。")
                          .arg(QDir::toNativeSeparators(gone)));
    EXPECT_FALSE(QFileInfo::exists(gone)) << "an empty data folder was left behind";
    EXPECT_FALSE(anyTopLevel("dalmain::MainFrame"));
    EXPECT_EQ(system(settings::kHaikiritsu), "1") << "the start went on past the check";
}

TEST_F(ShellTest, UnwritableDataFolderEndsTheStartWithTheRightsMessage)
{
    qputenv("USERNAME", "hanako");
    const QString blocked = folders.dataDir() + "/";
    QDir(blocked).mkpath("userchk");
    EXPECT_EQ(start(), nullptr);
    ASSERT_EQ(owner.messages().size(), 1);
    const quenkit::Message &m = owner.messages().first();
    EXPECT_EQ(m.caption, QStringLiteral("Dalmoraを起動できません。"));
    EXPECT_EQ(m.icon, quenkit::Icon::Information);
    EXPECT_EQ(m.text,
              QStringLiteral("現在のhanakoさんの権限ではDalmoraを使用できません。\n"
                             "パソコンの管理者の方に権限(PowerUsers以上)を上げてもらうか、\n"
                             "「%1」ﾌｫﾙﾀﾞのｾｷｭﾘﾃｨをﾌﾙｺﾝﾄﾛｰﾙに設定してもらってください。\n\n"
                             "または、Dalmoraが正常にセットアップされていない可能性があります。\n"
                             "再度、Dalmoraをセットアップして見て下さい。")
                  .arg(QDir::toNativeSeparators(blocked)));
    EXPECT_FALSE(anyTopLevel("dalmain::MainFrame"));
    qunsetenv("USERNAME");
}

// The question of the first start: each button asks for confirmation; Cancel returns to the
// question, OK stores the choice. Escape does not get past it.
TEST_F(ShellTest, WasteRateQuestionStoresTheConfirmedChoiceOnce)
{
    const QString skipText = QStringLiteral("廃棄率を計算しません。よろしいですか？\n※システム設定でいつでも変更できます。");
    const QString countText = QStringLiteral("廃棄率を計算します。よろしいですか？\n※システム設定でいつでも変更できます。");
    struct Case {
        const char *name;
        QStringList clicks;                 // button texts, in order
        QList<quenkit::Answer> answers;     // the owner's answers to the confirmations
        QString stored;                     // SystemSet1 afterwards
        QStringList asked;
    };
    const QString skip = QStringLiteral("廃棄率計算を行わない（推奨）");
    const QString count = QStringLiteral("廃棄率計算を行う");
    const QList<Case> cases = {
        {"do not count", {skip}, {quenkit::Answer::Ok}, "0", {skipText}},
        {"cancel, then count", {skip, count}, {quenkit::Answer::Cancel, quenkit::Answer::Ok}, "1",
         {skipText, countText}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempFolders fresh;
        prepareInstallation(fresh);
        owner.clear();
        for (quenkit::Answer a : c.answers)
            owner.queueAnswer(a);
        setSystem(settings::kHaikiritsu, "0");
        bool sawDialog = false;
        whenModal([&](QWidget *dialog) {
            sawDialog = true;
            EXPECT_EQ(dialog->objectName(), "IDD_HAIKICHK");
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("廃棄率計算の確認"));
            static_cast<QDialog *>(dialog)->reject();
            EXPECT_TRUE(dialog->isVisible()) << "Escape ended the question";
            for (const QString &text : c.clicks) {
                QPushButton *button = buttonWithText(dialog, text);
                ASSERT_NE(button, nullptr) << text.toStdString();
                button->click();
            }
        });
        auto frame = start();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(sawDialog);
        EXPECT_EQ(owner.texts(), c.asked);
        for (const quenkit::Message &m : owner.messages()) {
            EXPECT_EQ(m.caption, QStringLiteral("確認"));
            EXPECT_EQ(m.buttons, quenkit::Buttons::OkCancel);
            EXPECT_EQ(m.icon, quenkit::Icon::Information);
        }
        EXPECT_EQ(system(settings::kSystemSet1), c.stored);
        EXPECT_EQ(system(settings::kHaikiritsu), "1");
        frame.reset();

        // Later starts do not ask again, whatever the setting says now.
        setSystem(settings::kSystemSet1, c.stored == "1" ? "0" : "1");
        NoModalDialog guard;
        auto again = start();
        ASSERT_NE(again, nullptr);
        settle();
    }
}

// The first screen: the user screen while no user name is stored, else Kidou, or ExitScreen
// when Kidou is 5. Its toolbar alone is shown and its menu bar installed.
TEST_F(ShellTest, FirstScreenFollowsUserNameKidouAndExitScreen)
{
    struct Case {
        const char *name;
        QString userName;
        QString kidou;
        QString exitScreen;
        int expected;
    };
    const QList<Case> cases = {
        {"no user, Kidou 3", "", "3", "", UserScreen},
        {"user, Kidou 0", "山田 花子", "0", "2", UserScreen},
        {"user, Kidou 5, ExitScreen 3", "山田 花子", "5", "3", WeightScreen},
        {"user, Kidou 1", "山田 花子", "1", "4", MenuScreen},
        {"user, Kidou 4", "山田 花子", "4", "", AnalyzeScreen},
        {"user, Kidou 5, ExitScreen out of range", "山田 花子", "5", "7", UserScreen},
        {"user, Kidou out of range", "山田 花子", "9", "", UserScreen},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempFolders fresh;
        prepareInstallation(fresh);
        setSystem(settings::kUserName, c.userName);
        setSystem(settings::kKidou, c.kidou);
        setSystem(settings::kExitScreen, c.exitScreen);
        auto frame = start();
        ASSERT_NE(frame, nullptr);
        DalmainView *view = frame->view();
        EXPECT_EQ(view->currentScreen(), c.expected);
        ASSERT_NE(view->screen(), nullptr);
        EXPECT_EQ(view->screen()->objectName(), screenInfo(c.expected).windowClass);
        EXPECT_EQ(view->tabStrip()->currentIndex(), c.expected);
        for (int i = 0; i < kScreenCount; ++i)
            EXPECT_EQ(frame->toolbar(i)->isVisible(), i == c.expected) << "toolbar of screen " << i;
        ASSERT_NE(frame->menuAction(57670), nullptr);
        EXPECT_EQ(frame->menuAction(57670)->text(), menuCommandText(screenInfo(c.expected).menuResource, 57670));
        frame.reset();
        settle();
    }
}

TEST_F(ShellTest, NoStoredPlacementOpensMaximisedOverAnEightHundredByFourHundredRectangle)
{
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    settle();
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(frame->normalGeometry(), QRect(0, 0, 800, 400));
    frame->close();
    EXPECT_EQ(intValue(settings::kWindowSection, "Zoom"), 1);
    EXPECT_EQ(intValue(settings::kWindowSection, "Icon"), 0);
    EXPECT_EQ(intValue(settings::kWindowSection, "PosX"), 0);
    EXPECT_EQ(intValue(settings::kWindowSection, "PosY"), 0);
    EXPECT_EQ(intValue(settings::kWindowSection, "Width"), 800);
    EXPECT_EQ(intValue(settings::kWindowSection, "Height"), 400);
}

TEST_F(ShellTest, StoredNormalPlacementIsRestoredAndTheNewOneStoredAtExit)
{
    const QList<QPair<QString, int>> stored = {{"PosX", 30}, {"PosY", 40}, {"Width", 900},
                                               {"Height", 500}, {"Zoom", 0}, {"Icon", 0}};
    for (const auto &[name, value] : stored)
        quenkit::SetRegistryInt(settings::kWindowSection, name, value);
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    settle();
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_EQ(frame->geometry(), QRect(30, 40, 900, 500));

    frame->setGeometry(50, 60, 1000, 600);
    settle();
    frame->close();
    const QList<QPair<QString, int>> expected = {{"PosX", 50}, {"PosY", 60}, {"Width", 1000},
                                                 {"Height", 600}, {"Zoom", 0}, {"Icon", 0}};
    for (const auto &[name, value] : expected)
        EXPECT_EQ(intValue(settings::kWindowSection, name), value) << name.toStdString();
}

// The opening picture stays until the view first paints; then the window becomes opaque and
// takes its title.
TEST_F(ShellTest, OpeningPictureGoesAtTheFirstPaint)
{
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->view()->isOpening());
    EXPECT_TRUE(anyTopLevel("dalmain::OpeningPicture"));
    EXPECT_EQ(frame->windowOpacity(), 0.0);
    EXPECT_EQ(frame->windowTitle(), "Dalmora");
    settle();
    EXPECT_FALSE(frame->view()->isOpening());
    EXPECT_FALSE(anyTopLevel("dalmain::OpeningPicture"));
    EXPECT_EQ(frame->windowOpacity(), 1.0);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("新規 - Dalmora"));
    frame->view()->setOpenUserName(QStringLiteral("佐藤 一郎"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("佐藤 一郎 - Dalmora"));
}

TEST_F(ShellTest, StartSetsModeCheckTheWorkingDayAndTheInputMethodSwitch)
{
    struct Case {
        const char *name;
        QString day;       // stored before
        QString ime;       // SystemSet4 stored before, empty for none
        QString dayAfter;
        bool imeAfter;
    };
    const QList<Case> cases = {
        {"fresh", "", "", "2024/05/10", true},
        {"day kept, input method off", "2023/01/02", "0", "2023/01/02", false},
        {"input method on", "2023/01/02", "1", "2023/01/02", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempFolders fresh;
        prepareInstallation(fresh);
        setSystem(settings::kModeCheck, "1");
        if (!c.day.isEmpty())
            setSystem(settings::kDay, c.day);
        if (!c.ime.isEmpty())
            setSystem(settings::kSystemSet4, c.ime);
        auto frame = start();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(system(settings::kModeCheck), "0");
        EXPECT_EQ(system(settings::kDay), c.dayAfter);
        EXPECT_EQ(settings::imeControl(), c.imeAfter);
        frame.reset();
        settle();
    }
}

// "DM1.INI" hands FoodPic and DataDir3 over to the installation settings; DataDir3 only once.
TEST(StartupFile, CarriesFoodPicAndThePhotoFolderOverOnce)
{
    struct Case {
        const char *name;
        QString content;            // written in Shift-JIS; empty: no file
        QString foodPic;            // expected setting, empty: not written
        QString photoFolder;
        QString fileAfter;          // expected DataDir3 in the file afterwards
    };
    const QList<Case> cases = {
        {"both values", "; 旧版\r\n[Dalmroa System]\r\nDataDir=C:\\Dalmain\\\r\nFoodPic=1\r\nDataDir3=D:\\食品写真\\\r\n",
         "1", "D:\\食品写真\\", "nothing"},
        {"both absent", "[Dalmroa System]\r\nFoodPic=99\r\nDataDir3=nothing\r\n", "", "", "nothing"},
        {"names in other case", "[dalmroa system]\nfoodpic=0\n", "0", "", ""},
        {"other section only", "[Other]\nFoodPic=1\nDataDir3=E:\\\n", "", "", ""},
        {"no file", "", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempFolders folders;
        const QString path = folders.root() + "/DM1.INI";
        if (!c.content.isEmpty()) {
            ASSERT_TRUE(testsupport::writeFile(path, quenkit::toSjis(c.content)));
        }
        carryOverStartupFile(path);
        QString value;
        EXPECT_EQ(quenkit::GetUserRegistryString("FoodPic", nullptr, value), c.foodPic.isEmpty() ? 0 : 1);
        EXPECT_EQ(value, c.foodPic);
        EXPECT_EQ(quenkit::GetUserRegistryString("DataDir3", nullptr, value), c.photoFolder.isEmpty() ? 0 : 1);
        EXPECT_EQ(value, c.photoFolder);
        EXPECT_EQ(readProfileString(path, "Dalmroa System", "DataDir3", QString()), c.fileAfter);
        if (c.name == std::string("both values")) {
            // Everything else in the file stays as it was.
            EXPECT_EQ(quenkit::fromSjis(testsupport::readFile(path)),
                      QString(c.content).replace("DataDir3=D:\\食品写真\\", "DataDir3=nothing"));
        }
    }
}

TEST_F(ShellTest, StartTakesTheStartupFileFromTheConfigurationFolder)
{
    ASSERT_TRUE(testsupport::writeFile(folders.configDir() + "/DM1.INI",
                                       quenkit::toSjis(QStringLiteral("[Dalmroa System]\r\nFoodPic=1\r\nDataDir3=/写真/\r\n"))));
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(quenkit::GetUserRegistryInt("FoodPic", -1), 1);
    QString photos;
    quenkit::GetUserRegistryString("DataDir3", nullptr, photos);
    EXPECT_EQ(photos, QStringLiteral("/写真/"));
}

// Ending the program: the user screen is saved silently, the placement is stored, IDD_DMEND
// asks unless SystemSet7 says not to, and the open user's name is kept for the next start.
TEST_F(ShellTest, ExitAsksUnlessSwitchedOffAndStoresTheOpenUser)
{
    setSystem(settings::kSystemSet7, "0");
    setSystem(settings::kUserName, "前の人");
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    settle();
    frame->view()->setOpenUserName(QStringLiteral("鈴木 一郎"));

    whenModal([](QWidget *dialog) {
        EXPECT_EQ(dialog->objectName(), "IDD_DMEND");
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Dalmoraの終了"));
        ASSERT_NE(buttonWithText(dialog, QStringLiteral("終了")), nullptr);
        buttonWithText(dialog, QStringLiteral("ｷｬﾝｾﾙ"))->click();
    });
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(log.checks, QList<LeaveCheck::Mode>{LeaveCheck::Mode::Silent});
    EXPECT_EQ(intValue(settings::kWindowSection, "Zoom"), 1) << "the placement is stored before the question";
    EXPECT_EQ(system(settings::kUserName), QStringLiteral("前の人"));
    EXPECT_EQ(log.finished, 0);

    whenModal([](QWidget *dialog) { buttonWithText(dialog, QStringLiteral("終了"))->click(); });
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(system(settings::kUserName), QStringLiteral("鈴木 一郎"));
    EXPECT_EQ(log.finished, 1);
    frame.reset();
    EXPECT_EQ(log.finished, 1) << "the pending work was finished twice";

    setSystem(settings::kSystemSet7, "1");
    NoModalDialog guard;
    auto again = startRecording();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->close());
    EXPECT_EQ(system(settings::kUserName), QString()) << "no user open at the end";
}
