// The comment command over the analysis comments of a user, as the comment dialog keys them.

#include "dalmain/userdata/MemoFile.h"
#include "dalmain/userdata/UserStore.h"

#include "quenkit/text/ShiftJis.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace dalmain;
using testsupport::runCli;

namespace {

class CommentCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ensureUserTable());
        UserProfile user;
        user.number = 5;
        user.reading = QStringLiteral("ﾀﾅｶ");
        user.name = QStringLiteral("田中");
        ASSERT_EQ(writeUserRecord(user), 1);
    }

    testsupport::CliResult comment(const QStringList &args)
    {
        return runCli(QStringList{QStringLiteral("--config-dir"), m_folders.configDir(), QStringLiteral("--data-dir"),
                                  m_folders.dataDir(), QStringLiteral("comment")}
                      + args);
    }

    // The text stored under key in the user's comment file, or nullopt.
    std::optional<QString> stored(const char *key)
    {
        QByteArray text;
        if (ReadMemo(memoFileName(MemoKind::Analysis, 5), key, text) != 1)
            return std::nullopt;
        return quenkit::fromSjis(text);
    }

    testsupport::TempFolders m_folders;
};

TEST_F(CommentCommand, PeriodsAndTheirKeys)
{
    struct Case {
        const char *period;
        const char *key;
    } cases[] = {
        {"2024-01-15", "20240115"}, {"20240116", "20240116"}, {"2024-01", "20240199"},
        {"2024", "20249999"},       {"selection", "99999999"}, {"20240299", "20240299"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.period);
        const QString text = QStringLiteral("%1 の食事は野菜が少なめ").arg(QLatin1String(c.period));
        testsupport::CliResult r = comment({QStringLiteral("set"), QStringLiteral("田中"), QLatin1String(c.period), text});
        ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
        EXPECT_EQ(stored(c.key), text);
        r = comment({QStringLiteral("get"), QStringLiteral("5"), QLatin1String(c.key)});
        EXPECT_EQ(r.exitCode, 0) << qPrintable(r.err);
        EXPECT_EQ(r.out, text + QLatin1Char('\n'));
    }

    // Every selection shares the one comment; a text of several lines comes back whole.
    const QString lines = QStringLiteral("一行目\r\n二行目");
    ASSERT_EQ(comment({QStringLiteral("set"), QStringLiteral("田中"), QStringLiteral("99999999"), lines}).exitCode, 0);
    EXPECT_EQ(comment({QStringLiteral("get"), QStringLiteral("田中"), QStringLiteral("selection")}).out,
              lines + QLatin1Char('\n'));

    // Without a text the comment is removed, and reading it says so.
    ASSERT_EQ(comment({QStringLiteral("set"), QStringLiteral("田中"), QStringLiteral("2024-01")}).exitCode, 0);
    EXPECT_FALSE(stored("20240199"));
    EXPECT_TRUE(stored("20249999"));
    const testsupport::CliResult none = comment({QStringLiteral("get"), QStringLiteral("田中"), QStringLiteral("2024-01")});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.isEmpty());
}

TEST_F(CommentCommand, RefusedRequests)
{
    struct Case {
        QStringList args;
        int exitCode;
        const char *message;
    } cases[] = {
        {{"show", "田中", "2024"}, 2, "unknown action 'show'"},
        {{"get", "田中"}, 2, "get takes USER KEY"},
        {{"set", "田中", "2024", "a", "b"}, 2, "set takes USER KEY [TEXT]"},
        {{"get", "田中", "2024-13"}, 2, "'2024-13' is not a day, month, year or selection"},
        {{"get", "田中", "2024-02-30"}, 2, "is not a day"},
        {{"get", "田中", "20241399"}, 2, "is not a day"},
        {{"get", "鈴木", "2024"}, 1, "no such user"},
        {{"set", "田中", "2024", QString(10001, QChar(u'あ'))}, 1, "a comment holds at most 10000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.args.join(QLatin1Char(' ')).left(40)));
        const testsupport::CliResult r = comment(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << qPrintable(r.err);
    }
    EXPECT_FALSE(stored("20249999"));
    // The longest text the dialog takes is stored.
    EXPECT_EQ(comment({QStringLiteral("set"), QStringLiteral("田中"), QStringLiteral("2024"), QString(10000, QChar(u'あ'))})
                  .exitCode,
              0);
    EXPECT_EQ(stored("20249999")->size(), 10000);
}

}  // namespace
