#include "dalmain/screens/menu/DishViewDialog.h"

#include "dalmain/master/DishLoading.h"
#include "quenkit/registry/SettingsStore.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dalmain {

DishViewDialog::DishViewDialog(const QString &name, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("IDD_VIEW_RYOURI"));
    setWindowTitle(QStringLiteral("料理の内容"));
    QString programFolder;
    quenkit::GetUserRegistryString(QStringLiteral("DataDir"), nullptr, programFolder);
    const std::optional<DishView> view = ShowDish(name, programFolder);
    auto *layout = new QVBoxLayout(this);
    if (!view) {
        layout->addWidget(new QLabel(QStringLiteral("料理「%1」は登録されていません。").arg(name), this));
    } else {
        layout->addWidget(new QLabel(QStringLiteral("%1　分類：%2　キーワード：%3")
                                         .arg(view->name, view->category, view->keywords.join(QLatin1Char(' '))),
                                     this));
        auto *table = new QTableWidget(static_cast<int>(view->lines.size()), 2, this);
        table->setObjectName(QStringLiteral("foods"));
        table->setHorizontalHeaderLabels({QStringLiteral("食品名・料理名"), QStringLiteral("分量(g)")});
        table->verticalHeader()->hide();
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        for (int i = 0; i < view->lines.size(); ++i) {
            const DishViewLine &line = view->lines[i];
            const QString text = line.kind == DishViewLine::Kind::Header
                                     ? QStringLiteral("【%1】").arg(line.text)
                                     : line.kind == DishViewLine::Kind::MissingFood
                                           ? QStringLiteral("（食品表にない食品 %1）").arg(line.food)
                                           : line.text;
            table->setItem(i, 0, new QTableWidgetItem(text));
            if (line.kind != DishViewLine::Kind::Header) {
                auto *amount = new QTableWidgetItem(QString::asprintf("%.1f", line.amountTenths / 10.0));
                amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                table->setItem(i, 1, amount);
            }
        }
        table->resizeColumnsToContents();
        auto *picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("picture"));
        picture->setFixedSize(160, 120);
        picture->setFrameShape(QFrame::StyledPanel);
        picture->setAlignment(Qt::AlignCenter);
        const QPixmap shown(view->picturePath);
        if (!shown.isNull())
            picture->setPixmap(shown.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        auto *row = new QHBoxLayout;
        row->addWidget(table, 1);
        row->addWidget(picture, 0, Qt::AlignTop);
        layout->addLayout(row, 1);
        if (!view->memo.isEmpty())
            layout->addWidget(new QLabel(QStringLiteral("メモ：%1").arg(view->memo), this));
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 380);
}

}  // namespace dalmain
