#pragma once

#include "dalmain/shell/ScreenFactory.h"
#include "dalmain/shell/ScreenWindow.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace quenkit {
class Owner;
class TAKKU;
}  // namespace quenkit

namespace dalmain {

class OpeningPicture;

struct ViewOptions {
    ScreenFactory screenFactory;     // the program's screens when empty
    int openingFadeMilliseconds = 30;
    QString startupFile;             // "DM1.INI"; startupFilePath() when empty
};

// The main window's content: the tab strip with exactly one screen inside. It switches the
// screens and routes every menu, toolbar and tab command: it runs the command itself, opens
// a dialog, or forwards it to the current screen.
class DalmainView : public QWidget
{
    Q_OBJECT
public:
    // Creates the view inside frame: the opening picture, the carry-over of the start-up file,
    // the tab strip with the user screen, and then the screen the settings ask for.
    DalmainView(QWidget *frame, quenkit::Owner *owner, const ViewOptions &options);
    ~DalmainView() override;

    quenkit::TAKKU *tabStrip() const { return m_tabs; }
    ScreenWindow *screen() const { return m_screen; }
    int currentScreen() const { return m_current; }
    quenkit::Owner *owner() const { return m_owner; }

    // Switches to screen n (0-4). The user screen is checked and saved before it is left;
    // when that fails the user screen stays. true when screen n is current afterwards.
    // The old screen is destroyed before the new one is created, so a screen that wants to
    // hand over to another posts the command instead of running it from its own handler.
    bool switchScreen(int n);

    // Runs command id when it is enabled; false when it is not routed or not enabled now.
    bool runCommand(int id);
    bool isRouted(int id) const { return m_routes.contains(id); }
    bool commandEnabled(int id) const;
    bool commandChecked(int id) const;
    QList<int> routedCommands() const { return m_routes.keys(); }

    // The current screen's check-and-save (the user screen's entries, the menu screen's day);
    // true when the screen may be left.
    bool checkAndSaveScreen(LeaveCheck::Mode mode);

    // The name of the open user, empty when none is open. The user screen sets it when it
    // opens, saves or clears a user; the program stores it at exit.
    QString openUserName() const { return m_openUserName; }
    void setOpenUserName(const QString &name);
    // "新規 - Dalmora" while no user is open, else "<name> - Dalmora".
    QString title() const;

    // The data folder was moved (the system settings): the open user and what the screens
    // read belong to the old folder, so no user is open any more and the user screen starts
    // afresh. The screen's pending work must have been stored before the folder changed.
    void restartAfterDataFolderChange();

    // The program ends: the current screen finishes its pending work.
    void finishPendingWork();

    // True until the view has painted for the first time and removed the opening picture.
    bool isOpening() const { return !m_opening.isNull(); }

signals:
    void screenChanged(int index);
    // Something that enables or disables commands changed.
    void commandStateChanged();
    void toolbarVisibilityChanged(bool visible);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Route {
        std::function<void()> run;
        std::function<bool()> enabled;  // null: always enabled
        std::function<bool()> checked;  // null: never checked
    };

    void buildRoutes();
    void route(int id, std::function<void()> run, std::function<bool()> enabled = {},
               std::function<bool()> checked = {});
    void routeToScreen(int id);
    void routeToDialog(int id, const QString &resource);
    void routeJudgement(int id, const QString &section, const QString &name, int mode);

    bool screenCanRun(int id) const;
    void forward(int id);
    int saveCommandOf(int screen) const;
    void createScreen(int n);
    void finishOpening();

    quenkit::Owner *m_owner;
    ScreenFactory m_factory;
    quenkit::TAKKU *m_tabs = nullptr;
    QPointer<ScreenWindow> m_screen;
    int m_current = 0;
    QString m_openUserName;
    QPointer<OpeningPicture> m_opening;
    QHash<int, Route> m_routes;
};

}  // namespace dalmain
