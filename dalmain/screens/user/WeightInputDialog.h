#pragma once

#include "dalmain/userdata/UserEntries.h"

#include <QDialog>

#include <optional>

namespace quenkit {
class NumEdit;
class Owner;
}

namespace dalmain {

// IDD_WEIGHT_INPUT1: the record date and present weight of a user saved for the first time.
// OK runs the engine's check and keeps the dialog open on the field that failed.
class WeightInputDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WeightInputDialog(quenkit::Owner *owner, QWidget *parent = nullptr);

    WeightEntries entries() const;
    void setEntries(const WeightEntries &entries);
    // What OK accepted.
    const FirstWeight &weight() const { return m_weight; }

    void accept() override;

    // Runs the dialog; none when it was cancelled.
    static std::optional<FirstWeight> ask(quenkit::Owner *owner, QWidget *parent);

private:
    quenkit::Owner *m_owner;
    quenkit::NumEdit *m_year;
    quenkit::NumEdit *m_month;
    quenkit::NumEdit *m_day;
    quenkit::NumEdit *m_weightEdit;
    FirstWeight m_weight;
};

}  // namespace dalmain
