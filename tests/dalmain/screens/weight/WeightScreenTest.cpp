// The weight screen with a user opened: measurements entered, edited and deleted through the
// dialogs, the goals set, the month copied, the refusals of the dialogs, the spin bars, and the
// screen and its charts saved as PNGs in the build folder for people to look at.

#include "DialogDriving.h"
#include "ShellTestSupport.h"

#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/screens/weight/Weight.h"
#include "dalmain/screens/weight/WeightCharts.h"
#include "dalmain/screens/weight/WeightDialogs.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/DalmainView.h"
#include "dalmain/shell/MainFrame.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/userdata/ExerciseLogDay.h"
#include "dalmain/userdata/MemoFile.h"
#include "dalmain/userdata/UserSession.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/controls/NumEdit.h"
#include "quenkit/text/ShiftJis.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

namespace {

namespace cmd = dalmain::cmd;
using shelltest::child;

const QString kUserName = QStringLiteral("山田花子");

class WeightScreenTest : public shelltest::ShellTest
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
        // A woman of 158 cm whose first weight, in April, is the only one before the tests.
        const testsupport::CliResult added = cli(
            {QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("--name"), kUserName, QStringLiteral("--reading"),
             QStringLiteral("ﾊﾅｺ"), QStringLiteral("--age"), QStringLiteral("30"), QStringLiteral("--sex"),
             QStringLiteral("female"), QStringLiteral("--height"), QStringLiteral("158"), QStringLiteral("--activity"),
             QStringLiteral("1"), QStringLiteral("--weight"), QStringLiteral("52.5"), QStringLiteral("--weight-date"),
             QStringLiteral("2024-04-01")});
        ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
        ASSERT_EQ(dalmain::LoadReferenceIntakes(&owner, dalmain::referenceIntakes()), dalmain::IntakeLoad::Loaded);
        ASSERT_TRUE(dalmain::openUserSession().open(&owner, kUserName));
        screen = std::make_unique<dalmain::Weight>(dalmain::ScreenContext{nullptr, &owner});
        screen->resize(1280, 760);
        screen->show();
        screen->activateWindow();
        settle();
        owner.clear();
    }
    void TearDown() override
    {
        screen.reset();
        dalmain::openUserSession().clear();
    }



    static void type(QWidget *dialog, const char *field, const QString &text)
    {
        auto *edit = child<quenkit::NumEdit>(dialog, field);
        if (edit)
            edit->setFilteredText(text);
    }

    // Runs command id and, in the measurement dialog it opens, enters the fields and presses OK.
    void measurement(int id, const QString &day, const QString &kg, const QString &bodyFat, const QString &memo = {})
    {
        shelltest::whenModal([=](QWidget *dialog) {
            EXPECT_EQ(dialog->objectName(), QStringLiteral("IDD_WEIGHT_INPUT"));
            if (!day.isNull())
                type(dialog, "day", day);
            type(dialog, "weight", kg);
            type(dialog, "bodyFat", bodyFat);
            child<QPlainTextEdit>(dialog, "memo")->setPlainText(memo);
            QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
        });
        screen->runCommand(id);
    }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(screen->list(), static_cast<Qt::Key>(key), modifiers);
    }

    QStringList listLine(int line) const
    {
        QStringList texts;
        const QTreeWidgetItem *item = screen->list()->topLevelItem(line);
        for (int c = 0; item && c < 5; ++c)
            texts << item->text(c);
        return texts;
    }

    static int user() { return static_cast<int>(dalmain::openUserSession().profile()->number); }
    QString goalFile() const { return folders.dataFile(dalmain::weightGoalFileName(user())); }

    QString label(const char *name) const { return child<QLabel>(screen.get(), name)->text(); }

    std::unique_ptr<dalmain::Weight> screen;
};

TEST_F(WeightScreenTest, AMonthEnteredEditedDeletedWithGoalsAndCopy)
{
    EXPECT_EQ(screen->dateBar()->text(), QStringLiteral("2024/05"));
    EXPECT_EQ(screen->list()->topLevelItemCount(), 1);
    EXPECT_EQ(screen->lineIndicator(), QStringLiteral("行: 1/ 1"));
    EXPECT_FALSE(screen->commandEnabled(cmd::WeightModify));
    EXPECT_EQ(label("average1"), QStringLiteral("--------"));
    EXPECT_EQ(label("difference1"), QString());

    // F3 adds; a measurement of a day already in the log replaces it.
    shelltest::whenModal([&](QWidget *dialog) {
        // A new measurement of this month starts on today with the weight in force.
        EXPECT_EQ(child<quenkit::NumEdit>(dialog, "day")->text(), QStringLiteral("10"));
        EXPECT_EQ(child<quenkit::NumEdit>(dialog, "weight")->text(), QStringLiteral("52.5"));
        type(dialog, "day", QStringLiteral("3"));
        type(dialog, "weight", QStringLiteral("54.0"));
        type(dialog, "bodyFat", QStringLiteral("28.5"));
        child<QPlainTextEdit>(dialog, "memo")->setPlainText(QStringLiteral("朝食前"));
        QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    key(Qt::Key_F3);
    measurement(cmd::WeightInput, QStringLiteral("20"), QStringLiteral("62.0"), QStringLiteral("31.5"));
    measurement(cmd::WeightInput, QStringLiteral("12"), QStringLiteral("53.2"), QStringLiteral("0"));
    EXPECT_EQ(screen->currentLine(), 1);
    measurement(cmd::WeightInput, QStringLiteral("12"), QStringLiteral("53.4"), QStringLiteral("0"));
    ASSERT_EQ(screen->month().lines().size(), 3);
    EXPECT_EQ(listLine(0), (QStringList{QStringLiteral("05/03(金)"), QStringLiteral(" 54.0"), QStringLiteral("正　　常"),
                                        QStringLiteral("21.6"), QStringLiteral("      28.5")}));
    EXPECT_EQ(listLine(1)[1], QStringLiteral(" 53.4"));
    EXPECT_EQ(listLine(1)[4].trimmed(), QStringLiteral("-------"));
    EXPECT_EQ(screen->lineIndicator(), QStringLiteral("行: 2/ 4"));
    EXPECT_EQ(screen->dayMarks()->markedDays(), (QList<int>{3, 12, 20}));
    // A click on a marked day selects its line; an unmarked day changes nothing.
    const auto clickDay = [&](int day) {
        QTest::mouseClick(screen->dayMarks(), Qt::LeftButton, Qt::NoModifier, QPoint((day - 1) * 14 + 7, 8));
    };
    clickDay(20);
    EXPECT_EQ(screen->currentLine(), 2);
    clickDay(5);
    EXPECT_EQ(screen->currentLine(), 2);
    clickDay(3);
    EXPECT_EQ(screen->currentLine(), 0);
    screen->setCurrentLine(1);
    QByteArray memo;
    const QString memoFile = dalmain::memoFileName(dalmain::MemoKind::Weight, user());
    ASSERT_EQ(dalmain::ReadMemo(memoFile, "20240503", memo), 1);
    EXPECT_EQ(quenkit::fromSjis(memo), QStringLiteral("朝食前"));

    // F2 edits the selected measurement; its day cannot change.
    screen->setCurrentLine(1);
    shelltest::whenModal([&](QWidget *dialog) {
        auto *day = child<quenkit::NumEdit>(dialog, "day");
        EXPECT_EQ(day->text(), QStringLiteral("12"));
        EXPECT_TRUE(day->isReadOnly());
        EXPECT_EQ(child<quenkit::NumEdit>(dialog, "weight")->text(), QStringLiteral("53.4"));
        type(dialog, "weight", QStringLiteral("61.2"));
        QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    key(Qt::Key_F2);
    EXPECT_EQ(listLine(1)[1], QStringLiteral(" 61.2"));
    EXPECT_EQ(screen->currentLine(), 1);

    // Del deletes the selected measurement with its memo.
    screen->setCurrentLine(0);
    key(Qt::Key_Delete);
    EXPECT_TRUE(owner.messages().isEmpty()) << owner.texts().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(screen->month().lines().size(), 2);
    EXPECT_EQ(listLine(0)[0], QStringLiteral("05/12(日)"));
    EXPECT_EQ(dalmain::FindMemo(memoFile, "20240503"), -1);

    // The goals: stored as the dialog shows them, confirmed, and measured against 20 May.
    shelltest::whenModal([&](QWidget *dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("IDD_WEIGHT_GOAL"));
        EXPECT_EQ(child<quenkit::NumEdit>(dialog, "goalWeight")->text(), QString());
        type(dialog, "goalWeight", QStringLiteral("58.0"));
        type(dialog, "goalBodyFat", QStringLiteral("25.0"));
        QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    screen->runCommand(cmd::WeightGoal);
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("体重58.0 kg、体脂肪率25.0%を目指して頑張ってください。")});
    EXPECT_EQ(owner.messages().last().caption, QStringLiteral("目標の設定"));
    EXPECT_EQ(testsupport::readFile(goalFile()), QByteArray(" 58.025.0\0", 10));
    EXPECT_EQ(label("weightGoal"), QStringLiteral("目標体重 58.0kgまであと4.0kgです。"));
    EXPECT_EQ(label("bodyFatGoal"), QStringLiteral("目標体脂肪率 25.0%まであと6.5%です。"));

    // 61.2 and 62.0 kg at 158 cm: above the standard weight, BMI and a woman's body fat.
    EXPECT_EQ(label("average1"), QStringLiteral("61.6"));
    EXPECT_EQ(label("average2"), QStringLiteral("やや肥満"));
    EXPECT_EQ(label("average3"), QStringLiteral("24.6"));
    EXPECT_EQ(label("average4"), QStringLiteral("31.5"));
    EXPECT_EQ(label("difference1"), QStringLiteral("+1.7"));
    EXPECT_EQ(label("difference3"), QStringLiteral("+0.8"));
    EXPECT_EQ(label("difference4"), QStringLiteral("+1.5"));
    EXPECT_TRUE(child<QLabel>(screen.get(), "difference1")->styleSheet().contains(QStringLiteral("#d00000")));
    EXPECT_EQ(label("standardWeight"), QStringLiteral("適正体重 50.0kg～59.8kg (54.9kg)"));

    // まとめてコピー without the standard values; the choice is kept for the next time.
    shelltest::whenModal([&](QWidget *dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("IDD_WEIGHT_SELCOPY"));
        child<QCheckBox>(dialog, "SelCopyFlg4")->setChecked(false);
        QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    screen->runCommand(cmd::WeightCopyAll);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("日付\t体重(kg)\t判定\tBMI\t体脂肪率(%)\r\n"
                                                                "2024/05/12\t 61.2\tやや肥満\t24.5\t-------\r\n"
                                                                "2024/05/20\t 62.0\tやや肥満\t24.8\t31.5\r\n"
                                                                "月間平均\t61.6\tやや肥満\t24.7\t31.5\r\n"
                                                                "標準との差\t+1.7\t\t+0.8\t+1.5\r\n"));
    EXPECT_EQ(dalmain::savedWeightCopyBlocks(), (dalmain::WeightCopyBlocks{true, true, true, false}));

    // The exercise screen's day is computed with the weight in force on it.
    const dalmain::BasalStandardTable table{};
    const dalmain::UserProfile &person = *dalmain::openUserSession().profile();
    struct Case {
        const char *date;
        double kg;
    };
    for (const Case &c : {Case{"20240504", 52.5}, Case{"20240515", 61.2}, Case{"20240531", 62.0}})
        EXPECT_EQ(dalmain::exerciseDayBasis(person, c.date, table).energy.weightKg, c.kg) << c.date;
}

TEST_F(WeightScreenTest, TheOnlyMeasurementStaysAndTheEmptyLineOnlyBeeps)
{
    screen->dateBarCommand(1);
    EXPECT_EQ(screen->dateBar()->text(), QStringLiteral("2024/04"));
    ASSERT_EQ(screen->month().lines().size(), 1);
    EXPECT_EQ(screen->currentLine(), 0);
    key(Qt::Key_Delete);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("体重の削除"));
    EXPECT_EQ(owner.messages()[0].text, QStringLiteral("体重データは最低でも１件は必要です。\nこのデータは削除できません。"));
    EXPECT_EQ(screen->month().lines().size(), 1);
    EXPECT_EQ(dalmain::readWeights(static_cast<unsigned>(user())).size(), 1);

    // A double click edits the measurement under it.
    bool edited = false;
    shelltest::whenModal([&](QWidget *dialog) {
        edited = true;
        EXPECT_EQ(dialog->objectName(), QStringLiteral("IDD_WEIGHT_INPUT"));
        EXPECT_EQ(child<quenkit::NumEdit>(dialog, "day")->text(), QStringLiteral("1"));
        EXPECT_TRUE(child<quenkit::NumEdit>(dialog, "day")->isReadOnly());
        static_cast<QDialog *>(dialog)->reject();
    });
    settle();
    QWidget *viewport = screen->list()->viewport();
    const QPoint first = screen->list()->visualItemRect(screen->list()->topLevelItem(0)).center();
    // As the window system delivers it: a click, then the second press as a double click.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, first);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, first);
    EXPECT_TRUE(edited);
    EXPECT_EQ(screen->month().lines().size(), 1);

    owner.clear();
    screen->setCurrentLine(1);
    EXPECT_FALSE(screen->commandEnabled(cmd::WeightDelete));
    key(Qt::Key_Delete);
    EXPECT_TRUE(owner.messages().isEmpty());
    // The month has a measurement, so Ctrl+P opens the print options; "今月" comes back to May.
    EXPECT_TRUE(screen->commandEnabled(cmd::PrintWeight));
    bool asked = false;
    shelltest::whenDialog(QStringLiteral("IDD_WEIGHT_PRINT"), [&asked](QWidget *d) {
        asked = true;
        shelltest::click(d, "cancel");
    });
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(asked);
    screen->dateBarCommand(7);
    EXPECT_EQ(screen->dateBar()->text(), QStringLiteral("2024/05"));
}

TEST_F(WeightScreenTest, RefusedEntriesKeepTheDialogOnTheField)
{
    struct Case {
        const char *day;
        const char *kg;
        const char *bodyFat;
        const char16_t *caption;
        const char16_t *message;
        const char *focus;
    };
    const Case cases[] = {
        {"", "60.0", "20.0", u"体重の入力", u"日付は､1日から31日の間で入力してください。", "day"},
        {"32", "60.0", "20.0", u"体重の入力", u"日付は､1日から31日の間で入力してください。", "day"},
        {"5", "0.0", "20.0", u"ユーザー情報", u"体重は0.1～200.0kgの間で入力してください。", "weight"},
        {"5", "200.1", "20.0", u"ユーザー情報", u"体重は0.1～200.0kgの間で入力してください。", "weight"},
        {"5", "60.0", "50.1", u"ユーザー情報", u"体脂肪率は0.1～50.0の間で入力してください。", "bodyFat"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.day + std::string(" ") + c.kg + " " + c.bodyFat);
        owner.clear();
        shelltest::whenModal([&](QWidget *dialog) {
            type(dialog, "day", QString::fromLatin1(c.day));
            type(dialog, "weight", QString::fromLatin1(c.kg));
            type(dialog, "bodyFat", QString::fromLatin1(c.bodyFat));
            QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->focusWidget(), child<QWidget>(dialog, c.focus));
            static_cast<QDialog *>(dialog)->reject();
        });
        screen->runCommand(cmd::WeightInput);
        ASSERT_EQ(owner.messages().size(), 1);
        EXPECT_EQ(owner.messages()[0].caption, QString::fromUtf16(c.caption));
        EXPECT_EQ(owner.messages()[0].text, QString::fromUtf16(c.message));
    }
    EXPECT_TRUE(screen->month().isEmpty());
    // Body fat 0 is no measurement of it, and accepted.
    owner.clear();
    measurement(cmd::WeightInput, QStringLiteral("5"), QStringLiteral("60.0"), QStringLiteral("0"));
    EXPECT_TRUE(owner.messages().isEmpty());
    EXPECT_EQ(screen->month().lines().size(), 1);

    // The goal dialog's refusals.
    const struct {
        const char *weight;
        const char *bodyFat;
        const char16_t *message;
    } goals[] = {{"", "20.0", u"目標体重は0.1～200.0kgの間で入力してください。"},
                 {"60.0", "50.1", u"目標体脂肪率は50.0%以下で入力してください。"}};
    for (const auto &g : goals) {
        owner.clear();
        shelltest::whenModal([&](QWidget *dialog) {
            type(dialog, "goalWeight", QString::fromLatin1(g.weight));
            type(dialog, "goalBodyFat", QString::fromLatin1(g.bodyFat));
            QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
            EXPECT_TRUE(dialog->isVisible());
            static_cast<QDialog *>(dialog)->reject();
        });
        screen->runCommand(cmd::WeightGoal);
        ASSERT_EQ(owner.messages().size(), 1);
        EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("目標の設定"));
        EXPECT_EQ(owner.messages()[0].text, QString::fromUtf16(g.message));
    }
    EXPECT_FALSE(QFile::exists(goalFile()));
}

TEST_F(WeightScreenTest, SpinBarsStepByATenthThenByOneWhenHeld)
{
    struct Case {
        double value;
        int direction;
        int repeats;
        double maximum;
        double result;
    };
    const Case cases[] = {{60.0, 1, 0, 999.9, 60.1}, {60.0, 1, 50, 999.9, 60.1}, {60.0, 1, 51, 999.9, 61.0},
                          {60.0, -1, 51, 999.9, 59.0}, {49.5, 1, 60, 50.0, 50.0}, {0.0, -1, 0, 50.0, 0.0},
                          {0.05, -1, 0, 50.0, 0.0}};
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(dalmain::spunValue(c.value, c.direction, c.repeats, c.maximum), c.result)
            << c.value << " " << c.repeats;

    // Holding Up on the fields: one press and then the key's repeats.
    dalmain::MeasurementDialog dialog(&owner, 2024, 5);
    dialog.setEntry(10, 60.0, 45.0, QString());
    const auto hold = [](QWidget *field, int repeats) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(field, &press);
        for (int r = 0; r < repeats; ++r) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(field, &repeat);
        }
    };
    // 51 steps of 0.1 and then one of 1.0.
    hold(dialog.weightField()->edit(), 51);
    EXPECT_EQ(dialog.weightField()->text(), QStringLiteral("66.1"));
    hold(dialog.bodyFatField()->edit(), 60);
    EXPECT_EQ(dialog.bodyFatField()->text(), QStringLiteral("50.0"));
    // A new press starts slow again.
    hold(dialog.weightField()->edit(), 0);
    EXPECT_EQ(dialog.weightField()->text(), QStringLiteral("66.2"));
    // The buttons step once for a click.
    QTest::mouseClick(dialog.weightField()->downButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.weightField()->text(), QStringLiteral("66.1"));
}

TEST_F(WeightScreenTest, RendersAMonthAndItsCharts)
{
    const struct {
        const char *date;
        const char *kg;
        const char *fat;
    } days[] = {{"2024-05-01", "63.4", "31.2"}, {"2024-05-04", "63.0", "0"},    {"2024-05-08", "62.6", "30.8"},
                {"2024-05-12", "62.9", "30.9"}, {"2024-05-16", "62.1", "30.1"}, {"2024-05-21", "61.6", "0"},
                {"2024-05-25", "61.0", "29.4"}, {"2024-05-29", "60.7", "29.0"}};
    for (const auto &d : days) {
        ASSERT_EQ(cli({QStringLiteral("weight"), QStringLiteral("add"), kUserName, QString::fromLatin1(d.date),
                       QString::fromLatin1(d.kg), QStringLiteral("--body-fat"), QString::fromLatin1(d.fat)})
                      .exitCode,
                  0);
    }
    ASSERT_EQ(cli({QStringLiteral("weight"), QStringLiteral("add"), kUserName, QStringLiteral("2024-05-01"), QStringLiteral("63.4"),
                   QStringLiteral("--body-fat"), QStringLiteral("31.2"), QStringLiteral("--memo"), QStringLiteral("朝食前")})
                  .exitCode,
              0);
    ASSERT_EQ(cli({QStringLiteral("weight"), QStringLiteral("goal"), kUserName, QStringLiteral("--weight"), QStringLiteral("58"),
                   QStringLiteral("--body-fat"), QStringLiteral("27")})
                  .exitCode,
              0);
    screen.reset();
    screen = std::make_unique<dalmain::Weight>(dalmain::ScreenContext{nullptr, &owner});
    screen->resize(1280, 760);
    screen->show();
    settle();
    ASSERT_EQ(screen->month().lines().size(), 8);
    EXPECT_EQ(screen->currentLine(), 7);

    QDir().mkpath(WEIGHT_PNG_DIR);
    EXPECT_TRUE(screen->grab().save(QStringLiteral(WEIGHT_PNG_DIR "/weight-screen.png")));
    // The routines paint a page the same way: here an image of a page's size.
    QImage page(700, 900, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    dalmain::paintBmiChart(painter, QRect(20, 20, 660, 420), screen->bmiChart()->point());
    dalmain::paintMonthlyGraph(painter, QRect(20, 460, 660, 420), screen->month(), screen->goal());
    painter.end();
    EXPECT_TRUE(page.save(QStringLiteral(WEIGHT_PNG_DIR "/weight-charts.png")));
    // The memo of a day rests on its line.
    EXPECT_EQ(screen->list()->topLevelItem(0)->toolTip(0), QStringLiteral("朝食前"));
    EXPECT_EQ(screen->list()->topLevelItem(1)->toolTip(0), QString());

    // The dialogs as they open.
    dalmain::MeasurementDialog input(&owner, 2024, 5);
    input.setEntry(29, 60.7, 29.0, QStringLiteral("夕食後"));
    dalmain::WeightGoalDialog goal(&owner, screen->goal());
    dalmain::WeightSelCopyDialog copy;
    for (const auto &[dialog, name] : {std::pair<QDialog *, const char *>{&input, "weight-input"}, {&goal, "weight-goal"},
                                       {&copy, "weight-selcopy"}}) {
        dialog->show();
        settle();
        EXPECT_TRUE(dialog->grab().save(QStringLiteral(WEIGHT_PNG_DIR "/%1.png").arg(QString::fromLatin1(name))));
    }
    EXPECT_EQ(goal.weightField()->text(), QStringLiteral("58.0"));
    EXPECT_EQ(goal.bodyFatField()->text(), QStringLiteral("27.0"));
    // The chart marks the month's last measurement.
    EXPECT_EQ(*screen->bmiChart()->point().kg, 60.7);
}

TEST_F(WeightScreenTest, InTheProgramItsCommandsFollowTheLine)
{
    // The program starts on the weight screen with the user it ended with.
    screen.reset();
    dalmain::openUserSession().clear();
    setSystem(dalmain::settings::kUserName, kUserName);
    setSystem(dalmain::settings::kKidou, QStringLiteral("5"));
    setSystem(dalmain::settings::kExitScreen, QStringLiteral("3"));
    std::unique_ptr<dalmain::MainFrame> frame = start();
    ASSERT_NE(frame, nullptr);
    dalmain::DalmainView *view = frame->view();
    ASSERT_EQ(view->currentScreen(), dalmain::WeightScreen);
    auto *weight = qobject_cast<dalmain::Weight *>(view->screen());
    ASSERT_NE(weight, nullptr);
    // May has no measurement yet: entering and goals are there, editing and deleting are not,
    // printing waits for the print-outs, and 保存 has nothing to do.
    EXPECT_TRUE(view->commandEnabled(cmd::WeightInput));
    EXPECT_TRUE(view->commandEnabled(cmd::WeightGoal));
    EXPECT_FALSE(view->commandEnabled(cmd::WeightModify));
    EXPECT_FALSE(view->commandEnabled(cmd::WeightDelete));
    EXPECT_FALSE(view->commandEnabled(cmd::PrintWeight));
    {
        shelltest::NoModalDialog none;
        view->runCommand(cmd::Save);
        settle();
    }
    // "前月" from the 日付 menu shows April and its one measurement, which can be edited.
    ASSERT_TRUE(view->runCommand(cmd::PreviousMonth));
    EXPECT_EQ(weight->dateBar()->text(), QStringLiteral("2024/04"));
    EXPECT_EQ(weight->lineIndicator(), QStringLiteral("行: 1/ 2"));
    EXPECT_TRUE(view->commandEnabled(cmd::WeightModify));
    EXPECT_TRUE(view->commandEnabled(cmd::WeightDelete));
    weight->setCurrentLine(1);
    EXPECT_FALSE(view->commandEnabled(cmd::WeightModify));
}

TEST_F(WeightScreenTest, WithoutAUserNothingIsEntered)
{
    screen.reset();
    dalmain::openUserSession().clear();
    screen = std::make_unique<dalmain::Weight>(dalmain::ScreenContext{nullptr, &owner});
    EXPECT_EQ(label("userNote"), QStringLiteral("ユーザー情報を開いてください。"));
    for (int id : {cmd::WeightInput, cmd::WeightModify, cmd::WeightDelete, cmd::WeightGoal, cmd::WeightCopyAll})
        EXPECT_FALSE(screen->commandEnabled(id)) << id;
    shelltest::NoModalDialog none;
    key(Qt::Key_F3);
    screen->runCommand(cmd::WeightGoal);
    EXPECT_EQ(label("weightGoal"), QStringLiteral("目標体重は未設定です。"));
    EXPECT_EQ(label("standardWeight"), QStringLiteral("適正体重 ----"));
}

}  // namespace

namespace {

// Pixels of the legend's weight colour (a strong blue) in the caption's band of a monthly
// graph painted width pixels wide, and the picture saved for people to look at.
int legendBlueInCaption(int width)
{
    QImage image(width, 260, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    dalmain::paintMonthlyGraph(painter, image.rect(), dalmain::WeightMonth(), dalmain::WeightGoal());
    painter.end();
    QDir().mkpath(WEIGHT_PNG_DIR);
    image.save(QStringLiteral(WEIGHT_PNG_DIR "/monthly-graph-%1.png").arg(width));
    int blue = 0;
    for (int y = 2; y < 22; ++y) {
        for (int x = 0; x < width; ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += c.blue() > 150 && c.red() < 90 && c.green() < 130 ? 1 : 0;
        }
    }
    return blue;
}

TEST(WeightMonthlyGraph, TheLegendLeavesTheCaptionLineWhenItWouldRunIntoTheCaption)
{
    // Wide, as on the screen: the legend sits at the right of the caption.
    EXPECT_GT(legendBlueInCaption(660), 0);
    // As narrow as the printed page's half (a 26th of the page's width in hundredths of a
    // millimetre): the legend goes below the caption instead of over it.
    EXPECT_EQ(legendBlueInCaption(360), 0);
    EXPECT_EQ(legendBlueInCaption(200), 0);
}

}  // namespace
