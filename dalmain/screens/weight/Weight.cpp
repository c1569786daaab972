#include "dalmain/screens/weight/Weight.h"
#include "dalmain/print/PrintOptions.h"
#include "dalmain/print/WeightReport.h"

#include "dalmain/screens/weight/WeightCharts.h"
#include "dalmain/screens/weight/WeightDialogs.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/userdata/MemoFile.h"
#include "dalmain/userdata/UserSession.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/controls/Fonts.h"
#include "quenkit/dates/Dates.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dalmain {

namespace {

const char *const kHeadings[5] = {"日　付", "体重(kg)", "判　定", "BMI", "体脂肪(%)"};
constexpr int kColumnWidths[5] = {110, 90, 100, 70, 110};
const QString kAboveStyle = QStringLiteral("color: #d00000");
const QString kBelowStyle = QStringLiteral("color: #0030d0");
const QString kSaveFailed = QStringLiteral("体重を保存できませんでした。\n%1");
const QString kDeleteFailed = QStringLiteral("体重を削除できませんでした。");

QString styleOf(RangeSide side)
{
    switch (side) {
    case RangeSide::Above: return kAboveStyle;
    case RangeSide::Below: return kBelowStyle;
    case RangeSide::Within: break;
    }
    return QString();
}

QFont screenFont(int height, int style = 0)
{
    return quenkit::createFont(QStringLiteral("ＭＳ ゴシック"), 0, height, style);
}

QLabel *cell(QWidget *parent, int width, Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setFixedWidth(width);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

Weight::Weight(const ScreenContext &context, QWidget *parent)
    : ScreenWindow(WeightScreen, context, parent)
    , m_dateBar(new quenkit::DMCalendar2(this))
    , m_marks(new MonthDayMarks(this))
    , m_indicator(new QLabel(this))
    , m_userNote(new QLabel(this))
    , m_list(new QTreeWidget(this))
    , m_standardWeight(new QLabel(this))
    , m_standardBmi(new QLabel(this))
    , m_standardFat(new QLabel(this))
    , m_weightGoal(new QLabel(this))
    , m_bodyFatGoal(new QLabel(this))
    , m_chart(new BmiChartView(this))
    , m_graph(new MonthlyGraphView(this))
{
    setObjectName(QStringLiteral("Weight"));
    const std::optional<UserProfile> &profile = openUserSession().profile();
    if (profile) {
        m_person = weightPersonOf(*profile);
        m_goal = LoadWeightGoal(static_cast<int>(profile->number));
    }
    buildLayout();
    connect(m_dateBar, &quenkit::DatePicker::command, this, [this](int) { dateChosen(); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] {
        showStatus();
        emit commandStateChanged();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { onMeasurement() ? modifyMeasurement() : newMeasurement(); });
    connect(m_marks, &MonthDayMarks::markedDayClicked, this, [this](int day) {
        for (int i = 0; i < m_month.lines().size(); ++i) {
            if (QString::fromLatin1(m_month.lines()[i].record.date.mid(6, 2)).toInt() == day)
                setCurrentLine(i);
        }
    });
    m_list->installEventFilter(this);
    showMonth(m_dateBar->year(), m_dateBar->month());
}

void Weight::buildLayout()
{
    auto *title = new QLabel(QStringLiteral("体重の記録"), this);
    title->setObjectName(QStringLiteral("IDB_WEIGHTTITLE"));
    title->setFont(quenkit::createFont(QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"), 0, 22, quenkit::FontBold));
    title->setStyleSheet(QStringLiteral("color: #305080"));
    m_dateBar->setObjectName(QStringLiteral("DateBar"));
    m_indicator->setObjectName(QStringLiteral("lineIndicator"));
    m_indicator->setFont(screenFont(14, quenkit::FontBold));
    m_userNote->setObjectName(QStringLiteral("userNote"));
    m_userNote->setStyleSheet(QStringLiteral("color: #b00000"));

    m_list->setObjectName(QStringLiteral("WeightList"));
    m_list->setColumnCount(5);
    QStringList headings;
    for (const char *h : kHeadings)
        headings << QString::fromUtf8(h);
    m_list->setHeaderLabels(headings);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setFont(screenFont(14));
    m_list->header()->setSectionsMovable(false);
    m_list->header()->setStretchLastSection(false);
    for (int c = 0; c < 5; ++c) {
        m_list->setColumnWidth(c, kColumnWidths[c]);
        m_list->headerItem()->setTextAlignment(c, Qt::AlignCenter);
    }
    int listWidth = 0;
    for (int w : kColumnWidths)
        listWidth += w;
    m_list->setMinimumWidth(listWidth + 24);

    // The averages and differences under the list, in the list's columns.
    auto *summary = new QGridLayout;
    summary->setHorizontalSpacing(0);
    summary->setContentsMargins(2, 0, 0, 0);
    const QStringList rowNames{QStringLiteral("月平均"), QStringLiteral("適正との差")};
    for (int row = 0; row < 2; ++row) {
        QLabel *name = cell(this, kColumnWidths[0], Qt::AlignLeft);
        name->setText(rowNames[row]);
        name->setFont(screenFont(14, quenkit::FontBold));
        summary->addWidget(name, row, 0);
        for (int c = 1; c < 5; ++c) {
            QLabel *value = cell(this, kColumnWidths[c], c == 2 ? Qt::AlignCenter : Qt::AlignRight);
            value->setFont(screenFont(14));
            value->setObjectName(QStringLiteral("%1%2").arg(row == 0 ? QStringLiteral("average") : QStringLiteral("difference")).arg(c));
            summary->addWidget(value, row, c);
            (row == 0 ? m_averages : m_differences).append(value);
        }
    }
    summary->setColumnStretch(5, 1);

    const QFont standards = screenFont(14);
    for (QLabel *label : {m_standardWeight, m_standardBmi, m_standardFat, m_weightGoal, m_bodyFatGoal}) {
        label->setFont(standards);
        label->setTextFormat(Qt::PlainText);
    }
    m_standardWeight->setObjectName(QStringLiteral("standardWeight"));
    m_standardBmi->setObjectName(QStringLiteral("standardBmi"));
    m_standardFat->setObjectName(QStringLiteral("standardBodyFat"));
    m_weightGoal->setObjectName(QStringLiteral("weightGoal"));
    m_bodyFatGoal->setObjectName(QStringLiteral("bodyFatGoal"));

    auto *top = new QHBoxLayout;
    top->addWidget(title);
    top->addSpacing(16);
    auto *picker = new QVBoxLayout;
    picker->setSpacing(2);
    picker->addWidget(m_dateBar, 0, Qt::AlignLeft);
    picker->addWidget(m_marks, 0, Qt::AlignLeft);
    top->addLayout(picker);
    top->addSpacing(12);
    top->addWidget(m_userNote);
    top->addStretch();
    top->addWidget(m_indicator, 0, Qt::AlignTop);

    auto *left = new QVBoxLayout;
    left->addWidget(m_list, 1);
    left->addLayout(summary);
    left->addSpacing(6);
    left->addWidget(m_standardWeight);
    left->addWidget(m_standardBmi);
    left->addWidget(m_standardFat);
    left->addSpacing(6);
    left->addWidget(m_weightGoal);
    left->addWidget(m_bodyFatGoal);

    auto *right = new QVBoxLayout;
    right->addWidget(m_chart, 1);
    right->addWidget(m_graph, 1);

    auto *body = new QHBoxLayout;
    body->addLayout(left, 0);
    body->addLayout(right, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top);
    layout->addLayout(body, 1);
}

int Weight::userNumber() const
{
    const std::optional<UserProfile> &profile = openUserSession().profile();
    return profile ? static_cast<int>(profile->number) : -1;
}

QString Weight::memoFile() const
{
    return memoFileName(MemoKind::Weight, userNumber());
}

QWidget *Weight::firstControl()
{
    return m_list;
}

int Weight::currentLine() const
{
    QTreeWidgetItem *item = m_list->currentItem();
    return item ? m_list->indexOfTopLevelItem(item) : -1;
}

void Weight::setCurrentLine(int line)
{
    const int count = m_list->topLevelItemCount();
    if (count == 0)
        return;
    m_list->setCurrentItem(m_list->topLevelItem(std::clamp(line, 0, count - 1)));
}

QString Weight::lineIndicator() const
{
    return QString::asprintf("行:%2d/%2d", currentLine() + 1, static_cast<int>(m_month.lines().size()) + 1);
}

void Weight::showMonth(int year, int month)
{
    if (m_dateBar->year() != year || m_dateBar->month() != month)
        m_dateBar->setDate(year, month, 1);
    reload();
}

void Weight::dateChosen()
{
    reload();
}

void Weight::dateBarCommand(int code)
{
    switch (code) {
    case 1: m_dateBar->previousMonth(); break;
    case 4: m_dateBar->nextMonth(); break;
    case 7: m_dateBar->goToday(); break;
    default: break;
    }
}

void Weight::reload(const QByteArray &selectDate)
{
    const int user = userNumber();
    const int year = m_dateBar->year();
    const int month = m_dateBar->month();
    m_month = user >= 0 ? loadWeightMonth(static_cast<unsigned>(user), year, month, m_person) : WeightMonth(year, month, {}, m_person);
    int line = static_cast<int>(m_month.lines().size()) - 1;
    for (int i = 0; i < m_month.lines().size(); ++i) {
        if (m_month.lines()[i].record.date == selectDate)
            line = i;
    }
    fillList(std::max(line, 0));
    showFigures();
}

void Weight::fillList(int currentLine)
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    const QString memos = memoFile();
    for (const WeightLine &l : m_month.lines()) {
        auto *item = new QTreeWidgetItem(
            QStringList{l.listDate, l.weightText, bmiJudgementText(l.judgement), shortBmiText(l.bmi), l.listBodyFat});
        // The memo of the day shows when the pointer rests on its line.
        QByteArray memo;
        if (userNumber() >= 0 && ReadMemo(memos, l.record.date, memo) == 1) {
            for (int c = 0; c < 5; ++c)
                item->setToolTip(c, quenkit::fromSjis(memo));
        }
        item->setTextAlignment(0, Qt::AlignLeft | Qt::AlignVCenter);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignCenter);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        m_list->addTopLevelItem(item);
    }
    m_list->addTopLevelItem(new QTreeWidgetItem(QStringList{QString()}));
    m_list->setCurrentItem(m_list->topLevelItem(std::clamp(currentLine, 0, m_list->topLevelItemCount() - 1)));
}

void Weight::showFigures()
{
    const bool open = userNumber() >= 0;
    m_userNote->setText(open ? QString() : QStringLiteral("ユーザー情報を開いてください。"));
    const QStringList averages{m_month.averageWeightText(), m_month.averageJudgementText(), m_month.averageBmiText(),
                               m_month.averageBodyFatText()};
    for (int i = 0; i < 4; ++i)
        m_averages[i]->setText(averages[i]);
    const std::optional<RangeDifference> differences[4] = {m_month.weightDifference(), std::nullopt,
                                                           m_month.bmiDifferenceOfAverage(), m_month.bodyFatDifference()};
    for (int i = 0; i < 4; ++i) {
        m_differences[i]->setText(differences[i] ? differences[i]->text : QString());
        m_differences[i]->setStyleSheet(differences[i] ? styleOf(differences[i]->side) : QString());
    }
    const bool hasHeight = m_person.heightCm > 0.0;
    m_standardWeight->setText(hasHeight ? m_month.standard().line() : QStringLiteral("適正体重 ----"));
    m_standardBmi->setText(QStringLiteral("標準BMI    ") + kStandardBmiText);
    m_standardFat->setText(QStringLiteral("標準体脂肪 ") + m_month.standardFat().text);
    const GoalMessage weightGoal = weightGoalMessage(m_goal, m_month);
    m_weightGoal->setText(weightGoal.text);
    m_weightGoal->setStyleSheet(weightGoal.reached ? kAboveStyle : QString());
    m_bodyFatGoal->setText(bodyFatGoalMessage(m_goal, m_month).text);

    QList<int> days;
    for (const WeightLine &l : m_month.lines())
        days.append(QString::fromLatin1(l.record.date.mid(6, 2)).toInt());
    m_marks->setMonth(m_month.year(), m_month.month(), days);

    // The chart marks the latest weight of the month, or the one in force at its end.
    BmiChartPoint point{m_person.heightCm, m_person.heightText, std::nullopt};
    if (const WeightLine *latest = m_month.latest()) {
        point.kg = latest->record.kg;
    } else if (open) {
        const QByteArray monthEnd =
            QString::asprintf("%04d%02d%02d", m_month.year(), m_month.month(), quenkit::daysInMonth(m_month.year(), m_month.month()))
                .toLatin1();
        if (const std::optional<WeightRecord> w = WeightOnOrBefore(static_cast<unsigned>(userNumber()), monthEnd))
            point.kg = w->kg;
    }
    m_chart->setPoint(point);
    m_graph->setMonth(m_month, m_goal);
    showStatus();
    emit commandStateChanged();
}

void Weight::showStatus()
{
    m_indicator->setText(lineIndicator());
}

bool Weight::commandEnabled(int id) const
{
    const bool open = userNumber() >= 0;
    switch (id) {
    case cmd::WeightInput:
    case cmd::WeightGoal:
    case cmd::WeightCopyAll: return open;
    case cmd::WeightModify:
    case cmd::WeightDelete: return open && onMeasurement();
    case cmd::PrintWeight: return open && !m_month.isEmpty();
    default: return false;
    }
}

void Weight::runCommand(int id)
{
    switch (id) {
    case cmd::WeightInput: newMeasurement(); break;
    case cmd::WeightModify: modifyMeasurement(); break;
    case cmd::WeightDelete: deleteMeasurement(); break;
    case cmd::WeightGoal: setGoals(); break;
    case cmd::WeightCopyAll: copyAll(); break;
    case cmd::PrintWeight:
        if (commandEnabled(id)) {
            printFromScreen(context().owner, this, weightPrintKind(), m_month.isEmpty(), [this](const ReportOptions &options) {
                return std::make_unique<WeightMonthReport>(*openUserSession().profile(), m_month, m_goal, options);
            });
        }
        break;
    default: break;
    }
}

bool Weight::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Delete: deleteMeasurement(); return true;
        case Qt::Key_F2: onMeasurement() ? modifyMeasurement() : newMeasurement(); return true;
        case Qt::Key_F3: newMeasurement(); return true;
        case Qt::Key_P:
            if (key->modifiers() & Qt::ControlModifier) {
                if (commandEnabled(cmd::PrintWeight))
                    runCommand(cmd::PrintWeight);
                return true;
            }
            break;
        default: break;
        }
    }
    return ScreenWindow::eventFilter(watched, event);
}

bool Weight::storeMeasurement(const MeasurementEntry &entry)
{
    const int user = userNumber();
    QString error;
    if (!SaveWeight(static_cast<unsigned>(user), entry.record, &error)) {
        quenkit::inform(context().owner, kMeasurementCaption, kSaveFailed.arg(error), quenkit::Icon::Warning);
        return false;
    }
    if (WriteMemo(memoFile(), entry.record.date, entry.memo) != 1) {
        quenkit::inform(context().owner, kMeasurementCaption,
                        kSaveFailed.arg(QStringLiteral("%1 のメモ").arg(QString::fromLatin1(entry.record.date))), quenkit::Icon::Warning);
    }
    reload(entry.record.date);
    return true;
}

void Weight::newMeasurement()
{
    const int user = userNumber();
    if (user < 0)
        return;
    MeasurementDialog dialog(context().owner, m_month.year(), m_month.month(), this);
    const QDate today = quenkit::today();
    const bool thisMonth = today.year() == m_month.year() && today.month() == m_month.month();
    // The fields start from the weight in force, so a small change is a few steps of the spin bar.
    const QByteArray from = thisMonth ? today.toString(QStringLiteral("yyyyMMdd")).toLatin1()
                                      : QString::asprintf("%04d%02d31", m_month.year(), m_month.month()).toLatin1();
    const std::optional<WeightRecord> basis = WeightOnOrBefore(static_cast<unsigned>(user), from);
    dialog.setEntry(thisMonth ? today.day() : 0, basis ? basis->kg : 0.0, basis ? basis->bodyFat : 0.0, QString());
    if (dialog.exec() == QDialog::Accepted)
        storeMeasurement(dialog.entry());
}

void Weight::modifyMeasurement()
{
    if (!onMeasurement() || userNumber() < 0)
        return;
    const WeightLine &line = m_month.lines()[currentLine()];
    QByteArray memo;
    ReadMemo(memoFile(), line.record.date, memo);
    MeasurementDialog dialog(context().owner, m_month.year(), m_month.month(), this);
    dialog.setEntry(QString::fromLatin1(line.record.date.mid(6, 2)).toInt(), line.record.kg, line.record.bodyFat,
                    quenkit::fromSjis(memo));
    // Another day would be another measurement: the edited one keeps its date.
    dialog.setDayFixed(true);
    if (dialog.exec() == QDialog::Accepted)
        storeMeasurement(dialog.entry());
}

void Weight::deleteMeasurement()
{
    if (!onMeasurement() || userNumber() < 0) {
        QApplication::beep();
        return;
    }
    const int line = currentLine();
    const QByteArray date = m_month.lines()[line].record.date;
    switch (DeleteWeight(static_cast<unsigned>(userNumber()), date)) {
    case WeightDeletion::LastRecord:
        quenkit::inform(context().owner, kLastWeightCaption, kLastWeightMessage, quenkit::Icon::Warning);
        return;
    case WeightDeletion::Failed:
        quenkit::inform(context().owner, kLastWeightCaption, kDeleteFailed, quenkit::Icon::Warning);
        return;
    case WeightDeletion::Deleted:
    case WeightDeletion::NotFound: break;
    }
    if (FindMemo(memoFile(), date) >= 0)
        WriteMemo(memoFile(), date, {});
    reload();
    setCurrentLine(line);
}

void Weight::setGoals()
{
    const int user = userNumber();
    if (user < 0)
        return;
    WeightGoalDialog dialog(context().owner, m_goal, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (SaveWeightGoal(user, dialog.weightText(), dialog.bodyFatText()) != 1) {
        quenkit::inform(context().owner, kGoalCaption, QStringLiteral("目標を保存できませんでした。"), quenkit::Icon::Warning);
        return;
    }
    m_goal = LoadWeightGoal(user);
    showFigures();
    const WeightGoal chosen = dialog.goal();
    quenkit::inform(context().owner, kGoalCaption, goalSetMessage(chosen.weight, chosen.bodyFat));
}

void Weight::copyAll()
{
    if (userNumber() < 0)
        return;
    WeightSelCopyDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (QClipboard *clipboard = QApplication::clipboard())
        clipboard->setText(weightCopyText(m_month, dialog.blocks()));
}

MonthDayMarks::MonthDayMarks(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DayMarks"));
    setFont(quenkit::createFont(QStringLiteral("ＭＳ ゴシック"), 0, 10));
}

void MonthDayMarks::setMonth(int year, int month, const QList<int> &markedDays)
{
    m_days = year > 0 ? quenkit::daysInMonth(year, month) : 31;
    m_marked = markedDays;
    update();
}

QSize MonthDayMarks::sizeHint() const
{
    return {31 * 14 + 1, 16};
}

int MonthDayMarks::dayAt(const QPoint &pos) const
{
    const int day = pos.x() / 14 + 1;
    return pos.y() >= 0 && pos.y() < height() && pos.x() >= 0 && day <= m_days ? day : 0;
}

void MonthDayMarks::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int day = 1; day <= m_days; ++day) {
        const QRect box((day - 1) * 14, 0, 13, 15);
        const bool marked = m_marked.contains(day);
        painter.fillRect(box, marked ? QColor(40, 90, 200) : QColor(236, 236, 236));
        painter.setPen(marked ? Qt::white : QColor(120, 120, 120));
        painter.drawText(box, Qt::AlignCenter, QString::number(day));
    }
}

void MonthDayMarks::mousePressEvent(QMouseEvent *event)
{
    const int day = dayAt(event->position().toPoint());
    if (day > 0 && m_marked.contains(day))
        emit markedDayClicked(day);
}

}  // namespace dalmain
