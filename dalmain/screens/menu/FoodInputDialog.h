#pragma once

#include <QDialog>

class QLabel;

namespace quenkit {
class NumEdit;
class Owner;
}

namespace dalmain {

// "食品分量の入力": the food (its number typed, or taken from the food search) and its amount in
// grams, at most 999.9.
class FoodInputDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FoodInputDialog(quenkit::Owner *owner, QWidget *parent = nullptr);

    // Starts with a food and an amount (修正); 0 tenths leaves the amount empty.
    void setEntry(quint32 food, int amountTenths);
    quint32 food() const { return m_food; }
    // The amount as a count of tenths of a gram.
    int amountTenths() const { return m_amountTenths; }

    // Opens the food search and takes the food chosen there.
    void searchFood();
    void accept() override;

private:
    void numberEdited();

    quenkit::Owner *m_owner;
    quenkit::NumEdit *m_number;
    QLabel *m_name;
    quenkit::NumEdit *m_amount;
    quint32 m_food = 0;
    int m_amountTenths = 0;
};

}  // namespace dalmain
