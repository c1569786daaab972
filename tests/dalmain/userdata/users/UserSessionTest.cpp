// Saving, opening, listing and deleting users, with their files.

#include "UserFixtures.h"

#include "dalmain/userdata/UserLogTemplates.h"
#include "dalmain/userdata/UserSession.h"

#include "dalmain/userdata/MemoFile.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/owner/ScriptedOwner.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <future>
#include <thread>

namespace {

using namespace dalmain;
using namespace userfixtures;

class UserSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.installAll());
        ASSERT_EQ(LoadReferenceIntakes(&owner, tables), IntakeLoad::Loaded);
    }

    // A prompt that answers with weight, or cancels when weight is 0; counts its calls.
    WeightPrompt weighing(double weight = 52.5)
    {
        return [this, weight]() -> std::optional<FirstWeight> {
            ++prompts;
            if (weight == 0)
                return std::nullopt;
            return FirstWeight{2024, 6, 15, weight};
        };
    }

    SaveResult save(UserEntries entries, double weight = 52.5)
    {
        return session.save(&owner, entries, CheckMode::WithMessages, weighing(weight));
    }

    int recordCount() const
    {
        quenkit::DbfHeader header;
        return quenkit::GetDBFInfo(kUserTable, header) ? static_cast<int>(header.recordCount()) : -1;
    }

    DataFolder data;
    quenkit::ScriptedOwner owner;
    ReferenceIntakeTables tables;
    UserSession session{tables};
    int prompts = 0;
};

TEST_F(UserSessionTest, TheFirstUserGetsNumber0ItsFilesAndTheFirstWeight)
{
    EXPECT_EQ(session.windowTitle(), QStringLiteral("新規 - Dalmora"));
    EXPECT_EQ(save(hanako()), SaveResult::Created);
    EXPECT_EQ(prompts, 1);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].text, QStringLiteral("山田花子さんを新しく保存します。\nよろしいですか？"));
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("ユーザー情報の新規保存"));
    EXPECT_EQ(owner.messages()[0].buttons, quenkit::Buttons::YesNo);

    ASSERT_TRUE(session.isOpen());
    EXPECT_EQ(session.profile()->number, 0u);
    EXPECT_EQ(session.profile()->age, 30);
    EXPECT_EQ(session.profile()->firstDate, QByteArray("20240615"));
    EXPECT_EQ(session.profile()->secondDate, QByteArray("20240615"));
    EXPECT_EQ(session.windowTitle(), QStringLiteral("山田花子 - Dalmora"));
    EXPECT_EQ(session.intakeStandard()[EnergyKcal], (IntakeBound{2000, 2000}));

    EXPECT_TRUE(data.exists(QStringLiteral("0.MEM")));
    EXPECT_TRUE(testsupport::readFile(data.folders.dataFile(QStringLiteral("0.MEM"))).isEmpty());
    EXPECT_EQ(testsupport::readFile(data.folders.dataFile(QStringLiteral("S0.DBF"))),
              testsupport::readFile(kShipped + QStringLiteral("運動.DBF")));
    QByteArray weight;
    ASSERT_EQ(quenkit::ReadDBFRecord(QStringLiteral("W0.DBF"), 0, weight), 1);
    EXPECT_EQ(weight, QByteArray("20240615 52.5 0.0"));
    EXPECT_EQ(quenkit::ReadDBFRecord(QStringLiteral("W0.DBF"), 1, weight), 0);

    ASSERT_EQ(recordCount(), 1);
    const std::optional<UserProfile> stored = readUser(0);
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, *session.profile());
}

TEST_F(UserSessionTest, ANewUserTakesTheSmallestFreeNumber)
{
    for (const char *name : {"一郎", "二郎", "三郎"})
        ASSERT_EQ(save(person(QStringLiteral("ﾀﾛｳ"), QString::fromUtf8(name))), SaveResult::Created);
    // Files other screens create later (weight memos, goals, the basal choice) go with the user.
    for (const char *later : {"WM1.DAT", "KISO1.DAT", "WG1.DAT", "MM1.DAT", "AM1.DAT", "MPC1.DAT"})
        ASSERT_TRUE(testsupport::writeFile(data.folders.dataFile(QString::fromUtf8(later)), "x"));
    ASSERT_EQ(session.deleteUsers(&owner, {{-1, 1, {}, QStringLiteral("二郎")}}), 1);
    EXPECT_TRUE(userFileNames(1).contains(QStringLiteral("KISO1.DAT")));
    EXPECT_TRUE(userFileNames(1).contains(QStringLiteral("WG1.DAT")));
    EXPECT_TRUE(userFileNames(1).contains(QStringLiteral("WM1.DAT")));
    for (const QString &file : userFileNames(1))
        EXPECT_FALSE(data.exists(file)) << file.toStdString();
    EXPECT_TRUE(data.exists(QStringLiteral("W0.DBF")));
    EXPECT_TRUE(data.exists(QStringLiteral("W2.DBF")));

    ASSERT_EQ(save(person(QStringLiteral("ｼﾛｳ"), QStringLiteral("四郎"))), SaveResult::Created);
    EXPECT_EQ(session.profile()->number, 1u);
    ASSERT_EQ(save(person(QStringLiteral("ｺﾞﾛｳ"), QStringLiteral("五郎"))), SaveResult::Created);
    EXPECT_EQ(session.profile()->number, 3u);
}

TEST_F(UserSessionTest, SavingAnExistingNameOverwritesThatUser)
{
    ASSERT_EQ(save(person(QStringLiteral("ﾀﾛｳ"), QStringLiteral("一郎"))), SaveResult::Created);
    ASSERT_EQ(save(hanako()), SaveResult::Created);
    owner.clear();
    prompts = 0;

    UserEntries changed = hanako();
    changed.height = QStringLiteral("160.5");
    changed.activity = 2;
    EXPECT_EQ(save(changed), SaveResult::Saved);
    EXPECT_EQ(prompts, 0);
    EXPECT_TRUE(owner.messages().isEmpty());
    EXPECT_EQ(recordCount(), 2);
    const std::optional<UserProfile> stored = readUserNamed(QStringLiteral("山田花子"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->number, 1u);
    EXPECT_EQ(stored->height, QStringLiteral("160.5"));
    EXPECT_EQ(stored->activity, 2);
    EXPECT_EQ(stored->firstDate, QByteArray("20240615"));
}

TEST_F(UserSessionTest, ACancelledWeightOrANoWritesNothing)
{
    EXPECT_EQ(save(hanako(), 0), SaveResult::Abandoned);
    EXPECT_TRUE(owner.messages().isEmpty());   // nothing asked after the cancel
    owner.queueAnswer(quenkit::Answer::No);
    EXPECT_EQ(save(hanako()), SaveResult::Abandoned);
    EXPECT_EQ(prompts, 2);

    UserEntries invalid = hanako();
    invalid.height.clear();
    EXPECT_EQ(save(invalid), SaveResult::Invalid);
    EXPECT_EQ(prompts, 2);

    EXPECT_EQ(recordCount(), 0);
    EXPECT_FALSE(session.isOpen());
    for (const QString &file : userFileNames(0))
        EXPECT_FALSE(data.exists(file)) << file.toStdString();
}

TEST_F(UserSessionTest, AMissingTemplateFailsTheSaveAndLeavesNoHalfUser)
{
    ASSERT_EQ(save(person(QStringLiteral("ﾀﾅｶ"), QStringLiteral("田中一郎"))), SaveResult::Created);
    session.clear();
    owner.clear();
    QFile::remove(data.folders.dataFile(QStringLiteral("運動.DBF")));

    EXPECT_EQ(save(hanako()), SaveResult::Failed);
    EXPECT_TRUE(session.lastError().contains(QStringLiteral("運動.DBF")));
    ASSERT_FALSE(owner.messages().isEmpty());
    const quenkit::Message &failure = owner.messages().last();
    EXPECT_EQ(failure.caption, QStringLiteral("ユーザー情報"));
    EXPECT_EQ(failure.text, QStringLiteral("ユーザー情報を保存できませんでした。\nひな形の「運動.DBF」がデータフォルダにありません。"));
    EXPECT_EQ(failure.icon, quenkit::Icon::Warning);
    EXPECT_EQ(recordCount(), 1);
    for (const QString &file : userFileNames(1))
        EXPECT_FALSE(data.exists(file)) << file.toStdString();

    // New and the choice of another user keep entries that could not be written, even though
    // their save runs silently; the failure is told all the same.
    UserEntries pending = hanako();
    owner.clear();
    EXPECT_FALSE(session.startNew(&owner, pending, weighing()));
    EXPECT_EQ(pending.name, QStringLiteral("山田花子"));
    const QList<UserListEntry> users = searchUsers(QString());
    ASSERT_EQ(users.size(), 1);
    EXPECT_FALSE(session.openChosen(&owner, users.first(), pending, weighing()));
    EXPECT_FALSE(session.isOpen());
    const QString question = QStringLiteral("山田花子さんを新しく保存します。\nよろしいですか？");
    const QString told = QStringLiteral("ユーザー情報を保存できませんでした。\nひな形の「運動.DBF」がデータフォルダにありません。");
    EXPECT_EQ(owner.texts(), QStringList({question, told, QStringLiteral("田中一郎 さんを読み込みます。よろしいですか？"),
                                          question, told}));
}

TEST_F(UserSessionTest, AMissingUserTableIsCreatedOnTheFirstSave)
{
    QFile::remove(data.folders.dataFile(kUserTable));
    EXPECT_EQ(save(hanako()), SaveResult::Created);
    EXPECT_EQ(recordCount(), 1);
}

// Every file that holds something of user 0: the files themselves and what an interrupted
// rewrite of each leaves (the name ending in "TMP", or "BAK" for the memo files).
const char *const kFilesOfUser0[] = {
    "0.MEM",    "0.TMP",    "W0.DBF",   "W0.TMP",    "S0.DBF",    "S0.TMP",   "MM0.DAT",  "MM0.BAK",
    "AM0.DAT",  "AM0.BAK",  "WM0.DAT",  "WM0.BAK",   "MPC0.DAT",  "MPC0.TMP", "KISO0.DAT", "KISO0.TMP",
    "WG0.DAT",  "WG0.TMP",
};

// Leaves in each memo file's rewrite name the memo a rewrite was writing when it stopped short
// of its rename, with the memo file itself gone (as after a deletion that left the leftover).
void leaveInterruptedMemoRewrites(const DataFolder &data)
{
    for (MemoKind kind : {MemoKind::Menu, MemoKind::Analysis, MemoKind::Weight}) {
        const QString file = memoFileName(kind, 0);
        ASSERT_EQ(WriteMemo(file, "20240615", quenkit::toSjis(u"前の人のメモ")), 1);
        const QString path = data.folders.dataFile(file);
        ASSERT_TRUE(QFile::rename(path, path.left(path.size() - 3) + QStringLiteral("BAK")));
    }
}

void expectNoMemos()
{
    for (MemoKind kind : {MemoKind::Menu, MemoKind::Analysis, MemoKind::Weight}) {
        QByteArray text;
        EXPECT_EQ(ReadMemo(memoFileName(kind, 0), "20240615", text), 0) << memoFileName(kind, 0).toStdString();
        EXPECT_TRUE(text.isEmpty());
    }
}

TEST_F(UserSessionTest, DeletingAUserRemovesEveryFileOfItsNumberAndTheNextOneInheritsNothing)
{
    ASSERT_EQ(save(person(QStringLiteral("ﾀﾛｳ"), QStringLiteral("一郎"))), SaveResult::Created);
    ASSERT_EQ(session.profile()->number, 0u);
    for (const char *name : kFilesOfUser0) {
        if (!data.exists(QString::fromLatin1(name))) {
            ASSERT_TRUE(testsupport::writeFile(data.folders.dataFile(QString::fromLatin1(name)), "x")) << name;
        }
    }
    leaveInterruptedMemoRewrites(data);

    ASSERT_EQ(session.deleteUsers(&owner, {{-1, 0, {}, QStringLiteral("一郎")}}), 1);
    EXPECT_TRUE(session.lastError().isEmpty()) << session.lastError().toStdString();
    for (const char *name : kFilesOfUser0)
        EXPECT_FALSE(data.exists(QString::fromLatin1(name))) << name;

    ASSERT_EQ(save(person(QStringLiteral("ｼﾞﾛｳ"), QStringLiteral("二郎"))), SaveResult::Created);
    ASSERT_EQ(session.profile()->number, 0u);
    expectNoMemos();
}

TEST_F(UserSessionTest, ANewUserInheritsNothingThatANumberWithoutARecordLeft)
{
    // Left by a deletion that could not finish, or by a program that deleted only some files.
    leaveInterruptedMemoRewrites(data);
    ASSERT_TRUE(testsupport::writeFile(data.folders.dataFile(QStringLiteral("W0.TMP")), "old weight log"));
    ASSERT_TRUE(testsupport::writeFile(data.folders.dataFile(QStringLiteral("WG0.DAT")), "old goals"));

    ASSERT_EQ(save(hanako()), SaveResult::Created);
    ASSERT_EQ(session.profile()->number, 0u);
    expectNoMemos();
    EXPECT_FALSE(data.exists(QStringLiteral("W0.TMP")));
    EXPECT_FALSE(data.exists(QStringLiteral("WG0.DAT")));
    QByteArray weight;
    ASSERT_EQ(quenkit::ReadDBFRecord(QStringLiteral("W0.DBF"), 0, weight), 1);
    EXPECT_EQ(weight, QByteArray("20240615 52.5 0.0"));
}

// Holds the lock of a data file in another thread (another program, as far as the lock goes)
// until it goes.
class HeldElsewhere
{
public:
    explicit HeldElsewhere(const QString &name)
    {
        std::promise<void> taken;
        std::future<void> isTaken = taken.get_future();
        m_thread = std::thread([this, name, &taken] {
            quenkit::FileLock lock = quenkit::lockDataFile(name);
            taken.set_value();
            m_release.get_future().wait();
        });
        isTaken.wait();
    }
    ~HeldElsewhere()
    {
        m_release.set_value();
        m_thread.join();
    }

private:
    std::promise<void> m_release;
    std::thread m_thread;
};

TEST_F(UserSessionTest, WhileAnotherProgramChangesTheUserTableNothingIsAddedOrDeleted)
{
    ASSERT_EQ(save(person(QStringLiteral("ﾀﾛｳ"), QStringLiteral("一郎"))), SaveResult::Created);
    const QByteArray table = testsupport::readFile(data.folders.dataFile(kUserTable));
    quenkit::setFileLockTimeout(200);
    {
        HeldElsewhere busy(kUserTable);
        owner.clear();
        EXPECT_EQ(save(hanako()), SaveResult::Failed);
        EXPECT_TRUE(session.lastError().contains(QStringLiteral("being changed by another program")))
            << session.lastError().toStdString();
        ASSERT_FALSE(owner.messages().isEmpty());
        EXPECT_TRUE(owner.messages().last().text.startsWith(QStringLiteral("ユーザー情報を保存できませんでした。")));
        for (const char *name : kFilesOfUser0) {
            const QString file = QString::fromLatin1(name).replace(QLatin1Char('0'), QLatin1Char('1'));
            EXPECT_FALSE(data.exists(file)) << file.toStdString();
        }

        EXPECT_EQ(session.deleteUsers(&owner, {{-1, 0, {}, QStringLiteral("一郎")}}), 0);
        EXPECT_TRUE(session.lastError().contains(QStringLiteral("being changed by another program")));
        EXPECT_TRUE(data.exists(QStringLiteral("W0.DBF")));
    }
    quenkit::setFileLockTimeout(30000);
    EXPECT_EQ(testsupport::readFile(data.folders.dataFile(kUserTable)), table);
    EXPECT_EQ(save(hanako()), SaveResult::Created);
    EXPECT_EQ(session.profile()->number, 1u);
}

TEST_F(UserSessionTest, ADamagedUserTableIsReportedAndKept)
{
    const QString path = data.folders.dataFile(kUserTable);
    ASSERT_EQ(quenkit::createDbfTable(kUserTable, {quenkit::DbfFieldDescriptor::make("NAME", 'C', 30)}), 1);
    const QByteArray foreign = testsupport::readFile(path);
    QString problem;
    EXPECT_EQ(userTableState(&problem), UserTableState::Damaged);
    EXPECT_EQ(save(hanako()), SaveResult::Failed);
    EXPECT_EQ(prompts, 0);   // nobody is asked for a weight that cannot be kept
    EXPECT_EQ(session.lastError(), problem);
    EXPECT_EQ(testsupport::readFile(path), foreign);
    EXPECT_FALSE(data.exists(QStringLiteral("W0.DBF")));
}

TEST_F(UserSessionTest, OpeningConvertsAnOlderRecordAndDerivesItsReferenceValues)
{
    UserProfile old;
    old.number = 4;
    old.reading = QStringLiteral("ｻﾄｳ");
    old.name = QStringLiteral("佐藤恵");
    old.age = 30;
    old.sex = 1;
    old.height = QStringLiteral("160");
    old.exchangeTable = QStringLiteral("旧交換表");
    old.firstDate = old.secondDate = "20000101";
    old.reserved = "        ";
    QByteArray body = encodeUserRecord(old);
    body[72] = ' ';   // older layout: activity "2" was normal, sex "2" pregnant (now class 2)
    body[71] = '2';
    body[65] = '2';
    ASSERT_EQ(quenkit::WriteDBFRecord(nullptr, kUserTable, body, userKeyField(), 0), 1);

    ASSERT_TRUE(session.open(&owner, QStringLiteral("佐藤恵")));
    const UserProfile &p = *session.profile();
    EXPECT_EQ(p.activity, 1);
    EXPECT_EQ(p.pregnancy, 2);
    EXPECT_EQ(p.menstruation, 0);
    EXPECT_TRUE(p.exchangeTable.isEmpty());
    EXPECT_EQ(session.windowTitle(), QStringLiteral("佐藤恵 - Dalmora"));
    // 30-49 at level II plus mid pregnancy; iron of the menstruating column.
    EXPECT_EQ(session.intakeStandard()[EnergyKcal], (IntakeBound{2250, 2250}));
    EXPECT_EQ(session.intakeStandard()[Iron].lower, 11.0);
    EXPECT_TRUE(owner.messages().isEmpty());
}

TEST_F(UserSessionTest, OpeningTakesTheAgeFromTheBirthdayAndReportsADeletedStandard)
{
    UserEntries e = hanako();
    e.birthYear = QStringLiteral("1994");
    e.birthMonth = QStringLiteral("6");
    e.birthDay = QStringLiteral("20");   // 29 on the day of the save
    ASSERT_EQ(save(e), SaveResult::Created);
    EXPECT_EQ(session.profile()->age, 29);

    qputenv("DALMORA_TODAY", "2024-06-20");
    ASSERT_TRUE(session.open(&owner, QStringLiteral("山田花子")));
    EXPECT_EQ(session.profile()->age, 30);

    // A user whose standard has gone: the open reports it and leaves no bound.
    UserProfile p = *session.profile();
    p.standardKind = "  2";
    p.standardName = QStringLiteral("消えた基準");
    ASSERT_EQ(writeUserRecord(p), 2);
    owner.clear();
    ASSERT_TRUE(session.open(&owner, QStringLiteral("山田花子")));
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("設定されている食事摂取基準が見つかりません。\n削除されています。")});
    EXPECT_EQ(session.intakeStandard()[EnergyKcal], IntakeBound{});

    EXPECT_FALSE(session.open(&owner, QStringLiteral("山田")));   // part of a name is no name
}

TEST_F(UserSessionTest, UsersAreFoundByTheRowOfTheirFirstSoundAndByText)
{
    const struct {
        const char16_t *reading;
        int row;
    } readings[] = {{u"ｱｷｺ", 0}, {u"ｧ", 0}, {u"ｶﾞｸ", 1}, {u"ｻﾄｳ", 2}, {u"ﾂﾊﾞｻ", 3}, {u"ｯ", 3},
                    {u"ﾆｼ", 4},  {u"ﾊﾟｸ", 5}, {u"ﾐｷ", 6}, {u"ﾕｷ", 7}, {u"ｮ", 7}, {u"ﾙｲ", 8},
                    {u"ﾜﾀﾙ", 9}, {u"ﾝ", 9}, {u"ｦ", 9}, {u"Abe", -1}, {u"", -1}};
    for (const auto &r : readings)
        EXPECT_EQ(kanaRowOf(QString::fromUtf16(r.reading)), r.row) << QString::fromUtf16(r.reading).toStdString();
    EXPECT_EQ(kanaRowNames().size(), 10);
    EXPECT_EQ(kanaRowNames().first(), QStringLiteral("ア行の人"));
    EXPECT_EQ(kanaRowNames().last(), QStringLiteral("ワ行の人"));

    ASSERT_EQ(save(hanako()), SaveResult::Created);
    ASSERT_EQ(save(person(QStringLiteral("ｶﾞｸ"), QStringLiteral("岳"))), SaveResult::Created);
    ASSERT_EQ(save(person(QStringLiteral("ｶｽﾞｺ"), QStringLiteral("和子"))), SaveResult::Created);

    auto names = [](const QList<UserListEntry> &users) {
        QStringList out;
        for (const UserListEntry &u : users)
            out.append(u.name);
        return out;
    };
    EXPECT_EQ(names(usersInKanaRow(1)), (QStringList{QStringLiteral("岳"), QStringLiteral("和子")}));   // name order
    EXPECT_EQ(names(usersInKanaRow(7)), QStringList{QStringLiteral("山田花子")});
    EXPECT_TRUE(usersInKanaRow(0).isEmpty());
    EXPECT_EQ(names(searchUsers(QStringLiteral("はなこ"))), QStringList{QStringLiteral("山田花子")});
    EXPECT_EQ(names(searchUsers(QStringLiteral("和"))), QStringList{QStringLiteral("和子")});
    EXPECT_EQ(names(searchUsers(QString())).size(), 3);
    EXPECT_EQ(names(listUsers()).size(), 3);
}

TEST_F(UserSessionTest, DeletingSeveralUsersRemovesEachOnesFilesAndRecord)
{
    for (const char *name : {"一郎", "二郎", "三郎", "四郎"})
        ASSERT_EQ(save(person(QStringLiteral("ﾀﾛｳ"), QString::fromUtf8(name))), SaveResult::Created);
    ASSERT_TRUE(session.open(&owner, QStringLiteral("四郎")));
    QList<UserListEntry> users = listUsers();
    QStringList order;
    for (const UserListEntry &u : users)
        order.append(u.name);
    ASSERT_EQ(order, (QStringList{QStringLiteral("一郎"), QStringLiteral("三郎"), QStringLiteral("四郎"),
                                  QStringLiteral("二郎")}));   // by the names' bytes
    owner.clear();

    owner.queueAnswer(quenkit::Answer::No);
    EXPECT_EQ(session.deleteUsers(&owner, users), -1);
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("選択されたユーザー情報を削除します。\nよろしいですか？")});
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("削除の確認"));
    EXPECT_EQ(recordCount(), 4);

    // The first and the third of the list: once the first is gone the third has moved up one
    // record, and the open user is among them.
    const QList<UserListEntry> chosen{users[0], users[2]};
    EXPECT_EQ(session.deleteUsers(&owner, chosen), 2);
    QStringList left;
    for (const UserListEntry &u : listUsers())
        left.append(u.name);
    EXPECT_EQ(left, (QStringList{QStringLiteral("三郎"), QStringLiteral("二郎")}));
    for (const UserListEntry &u : chosen)
        EXPECT_FALSE(data.exists(weightLogName(u.number))) << u.number;
    for (const UserListEntry &u : {users[1], users[3]})
        EXPECT_TRUE(data.exists(weightLogName(u.number))) << u.number;
    EXPECT_FALSE(session.isOpen());
    EXPECT_EQ(session.windowTitle(), QStringLiteral("新規 - Dalmora"));
}

TEST_F(UserSessionTest, TheLastUserIsOpenedAgainAtStartWhenTheSettingSaysSo)
{
    ASSERT_EQ(save(hanako()), SaveResult::Created);
    UserEntries shown = entriesFromProfile(*session.profile());
    session.finish(&owner, shown, weighing());
    QString stored;
    quenkit::GetRegistryString(QStringLiteral("Dalmora System"), QStringLiteral("UserName"), nullptr, stored);
    EXPECT_EQ(stored, QStringLiteral("山田花子"));

    UserSession next(tables);
    EXPECT_TRUE(next.reopenLastUser(&owner));
    EXPECT_EQ(next.profile()->name, QStringLiteral("山田花子"));

    quenkit::SetRegistryString(QStringLiteral("Dalmora System"), QStringLiteral("SystemSet3"), QStringLiteral("0"));
    UserSession notAgain(tables);
    EXPECT_FALSE(notAgain.reopenLastUser(&owner));

    quenkit::SetRegistryString(QStringLiteral("Dalmora System"), QStringLiteral("SystemSet3"), QStringLiteral("1"));
    notAgain.clear();
    UserEntries blank = blankUserEntries();
    notAgain.finish(&owner, blank, weighing());   // no user open: the name is emptied
    quenkit::GetRegistryString(QStringLiteral("Dalmora System"), QStringLiteral("UserName"), nullptr, stored);
    EXPECT_TRUE(stored.isEmpty());
    EXPECT_FALSE(UserSession(tables).reopenLastUser(&owner));
}

TEST_F(UserSessionTest, LeavingTheScreenChecksAndSavesWhatIsUnsaved)
{
    UserEntries blank = blankUserEntries();
    EXPECT_FALSE(session.leaveScreen(&owner, blank, weighing()));   // nobody entered, nobody open
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("フリガナを入力してください。")});

    owner.clear();
    UserEntries entries = hanako();
    EXPECT_TRUE(session.leaveScreen(&owner, entries, weighing()));
    EXPECT_EQ(prompts, 1);

    owner.clear();
    UserEntries shown = entriesFromProfile(*session.profile());
    EXPECT_FALSE(session.hasUnsavedEntries(shown));
    EXPECT_TRUE(session.leaveScreen(&owner, shown, weighing()));
    EXPECT_TRUE(owner.messages().isEmpty());

    shown.height = QStringLiteral("300");
    EXPECT_TRUE(session.hasUnsavedEntries(shown));
    EXPECT_FALSE(session.leaveScreen(&owner, shown, weighing()));
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("身長は50.0～250.0cmの間で入力してください。")});
}

TEST_F(UserSessionTest, ChoosingAUserSavesTheEntriesSilentlyFirst)
{
    ASSERT_EQ(save(person(QStringLiteral("ﾜﾀﾙ"), QStringLiteral("渡"))), SaveResult::Created);
    const UserListEntry chosen = listUsers().first();
    ASSERT_EQ(chosen.record, 0);
    owner.clear();

    // A new user whose name sorts before the chosen one: saving it moves the chosen record.
    UserEntries pending = person(QStringLiteral("ｱｲ"), QStringLiteral("愛"));
    ASSERT_TRUE(session.openChosen(&owner, chosen, pending, weighing()));
    EXPECT_EQ(session.profile()->name, QStringLiteral("渡"));
    ASSERT_EQ(owner.messages().size(), 2);
    EXPECT_EQ(owner.messages()[0].text, QStringLiteral("渡 さんを読み込みます。よろしいですか？"));
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("読み込みの確認"));
    EXPECT_EQ(owner.messages()[1].text, QStringLiteral("愛さんを新しく保存します。\nよろしいですか？"));
    EXPECT_EQ(findUserRecord(QStringLiteral("愛")), std::optional<int>(0));

    // No keeps the entries unsaved and the open user as it is.
    owner.queueAnswer(quenkit::Answer::No);
    UserEntries other = person(QStringLiteral("ﾍﾞﾂ"), QStringLiteral("別"));
    EXPECT_FALSE(session.openChosen(&owner, listUsers().first(), other, weighing()));
    EXPECT_EQ(session.profile()->name, QStringLiteral("渡"));
    EXPECT_FALSE(readUserNamed(QStringLiteral("別")));
}

TEST_F(UserSessionTest, NewSavesTheEntriesSilentlyThenEmptiesTheScreen)
{
    ASSERT_EQ(save(hanako()), SaveResult::Created);
    owner.clear();
    UserEntries entries = entriesFromProfile(*session.profile());
    entries.height = QStringLiteral("161.0");
    session.startNew(&owner, entries, weighing());
    EXPECT_FALSE(session.isOpen());
    EXPECT_EQ(session.windowTitle(), QStringLiteral("新規 - Dalmora"));
    EXPECT_FALSE(entriesDiffer(entries, blankUserEntries()));
    EXPECT_EQ(readUserNamed(QStringLiteral("山田花子"))->height, QStringLiteral("161.0"));

    // Invalid entries are dropped without a word.
    entries.name = QStringLiteral("名無し");
    session.startNew(&owner, entries, weighing());
    EXPECT_TRUE(owner.messages().isEmpty());
    EXPECT_FALSE(readUserNamed(QStringLiteral("名無し")));
}

TEST(ShippedTemplates, HaveTheFieldsTheProgramUsesAndNoRecords)
{
    const struct {
        QString name;
        QList<quenkit::DbfFieldDescriptor> fields;
    } tables[] = {
        {QStringLiteral("体重.DBF"), weightLogFields()},
        {QStringLiteral("運動.DBF"), exerciseLogFields()},
        {QStringLiteral("所要量.DBF"), standardsTableFields()},
        {QStringLiteral("ﾕｰｻﾞ情報.DBF"), userTableFields()},
    };
    for (const auto &t : tables) {
        quenkit::DbfLayout layout;
        ASSERT_TRUE(quenkit::readDbfLayout(kShipped + t.name, layout)) << t.name.toStdString();
        EXPECT_EQ(layout.recordCount(), 0);
        ASSERT_EQ(layout.fields.size(), t.fields.size()) << t.name.toStdString();
        for (int i = 0; i < t.fields.size(); ++i) {
            EXPECT_EQ(layout.fields[i].name(), t.fields[i].name()) << t.name.toStdString() << " " << i;
            EXPECT_EQ(layout.fields[i].length(), t.fields[i].length()) << t.name.toStdString() << " " << i;
        }
    }
    EXPECT_EQ(userTableFields().size(), 20);
    int body = 0;
    for (const auto &f : exerciseLogFields())
        body += f.length();
    EXPECT_EQ(body, 2228);
}

}  // namespace
