#pragma once

#include "dalmain/master/ExerciseItem.h"

#include <QDialog>

#include <optional>

class QListWidget;

namespace quenkit {
class StrEdit;
}

namespace dalmain {

// "運動種目の選択" (IDD_SEARCHDIALOG2): the exercise items whose name holds the keyword, the list
// following the typing; OK, Enter on the list or a double-click takes the item.
class ExerciseSearchDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ExerciseSearchDialog(QList<ExerciseItem> items, QWidget *parent = nullptr);

    void setKeyword(const QString &keyword);
    // The items listed now, in table order.
    const QList<ExerciseItem> &listed() const { return m_listed; }
    std::optional<ExerciseItem> chosen() const { return m_chosen; }

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search();

    QList<ExerciseItem> m_items;
    QList<ExerciseItem> m_listed;
    std::optional<ExerciseItem> m_chosen;
    quenkit::StrEdit *m_keyword;
    QListWidget *m_results;
};

// A line of the result list: number, Af ("Af なし" when it has none) and name.
QString exerciseSearchLine(const ExerciseItem &item);

}  // namespace dalmain
