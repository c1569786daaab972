#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QDate>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QWidget>

// The day, month and year pickers of the screens. Each shows its date as text between arrow
// buttons and reports every change of the date with command(kDateChangedCommand, 1030); the
// parent then reads text() or the date parts. Setting the date from the program (setText,
// setDate) reports nothing.
//
// The calendar is the program's own: February has 29 days in every year divisible by 4, and
// dates before 1980 are not accepted (see quenkit/dates/Dates.h).
namespace quenkit {

class BitmapButtonBase;
class DMMonthlyCalendar;

class QUENKIT_CONTROLS_EXPORT DatePicker : public QWidget
{
    Q_OBJECT
public:
    enum Kind { DayKind, MonthKind, YearKind };

    Kind kind() const { return m_kind; }

    // "2012/02/28火" (day picker), "2012/02" (month picker), "2012/01" (year picker).
    QString text() const;
    // Takes a date in the form of text() (the weekday may be left out or wrong); false, and
    // nothing changed, when it is not such a date.
    bool setText(const QString &text);

    int year() const { return m_year; }
    int month() const { return m_month; }
    int day() const { return m_day; }
    // The date as a QDate; invalid for 29 February of a year that Qt's calendar does not
    // count as a leap year (2100).
    QDate date() const { return QDate(m_year, m_month, m_day); }
    // Sets the date; the month picker keeps only year and month, the year picker the year.
    // False, and nothing changed, for a date this calendar does not have.
    bool setDate(int year, int month, int day);
    bool setDate(const QDate &date) { return setDate(date.year(), date.month(), date.day()); }

    // Sets the date as the user's choice: reports command(1030) when the text changed.
    // Nothing happens for a date this calendar does not have.
    void choose(int year, int month, int day);

    // The picker's button with control id (see Commands.h), null when it has none.
    BitmapButtonBase *button(int id) const;

    QSize sizeHint() const override;

public slots:
    // The buttons' actions; each reports command(1030) when the date changed.
    void previousDay();
    void nextDay();
    void previousMonth();
    void nextMonth();
    void previousYear();
    void nextYear();
    // Today, this month or this year by the picker's kind (from quenkit::today()).
    void goToday();

signals:
    void command(int id);

protected:
    DatePicker(Kind kind, QWidget *parent);

    void paintEvent(QPaintEvent *event) override;
    // The picker's own button was clicked.
    virtual void buttonCommand(int id);
    // The date was set, by the program or by the user.
    virtual void dateSet() {}

    void addButton(BitmapButtonBase *button, int x);
    // The strip between the arrows where the text is painted.
    void setTextArea(int left, int right);

    // Sets the date when this calendar has it: true when the date is now as given.
    bool assign(int year, int month, int day);

private:
    Kind m_kind;
    int m_year;
    int m_month;
    int m_day;
    int m_textLeft = 0;
    int m_textRight = 0;
    QList<BitmapButtonBase *> m_buttons;
};

// Day picker: previous and next month and day, the pop-up month grid and today. The grid
// remembers its position and whether it was open (section "MonthlyCalendar" of the settings)
// and comes back when a day picker is created after the program ended with it open.
class QUENKIT_CONTROLS_EXPORT DMCalendar : public DatePicker
{
    Q_OBJECT
public:
    explicit DMCalendar(QWidget *parent = nullptr);
    ~DMCalendar() override;

    // Days the grid marks (the screens mark the days that have records).
    void setMarkedDates(const QList<QDate> &dates);
    bool isMarked(int year, int month, int day) const;

    DMMonthlyCalendar *monthlyCalendar() const { return m_grid; }
    // Shows the grid (at its stored position when it has one) and records it as open.
    void openMonthlyCalendar();
    // Hides the grid and records it as closed.
    void closeMonthlyCalendar();
    // The grid stays visible but ignores the mouse while disabled (during printing).
    void setMonthlyCalendarEnabled(bool enabled);
    bool isMonthlyCalendarEnabled() const { return m_gridEnabled; }

    // The grid moved: remember where.
    void storeMonthlyCalendarPosition();

protected:
    void buttonCommand(int id) override;
    void dateSet() override;
    void showEvent(QShowEvent *event) override;

private:
    QPoint defaultGridPosition() const;

    DMMonthlyCalendar *m_grid = nullptr;
    QSet<int> m_marks;
    bool m_gridEnabled = true;
    bool m_restorePending = false;
};

// Month picker: previous and next month, this month.
class QUENKIT_CONTROLS_EXPORT DMCalendar2 : public DatePicker
{
    Q_OBJECT
public:
    explicit DMCalendar2(QWidget *parent = nullptr);
};

// Year picker: previous and next year, this year.
class QUENKIT_CONTROLS_EXPORT DMCalendar3 : public DatePicker
{
    Q_OBJECT
public:
    explicit DMCalendar3(QWidget *parent = nullptr);
};

// Enables or disables the pop-up grid of the day picker in the window that holds widget;
// nothing when that window has no day picker.
QUENKIT_CONTROLS_EXPORT void SetMonthlyCalendar(QWidget *widget, bool enable);

}  // namespace quenkit
