#include "dalmain/screens/sports/SportsSelCopyDialog.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/shell/ShellSettings.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace dalmain {

namespace {

const char *const kBoxTexts[3] = {"項目見出し", "合計", "1日の運動目安"};

QString settingName(int box)
{
    return QStringLiteral("SelCopyFlg%1").arg(box + 1);
}

bool savedFlag(int box)
{
    return quenkit::GetRegistryInt(settings::kSportsSection, settingName(box), 1) != 0;
}

}  // namespace

CopyAllOptions savedCopyAllOptions()
{
    return CopyAllOptions{savedFlag(0), savedFlag(1), savedFlag(2)};
}

SportsSelCopyDialog::SportsSelCopyDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("IDD_SPORTS_SELCOPY"));
    setWindowTitle(QStringLiteral("まとめてコピー"));
    auto *layout = new QVBoxLayout(this);
    for (int b = 0; b < static_cast<int>(m_boxes.size()); ++b) {
        auto *box = new QCheckBox(QString::fromUtf8(kBoxTexts[b]), this);
        box->setObjectName(settingName(b));
        box->setChecked(savedFlag(b));
        m_boxes[static_cast<size_t>(b)] = box;
        layout->addWidget(box, 0, Qt::AlignLeft);
    }
    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    layout->addLayout(helpOkCancelRow(this, ok, QStringLiteral("guide/sports/allcopy")));
    connect(ok, &QPushButton::clicked, this, &SportsSelCopyDialog::accept);
}

CopyAllOptions SportsSelCopyDialog::options() const
{
    return CopyAllOptions{m_boxes[0]->isChecked(), m_boxes[1]->isChecked(), m_boxes[2]->isChecked()};
}

void SportsSelCopyDialog::accept()
{
    for (int b = 0; b < static_cast<int>(m_boxes.size()); ++b)
        quenkit::SetRegistryInt(settings::kSportsSection, settingName(b), m_boxes[static_cast<size_t>(b)]->isChecked() ? 1 : 0);
    QDialog::accept();
}

}  // namespace dalmain
