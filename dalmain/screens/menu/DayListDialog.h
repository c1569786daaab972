#pragma once

#include <QDate>
#include <QDialog>
#include <QList>

class QListWidget;

namespace quenkit {
class Owner;
}

namespace dalmain {

// The stored days of a user's menu, newest first: "献立を開く" (IDD_SEARCHDIALOG8) chooses one,
// "献立の削除" (IDD_DELETEDIALOG6) chooses several to delete.
class DayListDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Purpose { Open, Delete };

    DayListDialog(quenkit::Owner *owner, int user, Purpose purpose, QWidget *parent = nullptr);

    QList<QDate> listed() const { return m_days; }
    QList<QDate> chosen() const { return m_chosen; }
    void choose(const QList<QDate> &days);
    void accept() override;

private:
    quenkit::Owner *m_owner;
    QListWidget *m_list;
    QList<QDate> m_days;
    QList<QDate> m_chosen;
};

// The day as the lists show it: "2024/05/10(金)".
QString dayListText(const QDate &date);

// Deletes the stored days of user after asking; the number deleted, or -1 for No.
int deleteStoredDays(quenkit::Owner *owner, int user, const QList<QDate> &days);

}  // namespace dalmain
