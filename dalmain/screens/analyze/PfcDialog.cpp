#include "dalmain/screens/analyze/PfcDialog.h"

#include "dalmain/shell/DialogRegistry.h"
#include "dalmain/shell/HelpWindow.h"

#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/NumEdit.h"
#include "quenkit/owner/Owner.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace dalmain {

namespace {

const dalmain::DialogRegistration registration(QStringLiteral("IDD_SET_PFC"), [](const DialogContext &c) {
    PfcDialog(c.owner, c.parent).exec();
});

const char *const kEditNames[6] = {"P1", "P2", "F1", "F2", "C1", "C2"};

}  // namespace

PfcDialog::PfcDialog(quenkit::Owner *owner, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("IDD_SET_PFC"));
    setWindowTitle(kPfcCaption);

    const QString rows[3] = {QStringLiteral("Ｐ たんぱく質"), QStringLiteral("Ｆ 脂　　　質"), QStringLiteral("Ｃ 炭水化物")};
    auto *grid = new QGridLayout;
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(new QLabel(rows[row], this), row, 0);
        for (int side = 0; side < 2; ++side) {
            auto *edit = new quenkit::NumEdit(3, 0, this);
            edit->setObjectName(QString::fromLatin1(kEditNames[2 * row + side]));
            edit->setMaximumWidth(48);
            edit->setAlignment(Qt::AlignRight);
            m_edits[static_cast<size_t>(2 * row + side)] = edit;
            grid->addWidget(edit, row, 1 + 2 * side);
        }
        grid->addWidget(new QLabel(QStringLiteral("～"), this), row, 2);
        grid->addWidget(new QLabel(QStringLiteral("％"), this), row, 4);
    }
    grid->setColumnStretch(5, 1);

    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *cancel = new quenkit::Button2(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto *standard = new quenkit::Button2(QStringLiteral("標準に戻す"), this);
    standard->setObjectName(QStringLiteral("standard"));
    auto *help = new quenkit::Button2(QStringLiteral("ヘルプ"), this);
    help->setObjectName(QStringLiteral("help"));
    auto *buttons = new QVBoxLayout;
    for (QWidget *b : {static_cast<QWidget *>(ok), static_cast<QWidget *>(cancel), static_cast<QWidget *>(standard),
                       static_cast<QWidget *>(help)})
        buttons->addWidget(b);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addSpacing(12);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &PfcDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(standard, &QPushButton::clicked, this, [this] {
        if (quenkit::askYesNo(m_owner, kPfcCaption, kPfcDefaultsQuestion))
            restoreDefaults();
    });
    connect(help, &QPushButton::clicked, this, [this] { showHelp(QStringLiteral("guide/option/pfc"), this); });

    setEntries(pfcEntriesOf(readPfcTargets()));
    m_edits[0]->setFocus();
}

PfcEntries PfcDialog::entries() const
{
    PfcEntries e;
    for (size_t i = 0; i < e.size(); ++i)
        e[i] = m_edits[i]->text();
    return e;
}

void PfcDialog::setEntries(const PfcEntries &entries)
{
    for (size_t i = 0; i < entries.size(); ++i)
        m_edits[i]->setFilteredText(entries[i]);
}

void PfcDialog::restoreDefaults()
{
    setEntries(pfcEntriesOf(PfcTargets()));
}

void PfcDialog::accept()
{
    PfcTargets targets;
    const int refused = CheckPfcEntries(m_owner, entries(), &targets);
    if (refused >= 0) {
        m_edits[static_cast<size_t>(refused)]->setFocus();
        m_edits[static_cast<size_t>(refused)]->selectAll();
        return;
    }
    if (!quenkit::askYesNo(m_owner, kPfcCaption, kPfcStoreQuestion))
        return;
    StorePfcTargets(targets);
    QDialog::accept();
}

}  // namespace dalmain
