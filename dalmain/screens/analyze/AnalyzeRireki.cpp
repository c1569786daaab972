#include "dalmain/screens/analyze/AnalyzeRireki.h"

#include "dalmain/screens/analyze/AnalysisChartPanes.h"
#include "dalmain/screens/analyze/AnalysisCharts.h"

#include <QEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace dalmain {

namespace {

const AnalysisResult &noResult()
{
    static const AnalysisResult empty;
    return empty;
}

}  // namespace

AnalyzeRireki::AnalyzeRireki(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("AnalyzeRireki"));
    m_graph = new ChartPane(QStringLiteral("graph"), this);
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("entries"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_graph, 1);
    layout->addWidget(m_scroll);
    m_graph->setRoutine([this](QPainter &painter, const QRect &rect) {
        paintHistoryGraph(painter, rect, m_result ? *m_result : noResult(), m_scroll->value(), false);
    });
    m_graph->installEventFilter(this);
    connect(m_scroll, &QScrollBar::valueChanged, m_graph, qOverload<>(&QWidget::update));
    connect(m_scroll, &QScrollBar::actionTriggered, this, [this] { m_anchor = -1; });
}

int AnalyzeRireki::entriesVisible() const
{
    return historyEntriesVisible(m_graph->rect(), QFontMetrics(m_graph->font()));
}

void AnalyzeRireki::setResult(const AnalysisResult *result)
{
    m_result = result;
    // Open on the analysed period: its entry (or the first after it) as far right as it goes.
    m_anchor = 0;
    if (m_result) {
        const QByteArray &key = m_result->periodKey;
        m_anchor = int(m_result->history.size()) - 1;
        for (int i = 0; i < int(m_result->history.size()); ++i) {
            if (!key.isEmpty() && m_result->history[static_cast<size_t>(i)].dateKey.left(key.size()) >= key) {
                m_anchor = i;
                break;
            }
        }
    }
    updateScrollBar();
    m_graph->update();
}

bool AnalyzeRireki::eventFilter(QObject *watched, QEvent *event)
{
    // The graph's width says how many entries fit.
    if (watched == m_graph && event->type() == QEvent::Resize)
        updateScrollBar();
    return QWidget::eventFilter(watched, event);
}

void AnalyzeRireki::updateScrollBar()
{
    const int count = m_result ? int(m_result->history.size()) : 0;
    const int visible = entriesVisible();
    m_scroll->setRange(0, std::max(0, count - visible));
    m_scroll->setPageStep(std::max(1, visible));
    m_scroll->setSingleStep(1);
    if (m_anchor >= 0)
        m_scroll->setValue(m_anchor - visible + 1);
}

}  // namespace dalmain
