#pragma once

#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/userdata/ExerciseLogDay.h"
#include "dalmain/shell/ScreenWindow.h"

#include <QDate>

class QLabel;
class QMenu;

namespace quenkit {
class DMCalendar;
}

namespace dalmain {

class SportsList;
class SportsSummaryView;

// The exercise record screen: one day of the open user's exercise, its entries in the list and
// the day's energy expenditure below it, the calendar marking the days the log has. Leaving the
// day (another day, closing the screen) stores it without asking; when that fails the screen
// says so and stays on the day, and a day that could not be stored at closing comes back when
// the screen is opened again.
class Sports : public ScreenWindow, public LeaveCheck
{
    Q_OBJECT
public:
    explicit Sports(const ScreenContext &context, QWidget *parent = nullptr);
    ~Sports() override;

    void runCommand(int id) override;
    bool commandEnabled(int id) const override;
    void dateBarCommand(int code) override;
    bool hasDateBar() const override { return true; }
    LeaveCheck *leaveCheck() override { return this; }
    bool checkAndSave(Mode mode) override;
    void finishPendingWork() override;
    QWidget *firstControl() override;

    const ExerciseDay &day() const { return m_day; }
    QDate date() const { return m_date; }
    bool isDirty() const { return m_dirty; }
    ExerciseSummary summary() const;
    const ExerciseDayBasis &basis() const { return m_basis; }
    SportsList *list() const { return m_list; }
    SportsSummaryView *summaryView() const { return m_summaryView; }
    QMenu *popupMenu() const { return m_popup; }
    // "行: n/ m": the selected line and the lines of the list (the entries and the empty one).
    QString lineIndicator() const;

    // Stores the day being edited and shows date; false (and still on the old day) when the
    // day could not be stored.
    bool moveToDate(const QDate &date);
    // Stores the day when it was changed; false, after telling the user, when it could not be.
    bool saveQuietly();

    // The commands, each with its dialogs and messages.
    void newEntries();
    void modifyEntry();
    void deleteEntry();
    void basalInput();
    void saveDay();
    void copyAll();
    bool pasteAll();
    void openDay();
    void deleteDays();

private:
    void buildLayout();
    void loadDay();
    void refresh(int currentLine);
    void refreshMarks();
    void changed(int currentLine);
    void readClipboard();
    void showPopup(const QPoint &globalPos);
    bool insertEntry(ExerciseEntry entry, int line);
    int userNumber() const;
    QByteArray dateKey() const;

    BasalStandardTable m_table{};
    QList<ExerciseItem> m_items;
    ExerciseItemLookup m_lookup;
    ExerciseDayBasis m_basis;
    ExerciseDay m_day;
    QDate m_date;
    bool m_dirty = false;
    bool m_clipboardHasDay = false;

    quenkit::DMCalendar *m_dateBar;
    QLabel *m_title;
    QLabel *m_position;
    QLabel *m_userNote;
    SportsList *m_list;
    SportsSummaryView *m_summaryView;
    QMenu *m_popup;
};

}  // namespace dalmain
