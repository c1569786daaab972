#pragma once

#include "dalmain/analysis/AnalysisText.h"

#include <QWidget>

namespace dalmain {

class ChartPane;
class ScrolledChart;

// The 分析グラフ view: the nutrients' bars at the left, scrolled when they do not fit, and the
// radar chart of their sufficiency rates over the PFC triangle at the right.
class AnalyzeSyoyo : public QWidget
{
    Q_OBJECT
public:
    explicit AnalyzeSyoyo(QWidget *parent = nullptr);

    // The report to show (its pointers must stay valid while it is shown) and the judgement
    // column's mode: the symbols, or the sufficiency rate (rateMode).
    void setReport(const AnalysisReport &report, bool rateMode);
    bool rateMode() const { return m_rateMode; }

    ScrolledChart *bars() const { return m_bars; }
    ChartPane *radar() const { return m_radar; }
    ChartPane *pfcChart() const { return m_pfc; }

private:
    AnalysisReport m_report;
    bool m_rateMode = false;
    ScrolledChart *m_bars;
    ChartPane *m_radar;
    ChartPane *m_pfc;
};

}  // namespace dalmain
