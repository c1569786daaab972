#include "dalmain/screens/sports/SportsInputDialog.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/screens/sports/SpinButtons.h"
#include "dalmain/shell/FieldKeys.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/userdata/ExerciseLogInput.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/NumEdit.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace dalmain {

namespace {

const QString kInputFlg = QStringLiteral("InputFlg");

}  // namespace

SportsInputDialog::SportsInputDialog(quenkit::Owner *owner, const ExerciseItem &item, const EnergyBasis &basis,
                                     QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_item(item)
    , m_basis(basis)
    , m_minutes(new quenkit::NumEdit(4, 0, this))
    , m_energy(new quenkit::NumEdit(3, 1, this))
    , m_memo(new quenkit::StrEdit(this))
    , m_compute(new QRadioButton(QStringLiteral("運動時間から消費エネルギーを計算する"), this))
    , m_direct(new QRadioButton(QStringLiteral("運動消費エネルギーを直接入力する"), this))
{
    setObjectName(QStringLiteral("IDD_SPORTS_INPUT"));
    setWindowTitle(kEntryInputCaption);
    auto *name = new QLineEdit(item.displayName(), this);
    name->setObjectName(QStringLiteral("itemName"));
    name->setReadOnly(true);
    name->setFocusPolicy(Qt::NoFocus);
    name->setMinimumWidth(360);
    m_minutes->setObjectName(QStringLiteral("minutes"));
    m_minutes->setFixedWidth(80);
    m_energy->setObjectName(QStringLiteral("energy"));
    m_energy->setFixedWidth(80);
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setByteLimit(kEntryMemoWidth);
    m_compute->setObjectName(QStringLiteral("compute"));
    m_direct->setObjectName(QStringLiteral("direct"));

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("運動種目"), this), 0, 0);
    grid->addWidget(name, 0, 1, 1, 2);
    grid->addWidget(m_compute, 1, 0, 1, 3, Qt::AlignLeft);
    grid->addWidget(m_direct, 2, 0, 1, 3, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("運動時間"), this), 3, 0);
    grid->addLayout(spinRow(m_minutes, QStringLiteral("分（1440分まで）"), [this](int d) { step(m_minutes, d); }), 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("消費エネルギー"), this), 4, 0);
    SpinButtons energySpin;
    grid->addLayout(spinRow(m_energy, QStringLiteral("kcal（999.9kcalまで）"), [this](int d) { step(m_energy, d * 0.1); },
                            &energySpin),
                    4, 1);
    m_energyUp = energySpin.up;
    m_energyDown = energySpin.down;
    grid->addWidget(new QLabel(QStringLiteral("メモ"), this), 5, 0);
    grid->addWidget(m_memo, 5, 1, 1, 2);

    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setAutoDefault(false);
    QHBoxLayout *buttons = helpOkCancelRow(this, ok, QStringLiteral("guide/sports/input"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    new FieldKeys(this, {m_minutes, m_energy, m_memo}, [this] { accept(); });
    connect(ok, &QPushButton::clicked, this, &SportsInputDialog::accept);
    connect(m_minutes, &QLineEdit::textChanged, this, &SportsInputDialog::minutesEdited);
    connect(m_compute, &QRadioButton::toggled, this, &SportsInputDialog::modeChanged);

    const bool intensity = hasIntensity(item);
    m_compute->setEnabled(intensity);
    setDirect(!intensity || quenkit::GetRegistryInt(settings::kSportsSection, kInputFlg, 1) == 2);
    m_minutes->setFocus();
}

void SportsInputDialog::setEntry(const ExerciseEntry &entry)
{
    setDirect(entry.minutesCode >= kDirectEnergyCode || !hasIntensity(m_item));
    const std::optional<int> minutes = entry.shownMinutes();
    m_minutes->setFilteredText(minutes ? QString::number(*minutes) : QString());
    m_energy->setFilteredText(QString::asprintf("%.1f", entry.energy));
    m_memo->setText(quenkit::fromSjis(entry.memo));
    m_minutes->setFocus();
}

bool SportsInputDialog::isDirect() const
{
    return m_direct->isChecked();
}

void SportsInputDialog::setDirect(bool direct)
{
    (direct ? m_direct : m_compute)->setChecked(true);
    modeChanged();
}

void SportsInputDialog::modeChanged()
{
    const bool direct = isDirect();
    m_energy->setReadOnly(!direct);
    m_energy->setFocusPolicy(direct ? Qt::StrongFocus : Qt::NoFocus);
    m_energyUp->setEnabled(direct);
    m_energyDown->setEnabled(direct);
    if (!direct)
        minutesEdited();
}

void SportsInputDialog::minutesEdited()
{
    if (isDirect())
        return;
    const int minutes = m_minutes->text().toInt();
    m_energy->setFilteredText(QString::asprintf("%.1f", ExerciseEnergy(m_item, minutes, m_basis)));
}

void SportsInputDialog::step(quenkit::NumEdit *field, double by)
{
    const bool tenths = field == m_energy;
    const double limit = tenths ? 999.9 : kMinutesPerDay;
    const double value = std::clamp(field->text().toDouble() + by, 0.0, limit);
    field->setFilteredText(tenths ? QString::asprintf("%.1f", value) : QString::number(std::lround(value)));
}

void SportsInputDialog::accept()
{
    const QByteArray memo = quenkit::toSjis(m_memo->text());
    const QString minutesText = m_minutes->text().trimmed();
    const int minutes = minutesText.toInt();
    if (!isDirect()) {
        const EntryCheck check = checkComputedEntry(minutes);
        if (!check.ok()) {
            if (!check.message.isEmpty())
                quenkit::inform(m_owner, kEntryInputCaption, check.message);
            m_minutes->setFocus();
            return;
        }
        if (m_compute->isEnabled())
            quenkit::SetRegistryString(settings::kSportsSection, kInputFlg, QStringLiteral("1"));
        m_entry = computedEntry(m_item, minutes, m_basis, memo);
        QDialog::accept();
        return;
    }
    const std::optional<int> given = minutesText.isEmpty() ? std::nullopt : std::optional<int>(minutes);
    const double kcal = m_energy->text().toDouble();
    const EntryCheck check = checkDirectEntry(given, kcal);
    if (!check.ok()) {
        if (!check.message.isEmpty())
            quenkit::inform(m_owner, kEntryInputCaption, check.message);
        (check.field == EntryCheck::Minutes ? m_minutes : m_energy)->setFocus();
        return;
    }
    if (m_compute->isEnabled())
        quenkit::SetRegistryString(settings::kSportsSection, kInputFlg, QStringLiteral("2"));
    m_entry = directEntry(m_item, kcal, given, m_basis, memo);
    QDialog::accept();
}

}  // namespace dalmain
