#include "dalmain/screens/sports/Sports.h"

#include "dalmain/print/ExerciseReport.h"
#include "dalmain/print/PrintOptions.h"

#include "dalmain/screens/sports/BasalInputDialog.h"
#include "dalmain/screens/sports/ExerciseSearchDialog.h"
#include "dalmain/screens/sports/SportsDayListDialog.h"
#include "dalmain/screens/sports/SportsInputDialog.h"
#include "dalmain/screens/sports/SportsList.h"
#include "dalmain/screens/sports/SportsSelCopyDialog.h"
#include "dalmain/screens/sports/SportsSummaryView.h"
#include "dalmain/shell/ClipboardBlock.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/userdata/ExerciseLog.h"
#include "dalmain/userdata/ExerciseLogClipboard.h"
#include "dalmain/userdata/UserSession.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/controls/Fonts.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QVBoxLayout>

#include <optional>

namespace dalmain {

namespace {

const QString kSportsItemLine = QStringLiteral("SportsItemLine");
const QString kClipFormat = QString::fromLatin1(kExerciseClipboardMarker);
const QString kSaveCaption = QStringLiteral("運動記録の保存");
const QString kSaveQuestion = QStringLiteral("編集中の運動記録を保存します。\nよろしいですか？");
const QString kSaveFailed = QStringLiteral("運動記録を保存できませんでした。\n%1");
const QString kDeleteFailed = QStringLiteral("運動記録を削除できませんでした。\n%1");
const QString kPasteCaption = QStringLiteral("まとめて貼り付け");
const QString kPasteQuestion = QStringLiteral(
    "編集中の運動記録が全て削除され「まとめてｺﾋﾟｰ」でｺﾋﾟｰされた運動記録を貼り付けます。\nよろしいですか？");

// A day that could not be stored when the screen closed; the screen opened again for the same
// user takes it up instead of the stored day, so the entries are not lost.
struct UnsavedDay {
    int user = -1;
    QDate date;
    ExerciseDay day;
};
std::optional<UnsavedDay> &unsavedDay()
{
    static std::optional<UnsavedDay> day;
    return day;
}

// The day the screen opens on: the day the screens share when they share one and do not each
// open on their own last date; otherwise today.
QDate startDate()
{
    const bool shared = quenkit::GetRegistryInt(settings::kSystemSection, settings::kSystemSet6, 1) != 0 &&
                        quenkit::GetRegistryInt(settings::kSystemSection, settings::kSystemSet2, 0) == 0;
    return shared ? DayScreenWindow::sharedDay() : QDate();
}

}  // namespace

Sports::Sports(const ScreenContext &context, QWidget *parent)
    : DayScreenWindow(SportsScreen, context, parent)
    , m_title(new QLabel(QStringLiteral("運動の記録"), this))
    , m_position(new QLabel(this))
    , m_userNote(new QLabel(this))
    , m_list(new SportsList(this))
    , m_summaryView(new SportsSummaryView(this))
    , m_popup(new QMenu(this))
{
    setObjectName(QStringLiteral("Sports"));
    LoadBasalStandardTable(m_table);
    buildLayout();
    m_list->setBoundary(
        quenkit::GetRegistryInt(settings::kSportsSection, kSportsItemLine, m_list->fifteenDigitsWidth() * 2));

    const struct {
        const char *text;
        int id;
    } popupItems[] = {{"入力", cmd::SportsInput}, {"修正", cmd::SportsModify}, {"削除", cmd::SportsDelete},
                      {"基礎代謝量の入力", cmd::BasalInput}};
    for (const auto &item : popupItems) {
        QAction *action = m_popup->addAction(QString::fromUtf8(item.text));
        action->setData(item.id);
        connect(action, &QAction::triggered, this, [this, id = item.id] { runCommand(id); });
    }

    connect(m_list, &SportsList::inputRequested, this, [this] { runCommand(cmd::SportsInput); });
    connect(m_list, &SportsList::modifyRequested, this, [this] { runCommand(cmd::SportsModify); });
    connect(m_list, &SportsList::deleteRequested, this, [this] { runCommand(cmd::SportsDelete); });
    connect(m_list, &SportsList::menuRequested, this, &Sports::showPopup);
    connect(m_list, &SportsList::lineChanged, this, [this] {
        m_position->setText(lineIndicator());
        emit commandStateChanged();
    });
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Home), this);
    previous->setContext(Qt::WidgetWithChildrenShortcut);
    connect(previous, &QShortcut::activated, m_dateBar, &quenkit::DatePicker::previousDay);
    auto *next = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_End), this);
    next->setContext(Qt::WidgetWithChildrenShortcut);
    connect(next, &QShortcut::activated, m_dateBar, &quenkit::DatePicker::nextDay);
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &Sports::readClipboard);
    readClipboard();

    setStartDate(startDate());
    loadDay();
}

Sports::~Sports()
{
    finishPendingWork();
}

void Sports::buildLayout()
{
    m_title->setObjectName(QStringLiteral("IDB_SPORTTITLE"));
    m_title->setFont(quenkit::createFont(QStringLiteral("ＭＳ ゴシック"), 0, 20, quenkit::FontBold));
    m_title->setStyleSheet(QStringLiteral("color: #1f5f8b; padding: 2px 10px;"));
    m_position->setObjectName(QStringLiteral("position"));
    m_position->setFont(quenkit::createFont(QStringLiteral("ＭＳ ゴシック"), 0, 14, quenkit::FontBold));
    m_userNote->setObjectName(QStringLiteral("userNote"));
    m_userNote->setStyleSheet(QStringLiteral("color: #b00000"));

    auto *top = new QHBoxLayout;
    top->addWidget(m_title);
    top->addSpacing(12);
    top->addWidget(m_dateBar);
    top->addSpacing(12);
    top->addWidget(m_userNote);
    top->addStretch();
    top->addWidget(m_position);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_summaryView);
}

int Sports::userNumber() const
{
    const std::optional<UserProfile> &profile = openUserSession().profile();
    return profile ? static_cast<int>(profile->number) : -1;
}

void Sports::loadDay()
{
    m_items = readExerciseItems();
    m_lookup = itemLookupOf(m_items);
    const std::optional<UserProfile> &profile = openUserSession().profile();
    m_basis = profile ? exerciseDayBasis(*profile, dateKey(), m_table) : ExerciseDayBasis{};
    const int user = userNumber();
    std::optional<UnsavedDay> &unsaved = unsavedDay();
    m_dirty = false;
    if (unsaved && unsaved->user == user && unsaved->date == m_date) {
        m_day = unsaved->day;
        m_dirty = true;
        unsaved.reset();
    } else if (user >= 0) {
        m_day = loadExerciseDay(static_cast<unsigned>(user), dateKey(), m_lookup, m_basis.energy);
    } else {
        m_day.clear();
    }
    refreshMarks();
    refresh(0);
}

void Sports::refreshMarks()
{
    QList<QDate> marks;
    if (userNumber() >= 0) {
        for (const QByteArray &date : ExerciseLogDates(static_cast<unsigned>(userNumber())))
            marks.append(QDate::fromString(QString::fromLatin1(date), QStringLiteral("yyyyMMdd")));
    }
    m_dateBar->setMarkedDates(marks);
}

ExerciseSummary Sports::summary() const
{
    return m_day.summary(m_basis);
}

QString Sports::lineIndicator() const
{
    return QString::asprintf("行:%2d/%2d", m_list->currentLine() + 1, m_day.count() + 1);
}

void Sports::refresh(int currentLine)
{
    m_list->setEntries(m_day.entries(), currentLine);
    m_summaryView->setSummary(summary());
    m_userNote->setText(userNumber() >= 0 ? QString()
                                          : QStringLiteral("ユーザー情報を開いてください。運動は保存されません。"));
    m_position->setText(lineIndicator());
    emit commandStateChanged();
}

void Sports::changed(int currentLine)
{
    m_dirty = true;
    refresh(currentLine);
}

bool Sports::insertEntry(ExerciseEntry entry, int line)
{
    switch (m_day.insert(std::move(entry), line)) {
    case ExerciseDay::Added::Added: changed(line + 1); return true;
    case ExerciseDay::Added::Full:
        quenkit::inform(context().owner, kExerciseCaption, kExerciseFullMessage, quenkit::Icon::Warning);
        return false;
    case ExerciseDay::Added::BasalAlreadyEntered:
        quenkit::inform(context().owner, kBasalCaption, kBasalEnteredMessage);
        return false;
    }
    return false;
}

void Sports::newEntries()
{
    while (m_day.count() < kExerciseSlots) {
        ExerciseSearchDialog search(m_items, this);
        if (search.exec() != QDialog::Accepted || !search.chosen())
            return;
        SportsInputDialog input(context().owner, *search.chosen(), m_basis.energy, this);
        if (input.exec() != QDialog::Accepted || !insertEntry(input.entry(), m_list->currentLine()))
            return;
    }
    quenkit::inform(context().owner, kExerciseCaption, kExerciseFullMessage, quenkit::Icon::Warning);
}

void Sports::modifyEntry()
{
    const int index = m_list->currentEntry();
    if (index < 0) {
        newEntries();
        return;
    }
    const ExerciseEntry &current = m_day.entries()[index];
    if (current.isBasal()) {
        BasalInputDialog dialog(context().owner, userNumber(), DailyBasalMetabolism(m_basis.energy), this);
        dialog.setEntry(current);
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_day.replace(index, dialog.entry());
    } else {
        const std::optional<ExerciseItem> item = m_lookup(current.item);
        if (!item)
            return;
        SportsInputDialog dialog(context().owner, *item, m_basis.energy, this);
        dialog.setEntry(current);
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_day.replace(index, dialog.entry());
    }
    changed(index);
}

void Sports::deleteEntry()
{
    const int index = m_list->currentEntry();
    if (index < 0 || !m_day.remove(index))
        return;
    changed(index);
}

void Sports::basalInput()
{
    if (m_day.hasBasalEntry()) {
        quenkit::inform(context().owner, kBasalCaption, kBasalEnteredMessage);
        return;
    }
    BasalInputDialog dialog(context().owner, userNumber(), DailyBasalMetabolism(m_basis.energy), this);
    if (dialog.exec() == QDialog::Accepted)
        insertEntry(dialog.entry(), m_list->currentLine());
}

void Sports::saveDay()
{
    if (userNumber() < 0 || m_day.isEmpty())
        return;
    if (quenkit::ask(context().owner, quenkit::Message{kSaveCaption, kSaveQuestion, quenkit::Buttons::OkCancel,
                                                       quenkit::Icon::Question, quenkit::Answer::Ok}) != quenkit::Answer::Ok)
        return;
    QString error;
    if (!saveExerciseDay(static_cast<unsigned>(userNumber()), dateKey(), m_day, &error)) {
        quenkit::inform(context().owner, kSaveCaption, kSaveFailed.arg(error), quenkit::Icon::Warning);
        return;
    }
    m_dirty = false;
    refreshMarks();
}

bool Sports::saveQuietly()
{
    if (!m_dirty || userNumber() < 0)
        return true;
    QString error;
    if (!saveExerciseDay(static_cast<unsigned>(userNumber()), dateKey(), m_day, &error)) {
        quenkit::inform(context().owner, kSaveCaption, kSaveFailed.arg(error), quenkit::Icon::Warning);
        return false;
    }
    m_dirty = false;
    return true;
}

void Sports::readClipboard()
{
    const std::optional<QByteArray> block = clipboardBlock(kClipFormat);
    m_clipboardHasDay = block && copiedEntries(*block).has_value();
    emit commandStateChanged();
}

void Sports::copyAll()
{
    SportsSelCopyDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ExerciseSummary s = summary();
    putClipboardBlock(kClipFormat, copyAllText(m_day, s, dialog.options()), copyAllBlock(m_day, s, dialog.options()));
}

bool Sports::pasteAll()
{
    const std::optional<QByteArray> block = clipboardBlock(kClipFormat);
    const std::optional<QList<ExerciseEntry>> entries = block ? copiedEntries(*block) : std::nullopt;
    if (!entries)
        return false;
    if (quenkit::ask(context().owner, quenkit::Message{kPasteCaption, kPasteQuestion, quenkit::Buttons::OkCancel,
                                                       quenkit::Icon::Question, quenkit::Answer::Ok}) != quenkit::Answer::Ok)
        return false;
    // The weight may have changed since the day was shown.
    if (const std::optional<UserProfile> &profile = openUserSession().profile())
        m_basis = exerciseDayBasis(*profile, dateKey(), m_table);
    m_day = pastedExerciseDay(*entries, m_lookup, m_basis.energy);
    changed(0);
    return true;
}

void Sports::openDay()
{
    if (userNumber() < 0)
        return;
    SportsDayListDialog dialog(context().owner, ExerciseLogDates(static_cast<unsigned>(userNumber())),
                               SportsDayListDialog::Purpose::Open, this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty())
        return;
    moveToDate(QDate::fromString(QString::fromLatin1(dialog.chosen().first()), QStringLiteral("yyyyMMdd")));
}

void Sports::deleteDays()
{
    if (userNumber() < 0)
        return;
    // The day being edited is stored first, so the list shows it as the log will have it.
    if (!saveQuietly())
        return;
    SportsDayListDialog dialog(context().owner, ExerciseLogDates(static_cast<unsigned>(userNumber())),
                               SportsDayListDialog::Purpose::Delete, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!DeleteExerciseDays(static_cast<unsigned>(userNumber()), dialog.chosen(), nullptr, &error))
        quenkit::inform(context().owner, QStringLiteral("運動の削除"), kDeleteFailed.arg(error), quenkit::Icon::Warning);
    if (dialog.chosen().contains(dateKey()))
        loadDay();
    else
        refreshMarks();
}

void Sports::showPopup(const QPoint &globalPos)
{
    for (QAction *action : m_popup->actions())
        action->setEnabled(commandEnabled(action->data().toInt()));
    m_popup->popup(globalPos);
}

void Sports::runCommand(int id)
{
    if (!commandEnabled(id))
        return;
    switch (id) {
    case cmd::SportsInput: newEntries(); break;
    case cmd::SportsModify: modifyEntry(); break;
    case cmd::SportsDelete: deleteEntry(); break;
    case cmd::BasalInput: basalInput(); break;
    case cmd::SaveSports: saveDay(); break;
    case cmd::SportsCopyAll: copyAll(); break;
    case cmd::SportsPasteAll: pasteAll(); break;
    case cmd::OpenSports: openDay(); break;
    case cmd::DeleteSports: deleteDays(); break;
    case cmd::PrintSports:
        // The day as the screen holds it, saved or not.
        printFromScreen(context().owner, this, sportsPrintKind(), m_day.isEmpty(), [this](const ReportOptions &options) {
            return std::make_unique<ExerciseDayReport>(*openUserSession().profile(), dateKey(), m_day,
                                                       m_day.summary(m_basis), options);
        });
        break;
    default: break;
    }
    m_list->setFocus();
}

bool Sports::commandEnabled(int id) const
{
    const bool open = userNumber() >= 0;
    switch (id) {
    case cmd::SportsInput: return m_day.count() < kExerciseSlots;
    case cmd::SportsModify: return m_list->currentEntry() >= 0;
    case cmd::SportsDelete: return m_list->currentEntry() >= 0;
    case cmd::BasalInput: return true;
    case cmd::SaveSports: return open && !m_day.isEmpty();
    case cmd::SportsCopyAll: return !m_day.isEmpty();
    case cmd::SportsPasteAll: return m_clipboardHasDay;
    case cmd::OpenSports:
    case cmd::DeleteSports: return open;
    case cmd::PrintSports: return open && !m_day.isEmpty();
    default: return false;
    }
}

bool Sports::checkAndSave(Mode)
{
    return saveQuietly();
}

void Sports::finishPendingWork()
{
    quenkit::SetRegistryInt(settings::kSportsSection, kSportsItemLine, m_list->boundary());
    storeSharedDay();
    if (!saveQuietly())
        unsavedDay() = UnsavedDay{userNumber(), m_date, m_day};
    m_dirty = false;
}

QWidget *Sports::firstControl()
{
    return m_list;
}

}  // namespace dalmain
