#pragma once

#include "dalmain/userdata/UserProfile.h"

#include <QDialog>
#include <QList>
#include <QPair>

namespace dalmain {

// IDD_VIEW_USERINFO: a stored profile shown read-only, from the search list's "内容表示".
class UserInfoView : public QDialog
{
    Q_OBJECT
public:
    explicit UserInfoView(const UserProfile &profile, QWidget *parent = nullptr);

    // The captions and texts shown, in order.
    static QList<QPair<QString, QString>> rows(const UserProfile &profile);
};

}  // namespace dalmain
