#include "ControlsTestSupport.h"

#include "quenkit/controls/BmpButton.h"
#include "quenkit/controls/Commands.h"
#include "quenkit/controls/DatePickers.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using namespace quenkit;

// Clicks one of the picker's own buttons and returns the commands the picker reported.
QList<int> clickButton(DatePicker &picker, int buttonId)
{
    QSignalSpy spy(&picker, &DatePicker::command);
    BitmapButtonBase *button = picker.button(buttonId);
    EXPECT_NE(button, nullptr) << "button " << buttonId;
    if (button)
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QList<int> ids;
    for (const QList<QVariant> &signal : spy)
        ids.append(signal.at(0).toInt());
    return ids;
}

struct StepCase {
    const char *start;
    int button;
    const char *expected;
};

using DatePickers = controlstest::ControlsTest;

TEST_F(DatePickers, DayPickerStepsKeepTheDateWellFormed)
{
    const StepCase cases[] = {
        {"2012/02/28", kPickerNextDay, "2012/02/29水"},
        {"2013/02/28", kPickerNextDay, "2013/03/01金"},
        {"2013/12/31", kPickerNextDay, "2014/01/01水"},
        {"2100/02/28", kPickerNextDay, "2100/02/29月"},  // every fourth year is a leap year here
        {"2012/03/01", kPickerPreviousDay, "2012/02/29水"},
        {"2013/03/01", kPickerPreviousDay, "2013/02/28木"},
        {"2014/01/01", kPickerPreviousDay, "2013/12/31火"},
        {"2013/01/31", kPickerNextMonth, "2013/02/28木"},
        {"2012/12/31", kPickerNextMonth, "2013/01/31木"},
        {"2013/01/15", kPickerPreviousMonth, "2012/12/15土"},
        {"2012/03/31", kPickerPreviousMonth, "2012/02/29水"},
    };
    for (const StepCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " button " << c.button);
        DMCalendar picker;
        ASSERT_TRUE(picker.setText(QString::fromLatin1(c.start)));
        EXPECT_EQ(clickButton(picker, c.button), QList<int>{kDateChangedCommand});
        EXPECT_EQ(picker.text().toStdString(), c.expected);
    }
}

TEST_F(DatePickers, MonthAndYearPickersStepTheirUnit)
{
    struct Case {
        DatePicker::Kind kind;
        const char *start;
        int button;
        const char *expected;
    };
    const Case cases[] = {
        {DatePicker::MonthKind, "2013/01", kPickerPreviousMonth, "2012/12"},
        {DatePicker::MonthKind, "2012/12", kPickerNextMonth, "2013/01"},
        {DatePicker::YearKind, "2013/01", kPickerPreviousMonth, "2012/01"},
        {DatePicker::YearKind, "2012/01", kPickerNextMonth, "2013/01"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " button " << c.button);
        std::unique_ptr<DatePicker> picker;
        if (c.kind == DatePicker::MonthKind)
            picker = std::make_unique<DMCalendar2>();
        else
            picker = std::make_unique<DMCalendar3>();
        ASSERT_TRUE(picker->setText(QString::fromLatin1(c.start)));
        EXPECT_EQ(clickButton(*picker, c.button), QList<int>{kDateChangedCommand});
        EXPECT_EQ(picker->text().toStdString(), c.expected);
    }
}

TEST_F(DatePickers, TodayButtonsReportOnlyARealChange)
{
    // Today is 2012/02/28.
    struct Case {
        const char *what;
        std::function<std::unique_ptr<DatePicker>()> make;
        const char *start;
        const char *expected;
        bool reported;
    };
    const auto day = [] { return std::unique_ptr<DatePicker>(new DMCalendar); };
    const auto month = [] { return std::unique_ptr<DatePicker>(new DMCalendar2); };
    const auto year = [] { return std::unique_ptr<DatePicker>(new DMCalendar3); };
    const Case cases[] = {
        {"TODAY on today", day, "2012/02/28", "2012/02/28火", false},
        {"TODAY on another day", day, "2012/02/27", "2012/02/28火", true},
        {"MONTH in the current month", month, "2012/02", "2012/02", false},
        {"MONTH in another month", month, "2011/02", "2012/02", true},
        {"YEAR in the current year", year, "2012/01", "2012/01", false},
        {"YEAR in another year", year, "2013/01", "2012/01", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<DatePicker> picker = c.make();
        ASSERT_TRUE(picker->setText(QString::fromLatin1(c.start)));
        const QList<int> reported = clickButton(*picker, kPickerToday);
        EXPECT_EQ(reported.size(), c.reported ? 1 : 0);
        EXPECT_EQ(picker->text().toStdString(), c.expected);
    }
}

TEST_F(DatePickers, NewPickersShowToday)
{
    EXPECT_EQ(DMCalendar().text(), QStringLiteral("2012/02/28火"));
    EXPECT_EQ(DMCalendar2().text(), QStringLiteral("2012/02"));
    EXPECT_EQ(DMCalendar3().text(), QStringLiteral("2012/01"));
}

TEST_F(DatePickers, ADateWithoutWeekdayIsNotAccepted)
{
    DMCalendar picker;
    ASSERT_TRUE(picker.setText(QStringLiteral("1980/01/01")));
    EXPECT_TRUE(clickButton(picker, kPickerPreviousDay).isEmpty());
    EXPECT_TRUE(clickButton(picker, kPickerPreviousMonth).isEmpty());
    EXPECT_EQ(picker.text(), QStringLiteral("1980/01/01火"));
}

TEST_F(DatePickers, SetTextTakesOnlyWellFormedDates)
{
    struct Case {
        const char *text;
        bool accepted;
        const char *shown;
    };
    const Case cases[] = {
        {"2012/02/29", true, "2012/02/29水"},
        {"2012/02/29水", true, "2012/02/29水"},
        {"2012/02/29日", true, "2012/02/29水"},  // the weekday is always computed
        {"2013/02/29", false, "2012/02/28火"},
        {"2012/13/01", false, "2012/02/28火"},
        {"1979/12/31", false, "2012/02/28火"},
        {"2012/2/3", false, "2012/02/28火"},
        {"", false, "2012/02/28火"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        DMCalendar picker;
        QSignalSpy spy(&picker, &DatePicker::command);
        EXPECT_EQ(picker.setText(QString::fromUtf8(c.text)), c.accepted);
        EXPECT_EQ(picker.text().toStdString(), c.shown);
        EXPECT_TRUE(spy.isEmpty()) << "the program's own changes are not reported";
    }
}

}  // namespace
