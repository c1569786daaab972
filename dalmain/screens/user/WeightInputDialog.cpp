#include "dalmain/screens/user/WeightInputDialog.h"

#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/NumEdit.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace dalmain {

WeightInputDialog::WeightInputDialog(quenkit::Owner *owner, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_year(new quenkit::NumEdit(4, 0, this))
    , m_month(new quenkit::NumEdit(2, 0, this))
    , m_day(new quenkit::NumEdit(2, 0, this))
    , m_weightEdit(new quenkit::NumEdit(3, 1, this))
{
    setObjectName(QStringLiteral("IDD_WEIGHT_INPUT1"));
    setWindowTitle(kWeightDialogCaption);

    auto *prompt = new QLabel(kWeightDialogPrompt, this);
    prompt->setWordWrap(true);

    auto *date = new QHBoxLayout;
    const QList<QPair<quenkit::NumEdit *, QString>> parts = {
        {m_year, QStringLiteral("年")}, {m_month, QStringLiteral("月")}, {m_day, QStringLiteral("日")}};
    for (const auto &[edit, unit] : parts) {
        edit->setMaximumWidth(edit == m_year ? 60 : 40);
        date->addWidget(edit);
        date->addWidget(new QLabel(unit, this));
    }
    date->addStretch();

    auto *weight = new QHBoxLayout;
    m_weightEdit->setMaximumWidth(60);
    weight->addWidget(m_weightEdit);
    weight->addWidget(new QLabel(QStringLiteral("kg"), this));
    weight->addStretch();

    auto *form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("記録日付"), this), 0, 0);
    form->addLayout(date, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("体重"), this), 1, 0);
    form->addLayout(weight, 1, 1);

    auto *buttons = new QDialogButtonBox(this);
    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    auto *cancel = new quenkit::Button2(QStringLiteral("キャンセル"), this);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &WeightInputDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &WeightInputDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(form);
    layout->addWidget(buttons);

    setEntries(initialWeightEntries());
    m_weightEdit->setFocus();
}

WeightEntries WeightInputDialog::entries() const
{
    return {m_year->text(), m_month->text(), m_day->text(), m_weightEdit->text()};
}

void WeightInputDialog::setEntries(const WeightEntries &entries)
{
    m_year->setFilteredText(entries.year);
    m_month->setFilteredText(entries.month);
    m_day->setFilteredText(entries.day);
    m_weightEdit->setFilteredText(entries.weight);
}

void WeightInputDialog::accept()
{
    switch (CheckWeightEntries(m_owner, entries(), &m_weight)) {
    case WeightField::None: QDialog::accept(); return;
    case WeightField::Year: m_year->setFocus(); return;
    case WeightField::Month: m_month->setFocus(); return;
    case WeightField::Day: m_day->setFocus(); return;
    case WeightField::Weight: m_weightEdit->setFocus(); return;
    }
}

std::optional<FirstWeight> WeightInputDialog::ask(quenkit::Owner *owner, QWidget *parent)
{
    WeightInputDialog dialog(owner, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.weight();
}

}  // namespace dalmain
