#include "dalmain/screens/sports/BasalInputDialog.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/screens/sports/SpinButtons.h"
#include "dalmain/shell/FieldKeys.h"
#include "dalmain/userdata/ExerciseLogInput.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/NumEdit.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace dalmain {

namespace {

constexpr double kMaxBasal = 9999.9;
constexpr double kSpinMax = 9999.0;

}  // namespace

BasalInputDialog::BasalInputDialog(quenkit::Owner *owner, int user, double computedBasal, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_user(user)
    , m_computed(computedBasal)
    , m_stored(user >= 0 ? LoadBasalChoice(user) : BasalChoice{})
    , m_value(new quenkit::NumEdit(5, 1, this))
    , m_memo(new quenkit::StrEdit(this))
    , m_computedButton(new QRadioButton(QStringLiteral("基礎代謝量の自動計算"), this))
    , m_enteredButton(new QRadioButton(QStringLiteral("前回入力した基礎代謝量"), this))
{
    setObjectName(QStringLiteral("IDD_KISOTAISYA_INPUT"));
    setWindowTitle(kBasalInputCaption);
    m_value->setObjectName(QStringLiteral("value"));
    m_value->setFixedWidth(90);
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setByteLimit(kEntryMemoWidth);
    m_memo->setMinimumWidth(360);
    m_computedButton->setObjectName(QStringLiteral("computed"));
    m_enteredButton->setObjectName(QStringLiteral("entered"));

    auto *grid = new QGridLayout;
    grid->addWidget(m_computedButton, 0, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(m_enteredButton, 1, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("基礎代謝量"), this), 2, 0);
    grid->addLayout(spinRow(m_value, QStringLiteral("kcal"),
                            [this](int d) {
                                const double v = std::clamp(std::floor(m_value->text().toDouble()) + d, 0.0, kSpinMax);
                                m_value->setFilteredText(QString::asprintf("%.1f", v));
                            }),
                    2, 1);
    grid->addWidget(new QLabel(QStringLiteral("メモ"), this), 3, 0);
    grid->addWidget(m_memo, 3, 1);

    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setAutoDefault(false);
    QHBoxLayout *buttons = helpOkCancelRow(this, ok, QStringLiteral("guide/sports/metabolism"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    new FieldKeys(this, {m_value, m_memo}, [this] { accept(); });
    connect(ok, &QPushButton::clicked, this, &BasalInputDialog::accept);
    connect(m_computedButton, &QRadioButton::clicked, this, &BasalInputDialog::showSource);
    connect(m_enteredButton, &QRadioButton::clicked, this, &BasalInputDialog::showSource);
    setSource(m_stored.source);
    m_value->setFocus();
}

void BasalInputDialog::setSource(BasalSource source)
{
    (source == BasalSource::Entered ? m_enteredButton : m_computedButton)->setChecked(true);
    showSource();
}

BasalSource BasalInputDialog::source() const
{
    return m_enteredButton->isChecked() ? BasalSource::Entered : BasalSource::Computed;
}

void BasalInputDialog::showSource()
{
    const double value = source() == BasalSource::Entered ? m_stored.value : m_computed;
    m_value->setFilteredText(QString::asprintf("%.1f", value));
}

void BasalInputDialog::setEntry(const ExerciseEntry &entry)
{
    m_value->setFilteredText(QString::asprintf("%.1f", entry.energy));
    m_memo->setText(quenkit::fromSjis(entry.memo));
}

void BasalInputDialog::accept()
{
    const double value = m_value->text().toDouble();
    // No basal metabolism is no override at all: the field goes back to be filled.
    if (std::lround(value * 10.0) < 10) {
        m_value->setFocus();
        return;
    }
    if (value > kMaxBasal) {
        quenkit::inform(m_owner, kBasalInputCaption, kBasalLimitMessage);
        m_value->setFocus();
        return;
    }
    if (m_user >= 0)
        SaveBasalChoice(m_user, BasalChoice{source(), value});
    m_entry = basalEntry(value, quenkit::toSjis(m_memo->text()));
    QDialog::accept();
}

}  // namespace dalmain
