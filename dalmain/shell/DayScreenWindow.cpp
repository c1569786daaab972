#include "dalmain/shell/DayScreenWindow.h"

#include "dalmain/shell/ShellSettings.h"
#include "quenkit/controls/DatePickers.h"

namespace dalmain {

DayScreenWindow::DayScreenWindow(int screenIndex, const ScreenContext &context, QWidget *parent)
    : ScreenWindow(screenIndex, context, parent)
    , m_dateBar(new quenkit::DMCalendar(this))
{
    m_dateBar->setObjectName(QStringLiteral("DateBar"));
    m_date = m_dateBar->date();
    connect(m_dateBar, &quenkit::DatePicker::command, this, [this](int) { dateChosen(); });
}

QDate DayScreenWindow::sharedDay()
{
    const QDate d = QDate::fromString(settings::systemString(settings::kDay).left(10), QStringLiteral("yyyy/MM/dd"));
    return d.isValid() ? d : QDate();
}

void DayScreenWindow::setStartDate(const QDate &date)
{
    if (date.isValid()) {
        const QSignalBlocker block(m_dateBar);
        m_dateBar->setDate(date);
    }
    m_date = m_dateBar->date();
}

void DayScreenWindow::storeSharedDay() const
{
    settings::setSystemString(settings::kDay, m_date.toString(QStringLiteral("yyyy/MM/dd")));
}

QByteArray DayScreenWindow::dateKey() const
{
    return m_date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

bool DayScreenWindow::moveToDate(const QDate &date)
{
    if (!date.isValid() || date == m_date)
        return true;
    if (!saveQuietly())
        return false;
    m_date = date;
    {
        const QSignalBlocker block(m_dateBar);
        m_dateBar->setDate(date);
    }
    loadDay();
    return true;
}

void DayScreenWindow::dateChosen()
{
    if (!moveToDate(m_dateBar->date())) {
        const QSignalBlocker block(m_dateBar);
        m_dateBar->setDate(m_date);
    }
}

void DayScreenWindow::dateBarCommand(int code)
{
    switch (code) {
    case 1: m_dateBar->previousMonth(); break;
    case 2: m_dateBar->previousDay(); break;
    case 3: m_dateBar->nextDay(); break;
    case 4: m_dateBar->nextMonth(); break;
    case 7: m_dateBar->goToday(); break;
    default: break;
    }
}

}  // namespace dalmain
