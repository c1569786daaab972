#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

class QComboBox;
class QListWidget;
class QPushButton;

namespace dalmain {

// IDD_SEARCHDIALOG3, "献立を選択して分析": the user's menu days to analyse together. The combo
// box chooses the search range (every menu, a year, a month), 検索 lists its days, and 分析,
// enabled once a day is selected, closes the dialog with the chosen days' record numbers.
class AnalyzeSelectDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AnalyzeSelectDialog(int user, QWidget *parent = nullptr);

    // The combo box's ranges, the dates 検索 listed (in date order), and the records of the
    // days chosen by 分析 (1-based record numbers of the menu file, in date order).
    QStringList ranges() const;
    QList<QByteArray> listed() const { return m_listed; }
    QList<int> chosenRecords() const { return m_chosen; }

    void accept() override;

private:
    void search();
    void selectionChanged();

    struct Day {
        QByteArray date;
        int record = 0;
    };
    QList<Day> m_days;             // every day of the menu file, in date order
    QList<QByteArray> m_prefixes;  // of the combo box's ranges
    QList<QByteArray> m_listed;
    QList<int> m_listedRecords;
    QList<int> m_chosen;
    QComboBox *m_range;
    QListWidget *m_list;
    QPushButton *m_analyze;
};

}  // namespace dalmain
