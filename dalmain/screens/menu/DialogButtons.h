#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;
class QString;

namespace dalmain {

// The row at the foot of the menu screen's dialogs: the dialog's own confirming button and a
// キャンセル that rejects the dialog, both pushed to the right.
QHBoxLayout *okCancelRow(QDialog *dialog, QPushButton *ok);

// The same row with ヘルプ at the left, which opens the help topic. Neither キャンセル nor
// ヘルプ answers Enter, which belongs to the dialog's fields.
QHBoxLayout *helpOkCancelRow(QDialog *dialog, QPushButton *ok, const QString &helpTopic);

}  // namespace dalmain
