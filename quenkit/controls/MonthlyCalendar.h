#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QPoint>
#include <QWidget>

namespace quenkit {

class BmpButton;
class DMCalendar;

// The month grid of a day picker: a month of day cells under a weekday heading, with buttons
// for the previous and next month and one that closes it. Clicking a day makes it the
// picker's date. The grid marks the picker's date, today and the days the picker was told to
// mark.
//
// Made with a null parent it is the picker's own pop-up: a small frameless window that the
// user drags by its title. Made with a parent it is an ordinary child widget showing the
// same picker (without the close button).
class QUENKIT_CONTROLS_EXPORT DMMonthlyCalendar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 150;
    static constexpr int kHeight = 155;

    explicit DMMonthlyCalendar(DMCalendar *picker, QWidget *parent = nullptr);

    DMCalendar *picker() const { return m_picker; }
    bool isPopup() const { return m_popup; }

    // Shows another month without changing the picker's date.
    void showMonth(int year, int month);
    int shownYear() const { return m_year; }
    int shownMonth() const { return m_month; }

    // The cell of day in the shown month; empty when the month cannot be laid out (before
    // 1980) or day is not in it.
    QRect dayRect(int day) const;
    // The day whose cell holds position, 0 for none.
    int dayAt(const QPoint &position) const;

    QSize sizeHint() const override { return QSize(kWidth, kHeight); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void stepMonth(int delta);

    DMCalendar *m_picker;
    bool m_popup;
    int m_year = 1980;
    int m_month = 1;
    BmpButton *m_previous;
    BmpButton *m_next;
    BmpButton *m_close;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

}  // namespace quenkit
