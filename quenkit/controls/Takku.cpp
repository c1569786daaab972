#include "quenkit/controls/Takku.h"

#include "quenkit/controls/Commands.h"
#include "quenkit/controls/Drawing.h"
#include "quenkit/controls/Fonts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace quenkit {

namespace {

// Width of the raised frame around the page.
constexpr int kFrameWidth = 2;

}  // namespace

TAKKU::TAKKU(const QString &captions, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TAKKU"));
    setCaptions(captions);
}

void TAKKU::setCaptions(const QString &captions)
{
    qDeleteAll(m_tabs);
    m_tabs.clear();
    m_captions = captions;
    const QStringList parts = captions.split(QLatin1Char('@'));
    for (int i = 0; i < parts.size(); ++i) {
        auto *tab = new TAKKUSUB(parts[i], i, this);
        m_tabs.append(tab);
        tab->show();
    }
    m_tabs.first()->m_selected = true;
    layoutChildren();
    update();
}

TAKKUSUB *TAKKU::tab(int index) const
{
    return (index >= 0 && index < m_tabs.size()) ? m_tabs[index] : nullptr;
}

int TAKKU::currentIndex() const
{
    for (const TAKKUSUB *tab : m_tabs) {
        if (tab->isSelected())
            return tab->index();
    }
    return -1;
}

void TAKKU::select(int index)
{
    if (TAKKUSUB *target = tab(index))
        target->press(false);
}

void TAKKU::setPage(QWidget *page)
{
    m_page = page;
    if (page) {
        if (page->parentWidget() != this)
            page->setParent(this);
        page->show();
    }
    layoutChildren();
}

QRect TAKKU::pageRect() const
{
    return QRect(0, 0, width(), height() - kTabHeight)
        .adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
}

QSize TAKKU::sizeHint() const
{
    return QSize(kTabWidth * count(), kTabHeight + 200);
}

void TAKKU::resizeEvent(QResizeEvent *)
{
    layoutChildren();
}

void TAKKU::layoutChildren()
{
    const int top = height() - kTabHeight;
    for (TAKKUSUB *tab : m_tabs)
        tab->setGeometry(kTabWidth * tab->index(), top, kTabWidth, kTabHeight);
    if (m_page)
        m_page->setGeometry(pageRect());
}

void TAKKU::paintEvent(QPaintEvent *)
{
    // Only the frame: the page fills the inside, and the row beside the tabs shows the
    // parent's background.
    QPainter painter(this);
    const QRect frame(0, 0, width(), height() - kTabHeight);
    if (frame.height() > 0)
        qDrawWinPanel(&painter, frame, palette(), false, nullptr);
}

TAKKUSUB::TAKKUSUB(const QString &caption, int index, TAKKU *strip)
    : QWidget(strip)
    , m_strip(strip)
    , m_caption(caption)
    , m_index(index)
{
    setObjectName(QStringLiteral("TAKKUSUB"));
    setFocusPolicy(Qt::ClickFocus);
    setFont(createFont(QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"), 12, 24));
}

int TAKKUSUB::id() const
{
    return kTabIdBase + m_index;
}

int TAKKUSUB::tabCount() const
{
    return m_strip->count();
}

void TAKKUSUB::press(bool sendCommand)
{
    if (!m_selected) {
        for (TAKKUSUB *sibling : m_strip->m_tabs) {
            if (sibling->m_selected) {
                sibling->m_selected = false;
                sibling->update();
            }
        }
        m_selected = true;
        update();
    }
    setFocus(Qt::OtherFocusReason);
    if (sendCommand)
        emit m_strip->command(kTabCommandBase + m_index);
}

void TAKKUSUB::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        press(true);
}

void TAKKUSUB::keyPressEvent(QKeyEvent *event)
{
    const int count = tabCount();
    if (event->key() == Qt::Key_Left)
        m_strip->tab((m_index + count - 1) % count)->press(true);
    else if (event->key() == Qt::Key_Right)
        m_strip->tab((m_index + 1) % count)->press(true);
    event->accept();
}

void TAKKUSUB::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &pal = palette();
    const QRect box = rect();

    // The selected tab hangs from the page like a card: face colour, no edge at the top.
    // The others sit back a little, in a darker face, closed at the top.
    if (m_selected) {
        painter.fillRect(box, pal.button());
        painter.setPen(pal.light().color());
        painter.drawLine(0, 0, 0, box.bottom() - 1);
        painter.setPen(pal.dark().color());
        painter.drawLine(box.right() - 1, 0, box.right() - 1, box.bottom() - 1);
        painter.drawLine(1, box.bottom() - 1, box.right() - 1, box.bottom() - 1);
        painter.setPen(pal.shadow().color());
        painter.drawLine(box.right(), 0, box.right(), box.bottom());
        painter.drawLine(0, box.bottom(), box.right(), box.bottom());
        // Marker at the left edge.
        const QRect marker(6, (box.height() - 14) / 2, 6, 14);
        const QBrush fill = pal.highlight();
        qDrawWinPanel(&painter, marker, pal, true, &fill);
    } else {
        painter.fillRect(box, pal.midlight());
        painter.setPen(pal.dark().color());
        painter.drawLine(0, 0, box.right(), 0);
        painter.drawLine(box.right(), 0, box.right(), box.bottom());
        painter.drawLine(0, box.bottom(), box.right(), box.bottom());
        painter.setPen(pal.light().color());
        painter.drawLine(0, 1, 0, box.bottom() - 1);
    }

    const QFontMetrics metrics(font());
    const int x = (box.width() - metrics.horizontalAdvance(m_caption)) / 2;
    const int y = (box.height() - metrics.height()) / 2;
    if (m_selected) {
        painter.setPen(Qt::black);
        OrnamentTextOut(painter, x, y, m_caption, QColor(), pal.midlight().color().darker(115));
        textOut(painter, x + 1, y, m_caption);
    } else {
        painter.setPen(pal.dark().color().darker(140));
        textOut(painter, x, y, m_caption);
        textOut(painter, x + 1, y, m_caption);
    }
}

}  // namespace quenkit
