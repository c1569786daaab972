#pragma once

#include <QDialog>

namespace quenkit {
class Owner;
class StrEdit;
}

namespace dalmain {

// "料理名の入力" (IDD_MENU_RYOURINAMEINP): the name of a dish row, at most 40 bytes.
class DishNameDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DishNameDialog(quenkit::Owner *owner, QWidget *parent = nullptr);

    void setName(const QString &name);
    QString name() const;
    void accept() override;

private:
    quenkit::Owner *m_owner;
    quenkit::StrEdit *m_name;
};

}  // namespace dalmain
