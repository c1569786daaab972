#pragma once

#include "dalmain/userdata/UserStore.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class QTreeWidget;

namespace dalmain {

// The users by reading and name, narrowed to the readings of one kana row or to a search text.
// To open a user (IDD_SEARCHDIALOG) one is chosen with "選択"; to delete users
// (IDD_DELETEDIALOG) several can be selected and "削除" closes it with them.
class UserSearchDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Purpose { Open, Delete };
    explicit UserSearchDialog(Purpose purpose = Purpose::Open, QWidget *parent = nullptr);

    // Lists the users of kana row (0 ア ... 9 ワ), or those a text finds.
    void showRow(int row);
    void search(const QString &text);

    // The users listed, in list order, and the one selected.
    const QList<UserListEntry> &listed() const { return m_users; }
    void select(int index);
    // Adds a user to the selection (deleting); opening keeps one.
    void addToSelection(int index);
    std::optional<UserListEntry> selected() const;
    QList<UserListEntry> selectedUsers() const;

private:
    void showUsers(const QList<UserListEntry> &users);
    void updateButtons();

    QComboBox *m_rows;
    QLineEdit *m_text;
    QTreeWidget *m_list;
    QPushButton *m_choose;
    QList<UserListEntry> m_users;
};

}  // namespace dalmain
