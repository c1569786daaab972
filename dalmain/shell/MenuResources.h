#pragma once

#include <QList>
#include <QString>

// The menu bars and toolbars of the screens, as data. Menu resource 2 belongs to the user
// screen, 3 to the menu screen, 4 to the weight screen, 5 to the exercise screen and 6 to the
// analysis screen; toolbar resources 2-6 follow the screen order (see Screens.h).
namespace dalmain {

// One entry of a menu: a command (text and id), a sub-menu (text and items, id 0), or a
// separator (no text, id 0).
struct MenuItem {
    QString text;
    int id = 0;
    QList<MenuItem> items;

    bool isSeparator() const { return id == 0 && text.isEmpty(); }
    bool isSubmenu() const { return id == 0 && !text.isEmpty(); }
};

// The drop-down menus of a menu bar, left to right; empty for an unknown resource.
const QList<MenuItem> &menuResource(int resource);

// The buttons of a toolbar, left to right; 0 is a separator. Empty for an unknown resource.
const QList<int> &toolbarResource(int resource);

// The text of command id in menu resource, searched through the sub-menus; empty when the
// menu has no such command. Toolbar buttons take their tool tips from here.
QString menuCommandText(int resource, int id);

// Every command id of a menu resource, in menu order.
QList<int> menuCommandIds(int resource);

}  // namespace dalmain
