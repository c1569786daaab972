#include "dalmain/screens/menu/DialogButtons.h"

#include "dalmain/shell/HelpWindow.h"
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

QHBoxLayout *helpOkCancelRow(QDialog *dialog, QPushButton *ok, const QString &helpTopic)
{
    QHBoxLayout *row = okCancelRow(dialog, ok);
    auto *help = new quenkit::Button2(QStringLiteral("ヘルプ"), dialog);
    help->setObjectName(QStringLiteral("help"));
    help->setAutoDefault(false);
    if (auto *cancel = dialog->findChild<QPushButton *>(QStringLiteral("cancel")))
        cancel->setAutoDefault(false);
    QObject::connect(help, &QPushButton::clicked, dialog, [dialog, helpTopic] { showHelp(helpTopic, dialog); });
    row->insertWidget(0, help);
    return row;
}

}  // namespace dalmain
