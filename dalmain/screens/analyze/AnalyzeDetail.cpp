#include "dalmain/screens/analyze/AnalyzeDetail.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace dalmain {

namespace {

constexpr int kMargin = 8;

// Cells of a character in the aligned text: the bytes it takes in Shift-JIS.
int cellsOf(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F)) ? 1 : 2;
}

int cellsOf(const QString &text)
{
    int cells = 0;
    for (QChar c : text)
        cells += cellsOf(c);
    return cells;
}

QStringList sectionLines(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = t.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

DetailTone toneOfJudgement(const QString &symbol)
{
    if (symbol == QStringLiteral("＊") || symbol == QStringLiteral("△"))
        return DetailTone::Shortage;
    if (symbol == QStringLiteral("▲") || symbol == QStringLiteral("！"))
        return DetailTone::Excess;
    if (symbol == QStringLiteral("●"))
        return DetailTone::Fine;
    return DetailTone::Plain;
}

// The nutrient table: its title, its header, then one row per listed nutrient in NutrientVector
// order, each in the tone of its judgement; what follows (the legend) stays plain.
void addNutrientLines(QList<DetailLine> &out, const AnalysisReport &report, const QStringList &lines)
{
    QList<int> listed;
    for (int n = 0; n < kNutrientCount; ++n) {
        if (report.nutrientRows[static_cast<size_t>(n)])
            listed.append(n);
    }
    for (int i = 0; i < lines.size(); ++i) {
        DetailLine line{lines[i], i < 2 ? DetailTone::Heading : DetailTone::Plain};
        const int row = i - 2;
        if (row >= 0 && row < listed.size() && report.result && report.standard) {
            const QStringList fields = nutrientTableFields(*report.result, *report.standard, listed[row]);
            if (fields.size() > 6)
                line.tone = toneOfJudgement(fields[6]);
        }
        out.append(line);
    }
}

}  // namespace

QList<DetailLine> analysisDetailLines(const AnalysisReport &report, const QString &comment)
{
    QList<DetailLine> out;
    out.append({analysisTitleLine(report.period).trimmed(), DetailTone::Title});
    if (report.result) {
        const QString date = analysisDateLine(report.period, report.result->periodKey).trimmed();
        if (!date.isEmpty())
            out.append({date, DetailTone::Title});
    }
    const QString separator = analysisSeparatorLine().trimmed();
    out.append({separator, DetailTone::Separator});
    for (int s = 0; s < kReportSections; ++s) {
        const auto section = static_cast<ReportSection>(s);
        const QString text = analysisSection(report, section, TextKind::Plain, TextTarget::Copy);
        if (text.isEmpty())
            continue;
        const QStringList lines = sectionLines(text);
        if (section == ReportSection::Nutrients) {
            addNutrientLines(out, report, lines);
        } else {
            // The tables open with a title line of their own; the other sections are figures.
            const bool titled = section == ReportSection::ExchangeTable || section == ReportSection::GroupTable
                || section == ReportSection::History;
            for (int i = 0; i < lines.size(); ++i)
                out.append({lines[i], titled && i < 2 ? DetailTone::Heading : DetailTone::Plain});
        }
        out.append({separator, DetailTone::Separator});
    }
    if (!comment.trimmed().isEmpty()) {
        out.append({QStringLiteral("コメント"), DetailTone::Heading});
        for (const QString &line : sectionLines(comment))
            out.append({line, DetailTone::Plain});
        out.append({separator, DetailTone::Separator});
    }
    return out;
}

QColor detailToneColor(DetailTone tone, bool monochrome)
{
    if (tone == DetailTone::Separator)
        return QColor(0x80, 0x80, 0x80);
    if (monochrome)
        return Qt::black;
    switch (tone) {
    case DetailTone::Title: return QColor(0x00, 0x00, 0x80);
    case DetailTone::Heading: return QColor(0x00, 0x60, 0x30);
    case DetailTone::Shortage: return QColor(0x00, 0x40, 0xE0);
    case DetailTone::Excess: return QColor(0xD0, 0x00, 0x00);
    case DetailTone::Fine: return QColor(0x00, 0x80, 0x00);
    default: return Qt::black;
    }
}

QSize analysisDetailSize(const QList<DetailLine> &lines, const QFont &font)
{
    const QFontMetrics metrics(font);
    int cells = 0;
    for (const DetailLine &l : lines)
        cells = qMax(cells, cellsOf(l.text));
    const int cell = metrics.horizontalAdvance(QLatin1Char('0'));
    return {cells * cell + 2 * kMargin, int(lines.size()) * metrics.lineSpacing() + 2 * kMargin};
}

void paintAnalysisDetail(QPainter &painter, const QRect &rect, const QList<DetailLine> &lines, bool monochrome)
{
    painter.save();
    const QFontMetrics metrics(painter.font());
    const int cell = metrics.horizontalAdvance(QLatin1Char('0'));
    int y = rect.top() + kMargin;
    for (const DetailLine &line : lines) {
        if (y > rect.bottom())
            break;
        painter.setPen(detailToneColor(line.tone, monochrome));
        QFont font = painter.font();
        font.setBold(line.tone == DetailTone::Title || line.tone == DetailTone::Heading);
        painter.setFont(font);
        // Each character in its cells: a proportional or mixed font would otherwise drift the
        // columns the plain text lines up.
        int x = rect.left() + kMargin;
        for (QChar c : line.text) {
            const int w = cellsOf(c) * cell;
            if (!c.isSpace())
                painter.drawText(QRect(x, y, w, metrics.lineSpacing()), Qt::AlignHCenter | Qt::AlignVCenter, QString(c));
            x += w;
        }
        y += metrics.lineSpacing();
    }
    painter.restore();
}

void paintAnalysisDetail(QPainter &painter, const QRect &rect, const AnalysisReport &report, bool monochrome)
{
    paintAnalysisDetail(painter, rect, analysisDetailLines(report), monochrome);
}

}  // namespace dalmain
