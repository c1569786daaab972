#pragma once

#include "dalmain/analysis/AnalysisText.h"

#include <QColor>
#include <QList>
#include <QSize>
#include <QString>

class QFont;
class QPainter;
class QRect;

// The 詳細 picture of an analysis: every section of the copied text, in its order, as aligned
// lines, the headings and the judged nutrient rows in colour. The screen paints it scrolled, a
// printed page on paper, through the one routine below.

namespace dalmain {

enum class DetailTone { Plain, Title, Heading, Separator, Shortage, Excess, Fine };

struct DetailLine {
    QString text;
    DetailTone tone = DetailTone::Plain;
};

// The lines of the report: title, date line, then each section the report has (the writer
// leaves out the group and exchange tables without their table and the history of a year),
// each followed by the separator; last the period's comment, when it has one, under its heading.
QList<DetailLine> analysisDetailLines(const AnalysisReport &report, const QString &comment = {});

// The colour of a tone; monochrome gives black for every tone but the separator's grey.
QColor detailToneColor(DetailTone tone, bool monochrome);

// The size the lines take in font, with a margin round them.
QSize analysisDetailSize(const QList<DetailLine> &lines, const QFont &font);

// Paints the lines from the top left of rect, one a row, columns aligned by Shift-JIS width (a
// half-width character one cell, any other two), as the plain text aligns them.
void paintAnalysisDetail(QPainter &painter, const QRect &rect, const QList<DetailLine> &lines,
                         bool monochrome = false);

// The whole report at once.
void paintAnalysisDetail(QPainter &painter, const QRect &rect, const AnalysisReport &report,
                         bool monochrome = false);

}  // namespace dalmain
