#include "dalmain/screens/sports/SpinButtons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace dalmain {

QHBoxLayout *spinRow(QWidget *field, const QString &unit, std::function<void(int)> step, SpinButtons *buttons)
{
    QWidget *parent = field->parentWidget();
    SpinButtons spin{new QToolButton(parent), new QToolButton(parent)};
    const QString name = field->objectName();
    spin.up->setObjectName(name + QStringLiteral("Up"));
    spin.up->setArrowType(Qt::UpArrow);
    spin.down->setObjectName(name + QStringLiteral("Down"));
    spin.down->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {spin.up, spin.down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(18, 12);
    }
    QObject::connect(spin.up, &QToolButton::clicked, field, [step] { step(1); });
    QObject::connect(spin.down, &QToolButton::clicked, field, [step] { step(-1); });
    auto *arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(spin.up);
    arrows->addWidget(spin.down);
    auto *row = new QHBoxLayout;
    row->addWidget(field);
    row->addLayout(arrows);
    row->addWidget(new QLabel(unit, parent));
    row->addStretch();
    if (buttons)
        *buttons = spin;
    return row;
}

}  // namespace dalmain
