#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QList>
#include <QPointer>
#include <QWidget>

// The tab strip along the bottom of the main window that switches the screens.
namespace quenkit {

class TAKKUSUB;

// A frame around the page area with a row of 124 × 33 tabs below it. The captions are one
// text separated by "@" ("ユーザー@献  立  @運  動  @体  重  @分  析  "); two "@" in a row
// give an empty caption, no "@" one tab. Tab i has the id 1000 + i and, when the user picks
// it, the strip reports command(1024 + i), also when the tab was already selected.
class QUENKIT_CONTROLS_EXPORT TAKKU : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kTabWidth = 124;
    static constexpr int kTabHeight = 33;

    explicit TAKKU(const QString &captions = QString(), QWidget *parent = nullptr);

    // Replaces the tabs; the first one is selected.
    void setCaptions(const QString &captions);
    QString captions() const { return m_captions; }

    int count() const { return int(m_tabs.size()); }
    TAKKUSUB *tab(int index) const;
    // The selected tab's index, -1 when there are no tabs.
    int currentIndex() const;

    // Selects tab index as if the user had picked it, but without reporting a command: the
    // program uses this when it switches the screen by itself.
    void select(int index);

    // The widget shown in the page area, kept inside the frame (the current screen). The
    // strip does not take ownership of a page it is given.
    void setPage(QWidget *page);
    QWidget *page() const { return m_page; }
    // The area inside the raised frame above the tabs.
    QRect pageRect() const;

    QSize sizeHint() const override;

signals:
    void command(int id);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    friend class TAKKUSUB;
    void layoutChildren();

    QString m_captions;
    QList<TAKKUSUB *> m_tabs;
    QPointer<QWidget> m_page;
};

// One tab of a TAKKU. Left and Right pick the previous or next tab, wrapping around.
class QUENKIT_CONTROLS_EXPORT TAKKUSUB : public QWidget
{
    Q_OBJECT
public:
    int index() const { return m_index; }
    int id() const;
    QString caption() const { return m_caption; }
    bool isSelected() const { return m_selected; }
    // The number of tabs in the strip.
    int tabCount() const;

    // Selects this tab and takes the focus; with sendCommand the strip reports the tab's
    // command, whether or not it was selected before.
    void press(bool sendCommand);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class TAKKU;
    TAKKUSUB(const QString &caption, int index, TAKKU *strip);

    TAKKU *m_strip;
    QString m_caption;
    int m_index;
    bool m_selected = false;
};

}  // namespace quenkit
