#include "dalmain/screens/menu/DayListDialog.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/owner/Owner.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace dalmain {

QString dayListText(const QDate &date)
{
    static const char *const weekdays[] = {"月", "火", "水", "木", "金", "土", "日"};
    return QStringLiteral("%1(%2)").arg(date.toString(QStringLiteral("yyyy/MM/dd")),
                                        QString::fromUtf8(weekdays[date.dayOfWeek() - 1]));
}

DayListDialog::DayListDialog(quenkit::Owner *owner, int user, Purpose purpose, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_list(new QListWidget(this))
{
    const bool deleting = purpose == Purpose::Delete;
    setObjectName(deleting ? QStringLiteral("IDD_DELETEDIALOG6") : QStringLiteral("IDD_SEARCHDIALOG8"));
    setWindowTitle(deleting ? QStringLiteral("献立の削除") : QStringLiteral("献立を開く"));
    for (const QByteArray &key : dayMenuDates(user)) {
        const QDate d = QDate::fromString(QString::fromLatin1(key), QStringLiteral("yyyyMMdd"));
        if (d.isValid())
            m_days.append(d);
    }
    std::sort(m_days.begin(), m_days.end(), std::greater<>());
    m_list->setObjectName(QStringLiteral("days"));
    m_list->setSelectionMode(deleting ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(260, 300);
    for (const QDate &d : std::as_const(m_days))
        m_list->addItem(dayListText(d));
    if (!m_days.isEmpty())
        m_list->setCurrentRow(0);
    auto *ok = new quenkit::Button2(deleting ? QStringLiteral("削除") : QStringLiteral("開く"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QHBoxLayout *buttons = okCancelRow(this, ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &DayListDialog::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &DayListDialog::accept);
}

void DayListDialog::choose(const QList<QDate> &days)
{
    for (int i = 0; i < m_days.size(); ++i)
        m_list->item(i)->setSelected(days.contains(m_days[i]));
}

void DayListDialog::accept()
{
    m_chosen.clear();
    for (int i = 0; i < m_days.size(); ++i) {
        if (m_list->item(i)->isSelected())
            m_chosen.append(m_days[i]);
    }
    if (m_chosen.isEmpty()) {
        quenkit::inform(m_owner, windowTitle(), QStringLiteral("献立を選択してください。"));
        return;
    }
    QDialog::accept();
}

int deleteStoredDays(quenkit::Owner *owner, int user, const QList<QDate> &days)
{
    if (!quenkit::askYesNo(owner, QStringLiteral("削除の確認"), QStringLiteral("選択された献立を削除します。\nよろしいですか？"),
                           quenkit::Icon::Information, quenkit::Answer::No))
        return -1;
    int deleted = 0;
    for (const QDate &d : days) {
        const QByteArray key = d.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        // Found again for each day: the records after a deleted one move up.
        const int record = FindDayMenu(user, key, 1);
        if (record > 0 && DeleteDayMenu(user, record, key) == 1)
            ++deleted;
    }
    return deleted;
}

}  // namespace dalmain
