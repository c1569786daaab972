#include "dalmain/shell/MainFrame.h"

#include "dalmain/shell/MenuResources.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/shell/ShellDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace dalmain {

namespace {

constexpr int kImageSide = 48;
constexpr int kButtonSide = 54;

QString iconFile(int id)
{
    return QStringLiteral(":/dalmain/icons/%1.svg").arg(id);
}

}  // namespace

MainFrame::MainFrame(quenkit::Owner *owner, const ViewOptions &options)
    : m_owner(owner)
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QStringLiteral("Dalmora"));
    setWindowIcon(QIcon(QStringLiteral(":/dalmain/icons/dalmora.svg")));
    // The status bar carries the buttons' and menu items' descriptions. The toolbars follow
    // the screen, so there is no menu to switch them one by one.
    statusBar();
    setContextMenuPolicy(Qt::NoContextMenu);

    createToolbars();
    showToolbarOf(settings::startScreen());

    m_view = new DalmainView(this, owner, options);
    setCentralWidget(m_view);
    installMenuBar(m_view->currentScreen());
    showToolbarOf(m_view->currentScreen());

    connect(m_view, &DalmainView::screenChanged, this, [this](int screen) {
        installMenuBar(screen);
        showToolbarOf(screen);
    });
    connect(m_view, &DalmainView::commandStateChanged, this, &MainFrame::updateToolbarActions);
    connect(m_view, &DalmainView::toolbarVisibilityChanged, this, [this] { showToolbarOf(m_toolbarScreen); });
    // The session is ending: keep what the user would otherwise lose, as at a normal exit.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { saveForEnd(); });
    updateToolbarActions();
}

MainFrame::~MainFrame()
{
    if (!m_ended)
        saveForEnd();
}

QToolBar *MainFrame::toolbar(int screen) const
{
    return (screen >= 0 && screen < kScreenCount) ? m_toolbars[screen] : nullptr;
}

QAction *MainFrame::commandAction(int id, const QString &text, QObject *parent)
{
    auto *action = new QAction(text, parent);
    action->setData(id);
    action->setToolTip(text);
    action->setStatusTip(text);
    if (QFile::exists(iconFile(id)))
        action->setIcon(QIcon(iconFile(id)));
    connect(action, &QAction::triggered, this, [this, id] {
        if (m_view)
            m_view->runCommand(id);
    });
    return action;
}

void MainFrame::createToolbars()
{
    for (const ScreenInfo &screen : screens()) {
        auto *bar = new QToolBar(screen.name, this);
        bar->setObjectName(QStringLiteral("Toolbar%1").arg(screen.toolbarResource));
        bar->setIconSize(QSize(kImageSide, kImageSide));
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->toggleViewAction()->setVisible(false);
        for (int id : toolbarResource(screen.toolbarResource)) {
            if (id == 0) {
                bar->addSeparator();
                continue;
            }
            QAction *action = commandAction(id, menuCommandText(screen.menuResource, id), bar);
            bar->addAction(action);
            if (QWidget *button = bar->widgetForAction(action))
                button->setFixedSize(kButtonSide, kButtonSide);
        }
        addToolBar(Qt::TopToolBarArea, bar);
        bar->hide();
        m_toolbars[screen.index] = bar;
    }
    // SystemSet5 0 takes the flat look away from the user screen's buttons.
    if (settings::systemInt(settings::kSystemSet5, 0) == 0) {
        for (QToolButton *button : m_toolbars[UserScreen]->findChildren<QToolButton *>())
            button->setAutoRaise(false);
    }
}

void MainFrame::showToolbarOf(int screen)
{
    m_toolbarScreen = validScreenIndex(screen);
    const bool visible = settings::toolbarVisible();
    for (int i = 0; i < kScreenCount; ++i)
        m_toolbars[i]->setVisible(visible && i == m_toolbarScreen);
    updateToolbarActions();
}

void MainFrame::installMenuBar(int screen)
{
    // The old menus may be the ones whose command is running: let them go afterwards.
    for (QMenu *old : menuBar()->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly))
        old->deleteLater();
    menuBar()->clear();

    std::function<void(QMenu *, const QList<MenuItem> &)> fill = [&](QMenu *menu, const QList<MenuItem> &items) {
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateActions(menu->actions()); });
        for (const MenuItem &item : items) {
            if (item.isSeparator())
                menu->addSeparator();
            else if (item.isSubmenu())
                fill(menu->addMenu(item.text), item.items);
            else
                menu->addAction(commandAction(item.id, item.text, menu));
        }
    };
    for (const MenuItem &top : menuResource(screenInfo(screen).menuResource)) {
        auto *menu = new QMenu(top.text, menuBar());
        fill(menu, top.items);
        menuBar()->addMenu(menu);
    }
}

QAction *MainFrame::menuAction(int id) const
{
    std::function<QAction *(const QList<QAction *> &)> find = [&](const QList<QAction *> &actions) -> QAction * {
        for (QAction *action : actions) {
            if (QMenu *menu = action->menu()) {
                if (QAction *found = find(menu->actions()))
                    return found;
            } else if (action->data().isValid() && action->data().toInt() == id) {
                return action;
            }
        }
        return nullptr;
    };
    return find(menuBar()->actions());
}

void MainFrame::updateActions(const QList<QAction *> &actions)
{
    for (QAction *action : actions) {
        if (action->menu() || action->isSeparator() || !action->data().isValid())
            continue;
        const int id = action->data().toInt();
        action->setEnabled(m_view && m_view->commandEnabled(id));
        const bool checked = m_view && m_view->commandChecked(id);
        action->setCheckable(checked);
        action->setChecked(checked);
    }
}

void MainFrame::updateToolbarActions()
{
    if (QToolBar *bar = toolbar(m_toolbarScreen))
        updateActions(bar->actions());
}

void MainFrame::showWithPlacement()
{
    const settings::WindowPlacement p = settings::readWindowPlacement();
    setGeometry(p.normal);
    if (p.minimized) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setWindowState(Qt::WindowMinimized | (p.maximized ? Qt::WindowMaximized : Qt::WindowNoState));
        show();
        setAttribute(Qt::WA_ShowWithoutActivating, false);
    } else if (p.maximized) {
        showMaximized();
    } else {
        showNormal();
    }
}

settings::WindowPlacement MainFrame::placement() const
{
    settings::WindowPlacement p;
    p.normal = normalGeometry();
    const Qt::WindowStates state = windowState();
    p.minimized = state.testFlag(Qt::WindowMinimized);
    p.maximized = state.testFlag(Qt::WindowMaximized);
    return p;
}

void MainFrame::saveForEnd()
{
    m_view->finishPendingWork();
    settings::writeWindowPlacement(placement());
    settings::setSystemString(settings::kUserName, m_view->openUserName());
}

void MainFrame::closeEvent(QCloseEvent *event)
{
    m_view->checkAndSaveScreen(LeaveCheck::Mode::Silent);
    settings::writeWindowPlacement(placement());
    if (settings::systemInt(settings::kSystemSet7, 0) == 0) {
        ExitDialog confirm(this);
        if (confirm.exec() != QDialog::Accepted) {
            event->ignore();
            return;
        }
    }
    saveForEnd();
    m_ended = true;
    event->accept();
}

}  // namespace dalmain
