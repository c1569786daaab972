#include "dalmain/screens/analyze/AnalysisCharts.h"

#include "dalmain/analysis/EnergyBalance.h"
#include "dalmain/analysis/Sufficiency.h"
#include "dalmain/master/NutrientDisplay.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dalmain {

namespace {

constexpr double kFade = 0.2;          // the band's edges fade over 20 % of the bound
constexpr double kShortageMark = 80.0; // the judgement's limits of a slight shortage and excess
constexpr double kExcessMark = 120.0;

QColor rgbOf(quint32 rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QColor toneColour(JudgementTone tone, bool monochrome)
{
    return rgbOf(toneRgb(tone, monochrome));
}

// A finite, non-negative figure: a damaged record must not turn into a NaN coordinate.
double sane(double value)
{
    return std::isfinite(value) && value > 0.0 ? value : 0.0;
}

QFont scaledFont(const QFont &font, double factor)
{
    QFont f = font;
    if (font.pixelSize() > 0)
        f.setPixelSize(std::max(6, int(std::lround(font.pixelSize() * factor))));
    else if (font.pointSizeF() > 0)
        f.setPointSizeF(std::max(5.0, font.pointSizeF() * factor));
    return f;
}

QFont boldFont(const QFont &font)
{
    QFont f = font;
    f.setBold(true);
    return f;
}

// The colours of 朝, 昼, 夕 and 間 in the bars.
QColor mealColour(int meal, bool monochrome)
{
    static const QColor colour[kAnalysisMeals] = {QColor(0x4C, 0xAF, 0x50), QColor(0x29, 0x79, 0xD9),
                                                  QColor(0x8E, 0x5C, 0xC8), QColor(0xA0, 0x78, 0x50)};
    static const QColor grey[kAnalysisMeals] = {QColor(0x30, 0x30, 0x30), QColor(0x60, 0x60, 0x60),
                                                QColor(0x90, 0x90, 0x90), QColor(0xB8, 0xB8, 0xB8)};
    return monochrome ? grey[meal] : colour[meal];
}

const QString kMealNames[kAnalysisMeals] = {QStringLiteral("朝"), QStringLiteral("昼"), QStringLiteral("夕"),
                                            QStringLiteral("間")};

QColor bandColour(bool monochrome)
{
    return monochrome ? QColor(0xC8, 0xC8, 0xC8) : QColor(0xFB, 0xC8, 0x8C);
}

QColor shortageZone(bool monochrome)
{
    return monochrome ? QColor(0xE4, 0xE4, 0xE4) : QColor(0xDC, 0xEC, 0xFF);
}

QColor excessZone(bool monochrome)
{
    return monochrome ? QColor(0xC4, 0xC4, 0xC4) : QColor(0xFF, 0xDE, 0xDE);
}

QColor lineColour(bool monochrome)
{
    return monochrome ? QColor(0x50, 0x50, 0x50) : QColor(0x90, 0x90, 0x90);
}

QColor textColour(bool monochrome)
{
    return monochrome ? rgbOf(0x010101) : QColor(Qt::black);
}

// A judged text drawn strokes times, each one unit right of the last, so that "！" looks bold.
void drawStrokes(QPainter &painter, const QRectF &box, int flags, const QString &text, int strokes)
{
    for (int i = 0; i < std::max(1, strokes); ++i)
        painter.drawText(box.translated(i, 0), flags, text);
}

// The white chart with its frame and caption; what is left below the caption.
QRect paintFrame(QPainter &painter, const QRect &rect, const QString &title, bool monochrome)
{
    painter.fillRect(rect, Qt::white);
    painter.setPen(lineColour(monochrome));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    const QFont base = painter.font();
    painter.setFont(boldFont(base));
    const QFontMetrics metrics(painter.font());
    painter.setPen(textColour(monochrome));
    painter.drawText(QRect(rect.left() + 6, rect.top() + 3, rect.width() - 12, metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setFont(base);
    return rect.adjusted(1, metrics.height() + 5, -1, -1);
}

// A small coloured square followed by its text; returns the x after it.
int paintSwatch(QPainter &painter, int x, int midY, const QColor &fill, const QString &text, const QColor &ink)
{
    const QFontMetrics metrics(painter.font());
    const int side = std::max(6, metrics.ascent() * 2 / 3);
    painter.setPen(QPen(ink, 0));
    painter.setBrush(fill);
    painter.drawRect(QRect(x, midY - side / 2, side, side));
    painter.setBrush(Qt::NoBrush);
    x += side + 3;
    painter.drawText(QPoint(x, midY + (metrics.ascent() - metrics.descent()) / 2), text);
    return x + metrics.horizontalAdvance(text) + metrics.horizontalAdvance(QLatin1Char(' ')) * 2;
}

// The nutrients a chart shows: those with a reference that the user selected.
QList<int> judgedNutrients(const AnalysisReport &report)
{
    QList<int> out;
    if (!report.standard)
        return out;
    const NutrientSets sets = buildNutrientSets(*report.standard, report.nutrientRows);
    for (int n = 0; n < kNutrientCount; ++n) {
        if (sets.shownAndJudged[static_cast<size_t>(n)])
            out.append(n);
    }
    return out;
}

// ---- the nutrient bars ----------------------------------------------------------------------

const QString kBandLegendColour = QStringLiteral(
    "オレンジの範囲内が基準値ですが、上限に近づかないように注意しましょう。グラデーションは基準値の前後20％です。");
const QString kBandLegendMonochrome = QStringLiteral(
    "グレーの範囲内が基準値ですが、上限に近づかないように注意しましょう。グラデーションは基準値の前後20％です。");

struct LegendPiece {
    QString symbol;      // drawn in the tone's colour, strokes times
    JudgementTone tone = JudgementTone::Normal;
    int strokes = 1;
    QString text;
};
using LegendLine = QList<LegendPiece>;

// Cuts text into lines no wider than width; with no width, after each "。".
QStringList wrapText(const QString &text, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    QString line;
    for (QChar c : text) {
        if (width > 0 && !line.isEmpty() && metrics.horizontalAdvance(line + c) > width) {
            lines.append(line);
            line.clear();
        }
        line += c;
        if (width <= 0 && c == QChar(0x3002)) {
            lines.append(line);
            line.clear();
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

int pieceWidth(const LegendPiece &p, const QFontMetrics &metrics)
{
    return metrics.horizontalAdvance(p.symbol) + p.strokes - 1 + metrics.horizontalAdvance(p.text)
         + metrics.horizontalAdvance(QStringLiteral("　"));
}

// The legend under the bars: the band's text, then in judgement mode what each symbol means,
// each meaning kept whole on a line.
QList<LegendLine> barsLegend(const QFontMetrics &metrics, int width, bool monochrome, bool rateMode)
{
    QList<LegendLine> lines;
    for (const QString &l : wrapText(monochrome ? kBandLegendMonochrome : kBandLegendColour, metrics, width))
        lines.append({LegendPiece{QString(), JudgementTone::Normal, 1, l}});
    if (rateMode)
        return lines;
    // The colour output marks a shortage with the excess symbols in blue; the monochrome one has
    // symbols of its own for it.
    const QList<LegendPiece> pieces = {
        {QStringLiteral("●"), JudgementTone::Fine, 1, QStringLiteral("過剰・不足の心配はほとんどないと思います")},
        {QStringLiteral("▲"), JudgementTone::Excess, 1, QStringLiteral("過剰が少し心配")},
        {monochrome ? QStringLiteral("△") : QStringLiteral("▲"), JudgementTone::Shortage, 1,
         QStringLiteral("不足が少し心配")},
        {QStringLiteral("！"), JudgementTone::Excess, monochrome ? 1 : 4, QStringLiteral("過剰が心配")},
        {monochrome ? QStringLiteral("!!") : QStringLiteral("！"), JudgementTone::Shortage, monochrome ? 1 : 4,
         QStringLiteral("不足が心配")},
    };
    lines.append({pieces[0]});
    LegendLine line;
    int used = 0;
    for (int i = 1; i < pieces.size(); ++i) {
        const int w = pieceWidth(pieces[i], metrics);
        if (width > 0 && !line.isEmpty() && used + w > width) {
            lines.append(line);
            line.clear();
            used = 0;
        }
        line.append(pieces[i]);
        used += w;
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

struct BarsLayout {
    int rowHeight = 0;
    int headerHeight = 0;
    int name = 0;      // column widths
    int intake = 0;
    int unit = 0;
    int reference = 0;
    int judgement = 0;
    int axisLabel = 0;
    int gap = 0;
};

struct BarRow {
    int nutrient = 0;
    QString intake;
    QString reference;
    Judgement judgement;      // the cell shown: symbol, or the rate in rate mode
    JudgementTone rowTone = JudgementTone::Normal;
};

QList<BarRow> barRows(const AnalysisReport &report, bool monochrome, bool rateMode)
{
    QList<BarRow> rows;
    if (!report.result || !report.standard)
        return rows;
    const AnalysisResult &r = *report.result;
    for (int n : judgedNutrients(report)) {
        const size_t i = static_cast<size_t>(n);
        const IntakeBound &bound = (*report.standard)[n];
        const double intake = r.dayTotal[i];
        const double rate = r.sufficiencyRate[i];
        BarRow row;
        row.nutrient = n;
        row.intake = formatIntake(n, intake).trimmed();
        row.reference = formatReference(n, bound.lower, bound.upper).trimmed();
        const ShownDifference difference = shownDifference(n, intake, bound.lower, bound.upper, rate);
        const Judgement judged = analysisJudgement(rate, difference.value, monochrome);
        row.rowTone = judged.tone;
        row.judgement = rateMode ? analysisRateCell(rate) : judged;
        row.judgement.symbol = row.judgement.symbol.trimmed();
        rows.append(row);
    }
    return rows;
}

BarsLayout barsLayout(const QList<BarRow> &rows, const QFontMetrics &metrics, bool rateMode)
{
    BarsLayout l;
    l.gap = metrics.horizontalAdvance(QLatin1Char('0'));
    l.rowHeight = metrics.height() + 6;
    l.headerHeight = metrics.height() + 8;
    l.name = metrics.horizontalAdvance(QStringLiteral("栄養素"));
    l.intake = metrics.horizontalAdvance(QStringLiteral("摂取量"));
    l.reference = metrics.horizontalAdvance(QStringLiteral("基準値"));
    l.judgement = metrics.horizontalAdvance(rateMode ? QStringLiteral("充足確率") : QStringLiteral("判定"));
    for (const BarRow &row : rows) {
        l.name = std::max(l.name, metrics.horizontalAdvance(nutrientDisplayName(row.nutrient)));
        l.intake = std::max(l.intake, metrics.horizontalAdvance(row.intake));
        l.unit = std::max(l.unit, metrics.horizontalAdvance(nutrientDisplayUnit(row.nutrient)));
        l.reference = std::max(l.reference, metrics.horizontalAdvance(row.reference));
        l.judgement = std::max(l.judgement, metrics.horizontalAdvance(row.judgement.symbol) + 3);
    }
    l.axisLabel = metrics.horizontalAdvance(QStringLiteral("1000%")) + 4;
    return l;
}

// The band of the reference range behind a bar: solid between the bounds, fading out over 20 %
// of each bound beyond them.
void paintBand(QPainter &painter, const ReferenceBand &band, const QRectF &area, double axis, bool monochrome)
{
    if (!band.valid || axis <= 0.0)
        return;
    const auto xOf = [&](double pct) { return area.left() + pct / axis * area.width(); };
    const QColor solid = bandColour(monochrome);
    QColor clear = solid;
    clear.setAlpha(0);
    const double from = xOf(band.lower);
    const double to = band.hasUpper ? xOf(band.upper) : area.right();
    painter.fillRect(QRectF(QPointF(from, area.top()), QPointF(to, area.bottom())), solid);
    if (band.lowerFade > 0.0) {
        const double start = xOf(band.lower - band.lowerFade);
        QLinearGradient g(QPointF(start, 0), QPointF(from, 0));
        g.setColorAt(0, clear);
        g.setColorAt(1, solid);
        painter.fillRect(QRectF(QPointF(start, area.top()), QPointF(from, area.bottom())), g);
    }
    if (band.hasUpper && band.upperFade > 0.0) {
        const double end = xOf(band.upper + band.upperFade);
        QLinearGradient g(QPointF(to, 0), QPointF(end, 0));
        g.setColorAt(0, solid);
        g.setColorAt(1, clear);
        painter.fillRect(QRectF(QPointF(to, area.top()), QPointF(end, area.bottom())), g);
    }
}

// A bar of rate percent on an axis of axis percent, split into the meals' shares; a bar longer
// than the axis is cut at its end, which a small arrow marks.
void paintMealBar(QPainter &painter, const QRectF &area, double rate, double axis,
                  const std::array<double, kAnalysisMeals> &shares, bool monochrome)
{
    if (rate <= 0.0 || axis <= 0.0)
        return;
    const double shown = std::min(rate, axis);
    const double length = shown / axis * area.width();
    double total = 0.0;
    for (double s : shares)
        total += sane(s);
    painter.setPen(Qt::NoPen);
    double x = area.left();
    if (total <= 0.0) {
        painter.fillRect(QRectF(x, area.top(), length, area.height()), lineColour(monochrome));
    } else {
        for (int m = 0; m < kAnalysisMeals; ++m) {
            const double w = sane(shares[static_cast<size_t>(m)]) / total * length;
            painter.fillRect(QRectF(x, area.top(), w, area.height()), mealColour(m, monochrome));
            x += w;
        }
    }
    painter.setPen(QPen(monochrome ? QColor(Qt::black) : QColor(0x40, 0x40, 0x40), 0));
    painter.drawRect(QRectF(area.left(), area.top(), length, area.height()));
    if (rate > axis) {
        const double tip = area.left() + length;
        const double h = area.height();
        QPolygonF arrow({QPointF(tip - h * 0.6, area.top() - 1), QPointF(tip, area.center().y()),
                         QPointF(tip - h * 0.6, area.bottom() + 1)});
        painter.setBrush(Qt::white);
        painter.drawPolygon(arrow);
        painter.setBrush(Qt::NoBrush);
    }
}

// ---- radar charts ----------------------------------------------------------------------------

struct RadarAxis {
    QString label;
    double rate = 0;   // percent; the point's distance comes from radarChartRadius
};

QPointF polar(const QPointF &centre, double radius, int index, int count)
{
    const double angle = -std::numbers::pi / 2 + 2 * std::numbers::pi * index / std::max(1, count);
    return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
}

// A ring of the web: a polygon through the axes, or a circle with fewer than three axes.
QPainterPath ringPath(const QPointF &centre, double radius, int count)
{
    QPainterPath path;
    if (count < 3) {
        path.addEllipse(centre, radius, radius);
        return path;
    }
    path.moveTo(polar(centre, radius, 0, count));
    for (int i = 1; i < count; ++i)
        path.lineTo(polar(centre, radius, i, count));
    path.closeSubpath();
    return path;
}

// The legend of the radar's zones along the bottom of area; the area left above it.
QRect paintZoneLegend(QPainter &painter, const QRect &area, bool monochrome)
{
    const QFontMetrics metrics(painter.font());
    const int midY = area.bottom() - metrics.height() / 2 - 2;
    int x = area.left() + 6;
    x = paintSwatch(painter, x, midY, shortageZone(monochrome), QStringLiteral("不足が心配"), textColour(monochrome));
    paintSwatch(painter, x, midY, excessZone(monochrome), QStringLiteral("過剰が心配"), textColour(monochrome));
    return area.adjusted(0, 0, 0, -(metrics.height() + 4));
}

void paintRadar(QPainter &painter, const QRect &rect, const QString &title, const QList<RadarAxis> &axes, bool monochrome)
{
    painter.save();
    // Nothing of the chart spills over rect, whatever the figures.
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFont base = painter.font();
    QRect body = paintFrame(painter, rect, title, monochrome);
    body = paintZoneLegend(painter, body, monochrome);
    painter.setFont(scaledFont(base, 0.85));
    const QFontMetrics metrics(painter.font());
    int labelWidth = 0;
    for (const RadarAxis &a : axes)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(a.label));
    const int marginX = std::min(labelWidth + 6, body.width() / 4);
    const int marginY = metrics.height() + 4;
    const double radius = std::min((body.width() - 2 * marginX) / 2.0, (body.height() - 2 * marginY) / 2.0);
    if (radius < 12.0) {
        painter.restore();
        return;
    }
    const QPointF centre = QRectF(body).center();
    // 150 % on the outer ring: the scale's half size is the ring's radius over 1.1.
    const double half = radius / 1.1;
    const int count = int(axes.size());
    const auto ring = [&](double pct) { return ringPath(centre, radarChartRadius(pct, half), count); };

    painter.save();
    painter.setClipRect(body, Qt::IntersectClip);
    QPainterPath outside = ring(150.0);
    outside.addPath(ring(kExcessMark));
    outside.setFillRule(Qt::OddEvenFill);
    painter.fillPath(outside, excessZone(monochrome));
    painter.fillPath(ring(kShortageMark), shortageZone(monochrome));
    painter.setBrush(Qt::NoBrush);
    for (double pct : {50.0, 150.0}) {
        painter.setPen(QPen(lineColour(monochrome), 0, Qt::DotLine));
        painter.drawPath(ring(pct));
    }
    painter.setPen(QPen(monochrome ? QColor(Qt::black) : rgbOf(toneRgb(JudgementTone::Fine, false)), 1.5));
    painter.drawPath(ring(100.0));
    painter.setPen(QPen(lineColour(monochrome), 0));
    for (int i = 0; i < count; ++i)
        painter.drawLine(centre, polar(centre, radius, i, count));
    painter.setPen(textColour(monochrome));
    for (double pct : {50.0, 100.0, 150.0}) {
        const QPointF at = centre + QPointF(3, -radarChartRadius(pct, half));
        painter.drawText(QRectF(at.x(), at.y(), metrics.horizontalAdvance(QStringLiteral("150")) + 2, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, QString::number(int(pct)));
    }

    // The rates: a polygon through every axis, each point in the colour of its side.
    if (count > 0) {
        QPolygonF shape;
        for (int i = 0; i < count; ++i)
            shape.append(polar(centre, radarChartRadius(axes[i].rate, half), i, count));
        QColor fill = monochrome ? QColor(0x60, 0x60, 0x60) : QColor(0x2E, 0x7D, 0x32);
        const QColor edge = fill;
        fill.setAlpha(60);
        painter.setPen(QPen(edge, 1.5));
        painter.setBrush(count >= 3 ? QBrush(fill) : QBrush(Qt::NoBrush));
        if (count >= 3)
            painter.drawPolygon(shape);
        else if (count == 2)
            painter.drawPolyline(shape);
        for (int i = 0; i < count; ++i) {
            const double rate = axes[i].rate;
            const JudgementTone tone = rate < 100.0 ? JudgementTone::Shortage
                                     : rate > 100.0 ? JudgementTone::Excess
                                                    : JudgementTone::Fine;
            const QColor dot = monochrome ? QColor(Qt::black) : toneColour(tone, false);
            painter.setPen(QPen(dot, 0));
            painter.setBrush(dot);
            painter.drawEllipse(shape[i], 2.5, 2.5);
        }
        painter.setBrush(Qt::NoBrush);
    }
    painter.restore();

    painter.setPen(textColour(monochrome));
    for (int i = 0; i < count; ++i) {
        const QPointF tip = polar(centre, radius + 3, i, count);
        const double angle = -std::numbers::pi / 2 + 2 * std::numbers::pi * i / count;
        const double c = std::cos(angle);
        const double s = std::sin(angle);
        const int w = metrics.horizontalAdvance(axes[i].label) + 2;
        const int h = metrics.height();
        double x = c > 0.2 ? tip.x() : c < -0.2 ? tip.x() - w : tip.x() - w / 2.0;
        double y = s > 0.2 ? tip.y() : s < -0.2 ? tip.y() - h : tip.y() - h / 2.0;
        // Keep the label inside the chart even where the web reaches the frame.
        x = std::clamp(x, double(body.left() + 1), double(body.right() - w));
        y = std::clamp(y, double(body.top()), double(body.bottom() - h));
        painter.drawText(QRectF(x, y, w, h), Qt::AlignCenter, axes[i].label);
    }
    painter.restore();
}

// ---- history graph -----------------------------------------------------------------------

struct HistoryLayout {
    QRect title;
    QRect plot;
    int step = 1;       // pixels from one point to the next
    int leftLabels = 0;
    int rightLabels = 0;
};

HistoryLayout historyLayout(const QRect &rect, const QFontMetrics &metrics)
{
    HistoryLayout l;
    const int titleHeight = metrics.height() + 8;
    l.title = QRect(rect.left(), rect.top(), rect.width(), titleHeight);
    l.leftLabels = metrics.horizontalAdvance(QStringLiteral("00000")) + 8;
    l.rightLabels = metrics.horizontalAdvance(QStringLiteral("000.0")) + 8;
    const int unitLine = metrics.height() + 2;  // "kcal" and "kg" above the scales
    const int bottom = 2 * metrics.height() + 6; // the dates and the year
    l.plot = QRect(rect.left() + l.leftLabels, rect.top() + titleHeight + unitLine,
                   rect.width() - l.leftLabels - l.rightLabels, rect.height() - titleHeight - unitLine - bottom);
    l.step = metrics.horizontalAdvance(QStringLiteral("00/00")) + 10;
    return l;
}

// A tick step of 1, 2 or 5 times a power of ten giving at most six intervals over span.
double niceStep(double span)
{
    if (!(span > 0.0))
        return 1.0;
    const double raw = span / 6.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw)
            return m * power;
    }
    return 10.0 * power;
}

QString historyDateLabel(const QByteArray &key)
{
    if (key.size() >= 8)
        return QStringLiteral("%1/%2").arg(QString::fromLatin1(key.mid(4, 2)), QString::fromLatin1(key.mid(6, 2)));
    if (key.size() >= 6)
        return QStringLiteral("%1月").arg(QString::fromLatin1(key.mid(4, 2)).toInt());
    return QString::fromLatin1(key);
}

enum class Marker { Square, Circle, Triangle };

void drawMarker(QPainter &painter, const QPointF &p, Marker marker, double size)
{
    switch (marker) {
    case Marker::Square: painter.drawRect(QRectF(p.x() - size, p.y() - size, 2 * size, 2 * size)); break;
    case Marker::Circle: painter.drawEllipse(p, size, size); break;
    case Marker::Triangle:
        painter.drawPolygon(QPolygonF({QPointF(p.x(), p.y() - size * 1.2), QPointF(p.x() + size * 1.1, p.y() + size * 0.8),
                                       QPointF(p.x() - size * 1.1, p.y() + size * 0.8)}));
        break;
    }
}

struct Series {
    QString name;
    QColor colour;
    Qt::PenStyle style;
    Marker marker;
};

// ---- group tables ------------------------------------------------------------------------

struct GroupLayout {
    int titleHeight = 0;
    int headerHeight = 0;
    int rowHeight = 0;
    QList<int> widths;   // the nine columns
    int gap = 0;
};

QStringList groupHeadings(bool exchange)
{
    return {QStringLiteral("群  名"), QStringLiteral("  朝  "), QStringLiteral("  昼  "), QStringLiteral("  夕  "),
            QStringLiteral("  間  "), QStringLiteral(" 合計 "), exchange ? QStringLiteral("適正単") : QStringLiteral("適正摂"),
            QStringLiteral("  差  "), QStringLiteral("充足(%)")};
}

QStringList groupTitles(const GroupTableText &table, bool exchange)
{
    QStringList titles{(exchange ? QStringLiteral("交 換 表 [%1]") : QStringLiteral("群 別 表 [%1]")).arg(table.tableName)};
    // Without a proper set there is nothing to compare with, and no set to name.
    if (table.proper)
        titles.append((exchange ? QStringLiteral("適正単位 [%1]") : QStringLiteral("適正摂取 [%1]")).arg(table.setName));
    return titles;
}

const GroupRows &groupRowsOf(const AnalysisResult &result, bool exchange)
{
    return exchange ? result.exchangeUnits : result.groupAmounts;
}

int groupCount(const GroupTableText &table)
{
    return std::min(int(table.names.size()), kAnalysisGroups);
}

GroupLayout groupLayout(const GroupTableText &table, const GroupRows *rows, const QFontMetrics &metrics, bool exchange)
{
    GroupLayout l;
    l.gap = metrics.horizontalAdvance(QLatin1Char('0'));
    l.titleHeight = metrics.height() + 2;
    l.headerHeight = metrics.height() + 6;
    l.rowHeight = metrics.height() + 6;
    const QStringList headings = groupHeadings(exchange);
    for (const QString &h : headings)
        l.widths.append(metrics.horizontalAdvance(h.trimmed()));
    // Wide enough for any figure the table can hold, whatever this run's figures are.
    const QString widest = QStringLiteral("-0000.0");
    for (int c = 1; c < l.widths.size(); ++c)
        l.widths[c] = std::max(l.widths[c], metrics.horizontalAdvance(widest));
    for (int g = 0; g < groupCount(table); ++g) {
        l.widths[0] = std::max(l.widths[0], metrics.horizontalAdvance(table.names[g]));
        if (rows) {
            const double *proper = table.proper ? &(*table.proper)[static_cast<size_t>(g)] : nullptr;
            const QStringList fields = groupRowFields(*rows, g, table.names[g], proper);
            for (int c = 1; c < fields.size() && c < l.widths.size(); ++c)
                l.widths[c] = std::max(l.widths[c], metrics.horizontalAdvance(fields[c]));
        }
    }
    return l;
}

double groupRate(const GroupRows &rows, const GroupTableText &table, int g)
{
    if (!table.proper)
        return 0.0;
    const double p = (*table.proper)[static_cast<size_t>(g)];
    if (!(p > 0.0))
        return 0.0;
    return sane(rows[kAnalysisMeals][static_cast<size_t>(g)] / p * 100.0);
}

}  // namespace

// ---- geometry ------------------------------------------------------------------------------

double nutrientBarAxis(double targetRate)
{
    const double t = sane(targetRate);
    if (t < 150.0)
        return 150.0;
    return std::floor((t + 50.0) / 100.0) * 100.0;
}

ReferenceBand referenceBand(double lower, double upper)
{
    ReferenceBand band;
    const double l = sane(lower);
    const double u = sane(upper);
    // The middle the target rate is measured against (see targetRate).
    double middle = 0.0;
    if (l > 0.0 && u > 0.0)
        middle = l == u ? l : (u - l) * 0.5 + l;
    else if (l > 0.0)
        middle = l;
    else if (u > 0.0)
        middle = u;
    if (middle <= 0.0)
        return band;
    band.valid = true;
    band.lower = l / middle * 100.0;
    band.hasUpper = u > 0.0;
    band.upper = band.hasUpper ? u / middle * 100.0 : 0.0;
    band.lowerFade = band.lower * kFade;
    band.upperFade = band.upper * kFade;
    return band;
}

// ---- 分析グラフ ------------------------------------------------------------------------------

int nutrientBarsHeight(const AnalysisReport &report, const QFontMetrics &metrics, int width)
{
    // Colour or monochrome and the mode change the rows' texts, not their number; the legend is
    // measured at its longest, the judgement mode's.
    const QList<BarRow> rows = barRows(report, false, false);
    const BarsLayout l = barsLayout(rows, metrics, false);
    const int legendLines = int(barsLegend(metrics, width, false, false).size());
    return l.headerHeight + int(rows.size()) * l.rowHeight + 8 + legendLines * metrics.lineSpacing() + 6;
}

void paintNutrientBars(QPainter &painter, const QRect &rect, const AnalysisReport &report, bool monochrome, bool rateMode)
{
    painter.save();
    // Nothing of the chart spills over rect, whatever the figures.
    painter.setClipRect(rect, Qt::IntersectClip);
    const QFontMetrics metrics(painter.font());
    const QList<BarRow> rows = barRows(report, monochrome, rateMode);
    const BarsLayout l = barsLayout(rows, metrics, rateMode);
    const QColor ink = textColour(monochrome);

    const int xName = rect.left() + 4;
    const int xIntake = xName + l.name + l.gap;
    const int xUnit = xIntake + l.intake + l.gap / 2;
    const int xReference = xUnit + l.unit + l.gap;
    const int xJudgement = xReference + l.reference + l.gap;
    const int xBar = xJudgement + l.judgement + l.gap;
    const int barRight = rect.right() - l.axisLabel;
    const int barWidth = barRight - xBar;

    // The header: the columns' names and the meals' colours over the bars.
    int y = rect.top();
    const int headerMid = y + l.headerHeight / 2;
    const int baseline = headerMid + (metrics.ascent() - metrics.descent()) / 2;
    painter.setPen(ink);
    painter.drawText(QPoint(xName, baseline), QStringLiteral("栄養素"));
    painter.drawText(QRect(xIntake, y, l.intake + l.gap / 2 + l.unit, l.headerHeight), Qt::AlignCenter,
                     QStringLiteral("摂取量"));
    painter.drawText(QRect(xReference, y, l.reference, l.headerHeight), Qt::AlignCenter, QStringLiteral("基準値"));
    painter.drawText(QRect(xJudgement, y, l.judgement + l.gap, l.headerHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     rateMode ? QStringLiteral("充足確率") : QStringLiteral("判定"));
    if (barWidth > 20) {
        int x = xBar;
        for (int m = 0; m < kAnalysisMeals; ++m)
            x = paintSwatch(painter, x, headerMid, mealColour(m, monochrome), kMealNames[m], ink);
    }
    y += l.headerHeight;
    painter.setPen(QPen(lineColour(monochrome), 0));
    painter.drawLine(rect.left(), y - 1, rect.right(), y - 1);

    const QFont small = scaledFont(painter.font(), 0.8);
    for (const BarRow &row : rows) {
        const size_t n = static_cast<size_t>(row.nutrient);
        const QRect line(rect.left(), y, rect.width(), l.rowHeight);
        if (line.top() > rect.bottom())
            break;
        const QColor rowInk = monochrome ? ink : toneColour(row.rowTone, false);
        painter.setPen(rowInk);
        painter.drawText(QRect(xName, y, l.name, l.rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         nutrientDisplayName(row.nutrient));
        painter.drawText(QRect(xIntake, y, l.intake, l.rowHeight), Qt::AlignRight | Qt::AlignVCenter, row.intake);
        painter.drawText(QRect(xUnit, y, l.unit, l.rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         nutrientDisplayUnit(row.nutrient));
        painter.drawText(QRect(xReference, y, l.reference, l.rowHeight), Qt::AlignRight | Qt::AlignVCenter, row.reference);
        // The rate of 100 in rate mode takes the default colour, not the row's.
        painter.setPen(toneColour(row.judgement.tone, monochrome));
        drawStrokes(painter, QRectF(xJudgement, y, l.judgement, l.rowHeight),
                    (rateMode ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter, row.judgement.symbol,
                    row.judgement.strokes);

        if (barWidth > 20) {
            const double target = sane(report.result->targetRate[n]);
            const double axis = nutrientBarAxis(target);
            const QRectF area(xBar, y + 2, barWidth, l.rowHeight - 4);
            const IntakeBound &bound = (*report.standard)[row.nutrient];
            painter.save();
            painter.setClipRect(area.adjusted(0, -1, 1, 1), Qt::IntersectClip);
            paintBand(painter, referenceBand(bound.lower, bound.upper), area, axis, monochrome);
            // Where the target lies, so that bars of rows with different axes can be compared.
            const double x100 = area.left() + 100.0 / axis * area.width();
            painter.setPen(QPen(lineColour(monochrome), 0, Qt::DashLine));
            painter.drawLine(QPointF(x100, area.top()), QPointF(x100, area.bottom()));
            std::array<double, kAnalysisMeals> shares{};
            for (int m = 0; m < kAnalysisMeals; ++m)
                shares[static_cast<size_t>(m)] = report.result->mealShares[static_cast<size_t>(m)][n];
            paintMealBar(painter, area.adjusted(0, area.height() * 0.2, 0, -area.height() * 0.2), target, axis, shares,
                         monochrome);
            painter.restore();
            painter.setPen(QPen(lineColour(monochrome), 0));
            painter.drawLine(QPointF(area.left(), area.top()), QPointF(area.left(), area.bottom()));
            painter.drawLine(QPointF(area.right(), area.top()), QPointF(area.right(), area.bottom()));
            const QFont font = painter.font();
            painter.setFont(small);
            painter.setPen(ink);
            painter.drawText(QRectF(area.right() + 3, y, l.axisLabel - 3, l.rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("%1%").arg(int(axis)));
            painter.setFont(font);
        }
        y += l.rowHeight;
        painter.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 0));
        painter.drawLine(rect.left(), y - 1, rect.right(), y - 1);
    }

    // The legend.
    y += 8;
    const QList<LegendLine> legend = barsLegend(metrics, rect.width() - 8, monochrome, rateMode);
    for (const LegendLine &line : legend) {
        int x = xName;
        const int base = y + metrics.ascent();
        for (const LegendPiece &p : line) {
            if (!p.symbol.isEmpty()) {
                painter.setPen(toneColour(p.tone, monochrome));
                for (int s = 0; s < p.strokes; ++s)
                    painter.drawText(QPoint(x + s, base), p.symbol);
                x += metrics.horizontalAdvance(p.symbol) + p.strokes - 1;
            }
            painter.setPen(ink);
            painter.drawText(QPoint(x, base), p.text);
            x += metrics.horizontalAdvance(p.text) + metrics.horizontalAdvance(QStringLiteral("　"));
        }
        y += metrics.lineSpacing();
    }
    painter.restore();
}

// ---- radar and PFC ---------------------------------------------------------------------------

void paintSufficiencyRadar(QPainter &painter, const QRect &rect, const AnalysisReport &report, bool monochrome)
{
    QList<RadarAxis> axes;
    if (report.result) {
        for (int n : judgedNutrients(report))
            axes.append({nutrientDisplayName(n), sane(report.result->sufficiencyRate[static_cast<size_t>(n)])});
    }
    paintRadar(painter, rect, QStringLiteral("栄養バランス"), axes, monochrome);
}

void paintPfcChart(QPainter &painter, const QRect &rect, const PfcBalance &pfc, const PfcTargets &targets, bool monochrome)
{
    painter.save();
    // Nothing of the chart spills over rect, whatever the figures.
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFont base = painter.font();
    QRect body = paintFrame(painter, rect, QStringLiteral("PFCﾊﾞﾗﾝｽ"), monochrome);

    // The targets along the bottom, in a smaller face.
    painter.setFont(scaledFont(base, 0.85));
    const QFontMetrics small(painter.font());
    painter.setPen(textColour(monochrome));
    const QRect targetLine(body.left() + 4, body.bottom() - small.height() - 2, body.width() - 8, small.height());
    painter.drawText(targetLine, Qt::AlignCenter, pfcTargetText(targets));
    body.setBottom(targetLine.top() - 2);

    painter.setFont(base);
    const QFontMetrics metrics(painter.font());
    const int labelHeight = metrics.height() + 2;
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("Ｃ 100.0%")) + 4;
    // The triangle's corners sit lower than its centre is high, so it is centred by its height.
    // The outer triangle is sqrt(3) x its radius wide and 1.5 x its radius tall; the letters sit
    // above its top corner and below the other two.
    const double radius = std::min((body.width() - 1.0 * labelWidth) / std::numbers::sqrt3,
                                   (body.height() - 2.0 * labelHeight) / 1.5);
    if (radius < 12.0) {
        painter.restore();
        return;
    }
    const QPointF centre(QRectF(body).center().x(), body.top() + labelHeight + radius);
    // 150 on the outer triangle: the target triangle (100) lies at 1.1 x half.
    const double half = radius / (1.5 * 1.1);
    const auto corner = [&](double value, int axis) { return polar(centre, pfcChartRadius(value, half), axis, 3); };
    const auto triangle = [&](double value) { return QPolygonF({corner(value, 0), corner(value, 1), corner(value, 2)}); };

    painter.save();
    painter.setClipRect(body, Qt::IntersectClip);
    painter.setPen(Qt::NoPen);
    QColor inside = bandColour(monochrome);
    painter.setBrush(inside);
    painter.drawPolygon(triangle(100.0));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(lineColour(monochrome), 0, Qt::DotLine));
    painter.drawPolygon(triangle(50.0));
    painter.drawPolygon(triangle(150.0));
    painter.setPen(QPen(monochrome ? QColor(Qt::black) : rgbOf(toneRgb(JudgementTone::Fine, false)), 1.5));
    painter.drawPolygon(triangle(100.0));
    painter.setPen(QPen(lineColour(monochrome), 0));
    for (int a = 0; a < 3; ++a)
        painter.drawLine(centre, corner(150.0, a));

    if (pfc.valid) {
        QPolygonF shape;
        QList<int> present;
        for (int a = 0; a < 3; ++a) {
            if (pfc.hasPoint[static_cast<size_t>(a)]) {
                shape.append(corner(sane(pfc.chartValue[static_cast<size_t>(a)]), a));
                present.append(a);
            }
        }
        const QColor edge = monochrome ? QColor(Qt::black) : QColor(0x2E, 0x7D, 0x32);
        painter.setPen(QPen(edge, 1.5));
        if (shape.size() == 3)
            painter.drawPolygon(shape);
        else if (shape.size() == 2)
            painter.drawPolyline(shape);
        for (int i = 0; i < shape.size(); ++i) {
            const double v = pfc.chartValue[static_cast<size_t>(present[i])];
            const JudgementTone tone = v < 100.0 ? JudgementTone::Shortage : v > 100.0 ? JudgementTone::Excess : JudgementTone::Fine;
            const QColor dot = monochrome ? QColor(Qt::black) : toneColour(tone, false);
            painter.setPen(QPen(dot, 0));
            painter.setBrush(dot);
            painter.drawEllipse(shape[i], 3.0, 3.0);
        }
        painter.setBrush(Qt::NoBrush);
    }
    painter.restore();

    // Each axis' letter and percentage beyond its corner.
    static const QString letters[3] = {QStringLiteral("Ｐ"), QStringLiteral("Ｆ"), QStringLiteral("Ｃ")};
    painter.setPen(textColour(monochrome));
    for (int a = 0; a < 3; ++a) {
        const QString text = pfc.valid ? QStringLiteral("%1 %2%").arg(letters[a]).arg(pfc.percent[static_cast<size_t>(a)], 0, 'f', 1)
                                       : letters[a];
        const QPointF tip = corner(150.0, a);
        const int w = metrics.horizontalAdvance(text) + 2;
        QRectF box(tip.x() - w / 2.0, a == 0 ? tip.y() - labelHeight : tip.y() + 2, w, labelHeight);
        box.moveLeft(std::clamp(box.left(), double(body.left() + 1), double(body.right() - w)));
        box.moveTop(std::clamp(box.top(), double(body.top()), double(body.bottom() - labelHeight)));
        painter.drawText(box, Qt::AlignCenter, text);
    }
    painter.restore();
}

// ---- 履歴グラフ ------------------------------------------------------------------------------

int historyEntriesVisible(const QRect &rect, const QFontMetrics &metrics)
{
    const HistoryLayout l = historyLayout(rect, metrics);
    return std::max(1, l.plot.width() / std::max(1, l.step));
}

void paintHistoryGraph(QPainter &painter, const QRect &rect, const AnalysisResult &result, int firstEntry, bool monochrome)
{
    painter.save();
    // Nothing of the chart spills over rect, whatever the figures.
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(rect, Qt::white);
    const QFont base = painter.font();
    const QFontMetrics metrics(base);
    const HistoryLayout l = historyLayout(rect, metrics);
    const QColor ink = textColour(monochrome);

    // The caption and, at its right, the three lines' legend.
    const Series series[3] = {
        {QStringLiteral("摂取エネルギー"), monochrome ? QColor(Qt::black) : QColor(0xE0, 0x60, 0x10), Qt::SolidLine, Marker::Square},
        {QStringLiteral("消費エネルギー"), monochrome ? QColor(0x50, 0x50, 0x50) : QColor(0x20, 0x60, 0xD0), Qt::DashLine, Marker::Circle},
        {QStringLiteral("体重"), monochrome ? QColor(0x80, 0x80, 0x80) : QColor(0x2E, 0x8B, 0x3A), Qt::SolidLine, Marker::Triangle},
    };
    painter.setFont(boldFont(base));
    painter.setPen(ink);
    painter.drawText(l.title.adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("エネルギー、体重の履歴"));
    painter.setFont(base);
    {
        int x = l.title.right() - 8;
        for (int s = 2; s >= 0; --s) {
            x -= metrics.horizontalAdvance(series[s].name);
            painter.setPen(ink);
            painter.drawText(QPoint(x, l.title.center().y() + (metrics.ascent() - metrics.descent()) / 2), series[s].name);
            x -= 26;
            painter.setPen(QPen(series[s].colour, 2, series[s].style));
            painter.drawLine(x, l.title.center().y(), x + 22, l.title.center().y());
            painter.setPen(QPen(series[s].colour, 1));
            painter.setBrush(series[s].colour);
            drawMarker(painter, QPointF(x + 11, l.title.center().y()), series[s].marker, 3);
            painter.setBrush(Qt::NoBrush);
            x -= 12;
        }
    }
    if (l.plot.width() < 20 || l.plot.height() < 20) {
        painter.restore();
        return;
    }

    const HistoryScale &scale = result.historyScale;
    double eMin = std::isfinite(scale.energyMin) ? scale.energyMin : 0.0;
    double eMax = std::isfinite(scale.energyMax) ? scale.energyMax : 0.0;
    if (eMax <= eMin) {
        eMin = 0.0;
        eMax = 1000.0;
    }
    double wMin = std::isfinite(scale.weightMin) ? scale.weightMin : 0.0;
    double wMax = std::isfinite(scale.weightMax) ? scale.weightMax : 0.0;
    if (wMax <= wMin) {
        wMin = 0.0;
        wMax = 100.0;
    }
    const QRect &plot = l.plot;
    const auto yOf = [&](double v, double lo, double hi) { return plot.bottom() - (v - lo) / (hi - lo) * plot.height(); };

    // Grid and scales: energy at the left, weight at the right.
    const double eStep = niceStep(eMax - eMin);
    painter.setFont(scaledFont(base, 0.9));
    const QFontMetrics tick(painter.font());
    for (double v = std::ceil(eMin / eStep) * eStep; v <= eMax + 1e-6; v += eStep) {
        const double y = yOf(v, eMin, eMax);
        painter.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 0));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(monochrome ? ink : series[0].colour);
        painter.drawText(QRectF(rect.left(), y - tick.height() / 2.0, l.leftLabels - 4, tick.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(std::lround(v)));
    }
    const double wStep = niceStep(wMax - wMin);
    painter.setPen(monochrome ? ink : series[2].colour);
    for (double v = std::ceil(wMin / wStep) * wStep; v <= wMax + 1e-6; v += wStep) {
        const double y = yOf(v, wMin, wMax);
        painter.drawText(QRectF(plot.right() + 4, y - tick.height() / 2.0, l.rightLabels - 4, tick.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(v, 'f', wStep < 1.0 ? 1 : 0));
    }
    painter.setPen(ink);
    painter.drawText(QRect(rect.left(), plot.top() - tick.height() - 2, l.leftLabels - 4, tick.height()),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("kcal"));
    painter.drawText(QRect(plot.right() + 4, plot.top() - tick.height() - 2, l.rightLabels - 4, tick.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("kg"));

    const int count = int(result.history.size());
    const int first = std::clamp(firstEntry, 0, std::max(0, count - 1));
    const int visible = std::min(count - first, std::max(1, plot.width() / std::max(1, l.step)));
    const auto xOf = [&](int i) { return plot.left() + l.step / 2.0 + (i - first) * l.step; };

    // The date of each point under it, and the year of the first one under the energy scale.
    QString lastYear;
    for (int i = first; i < first + visible; ++i) {
        const HistoryEntry &e = result.history[static_cast<size_t>(i)];
        painter.setPen(QPen(QColor(0xEC, 0xEC, 0xEC), 0));
        painter.drawLine(QPointF(xOf(i), plot.top()), QPointF(xOf(i), plot.bottom()));
        painter.setPen(ink);
        painter.drawText(QRectF(xOf(i) - l.step / 2.0, plot.bottom() + 3, l.step, tick.height()), Qt::AlignCenter,
                         historyDateLabel(e.dateKey));
        const QString year = QString::fromLatin1(e.dateKey.left(4));
        if (year != lastYear) {
            painter.drawText(QRectF(xOf(i) - l.step / 2.0, plot.bottom() + 3 + tick.height(), l.step * 2, tick.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, year + QStringLiteral("年"));
            lastYear = year;
        }
    }
    painter.setFont(base);

    // The three lines: intake on every entry, spent energy and weight where the entry has one.
    painter.save();
    painter.setClipRect(plot.adjusted(-4, -4, 4, 4), Qt::IntersectClip);
    const auto plotSeries = [&](const Series &s, auto value, double lo, double hi) {
        QPolygonF points;
        for (int i = first; i < first + visible; ++i) {
            const std::optional<double> v = value(result.history[static_cast<size_t>(i)]);
            if (v)
                points.append(QPointF(xOf(i), yOf(*v, lo, hi)));
        }
        painter.setPen(QPen(s.colour, 1.8, s.style));
        painter.drawPolyline(points);
        painter.setPen(QPen(s.colour, 1));
        painter.setBrush(s.colour);
        for (const QPointF &p : std::as_const(points))
            drawMarker(painter, p, s.marker, 3);
        painter.setBrush(Qt::NoBrush);
    };
    if (visible > 0) {
        plotSeries(series[0], [](const HistoryEntry &e) { return std::optional<double>(sane(e.energyIntake)); }, eMin, eMax);
        plotSeries(series[1],
                   [](const HistoryEntry &e) {
                       const double spent = sane(e.energySpentA) + sane(e.energySpentB);
                       return spent > 0.0 ? std::optional<double>(spent) : std::nullopt;
                   },
                   eMin, eMax);
        plotSeries(series[2],
                   [](const HistoryEntry &e) {
                       return sane(e.bodyWeight) > 0.0 ? std::optional<double>(e.bodyWeight) : std::nullopt;
                   },
                   wMin, wMax);
    }
    painter.restore();
    painter.setPen(QPen(lineColour(monochrome), 0));
    painter.drawRect(QRectF(plot).adjusted(0, 0, -1, -1));
    painter.restore();
}

// ---- 食品群別表 / 食品交換表 -----------------------------------------------------------------

int groupChartHeight(const GroupTableText &table, const QFontMetrics &metrics)
{
    const GroupLayout l = groupLayout(table, nullptr, metrics, false);
    return 4 + int(groupTitles(table, false).size()) * l.titleHeight + 4 + l.headerHeight
         + groupCount(table) * l.rowHeight + 8 + metrics.height() + 6;
}

void paintGroupChart(QPainter &painter, const QRect &rect, const AnalysisResult &result, const GroupTableText &table,
                     bool exchange, bool monochrome)
{
    painter.save();
    // Nothing of the chart spills over rect, whatever the figures.
    painter.setClipRect(rect, Qt::IntersectClip);
    const QFont base = painter.font();
    const QFontMetrics metrics(base);
    const GroupRows &rows = groupRowsOf(result, exchange);
    const GroupLayout l = groupLayout(table, &rows, metrics, exchange);
    const QColor ink = textColour(monochrome);

    int y = rect.top() + 4;
    painter.setFont(boldFont(base));
    painter.setPen(ink);
    for (const QString &title : groupTitles(table, exchange)) {
        painter.drawText(QRect(rect.left() + 4, y, rect.width() - 8, l.titleHeight), Qt::AlignLeft | Qt::AlignVCenter, title);
        y += l.titleHeight;
    }
    painter.setFont(base);
    y += 4;

    QList<int> xs;
    int x = rect.left() + 4;
    for (int w : l.widths) {
        xs.append(x);
        x += w + l.gap;
    }
    const int xBar = x + l.gap;
    const int barRight = rect.right() - metrics.horizontalAdvance(QStringLiteral("000%")) - 6;
    const bool bars = barRight - xBar >= 60 && table.proper;

    double maxRate = 0.0;
    for (int g = 0; g < groupCount(table); ++g)
        maxRate = std::max(maxRate, groupRate(rows, table, g));
    const double axis = nutrientBarAxis(maxRate);
    const auto xOf = [&](double pct) { return xBar + pct / axis * (barRight - xBar); };

    const QStringList headings = groupHeadings(exchange);
    painter.setPen(ink);
    for (int c = 0; c < headings.size(); ++c)
        painter.drawText(QRect(xs[c], y, l.widths[c], l.headerHeight), (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                         headings[c].trimmed());
    if (bars) {
        painter.setFont(scaledFont(base, 0.85));
        for (double pct : {0.0, 100.0, axis}) {
            const QString label = QStringLiteral("%1%").arg(int(pct));
            const int w = QFontMetrics(painter.font()).horizontalAdvance(label) + 2;
            painter.drawText(QRectF(xOf(pct) - w / 2.0, y, w, l.headerHeight), Qt::AlignCenter, label);
        }
        painter.setFont(base);
    }
    y += l.headerHeight;
    painter.setPen(QPen(lineColour(monochrome), 0));
    painter.drawLine(rect.left() + 2, y - 1, rect.right() - 2, y - 1);

    for (int g = 0; g < groupCount(table); ++g) {
        const double *proper = table.proper ? &(*table.proper)[static_cast<size_t>(g)] : nullptr;
        const QStringList fields = groupRowFields(rows, g, table.names[g], proper);
        const double rate = groupRate(rows, table, g);
        const bool compared = proper && *proper > 0.0;
        for (int c = 0; c < fields.size() && c < xs.size(); ++c) {
            QColor colour = ink;
            // The rate in the colour of its side, as the nutrient judgement colours it.
            if (c == 8 && compared && !monochrome && rate != 100.0)
                colour = toneColour(rate < 100.0 ? JudgementTone::Shortage : JudgementTone::Excess, false);
            painter.setPen(colour);
            painter.drawText(QRect(xs[c], y, l.widths[c], l.rowHeight), (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                             fields[c]);
        }
        if (bars) {
            const QRectF area(xBar, y + 2, barRight - xBar, l.rowHeight - 4);
            painter.save();
            painter.setClipRect(area.adjusted(0, -1, 1, 1), Qt::IntersectClip);
            painter.fillRect(QRectF(QPointF(xOf(0), area.top()), QPointF(xOf(kShortageMark), area.bottom())),
                             shortageZone(monochrome));
            painter.fillRect(QRectF(QPointF(xOf(kExcessMark), area.top()), QPointF(area.right(), area.bottom())),
                             excessZone(monochrome));
            if (compared) {
                std::array<double, kAnalysisMeals> shares{};
                const double total = rows[kAnalysisMeals][static_cast<size_t>(g)];
                for (int m = 0; m < kAnalysisMeals; ++m)
                    shares[static_cast<size_t>(m)] = total > 0.0 ? rows[static_cast<size_t>(m)][static_cast<size_t>(g)] / total * 100.0 : 0.0;
                paintMealBar(painter, area.adjusted(0, area.height() * 0.15, 0, -area.height() * 0.15), rate, axis, shares,
                             monochrome);
            }
            painter.setPen(QPen(monochrome ? QColor(Qt::black) : rgbOf(toneRgb(JudgementTone::Fine, false)), 1.5));
            painter.drawLine(QPointF(xOf(100.0), area.top()), QPointF(xOf(100.0), area.bottom()));
            painter.restore();
        }
        y += l.rowHeight;
        painter.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 0));
        painter.drawLine(rect.left() + 2, y - 1, rect.right() - 2, y - 1);
    }

    // The legend: the zones, then the meals' colours.
    y += 8;
    const int midY = y + metrics.height() / 2;
    x = rect.left() + 4;
    if (table.proper) {
        x = paintSwatch(painter, x, midY, shortageZone(monochrome), QStringLiteral("不足が心配"), ink);
        x = paintSwatch(painter, x, midY, excessZone(monochrome), QStringLiteral("過剰が心配"), ink);
        x += metrics.horizontalAdvance(QLatin1Char(' ')) * 2;
        for (int m = 0; m < kAnalysisMeals; ++m)
            x = paintSwatch(painter, x, midY, mealColour(m, monochrome), kMealNames[m], ink);
    }
    painter.restore();
}

void paintGroupRadar(QPainter &painter, const QRect &rect, const AnalysisResult &result, const GroupTableText &table,
                     bool exchange, bool monochrome)
{
    const GroupRows &rows = groupRowsOf(result, exchange);
    QList<RadarAxis> axes;
    for (int g = 0; g < groupCount(table); ++g) {
        if (table.proper && (*table.proper)[static_cast<size_t>(g)] > 0.0)
            axes.append({table.names[g].trimmed(), groupRate(rows, table, g)});
    }
    paintRadar(painter, rect, exchange ? QStringLiteral("食品交換表") : QStringLiteral("食品群別表"), axes, monochrome);
}

}  // namespace dalmain
