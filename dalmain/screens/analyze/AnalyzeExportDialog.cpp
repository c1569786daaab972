#include "dalmain/screens/analyze/AnalyzeExportDialog.h"

#include "dalmain/shell/HelpWindow.h"

#include "quenkit/controls/InputControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace dalmain {

AnalyzeExportDialog::AnalyzeExportDialog(ExportTarget target, const ExportOptions &options,
                                         const ExportAvailability &available, QWidget *parent)
    : QDialog(parent)
    , m_target(target)
    , m_options(options)
{
    const bool copy = target == ExportTarget::Copy;
    setObjectName(copy ? QStringLiteral("IDD_ALZ_COPY_SELECT") : QStringLiteral("IDD_ALZ_WRITE_SELECT"));
    setWindowTitle(copy ? QStringLiteral("分析結果のコピー") : QStringLiteral("分析結果の保存"));

    struct Box {
        int option;
        const char *text;
        bool enabled;
    };
    const QList<Box> boxes = {
        {OptionUserInfo, "ユーザー情報", true},
        {OptionFoodCount, "食品数", true},
        {OptionMealEnergyRatio, "エネルギー比", true},
        {OptionPfc, "３大栄養素バランス", true},
        {OptionEnergyBalance, "運動", true},
        {OptionBodyWeight, "体重", true},
        {OptionBodyFat, "体脂肪率", copy},
        {OptionNutrients, "栄養バランス", true},
        {OptionExchangeTable, "食品交換表", available.exchangeTable},
        {OptionGroupTable, "食品群別表", available.groupTable},
        {OptionHistory, "エネルギー、体重の履歴", available.history},
    };
    auto *grid = new QGridLayout;
    int row = 0;
    for (const Box &b : boxes) {
        // The body fat goes only into the copy; the save shows no box for it.
        if (b.option == OptionBodyFat && !copy)
            continue;
        auto *box = new QCheckBox(QString::fromUtf8(b.text), this);
        box->setObjectName(QStringLiteral("Flg_%1").arg(b.option));
        box->setChecked(b.enabled && options.option(b.option));
        box->setEnabled(b.enabled);
        m_boxes.insert(b.option, box);
        grid->addWidget(box, row / 2, row % 2, Qt::AlignLeft);
        ++row;
    }

    auto *which = new QGroupBox(QStringLiteral("栄養バランス"), this);
    auto *shown = new QRadioButton(QStringLiteral("表示されている栄養素"), which);
    shown->setObjectName(QStringLiteral("shownNutrients"));
    auto *all = new QRadioButton(QStringLiteral("全ての栄養素"), which);
    all->setObjectName(QStringLiteral("allNutrients"));
    (options.shownNutrientsOnly ? shown : all)->setChecked(true);
    m_shown = shown;
    auto *whichLayout = new QHBoxLayout(which);
    whichLayout->addWidget(shown);
    whichLayout->addWidget(all);

    auto *left = new QVBoxLayout;
    left->addLayout(grid);
    left->addWidget(which);
    if (copy) {
        auto *kindRow = new QHBoxLayout;
        kindRow->addWidget(new QLabel(QStringLiteral("テキストの種類"), this));
        m_kind = new QComboBox(this);
        m_kind->setObjectName(QStringLiteral("textKind"));
        m_kind->addItems({QStringLiteral("テキストとタブ"), QStringLiteral("テキストとカンマ"), QStringLiteral("テキスト")});
        m_kind->setCurrentIndex(qBound(0, options.kindChoice, 2));
        kindRow->addWidget(m_kind, 1);
        left->addLayout(kindRow);
    }
    left->addStretch();

    // OK, キャンセル and ヘルプ down the right side.
    const std::array<std::pair<const char *, QString>, 3> buttonTexts = {
        {{"ok", QStringLiteral("OK")}, {"cancel", QStringLiteral("キャンセル")}, {"help", QStringLiteral("ヘルプ")}}};
    std::array<QPushButton *, 3> made{};
    auto *buttons = new QVBoxLayout;
    for (size_t i = 0; i < buttonTexts.size(); ++i) {
        made[i] = new quenkit::Button2(buttonTexts[i].second, this);
        made[i]->setObjectName(QString::fromLatin1(buttonTexts[i].first));
        buttons->addWidget(made[i]);
    }
    QPushButton *ok = made[0], *cancel = made[1], *help = made[2];
    ok->setDefault(true);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(12);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    const QString topic = copy ? QStringLiteral("guide/analyze/copy") : QStringLiteral("guide/analyze/save");
    connect(help, &QPushButton::clicked, this, [this, topic] { showHelp(topic, this); });
}

ExportOptions AnalyzeExportDialog::options() const
{
    ExportOptions o = m_options;
    // A disabled box writes off, so a section that cannot be written is not remembered as on.
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        o.setOption(it.key(), it.value()->isEnabled() && it.value()->isChecked());
    o.shownNutrientsOnly = m_shown->isChecked();
    if (m_kind)
        o.kindChoice = m_kind->currentIndex();
    return o;
}

}  // namespace dalmain
