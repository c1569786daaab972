// What the program does for the user screen when it starts and ends: the reference intakes are
// loaded, the food index is made anew, the user open at the last exit is open again, and at the
// end a profile entered is saved once and remembered for the next start.

#include "UserScreenSupport.h"

#include "dalmain/master/FoodTable.h"
#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/screens/user/UserInfomation.h"
#include "dalmain/shell/DalmainView.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/userdata/UserSession.h"

#include <QFile>
#include <QLineEdit>

namespace {

using namespace dalmain;

class UserStartTest : public shelltest::ShellTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(usertest::installUserTemplates(folders));
        openUserSession().clear();
    }
    void TearDown() override { openUserSession().clear(); }

    // Saves hanako as a user the way the screen does, then forgets that she is open.
    void saveHanako()
    {
        ASSERT_EQ(LoadReferenceIntakes(&owner, referenceIntakes()), IntakeLoad::Loaded);
        UserEntries entries = userfixtures::hanako();
        ASSERT_EQ(openUserSession().save(&owner, entries, CheckMode::Silent,
                                         [] { return FirstWeight{2024, 5, 10, 52.5}; }),
                  SaveResult::Created);
        openUserSession().clear();
        referenceIntakes() = ReferenceIntakeTables{};
        owner.clear();
    }

    static QString shownName(const MainFrame &frame)
    {
        const auto *name = frame.view()->findChild<QLineEdit *>(QStringLiteral("name"));
        return name ? name->text() : QStringLiteral("(no name field)");
    }
};

TEST_F(UserStartTest, TheUserOpenAtTheLastExitIsOpenAgainWhenTheSettingSaysSo)
{
    saveHanako();
    struct Case {
        const char *name;
        QString userName;
        const char *systemSet3;
        bool reopened;
    };
    const Case cases[] = {
        {"setting on", QStringLiteral("山田花子"), "1", true},
        {"setting unset means on", QStringLiteral("山田花子"), "", true},
        {"setting off", QStringLiteral("山田花子"), "0", false},
        {"user deleted since", QStringLiteral("山田太郎"), "1", false},
        {"no user at the last exit", QString(), "1", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        openUserSession().clear();
        owner.clear();
        setSystem(settings::kUserName, c.userName);
        if (*c.systemSet3)
            setSystem(settings::kSystemSet3, QString::fromLatin1(c.systemSet3));
        else
            quenkit::DeleteRegistryString(settings::kSystemSection, settings::kSystemSet3);
        auto frame = start();
        ASSERT_NE(frame, nullptr);
        settle();
        EXPECT_TRUE(owner.messages().isEmpty()) << owner.texts().join(u'|').toStdString();
        EXPECT_EQ(openUserSession().isOpen(), c.reopened);
        EXPECT_EQ(shownName(*frame), c.reopened ? QStringLiteral("山田花子") : QString());
        EXPECT_EQ(frame->windowTitle(), c.reopened ? QStringLiteral("山田花子 - Dalmora") : QStringLiteral("新規 - Dalmora"));
        if (c.reopened) {
            // Her reference values come from the file loaded at this start.
            EXPECT_EQ(openUserSession().intakeStandard()[0].lower, 2000.0);
        }
        frame.reset();
        // The program stores who was open when it ends.
        EXPECT_EQ(system(settings::kUserName), c.reopened ? QStringLiteral("山田花子") : QString());
    }
}

TEST_F(UserStartTest, AMissingReferenceIntakesFileIsReportedAndTheProgramRunsOn)
{
    ASSERT_TRUE(QFile::remove(folders.dataFile(QStringLiteral("jk2010.dat"))));
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(owner.messages().size(), 1);
    const quenkit::Message &m = owner.messages().first();
    EXPECT_EQ(m.caption, QStringLiteral("確認"));
    EXPECT_EQ(m.text, QStringLiteral("日本人の食事摂取基準2010年版の読込に失敗しました。"));
    EXPECT_EQ(m.icon, quenkit::Icon::Warning);
    settle();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->view()->currentScreen(), UserScreen);
}

TEST_F(UserStartTest, TheFoodIndexIsMadeAnewFromTheFoodTable)
{
    const QString table = QStringLiteral("食品.FDB");
    const QString index = QStringLiteral("食品.IDX");
    ASSERT_TRUE(QFile::copy(userfixtures::kShipped + table, folders.dataFile(table)));
    QFile::setPermissions(folders.dataFile(table), QFile::ReadOwner | QFile::WriteOwner);
    // An index left from another table: one food, number 9.
    ASSERT_TRUE(testsupport::writeFile(folders.dataFile(index), QByteArray("\x01\x00\x09\x00", 4)));

    auto frame = start();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(testsupport::readFile(folders.dataFile(index)), testsupport::readFile(userfixtures::kShipped + index));
    EXPECT_TRUE(owner.messages().isEmpty());
}

TEST_F(UserStartTest, AtTheEndANewProfileIsOfferedOnceAndItsUserRemembered)
{
    ASSERT_EQ(LoadReferenceIntakes(&owner, referenceIntakes()), IntakeLoad::Loaded);
    const QString question = QStringLiteral("山田花子さんを新しく保存します。\nよろしいですか？");
    struct Case {
        const char *name;
        quenkit::Answer answer;  // to the new-user question
        bool closed;             // the window is closed; else the program ends without it
        QString remembered;
    };
    const Case cases[] = {
        {"closed, Yes", quenkit::Answer::Yes, true, QStringLiteral("山田花子")},
        {"closed, No", quenkit::Answer::No, true, QString()},
        {"ended without closing, Yes", quenkit::Answer::Yes, false, QStringLiteral("山田花子")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // No user yet: the previous case's user and files go.
        QFile::remove(folders.dataFile(kUserTable));
        for (const QString &file : userFileNames(0))
            QFile::remove(folders.dataFile(file));
        openUserSession().clear();
        setSystem(settings::kUserName, QString());
        auto frame = start();
        ASSERT_NE(frame, nullptr);
        settle();
        auto *screen = frame->view()->findChild<UserInfomation *>();
        ASSERT_NE(screen, nullptr);
        int prompts = 0;
        screen->setWeightPrompt([&prompts] {
            ++prompts;
            return std::optional<FirstWeight>(FirstWeight{2024, 5, 10, 52.5});
        });
        screen->showEntries(userfixtures::hanako());
        owner.clear();
        owner.queueAnswer(c.answer);
        if (c.closed) {
            EXPECT_TRUE(frame->close());
        }
        frame.reset();
        EXPECT_EQ(prompts, 1);
        EXPECT_EQ(owner.texts(), QStringList{question});
        EXPECT_EQ(system(settings::kUserName), c.remembered);
        EXPECT_EQ(findUserRecord(QStringLiteral("山田花子")).has_value(), c.answer == quenkit::Answer::Yes);
    }
}

}  // namespace
