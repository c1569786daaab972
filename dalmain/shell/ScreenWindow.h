#pragma once

#include <QWidget>

namespace quenkit {
class Owner;
}

namespace dalmain {

class DalmainView;

// What a screen gets from the program when it is created.
struct ScreenContext {
    DalmainView *view = nullptr;
    quenkit::Owner *owner = nullptr;
};

// The user screen's check-and-save, run before the screen is left, before a new or another
// user is opened, and when the program ends.
class LeaveCheck
{
public:
    enum class Mode {
        WithMessages,  // a failed check shows its message and puts the focus on the field
        Silent,        // a failed check shows nothing; an invalid profile is simply not saved
    };
    virtual ~LeaveCheck() = default;
    // true when the entries are saved (or there was nothing to save) and the screen may be
    // left; false when the check failed or the user abandoned the save.
    virtual bool checkAndSave(Mode mode) = 0;
};

// What the menu screen reports about the day being edited; its commands are enabled from it
// (see MenuCommandRules.h).
struct MenuEditState {
    int currentMealRows = 0;   // rows of the meal that is checked (朝食, 昼食, 夕食 or 間食)
    int selectedRows = 0;      // selected rows of that meal
    int dayDishNames = 0;      // dish names in the whole day
    bool dayHasRows = false;   // at least one meal of the day has rows
    bool canUndo = false;
    bool canRedo = false;
    bool clipboardHasRows = false;  // the clipboard text carries menu rows
    bool clipboardHasDay = false;   // the clipboard carries a whole day
};

// The date bar button a command of the "日付" menu presses: 1 previous month or year (前月,
// 前年), 2 previous day, 3 next day, 4 next month or year (翌月, 翌年), 7 today; 0 for any other
// command.
int dateBarCode(int id);

// One of the five screens inside the tab strip. The view forwards commands to it, asks it
// which of them it can run now, and tells it when the program ends.
class ScreenWindow : public QWidget
{
    Q_OBJECT
public:
    ScreenWindow(int screenIndex, const ScreenContext &context, QWidget *parent = nullptr);

    int screenIndex() const { return m_screenIndex; }
    const ScreenContext &context() const { return m_context; }

    // Runs a command the view forwards (see the routing in DalmainView). Commands the screen
    // does not know are ignored.
    virtual void runCommand(int id);
    // Whether the screen can run command id now; menu items and toolbar buttons of forwarded
    // commands are enabled by it. A screen that does not have a command answers false.
    virtual bool commandEnabled(int id) const;
    // Whether command id shows a check mark (the meal shown, the view shown ...).
    virtual bool commandChecked(int id) const;

    // A button of the screen's date bar was pressed through the "日付" menu: 1 previous
    // month or year, 2 previous day, 3 next day, 4 next month or year, 7 today.
    virtual void dateBarCommand(int code);
    // Whether the screen has a date bar that answers dateBarCommand.
    virtual bool hasDateBar() const;
    // A command of the "日付" menu (前日 ... 翌年). By default it presses the date bar's button of
    // the command (dateBarCode); a screen whose commands mean more than its buttons (the
    // analysis screen's 前年 is not its 前月) runs them itself.
    virtual void dateCommand(int id);
    // Whether the "日付" command id can run now; by default whenever the screen has a date bar.
    virtual bool dateCommandEnabled(int id) const;

    // The check-and-save run before the screen is left; null for screens without one.
    virtual LeaveCheck *leaveCheck();

    // The menu screen's state for enabling its commands; other screens report an empty day.
    virtual MenuEditState menuEditState() const;

    // The program is ending: finish pending work (store the day being edited ...).
    virtual void finishPendingWork();

    // A display setting the screen paints by has changed (the judgement mode of the menu
    // screen's panel or of the analysis views): repaint with it.
    virtual void refreshDisplay();

    // The control that takes the focus after the system settings (control 101 of the
    // screen); the screen itself when it has none.
    virtual QWidget *firstControl();

signals:
    // The screen's state changed in a way that enables or disables commands.
    void commandStateChanged();

protected:
    // Shows text as the only content of the screen: a screen that has nothing else to show
    // yet says which screen it is.
    void showScreenName(const QString &text);

private:
    int m_screenIndex;
    ScreenContext m_context;
};

}  // namespace dalmain
