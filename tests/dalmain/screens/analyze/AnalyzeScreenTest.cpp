// The analysis screen: the kinds and their calendars, the date commands, the 詳細 report against
// what the command-line tool writes for the same period, and saving and copying through the
// option dialogs.

#include "dalmain/screens/analyze/AnalyzeSyousai.h"

#include "AnalyzeScreenFixture.h"
#include "DialogDriving.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace dalmain;
using namespace shelltest;
using namespace analyzetest;

namespace {

TEST_F(AnalyzeScreenTest, KindsDatesAndCalendarsShowTheToolsReport)
{
    ASSERT_TRUE(screen->hasResult());
    EXPECT_EQ(screen->kindDate(AnalysisPeriod::Day), QDate(2024, 5, 10));
    EXPECT_TRUE(screen->commandChecked(cmd::PeriodDay));
    EXPECT_FALSE(screen->commandChecked(cmd::PeriodMonth));
    EXPECT_TRUE(screen->commandChecked(cmd::AnalysisDetail));
    expectShownAsTool(QStringLiteral("--day"), QStringLiteral("2024-05-10"));
    EXPECT_EQ(screen->result().dayCount, 1);

    // 翌日: a day without a record shows no intake: every nutrient with a lower reference is
    // short, one with an upper reference alone is met, none is over.
    screen->dateBarCommand(3);
    EXPECT_EQ(screen->kindDate(AnalysisPeriod::Day), QDate(2024, 5, 11));
    EXPECT_EQ(screen->result().dayCount, 0);
    EXPECT_EQ(screen->result().dayTotal[EnergyKcal], 0.0);
    expectShownAsTool(QStringLiteral("--day"), QStringLiteral("2024-05-11"));
    const IntakeStandard &standard = openUserSession().intakeStandard();
    int withLower = 0, upperOnly = 0;
    for (int n = 0; n < kNutrientCount; ++n) {
        if (standard[n].lower > 0)
            ++withLower;
        else if (standard[n].isSet())
            ++upperOnly;
    }
    int shortRows = 0, metRows = 0;
    for (const DetailLine &l : screen->detailView()->lines()) {
        shortRows += l.tone == DetailTone::Shortage;
        metRows += l.tone == DetailTone::Fine;
        EXPECT_NE(l.tone, DetailTone::Excess) << l.text.toStdString();
    }
    EXPECT_GT(withLower, 5);
    EXPECT_EQ(shortRows, withLower);
    EXPECT_EQ(metRows, upperOnly);

    // Picking a day in the calendar runs that day.
    screen->calendar(AnalysisPeriod::Day)->choose(2024, 5, 12);
    EXPECT_EQ(screen->kindDate(AnalysisPeriod::Day), QDate(2024, 5, 12));
    expectShownAsTool(QStringLiteral("--day"), QStringLiteral("2024-05-12"));

    // 月間 shows the month calendar and averages May's two days.
    screen->runCommand(cmd::PeriodMonth);
    EXPECT_TRUE(screen->commandChecked(cmd::PeriodMonth));
    EXPECT_FALSE(screen->commandChecked(cmd::PeriodDay));
    auto *calendars = screen->findChild<QStackedWidget *>();
    ASSERT_NE(calendars, nullptr);
    EXPECT_EQ(calendars->currentWidget(), screen->calendar(AnalysisPeriod::Month));
    EXPECT_EQ(screen->result().dayCount, 2);
    expectShownAsTool(QStringLiteral("--month"), QStringLiteral("2024-05"));
    // 前日 and 翌日 do nothing for a month; 翌月 moves on.
    screen->dateBarCommand(3);
    EXPECT_EQ(screen->result().periodKey, QByteArray("202405"));
    screen->dateBarCommand(4);
    EXPECT_EQ(screen->result().periodKey, QByteArray("202406"));
    expectShownAsTool(QStringLiteral("--month"), QStringLiteral("2024-06"));

    // 年間: the year calendar, the three days of 2024, and 翌年 / 今年.
    screen->runCommand(cmd::PeriodYear);
    EXPECT_EQ(calendars->currentWidget(), screen->calendar(AnalysisPeriod::Year));
    EXPECT_TRUE(screen->commandChecked(cmd::PeriodYear));
    EXPECT_EQ(screen->result().dayCount, 3);
    expectShownAsTool(QStringLiteral("--year"), QStringLiteral("2024"));
    screen->dateBarCommand(4);
    EXPECT_EQ(screen->result().periodKey, QByteArray("2025"));
    EXPECT_EQ(screen->result().dayCount, 0);
    screen->dateBarCommand(7);
    EXPECT_EQ(screen->result().periodKey, QByteArray("2024"));

    // Each kind kept its own date, and a new screen opens on the kind and dates left.
    screen->runCommand(cmd::PeriodDay);
    EXPECT_EQ(screen->result().periodKey, QByteArray("20240512"));
    screen->runCommand(cmd::PeriodMonth);
    screen.reset();
    screen = std::make_unique<Analyze>(ScreenContext{nullptr, &owner});
    EXPECT_EQ(screen->kind(), AnalysisPeriod::Month);
    EXPECT_EQ(screen->result().periodKey, QByteArray("202406"));
}

TEST_F(AnalyzeScreenTest, CommandsEnabledAreTheOnesBuilt)
{
    struct Case {
        int id;
        bool enabled;
    };
    for (const Case c : {Case{cmd::PeriodDay, true}, {cmd::PeriodMonth, true}, {cmd::PeriodYear, true},
                         {cmd::AnalysisDetail, true}, {cmd::SaveAnalysis, true}, {cmd::CopyAnalysis, true},
                         {cmd::PeriodSelect, true}, {cmd::NutrientChoice, true}, {cmd::DailyComment, true},
                         {cmd::AnalysisGraph, true}, {cmd::HistoryGraph, true},
                         // This user has neither a group table nor an exchange list.
                         {cmd::AnalysisGroup, false}, {cmd::AnalysisExchange, false}, {cmd::PrintAnalysis, true}})
        EXPECT_EQ(screen->commandEnabled(c.id), c.enabled) << c.id;
    EXPECT_TRUE(screen->hasDateBar());
}

TEST_F(AnalyzeScreenTest, SaveWritesTheToolsBytesAndRemembersTheChoice)
{
    const QString path = QDir(folders.dataDir()).filePath(QStringLiteral("saved.csv"));
    int offeredType = -1;
    Analyze::setSaveFileChooser([&](QWidget *, int *fileType) {
        offeredType = *fileType;
        *fileType = 1;  // ﾃｷｽﾄとｶﾝﾏ
        return path;
    });
    whenDialog(QStringLiteral("IDD_ALZ_WRITE_SELECT"), [](QWidget *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("分析結果の保存"));
        EXPECT_EQ(d->findChild<QWidget *>(QStringLiteral("Flg_13")), nullptr) << "body fat is copied only";
        // This user has no exchange or group table; their boxes cannot be chosen.
        EXPECT_FALSE(child<QAbstractButton>(d, "Flg_11")->isEnabled());
        EXPECT_FALSE(child<QAbstractButton>(d, "Flg_12")->isEnabled());
        for (const char *box : {"Flg_1", "Flg_2", "Flg_6", "Flg_10"})
            click(d, box);
        click(d, "allNutrients");
        click(d, "ok");
    });
    screen->runCommand(cmd::SaveAnalysis);
    EXPECT_EQ(offeredType, 0) << "nothing stored yet: the tab type";
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes, toolBytes({QStringLiteral("--day"), QStringLiteral("2024-05-10"), QStringLiteral("--kind"),
                                QStringLiteral("comma"), QStringLiteral("--sections"), QStringLiteral("1,2,6,10")}));
    EXPECT_TRUE(bytes.startsWith(quenkit::toSjis(QStringLiteral("\"分析結果 [一日分析]\"\r\n"))));

    const ExportOptions stored = readExportOptions(ExportTarget::Save);
    for (int option : {OptionUserInfo, OptionFoodCount, OptionNutrients, OptionPfc})
        EXPECT_TRUE(stored.option(option)) << option;
    for (int option : {OptionMealEnergyRatio, OptionEnergyBalance, OptionBodyWeight, OptionHistory, OptionShownNutrients})
        EXPECT_FALSE(stored.option(option)) << option;
    EXPECT_EQ(stored.kindChoice, 1);

    // The next save opens with those boxes and the comma type; a cancel in the file dialog
    // writes nothing.
    saved.close();
    ASSERT_TRUE(QFile::remove(path));
    Analyze::setSaveFileChooser([&](QWidget *, int *fileType) {
        offeredType = *fileType;
        return QString();
    });
    whenDialog(QStringLiteral("IDD_ALZ_WRITE_SELECT"), [](QWidget *d) {
        EXPECT_TRUE(child<QAbstractButton>(d, "Flg_6")->isChecked());
        EXPECT_FALSE(child<QAbstractButton>(d, "Flg_3")->isChecked());
        EXPECT_TRUE(child<QAbstractButton>(d, "allNutrients")->isChecked());
        click(d, "Flg_3");
        click(d, "ok");
    });
    screen->runCommand(cmd::SaveAnalysis);
    EXPECT_EQ(offeredType, 1);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(readExportOptions(ExportTarget::Save).option(OptionMealEnergyRatio)) << "cancelled: not stored";

    // キャンセル in the option dialog does not ask for a file.
    offeredType = -1;
    whenDialog(QStringLiteral("IDD_ALZ_WRITE_SELECT"), [](QWidget *d) { click(d, "cancel"); });
    screen->runCommand(cmd::SaveAnalysis);
    EXPECT_EQ(offeredType, -1);
}

TEST_F(AnalyzeScreenTest, CopyPutsTheToolsCopyTextOnTheClipboard)
{
    screen->runCommand(cmd::PeriodMonth);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    whenDialog(QStringLiteral("IDD_ALZ_COPY_SELECT"), [](QWidget *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("分析結果のコピー"));
        EXPECT_TRUE(child<QAbstractButton>(d, "Flg_7")->isEnabled()) << "history exists for a month";
        for (const char *box : {"Flg_3", "Flg_5", "Flg_6", "Flg_13", "Flg_7"})
            click(d, box);
        click(d, "shownNutrients");
        child<QComboBox>(d, "textKind")->setCurrentIndex(2);
        click(d, "ok");
    });
    screen->runCommand(cmd::CopyAnalysis);
    const QString copied = QGuiApplication::clipboard()->text();
    const QString tool = quenkit::fromSjis(
        toolBytes({QStringLiteral("--month"), QStringLiteral("2024-05"), QStringLiteral("--copy"), QStringLiteral("--kind"),
                   QStringLiteral("text"), QStringLiteral("--sections"), QStringLiteral("3,5,6,7,8,13")}));
    EXPECT_EQ(copied, tool);
    EXPECT_TRUE(copied.contains(QStringLiteral("●過剰・不足の心配はほとんどないと思います\r\n")));
    const ExportOptions stored = readExportOptions(ExportTarget::Copy);
    EXPECT_EQ(stored.kindChoice, 2);
    EXPECT_TRUE(stored.option(OptionBodyFat));
    EXPECT_TRUE(stored.shownNutrientsOnly);
    EXPECT_FALSE(readExportOptions(ExportTarget::Save).option(OptionBodyFat)) << "the save keeps its own options";

    // The year has no history to copy.
    screen->runCommand(cmd::PeriodYear);
    whenDialog(QStringLiteral("IDD_ALZ_COPY_SELECT"), [](QWidget *d) {
        EXPECT_FALSE(child<QAbstractButton>(d, "Flg_7")->isEnabled());
        EXPECT_FALSE(child<QAbstractButton>(d, "Flg_7")->isChecked());
        click(d, "cancel");
    });
    screen->runCommand(cmd::CopyAnalysis);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), copied) << "cancelled: the clipboard is kept";
}

TEST_F(AnalyzeScreenTest, DetailViewScrollsAndIsSavedAsPicture)
{
    screen->calendar(AnalysisPeriod::Day)->choose(2024, 5, 12);
    settle();
    AnalyzeSyousai *view = screen->detailView();
    QScrollBar *bar = view->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the report is taller than the view";
    const QImage top = view->viewport()->grab().toImage();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_PageDown);
    settle();
    EXPECT_GT(bar->value(), 0);
    EXPECT_NE(view->viewport()->grab().toImage(), top);
    bar->setValue(0);
    settle();
    QDir().mkpath(QStringLiteral(ANALYZE_PNG_DIR));
    EXPECT_TRUE(screen->grab().save(QStringLiteral(ANALYZE_PNG_DIR "/analyze-detail.png")));
    bar->setValue(bar->maximum() / 2);
    settle();
    EXPECT_TRUE(screen->grab().save(QStringLiteral(ANALYZE_PNG_DIR "/analyze-detail-nutrients.png")));
}

}  // namespace
