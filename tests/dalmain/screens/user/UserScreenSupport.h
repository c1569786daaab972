#pragma once

// The user screen under test: the shell's test set-up (which brings the reference intakes) with
// the shipped templates in the data folder, the open user cleared, and a screen whose weight
// prompt answers from the test.

#include "ShellTestSupport.h"
#include "UserFixtures.h"

#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/screens/user/UserInfomation.h"

#include <QFile>

#include <memory>
#include <optional>

namespace usertest {

// The shipped templates of a user's files and the empty tables of users and standards.
inline bool installUserTemplates(const testsupport::TempFolders &folders)
{
    for (const QString &name : {QStringLiteral("体重.DBF"), QStringLiteral("運動.DBF"), QStringLiteral("所要量.DBF"),
                               QStringLiteral("ﾕｰｻﾞ情報.DBF")}) {
        if (!QFile::copy(userfixtures::kShipped + name, folders.dataFile(name)))
            return false;
        QFile::setPermissions(folders.dataFile(name), QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

class UserScreenTest : public shelltest::ShellTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(installUserTemplates(folders));
        ASSERT_EQ(dalmain::LoadReferenceIntakes(&owner, dalmain::referenceIntakes()), dalmain::IntakeLoad::Loaded);
        dalmain::openUserSession().clear();
        screen = std::make_unique<dalmain::UserInfomation>(dalmain::ScreenContext{nullptr, &owner});
        screen->setWeightPrompt([this]() -> std::optional<dalmain::FirstWeight> {
            ++prompts;
            return weight;
        });
        screen->resize(900, 700);
        screen->show();
        screen->activateWindow();
        settle();
    }
    void TearDown() override
    {
        screen.reset();
        dalmain::openUserSession().clear();
    }

    template <typename T = QWidget>
    T *field(const char *name) const
    {
        return screen->findChild<T *>(QString::fromLatin1(name));
    }

    std::unique_ptr<dalmain::UserInfomation> screen;
    std::optional<dalmain::FirstWeight> weight = dalmain::FirstWeight{2024, 5, 10, 52.5};
    int prompts = 0;
};

}  // namespace usertest
