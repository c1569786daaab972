#include "dalmain/screens/sports/SportsSummaryView.h"

#include "quenkit/controls/Fonts.h"

#include <QPainter>

namespace dalmain {

namespace {

constexpr int kLineGap = 4;
// The figures take two lines, the notes four more.
constexpr int kLineCount = 6;

}  // namespace

int exerciseSummaryHeight(const QFontMetrics &metrics)
{
    return kLineCount * (metrics.height() + kLineGap) + kLineGap * 3;
}

void paintExerciseSummary(QPainter &painter, const QRect &rect, const ExerciseSummary &summary)
{
    const QStringList figures = exerciseSummaryLines(summary);
    const QStringList notes = exerciseNotes();
    const QFontMetrics metrics = painter.fontMetrics();
    const int step = metrics.height() + kLineGap;
    painter.save();
    painter.setClipRect(rect);
    int y = rect.top() + kLineGap;
    const auto lineAt = [&](const QString &text, int indent = 0) {
        painter.drawText(QRect(rect.left() + indent, y, rect.width() - indent, step), Qt::AlignLeft | Qt::AlignVCenter,
                         text);
        y += step;
    };
    // 運動時間 運動消費 基礎代謝 生活消費, then 一日消費 運動目安 in bold.
    const QFont plain = painter.font();
    const QColor ink = painter.pen().color();
    lineAt(figures[0] + figures[1] + figures[2] + figures[3]);
    QFont bold = plain;
    bold.setBold(true);
    painter.setFont(bold);
    lineAt(figures[4] + figures[5]);
    painter.setFont(plain);
    y += kLineGap * 2;
    painter.setPen(ink);
    lineAt(notes[0] + QStringLiteral("  ") + notes[1]);
    lineAt(notes[2], metrics.horizontalAdvance(QStringLiteral("　")));
    painter.setPen(QColor(0xb0, 0x00, 0x00));
    lineAt(notes[3]);
    painter.restore();
}

SportsSummaryView::SportsSummaryView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("summary"));
    setFont(quenkit::createFont(QStringLiteral("ＭＳ ゴシック"), 0, 15));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SportsSummaryView::setSummary(const ExerciseSummary &summary)
{
    m_summary = summary;
    update();
}

QSize SportsSummaryView::sizeHint() const
{
    return QSize(600, exerciseSummaryHeight(fontMetrics()));
}

void SportsSummaryView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().text().color());
    painter.setFont(font());
    paintExerciseSummary(painter, rect().adjusted(8, 0, -8, 0), m_summary);
}

}  // namespace dalmain
