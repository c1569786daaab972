#include "dalmain/screens/menu/ConvertDialog.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/NumEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace dalmain {

namespace {

constexpr double kMaxRatio = 99.99;
constexpr int kRepeatMilliseconds = 50;

}  // namespace

double RatioStepper::step(double value, int direction)
{
    ++m_steps;
    const double size = m_steps <= 100 ? 0.1 : m_steps <= 200 ? 1.0 : 10.0;
    // In hundredths, so that a hundred steps of 0.1 land on whole values.
    const double next = std::round((value + direction * size) * 100.0) / 100.0;
    return std::clamp(next, 0.0, kMaxRatio);
}

ConvertDialog::ConvertDialog(QWidget *parent)
    : QDialog(parent)
    , m_ratio(new quenkit::NumEdit(2, 2, this))
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    setObjectName(QStringLiteral("IDD_MENU_CONVERT"));
    setWindowTitle(QStringLiteral("分量変換"));
    m_ratio->setObjectName(QStringLiteral("ratio"));
    m_ratio->setFixedWidth(80);
    m_up->setObjectName(QStringLiteral("spinUp"));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setObjectName(QStringLiteral("spinDown"));
    m_down->setArrowType(Qt::DownArrow);
    setRatioText(QStringLiteral("1.00"));
    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);

    auto *spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(m_up);
    spin->addWidget(m_down);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("分量の倍率："), this));
    row->addWidget(m_ratio);
    row->addLayout(spin);
    row->addStretch();
    QHBoxLayout *buttons = okCancelRow(this, ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    m_repeat.setInterval(kRepeatMilliseconds);
    connect(&m_repeat, &QTimer::timeout, this, &ConvertDialog::stepSpin);
    connect(m_up, &QToolButton::pressed, this, [this] { pressSpin(1); });
    connect(m_down, &QToolButton::pressed, this, [this] { pressSpin(-1); });
    connect(m_up, &QToolButton::released, this, &ConvertDialog::releaseSpin);
    connect(m_down, &QToolButton::released, this, &ConvertDialog::releaseSpin);
    connect(ok, &QPushButton::clicked, this, &ConvertDialog::accept);
    m_ratio->setFocus();
}

void ConvertDialog::setRatioText(const QString &text)
{
    m_ratio->setFilteredText(text);
}

QString ConvertDialog::ratioText() const
{
    return m_ratio->text();
}

void ConvertDialog::pressSpin(int direction)
{
    m_stepper.press();
    m_direction = direction;
    stepSpin();
    m_repeat.start();
}

void ConvertDialog::stepSpin()
{
    const double value = m_stepper.step(m_ratio->text().toDouble(), m_direction);
    setRatioText(QString::asprintf("%5.2f", value).trimmed());
}

void ConvertDialog::releaseSpin()
{
    m_repeat.stop();
    m_stepper.press();
}

void ConvertDialog::accept()
{
    const double ratio = m_ratio->text().toDouble();
    // A ratio of nothing would empty every amount; OK then does nothing.
    if (ratio <= 0.0)
        return;
    m_percent = static_cast<int>(std::floor(ratio * 100.0 + 0.000001));
    QDialog::accept();
}

}  // namespace dalmain
