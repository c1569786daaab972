#include "ControlsTestSupport.h"

#include "quenkit/controls/DatePickers.h"
#include "quenkit/controls/MonthlyCalendar.h"
#include "quenkit/printer/AbortDlg.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

using namespace quenkit;

// A main window with a day picker whose month grid is open, as on the menu screen.
class AbortDlgTest : public controlstest::ControlsTest
{
protected:
    AbortDlgTest()
    {
        m_main.resize(500, 400);
        auto *layout = new QVBoxLayout(&m_main);
        m_picker = new DMCalendar;
        layout->addWidget(m_picker);
        layout->addStretch();
        m_main.show();
        m_picker->openMonthlyCalendar();
    }

    bool gridEnabled() const { return m_picker->monthlyCalendar()->isEnabled(); }

    QWidget m_main;
    DMCalendar *m_picker;
};

// Lets events run until done() holds or two seconds have passed; whether it held.
template <typename Condition>
bool waitFor(Condition done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000)
        QTest::qWait(10);
    return done();
}

TEST_F(AbortDlgTest, EachKindHasItsCaptionAndMessage)
{
    struct Case {
        int kind;
        const char16_t *caption;
        const char16_t *message;
    };
    const Case cases[] = {
        {0, u"ユーザー情報印刷", u"ユーザー情報を印刷中です・・・"},
        {1, u"献立印刷", u"献立記録を印刷中です・・・"},
        {2, u"運動印刷", u"運動記録を印刷中です・・・"},
        {3, u"体重印刷", u"体重記録を印刷中です・・・"},
        {4, u"分析印刷", u"分析結果を印刷中です・・・"},
        {5, u"診断印刷", u"診断結果を印刷中です・・・"},
        {6, u"ユーザー情報印刷", u"ユーザー情報を印刷中です・・・"},   // no such kind: the first
        {-1, u"ユーザー情報印刷", u"ユーザー情報を印刷中です・・・"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        const AbortDlg window(c.kind, &m_main);
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.isModal());
        EXPECT_EQ(window.windowTitle(), QString::fromUtf16(c.caption));
        EXPECT_EQ(window.messageText(), QString::fromUtf16(c.message));
        EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("331"))->text(), QString::fromUtf16(c.message));
    }
}

TEST_F(AbortDlgTest, ThePictureCyclesThroughTheThreePrinters)
{
    AbortDlg window(AbortSports, &m_main);
    const auto *picture = window.findChild<QLabel *>(QStringLiteral("357"));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull()) << "IDB_QUENPRN1 is built in";
    EXPECT_EQ(window.pictureStep(), 0);
    const qint64 first = picture->pixmap().cacheKey();
    for (int step : {1, 2, 0}) {
        EXPECT_TRUE(waitFor([&] { return window.pictureStep() == step; })) << step;
        EXPECT_FALSE(picture->pixmap().isNull()) << step;
    }
    EXPECT_TRUE(waitFor([&] { return window.pictureStep() == 1; }));
    EXPECT_NE(picture->pixmap().cacheKey(), first);
    window.grab().save(QStringLiteral(ABORT_PNG_DIR "/abort-dialog.png"));
}

TEST_F(AbortDlgTest, TheMonthGridIgnoresTheMouseWhileTheWindowIsOpen)
{
    ASSERT_TRUE(gridEnabled());
    {
        const AbortDlg window(AbortMenu, &m_main);
        EXPECT_FALSE(gridEnabled());
        // A click on a day of the grid changes nothing meanwhile.
        const QString before = m_picker->text();
        DMMonthlyCalendar *grid = m_picker->monthlyCalendar();
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->dayRect(3).center());
        EXPECT_EQ(m_picker->text(), before);
    }
    EXPECT_TRUE(gridEnabled());

    // Without a main window there is no grid to hold, and nothing fails.
    const AbortDlg alone(AbortWeight, nullptr);
    EXPECT_TRUE(alone.isVisible());
    EXPECT_TRUE(gridEnabled());
}

TEST_F(AbortDlgTest, CancelSetsTheFlagEnablesTheMainWindowAndCloses)
{
    m_main.setEnabled(false);  // as during a job
    AbortDlg window(AbortAnalyze, &m_main);
    EXPECT_TRUE(window.isEnabled()) << "a window of its own, not disabled with the main window";
    EXPECT_FALSE(GetAbortFlg());
    EXPECT_TRUE(AbortProc());

    QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(GetAbortFlg());
    EXPECT_FALSE(AbortProc());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(m_main.isEnabled());
    EXPECT_TRUE(gridEnabled());

    // The next job starts uncancelled.
    const AbortDlg next(AbortAnalyze, &m_main);
    EXPECT_FALSE(GetAbortFlg());
}

TEST_F(AbortDlgTest, TheAbortProcedureLetsTheButtonBeHeardAndThenStops)
{
    const AbortDlg window(AbortSports, &m_main);
    // A press waiting in the queue, as when the user clicks while a page is being drawn.
    QTimer::singleShot(0, window.cancelButton(), &QPushButton::click);
    EXPECT_FALSE(AbortProc()) << "the pending click ran inside the procedure";
    EXPECT_TRUE(GetAbortFlg());

    // Once cancelled, nothing more runs: the picture no longer moves.
    const int step = window.pictureStep();
    int ran = 0;
    QTimer::singleShot(0, [&ran] { ++ran; });
    EXPECT_FALSE(AbortProc());
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(window.pictureStep(), step);
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, 1) << "the event was waiting all along";
}

TEST_F(AbortDlgTest, ClosingTheWindowCancelsAsTheButtonDoes)
{
    AbortDlg window(AbortUser, &m_main);
    window.close();
    EXPECT_TRUE(GetAbortFlg());
    EXPECT_TRUE(gridEnabled());
}

}  // namespace
