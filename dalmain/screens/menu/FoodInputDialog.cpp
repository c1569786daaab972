#include "dalmain/screens/menu/FoodInputDialog.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/screens/menu/FoodSearchDialog.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/NumEdit.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

namespace dalmain {

namespace {

const QString kTitle = QStringLiteral("食品分量の入力");

}  // namespace

FoodInputDialog::FoodInputDialog(quenkit::Owner *owner, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_number(new quenkit::NumEdit(5, 0, this))
    , m_name(new QLabel(this))
    , m_amount(new quenkit::NumEdit(3, 1, this))
{
    setObjectName(QStringLiteral("IDD_MENU_SYOKUHININP"));
    setWindowTitle(kTitle);
    m_number->setObjectName(QStringLiteral("foodNumber"));
    m_number->setFixedWidth(80);
    m_name->setObjectName(QStringLiteral("foodName"));
    m_name->setMinimumWidth(300);
    m_amount->setObjectName(QStringLiteral("amount"));
    m_amount->setFixedWidth(80);
    auto *search = new quenkit::Button2(QStringLiteral("食品の検索..."), this);
    search->setObjectName(QStringLiteral("searchFood"));
    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("食品番号"), this), 0, 0);
    auto *numberRow = new QHBoxLayout;
    numberRow->addWidget(m_number);
    numberRow->addWidget(search);
    numberRow->addStretch();
    grid->addLayout(numberRow, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("食品名"), this), 1, 0);
    grid->addWidget(m_name, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("分量"), this), 2, 0);
    auto *amountRow = new QHBoxLayout;
    amountRow->addWidget(m_amount);
    amountRow->addWidget(new QLabel(QStringLiteral("g（999.9gまで）"), this));
    amountRow->addStretch();
    grid->addLayout(amountRow, 2, 1);
    QHBoxLayout *buttons = okCancelRow(this, ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(search, &QPushButton::clicked, this, &FoodInputDialog::searchFood);
    connect(ok, &QPushButton::clicked, this, &FoodInputDialog::accept);
    connect(m_number, &QLineEdit::textChanged, this, &FoodInputDialog::numberEdited);
    m_number->setFocus();
}

void FoodInputDialog::setEntry(quint32 food, int amountTenths)
{
    m_number->setFilteredText(food ? QString::number(food) : QString());
    m_amount->setFilteredText(amountTenths > 0 ? QString::asprintf("%.1f", amountTenths / 10.0) : QString());
    (food ? static_cast<QWidget *>(m_amount) : m_number)->setFocus();
}

void FoodInputDialog::numberEdited()
{
    FoodRecord record;
    const quint32 number = m_number->text().toUInt();
    m_food = number && ReadFood(nullptr, number, record) ? number : 0;
    m_name->setText(m_food ? quenkit::fromSjis(record.name) : QString());
}

void FoodInputDialog::searchFood()
{
    FoodSearchDialog search(m_owner, QLatin1Char('M'), this);
    if (search.exec() != QDialog::Accepted)
        return;
    m_number->setFilteredText(QString::number(search.chosenFood()));
    m_amount->setFocus();
}

void FoodInputDialog::accept()
{
    if (!m_food) {
        quenkit::inform(m_owner, kTitle, QStringLiteral("食品表にない食品番号です。"));
        m_number->setFocus();
        return;
    }
    const QString amount = m_amount->text().trimmed();
    const long tenths = std::lround(amount.toDouble() * 10.0);
    if (amount.isEmpty() || tenths <= 0 || tenths > 9999) {
        quenkit::inform(m_owner, kTitle, QStringLiteral("分量を0.1gから999.9gの間で入力してください。"));
        m_amount->setFocus();
        return;
    }
    m_amountTenths = static_cast<int>(tenths);
    QDialog::accept();
}

}  // namespace dalmain
