#include "quenkit/owner/Owner.h"
#include "quenkit/owner/ScriptedOwner.h"

#include <gtest/gtest.h>

using namespace quenkit;

TEST(Owner, NullOwnerAnswersAffirmatively)
{
    EXPECT_TRUE(askYesNo(nullptr, QStringLiteral("削除"), QStringLiteral("よろしいですか？")));
    EXPECT_EQ(ask(nullptr, Message{{}, {}, Buttons::OkCancel, Icon::None, Answer::Cancel}), Answer::Ok);
    EXPECT_EQ(ask(nullptr, Message{{}, {}, Buttons::YesNoCancel, Icon::None, Answer::No}), Answer::Yes);
    inform(nullptr, QStringLiteral("x"), QStringLiteral("y"));  // shows nothing, must not crash
    BusyIndicator busy(nullptr);
}

TEST(Owner, ScriptedOwnerRecordsAndAnswers)
{
    ScriptedOwner owner;
    owner.queueAnswer(Answer::No);
    EXPECT_FALSE(askYesNo(&owner, QStringLiteral("削除"), QStringLiteral("A\nを削除します。")));
    // With the script used up the message's default answer is given.
    EXPECT_TRUE(askYesNo(&owner, QStringLiteral("新規登録の確認"), QStringLiteral("B"), Icon::Question, Answer::Yes));
    inform(&owner, QStringLiteral("削除"), QStringLiteral("見つかりません。"));
    ASSERT_EQ(owner.messages().size(), 3);
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("削除"));
    EXPECT_EQ(owner.messages()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(owner.messages()[2].icon, Icon::Information);
    EXPECT_EQ(owner.texts(), (QStringList{QStringLiteral("A\nを削除します。"), QStringLiteral("B"), QStringLiteral("見つかりません。")}));
    {
        BusyIndicator outer(&owner);
        BusyIndicator inner(&owner);
        EXPECT_EQ(owner.busyDepth(), 2);
    }
    EXPECT_EQ(owner.busyDepth(), 0);
    EXPECT_EQ(owner.busyCount(), 2);
}
