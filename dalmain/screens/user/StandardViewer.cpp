#include "dalmain/screens/user/StandardViewer.h"

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/master/ReferenceIntakeDisplay.h"
#include "quenkit/controls/InputControls.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dalmain {

namespace {

constexpr int kPerPage = (kNutrientCount + StandardViewer::kPages - 1) / StandardViewer::kPages;

}  // namespace

int StandardViewer::firstNutrient(int page)
{
    return page * kPerPage;
}

int StandardViewer::nutrientsOn(int page)
{
    return qMax(0, qMin(kPerPage, kNutrientCount - firstNutrient(page)));
}

StandardViewer::StandardViewer(const IntakeSubject &subject, const IntakeStandard &standard, QWidget *parent)
    : QDialog(parent)
    , m_standard(standard)
    , m_caption(new QLabel(intakeViewerCaption(subject), this))
    , m_table(new QTableWidget(kPerPage, 3, this))
    , m_previous(new quenkit::Button2(QStringLiteral("前ページ"), this))
    , m_next(new quenkit::Button2(QStringLiteral("次ページ"), this))
{
    setObjectName(QStringLiteral("IDD_VIEW_SYOYO"));
    setWindowTitle(QStringLiteral("食事摂取基準"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("栄養素"), QStringLiteral("下限"), QStringLiteral("上限")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A read-only page: the keys go to the page buttons.
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // A page shows all its rows without scrolling: that is what the page buttons are for.
    const int rowHeight = m_table->fontMetrics().height() + 8;
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setMinimumSize(420, m_table->horizontalHeader()->sizeHint().height() + rowHeight * kPerPage
                                     + 2 * m_table->frameWidth());

    auto *close = new quenkit::Button2(QStringLiteral("閉じる"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_table);
    layout->addLayout(buttons);

    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    showPage(0);
}

void StandardViewer::showPage(int page)
{
    m_page = qBound(0, page, kPages - 1);
    m_table->clearContents();
    const QList<QStringList> rows = pageRows();
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            auto *item = new QTableWidgetItem(rows[r][c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
    }
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page < kPages - 1);
}

QString StandardViewer::caption() const
{
    return m_caption->text();
}

QList<QStringList> StandardViewer::pageRows() const
{
    QList<QStringList> rows;
    for (int i = 0; i < nutrientsOn(m_page); ++i) {
        const int n = firstNutrient(m_page) + i;
        rows.append({nutrientDisplayName(n) + QStringLiteral("(") + nutrientDisplayUnit(n) + QStringLiteral(")"), intakeViewerBound(n, m_standard[n].lower), intakeViewerBound(n, m_standard[n].upper)});
    }
    return rows;
}

}  // namespace dalmain
