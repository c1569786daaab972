#pragma once

#include "dalmain/analysis/AnalysisText.h"

#include <QWidget>

namespace dalmain {

class ChartPane;
class ScrolledChart;

// The 食品群別表 view ("AnalyzeGunbetu") or the 食品交換表 view ("AnalyzeKoukan"): the table with
// a bar per group at the left, scrolled when it does not fit, and the groups' radar chart at the
// right.
class AnalyzeGroupView : public QWidget
{
    Q_OBJECT
public:
    AnalyzeGroupView(bool exchange, QWidget *parent = nullptr);

    bool isExchange() const { return m_exchange; }
    // The report to show: its exchange or its group table (none shows an empty table), its
    // result (which must stay valid while it is shown).
    void setReport(const AnalysisReport &report);

    ScrolledChart *table() const { return m_table; }
    ChartPane *radar() const { return m_radar; }

private:
    bool m_exchange;
    AnalysisResult m_noResult;
    const AnalysisResult *m_result = &m_noResult;
    GroupTableText m_text;
    ScrolledChart *m_table;
    ChartPane *m_radar;
};

}  // namespace dalmain
