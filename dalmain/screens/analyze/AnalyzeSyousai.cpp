#include "dalmain/screens/analyze/AnalyzeSyousai.h"

#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>

namespace dalmain {

AnalyzeSyousai::AnalyzeSyousai(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("detail"));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    viewport()->setFont(font);
    viewport()->setAutoFillBackground(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(palette);
    setFocusPolicy(Qt::StrongFocus);
}

void AnalyzeSyousai::setLines(const QList<DetailLine> &lines)
{
    m_lines = lines;
    updateScrollBars();
    viewport()->update();
}

void AnalyzeSyousai::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.setFont(viewport()->font());
    const QSize size = analysisDetailSize(m_lines, viewport()->font());
    const QRect whole(-horizontalScrollBar()->value(), -verticalScrollBar()->value(), size.width(), size.height());
    paintAnalysisDetail(painter, whole, m_lines);
}

void AnalyzeSyousai::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void AnalyzeSyousai::updateScrollBars()
{
    const QSize size = analysisDetailSize(m_lines, viewport()->font());
    const QSize page = viewport()->size();
    const int line = QFontMetrics(viewport()->font()).lineSpacing();
    verticalScrollBar()->setRange(0, qMax(0, size.height() - page.height()));
    verticalScrollBar()->setPageStep(page.height());
    verticalScrollBar()->setSingleStep(line);
    horizontalScrollBar()->setRange(0, qMax(0, size.width() - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    horizontalScrollBar()->setSingleStep(line);
}

}  // namespace dalmain
