#pragma once

#include "dalmain/analysis/AnalysisResult.h"

#include <QWidget>

class QScrollBar;

namespace dalmain {

class ChartPane;

// The 履歴グラフ view: the energy and weight history, as many points as fit, with a scroll
// bar over the entries.
class AnalyzeRireki : public QWidget
{
    Q_OBJECT
public:
    explicit AnalyzeRireki(QWidget *parent = nullptr);

    // The result to show (it must stay valid while it is shown; null shows an empty graph). The
    // graph opens on the entry of the analysed period.
    void setResult(const AnalysisResult *result);

    QScrollBar *scrollBar() const { return m_scroll; }
    ChartPane *graph() const { return m_graph; }
    // How many entries the graph shows at once.
    int entriesVisible() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateScrollBar();

    const AnalysisResult *m_result = nullptr;
    // The entry kept at the right end until the user scrolls: the analysed period's. The graph
    // may get its width only after the result, when the view is first shown.
    int m_anchor = -1;
    ChartPane *m_graph;
    QScrollBar *m_scroll;
};

}  // namespace dalmain
