#pragma once

#include <QDialog>
#include <QTimer>

class QToolButton;

namespace quenkit {
class NumEdit;
}

namespace dalmain {

// The spin button of the ratio: steps of 0.1 for the first 100 steps of one press, of 1.0 for
// steps 101-200 and of 10.0 beyond, never above 99.99 or below 0; a new press starts again at
// 0.1.
class RatioStepper
{
public:
    void press() { m_steps = 0; }
    // The value after one more step of the press up (direction 1) or down (-1).
    double step(double value, int direction);
    int steps() const { return m_steps; }

private:
    int m_steps = 0;
};

// "分量変換": the ratio by which the selected amounts are multiplied, 0.00-99.99.
class ConvertDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ConvertDialog(QWidget *parent = nullptr);

    // The ratio in hundredths as the dialog returns it (1.5 gives 150).
    int ratioPercent() const { return m_percent; }
    void setRatioText(const QString &text);
    QString ratioText() const;

    // The spin button: a press, each step while it is held, the release.
    void pressSpin(int direction);
    void stepSpin();
    void releaseSpin();

    void accept() override;

private:
    quenkit::NumEdit *m_ratio;
    QToolButton *m_up;
    QToolButton *m_down;
    QTimer m_repeat;
    RatioStepper m_stepper;
    int m_direction = 0;
    int m_percent = 0;
};

}  // namespace dalmain
