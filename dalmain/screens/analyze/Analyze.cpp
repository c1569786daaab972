#include "dalmain/screens/analyze/Analyze.h"

#include "dalmain/analysis/AnalysisRun.h"
#include "dalmain/analysis/Sufficiency.h"
#include "dalmain/master/EntryNutrients.h"
#include "dalmain/print/AnalysisPrintDialog.h"
#include "dalmain/screens/analyze/AnalyzeCommentDialog.h"
#include "dalmain/screens/analyze/AnalyzeExportDialog.h"
#include "dalmain/screens/analyze/AnalyzeGroupView.h"
#include "dalmain/screens/analyze/AnalyzeRireki.h"
#include "dalmain/screens/analyze/AnalyzeNutrientDialog.h"
#include "dalmain/screens/analyze/AnalyzeSelectDialog.h"
#include "dalmain/screens/analyze/AnalyzeSyousai.h"
#include "dalmain/screens/analyze/AnalyzeSyoyo.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/DayScreenWindow.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/userdata/PfcTargets.h"
#include "dalmain/userdata/UserSession.h"

#include "quenkit/controls/DatePickers.h"
#include "quenkit/dates/Dates.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace dalmain {

namespace {

// What the analysis keeps between visits while the program runs.
struct RememberedState {
    AnalysisPeriod kind = AnalysisPeriod::Day;
    std::array<QDate, 3> dates{};
    int view = Analyze::DetailView;
};

RememberedState &remembered()
{
    static RememberedState state;
    return state;
}

const QString kSaveCaption = QStringLiteral("分析結果の保存");

QString chooseSaveFile(QWidget *parent, int *fileType)
{
    const QStringList filters = {QStringLiteral("ﾃｷｽﾄとﾀﾌﾞ(*.txt)"), QStringLiteral("ﾃｷｽﾄとｶﾝﾏ(*.csv)"),
                                 QStringLiteral("ﾃｷｽﾄ(*.txt)"), QStringLiteral("すべてのﾌｧｲﾙ(*.*)")};
    QFileDialog dialog(parent, kSaveCaption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(qBound(0, *fileType, kSaveFileTypes - 1)));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    *fileType = qMax(0, filters.indexOf(dialog.selectedNameFilter()));
    return dialog.selectedFiles().constFirst();
}

Analyze::SaveFileChooser &saveFileChooser()
{
    static Analyze::SaveFileChooser chooser = chooseSaveFile;
    return chooser;
}

int kindIndex(AnalysisPeriod kind)
{
    return qBound(0, static_cast<int>(kind), 2);
}

QByteArray periodKeyOf(AnalysisPeriod kind, const QDate &date)
{
    switch (kind) {
    case AnalysisPeriod::Day: return date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
    case AnalysisPeriod::Month: return date.toString(QStringLiteral("yyyyMM")).toLatin1();
    case AnalysisPeriod::Year: return date.toString(QStringLiteral("yyyy")).toLatin1();
    case AnalysisPeriod::Selection: break;
    }
    return {};
}

}  // namespace

void Analyze::setSaveFileChooser(SaveFileChooser chooser)
{
    saveFileChooser() = chooser ? std::move(chooser) : SaveFileChooser(chooseSaveFile);
}

Analyze::Analyze(const ScreenContext &context, QWidget *parent)
    : ScreenWindow(AnalyzeScreen, context, parent)
{
    // The foods once for the screen's life: every run reads the same table.
    if (LoadFoodCache(nullptr, m_cache) != 1)
        m_cache.clear();
    m_foods = EntryFoodIndex::fromCache(m_cache);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("title"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);

    m_calendars = new QStackedWidget(this);
    m_pickers = {new quenkit::DMCalendar(m_calendars), new quenkit::DMCalendar2(m_calendars),
                 new quenkit::DMCalendar3(m_calendars)};
    for (int k = 0; k < 3; ++k) {
        m_calendars->addWidget(m_pickers[k]);
        connect(m_pickers[k], &quenkit::DatePicker::command, this, [this, k](int id) {
            if (id == 1030)
                dateChosen(static_cast<AnalysisPeriod>(k));
        });
    }
    m_calendars->setFixedHeight(m_pickers[0]->sizeHint().height());

    m_views = new QStackedWidget(this);
    m_detail = new AnalyzeSyousai(m_views);
    m_graph = new AnalyzeSyoyo(m_views);
    m_history = new AnalyzeRireki(m_views);
    m_groupView = new AnalyzeGroupView(false, m_views);
    m_exchangeView = new AnalyzeGroupView(true, m_views);
    for (QWidget *v : std::initializer_list<QWidget *>{m_detail, m_graph, m_history, m_groupView, m_exchangeView})
        m_views->addWidget(v);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_calendars);
    bar->addSpacing(12);
    bar->addWidget(m_title, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_views, 1);

    RememberedState &state = remembered();
    const QDate today = quenkit::today();
    for (QDate &d : state.dates) {
        if (!d.isValid())
            d = today;
    }
    if (const std::optional<UserProfile> &profile = openUserSession().profile())
        m_groups = LoadGroupAnalysis(*profile, m_cache);
    if (state.kind == AnalysisPeriod::Selection)
        state.kind = AnalysisPeriod::Day;
    // With one date for every screen, the analysis opens on the day the other screens show.
    if (settings::systemInt(settings::kSystemSet6, 1) == 1 && settings::systemInt(settings::kSystemSet2, 1) == 0) {
        const QDate shared = DayScreenWindow::sharedDay();
        if (shared.isValid())
            state.dates[kindIndex(state.kind)] = shared;
    }
    for (int k = 0; k < 3; ++k) {
        const QSignalBlocker block(m_pickers[k]);
        m_pickers[k]->setDate(state.dates[k]);
    }
    setKind(state.kind);
    // The view left last time, unless this user lacks its table.
    setView(state.view);
}

Analyze::~Analyze() = default;

AnalysisPeriod Analyze::kind() const
{
    return remembered().kind;
}

QDate Analyze::kindDate(AnalysisPeriod kind) const
{
    return remembered().dates[kindIndex(kind)];
}

int Analyze::view() const
{
    return remembered().view;
}

quenkit::DatePicker *Analyze::calendar(AnalysisPeriod kind) const
{
    return kind == AnalysisPeriod::Selection ? nullptr : m_pickers[kindIndex(kind)];
}

QWidget *Analyze::firstControl()
{
    return m_detail;
}

QWidget *Analyze::currentViewWidget() const
{
    return m_views->currentWidget();
}

bool Analyze::viewAvailable(int view) const
{
    switch (view) {
    case DetailView:
    case GraphView: return true;
    case HistoryView: return kind() != AnalysisPeriod::Year;
    case GroupView: return m_groups.groups().has_value();
    case ExchangeView: return m_groups.exchange().kind != ExchangeKind::None;
    default: return false;
    }
}

void Analyze::setView(int view)
{
    if (!viewAvailable(view))
        view = DetailView;
    remembered().view = view;
    switch (view) {
    case GraphView: m_views->setCurrentWidget(m_graph); break;
    case HistoryView: m_views->setCurrentWidget(m_history); break;
    case GroupView: m_views->setCurrentWidget(m_groupView); break;
    case ExchangeView: m_views->setCurrentWidget(m_exchangeView); break;
    default: m_views->setCurrentWidget(m_detail); break;
    }
    emit commandStateChanged();
}

void Analyze::refreshViews()
{
    const AnalysisReport r = m_hasResult ? report(true) : AnalysisReport{};
    const std::optional<UserProfile> &profile = openUserSession().profile();
    const QString comment = m_hasResult && profile
        ? readAnalysisComment(static_cast<int>(profile->number), kind(), m_result.periodKey)
        : QString();
    m_detail->setLines(m_hasResult ? analysisDetailLines(r, comment) : QList<DetailLine>{});
    const bool rateMode = quenkit::GetRegistryInt(settings::kAnalyzeSection, settings::kAlzKijyun, 0) == 1;
    m_graph->setReport(r, rateMode);
    m_history->setResult(m_hasResult ? &m_result : nullptr);
    m_groupView->setReport(r);
    m_exchangeView->setReport(r);
}

void Analyze::refreshDisplay()
{
    refreshViews();
    ScreenWindow::refreshDisplay();
}

void Analyze::setKind(AnalysisPeriod kind)
{
    remembered().kind = kind;
    if (kind != AnalysisPeriod::Selection) {
        m_selection.clear();
        QWidget *picker = m_pickers[kindIndex(kind)];
        m_calendars->setCurrentWidget(picker);
        m_calendars->show();
    } else {
        m_calendars->hide();
    }
    runAnalysis();
    // A year has no history: its graph gives way to 詳細.
    if (!viewAvailable(view()))
        setView(DetailView);
}

void Analyze::dateChosen(AnalysisPeriod kind)
{
    const QDate date = m_pickers[kindIndex(kind)]->date();
    if (!date.isValid())
        return;
    remembered().dates[kindIndex(kind)] = date;
    if (kind == this->kind())
        runAnalysis();
}

void Analyze::runAnalysis()
{
    UserSession &session = openUserSession();
    const AnalysisPeriod period = kind();
    m_hasResult = false;
    m_result = AnalysisResult{};
    if (session.profile() && (period != AnalysisPeriod::Selection || !m_selection.isEmpty())) {
        const UserProfile &profile = *session.profile();
        const int user = static_cast<int>(profile.number);
        const AnalysisRequest request = period == AnalysisPeriod::Selection
                                            ? AnalysisRequest::chosen(user, m_selection)
                                            : AnalysisRequest{user, period, periodKeyOf(period, kindDate(period)), {}};
        reloadPfcTargets();
        AnalysisSubject subject = analysisSubject(profile);
        subject.groups = &m_groups;
        m_result = RunAnalysis(request, m_foods, session.intakeStandard(), wasteRatioOption(), subject);
        m_hasResult = true;
    }
    m_title->setText(m_hasResult ? periodToolTip(period) : QString());
    refreshViews();
    emit commandStateChanged();
}

AnalysisReport Analyze::report(bool selectedNutrientsOnly) const
{
    AnalysisReport r;
    r.period = kind();
    r.result = &m_result;
    const UserSession &session = openUserSession();
    r.standard = &session.intakeStandard();
    if (session.profile()) {
        r.user = &*session.profile();
        r.groups = groupTableText(m_groups, *session.profile());
        r.exchange = exchangeTableText(m_groups, *session.profile());
    }
    if (selectedNutrientsOnly)
        r.nutrientRows = readNutrientSelection();
    else
        r.nutrientRows.fill(true);
    return r;
}

ExportAvailability Analyze::availability() const
{
    const AnalysisReport r = report(true);
    ExportAvailability a;
    a.history = kind() != AnalysisPeriod::Year;
    a.exchangeTable = r.exchange.has_value();
    a.groupTable = r.groups.has_value();
    return a;
}

void Analyze::saveAnalysis()
{
    if (!m_hasResult)
        return;
    const ExportOptions stored = readExportOptions(ExportTarget::Save);
    AnalyzeExportDialog dialog(ExportTarget::Save, stored, availability(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ExportOptions chosen = dialog.options();
    int fileType = qBound(0, stored.kindChoice, kSaveFileTypes - 1);
    const QString path = saveFileChooser()(this, &fileType);
    if (path.isEmpty())
        return;
    chosen.kindChoice = fileType;
    writeExportOptions(ExportTarget::Save, chosen);
    const QByteArray bytes =
        exportFileBytes(exportText(report(chosen.shownNutrientsOnly), chosen, ExportTarget::Save));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        quenkit::inform(context().owner, kSaveCaption,
                        QStringLiteral("%1 に保存できませんでした。").arg(QDir::toNativeSeparators(path)),
                        quenkit::Icon::Warning);
}

void Analyze::copyAnalysis()
{
    if (!m_hasResult)
        return;
    AnalyzeExportDialog dialog(ExportTarget::Copy, readExportOptions(ExportTarget::Copy), availability(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ExportOptions chosen = dialog.options();
    writeExportOptions(ExportTarget::Copy, chosen);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(exportText(report(chosen.shownNutrientsOnly), chosen, ExportTarget::Copy));
}

void Analyze::editComment(QWidget *parent)
{
    const std::optional<UserProfile> &profile = openUserSession().profile();
    if (!m_hasResult || !profile)
        return;
    // 詳細 ends with the comment, so a stored one shows at once.
    if (editAnalysisComment(parent, context().owner, static_cast<int>(profile->number), kind(), m_result.periodKey))
        refreshViews();
}

void Analyze::chooseSelection()
{
    const std::optional<UserProfile> &profile = openUserSession().profile();
    if (!profile)
        return;
    const AnalysisPeriod previous = kind();
    AnalyzeSelectDialog dialog(static_cast<int>(profile->number), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_selection = dialog.chosenRecords();
        setKind(AnalysisPeriod::Selection);
    } else if (previous != AnalysisPeriod::Selection) {
        setKind(previous);
    }
}

void Analyze::chooseNutrients()
{
    AnalyzeNutrientDialog dialog(context().owner, openUserSession().intakeStandard(), this);
    if (dialog.exec() == QDialog::Accepted)
        runAnalysis();
}

void Analyze::runCommand(int id)
{
    switch (id) {
    case cmd::PeriodDay: setKind(AnalysisPeriod::Day); break;
    case cmd::PeriodMonth: setKind(AnalysisPeriod::Month); break;
    case cmd::PeriodYear: setKind(AnalysisPeriod::Year); break;
    case cmd::AnalysisDetail: setView(DetailView); break;
    case cmd::AnalysisGraph: setView(GraphView); break;
    case cmd::HistoryGraph:
        if (viewAvailable(HistoryView))
            setView(HistoryView);
        break;
    case cmd::AnalysisGroup:
        if (viewAvailable(GroupView))
            setView(GroupView);
        break;
    case cmd::AnalysisExchange:
        if (viewAvailable(ExchangeView))
            setView(ExchangeView);
        break;
    case cmd::SaveAnalysis: saveAnalysis(); break;
    case cmd::CopyAnalysis: copyAnalysis(); break;
    case cmd::DailyComment: editComment(this); break;
    case cmd::PeriodSelect: chooseSelection(); break;
    case cmd::NutrientChoice: chooseNutrients(); break;
    case cmd::PrintAnalysis:
        if (m_hasResult)
            printAnalysis(context().owner, this, report(true), [this](QWidget *parent) { editComment(parent); });
        break;
    default: break;
    }
}

bool Analyze::commandEnabled(int id) const
{
    // Without an open user there is nobody to analyse.
    if (!openUserSession().profile())
        return false;
    switch (id) {
    case cmd::PeriodDay:
    case cmd::PeriodMonth:
    case cmd::PeriodYear:
    case cmd::PeriodSelect:
    case cmd::AnalysisDetail:
    case cmd::AnalysisGraph:
    case cmd::NutrientChoice:
        return true;
    case cmd::HistoryGraph: return viewAvailable(HistoryView);
    case cmd::AnalysisGroup: return viewAvailable(GroupView);
    case cmd::AnalysisExchange: return viewAvailable(ExchangeView);
    case cmd::SaveAnalysis:
    case cmd::CopyAnalysis:
    case cmd::PrintAnalysis:
    case cmd::DailyComment:
        return m_hasResult;
    case cmd::PreviousDay:
    case cmd::NextDay:
    case cmd::PreviousMonth:
    case cmd::NextMonth:
    case cmd::PreviousYear:
    case cmd::NextYear:
    case cmd::Today:
        return dateCommandEnabled(id);
    default:
        return false;
    }
}

bool Analyze::commandChecked(int id) const
{
    switch (id) {
    case cmd::PeriodDay: return kind() == AnalysisPeriod::Day;
    case cmd::PeriodMonth: return kind() == AnalysisPeriod::Month;
    case cmd::PeriodYear: return kind() == AnalysisPeriod::Year;
    case cmd::PeriodSelect: return kind() == AnalysisPeriod::Selection;
    case cmd::AnalysisDetail: return view() == DetailView;
    case cmd::AnalysisGraph: return view() == GraphView;
    case cmd::HistoryGraph: return view() == HistoryView;
    case cmd::AnalysisGroup: return view() == GroupView;
    case cmd::AnalysisExchange: return view() == ExchangeView;
    default: return false;
    }
}

bool Analyze::hasDateBar() const
{
    return kind() != AnalysisPeriod::Selection;
}

void Analyze::dateBarCommand(int code)
{
    const AnalysisPeriod period = kind();
    if (period == AnalysisPeriod::Selection)
        return;
    quenkit::DatePicker *picker = m_pickers[kindIndex(period)];
    const bool year = period == AnalysisPeriod::Year;
    switch (code) {
    case 1: year ? picker->previousYear() : picker->previousMonth(); break;
    case 4: year ? picker->nextYear() : picker->nextMonth(); break;
    case 2:
        if (period == AnalysisPeriod::Day)
            picker->previousDay();
        break;
    case 3:
        if (period == AnalysisPeriod::Day)
            picker->nextDay();
        break;
    case 7: picker->goToday(); break;
    default: break;
    }
}

// Each command of the "日付" menu names its step: 前日 and 翌日 move the day, 前月 and 翌月 the
// day's or the month's calendar by a month, 前年 and 翌年 the year. The date bar's buttons share
// codes between the month and the year, so the commands do not go through them.
bool Analyze::dateCommandEnabled(int id) const
{
    const AnalysisPeriod period = kind();
    if (!openUserSession().profile() || period == AnalysisPeriod::Selection)
        return false;
    switch (id) {
    case cmd::PreviousDay:
    case cmd::NextDay: return period == AnalysisPeriod::Day;
    case cmd::PreviousMonth:
    case cmd::NextMonth: return period == AnalysisPeriod::Day || period == AnalysisPeriod::Month;
    case cmd::PreviousYear:
    case cmd::NextYear: return period == AnalysisPeriod::Year;
    case cmd::Today: return true;
    default: return false;
    }
}

void Analyze::dateCommand(int id)
{
    if (!dateCommandEnabled(id))
        return;
    quenkit::DatePicker *picker = m_pickers[kindIndex(kind())];
    switch (id) {
    case cmd::PreviousDay: picker->previousDay(); break;
    case cmd::NextDay: picker->nextDay(); break;
    case cmd::PreviousMonth: picker->previousMonth(); break;
    case cmd::NextMonth: picker->nextMonth(); break;
    case cmd::PreviousYear: picker->previousYear(); break;
    case cmd::NextYear: picker->nextYear(); break;
    case cmd::Today: picker->goToday(); break;
    default: break;
    }
}

}  // namespace dalmain
