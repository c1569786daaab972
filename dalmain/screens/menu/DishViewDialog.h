#pragma once

#include <QDialog>

namespace dalmain {

// "料理の内容" (IDD_VIEW_RYOURI): a stored dish's foods with their amounts, its category,
// keywords and memo. The picture's place is kept beside the list.
class DishViewDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DishViewDialog(const QString &name, QWidget *parent = nullptr);
};

}  // namespace dalmain
