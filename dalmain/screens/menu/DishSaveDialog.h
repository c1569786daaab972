#pragma once

#include "dalmain/master/DishTable.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace quenkit {
class Owner;
class StrEdit;
}

namespace dalmain {

// "料理の保存" (IDD_RYOURI_WRITE): name, category, three keywords, picture and memo of the dish
// to store; OK saves it with its entries, and stays open when a check fails or the user says
// No to the question of the save.
class DishSaveDialog : public QDialog
{
    Q_OBJECT
public:
    DishSaveDialog(quenkit::Owner *owner, const QList<DishEntry> &entries, QWidget *parent = nullptr);

    void setForm(const DishForm &form);
    DishForm form() const;
    // What the last OK did.
    DishSaveOutcome outcome() const { return m_outcome; }

    void accept() override;

private:
    quenkit::Owner *m_owner;
    QList<DishEntry> m_entries;
    quenkit::StrEdit *m_name;
    QComboBox *m_category;
    std::array<quenkit::StrEdit *, dish::KeywordCount> m_keywords{};
    QComboBox *m_picture;
    quenkit::StrEdit *m_memo;
    DishSaveOutcome m_outcome;
};

}  // namespace dalmain
