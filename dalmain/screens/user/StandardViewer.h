#pragma once

#include "dalmain/master/IntakeStandard.h"
#include "dalmain/master/ReferenceIntakes.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTableWidget;

namespace dalmain {

// IDD_VIEW_SYOYO: the open user's reference values, a third of the nutrients a page, with
// buttons to the previous and next page.
class StandardViewer : public QDialog
{
public:
    static constexpr int kPages = 3;

    StandardViewer(const IntakeSubject &subject, const IntakeStandard &standard, QWidget *parent = nullptr);

    int page() const { return m_page; }
    void showPage(int page);
    // The first nutrient of a page and the number of nutrients on it.
    static int firstNutrient(int page);
    static int nutrientsOn(int page);

    QString caption() const;
    // The lines of the page shown: name, lower and upper value ("" for no bound).
    QList<QStringList> pageRows() const;

private:
    IntakeStandard m_standard;
    int m_page = 0;
    QLabel *m_caption;
    QTableWidget *m_table;
    QPushButton *m_previous;
    QPushButton *m_next;
};

}  // namespace dalmain
