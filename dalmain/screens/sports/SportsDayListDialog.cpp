#include "dalmain/screens/sports/SportsDayListDialog.h"

#include "dalmain/screens/DaySearchRange.h"
#include "dalmain/screens/menu/DialogButtons.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/owner/Owner.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace dalmain {

namespace {

const QString kDeleteCaption = QStringLiteral("運動の削除");
const QString kDeleteQuestion = QStringLiteral("選択された運動を削除します。\nよろしいですか？");

}  // namespace

SportsDayListDialog::SportsDayListDialog(quenkit::Owner *owner, QList<QByteArray> dates, Purpose purpose,
                                         QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_purpose(purpose)
    , m_dates(std::move(dates))
    , m_period(new quenkit::ComboBox2(this))
    , m_list(new QListWidget(this))
{
    std::sort(m_dates.begin(), m_dates.end());
    m_dates.erase(std::unique(m_dates.begin(), m_dates.end()), m_dates.end());
    const bool deleting = purpose == Purpose::Delete;
    setObjectName(deleting ? QStringLiteral("IDD_DELETEDIALOG6") : QStringLiteral("IDD_SPORTS_OPEN"));
    setWindowTitle(deleting ? QStringLiteral("削除") : QStringLiteral("運動を開く"));
    m_period->setObjectName(QStringLiteral("period"));
    m_list->setObjectName(QStringLiteral("days"));
    m_list->setMinimumSize(420, 300);
    m_list->setSelectionMode(deleting ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);

    for (const DaySearchRange &range : daySearchRanges(QStringLiteral(" ＊すべての運動"), m_dates)) {
        m_period->addItem(range.text);
        m_prefixes.append(range.prefix);
    }

    auto *ok = new quenkit::Button2(deleting ? QStringLiteral("削除") : QStringLiteral("開く"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("検索範囲"), this));
    layout->addWidget(m_period);
    layout->addWidget(m_list, 1);
    if (deleting)
        layout->addWidget(new QLabel(QStringLiteral("※飛び石で選択する場合は、CTRLキーを押しながら項目をクリックして下さい。"), this));
    layout->addLayout(helpOkCancelRow(
        this, ok, deleting ? QStringLiteral("guide/sports/sportsdelete") : QStringLiteral("guide/sports/sportsopen")));

    connect(m_period, &QComboBox::currentIndexChanged, this, &SportsDayListDialog::fill);
    connect(ok, &QPushButton::clicked, this, &SportsDayListDialog::accept);
    if (!deleting)
        connect(m_list, &QListWidget::itemDoubleClicked, this, &SportsDayListDialog::accept);
    fill();
    m_list->setFocus();
}

QStringList SportsDayListDialog::periods() const
{
    QStringList texts;
    for (int i = 0; i < m_period->count(); ++i)
        texts.append(m_period->itemText(i));
    return texts;
}

void SportsDayListDialog::choosePeriod(int index)
{
    m_period->setCurrentIndex(index);
}

void SportsDayListDialog::fill()
{
    const QByteArray prefix = m_prefixes.value(std::max(m_period->currentIndex(), 0));
    m_list->clear();
    m_listed.clear();
    for (const QByteArray &date : std::as_const(m_dates)) {
        if (date.startsWith(prefix)) {
            m_listed.append(date);
            m_list->addItem(searchDayText(date));
        }
    }
    if (m_purpose == Purpose::Open && !m_listed.isEmpty())
        m_list->setCurrentRow(static_cast<int>(m_listed.size()) - 1);
}

void SportsDayListDialog::select(const QList<QByteArray> &dates)
{
    m_list->clearSelection();
    for (int i = 0; i < m_listed.size(); ++i) {
        if (dates.contains(m_listed[i])) {
            m_list->item(i)->setSelected(true);
            m_list->setCurrentRow(i, QItemSelectionModel::Select);
        }
    }
}

void SportsDayListDialog::accept()
{
    m_chosen.clear();
    for (int i = 0; i < m_listed.size(); ++i) {
        if (m_list->item(i)->isSelected())
            m_chosen.append(m_listed[i]);
    }
    if (m_chosen.isEmpty())
        return;
    if (m_purpose == Purpose::Delete &&
        quenkit::ask(m_owner, quenkit::Message{kDeleteCaption, kDeleteQuestion, quenkit::Buttons::OkCancel,
                                               quenkit::Icon::Question, quenkit::Answer::Ok}) != quenkit::Answer::Ok)
        return;
    QDialog::accept();
}

}  // namespace dalmain
