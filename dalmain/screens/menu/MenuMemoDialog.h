#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace quenkit {
class Owner;
}

namespace dalmain {

// "献立メモ": the memo of one day of a user's menu, stored in the user's menu memo file on OK.
class MenuMemoDialog : public QDialog
{
    Q_OBJECT
public:
    MenuMemoDialog(quenkit::Owner *owner, int user, const QByteArray &dateKey, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    void accept() override;

private:
    quenkit::Owner *m_owner;
    QString m_file;
    QByteArray m_key;
    QPlainTextEdit *m_text;
};

}  // namespace dalmain
