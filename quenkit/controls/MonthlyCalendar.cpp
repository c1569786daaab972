#include "quenkit/controls/MonthlyCalendar.h"

#include "quenkit/controls/BmpButton.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/controls/Fonts.h"
#include "quenkit/dates/Dates.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace quenkit {

namespace {

constexpr int kTitleHeight = 20;
constexpr int kHeadingTop = 22;
constexpr int kHeadingHeight = 16;
constexpr int kGridTop = 40;
constexpr int kGridLeft = 5;
constexpr int kCellWidth = 20;
constexpr int kCellHeight = 19;

const QColor kBorder(0x5b, 0x6b, 0x7d);
const QColor kSunday(0xc0, 0x20, 0x20);
const QColor kSaturday(0x1a, 0x4f, 0xb0);
const QColor kWeekday(0x22, 0x22, 0x22);
const QColor kSelected(0x2f, 0x6d, 0xb5);
const QColor kToday(0xe0, 0x8a, 0x00);
const QColor kMarked(0xd8, 0xf0, 0xdc);

QColor columnColor(int column)
{
    return column == 0 ? kSunday : column == 6 ? kSaturday : kWeekday;
}

}  // namespace

DMMonthlyCalendar::DMMonthlyCalendar(DMCalendar *picker, QWidget *parent)
    : QWidget(parent ? parent : picker)
    , m_picker(picker)
    , m_popup(parent == nullptr)
{
    setObjectName(QStringLiteral("DMMonthlyCalendar"));
    if (m_popup) {
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        setWindowTitle(QStringLiteral("カレンダー"));
    }
    setFixedSize(kWidth, kHeight);

    m_previous = new BmpButton(QStringLiteral("LEFT3"), 1, this);
    m_next = new BmpButton(QStringLiteral("RIGHT3"), 2, this);
    m_close = new BmpButton(QStringLiteral("CLOSE"), 3, this);
    m_previous->setGeometry(3, 2, 16, 16);
    m_next->setGeometry(m_popup ? 112 : 131, 2, 16, 16);
    m_close->setGeometry(131, 2, 16, 16);
    m_close->setVisible(m_popup);
    connect(m_previous, &BmpButton::command, this, [this] { stepMonth(-1); });
    connect(m_next, &BmpButton::command, this, [this] { stepMonth(1); });
    connect(m_close, &BmpButton::command, this, [this] { m_picker->closeMonthlyCalendar(); });

    showMonth(picker->year(), picker->month());
}

void DMMonthlyCalendar::showMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return;
    m_year = year;
    m_month = month;
    update();
}

void DMMonthlyCalendar::stepMonth(int delta)
{
    const int index = m_year * 12 + (m_month - 1) + delta;
    // The grid cannot lay out a month before 1980.
    if (GetWeekOfDay(index / 12, index % 12 + 1, 1) != 0)
        showMonth(index / 12, index % 12 + 1);
}

QRect DMMonthlyCalendar::dayRect(int day) const
{
    const int first = GetWeekOfDay(m_year, m_month, 1);
    if (first == 0 || day < 1 || day > daysInMonth(m_year, m_month))
        return {};
    const int slot = first - 1 + day - 1;
    return QRect(kGridLeft + (slot % 7) * kCellWidth, kGridTop + (slot / 7) * kCellHeight, kCellWidth,
                 kCellHeight);
}

int DMMonthlyCalendar::dayAt(const QPoint &position) const
{
    const int days = daysInMonth(m_year, m_month);
    for (int day = 1; day <= days; ++day) {
        if (dayRect(day).contains(position))
            return day;
    }
    return 0;
}

void DMMonthlyCalendar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);

    QLinearGradient band(0, 0, 0, kTitleHeight);
    band.setColorAt(0, QColor(0xee, 0xf3, 0xf9));
    band.setColorAt(1, QColor(0xcf, 0xdb, 0xea));
    painter.fillRect(QRect(0, 0, width(), kTitleHeight), band);
    painter.fillRect(QRect(0, kHeadingTop, width(), kHeadingHeight), QColor(0xf2, 0xf4, 0xf7));

    painter.setPen(kWeekday);
    painter.setFont(createFont(QStringLiteral("ＭＳ ゴシック"), 0, 12, FontBold));
    const int titleRight = m_popup ? 110 : 129;
    painter.drawText(QRect(20, 0, titleRight - 20, kTitleHeight), Qt::AlignCenter,
                     QStringLiteral("%1年%2月").arg(m_year).arg(m_month));

    painter.setFont(createFont(QStringLiteral("ＭＳ ゴシック"), 0, 11));
    static const QString weekdays = QStringLiteral("日月火水木金土");
    for (int column = 0; column < 7; ++column) {
        painter.setPen(columnColor(column));
        painter.drawText(QRect(kGridLeft + column * kCellWidth, kHeadingTop, kCellWidth, kHeadingHeight),
                         Qt::AlignCenter, weekdays.at(column));
    }

    const QDate now = today();
    const bool pickerMonth = m_picker->year() == m_year && m_picker->month() == m_month;
    painter.setFont(createFont(QStringLiteral("Arial"), 0, 12));
    const int days = daysInMonth(m_year, m_month);
    for (int day = 1; day <= days; ++day) {
        const QRect cell = dayRect(day);
        if (cell.isEmpty())
            break;
        const QRectF mark = QRectF(cell).adjusted(1.5, 1.5, -1.5, -1.5);
        const bool selected = pickerMonth && m_picker->day() == day;
        QColor ink = columnColor((cell.x() - kGridLeft) / kCellWidth);
        if (selected) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(kSelected);
            painter.drawRoundedRect(mark, 3, 3);
            ink = Qt::white;
        } else if (m_picker->isMarked(m_year, m_month, day)) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(kMarked);
            painter.drawRoundedRect(mark, 3, 3);
        }
        if (now.year() == m_year && now.month() == m_month && now.day() == day) {
            painter.setPen(QPen(kToday, 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(mark, 3, 3);
        }
        painter.setPen(ink);
        painter.drawText(cell, Qt::AlignCenter, QString::number(day));
    }

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(kBorder);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!isEnabled())
        painter.fillRect(rect(), QColor(255, 255, 255, 120));
}

void DMMonthlyCalendar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint position = event->position().toPoint();
    if (const int day = dayAt(position)) {
        m_picker->choose(m_year, m_month, day);
        return;
    }
    if (m_popup && position.y() < kTitleHeight) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - pos();
    }
}

void DMMonthlyCalendar::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void DMMonthlyCalendar::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        m_picker->storeMonthlyCalendarPosition();
    }
}

}  // namespace quenkit
