#include "dalmain/print/PositionChoice.h"

#include "quenkit/registry/SettingsStore.h"

#include <QButtonGroup>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace dalmain {

namespace {

QDoubleSpinBox *offsetBox(double cm, const QString &name, QWidget *parent)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setRange(0.0, PositionChoice::kMaxOffsetCm);
    box->setValue(cm);
    box->setSuffix(QStringLiteral(" cm"));
    return box;
}

}  // namespace

PositionChoice::PositionChoice(const ReportOptions &options, QWidget *parent)
    : QGroupBox(QStringLiteral("印刷位置"), parent)
    , m_modes(new QButtonGroup(this))
    , m_top(offsetBox(options.topCm, QStringLiteral("Top"), this))
    , m_left(offsetBox(options.leftCm, QStringLiteral("Left"), this))
{
    setObjectName(QStringLiteral("position"));
    auto *layout = new QGridLayout(this);
    const QString labels[] = {QStringLiteral("左寄せ"), QStringLiteral("中央"), QStringLiteral("右寄せ"),
                              QStringLiteral("位置を指定")};
    for (int mode = 0; mode < 4; ++mode) {
        auto *button = new QRadioButton(labels[mode], this);
        button->setObjectName(QStringLiteral("Flg1_%1").arg(mode));
        m_modes->addButton(button, mode);
        layout->addWidget(button, mode / 2, mode % 2);
    }
    m_modes->button(static_cast<int>(options.mode))->setChecked(true);
    auto *offsets = new QHBoxLayout;
    offsets->addSpacing(20);
    offsets->addWidget(new QLabel(QStringLiteral("上："), this));
    offsets->addWidget(m_top);
    offsets->addSpacing(8);
    offsets->addWidget(new QLabel(QStringLiteral("左："), this));
    offsets->addWidget(m_left);
    offsets->addStretch();
    layout->addLayout(offsets, 2, 0, 1, 2);
    connect(m_modes, &QButtonGroup::idClicked, this, &PositionChoice::modeChosen);
    modeChosen();
}

PositionMode PositionChoice::mode() const
{
    return static_cast<PositionMode>(m_modes->checkedId());
}

void PositionChoice::modeChosen()
{
    // The offsets mean something only for the given position.
    const bool offset = mode() == PositionMode::Offset;
    m_top->setEnabled(offset);
    m_left->setEnabled(offset);
}

void PositionChoice::store(const QString &section, ReportOptions &options) const
{
    options.mode = mode();
    options.topCm = m_top->value();
    options.leftCm = m_left->value();
    quenkit::SetRegistryInt(section, QStringLiteral("Flg1"), static_cast<int>(options.mode));
    quenkit::SetRegistryString(section, QStringLiteral("Top"), QString::number(options.topCm, 'f', 1));
    quenkit::SetRegistryString(section, QStringLiteral("Left"), QString::number(options.leftCm, 'f', 1));
}

}  // namespace dalmain
