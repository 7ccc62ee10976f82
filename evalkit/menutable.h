#pragma once
// A menu bar built from a table: each menu and item with its name (its objectName), its
// caption and what it runs, in the order the table lists them.
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenuBar;
class QObject;

namespace evalkit {

struct MenuItem {
    QAction** action; // where the window keeps the item (nullptr: nowhere)
    const char* name;
    QString text;
    std::function<void()> triggered = {}; // none: the item does nothing
};

struct Menu {
    const char* name;
    QString text;
    std::vector<MenuItem> items;
};

// Adds the menus to the bar; each item's handler runs in `context`.
void addMenus(QMenuBar* bar, QObject* context, const std::vector<Menu>& menus);

} // namespace evalkit
