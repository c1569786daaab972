// Entering a profile on the user screen and saving it through the check-and-save the shell
// runs, the enabling rules of the choices, the focus after a failed check, and the table
// choices.

#include "UserScreenSupport.h"

#include "dalmain/screens/user/WeightInputDialog.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/master/ReferenceIntakeStandards.h"
#include "dalmain/userdata/UserStore.h"
#include "quenkit/dbf/Dbf.h"
#include "quenkit/text/ShiftJis.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

using namespace dalmain;
using namespace usertest;

namespace {

using Mode = LeaveCheck::Mode;

// Types text key by key, as a keyboard with an input method would deliver it (QTest's own key
// clicks know only ASCII).
void type(QWidget *w, const QString &text)
{
    ASSERT_NE(w, nullptr);
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

}  // namespace

TEST_F(UserScreenTest, AProfileTypedInIsSavedAsTheFirstUserWithTheAgeFromTheBirthday)
{
    type(field("reading"), QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ"));
    type(field("name"), QStringLiteral("山田花子"));
    type(field("birthYear"), QStringLiteral("1994"));
    type(field("birthMonth"), QStringLiteral("1"));
    type(field("birthDay"), QStringLiteral("20"));
    type(field("height"), QStringLiteral("158.0"));
    field<QComboBox>("sex")->setCurrentIndex(1);

    EXPECT_FALSE(field("viewStandard")->isEnabled());
    ASSERT_TRUE(screen->checkAndSave(Mode::WithMessages));
    EXPECT_EQ(prompts, 1);
    ASSERT_EQ(owner.texts(), QStringList{QStringLiteral("山田花子さんを新しく保存します。\nよろしいですか？")});
    // The check wrote the age back into its field.
    EXPECT_EQ(field<QLineEdit>("age")->text(), QStringLiteral("30"));

    const std::optional<UserProfile> stored = readUserNamed(QStringLiteral("山田花子"));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->number, 0u);
    EXPECT_EQ(stored->age, 30);
    EXPECT_EQ(stored->sex, 1);
    // With the age field still empty when 女性 was chosen, the screen offered no menstruation.
    EXPECT_EQ(stored->menstruation, 1);
    EXPECT_EQ(field<QComboBox>("menstruation")->currentIndex(), 1);
    EXPECT_TRUE(QFile::exists(folders.dataFile(QStringLiteral("W0.DBF"))));
    EXPECT_TRUE(QFile::exists(folders.dataFile(QStringLiteral("0.MEM"))));
    // Saved, the user has reference values to show.
    EXPECT_TRUE(field("viewStandard")->isEnabled());

    // Nothing changed since: leaving asks nothing and writes nothing.
    owner.clear();
    EXPECT_TRUE(screen->checkAndSave(Mode::WithMessages));
    EXPECT_TRUE(owner.texts().isEmpty());
    EXPECT_EQ(prompts, 1);

    // A change of an open user overwrites its record under the same number.
    field<QLineEdit>("height")->clear();
    type(field("height"), QStringLiteral("160.5"));
    ASSERT_TRUE(screen->checkAndSave(Mode::WithMessages));
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(listUsers().size(), 1);
    EXPECT_EQ(readUserNamed(QStringLiteral("山田花子"))->height.trimmed(), QStringLiteral("160.5"));
}

TEST_F(UserScreenTest, AFailedCheckKeepsTheScreenAndFocusesTheField)
{
    struct Case {
        const char *what;
        void (*change)(UserEntries &);
        QString message;
        const char *focused;
    };
    const Case cases[] = {
        {"no reading", [](UserEntries &e) { e.reading.clear(); }, QStringLiteral("フリガナを入力してください。"), "reading"},
        {"kanji reading", [](UserEntries &e) { e.reading = QStringLiteral("山田"); },
         QStringLiteral("フリガナは半角のカタカナで入力してください。"), "reading"},
        {"no name", [](UserEntries &e) { e.name.clear(); }, QStringLiteral("氏名を入力してください。"), "name"},
        {"29 February of 1993", [](UserEntries &e) { e.birthYear = "1993"; e.birthMonth = "2"; e.birthDay = "29"; },
         QStringLiteral("誕生日の日は1～28日の間で入力してください。"), "birthDay"},
        {"born today", [](UserEntries &e) { e.birthYear = "2024"; e.birthMonth = "5"; e.birthDay = "10"; },
         QStringLiteral("年齢は１歳以上で入力してください。"), "age"},
        {"no height", [](UserEntries &e) { e.height.clear(); },
         QStringLiteral("身長は50.0～250.0cmの間で入力してください。"), "height"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        UserEntries e = userfixtures::hanako();
        c.change(e);
        screen->showEntries(e);
        field("sex")->setFocus();
        owner.clear();

        EXPECT_FALSE(screen->checkAndSave(Mode::WithMessages));
        EXPECT_EQ(owner.texts(), QStringList{c.message});
        ASSERT_NE(screen->focusWidget(), nullptr);
        EXPECT_EQ(screen->focusWidget()->objectName(), QString::fromLatin1(c.focused));
        // Silently, the same entries are refused without a word.
        owner.clear();
        EXPECT_FALSE(screen->checkAndSave(Mode::Silent));
        EXPECT_TRUE(owner.texts().isEmpty());
    }
    EXPECT_EQ(prompts, 0);
    EXPECT_TRUE(listUsers().isEmpty());
}

TEST_F(UserScreenTest, WhatTheCheckCorrectedStaysCorrectedWhenItRefusesAField)
{
    // The reading's full-width blank and a birthday given in part are corrected before the
    // height is refused.
    UserEntries e = userfixtures::hanako();
    e.reading = QStringLiteral("ﾔﾏﾀﾞ　ﾊﾅｺ");
    e.birthMonth.clear();
    e.age = QStringLiteral("30");
    e.height.clear();
    screen->showEntries(e);
    EXPECT_FALSE(screen->checkAndSave(Mode::WithMessages));
    EXPECT_EQ(field<QLineEdit>("reading")->text(), QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ"));
    EXPECT_TRUE(field<QLineEdit>("birthYear")->text().isEmpty());
    EXPECT_EQ(screen->focusWidget(), field("height"));

    // A standard deleted since it was chosen is reported once: the choice goes back to the
    // national standard, and the next save passes.
    ASSERT_EQ(quenkit::createDbfTable(folders.dataFile(QStringLiteral("所要量.DBF")), standardsTableFields()), 1);
    e = userfixtures::hanako();
    e.standard = QStringLiteral("減塩食");
    screen->showEntries(e);
    owner.clear();
    EXPECT_FALSE(screen->checkAndSave(Mode::WithMessages));
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("設定されている食事摂取基準が見つかりません。\n削除されています。")});
    EXPECT_EQ(field<QComboBox>("standard")->currentText(), QStringLiteral("食事摂取基準(2010年版)"));
    EXPECT_EQ(screen->focusWidget(), field("standard"));
    owner.clear();
    EXPECT_TRUE(screen->checkAndSave(Mode::WithMessages));
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("山田花子さんを新しく保存します。\nよろしいですか？")});
}

TEST_F(UserScreenTest, CancellingTheWeightOrTheQuestionSavesNothing)
{
    weight.reset();
    screen->showEntries(userfixtures::hanako());
    EXPECT_FALSE(screen->checkAndSave(Mode::WithMessages));
    EXPECT_EQ(prompts, 1);

    weight = FirstWeight{2024, 5, 10, 52.5};
    owner.queueAnswer(quenkit::Answer::No);
    EXPECT_FALSE(screen->checkAndSave(Mode::WithMessages));
    EXPECT_TRUE(listUsers().isEmpty());
    EXPECT_FALSE(QFile::exists(folders.dataFile(QStringLiteral("0.MEM"))));
}

TEST_F(UserScreenTest, SexPregnancyAndAgeSetTheReproductiveChoices)
{
    struct Case {
        const char *age;
        int sex;
        int pregnancy;
        int menstruation;  // expected selection
        bool pregnancyEnabled;
        bool menstruationEnabled;
    };
    const Case cases[] = {
        {"30", 0, 0, 1, false, false},
        {"30", 1, 0, 0, true, true},
        {"9", 1, 0, 1, true, false},
        {"70", 1, 0, 1, true, false},
        // A pregnant or lactating woman has no menstruation: her iron is the pregnancy one.
        {"30", 1, 2, 1, true, false},
        {"30", 1, 4, 1, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.age << " sex " << c.sex << " pregnancy " << c.pregnancy);
        UserEntries e = userfixtures::person(QStringLiteral("ｱ"), QStringLiteral("A"));
        e.sex = c.sex == 0 ? 1 : 0;  // the choice below is a change
        screen->showEntries(e);
        field<QLineEdit>("age")->setText(QString::fromLatin1(c.age));
        field<QComboBox>("sex")->setCurrentIndex(c.sex);
        field<QComboBox>("pregnancy")->setCurrentIndex(c.pregnancy);
        EXPECT_EQ(field<QComboBox>("menstruation")->currentIndex(), c.menstruation);
        EXPECT_EQ(field("pregnancy")->isEnabled(), c.pregnancyEnabled);
        EXPECT_EQ(field("menstruation")->isEnabled(), c.menstruationEnabled);
    }
    // No longer pregnant: menstruation as for any woman of her age.
    field<QComboBox>("pregnancy")->setCurrentIndex(0);
    EXPECT_EQ(field<QComboBox>("menstruation")->currentIndex(), 0);
    EXPECT_TRUE(field("menstruation")->isEnabled());
}

TEST_F(UserScreenTest, YoungChildrenChooseFromTheUpperActivityLevelsAndKeepTheLevel)
{
    auto *activity = field<QComboBox>("activity");
    screen->showEntries(userfixtures::person(QStringLiteral("ｱ"), QStringLiteral("A"), 30));
    activity->setCurrentIndex(2);  // 高い
    field<QLineEdit>("age")->setText(QStringLiteral("3"));
    ASSERT_EQ(activity->count(), 2);
    EXPECT_EQ(activity->currentText(), QStringLiteral("高い"));
    field<QLineEdit>("age")->setText(QStringLiteral("8"));
    ASSERT_EQ(activity->count(), 3);
    EXPECT_EQ(activity->currentText(), QStringLiteral("高い"));
}

TEST_F(UserScreenTest, NewClearsTheScreenAfterSavingTheEntriesSilently)
{
    screen->showEntries(userfixtures::hanako());
    ASSERT_TRUE(screen->commandEnabled(cmd::NewUser));
    screen->runCommand(cmd::NewUser);
    EXPECT_EQ(listUsers().size(), 1);
    EXPECT_FALSE(openUserSession().isOpen());
    EXPECT_TRUE(field<QLineEdit>("name")->text().isEmpty());
    EXPECT_EQ(screen->focusWidget(), field("reading"));
}

TEST_F(UserScreenTest, TheWeightDialogKeepsTheFocusOnTheFieldItRefuses)
{
    WeightInputDialog dialog(&owner);
    dialog.show();
    settle();
    dialog.setEntries({"2024", "13", "1", "50"});
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("月は､1月から12月の間で入力してください。")});

    dialog.setEntries({"2024", "5", "10", "52.5"});
    owner.clear();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(owner.texts().isEmpty());
    EXPECT_EQ(dialog.weight().kg, 52.5);
}

namespace {

// A table of text fields with one record per row, written in key order by the table layer.
void makeTable(const QString &path, const QList<QPair<QString, int>> &fields, const QList<QStringList> &rows)
{
    QList<quenkit::DbfFieldDescriptor> descriptors;
    for (const auto &[name, width] : fields)
        descriptors.append(quenkit::DbfFieldDescriptor::make(quenkit::toSjis(name), 'C', width));
    ASSERT_EQ(quenkit::createDbfTable(path, descriptors), 1);
    for (const QStringList &row : rows) {
        QByteArray body;
        for (int i = 0; i < fields.size(); ++i)
            body += quenkit::sjisField(quenkit::toSjis(row[i]), fields[i].second);
        ASSERT_EQ(quenkit::WriteDBFRecord(nullptr, path, body, quenkit::toSjis(fields[0].first),
                                          quenkit::WriteNewOnly),
                  1);
    }
}

QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

}  // namespace

TEST_F(UserScreenTest, TableChoicesListTheRegisteredTablesAndKeepAChoiceThatIsGone)
{
    makeTable(folders.dataFile(QStringLiteral("食品群別.DBF")), {{QStringLiteral("郡別表名"), 30}},
              {{QStringLiteral("18郡別表")}, {QStringLiteral("食品群別表１０群")}});
    makeTable(folders.dataFile(QStringLiteral("適正摂取.DBF")),
              {{QStringLiteral("適正摂取名"), 30}, {QStringLiteral("郡別表名"), 30}},
              {{QStringLiteral("成人女性"), QStringLiteral("18郡別表")}});
    makeTable(folders.dataFile(QStringLiteral("適正単位.DBF")),
              {{QStringLiteral("適正単位名"), 30}, {QStringLiteral("交換表名"), 30}},
              {{QStringLiteral("1600kcal"), QStringLiteral("糖尿病食品交換表 第６版")},
               {QStringLiteral("たんぱく質40g"), QStringLiteral("腎臓病食品交換表 第７版")}});

    UserEntries e = userfixtures::hanako();
    e.exchangeTable = QStringLiteral("糖尿病食品交換表 第６版");
    e.unitTable = QStringLiteral("1600kcal");
    e.foodGroupTable = QStringLiteral("消した群別表");
    screen->showEntries(e);

    auto *exchange = field<QComboBox>("exchangeTable");
    auto *units = field<QComboBox>("unitTable");
    auto *groups = field<QComboBox>("foodGroupTable");
    auto *intakes = field<QComboBox>("intakeTable");
    EXPECT_EQ(itemsOf(exchange),
              QStringList({QString(), QStringLiteral("糖尿病食品交換表 第６版"), QStringLiteral("腎臓病食品交換表 第７版")}));
    EXPECT_EQ(itemsOf(units), QStringList({QString(), QStringLiteral("1600kcal")}));
    EXPECT_EQ(units->currentText(), QStringLiteral("1600kcal"));
    EXPECT_EQ(itemsOf(groups), QStringList({QString(), QStringLiteral("18郡別表"), QStringLiteral("食品群別表１０群"),
                                            QStringLiteral("消した群別表")}));
    EXPECT_EQ(groups->currentText(), QStringLiteral("消した群別表"));
    EXPECT_EQ(itemsOf(intakes), QStringList({QString(), QStringLiteral("成人女性")}));
    EXPECT_EQ(intakes->currentText(), QString());

    // Another exchange table offers its own unit sets; the one chosen before does not belong.
    exchange->setCurrentIndex(2);
    EXPECT_EQ(itemsOf(units), QStringList({QString(), QStringLiteral("たんぱく質40g")}));
    EXPECT_EQ(units->currentText(), QString());
    EXPECT_EQ(screen->entries().exchangeTable, QStringLiteral("腎臓病食品交換表 第７版"));
}
