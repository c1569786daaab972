#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

class QComboBox;
class QListWidget;

namespace quenkit {
class Owner;
}

namespace dalmain {

// The days of a user's exercise log: "運動を開く" chooses one to open, "削除" (IDD_DELETEDIALOG6)
// chooses several and deletes them after asking. The combo box narrows the list to a year or
// a month of the log (DaySearchRange.h).
class SportsDayListDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Purpose { Open, Delete };

    SportsDayListDialog(quenkit::Owner *owner, QList<QByteArray> dates, Purpose purpose, QWidget *parent = nullptr);

    // The combo box's choices: all, then each year with its months.
    QStringList periods() const;
    void choosePeriod(int index);
    // The dates listed now, and those chosen by OK (in list order).
    QList<QByteArray> listed() const { return m_listed; }
    QList<QByteArray> chosen() const { return m_chosen; }
    void select(const QList<QByteArray> &dates);

    void accept() override;

private:
    void fill();

    quenkit::Owner *m_owner;
    Purpose m_purpose;
    QList<QByteArray> m_dates;
    QList<QByteArray> m_prefixes;  // of the combo's choices: "" all, "YYYY", "YYYYMM"
    QList<QByteArray> m_listed;
    QList<QByteArray> m_chosen;
    QComboBox *m_period;
    QListWidget *m_list;
};

}  // namespace dalmain
