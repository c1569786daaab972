#pragma once

#include "dalmain/userdata/PfcTargets.h"

#include <QDialog>

#include <array>

namespace quenkit {
class NumEdit;
class Owner;
}

namespace dalmain {

// IDD_SET_PFC: the target ranges of protein, fat and carbohydrate as whole percentages of the
// energy. OK checks the six entries and, after the question, stores them; 標準に戻す puts the
// standard ranges into the entries (they are stored only by OK).
class PfcDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PfcDialog(quenkit::Owner *owner, QWidget *parent = nullptr);

    PfcEntries entries() const;
    void setEntries(const PfcEntries &entries);

    void accept() override;
    void restoreDefaults();

private:
    quenkit::Owner *m_owner;
    std::array<quenkit::NumEdit *, 6> m_edits{};
};

}  // namespace dalmain
