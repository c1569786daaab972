// The analysis screen's selection kind through its dialog, the date commands of each kind, and
// the nutrient and comment dialogs opened from the screen.

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/userdata/UserStore.h"

#include "AnalyzeScreenFixture.h"
#include "DialogDriving.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace dalmain;
using namespace shelltest;
using namespace analyzetest;

namespace {

const QList<int> kDateCommands = {cmd::PreviousDay, cmd::NextDay,    cmd::PreviousMonth, cmd::NextMonth,
                                  cmd::PreviousYear, cmd::NextYear, cmd::Today};

class AnalyzeKindsTest : public AnalyzeScreenTest
{
protected:
    // Clicks the list's lines of these dates, as a person picks days one by one.
    static void pickDays(QWidget *dialog, const QStringList &dates)
    {
        auto *list = child<QListWidget>(dialog, "days");
        for (int row = 0; row < list->count(); ++row) {
            if (dates.contains(list->item(row)->text().right(8)))
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(row)).center());
        }
    }

    bool calendarShown() const
    {
        auto *calendars = screen->findChild<QStackedWidget *>();
        return calendars && calendars->isVisible();
    }
};

TEST_F(AnalyzeKindsTest, ChosenDaysAreAnalysedAsTheToolAnalysesThem)
{
    whenDialog(QStringLiteral("IDD_SEARCHDIALOG3"), [this](QWidget *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("献立を選択して分析"));
        auto *range = child<QComboBox>(d, "range");
        QStringList ranges;
        for (int i = 0; i < range->count(); ++i)
            ranges.append(range->itemText(i));
        EXPECT_EQ(ranges, (QStringList{QStringLiteral(" ＊すべての献立"), QStringLiteral(" ２０２４年"),
                                       QStringLiteral(" ２０２４年　５月"), QStringLiteral(" ２０２４年　６月")}));
        auto *analyze = child<QPushButton>(d, "analyze");
        EXPECT_FALSE(analyze->isEnabled());
        auto *list = child<QListWidget>(d, "days");
        EXPECT_EQ(list->count(), 0) << "nothing is listed before 検索";

        // May alone, then everything.
        range->setCurrentIndex(2);
        click(d, "search");
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral(" ２０２４年　５月１０日　　　　　　20240510"));
        range->setCurrentIndex(0);
        click(d, "search");
        ASSERT_EQ(list->count(), 3);
        EXPECT_FALSE(analyze->isEnabled());
        pickDays(d, {QStringLiteral("20240510")});
        EXPECT_TRUE(analyze->isEnabled());
        pickDays(d, {QStringLiteral("20240512"), QStringLiteral("20240601")});
        EXPECT_EQ(list->selectedItems().size(), 3);
        QDir().mkpath(QStringLiteral(ANALYZE_PNG_DIR));
        EXPECT_TRUE(d->grab().save(QStringLiteral(ANALYZE_PNG_DIR "/analyze-select.png")));
        click(d, "analyze");
    });
    screen->runCommand(cmd::PeriodSelect);

    EXPECT_EQ(screen->kind(), AnalysisPeriod::Selection);
    EXPECT_TRUE(screen->commandChecked(cmd::PeriodSelect));
    EXPECT_FALSE(screen->commandChecked(cmd::PeriodDay));
    EXPECT_EQ(screen->selectedRecords(), (QList<int>{1, 2, 3}));
    ASSERT_TRUE(screen->hasResult());
    EXPECT_EQ(screen->result().dayCount, 3);
    EXPECT_FALSE(calendarShown());
    EXPECT_FALSE(screen->hasDateBar());
    expectShownAsTool(QStringLiteral("--days"), QStringLiteral("2024-05-10,2024-05-12,2024-06-01"));
    EXPECT_EQ(screen->findChild<QLabel *>(QStringLiteral("title"))->text(), QStringLiteral("選択分析"));
    settle();
    EXPECT_TRUE(screen->grab().save(QStringLiteral(ANALYZE_PNG_DIR "/analyze-selection.png")));

    // ｷｬﾝｾﾙ while a selection is shown keeps it.
    whenDialog(QStringLiteral("IDD_SEARCHDIALOG3"), [](QWidget *d) { click(d, "cancel"); });
    screen->runCommand(cmd::PeriodSelect);
    EXPECT_EQ(screen->kind(), AnalysisPeriod::Selection);
    EXPECT_EQ(screen->result().dayCount, 3);

    // A second selection of two days replaces the first.
    whenDialog(QStringLiteral("IDD_SEARCHDIALOG3"), [](QWidget *d) {
        click(d, "search");
        pickDays(d, {QStringLiteral("20240512"), QStringLiteral("20240601")});
        click(d, "analyze");
    });
    screen->runCommand(cmd::PeriodSelect);
    EXPECT_EQ(screen->selectedRecords(), (QList<int>{2, 3}));
    expectShownAsTool(QStringLiteral("--days"), QStringLiteral("2024-05-12,2024-06-01"));

    // Leaving the screen drops the selection: the next visit opens on the day.
    screen.reset();
    screen = std::make_unique<Analyze>(ScreenContext{nullptr, &owner});
    EXPECT_EQ(screen->kind(), AnalysisPeriod::Day);
    EXPECT_TRUE(screen->selectedRecords().isEmpty());
    EXPECT_EQ(screen->result().periodKey, QByteArray("20240510"));
}

TEST_F(AnalyzeKindsTest, CancelReturnsToTheKindShownBefore)
{
    screen->runCommand(cmd::PeriodMonth);
    whenDialog(QStringLiteral("IDD_SEARCHDIALOG3"), [](QWidget *d) {
        click(d, "search");
        pickDays(d, {QStringLiteral("20240510")});
        click(d, "cancel");
    });
    screen->runCommand(cmd::PeriodSelect);
    EXPECT_EQ(screen->kind(), AnalysisPeriod::Month);
    EXPECT_TRUE(screen->commandChecked(cmd::PeriodMonth));
    EXPECT_TRUE(calendarShown());
    EXPECT_EQ(screen->result().dayCount, 2);
    expectShownAsTool(QStringLiteral("--month"), QStringLiteral("2024-05"));
}

// Each date command on each kind: whether it is enabled and which date it moves to. The kinds
// start at 10 May 2024 (today as well).
TEST_F(AnalyzeKindsTest, DateCommandsFollowTheirMenuTextOnEachKind)
{
    struct Case {
        AnalysisPeriod kind;
        int id;
        QByteArray periodKey;  // after the command; empty: disabled
    };
    const Case cases[] = {
        {AnalysisPeriod::Day, cmd::PreviousDay, "20240509"},   {AnalysisPeriod::Day, cmd::NextDay, "20240511"},
        {AnalysisPeriod::Day, cmd::PreviousMonth, "20240410"}, {AnalysisPeriod::Day, cmd::NextMonth, "20240610"},
        {AnalysisPeriod::Day, cmd::PreviousYear, ""},          {AnalysisPeriod::Day, cmd::NextYear, ""},
        {AnalysisPeriod::Month, cmd::PreviousDay, ""},         {AnalysisPeriod::Month, cmd::NextDay, ""},
        {AnalysisPeriod::Month, cmd::PreviousMonth, "202404"}, {AnalysisPeriod::Month, cmd::NextMonth, "202406"},
        {AnalysisPeriod::Month, cmd::PreviousYear, ""},        {AnalysisPeriod::Month, cmd::NextYear, ""},
        {AnalysisPeriod::Year, cmd::PreviousDay, ""},          {AnalysisPeriod::Year, cmd::NextDay, ""},
        {AnalysisPeriod::Year, cmd::PreviousMonth, ""},        {AnalysisPeriod::Year, cmd::NextMonth, ""},
        {AnalysisPeriod::Year, cmd::PreviousYear, "2023"},     {AnalysisPeriod::Year, cmd::NextYear, "2025"},
    };
    const int kindCommands[] = {cmd::PeriodDay, cmd::PeriodMonth, cmd::PeriodYear};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.kind) << ", command " << c.id);
        screen->runCommand(kindCommands[static_cast<int>(c.kind)]);
        screen->calendar(c.kind)->choose(2024, 5, 10);
        const QByteArray before = screen->result().periodKey;
        EXPECT_EQ(screen->commandEnabled(c.id), !c.periodKey.isEmpty());
        EXPECT_EQ(screen->dateCommandEnabled(c.id), !c.periodKey.isEmpty());
        screen->dateCommand(c.id);
        EXPECT_EQ(screen->result().periodKey, c.periodKey.isEmpty() ? before : c.periodKey);
        if (!c.periodKey.isEmpty()) {
            // 今日, 今月, 今年 comes back to the day, month or year of today.
            EXPECT_TRUE(screen->commandEnabled(cmd::Today));
            screen->dateCommand(cmd::Today);
            EXPECT_EQ(screen->result().periodKey, before);
        }
    }
}

TEST_F(AnalyzeKindsTest, NoDateCommandForASelection)
{
    whenDialog(QStringLiteral("IDD_SEARCHDIALOG3"), [](QWidget *d) {
        click(d, "search");
        pickDays(d, {QStringLiteral("20240510"), QStringLiteral("20240601")});
        click(d, "analyze");
    });
    screen->runCommand(cmd::PeriodSelect);
    ASSERT_EQ(screen->kind(), AnalysisPeriod::Selection);
    for (int id : kDateCommands) {
        EXPECT_FALSE(screen->commandEnabled(id)) << id;
        screen->dateCommand(id);
    }
    EXPECT_EQ(screen->result().dayCount, 2);
    EXPECT_EQ(screen->selectedRecords(), (QList<int>{1, 3}));
}

// OK in the nutrient dialog builds the report anew with the selection; on the selection kind the
// chosen days are analysed again.
TEST_F(AnalyzeKindsTest, NutrientChoiceRedrawsTheReport)
{
    whenDialog(QStringLiteral("IDD_SEARCHDIALOG3"), [](QWidget *d) {
        click(d, "search");
        pickDays(d, {QStringLiteral("20240510"), QStringLiteral("20240512")});
        click(d, "analyze");
    });
    screen->runCommand(cmd::PeriodSelect);
    const QString calcium = nutrientDisplayName(Calcium);
    auto listsCalcium = [&] {
        for (const QString &line : shownLines()) {
            if (line.startsWith(calcium))
                return true;
        }
        return false;
    };
    ASSERT_TRUE(listsCalcium());

    whenDialog(QStringLiteral("IDD_SET_ALZEIYOUSO2"), [](QWidget *d) {
        auto *box = child<QCheckBox>(d, "110");  // calcium
        ASSERT_TRUE(box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        click(d, "ok");
    });
    screen->runCommand(cmd::NutrientChoice);
    EXPECT_FALSE(readNutrientSelection()[Calcium]);
    EXPECT_FALSE(listsCalcium());
    EXPECT_EQ(screen->kind(), AnalysisPeriod::Selection);
    EXPECT_EQ(screen->result().dayCount, 2);
    expectShownAsTool(QStringLiteral("--days"), QStringLiteral("2024-05-10,2024-05-12"));
}

TEST_F(AnalyzeKindsTest, CommentCommandEditsTheShownPeriodsComment)
{
    screen->runCommand(cmd::PeriodMonth);
    whenDialog(QStringLiteral("IDD_ALZ_COMMENT2"), [](QWidget *d) {
        EXPECT_EQ(child<QLabel>(d, "period")->text(), QStringLiteral("日付：2024/05"));
        typeText(child<QPlainTextEdit>(d, "comment"), QStringLiteral("間食が多い"));
        click(d, "ok");
    });
    screen->runCommand(cmd::DailyComment);
    const testsupport::CliResult r =
        cli({QStringLiteral("comment"), QStringLiteral("get"), kUser, QStringLiteral("2024-05")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("間食が多い\n"));
    // 詳細 ends with the comment just stored, under its heading.
    const QStringList lines = shownLines();
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.mid(lines.size() - 3, 2), QStringList({QStringLiteral("コメント"), QStringLiteral("間食が多い")}));
}

// Each opening of the screen loads the tables the open user names: a group table and an
// exchange list given to the user since the last visit are in the next report.
TEST_F(AnalyzeKindsTest, OpeningLoadsTheUsersGroupAndExchangeTables)
{
    auto hasSection = [this](const QString &heading) { return shownLines().contains(heading); };
    EXPECT_FALSE(hasSection(QStringLiteral("食品群別表")));
    EXPECT_FALSE(hasSection(QStringLiteral("食品交換表")));

    for (const QString &table : {QStringLiteral("食品群別.DBF"), QStringLiteral("fg食品群別表１０群.DBF"),
                                 QStringLiteral("糖尿交換表.DAT"), QStringLiteral("適正単位.DBF")}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + table, folders.dataFile(table)));
        QFile::setPermissions(folders.dataFile(table), ownerReadWrite());
    }
    std::optional<UserProfile> user = readUserNamed(kUser);
    ASSERT_TRUE(user);
    user->foodGroupTable = QStringLiteral("食品群別表１０群");
    user->exchangeTable = QStringLiteral("糖尿病食品交換表 第６版");
    user->unitTable = QStringLiteral("糖尿病 1200kcal(15単位)");
    ASSERT_EQ(writeUserRecord(*user), 2);
    ASSERT_TRUE(openUserSession().open(&owner, kUser));

    screen.reset();
    screen = std::make_unique<Analyze>(ScreenContext{nullptr, &owner});
    EXPECT_TRUE(hasSection(QStringLiteral("食品群別表")));
    EXPECT_TRUE(hasSection(QStringLiteral("食品交換表")));
    expectShownAsTool(QStringLiteral("--day"), QStringLiteral("2024-05-10"));
}

}  // namespace
