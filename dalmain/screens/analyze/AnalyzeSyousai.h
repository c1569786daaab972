#pragma once

#include "dalmain/screens/analyze/AnalyzeDetail.h"

#include <QAbstractScrollArea>

namespace dalmain {

// The 詳細 view: the report's lines painted by paintAnalysisDetail, scrolled both ways.
class AnalyzeSyousai : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit AnalyzeSyousai(QWidget *parent = nullptr);

    void setLines(const QList<DetailLine> &lines);
    const QList<DetailLine> &lines() const { return m_lines; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateScrollBars();

    QList<DetailLine> m_lines;
};

}  // namespace dalmain
