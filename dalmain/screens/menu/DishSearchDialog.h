#pragma once

#include "dalmain/master/DishSearch.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace quenkit {
class NumEdit;
class Owner;
}

namespace dalmain {

// "料理の検索": dishes found by name, category or keyword, listed by name. For loading a dish it
// also takes the scale in percent; for deleting ("IDD_DELETEDIALOG") several can be chosen.
class DishSearchDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Purpose { Load, Choose, Delete };

    DishSearchDialog(quenkit::Owner *owner, Purpose purpose, QWidget *parent = nullptr);

    // The dishes chosen, by name (one unless deleting).
    QStringList chosen() const { return m_chosen; }
    // The scale for loading, percent (100 as stored).
    int scalePercent() const { return m_scale; }
    QStringList listedNames() const;

    void search();
    void accept() override;

private:
    void view();

    quenkit::Owner *m_owner;
    Purpose m_purpose;
    QLineEdit *m_text;
    QListWidget *m_results;
    quenkit::NumEdit *m_scaleEdit = nullptr;
    QStringList m_chosen;
    int m_scale = 100;
};

}  // namespace dalmain
