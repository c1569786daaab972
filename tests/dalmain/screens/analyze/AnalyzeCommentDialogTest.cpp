// The comment of an analysed period: what the dialog shows and stores under each kind of key,
// read and written beside the command-line tool's "comment" command on the same file.

#include "dalmain/screens/analyze/AnalyzeCommentDialog.h"
#include "dalmain/shell/HelpWindow.h"
#include "dalmain/userdata/UserStore.h"

#include "DialogDriving.h"
#include "ShellTestSupport.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace dalmain;
using namespace shelltest;

namespace {

const QString kUser = QStringLiteral("山田太郎");

class AnalyzeCommentDialogTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
        const testsupport::CliResult added = cli(testsupport::addManArguments(kUser, QStringLiteral("ﾀﾛｳ")));
        ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
        for (const UserListEntry &u : listUsers()) {
            if (u.name == kUser)
                user = static_cast<int>(u.number);
        }
        ASSERT_GT(user, 0);
    }

    // The tool's comment for a key (YYYY-MM-DD, YYYY-MM, YYYY or "selection"); null when none.
    QString toolComment(const QString &key) const
    {
        const testsupport::CliResult r = cli({QStringLiteral("comment"), QStringLiteral("get"), kUser, key});
        if (r.exitCode != 0)
            return QString();
        QString text = r.out;
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        return text;
    }
    void setToolComment(const QString &key, const QString &text) const
    {
        const testsupport::CliResult r = cli({QStringLiteral("comment"), QStringLiteral("set"), kUser, key, text});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    int user = 0;
};

// Each kind of period: the dialog shows the tool's comment of that period and stores what is
// typed where the tool reads it; the other periods keep theirs.
TEST_F(AnalyzeCommentDialogTest, ShowsAndStoresEachPeriodsComment)
{
    struct Case {
        AnalysisPeriod period;
        QByteArray periodKey;
        QString toolKey;
        QString shown;
    };
    const Case cases[] = {
        {AnalysisPeriod::Day, "20240510", QStringLiteral("2024-05-10"), QStringLiteral("日付：2024/05/10")},
        {AnalysisPeriod::Month, "202405", QStringLiteral("2024-05"), QStringLiteral("日付：2024/05")},
        {AnalysisPeriod::Year, "2024", QStringLiteral("2024"), QStringLiteral("日付：2024")},
        {AnalysisPeriod::Selection, "", QStringLiteral("selection"), QStringLiteral("日付：選択分析")},
    };
    for (const Case &c : cases)
        setToolComment(c.toolKey, QStringLiteral("前の") + c.toolKey);
    // A day of the same month and another year's month must not be taken for these.
    setToolComment(QStringLiteral("2024-05-11"), QStringLiteral("別の日"));
    setToolComment(QStringLiteral("2023-05"), QStringLiteral("別の月"));

    for (const Case &c : cases) {
        SCOPED_TRACE(c.toolKey.toStdString());
        whenDialog(QStringLiteral("IDD_ALZ_COMMENT2"), [&](QWidget *d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("毎日のコメント"));
            EXPECT_EQ(child<QLabel>(d, "period")->text(), c.shown);
            auto *edit = child<QPlainTextEdit>(d, "comment");
            EXPECT_EQ(edit->toPlainText(), QStringLiteral("前の") + c.toolKey);
            // The cursor waits at the end of the stored text, so typing adds to it.
            typeText(edit, QStringLiteral("、野菜を増やす"));
            click(d, "ok");
        });
        EXPECT_TRUE(editAnalysisComment(nullptr, &owner, user, c.period, c.periodKey));
        EXPECT_EQ(toolComment(c.toolKey), QStringLiteral("前の") + c.toolKey + QStringLiteral("、野菜を増やす"));
    }
    EXPECT_EQ(toolComment(QStringLiteral("2024-05-11")), QStringLiteral("別の日"));
    EXPECT_EQ(toolComment(QStringLiteral("2023-05")), QStringLiteral("別の月"));
    EXPECT_TRUE(owner.messages().isEmpty());
}

TEST_F(AnalyzeCommentDialogTest, CancelLeavesTheCommentAndAnEmptiedBoxRemovesIt)
{
    setToolComment(QStringLiteral("2024-05"), QStringLiteral("外食が多い"));
    whenDialog(QStringLiteral("IDD_ALZ_COMMENT2"), [](QWidget *d) {
        typeText(child<QPlainTextEdit>(d, "comment"), QStringLiteral("書きかけ"));
        click(d, "cancel");
    });
    EXPECT_FALSE(editAnalysisComment(nullptr, &owner, user, AnalysisPeriod::Month, "202405"));
    EXPECT_EQ(toolComment(QStringLiteral("2024-05")), QStringLiteral("外食が多い"));

    whenDialog(QStringLiteral("IDD_ALZ_COMMENT2"), [](QWidget *d) {
        child<QPlainTextEdit>(d, "comment")->clear();
        click(d, "ok");
    });
    EXPECT_TRUE(editAnalysisComment(nullptr, &owner, user, AnalysisPeriod::Month, "202405"));
    EXPECT_TRUE(toolComment(QStringLiteral("2024-05")).isNull());

    // A period without a comment opens empty; OK with nothing typed stores nothing.
    whenDialog(QStringLiteral("IDD_ALZ_COMMENT2"), [](QWidget *d) {
        EXPECT_TRUE(child<QPlainTextEdit>(d, "comment")->toPlainText().isEmpty());
        click(d, "ok");
    });
    EXPECT_TRUE(editAnalysisComment(nullptr, &owner, user, AnalysisPeriod::Day, "20240601"));
    EXPECT_TRUE(toolComment(QStringLiteral("2024-06-01")).isNull());
}

TEST_F(AnalyzeCommentDialogTest, TakesAtMostTenThousandCharacters)
{
    AnalyzeCommentDialog dialog(&owner, user, AnalysisPeriod::Day, "20240510");
    dialog.show();
    settle();
    auto *edit = child<QPlainTextEdit>(&dialog, "comment");
    edit->setPlainText(QString(kAnalysisCommentMaxCharacters - 2, QChar(u'あ')));
    edit->moveCursor(QTextCursor::Start);
    // Typed at the start, only what fits goes in; the text after the cursor is kept whole.
    typeText(edit, QStringLiteral("一二三四"));
    EXPECT_EQ(edit->toPlainText().size(), kAnalysisCommentMaxCharacters);
    EXPECT_TRUE(edit->toPlainText().startsWith(QStringLiteral("一二あ")));
    EXPECT_TRUE(edit->toPlainText().endsWith(QStringLiteral("ああ")));
    // A paste is cut the same way.
    edit->moveCursor(QTextCursor::End);
    edit->insertPlainText(QStringLiteral("貼り付け"));
    EXPECT_EQ(edit->toPlainText().size(), kAnalysisCommentMaxCharacters);

    QTest::mouseClick(child<QPushButton>(&dialog, "ok"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(toolComment(QStringLiteral("2024-05-10")).size(), kAnalysisCommentMaxCharacters);
}

TEST_F(AnalyzeCommentDialogTest, TextTheFileCannotHoldIsRefusedAndKept)
{
    AnalyzeCommentDialog dialog(&owner, user, AnalysisPeriod::Year, "2024");
    dialog.show();
    settle();
    auto *edit = child<QPlainTextEdit>(&dialog, "comment");
    typeText(edit, QStringLiteral("체중 감량"));  // Hangul: not in Shift-JIS
    QTest::mouseClick(child<QPushButton>(&dialog, "ok"), Qt::LeftButton);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages().front().caption, QStringLiteral("毎日のコメント"));
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("コメントに保存できない文字があります。")});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("체중 감량"));
    EXPECT_TRUE(toolComment(QStringLiteral("2024")).isNull());
    dialog.reject();
}

TEST_F(AnalyzeCommentDialogTest, HelpOpensTheCommentPageAndTheDialogIsPictured)
{
    setToolComment(QStringLiteral("2024-05-10"), QStringLiteral("朝食を抜いた。\n夕食が遅い。"));
    AnalyzeCommentDialog dialog(&owner, user, AnalysisPeriod::Day, "20240510");
    dialog.show();
    settle();
    QDir().mkpath(QStringLiteral(ANALYZE_PNG_DIR));
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(ANALYZE_PNG_DIR "/analyze-comment.png")));
    QTest::mouseClick(child<QPushButton>(&dialog, "help"), Qt::LeftButton);
    ASSERT_NE(openHelpWindow(), nullptr);
    EXPECT_EQ(openHelpWindow()->currentTopic(), QStringLiteral("guide/analyze/comment"));
    openHelpWindow()->close();
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
}

}  // namespace
