#include "dalmain/screens/analyze/AnalyzeCommentDialog.h"

#include "dalmain/analysis/AnalysisExport.h"
#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/userdata/MemoFile.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

namespace dalmain {

namespace {

const QString kCaption = QStringLiteral("毎日のコメント");

}  // namespace

QString AnalyzeCommentDialog::periodText(AnalysisPeriod period, const QByteArray &periodKey)
{
    const QString key = QString::fromLatin1(periodKey);
    switch (period) {
    case AnalysisPeriod::Day: return QStringLiteral("%1/%2/%3").arg(key.left(4), key.mid(4, 2), key.mid(6, 2));
    case AnalysisPeriod::Month: return QStringLiteral("%1/%2").arg(key.left(4), key.mid(4, 2));
    case AnalysisPeriod::Year: return key.left(4);
    case AnalysisPeriod::Selection: break;
    }
    return periodToolTip(AnalysisPeriod::Selection);
}

AnalyzeCommentDialog::AnalyzeCommentDialog(quenkit::Owner *owner, int user, AnalysisPeriod period,
                                           const QByteArray &periodKey, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_file(memoFileName(MemoKind::Analysis, user))
    , m_key(commentKey(period, periodKey))
    , m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("IDD_ALZ_COMMENT2"));
    setWindowTitle(kCaption);

    auto *date = new QLabel(QStringLiteral("日付：%1").arg(periodText(period, periodKey)), this);
    date->setObjectName(QStringLiteral("period"));
    m_text->setObjectName(QStringLiteral("comment"));
    m_text->setTabChangesFocus(true);
    QByteArray stored;
    ReadMemo(m_file, m_key, stored);
    m_text->setPlainText(quenkit::fromSjis(stored).left(kAnalysisCommentMaxCharacters));
    connect(m_text, &QPlainTextEdit::textChanged, this, &AnalyzeCommentDialog::keepWithinLimit);

    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    connect(ok, &QPushButton::clicked, this, &AnalyzeCommentDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(date);
    layout->addWidget(m_text, 1);
    layout->addLayout(helpOkCancelRow(this, ok, QStringLiteral("guide/analyze/comment")));
    resize(460, 340);
    m_text->setFocus();
    m_text->moveCursor(QTextCursor::End);
}

QString AnalyzeCommentDialog::text() const
{
    return m_text->toPlainText();
}

// The box takes no more than the limit, as an edit control with a text limit: what is typed or
// pasted beyond it is dropped from the end of the insertion, which ends at the cursor.
void AnalyzeCommentDialog::keepWithinLimit()
{
    const qsizetype excess = m_text->toPlainText().size() - kAnalysisCommentMaxCharacters;
    if (excess <= 0)
        return;
    const QSignalBlocker block(m_text);
    QTextCursor cursor = m_text->textCursor();
    const int end = cursor.position();
    cursor.setPosition(static_cast<int>(std::max<qsizetype>(0, end - excess)));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    // A stored text longer than the box (written by other means) is cut at the limit.
    if (m_text->toPlainText().size() > kAnalysisCommentMaxCharacters)
        m_text->setPlainText(m_text->toPlainText().left(kAnalysisCommentMaxCharacters));
}

void AnalyzeCommentDialog::accept()
{
    bool encodable = true;
    const QByteArray bytes = quenkit::toSjis(text(), &encodable);
    // A character the file cannot hold would come back as "?"; the text stays in the box to
    // be mended instead.
    if (!encodable) {
        quenkit::inform(m_owner, kCaption, QStringLiteral("コメントに保存できない文字があります。"));
        m_text->setFocus();
        return;
    }
    if (WriteMemo(m_file, m_key, bytes) != 1) {
        quenkit::inform(m_owner, kCaption, QStringLiteral("コメントを保存できませんでした。"), quenkit::Icon::Warning);
        return;
    }
    QDialog::accept();
}

bool editAnalysisComment(QWidget *parent, quenkit::Owner *owner, int user, AnalysisPeriod period,
                         const QByteArray &periodKey)
{
    AnalyzeCommentDialog dialog(owner, user, period, periodKey, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace dalmain
