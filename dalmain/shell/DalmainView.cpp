#include "dalmain/shell/DalmainView.h"

#include "dalmain/master/FoodTable.h"
#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/shell/Calculator.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/DialogRegistry.h"
#include "dalmain/shell/HelpWindow.h"
#include "dalmain/shell/MenuCommandRules.h"
#include "dalmain/shell/OpeningPicture.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/shell/ShellDialogs.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/shell/StartupFile.h"
#include "dalmain/userdata/UserSession.h"
#include "quenkit/controls/Takku.h"
#include "quenkit/dates/Dates.h"
#include "quenkit/registry/SettingsStore.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QShortcut>

namespace dalmain {

DalmainView::DalmainView(QWidget *frame, quenkit::Owner *owner, const ViewOptions &options)
    : QWidget(frame)
    , m_owner(owner)
    , m_factory(options.screenFactory ? options.screenFactory : ScreenFactory(createProgramScreen))
{
    setObjectName(QStringLiteral("CDalmainView"));
    buildRoutes();

    // The main window stays invisible behind the opening picture until the view first paints.
    if (frame)
        frame->setWindowOpacity(0.0);
    m_opening = new OpeningPicture;
    m_opening->showFading(options.openingFadeMilliseconds);

    carryOverStartupFile(options.startupFile.isEmpty() ? startupFilePath() : options.startupFile);

    // The index of food numbers is derived from the food table and made anew at every start, so
    // that a table restored or edited elsewhere is never read through a stale index. A missing
    // table is reported by the screens that need it.
    RebuildFoodIndex(nullptr);

    openUserSession().clear();
    if (settings::systemString(settings::kDay).isEmpty()) {
        const QDate today = quenkit::today();
        settings::setSystemString(settings::kDay,
                                  QString::asprintf("%4d/%02d/%02d", today.year(), today.month(), today.day()));
    }

    // A missing or damaged file is reported and the program runs on with what was read.
    LoadReferenceIntakes(m_owner, referenceIntakes());

    m_tabs = new quenkit::TAKKU(tabStripText(), this);
    m_tabs->setObjectName(QStringLiteral("TAKKU"));
    m_tabs->installEventFilter(this);
    connect(m_tabs, &quenkit::TAKKU::command, this, [this](int id) { runCommand(id); });
    // The user open at the last exit is open again before the user screen first shows.
    if (openUserSession().reopenLastUser(m_owner))
        m_openUserName = openUserSession().profile()->name.trimmed();
    createScreen(UserScreen);

    settings::setSystemString(settings::kModeCheck, QStringLiteral("0"));

    if (!settings::systemString(settings::kUserName).isEmpty()) {
        const int first = settings::startScreen();
        if (first != UserScreen)
            switchScreen(first);
    }

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] { forward(cmd::Cancel); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &DalmainView::commandStateChanged);
}

DalmainView::~DalmainView()
{
    delete m_opening;
}

void DalmainView::route(int id, std::function<void()> run, std::function<bool()> enabled,
                        std::function<bool()> checked)
{
    Q_ASSERT(!m_routes.contains(id));
    m_routes.insert(id, Route{std::move(run), std::move(enabled), std::move(checked)});
}

void DalmainView::routeToScreen(int id)
{
    route(
        id, [this, id] { forward(id); }, [this, id] { return screenCanRun(id); },
        [this, id] { return m_screen && m_screen->commandChecked(id); });
}

void DalmainView::routeToDialog(int id, const QString &resource)
{
    route(
        id,
        [this, id, resource] {
            openDialog(resource, DialogContext{window(), m_owner, this});
            // After the system settings the screen's first field takes the focus again.
            if (id == cmd::SystemSettings && m_screen)
                m_screen->firstControl()->setFocus();
            emit commandStateChanged();
        },
        [resource] { return isDialogRegistered(resource); });
}

void DalmainView::routeJudgement(int id, const QString &section, const QString &name, int mode)
{
    route(
        id,
        [this, section, name, mode] {
            quenkit::SetRegistryInt(section, name, mode);
            if (m_screen)
                m_screen->refreshDisplay();
            emit commandStateChanged();
        },
        {}, [section, name, mode] { return quenkit::GetRegistryInt(section, name, 0) == mode; });
}

// The one table from command id to what the command does.
void DalmainView::buildRoutes()
{
    using namespace cmd;

    for (int n = 0; n < kScreenCount; ++n)
        route(ScreenUser + n, [this, n] { switchScreen(n); });

    // Commands of the user screen alone.
    for (int id : {NewUser, OpenUser, DeleteUser}) {
        route(
            id, [this, id] { forward(id); },
            [this, id] { return m_current == UserScreen && screenCanRun(id); });
    }
    route(
        Save,
        [this] {
            if (m_current == UserScreen)
                checkAndSaveScreen(LeaveCheck::Mode::WithMessages);
            else if (const int id = saveCommandOf(m_current))
                forward(id);
        },
        [this] {
            if (m_current == UserScreen)
                return m_screen && m_screen->leaveCheck() != nullptr;
            const int id = saveCommandOf(m_current);
            return id != 0 && screenCanRun(id);
        });

    // Commands the screens run themselves: user printing, the menu, exercise, weight and
    // analysis screens' commands, and the meal shown in the menu grid.
    for (int id : {PrintUser, SaveMenu, SaveDish, ModifyDish, DeleteDish, PrintMenu, Undo, Redo, Cut, Copy, Paste,
                   Delete, SelectAll, DishNameInput, ConvertAmount, Modify, FoodInput, DishInput, MenuMemo, CopyDay,
                   PasteDay, OpenMenu, DeleteMenu,
                   SaveSports, PrintSports, SportsInput, SportsModify, SportsDelete, SportsCopyAll, SportsPasteAll,
                   BasalInput, OpenSports, DeleteSports,
                   PrintWeight, WeightGoal, WeightInput, WeightModify, WeightDelete, WeightCopyAll,
                   SaveAnalysis, PrintAnalysis, CopyAnalysis, AnalysisDetail, AnalysisGraph, HistoryGraph,
                   AnalysisGroup, AnalysisExchange, PeriodDay, PeriodMonth, PeriodYear, PeriodSelect, DailyComment,
                   NutrientChoice,
                   Breakfast, Lunch, Dinner, Snack})
        routeToScreen(id);

    // The "日付" menu: each screen says what its date commands do (by default, press a button of
    // its date bar).
    for (int id : {PreviousDay, NextDay, Today, PreviousMonth, NextMonth, PreviousYear, NextYear}) {
        route(
            id,
            [this, id] {
                if (m_screen)
                    m_screen->dateCommand(id);
            },
            [this, id] { return m_screen && m_screen->dateCommandEnabled(id); });
    }

    routeJudgement(MenuJudgement, settings::kMenuSection, settings::kMenuKijyun, 0);
    routeJudgement(MenuProbability, settings::kMenuSection, settings::kMenuKijyun, 1);
    routeJudgement(AnalysisJudgement, settings::kAnalyzeSection, settings::kAlzKijyun, 0);
    routeJudgement(AnalysisProbability, settings::kAnalyzeSection, settings::kAlzKijyun, 1);

    routeToDialog(PrinterSetup, QStringLiteral("PrinterSetup"));
    routeToDialog(Backup, QStringLiteral("IDD_DATA_BACKUP"));
    routeToDialog(Restore, QStringLiteral("IDD_DATA_RESTORE"));
    routeToDialog(MasterMenu, QStringLiteral("IDD_MENTE_MENU"));
    routeToDialog(MasterFood, QStringLiteral("IDD_MENTE_SYOKUHIN"));
    routeToDialog(MasterStandard, QStringLiteral("IDD_MENTE_SYOYO"));
    routeToDialog(MasterExercise, QStringLiteral("IDD_MENTE_RMR"));
    routeToDialog(MasterExchange, QStringLiteral("IDD_MENTE_KOUKAN"));
    routeToDialog(MasterUnit, QStringLiteral("IDD_MENTE_TEKITEN"));
    routeToDialog(MasterGroup, QStringLiteral("IDD_MENTE_GUNBETU"));
    routeToDialog(MasterIntake, QStringLiteral("IDD_MENTE_TEKISESSYU"));
    routeToDialog(SystemSettings, QStringLiteral("IDD_SET_SYSTEM"));
    routeToDialog(PfcSettings, QStringLiteral("IDD_SET_PFC"));
    routeToDialog(InitMaster, QStringLiteral("IDD_INIT_MASTER"));

    route(Calculator, [this] { startCalculator(m_owner); });
    route(HelpScreen, [this] { showHelp(screenInfo(m_current).helpTopic, this); });
    route(HelpTerms, [this] { showHelp(QStringLiteral("technical/technical2"), this); });
    route(About, [this] { AboutDialog(window()).exec(); });
    route(Exit, [this] { window()->close(); });
    route(
        Toolbar,
        [this] {
            const bool visible = !settings::toolbarVisible();
            settings::setToolbarVisible(visible);
            emit toolbarVisibilityChanged(visible);
        },
        {}, [] { return settings::toolbarVisible(); });
}

bool DalmainView::runCommand(int id)
{
    const auto it = m_routes.constFind(id);
    if (it == m_routes.constEnd() || (it->enabled && !it->enabled()))
        return false;
    // A copy: a screen switch run by the route must not pull the table from under it.
    const std::function<void()> run = it->run;
    run();
    return true;
}

bool DalmainView::commandEnabled(int id) const
{
    const auto it = m_routes.constFind(id);
    return it != m_routes.constEnd() && (!it->enabled || it->enabled());
}

bool DalmainView::commandChecked(int id) const
{
    const auto it = m_routes.constFind(id);
    return it != m_routes.constEnd() && it->checked && it->checked();
}

bool DalmainView::screenCanRun(int id) const
{
    if (!m_screen || !m_screen->commandEnabled(id))
        return false;
    return m_current != MenuScreen || menuCommandAllowed(id, m_screen->menuEditState());
}

void DalmainView::forward(int id)
{
    if (m_screen)
        m_screen->runCommand(id);
}

int DalmainView::saveCommandOf(int screen) const
{
    switch (screen) {
    case MenuScreen: return cmd::SaveMenu;
    case SportsScreen: return cmd::SaveSports;
    case AnalyzeScreen: return cmd::SaveAnalysis;
    default: return 0;  // the weight screen saves each entry as it is made
    }
}

bool DalmainView::checkAndSaveScreen(LeaveCheck::Mode mode)
{
    if (!m_screen)
        return true;
    LeaveCheck *check = m_screen->leaveCheck();
    return !check || check->checkAndSave(mode);
}

void DalmainView::createScreen(int n)
{
    m_screen = m_factory(n, ScreenContext{this, m_owner}, m_tabs);
    m_current = n;
    m_tabs->setPage(m_screen);
    m_tabs->select(n);
    connect(m_screen, &ScreenWindow::commandStateChanged, this, &DalmainView::commandStateChanged);
    m_screen->setFocus();
}

bool DalmainView::switchScreen(int n)
{
    if (n < 0 || n >= kScreenCount)
        return false;
    if (m_screen && n == m_current)
        return true;
    if (!checkAndSaveScreen(LeaveCheck::Mode::WithMessages)) {
        m_tabs->select(m_current);
        if (m_screen)
            m_screen->setFocus();
        return false;
    }
    // The analysis screen's results on the clipboard refer to buffers that go with it.
    if (m_current == AnalyzeScreen)
        QGuiApplication::clipboard()->clear();

    // The old screen goes first: what it stores when it closes (the day it was on ...) is
    // what the new one reads.
    m_tabs->setPage(nullptr);
    delete m_screen;
    createScreen(n);
    update();

    emit screenChanged(n);
    settings::setSystemInt(settings::kExitScreen, n);
    emit commandStateChanged();
    return true;
}

void DalmainView::restartAfterDataFolderChange()
{
    openUserSession().clear();
    setOpenUserName(QString());
    m_tabs->setPage(nullptr);
    delete m_screen;
    createScreen(UserScreen);
    update();
    emit screenChanged(UserScreen);
    settings::setSystemInt(settings::kExitScreen, UserScreen);
    emit commandStateChanged();
}

void DalmainView::setOpenUserName(const QString &name)
{
    m_openUserName = name;
    if (!isOpening())
        window()->setWindowTitle(title());
}

QString DalmainView::title() const
{
    return m_openUserName.isEmpty() ? QStringLiteral("新規 - Dalmora") : QStringLiteral("%1 - Dalmora").arg(m_openUserName);
}

void DalmainView::finishPendingWork()
{
    if (m_screen)
        m_screen->finishPendingWork();
}

void DalmainView::finishOpening()
{
    if (!m_opening)
        return;
    delete m_opening;
    window()->setWindowOpacity(1.0);
    window()->setWindowTitle(title());
}

void DalmainView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_tabs->setGeometry(rect());
}

void DalmainView::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (isOpening())
        QMetaObject::invokeMethod(this, &DalmainView::finishOpening, Qt::QueuedConnection);
}

bool DalmainView::eventFilter(QObject *watched, QEvent *event)
{
    // The tab strip covers the whole view, so its first paint is the view's.
    if (watched == m_tabs && event->type() == QEvent::Paint && isOpening())
        QMetaObject::invokeMethod(this, &DalmainView::finishOpening, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

}  // namespace dalmain
