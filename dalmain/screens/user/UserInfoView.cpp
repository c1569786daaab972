#include "dalmain/screens/user/UserInfoView.h"

#include "dalmain/userdata/UserEntries.h"
#include "quenkit/controls/InputControls.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace dalmain {

namespace {

QString choiceText(const QStringList &choices, int index)
{
    return index >= 0 && index < choices.size() ? choices[index] : QString();
}

}  // namespace

QList<QPair<QString, QString>> UserInfoView::rows(const UserProfile &profile)
{
    const UserEntries e = entriesFromProfile(profile);
    const int age = e.age.trimmed().toInt();
    const QString birthday = profile.hasBirthDate()
        ? QStringLiteral("%1年%2月%3日").arg(profile.birthYear).arg(profile.birthMonth).arg(profile.birthDay)
        : QString();
    const bool woman = e.sex == 1;
    return {
        {QStringLiteral("フリガナ"), e.reading.trimmed()},
        {QStringLiteral("氏名"), e.name.trimmed()},
        {QStringLiteral("生年月日"), birthday},
        {QStringLiteral("年齢"), QStringLiteral("%1歳").arg(age)},
        {QStringLiteral("性別"), choiceText(sexChoices(), e.sex)},
        {QStringLiteral("妊娠・授乳"), woman ? choiceText(pregnancyChoices(), e.pregnancy) : QString()},
        {QStringLiteral("月経"), woman ? choiceText(menstruationChoices(), e.menstruation) : QString()},
        {QStringLiteral("身長"), e.height.trimmed() + QStringLiteral("cm")},
        {QStringLiteral("身体活動レベル"), choiceText(activityChoices(age), e.activity)},
        {QStringLiteral("食事摂取基準"), e.standard},
        {QStringLiteral("食品交換表"), e.exchangeTable.trimmed()},
        {QStringLiteral("食品群別表"), e.foodGroupTable.trimmed()},
        {QStringLiteral("適正単位"), e.unitTable.trimmed()},
        {QStringLiteral("適正摂取量"), e.intakeTable.trimmed()},
    };
}

UserInfoView::UserInfoView(const UserProfile &profile, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("IDD_VIEW_USERINFO"));
    setWindowTitle(QStringLiteral("ユーザー情報"));
    setMinimumWidth(360);
    auto *form = new QFormLayout;
    form->setHorizontalSpacing(16);
    for (const auto &[caption, text] : rows(profile))
        form->addRow(caption, new QLabel(text, this));
    auto *buttons = new QDialogButtonBox(this);
    auto *close = new quenkit::Button2(QStringLiteral("閉じる"), this);
    close->setDefault(true);
    buttons->addButton(close, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

}  // namespace dalmain
