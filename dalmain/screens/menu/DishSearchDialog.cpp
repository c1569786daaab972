#include "dalmain/screens/menu/DishSearchDialog.h"

#include "dalmain/screens/menu/DishViewDialog.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/NumEdit.h"
#include "quenkit/owner/Owner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace dalmain {

DishSearchDialog::DishSearchDialog(quenkit::Owner *owner, Purpose purpose, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_purpose(purpose)
    , m_text(new QLineEdit(this))
    , m_results(new QListWidget(this))
{
    const bool deleting = purpose == Purpose::Delete;
    setObjectName(deleting ? QStringLiteral("IDD_DELETEDIALOG") : QStringLiteral("IDD_SEARCH_COOK_DIALOG"));
    setWindowTitle(deleting ? QStringLiteral("料理の削除") : QStringLiteral("料理の検索"));
    m_text->setObjectName(QStringLiteral("keyword"));
    m_results->setObjectName(QStringLiteral("results"));
    m_results->setMinimumSize(360, 240);
    m_results->setSelectionMode(deleting ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("料理名、分類、キーワードによる検索"), this));
    layout->addWidget(m_text);
    layout->addWidget(m_results, 1);
    auto *buttons = new QHBoxLayout;
    if (purpose == Purpose::Load) {
        m_scaleEdit = new quenkit::NumEdit(3, 0, this);
        m_scaleEdit->setObjectName(QStringLiteral("scale"));
        m_scaleEdit->setFixedWidth(60);
        m_scaleEdit->setFilteredText(QStringLiteral("100"));
        buttons->addWidget(new QLabel(QStringLiteral("倍率"), this));
        buttons->addWidget(m_scaleEdit);
        buttons->addWidget(new QLabel(QStringLiteral("%"), this));
    }
    auto *show = new quenkit::Button2(QStringLiteral("内容表示"), this);
    show->setObjectName(QStringLiteral("view"));
    auto *ok = new quenkit::Button2(deleting ? QStringLiteral("削除") : QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *cancel = new quenkit::Button2(QStringLiteral("キャンセル"), this);
    buttons->addStretch();
    buttons->addWidget(show);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_text, &QLineEdit::textChanged, this, &DishSearchDialog::search);
    connect(show, &QPushButton::clicked, this, &DishSearchDialog::view);
    connect(ok, &QPushButton::clicked, this, &DishSearchDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_results, &QListWidget::itemDoubleClicked, this, deleting ? &DishSearchDialog::view : &DishSearchDialog::accept);
    search();
    m_text->setFocus();
}

void DishSearchDialog::search()
{
    m_results->clear();
    for (const DishListEntry &d : SearchDishes(m_owner, m_text->text().trimmed())) {
        auto *item = new QListWidgetItem(QStringLiteral("%1　（%2）").arg(d.name, d.category));
        item->setData(Qt::UserRole, d.name);
        m_results->addItem(item);
    }
    if (m_results->count() > 0)
        m_results->setCurrentRow(0);
}

QStringList DishSearchDialog::listedNames() const
{
    QStringList names;
    for (int i = 0; i < m_results->count(); ++i)
        names.append(m_results->item(i)->data(Qt::UserRole).toString());
    return names;
}

void DishSearchDialog::view()
{
    if (QListWidgetItem *item = m_results->currentItem())
        DishViewDialog(item->data(Qt::UserRole).toString(), this).exec();
}

void DishSearchDialog::accept()
{
    m_chosen.clear();
    for (int i = 0; i < m_results->count(); ++i) {
        if (m_results->item(i)->isSelected())
            m_chosen.append(m_results->item(i)->data(Qt::UserRole).toString());
    }
    if (m_chosen.isEmpty()) {
        quenkit::inform(m_owner, windowTitle(), QStringLiteral("料理を選択してください。"));
        return;
    }
    if (m_scaleEdit) {
        m_scale = m_scaleEdit->text().toInt();
        if (m_scale <= 0) {
            quenkit::inform(m_owner, windowTitle(), QStringLiteral("倍率を入力してください。"));
            m_scaleEdit->setFocus();
            return;
        }
    }
    QDialog::accept();
}

}  // namespace dalmain
