#include "dalmain/screens/user/UserSearchDialog.h"

#include "dalmain/screens/user/UserInfoView.h"
#include "quenkit/controls/InputControls.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dalmain {

UserSearchDialog::UserSearchDialog(Purpose purpose, QWidget *parent)
    : QDialog(parent)
    , m_rows(new quenkit::ComboBox2(this))
    , m_text(new quenkit::StrEdit(this))
    , m_list(new QTreeWidget(this))
    , m_choose(new quenkit::Button2(purpose == Purpose::Delete ? QStringLiteral("削除") : QStringLiteral("選択"), this))
{
    const bool deleting = purpose == Purpose::Delete;
    setObjectName(deleting ? QStringLiteral("IDD_DELETEDIALOG") : QStringLiteral("IDD_SEARCHDIALOG"));
    setWindowTitle(deleting ? QStringLiteral("ユーザー情報の削除") : QStringLiteral("ユーザー情報を開く"));
    m_rows->setObjectName(QStringLiteral("rows"));
    m_text->setObjectName(QStringLiteral("text"));
    m_list->setObjectName(QStringLiteral("list"));

    m_rows->addItems(kanaRowNames());
    // No row chosen: the list shows the result of the text search, at first every user.
    m_rows->setPlaceholderText(QStringLiteral("すべての人"));
    m_rows->setCurrentIndex(-1);
    m_list->setHeaderLabels(kUserListColumns.split(QLatin1Char('@')));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(deleting ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    m_list->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_list->setMinimumSize(420, 260);

    auto *searchButton = new quenkit::Button2(QStringLiteral("検索"), this);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(m_rows);
    searchRow->addWidget(m_text, 1);
    searchRow->addWidget(searchButton);

    auto *buttons = new QDialogButtonBox(this);
    auto *cancel = new quenkit::Button2(QStringLiteral("キャンセル"), this);
    m_choose->setDefault(true);
    buttons->addButton(m_choose, QDialogButtonBox::AcceptRole);
    if (!deleting) {
        auto *view = new quenkit::Button2(QStringLiteral("内容表示"), this);
        buttons->addButton(view, QDialogButtonBox::ActionRole);
        connect(view, &QPushButton::clicked, this, [this] {
            const std::optional<UserListEntry> user = selected();
            const std::optional<UserProfile> profile = user ? readUser(user->record) : std::nullopt;
            if (profile)
                UserInfoView(*profile, this).exec();
        });
    }
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("フリガナ、氏名による検索"), this));
    layout->addLayout(searchRow);
    layout->addWidget(m_list);
    if (deleting)
        layout->addWidget(new QLabel(QStringLiteral("※飛び石で選択する場合は、CTRLキーを押しながら項目をクリックして下さい。"), this));
    layout->addWidget(buttons);

    connect(m_rows, &QComboBox::activated, this, &UserSearchDialog::showRow);
    connect(searchButton, &QPushButton::clicked, this, [this] { search(m_text->text()); });
    connect(m_text, &QLineEdit::returnPressed, this, [this] { search(m_text->text()); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &UserSearchDialog::updateButtons);
    if (!deleting)
        connect(m_list, &QTreeWidget::itemDoubleClicked, this, &UserSearchDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &UserSearchDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &UserSearchDialog::reject);

    search(QString());
}

void UserSearchDialog::showRow(int row)
{
    m_rows->setCurrentIndex(row);
    showUsers(usersInKanaRow(row));
}

void UserSearchDialog::search(const QString &text)
{
    m_rows->setCurrentIndex(-1);
    showUsers(searchUsers(text));
}

void UserSearchDialog::showUsers(const QList<UserListEntry> &users)
{
    m_users = users;
    m_list->clear();
    for (const UserListEntry &user : users)
        m_list->addTopLevelItem(new QTreeWidgetItem({user.reading.trimmed(), user.name.trimmed()}));
    if (!users.isEmpty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    updateButtons();
}

void UserSearchDialog::select(int index)
{
    if (QTreeWidgetItem *item = m_list->topLevelItem(index))
        m_list->setCurrentItem(item);
}

void UserSearchDialog::addToSelection(int index)
{
    if (QTreeWidgetItem *item = m_list->topLevelItem(index))
        m_list->setCurrentItem(item, 0, QItemSelectionModel::Select);
}

std::optional<UserListEntry> UserSearchDialog::selected() const
{
    const QList<UserListEntry> users = selectedUsers();
    if (users.isEmpty())
        return std::nullopt;
    return users.first();
}

QList<UserListEntry> UserSearchDialog::selectedUsers() const
{
    // In list order, whatever order they were clicked in.
    QList<UserListEntry> users;
    for (int i = 0; i < m_list->topLevelItemCount() && i < m_users.size(); ++i) {
        if (m_list->topLevelItem(i)->isSelected())
            users.append(m_users[i]);
    }
    return users;
}

void UserSearchDialog::updateButtons()
{
    m_choose->setEnabled(selected().has_value());
}

}  // namespace dalmain
