#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace dalmain {

// The row at the foot of the menu screen's dialogs: the dialog's own confirming button and a
// キャンセル that rejects the dialog, both pushed to the right.
QHBoxLayout *okCancelRow(QDialog *dialog, QPushButton *ok);

}  // namespace dalmain
