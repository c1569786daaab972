#include "dalmain/screens/sports/SportsList.h"

#include "quenkit/controls/Fonts.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace dalmain {

namespace {

constexpr int kHeadingHeight = 22;
// How close to the boundary a press in the heading takes hold of it.
constexpr int kGripPixels = 4;
constexpr int kCellPadding = 4;

// The figure columns hold their texts ("%8d", "%8.1f") and their headings with room to spare.
int figureWidth(const QFontMetrics &metrics)
{
    return std::max(metrics.horizontalAdvance(QStringLiteral("0000000000")),
                    metrics.horizontalAdvance(QStringLiteral("消費ｴﾈﾙｷﾞｰ")) + 16);
}

struct LineColumns {
    QRect name, minutes, energy, memo;
};

LineColumns columnsOf(const QRect &rect, int boundary, const QFontMetrics &metrics)
{
    const int figure = figureWidth(metrics);
    LineColumns c;
    c.name = QRect(rect.left() + kCellPadding, rect.top(), boundary - kCellPadding * 2, rect.height());
    c.minutes = QRect(boundary, rect.top(), figure, rect.height());
    c.energy = QRect(c.minutes.right() + 1, rect.top(), figure, rect.height());
    c.memo = QRect(c.energy.right() + 1 + kCellPadding * 3, rect.top(),
                   std::max(0, rect.right() - c.energy.right() - kCellPadding * 3), rect.height());
    return c;
}

void paintLine(QPainter &painter, const LineColumns &c, const ExerciseListLine &line)
{
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(c.name, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(line.name, Qt::ElideNone, c.name.width()));
    painter.drawText(c.minutes, Qt::AlignRight | Qt::AlignVCenter, line.minutes.trimmed());
    painter.drawText(c.energy, Qt::AlignRight | Qt::AlignVCenter, line.energy.trimmed());
    painter.drawText(c.memo, Qt::AlignLeft | Qt::AlignVCenter, line.memo);
}

class SportsLineDelegate : public QStyledItemDelegate
{
public:
    explicit SportsLineDelegate(SportsList *list)
        : QStyledItemDelegate(list)
        , m_list(list)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
        painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        painter->setClipRect(option.rect);
        paintLine(*painter, columnsOf(option.rect, m_list->boundary(), option.fontMetrics), m_list->line(index.row()));
        painter->setPen(option.palette.mid().color());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        return QSize(0, option.fontMetrics.height() + 6);
    }

private:
    SportsList *m_list;
};

}  // namespace

// The heading row above the lines, and the grip of the column boundary.
class SportsListHeading : public QWidget
{
public:
    explicit SportsListHeading(SportsList *list)
        : QWidget(list)
        , m_list(list)
    {
        setObjectName(QStringLiteral("heading"));
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().button());
        painter.setPen(palette().buttonText().color());
        painter.setFont(m_list->font());
        const LineColumns c = columnsOf(rect(), m_list->boundary(), painter.fontMetrics());
        paintLine(painter, c,
                  ExerciseListLine{QStringLiteral("運動種目"), QStringLiteral("運動時間"), QStringLiteral("消費ｴﾈﾙｷﾞｰ"),
                                   QStringLiteral("メ　　モ")});
        painter.setPen(palette().mid().color());
        painter.drawLine(rect().bottomLeft(), rect().bottomRight());
        painter.setPen(palette().dark().color());
        painter.drawLine(m_list->boundary() - 2, 0, m_list->boundary() - 2, height());
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && nearBoundary(event->position().toPoint().x())) {
            m_dragging = true;
            grabMouse();
        }
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        const int x = event->position().toPoint().x();
        if (m_dragging)
            m_list->setBoundary(x);
        setCursor(m_dragging || nearBoundary(x) ? Qt::SplitHCursor : Qt::ArrowCursor);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (!m_dragging || event->button() != Qt::LeftButton)
            return;
        m_dragging = false;
        releaseMouse();
        m_list->setBoundary(event->position().toPoint().x());
        emit m_list->boundaryMoved(m_list->boundary());
    }

private:
    bool nearBoundary(int x) const { return std::abs(x - m_list->boundary()) <= kGripPixels; }

    SportsList *m_list;
    bool m_dragging = false;
};

SportsList::SportsList(QWidget *parent)
    : QListWidget(parent)
    , m_heading(new SportsListHeading(this))
{
    setObjectName(QStringLiteral("SportsList"));
    setFont(quenkit::createFont(QStringLiteral("ＭＳ ゴシック"), 0, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new SportsLineDelegate(this));
    setUniformItemSizes(true);
    setViewportMargins(0, kHeadingHeight, 0, 0);
    m_boundary = fifteenDigitsWidth() * 2;
    connect(this, &QListWidget::currentRowChanged, this, &SportsList::lineChanged);
    setEntries({}, 0);
}

int SportsList::fifteenDigitsWidth() const
{
    return QFontMetrics(font()).horizontalAdvance(QString(15, QLatin1Char('0')));
}

int SportsList::minimumBoundary() const
{
    return fifteenDigitsWidth() + 24;
}

int SportsList::clampedBoundary(int x) const
{
    const int low = minimumBoundary();
    const int high = viewport()->width() - 3 * low;
    return std::max(low, std::min(x, high));
}

void SportsList::setBoundary(int x)
{
    // A list still too narrow for both limits keeps what it is given within the lower one.
    const int clamped = viewport()->width() > 4 * minimumBoundary() ? clampedBoundary(x) : std::max(x, minimumBoundary());
    if (clamped == m_boundary)
        return;
    m_boundary = clamped;
    m_heading->update();
    viewport()->update();
}

void SportsList::setEntries(const QList<ExerciseEntry> &entries, int current)
{
    m_lines.clear();
    for (const ExerciseEntry &e : entries)
        m_lines.append(exerciseListLine(e));
    m_entryCount = static_cast<int>(entries.size());
    const QSignalBlocker block(this);
    clear();
    for (int i = 0; i <= m_entryCount; ++i)
        addItem(QString());
    setCurrentRow(std::clamp(current, 0, m_entryCount));
    blockSignals(false);
    emit lineChanged();
}

int SportsList::currentLine() const
{
    return std::max(currentRow(), 0);
}

int SportsList::currentEntry() const
{
    const int row = currentRow();
    return row >= 0 && row < m_entryCount ? row : -1;
}

ExerciseListLine SportsList::line(int index) const
{
    return index >= 0 && index < m_lines.size() ? m_lines[index] : ExerciseListLine{};
}

void SportsList::editLine()
{
    if (currentEntry() < 0)
        emit inputRequested();
    else
        emit modifyRequested();
}

void SportsList::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QListWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter: editLine(); return;
    case Qt::Key_F3: emit inputRequested(); return;
    case Qt::Key_Delete: emit deleteRequested(); return;
    default: QListWidget::keyPressEvent(event);
    }
}

void SportsList::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        setCurrentRow(index.row());
    if (event->button() == Qt::LeftButton)
        editLine();
}

void SportsList::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid())
        setCurrentRow(index.row());
    emit menuRequested(event->globalPos());
}

void SportsList::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    const QRect area = viewport()->geometry();
    m_heading->setGeometry(area.left(), area.top() - kHeadingHeight, area.width(), kHeadingHeight);
    setBoundary(m_boundary);
}

}  // namespace dalmain
