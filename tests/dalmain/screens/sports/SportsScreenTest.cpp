// The exercise screen walked as a user walks it: items searched and entered from minutes and
// directly, the day's basal metabolism, the day left and found again by the screen and by the
// command-line tool, the days of the log opened, copied, pasted and deleted.

#include "SportsScreenSupport.h"

#include "dalmain/screens/sports/SportsDayListDialog.h"
#include "dalmain/screens/sports/SportsSummaryView.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/userdata/ExerciseLog.h"
#include "dalmain/userdata/KisoChoice.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/registry/SettingsStore.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>

using namespace sportstest;
namespace cmd = dalmain::cmd;

namespace {

// 40-year-old man, 60 kg: 22.3 x 60 / 1440 kcal a minute at rest.
const QStringList kEnteredDay = {
    QStringLiteral("歩く（時速5.6km、速歩き）|30|119.9|朝の散歩"),
    QStringLiteral("雑巾がけ|30|150.0|"),
    QStringLiteral("一日の基礎代謝量||1400.0|測定値"),
};

}  // namespace

TEST_F(SportsScreenTest, ADayEnteredAsAUserDoesComesBackAndAgreesWithTheTool)
{
    // F3 on the list: the walk from its minutes (the energy follows them), then the floor
    // cleaning with its energy given directly; the third search is cancelled.
    QString shownEnergy;
    chooseItem(QStringLiteral("速歩き"), [&shownEnergy] {
        whenDialog(QStringLiteral("IDD_SPORTS_INPUT"), [&shownEnergy](QWidget *d) {
            EXPECT_TRUE(d->findChild<QRadioButton *>(QStringLiteral("compute"))->isChecked());
            type(d, "minutes", QStringLiteral("30"));
            shownEnergy = d->findChild<QLineEdit *>(QStringLiteral("energy"))->text();
            // Enter goes from the minutes past the computed energy to the memo, and from the
            // memo it is OK.
            QTest::keyClick(d->findChild<QWidget *>(QStringLiteral("minutes")), Qt::Key_Return);
            QWidget *memo = d->findChild<QWidget *>(QStringLiteral("memo"));
            EXPECT_EQ(QApplication::focusWidget(), memo);
            typeText(memo, QStringLiteral("朝の散歩"));
            chooseItem(QStringLiteral("雑巾"), [] {
                whenDialog(QStringLiteral("IDD_SPORTS_INPUT"), [](QWidget *d) {
                    click(d, "direct");
                    type(d, "minutes", QStringLiteral("30"));
                    type(d, "energy", QStringLiteral("150"));
                    cancelNextSearch();
                    click(d, "ok");
                });
            });
            QTest::keyClick(memo, Qt::Key_Return);
        });
    });
    screen->list()->setFocus();
    QTest::keyClick(screen->list(), Qt::Key_F3);
    EXPECT_EQ(shownEnergy, QStringLiteral("119.9"));
    ASSERT_EQ(listLines(), kEnteredDay.mid(0, 2));
    EXPECT_EQ(quenkit::GetRegistryInt(dalmain::settings::kSportsSection, QStringLiteral("InputFlg"), 0), 2);
    EXPECT_EQ(screen->lineIndicator(), QStringLiteral("行: 3/ 3"));

    // The basal metabolism measured that day, after the two entries.
    whenDialog(QStringLiteral("IDD_KISOTAISYA_INPUT"), [](QWidget *d) {
        EXPECT_EQ(d->findChild<QLineEdit *>(QStringLiteral("value"))->text(), QStringLiteral("1338.0"));
        click(d, "entered");
        EXPECT_EQ(d->findChild<QLineEdit *>(QStringLiteral("value"))->text(), QStringLiteral("0.0"));
        type(d, "value", QStringLiteral("1400"));
        type(d, "memo", QStringLiteral("測定値"));
        click(d, "ok");
    });
    screen->runCommand(cmd::BasalInput);
    ASSERT_EQ(listLines(), kEnteredDay);
    EXPECT_EQ(dalmain::LoadBasalChoice(0), (dalmain::BasalChoice{dalmain::BasalSource::Entered, 1400.0}));
    const QStringList summary = dalmain::exerciseSummaryLines(screen->summary());
    EXPECT_EQ(summary.mid(0, 5), (QStringList{QStringLiteral("運動時間： 1時間 0分 "), QStringLiteral("運動消費：269.9KC    "),
                                              QStringLiteral("基礎代謝：1400.0KC    "), QStringLiteral("生活消費：1006.3KC"),
                                              QStringLiteral("一日消費：2617.8KC     ")}));

    // The next day and back: the day was stored on leaving and reads back the same.
    EXPECT_TRUE(screen->isDirty());
    screen->dateBarCommand(3);
    EXPECT_EQ(screen->date(), QDate(2024, 5, 11));
    EXPECT_TRUE(listLines().isEmpty());
    auto *calendar = screen->findChild<quenkit::DMCalendar *>(QStringLiteral("DateBar"));
    EXPECT_TRUE(calendar->isMarked(2024, 5, 10));
    EXPECT_FALSE(calendar->isMarked(2024, 5, 11));
    screen->dateBarCommand(2);
    EXPECT_EQ(listLines(), kEnteredDay);
    EXPECT_EQ(dalmain::exerciseSummaryLines(screen->summary()), summary);

    // The tool shows what the screen shows.
    const testsupport::CliResult show = cli({QStringLiteral("exercise"), QStringLiteral("show"), kUserName,
                                             QStringLiteral("2024-05-10")});
    ASSERT_EQ(show.exitCode, 0) << show.err.toStdString();
    QStringList expected{QStringLiteral("運動種目\t運動時間\t消費ｴﾈﾙｷﾞｰ\tメ　　モ")};
    for (int i = 0; i < screen->list()->entryCount(); ++i) {
        const dalmain::ExerciseListLine l = screen->list()->line(i);
        expected.append(QStringList{l.name, l.minutes, l.energy, l.memo}.join(QLatin1Char('\t')));
    }
    expected += summary;
    EXPECT_EQ(show.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);

    // The screen made again opens on the shared day with it.
    screen.reset();
    EXPECT_EQ(system(QStringLiteral("Day")), QStringLiteral("2024/05/10"));
    createScreen();
    EXPECT_EQ(listLines(), kEnteredDay);
}

TEST_F(SportsScreenTest, EditingAndDeletingKeepTheTotalsAsLoadingGivesThem)
{
    ASSERT_EQ(cli({QStringLiteral("exercise"), QStringLiteral("set"), kUserName, QStringLiteral("2024-05-10"),
                   QStringLiteral("93:30,39:=150,36:20=80")})
                  .exitCode,
              0);
    createScreen();
    ASSERT_EQ(screen->day().count(), 3);
    EXPECT_EQ(screen->summary().minutes, 50);

    // F2 on the walk: 45 minutes instead of 30.
    screen->list()->setCurrentRow(0);
    whenDialog(QStringLiteral("IDD_SPORTS_INPUT"), [](QWidget *d) {
        auto *minutes = d->findChild<QLineEdit *>(QStringLiteral("minutes"));
        EXPECT_EQ(minutes->text(), QStringLiteral("30"));
        EXPECT_EQ(d->findChild<QLineEdit *>(QStringLiteral("energy"))->text(), QStringLiteral("119.9"));
        minutes->setFocus();
        QTest::keyClick(minutes, Qt::Key_Delete);
        typeText(minutes, QStringLiteral("45"));
        click(d, "ok");
    });
    QTest::keyClick(screen->list(), Qt::Key_F2);
    EXPECT_EQ(screen->summary().minutes, 65);

    // The energy given without minutes counts none; deleting it changes no minutes.
    screen->list()->setCurrentRow(1);
    whenDialog(QStringLiteral("IDD_SPORTS_INPUT"), [](QWidget *d) {
        EXPECT_TRUE(d->findChild<QRadioButton *>(QStringLiteral("direct"))->isChecked());
        EXPECT_TRUE(d->findChild<QLineEdit *>(QStringLiteral("minutes"))->text().isEmpty());
        QTest::keyClick(d, Qt::Key_Escape);
    });
    QTest::mouseDClick(screen->list()->viewport(), Qt::LeftButton, {},
                       screen->list()->visualItemRect(screen->list()->item(1)).center());
    EXPECT_EQ(screen->summary().minutes, 65);
    QTest::keyClick(screen->list(), Qt::Key_Delete);
    EXPECT_EQ(screen->summary().minutes, 65);
    ASSERT_EQ(screen->day().count(), 2);
    const dalmain::ExerciseSummary edited = screen->summary();

    // Saving asks first; loading the day gives the same figures.
    owner.clear();
    screen->runCommand(cmd::SaveSports);
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("編集中の運動記録を保存します。\nよろしいですか？")});
    EXPECT_FALSE(screen->isDirty());
    createScreen();
    EXPECT_EQ(screen->summary().minutes, edited.minutes);
    EXPECT_DOUBLE_EQ(screen->summary().exercise, edited.exercise);

    // Deleting every entry and leaving the day removes it from the log.
    while (screen->day().count() > 0) {
        screen->list()->setCurrentRow(0);
        screen->runCommand(cmd::SportsDelete);
    }
    EXPECT_FALSE(screen->commandEnabled(cmd::SaveSports)) << "an empty list is not saved by the command";
    screen->dateBarCommand(3);
    EXPECT_FALSE(dalmain::FindExerciseDay(0, "20240510"));
}

TEST_F(SportsScreenTest, TheLimitsOfADay)
{
    // 29 entries stored; the 30th is entered and the search is not offered again.
    QStringList entries;
    for (int i = 0; i < 29; ++i)
        entries.append(QStringLiteral("93:10"));
    ASSERT_EQ(cli({QStringLiteral("exercise"), QStringLiteral("set"), kUserName, QStringLiteral("2024-05-10"),
                   entries.join(QLatin1Char(','))})
                  .exitCode,
              0);
    createScreen();
    chooseItem(QStringLiteral("雑巾"), [] {
        whenDialog(QStringLiteral("IDD_SPORTS_INPUT"), [](QWidget *d) {
            click(d, "compute");
            type(d, "minutes", QStringLiteral("15"));
            click(d, "ok");
        });
    });
    owner.clear();
    screen->runCommand(cmd::SportsInput);
    EXPECT_EQ(screen->day().count(), 30);
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("運動種目の数は３０件までです。")});
    EXPECT_EQ(captions(owner), QStringList{QStringLiteral("運動")});
    EXPECT_FALSE(screen->commandEnabled(cmd::SportsInput));

    // A second basal metabolism is refused before any dialog opens.
    screen->list()->setCurrentRow(0);
    screen->runCommand(cmd::SportsDelete);
    whenDialog(QStringLiteral("IDD_KISOTAISYA_INPUT"), [](QWidget *d) { click(d, "ok"); });
    screen->runCommand(cmd::BasalInput);
    owner.clear();
    {
        shelltest::NoModalDialog none;
        screen->runCommand(cmd::BasalInput);
    }
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("基礎代謝量は入力済みです。")});
    EXPECT_EQ(captions(owner), QStringList{QStringLiteral("基礎代謝量について")});
}

TEST_F(SportsScreenTest, CopyAllAndPasteAllCarryADayToAnother)
{
    ASSERT_EQ(cli({QStringLiteral("exercise"), QStringLiteral("set"), kUserName, QStringLiteral("2024-05-10"),
                   QStringLiteral("93:30,basal:1400")})
                  .exitCode,
              0);
    createScreen();
    EXPECT_FALSE(screen->commandEnabled(cmd::SportsPasteAll));
    whenDialog(QStringLiteral("IDD_SPORTS_SELCOPY"), [](QWidget *d) {
        click(d, "SelCopyFlg2");  // no totals
        click(d, "ok");
    });
    screen->runCommand(cmd::SportsCopyAll);
    EXPECT_EQ(quenkit::GetRegistryInt(dalmain::settings::kSportsSection, QStringLiteral("SelCopyFlg2"), 1), 0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("運動種目\t運動時間(分)\t運動消費ｴﾈﾙｷﾞｰ(kcal)\tメ　モ\r\n"
                             "歩く（時速5.6km、速歩き）\t30\t119.9\t\r\n"
                             "一日の基礎代謝量\t\t1400.0\t\r\n"
                             "1日の運動目安\t週に1～2回、１時間程度の適度な運動をしましょう。\r\n"
                             "※注意！ 運動消費には基礎代謝が含まれているので、一日消費では運動の基礎代謝を差し引いて計算しています。\r\n"));
    EXPECT_TRUE(screen->commandEnabled(cmd::SportsPasteAll));

    // On another day the pasted basal metabolism is the day's, as when the day is loaded.
    screen->dateBarCommand(3);
    owner.clear();
    EXPECT_TRUE(screen->pasteAll());
    EXPECT_EQ(captions(owner), QStringList{QStringLiteral("まとめて貼り付け")});
    EXPECT_EQ(listLines(), (QStringList{QStringLiteral("歩く（時速5.6km、速歩き）|30|119.9|"),
                                        QStringLiteral("一日の基礎代謝量||1400.0|")}));
    EXPECT_DOUBLE_EQ(screen->summary().basal, 1400.0);
    EXPECT_EQ(QString::asprintf("%.1f", screen->summary().exercise), QStringLiteral("119.9"));

    // Cancel leaves the day as it is.
    owner.queueAnswer(quenkit::Answer::Cancel);
    screen->list()->setCurrentRow(0);
    screen->runCommand(cmd::SportsDelete);
    EXPECT_FALSE(screen->pasteAll());
    EXPECT_EQ(screen->day().count(), 1);

    // A text copied by any other program is no day to paste.
    QGuiApplication::clipboard()->setText(QStringLiteral("DMSportsAllData"));
    EXPECT_FALSE(screen->commandEnabled(cmd::SportsPasteAll));
}

TEST_F(SportsScreenTest, DaysOfTheLogAreOpenedAndDeleted)
{
    for (const char *date : {"2023-12-31", "2024-05-01", "2024-05-09"})
        ASSERT_EQ(cli({QStringLiteral("exercise"), QStringLiteral("set"), kUserName, QString::fromLatin1(date),
                       QStringLiteral("93:30")})
                      .exitCode,
                  0);
    createScreen();
    whenDialog(QStringLiteral("IDD_SPORTS_OPEN"), [](QWidget *d) {
        auto *dialog = static_cast<dalmain::SportsDayListDialog *>(d);
        EXPECT_EQ(dialog->periods(), (QStringList{QStringLiteral(" ＊すべての運動"), QStringLiteral(" ２０２３年"),
                                                  QStringLiteral(" ２０２３年１２月"), QStringLiteral(" ２０２４年"),
                                                  QStringLiteral(" ２０２４年　５月")}));
        dialog->choosePeriod(4);
        auto *days = d->findChild<QListWidget *>(QStringLiteral("days"));
        ASSERT_EQ(days->count(), 2);
        EXPECT_EQ(days->item(0)->text(), QStringLiteral(" ２０２４年　５月　１日　　　　　　20240501"));
        // A double-click arrives as a press, a release and the double-click.
        const QPoint first = days->visualItemRect(days->item(0)).center();
        QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(days->viewport(), Qt::LeftButton, {}, first);
    });
    screen->runCommand(cmd::OpenSports);
    EXPECT_EQ(screen->date(), QDate(2024, 5, 1));
    EXPECT_EQ(screen->day().count(), 1);

    // Two days chosen with Ctrl and deleted after the question; the day shown becomes empty.
    whenDialog(QStringLiteral("IDD_DELETEDIALOG6"), [](QWidget *d) {
        auto *days = d->findChild<QListWidget *>(QStringLiteral("days"));
        ASSERT_EQ(days->count(), 3);
        QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, days->visualItemRect(days->item(0)).center());
        QTest::mouseClick(days->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          days->visualItemRect(days->item(1)).center());
        click(d, "ok");
    });
    owner.clear();
    screen->runCommand(cmd::DeleteSports);
    EXPECT_EQ(owner.texts(), QStringList{QStringLiteral("選択された運動を削除します。\nよろしいですか？")});
    EXPECT_EQ(dalmain::ExerciseLogDates(0), QList<QByteArray>{"20240509"});
    EXPECT_EQ(screen->day().count(), 0);
    auto *calendar = screen->findChild<quenkit::DMCalendar *>(QStringLiteral("DateBar"));
    EXPECT_FALSE(calendar->isMarked(2024, 5, 1));
    EXPECT_TRUE(calendar->isMarked(2024, 5, 9));
}

TEST_F(SportsScreenTest, TheColumnBoundaryIsDraggedWithinItsLimitsAndKept)
{
    dalmain::SportsList *list = screen->list();
    QWidget *heading = list->findChild<QWidget *>(QStringLiteral("heading"));
    ASSERT_NE(heading, nullptr);
    const int start = list->boundary();
    EXPECT_EQ(start, list->fifteenDigitsWidth() * 2);
    const int y = heading->height() / 2;
    QTest::mousePress(heading, Qt::LeftButton, {}, QPoint(start + 1, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(start + 80, y), heading->mapToGlobal(QPointF(start + 80, y)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(heading, &move);
    QTest::mouseRelease(heading, Qt::LeftButton, {}, QPoint(start + 80, y));
    EXPECT_EQ(list->boundary(), start + 80);

    // Dragged far to the left it stops at 15 "0"s and 24 pixels, far right it leaves room for
    // three times that.
    QTest::mousePress(heading, Qt::LeftButton, {}, QPoint(list->boundary(), y));
    QTest::mouseRelease(heading, Qt::LeftButton, {}, QPoint(2, y));
    EXPECT_EQ(list->boundary(), list->minimumBoundary());
    QTest::mousePress(heading, Qt::LeftButton, {}, QPoint(list->boundary(), y));
    QTest::mouseRelease(heading, Qt::LeftButton, {}, QPoint(heading->width() - 2, y));
    EXPECT_EQ(list->boundary(), list->viewport()->width() - 3 * list->minimumBoundary());
    const int kept = list->boundary();

    // A press away from the boundary moves nothing.
    QTest::mousePress(heading, Qt::LeftButton, {}, QPoint(10, y));
    QTest::mouseRelease(heading, Qt::LeftButton, {}, QPoint(200, y));
    EXPECT_EQ(list->boundary(), kept);

    screen.reset();
    EXPECT_EQ(quenkit::GetRegistryInt(dalmain::settings::kSportsSection, QStringLiteral("SportsItemLine"), 0), kept);
    createScreen();
    EXPECT_EQ(screen->list()->boundary(), kept);
}

TEST_F(SportsScreenTest, ThePopupMenuOffersTheListsCommands)
{
    QStringList texts;
    for (const QAction *a : screen->popupMenu()->actions())
        texts.append(a->text());
    EXPECT_EQ(texts, (QStringList{QStringLiteral("入力"), QStringLiteral("修正"), QStringLiteral("削除"),
                                  QStringLiteral("基礎代謝量の入力")}));
    // On the empty line there is nothing to edit or delete.
    EXPECT_TRUE(screen->commandEnabled(cmd::SportsInput));
    EXPECT_FALSE(screen->commandEnabled(cmd::SportsModify));
    EXPECT_FALSE(screen->commandEnabled(cmd::SportsDelete));
    EXPECT_FALSE(screen->commandEnabled(cmd::PrintSports));
}

TEST_F(SportsScreenTest, TheWeightInForceOnTheShownDayIsUsed)
{
    for (const auto &[date, kg] : {std::pair{"2024-05-01", "64"}, std::pair{"2024-06-01", "70"}})
        ASSERT_EQ(cli({QStringLiteral("weight"), QStringLiteral("add"), kUserName, QString::fromLatin1(date),
                       QString::fromLatin1(kg)})
                      .exitCode,
                  0);
    createScreen();
    EXPECT_DOUBLE_EQ(screen->basis().energy.weightKg, 64.0);
    EXPECT_EQ(QString::asprintf("%.1f", screen->summary().basal), QStringLiteral("1427.3"));  // 22.3 x 64 + 0.05
    screen->dateBarCommand(4);  // a month on: 10 June
    EXPECT_DOUBLE_EQ(screen->basis().energy.weightKg, 70.0);
    screen->dateBarCommand(1);
    screen->dateBarCommand(1);  // 10 April, before the later weights
    EXPECT_DOUBLE_EQ(screen->basis().energy.weightKg, 60.0);
}
