#include "dalmain/screens/sports/ExerciseSearchDialog.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/dbf/DbfSearch.h"
#include "quenkit/text/ShiftJis.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace dalmain {

QString exerciseSearchLine(const ExerciseItem &item)
{
    const QString af = hasIntensity(item) && !isSleepItem(item) ? QString::asprintf("Af%5.1f", item.af)
                       : isSleepItem(item)                       ? QStringLiteral("睡眠   ")
                                                                 : QStringLiteral("Af なし");
    return QString::asprintf("%5u  ", item.number) + af + QStringLiteral("  ") + item.displayName();
}

ExerciseSearchDialog::ExerciseSearchDialog(QList<ExerciseItem> items, QWidget *parent)
    : QDialog(parent)
    , m_items(std::move(items))
    , m_keyword(new quenkit::StrEdit(this))
    , m_results(new QListWidget(this))
{
    setObjectName(QStringLiteral("IDD_SEARCHDIALOG2"));
    setWindowTitle(QStringLiteral("運動種目の選択"));
    m_keyword->setObjectName(QStringLiteral("keyword"));
    m_keyword->setByteLimit(exerciseitem::NameWidth);
    m_results->setObjectName(QStringLiteral("results"));
    m_results->setMinimumSize(460, 320);
    m_results->installEventFilter(this);
    m_keyword->installEventFilter(this);

    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setAutoDefault(false);
    auto *keywordRow = new QHBoxLayout;
    keywordRow->addWidget(new QLabel(QStringLiteral("キーワード"), this));
    keywordRow->addWidget(m_keyword, 1);
    QHBoxLayout *buttons = helpOkCancelRow(this, ok, QStringLiteral("guide/sports/input"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(keywordRow);
    layout->addWidget(new QLabel(QStringLiteral("運動種目（番号・動作強度・名前）"), this));
    layout->addWidget(m_results, 1);
    layout->addLayout(buttons);

    connect(m_keyword, &QLineEdit::textChanged, this, &ExerciseSearchDialog::search);
    connect(m_results, &QListWidget::itemDoubleClicked, this, &ExerciseSearchDialog::accept);
    connect(ok, &QPushButton::clicked, this, &ExerciseSearchDialog::accept);
    search();
    m_keyword->setFocus();
}

void ExerciseSearchDialog::setKeyword(const QString &keyword)
{
    m_keyword->setText(keyword);
}

void ExerciseSearchDialog::search()
{
    const QByteArray key = quenkit::toSjis(m_keyword->text().trimmed());
    const quenkit::DbfKeyMatcher matcher(key, key);
    m_listed.clear();
    m_results->clear();
    for (const ExerciseItem &item : std::as_const(m_items)) {
        if (key.isEmpty() || matcher.matches(item.name)) {
            m_listed.append(item);
            m_results->addItem(exerciseSearchLine(item));
        }
    }
    m_results->setCurrentRow(m_listed.isEmpty() ? -1 : 0);
}

bool ExerciseSearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == m_keyword && (key == Qt::Key_Down || enter)) {
        // From the keyword the list takes over; Enter on a single result takes it at once.
        if (enter && m_listed.size() == 1) {
            accept();
        } else if (!m_listed.isEmpty()) {
            m_results->setFocus();
        }
        return true;
    }
    if (watched == m_results && enter) {
        accept();
        return true;
    }
    return false;
}

void ExerciseSearchDialog::accept()
{
    const int row = m_results->currentRow();
    if (row < 0 || row >= m_listed.size()) {
        m_keyword->setFocus();
        return;
    }
    m_chosen = m_listed[row];
    QDialog::accept();
}

}  // namespace dalmain
