#pragma once

#include "dalmain/analysis/WeightFigures.h"

#include <QByteArray>
#include <QDialog>
#include <QTimer>

#include <array>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace quenkit {
class NumEdit;
class Owner;
}

namespace dalmain {

// A spin bar's step: 0.1 while the key or button has repeated at most 50 times, then 1.0. The
// value stays within 0 and maximum and keeps one decimal.
double spunValue(double value, int direction, int repeats, double maximum);

// A number field with an up and down button; Up and Down on the field step it too.
class SpinNumber : public QWidget
{
    Q_OBJECT
public:
    SpinNumber(int integerDigits, double maximum, const QString &unit, QWidget *parent = nullptr);

    quenkit::NumEdit *edit() const { return m_edit; }
    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }
    QString text() const;
    void setText(const QString &text);
    double value() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
public:
    // A step of a new press (repeated false) or of the hold going on; the hold's repeats count
    // towards the faster step.
    void step(int direction, bool repeated);
    int repeats() const { return m_repeats; }

private:

    quenkit::NumEdit *m_edit;
    QToolButton *m_up;
    QToolButton *m_down;
    double m_maximum;
    int m_repeats = 0;
    int m_direction = 1;
    QTimer m_repeat;
};

// What the measurement dialog accepted.
struct MeasurementEntry {
    WeightRecord record;
    QByteArray memo;  // Shift-JIS
};

inline const QString kMeasurementCaption = QStringLiteral("体重の入力");

// IDD_WEIGHT_INPUT: the day of the shown month, the weight and body fat with their spin bars,
// and a memo. OK checks the day, then the weight, then the body fat, and keeps the dialog open
// on the field that failed.
class MeasurementDialog : public QDialog
{
    Q_OBJECT
public:
    MeasurementDialog(quenkit::Owner *owner, int year, int month, QWidget *parent = nullptr);

    // Presets the fields; a measurement that is edited keeps its day.
    void setEntry(int day, double kg, double bodyFat, const QString &memo);
    void setDayFixed(bool fixed);

    SpinNumber *weightField() const { return m_weight; }
    SpinNumber *bodyFatField() const { return m_bodyFat; }
    quenkit::NumEdit *dayField() const { return m_day; }
    QPlainTextEdit *memoField() const { return m_memo; }

    const MeasurementEntry &entry() const { return m_entry; }
    void accept() override;

private:
    quenkit::Owner *m_owner;
    int m_year;
    int m_month;
    quenkit::NumEdit *m_day;
    SpinNumber *m_weight;
    SpinNumber *m_bodyFat;
    QPlainTextEdit *m_memo;
    MeasurementEntry m_entry;
};

// IDD_WEIGHT_GOAL: the goal weight and body fat, preset from the current goals.
class WeightGoalDialog : public QDialog
{
    Q_OBJECT
public:
    WeightGoalDialog(quenkit::Owner *owner, const WeightGoal &goal, QWidget *parent = nullptr);

    quenkit::NumEdit *weightField() const { return m_weight; }
    quenkit::NumEdit *bodyFatField() const { return m_bodyFat; }
    // The texts to store, as the fields show them.
    QString weightText() const;
    QString bodyFatText() const;
    WeightGoal goal() const;

    void accept() override;

private:
    quenkit::Owner *m_owner;
    quenkit::NumEdit *m_weight;
    quenkit::NumEdit *m_bodyFat;
};

// The blocks of まとめてコピー as the user left them ("Dalmora Weight", SelCopyFlg1-4, each 1
// unless set to 0).
WeightCopyBlocks savedWeightCopyBlocks();

// IDD_WEIGHT_SELCOPY: which blocks まとめてコピー copies, from and into the settings. OK with
// nothing ticked counts as Cancel.
class WeightSelCopyDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WeightSelCopyDialog(QWidget *parent = nullptr);

    WeightCopyBlocks blocks() const;
    QCheckBox *box(int block) const { return m_boxes[static_cast<size_t>(block)]; }
    void accept() override;

private:
    std::array<QCheckBox *, 4> m_boxes{};
};

}  // namespace dalmain
