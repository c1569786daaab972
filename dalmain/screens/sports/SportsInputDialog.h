#pragma once

#include "dalmain/master/ExerciseEnergy.h"
#include "dalmain/userdata/ExerciseLogEntry.h"

#include <QDialog>

#include <optional>

class QRadioButton;
class QToolButton;

namespace quenkit {
class NumEdit;
class Owner;
class StrEdit;
}

namespace dalmain {

// "運動種目の入力" (IDD_SPORTS_INPUT): the minutes of an item, from which its energy follows,
// or the energy entered directly with or without minutes, and a memo. The mode starts as the
// user last left it ("InputFlg" of "Dalmora Sports"), an item without Af can only be entered
// directly, and an entry being edited starts in its own mode.
class SportsInputDialog : public QDialog
{
    Q_OBJECT
public:
    SportsInputDialog(quenkit::Owner *owner, const ExerciseItem &item, const EnergyBasis &basis,
                      QWidget *parent = nullptr);

    // Starts from an entry being edited: its minutes, energy, memo and mode.
    void setEntry(const ExerciseEntry &entry);

    bool isDirect() const;
    void setDirect(bool direct);

    // The entry OK accepted.
    const ExerciseEntry &entry() const { return m_entry; }

    void accept() override;

private:
    void minutesEdited();
    void modeChanged();
    void step(quenkit::NumEdit *field, double by);

    quenkit::Owner *m_owner;
    ExerciseItem m_item;
    EnergyBasis m_basis;
    quenkit::NumEdit *m_minutes;
    quenkit::NumEdit *m_energy;
    QToolButton *m_energyUp;
    QToolButton *m_energyDown;
    quenkit::StrEdit *m_memo;
    QRadioButton *m_compute;
    QRadioButton *m_direct;
    ExerciseEntry m_entry;
};

}  // namespace dalmain
