#pragma once

#include "dalmain/print/PrintJob.h"

#include <QByteArrayView>
#include <QList>
#include <QStringList>

#include <functional>

// Pieces the reports share: a table that runs over pages, and the screens' painting routines
// put on the page at a printed size.
namespace dalmain {

struct ReportColumn {
    QString label;
    int cells = 10;                           // the width in grid cells; the last column takes the rest
    Qt::Alignment align = Qt::AlignLeft;
};

// A table with a ruled header row, repeated at the top of every page it runs on. A cell too
// long for its column wraps, and its row grows to hold it. false when the job was cancelled.
class ReportTable
{
public:
    ReportTable(ReportCanvas &canvas, QList<ReportColumn> columns);
    bool begin();
    // A row; bold rows (the averages) are set off by a rule above.
    bool row(const QStringList &cells, bool bold = false);

private:
    void paintRow(const QStringList &cells, bool header, bool bold);
    int rowHeight(const QStringList &cells, bool bold) const;
    QFont font(bool bold) const;
    QList<int> edges() const;

    ReportCanvas &m_canvas;
    QList<ReportColumn> m_columns;
    int m_page = 0;
};

// A screen pixel on the printed page: about a 96th of an inch.
inline constexpr int kPrintedPixelUnits = 26;

// Paints a screen routine into rect (hundredths of a millimetre) with one screen pixel printed
// as pixelUnits; the routine gets its rectangle in screen pixels and the screen's font of
// fontPixels, so that the printed chart is the screen's chart.
void paintScreenRoutine(QPainter &painter, const QRect &rect, int fontPixels,
                        const std::function<void(QPainter &, const QRect &)> &routine, int pixelUnits = kPrintedPixelUnits);

// "2024年05月10日(金)" of a date key YYYYMMDD; the key itself when it is no date.
QString reportDayText(QByteArrayView date);

}  // namespace dalmain
