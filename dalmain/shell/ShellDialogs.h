#pragma once

#include <QDialog>

namespace quenkit {
class Owner;
}

class QPushButton;

// The small dialogs of start and end: the waste-rate question of the first start, the
// confirmation at exit, and the about box.
namespace dalmain {

// IDD_HAIKICHK: how waste rates are counted, asked once. Each choice is confirmed through the
// owner; a confirmed choice is stored in SystemSet1 and closes the dialog. The question must be
// answered: Escape does not close it.
class WasteRateDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WasteRateDialog(quenkit::Owner *owner, QWidget *parent = nullptr);

    QPushButton *skipButton() const { return m_skip; }
    QPushButton *countButton() const { return m_count; }

    void reject() override;

private:
    void choose(bool count);

    quenkit::Owner *m_owner;
    QPushButton *m_skip;
    QPushButton *m_count;
    bool m_chosen = false;
};

// IDD_DMEND: "Dalmoraの終了" with "終了" (accept) and "ｷｬﾝｾﾙ" (reject).
class ExitDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ExitDialog(QWidget *parent = nullptr);

    QPushButton *exitButton() const { return m_exit; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QPushButton *m_exit;
    QPushButton *m_cancel;
};

// Dialog 100: the about box.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};

}  // namespace dalmain
