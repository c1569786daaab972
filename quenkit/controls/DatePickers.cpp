#include "quenkit/controls/DatePickers.h"

#include "quenkit/controls/BmpButton.h"
#include "quenkit/controls/Commands.h"
#include "quenkit/controls/Drawing.h"
#include "quenkit/controls/Fonts.h"
#include "quenkit/controls/MonthlyCalendar.h"
#include "quenkit/controls/WindowHelpers.h"
#include "quenkit/dates/Dates.h"
#include "quenkit/registry/SettingsStore.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>

namespace quenkit {

namespace {

constexpr int kPickerHeight = 32;

const QString kGridSection = QStringLiteral("MonthlyCalendar");

// Weekday characters, Sunday first, for GetWeekOfDay's 1 ... 7.
QChar weekdayCharacter(int weekday)
{
    static const QString characters = QStringLiteral("日月火水木金土");
    return (weekday >= 1 && weekday <= 7) ? characters.at(weekday - 1) : QChar();
}

QColor weekdayColor(int weekday, const QColor &other)
{
    if (weekday == 1)
        return QColor(0xc0, 0x20, 0x20);
    if (weekday == 7)
        return QColor(0x1a, 0x4f, 0xb0);
    return other;
}

// year/month moved by delta months.
void addMonths(int &year, int &month, int delta)
{
    const int index = year * 12 + (month - 1) + delta;
    year = index / 12;
    month = index % 12 + 1;
}

// A stored value of the grid's section, when there is one.
bool readGridValue(const QString &name, int &value)
{
    QString text;
    if (GetRegistryString(kGridSection, name, nullptr, text) != 1 || text.trimmed().isEmpty())
        return false;
    value = decimalTextToInt(text);
    return true;
}

}  // namespace

DatePicker::DatePicker(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_year(1980)
    , m_month(1)
    , m_day(1)
{
    setFont(createFont(QStringLiteral("ＭＳ ゴシック"), 8, 16));
    const QDate now = today();
    assign(now.year(), now.month(), now.day());
}

QString DatePicker::text() const
{
    switch (m_kind) {
    case DayKind:
        return QString::asprintf("%04d/%02d/%02d", m_year, m_month, m_day)
            + weekdayCharacter(GetWeekOfDay(m_year, m_month, m_day));
    case MonthKind:
        return QString::asprintf("%04d/%02d", m_year, m_month);
    case YearKind:
        return QString::asprintf("%04d/01", m_year);
    }
    return {};
}

bool DatePicker::setText(const QString &text)
{
    static const QRegularExpression dayForm(QStringLiteral("^(\\d{4})/(\\d{2})/(\\d{2})\\S?$"));
    static const QRegularExpression monthForm(QStringLiteral("^(\\d{4})/(\\d{2})$"));
    const QRegularExpressionMatch match = (m_kind == DayKind ? dayForm : monthForm).match(text.trimmed());
    if (!match.hasMatch())
        return false;
    const int day = m_kind == DayKind ? match.captured(3).toInt() : 1;
    return assign(match.captured(1).toInt(), match.captured(2).toInt(), day);
}

bool DatePicker::setDate(int year, int month, int day)
{
    return assign(year, month, day);
}

bool DatePicker::assign(int year, int month, int day)
{
    if (m_kind != DayKind)
        day = 1;
    if (m_kind == YearKind)
        month = 1;
    // The weekday is part of the day picker's text; a date without one is no date here.
    if (GetWeekOfDay(year, month, day) == 0)
        return false;
    m_year = year;
    m_month = month;
    m_day = day;
    update();
    dateSet();
    return true;
}

void DatePicker::choose(int year, int month, int day)
{
    const QString before = text();
    if (assign(year, month, day) && text() != before)
        emit command(kDateChangedCommand);
}

void DatePicker::previousDay()
{
    if (m_day > 1) {
        choose(m_year, m_month, m_day - 1);
        return;
    }
    int year = m_year;
    int month = m_month;
    addMonths(year, month, -1);
    choose(year, month, daysInMonth(year, month));
}

void DatePicker::nextDay()
{
    if (m_day < daysInMonth(m_year, m_month)) {
        choose(m_year, m_month, m_day + 1);
        return;
    }
    int year = m_year;
    int month = m_month;
    addMonths(year, month, 1);
    choose(year, month, 1);
}

void DatePicker::previousMonth()
{
    int year = m_year;
    int month = m_month;
    addMonths(year, month, -1);
    choose(year, month, qMin(m_day, daysInMonth(year, month)));
}

void DatePicker::nextMonth()
{
    int year = m_year;
    int month = m_month;
    addMonths(year, month, 1);
    choose(year, month, qMin(m_day, daysInMonth(year, month)));
}

void DatePicker::previousYear()
{
    choose(m_year - 1, m_month, qMin(m_day, daysInMonth(m_year - 1, m_month)));
}

void DatePicker::nextYear()
{
    choose(m_year + 1, m_month, qMin(m_day, daysInMonth(m_year + 1, m_month)));
}

void DatePicker::goToday()
{
    const QDate now = today();
    choose(now.year(), now.month(), now.day());
}

void DatePicker::buttonCommand(int id)
{
    const bool yearly = m_kind == YearKind;
    switch (id) {
    case kPickerPreviousMonth:
        yearly ? previousYear() : previousMonth();
        break;
    case kPickerNextMonth:
        yearly ? nextYear() : nextMonth();
        break;
    case kPickerPreviousDay:
        previousDay();
        break;
    case kPickerNextDay:
        nextDay();
        break;
    case kPickerToday:
        goToday();
        break;
    default:
        break;
    }
}

BitmapButtonBase *DatePicker::button(int id) const
{
    for (BitmapButtonBase *b : m_buttons) {
        if (b->id() == id)
            return b;
    }
    return nullptr;
}

void DatePicker::addButton(BitmapButtonBase *button, int x)
{
    const QSize size = button->sizeHint();
    button->setGeometry(x, 0, size.width(), kPickerHeight);
    connect(button, &BitmapButtonBase::command, this, &DatePicker::buttonCommand);
    m_buttons.append(button);
}

void DatePicker::setTextArea(int left, int right)
{
    m_textLeft = left;
    m_textRight = right;
}

QSize DatePicker::sizeHint() const
{
    int right = m_textRight;
    for (const BitmapButtonBase *b : m_buttons)
        right = qMax(right, b->geometry().right() + 1);
    return QSize(right, kPickerHeight);
}

void DatePicker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());

    // The text is drawn twice, one pixel apart, for a bold look at this small size.
    const QString dateText = text();
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(dateText) + 1;
    int x = m_textLeft + (m_textRight - m_textLeft - width) / 2;
    const int y = (height() - metrics.height()) / 2;
    const QColor ink = palette().buttonText().color();
    QString plain = dateText;
    QString weekday;
    if (m_kind == DayKind) {
        plain = dateText.left(10);
        weekday = dateText.mid(10);
    }
    painter.setPen(ink);
    textOut(painter, x, y, plain);
    textOut(painter, x + 1, y, plain);
    if (!weekday.isEmpty()) {
        x += metrics.horizontalAdvance(plain);
        painter.setPen(weekdayColor(GetWeekOfDay(m_year, m_month, m_day), ink));
        textOut(painter, x, y, weekday);
        textOut(painter, x + 1, y, weekday);
    }
}

DMCalendar::DMCalendar(QWidget *parent)
    : DatePicker(DayKind, parent)
{
    setObjectName(QStringLiteral("DMCalendar"));
    addButton(new BmpButton2(QStringLiteral("Left2"), kPickerPreviousMonth, this), 1);
    addButton(new BmpButton2(QStringLiteral("Left1"), kPickerPreviousDay, this), 29);
    addButton(new BmpButton2(QStringLiteral("Right1"), kPickerNextDay, this), 169);
    addButton(new BmpButton2(QStringLiteral("Right2"), kPickerNextMonth, this), 197);
    addButton(new BmpButton(QStringLiteral("CALENDAR"), kPickerCalendar, this), 225);
    addButton(new BmpButton(QStringLiteral("TODAY"), kPickerToday, this),
              button(kPickerCalendar)->geometry().right() + 3);
    setTextArea(53, 169);
    setFixedSize(sizeHint());

    m_grid = new DMMonthlyCalendar(this);
    m_grid->showMonth(year(), month());
    m_restorePending = GetRegistryInt(kGridSection, QStringLiteral("OpenFlg"), 0) != 0;
}

DMCalendar::~DMCalendar()
{
    // The open state stays as it is, so the grid comes back with the next day picker.
    if (m_grid->isVisible())
        storeMonthlyCalendarPosition();
}

void DMCalendar::setMarkedDates(const QList<QDate> &dates)
{
    m_marks.clear();
    for (const QDate &date : dates)
        m_marks.insert(date.year() * 10000 + date.month() * 100 + date.day());
    m_grid->update();
}

bool DMCalendar::isMarked(int year, int month, int day) const
{
    return m_marks.contains(year * 10000 + month * 100 + day);
}

void DMCalendar::buttonCommand(int id)
{
    if (id == kPickerCalendar)
        openMonthlyCalendar();
    else
        DatePicker::buttonCommand(id);
}

void DMCalendar::dateSet()
{
    if (m_grid)
        m_grid->showMonth(year(), month());
}

void DMCalendar::showEvent(QShowEvent *event)
{
    DatePicker::showEvent(event);
    if (m_restorePending) {
        m_restorePending = false;
        openMonthlyCalendar();
    }
}

QPoint DMCalendar::defaultGridPosition() const
{
    const QWidget *calendarButton = button(kPickerCalendar);
    return calendarButton->mapToGlobal(QPoint(0, calendarButton->height() + 2));
}

void DMCalendar::openMonthlyCalendar()
{
    QPoint position = defaultGridPosition();
    int x = 0;
    int y = 0;
    // A stored position off every screen (a monitor since removed) would hide the grid.
    if (readGridValue(QStringLiteral("X"), x) && readGridValue(QStringLiteral("Y"), y)
        && QGuiApplication::screenAt(QPoint(x + 8, y + 8)))
        position = QPoint(x, y);
    m_grid->showMonth(year(), month());
    m_grid->move(position);
    m_grid->setEnabled(m_gridEnabled);
    m_grid->show();
    m_grid->raise();
    SetRegistryString(kGridSection, QStringLiteral("OpenFlg"), QStringLiteral("1"));
    storeMonthlyCalendarPosition();
}

void DMCalendar::closeMonthlyCalendar()
{
    if (m_grid->isVisible())
        storeMonthlyCalendarPosition();
    m_grid->hide();
    SetRegistryString(kGridSection, QStringLiteral("OpenFlg"), QStringLiteral("0"));
}

void DMCalendar::setMonthlyCalendarEnabled(bool enabled)
{
    m_gridEnabled = enabled;
    m_grid->setEnabled(enabled);
}

void DMCalendar::storeMonthlyCalendarPosition()
{
    SetRegistryInt(kGridSection, QStringLiteral("X"), m_grid->x());
    SetRegistryInt(kGridSection, QStringLiteral("Y"), m_grid->y());
}

DMCalendar2::DMCalendar2(QWidget *parent)
    : DatePicker(MonthKind, parent)
{
    setObjectName(QStringLiteral("DMCalendar2"));
    addButton(new BmpButton2(QStringLiteral("Left2"), kPickerPreviousMonth, this), 0);
    addButton(new BmpButton2(QStringLiteral("Right2"), kPickerNextMonth, this), 85);
    addButton(new BmpButton(QStringLiteral("MONTH"), kPickerToday, this), 113);
    setTextArea(24, 85);
    setFixedSize(sizeHint());
}

DMCalendar3::DMCalendar3(QWidget *parent)
    : DatePicker(YearKind, parent)
{
    setObjectName(QStringLiteral("DMCalendar3"));
    addButton(new BmpButton2(QStringLiteral("Left4"), kPickerPreviousMonth, this), 0);
    addButton(new BmpButton2(QStringLiteral("Right4"), kPickerNextMonth, this), 85);
    addButton(new BmpButton(QStringLiteral("YEAR"), kPickerToday, this), 113);
    setTextArea(24, 85);
    setFixedSize(sizeHint());
}

void SetMonthlyCalendar(QWidget *widget, bool enable)
{
    if (!widget)
        return;
    QWidget *top = GetTopParent(widget);
    auto *picker = qobject_cast<DMCalendar *>(top);
    if (!picker)
        picker = top->findChild<DMCalendar *>();
    if (picker)
        picker->setMonthlyCalendarEnabled(enable);
}

}  // namespace quenkit
