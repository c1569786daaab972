#include "dalmain/screens/weight/WeightDialogs.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/shell/HelpWindow.h"
#include "dalmain/userdata/MemoFile.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/NumEdit.h"
#include "quenkit/dates/Dates.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace dalmain {

namespace {

const QString kWeightSection = QStringLiteral("Dalmora Weight");
constexpr int kFastAfterRepeats = 50;
constexpr int kRepeatDelay = 400;
constexpr int kRepeatInterval = 50;
const char *const kCopyBoxTexts[4] = {"見出しと測定値", "月間平均", "標準との差", "標準値"};

QString settingName(int block)
{
    return QStringLiteral("SelCopyFlg%1").arg(block + 1);
}

QString tenthsText(double value)
{
    return QString::asprintf("%.1f", value);
}

// The row at the foot of a dialog with a help topic: ヘルプ at the left, OK and キャンセル at the right.
QHBoxLayout *helpOkCancelRow(QDialog *dialog, const QString &topic, QPushButton **okOut)
{
    auto *ok = new quenkit::Button2(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *help = new quenkit::Button2(QStringLiteral("ヘルプ"), dialog);
    help->setObjectName(QStringLiteral("help"));
    QObject::connect(help, &QPushButton::clicked, dialog, [dialog, topic] { showHelp(topic, dialog); });
    QHBoxLayout *row = okCancelRow(dialog, ok);
    row->insertWidget(0, help);
    *okOut = ok;
    return row;
}

}  // namespace

double spunValue(double value, int direction, int repeats, double maximum)
{
    const long tenths = std::lround(value * 10.0) + direction * (repeats > kFastAfterRepeats ? 10 : 1);
    return std::clamp(static_cast<double>(tenths) / 10.0, 0.0, maximum);
}

SpinNumber::SpinNumber(int integerDigits, double maximum, const QString &unit, QWidget *parent)
    : QWidget(parent)
    , m_edit(new quenkit::NumEdit(integerDigits, 1, this))
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
    , m_maximum(maximum)
{
    m_edit->setMaximumWidth(70);
    m_edit->installEventFilter(this);
    setFocusProxy(m_edit);
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    for (QToolButton *b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(18, 12);
        buttons->addWidget(b);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_up->setObjectName(QStringLiteral("spinUp"));
    m_down->setArrowType(Qt::DownArrow);
    m_down->setObjectName(QStringLiteral("spinDown"));
    // A press steps once and starts the hold; the timer repeats the step until the release.
    m_repeat.setInterval(kRepeatInterval);
    connect(&m_repeat, &QTimer::timeout, this, [this] {
        m_repeat.setInterval(kRepeatInterval);
        step(m_direction, true);
    });
    const auto press = [this](int direction) {
        m_direction = direction;
        step(direction, false);
        m_repeat.start(kRepeatDelay);
    };
    connect(m_up, &QToolButton::pressed, this, [press] { press(1); });
    connect(m_down, &QToolButton::pressed, this, [press] { press(-1); });
    connect(m_up, &QToolButton::released, &m_repeat, &QTimer::stop);
    connect(m_down, &QToolButton::released, &m_repeat, &QTimer::stop);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(m_edit);
    row->addLayout(buttons);
    row->addWidget(new QLabel(unit, this));
    row->addStretch();
}

QString SpinNumber::text() const
{
    return m_edit->text();
}

void SpinNumber::setText(const QString &text)
{
    m_edit->setFilteredText(text);
}

double SpinNumber::value() const
{
    return m_edit->text().toDouble();
}

bool SpinNumber::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            step(key->key() == Qt::Key_Up ? 1 : -1, key->isAutoRepeat());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SpinNumber::step(int direction, bool repeated)
{
    m_repeats = repeated ? m_repeats + 1 : 0;
    setText(tenthsText(spunValue(value(), direction, m_repeats, m_maximum)));
}

MeasurementDialog::MeasurementDialog(quenkit::Owner *owner, int year, int month, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_year(year)
    , m_month(month)
    , m_day(new quenkit::NumEdit(2, 0, this))
    , m_weight(new SpinNumber(3, 999.9, QStringLiteral("kg"), this))
    , m_bodyFat(new SpinNumber(2, 50.0, QStringLiteral("%"), this))
    , m_memo(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("IDD_WEIGHT_INPUT"));
    setWindowTitle(kMeasurementCaption);
    m_day->setObjectName(QStringLiteral("day"));
    m_day->setMaximumWidth(40);
    m_weight->edit()->setObjectName(QStringLiteral("weight"));
    m_bodyFat->edit()->setObjectName(QStringLiteral("bodyFat"));
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setTabChangesFocus(true);

    auto *date = new QHBoxLayout;
    date->addWidget(new QLabel(QString::asprintf("%04d年 %02d月", year, month), this));
    date->addWidget(m_day);
    date->addWidget(new QLabel(QStringLiteral("日"), this));
    date->addStretch();

    auto *form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("記録日付"), this), 0, 0);
    form->addLayout(date, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("体重"), this), 1, 0);
    form->addWidget(m_weight, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("体脂肪率"), this), 2, 0);
    form->addWidget(m_bodyFat, 2, 1);
    form->addWidget(new QLabel(QStringLiteral("メモ"), this), 3, 0, Qt::AlignTop);
    form->addWidget(m_memo, 3, 1);

    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &MeasurementDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(okCancelRow(this, ok));
    resize(360, 300);
    m_weight->setFocus();
}

void MeasurementDialog::setEntry(int day, double kg, double bodyFat, const QString &memo)
{
    m_day->setFilteredText(day > 0 ? QString::number(day) : QString());
    m_weight->setText(tenthsText(kg));
    m_bodyFat->setText(tenthsText(bodyFat));
    m_memo->setPlainText(memo);
}

void MeasurementDialog::setDayFixed(bool fixed)
{
    m_day->setReadOnly(fixed);
    m_day->setFocusPolicy(fixed ? Qt::NoFocus : Qt::StrongFocus);
}

void MeasurementDialog::accept()
{
    const int day = m_day->text().toInt();
    if (quenkit::CheckDay(m_year, m_month, day) != 1) {
        quenkit::inform(m_owner, kMeasurementCaption,
                        QString::asprintf("日付は､1日から%d日の間で入力してください。", quenkit::daysInMonth(m_year, m_month)));
        m_day->setFocus();
        return;
    }
    const double kg = m_weight->value();
    const double bodyFat = m_bodyFat->value();
    const WeightCheck check = checkWeightEntry(kg, bodyFat);
    if (!check.ok()) {
        quenkit::inform(m_owner, check.caption, check.message);
        (check.field == WeightCheck::Weight ? m_weight : m_bodyFat)->setFocus();
        return;
    }
    bool encodable = true;
    const QByteArray memo = quenkit::toSjis(m_memo->toPlainText(), &encodable);
    if (!encodable || memo.size() > kMemoMaxText) {
        quenkit::inform(m_owner, kMeasurementCaption, QStringLiteral("メモに保存できない文字があるか、メモが長すぎます。"));
        m_memo->setFocus();
        return;
    }
    m_entry.record = {QString::asprintf("%04d%02d%02d", m_year, m_month, day).toLatin1(), kg, bodyFat};
    m_entry.memo = memo;
    QDialog::accept();
}

WeightGoalDialog::WeightGoalDialog(quenkit::Owner *owner, const WeightGoal &goal, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_weight(new quenkit::NumEdit(3, 1, this))
    , m_bodyFat(new quenkit::NumEdit(2, 1, this))
{
    setObjectName(QStringLiteral("IDD_WEIGHT_GOAL"));
    setWindowTitle(kGoalCaption);
    m_weight->setObjectName(QStringLiteral("goalWeight"));
    m_bodyFat->setObjectName(QStringLiteral("goalBodyFat"));
    m_weight->setFilteredText(goal.weight > 0.0 ? tenthsText(goal.weight) : QString());
    m_bodyFat->setFilteredText(goal.bodyFat > 0.0 ? tenthsText(goal.bodyFat) : QString());
    auto *form = new QGridLayout;
    const QList<std::tuple<QString, quenkit::NumEdit *, QString>> rows = {
        {QStringLiteral("目標体重"), m_weight, QStringLiteral("kg")}, {QStringLiteral("目標体脂肪率"), m_bodyFat, QStringLiteral("%")}};
    int r = 0;
    for (const auto &[caption, edit, unit] : rows) {
        edit->setMaximumWidth(70);
        form->addWidget(new QLabel(caption, this), r, 0);
        form->addWidget(edit, r, 1);
        form->addWidget(new QLabel(unit, this), r, 2);
        ++r;
    }
    form->setColumnStretch(3, 1);
    QPushButton *ok = nullptr;
    QHBoxLayout *buttons = helpOkCancelRow(this, QStringLiteral("guide/weight/target"), &ok);
    connect(ok, &QPushButton::clicked, this, &WeightGoalDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    m_weight->setFocus();
}

QString WeightGoalDialog::weightText() const
{
    return m_weight->text();
}

QString WeightGoalDialog::bodyFatText() const
{
    return m_bodyFat->text();
}

WeightGoal WeightGoalDialog::goal() const
{
    return {weightText().toDouble(), bodyFatText().toDouble()};
}

void WeightGoalDialog::accept()
{
    const WeightGoal g = goal();
    const GoalCheck check = checkGoalEntry(g.weight, g.bodyFat);
    if (!check.ok()) {
        quenkit::inform(m_owner, kGoalCaption, check.message);
        (check.field == GoalCheck::Weight ? m_weight : m_bodyFat)->setFocus();
        return;
    }
    QDialog::accept();
}

WeightCopyBlocks savedWeightCopyBlocks()
{
    WeightCopyBlocks blocks{};
    for (int b = 0; b < 4; ++b)
        blocks[static_cast<size_t>(b)] = quenkit::GetRegistryInt(kWeightSection, settingName(b), 1) != 0;
    return blocks;
}

WeightSelCopyDialog::WeightSelCopyDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("IDD_WEIGHT_SELCOPY"));
    setWindowTitle(QStringLiteral("まとめてコピー"));
    const WeightCopyBlocks saved = savedWeightCopyBlocks();
    auto *layout = new QVBoxLayout(this);
    for (int b = 0; b < 4; ++b) {
        auto *box = new QCheckBox(QString::fromUtf8(kCopyBoxTexts[b]), this);
        box->setObjectName(settingName(b));
        box->setChecked(saved[static_cast<size_t>(b)]);
        m_boxes[static_cast<size_t>(b)] = box;
        layout->addWidget(box);
    }
    QPushButton *ok = nullptr;
    QHBoxLayout *buttons = helpOkCancelRow(this, QStringLiteral("guide/weight/allcopy"), &ok);
    connect(ok, &QPushButton::clicked, this, &WeightSelCopyDialog::accept);
    layout->addLayout(buttons);
}

WeightCopyBlocks WeightSelCopyDialog::blocks() const
{
    WeightCopyBlocks blocks{};
    for (int b = 0; b < 4; ++b)
        blocks[static_cast<size_t>(b)] = m_boxes[static_cast<size_t>(b)]->isChecked();
    return blocks;
}

void WeightSelCopyDialog::accept()
{
    const WeightCopyBlocks chosen = blocks();
    for (int b = 0; b < 4; ++b)
        quenkit::SetRegistryInt(kWeightSection, settingName(b), chosen[static_cast<size_t>(b)] ? 1 : 0);
    if (std::none_of(chosen.begin(), chosen.end(), [](bool on) { return on; })) {
        QDialog::reject();
        return;
    }
    QDialog::accept();
}

}  // namespace dalmain
