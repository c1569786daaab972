#include "dalmain/screens/menu/SelCopyDialog.h"

#include "dalmain/shell/HelpWindow.h"
#include "dalmain/shell/ShellSettings.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace dalmain {

namespace {

// SelCopyFlg1 heading, 2-5 the meals, 6 meal headings.
constexpr int kHeadingBox = 0;
constexpr int kFirstMealBox = 1;
constexpr int kMealHeadingBox = 5;
const char *const kBoxTexts[6] = {"栄養素の見出し", "朝食", "昼食", "夕食", "間食", "食事区分の見出し"};

QString settingName(int box)
{
    return QStringLiteral("SelCopyFlg%1").arg(box + 1);
}

bool savedFlag(int box)
{
    return quenkit::GetRegistryInt(settings::kMenuSection, settingName(box), 1) != 0;
}

}  // namespace

DayCopyOptions savedDayCopyOptions()
{
    DayCopyOptions o;
    o.nutrientHeading = savedFlag(kHeadingBox);
    o.mealHeadings = savedFlag(kMealHeadingBox);
    for (int m = 0; m < kMealCount; ++m)
        o.meals[static_cast<size_t>(m)] = savedFlag(kFirstMealBox + m);
    return o;
}

SelCopyDialog::SelCopyDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("IDD_MENU_SELCOPY"));
    setWindowTitle(QStringLiteral("まとめてコピー"));
    for (int b = 0; b < static_cast<int>(m_boxes.size()); ++b) {
        auto *box = new QCheckBox(QString::fromUtf8(kBoxTexts[b]), this);
        box->setObjectName(settingName(b));
        box->setChecked(savedFlag(b));
        m_boxes[static_cast<size_t>(b)] = box;
    }
    auto *headings = new QGroupBox(QStringLiteral("見出し"), this);
    auto *headingLayout = new QVBoxLayout(headings);
    headingLayout->addWidget(m_boxes[kHeadingBox]);
    headingLayout->addWidget(m_boxes[kMealHeadingBox]);
    auto *meals = new QGroupBox(QStringLiteral("食事区分"), this);
    auto *mealLayout = new QHBoxLayout(meals);
    for (int m = 0; m < kMealCount; ++m)
        mealLayout->addWidget(m_boxes[static_cast<size_t>(kFirstMealBox + m)]);

    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *cancel = new quenkit::Button2(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto *help = new quenkit::Button2(QStringLiteral("ヘルプ"), this);
    help->setObjectName(QStringLiteral("help"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(headings);
    layout->addWidget(meals);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &SelCopyDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { showHelp(QStringLiteral("guide/menu/allcopy"), this); });
}

DayCopyOptions SelCopyDialog::options() const
{
    DayCopyOptions o;
    o.nutrientHeading = m_boxes[kHeadingBox]->isChecked();
    o.mealHeadings = m_boxes[kMealHeadingBox]->isChecked();
    for (int m = 0; m < kMealCount; ++m)
        o.meals[static_cast<size_t>(m)] = m_boxes[static_cast<size_t>(kFirstMealBox + m)]->isChecked();
    return o;
}

void SelCopyDialog::accept()
{
    for (int b = 0; b < static_cast<int>(m_boxes.size()); ++b)
        quenkit::SetRegistryInt(settings::kMenuSection, settingName(b), m_boxes[static_cast<size_t>(b)]->isChecked() ? 1 : 0);
    if (!options().anyMeal()) {
        QDialog::reject();
        return;
    }
    QDialog::accept();
}

}  // namespace dalmain
