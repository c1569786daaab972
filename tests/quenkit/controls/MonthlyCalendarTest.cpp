#include "ControlsTestSupport.h"

#include "quenkit/controls/BmpButton.h"
#include "quenkit/controls/Commands.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/controls/MonthlyCalendar.h"
#include "quenkit/registry/SettingsStore.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

using namespace quenkit;

QString stored(const char *name)
{
    QString value;
    GetRegistryString(QStringLiteral("MonthlyCalendar"), QString::fromLatin1(name), nullptr, value);
    return value;
}

BmpButton *gridButton(DMMonthlyCalendar *grid, const char *bitmap)
{
    for (BmpButton *button : grid->findChildren<BmpButton *>()) {
        if (button->text() == QLatin1String(bitmap))
            return button;
    }
    ADD_FAILURE() << "no button " << bitmap;
    return nullptr;
}

// A window holding a day picker, as a screen does.
class MonthlyCalendar : public controlstest::ControlsTest
{
protected:
    DMCalendar *openScreen()
    {
        m_screen = std::make_unique<QWidget>();
        m_screen->resize(400, 300);
        auto *layout = new QVBoxLayout(m_screen.get());
        auto *picker = new DMCalendar;
        layout->addWidget(picker);
        layout->addStretch();
        m_screen->show();
        return picker;
    }

    std::unique_ptr<QWidget> m_screen;
};

TEST_F(MonthlyCalendar, OpenStateAndPositionSurviveThePicker)
{
    DMCalendar *picker = openScreen();
    DMMonthlyCalendar *grid = picker->monthlyCalendar();
    EXPECT_FALSE(grid->isVisible());

    QTest::mouseClick(picker->button(kPickerCalendar), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_TRUE(grid->isVisible());
    EXPECT_TRUE(grid->isWindow());
    EXPECT_EQ(grid->size(), QSize(150, 155));
    EXPECT_EQ(stored("OpenFlg"), QStringLiteral("1"));

    // The user drags the grid by its title.
    const QPoint before = grid->pos();
    controlstest::sendMouse(grid, QEvent::MouseButtonPress, QPoint(60, 8), Qt::LeftButton, Qt::LeftButton);
    controlstest::sendMouse(grid, QEvent::MouseMove, QPoint(90, 38), Qt::NoButton, Qt::LeftButton);
    controlstest::sendMouse(grid, QEvent::MouseButtonRelease, QPoint(90, 38), Qt::LeftButton, Qt::NoButton);
    const QPoint moved = before + QPoint(30, 30);
    EXPECT_EQ(grid->pos(), moved);
    EXPECT_EQ(stored("X"), QString::number(moved.x()));
    EXPECT_EQ(stored("Y"), QString::number(moved.y()));

    // The screen goes away with the grid open: the next day picker opens it again there.
    m_screen.reset();
    EXPECT_EQ(stored("OpenFlg"), QStringLiteral("1"));
    picker = openScreen();
    ASSERT_TRUE(picker->monthlyCalendar()->isVisible());
    EXPECT_EQ(picker->monthlyCalendar()->pos(), moved);

    // Closed with its button, it stays closed.
    QTest::mouseClick(gridButton(picker->monthlyCalendar(), "CLOSE"), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, 5));
    EXPECT_FALSE(picker->monthlyCalendar()->isVisible());
    EXPECT_EQ(stored("OpenFlg"), QStringLiteral("0"));
    m_screen.reset();
    picker = openScreen();
    EXPECT_FALSE(picker->monthlyCalendar()->isVisible());
}

TEST_F(MonthlyCalendar, AStoredPositionOffEveryScreenIsNotUsed)
{
    SetRegistryString(QStringLiteral("MonthlyCalendar"), QStringLiteral("OpenFlg"), QStringLiteral("1"));
    SetRegistryString(QStringLiteral("MonthlyCalendar"), QStringLiteral("X"), QStringLiteral("-30000"));
    SetRegistryString(QStringLiteral("MonthlyCalendar"), QStringLiteral("Y"), QStringLiteral("-30000"));
    DMCalendar *picker = openScreen();
    DMMonthlyCalendar *grid = picker->monthlyCalendar();
    ASSERT_TRUE(grid->isVisible());
    EXPECT_NE(grid->pos(), QPoint(-30000, -30000));
    EXPECT_NE(QGuiApplication::screenAt(grid->pos()), nullptr);
    // It opens under the calendar button instead.
    QWidget *calendarButton = picker->button(kPickerCalendar);
    EXPECT_NEAR(grid->pos().x(), calendarButton->mapToGlobal(QPoint(0, 0)).x(), 8);
}

TEST_F(MonthlyCalendar, PickingADayMakesItThePickersDate)
{
    DMCalendar *picker = openScreen();
    ASSERT_TRUE(picker->setText(QStringLiteral("2012/02/10")));
    picker->openMonthlyCalendar();
    DMMonthlyCalendar *grid = picker->monthlyCalendar();
    QSignalSpy spy(picker, &DatePicker::command);

    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->dayRect(29).center());
    EXPECT_EQ(picker->text(), QStringLiteral("2012/02/29水"));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), kDateChangedCommand);

    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->dayRect(29).center());
    EXPECT_EQ(spy.count(), 1) << "the same day again is no change";

    // Browsing to another month leaves the date alone until a day is picked there.
    QTest::mouseClick(gridButton(grid, "RIGHT3"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(grid->shownMonth(), 3);
    EXPECT_EQ(picker->text(), QStringLiteral("2012/02/29水"));
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->dayRect(1).center());
    EXPECT_EQ(picker->text(), QStringLiteral("2012/03/01木"));
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(MonthlyCalendar, TheGridLaysOutTheMonthByWeekday)
{
    DMCalendar *picker = openScreen();
    ASSERT_TRUE(picker->setText(QStringLiteral("2012/02/01")));
    DMMonthlyCalendar *grid = picker->monthlyCalendar();
    // 2012/02/01 was a Wednesday: the fourth column of the first row.
    EXPECT_EQ(grid->dayRect(1).x() - grid->dayRect(1).width() * 3, grid->dayRect(5).x());
    EXPECT_EQ(grid->dayRect(5).y(), grid->dayRect(1).y() + grid->dayRect(1).height());
    EXPECT_TRUE(grid->dayRect(29).isValid());
    EXPECT_FALSE(grid->dayRect(30).isValid());
    EXPECT_EQ(grid->dayAt(grid->dayRect(17).center()), 17);
    EXPECT_EQ(grid->dayAt(QPoint(2, 2)), 0);
}

TEST_F(MonthlyCalendar, SetMonthlyCalendarReachesThePickerOfTheWindowOnly)
{
    DMCalendar *picker = openScreen();
    picker->openMonthlyCalendar();
    QWidget elsewhere;
    auto *field = new QWidget(&elsewhere);

    SetMonthlyCalendar(field, false);
    EXPECT_TRUE(picker->monthlyCalendar()->isEnabled()) << "another window has no day picker";

    // From any widget of the screen, the grid itself included.
    auto *child = new QWidget(m_screen.get());
    SetMonthlyCalendar(child, false);
    EXPECT_FALSE(picker->monthlyCalendar()->isEnabled());
    SetMonthlyCalendar(picker->monthlyCalendar(), true);
    EXPECT_TRUE(picker->monthlyCalendar()->isEnabled());

    // While disabled, clicks on days change nothing.
    SetMonthlyCalendar(child, false);
    const QString before = picker->text();
    QTest::mouseClick(picker->monthlyCalendar(), Qt::LeftButton, Qt::NoModifier,
                      picker->monthlyCalendar()->dayRect(3).center());
    EXPECT_EQ(picker->text(), before);
}

}  // namespace
