#pragma once

#include "dalmain/shell/DalmainView.h"
#include "dalmain/shell/ShellSettings.h"

#include <QMainWindow>

#include <array>

class QToolBar;

namespace dalmain {

// The main window: one toolbar per screen (only the current screen's is shown), the menu bar
// of the current screen, and the view. It keeps its placement between runs and ends the
// program with an optional confirmation.
class MainFrame : public QMainWindow
{
    Q_OBJECT
public:
    MainFrame(quenkit::Owner *owner, const ViewOptions &options);
    ~MainFrame() override;

    DalmainView *view() const { return m_view; }
    QToolBar *toolbar(int screen) const;
    // The screen whose toolbar is shown (or would be, while the toolbar is switched off).
    int toolbarScreen() const { return m_toolbarScreen; }

    // Shows the window where it was at the last exit: the stored normal rectangle, maximised
    // or minimised as it was.
    void showWithPlacement();
    settings::WindowPlacement placement() const;

    // The action of command id in the menu bar, or null.
    QAction *menuAction(int id) const;
    // Brings the enabled state and check marks of actions up to date.
    void updateActions(const QList<QAction *> &actions);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createToolbars();
    void showToolbarOf(int screen);
    void installMenuBar(int screen);
    QAction *commandAction(int id, const QString &text, QObject *parent);
    void updateToolbarActions();
    // Stores what must survive the run: the current screen's pending work, the placement and
    // the open user's name.
    void saveForEnd();

    quenkit::Owner *m_owner;
    DalmainView *m_view = nullptr;
    std::array<QToolBar *, 5> m_toolbars{};
    int m_toolbarScreen = 0;
    bool m_ended = false;
};

}  // namespace dalmain
