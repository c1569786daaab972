// The program's owner of messages: what the message box shows and which answer each way out
// of it gives.

#include "ShellTestSupport.h"

#include "dalmain/shell/MessageOwner.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

using namespace dalmain;
using namespace shelltest;

TEST(MessageOwner, ShowsTheMessageAndReturnsTheChosenAnswer)
{
    using quenkit::Answer;
    using quenkit::Buttons;
    struct Case {
        const char *name;
        quenkit::Message message;
        QStringList buttons;     // captions, in order
        QString defaultButton;
        QString click;           // caption to click; empty: press Escape
        Answer expected;
        QString caption;
        QMessageBox::Icon icon;
    };
    const QList<Case> cases = {
        {"OK", {"ユーザー情報", "氏名を入力してください。", Buttons::Ok, quenkit::Icon::Information, Answer::Ok},
         {"OK"}, "OK", "OK", Answer::Ok, "ユーザー情報", QMessageBox::Information},
        {"OK/Cancel, cancelled", {"確認", "よろしいですか？", Buttons::OkCancel, quenkit::Icon::Question, Answer::Ok},
         {"OK", "キャンセル"}, "OK", "キャンセル", Answer::Cancel, "確認", QMessageBox::Question},
        {"Yes/No with No first", {"削除の確認", "削除します。", Buttons::YesNo, quenkit::Icon::Warning, Answer::No},
         {"はい(&Y)", "いいえ(&N)"}, "いいえ(&N)", "はい(&Y)", Answer::Yes, "削除の確認", QMessageBox::Warning},
        {"Escape from Yes/No/Cancel", {"終了", "保存しますか？", Buttons::YesNoCancel, quenkit::Icon::Question, Answer::Yes},
         {"はい(&Y)", "いいえ(&N)", "キャンセル"}, "はい(&Y)", "", Answer::Cancel, "終了", QMessageBox::Question},
        {"no caption", {"", "指定されたフィールドが長すぎます", Buttons::Ok, quenkit::Icon::None, Answer::Ok},
         {"OK"}, "OK", "", Answer::Ok, "エラー", QMessageBox::NoIcon},
    };
    MessageOwner owner;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        whenModal([&](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), c.caption);
            EXPECT_EQ(box->text(), c.message.text);
            EXPECT_EQ(box->icon(), c.icon);
            QStringList captions;
            for (QAbstractButton *b : box->buttons())
                captions.append(b->text());
            captions.sort();
            QStringList expected = c.buttons;
            expected.sort();
            EXPECT_EQ(captions, expected);
            ASSERT_NE(box->defaultButton(), nullptr);
            EXPECT_EQ(box->defaultButton()->text(), c.defaultButton);
            if (c.click.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton *b : box->buttons()) {
                if (b->text() == c.click)
                    b->click();
            }
        });
        EXPECT_EQ(owner.ask(c.message), c.expected);
    }
}

// Long work shows the wait cursor; a message shown meanwhile has the normal one.
TEST(MessageOwner, BusyShowsTheWaitCursorButNotOverMessages)
{
    MessageOwner owner;
    {
        quenkit::BusyIndicator busy(&owner);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        Qt::CursorShape during = Qt::WaitCursor;
        whenModal([&](QWidget *dialog) {
            during = QApplication::overrideCursor()->shape();
            static_cast<QMessageBox *>(dialog)->accept();
        });
        quenkit::inform(&owner, "バックアップ", "保存しました。");
        EXPECT_EQ(during, Qt::ArrowCursor);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
