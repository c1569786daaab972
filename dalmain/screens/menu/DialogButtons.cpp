#include "dalmain/screens/menu/DialogButtons.h"

#include "quenkit/controls/InputControls.h"

#include <QDialog>
#include <QHBoxLayout>

namespace dalmain {

QHBoxLayout *okCancelRow(QDialog *dialog, QPushButton *ok)
{
    auto *cancel = new quenkit::Button2(QStringLiteral("キャンセル"), dialog);
    cancel->setObjectName(QStringLiteral("cancel"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

}  // namespace dalmain
