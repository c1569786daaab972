#pragma once

#include "dalmain/userdata/ExerciseLogEntry.h"
#include "dalmain/userdata/KisoChoice.h"

#include <QDialog>

class QRadioButton;

namespace quenkit {
class NumEdit;
class Owner;
class StrEdit;
}

namespace dalmain {

inline const QString kBasalInputCaption = QStringLiteral("基礎代謝の入力");
inline const QString kBasalLimitMessage = QStringLiteral("基礎代謝量は9999.9kcal以内で入力して下さい。");

// "基礎代謝の入力" (IDD_KISOTAISYA_INPUT): the day's basal metabolism, computed from the
// person's standard value and weight or the value entered last time (KISO%d.DAT), and a memo.
// OK remembers the choice and the value for the next time.
class BasalInputDialog : public QDialog
{
    Q_OBJECT
public:
    // user -1 (no user open) remembers nothing.
    BasalInputDialog(quenkit::Owner *owner, int user, double computedBasal, QWidget *parent = nullptr);

    // Starts from the day's basal metabolism entry being edited.
    void setEntry(const ExerciseEntry &entry);
    void setSource(BasalSource source);
    BasalSource source() const;

    const ExerciseEntry &entry() const { return m_entry; }

    void accept() override;

private:
    void showSource();

    quenkit::Owner *m_owner;
    int m_user;
    double m_computed;
    BasalChoice m_stored;
    quenkit::NumEdit *m_value;
    quenkit::StrEdit *m_memo;
    QRadioButton *m_computedButton;
    QRadioButton *m_enteredButton;
    ExerciseEntry m_entry;
};

}  // namespace dalmain
