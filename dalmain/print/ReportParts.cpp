#include "dalmain/print/ReportParts.h"

#include "quenkit/controls/Fonts.h"

#include <QDate>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace dalmain {

ReportTable::ReportTable(ReportCanvas &canvas, QList<ReportColumn> columns)
    : m_canvas(canvas), m_columns(std::move(columns))
{
}

QList<int> ReportTable::edges() const
{
    QList<int> x{0};
    for (qsizetype i = 0; i + 1 < m_columns.size(); ++i)
        x.append(std::min(x.last() + m_columns[i].cells * m_canvas.cell().width, m_canvas.width()));
    x.append(m_canvas.width());
    return x;
}

QFont ReportTable::font(bool bold) const
{
    return ReportCanvas::textFont(m_canvas.cell().height * 4 / 5, bold ? quenkit::FontBold : 0);
}

int ReportTable::rowHeight(const QStringList &cells, bool bold) const
{
    const QFontMetrics metrics(font(bold));
    const QList<int> x = edges();
    const int pad = m_canvas.cell().width / 2;
    int height = m_canvas.cell().height * 3 / 2;
    for (qsizetype i = 0; i < m_columns.size() && i < cells.size(); ++i) {
        const QRect text = metrics.boundingRect(QRect(0, 0, x[i + 1] - x[i] - 2 * pad, INT_MAX), Qt::TextWordWrap, cells[i]);
        height = std::max(height, text.height() + m_canvas.cell().height / 2);
    }
    return height;
}

bool ReportTable::begin()
{
    if (!m_canvas.ensureRoom(m_canvas.cell().height * 3 / 2 + rowHeight({}, false)))
        return false;
    QStringList labels;
    for (const ReportColumn &c : m_columns)
        labels.append(c.label);
    paintRow(labels, true, true);
    m_page = m_canvas.pageNumber();
    return true;
}

bool ReportTable::row(const QStringList &cells, bool bold)
{
    if (!m_canvas.ensureRoom(rowHeight(cells, bold)))
        return false;
    if (m_canvas.pageNumber() != m_page && !begin())
        return false;
    paintRow(cells, false, bold);
    return true;
}

void ReportTable::paintRow(const QStringList &cells, bool header, bool bold)
{
    QPainter &p = m_canvas.painter();
    const int height = rowHeight(cells, bold);
    const int top = m_canvas.y();
    const QList<int> x = edges();
    const int pad = m_canvas.cell().width / 2;
    p.save();
    if (header)
        p.fillRect(QRect(0, top, m_canvas.width(), height), QColor(230, 230, 230));
    p.setPen(Qt::black);
    p.setFont(font(bold));
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        const QRect box(x[i] + pad, top, x[i + 1] - x[i] - 2 * pad, height);
        p.drawText(box, (header ? Qt::AlignHCenter : m_columns[i].align) | Qt::AlignVCenter | Qt::TextWordWrap,
                   cells.value(i));
    }
    p.setPen(QPen(Qt::black, header || bold ? 20 : 8));
    if (header || bold)
        p.drawLine(0, top, m_canvas.width(), top);
    p.drawLine(0, top + height, m_canvas.width(), top + height);
    p.setPen(QPen(Qt::gray, 8));
    for (qsizetype i = 1; i + 1 < x.size(); ++i)
        p.drawLine(x[i], top, x[i], top + height);
    p.restore();
    m_canvas.advance(height);
}

void paintScreenRoutine(QPainter &painter, const QRect &rect, int fontPixels,
                        const std::function<void(QPainter &, const QRect &)> &routine, int pixelUnits)
{
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(pixelUnits, pixelUnits);
    painter.setPen(Qt::black);
    painter.setFont(ReportCanvas::textFont(fontPixels));
    routine(painter, QRect(0, 0, rect.width() / pixelUnits, rect.height() / pixelUnits));
    painter.restore();
}

QString reportDayText(QByteArrayView date)
{
    static const char16_t *const weekdays[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    const QDate day = QDate::fromString(QString::fromLatin1(date), QStringLiteral("yyyyMMdd"));
    if (!day.isValid())
        return QString::fromLatin1(date);
    return QString::asprintf("%04d年%02d月%02d日(", day.year(), day.month(), day.day()) +
           QString::fromUtf16(weekdays[day.dayOfWeek() - 1]) + QLatin1Char(')');
}

}  // namespace dalmain
