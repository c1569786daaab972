#pragma once

#include "dalmain/userdata/ExerciseLogDay.h"

#include <QListWidget>

namespace dalmain {

class SportsListHeading;

// The exercise screen's day list: one line per entry (item name, minutes, energy, memo) and the
// empty line after the last entry, where new entries go. The boundary between the name and the
// figures is dragged in the heading row; it never leaves less than the width of 15 "0"s plus
// 24 pixels for the names, nor less than three times that width for the rest.
class SportsList : public QListWidget
{
    Q_OBJECT
public:
    explicit SportsList(QWidget *parent = nullptr);

    // Shows the entries and the empty line, with line current selected (clamped).
    void setEntries(const QList<ExerciseEntry> &entries, int current);
    int entryCount() const { return m_entryCount; }
    // The selected line, 0 when none is; the empty line is entryCount().
    int currentLine() const;
    // The selected entry, -1 on the empty line.
    int currentEntry() const;

    // The name column's right edge, in the list's coordinates.
    int boundary() const { return m_boundary; }
    void setBoundary(int x);
    // The narrowest name column: 15 "0"s plus 24 pixels.
    int minimumBoundary() const;
    // The width of 15 "0"s in the list's font, which the stored boundary's default doubles.
    int fifteenDigitsWidth() const;

    // The texts of a line as painted (the empty line has none).
    ExerciseListLine line(int index) const;

signals:
    void inputRequested();      // F3, or F2, Enter and double-click on the empty line
    void modifyRequested();     // F2, Enter and double-click on an entry
    void deleteRequested();     // Del
    void boundaryMoved(int x);  // the user let go of the boundary there
    void menuRequested(const QPoint &globalPos);
    void lineChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class SportsListHeading;
    void editLine();
    int clampedBoundary(int x) const;

    SportsListHeading *m_heading;
    QList<ExerciseListLine> m_lines;
    int m_entryCount = 0;
    int m_boundary = 0;
};

}  // namespace dalmain
