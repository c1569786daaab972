#include "dalmain/screens/analyze/AnalyzeSelectDialog.h"

#include "dalmain/screens/DaySearchRange.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "quenkit/controls/InputControls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace dalmain {

AnalyzeSelectDialog::AnalyzeSelectDialog(int user, QWidget *parent)
    : QDialog(parent)
    , m_range(new quenkit::ComboBox2(this))
    , m_list(new QListWidget(this))
    , m_analyze(new quenkit::Button2(QStringLiteral("分析"), this))
{
    setObjectName(QStringLiteral("IDD_SEARCHDIALOG3"));
    setWindowTitle(QStringLiteral("献立を選択して分析"));

    // The record number of a day is its place in the file; the list shows the days in date order.
    const QList<QByteArray> dates = dayMenuDates(user);
    for (qsizetype i = 0; i < dates.size(); ++i) {
        if (dates[i].size() == 8)
            m_days.append({dates[i], static_cast<int>(i + 1)});
    }
    std::stable_sort(m_days.begin(), m_days.end(), [](const Day &a, const Day &b) { return a.date < b.date; });
    QList<QByteArray> sorted;
    for (const Day &d : std::as_const(m_days))
        sorted.append(d.date);
    m_range->setObjectName(QStringLiteral("range"));
    for (const DaySearchRange &range : daySearchRanges(QStringLiteral(" ＊すべての献立"), sorted)) {
        m_range->addItem(range.text);
        m_prefixes.append(range.prefix);
    }

    m_list->setObjectName(QStringLiteral("days"));
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->setMinimumSize(420, 300);

    auto *search = new quenkit::Button2(QStringLiteral("検索"), this);
    search->setObjectName(QStringLiteral("search"));
    m_analyze->setObjectName(QStringLiteral("analyze"));
    m_analyze->setEnabled(false);
    auto *cancel = new quenkit::Button2(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);

    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(new QLabel(QStringLiteral("検索範囲"), this));
    rangeRow->addWidget(m_range, 1);
    rangeRow->addWidget(search);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_analyze);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rangeRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(search, &QPushButton::clicked, this, &AnalyzeSelectDialog::search);
    connect(m_analyze, &QPushButton::clicked, this, &AnalyzeSelectDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &AnalyzeSelectDialog::selectionChanged);
    search->setDefault(true);
    m_range->setFocus();
}

QStringList AnalyzeSelectDialog::ranges() const
{
    QStringList texts;
    for (int i = 0; i < m_range->count(); ++i)
        texts.append(m_range->itemText(i));
    return texts;
}

void AnalyzeSelectDialog::search()
{
    const QByteArray prefix = m_prefixes.value(std::max(m_range->currentIndex(), 0));
    m_list->clear();
    m_listed.clear();
    m_listedRecords.clear();
    for (const Day &d : std::as_const(m_days)) {
        if (d.date.startsWith(prefix)) {
            m_listed.append(d.date);
            m_listedRecords.append(d.record);
            m_list->addItem(searchDayText(d.date));
        }
    }
    selectionChanged();
    m_list->setFocus();
}

void AnalyzeSelectDialog::selectionChanged()
{
    m_analyze->setEnabled(!m_list->selectedItems().isEmpty());
}

void AnalyzeSelectDialog::accept()
{
    m_chosen.clear();
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->isSelected())
            m_chosen.append(m_listedRecords[i]);
    }
    if (m_chosen.isEmpty())
        return;
    QDialog::accept();
}

}  // namespace dalmain
