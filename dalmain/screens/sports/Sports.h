#pragma once

#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/userdata/ExerciseLogDay.h"
#include "dalmain/shell/DayScreenWindow.h"

class QLabel;
class QMenu;

namespace dalmain {

class SportsList;
class SportsSummaryView;

// The exercise record screen: one day of the open user's exercise, its entries in the list and
// the day's energy expenditure below it, the calendar marking the days the log has. Leaving the
// day (another day, closing the screen) stores it without asking; when that fails the screen
// says so and stays on the day, and a day that could not be stored at closing comes back when
// the screen is opened again.
class Sports : public DayScreenWindow, public LeaveCheck
{
    Q_OBJECT
public:
    explicit Sports(const ScreenContext &context, QWidget *parent = nullptr);
    ~Sports() override;

    void runCommand(int id) override;
    bool commandEnabled(int id) const override;
    LeaveCheck *leaveCheck() override { return this; }
    bool checkAndSave(Mode mode) override;
    void finishPendingWork() override;
    QWidget *firstControl() override;

    const ExerciseDay &day() const { return m_day; }
    bool isDirty() const { return m_dirty; }
    ExerciseSummary summary() const;
    const ExerciseDayBasis &basis() const { return m_basis; }
    SportsList *list() const { return m_list; }
    SportsSummaryView *summaryView() const { return m_summaryView; }
    QMenu *popupMenu() const { return m_popup; }
    // "行: n/ m": the selected line and the lines of the list (the entries and the empty one).
    QString lineIndicator() const;

    // Stores the day when it was changed; false, after telling the user, when it could not be.
    bool saveQuietly() override;

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
    void loadDay() override;
    void refresh(int currentLine);
    void refreshMarks();
    void changed(int currentLine);
    void readClipboard();
    void showPopup(const QPoint &globalPos);
    bool insertEntry(ExerciseEntry entry, int line);
    int userNumber() const;

    BasalStandardTable m_table{};
    QList<ExerciseItem> m_items;
    ExerciseItemLookup m_lookup;
    ExerciseDayBasis m_basis;
    ExerciseDay m_day;
    bool m_dirty = false;
    bool m_clipboardHasDay = false;

    QLabel *m_title;
    QLabel *m_position;
    QLabel *m_userNote;
    SportsList *m_list;
    SportsSummaryView *m_summaryView;
    QMenu *m_popup;
};

}  // namespace dalmain
