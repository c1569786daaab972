#include "dalmain/screens/menu/DishNameDialog.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/userdata/DayMenu.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/owner/Owner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace dalmain {

DishNameDialog::DishNameDialog(quenkit::Owner *owner, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_name(new quenkit::StrEdit(this))
{
    setObjectName(QStringLiteral("IDD_MENU_RYOURINAMEINP"));
    setWindowTitle(QStringLiteral("料理名の入力"));
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setByteLimit(kDishNameWidth);
    m_name->setMinimumWidth(320);
    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("料理名"), this));
    row->addWidget(m_name);
    QHBoxLayout *buttons = okCancelRow(this, ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &DishNameDialog::accept);
}

void DishNameDialog::setName(const QString &name)
{
    m_name->setText(name);
}

QString DishNameDialog::name() const
{
    return m_name->text().trimmed();
}

void DishNameDialog::accept()
{
    if (name().isEmpty()) {
        quenkit::inform(m_owner, windowTitle(), QStringLiteral("料理名を入力してください。"));
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace dalmain
