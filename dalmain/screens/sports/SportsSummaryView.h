#pragma once

#include "dalmain/master/ExerciseSummary.h"

#include <QWidget>

class QPainter;

namespace dalmain {

// Paints a day's energy expenditure into rect: time, exercise and basal metabolism, living and
// the day's total with the guideline, then what a moderate exercise is and the note on the
// total. The screen and the printed day use this one routine.
void paintExerciseSummary(QPainter &painter, const QRect &rect, const ExerciseSummary &summary);
// The height paintExerciseSummary needs at the width of rect for the font of painter.
int exerciseSummaryHeight(const QFontMetrics &metrics);

// The summary under the exercise screen's list.
class SportsSummaryView : public QWidget
{
    Q_OBJECT
public:
    explicit SportsSummaryView(QWidget *parent = nullptr);

    void setSummary(const ExerciseSummary &summary);
    const ExerciseSummary &summary() const { return m_summary; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ExerciseSummary m_summary;
};

}  // namespace dalmain
