#pragma once

#include "dalmain/analysis/AnalysisResult.h"

#include <QByteArray>
#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace quenkit {
class Owner;
}

namespace dalmain {

// The longest comment the dialog takes, in characters.
constexpr int kAnalysisCommentMaxCharacters = 10000;

// IDD_ALZ_COMMENT2, "毎日のコメント": the free text of an analysed period, kept in the user's
// comment file under the period's comment key (every selection shares one). OK stores the text
// (an emptied box removes the comment); キャンセル leaves the file as it was.
class AnalyzeCommentDialog : public QDialog
{
    Q_OBJECT
public:
    // periodKey is the analysed period's key: YYYYMMDD, YYYYMM or YYYY; unused for a selection.
    AnalyzeCommentDialog(quenkit::Owner *owner, int user, AnalysisPeriod period, const QByteArray &periodKey,
                         QWidget *parent = nullptr);

    // The period as the dialog names it after "日付：": "2024/05/10", "2024/05", "2024" or
    // "選択分析".
    static QString periodText(AnalysisPeriod period, const QByteArray &periodKey);

    QString text() const;
    void accept() override;

private:
    void keepWithinLimit();

    quenkit::Owner *m_owner;
    QString m_file;
    QByteArray m_key;
    QPlainTextEdit *m_text;
};

// Opens the comment dialog of a period over parent: the analysis screen's "毎日のコメント" and the
// analysis print-out's "コメント入力". True when OK stored the text.
bool editAnalysisComment(QWidget *parent, quenkit::Owner *owner, int user, AnalysisPeriod period,
                         const QByteArray &periodKey);

}  // namespace dalmain
