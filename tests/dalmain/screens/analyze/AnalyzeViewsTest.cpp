// The analysis screen's graph and table views: switching them by command, which of them can be
// shown for the kind and the user's tables, the view remembered between visits, the judgement
// mode reaching the graph, and screenshots of each with a household's month.

#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/master/AnalysisTableNames.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/master/GroupTables.h"
#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/screens/analyze/Analyze.h"
#include "dalmain/screens/analyze/AnalysisChartPanes.h"
#include "dalmain/screens/analyze/AnalyzeGroupView.h"
#include "dalmain/screens/analyze/AnalyzeRireki.h"
#include "dalmain/screens/analyze/AnalyzeSyousai.h"
#include "dalmain/screens/analyze/AnalyzeSyoyo.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/userdata/DayMenuSave.h"
#include "dalmain/userdata/ExerciseLog.h"
#include "dalmain/userdata/UserSession.h"
#include "dalmain/userdata/UserStore.h"
#include "dalmain/userdata/WeightLog.h"

#include "quenkit/controls/DatePickers.h"
#include "quenkit/dbf/Dbf.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include "AnalyzeScreenFixture.h"
#include "ShellTestSupport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QStackedWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace dalmain;
using namespace shelltest;

namespace {

using analyzetest::kUser;

class AnalyzeViews : public ShellTest
{
protected:
    void SetUp() override
    {
        // The shipped foods, exercise items, basal standards, the ten-group table and the
        // diabetes list with its unit sets.
        for (const QString &file : {QStringLiteral("食品.FDB"), QStringLiteral("食品.IDX"), QStringLiteral("RMR.DBF"),
                                    QStringLiteral("基礎代謝.DBF"), QStringLiteral("食品群別.DBF"),
                                    QStringLiteral("fg食品群別表１０群.DBF"), QStringLiteral("糖尿交換表.DAT"),
                                    QStringLiteral("適正単位.DBF")}) {
            QFile::remove(folders.dataFile(file));
            ASSERT_TRUE(QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + file, folders.dataFile(file)))
                << file.toStdString();
            QFile::setPermissions(folders.dataFile(file), QFile::ReadOwner | QFile::WriteOwner);
        }
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
        const testsupport::CliResult added = cli(analyzetest::addUserArguments());
        ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
        ASSERT_EQ(LoadReferenceIntakes(&owner, referenceIntakes()), IntakeLoad::Loaded);
        std::optional<UserProfile> user = readUserNamed(kUser);
        ASSERT_TRUE(user);
        m_user = user->number;
    }
    void TearDown() override
    {
        screen.reset();
        openUserSession().clear();
    }

    // The user's group table with a proper-intake set, and the diabetes list with its
    // 1,600 kcal units.
    void giveTables(bool groups, bool exchange)
    {
        std::optional<UserProfile> user = readUserNamed(kUser);
        ASSERT_TRUE(user);
        if (groups) {
            ProperIntakeSet adult{QStringLiteral("成人女性"), QStringLiteral("食品群別表１０群"), {}};
            const double grams[10] = {250, 60, 20, 80, 70, 60, 50, 50, 200, 350};
            for (int g = 0; g < 10; ++g)
                adult.grams[static_cast<size_t>(g)] = grams[g];
            ASSERT_EQ(quenkit::createDbfTable(kProperIntakeTable, properIntakeFields()), 1);
            ASSERT_EQ(quenkit::WriteDBFRecord(nullptr, kProperIntakeTable, encodeProperIntake(adult),
                                              quenkit::toSjis(u"適正摂取名"), quenkit::WriteNewOnly),
                      1);
            user->foodGroupTable = QStringLiteral("食品群別表１０群");
            user->intakeTable = adult.name;
        }
        if (exchange) {
            user->exchangeTable = QStringLiteral("糖尿病食品交換表 第６版");
            user->unitTable = QStringLiteral("糖尿病 1600kcal(20単位)");
        }
        ASSERT_EQ(writeUserRecord(*user), 2);
    }

    // April and the first ten days of May 2024: three meals a day and a snack on some days,
    // drawn from the shipped foods of several groups, a walk (item 92, 3.5) on most days and a weight every
    // few days, slowly falling.
    void writeHousehold()
    {
        FoodCache cache;
        ASSERT_EQ(LoadFoodCache(nullptr, cache), 1);
        const EntryFoodIndex foods = EntryFoodIndex::fromCache(cache);
        // The first food of each standard group, by group number.
        std::array<quint16, 19> ofGroup{};
        for (const FoodCacheEntry &f : cache) {
            if (f.group >= 1 && f.group <= 18 && !ofGroup[f.group] && f.number < 65535)
                ofGroup[f.group] = quint16(f.number);
        }
        const auto row = [&](int group, double grams) {
            const quint16 number = ofGroup[static_cast<size_t>(group)];
            EXPECT_NE(number, 0) << "no food of group " << group;
            return MenuRow::foodRow(number, grams, *foods.find(number));
        };
        for (QDate d(2024, 4, 1); d <= QDate(2024, 5, 10); d = d.addDays(1)) {
            const int k = d.day();
            MenuDay day;
            day.meals[0] = {row(1, 150 + 5 * (k % 5)), row(12, 50), row(13, 200)};
            day.meals[1] = {row(1, 200), row(11, 70 + 3 * (k % 7)), row(6, 80)};
            day.meals[2] = {row(1, 150), row(10, 90), row(6, 120 + 10 * (k % 3)), row(9, 10), row(2, 60)};
            if (k % 3 == 0)
                day.meals[3] = {row(7, 120), row(3, 15)};
            const QByteArray key = d.toString(QStringLiteral("yyyyMMdd")).toLatin1();
            ASSERT_EQ(SaveDayMenu(nullptr, int(m_user), key, day, computeDayTotals(day, false), false, false),
                      DaySaveResult::Appended);
            if (k % 4 != 0) {
                ASSERT_TRUE(SaveExerciseDay(m_user, key, {ExerciseSlot{92, 30 + 10 * (k % 4), "  3.5", {}}}));
            }
            if (k % 3 == 1) {
                ASSERT_TRUE(SaveWeight(m_user, WeightRecord{key, 54.0 - 0.05 * d.dayOfYear() + 0.3 * (k % 2), 27.0}));
            }
        }
    }

    void open()
    {
        ASSERT_TRUE(openUserSession().open(&owner, kUser));
        screen = std::make_unique<Analyze>(ScreenContext{nullptr, &owner});
        screen->resize(1100, 720);
        screen->show();
        settle();
    }

    // Opens on a kind and a date.
    void show(int kindCommand, int year, int month, int day)
    {
        screen->runCommand(kindCommand);
        const AnalysisPeriod kind = kindCommand == cmd::PeriodDay ? AnalysisPeriod::Day
                                  : kindCommand == cmd::PeriodMonth ? AnalysisPeriod::Month
                                                                     : AnalysisPeriod::Year;
        screen->calendar(kind)->choose(year, month, day);
        settle();
    }

    void saveShot(const QString &name)
    {
        QDir().mkpath(QStringLiteral(ANALYZE_PNG_DIR));
        EXPECT_TRUE(screen->grab().save(QStringLiteral(ANALYZE_PNG_DIR "/") + name));
    }

    unsigned m_user = 0;
    std::unique_ptr<Analyze> screen;
};

// Which view commands can run: the history not for a year, the tables only with the user's
// table; and what the commands show.
TEST_F(AnalyzeViews, CommandsSwitchViewsWhereTheyCan)
{
    giveTables(true, false);
    ASSERT_FALSE(HasFailure());
    open();
    show(cmd::PeriodDay, 2024, 5, 10);   // a day without a record
    screen->runCommand(cmd::AnalysisDetail);

    const struct {
        int command;
        int view;
        QWidget *widget;
    } views[] = {
        {cmd::AnalysisGraph, Analyze::GraphView, screen->graphView()},
        {cmd::HistoryGraph, Analyze::HistoryView, screen->historyView()},
        {cmd::AnalysisGroup, Analyze::GroupView, screen->groupView()},
        {cmd::AnalysisDetail, Analyze::DetailView, screen->detailView()},
    };
    for (const auto &v : views) {
        SCOPED_TRACE(v.command);
        EXPECT_TRUE(screen->commandEnabled(v.command));
        screen->runCommand(v.command);
        settle();   // each view paints the empty day
        EXPECT_EQ(screen->view(), v.view);
        EXPECT_EQ(screen->currentViewWidget(), v.widget);
        EXPECT_TRUE(v.widget->isVisible());
        for (int id : {cmd::AnalysisDetail, cmd::AnalysisGraph, cmd::HistoryGraph, cmd::AnalysisGroup, cmd::AnalysisExchange})
            EXPECT_EQ(screen->commandChecked(id), id == v.command) << id;
    }
    EXPECT_EQ(screen->groupView()->objectName(), QStringLiteral("AnalyzeGunbetu"));
    EXPECT_EQ(screen->exchangeView()->objectName(), QStringLiteral("AnalyzeKoukan"));
    EXPECT_EQ(screen->graphView()->objectName(), QStringLiteral("AnalyzeSyoyo"));
    EXPECT_EQ(screen->historyView()->objectName(), QStringLiteral("AnalyzeRireki"));

    // No exchange list: its command is disabled and does nothing.
    EXPECT_FALSE(screen->commandEnabled(cmd::AnalysisExchange));
    screen->runCommand(cmd::AnalysisExchange);
    EXPECT_EQ(screen->view(), int(Analyze::DetailView));

    // The year has no history: the command is disabled, and a history on show gives way to 詳細.
    screen->runCommand(cmd::HistoryGraph);
    ASSERT_EQ(screen->view(), int(Analyze::HistoryView));
    screen->runCommand(cmd::PeriodYear);
    settle();
    EXPECT_FALSE(screen->commandEnabled(cmd::HistoryGraph));
    EXPECT_EQ(screen->view(), int(Analyze::DetailView));
    EXPECT_EQ(screen->currentViewWidget(), screen->detailView());
    screen->runCommand(cmd::HistoryGraph);
    EXPECT_EQ(screen->view(), int(Analyze::DetailView));
    screen->runCommand(cmd::PeriodMonth);
    EXPECT_TRUE(screen->commandEnabled(cmd::HistoryGraph));
}

// The view left is shown again on the next visit, unless this user lacks its table.
TEST_F(AnalyzeViews, RemembersTheViewUnlessItsTableIsMissing)
{
    giveTables(true, true);
    ASSERT_FALSE(HasFailure());
    open();
    screen->runCommand(cmd::AnalysisExchange);
    ASSERT_EQ(screen->view(), int(Analyze::ExchangeView));
    screen.reset();
    openUserSession().clear();
    open();
    EXPECT_EQ(screen->view(), int(Analyze::ExchangeView));
    EXPECT_EQ(screen->currentViewWidget(), screen->exchangeView());

    // The same user without the exchange list opens on 詳細.
    screen.reset();
    openUserSession().clear();
    std::optional<UserProfile> user = readUserNamed(kUser);
    ASSERT_TRUE(user);
    user->exchangeTable.clear();
    user->unitTable.clear();
    ASSERT_EQ(writeUserRecord(*user), 2);
    open();
    EXPECT_EQ(screen->view(), int(Analyze::DetailView));
    EXPECT_EQ(screen->currentViewWidget(), screen->detailView());
    EXPECT_FALSE(screen->commandEnabled(cmd::AnalysisExchange));
    EXPECT_TRUE(screen->commandEnabled(cmd::AnalysisGroup));
}

// The judgement mode is read when the views are refreshed: after the shell stores it, the
// screen's refreshDisplay shows the rates instead of the symbols.
TEST_F(AnalyzeViews, JudgementModeReachesTheGraph)
{
    open();
    screen->runCommand(cmd::AnalysisGraph);
    EXPECT_FALSE(screen->graphView()->rateMode());
    ASSERT_EQ(quenkit::SetRegistryInt(settings::kAnalyzeSection, settings::kAlzKijyun, 1), 1);
    screen->refreshDisplay();
    EXPECT_TRUE(screen->graphView()->rateMode());
    ASSERT_EQ(quenkit::SetRegistryInt(settings::kAnalyzeSection, settings::kAlzKijyun, 0), 1);
    screen->refreshDisplay();
    EXPECT_FALSE(screen->graphView()->rateMode());
}

// The history graph's scroll bar runs over the entries that do not fit, and the graph opens on
// the analysed day.
TEST_F(AnalyzeViews, HistoryScrollsOverTheEntries)
{
    writeHousehold();
    ASSERT_FALSE(HasFailure());
    open();
    show(cmd::PeriodDay, 2024, 4, 20);
    screen->runCommand(cmd::HistoryGraph);
    settle();
    const AnalysisResult &r = screen->result();
    ASSERT_EQ(r.history.size(), 40u);   // every day of the year with a menu
    AnalyzeRireki *history = screen->historyView();
    const int visible = history->entriesVisible();
    ASSERT_GT(visible, 1);
    ASSERT_LT(visible, 40);
    EXPECT_EQ(history->scrollBar()->maximum(), 40 - visible);
    // 20 April is the 20th entry, shown at the right end.
    EXPECT_EQ(history->scrollBar()->value(), std::max(0, 19 - visible + 1));
    const QImage before = history->graph()->grab().toImage();
    history->scrollBar()->setValue(history->scrollBar()->maximum());
    settle();
    EXPECT_NE(history->graph()->grab().toImage(), before);
}

// The four views with the household's April, for people to look at.
TEST_F(AnalyzeViews, ScreenshotsOfAMonth)
{
    giveTables(true, true);
    writeHousehold();
    ASSERT_FALSE(HasFailure());
    open();
    show(cmd::PeriodMonth, 2024, 4, 1);
    ASSERT_TRUE(screen->hasResult());
    ASSERT_GT(screen->result().dayCount, 0);

    screen->runCommand(cmd::AnalysisGraph);
    settle();
    saveShot(QStringLiteral("analyze-graph.png"));
    ScrolledChart *bars = screen->graphView()->bars();
    // The rows do not fit the view: it scrolls to the legend.
    EXPECT_GT(bars->verticalScrollBar()->maximum(), 0);
    bars->verticalScrollBar()->setValue(bars->verticalScrollBar()->maximum());
    settle();
    saveShot(QStringLiteral("analyze-graph-legend.png"));
    ASSERT_EQ(quenkit::SetRegistryInt(settings::kAnalyzeSection, settings::kAlzKijyun, 1), 1);
    screen->refreshDisplay();
    settle();
    saveShot(QStringLiteral("analyze-graph-rates.png"));

    screen->runCommand(cmd::AnalysisGroup);
    settle();
    saveShot(QStringLiteral("analyze-groups.png"));
    screen->runCommand(cmd::AnalysisExchange);
    settle();
    saveShot(QStringLiteral("analyze-exchange.png"));

    show(cmd::PeriodDay, 2024, 4, 20);
    screen->runCommand(cmd::HistoryGraph);
    settle();
    saveShot(QStringLiteral("analyze-history.png"));
    show(cmd::PeriodMonth, 2024, 4, 1);
    settle();
    saveShot(QStringLiteral("analyze-history-months.png"));
}

}  // namespace
