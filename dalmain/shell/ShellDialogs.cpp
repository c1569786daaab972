#include "dalmain/shell/ShellDialogs.h"

#include "dalmain/shell/ShellSettings.h"
#include "quenkit/controls/BmpDraw.h"
#include "quenkit/owner/Owner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalmain {

WasteRateDialog::WasteRateDialog(quenkit::Owner *owner, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("IDD_HAIKICHK"));
    setWindowTitle(QStringLiteral("廃棄率計算の確認"));
    setWindowFlag(Qt::WindowCloseButtonHint, false);

    auto *text = new QLabel(QStringLiteral(
        "食品の分量を入力するときの計算方法を選んでください。\n\n"
        "廃棄率計算を行わない場合は、入力した分量をそのまま食べた量（正味量）として計算します。\n"
        "廃棄率計算を行う場合は、入力した分量を皮や骨などを含む重さとみなし、"
        "食品ごとの廃棄率を差し引いて計算します。"), this);
    text->setWordWrap(true);
    text->setMinimumWidth(420);

    m_skip = new QPushButton(QStringLiteral("廃棄率計算を行わない（推奨）"), this);
    m_count = new QPushButton(QStringLiteral("廃棄率計算を行う"), this);
    m_skip->setDefault(true);
    connect(m_skip, &QPushButton::clicked, this, [this] { choose(false); });
    connect(m_count, &QPushButton::clicked, this, [this] { choose(true); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_skip);
    buttons->addWidget(m_count);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addLayout(buttons);
}

void WasteRateDialog::choose(bool count)
{
    const QString text = count ? QStringLiteral("廃棄率を計算します。よろしいですか？\n※システム設定でいつでも変更できます。")
                               : QStringLiteral("廃棄率を計算しません。よろしいですか？\n※システム設定でいつでも変更できます。");
    const quenkit::Answer answer = quenkit::ask(
        m_owner, quenkit::Message{QStringLiteral("確認"), text, quenkit::Buttons::OkCancel,
                                  quenkit::Icon::Information, quenkit::Answer::Ok});
    if (answer != quenkit::Answer::Ok)
        return;
    settings::setSystemString(settings::kSystemSet1, count ? QStringLiteral("1") : QStringLiteral("0"));
    m_chosen = true;
    accept();
}

void WasteRateDialog::reject()
{
    // Escape and the window manager's close come here; only a confirmed choice ends the dialog.
    if (m_chosen)
        QDialog::reject();
}

ExitDialog::ExitDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("IDD_DMEND"));
    setWindowTitle(QStringLiteral("Dalmoraの終了"));
    auto *text = new QLabel(QStringLiteral("Dalmoraを終了します。"), this);
    m_exit = new QPushButton(QStringLiteral("終了"), this);
    m_cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_exit->setDefault(true);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_exit);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addLayout(buttons);
}

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("Dalmoraについて"));

    auto *picture = new quenkit::BmpDraw(QStringLiteral("IDB_OPNING"), this);
    picture->setFixedSize(160, 160);
    auto *text = new QLabel(this);
    text->setTextFormat(Qt::RichText);
    text->setText(QStringLiteral(
        "<p style='font-size:16pt'><b>Dalmora</b> 栄養価計算</p>"
        "<p>バージョン %1</p>"
        "<p>家族ひとりひとりの食事、運動、体重を記録し、<br>"
        "日本人の食事摂取基準(2010年版)に照らして分析します。</p>"
        "<p>食品の成分値は日本食品標準成分表によります。</p>"
        "<p style='color:#606060'>Qt %2 を使用しています。</p>")
                      .arg(QStringLiteral(DALMORA_VERSION), QString::fromLatin1(qVersion())));
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *row = new QHBoxLayout;
    row->addWidget(picture, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addWidget(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
}

}  // namespace dalmain
