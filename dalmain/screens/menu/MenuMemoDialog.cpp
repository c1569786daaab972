#include "dalmain/screens/menu/MenuMemoDialog.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/userdata/MemoFile.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace dalmain {

MenuMemoDialog::MenuMemoDialog(quenkit::Owner *owner, int user, const QByteArray &dateKey, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_file(memoFileName(MemoKind::Menu, user))
    , m_key(dateKey)
    , m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("MenuMemo"));
    setWindowTitle(QStringLiteral("献立メモ"));
    m_text->setObjectName(QStringLiteral("memo"));
    QByteArray stored;
    ReadMemo(m_file, m_key, stored);
    m_text->setPlainText(quenkit::fromSjis(stored));
    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    QHBoxLayout *buttons = okCancelRow(this, ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("%1/%2/%3 のメモ")
                                     .arg(QString::fromLatin1(dateKey.left(4)), QString::fromLatin1(dateKey.mid(4, 2)),
                                          QString::fromLatin1(dateKey.mid(6, 2))),
                                 this));
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &MenuMemoDialog::accept);
    resize(420, 300);
}

QString MenuMemoDialog::text() const
{
    return m_text->toPlainText();
}

void MenuMemoDialog::setText(const QString &text)
{
    m_text->setPlainText(text);
}

void MenuMemoDialog::accept()
{
    bool encodable = true;
    const QByteArray bytes = quenkit::toSjis(text(), &encodable);
    if (!encodable || bytes.size() > kMemoMaxText) {
        quenkit::inform(m_owner, windowTitle(), QStringLiteral("メモに保存できない文字があるか、メモが長すぎます。"));
        return;
    }
    if (WriteMemo(m_file, m_key, bytes) != 1) {
        quenkit::inform(m_owner, windowTitle(), QStringLiteral("献立メモを保存できませんでした。"), quenkit::Icon::Warning);
        return;
    }
    QDialog::accept();
}

}  // namespace dalmain
