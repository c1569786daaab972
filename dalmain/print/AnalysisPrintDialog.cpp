#include "dalmain/print/AnalysisPrintDialog.h"

#include "dalmain/print/AnalysisPrintReport.h"

#include "quenkit/controls/NumEdit.h"
#include "quenkit/owner/Owner.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dalmain {

namespace {

struct BoxText {
    int box;
    const char *text;
};

// In the order the report prints them, the header's two boxes last.
const BoxText kBoxes[] = {
    {PrintUserInfo, "ユーザー情報"},
    {PrintFoodCount, "１日の食品数"},
    {PrintMealEnergyRatio, "食事区分のエネルギー比"},
    {PrintEnergyBalance, "運動"},
    {PrintBodyWeight, "体重"},
    {PrintBodyFat, "体脂肪率"},
    {PrintNutrients, "栄養バランス"},
    {PrintSufficiencyRadar, "充足確率レーダーチャート"},
    {PrintPfc, "３大栄養素バランス"},
    {PrintExchangeTable, "食品交換表"},
    {PrintGroupTable, "食品群別表"},
    {PrintExchangeRadar, "食品交換表レーダーチャート"},
    {PrintGroupRadar, "食品群別表レーダーチャート"},
    {PrintHistory, "ｴﾈﾙｷﾞｰ・運動・体重の履歴"},
    {PrintComment, "コメント"},
    {PrintPeriodInHeader, "分析日付･分析名"},
    {PrintDateInHeader, "印刷日付"},
};

// Two radio buttons in a titled group; the second is returned (the choice stored as 1).
QAbstractButton *choice(QWidget *parent, QVBoxLayout *into, const QString &title, const QString &first,
                        const QString &second, bool secondOn, const char *name)
{
    auto *group = new QGroupBox(title, parent);
    auto *a = new QRadioButton(first, group);
    auto *b = new QRadioButton(second, group);
    b->setObjectName(QString::fromLatin1(name));
    a->setObjectName(QString::fromLatin1(name) + QStringLiteral("Off"));
    (secondOn ? b : a)->setChecked(true);
    auto *layout = new QHBoxLayout(group);
    layout->addWidget(a);
    layout->addWidget(b);
    into->addWidget(group);
    return b;
}

double cmOf(const QLineEdit *edit)
{
    bool ok = false;
    const double cm = edit->text().toDouble(&ok);
    return ok && cm > 0 ? cm : 0.0;
}

}  // namespace

AnalysisPrintDialog::AnalysisPrintDialog(quenkit::Owner *owner, const AnalysisPrintOptions &options,
                                         const AnalysisPrintAvailability &available,
                                         std::function<void(QWidget *)> editComment, QWidget *parent)
    : QDialog(parent), m_owner(owner), m_options(options)
{
    setObjectName(QStringLiteral("IDD_ALZ_PRINT"));
    setWindowTitle(QStringLiteral("分析結果の印刷"));

    auto *sections = new QGroupBox(QStringLiteral("印刷する項目"), this);
    auto *grid = new QGridLayout(sections);
    int row = 0;
    for (const BoxText &b : kBoxes) {
        auto *box = new QCheckBox(QString::fromUtf8(b.text), sections);
        box->setObjectName(QStringLiteral("Flg3_%1").arg(b.box));
        const bool allowed = available.allows(b.box);
        box->setEnabled(allowed);
        box->setChecked(allowed && options.box(b.box));
        m_boxes.insert(b.box, box);
        grid->addWidget(box, row % 9, row / 9);
        ++row;
    }

    auto *right = new QVBoxLayout;
    m_monochrome = choice(this, right, QStringLiteral("印刷色"), QStringLiteral("カラー印刷"),
                          QStringLiteral("モノクロ印刷"), options.monochrome, "monochrome");

    auto *space = new QGroupBox(QStringLiteral("余白"), this);
    auto *flush = new QRadioButton(QStringLiteral("左寄せ"), space);
    flush->setObjectName(QStringLiteral("marginsOff"));
    auto *given = new QRadioButton(QStringLiteral("数値で指定"), space);
    given->setObjectName(QStringLiteral("margins"));
    (options.margins ? given : flush)->setChecked(true);
    m_margins = given;
    m_top = new quenkit::NumEdit(2, 1, space);
    m_top->setObjectName(QStringLiteral("top"));
    m_top->setText(QString::number(options.topCm, 'f', 1));
    m_left = new quenkit::NumEdit(2, 1, space);
    m_left->setObjectName(QStringLiteral("left"));
    m_left->setText(QString::number(options.leftCm, 'f', 1));
    auto *spaceLayout = new QGridLayout(space);
    spaceLayout->addWidget(flush, 0, 0, 1, 4);
    spaceLayout->addWidget(given, 1, 0, 1, 4);
    spaceLayout->addWidget(new QLabel(QStringLiteral("上："), space), 2, 0);
    spaceLayout->addWidget(m_top, 2, 1);
    spaceLayout->addWidget(new QLabel(QStringLiteral("左："), space), 2, 2);
    spaceLayout->addWidget(m_left, 2, 3);
    spaceLayout->addWidget(new QLabel(QStringLiteral("cm"), space), 2, 4);
    // The margins are only typed when they are used.
    const auto enableMargins = [this] {
        m_top->setEnabled(m_margins->isChecked());
        m_left->setEnabled(m_margins->isChecked());
    };
    connect(given, &QRadioButton::toggled, this, enableMargins);
    enableMargins();
    right->addWidget(space);

    m_shownNutrients = choice(this, right, QStringLiteral("栄養バランスの栄養素"), QStringLiteral("全ての栄養素"),
                              QStringLiteral("表示されている栄養素"), options.shownNutrientsOnly, "shownNutrients");
    m_twoColumns = choice(this, right, QStringLiteral("列"), QStringLiteral("１列"), QStringLiteral("２列"),
                          options.twoColumns, "twoColumns");

    auto *comment = new QPushButton(QStringLiteral("コメント入力"), this);
    comment->setObjectName(QStringLiteral("comment"));
    comment->setEnabled(static_cast<bool>(editComment));
    connect(comment, &QPushButton::clicked, this, [this, editComment] {
        if (editComment)
            editComment(this);
    });
    right->addWidget(comment, 0, Qt::AlignLeft);
    right->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(sections, 1);
    top->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(printDialogButtons(this, [this](PrintDestination destination) { finish(destination); }));
}

AnalysisPrintOptions AnalysisPrintDialog::options() const
{
    AnalysisPrintOptions o = m_options;
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        o.setBox(it.key(), it.value()->isEnabled() && it.value()->isChecked());
    o.monochrome = m_monochrome->isChecked();
    o.margins = m_margins->isChecked();
    o.topCm = cmOf(m_top);
    o.leftCm = cmOf(m_left);
    o.shownNutrientsOnly = m_shownNutrients->isChecked();
    o.twoColumns = m_twoColumns->isChecked();
    return o;
}

void AnalysisPrintDialog::finish(PrintDestination destination)
{
    const AnalysisPrintOptions chosen = options();
    if (!chosen.anySection()) {
        quenkit::inform(m_owner, kNoAnalysisSectionCaption, kNoAnalysisSectionMessage, quenkit::Icon::Warning);
        return;
    }
    // A box that is disabled for this analysis keeps what was stored for the next one.
    AnalysisPrintOptions stored = chosen;
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
        if (!it.value()->isEnabled())
            stored.setBox(it.key(), m_options.box(it.key()));
    }
    writeAnalysisPrintOptions(stored);
    m_destination = destination;
    accept();
}

AnalysisPrintAvailability analysisPrintAvailability(const AnalysisReport &report)
{
    AnalysisPrintAvailability a;
    a.history = report.period != AnalysisPeriod::Year;
    a.exchangeTable = report.exchange.has_value();
    a.groupTable = report.groups.has_value();
    return a;
}

void printAnalysis(quenkit::Owner *owner, QWidget *parent, const AnalysisReport &report,
                   std::function<void(QWidget *)> editComment)
{
    if (!report.result || report.result->dayCount == 0) {
        quenkit::inform(owner, kNoPrinterCaption, kNoDataMessage, quenkit::Icon::Warning);
        return;
    }
    AnalysisPrintDialog dialog(owner, readAnalysisPrintOptions(), analysisPrintAvailability(report),
                               std::move(editComment), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Built after the dialog, so that a comment entered from it is printed.
    const AnalysisPrintReport printed = makeAnalysisPrintReport(report, dialog.options());
    printReport(owner, parent, printed, dialog.options().placement(), dialog.destination());
}

}  // namespace dalmain
