// The search list that opens a user, and opening the chosen user on the screen.

#include "UserScreenSupport.h"

#include "dalmain/screens/user/UserInfoView.h"
#include "dalmain/screens/user/StandardViewer.h"
#include "dalmain/screens/user/UserSearchDialog.h"
#include "dalmain/master/ReferenceIntakeDisplay.h"
#include "dalmain/shell/CommandIds.h"

#include <QLineEdit>

using namespace dalmain;
using namespace usertest;

namespace {

class UserDialogsTest : public UserScreenTest
{
protected:
    void SetUp() override
    {
        UserScreenTest::SetUp();
        for (const auto &[reading, name] : {std::pair{QStringLiteral("ﾀﾅｶ ｲﾁﾛｳ"), QStringLiteral("田中一郎")},
                                            std::pair{QStringLiteral("ｻﾄｳ ｼﾞﾛｳ"), QStringLiteral("佐藤次郎")}}) {
            screen->runCommand(cmd::NewUser);
            screen->showEntries(userfixtures::person(reading, name));
            ASSERT_TRUE(screen->checkAndSave(LeaveCheck::Mode::WithMessages));
        }
        owner.clear();
    }

    static QStringList names(const UserSearchDialog &dialog)
    {
        QStringList result;
        for (const UserListEntry &user : dialog.listed())
            result.append(user.name.trimmed());
        return result;
    }
};

}  // namespace

TEST_F(UserDialogsTest, TheSearchListsUsersByKanaRowOrText)
{
    UserSearchDialog dialog;
    EXPECT_EQ(names(dialog).size(), 2);
    struct Case {
        int row;             // -1: search by text
        const char *text;
        QStringList expected;
    };
    const Case cases[] = {
        {2, "", {QStringLiteral("佐藤次郎")}},
        {3, "", {QStringLiteral("田中一郎")}},
        {0, "", {}},
        {-1, "田中", {QStringLiteral("田中一郎")}},
        {-1, "ｼﾞﾛｳ", {QStringLiteral("佐藤次郎")}},
        {-1, "山田", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << " " << c.text);
        if (c.row >= 0)
            dialog.showRow(c.row);
        else
            dialog.search(QString::fromUtf8(c.text));
        EXPECT_EQ(names(dialog), c.expected);
        EXPECT_EQ(dialog.selected().has_value(), !c.expected.isEmpty());
    }
}

TEST_F(UserDialogsTest, TheChosenUserIsOpenedOnlyAfterYes)
{
    UserSearchDialog dialog;
    dialog.search(QStringLiteral("田中"));
    const std::optional<UserListEntry> chosen = dialog.selected();
    ASSERT_TRUE(chosen.has_value());

    owner.queueAnswer(quenkit::Answer::No);
    EXPECT_FALSE(screen->openUser(*chosen));
    EXPECT_EQ(field<QLineEdit>("name")->text(), QStringLiteral("佐藤次郎"));

    owner.clear();
    owner.queueAnswer(quenkit::Answer::Yes);
    EXPECT_TRUE(screen->openUser(*chosen));
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("田中一郎 さんを読み込みます。よろしいですか？")});
    EXPECT_EQ(field<QLineEdit>("name")->text(), QStringLiteral("田中一郎"));
    EXPECT_EQ(openUserSession().profile()->name.trimmed(), QStringLiteral("田中一郎"));
}

TEST_F(UserDialogsTest, DeletingTheOpenUserAfterYesEmptiesTheScreen)
{
    UserSearchDialog dialog(UserSearchDialog::Purpose::Delete);
    ASSERT_EQ(names(dialog), (QStringList{QStringLiteral("佐藤次郎"), QStringLiteral("田中一郎")}));
    // Several can be selected; they come back in list order.
    dialog.select(1);
    dialog.addToSelection(0);
    ASSERT_EQ(dialog.selectedUsers().size(), 2);
    EXPECT_EQ(dialog.selectedUsers()[0].name.trimmed(), QStringLiteral("佐藤次郎"));

    dialog.select(0);
    const QList<UserListEntry> sato = dialog.selectedUsers();
    ASSERT_EQ(sato.size(), 1);
    const QString memo = QStringLiteral("%1.MEM").arg(sato[0].number);
    ASSERT_TRUE(QFile::exists(folders.dataFile(memo)));

    owner.queueAnswer(quenkit::Answer::No);
    EXPECT_EQ(screen->deleteUsers(sato), -1);
    EXPECT_EQ(listUsers().size(), 2);
    EXPECT_EQ(field<QLineEdit>("name")->text(), QStringLiteral("佐藤次郎"));

    owner.clear();
    owner.queueAnswer(quenkit::Answer::Yes);
    EXPECT_EQ(screen->deleteUsers(sato), 1);
    EXPECT_EQ(owner.texts(), QStringList{kDeleteQuestion});
    ASSERT_EQ(listUsers().size(), 1);
    EXPECT_EQ(listUsers()[0].name.trimmed(), QStringLiteral("田中一郎"));
    EXPECT_FALSE(QFile::exists(folders.dataFile(memo)));
    EXPECT_FALSE(openUserSession().isOpen());
    EXPECT_TRUE(field<QLineEdit>("name")->text().isEmpty());
}

TEST_F(UserDialogsTest, TheProfileViewShowsTheStoredValuesAsTexts)
{
    screen->showEntries(userfixtures::hanako());
    ASSERT_TRUE(screen->checkAndSave(LeaveCheck::Mode::WithMessages));
    const std::optional<UserProfile> stored = readUserNamed(QStringLiteral("山田花子"));
    ASSERT_TRUE(stored.has_value());

    const QList<QPair<QString, QString>> expected = {
        {QStringLiteral("フリガナ"), QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ")},
        {QStringLiteral("氏名"), QStringLiteral("山田花子")},
        {QStringLiteral("生年月日"), QStringLiteral("1994年1月20日")},
        {QStringLiteral("年齢"), QStringLiteral("30歳")},
        {QStringLiteral("性別"), QStringLiteral("女性")},
        {QStringLiteral("妊娠・授乳"), QStringLiteral("なし")},
        {QStringLiteral("月経"), QStringLiteral("なし")},
        {QStringLiteral("身長"), QStringLiteral("158.0cm")},
        {QStringLiteral("身体活動レベル"), QStringLiteral("普通")},
        {QStringLiteral("食事摂取基準"), QStringLiteral("食事摂取基準(2010年版)")},
    };
    const QList<QPair<QString, QString>> rows = UserInfoView::rows(*stored);
    ASSERT_GE(rows.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rows[i], expected[i]) << expected[i].first.toStdString();

    // A man's profile leaves the reproductive rows empty.
    UserProfile man = *stored;
    man.sex = 0;
    EXPECT_EQ(UserInfoView::rows(man)[5].second, QString());
    EXPECT_EQ(UserInfoView::rows(man)[6].second, QString());
}

TEST_F(UserDialogsTest, TheStandardViewerShowsEveryNutrientOnItsThreePages)
{
    // 佐藤次郎 is open, on the national standard.
    ASSERT_TRUE(openUserSession().isOpen());
    const IntakeStandard &standard = openUserSession().intakeStandard();
    StandardViewer viewer(openUserSession().profile()->intakeSubject(), standard);
    EXPECT_EQ(viewer.caption(), QStringLiteral("日本人の食事摂取基準(2010年版)"));

    int shown = 0;
    for (int page = 0; page < StandardViewer::kPages; ++page) {
        viewer.showPage(page);
        const QList<QStringList> rows = viewer.pageRows();
        for (int i = 0; i < rows.size(); ++i) {
            const int n = StandardViewer::firstNutrient(page) + i;
            const QString lower = standard[n].lower == 0.0 ? QString() : intakeViewerValue(n, standard[n].lower);
            EXPECT_EQ(rows[i][1], lower) << n;
        }
        shown += rows.size();
    }
    EXPECT_EQ(shown, kNutrientCount);
    // The energy of a man of 40 with normal activity is set, and the pages stop at the last.
    viewer.showPage(0);
    EXPECT_FALSE(viewer.pageRows()[0][1].isEmpty());
    viewer.showPage(StandardViewer::kPages);
    EXPECT_EQ(viewer.page(), StandardViewer::kPages - 1);
}
