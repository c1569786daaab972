#pragma once

#include "dalmain/shell/ScreenWindow.h"

#include <QDate>

namespace quenkit {
class DMCalendar;
}

namespace dalmain {

// A screen that shows one day chosen in its date bar (the menu and exercise screens). Choosing
// another day stores the day shown first; when it cannot be stored the date bar goes back and
// the screen stays on its day.
class DayScreenWindow : public ScreenWindow
{
    Q_OBJECT
public:
    DayScreenWindow(int screenIndex, const ScreenContext &context, QWidget *parent = nullptr);

    QDate date() const { return m_date; }
    // Stores the day being edited and shows date; false (and still on the old day) when the day
    // could not be stored.
    bool moveToDate(const QDate &date);
    // Stores the day when it was changed; false, after telling the user, when it could not be.
    virtual bool saveQuietly() = 0;

    void dateBarCommand(int code) override;
    bool hasDateBar() const override { return true; }

    // The day the screens share ("Day" of the system section); invalid when none is stored.
    static QDate sharedDay();

protected:
    // Reads the day shown into the screen's state.
    virtual void loadDay() = 0;
    // Shows date in the bar without loading it (at creation); an invalid date keeps today.
    void setStartDate(const QDate &date);
    // Writes the day shown back for the other screens.
    void storeSharedDay() const;
    // The day as the logs key it: "YYYYMMDD".
    QByteArray dateKey() const;

    quenkit::DMCalendar *m_dateBar;
    QDate m_date;

private:
    void dateChosen();
};

}  // namespace dalmain
