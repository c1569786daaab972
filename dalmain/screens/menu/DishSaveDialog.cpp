#include "dalmain/screens/menu/DishSaveDialog.h"

#include "dalmain/screens/menu/DialogButtons.h"
#include "dalmain/master/DishPicture.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace dalmain {

DishSaveDialog::DishSaveDialog(quenkit::Owner *owner, const QList<DishEntry> &entries, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_entries(entries)
    , m_name(new quenkit::StrEdit(this))
    , m_category(new QComboBox(this))
    , m_picture(new QComboBox(this))
    , m_memo(new quenkit::StrEdit(this))
{
    setObjectName(QStringLiteral("IDD_RYOURI_WRITE"));
    setWindowTitle(QStringLiteral("料理の保存"));
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setByteLimit(dish::NameWidth);
    m_name->setMinimumWidth(300);
    m_category->setObjectName(QStringLiteral("category"));
    m_category->setEditable(true);
    m_category->addItems(dishCategories());
    m_category->setCurrentText(QString());
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setByteLimit(dish::MemoWidth);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->addItem(QString::fromLatin1(dish::NoPicture));
    QString programFolder;
    quenkit::GetUserRegistryString(QStringLiteral("DataDir"), nullptr, programFolder);
    for (const QString &p : dishPictureChoices(programFolder)) {
        if (p.compare(QLatin1String(dish::NoPicture), Qt::CaseInsensitive) != 0)
            m_picture->addItem(p);
    }

    auto *grid = new QGridLayout;
    int row = 0;
    auto add = [&](const QString &caption, QWidget *field) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(field, row++, 1);
    };
    add(QStringLiteral("料理名"), m_name);
    add(QStringLiteral("料理分類"), m_category);
    for (int k = 0; k < dish::KeywordCount; ++k) {
        m_keywords[static_cast<size_t>(k)] = new quenkit::StrEdit(this);
        m_keywords[static_cast<size_t>(k)]->setObjectName(QStringLiteral("keyword%1").arg(k + 1));
        m_keywords[static_cast<size_t>(k)]->setByteLimit(dish::KeywordWidth);
        add(QStringLiteral("キーワード%1").arg(k + 1), m_keywords[static_cast<size_t>(k)]);
    }
    add(QStringLiteral("写真"), m_picture);
    add(QStringLiteral("メモ"), m_memo);
    auto *ok = new quenkit::Button2(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QHBoxLayout *buttons = okCancelRow(this, ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral("食品数：%1").arg(entries.size()), this));
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &DishSaveDialog::accept);
}

void DishSaveDialog::setForm(const DishForm &form)
{
    m_name->setText(form.name);
    m_category->setCurrentText(form.category);
    for (int k = 0; k < dish::KeywordCount; ++k)
        m_keywords[static_cast<size_t>(k)]->setText(form.keywords[static_cast<size_t>(k)]);
    const int picture = m_picture->findText(form.picture, Qt::MatchFixedString);
    m_picture->setCurrentIndex(std::max(0, picture));
    m_memo->setText(form.memo);
}

DishForm DishSaveDialog::form() const
{
    DishForm f;
    f.name = m_name->text().trimmed();
    f.category = m_category->currentText().trimmed();
    for (int k = 0; k < dish::KeywordCount; ++k)
        f.keywords[static_cast<size_t>(k)] = m_keywords[static_cast<size_t>(k)]->text().trimmed();
    f.picture = m_picture->currentText();
    f.memo = m_memo->text();
    return f;
}

void DishSaveDialog::accept()
{
    const DishForm f = form();
    QList<DishEntry> entries = m_entries;
    // Foods saved without a dish name of their own are stored under the dish's name, as every
    // stored dish begins with its own header.
    if (!f.name.isEmpty() && (entries.isEmpty() || !entries.first().isHeader()))
        entries.prepend(DishEntry::header(quenkit::cutSjisToWidth(quenkit::toSjis(f.name), dish::NameWidth)));
    m_outcome = SaveDish(m_owner, f, entries);
    switch (m_outcome.result) {
    case DishSaveResult::Added:
    case DishSaveResult::Overwritten: QDialog::accept(); return;
    case DishSaveResult::Refused:
        switch (m_outcome.focus) {
        case DishField::Name: m_name->setFocus(); break;
        case DishField::Category: m_category->setFocus(); break;
        case DishField::Keywords: m_keywords[0]->setFocus(); break;
        default: break;
        }
        return;
    case DishSaveResult::Declined: return;
    case DishSaveResult::Failed:
        quenkit::inform(m_owner, QStringLiteral("料理登録"), QStringLiteral("料理を保存できませんでした。"),
                        quenkit::Icon::Warning);
        return;
    }
}

}  // namespace dalmain
