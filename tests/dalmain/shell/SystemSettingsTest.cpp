// The system settings: what the dialog shows, what OK stores and refuses, the folders, the
// write test of the installation store, and what the program does with the stored values.

#include "ShellTestSupport.h"

#include "dalmain/master/ReferenceIntakeStandards.h"
#include "dalmain/screens/menu/NutrientColumnsDialog.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/HelpWindow.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/shell/SystemSettingsDialog.h"
#include "dalmain/master/Nutrients.h"
#include "quenkit/dbf/Dbf.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>

using namespace dalmain;
using namespace shelltest;

namespace {

const QString kSep = QDir::separator();

QString installValue(const QString &name)
{
    QString value;
    quenkit::GetUserRegistryString(name, nullptr, value);
    return value;
}

// The installation store's file made a folder: every write to the store fails, reads find nothing.
void breakInstallationStore(const testsupport::TempFolders &folders)
{
    const QString file = folders.configDir() + QStringLiteral("/install.ini");
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
}

class SystemSettingsTest : public ShellTest
{
protected:
    SystemSettingsTest()
    {
        // The folders as an installation leaves them; the data folder of the test is the one in use.
        quenkit::SetUserRegistryString(settings::kDataDir2, native(folders.dataDir()));
        quenkit::SetUserRegistryString(settings::kFoodPic, QStringLiteral("1"));
        QDir(folders.root()).mkpath(QStringLiteral("photos"));
        quenkit::SetUserRegistryString(settings::kDataDir3, native(folders.root() + QStringLiteral("/photos")));
    }

    static QString native(const QString &folder) { return QDir::toNativeSeparators(folder + QLatin1Char('/')); }

    // A shown dialog, active, so that the focus can be followed.
    std::unique_ptr<SystemSettingsDialog> openDialog()
    {
        auto dialog = std::make_unique<SystemSettingsDialog>(&owner);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        settle();
        return dialog;
    }
};

}  // namespace

TEST_F(SystemSettingsTest, OpensWithTheDefaultsOfAFreshInstallation)
{
    auto dialog = openDialog();
    // 311 is checked because the installation of the fixture asks for no confirmation at exit.
    const QList<QPair<int, bool>> boxes = {{305, true}, {306, false}, {310, true}, {307, true}, {308, true}, {311, true}};
    for (const auto &[id, checked] : boxes) {
        SCOPED_TRACE(id);
        ASSERT_NE(dialog->checkBox(id), nullptr);
        EXPECT_EQ(dialog->checkBox(id)->isChecked(), checked);
    }
    EXPECT_EQ(dialog->firstScreenList()->currentText(), "最初にユーザー情報の画面を開く");
    EXPECT_EQ(dialog->firstScreenList()->count(), 6);
    EXPECT_EQ(dialog->standardList()->currentText(), "食事摂取基準(2010年版)");
    EXPECT_EQ(dialog->dataFolderEdit()->text(), native(folders.dataDir()));
    EXPECT_FALSE(dialog->photoFolderEdit()->isReadOnly());
    EXPECT_TRUE(dialog->photoFolderBrowse()->isEnabled());
    EXPECT_EQ(dialog->windowTitle(), "システムの設定");
}

TEST_F(SystemSettingsTest, OpensWithTheStoredValues)
{
    for (const char *name : {"SystemSet1", "SystemSet3", "SystemSet4", "SystemSet6"})
        setSystem(name, "0");
    setSystem("SystemSet7", "0");
    setSystem("Kidou", "3");
    auto dialog = openDialog();
    for (int id : {305, 307, 308, 310, 311}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(dialog->checkBox(id)->isChecked());
        EXPECT_TRUE(dialog->checkBox(id)->isEnabled());
    }
    EXPECT_EQ(dialog->firstScreenList()->currentIndex(), 3);
}

// The default standard list offers every user-defined standard and preselects DefSyoyo.
TEST_F(SystemSettingsTest, StandardListPreselectsDefSyoyoAndOkStoresTheChosenText)
{
    ASSERT_EQ(quenkit::createDbfTable(kStandardsTable, standardsTableFields()), 1);
    for (const char *heading : {"高校生男子", "減塩中"}) {
        QByteArray body = quenkit::sjisField(quenkit::toSjis(QString::fromUtf8(heading)), kStandardHeadingWidth)
                          + quenkit::sjisField("", kStandardKeywordWidth);
        for (int i = 0; i < 2 * kNutrientCount; ++i)
            body += "    0.0";
        ASSERT_EQ(quenkit::WriteDBFRecord(nullptr, kStandardsTable, body, standardsHeadingField(),
                                          quenkit::WriteOrOverwrite),
                  1);
    }
    setSystem("DefSyoyo", "減塩中");
    auto dialog = openDialog();
    EXPECT_EQ(dialog->standardList()->count(), 3);
    EXPECT_EQ(dialog->standardList()->currentText(), "減塩中");
    dialog->standardList()->setCurrentIndex(dialog->standardList()->findText("高校生男子"));
    dialog->okButton()->click();
    EXPECT_EQ(system("DefSyoyo"), "高校生男子");
}

// While 306 is checked 310 is cleared and cannot be changed; OK then stores SystemSet6 "0".
TEST_F(SystemSettingsTest, LastEditedDateClearsAndLocksTheSharedDate)
{
    auto dialog = openDialog();
    QCheckBox *lastEdited = dialog->checkBox(306);
    QCheckBox *shared = dialog->checkBox(310);
    ASSERT_TRUE(shared->isChecked());
    QTest::mouseClick(lastEdited, Qt::LeftButton, {}, QPoint(8, lastEdited->height() / 2));
    ASSERT_TRUE(lastEdited->isChecked());
    EXPECT_FALSE(shared->isChecked());
    EXPECT_FALSE(shared->isEnabled());
    QTest::mouseClick(shared, Qt::LeftButton, {}, QPoint(8, shared->height() / 2));
    EXPECT_FALSE(shared->isChecked());

    QTest::mouseClick(lastEdited, Qt::LeftButton, {}, QPoint(8, lastEdited->height() / 2));
    EXPECT_TRUE(shared->isEnabled());
    EXPECT_FALSE(shared->isChecked());
    QTest::mouseClick(lastEdited, Qt::LeftButton, {}, QPoint(8, lastEdited->height() / 2));

    dialog->okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(system("SystemSet2"), "1");
    EXPECT_EQ(system("SystemSet6"), "0");
}

TEST_F(SystemSettingsTest, LastEditedDateStoredBeforeOpensWithTheSharedDateLocked)
{
    setSystem("SystemSet2", "1");
    setSystem("SystemSet6", "1");
    auto dialog = openDialog();
    EXPECT_FALSE(dialog->checkBox(310)->isChecked());
    EXPECT_FALSE(dialog->checkBox(310)->isEnabled());
}

// Each box stores "1" or "0", SystemSet5 becomes "0", Kidou the chosen index.
TEST_F(SystemSettingsTest, OkStoresEveryBoxAndTheFirstScreen)
{
    setSystem("SystemSet5", "1");
    auto dialog = openDialog();
    const QList<QPair<int, QString>> boxes = {{305, "SystemSet1"}, {306, "SystemSet2"}, {310, "SystemSet6"},
                                              {307, "SystemSet3"}, {308, "SystemSet4"}, {311, "SystemSet7"}};
    QMap<QString, QString> expected;
    for (const auto &[id, name] : boxes) {
        // Each box toggled from what it showed, except 310, which 306 now clears.
        QCheckBox *box = dialog->checkBox(id);
        if (box->isEnabled())
            box->setChecked(!box->isChecked());
        expected[name] = box->isChecked() ? "1" : "0";
    }
    dialog->firstScreenList()->setCurrentIndex(5);
    dialog->okButton()->click();
    ASSERT_FALSE(dialog->isVisible());
    for (const auto &[name, value] : expected.asKeyValueRange())
        EXPECT_EQ(system(name), value) << name.toStdString();
    EXPECT_EQ(expected["SystemSet1"], "0");
    EXPECT_EQ(expected["SystemSet2"], "1");
    EXPECT_EQ(system("SystemSet5"), "0");
    EXPECT_EQ(system("Kidou"), "5");
    EXPECT_TRUE(owner.messages().isEmpty()) << owner.texts().join('|').toStdString();
}

TEST_F(SystemSettingsTest, CancelStoresNothing)
{
    auto dialog = openDialog();
    dialog->checkBox(305)->setChecked(false);
    dialog->firstScreenList()->setCurrentIndex(2);
    dialog->dataFolderEdit()->setText(folders.root());
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(system("SystemSet1"), "");
    EXPECT_EQ(system("Kidou"), "");
    EXPECT_EQ(installValue("DataDir2"), native(folders.dataDir()));
}

// "前回終了時の画面を開く" makes the next start open the screen that was open at the last exit.
TEST_F(SystemSettingsTest, LastScreenChoiceOpensTheExitScreenAtTheNextStart)
{
    {
        auto dialog = openDialog();
        dialog->firstScreenList()->setCurrentIndex(5);
        dialog->okButton()->click();
    }
    ASSERT_EQ(system("Kidou"), "5");
    setSystem("UserName", "山田花子");
    setSystem("ExitScreen", "3");
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->view()->currentScreen(), WeightScreen);
}

// An empty or missing folder is refused with its message and the focus on its edit; nothing is
// stored, not even the boxes, and a missing folder is not created by the check.
TEST_F(SystemSettingsTest, EmptyOrMissingFolderIsRefusedAndNothingStored)
{
    const QString missing = folders.root() + QStringLiteral("/not-there/deeper");
    struct Case {
        const char *name;
        QString data;
        QString photo;
        QString text;
        bool onPhoto;
    };
    const QList<Case> cases = {
        {"empty data folder", "  ", native(folders.root()), "五訂モードのフォルダを設定してください。", false},
        {"missing data folder", missing, native(folders.root()),
         "指定された五訂モードのデータフォルダは存在しません。\n五訂モードのデータフォルダを、再度確認して下さい。",
         false},
        {"a file as data folder", folders.dataFile("jk2010.dat"), native(folders.root()),
         "指定された五訂モードのデータフォルダは存在しません。\n五訂モードのデータフォルダを、再度確認して下さい。",
         false},
        {"empty photo folder", native(folders.root()), "", "写真フォルダを設定してください。", true},
        {"missing photo folder", native(folders.root()), missing,
         "指定された写真のデータフォルダは存在しません。\n写真のデータフォルダを、再度確認して下さい。", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        owner.clear();
        auto dialog = openDialog();
        dialog->checkBox(305)->setChecked(false);
        dialog->dataFolderEdit()->setText(c.data);
        dialog->photoFolderEdit()->setText(c.photo);
        dialog->okButton()->click();
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_EQ(owner.messages().size(), 1);
        EXPECT_EQ(owner.messages()[0].caption, "データフォルダについて");
        EXPECT_EQ(owner.messages()[0].text, c.text);
        QLineEdit *edit = c.onPhoto ? dialog->photoFolderEdit() : dialog->dataFolderEdit();
        EXPECT_EQ(QApplication::focusWidget(), edit);
        EXPECT_EQ(system("SystemSet1"), "");
        EXPECT_EQ(system("SystemSet5"), "");
        EXPECT_EQ(installValue("DataDir2"), native(folders.dataDir()));
        EXPECT_EQ(installValue("DataDir3"), native(folders.root() + "/photos"));
        EXPECT_FALSE(QFileInfo::exists(folders.root() + "/not-there"));
    }
}

// A folder is stored as a full path ending in the separator, however it was typed.
TEST_F(SystemSettingsTest, FoldersAreStoredWithTheFinalSeparator)
{
    QDir(folders.root()).mkpath("moved/photos");
    const QString moved = QDir::toNativeSeparators(folders.root() + "/moved");
    auto dialog = openDialog();
    dialog->dataFolderEdit()->setText(moved);
    dialog->photoFolderEdit()->setText(" " + moved + kSep + "photos" + kSep + kSep);
    dialog->okButton()->click();
    ASSERT_FALSE(dialog->isVisible()) << owner.texts().join('|').toStdString();
    EXPECT_TRUE(dialog->dataFolderChanged());
    EXPECT_EQ(installValue("DataDir2"), moved + kSep);
    EXPECT_EQ(installValue("DataDir3"), moved + kSep + "photos" + kSep);
}

TEST(FolderSetting, TypedFoldersBecomeFullPathsEndingInTheSeparator)
{
    const QString root = QDir::rootPath();
    const QString cwd = QDir::currentPath();
    const QList<QPair<QString, QString>> cases = {
        {"", ""},
        {"   ", ""},
        {root + "a/b", root + "a/b/"},
        {root + "a/b/", root + "a/b/"},
        {root + "a/./c/../b//", root + "a/b/"},
        {"rel", cwd + "/rel/"},
        {root, root},
    };
    for (const auto &[typed, expected] : cases) {
        SCOPED_TRACE(typed.toStdString());
        EXPECT_EQ(folderSetting(typed), QDir::toNativeSeparators(expected));
    }
}

// Without food photos the photo folder shows the note, cannot be edited or browsed, and is
// neither checked nor stored, even when DataDir3 names a folder that no longer exists.
TEST_F(SystemSettingsTest, WithoutFoodPhotosThePhotoFolderIsLeftAlone)
{
    quenkit::SetUserRegistryString(settings::kFoodPic, "0");
    const QString gone = native(folders.root() + "/gone");
    quenkit::SetUserRegistryString(settings::kDataDir3, gone);
    auto dialog = openDialog();
    EXPECT_EQ(dialog->photoFolderEdit()->text(), "※食品写真がｲﾝｽﾄｰﾙされていません。");
    EXPECT_TRUE(dialog->photoFolderEdit()->isReadOnly());
    EXPECT_FALSE(dialog->photoFolderBrowse()->isEnabled());
    dialog->okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(owner.messages().isEmpty()) << owner.texts().join('|').toStdString();
    EXPECT_EQ(installValue("DataDir3"), gone);
    EXPECT_FALSE(dialog->dataFolderChanged());
}

// "参照" asks with the folder's own title and puts the chosen folder, with its separator, in the edit.
TEST_F(SystemSettingsTest, BrowseFillsTheEditWithTheChosenFolder)
{
    auto dialog = openDialog();
    QStringList titles;
    QStringList starts;
    QString answer = folders.root();
    dialog->setFolderChooser([&](QWidget *, const QString &title, const QString &start) {
        titles.append(title);
        starts.append(start);
        return answer;
    });
    QTest::mouseClick(dialog->dataFolderBrowse(), Qt::LeftButton);
    QTest::mouseClick(dialog->photoFolderBrowse(), Qt::LeftButton);
    EXPECT_EQ(titles, QStringList({"システムデータのフォルダを選択してください。", "食品写真のフォルダを選択してください。"}));
    EXPECT_EQ(starts[0], native(folders.dataDir()));
    EXPECT_EQ(dialog->dataFolderEdit()->text(), native(folders.root()));
    EXPECT_EQ(dialog->photoFolderEdit()->text(), native(folders.root()));
    // A cancelled browser leaves the edit as it was.
    answer.clear();
    dialog->dataFolderEdit()->setText("typed");
    QTest::mouseClick(dialog->dataFolderBrowse(), Qt::LeftButton);
    EXPECT_EQ(dialog->dataFolderEdit()->text(), "typed");
}

TEST_F(SystemSettingsTest, HelpShowsTheSystemSettingsPage)
{
    auto dialog = openDialog();
    QTest::mouseClick(buttonWithText(dialog.get(), "ヘルプ"), Qt::LeftButton);
    ASSERT_NE(openHelpWindow(), nullptr);
    EXPECT_EQ(openHelpWindow()->currentTopic(), "guide/option/system");
    EXPECT_FALSE(openHelpWindow()->page()->toPlainText().isEmpty());
    delete openHelpWindow();
}

// A folder the installation store refuses keeps its old value and is reported; the other
// settings are stored all the same.
TEST_F(SystemSettingsTest, RefusedFolderWriteIsReportedAndTheRestStored)
{
    auto dialog = openDialog();
    dialog->checkBox(305)->setChecked(false);
    dialog->firstScreenList()->setCurrentIndex(1);
    breakInstallationStore(folders);
    dialog->okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->dataFolderChanged());
    ASSERT_EQ(owner.messages().size(), 2) << owner.texts().join('|').toStdString();
    EXPECT_EQ(owner.messages()[0].caption, "フォルダの設定に失敗しました。");
    EXPECT_EQ(owner.messages()[0].text,
              "システムデータのフォルダ設定に失敗しました。\n管理者の権限のあるユーザーで行ってください。");
    EXPECT_EQ(owner.messages()[1].caption, "フォルダの設定に失敗しました。");
    EXPECT_EQ(owner.messages()[1].text,
              "食品写真のフォルダ設定に失敗しました。\n管理者の権限のあるユーザーで行ってください。");
    EXPECT_EQ(system("SystemSet1"), "0");
    EXPECT_EQ(system("Kidou"), "1");
}

// "システムの設定" first writes TEST to the installation store; the dialog opens only when that
// works, and the focus then goes back to the screen's first control.
TEST_F(SystemSettingsTest, MenuCommandTestsTheInstallationStoreAndOpensTheDialog)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    QApplication::setActiveWindow(frame.get());
    settle();
    QString opened;
    whenModal([&](QWidget *dialog) {
        opened = dialog->objectName();
        if (auto *d = qobject_cast<QDialog *>(dialog))
            d->reject();
    });
    EXPECT_TRUE(frame->view()->runCommand(cmd::SystemSettings));
    EXPECT_EQ(opened, "IDD_SET_SYSTEM");
    EXPECT_EQ(installValue("TEST"), "VISTA");
    QWidget *first = frame->view()->screen()->firstControl();
    EXPECT_EQ(first->window()->focusWidget(), first);
}

TEST_F(SystemSettingsTest, UnwritableInstallationStoreShowsTheRightsMessageInstead)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    breakInstallationStore(folders);
    QStringList opened;
    whenModal([&](QWidget *dialog) {
        opened.append(dialog->objectName());
        const QString text = dialog->findChild<QLabel *>()->text();
        EXPECT_TRUE(text.contains("権限")) << text.toStdString();
        QTest::mouseClick(buttonWithText(dialog, "OK"), Qt::LeftButton);
    });
    EXPECT_TRUE(frame->view()->runCommand(cmd::SystemSettings));
    settle();
    EXPECT_EQ(opened, QStringList{"IDD_MESSAGEVISTA"});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(system("SystemSet5"), "");
}

// A new data folder: the screen stores its work while the old folder is still in use, then no
// user is open and the user screen starts afresh. A screen that cannot store keeps everything.
TEST_F(SystemSettingsTest, NewDataFolderFirstLetsTheScreenStoreItsWork)
{
    QDir(folders.root()).mkpath("other");
    const QString other = native(folders.root() + "/other");
    for (const bool screenStores : {false, true}) {
        SCOPED_TRACE(screenStores);
        auto frame = startRecording();
        ASSERT_NE(frame, nullptr);
        frame->view()->setOpenUserName("山田花子");
        QPointer<ScreenWindow> before = frame->view()->screen();
        log.checks.clear();
        log.allowLeave = screenStores;
        QString storedDuringCheck;
        log.onCheck = [&] { storedDuringCheck = installValue("DataDir2"); };
        bool stayed = false;
        whenModal([&](QWidget *w) {
            auto *dialog = qobject_cast<SystemSettingsDialog *>(w);
            ASSERT_NE(dialog, nullptr);
            dialog->dataFolderEdit()->setText(other);
            dialog->checkBox(305)->setChecked(false);
            dialog->okButton()->click();
            stayed = dialog->isVisible();
            if (stayed)
                dialog->reject();
        });
        frame->view()->runCommand(cmd::SystemSettings);
        settle();
        ASSERT_EQ(log.checks.size(), 1);
        EXPECT_EQ(log.checks[0], LeaveCheck::Mode::WithMessages);
        EXPECT_EQ(storedDuringCheck, native(folders.dataDir()));
        EXPECT_EQ(stayed, !screenStores);
        if (screenStores) {
            EXPECT_EQ(installValue("DataDir2"), other);
            EXPECT_EQ(system("SystemSet1"), "0");
            EXPECT_TRUE(before.isNull());
            EXPECT_EQ(frame->view()->currentScreen(), UserScreen);
            EXPECT_EQ(frame->view()->openUserName(), "");
        } else {
            EXPECT_EQ(installValue("DataDir2"), native(folders.dataDir()));
            EXPECT_EQ(system("SystemSet1"), "");
            EXPECT_FALSE(before.isNull());
            EXPECT_EQ(frame->view()->openUserName(), "山田花子");
        }
        frame.reset();
        settle();
    }
}

// The same folder typed again is no change: the screen is not asked and stays.
TEST_F(SystemSettingsTest, UnchangedDataFolderKeepsTheScreen)
{
    auto frame = startRecording();
    ASSERT_NE(frame, nullptr);
    QPointer<ScreenWindow> before = frame->view()->screen();
    whenModal([&](QWidget *w) {
        auto *dialog = qobject_cast<SystemSettingsDialog *>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->dataFolderEdit()->setText(QDir::toNativeSeparators(folders.dataDir()));
        dialog->okButton()->click();
    });
    frame->view()->runCommand(cmd::SystemSettings);
    settle();
    EXPECT_TRUE(log.checks.isEmpty());
    EXPECT_FALSE(before.isNull());
}

// The dialogs as a person sees them, left in the build folder.
TEST_F(SystemSettingsTest, Screenshots)
{
    QDir().mkpath(QStringLiteral(SHELL_PNG_DIR));
    {
        auto dialog = openDialog();
        EXPECT_TRUE(dialog->grab().save(QStringLiteral(SHELL_PNG_DIR "/SystemSettings.png")));
    }
    quenkit::SetUserRegistryString(settings::kFoodPic, "0");
    setSystem("SystemSet2", "1");
    {
        auto dialog = openDialog();
        EXPECT_TRUE(dialog->grab().save(QStringLiteral(SHELL_PNG_DIR "/SystemSettingsNoPhotos.png")));
    }
    MessageVistaDialog vista;
    vista.show();
    settle();
    EXPECT_TRUE(vista.grab().save(QStringLiteral(SHELL_PNG_DIR "/MessageVista.png")));
    for (const MenuColumnSet set : {MenuColumnSet::Normal, MenuColumnSet::Alternative}) {
        NutrientColumnsDialog columns(set);
        columns.show();
        settle();
        const QString name = QStringLiteral(SHELL_PNG_DIR "/NutrientColumns%1.png").arg(columnCount(set));
        EXPECT_TRUE(columns.grab().save(name));
    }
}
