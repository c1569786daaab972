#include "dalmain/screens/weight/WeightCharts.h"

#include "quenkit/controls/Fonts.h"
#include "quenkit/dates/Dates.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace dalmain {

namespace {

constexpr int kTitleHeight = 20;
constexpr int kLabelWidth = 30;
constexpr int kLabelHeight = 18;

const QColor kZoneColours[4] = {QColor(205, 225, 250), QColor(210, 240, 205), QColor(252, 242, 190), QColor(250, 208, 208)};
const QColor kCurveColour(110, 110, 110);
const QColor kGridColour(215, 215, 215);
const QColor kWeightColour(20, 70, 200);
const QColor kBodyFatColour(215, 105, 0);

QFont chartFont(int height, int style = 0)
{
    return quenkit::createFont(QStringLiteral("ＭＳ ゴシック"), 0, height, style);
}

// The chart's caption across its top; what is left below it.
QRect paintFrameAndTitle(QPainter &painter, const QRect &rect, const QString &title)
{
    painter.fillRect(rect, Qt::white);
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setFont(chartFont(14, quenkit::FontBold));
    painter.setPen(Qt::black);
    painter.drawText(QRect(rect.left() + 6, rect.top() + 2, rect.width() - 12, kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     title);
    return rect.adjusted(0, kTitleHeight + 2, 0, 0);
}

struct LegendEntry {
    QString text;
    QColor colour;
    Qt::PenStyle style;
};

constexpr int kLegendSwatch = 18;   // the line sample before each text
constexpr int kLegendGap = 4;       // between the sample and its text
constexpr int kLegendSpacing = 10;  // between two entries

int legendWidth(const QFontMetrics &metrics, const LegendEntry &entry)
{
    return kLegendSwatch + kLegendGap + metrics.horizontalAdvance(entry.text);
}

// One entry with its left end at x, centred on the line at y.
void paintLegendEntry(QPainter &painter, const QFontMetrics &metrics, int x, int y, const LegendEntry &entry)
{
    painter.setPen(QPen(entry.colour, 2, entry.style));
    painter.drawLine(x, y, x + kLegendSwatch, y);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(x + kLegendSwatch + kLegendGap, y + (metrics.ascent() - metrics.descent()) / 2), entry.text);
}

// The legend of a chart captioned title: at the right of the caption's line when it fits
// beside the caption, otherwise in rows of its own under the caption, as many entries to a row
// as fit, so that it never runs into the caption however narrow the chart is painted. What is
// left of body below it.
template <size_t N>
QRect paintLegend(QPainter &painter, const QRect &rect, const QRect &body, const QString &title,
                  const LegendEntry (&entries)[N])
{
    const int titleWidth = QFontMetrics(chartFont(14, quenkit::FontBold)).horizontalAdvance(title);
    painter.setFont(chartFont(11));
    const QFontMetrics metrics(painter.font());
    int total = 0;
    for (const LegendEntry &e : entries)
        total += legendWidth(metrics, e) + kLegendSpacing;
    total -= kLegendSpacing;
    const int left = rect.left() + 6;
    const int right = rect.right() - 8;
    if (left + titleWidth + 2 * kLegendSpacing + total <= right) {
        int x = right - total;
        for (const LegendEntry &e : entries) {
            paintLegendEntry(painter, metrics, x, rect.top() + 2 + kTitleHeight / 2, e);
            x += legendWidth(metrics, e) + kLegendSpacing;
        }
        return body;
    }
    const int rowHeight = metrics.height() + 2;
    int x = left;
    int y = body.top() + rowHeight / 2;
    for (const LegendEntry &e : entries) {
        const int width = legendWidth(metrics, e);
        if (x > left && x + width > right) {
            x = left;
            y += rowHeight;
        }
        paintLegendEntry(painter, metrics, x, y, e);
        x += width + kLegendSpacing;
    }
    return body.adjusted(0, y - body.top() + rowHeight / 2, 0, 0);
}

// A scale's tick step: the first of 1, 2, 5, 10, 20, 50 giving at most six intervals.
double tickStep(double span)
{
    for (double step : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0}) {
        if (span / step <= 6.0)
            return step;
    }
    return 100.0;
}

}  // namespace

void paintBmiChart(QPainter &painter, const QRect &rect, const BmiChartPoint &point)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRect body = paintFrameAndTitle(painter, rect, QStringLiteral("ＢＭＩチャート"));
    const QRect plot(body.left() + kLabelWidth + 4, body.top() + 8, body.width() - kLabelWidth - 26,
                     body.height() - kLabelHeight - 12);
    if (plot.width() < 20 || plot.height() < 20 || !(point.heightCm > 0.0)) {
        painter.restore();
        return;
    }
    // Without a measurement the window is laid around the middle of the standard weight.
    const double kg = point.kg.value_or(standardWeight(point.heightCm).middle);
    const BmiChartRange range = bmiChartRange(point.heightCm, kg);
    const double span = BmiChartRange::kSpan;
    const auto xOf = [&](double cm) { return plot.left() + (cm - range.heightFrom) / span * plot.width(); };
    const auto yOf = [&](double w) { return plot.bottom() - (w - range.weightFrom) / span * plot.height(); };
    // A curve of constant BMI in 10 cm steps across the chart; 0 and infinity are its floor and roof.
    const auto curve = [&](double bmi) {
        QList<QPointF> points;
        for (int cm = range.heightFrom; cm <= range.heightFrom + BmiChartRange::kSpan; cm += 10) {
            const double w = bmi < 0.0 ? range.weightFrom + span * 2 : bmi * cm * cm / 10000.0;
            points.append(QPointF(xOf(cm), bmi == 0.0 ? plot.bottom() + 1.0 : yOf(w)));
        }
        return points;
    };

    painter.setClipRect(plot);
    const double bounds[5] = {0.0, 20.0, 24.0, 26.5, -1.0};
    for (int zone = 0; zone < 4; ++zone) {
        QList<QPointF> outline = curve(bounds[zone]);
        QList<QPointF> upper = curve(bounds[zone + 1]);
        std::reverse(upper.begin(), upper.end());
        outline.append(upper);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kZoneColours[zone]);
        painter.drawPolygon(QPolygonF(outline));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kGridColour, 1));
    for (int step = 10; step < BmiChartRange::kSpan; step += 10) {
        painter.drawLine(QPointF(xOf(range.heightFrom + step), plot.top()), QPointF(xOf(range.heightFrom + step), plot.bottom()));
        painter.drawLine(QPointF(plot.left(), yOf(range.weightFrom + step)), QPointF(plot.right(), yOf(range.weightFrom + step)));
    }
    painter.setPen(QPen(kCurveColour, 1.2));
    for (double bmi : {20.0, 24.0, 26.5})
        painter.drawPolyline(QPolygonF(curve(bmi)));

    painter.setFont(chartFont(11));
    // Each zone's name at the rightmost 10 cm line where the zone is at least 10 kg tall.
    const double top = range.weightFrom + span;
    for (int zone = 0; zone < 4; ++zone) {
        for (int cm = range.heightFrom + BmiChartRange::kSpan; cm > range.heightFrom; cm -= 10) {
            const double low = std::max(bounds[zone] * cm * cm / 10000.0, double(range.weightFrom));
            const double high = bounds[zone + 1] < 0.0 ? top : std::min(bounds[zone + 1] * cm * cm / 10000.0, top);
            if (high - low < 10.0)
                continue;
            painter.setPen(QColor(90, 90, 90));
            painter.drawText(QRectF(xOf(cm) - 64, yOf((low + high) / 2.0) - 8, 60, 16), Qt::AlignRight | Qt::AlignVCenter,
                             bmiJudgementText(zone + 1).remove(QChar(0x3000)));
            break;
        }
    }

    if (point.kg) {
        const QPointF at(xOf(point.heightCm), yOf(*point.kg));
        painter.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), at.y()), at);
        painter.drawLine(QPointF(at.x(), plot.bottom()), at);
        painter.setPen(QPen(QColor(200, 0, 0), 2));
        painter.setBrush(QColor(230, 30, 30));
        painter.drawEllipse(at, 4.5, 4.5);
        painter.setBrush(Qt::NoBrush);
    }
    painter.setClipping(false);
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(QRectF(plot).adjusted(0, 0, -1, -1));

    painter.setPen(Qt::black);
    painter.setFont(chartFont(11));
    for (int step = 0; step <= BmiChartRange::kSpan; step += 10) {
        const QString cm = QString::asprintf("%3d", range.heightFrom + step);
        painter.drawText(QRectF(xOf(range.heightFrom + step) - 16, plot.bottom() + 3, 32, kLabelHeight - 4), Qt::AlignCenter, cm);
        const QString w = QString::asprintf("%3d", range.weightFrom + step);
        painter.drawText(QRectF(body.left() + 2, yOf(range.weightFrom + step) - 7, kLabelWidth, 14),
                         Qt::AlignRight | Qt::AlignVCenter, w);
    }

    // The person's figures in the upper left, on white so that no zone colour dims them.
    QStringList lines;
    if (point.kg)
        lines << QString::asprintf("体　重 %.1fkg", *point.kg);
    else
        lines << QStringLiteral("体　重 ----");
    lines << QStringLiteral("身　長 %1cm").arg(point.heightText);
    lines << QStringLiteral("判　定 %1").arg(point.kg ? bmiJudgementText(BmiJudgement(bmiOf(*point.kg, point.heightCm)))
                                                     : QStringLiteral("----"));
    painter.setFont(chartFont(12));
    const QFontMetrics metrics(painter.font());
    int width = 0;
    for (const QString &l : lines)
        width = std::max(width, metrics.horizontalAdvance(l));
    const QRect box(plot.left() + 6, plot.top() + 6, width + 12, metrics.height() * 3 + 8);
    painter.setPen(QColor(120, 120, 120));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QPoint(box.left() + 6, box.top() + 4 + metrics.ascent() + i * metrics.height()), lines[i]);
    painter.restore();
}

void paintMonthlyGraph(QPainter &painter, const QRect &rect, const WeightMonth &month, const WeightGoal &goal)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QRect body = paintFrameAndTitle(painter, rect, QStringLiteral("月間履歴グラフ"));

    const LegendEntry legends[] = {{QStringLiteral("体重"), kWeightColour, Qt::SolidLine},
                                   {QStringLiteral("体脂肪"), kBodyFatColour, Qt::SolidLine},
                                   {QStringLiteral("目標体重"), kWeightColour, Qt::DashLine},
                                   {QStringLiteral("目標体脂肪"), kBodyFatColour, Qt::DashLine}};
    body = paintLegend(painter, rect, body, QStringLiteral("月間履歴グラフ"), legends);

    const QRect plot(body.left() + kLabelWidth + 4, body.top() + 6, body.width() - 2 * kLabelWidth - 8,
                     body.height() - kLabelHeight - 10);
    if (plot.width() < 20 || plot.height() < 20) {
        painter.restore();
        return;
    }
    const int days = month.year() > 0 ? quenkit::daysInMonth(month.year(), month.month()) : 31;
    const auto xOf = [&](int day) { return plot.left() + (day - 1) / double(std::max(days - 1, 1)) * plot.width(); };
    const GraphScale weight = weightGraphScale(month);
    const GraphScale bodyFat = bodyFatGraphScale(month);
    const auto yOf = [&](const GraphScale &s, double v) { return plot.bottom() - (v - s.lower) / (s.upper - s.lower) * plot.height(); };

    painter.setPen(QPen(kGridColour, 1));
    for (int day = 1; day <= days; ++day)
        painter.drawLine(QPointF(xOf(day), plot.top()), QPointF(xOf(day), plot.bottom()));
    painter.setPen(Qt::black);
    for (int day : {1, 5, 10, 15, 20, 25, 30}) {
        if (day <= days)
            painter.drawText(QRectF(xOf(day) - 12, plot.bottom() + 3, 24, kLabelHeight - 4), Qt::AlignCenter, QString::number(day));
    }

    if (!weight.isEmpty()) {
        const double step = tickStep(weight.upper - weight.lower);
        for (double v = std::ceil(weight.lower / step) * step; v <= weight.upper + 1e-9; v += step) {
            const double y = yOf(weight, v);
            painter.setPen(QPen(kGridColour, 1));
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            painter.setPen(kWeightColour);
            painter.drawText(QRectF(body.left() + 2, y - 7, kLabelWidth, 14), Qt::AlignRight | Qt::AlignVCenter,
                             QString::asprintf("%3d", static_cast<int>(std::lround(v))));
        }
    }
    if (!bodyFat.isEmpty()) {
        const double step = tickStep(bodyFat.upper - bodyFat.lower);
        painter.setPen(kBodyFatColour);
        for (double v = std::ceil(bodyFat.lower / step) * step; v <= bodyFat.upper + 1e-9; v += step) {
            painter.drawText(QRectF(plot.right() + 4, yOf(bodyFat, v) - 7, kLabelWidth, 14), Qt::AlignLeft | Qt::AlignVCenter,
                             QString::asprintf("%.0f", v));
        }
    }
    painter.setClipRect(plot.adjusted(-5, -5, 5, 5));
    const auto dayOf = [](const WeightLine &l) { return QString::fromLatin1(l.record.date.mid(6, 2)).toInt(); };
    if (!weight.isEmpty()) {
        if (goal.weight > 0.0 && goal.weight >= weight.lower && goal.weight <= weight.upper) {
            painter.setPen(QPen(kWeightColour, 1.5, Qt::DashLine));
            painter.drawLine(QPointF(plot.left(), yOf(weight, goal.weight)), QPointF(plot.right(), yOf(weight, goal.weight)));
        }
        QPolygonF series;
        for (const WeightLine &l : month.lines())
            series.append(QPointF(xOf(dayOf(l)), yOf(weight, l.record.kg)));
        painter.setPen(QPen(kWeightColour, 2));
        painter.drawPolyline(series);
        painter.setBrush(kWeightColour);
        for (const QPointF &p : std::as_const(series))
            painter.drawRect(QRectF(p.x() - 3, p.y() - 3, 6, 6));
        painter.setBrush(Qt::NoBrush);
    }
    if (!bodyFat.isEmpty()) {
        if (goal.bodyFat > 0.0 && goal.bodyFat >= bodyFat.lower && goal.bodyFat <= bodyFat.upper) {
            painter.setPen(QPen(kBodyFatColour, 1.5, Qt::DashLine));
            painter.drawLine(QPointF(plot.left(), yOf(bodyFat, goal.bodyFat)), QPointF(plot.right(), yOf(bodyFat, goal.bodyFat)));
        }
        QPolygonF series;
        for (const WeightLine &l : month.lines()) {
            if (l.record.bodyFat > 0.0)
                series.append(QPointF(xOf(dayOf(l)), yOf(bodyFat, l.record.bodyFat)));
        }
        painter.setPen(QPen(kBodyFatColour, 2));
        painter.drawPolyline(series);
        painter.setBrush(kBodyFatColour);
        for (const QPointF &p : std::as_const(series))
            painter.drawEllipse(p, 3.5, 3.5);
        painter.setBrush(Qt::NoBrush);
    }
    painter.setClipping(false);
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(QRectF(plot).adjusted(0, 0, -1, -1));
    painter.restore();
}

BmiChartView::BmiChartView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("BmiChart"));
    setMinimumSize(260, 220);
}

void BmiChartView::setPoint(const BmiChartPoint &point)
{
    m_point = point;
    update();
}

void BmiChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintBmiChart(painter, rect(), m_point);
}

MonthlyGraphView::MonthlyGraphView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MonthlyGraph"));
    setMinimumSize(260, 200);
}

void MonthlyGraphView::setMonth(const WeightMonth &month, const WeightGoal &goal)
{
    m_month = month;
    m_goal = goal;
    update();
}

void MonthlyGraphView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintMonthlyGraph(painter, rect(), m_month, m_goal);
}

}  // namespace dalmain
